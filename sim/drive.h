#pragma once
// A position that a motor moves between a start and a stop packet (zoom,
// digital zoom, focus, V-phase). Nothing ticks: the position is worked out
// from the chain's clock whenever it is read, so a status read taken while
// the motor runs sees it part-way.
//
// Speed p (0..7) covers the whole travel in 24000 / (p + 1) ms: speed 7 in
// 3 s, speed 0 in 24 s. A motor that reaches an end of its range stops there.

#include <algorithm>
#include <cstdint>

namespace zam::sim {

class Drive {
public:
    static constexpr std::int64_t kTopSpeedTravelMs = 3000;

    // Range lo..hi; `travel` is the distance that sets the rate (usually hi - lo).
    constexpr Drive(int lo, int hi, int travel, int at)
        : m_lo(lo), m_hi(hi), m_travel(travel), m_origin(std::clamp(at, lo, hi))
    {}

    int lo() const { return m_lo; }
    int hi() const { return m_hi; }
    int direction() const { return m_direction; }

    int position(std::int64_t nowMs) const
    {
        if (m_direction == 0)
            return m_origin;
        const std::int64_t dt = std::max<std::int64_t>(0, nowMs - m_sinceMs);
        const std::int64_t moved =
            std::int64_t(m_speed + 1) * m_travel * dt / (8 * kTopSpeedTravelMs);
        const std::int64_t p = m_origin + m_direction * moved;
        return int(std::clamp<std::int64_t>(p, m_lo, m_hi));
    }

    // Still on its way: started, not stopped, and not yet at the end it runs to.
    bool moving(std::int64_t nowMs) const
    {
        const int p = position(nowMs);
        return (m_direction > 0 && p < m_hi) || (m_direction < 0 && p > m_lo);
    }

    // direction +1 towards hi, -1 towards lo; speed 0..7.
    void start(std::int64_t nowMs, int direction, int speed)
    {
        rebase(nowMs);
        m_direction = direction > 0 ? 1 : (direction < 0 ? -1 : 0);
        m_speed = std::clamp(speed, 0, 7);
    }

    void stop(std::int64_t nowMs)
    {
        rebase(nowMs);
        m_direction = 0;
    }

    // Stops and takes value (held within the range).
    void moveTo(int value)
    {
        m_direction = 0;
        m_origin = std::clamp(value, m_lo, m_hi);
    }

    // A new range; a running motor keeps running within it.
    void setRange(std::int64_t nowMs, int lo, int hi)
    {
        rebase(nowMs);
        m_lo = lo;
        m_hi = hi;
        m_origin = std::clamp(m_origin, lo, hi);
    }

private:
    void rebase(std::int64_t nowMs)
    {
        m_origin = position(nowMs);
        m_sinceMs = nowMs;
    }

    int m_lo;
    int m_hi;
    int m_travel;
    int m_origin;
    int m_direction = 0;
    int m_speed = 0;
    std::int64_t m_sinceMs = 0;
};

} // namespace zam::sim
