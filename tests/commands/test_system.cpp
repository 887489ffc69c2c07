// System, memory and identity functions of the main window and the camera
// ID dialog, driven through the real widgets on simulated cameras: packets,
// the one-at-a-time preset buttons, the recall's status read, camera ID and
// user memory entries.

#include "support/controls.h"
#include "support/panelrig.h"
#include "support/testmain.h"

#include <QLineEdit>
#include <QRadioButton>
#include <frmcamid.h>

using namespace zam;

namespace {

struct Panel : StartedPanel {
    ModuleState &state() { return link.state(); }
    QDialog &id() { return window.frmCamID(); }

    QStringList selectedPresets()
    {
        QStringList names;
        for (auto *b : window.findChildren<QRadioButton *>())
            if (b->isChecked())
                names << b->objectName();
        return names;
    }

    CaughtMessages shown;
};

} // namespace

class TestSystem : public QObject {
    Q_OBJECT
private Q_SLOTS:
    // Items start with the given mark and are triggered; buttons are clicked.
    // clang-format off
    void packets_data()
    {
        QTest::addColumn<int>("camera");
        QTest::addColumn<QString>("control");
        QTest::addColumn<bool>("checked");
        QTest::addColumn<QByteArray>("expected");
        QTest::newRow("Power on") << 1 << "Power" << false << hexBytes("8101040002FF");
        QTest::newRow("Power off") << 1 << "Power" << true << hexBytes("8101040003FF");
        QTest::newRow("KeyLock on") << 1 << "KeyLock" << false << hexBytes("8101041702FF");
        QTest::newRow("KeyLock off") << 1 << "KeyLock" << true << hexBytes("8101041700FF");
        QTest::newRow("Mute on") << 1 << "Mute" << false << hexBytes("8101047502FF");
        QTest::newRow("Mute off") << 1 << "Mute" << true << hexBytes("8101047503FF");
        QTest::newRow("AddressSet is broadcast") << 2 << "AddressSet" << false << hexBytes("883001FF");
        QTest::newRow("IFClear is broadcast") << 2 << "IFClear" << false << hexBytes("88010001FF");
        QTest::newRow("custom Set") << 1 << "CustomMem_0" << false << hexBytes("8101043F017FFF");
        QTest::newRow("custom Reset") << 2 << "CustomMem_2" << false << hexBytes("8201043F007FFF");
        QTest::newRow("Set 4") << 1 << "SetOption_4" << false << hexBytes("8101043F0104FF");
        QTest::newRow("Reset 5, camera 2") << 2 << "ResetOption_5" << false << hexBytes("8201043F0005FF");
    }
    // clang-format on
    void packets()
    {
        QFETCH(int, camera);
        QFETCH(QString, control);
        QFETCH(bool, checked);
        QFETCH(QByteArray, expected);
        Panel rig;
        if (camera == 2) {
            zam::control<QAction>(rig.window, "CameraSel_2")->trigger();
            rig.clearSent();
        }
        if (auto *a = rig.window.findChild<QAction *>(control)) {
            a->setEnabled(true); // KeyLock is hidden and disabled in the form
            a->setChecked(checked);
            a->trigger();
            QCOMPARE(a->isChecked(), a->isCheckable() ? !checked : checked);
        } else {
            rig.window.findChild<QAbstractButton *>(control)->click();
        }
        QCOMPARE(rig.sent(), QList<QByteArray>{expected});
    }

    // One preset operation at a time: later clicks are undone and not sent
    // until the camera has finished the first; then no button stays selected.
    void presetPending()
    {
        Panel rig;
        control<QRadioButton>(rig.window, "RecallOption_3")->click();
        QCOMPARE(rig.sent(), QList<QByteArray>{hexBytes("8101043F0203FF")});
        QVERIFY(rig.groups.system.presetPending());
        QCOMPARE(rig.selectedPresets(), QStringList{"RecallOption_3"});

        control<QRadioButton>(rig.window, "SetOption_1")->click();
        control<QRadioButton>(rig.window, "RecallOption_2")
            ->click(); // same row: the group would move the selection
        control<QRadioButton>(rig.window, "RecallOption_3")->click(); // the pending one itself
        QCOMPARE(rig.sent().size(), 1);
        QCOMPARE(rig.selectedPresets(), QStringList{"RecallOption_3"});

        rig.run(300); // the recall's completion
        QVERIFY(!rig.groups.system.presetPending());
        QVERIFY(rig.selectedPresets().isEmpty());

        rig.clearSent();
        control<QRadioButton>(rig.window, "SetOption_1")->click();
        QCOMPARE(rig.sent(), QList<QByteArray>{hexBytes("8101043F0101FF")});
        rig.run(100);
        QVERIFY(rig.selectedPresets().isEmpty());
        // The buttons stay usable as a group: a click selects as usual.
        control<QRadioButton>(rig.window, "ResetOption_4")->click();
        QCOMPARE(rig.selectedPresets(), QStringList{"ResetOption_4"});
    }

    // A camera that never finishes the operation does not lock the presets
    // for the rest of the run.
    void presetReleasedWithoutCompletion()
    {
        Panel rig;
        rig.groups.system.setPendingTimeout(300);
        rig.chain.faults().dropIf = [](const QByteArray &p) {
            return p.mid(1, 3) == hexBytes("01043F");
        };
        control<QRadioButton>(rig.window, "ResetOption_2")->click();
        rig.run(100);
        QVERIFY(rig.groups.system.presetPending());
        control<QRadioButton>(rig.window, "SetOption_0")->click();
        QCOMPARE(rig.sent().size(), 1);

        rig.run(150);
        QVERIFY(rig.groups.system.presetPending());
        rig.run(100);
        QVERIFY(!rig.groups.system.presetPending());
        QVERIFY(rig.selectedPresets().isEmpty());
        rig.chain.faults().dropIf = {};
        control<QRadioButton>(rig.window, "SetOption_0")->click();
        QCOMPARE(rig.sent().last(), hexBytes("8101043F0100FF"));
    }

    // With auto refresh off, a recall is followed by one status read, the
    // recall delay after its finishing reply; Timer1 is not left running.
    void recallReadsStatusOnce()
    {
        Panel rig;
        rig.groups.system.setRecallRefreshDelay(250);
        rig.chain.camera(1).state().cameraId = 1234; // seen only by a status read
        control<QRadioButton>(rig.window, "RecallOption_1")->click();
        rig.run(300);
        QVERIFY(!rig.groups.system.presetPending());
        QVERIFY(!rig.link.refresh().timerEnabled());
        QCOMPARE(rig.sent().size(), 1); // nothing read yet

        rig.run(300);
        QCOMPARE(control<QLineEdit>(rig.window, "CameraIDText")->text(), QStringLiteral("1234"));
        const auto reads = rig.sent().size();
        rig.run(1000);
        QCOMPARE(rig.sent().size(), reads); // once only
        QVERIFY(!rig.link.refresh().timerEnabled());
        QCOMPARE(rig.link.refresh().caption(), QStringLiteral("Stop"));
    }

    // clang-format off
    void cameraId_data()
    {
        QTest::addColumn<QString>("typed");
        QTest::addColumn<QByteArray>("expected"); // empty: refused
        QTest::addColumn<QString>("shown");
        QTest::newRow("4660") << "4660" << hexBytes("8101042201020304FF") << "4660";
        QTest::newRow("far above") << "99999999999999999999" << hexBytes("810104220F0F0F0FFF") << "65535";
        QTest::newRow("below the range") << "-3" << hexBytes("8101042200000000FF") << "0";
        QTest::newRow("blanks and zeros") << " 0012 " << hexBytes("810104220000000CFF") << "12";
        QTest::newRow("empty") << "" << QByteArray() << "";
        QTest::newRow("trailing letters") << "12abc" << QByteArray() << "12abc";
    }
    // clang-format on
    void cameraId()
    {
        QFETCH(QString, typed);
        QFETCH(QByteArray, expected);
        QFETCH(QString, shown);
        Panel rig;
        control<QLineEdit>(rig.window, "CameraIDText")->setText(QStringLiteral("7"));
        control<QAction>(rig.window, "IDWrite")->trigger();
        QVERIFY(rig.window.frmCamID().isVisible());
        control<QLineEdit>(rig.id(), "ID")->setText(typed);
        control<QPushButton>(rig.id(), "OK")->click();
        QCOMPARE(control<QLineEdit>(rig.id(), "ID")->text(), shown);
        const bool refused = expected.isEmpty();
        QCOMPARE(rig.sent(), refused ? QList<QByteArray>{} : QList<QByteArray>{expected});
        QCOMPARE(rig.shown.texts(),
                 refused ? QStringList{SystemCommands::kCameraIdMessage} : QStringList{});
        QCOMPARE(rig.window.frmCamID().isVisible(), refused);
        QCOMPARE(control<QLineEdit>(rig.window, "CameraIDText")->text(),
                 refused ? QStringLiteral("7") : shown);
    }

    // The dialog pauses Timer1 while open; OK and Cancel start it again only
    // with "Auto Refresh" checked.
    void cameraIdDialogPausesRefresh_data()
    {
        QTest::addColumn<bool>("ok");
        QTest::addColumn<bool>("autoRefreshChecked");
        QTest::newRow("OK") << true << false;
        QTest::newRow("Cancel, Auto Refresh checked") << false << true;
    }
    void cameraIdDialogPausesRefresh()
    {
        QFETCH(bool, ok);
        QFETCH(bool, autoRefreshChecked);
        Panel rig;
        AutoRefresh &refresh = runningRefresh(rig, autoRefreshChecked);
        control<QAction>(rig.window, "IDWrite")->trigger();
        QVERIFY(!refresh.timerEnabled());
        QVERIFY(!rig.window.frmCamID().isModal());
        control<QLineEdit>(rig.id(), "ID")->setText(QStringLiteral("5"));
        (ok ? control<QPushButton>(rig.id(), "OK") : control<QPushButton>(rig.id(), "Cancel"))
            ->click();
        QVERIFY(!rig.window.frmCamID().isVisible());
        QCOMPARE(rig.sent().size(), ok ? 1 : 0);
        QCOMPARE(refresh.timerEnabled(), autoRefreshChecked);
    }

    // What is written at an address (one digit, lower case too) reads back,
    // and the read's reply shows in the log.
    void memoryRoundTrip()
    {
        Panel rig;
        control<QComboBox>(rig.window, "CombMemoryAD")->setCurrentIndex(6);
        control<QLineEdit>(rig.window, "TxtMemoryDataUpper")->setText(QStringLiteral("5c"));
        control<QLineEdit>(rig.window, "TxtMemoryDataLower")->setText(QStringLiteral("e"));
        control<QPushButton>(rig.window, "cmdMemoryWite")->click();
        rig.run(50);
        control<QPushButton>(rig.window, "cmdMemoryRD")->click();
        rig.run(50);
        QCOMPARE(rig.sent(),
                 (QList<QByteArray>{hexBytes("8101042306050C000EFF"), hexBytes("8109042306FF")}));
        QVERIFY2(control<QPlainTextEdit>(rig.window, "RecvText")
                     ->toPlainText()
                     .contains(QStringLiteral("90 50 05 0C 00 0E FF")),
                 qPrintable(control<QPlainTextEdit>(rig.window, "RecvText")->toPlainText()));
    }
};

ZAM_TEST_MAIN(TestSystem)
#include "test_system.moc"
