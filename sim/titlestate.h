#pragma once
// What a simulated camera keeps of its title lines and the clock.

namespace zam::sim {

struct TitleState {
};

} // namespace zam::sim
