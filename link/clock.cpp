#include "clock.h"

#include <QThread>
#include <cmath>

namespace zam {

void SteadyClock::sleepMs(std::int64_t ms)
{
    if (ms > 0)
        QThread::msleep(static_cast<unsigned long>(ms));
}

bool Stopwatch::WaitCheck(double periodSeconds)
{
    if (periodSeconds <= 0) {
        m_armed = false;
        return true;
    }
    if (!m_armed) {
        m_armed = true;
        m_startMs = m_clock->nowMs();
        return false;
    }
    const double elapsed = double(m_clock->nowMs() - m_startMs) / 1000.0;
    if (elapsed >= periodSeconds) {
        m_armed = false;
        return true;
    }
    return false;
}

std::int64_t Stopwatch::remainingMs(double periodSeconds) const
{
    if (!m_armed)
        return 0;
    const auto periodMs = std::int64_t(std::ceil(periodSeconds * 1000.0));
    const std::int64_t left = m_startMs + periodMs - m_clock->nowMs();
    return left > 0 ? left : 0;
}

void Stopwatch::pause(double periodSeconds)
{
    WaitCheck(0);
    while (!WaitCheck(periodSeconds))
        m_clock->sleepMs(std::max<std::int64_t>(1, remainingMs(periodSeconds)));
}

} // namespace zam
