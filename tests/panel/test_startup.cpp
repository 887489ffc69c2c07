// Start-up of the main window against simulated chains, camera selection,
// and Reconnect, which must give the window a fresh start would.

#include "support/controls.h"
#include "support/panelrig.h"
#include "support/testmain.h"

#include <QAbstractSlider>
#include <QLineEdit>
#include <QRadioButton>
#include <QStatusBar>
#include <QTimer>
#include <connectionstatus.h>
#include <fset.h>
#include <md.h>
#include <sphericalmask.h>

using namespace zam;

namespace {

// What the operator can see of the window and of its dialogs (among them the
// two a model restriction reaches): each control's visibility, enabled
// state, range and text, each menu entry's state, the caption tables and the
// restrictions. The status bar (times, "Reconnected.") is left out.
QStringList windowShape(PanelRig &rig)
{
    FrmMain &w = rig.window;
    DisplayCommands &d = rig.groups.display;
    d.openFactorySettings();
    d.fset()->hide();
    d.openSphericalMask();
    d.sphericalMask()->hide();
    QStringList shape;
    for (QWidget *c : w.findChildren<QWidget *>()) {
        if (c->objectName().isEmpty() || c->objectName().startsWith(QLatin1String("qt_")) ||
            w.statusBar()->isAncestorOf(c) || c == w.statusBar())
            continue;
        QString line = QStringLiteral("%1 hidden=%2 enabled=%3")
                           .arg(c->objectName())
                           .arg(c->isHidden())
                           .arg(c->isEnabled());
        if (auto *slider = qobject_cast<QAbstractSlider *>(c))
            line += QStringLiteral(" range=%1..%2 value=%3")
                        .arg(slider->minimum())
                        .arg(slider->maximum())
                        .arg(slider->value());
        if (auto *edit = qobject_cast<QLineEdit *>(c))
            line += QStringLiteral(" text=") + edit->text();
        shape << line;
    }
    for (QAction *a : w.findChildren<QAction *>()) {
        if (!a->objectName().isEmpty())
            shape << QStringLiteral("%1 visible=%2 enabled=%3 checked=%4")
                         .arg(a->objectName())
                         .arg(a->isVisible())
                         .arg(a->isEnabled())
                         .arg(a->isChecked());
    }
    for (QMenu *m : w.findChildren<QMenu *>())
        shape << QStringLiteral("%1 visible=%2 enabled=%3")
                     .arg(m->objectName())
                     .arg(m->menuAction()->isVisible())
                     .arg(m->menuAction()->isEnabled());
    shape << QStringLiteral("iris: ") + w.captions().irisRows().join(QLatin1Char('|'));
    shape << QStringLiteral("bright: ") + w.captions().brightRows().join(QLatin1Char('|'));
    for (int r = 0; r < kRestrictionCount; ++r)
        shape << QStringLiteral("restriction %1: %2").arg(r).arg(w.restricted(Restriction(r)));
    shape.sort();
    return shape;
}

} // namespace

class TestStartup : public QObject {
    Q_OBJECT
private Q_SLOTS:
    void chainNumbering_data()
    {
        QTest::addColumn<int>("cameras");
        QTest::newRow("one camera") << 1;
        QTest::newRow("seven cameras") << 7;
    }
    void chainNumbering()
    {
        QFETCH(int, cameras);
        PanelRig rig(cameras);
        QVERIFY(rig.window.startUp());
        const auto &sent = rig.port.written();
        QCOMPARE(sent.value(0), hexBytes("88010001FF"));
        QCOMPARE(sent.value(1), hexBytes("883001FF"));
        QCOMPARE(sent.value(2), hexBytes("81090002FF"));
        const QObject &ui = rig.window;
        QCOMPARE(rig.link.state().CameraCount, cameras);
        // Camera1 to Camera7: one entry for each camera the chain numbered.
        for (int n = 1; n <= 7; ++n) {
            QAction *entry =
                control<QAction>(ui, qPrintable(QStringLiteral("CameraSel_%1").arg(n)));
            QCOMPARE(entry->text(), QStringLiteral("Camera%1").arg(n));
            QCOMPARE(entry->isEnabled(), n <= cameras);
            QCOMPARE(entry->isChecked(), n == 1);
        }
        QCOMPARE(control<QLineEdit>(ui, "Active")->text(), QStringLiteral("1"));
        QCOMPARE(control<QLineEdit>(ui, "Baudratetxt")->text(), QStringLiteral("9600"));
        // Auto refresh off, ready for a single refresh.
        QCOMPARE(control<QPushButton>(ui, "AutoRefreshed")->text(), QStringLiteral("Stop"));
        QVERIFY(control<QPushButton>(ui, "AutoRefreshed")->isEnabled());
        QVERIFY(control<QPushButton>(ui, "Refreshonce")->isEnabled());
        QVERIFY(!rig.link.refresh().timerEnabled());
        // The line check is logged; the echo was taken by the reply wait.
        QVERIFY(control<QPlainTextEdit>(ui, "SendText")
                    ->toPlainText()
                    .startsWith(QStringLiteral("88010001FF")));
        QVERIFY(rig.messages.isEmpty());
    }

    // On a chain that answers only at the chosen speed the window shows that
    // speed once the line check has passed.
    void lineSpeedShown_data()
    {
        QTest::addColumn<int>("baud");
        QTest::newRow("9600") << 9600;
        QTest::newRow("38400") << 38400;
    }
    void lineSpeedShown()
    {
        QFETCH(int, baud);
        FakeClock clock;
        sim::CameraChain chain(1);
        chain.lineBaud = baud;
        chain.camera(1).service().lineBaud = baud;
        sim::SimPort port(chain, clock);
        CameraLink link(port, clock);
        FrmMain window(link, {QStringLiteral("sim:"), baud});
        CaughtMessages messages;
        QVERIFY(window.startUp());
        QCOMPARE(messages.texts(), QStringList());
        QCOMPARE(control<QLineEdit>(window, "Baudratetxt")->text(), QString::number(baud));
    }

    void missingDeviceSaysWhy()
    {
        PanelRig rig(1);
        rig.port.setOpenFailure(OpenError::NoSuchDevice);
        QVERIFY(!rig.window.startUp());
        QCOMPARE(rig.messages.texts(), QStringList{FrmMain::kCommunicationMessage});
        QVERIFY(rig.messages.informative().value(0).contains(QStringLiteral("no such device")));
    }

    // A camera that answers only with bytes that make no reply is not called
    // silent: the box says what came.
    void garbageIsNotSilence()
    {
        PanelRig rig(1);
        rig.chain.faults().burstBefore = {hexBytes("81"), 0, 1000, hexBytes("5A5AFF")};
        QVERIFY(!rig.window.startUp());
        QCOMPARE(rig.messages.texts(), QStringList{FrmMain::kCommunicationMessage});
        const QString why = rig.messages.informative().value(0);
        QVERIFY2(why.contains(QStringLiteral("bytes that are not a reply")), qPrintable(why));
    }

    // Reconnect to a chain whose camera is now another model: the window is
    // the one a fresh start with that camera gives, also in the dialogs made
    // before the Reconnect.
    void reconnectToAnotherModel_data()
    {
        QTest::addColumn<int>("before");
        QTest::addColumn<int>("after");
        QTest::newRow("0x48 (no Privacy Zone) to 0x20") << 0x48 << 0x20;
        QTest::newRow("18x lens to 10x lens") << 0x12 << 0x1C;
        QTest::newRow("0x41 (no digital zoom, fixed rate) to 0x30") << 0x41 << 0x30;
        QTest::newRow("0x1E (WBMode disabled) to 0x3C") << 0x1E << 0x3C;
        QTest::newRow("0x42 (no mosaic) to a code without a model") << 0x42 << 0x2C;
    }
    void reconnectToAnotherModel()
    {
        QFETCH(int, before);
        QFETCH(int, after);
        PanelRig fresh(1, {after});
        QVERIFY(fresh.start());
        const QStringList expected = windowShape(fresh);

        PanelRig rig(1, {before});
        QVERIFY(rig.start());
        windowShape(rig); // the dialogs exist before the Reconnect
        rig.chain.camera(1).state().modelCode = std::uint8_t(after);
        QVERIFY(rig.window.reconnect());
        rig.run(50);
        const QStringList shape = windowShape(rig);
        QStringList differences;
        for (const QString &line : shape)
            if (!expected.contains(line))
                differences << QStringLiteral("reconnected: ") + line;
        for (const QString &line : expected)
            if (!shape.contains(line))
                differences << QStringLiteral("fresh: ") + line;
        QVERIFY2(differences.isEmpty(), qPrintable(differences.join(QLatin1Char('\n'))));
        QVERIFY(shape.size() > 400);
    }

    // A Reconnect that fails leaves the Select menu saying what the window
    // works with: camera 1 selected, no camera offered until one answers.
    void failedReconnectKeepsTheSelectMenuTrue()
    {
        PanelRig rig(2);
        QVERIFY(rig.start());
        const QObject &ui = rig.window;
        control<QAction>(ui, "CameraSel_2")->trigger();
        rig.chain.faults().silent = true;
        QVERIFY(!rig.window.reconnect());
        QCOMPARE(rig.link.state().CameraAddress, 1);
        QCOMPARE(control<QLineEdit>(ui, "Active")->text(), QStringLiteral("1"));
        QVERIFY(control<QAction>(ui, "CameraSel_1")->isChecked());
        QVERIFY(!control<QAction>(ui, "CameraSel_2")->isChecked());
        QVERIFY(!control<QAction>(ui, "CameraSel_1")->isEnabled() &&
                !control<QAction>(ui, "CameraSel_2")->isEnabled());
        QCOMPARE(rig.window.connectionStatus().chainText(),
                 QStringLiteral("Cameras: 0, selected: 1"));

        // Once the chain answers again both cameras are offered.
        rig.chain.faults().silent = false;
        QVERIFY(rig.window.reconnect());
        QVERIFY(control<QAction>(ui, "CameraSel_1")->isEnabled() &&
                control<QAction>(ui, "CameraSel_2")->isEnabled());
        QVERIFY(control<QAction>(ui, "CameraSel_1")->isChecked());
    }

    // What the window knew of motion detection on the camera before a
    // Reconnect is forgotten, as at a fresh start: the alarm window opens
    // with detection off and its alarm switch as made, and the alarm read
    // is not skipped as if the settings were known.
    void reconnectForgetsMotionDetection()
    {
        PanelRig rig(1);
        QVERIFY(rig.start());
        const auto inAlarmWindow = [&](const std::function<void(MD &)> &steps) {
            QTimer::singleShot(0, [&] {
                MD *md = rig.groups.display.md();
                steps(*md);
                md->close();
            });
            control<QAction>(rig.window, "AlarmDetection")->trigger();
        };
        inAlarmWindow([](MD &md) {
            control<QPushButton>(md, "cmdsetMDinq")->click();
            control<QPushButton>(md, "cmdsetMDtime")->click();
            control<QRadioButton>(md, "OpMDon")->click();
            control<QPushButton>(md, "cmdMDstart")->click();
            control<QPushButton>(md, "cmdJun")->click();
        });
        QVERIFY(rig.window.motionDetection().MDActive);
        QVERIFY(rig.window.motionDetection().MDStateKnown);

        Q_EMIT rig.port.deviceLost(QStringLiteral("adapter unplugged"));
        control<QToolButton>(rig.window, "Reconnect")->click();
        QVERIFY(!rig.window.connectionStatus().lost());
        QVERIFY(rig.window.motionDetection() == MdState{});
        QString jun;
        bool detectionOff = false;
        inAlarmWindow([&](MD &md) {
            jun = control<QPushButton>(md, "cmdJun")->text();
            detectionOff = control<QRadioButton>(md, "OpMDoff")->isChecked();
        });
        QCOMPARE(jun, QStringLiteral("ON"));
        QVERIFY(detectionOff);
    }
};

ZAM_TEST_MAIN(TestStartup)
#include "test_startup.moc"
