#pragma once
// Camera settings: what an installer sets on a camera, one row per setting
// (its file key, caption, kind, packets and gate), and how the status blocks
// and the 16-byte user memory read as such settings. The file format is
// settingsjson.h, the load plan and the comparison settingsplan.h, the reads
// and the load on the link settingsio.h.
//
// Values that an AE, focus, white-balance, exposure-compensation or digital
// zoom mode does not let the operator set (the shutter in full auto, the
// back light in manual, say) are kept, but neither loaded nor compared.

#include "cameramodes.h"
#include "catalog.h"
#include "settingkeys.h"
#include "statusblocks.h"

#include <QString>

#include <array>
#include <cstdint>
#include <optional>
#include <span>

namespace zam {

struct StatusReplies;

enum class SettingKind : std::uint8_t {
    Switch, // true / false: the on or the off packet
    Number, // the direct packet's one field, its range from the catalog
    Choice, // one packet per named value
};

// The lens or exposure-compensation state a value needs before the camera
// takes it. Values that an AE or white-balance mode gates are the mode
// rows' (cameramodes.h, their `loads`).
enum class Gate : std::uint8_t {
    None,
    DigitalZoomSeparateOn, // digital zoom on, separate mode
    FocusManual,
    ExpCompOn,
};

struct SettingInfo {
    Setting setting;
    const char *key;     // in the file
    const char *caption; // for people: skipped and differing settings
    SettingKind kind;
    catalog::Id on;                     // Switch: on packet; Number: direct packet
    catalog::Id off;                    // Switch: off packet
    ModeFamily family = ModeFamily::Ae; // Choice: the modes, by their file names
    Gate gate = Gate::None;
};

// Every setting, in Setting order (the load order).
std::span<const SettingInfo> settingTable();
const SettingInfo &settingInfo(Setting s);
// A Number's field in the catalog: its range, and whether it reads as hex.
const catalog::Field &settingField(const SettingInfo &info);
// Whether `v` is a value the setting can hold: 0/1, in the field's range, a listed mode.
bool settingFits(const SettingInfo &info, int v);

inline constexpr int kUserMemorySize = 16;
inline constexpr int kUserMemoryAddresses = kUserMemorySize / 2;
using UserMemory = std::array<std::uint8_t, kUserMemorySize>;
inline constexpr char kUserMemoryCaption[] = "16-byte memory";

struct CameraSettings {
    int modelCode = 0;
    // Switch 0/1, Number its value, Choice its code; nullopt: nothing usable.
    std::array<std::optional<int>, kSettingCount> values{};
    std::optional<UserMemory> memory;

    std::optional<int> value(Setting s) const { return values[std::size_t(s)]; }
    void set(Setting s, std::optional<int> v) { values[std::size_t(s)] = v; }
    bool operator==(const CameraSettings &) const = default;
};

// Whether the modes in `s` let the camera take the setting: its gate, and
// the AE and white-balance mode rows that gate it.
bool gateOpen(const CameraSettings &s, const SettingInfo &info);

// The settings the blocks report; a value the file could not carry (outside
// its range, an unknown mode) is left empty. Blocks that failed their frame
// check leave their settings empty.
CameraSettings fromStatus(const VersionStatus &version, const LensStatus &lens,
                          const CameraStatus &camera, const OtherStatus &other,
                          const ExtendedStatus &extended,
                          std::optional<UserMemory> memory = std::nullopt);
CameraSettings fromStatus(const StatusReplies &replies, int address,
                          std::optional<UserMemory> memory = std::nullopt);

// A value as the file and the differences show it: "on", "manual", "0x4000".
QString settingText(const SettingInfo &info, std::optional<int> value);
// A number of field `f` as settingText shows it: "0x4000", "12".
QString fieldValueText(const catalog::Field &f, int v);
// The whole memory as 32 hexadecimal digits, and one address's two bytes, "AB CD".
QString userMemoryHex(const UserMemory &m);
QString userMemoryPair(const UserMemory &m, int address);

} // namespace zam
