// Auto refresh as the operator sees it (the AutoRefreshed and Refreshonce
// buttons), its pause around commands, and the alarm status read.

#include "support/controls.h"
#include "support/panelrig.h"
#include "support/scriptedrig.h"
#include "support/testmain.h"

#include <QStatusBar>
#include <autorefreshcontrols.h>
#include <connectionstatus.h>
#include <controls.h>

using namespace zam;

namespace {

struct RefreshView {
    QString caption;
    bool buttonEnabled;
    bool timer;
    bool refreshOnceEnabled;
    bool operator==(const RefreshView &) const = default;
};

RefreshView view(FrmMain &w)
{
    return {control<QPushButton>(w, "AutoRefreshed")->text(),
            control<QPushButton>(w, "AutoRefreshed")->isEnabled(),
            w.link().refresh().timerEnabled(), control<QPushButton>(w, "Refreshonce")->isEnabled()};
}

const RefreshView kOff{"Stop", true, false, true};
const RefreshView kOn{"Auto", true, true, false};
const RefreshView kPaused{"Auto", false, false, false};

char *toString(const RefreshView &v)
{
    return QTest::toString(QStringLiteral("%1 button=%2 timer=%3 once=%4")
                               .arg(v.caption)
                               .arg(v.buttonEnabled)
                               .arg(v.timer)
                               .arg(v.refreshOnceEnabled));
}

int statusInquiries(const QList<QByteArray> &sent)
{
    int n = 0;
    for (const QByteArray &p : sent)
        n += p.size() == 6 && p.mid(1, 3) == QByteArray::fromHex("097E7E");
    return n;
}

// Operator steps (see play) and what happens on the line, separated by ';':
//   silent, answers, errors  the camera stops answering, answers again, answers
//                            every command with an error
//   busy, free               a status read starts / ends around the next steps
//   alarm                    the alarm read of the motion-detection dialog
//   tick                     Timer1 fires
//   tap, drag                a slider pressed and let go where it was / moved
//   enter                    Enter in a box
//   disable                  a control is disabled
//   run                      ms of line time pass
void scenario(PanelRig &rig, const QString &steps)
{
    for (const QString &step : steps.split(QLatin1Char(';'), Qt::SkipEmptyParts)) {
        const QStringList w = step.simplified().split(QLatin1Char(' '));
        const QString verb = w.value(0);
        auto *widget = rig.window.findChild<QWidget *>(w.value(1));
        auto *slider = qobject_cast<QSlider *>(widget);
        sim::Faults &faults = rig.chain.faults();
        if (verb == QLatin1String("silent") || verb == QLatin1String("answers")) {
            faults.silent = verb == QLatin1String("silent");
            faults.errorReplies = false;
        } else if (verb == QLatin1String("errors")) {
            faults.errorReplies = true;
        } else if (verb == QLatin1String("busy") || verb == QLatin1String("free")) {
            rig.link.state().RefreshBusy = verb == QLatin1String("busy");
        } else if (verb == QLatin1String("alarm")) {
            rig.window.CheckAlarmStatus();
        } else if (verb == QLatin1String("tick")) {
            Q_EMIT rig.link.refresh().tick();
        } else if (verb == QLatin1String("tap") || verb == QLatin1String("drag")) {
            QVERIFY2(slider, qPrintable(step));
            slider->setEnabled(true);
            const QPoint from = thumbCenter(slider);
            const QPoint to =
                verb == QLatin1String("tap") ? from : from + QPoint(slider->width() / 3, 0);
            QTest::mousePress(slider, Qt::LeftButton, {}, from);
            QTest::mouseMove(slider, to);
            QTest::mouseRelease(slider, Qt::LeftButton, {}, to);
        } else if (verb == QLatin1String("enter")) {
            QTest::keyClick(widget, Qt::Key_Return);
        } else if (verb == QLatin1String("disable")) {
            widget->setEnabled(false);
        } else if (verb == QLatin1String("run")) {
            rig.run(w.value(1).toInt());
        } else {
            play(rig, step);
        }
    }
}

} // namespace

class TestAutoRefresh : public QObject {
    Q_OBJECT
private Q_SLOTS:
    // The button switches the 2 s refresh on and off without a packet; a
    // tick and Refreshonce each read the status (version and four blocks).
    void buttonAndTickAndRefreshOnce()
    {
        ScriptedRig rig;
        QVERIFY(rig.start());
        QCOMPARE(view(rig.window), kOff);
        control<QPushButton>(rig.window, "AutoRefreshed")->click();
        QCOMPARE(view(rig.window), kOn);
        QCOMPARE(rig.link.refresh().Timer1().interval(), 2000);
        control<QPushButton>(rig.window, "AutoRefreshed")->click();
        QCOMPARE(view(rig.window), kOff);
        QVERIFY(rig.sent().isEmpty());

        control<QPushButton>(rig.window, "Refreshonce")->click();
        QCOMPARE(rig.sent().size(), 5);
        control<QPushButton>(rig.window, "AutoRefreshed")->click();
        rig.clearSent();
        Q_EMIT rig.link.refresh().tick();
        QCOMPARE(rig.sent().size(), 5);
        QCOMPARE(statusInquiries(rig.sent()), 4);
        QCOMPARE(view(rig.window), kOn);
    }

    // A status read that gives up while a command holds the refresh paused
    // leaves auto refresh off with both buttons usable.
    void failedReadDuringPauseLeavesRefreshOff()
    {
        ScriptedRig rig;
        QVERIFY(rig.start());
        control<QPushButton>(rig.window, "AutoRefreshed")->click();
        rig.port.answer = [](const QByteArray &) { return QByteArray(); }; // camera gone
        QVERIFY(rig.link.SD(QByteArray::fromHex("8101040700FF"), 1));
        QCOMPARE(view(rig.window), kPaused);
        control<QAction>(rig.window, "CameraSel_1")->trigger();
        QCOMPARE(view(rig.window), kOff);
        QCOMPARE(rig.messages.texts(), QStringList{AutoRefreshControls::kErrorText});
        control<QPushButton>(rig.window, "AutoRefreshed")->click();
        QCOMPARE(view(rig.window), kOn);
    }

    // Under "Auto" the refresh always runs again: at once when nothing is
    // outstanding, or at the finishing reply of the command that paused it.
    // A command the camera never answered (or whose reply a wait took) keeps
    // it paused for 10 s from the last command, then it runs again and the
    // status bar says the camera did not finish.
    void neverLeftDeadUnderAuto_data()
    {
        QTest::addColumn<QString>("steps");
        QTest::addColumn<bool>("unfinished");
        const auto row = [](const char *tag, const char *steps, bool paused = false) {
            QTest::newRow(tag) << QString(steps) << paused;
        };
        row("answered command", "click ApertureUp");
        row("error reply", "errors; click ApertureUp");
        row("command never answered", "silent; click ApertureUp", true);
        row("reply taken by the alarm read", "alarm", true);
        row("refused while a status read runs", "busy; click ApertureUp; click DZoomX; free");
        row("slider dragged", "drag ApertureSlider");
        row("slider pressed and let go", "tap ApertureSlider");
        row("near limit dragged", "drag FocusNearLimitSlider");
        row("hold", "press ZoomTele; release ZoomTele");
        row("hold on a disabled button", "disable Near; press Near; release Near");
        row("direct command", "type DirectText 8101040702FF; enter DirectText");
        row("Enter on an empty console", "enter DirectText");
        row("memory recall", "click RecallOption_1");
        row("digital effect dialog cancelled", "click DigitalEffectLevel; click DELevelCancel");
        row("digital effect level sent", "click DigitalEffectLevel; click DELevelOK");
        row("camera selected", "click CameraSel_2");
        row("status read", "tick");
    }
    void neverLeftDeadUnderAuto()
    {
        QFETCH(QString, steps);
        QFETCH(bool, unfinished);
        auto rig = shownPanel("ApertureUp ZoomTele DZoomX RecallOption_1 DigitalEffectLevel");
        QVERIFY(rig);
        control<QPushButton>(rig->window, "AutoRefreshed")->click();
        QCOMPARE(view(rig->window), kOn);

        scenario(*rig, steps);
        rig->run(300);
        QStatusBar *bar = rig->window.statusBar();
        if (unfinished) {
            QCOMPARE(view(rig->window), kPaused);
            // A later command that is not answered either moves the deadline.
            scenario(*rig, "silent; click ApertureUp; run 9999");
            QCOMPARE(view(rig->window), kPaused);
            QCOMPARE(bar->currentMessage(), QString());
            rig->run(1);
            QCOMPARE(bar->currentMessage(), ConnectionStatus::kNotFinishedMessage);
        }
        QCOMPARE(view(rig->window), kOn);
        QCOMPARE(rig->link.refresh().Timer1().interval(), 2000);
        if (!unfinished) {
            rig->run(AutoRefresh::kCommandDeadlineMs);
            QCOMPARE(bar->currentMessage(), QString());
        }
    }

    // The alarm read: byte 2 of the first reply 02 sets MDActive, 03 clears
    // it, anything else leaves it; then the mode and the three levels. A
    // level inquiry left unanswered costs three attempts and fails the read.
    void alarmStatus_data()
    {
        QTest::addColumn<QByteArray>("activeReply");
        QTest::addColumn<bool>("activeBefore");
        QTest::addColumn<QByteArray>("levelReply");
        QTest::addColumn<bool>("activeAfter");
        const auto hex = [](const char *h) { return QByteArray::fromHex(h); };
        const QByteArray levels = hex("9050000102000304000506FF");
        QTest::newRow("02 sets") << hex("905002FF") << false << levels << true;
        QTest::newRow("03 clears") << hex("905003FF") << true << QByteArray() << false;
        QTest::newRow("07 leaves set") << hex("905007FF") << true << QByteArray() << true;
        QTest::newRow("07 leaves clear") << hex("905007FF") << false << QByteArray() << false;
    }
    void alarmStatus()
    {
        QFETCH(QByteArray, activeReply);
        QFETCH(bool, activeBefore);
        QFETCH(QByteArray, levelReply);
        QFETCH(bool, activeAfter);
        ScriptedRig rig;
        QVERIFY(rig.start());
        MdState &s = rig.window.motionDetection();
        s.MDActive = activeBefore;
        rig.port.answer = [&](const QByteArray &p) {
            if (p == QByteArray::fromHex("8109046BFF"))
                return activeReply;
            if (p == QByteArray::fromHex("8109046CFF"))
                return QByteArray::fromHex("905005FF");
            if (p == QByteArray::fromHex("8109046DFF"))
                return levelReply;
            return rig.cam.reply(p);
        };
        const bool answered = !levelReply.isEmpty();
        const auto before = rig.clock.nowMs();
        QCOMPARE(rig.window.CheckAlarmStatus(), answered);
        QCOMPARE(s.MDActive, activeAfter);
        QCOMPARE(int(s.MDMode), 5);
        QCOMPARE(s.MDStateKnown, answered);
        QCOMPARE(rig.sent().count(QByteArray::fromHex("8109046DFF")), answered ? 1 : 3);
        QCOMPARE(rig.sent().size(), answered ? 3 : 5);
        QVERIFY(rig.clock.nowMs() - before < 4000);
        if (answered) {
            QCOMPARE(s.MDDayLevel, 0x012);
            QCOMPARE(s.MDNightLevel, 0x034);
            QCOMPARE(s.MDNowLevel, 0x056);
        }
    }
};

ZAM_TEST_MAIN(TestAutoRefresh)
#include "test_autorefresh.moc"
