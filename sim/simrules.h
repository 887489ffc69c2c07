#pragma once
// Registration of the packets the simulated cameras understand, one function
// per command group.

#include "simcamera.h"

#include <initializer_list>

namespace zam::sim {

void registerAllRules(std::vector<SimRule> &table);

// The version inquiry and the other packets every camera answers.
void registerBasicRules(std::vector<SimRule> &table);
// Zoom, digital zoom, focus, lens initialise.
void registerLensRules(std::vector<SimRule> &table);
// AE mode, shutter, iris, gain, bright, exposure compensation, aperture.
void registerExposureRules(std::vector<SimRule> &table);
// White-balance mode and gains.
void registerWhiteBalanceRules(std::vector<SimRule> &table);
// Wide-D, high resolution, ICR, flip, reverse, freeze, effects, stabilizer.
void registerPictureRules(std::vector<SimRule> &table);
// Power, key lock, mute, memory presets, 16-byte memory, camera ID.
void registerSystemRules(std::vector<SimRule> &table);
// Data screen, title display, sync, V-phase.
void registerDisplayRules(std::vector<SimRule> &table);
// The four status blocks and the alarm inquiries.
void registerStatusRules(std::vector<SimRule> &table);

// Packet byte at i as an unsigned value (0 when past the end).
inline std::uint8_t at(const QByteArray &p, int i)
{
    return i >= 0 && i < p.size() ? std::uint8_t(p[i]) : 0;
}

// Bytes from small integers (reply building).
inline QByteArray bytes(std::initializer_list<int> values)
{
    QByteArray b;
    b.reserve(qsizetype(values.size()));
    for (int v : values)
        b.append(char(v & 0xFF));
    return b;
}

} // namespace zam::sim
