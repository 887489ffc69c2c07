#pragma once
// What one simulated camera remembers. Commands change it; inquiries read it
// back in the layouts the panel decodes. Each command group adds its fields.

#include <QByteArray>
#include <cstdint>

namespace zam::sim {

struct CameraState {
    std::uint8_t modelCode = 0x30;
    // Version reply bytes 2..8 apart from the model code (byte 5).
    std::uint8_t vendor[2] = {0x00, 0x20};
    std::uint8_t romVersion[2] = {0x01, 0x10};
    std::uint8_t socket = 0x02;

    bool power = true;
};

} // namespace zam::sim
