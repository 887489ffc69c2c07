// The auto-refresh state machine on its own: each transition from each state
// that the panel can be in when it happens, and the state it leads to.

#include "support/testmain.h"
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

        const auto row = [](const char *name, State before, bool menu, const char *transition,
                            State after) {
            QTest::newRow(name) << before << menu << QString::fromLatin1(transition) << after;
        };
        // clang-format off
        //   name                                  before                menu   transition                 after
        row("button: off -> on",                   State::Off,           false, "operatorToggled",         State::On);
        row("button: on -> off",                   State::On,            false, "operatorToggled",         State::Off);
        row("button: ticking under Stop -> on",    State::OffTicking,    false, "operatorToggled",         State::On);
        row("button: slider held -> off",          State::Held,          false, "operatorToggled",         State::Off);
        row("command: on pauses",                  State::On,            false, "commandSent",             State::Paused);
        row("command: off changes nothing",        State::Off,           false, "commandSent",             State::Off);
        row("command: slider's own command",       State::Held,          false, "commandSent",             State::Paused);
        row("command: ticking under Stop goes on", State::OffTicking,    false, "commandSent",             State::OffTicking);
        row("reply: paused resumes",               State::Paused,        false, "commandFinished",         State::On);
        row("reply: on without a pause",           State::On,            false, "commandFinished",         State::On);
        row("reply: off",                          State::Off,           false, "commandFinished",         State::Off);
        row("reply: slider still held",            State::Held,          false, "commandFinished",         State::Held);
        row("reply: paused but ticking",           State::PausedTicking, false, "commandFinished",         State::PausedTicking);
        row("reply: window held, off",             State::OffHeld,       false, "commandFinished",         State::OffHeld);
        row("no reply: paused resumes",            State::Paused,        false, "commandTimedOut",         State::On);
        row("no reply: window held, off",          State::OffHeld,       false, "commandTimedOut",         State::OffHeld);
        row("no reply: paused but ticking",        State::PausedTicking, false, "commandTimedOut",         State::PausedTicking);
        row("press: on",                           State::On,            false, "holdStarted",             State::Held);
        row("press: off",                          State::Off,           false, "holdStarted",             State::Off);
        row("press: paused",                       State::Paused,        false, "holdStarted",             State::Paused);
        row("press: ticking under Stop",           State::OffTicking,    false, "holdStarted",             State::Off);
        row("release: held resumes",               State::Held,          false, "holdEnded",               State::On);
        row("release: command outstanding",        State::Paused,        false, "holdEnded",               State::Paused);
        row("release: off",                        State::Off,           false, "holdEnded",               State::Off);
        row("release, menu: off ticks",            State::Off,           true,  "holdEnded",               State::OffTicking);
        row("release, menu: paused ticks",         State::Paused,        true,  "holdEnded",               State::PausedTicking);
        row("release, menu: window held ticks",    State::OffHeld,       true,  "holdEnded",               State::OffHeldTicking);
        row("window opens: on",                    State::On,            false, "windowOpened",            State::Paused);
        row("window opens: off",                   State::Off,           false, "windowOpened",            State::OffHeld);
        row("window opens: slider held",           State::Held,          false, "windowOpened",            State::Paused);
        row("window opens: ticking under Stop",    State::OffTicking,    false, "windowOpened",            State::OffHeld);
        row("window closes: resume",               State::Paused,        false, "windowClosed resume",     State::On);
        row("window closes: resume, off",          State::OffHeld,       false, "windowClosed resume",     State::Off);
        row("window closes: keep held",            State::Paused,        false, "windowClosed keep held",  State::Held);
        row("window closes: keep held, off",       State::OffHeld,       false, "windowClosed keep held",  State::Off);
        row("window closes: switch off",           State::Paused,        false, "windowClosed switch off", State::Off);
        row("window closes: switch off, resumed",  State::On,            false, "windowClosed switch off", State::Off);
        row("window closes: switch off, ticking",  State::OffHeldTicking,false, "windowClosed switch off", State::OffTicking);
        row("chart editor: held resumes",          State::Held,          false, "chartEditorClosed",       State::On);
        row("chart editor: command outstanding",   State::Paused,        false, "chartEditorClosed",       State::Paused);
        row("chart editor: off",                   State::Off,           true,  "chartEditorClosed",       State::Off);
        row("recall: ticking under Stop ends",     State::OffTicking,    false, "tickingUnderStopEnded",   State::Off);
        row("recall: window held, ticking",        State::OffHeldTicking,false, "tickingUnderStopEnded",   State::OffHeld);
        row("recall: on keeps ticking",            State::On,            false, "tickingUnderStopEnded",   State::On);
        row("start-up begins: on",                 State::On,            false, "startUpBegun",            State::Held);
        row("start-up done: paused",               State::Paused,        false, "startUpDone",             State::Off);
        row("start-up done: ticking",              State::OffTicking,    false, "startUpDone",             State::Off);
        row("read failed: paused",                 State::Paused,        false, "statusReadFailed",        State::Off);
        row("read failed: window held, off",       State::OffHeld,       false, "statusReadFailed",        State::Off);
        row("connection lost: on",                 State::On,            false, "connectionLost",          State::Off);
        row("connection lost: paused ticking",     State::PausedTicking, false, "connectionLost",          State::Off);
        // clang-format on
    }
    void transitions()
    {
        QFETCH(State, before);
        QFETCH(bool, menuChecked);
        QFETCH(QString, transition);
        QFETCH(State, after);

        FakeClock clock;
        AutoRefresh r(clock);
        reach(r, before);
        QCOMPARE(r.state(), before);
        r.menuItemToggled(menuChecked);
        QVERIFY(kTransitions.count(transition));
        kTransitions.at(transition)(r);

        QCOMPARE(r.state(), after);
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

ZAM_TEST_MAIN(TestRefreshStates)
#include "test_refreshstates.moc"
