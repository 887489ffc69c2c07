// Zoom and digital zoom controls of the main window, driven through the real
// widgets against the simulated chain: packets, slider drags and the digital
// zoom control states. How a held zoom button stops is test_holdstops' part.

#include "support/controls.h"
#include "support/panelrig.h"
#include "support/testmain.h"

using namespace zam;

namespace {

std::unique_ptr<PanelRig> startedRig()
{
    return shownPanel("ZoomTele ZoomWide DZoomTele DZoomWide DZoomX DZoomON DZoomOff DZoomMode_0 "
                      "DZoomMode_1 DZoomSlider ZoomSlider ZoomSliderShort");
}

// What the digital zoom controls show, as one comparable line.
QString zoomState(const QObject &ui)
{
    auto on = [](QWidget *w) { return QChar(w->isEnabled() ? '1' : '0'); };
    auto offered = [](QSlider *s) { return !s->isHidden() && s->isEnabled(); };
    const bool full = offered(control<QSlider>(ui, "ZoomSlider")),
               optical = offered(control<QSlider>(ui, "ZoomSliderShort"));
    return QStringLiteral("slider=%1 on/off=%2%3 separate=%4%5%6 modes=%7%8")
        .arg(full == optical ? "both?"
             : full          ? "full"
                             : "optical")
        .arg(on(control<QPushButton>(ui, "DZoomON")), on(control<QPushButton>(ui, "DZoomOff")),
             on(control<QToolButton>(ui, "DZoomTele")), on(control<QToolButton>(ui, "DZoomWide")),
             on(control<QPushButton>(ui, "DZoomX")), on(control<QPushButton>(ui, "DZoomMode_0")),
             on(control<QPushButton>(ui, "DZoomMode_1")));
}

} // namespace

class TestLens : public QObject {
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
        row("tele, fastest", "type TeleSpeed 7; press ZoomTele; release ZoomTele", "8101040727FF 8101040700FF");
        row("tele at the speed the box starts with", "press ZoomTele; release ZoomTele", "8101040724FF 8101040700FF");
        row("wide, speed text deleted counts as 0", "type WideSpeed 2; type WideSpeed; press ZoomWide; release ZoomWide",
            "8101040730FF 8101040700FF");
        row("digital tele", "type DTeleSpeed 2; press DZoomTele; release DZoomTele", "8101040622FF 8101040600FF");
        row("full slider to its end", "set ZoomSlider 0x6FFB; page ZoomSlider", "8101044707000000FF");
        row("optical slider, every nibble", "set ZoomSliderShort 0x1233; key ZoomSliderShort", "8101044701020304FF");
        row("digital slider to its end", "set DZoomSlider 0xD2; page DZoomSlider", "8101044600000D0CFF");
        row("wide end", "click WideT", "8101044700000000FF");
        // With digital zoom on, the tele end lies past the full slider's 7000.
        row("tele end, digital zoom on", "click DZoomON; click FarT", "8101040602FF 81010447080B0E00FF");
        row("tele end, digital zoom off", "click DZoomOff; click FarT", "8101040603FF 8101044704000000FF");
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

    // Mouse down stops Timer1; each move sends; mouse up starts Timer1 again
    // only with "Auto Refresh" checked, then sends the final position again.
    void sliderDrag_data()
    {
        QTest::addColumn<QString>("slider");
        QTest::addColumn<bool>("autoRefreshChecked");
        QTest::newRow("optical") << "ZoomSliderShort" << false;
        QTest::newRow("digital, Auto Refresh checked") << "DZoomSlider" << true;
    }
    void sliderDrag()
    {
        QFETCH(QString, slider);
        QFETCH(bool, autoRefreshChecked);
        auto rig = startedRig();
        QVERIFY(rig);
        auto *s = rig->window.findChild<QSlider *>(slider);
        s->setValue(0);
        AutoRefresh &refresh = runningRefresh(*rig, autoRefreshChecked);

        const QPoint thumb = thumbCenter(s), dropped = thumb + QPoint(s->width() / 2, 0);
        QTest::mousePress(s, Qt::LeftButton, {}, thumb);
        QVERIFY(!refresh.timerEnabled());
        QTest::mouseMove(s, dropped);
        QTest::mouseRelease(s, Qt::LeftButton, {}, dropped);
        QCOMPARE(refresh.timerEnabled(), autoRefreshChecked);

        const int v = s->value(),
                  command = s == control<QSlider>(rig->window, "DZoomSlider") ? 0x46 : 0x47;
        QVERIFY(v > 0);
        const QString at = QString::asprintf("810104%02X0%X0%X0%X0%XFF", command, v >> 12,
                                             (v >> 8) & 15, (v >> 4) & 15, v & 15);
        QCOMPARE(rig->sent(), hexPackets(at + ' ' + at));
    }

    // From digital zoom off in combine mode.
    void digitalZoomState_data()
    {
        QTest::addColumn<QString>("script");
        QTest::addColumn<QString>("expected");
        QTest::addColumn<QString>("state");
        // clang-format off
        QTest::newRow("on, combine mode") << "click DZoomON"
            << "8101040602FF" << "slider=full on/off=01 separate=000 modes=01";
        QTest::newRow("on, separate, combine again") << "click DZoomON; click DZoomMode_1; click DZoomMode_0"
            << "8101040602FF 8101043601FF 8101043600FF" << "slider=full on/off=01 separate=000 modes=01";
        QTest::newRow("separate, then on") << "click DZoomMode_1; click DZoomON"
            << "8101043601FF 8101040602FF" << "slider=optical on/off=01 separate=111 modes=10";
        QTest::newRow("separate and back, zoom off") << "click DZoomMode_1; click DZoomMode_0"
            << "8101043601FF 8101043600FF" << "slider=optical on/off=10 separate=000 modes=01";
        // clang-format on
    }
    void digitalZoomState()
    {
        QFETCH(QString, script);
        QFETCH(QString, expected);
        QFETCH(QString, state);
        auto rig = startedRig();
        QVERIFY(rig);
        play(*rig, "click DZoomOff; click DZoomMode_0");
        rig->clearSent();
        play(*rig, script);
        QCOMPARE(rig->sent(), hexPackets(expected));
        QCOMPARE(zoomState(rig->window), state);
    }

    void x1MaxTogglesCaption()
    {
        auto rig = startedRig();
        QVERIFY(rig);
        QPushButton *x = control<QPushButton>(rig->window, "DZoomX");
        x->setText(QString()); // as at start, before any status read
        for (const char *caption : {"X1", "MAX", "X1"}) {
            x->click();
            QCOMPARE(x->text(), QString(caption));
        }
        QCOMPARE(rig->sent(), hexPackets("8101040610FF 8101040610FF 8101040610FF"));
    }

    // Combine mode stops a Timer1 left running under "Stop" (after a recall).
    void combineModeStopsStrayRefresh()
    {
        auto rig = startedRig();
        QVERIFY(rig);
        AutoRefresh &refresh = runningRefresh(*rig, false);
        QCOMPARE(refresh.caption(), QStringLiteral("Stop"));
        QVERIFY(refresh.timerEnabled());
        play(*rig, "click DZoomMode_0");
        QVERIFY(!refresh.timerEnabled());
    }
};

ZAM_TEST_MAIN(TestLens)
#include "test_lens.moc"
