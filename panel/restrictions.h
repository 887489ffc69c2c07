#pragma once
// Model restrictions: what a camera model lacks. The model table
// (modeltable.h) gives each model a capability group; a group is a list of
// restrictions, and a restriction row says what it takes away:
//
//   window    the window whose controls it names (the main window, or a
//             dialog, which follows its restrictions itself when created)
//   taking    hidden (made invisible) or disabled (greyed out, still shown)
//   controls  the controls, by objectName in that window
//   settings  the camera settings file keys such a model lacks; a load skips
//             them and names them
//   memory    the model lacks the 16-byte user memory
//
// A mode whose menu item a restriction takes away (negative art, black and
// white) is lacked too: a file's value of that mode is skipped.
// The window, the settings files, zam-ctl and the tests all read this table.

#include "settingkeys.h"

#include <QString>
#include <array>
#include <span>
#include <vector>

namespace zam {

enum class CapabilityGroup {
    A,
    B,
    C,
    D,
    E,
    F,
    G,
    H,
    I,
    J,
    K,
    L,
    M,
    N,
    O,
    P,
    Q,
    R,
    S,
    T,
    U,
    V,
    W,
    X,
    Y,
    Z,
    AA,
};
inline constexpr int kCapabilityGroupCount = 27; // A..Z and AA

// "A" .. "Z", "AA".
QString groupName(CapabilityGroup group);

enum class Restriction {
    HideTimeDate,
    HideSlowAE,
    HideDigitalZoom,
    HidePrivacyZone,
    HidePrivacyAv,
    HideSpherical,
    HideRegisterSet,
    HideMemorySave,
    HideICR,
    DisablePictureFlip,
    HideFreese,
    HideAutoSlowShutter,
    HideSync,
    HideFrame5,
    HideLblWB3,
    HideFrame3,
    DisableWBMode,
    HideWBMode,
    HideBlackWhite,
    HideImageStabi,
    HideFactorySet,
    HideCenterSphe,
    HideNegArt,
    HideCompScan,
    HideFSetBaudrate,
    HideAutoICRLevel,
    HideICRThreshold,
    HideSphericalMosaic,
    HideAlm,
    HideVP0180,
};
inline constexpr int kRestrictionCount = int(Restriction::HideVP0180) + 1;

enum class RestrictedWindow : std::uint8_t { Main, FSet, SphericalMask };
enum class Taking : std::uint8_t { Hide, Disable };

struct RestrictionRow {
    Restriction restriction;
    RestrictedWindow window;
    Taking taking;
    std::span<const char *const> controls;
    std::span<const Setting> settings;
    bool memory;
};

// Every restriction, in Restriction order.
std::span<const RestrictionRow> restrictionTable();
const RestrictionRow &restrictionRow(Restriction r);

// The restrictions of a group, in the order the window applies them.
std::span<const Restriction> restrictionsOf(CapabilityGroup group);
// The restrictions for a model code; empty for a code without a row.
std::span<const Restriction> restrictionsForModel(int code);

// What a model lacks, gathered from its restrictions.
struct ModelLacks {
    std::array<bool, kSettingCount> settings{};
    bool memory = false;
    std::vector<const char *> mainControls; // taken from the main window

    bool setting(Setting s) const { return settings[std::size_t(s)]; }
    bool control(const char *objectName) const;
};
ModelLacks modelLacks(int modelCode);

} // namespace zam
