#pragma once
// What a simulated camera keeps of its privacy masks, motion detection and the AE spot.

namespace zam::sim {

struct MaskState {
};

} // namespace zam::sim
