#pragma once
// Auto refresh: the refresh clock Timer1 and the AutoRefreshed button, kept
// as one state. Windows report what happened (a transition); the caption
// ("Auto"/"Stop"), the enabled states of AutoRefreshed and Refreshonce and
// whether Timer1 runs all follow from the state:
//
//   state           caption  AutoRefreshed  Timer1          Refreshonce
//   Off             Stop     enabled        off             enabled
//   On              Auto     enabled        every 2000 ms   disabled
//   Paused          Auto     disabled       off             disabled
//   Held            Auto     enabled        off             disabled
//   OffHeld         Stop     disabled       off             enabled
//   OffTicking      Stop     enabled        every 2000 ms   enabled
//   PausedTicking   Auto     disabled       every 2000 ms   disabled
//   OffHeldTicking  Stop     disabled       every 2000 ms   enabled
//
// Paused: a command waits for its finishing reply, or a window that disables
// the button is open. Held: a slider is being dragged or a dialog that stops
// only Timer1 is open. The three ticking states are left behind by a hold
// that ends while the "Auto Refresh" menu entry is checked.
//
// A command's pause does not outlast its camera: 10 s after the last command
// went out without a finishing reply, the refresh resumes as if the reply
// had come (commandTimedOut), and says so (commandNotFinished).

#include "clock.h"

#include <QObject>
#include <QString>

namespace zam {

class AutoRefresh : public QObject {
    Q_OBJECT
public:
    enum class State { Off, On, Paused, Held, OffHeld, OffTicking, PausedTicking, OffHeldTicking };
    Q_ENUM(State)

    // How a window that disabled AutoRefreshed hands the refresh back.
    enum class HandBack {
        Resume,    // Timer1 runs again under "Auto"
        KeepHeld,  // Timer1 stays stopped: another window still uses it
        SwitchOff, // under "Auto", auto refresh is switched off
    };

    static constexpr int kIntervalMs = 2000;
    static constexpr int kCommandDeadlineMs = 10'000;

    explicit AutoRefresh(Clock &clock, QObject *parent = nullptr);

    State state() const { return m_state; }
    const ClockTimer &Timer1() const { return m_timer; }

    bool captionIsAuto() const;
    QString caption() const
    {
        return captionIsAuto() ? QStringLiteral("Auto") : QStringLiteral("Stop");
    }
    bool buttonEnabled() const;
    bool refreshOnceEnabled() const { return !captionIsAuto(); }
    bool timerEnabled() const;
    // The check mark of the "Auto Refresh" menu entry (starts unchecked).
    bool autoRefreshChecked() const { return m_menuChecked; }

    // ---- transitions

    // The AutoRefreshed button's click: "Stop" becomes "Auto" with Timer1
    // running, "Auto" becomes "Stop" with Timer1 off.
    void operatorToggled();
    // A mode-1 command goes out: under "Auto" Timer1 stops and the button is
    // disabled until the finishing reply.
    void commandSent();
    // A finishing reply: a command's pause (caption "Auto", button disabled,
    // Timer1 off) ends and the next tick comes 2000 ms from now.
    void commandFinished();
    // No finishing reply came within kCommandDeadlineMs of the last command:
    // its pause ends as commandFinished() would end it.
    void commandTimedOut();
    // A slider is pressed, or a dialog that stops only Timer1 opens.
    void holdStarted();
    // That slider is let go or that dialog closes. Timer1 runs again when the
    // menu entry is checked, and also while auto refresh is on with no
    // command outstanding: nothing else would restart it, and the window
    // would go on reading "Auto" with no refresh.
    void holdEnded();
    // A window that stops Timer1 and disables AutoRefreshed opens (the
    // keyboard title editor, the motion-detection dialogs).
    void windowOpened();
    // That window closes: AutoRefreshed is enabled again and, under "Auto",
    // Timer1 follows how.
    void windowClosed(HandBack how);
    // The chart title editor, which the keyboard editor left holding Timer1,
    // is hidden: Held becomes On.
    void chartEditorClosed();
    // A memory recall or the combined zoom mode under "Stop": Timer1 running
    // under "Stop" stops.
    void tickingUnderStopEnded();
    // Start-up begins (Timer1 stops) and ends (auto refresh off).
    void startUpBegun();
    void startUpDone();
    // A status read gave up, or the camera's connection was lost: auto refresh
    // off with both buttons usable.
    void statusReadFailed();
    void connectionLost();
    // The "Auto Refresh" menu entry's check mark.
    void menuItemToggled(bool checked);

Q_SIGNALS:
    // The state or the menu check mark changed: the window mirrors them.
    void changed();
    // Timer1 fired: run the status read.
    void tick();
    // A command's pause ended without its finishing reply (commandTimedOut).
    void commandNotFinished();

private:
    struct Look {
        bool captionAuto;
        bool buttonEnabled;
        bool timer;
    };
    static Look lookOf(State s);
    static State stateOf(Look look);
    Look look() const { return lookOf(m_state); }
    void enter(Look look);

    ClockTimer m_timer;
    // Runs while a command's pause waits for its finishing reply.
    ClockTimer m_commandDeadline;
    State m_state = State::Off;
    bool m_menuChecked = false;
};

} // namespace zam
