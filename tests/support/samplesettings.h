#pragma once
// A settings file in which every setting is one the modes let a load set
// (manual AE, focus and white balance, digital zoom on in separate mode,
// exposure compensation on), and none is the simulated cameras' start value.

#include <camerasettings.h>

inline zam::CameraSettings sampleSettings()
{
    using namespace zam;
    using S = Setting;
    CameraSettings s;
    s.modelCode = 0x31;
    const std::pair<Setting, int> values[] = {
        {S::DigitalZoomSeparate, 1},
        {S::DigitalZoom, 1},
        {S::ZoomPosition, 0x2345},
        {S::DigitalZoomPosition, 0x80},
        {S::FocusNearLimit, 0xA000},
        {S::FocusAuto, 0},
        {S::FocusPosition, 0x3456},
        {S::AfSensitivityLow, 1},
        {S::AeMode, 0x03},
        {S::ShutterPosition, 12},
        {S::IrisPosition, 9},
        {S::GainPosition, 4},
        {S::BrightPosition, 13},
        {S::ExpComp, 1},
        {S::ExpCompLevel, 10},
        {S::BackLight, 1},
        {S::AutoSlowShutter, 1},
        {S::Aperture, 11},
        {S::WbMode, 5},
        {S::RGain, 0xC8},
        {S::BGain, 0x30},
        {S::PictureEffect, 1},
        {S::DigitalEffectLevel, 0x20},
        {S::PictureFlip, 1},
        {S::LrReverse, 1},
        {S::Stabilizer, 1},
        {S::AutoIcr, 1},
        {S::Sync, 1},
        {S::VPhase180, 1},
        {S::VPhase, 700},
        {S::CameraId, 4660},
    };
    for (const auto &[setting, v] : values)
        s.set(setting, v);
    s.memory = UserMemory{0x12, 0x34, 0, 0, 0xAB, 0xCD, 0, 0, 0, 0, 0, 0, 0, 0, 0xFE, 0xFF};
    return s;
}
