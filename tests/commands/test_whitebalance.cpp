// White-balance controls of the main window, driven through the real widgets
// on a simulated camera.

#include "support/panelrig.h"

#include "ui_frmmain.h"

#include <QAbstractSlider>

using namespace zam;

namespace {

struct Panel : PanelRig {
    Panel()
    {
        QVERIFY(start());
        link.state().CurrentWBMode = -1;
        clearSent();
    }
    Ui::FrmMain *ui() { return window.ui(); }
    QList<QAction *> items()
    {
        return {ui()->ATWPro,    ui()->InDoor, ui()->OutDoor,
                ui()->OnePushWB, ui()->ATW,    ui()->ManualWB};
    }
    QList<QWidget *> gainControls()
    {
        return {ui()->RGainUp,     ui()->BGainUp,     ui()->RGainDown, ui()->BGainDown,
                ui()->RGainSlider, ui()->BGainSlider, ui()->RBReset};
    }
};

} // namespace

class TestWhiteBalance : public QObject {
    Q_OBJECT
private Q_SLOTS:
    // Each item applies its row over a window showing the opposite.
    void modeRows_data()
    {
        QTest::addColumn<int>("code");
        QTest::addColumn<bool>("gains");
        QTest::addColumn<bool>("trigger");
        // clang-format off
        QTest::newRow("ATWPro")    << 0 << false << false;
        QTest::newRow("InDoor")    << 1 << false << false;
        QTest::newRow("OutDoor")   << 2 << false << false;
        QTest::newRow("OnePushWB") << 3 << false << true;
        QTest::newRow("ATW")       << 4 << false << false;
        QTest::newRow("ManualWB")  << 5 << true  << false;
        // clang-format on
    }
    void modeRows()
    {
        QFETCH(int, code);
        QFETCH(bool, gains);
        QFETCH(bool, trigger);
        Panel rig;
        for (QAction *a : rig.items())
            a->setChecked(true);
        for (QWidget *w : rig.gainControls())
            w->setEnabled(!gains);
        rig.ui()->WBTrigger->setEnabled(!trigger);

        rig.items()[code]->trigger();
        QByteArray packet = hexBytes("8101043500FF");
        packet[4] = char(code);
        QCOMPARE(rig.sent(), QList<QByteArray>{packet});
        QCOMPARE(rig.link.state().CurrentWBMode, code);
        for (int i = 0; i < rig.items().size(); ++i)
            QCOMPARE(rig.items()[i]->isChecked(), i == code);
        for (QWidget *w : rig.gainControls())
            QVERIFY2(w->isEnabled() == gains, qPrintable(w->objectName()));
        QCOMPARE(rig.ui()->WBTrigger->isEnabled(), trigger);
    }

    void modeItemDoesNothingWhenCurrentOrRefused()
    {
        Panel rig;
        rig.ui()->ATW->trigger();
        rig.ui()->ATW->trigger();
        QCOMPARE(rig.sent().size(), 1);
        QVERIFY(rig.ui()->ATW->isChecked());

        rig.clearSent();
        rig.link.state().RefreshBusy = true;
        rig.ui()->ManualWB->trigger();
        QVERIFY(rig.sent().isEmpty());
        QVERIFY(!rig.ui()->ManualWB->isChecked());
        QVERIFY(rig.ui()->ATW->isChecked());
        QCOMPARE(rig.link.state().CurrentWBMode, 4);
        QVERIFY(!rig.ui()->RBReset->isEnabled());
    }

    // Buttons are clicked; sliders are written by the program (nothing sent)
    // and then moved by the operator.
    void packets_data()
    {
        QTest::addColumn<QString>("control");
        QTest::addColumn<QList<QByteArray>>("expected");
        auto row = [](const char *tag, const char *control, QList<QByteArray> expected) {
            QTest::newRow(tag) << QString(control) << expected;
        };
        // clang-format off
        row("WBTrigger", "WBTrigger", {hexBytes("8101041005FF")});
        row("RGainUp",   "RGainUp",   {hexBytes("8101040302FF")});
        row("RGainDown", "RGainDown", {hexBytes("8101040303FF")});
        row("BGainUp",   "BGainUp",   {hexBytes("8101040402FF")});
        row("BGainDown", "BGainDown", {hexBytes("8101040403FF")});
        row("RBReset",   "RBReset",   {hexBytes("8101040300FF"), hexBytes("8101040400FF")});
        row("RGainSlider dragged to 200",    "RGainSlider", {hexBytes("8101044300000C08FF")});
        row("BGainSlider page up from 100", "BGainSlider", {hexBytes("810104440000060EFF")});
        // clang-format on
    }
    void packets()
    {
        QFETCH(QString, control);
        QFETCH(QList<QByteArray>, expected);
        Panel rig;
        rig.ui()->RGValue->setText("unchanged");
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
        QCOMPARE(rig.sent(), expected);
        QCOMPARE(rig.ui()->RGValue->text(), QStringLiteral("unchanged"));
    }

    void sliderPressPausesRefresh()
    {
        Panel rig;
        AutoRefresh &refresh = rig.link.refresh();
        for (QAbstractSlider *slider : {rig.ui()->RGainSlider, rig.ui()->BGainSlider}) {
            slider->setEnabled(true);
            for (bool menuChecked : {false, true}) {
                refresh.setAutoRefreshChecked(menuChecked);
                refresh.setTimerEnabled(true);
                QTest::mousePress(slider, Qt::LeftButton);
                QVERIFY(!refresh.timerEnabled());
                const auto sentBefore = rig.sent().size();
                QTest::mouseRelease(slider, Qt::LeftButton);
                QCOMPARE(rig.sent().size(), sentBefore);
                QCOMPARE(refresh.timerEnabled(), menuChecked);
            }
        }
    }
};

QTEST_MAIN(TestWhiteBalance)
#include "test_whitebalance.moc"
