#pragma once
// The picture in words, for those who cannot see it (a screen reader reads it
// from the picture window) and for logs: what the lens does, the effects,
// the titles as text, the clock, and what lies over the scene. Drawn from
// the same state as the picture, with the picture's own tables.

#include "simpicture.h"

#include <QString>

namespace zam::sim {

// One short line: the frame size, the zoom and whether it is sharp, or
// standby.
QString pictureSummary(const PictureSource &src, std::int64_t nowMs);

// Everything the picture shows, one item to a line (the summary first).
QString describePicture(const PictureSource &src, std::int64_t nowMs);

} // namespace zam::sim
