#include "autorefresh.h"

namespace zam {

AutoRefresh::AutoRefresh(Clock &clock, QObject *parent)
    : QObject(parent), m_timer(clock), m_commandDeadline(clock)
{
    m_timer.setObjectName(QStringLiteral("Timer1"));
    m_timer.setInterval(kIntervalMs);
    connect(&m_timer, &ClockTimer::timeout, this, &AutoRefresh::tick);
    m_commandDeadline.setSingleShot(true);
    m_commandDeadline.setInterval(kCommandDeadlineMs);
    connect(&m_commandDeadline, &ClockTimer::timeout, this, &AutoRefresh::commandTimedOut);
}

AutoRefresh::Look AutoRefresh::lookOf(State s)
{
    switch (s) {
    case State::Off:
        return {false, true, false};
    case State::On:
        return {true, true, true};
    case State::Paused:
        return {true, false, false};
    case State::Held:
        return {true, true, false};
    case State::OffHeld:
        return {false, false, false};
    case State::OffTicking:
        return {false, true, true};
    case State::PausedTicking:
        return {true, false, true};
    case State::OffHeldTicking:
        return {false, false, true};
    }
    return {false, true, false};
}

AutoRefresh::State AutoRefresh::stateOf(Look look)
{
    for (State s : {State::Off, State::On, State::Paused, State::Held, State::OffHeld,
                    State::OffTicking, State::PausedTicking, State::OffHeldTicking}) {
        const Look l = lookOf(s);
        if (l.captionAuto == look.captionAuto && l.buttonEnabled == look.buttonEnabled &&
            l.timer == look.timer)
            return s;
    }
    return State::Off;
}

bool AutoRefresh::captionIsAuto() const
{
    return look().captionAuto;
}

bool AutoRefresh::buttonEnabled() const
{
    return look().buttonEnabled;
}

bool AutoRefresh::timerEnabled() const
{
    return look().timer;
}

void AutoRefresh::enter(Look next)
{
    const State s = stateOf(next);
    if (s == m_state)
        return;
    m_state = s;
    // Only a command's own pause waits for the deadline.
    if (s != State::Paused)
        m_commandDeadline.stop();
    // A Timer1 that keeps running keeps its period; one that starts begins a
    // fresh one.
    if (next.timer && !m_timer.isActive())
        m_timer.start(kIntervalMs);
    else if (!next.timer)
        m_timer.stop();
    Q_EMIT changed();
}

void AutoRefresh::operatorToggled()
{
    Look l = look();
    l.captionAuto = !l.captionAuto;
    l.timer = l.captionAuto;
    enter(l);
}

void AutoRefresh::commandSent()
{
    Look l = look();
    if (!l.captionAuto)
        return;
    l.timer = false;
    l.buttonEnabled = false;
    enter(l);
    m_commandDeadline.start();
}

void AutoRefresh::commandFinished()
{
    if (m_state == State::Paused)
        enter(lookOf(State::On));
}

void AutoRefresh::commandTimedOut()
{
    if (m_state != State::Paused)
        return;
    enter(lookOf(State::On));
    Q_EMIT commandNotFinished();
}

void AutoRefresh::holdStarted()
{
    Look l = look();
    l.timer = false;
    enter(l);
}

void AutoRefresh::holdEnded()
{
    Look l = look();
    if (m_menuChecked || (l.captionAuto && l.buttonEnabled)) {
        l.timer = true;
        enter(l);
    }
}

void AutoRefresh::windowOpened()
{
    // The window hands the refresh back when it closes, not the deadline
    // of a command sent before it opened.
    m_commandDeadline.stop();
    Look l = look();
    l.timer = false;
    l.buttonEnabled = false;
    enter(l);
}

void AutoRefresh::windowClosed(HandBack how)
{
    Look l = look();
    l.buttonEnabled = true;
    if (l.captionAuto) {
        if (how == HandBack::Resume) {
            l.timer = true;
        } else if (how == HandBack::SwitchOff) {
            l.timer = false;
            l.captionAuto = false;
        }
    }
    enter(l);
}

void AutoRefresh::chartEditorClosed()
{
    if (m_state == State::Held)
        enter(lookOf(State::On));
}

void AutoRefresh::tickingUnderStopEnded()
{
    Look l = look();
    if (l.captionAuto)
        return;
    l.timer = false;
    enter(l);
}

void AutoRefresh::startUpBegun()
{
    holdStarted();
}

void AutoRefresh::startUpDone()
{
    enter(lookOf(State::Off));
}

void AutoRefresh::statusReadFailed()
{
    enter(lookOf(State::Off));
}

void AutoRefresh::connectionLost()
{
    enter(lookOf(State::Off));
}

void AutoRefresh::menuItemToggled(bool checked)
{
    if (m_menuChecked == checked)
        return;
    m_menuChecked = checked;
    Q_EMIT changed();
}

} // namespace zam
