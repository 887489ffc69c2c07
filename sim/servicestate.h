#pragma once
// What a simulated camera keeps of its EEPROM image, registers and line speed.

namespace zam::sim {

struct ServiceState {
};

} // namespace zam::sim
