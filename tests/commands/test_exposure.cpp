// Exposure controls of the main window, driven through the real widgets on a
// simulated camera: packets, AE mode rows, the bright sequence, the value
// displays the step buttons move.

#include "support/controls.h"
#include "support/panelrig.h"
#include "support/testmain.h"

#include <QCheckBox>
#include <QLineEdit>
#include <QRegularExpression>
#include <modeltable.h>

using namespace zam;

namespace {

using Panel = StartedPanel;

// A click on the left of the control, where a check box has its box.
void click(QWidget *w)
{
    QTest::mouseClick(w, Qt::LeftButton, {}, QPoint(6, w->height() / 2));
}

const QStringList kModeItems{"FullAuto",     "Manual",       "ShutterPriority",
                             "IrisPriority", "GainPriority", "Bright"};
// The control groups of a mode row: iris, gain, shutter, bright, backlight + slow shutter.
const QList<QStringList> kModeGroups{{"IrisClose", "IrisOpen", "IrisSlider"},
                                     {"GainDown", "GainUp", "GainSlider"},
                                     {"ShutterSlow", "ShutterFast", "ShutterSlider"},
                                     {"BrightDown", "BrightUp", "BrightSlider"},
                                     {"BackLight", "AutoSlowShutter"}};

} // namespace

class TestExposure : public QObject {
    Q_OBJECT
private Q_SLOTS:
    // Buttons are clicked; check boxes start in `start`; sliders are set to
    // `start` by the program (which must send nothing) and then moved.
    void packets_data()
    {
        QTest::addColumn<QString>("control");
        QTest::addColumn<int>("start");
        QTest::addColumn<int>("move");
        QTest::addColumn<QByteArray>("expected");
        auto row = [](const char *tag, const char *control, int start, int move, const char *hex) {
            QTest::newRow(tag) << QString(control) << start << move << hexBytes(hex);
        };
        using A = QAbstractSlider;
        // clang-format off
        row("ShutterFast",         "ShutterFast", 0, 0, "8101040A02FF");
        row("IrisClose",           "IrisClose", 0, 0, "8101040B03FF");
        row("ExpCompUp",           "ExpCompUp", 0, 0, "8101040E02FF");
        row("ApertureReset",       "ApertureReset", 0, 0, "8101040200FF");
        row("ExpComp on",          "ExpComp", 0, 0, "8101043E02FF");
        row("BackLight off",       "BackLight", 1, 0, "8101043303FF");
        row("AutoSlowShutter on",  "AutoSlowShutter", 0, 0, "8101045A02FF");
        row("ShutterSlider",  "ShutterSlider", 20, A::SliderSingleStepAdd, "8101044A00000105FF");
        row("GainSlider",     "GainSlider", 0, A::SliderPageStepAdd,       "8101044C0000000FFF");
        row("ApertureSlider", "ApertureSlider", 9, A::SliderToMinimum,     "8101044200000000FF");
        // clang-format on
    }
    void packets()
    {
        QFETCH(QString, control);
        QFETCH(int, start);
        QFETCH(int, move);
        QFETCH(QByteArray, expected);
        Panel rig;
        QWidget *w = rig.widget(control);
        QVERIFY(w);
        w->setEnabled(true);
        if (auto *slider = qobject_cast<QAbstractSlider *>(w)) {
            slider->setValue(start);
            QVERIFY(rig.sent().isEmpty());
            slider->triggerAction(QAbstractSlider::SliderAction(move));
        } else {
            if (auto *box = qobject_cast<QCheckBox *>(w)) {
                const QSignalBlocker block(box);
                box->setChecked(start);
            }
            click(w);
        }
        QCOMPARE(rig.sent(), QList<QByteArray>{expected});
    }

    void sliderPressPausesRefresh()
    {
        Panel rig;
        for (const char *group : {"Shutter", "Iris", "Gain", "Bright", "ExpComp", "Aperture"})
            checkPressPausesRefresh(rig, rig.widget(group + QStringLiteral("Slider")));
    }

    void expCompControlsFollowBeforeSend()
    {
        Panel rig;
        QList<bool> enabledAtSend;
        connect(&rig.link, &CameraLink::packetWritten, this, [&] {
            enabledAtSend << control<QSlider>(rig.window, "ExpCompSlider")->isEnabled();
        });
        control<QCheckBox>(rig.window, "ExpComp")->setChecked(true);
        click(control<QCheckBox>(rig.window, "ExpComp")); // off
        click(control<QCheckBox>(rig.window, "ExpComp")); // on
        QCOMPARE(enabledAtSend, (QList<bool>{false, true}));
        QVERIFY(control<QToolButton>(rig.window, "ExpCompUp")->isEnabled() &&
                control<QToolButton>(rig.window, "ExpCompDown")->isEnabled());
    }

    // Each item applies its row over a window showing the opposite, so every
    // check mark and enabled state it must write is seen.
    void aeModeRows_data()
    {
        QTest::addColumn<int>("code");
        QTest::addColumn<QString>("groups"); // T/F per control group
        QTest::newRow("FullAuto") << 0x00 << "FFFFT";
        QTest::newRow("Manual") << 0x03 << "TTTFF";
        QTest::newRow("IrisPriority") << 0x0B << "TFFFF";
        QTest::newRow("Bright") << 0x0D << "FFFTF";
        QTest::newRow("IrisAuto") << 0x1B << "FTTFF"; // no item of the row is checked
    }
    void aeModeRows()
    {
        QFETCH(int, code);
        QFETCH(QString, groups);
        Panel rig;
        const QString item = QTest::currentDataTag();
        rig.window.modes().CurrentAEMode = item == "Bright" ? 0x0A : -1; // one packet for Bright
        for (const QString &name : kModeItems)
            rig.action(name)->setChecked(name != item);
        for (int g = 0; g < kModeGroups.size(); ++g)
            for (const QString &name : kModeGroups[g])
                rig.widget(name)->setEnabled(groups[g] != 'T');
        rig.action(item)->setEnabled(true); // GainPriority and IrisAuto are hidden
        rig.action(item)->trigger();

        QCOMPARE(rig.sent(), hexPackets(QString::asprintf("81010439%02XFF", code)));
        QCOMPARE(rig.window.modes().CurrentAEMode, code);
        for (const QString &name : kModeItems)
            QVERIFY2(rig.action(name)->isChecked() == (name == item), qPrintable(name));
        for (int g = 0; g < kModeGroups.size(); ++g)
            for (const QString &name : kModeGroups[g])
                QVERIFY2(rig.widget(name)->isEnabled() == (groups[g] == 'T'), qPrintable(name));
    }

    // The current item again sends nothing and keeps its mark.
    void aeItemDoesNothingWhenCurrent()
    {
        Panel rig;
        QAction *gainPriority = rig.action("GainPriority");
        gainPriority->setEnabled(true); // hidden in the form
        gainPriority->trigger();
        gainPriority->trigger();
        QCOMPARE(rig.sent(), QList<QByteArray>{hexBytes("810104390CFF")});
        QVERIFY(gainPriority->isChecked());
    }

    // Bright goes through full auto, one second before the bright packet,
    // except from shutter priority.
    void bright_data()
    {
        QTest::addColumn<int>("from");
        QTest::newRow("full auto") << 0x00;
        QTest::newRow("shutter priority") << 0x0A;
    }
    void bright()
    {
        QFETCH(int, from);
        Panel rig;
        rig.window.modes().CurrentAEMode = from;
        QList<qint64> times;
        QList<bool> busy;
        connect(&rig.link, &CameraLink::packetWritten, this, [&] {
            times << rig.clock.nowMs();
            busy << (QApplication::overrideCursor() != nullptr);
        });
        control<QAction>(rig.window, "Bright")->trigger();

        QCOMPARE(rig.sent(),
                 hexPackets(from == 0x0A ? "810104390DFF" : "8101043900FF 810104390DFF"));
        if (from != 0x0A) {
            QVERIFY2(times[1] - times[0] >= 1000 && times[1] - times[0] < 1100,
                     qPrintable(QString::number(times[1] - times[0])));
            QVERIFY(busy[0]);
        }
        QVERIFY(!QApplication::overrideCursor());
        QVERIFY(control<QAction>(rig.window, "Bright")->isChecked() &&
                control<QSlider>(rig.window, "BrightSlider")->isEnabled());

        rig.clearSent();
        control<QAction>(rig.window, "Bright")->trigger();
        QVERIFY(rig.sent().isEmpty());
    }

    // GainDown, BrightUp and ShutterSlow step their own display, within the
    // range the model and the shutter column allow; the value the program
    // writes into the slider sends nothing.
    void displaySteps_data()
    {
        QTest::addColumn<QString>("button");
        QTest::addColumn<int>("modelSlot");
        QTest::addColumn<int>("column");
        QTest::addColumn<int>("start");
        QTest::addColumn<int>("after");
        QTest::addColumn<QString>("caption"); // "unchanged" when not stepped
        // clang-format off
        QTest::newRow("gain down")                 << "GainDown" << 0 << 0 << 5 << 4 << "6dB";
        QTest::newRow("bright up, 18x")            << "BrightUp" << 5 << 0 << 22 << 23 << "F1.4/12dB";
        QTest::newRow("shutter, slot 9, column 1") << "ShutterSlow" << 9 << 1 << 10 << 9 << "1/120";
        QTest::newRow("shutter at 7, slot 6")      << "ShutterSlow" << 6 << 0 << 7 << 7 << "unchanged";
        QTest::newRow("shutter, other model")      << "ShutterSlow" << 4 << 0 << 10 << 10 << "unchanged";
        // clang-format on
    }
    void displaySteps()
    {
        QFETCH(QString, button);
        QFETCH(int, modelSlot);
        QFETCH(int, column);
        QFETCH(int, start);
        QFETCH(int, after);
        QFETCH(QString, caption);
        Panel rig;
        control<QLineEdit>(rig.window, "ModelVersion")->setText(ModelNameTable().value(modelSlot));
        rig.window.captions().applyLensProfile(LensProfile::Opt18X);
        rig.window.modes().ShutterColumn = column;
        const QString group = button.left(button.indexOf(QRegularExpression("Down|Up|Slow")));
        auto *slider = qobject_cast<QAbstractSlider *>(rig.widget(group + "Slider"));
        auto *display = qobject_cast<QLineEdit *>(rig.widget(group + "Value"));
        slider->setValue(start);
        display->setText("unchanged");
        rig.widget(button)->setEnabled(true);
        click(rig.widget(button));
        QCOMPARE(rig.sent().size(), 1);
        QCOMPARE(slider->value(), after);
        QCOMPARE(display->text(), caption);
    }
};

ZAM_TEST_MAIN(TestExposure)
#include "test_exposure.moc"
