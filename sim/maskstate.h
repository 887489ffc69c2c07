#pragma once
// What a simulated camera keeps of its privacy masks, motion detection of the
// later family and the AE spot. The alarm detection of the earlier family
// lives in CameraState (mdActive, mdMode, the levels), where the alarm
// inquiries read it.

#include <array>
#include <cstdint>

namespace zam::sim {

inline constexpr int kMaskZones = 24; // zones A..X

struct MaskZone {
    bool defined = false;
    int x = 0; // B generation and non-interlock masks; unused by spherical zones
    int y = 0;
    int width = 0;
    int height = 0;
    bool spherical = false; // set by width and height alone (x, y unused)
};

struct PtzMask {
    bool defined = false;
    int pan = 0; // 12-bit angle codes
    int tilt = 0;
    int zoom = 0; // zoom position 0000..FFFF
};

struct MaskRect {
    int x = 0;
    int y = 0;
    int width = 0;
    int height = 0;
};

struct DetectFrameWindow {
    int hStart = 0;
    int vStart = 1;
    int hStop = 1;
    int vStop = 2;
};

struct MaskState {
    // Privacy zones (B generation rectangles, spherical sizes).
    std::array<MaskZone, kMaskZones> zones{};
    std::uint32_t shownZones = 0;  // bit i = zone i shown
    std::uint32_t colourZones = 0; // zones of the last colour packet
    int colour1 = 0x00;            // 00..0D, +10 half, 7F mosaic
    int colour2 = 0x00;
    bool grid = false;
    bool centreMark = false;
    int panAngle = 0; // last pan/tilt angle sent
    int tiltAngle = 0;
    int moveDirection = 0x00; // last move: direction byte and amounts
    int movePan = 0;
    int moveTilt = 0;
    std::array<PtzMask, kMaskZones> ptz{};
    std::array<MaskRect, kMaskZones> nonInterlock{};

    // A generation: six rectangles on the 16 x 12 grid and one switch.
    std::array<MaskRect, 6> zonesA{};
    bool maskingA = false;

    // Earlier family alarm output switch (8x 01 04 5E).
    bool alarmSwitch = false;

    // Later family motion detection.
    bool detecting = false;
    int detectDisplay = 1;   // 1 frames, 2 blocks, 3 both
    int detectFrames = 0x01; // bit k = frame k
    int detectThreshold = 0x01;
    int detectInterval = 0x01;
    std::array<DetectFrameWindow, 4> detectWindows{};

    // AE spot.
    bool aeSpot = false;
    int spotQ = 8;
    int spotS = 8;
};

} // namespace zam::sim
