#include "clock.h"

#include <QThread>
#include <algorithm>
#include <cmath>

namespace zam {

ClockTimer::ClockTimer(Clock &clock, QObject *parent) : QObject(parent), m_clock(&clock)
{
    m_wait.setSingleShot(true);
    connect(&m_wait, &QTimer::timeout, this, &ClockTimer::fire);
}

ClockTimer::~ClockTimer()
{
    stop();
}

void ClockTimer::start(int ms)
{
    m_intervalMs = ms;
    start();
}

void ClockTimer::start()
{
    m_deadlineMs = m_clock->nowMs() + std::max(0, m_intervalMs);
    if (!m_watched && m_clock->firesTimers()) {
        m_clock->watch(this);
        m_watched = true;
    }
    m_active = true;
    if (!m_clock->firesTimers())
        m_wait.start(std::max(0, m_intervalMs));
}

void ClockTimer::setClock(Clock &clock)
{
    stop();
    m_clock = &clock;
}

void ClockTimer::stop()
{
    if (!m_active)
        return;
    m_active = false;
    m_wait.stop();
    if (m_watched)
        m_clock->unwatch(this);
    m_watched = false;
}

void ClockTimer::clockGone()
{
    m_active = false;
    m_watched = false;
}

int ClockTimer::remainingTime() const
{
    if (!m_active)
        return -1;
    return int(std::max<std::int64_t>(0, m_deadlineMs - m_clock->nowMs()));
}

void ClockTimer::fire()
{
    if (!m_active)
        return;
    if (m_singleShot) {
        stop();
    } else {
        // The next period counts from this deadline, at least 1 ms on, so a
        // zero interval cannot hold the fake clock in one instant.
        m_deadlineMs += std::max(1, m_intervalMs);
        if (!m_clock->firesTimers())
            m_wait.start(int(std::max<std::int64_t>(0, m_deadlineMs - m_clock->nowMs())));
    }
    Q_EMIT timeout();
}

void FakeClock::advance(std::int64_t ms)
{
    const std::int64_t target = m_now + (ms > 0 ? ms : 0);
    for (;;) {
        const auto due =
            std::min_element(m_timers.begin(), m_timers.end(), [](ClockTimer *a, ClockTimer *b) {
                return a->deadlineMs() < b->deadlineMs();
            });
        if (due == m_timers.end() || (*due)->deadlineMs() > target)
            break;
        m_now = std::max(m_now, (*due)->deadlineMs());
        (*due)->fire(); // may stop, restart or add timers
    }
    m_now = std::max(m_now, target);
}

FakeClock::~FakeClock()
{
    // Timers that outlive the clock are left stopped, not pointing at it.
    for (ClockTimer *t : m_timers)
        t->clockGone();
}

void FakeClock::watch(ClockTimer *t)
{
    m_timers.push_back(t);
}

void FakeClock::unwatch(ClockTimer *t)
{
    std::erase(m_timers, t);
}

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
