// Picture and effect functions of the main window and the digital effect
// level dialog, driven through the real widgets on a simulated camera:
// packets, the effect items and the level dialog (what the status read
// shows of them is test_statusread's part).

#include "support/controls.h"
#include "support/panelrig.h"
#include "support/testmain.h"

#include <QSpinBox>
#include <frmdeffect.h>

using namespace zam;

using Panel = StartedPanel;

class TestPicture : public QObject {
    Q_OBJECT
private Q_SLOTS:
    // clang-format off
    void packets_data()
    {
        QTest::addColumn<QString>("control");
        QTest::addColumn<QString>("start");
        QTest::addColumn<QString>("expected");
        QTest::addColumn<QString>("after");
        // Caption buttons.
        QTest::newRow("Wide_D ON") << "Wide_D" << "ON" << "8101043D02FF" << "OFF";
        QTest::newRow("Wide_D other caption") << "Wide_D" << "" << "8101043D03FF" << "ON";
        QTest::newRow("cmdHigh_Reso OFF") << "cmdHigh_Reso" << "OFF" << "8101045203FF" << "ON";
        QTest::newRow("cmdHigh_Reso ON") << "cmdHigh_Reso" << "ON" << "8101045202FF" << "OFF";
        QTest::newRow("cmdHigh_Reso other caption") << "cmdHigh_Reso" << "on" << "" << "on";
        QTest::newRow("comAutoICR OFF") << "comAutoICR" << "OFF" << "8101045102FF" << "ON";
        QTest::newRow("comAutoICR ON") << "comAutoICR" << "ON" << "8101045103FF" << "OFF";
        QTest::newRow("comAutoICR other caption") << "comAutoICR" << "" << "" << "";
        QTest::newRow("comICR On") << "comICR_0" << "On" << "8101040102FF" << "On";
        QTest::newRow("comICR Off") << "comICR_1" << "Off" << "8101040103FF" << "Off";
        // On/off items of the Function menu.
        QTest::newRow("PictureFlip on") << "PictureFlip" << "unchecked" << "8101046602FF" << "checked";
        QTest::newRow("PictureFlip off") << "PictureFlip" << "checked" << "8101046603FF" << "unchecked";
        QTest::newRow("LR_Reverse on") << "LR_Reverse" << "unchecked" << "8101046102FF" << "checked";
        QTest::newRow("Freese off") << "Freese" << "checked" << "8101046203FF" << "unchecked";
        QTest::newRow("Image_Stabi on") << "Image_Stabi" << "unchecked" << "8101043402FF" << "checked";
        QTest::newRow("Normal") << "Normal" << "unchecked" << "8101046000FF" << "checked";
        QTest::newRow("Normal again") << "Normal" << "checked" << "8101046000FF" << "checked";
    }
    // clang-format on
    void packets()
    {
        QFETCH(QString, control);
        QFETCH(QString, start);
        QFETCH(QString, expected);
        QFETCH(QString, after);
        Panel rig;
        QCOMPARE(operate(rig, control, start), after);
        QCOMPARE(rig.sent(), hexPackets(expected));
    }

    // clang-format off
    void pictureEffectsExclusive_data()
    {
        QTest::addColumn<QString>("item");
        QTest::addColumn<QByteArray>("expected");
        QTest::newRow("PEOff") << "PEOff" << hexBytes("8101046300FF");
        QTest::newRow("NegArt") << "NegArt" << hexBytes("8101046302FF");
        QTest::newRow("BlackWhite") << "BlackWhite" << hexBytes("8101046304FF");
    }
    // clang-format on
    void pictureEffectsExclusive()
    {
        QFETCH(QString, item);
        QFETCH(QByteArray, expected);
        Panel rig;
        const QStringList items{"PEOff", "NegArt", "BlackWhite"};
        for (const QString &name : items)
            rig.action(name)->setChecked(name != item);
        rig.action(item)->trigger();
        QCOMPARE(rig.sent(), QList<QByteArray>{expected});
        for (const QString &name : items)
            QVERIFY2(rig.action(name)->isChecked() == (name == item), qPrintable(name));

        // A second click keeps the mark (a checkable item would drop it).
        rig.action(item)->trigger();
        QVERIFY(rig.action(item)->isChecked());
    }

    // The dialog stops Timer1 when it opens; OK, Cancel and closing it start
    // Timer1 again only while "Auto Refresh" is checked.
    void digitalEffectLevelDialog_data()
    {
        QTest::addColumn<QString>("how");
        QTest::addColumn<bool>("autoRefreshChecked");
        QTest::addColumn<QString>("expected");
        QTest::newRow("OK") << "ok" << false << "8101046520FF";
        QTest::newRow("Cancel, Auto Refresh checked") << "cancel" << true << "";
        QTest::newRow("Escape, Auto Refresh checked") << "escape" << true << "";
    }
    void digitalEffectLevelDialog()
    {
        QFETCH(QString, how);
        QFETCH(bool, autoRefreshChecked);
        QFETCH(QString, expected);
        Panel rig;
        AutoRefresh &refresh = runningRefresh(rig, autoRefreshChecked);

        control<QAction>(rig.window, "DigitalEffectLevel")->trigger();
        FrmDEffect &dialog = rig.window.frmDEffect();
        QVERIFY(dialog.isVisible() && !dialog.isModal());
        QVERIFY(!refresh.timerEnabled());

        control<QSpinBox>(dialog, "DELevel")->selectAll();
        QTest::keyClicks(control<QSpinBox>(dialog, "DELevel"), QStringLiteral("32"));
        if (how == QLatin1String("ok"))
            control<QPushButton>(dialog, "DELevelOK")->click();
        else if (how == QLatin1String("cancel"))
            control<QPushButton>(dialog, "DELevelCancel")->click();
        else
            QTest::keyClick(&dialog, Qt::Key_Escape);

        QCOMPARE(rig.sent(), hexPackets(expected));
        QVERIFY(!dialog.isVisible());
        QCOMPARE(refresh.timerEnabled(), autoRefreshChecked);
    }

    // 0xFF ends a packet on the line, so the level stops one short of it.
    void levelNeverCarriesTheTerminator()
    {
        Panel rig;
        control<QAction>(rig.window, "DigitalEffectLevel")->trigger();
        control<QSpinBox>(rig.window.frmDEffect(), "DELevel")->setValue(255);
        control<QPushButton>(rig.window.frmDEffect(), "DELevelOK")->click();
        QCOMPARE(rig.sent(), QList<QByteArray>{hexBytes("81010465FEFF")});
    }
};

ZAM_TEST_MAIN(TestPicture)
#include "test_picture.moc"
