// Display, sync and V-phase functions and the dialog entries of the main
// window, driven through the real widgets on simulated cameras.

#include "support/controls.h"
#include "support/panelrig.h"
#include "support/testmain.h"

#include <frminfo.h>
#include <frmtitle_k.h>
#include <frmtitle_m.h>
#include <titleeditors.h>

using namespace zam;

using Panel = StartedPanel;

class TestDisplay : public QObject {
    Q_OBJECT
private Q_SLOTS:
    // Items start with the mark given ("checked"/"unchecked") and are
    // triggered; buttons start with it as their caption and are clicked.
    void packets_data()
    {
        QTest::addColumn<QString>("control");
        QTest::addColumn<QString>("start");
        QTest::addColumn<QByteArray>("expected");
        QTest::addColumn<QString>("after");
        // clang-format off
        QTest::newRow("DataScreen on") << "DataScreen" << "unchecked" << hexBytes("8101041502FF") << "checked";
        QTest::newRow("DataScreen off") << "DataScreen" << "checked" << hexBytes("8101041503FF") << "unchecked";
        QTest::newRow("TitleOnOff on") << "TitleOnOff" << "unchecked" << hexBytes("8101047302FF") << "checked";
        QTest::newRow("TitleOnOff off") << "TitleOnOff" << "checked" << hexBytes("8101047403FF") << "unchecked";
        QTest::newRow("DateDisplay on") << "DateDisplay" << "unchecked" << hexBytes("8101047102FF") << "checked";
        QTest::newRow("TimeDisplay on") << "TimeDisplay" << "unchecked" << hexBytes("8101047202FF") << "checked";
        QTest::newRow("DateDisplay off") << "DateDisplay" << "checked" << hexBytes("8101047103FF") << "unchecked";
        QTest::newRow("TimeDisplay off") << "TimeDisplay" << "checked" << hexBytes("8101047203FF") << "unchecked";
        QTest::newRow("VP0180 without caption") << "VP0180" << "" << hexBytes("8101042501FF") << "0 degree";
        QTest::newRow("VP0180 0 degree") << "VP0180" << "0 degree" << hexBytes("8101042500FF") << "180 degree";
        QTest::newRow("VPreset") << "VPreset" << "Reset" << hexBytes("8101040540FF") << "Reset";
        // clang-format on
    }
    void packets()
    {
        QFETCH(QString, control);
        QFETCH(QString, start);
        QFETCH(QByteArray, expected);
        QFETCH(QString, after);
        Panel rig;
        QCOMPARE(operate(rig, control, start), after);
        // The title editors' own display boxes follow first and send their
        // packets; the menu's packet goes last.
        if (control == QLatin1String("TitleOnOff"))
            QCOMPARE(rig.sent().value(rig.sent().size() - 1), expected);
        else
            QCOMPARE(rig.sent(), QList<QByteArray>{expected});
    }

    // Each entry opens its window without blocking the main window, and the
    // same window again on the next use.
    void dialogEntries_data()
    {
        QTest::addColumn<QString>("entry");
        QTest::addColumn<QString>("window");
        // clang-format off
        QTest::newRow("Setting Zones") << "SettingZones" << "Privacy";
        QTest::newRow("SphericalZoneMasking") << "SphericalZoneMasking" << "SphericalMask";
        QTest::newRow("PrivacyA") << "PrivacyAv" << "PrivacyA";
        QTest::newRow("AE SPOT") << "AESpotMode" << "AES";
        QTest::newRow("Set Time and Date") << "SetTimeDate" << "FrmSetDate";
        QTest::newRow("Title Set") << "TitleSet" << "FrmTitle_M";
        QTest::newRow("Setting Menu") << "SettingMenu" << "FSet";
        QTest::newRow("Register Set") << "RegisterSet" << "Register";
        QTest::newRow("version") << "version" << "FrmInfo";
        QTest::newRow("Motion detection") << "MotionDetectD" << "MotionD";
        // clang-format on
    }
    void dialogEntries()
    {
        QFETCH(QString, entry);
        QFETCH(QString, window);
        Panel rig;
        rig.action(entry)->setEnabled(true); // Register Set starts disabled in the form
        rig.action(entry)->trigger();
        QWidget *first = nullptr;
        for (QWidget *w : QApplication::topLevelWidgets())
            if (w->objectName() == window && w->isVisible())
                first = w;
        QVERIFY2(first, qPrintable(window));
        QVERIFY(!first->isModal());
        first->hide();
        rig.action(entry)->trigger();
        QVERIFY(first->isVisible());
    }

    void versionDialog()
    {
        Panel rig;
        control<QAction>(rig.window, "version")->trigger();
        FrmInfo *info = rig.groups.display.frmInfo();
        QVERIFY(control<QLabel>(*info, "LblVersion")->text().contains(QStringLiteral(ZAM_VERSION)));
        control<QPushButton>(*info, "OK")->click();
        QVERIFY(!info->isVisible());
        QVERIFY(rig.sent().isEmpty());
    }

    // "Title On/Off" ticks both editors' display boxes; the keyboard editor,
    // created hidden for this, must not pause auto refresh.
    void titleOnOffReachesTheEditors()
    {
        Panel rig;
        AutoRefresh &r = rig.link.refresh();
        control<QPushButton>(rig.window, "AutoRefreshed")->click();
        QVERIFY(r.timerEnabled());
        control<QAction>(rig.window, "TitleOnOff")->trigger();
        TitleEditors &editors = rig.groups.display.titleEditors();
        QVERIFY(control<QCheckBox>(*editors.mouseEditor(), "Check1")->isChecked());
        QVERIFY(editors.existingKeyboardEditor());
        QVERIFY(control<QCheckBox>(*editors.existingKeyboardEditor(), "Check1")->isChecked());
        QVERIFY(!editors.existingKeyboardEditor()->isVisible());
        rig.run(200);
        QVERIFY(r.buttonEnabled());
        QVERIFY(r.timerEnabled());
    }

    // The title editors follow the new mark before the menu's own packet.
    void titleDisplayHook()
    {
        Panel rig;
        QStringList calls; // what the hook is told, packets sent by then, the mark then
        rig.groups.display.onTitleDisplayChanged = [&](bool on) {
            calls << QStringLiteral("%1 %2 %3")
                         .arg(on)
                         .arg(rig.sent().size())
                         .arg(control<QAction>(rig.window, "TitleOnOff")->isChecked());
        };
        control<QAction>(rig.window, "TitleOnOff")->trigger();
        control<QAction>(rig.window, "TitleOnOff")->trigger();
        QCOMPARE(calls, (QStringList{"1 0 1", "0 1 0"}));

        rig.link.state().RefreshBusy = true;
        control<QAction>(rig.window, "TitleOnOff")->trigger();
        QCOMPARE(calls.size(), 2);
        QCOMPARE(rig.sent().size(), 2);
        QVERIFY(!control<QAction>(rig.window, "TitleOnOff")->isChecked());
    }

    void syncExclusive()
    {
        Panel rig;
        control<QAction>(rig.window, "LineLock")->trigger();
        control<QAction>(rig.window, "Internal")->trigger();
        QCOMPARE(rig.sent(), hexPackets("8101045501FF 8101045500FF"));
        QVERIFY(control<QAction>(rig.window, "Internal")->isChecked() &&
                !control<QAction>(rig.window, "LineLock")->isChecked());
    }

    // The slider sends the operator's moves only; holding it pauses Timer1.
    void vPhaseSlider()
    {
        Panel rig;
        QSlider *slider = control<QSlider>(rig.window, "VPSlider");
        slider->setValue(0x12);
        QVERIFY(rig.sent().isEmpty());
        slider->triggerAction(QAbstractSlider::SliderSingleStepAdd);
        slider->triggerAction(QAbstractSlider::SliderToMaximum);
        QCOMPARE(rig.sent(), hexPackets("8101044500000103FF 8101044500000F0FFF"));
        checkPressPausesRefresh(rig, slider);
    }
};

ZAM_TEST_MAIN(TestDisplay)
#include "test_display.moc"
