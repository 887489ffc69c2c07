#pragma once
// The simulated cameras' scene, as the lens sees it at the wide end.

#include <QImage>

namespace zam::sim {

// The centre target's bars lie this many pixels left and right of the
// frame's centre at the wide end.
inline constexpr int kTargetBarOffset = 11;

QImage drawScene(QSize size);

} // namespace zam::sim
