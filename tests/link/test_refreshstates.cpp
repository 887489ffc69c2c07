// The auto-refresh state machine on its own: each transition from each state
// that the panel can be in when it happens, with what the operator sees after
// it (AutoRefreshed caption and enabled state, Refreshonce, Timer1).

#include <QTest>
#include <autorefresh.h>

#include <functional>
#include <map>

using namespace zam;
using State = AutoRefresh::State;
using HandBack = AutoRefresh::HandBack;

namespace {

// Every state is reached the way the panel reaches it.
void reach(AutoRefresh &r, State s)
{
    const auto tickAfterHold = [&r] {
        r.menuItemToggled(true);
        r.holdEnded();
        r.menuItemToggled(false);
    };
    switch (s) {
    case State::Off:
        break;
    case State::On:
        r.operatorToggled();
        break;
    case State::Paused:
        r.operatorToggled();
        r.commandSent();
        break;
    case State::Held:
        r.operatorToggled();
        r.holdStarted();
        break;
    case State::OffHeld:
        r.windowOpened();
        break;
    case State::OffTicking:
        tickAfterHold();
        break;
    case State::PausedTicking:
        r.operatorToggled();
        r.commandSent();
        tickAfterHold();
        break;
    case State::OffHeldTicking:
        r.windowOpened();
        tickAfterHold();
        break;
    }
}

const std::map<QString, std::function<void(AutoRefresh &)>> kTransitions{
    {"operatorToggled", [](AutoRefresh &r) { r.operatorToggled(); }},
    {"commandSent", [](AutoRefresh &r) { r.commandSent(); }},
    {"commandFinished", [](AutoRefresh &r) { r.commandFinished(); }},
    {"commandTimedOut", [](AutoRefresh &r) { r.commandTimedOut(); }},
    {"holdStarted", [](AutoRefresh &r) { r.holdStarted(); }},
    {"holdEnded", [](AutoRefresh &r) { r.holdEnded(); }},
    {"windowOpened", [](AutoRefresh &r) { r.windowOpened(); }},
    {"windowClosed resume", [](AutoRefresh &r) { r.windowClosed(HandBack::Resume); }},
    {"windowClosed keep held", [](AutoRefresh &r) { r.windowClosed(HandBack::KeepHeld); }},
    {"windowClosed switch off", [](AutoRefresh &r) { r.windowClosed(HandBack::SwitchOff); }},
    {"chartEditorClosed", [](AutoRefresh &r) { r.chartEditorClosed(); }},
    {"tickingUnderStopEnded", [](AutoRefresh &r) { r.tickingUnderStopEnded(); }},
    {"startUpBegun", [](AutoRefresh &r) { r.startUpBegun(); }},
    {"startUpDone", [](AutoRefresh &r) { r.startUpDone(); }},
    {"statusReadFailed", [](AutoRefresh &r) { r.statusReadFailed(); }},
    {"connectionLost", [](AutoRefresh &r) { r.connectionLost(); }},
};

} // namespace

class TestRefreshStates : public QObject {
    Q_OBJECT
private Q_SLOTS:
    void transitions_data()
    {
        QTest::addColumn<State>("before");
        QTest::addColumn<bool>("menuChecked");
        QTest::addColumn<QString>("transition");
        QTest::addColumn<State>("after");
        QTest::addColumn<QString>("caption");
        QTest::addColumn<bool>("button");
        QTest::addColumn<bool>("once");
        QTest::addColumn<bool>("timer");

        const auto row = [](const char *name, State before, bool menu, const char *transition,
                            State after, const char *caption, bool button, bool once, bool timer) {
            QTest::newRow(name) << before << menu << QString::fromLatin1(transition) << after
                                << QString::fromLatin1(caption) << button << once << timer;
        };
        // clang-format off
        //   name                                  before                menu   transition                 after                 caption button once   timer
        row("button: off -> on",                   State::Off,           false, "operatorToggled",         State::On,            "Auto", true,  false, true);
        row("button: on -> off",                   State::On,            false, "operatorToggled",         State::Off,           "Stop", true,  true,  false);
        row("button: ticking under Stop -> on",    State::OffTicking,    false, "operatorToggled",         State::On,            "Auto", true,  false, true);
        row("button: slider held -> off",          State::Held,          false, "operatorToggled",         State::Off,           "Stop", true,  true,  false);
        row("command: on pauses",                  State::On,            false, "commandSent",             State::Paused,        "Auto", false, false, false);
        row("command: off changes nothing",        State::Off,           false, "commandSent",             State::Off,           "Stop", true,  true,  false);
        row("command: slider's own command",       State::Held,          false, "commandSent",             State::Paused,        "Auto", false, false, false);
        row("command: ticking under Stop goes on", State::OffTicking,    false, "commandSent",             State::OffTicking,    "Stop", true,  true,  true);
        row("reply: paused resumes",               State::Paused,        false, "commandFinished",         State::On,            "Auto", true,  false, true);
        row("reply: on without a pause",           State::On,            false, "commandFinished",         State::On,            "Auto", true,  false, true);
        row("reply: off",                          State::Off,           false, "commandFinished",         State::Off,           "Stop", true,  true,  false);
        row("reply: slider still held",            State::Held,          false, "commandFinished",         State::Held,          "Auto", true,  false, false);
        row("reply: paused but ticking",           State::PausedTicking, false, "commandFinished",         State::PausedTicking, "Auto", false, false, true);
        row("reply: window held, off",             State::OffHeld,       false, "commandFinished",         State::OffHeld,       "Stop", false, true,  false);
        row("no reply: paused resumes",            State::Paused,        false, "commandTimedOut",         State::On,            "Auto", true,  false, true);
        row("no reply: window held, off",          State::OffHeld,       false, "commandTimedOut",         State::OffHeld,       "Stop", false, true,  false);
        row("no reply: paused but ticking",        State::PausedTicking, false, "commandTimedOut",         State::PausedTicking, "Auto", false, false, true);
        row("press: on",                           State::On,            false, "holdStarted",             State::Held,          "Auto", true,  false, false);
        row("press: off",                          State::Off,           false, "holdStarted",             State::Off,           "Stop", true,  true,  false);
        row("press: paused",                       State::Paused,        false, "holdStarted",             State::Paused,        "Auto", false, false, false);
        row("press: ticking under Stop",           State::OffTicking,    false, "holdStarted",             State::Off,           "Stop", true,  true,  false);
        row("release: held resumes",               State::Held,          false, "holdEnded",               State::On,            "Auto", true,  false, true);
        row("release: command outstanding",        State::Paused,        false, "holdEnded",               State::Paused,        "Auto", false, false, false);
        row("release: off",                        State::Off,           false, "holdEnded",               State::Off,           "Stop", true,  true,  false);
        row("release, menu: off ticks",            State::Off,           true,  "holdEnded",               State::OffTicking,    "Stop", true,  true,  true);
        row("release, menu: paused ticks",         State::Paused,        true,  "holdEnded",               State::PausedTicking, "Auto", false, false, true);
        row("release, menu: window held ticks",    State::OffHeld,       true,  "holdEnded",               State::OffHeldTicking,"Stop", false, true,  true);
        row("window opens: on",                    State::On,            false, "windowOpened",            State::Paused,        "Auto", false, false, false);
        row("window opens: off",                   State::Off,           false, "windowOpened",            State::OffHeld,       "Stop", false, true,  false);
        row("window opens: slider held",           State::Held,          false, "windowOpened",            State::Paused,        "Auto", false, false, false);
        row("window opens: ticking under Stop",    State::OffTicking,    false, "windowOpened",            State::OffHeld,       "Stop", false, true,  false);
        row("window closes: resume",               State::Paused,        false, "windowClosed resume",     State::On,            "Auto", true,  false, true);
        row("window closes: resume, off",          State::OffHeld,       false, "windowClosed resume",     State::Off,           "Stop", true,  true,  false);
        row("window closes: keep held",            State::Paused,        false, "windowClosed keep held",  State::Held,          "Auto", true,  false, false);
        row("window closes: keep held, off",       State::OffHeld,       false, "windowClosed keep held",  State::Off,           "Stop", true,  true,  false);
        row("window closes: switch off",           State::Paused,        false, "windowClosed switch off", State::Off,           "Stop", true,  true,  false);
        row("window closes: switch off, resumed",  State::On,            false, "windowClosed switch off", State::Off,           "Stop", true,  true,  false);
        row("window closes: switch off, ticking",  State::OffHeldTicking,false, "windowClosed switch off", State::OffTicking,    "Stop", true,  true,  true);
        row("chart editor: held resumes",          State::Held,          false, "chartEditorClosed",       State::On,            "Auto", true,  false, true);
        row("chart editor: command outstanding",   State::Paused,        false, "chartEditorClosed",       State::Paused,        "Auto", false, false, false);
        row("chart editor: off",                   State::Off,           true,  "chartEditorClosed",       State::Off,           "Stop", true,  true,  false);
        row("recall: ticking under Stop ends",     State::OffTicking,    false, "tickingUnderStopEnded",   State::Off,           "Stop", true,  true,  false);
        row("recall: window held, ticking",        State::OffHeldTicking,false, "tickingUnderStopEnded",   State::OffHeld,       "Stop", false, true,  false);
        row("recall: on keeps ticking",            State::On,            false, "tickingUnderStopEnded",   State::On,            "Auto", true,  false, true);
        row("start-up begins: on",                 State::On,            false, "startUpBegun",            State::Held,          "Auto", true,  false, false);
        row("start-up done: paused",               State::Paused,        false, "startUpDone",             State::Off,           "Stop", true,  true,  false);
        row("start-up done: ticking",              State::OffTicking,    false, "startUpDone",             State::Off,           "Stop", true,  true,  false);
        row("read failed: paused",                 State::Paused,        false, "statusReadFailed",        State::Off,           "Stop", true,  true,  false);
        row("read failed: window held, off",       State::OffHeld,       false, "statusReadFailed",        State::Off,           "Stop", true,  true,  false);
        row("connection lost: on",                 State::On,            false, "connectionLost",          State::Off,           "Stop", true,  true,  false);
        row("connection lost: paused ticking",     State::PausedTicking, false, "connectionLost",          State::Off,           "Stop", true,  true,  false);
        // clang-format on
    }
    void transitions()
    {
        QFETCH(State, before);
        QFETCH(bool, menuChecked);
        QFETCH(QString, transition);
        QFETCH(State, after);
        QFETCH(QString, caption);
        QFETCH(bool, button);
        QFETCH(bool, once);
        QFETCH(bool, timer);

        FakeClock clock;
        AutoRefresh r(clock);
        reach(r, before);
        QCOMPARE(r.state(), before);
        r.menuItemToggled(menuChecked);
        QVERIFY(kTransitions.count(transition));
        kTransitions.at(transition)(r);

        QCOMPARE(r.state(), after);
        QCOMPARE(r.caption(), caption);
        QCOMPARE(r.buttonEnabled(), button);
        QCOMPARE(r.refreshOnceEnabled(), once);
        QCOMPARE(r.Timer1().isActive(), timer);
        QCOMPARE(r.autoRefreshChecked(), menuChecked);
    }

    // The deadline of a command's pause runs on the clock, from the last
    // command sent, and only for a pause a command took: a window that
    // disables the button hands the refresh back itself.
    void commandDeadline_data()
    {
        QTest::addColumn<QString>("steps");
        QTest::addColumn<State>("after");
        QTest::addColumn<int>("notFinished");
        // o operator toggles, s command sent, f finishing reply, w window
        // opens, digits: that many seconds pass
        QTest::newRow("unanswered") << "o s 9" << State::Paused << 0;
        QTest::newRow("unanswered for 10 s") << "o s 9 1" << State::On << 1;
        QTest::newRow("a later command restarts it") << "o s 5 s 5" << State::Paused << 0;
        QTest::newRow("answered") << "o s 5 f 9 9" << State::On << 0;
        QTest::newRow("window opened") << "o s 5 w 9 9" << State::Paused << 0;
        QTest::newRow("after a sleep, at the next advance") << "o s z 0" << State::On << 1;
    }
    void commandDeadline()
    {
        QFETCH(QString, steps);
        QFETCH(State, after);
        QFETCH(int, notFinished);
        FakeClock clock;
        AutoRefresh r(clock);
        int said = 0;
        connect(&r, &AutoRefresh::commandNotFinished, this, [&] { ++said; });
        for (const QString &step : steps.split(QLatin1Char(' '))) {
            const QChar c = step.at(0);
            if (c == u'o')
                r.operatorToggled();
            else if (c == u's')
                r.commandSent();
            else if (c == u'f')
                r.commandFinished();
            else if (c == u'w')
                r.windowOpened();
            else if (c == u'z') // a blocking wait: nothing fires in it
                clock.sleepMs(AutoRefresh::kCommandDeadlineMs);
            else
                clock.advance(step.toInt() * 1000);
        }
        QCOMPARE(r.state(), after);
        QCOMPARE(said, notFinished);
    }

    // Timer1 fires tick, which runs the status read.
    void timerTicks()
    {
        FakeClock clock;
        AutoRefresh r(clock);
        int ticks = 0;
        connect(&r, &AutoRefresh::tick, this, [&] { ++ticks; });
        r.operatorToggled();
        clock.advance(1999);
        QCOMPARE(ticks, 0);
        clock.advance(1);
        QCOMPARE(ticks, 1);
        r.operatorToggled();
        clock.advance(5000);
        QCOMPARE(ticks, 1);
    }
};

QTEST_MAIN(TestRefreshStates)
#include "test_refreshstates.moc"
