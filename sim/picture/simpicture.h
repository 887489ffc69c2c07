#pragma once
// The picture a simulated camera would put out, drawn from what it holds:
// the scene through the lens (zoom, digital zoom, focus), exposure and white
// balance, the picture functions, then what the camera lays over it (privacy
// masks, detection frames, the AE spot, titles and the clock).
//
// A synthetic scene is drawn once per frame size; each frame crops and
// scales it for the field of view, blurs it by the focus error and maps it
// through one lookup table per channel. Time comes in as a parameter (motors
// move on the chain's clock), never from the wall clock.
//
// Placement grids on the frame:
//   titles          24 columns x 12 rows; line L on row L, from column hh
//   masks (B gen.)  X, Y, W, H in 32 x 24 cells; non-interlock rectangles too
//   masks (spher.)  W, H in the same cells: in the middle of the view until
//                   placed at a pan, tilt and zoom, then as seen from the head
//   masks (A gen.)  16 x 12 cells
//   detection       13 x 9 blocks; a window covers its start to stop block
//   AE spot         16 x 16 cells, frame at cell (q, s)

#include "camerastate.h"
#include "maskstate.h"
#include "picturemodel.h"
#include "titlestate.h"

#include <QImage>
#include <array>
#include <cstdint>
#include <map>

namespace zam::sim {

class SimCamera;

// What the picture is drawn from: one camera's state, read only.
struct PictureSource {
    const CameraState &state;
    const TitleState &titles;
    const MaskState &masks;
};

// The lens as the picture sees it at a moment.
struct LensView {
    double magnification = 1; // optical times digital
    double blurPx = 0;        // focus error as a blur radius on the frame
};

// The position the scene is sharp at: auto focus settles there.
inline constexpr int kSceneFocus = 0x6000;

LensView lensView(const PictureModel &model, const LensState &lens, std::int64_t nowMs);

// Changes whenever the picture of `cam` can have changed since: a packet,
// a running motor, a blinking title's phase.
std::uint64_t pictureKey(const SimCamera &cam, std::int64_t nowMs);

class PictureRenderer {
public:
    QImage render(const PictureSource &src, std::int64_t nowMs);
    QImage render(const SimCamera &cam, std::int64_t nowMs);

    // The scene alone, as the lens sees it at the wide end (tests, bench).
    const QImage &scene(QSize size);

private:
    QImage liveScene(const PictureSource &src, const PictureModel &model, std::int64_t nowMs);
    void applyTables(QImage &img, const CameraState &s) const;
    void drawOverlays(QImage &img, const PictureSource &src, const PictureModel &model,
                      std::int64_t nowMs);
    void drawTitleCell(class QPainter &p, const QRect &cell, std::uint8_t code, int colour);
    const QImage &glyph(std::uint8_t code, int colour, QSize cell);

    QImage m_scene;
    QImage m_held; // the last live picture, which freeze holds
    // Title glyphs drawn once per colour and cell size.
    std::map<std::uint32_t, QImage> m_glyphs;
    QSize m_glyphCell;
};

} // namespace zam::sim
