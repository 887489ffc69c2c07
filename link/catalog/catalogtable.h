#pragma once
// The catalog's table and what its checks and its users share; the public
// face is catalog.h.

#include "catalog.h"

namespace zam::catalog {

// The bits of each of its bytes that a field carries.
constexpr std::uint8_t fieldBits(const Field &f)
{
    switch (f.packing) {
    case Packing::Byte:
    case Packing::Run:
        return 0xFF;
    case Packing::HighNibble:
        return 0xF0;
    case Packing::Nibbles:
    case Packing::LowNibble:
    case Packing::Digits:
        return 0x0F;
    }
    return 0xFF;
}

// Every row, in Id order.
std::span<const Entry> table();

} // namespace zam::catalog
