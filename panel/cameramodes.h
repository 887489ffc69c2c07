#pragma once
// The camera's mode families, one row per mode: AE, white balance, picture
// effect and sync. The status read, the command groups, the settings files,
// zam-ctl and the traffic monitor all read these rows; nothing else lists a
// mode.
//
//   code      the mode as the camera reports it: camera block byte 8 (AE),
//             byte 6 (white balance), other block byte 5 (picture effect),
//             other block byte 13 bit 4 (sync)
//   entry     the catalog packet that selects it
//   item      the menu item that selects it (objectName) and its caption
//   file      its name in a camera settings file
//   enables   the family's mode controls enabled in this mode (objectNames);
//             every other control some row of the family enables is disabled
//   loads     the settings-file keys loaded and compared only in this mode
//   marked    the item is one of the menu's exclusive check marks, and the
//             status read applies the row when the camera reports it
//   guarded   the item asks RefreshNotGoCheck before it sends
//
// Picture effects are reported with other codes than they are commanded
// with (negative art: sent 02, reported 1); the row's code is the reported
// one, the entry carries the sent one.

#include "settingkeys.h"

#include <catalog.h>

#include <span>
#include <vector>

namespace zam {

// What the main window remembers of the selected camera between status
// reads: the AE and white-balance mode codes last applied to the controls
// (-1: none yet, so the next report applies), and the shutter caption column
// of its video system (0 NTSC, 1 PAL).
struct CameraModes {
    int CurrentAEMode = -1;
    int CurrentWBMode = -1;
    int ShutterColumn = 0;
};

enum class ModeFamily : std::uint8_t { Ae, WhiteBalance, PictureEffect, Sync };

struct ModeRow {
    int code;
    catalog::Id entry;
    const char *item;
    const char *caption;
    const char *file;
    std::span<const char *const> enables;
    std::span<const Setting> loads;
    bool marked;
    bool guarded;
};

namespace ae {
inline constexpr int kFullAuto = 0x00;
inline constexpr int kManual = 0x03;
inline constexpr int kShutterPriority = 0x0A;
inline constexpr int kIrisPriority = 0x0B;
inline constexpr int kGainPriority = 0x0C;
inline constexpr int kBright = 0x0D;
inline constexpr int kIrisAuto = 0x1B;
} // namespace ae

namespace modecolumns {
using S = Setting;
// clang-format off
inline constexpr const char *kFullAutoControls[] = {"BackLight", "AutoSlowShutter"};
inline constexpr const char *kManualControls[] = {"IrisClose", "IrisOpen", "IrisSlider",
    "GainDown", "GainUp", "GainSlider", "ShutterSlow", "ShutterFast", "ShutterSlider"};
inline constexpr const char *kShutterControls[] = {"ShutterSlow", "ShutterFast", "ShutterSlider"};
inline constexpr const char *kIrisControls[] = {"IrisClose", "IrisOpen", "IrisSlider"};
inline constexpr const char *kGainControls[] = {"GainDown", "GainUp", "GainSlider"};
inline constexpr const char *kBrightControls[] = {"BrightDown", "BrightUp", "BrightSlider"};
inline constexpr const char *kIrisAutoControls[] = {"GainDown", "GainUp", "GainSlider",
    "ShutterSlow", "ShutterFast", "ShutterSlider"};

inline constexpr Setting kFullAutoKeys[] = {S::BackLight, S::AutoSlowShutter};
inline constexpr Setting kManualKeys[] = {S::ShutterPosition, S::IrisPosition, S::GainPosition};
inline constexpr Setting kShutterKeys[] = {S::ShutterPosition};
inline constexpr Setting kIrisKeys[] = {S::IrisPosition};
inline constexpr Setting kGainKeys[] = {S::GainPosition};
inline constexpr Setting kBrightKeys[] = {S::BrightPosition};
inline constexpr Setting kIrisAutoKeys[] = {S::ShutterPosition, S::GainPosition};

inline constexpr const char *kWbGainControls[] = {"RGainUp", "BGainUp", "RGainDown", "BGainDown",
    "RGainSlider", "BGainSlider", "RBReset"};
inline constexpr const char *kWbTriggerControls[] = {"WBTrigger"};
inline constexpr Setting kWbGainKeys[] = {S::RGain, S::BGain};
// clang-format on
} // namespace modecolumns

// In settings-file order (a file's reader lists the names so).
// clang-format off
inline constexpr ModeRow kAeModes[] = {
    //  code                  entry                          item               caption            file
    {ae::kFullAuto,         catalog::Id::AeFullAuto,         "FullAuto",        "Full Auto",       "full auto",
     modecolumns::kFullAutoControls, modecolumns::kFullAutoKeys, true, true},
    {ae::kManual,           catalog::Id::AeManual,           "Manual",          "Manual",          "manual",
     modecolumns::kManualControls, modecolumns::kManualKeys, true, true},
    {ae::kShutterPriority,  catalog::Id::AeShutterPriority,  "ShutterPriority", "ShutterPriority", "shutter priority",
     modecolumns::kShutterControls, modecolumns::kShutterKeys, true, true},
    {ae::kIrisPriority,     catalog::Id::AeIrisPriority,     "IrisPriority",    "Iris Priority",   "iris priority",
     modecolumns::kIrisControls, modecolumns::kIrisKeys, true, true},
    {ae::kGainPriority,     catalog::Id::AeGainPriority,     "GainPriority",    "Gain Priority",   "gain priority",
     modecolumns::kGainControls, modecolumns::kGainKeys, true, false},
    {ae::kBright,           catalog::Id::AeBright,           "Bright",          "Bright",          "bright",
     modecolumns::kBrightControls, modecolumns::kBrightKeys, true, true},
    // Selected only by the (hidden) IrisAuto item: no check mark of its own,
    // and the status read leaves a reported 1B alone.
    {ae::kIrisAuto,         catalog::Id::AeIrisAuto,         "IrisAuto",        "Iris Auto",       "iris auto",
     modecolumns::kIrisAutoControls, modecolumns::kIrisAutoKeys, false, false},
};

inline constexpr ModeRow kWhiteBalanceModes[] = {
    {0, catalog::Id::WbAuto,    "ATWPro",    "Auto",        "auto",     {}, {}, true, true},
    {1, catalog::Id::WbIndoor,  "InDoor",    "InDoor",      "indoor",   {}, {}, true, true},
    {2, catalog::Id::WbOutdoor, "OutDoor",   "OutDoor",     "outdoor",  {}, {}, true, true},
    {3, catalog::Id::WbOnePush, "OnePushWB", "One Push WB", "one push", modecolumns::kWbTriggerControls, {}, true, true},
    {4, catalog::Id::WbAtw,     "ATW",       "ATW",         "ATW",      {}, {}, true, true},
    {5, catalog::Id::WbManual,  "ManualWB",  "Manual WB",   "manual",
     modecolumns::kWbGainControls, modecolumns::kWbGainKeys, true, true},
};

inline constexpr ModeRow kPictureEffects[] = {
    {0, catalog::Id::PictureEffectOff,         "PEOff",      "Off",           "off",             {}, {}, true, true},
    {1, catalog::Id::PictureEffectNegativeArt, "NegArt",     "NegArt",        "negative art",    {}, {}, true, true},
    {4, catalog::Id::PictureEffectBlackWhite,  "BlackWhite", "Black & White", "black and white", {}, {}, true, true},
};

inline constexpr ModeRow kSyncModes[] = {
    {0, catalog::Id::SyncInternal, "Internal", "Internal",  "internal",  {}, {}, true, false},
    {1, catalog::Id::SyncLineLock, "LineLock", "Line Lock", "line lock", {}, {}, true, false},
};
// clang-format on

constexpr std::span<const ModeRow> modeRows(ModeFamily family)
{
    switch (family) {
    case ModeFamily::Ae:
        return kAeModes;
    case ModeFamily::WhiteBalance:
        return kWhiteBalanceModes;
    case ModeFamily::PictureEffect:
        return kPictureEffects;
    case ModeFamily::Sync:
        return kSyncModes;
    }
    return {};
}

// The row of a mode code, or nullptr.
constexpr const ModeRow *findMode(ModeFamily family, int code)
{
    for (const ModeRow &row : modeRows(family))
        if (row.code == code)
            return &row;
    return nullptr;
}

// The row the status read shows for a reported code: marked rows only.
constexpr const ModeRow *reportedMode(ModeFamily family, int code)
{
    const ModeRow *row = findMode(family, code);
    return row && row->marked ? row : nullptr;
}

// Whether some mode of the family gates key `setting`, and whether `row`
// (nullptr: no mode known) lets it be loaded and compared.
bool modeGates(ModeFamily family, Setting setting);
bool modeLoads(const ModeRow *row, Setting setting);

// Every control that some row of the family enables, once each, in row order.
std::vector<const char *> modeControls(ModeFamily family);

// What a reported mode does to the window. All marked items of the family
// are unchecked first; then `checked` (if any) gets its mark. `apply` is
// set only when the reported mode has a marked row and differs from the
// mode last applied: the caller stores its code as the current mode and
// applies its controls.
struct ModeUpdate {
    const ModeRow *checked = nullptr;
    const ModeRow *apply = nullptr;
};
ModeUpdate modeUpdate(ModeFamily family, int reportedCode, int currentCode);

// The way to bright from the AE mode `current`: through full auto, with a
// second in full auto before the bright command, from every mode but shutter
// priority (and bright itself).
inline constexpr double kBrightFullAutoPause = 1.0;
constexpr bool brightGoesThroughFullAuto(int current)
{
    return current != ae::kShutterPriority && current != ae::kBright;
}

} // namespace zam
