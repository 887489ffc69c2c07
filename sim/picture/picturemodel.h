#pragma once
// What the picture needs to know of a camera model: its video system (the
// frame size), its optical zoom and whether its masks are spherical (placed
// by pan, tilt and zoom). The panel keeps its own model table; the simulated
// picture keeps this one, from the same model codes.

#include <QSize>
#include <cstdint>

namespace zam::sim {

struct PictureModel {
    bool pal = false;       // 720 x 576 (PAL, CCIR); else 720 x 480 (NTSC, EIA, PS)
    int opticalZoom = 18;   // magnification at the optical tele end: 10, 18 or 25
    bool spherical = false; // privacy masks follow pan, tilt and zoom
};

// Digital zoom at its far end multiplies the optical magnification by this.
inline constexpr int kDigitalZoomTimes = 12;

// The row of a model code; an unknown code draws as an 18x NTSC camera.
PictureModel pictureModel(std::uint8_t modelCode);

inline QSize frameSize(const PictureModel &m)
{
    return m.pal ? QSize(720, 576) : QSize(720, 480);
}

} // namespace zam::sim
