#pragma once
// What one simulated camera remembers. Commands change it; inquiries read it
// back in the layouts the panel decodes (rules_status.cpp).

#include "drive.h"

#include <QByteArray>
#include <array>
#include <cstdint>

namespace zam::sim {

// The camera's ranges.
inline constexpr int kZoomOpticalTele = 0x4000;  // zoom, optical: 0 (wide) .. tele
inline constexpr int kZoomCombinedTele = 0x7000; // zoom with digital zoom combined
inline constexpr int kDigitalZoomMax = 0xDC;     // digital zoom, separate mode
inline constexpr int kFocusFar = 0x1000;         // focus: far (infinity) end
inline constexpr int kFocusNear = 0xC000;        // focus: nearest possible
inline constexpr int kVPhaseMax = 1023;

struct LensState {
    Drive zoom{0, kZoomOpticalTele, kZoomOpticalTele, 0};
    Drive digitalZoom{0, kDigitalZoomMax, kDigitalZoomMax, 0};
    // Range far end .. near limit; a larger value focuses nearer.
    Drive focus{kFocusFar, kFocusNear, kFocusNear - kFocusFar, kFocusFar};
    int nearLimit = kFocusNear;
    bool digitalZoomOn = false;
    bool digitalZoomSeparate = false;
    bool focusAuto = true;
    bool afSensitivity = false; // lens byte 13 bit 2
    int afMode = 0;             // 0 normal, 1 interval, 2 zoom trigger
    int afActiveTime = 0x05;    // interval AF
    int afIntervalTime = 0x05;
};

struct ExposureState {
    int aeMode = 0x00;    // 00, 03, 0A..0D, 1B
    int shutter = 6;      // 0..21
    int iris = 8;         // 0..17
    int gain = 1;         // 0..15
    int bright = 13;      // 0..31
    int expCompLevel = 7; // 0..14, 7 = 0 dB
    int aperture = 5;     // 0..15
    bool expComp = false;
    bool backLight = false;
    bool autoSlowShutter = false;
    int slowAE = 0x01; // 01..20
};

struct WhiteBalanceState {
    int mode = 0; // 0 auto, 1 indoor, 2 outdoor, 3 one push, 4 ATW, 5 manual
    int rGain = 0x80;
    int bGain = 0x80;
};

struct PictureState {
    bool wideDynamicRange = false;
    bool highResolution = false;
    bool icr = false;
    bool autoICR = false;
    int icrThreshold = 0x00;
    bool flip = false;
    bool lrReverse = false;
    bool freeze = false;
    bool stabilizer = false;
    int wideMode = 0; // 0 normal
    int effect = 0;   // as reported: 0 off, 1 negative art, 4 black and white
    int digitalEffectLevel = 0;
};

// What a memory preset keeps, and what its recall restores.
struct Preset {
    int zoom = 0;
    int digitalZoom = 0;
    int focus = kFocusFar;
    bool focusAuto = true;
    ExposureState exposure;
    WhiteBalanceState whiteBalance;
};
inline constexpr int kPresetCount = 6; // presets 0..5; the custom preset follows
inline constexpr int kCustomPreset = kPresetCount;

struct CameraState {
    std::uint8_t modelCode = 0x30;
    // Version reply bytes 2..8 apart from the model code (byte 5).
    std::uint8_t vendor[2] = {0x00, 0x20};
    std::uint8_t romVersion[2] = {0x01, 0x10};
    std::uint8_t socket = 0x02;

    bool power = true;
    bool keyLock = false;
    bool mute = false;
    int cameraId = 0;
    std::array<std::uint8_t, 16> userMemory{}; // 8 addresses of 2 bytes
    std::array<Preset, kPresetCount + 1> presets{};

    LensState lens;
    ExposureState exposure;
    WhiteBalanceState whiteBalance;
    PictureState picture;

    // Display and synchronisation.
    bool dataScreen = false;
    bool lineLock = false; // external line lock (else internal)
    bool vp0180 = false;   // reported as "0 degree" when set
    Drive vPhase{0, kVPhaseMax, kVPhaseMax, 0};
    int shutterColumn = 0; // 0 or 1: which shutter-speed list the camera uses

    // Motion-detection alarm.
    bool mdActive = false;
    int mdMode = 0x00;      // 00..0C
    int mdDayLevel = 0xFFF; // 000..FFF
    int mdNightLevel = 0xFFF;
    int mdNowLevel = 0x000;
};

} // namespace zam::sim
