// Focus controls of the main window, driven through the real widgets against
// the simulated chain: packets, the focus modes' control states, slider
// drags and the near limit. (That the status read's writes to the AF
// sensitivity box send nothing is test_statusread's part.)

#include "support/controls.h"
#include "support/panelrig.h"
#include "support/testmain.h"

using namespace zam;

namespace {

// A started panel on screen with every focus control usable, AF sensitivity
// unticked, the near limit at its near end, nothing sent yet.
std::unique_ptr<PanelRig> startedRig()
{
    auto rig = shownPanel("Near Far NearSpeed FarSpeed FocusSlider AFTrig AFModeCmd_0 AFModeCmd_1 "
                          "AFModeCmd_2 AFModeCmd_3 ManAFMode Infinity AF_Sens ACTAFmodeset "
                          "FocusNearLimitSlider CompScan");
    if (rig) {
        control<QCheckBox>(rig->window, "AF_Sens")->setChecked(false);
        control<QSlider>(rig->window, "FocusNearLimitSlider")->setValue(0xC000);
        rig->clearSent();
    }
    return rig;
}

// Which focus controls are usable: the manual group (Near, Far, their speeds,
// the focus slider, OnePushAF), Auto, the three AF modes, Manual Focus, Infinity.
QString focusState(const QObject &ui)
{
    QString s;
    for (QWidget *w : std::initializer_list<QWidget *>{
             control<QToolButton>(ui, "Near"), control<QToolButton>(ui, "Far"),
             control<QSpinBox>(ui, "NearSpeed"), control<QSpinBox>(ui, "FarSpeed"),
             control<QSlider>(ui, "FocusSlider"), control<QPushButton>(ui, "AFTrig"), nullptr,
             control<QPushButton>(ui, "AFModeCmd_0"), nullptr,
             control<QPushButton>(ui, "AFModeCmd_1"), control<QPushButton>(ui, "AFModeCmd_2"),
             control<QPushButton>(ui, "AFModeCmd_3"), nullptr,
             control<QPushButton>(ui, "ManAFMode"), nullptr, control<QPushButton>(ui, "Infinity")})
        s += !w ? QLatin1Char(' ') : w->isEnabled() ? QLatin1Char('1') : QLatin1Char('0');
    return s;
}

} // namespace

class TestFocus : public QObject {
    Q_OBJECT
private Q_SLOTS:
    void commands_data()
    {
        QTest::addColumn<QString>("script");
        QTest::addColumn<QString>("expected");
        const auto row = [](const char *tag, const char *script, const char *expected) {
            QTest::newRow(tag) << QString(script) << QString(expected);
        };
        // clang-format off
        row("sensitivity low, normal", "click AF_Sens; click AF_Sens", "8101045802FF 8101045803FF");
        row("far, fastest", "type FarSpeed 7; press Far; release Far", "8101040827FF 8101040800FF");
        row("near, slowest", "type NearSpeed 0; press Near; release Near", "8101040830FF 8101040800FF");
        // The manual group goes disabled under the held button: it stops then.
        row("Auto while Far is held", "press Far; click AFModeCmd_0; release Far",
            "8101040824FF 8101043802FF 8101040800FF");
        row("OnePushAF", "click AFTrig", "8101041801FF");
        row("CompScan", "click CompScan", "8101041902FF");
        row("focus to its end", "set FocusSlider 0xBFFB; page FocusSlider", "810104480C000000FF");
        row("focus, every nibble", "set FocusSlider 0x1233; key FocusSlider", "8101044801020304FF");
        row("near limit", "set FocusNearLimitSlider 0x7F00; key FocusNearLimitSlider", "8101042808000000FF");
        row("focus step past the near limit sends the limit",
            "set FocusNearLimitSlider 0x8000; set FocusSlider 0x7FFE; page FocusSlider", "8101044808000000FF");
        // clang-format on
    }
    void commands()
    {
        QFETCH(QString, script);
        QFETCH(QString, expected);
        auto rig = startedRig();
        QVERIFY(rig);
        play(*rig, script);
        QCOMPARE(rig->sent(), hexPackets(expected));
    }

    // Each mode button clicked from a mixed state, so that "unchanged" shows:
    // the manual group and Infinity usable, no mode button but the clicked one.
    void focusModes_data()
    {
        QTest::addColumn<QString>("button");
        QTest::addColumn<QString>("expected");
        QTest::addColumn<QString>("state");
        // clang-format off
        QTest::newRow("Auto") << "AFModeCmd_0" << "8101043802FF" << "000000 0 111 1 0";
        QTest::newRow("Normal") << "AFModeCmd_1" << "8101045700FF" << "000000 1 111 0 1";
        QTest::newRow("Set") << "ACTAFmodeset" << "8101042700050005FF" << "000000 1 111 0 1";
        QTest::newRow("Manual Focus") << "ManAFMode" << "8101043803FF" << "111111 1 000 0 1";
        // clang-format on
    }
    void focusModes()
    {
        QFETCH(QString, button);
        QFETCH(QString, expected);
        QFETCH(QString, state);
        auto rig = startedRig();
        QVERIFY(rig);
        const QObject &ui = rig->window;
        for (QWidget *w : std::initializer_list<QWidget *>{
                 control<QPushButton>(ui, "AFModeCmd_0"), control<QPushButton>(ui, "AFModeCmd_1"),
                 control<QPushButton>(ui, "AFModeCmd_2"), control<QPushButton>(ui, "AFModeCmd_3"),
                 control<QPushButton>(ui, "ManAFMode")})
            w->setEnabled(false);
        rig->window.findChild<QWidget *>(button)->setEnabled(true);
        play(*rig, "click " + button);
        QCOMPARE(rig->sent(), hexPackets(expected));
        QCOMPARE(focusState(ui), state);
    }

    // The focus slider stops Timer1 while held; the near limit leaves it
    // alone and sends nothing on release.
    void sliderDrag_data()
    {
        QTest::addColumn<QString>("slider");
        QTest::addColumn<bool>("timerWhileHeld");
        QTest::addColumn<int>("packets");
        QTest::newRow("focus") << "FocusSlider" << false << 2;
        QTest::newRow("near limit") << "FocusNearLimitSlider" << true << 1;
    }
    void sliderDrag()
    {
        QFETCH(QString, slider);
        QFETCH(bool, timerWhileHeld);
        QFETCH(int, packets);
        auto rig = startedRig();
        QVERIFY(rig);
        auto *s = rig->window.findChild<QSlider *>(slider);
        s->setValue(s->minimum());
        AutoRefresh &refresh = runningRefresh(*rig, true);

        const QPoint thumb = thumbCenter(s), dropped = thumb + QPoint(s->width() / 3, 0);
        QTest::mousePress(s, Qt::LeftButton, {}, thumb);
        QCOMPARE(refresh.timerEnabled(), timerWhileHeld);
        QTest::mouseMove(s, dropped);
        QTest::mouseRelease(s, Qt::LeftButton, {}, dropped);
        QVERIFY(refresh.timerEnabled());
        QVERIFY(s->value() > s->minimum());
        QCOMPARE(rig->sent().size(), packets);
    }

    // The program's own writes are held at the near limit and send nothing.
    void nearLimitClamp()
    {
        auto rig = startedRig();
        QVERIFY(rig);
        QSlider *focus = control<QSlider>(rig->window, "FocusSlider");
        control<QSlider>(rig->window, "FocusNearLimitSlider")->setValue(0x8000);
        for (auto [value, shown] :
             {std::pair{0x8000, 0x8000}, {0x7FFF, 0x7FFF}, {0xA000, 0x8000}}) {
            focus->setValue(value);
            QCOMPARE(focus->value(), shown);
        }
        QVERIFY(rig->sent().isEmpty());
    }
};

ZAM_TEST_MAIN(TestFocus)
#include "test_focus.moc"
