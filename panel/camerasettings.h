#pragma once
// Camera settings files: what an installer sets on a camera, read back from
// the status blocks and the 16-byte user memory, kept as a versioned JSON
// file, compared, and loaded onto another camera with the packets the
// panel's controls send.
//
// File (version 1):
//
//   {
//     "format": "zam-camera-settings",
//     "version": 1,
//     "model": "0x30",                  the model code of the camera saved
//     "modelName": "ZAM-C 25x PAL",     for people; not read back
//     "settings": { "<key>": value, ... every key of kSettings, no other },
//     "memory": "00112233...EEFF"       32 hexadecimal digits, or null
//   }
//
// A value is true/false (switches), a number or a "0x..." string (numbers),
// or a name (choices); null means the camera reported nothing usable and a
// load leaves that setting alone.
//
// Values that an AE, focus, white-balance, exposure-compensation or digital
// zoom mode does not let the operator set (the shutter in full auto, the
// back light in manual, say) are kept in the file, but neither loaded nor
// compared. A key given twice in one object is refused (a JSON reader would
// keep one of the two without a word), and text of the file that an error
// echoes is escaped.

#include "cameramodes.h"
#include "catalog.h"
#include "settingkeys.h"
#include "statusblocks.h"

#include <QByteArray>
#include <QList>
#include <QString>

#include <array>
#include <cstdint>
#include <functional>
#include <optional>
#include <span>

namespace zam {

class CameraLink;
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

inline constexpr int kUserMemorySize = 16;
inline constexpr int kUserMemoryAddresses = kUserMemorySize / 2;
using UserMemory = std::array<std::uint8_t, kUserMemorySize>;

inline constexpr char kSettingsFormat[] = "zam-camera-settings";
inline constexpr int kSettingsVersion = 1;

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

QByteArray toJson(const CameraSettings &s);

struct SettingsParse {
    std::optional<CameraSettings> settings;
    QString error; // one line, naming what is wrong and where
};
// Any bytes.
SettingsParse fromJson(QByteArrayView json);

// ---- Loading

struct PlannedPacket {
    QByteArray packet;
    QString what; // "AE mode: manual", "16-byte memory 3"
    // Sent first and followed by pauseBefore seconds, unless the camera's AE
    // mode at that moment goes straight to bright (the Bright control's
    // rule): the way to bright through full auto.
    QByteArray stepBefore;
    double pauseBefore = 0;
};

struct SkippedSetting {
    QString caption;
    QString reason;
};

struct LoadPlan {
    int address = 1;
    int targetModel = 0;
    QList<PlannedPacket> packets;
    QList<SkippedSetting> skipped;
    // What the camera should report once the plan has run; only `sent`
    // settings are checked.
    CameraSettings expected;
    std::array<bool, kSettingCount> sent{};
    bool memorySent = false;
};

LoadPlan planLoad(const CameraSettings &settings, int targetModelCode, int address);

// ---- Comparing

struct SettingDifference {
    QString caption;
    QString left;
    QString right;
};

// A value is compared where the modes of both sides let the camera take it.
QList<SettingDifference> diff(const CameraSettings &a, const CameraSettings &b);

// The settings the plan sent that the camera does not report as loaded.
QList<SettingDifference> notTaken(const LoadPlan &plan, const CameraSettings &after);

// A value as the file and the differences show it: "on", "manual", "0x4000".
QString settingText(const SettingInfo &info, std::optional<int> value);

// ---- On the link (the selected camera, link.state().CameraAddress)

struct SettingsRead {
    std::optional<CameraSettings> settings;
    QString error;
    // Said of a read that has settings: positions left empty while the lens
    // moved, a memory reply of another shape.
    QStringList notes;
    // Settings left empty because the camera was still moving through them.
    QList<Setting> moving;
};
// The status read, then the user memory (not on models that lack it). While
// the lens block reports zoom or focus moving, the lens block is read again
// until it stops (kLensSettleMs at most); positions still moving then are
// left empty.
SettingsRead readSettings(CameraLink &link);
// readSettings until two reads in a row agree (kSettingsReads reads at
// most); a read that never agrees is an error.
SettingsRead readAgreedSettings(CameraLink &link);
inline constexpr int kSettingsReads = 3;
inline constexpr int kLensSettleMs = 2000;
inline constexpr int kLensPollMs = 100;
// The model code from the version inquiry (three attempts), or nullopt.
std::optional<int> readModelCode(CameraLink &link);

// done of total packets sent, the packet about to go next.
using LoadProgress = std::function<void(int done, int total, const QString &what)>;

struct LoadOutcome {
    bool cancelled = false;
    int sent = 0;
    // Packets the camera refused or left unanswered: "AE mode: manual: syntax error".
    QStringList refused;
    // Read after the load; empty when the read failed.
    std::optional<CameraSettings> after;
    QString readError;
    QList<SettingDifference> notTaken;
    // The line died (a port error, or kDeadLinePackets packets in a row
    // without any reply): the load stopped, these were not sent, and there
    // is no read-back.
    bool lineDead = false;
    QStringList notLoaded;

    bool ok() const
    {
        return !cancelled && !lineDead && refused.isEmpty() && after && notTaken.isEmpty();
    }
};
inline constexpr int kDeadLinePackets = 3;

// Each packet with SD in mode 0, then the replies until its completion or
// error (bounded: one second of silence, or a flood of other replies); a
// packet's step and pause before it as the camera's mode asks.
// `cancel` is read before every packet; progress runs before every packet
// and once at the end. Ends with a status read unless cancelled.
LoadOutcome applySettings(CameraLink &link, const LoadPlan &plan, const LoadProgress &progress,
                          const bool &cancel);

inline constexpr int kMemoryReadAttempts = 3;
inline constexpr int kMaxRepliesPerPacket = 16;

} // namespace zam
