#pragma once
// The program's one stopwatch and the clock behind it.
//
// Every timed wait of the panel (reply wait, 0.5 s pauses, service pauses)
// goes through Stopwatch::WaitCheck. The clock is monotonic, so a wait that
// spans midnight ends like any other; tests replace it with a FakeClock so
// that time passes without sleeping.

#include <QElapsedTimer>
#include <cstdint>

namespace zam {

class Clock {
public:
    virtual ~Clock() = default;
    // Milliseconds on a monotonic scale.
    virtual std::int64_t nowMs() const = 0;
    // Blocks the calling thread (no events run) for about ms milliseconds.
    virtual void sleepMs(std::int64_t ms) = 0;
};

class SteadyClock final : public Clock {
public:
    SteadyClock() { m_timer.start(); }
    std::int64_t nowMs() const override { return m_timer.elapsed(); }
    void sleepMs(std::int64_t ms) override;

private:
    QElapsedTimer m_timer;
};

// A clock that only moves when told to: sleepMs advances it at once.
class FakeClock final : public Clock {
public:
    std::int64_t nowMs() const override { return m_now; }
    void sleepMs(std::int64_t ms) override { advance(ms); }
    void advance(std::int64_t ms) { m_now += ms > 0 ? ms : 0; }

private:
    std::int64_t m_now = 1'000'000;
};

class Stopwatch {
public:
    explicit Stopwatch(Clock &clock) : m_clock(&clock) {}

    // The one-shot wait of the panel: period <= 0 disarms and answers true;
    // an unarmed stopwatch arms and answers false; an armed one answers
    // true (and disarms) once the period has passed.
    bool WaitCheck(double periodSeconds);

    bool armed() const { return m_armed; }
    // Milliseconds left of the running period (0 when unarmed or over).
    std::int64_t remainingMs(double periodSeconds) const;

    // Blocks for the period with WaitCheck, without spinning the CPU.
    void pause(double periodSeconds);

    Clock &clock() const { return *m_clock; }
    void setClock(Clock &clock) { m_clock = &clock; }

private:
    Clock *m_clock;
    bool m_armed = false;
    std::int64_t m_startMs = 0;
};

} // namespace zam
