#include "picturemodel.h"

#include <array>

namespace zam::sim {

namespace {

// One row per model code 0x11..0x49: video system (N NTSC/EIA/PS, P PAL/CCIR),
// optical zoom, spherical masks (the later generation, capability groups O
// onwards). Codes 0x2C and 0x2D do not exist.
struct Row {
    std::uint8_t code;
    char system;
    std::uint8_t zoom;
    bool spherical;
};

constexpr std::array<Row, 55> kRows{{
    {0x11, 'N', 25, false}, {0x12, 'N', 18, false}, {0x13, 'P', 18, false}, {0x14, 'N', 18, false},
    {0x15, 'P', 18, false}, {0x16, 'N', 18, false}, {0x17, 'P', 18, false}, {0x18, 'N', 18, false},
    {0x19, 'P', 18, false}, {0x1A, 'N', 18, false}, {0x1B, 'P', 18, false}, {0x1C, 'N', 10, false},
    {0x1D, 'P', 10, false}, {0x1E, 'N', 18, false}, {0x1F, 'P', 18, false}, {0x20, 'N', 25, false},
    {0x21, 'P', 25, false}, {0x22, 'N', 25, false}, {0x23, 'P', 25, false}, {0x24, 'N', 18, false},
    {0x25, 'P', 18, false}, {0x26, 'N', 18, false}, {0x27, 'P', 18, false}, {0x28, 'N', 18, false},
    {0x29, 'P', 18, false}, {0x2A, 'N', 18, false}, {0x2B, 'P', 18, false}, {0x2E, 'N', 10, false},
    {0x2F, 'P', 10, false}, {0x30, 'N', 25, true},  {0x31, 'P', 25, true},  {0x32, 'N', 25, true},
    {0x33, 'P', 25, true},  {0x34, 'N', 18, true},  {0x35, 'P', 18, true},  {0x36, 'N', 18, true},
    {0x37, 'P', 18, true},  {0x38, 'N', 18, true},  {0x39, 'P', 18, true},  {0x3A, 'N', 18, true},
    {0x3B, 'P', 18, true},  {0x3C, 'N', 18, true},  {0x3D, 'P', 18, true},  {0x3E, 'N', 18, true},
    {0x3F, 'P', 18, true},  {0x40, 'N', 18, true},  {0x41, 'N', 10, true},  {0x42, 'N', 25, true},
    {0x43, 'P', 25, true},  {0x44, 'N', 25, true},  {0x45, 'P', 25, true},  {0x46, 'N', 25, true},
    {0x47, 'P', 25, true},  {0x48, 'N', 18, true},  {0x49, 'P', 18, true},
}};

} // namespace

PictureModel pictureModel(std::uint8_t modelCode)
{
    for (const Row &r : kRows)
        if (r.code == modelCode)
            return {r.system == 'P', r.zoom, r.spherical};
    return {};
}

} // namespace zam::sim
