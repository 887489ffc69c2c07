#pragma once
// The settings a camera settings file holds, one key each (the file's key
// names and packets are in camerasettings.cpp). The mode and restriction
// tables name the keys a mode gates or a model lacks by these.

#include <cstdint>

namespace zam {

// In load order: a mode comes before the values it gates.
enum class Setting : std::uint8_t {
    DigitalZoomSeparate,
    DigitalZoom,
    ZoomPosition,
    DigitalZoomPosition,
    FocusNearLimit,
    FocusAuto,
    FocusPosition,
    AfSensitivityLow,
    AeMode,
    ShutterPosition,
    IrisPosition,
    GainPosition,
    BrightPosition,
    ExpComp,
    ExpCompLevel,
    BackLight,
    AutoSlowShutter,
    Aperture,
    WbMode,
    RGain,
    BGain,
    PictureEffect,
    DigitalEffectLevel,
    PictureFlip,
    LrReverse,
    Stabilizer,
    AutoIcr,
    Sync,
    VPhase180,
    VPhase,
    CameraId,
    Count
};
inline constexpr int kSettingCount = int(Setting::Count);

} // namespace zam
