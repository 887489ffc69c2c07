// The table of the catalog: one row per packet the panel sends. The body is
// the packet between header and FF with 0 where a field goes (or the fixed
// high nibble of a LowNibble field); field positions count from the header.

#include "catalogtable.h"

namespace zam::catalog {

namespace {

using enum Group;
using enum Id;
using B = std::initializer_list<std::uint8_t>;
using F = std::initializer_list<Field>;

constexpr Field makeField(const char *name, int at, Packing packing, int count, int min, int max,
                          Show show)
{
    Field f;
    f.name = name;
    f.at = std::uint8_t(at);
    f.packing = packing;
    f.count = std::uint8_t(count);
    f.min = std::uint16_t(min);
    f.max = std::uint16_t(max);
    f.show = show;
    return f;
}
constexpr Field byteField(const char *name, int at, int min, int max, Show show = Show::Decimal)
{
    return makeField(name, at, Packing::Byte, 1, min, max, show);
}
constexpr Field nibbles(const char *name, int at, int count, int min, int max,
                        Show show = Show::Hex)
{
    return makeField(name, at, Packing::Nibbles, count, min, max, show);
}
constexpr Field lowNibble(const char *name, int at, int min, int max)
{
    return makeField(name, at, Packing::LowNibble, 1, min, max, Show::Decimal);
}
constexpr Field highNibble(const char *name, int at, int min, int max)
{
    return makeField(name, at, Packing::HighNibble, 1, min, max, Show::Decimal);
}
constexpr Field digits(const char *name, int at, int min, int max)
{
    return makeField(name, at, Packing::Digits, 2, min, max, Show::Decimal);
}
constexpr Field run(const char *name, int at, int count, int max)
{
    return makeField(name, at, Packing::Run, count, 0, max, Show::Hex);
}
// 2p / 3p: the drive speed 0..7 in the low nibble of direction 2 or 3.
constexpr Field speed(int at)
{
    return lowNibble("speed", at, 0, 7);
}

constexpr Entry make(Id id, const char *key, const char *name, Group group, B body, F fields,
                     Expect expect, int replyLength, bool broadcastOnly)
{
    Entry e;
    e.id = id;
    e.key = key;
    e.name = name;
    e.group = group;
    e.length = std::uint8_t(body.size() + 2);
    e.expect = expect;
    e.replyLength = std::uint8_t(replyLength);
    e.broadcastOnly = broadcastOnly;
    std::size_t at = 1;
    for (std::uint8_t b : body)
        e.fixed[at++] = b;
    e.fixed[at] = 0xFF;
    for (std::size_t i = 1; i <= at; ++i)
        e.fixedMask[i] = 0xFF;
    for (const Field &f : fields) {
        if (e.fieldCount < kMaxFields)
            e.fields[e.fieldCount] = f;
        ++e.fieldCount; // one too many fails the table check below
        for (int k = 0; k < f.count; ++k) {
            const std::size_t p = std::size_t(f.at + k);
            if (p < e.fixedMask.size())
                e.fixedMask[p] &= std::uint8_t(~fieldBits(f));
        }
    }
    return e;
}

// `key` is the row's Id spelled out: the name programs use for the packet.
constexpr Entry cmd(Id id, const char *key, const char *name, Group group, B body, F fields = {})
{
    return make(id, key, name, group, body, fields, Expect::Completion, 0, false);
}
constexpr Entry inquiry(Id id, const char *key, const char *name, Group group, B body,
                        int replyLength, F fields = {})
{
    return make(id, key, name, group, body, fields, Expect::InquiryReply, replyLength, false);
}
constexpr Entry broadcast(Id id, const char *key, const char *name, B body, Expect expect)
{
    return make(id, key, name, Broadcast, body, {}, expect, 0, true);
}

// Sizes and ranges the cameras take, where a byte says more than its width.
constexpr int kZoneMax = 0x17;   // zones and masks A..X
constexpr int kBitmapMax = 0x3F; // six zones to a bitmap byte
constexpr int kColourMax = 0x0D; // Black .. Magenta
constexpr int kTitleCodeMax = 0x4F;
constexpr int kLastTitleLine = 10;

constexpr Entry kTable[] = {
    // ---- Lens
    cmd(ZoomStop, "ZoomStop", "Zoom stop", Lens, {0x01, 0x04, 0x07, 0x00}),
    cmd(ZoomTele, "ZoomTele", "Zoom tele, variable speed", Lens, {0x01, 0x04, 0x07, 0x20},
        {speed(4)}),
    cmd(ZoomWide, "ZoomWide", "Zoom wide, variable speed", Lens, {0x01, 0x04, 0x07, 0x30},
        {speed(4)}),
    // Not sent by a control; typed at the console (the usual first test).
    cmd(ZoomTeleStandard, "ZoomTeleStandard", "Zoom tele, standard speed", Lens,
        {0x01, 0x04, 0x07, 0x02}),
    cmd(ZoomWideStandard, "ZoomWideStandard", "Zoom wide, standard speed", Lens,
        {0x01, 0x04, 0x07, 0x03}),
    // The tele end with digital zoom on, 8BE0, lies beyond the slider's 7000.
    cmd(ZoomDirect, "ZoomDirect", "Zoom direct", Lens, {0x01, 0x04, 0x47, 0, 0, 0, 0},
        {nibbles("position", 4, 4, 0x0000, 0xFFFF)}),
    cmd(DigitalZoomOn, "DigitalZoomOn", "Digital zoom on", Lens, {0x01, 0x04, 0x06, 0x02}),
    cmd(DigitalZoomOff, "DigitalZoomOff", "Digital zoom off", Lens, {0x01, 0x04, 0x06, 0x03}),
    cmd(DigitalZoomStop, "DigitalZoomStop", "Digital zoom stop", Lens, {0x01, 0x04, 0x06, 0x00}),
    cmd(DigitalZoomTele, "DigitalZoomTele", "Digital zoom tele, variable speed", Lens,
        {0x01, 0x04, 0x06, 0x20}, {speed(4)}),
    cmd(DigitalZoomWide, "DigitalZoomWide", "Digital zoom wide, variable speed", Lens,
        {0x01, 0x04, 0x06, 0x30}, {speed(4)}),
    cmd(DigitalZoomX1Max, "DigitalZoomX1Max", "Digital zoom x1 / max toggle", Lens,
        {0x01, 0x04, 0x06, 0x10}),
    cmd(DigitalZoomDirect, "DigitalZoomDirect", "Digital zoom direct", Lens,
        {0x01, 0x04, 0x46, 0x00, 0x00, 0, 0}, {nibbles("position", 6, 2, 0x00, 0xDC)}),
    cmd(DigitalZoomCombine, "DigitalZoomCombine", "Digital zoom combine mode", Lens,
        {0x01, 0x04, 0x36, 0x00}),
    cmd(DigitalZoomSeparate, "DigitalZoomSeparate", "Digital zoom separate mode", Lens,
        {0x01, 0x04, 0x36, 0x01}),
    cmd(LensInitialize, "LensInitialize", "Lens initialize", Lens, {0x01, 0x04, 0x19, 0x01}),
    cmd(CompensationScan, "CompensationScan", "Lens compensation scan", Lens,
        {0x01, 0x04, 0x19, 0x02}),

    // ---- Focus
    cmd(FocusAuto, "FocusAuto", "Focus auto", Focus, {0x01, 0x04, 0x38, 0x02}),
    cmd(FocusManual, "FocusManual", "Focus manual", Focus, {0x01, 0x04, 0x38, 0x03}),
    cmd(AfModeNormal, "AfModeNormal", "AF mode normal", Focus, {0x01, 0x04, 0x57, 0x00}),
    cmd(AfModeInterval, "AfModeInterval", "AF mode interval", Focus, {0x01, 0x04, 0x57, 0x01}),
    cmd(AfModeZoomTrigger, "AfModeZoomTrigger", "AF mode zoom trigger", Focus,
        {0x01, 0x04, 0x57, 0x02}),
    cmd(AfIntervalTimes, "AfIntervalTimes", "AF interval times", Focus,
        {0x01, 0x04, 0x27, 0, 0, 0, 0},
        {nibbles("active time", 4, 2, 0x00, 0xFF), nibbles("interval time", 6, 2, 0x00, 0xFF)}),
    cmd(AfSensitivityLow, "AfSensitivityLow", "AF sensitivity low", Focus,
        {0x01, 0x04, 0x58, 0x02}),
    cmd(AfSensitivityNormal, "AfSensitivityNormal", "AF sensitivity normal", Focus,
        {0x01, 0x04, 0x58, 0x03}),
    cmd(FocusOnePush, "FocusOnePush", "Focus one-push trigger", Focus, {0x01, 0x04, 0x18, 0x01}),
    cmd(FocusInfinity, "FocusInfinity", "Focus to infinity", Focus, {0x01, 0x04, 0x18, 0x02}),
    cmd(FocusStop, "FocusStop", "Focus stop", Focus, {0x01, 0x04, 0x08, 0x00}),
    cmd(FocusFar, "FocusFar", "Focus far, variable speed", Focus, {0x01, 0x04, 0x08, 0x20},
        {speed(4)}),
    cmd(FocusNear, "FocusNear", "Focus near, variable speed", Focus, {0x01, 0x04, 0x08, 0x30},
        {speed(4)}),
    cmd(FocusDirect, "FocusDirect", "Focus direct", Focus, {0x01, 0x04, 0x48, 0, 0, 0, 0},
        {nibbles("position", 4, 4, 0x1000, 0xC000)}),
    cmd(FocusNearLimit, "FocusNearLimit", "Focus near limit", Focus, {0x01, 0x04, 0x28, 0, 0, 0, 0},
        {nibbles("limit", 4, 4, 0x1000, 0xC000)}),

    // ---- Exposure
    cmd(AeFullAuto, "AeFullAuto", "AE mode full auto", Exposure, {0x01, 0x04, 0x39, 0x00}),
    cmd(AeManual, "AeManual", "AE mode manual", Exposure, {0x01, 0x04, 0x39, 0x03}),
    cmd(AeShutterPriority, "AeShutterPriority", "AE mode shutter priority", Exposure,
        {0x01, 0x04, 0x39, 0x0A}),
    cmd(AeIrisPriority, "AeIrisPriority", "AE mode iris priority", Exposure,
        {0x01, 0x04, 0x39, 0x0B}),
    cmd(AeGainPriority, "AeGainPriority", "AE mode gain priority", Exposure,
        {0x01, 0x04, 0x39, 0x0C}),
    cmd(AeBright, "AeBright", "AE mode bright", Exposure, {0x01, 0x04, 0x39, 0x0D}),
    cmd(AeIrisAuto, "AeIrisAuto", "AE mode iris auto", Exposure, {0x01, 0x04, 0x39, 0x1B}),
    cmd(ShutterFaster, "ShutterFaster", "Shutter faster", Exposure, {0x01, 0x04, 0x0A, 0x02}),
    cmd(ShutterSlower, "ShutterSlower", "Shutter slower", Exposure, {0x01, 0x04, 0x0A, 0x03}),
    cmd(IrisOpen, "IrisOpen", "Iris open", Exposure, {0x01, 0x04, 0x0B, 0x02}),
    cmd(IrisClose, "IrisClose", "Iris close", Exposure, {0x01, 0x04, 0x0B, 0x03}),
    cmd(GainUp, "GainUp", "Gain up", Exposure, {0x01, 0x04, 0x0C, 0x02}),
    cmd(GainDown, "GainDown", "Gain down", Exposure, {0x01, 0x04, 0x0C, 0x03}),
    cmd(BrightUp, "BrightUp", "Bright up", Exposure, {0x01, 0x04, 0x0D, 0x02}),
    cmd(BrightDown, "BrightDown", "Bright down", Exposure, {0x01, 0x04, 0x0D, 0x03}),
    cmd(ExpCompUp, "ExpCompUp", "Exposure compensation up", Exposure, {0x01, 0x04, 0x0E, 0x02}),
    cmd(ExpCompDown, "ExpCompDown", "Exposure compensation down", Exposure,
        {0x01, 0x04, 0x0E, 0x03}),
    cmd(ApertureUp, "ApertureUp", "Aperture up", Exposure, {0x01, 0x04, 0x02, 0x02}),
    cmd(ApertureDown, "ApertureDown", "Aperture down", Exposure, {0x01, 0x04, 0x02, 0x03}),
    cmd(ApertureReset, "ApertureReset", "Aperture reset", Exposure, {0x01, 0x04, 0x02, 0x00}),
    cmd(ShutterDirect, "ShutterDirect", "Shutter direct", Exposure, {0x01, 0x04, 0x4A, 0, 0, 0, 0},
        {nibbles("position", 4, 4, 0, 21, Show::Decimal)}),
    cmd(IrisDirect, "IrisDirect", "Iris direct", Exposure, {0x01, 0x04, 0x4B, 0, 0, 0, 0},
        {nibbles("position", 4, 4, 0, 17, Show::Decimal)}),
    cmd(GainDirect, "GainDirect", "Gain direct", Exposure, {0x01, 0x04, 0x4C, 0, 0, 0, 0},
        {nibbles("position", 4, 4, 0, 15, Show::Decimal)}),
    cmd(BrightDirect, "BrightDirect", "Bright direct", Exposure, {0x01, 0x04, 0x4D, 0, 0, 0, 0},
        {nibbles("position", 4, 4, 0, 31, Show::Decimal)}),
    cmd(ExpCompDirect, "ExpCompDirect", "Exposure compensation direct", Exposure,
        {0x01, 0x04, 0x4E, 0, 0, 0, 0}, {nibbles("position", 4, 4, 0, 14, Show::Decimal)}),
    cmd(ApertureDirect, "ApertureDirect", "Aperture direct", Exposure,
        {0x01, 0x04, 0x42, 0, 0, 0, 0}, {nibbles("level", 4, 4, 0, 15, Show::Decimal)}),
    cmd(ExpCompOn, "ExpCompOn", "Exposure compensation on", Exposure, {0x01, 0x04, 0x3E, 0x02}),
    cmd(ExpCompOff, "ExpCompOff", "Exposure compensation off", Exposure, {0x01, 0x04, 0x3E, 0x03}),
    cmd(BackLightOn, "BackLightOn", "Backlight compensation on", Exposure,
        {0x01, 0x04, 0x33, 0x02}),
    cmd(BackLightOff, "BackLightOff", "Backlight compensation off", Exposure,
        {0x01, 0x04, 0x33, 0x03}),
    cmd(AutoSlowShutterOn, "AutoSlowShutterOn", "Auto slow shutter on", Exposure,
        {0x01, 0x04, 0x5A, 0x02}),
    cmd(AutoSlowShutterOff, "AutoSlowShutterOff", "Auto slow shutter off", Exposure,
        {0x01, 0x04, 0x5A, 0x03}),
    // A whole byte: values from 80 up would read as a header on the line.
    cmd(SlowAe, "SlowAe", "Slow AE", Exposure, {0x01, 0x04, 0x5D, 0},
        {byteField("value", 4, 0x00, 0x7F, Show::Hex)}),

    // ---- White balance
    cmd(WbAuto, "WbAuto", "WB mode auto", WhiteBalance, {0x01, 0x04, 0x35, 0x00}),
    cmd(WbIndoor, "WbIndoor", "WB mode indoor", WhiteBalance, {0x01, 0x04, 0x35, 0x01}),
    cmd(WbOutdoor, "WbOutdoor", "WB mode outdoor", WhiteBalance, {0x01, 0x04, 0x35, 0x02}),
    cmd(WbOnePush, "WbOnePush", "WB mode one push", WhiteBalance, {0x01, 0x04, 0x35, 0x03}),
    cmd(WbAtw, "WbAtw", "WB mode ATW", WhiteBalance, {0x01, 0x04, 0x35, 0x04}),
    cmd(WbManual, "WbManual", "WB mode manual", WhiteBalance, {0x01, 0x04, 0x35, 0x05}),
    cmd(WbOnePushTrigger, "WbOnePushTrigger", "WB one-push trigger", WhiteBalance,
        {0x01, 0x04, 0x10, 0x05}),
    cmd(RGainUp, "RGainUp", "R gain up", WhiteBalance, {0x01, 0x04, 0x03, 0x02}),
    cmd(RGainDown, "RGainDown", "R gain down", WhiteBalance, {0x01, 0x04, 0x03, 0x03}),
    cmd(RGainReset, "RGainReset", "R gain reset", WhiteBalance, {0x01, 0x04, 0x03, 0x00}),
    cmd(BGainUp, "BGainUp", "B gain up", WhiteBalance, {0x01, 0x04, 0x04, 0x02}),
    cmd(BGainDown, "BGainDown", "B gain down", WhiteBalance, {0x01, 0x04, 0x04, 0x03}),
    cmd(BGainReset, "BGainReset", "B gain reset", WhiteBalance, {0x01, 0x04, 0x04, 0x00}),
    cmd(RGainDirect, "RGainDirect", "R gain direct", WhiteBalance,
        {0x01, 0x04, 0x43, 0x00, 0x00, 0, 0}, {nibbles("gain", 6, 2, 0, 255, Show::Decimal)}),
    cmd(BGainDirect, "BGainDirect", "B gain direct", WhiteBalance,
        {0x01, 0x04, 0x44, 0x00, 0x00, 0, 0}, {nibbles("gain", 6, 2, 0, 255, Show::Decimal)}),

    // ---- Picture
    cmd(WideDynamicRangeOn, "WideDynamicRangeOn", "Wide dynamic range on", Picture,
        {0x01, 0x04, 0x3D, 0x02}),
    cmd(WideDynamicRangeOff, "WideDynamicRangeOff", "Wide dynamic range off", Picture,
        {0x01, 0x04, 0x3D, 0x03}),
    cmd(HighResolutionOn, "HighResolutionOn", "High resolution on", Picture,
        {0x01, 0x04, 0x52, 0x02}),
    cmd(HighResolutionOff, "HighResolutionOff", "High resolution off", Picture,
        {0x01, 0x04, 0x52, 0x03}),
    cmd(IcrOn, "IcrOn", "ICR on", Picture, {0x01, 0x04, 0x01, 0x02}),
    cmd(IcrOff, "IcrOff", "ICR off", Picture, {0x01, 0x04, 0x01, 0x03}),
    cmd(AutoIcrOn, "AutoIcrOn", "Auto ICR on", Picture, {0x01, 0x04, 0x51, 0x02}),
    cmd(AutoIcrOff, "AutoIcrOff", "Auto ICR off", Picture, {0x01, 0x04, 0x51, 0x03}),
    cmd(IcrThreshold, "IcrThreshold", "Auto ICR threshold", Picture,
        {0x01, 0x04, 0x21, 0x00, 0x00, 0, 0}, {nibbles("level", 6, 2, 0x00, 0xFF)}),
    cmd(PictureFlipOn, "PictureFlipOn", "Picture flip on", Picture, {0x01, 0x04, 0x66, 0x02}),
    cmd(PictureFlipOff, "PictureFlipOff", "Picture flip off", Picture, {0x01, 0x04, 0x66, 0x03}),
    cmd(LrReverseOn, "LrReverseOn", "Left-right reverse on", Picture, {0x01, 0x04, 0x61, 0x02}),
    cmd(LrReverseOff, "LrReverseOff", "Left-right reverse off", Picture, {0x01, 0x04, 0x61, 0x03}),
    cmd(FreezeOn, "FreezeOn", "Freeze on", Picture, {0x01, 0x04, 0x62, 0x02}),
    cmd(FreezeOff, "FreezeOff", "Freeze off", Picture, {0x01, 0x04, 0x62, 0x03}),
    cmd(StabilizerOn, "StabilizerOn", "Image stabilizer on", Picture, {0x01, 0x04, 0x34, 0x02}),
    cmd(StabilizerOff, "StabilizerOff", "Image stabilizer off", Picture, {0x01, 0x04, 0x34, 0x03}),
    cmd(WideModeNormal, "WideModeNormal", "Wide mode normal", Picture, {0x01, 0x04, 0x60, 0x00}),
    cmd(PictureEffectOff, "PictureEffectOff", "Picture effect off", Picture,
        {0x01, 0x04, 0x63, 0x00}),
    cmd(PictureEffectNegativeArt, "PictureEffectNegativeArt", "Picture effect negative art",
        Picture, {0x01, 0x04, 0x63, 0x02}),
    cmd(PictureEffectBlackWhite, "PictureEffectBlackWhite", "Picture effect black and white",
        Picture, {0x01, 0x04, 0x63, 0x04}),
    cmd(DigitalEffectLevel, "DigitalEffectLevel", "Digital effect level", Picture,
        {0x01, 0x04, 0x65, 0}, {byteField("level", 4, 0, 0xFE)}),

    // ---- System
    cmd(PowerOn, "PowerOn", "Power on", System, {0x01, 0x04, 0x00, 0x02}),
    cmd(PowerOff, "PowerOff", "Power off", System, {0x01, 0x04, 0x00, 0x03}),
    cmd(KeyLockOn, "KeyLockOn", "Key lock on", System, {0x01, 0x04, 0x17, 0x02}),
    cmd(KeyLockOff, "KeyLockOff", "Key lock off", System, {0x01, 0x04, 0x17, 0x00}),
    cmd(MuteOn, "MuteOn", "Mute on", System, {0x01, 0x04, 0x75, 0x02}),
    cmd(MuteOff, "MuteOff", "Mute off", System, {0x01, 0x04, 0x75, 0x03}),
    cmd(CameraIdWrite, "CameraIdWrite", "Camera ID write", System, {0x01, 0x04, 0x22, 0, 0, 0, 0},
        {nibbles("ID", 4, 4, 0, 0xFFFF, Show::Decimal)}),
    cmd(PresetSet, "PresetSet", "Memory preset set", System, {0x01, 0x04, 0x3F, 0x01, 0},
        {byteField("preset", 5, 0, 5)}),
    cmd(PresetRecall, "PresetRecall", "Memory preset recall", System, {0x01, 0x04, 0x3F, 0x02, 0},
        {byteField("preset", 5, 0, 5)}),
    cmd(PresetReset, "PresetReset", "Memory preset reset", System, {0x01, 0x04, 0x3F, 0x00, 0},
        {byteField("preset", 5, 0, 5)}),
    cmd(CustomPresetSet, "CustomPresetSet", "Custom preset set", System,
        {0x01, 0x04, 0x3F, 0x01, 0x7F}),
    cmd(CustomPresetRecall, "CustomPresetRecall", "Custom preset recall", System,
        {0x01, 0x04, 0x3F, 0x02, 0x7F}),
    cmd(CustomPresetReset, "CustomPresetReset", "Custom preset reset", System,
        {0x01, 0x04, 0x3F, 0x00, 0x7F}),
    cmd(UserMemoryWrite, "UserMemoryWrite", "16-byte memory write", System,
        {0x01, 0x04, 0x23, 0, 0, 0, 0, 0},
        {byteField("address", 4, 0, 7), nibbles("upper", 5, 2, 0x00, 0xFF),
         nibbles("lower", 7, 2, 0x00, 0xFF)}),

    // ---- Display
    cmd(DataScreenOn, "DataScreenOn", "Data screen on", Display, {0x01, 0x04, 0x15, 0x02}),
    cmd(DataScreenOff, "DataScreenOff", "Data screen off", Display, {0x01, 0x04, 0x15, 0x03}),

    // ---- Sync and V-phase
    cmd(SyncInternal, "SyncInternal", "Sync internal", Sync, {0x01, 0x04, 0x55, 0x00}),
    cmd(SyncLineLock, "SyncLineLock", "Sync line lock", Sync, {0x01, 0x04, 0x55, 0x01}),
    cmd(VPhase0, "VPhase0", "V-phase 0 degrees", Sync, {0x01, 0x04, 0x25, 0x00}),
    cmd(VPhase180, "VPhase180", "V-phase 180 degrees", Sync, {0x01, 0x04, 0x25, 0x01}),
    cmd(VPhaseUp, "VPhaseUp", "V-phase up", Sync, {0x01, 0x04, 0x05, 0x02}),
    cmd(VPhaseDown, "VPhaseDown", "V-phase down", Sync, {0x01, 0x04, 0x05, 0x03}),
    cmd(VPhaseStop, "VPhaseStop", "V-phase stop", Sync, {0x01, 0x04, 0x05, 0x00}),
    cmd(VPhaseReset, "VPhaseReset", "V-phase reset", Sync, {0x01, 0x04, 0x05, 0x40}),
    // Ten bits, as the status read reports the phase.
    cmd(VPhaseDirect, "VPhaseDirect", "V-phase direct", Sync, {0x01, 0x04, 0x45, 0, 0, 0, 0},
        {nibbles("phase", 4, 4, 0, 0x3FF, Show::Decimal)}),

    // ---- Title
    // The main window's switch and the editors' switch are different packets.
    cmd(TitleMenuOn, "TitleMenuOn", "Title display on (main menu)", Title,
        {0x01, 0x04, 0x73, 0x02}),
    cmd(TitleMenuOff, "TitleMenuOff", "Title display off (main menu)", Title,
        {0x01, 0x04, 0x74, 0x03}),
    cmd(TitleDisplayOn, "TitleDisplayOn", "Title display on", Title, {0x01, 0x04, 0x74, 0x2F}),
    cmd(TitleDisplayOff, "TitleDisplayOff", "Title display off", Title, {0x01, 0x04, 0x74, 0x3F}),
    cmd(TitleClear, "TitleClear", "Title clear", Title, {0x01, 0x04, 0x74, 0x1F}),
    // The opening byte is sent as typed, but never as FF.
    cmd(TitleLineSetting, "TitleLineSetting", "Title line setting", Title,
        {0x01, 0x04, 0x73, 0x10, 0x00, 0, 0, 0, 0, 0x00, 0x00, 0x00, 0x00, 0x00},
        {lowNibble("line", 4, 0, kLastTitleLine), byteField("horizontal", 6, 0, 23),
         byteField("colour", 7, 0, 6), byteField("blink", 8, 0, 1),
         byteField("opening", 9, 0, 0xFE)}),
    cmd(TitleFirstHalf, "TitleFirstHalf", "Title characters 1-10", Title,
        {0x01, 0x04, 0x73, 0x20, 0, 0, 0, 0, 0, 0, 0, 0, 0, 0},
        {lowNibble("line", 4, 0, kLastTitleLine), run("characters", 5, 10, kTitleCodeMax)}),
    cmd(TitleSecondHalf, "TitleSecondHalf", "Title characters 11-20", Title,
        {0x01, 0x04, 0x73, 0x30, 0, 0, 0, 0, 0, 0, 0, 0, 0, 0},
        {lowNibble("line", 4, 0, kLastTitleLine), run("characters", 5, 10, kTitleCodeMax)}),

    // ---- Clock
    cmd(ClockSet, "ClockSet", "Clock set", Clock, {0x01, 0x04, 0x70, 0, 0, 0, 0, 0, 0, 0, 0, 0, 0},
        {digits("year", 4, 0, 99), digits("month", 6, 1, 12), digits("day", 8, 1, 31),
         digits("hour", 10, 0, 23), digits("minute", 12, 0, 59)}),
    cmd(DateDisplayOn, "DateDisplayOn", "Date display on", Clock, {0x01, 0x04, 0x71, 0x02}),
    cmd(DateDisplayOff, "DateDisplayOff", "Date display off", Clock, {0x01, 0x04, 0x71, 0x03}),
    cmd(TimeDisplayOn, "TimeDisplayOn", "Time display on", Clock, {0x01, 0x04, 0x72, 0x02}),
    cmd(TimeDisplayOff, "TimeDisplayOff", "Time display off", Clock, {0x01, 0x04, 0x72, 0x03}),

    // ---- Privacy masks: zones A..X are 00..17
    cmd(PrivacyZoneSet, "PrivacyZoneSet", "Privacy zone set", PrivacyMask,
        {0x01, 0x04, 0x76, 0, 0, 0, 0, 0, 0, 0, 0, 0, 0},
        {byteField("zone", 4, 0, kZoneMax), byteField("new", 5, 0, 1),
         nibbles("x", 6, 2, 0x00, 0xFF), nibbles("y", 8, 2, 0x00, 0xFF),
         nibbles("width", 10, 2, 0x00, 0xFF), nibbles("height", 12, 2, 0x00, 0xFF)}),
    cmd(SphericalZoneSet, "SphericalZoneSet", "Spherical mask set", PrivacyMask,
        {0x01, 0x04, 0x76, 0, 0, 0, 0, 0, 0},
        {byteField("zone", 4, 0, kZoneMax), byteField("new", 5, 0, 1),
         nibbles("width", 6, 2, 0x00, 0xFF), nibbles("height", 8, 2, 0x00, 0xFF)}),
    // Earlier family: zones 2i+1 and 2i+2 on the 16 x 12 grid, one digit a byte.
    cmd(PrivacyZonePairSet, "PrivacyZonePairSet", "Privacy zone pair set (earlier family)",
        PrivacyMask, {0x01, 0x04, 0x76, 0, 0, 0, 0, 0, 0, 0, 0, 0},
        {byteField("pair", 4, 0, 2), byteField("x1", 5, 0, 0xF, Show::Hex),
         byteField("y1", 6, 0, 0xF, Show::Hex), byteField("width1", 7, 0, 0xF, Show::Hex),
         byteField("height1", 8, 0, 0xF, Show::Hex), byteField("x2", 9, 0, 0xF, Show::Hex),
         byteField("y2", 10, 0, 0xF, Show::Hex), byteField("width2", 11, 0, 0xF, Show::Hex),
         byteField("height2", 12, 0, 0xF, Show::Hex)}),
    cmd(PrivacyDisplay, "PrivacyDisplay", "Privacy zone display", PrivacyMask,
        {0x01, 0x04, 0x77, 0, 0, 0, 0}, {run("zones", 4, 4, kBitmapMax)}),
    cmd(PrivacyAOn, "PrivacyAOn", "Privacy on (earlier family)", PrivacyMask,
        {0x01, 0x04, 0x77, 0x02}),
    cmd(PrivacyAOff, "PrivacyAOff", "Privacy off (earlier family)", PrivacyMask,
        {0x01, 0x04, 0x77, 0x03}),
    cmd(PrivacyAClear, "PrivacyAClear", "Privacy clear (earlier family)", PrivacyMask,
        {0x01, 0x04, 0x77, 0x00}),
    cmd(MaskColour, "MaskColour", "Mask colour set", PrivacyMask,
        {0x01, 0x04, 0x78, 0, 0, 0, 0, 0, 0},
        {run("zones", 4, 4, kBitmapMax), lowNibble("colour 1", 8, 0, kColourMax),
         highNibble("half 1", 8, 0, 1), lowNibble("colour 2", 9, 0, kColourMax),
         highNibble("half 2", 9, 0, 1)}),
    cmd(MaskColourMosaic1, "MaskColourMosaic1", "Mask colour set, mosaic as colour 1", PrivacyMask,
        {0x01, 0x04, 0x78, 0, 0, 0, 0, 0x7F, 0},
        {run("zones", 4, 4, kBitmapMax), lowNibble("colour 2", 9, 0, kColourMax)}),
    cmd(MaskColourMosaic2, "MaskColourMosaic2", "Mask colour set, mosaic as colour 2", PrivacyMask,
        {0x01, 0x04, 0x78, 0, 0, 0, 0, 0, 0x7F},
        {run("zones", 4, 4, kBitmapMax), lowNibble("colour 1", 8, 0, kColourMax)}),
    cmd(PanTiltAngle, "PanTiltAngle", "Pan tilt angle", PrivacyMask,
        {0x01, 0x04, 0x79, 0, 0, 0, 0, 0, 0},
        {nibbles("pan", 4, 3, 0x000, 0xFFF), nibbles("tilt", 7, 3, 0x000, 0xFFF)}),
    // Direction: high nibble 1 right / 2 left, low nibble 1 up / 2 down.
    cmd(MovePanTilt, "MovePanTilt", "Move pan tilt", PrivacyMask, {0x01, 0x04, 0x7A, 0, 0, 0, 0, 0},
        {nibbles("pan", 4, 2, 0x00, 0xFF), nibbles("tilt", 6, 2, 0x00, 0xFF),
         highNibble("across", 8, 0, 2), lowNibble("up-down", 8, 0, 2)}),
    cmd(MaskPtz, "MaskPtz", "Mask PTZ set", PrivacyMask,
        {0x01, 0x04, 0x7B, 0, 0, 0, 0, 0, 0, 0, 0, 0, 0, 0},
        {byteField("mask", 4, 0, kZoneMax), nibbles("pan", 5, 3, 0x000, 0xFFF),
         nibbles("tilt", 8, 3, 0x000, 0xFFF), nibbles("zoom", 11, 4, 0x0000, 0xFFFF)}),
    cmd(NonInterlockMask, "NonInterlockMask", "Non-interlock mask", PrivacyMask,
        {0x01, 0x04, 0x6F, 0, 0, 0, 0, 0, 0, 0, 0, 0},
        {byteField("mask", 4, 0, kZoneMax), nibbles("x", 5, 2, 0x00, 0xFF),
         nibbles("y", 7, 2, 0x00, 0xFF), nibbles("width", 9, 2, 0x00, 0xFF),
         nibbles("height", 11, 2, 0x00, 0xFF)}),
    cmd(MaskGridOn, "MaskGridOn", "Mask grid on", PrivacyMask, {0x01, 0x04, 0x7C, 0x02}),
    cmd(MaskGridOff, "MaskGridOff", "Mask grid off", PrivacyMask, {0x01, 0x04, 0x7C, 0x03}),
    cmd(MaskCentreOn, "MaskCentreOn", "Mask centre on", PrivacyMask, {0x01, 0x04, 0x7C, 0x04}),

    // ---- Motion detection
    cmd(AlarmModeSet, "AlarmModeSet", "Alarm mode set", MotionDetection, {0x01, 0x04, 0x6C, 0},
        {byteField("mode", 4, 0x00, 0x0C)}),
    cmd(AlarmLevels, "AlarmLevels", "Alarm day/night AE levels", MotionDetection,
        {0x01, 0x04, 0x6D, 0, 0, 0, 0, 0, 0},
        {nibbles("day", 4, 3, 0x000, 0xFFF), nibbles("night", 7, 3, 0x000, 0xFFF)}),
    cmd(AlarmStart, "AlarmStart", "Alarm detection start", MotionDetection,
        {0x01, 0x04, 0x6B, 0x02}),
    cmd(AlarmStop, "AlarmStop", "Alarm detection stop", MotionDetection, {0x01, 0x04, 0x6B, 0x03}),
    cmd(AlarmSwitchOn, "AlarmSwitchOn", "Alarm switch on", MotionDetection,
        {0x01, 0x04, 0x5E, 0x02}),
    cmd(AlarmSwitchOff, "AlarmSwitchOff", "Alarm switch off", MotionDetection,
        {0x01, 0x04, 0x5E, 0x03}),
    // Later family: 03 switches detection on, 02 off.
    cmd(MotionDetectionOn, "MotionDetectionOn", "Motion detection on", MotionDetection,
        {0x01, 0x04, 0x1B, 0x03}),
    cmd(MotionDetectionOff, "MotionDetectionOff", "Motion detection off", MotionDetection,
        {0x01, 0x04, 0x1B, 0x02}),
    // Display 1 frames, 2 blocks, 3 both; frames: bit k = detection frame k.
    cmd(MotionFunctionSet, "MotionFunctionSet", "Motion detection function set", MotionDetection,
        {0x01, 0x04, 0x1C, 0, 0, 0, 0, 0, 0},
        {byteField("display", 4, 1, 3), byteField("frames", 5, 0x0, 0xF, Show::Hex),
         nibbles("threshold", 6, 2, 0x00, 0xFF), nibbles("interval", 8, 2, 0x00, 0xFF)}),
    // A window of blocks on the 13 x 9 grid; start before stop.
    cmd(MotionWindowSet, "MotionWindowSet", "Motion detection window set", MotionDetection,
        {0x01, 0x04, 0x1D, 0, 0, 0, 0, 0},
        {byteField("frame", 4, 0, 3), byteField("across start", 5, 0x0, 0xB, Show::Hex),
         byteField("down start", 6, 0x0, 0x7, Show::Hex),
         byteField("across stop", 7, 0x1, 0xC, Show::Hex),
         byteField("down stop", 8, 0x1, 0x8, Show::Hex)}),

    // ---- AE spot: a cell of the 16 x 16 grid
    cmd(AeSpotOn, "AeSpotOn", "AE spot on", AeSpot, {0x01, 0x04, 0x59, 0x02}),
    cmd(AeSpotOff, "AeSpotOff", "AE spot off", AeSpot, {0x01, 0x04, 0x59, 0x03}),
    cmd(AeSpotPosition, "AeSpotPosition", "AE spot position", AeSpot,
        {0x01, 0x04, 0x29, 0x00, 0, 0x00, 0},
        {byteField("across", 5, 0x0, 0xF, Show::Hex), byteField("down", 7, 0x0, 0xF, Show::Hex)}),

    // ---- Service: EEPROM cells have three digits, data two
    cmd(EepromSettingMode, "EepromSettingMode", "EEPROM setting mode", Service,
        {0x01, 0x7F, 0x01, 0x7F}),
    cmd(EepromProtectRelease, "EepromProtectRelease", "EEPROM write protect release", Service,
        {0x01, 0x7F, 0x7F, 0x02, 0x00, 0x00, 0x01, 0x00, 0x01}),
    cmd(EepromBaudRate9600, "EepromBaudRate9600", "Camera baud rate 9600 (EEPROM)", Service,
        {0x01, 0x7F, 0x7F, 0x02, 0x0C, 0x0F, 0x0C, 0x00, 0x00}),
    cmd(EepromBaudRate19200, "EepromBaudRate19200", "Camera baud rate 19200 (EEPROM)", Service,
        {0x01, 0x7F, 0x7F, 0x02, 0x0C, 0x0F, 0x0C, 0x00, 0x01}),
    cmd(EepromBaudRate38400, "EepromBaudRate38400", "Camera baud rate 38400 (EEPROM)", Service,
        {0x01, 0x7F, 0x7F, 0x02, 0x0C, 0x0F, 0x0C, 0x00, 0x02}),
    cmd(EepromWrite, "EepromWrite", "EEPROM write", Service,
        {0x01, 0x7F, 0x7F, 0x02, 0, 0, 0, 0, 0},
        {nibbles("address", 5, 3, 0x000, 0xFFF), nibbles("data", 8, 2, 0x00, 0xFF)}),
    cmd(EepromSet, "EepromSet", "EEPROM set", Service, {0x01, 0x7F, 0x7F, 0x03, 0, 0, 0, 0, 0},
        {nibbles("address", 5, 3, 0x000, 0xFFF), nibbles("data", 8, 2, 0x00, 0xFF)}),
    inquiry(EepromRead, "EepromRead", "EEPROM read", Service, {0x09, 0x7F, 0x7F, 0x01, 0, 0, 0}, 7,
            {nibbles("address", 5, 3, 0x000, 0xFFF)}),
    cmd(RegisterSet, "RegisterSet", "Register set", Service, {0x01, 0x04, 0x24, 0, 0, 0},
        {byteField("register", 4, 0x00, 0x7F, Show::Hex), nibbles("value", 5, 2, 0x00, 0xFF)}),

    // ---- Inquiries
    inquiry(VersionInquiry, "VersionInquiry", "Version inquiry", Inquiry, {0x09, 0x00, 0x02}, 10),
    inquiry(LensBlockInquiry, "LensBlockInquiry", "Lens status inquiry", Inquiry,
            {0x09, 0x7E, 0x7E, 0x00}, 16),
    inquiry(CameraBlockInquiry, "CameraBlockInquiry", "Camera status inquiry", Inquiry,
            {0x09, 0x7E, 0x7E, 0x01}, 16),
    inquiry(OtherBlockInquiry, "OtherBlockInquiry", "Other status inquiry", Inquiry,
            {0x09, 0x7E, 0x7E, 0x02}, 16),
    inquiry(ExtendedBlockInquiry, "ExtendedBlockInquiry", "Extended status inquiry", Inquiry,
            {0x09, 0x7E, 0x7E, 0x03}, 16),
    inquiry(AlarmStatusInquiry, "AlarmStatusInquiry", "Alarm detection inquiry", Inquiry,
            {0x09, 0x04, 0x6B}, 4),
    inquiry(AlarmModeInquiry, "AlarmModeInquiry", "Alarm mode inquiry", Inquiry, {0x09, 0x04, 0x6C},
            4),
    inquiry(AlarmLevelInquiry, "AlarmLevelInquiry", "Alarm level inquiry", Inquiry,
            {0x09, 0x04, 0x6D}, 12),
    inquiry(UserMemoryRead, "UserMemoryRead", "16-byte memory read", Inquiry, {0x09, 0x04, 0x23, 0},
            0, {byteField("address", 4, 0, 7)}),

    // ---- Broadcasts
    broadcast(InterfaceClear, "InterfaceClear", "Interface clear (all cameras)", {0x01, 0x00, 0x01},
              Expect::InterfaceClear),
    broadcast(AddressSet, "AddressSet", "Address set, first address 1", {0x30, 0x01},
              Expect::AddressSet),
};

static_assert(std::size(kTable) == std::size_t(kEntryCount), "one row per Id");

// Everything the decoder and the builder rely on, checked once by the
// compiler: rows in Id order, fields inside the body and apart from each
// other, only zeros under a field, values that fit their bytes and can never
// form FF.
constexpr bool fieldFits(const Field &f)
{
    switch (f.packing) {
    case Packing::Byte:
    case Packing::Run:
        return f.max <= 0xFE;
    case Packing::LowNibble:
    case Packing::HighNibble:
        return f.count == 1 && f.max <= 0x0F;
    case Packing::Nibbles:
        return f.count >= 1 && f.count <= 4 && f.max <= (1u << (4 * f.count)) - 1;
    case Packing::Digits:
        return f.count == 2 && f.max <= 99;
    }
    return false;
}

constexpr bool rowValid(const Entry &e, int index)
{
    if (int(e.id) != index || e.length < 4 || e.length > kMaxPacket || e.fieldCount > kMaxFields)
        return false;
    if (e.valueCount() > kMaxValues)
        return false;
    // The decoder's index reads bytes 1..3; they must be fixed.
    for (int i = 1; i <= 3; ++i)
        if (e.fixedMask[std::size_t(i)] != 0xFF)
            return false;
    std::array<std::uint8_t, kMaxPacket> used{};
    for (const Field &f : e.fieldList()) {
        if (!fieldFits(f) || f.min > f.max || f.at < 1 || f.at + f.count > e.length - 1)
            return false;
        for (int k = 0; k < f.count; ++k) {
            const auto p = std::size_t(f.at + k);
            const std::uint8_t bits = fieldBits(f);
            if ((used[p] & bits) || (e.fixed[p] & bits))
                return false;
            used[p] |= bits;
        }
    }
    // The highest byte any combination of values can form stays below FF
    // (fields hold apart bits of a byte, so their largest values add up).
    std::array<unsigned, kMaxPacket> highest{};
    for (int i = 1; i < e.length - 1; ++i)
        highest[std::size_t(i)] = e.fixed[std::size_t(i)];
    for (const Field &f : e.fieldList())
        for (int k = 0; k < f.count; ++k) {
            const auto p = std::size_t(f.at + k);
            switch (f.packing) {
            case Packing::Byte:
            case Packing::Run:
            case Packing::LowNibble:
                highest[p] += f.max;
                break;
            case Packing::HighNibble:
                highest[p] += unsigned(f.max) << 4;
                break;
            case Packing::Nibbles:
                highest[p] += 0x0F;
                break;
            case Packing::Digits:
                highest[p] += 9;
                break;
            }
        }
    for (int i = 1; i < e.length - 1; ++i)
        if (highest[std::size_t(i)] >= 0xFF)
            return false;
    return true;
}

constexpr bool tableValid()
{
    for (std::size_t i = 0; i < std::size(kTable); ++i)
        if (!rowValid(kTable[i], int(i)))
            return false;
    return true;
}

static_assert(tableValid(), "a row of the catalog breaks a rule of the table");

constexpr bool sameText(const char *a, const char *b)
{
    while (*a && *a == *b)
        ++a, ++b;
    return *a == *b;
}

// Keys are what programs name packets by: each one a plain identifier, and
// no two alike.
constexpr bool keysValid()
{
    for (std::size_t i = 0; i < std::size(kTable); ++i) {
        const char *k = kTable[i].key;
        if (!*k)
            return false;
        for (const char *c = k; *c; ++c)
            if (!((*c >= 'A' && *c <= 'Z') || (*c >= 'a' && *c <= 'z') || (*c >= '0' && *c <= '9')))
                return false;
        for (std::size_t j = 0; j < i; ++j)
            if (sameText(k, kTable[j].key))
                return false;
    }
    return true;
}

static_assert(keysValid(), "catalog keys must be distinct identifiers");

} // namespace

std::span<const Entry> table()
{
    return kTable;
}

} // namespace zam::catalog
