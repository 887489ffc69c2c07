#pragma once
// The program's one stopwatch, the clock behind it, and timers on that clock.
//
// Every timed wait of the panel (reply wait, 0.5 s pauses, service pauses)
// goes through Stopwatch::WaitCheck. The clock is monotonic, so a wait that
// spans midnight ends like any other; tests replace it with a FakeClock so
// that time passes without sleeping. A ClockTimer is due at a time on the
// clock: on the steady clock a QTimer waits for it, on the fake clock it
// fires when the test advances the clock past its deadline.

#include <QElapsedTimer>
#include <QObject>
#include <QTimer>
#include <cstdint>
#include <vector>

namespace zam {

class ClockTimer;

class Clock {
public:
    virtual ~Clock() = default;
    // Milliseconds on a monotonic scale.
    virtual std::int64_t nowMs() const = 0;
    // Blocks the calling thread (no events run) for about ms milliseconds.
    virtual void sleepMs(std::int64_t ms) = 0;

protected:
    friend class ClockTimer;
    // Whether the clock fires its timers itself (else each one waits on a
    // QTimer of its own), and the timers it is to watch.
    virtual bool firesTimers() const { return false; }
    virtual void watch(ClockTimer *) {}
    virtual void unwatch(ClockTimer *) {}
};

// A single-shot or repeating timer whose deadline is on a Clock. Like a
// QTimer it fires only between events (on the fake clock: within advance()),
// never in the middle of a blocking wait.
class ClockTimer : public QObject {
    Q_OBJECT
public:
    explicit ClockTimer(Clock &clock, QObject *parent = nullptr);
    ~ClockTimer() override;

    void setSingleShot(bool on) { m_singleShot = on; }
    void setInterval(int ms) { m_intervalMs = ms; }
    int interval() const { return m_intervalMs; }
    // (Re)starts the period from now.
    void start();
    void start(int ms);
    void stop();
    // Moves the timer to another clock; a running timer stops.
    void setClock(Clock &clock);
    bool isActive() const { return m_active; }
    std::int64_t deadlineMs() const { return m_deadlineMs; }
    // Milliseconds until it fires (0 when due, -1 when stopped).
    int remainingTime() const;

    // The clock found the deadline passed.
    void fire();
    // The clock that fired it is being destroyed.
    void clockGone();

Q_SIGNALS:
    void timeout();

private:
    Clock *m_clock;
    QTimer m_wait; // the steady clock's wait
    std::int64_t m_deadlineMs = 0;
    int m_intervalMs = 0;
    bool m_singleShot = false;
    bool m_active = false;
    bool m_watched = false; // registered with a clock that fires its timers
};

class SteadyClock final : public Clock {
public:
    SteadyClock() { m_timer.start(); }
    std::int64_t nowMs() const override { return m_timer.elapsed(); }
    void sleepMs(std::int64_t ms) override;

private:
    QElapsedTimer m_timer;
};

// A clock that only moves when told to: sleepMs moves it at once (a blocking
// wait, in which no timer fires), advance moves it and fires, in deadline
// order, the timers that came due on the way or during earlier sleeps.
class FakeClock final : public Clock {
public:
    FakeClock() = default;
    FakeClock(const FakeClock &) = delete;
    FakeClock &operator=(const FakeClock &) = delete;
    ~FakeClock() override;
    std::int64_t nowMs() const override { return m_now; }
    void sleepMs(std::int64_t ms) override { m_now += ms > 0 ? ms : 0; }
    void advance(std::int64_t ms);

protected:
    bool firesTimers() const override { return true; }
    void watch(ClockTimer *t) override;
    void unwatch(ClockTimer *t) override;

private:
    std::int64_t m_now = 1'000'000;
    std::vector<ClockTimer *> m_timers;
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
