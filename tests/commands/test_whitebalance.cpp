// White-balance controls of the main window, driven through the real widgets
// on a simulated camera: the mode rows, the gain buttons and sliders.

#include "support/controls.h"
#include "support/panelrig.h"
#include "support/testmain.h"

using namespace zam;

namespace {

struct Panel : StartedPanel {
    QList<QAction *> items()
    {
        return {control<QAction>(window, "ATWPro"),  control<QAction>(window, "InDoor"),
                control<QAction>(window, "OutDoor"), control<QAction>(window, "OnePushWB"),
                control<QAction>(window, "ATW"),     control<QAction>(window, "ManualWB")};
    }
    QList<QWidget *> gainControls()
    {
        return {control<QWidget>(window, "RGainUp"),     control<QWidget>(window, "BGainUp"),
                control<QWidget>(window, "RGainDown"),   control<QWidget>(window, "BGainDown"),
                control<QWidget>(window, "RGainSlider"), control<QWidget>(window, "BGainSlider"),
                control<QWidget>(window, "RBReset")};
    }
};

} // namespace

class TestWhiteBalance : public QObject {
    Q_OBJECT
private Q_SLOTS:
    // Each item applies its row over a window showing the opposite: the R/B
    // gain controls only for manual, the trigger only for one push.
    void modeRows_data()
    {
        QTest::addColumn<int>("code");
        const char *items[] = {"ATWPro", "InDoor", "OutDoor", "OnePushWB", "ATW", "ManualWB"};
        for (int code = 0; code < 6; ++code)
            QTest::newRow(items[code]) << code;
    }
    void modeRows()
    {
        QFETCH(int, code);
        const bool gains = code == 5, trigger = code == 3;
        Panel rig;
        for (QAction *a : rig.items())
            a->setChecked(true);
        for (QWidget *w : rig.gainControls())
            w->setEnabled(!gains);
        control<QPushButton>(rig.window, "WBTrigger")->setEnabled(!trigger);

        rig.items()[code]->trigger();
        QCOMPARE(rig.sent(), hexPackets(QString::asprintf("81010435%02XFF", code)));
        QCOMPARE(rig.window.modes().CurrentWBMode, code);
        for (int i = 0; i < rig.items().size(); ++i)
            QCOMPARE(rig.items()[i]->isChecked(), i == code);
        for (QWidget *w : rig.gainControls())
            QVERIFY2(w->isEnabled() == gains, qPrintable(w->objectName()));
        QCOMPARE(control<QPushButton>(rig.window, "WBTrigger")->isEnabled(), trigger);
    }

    // The current item again sends nothing and keeps its mark.
    void modeItemDoesNothingWhenCurrent()
    {
        Panel rig;
        control<QAction>(rig.window, "ATW")->trigger();
        control<QAction>(rig.window, "ATW")->trigger();
        QCOMPARE(rig.sent().size(), 1);
        QVERIFY(control<QAction>(rig.window, "ATW")->isChecked());
    }

    // Buttons are clicked; sliders are written by the program (nothing sent)
    // and then moved by the operator.
    void packets_data()
    {
        QTest::addColumn<QString>("control");
        QTest::addColumn<QString>("expected");
        // clang-format off
        QTest::newRow("WBTrigger") << "WBTrigger" << "8101041005FF";
        QTest::newRow("RGainUp") << "RGainUp" << "8101040302FF";
        QTest::newRow("BGainDown") << "BGainDown" << "8101040403FF";
        QTest::newRow("RBReset") << "RBReset" << "8101040300FF 8101040400FF";
        QTest::newRow("RGainSlider dragged to 200") << "RGainSlider" << "8101044300000C08FF";
        QTest::newRow("BGainSlider page up from 100") << "BGainSlider" << "810104440000060EFF";
        // clang-format on
    }
    void packets()
    {
        QFETCH(QString, control);
        QFETCH(QString, expected);
        Panel rig;
        zam::control<QLineEdit>(rig.window, "RGValue")->setText("unchanged");
        auto *w = rig.window.findChild<QWidget *>(control);
        QVERIFY(w);
        w->setEnabled(true);
        if (auto *slider = qobject_cast<QAbstractSlider *>(w)) {
            slider->setValue(100);
            QVERIFY(rig.sent().isEmpty());
            if (control == "RGainSlider") {
                slider->setSliderDown(true);
                slider->setSliderPosition(200);
                slider->setSliderDown(false);
            } else {
                QTest::keyClick(slider, Qt::Key_PageUp);
            }
        } else {
            QTest::mouseClick(w, Qt::LeftButton);
        }
        QCOMPARE(rig.sent(), hexPackets(expected));
        QCOMPARE(zam::control<QLineEdit>(rig.window, "RGValue")->text(),
                 QStringLiteral("unchanged"));
    }

    void sliderPressPausesRefresh()
    {
        Panel rig;
        checkPressPausesRefresh(rig, control<QSlider>(rig.window, "RGainSlider"));
        checkPressPausesRefresh(rig, control<QSlider>(rig.window, "BGainSlider"));
    }
};

ZAM_TEST_MAIN(TestWhiteBalance)
#include "test_whitebalance.moc"
