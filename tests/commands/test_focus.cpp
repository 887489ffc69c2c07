// Focus controls of the main window, driven through the real widgets against
// the simulated chain.

#include "support/panelrig.h"

#include "ui_frmmain.h"

using namespace zam;
using Packets = QList<QByteArray>;

namespace {

Packets packets(const QString &hex)
{
    Packets out;
    for (const QString &p : hex.split(QLatin1Char(' '), Qt::SkipEmptyParts))
        out << QByteArray::fromHex(p.toLatin1());
    return out;
}

// Plays operator steps "verb Control [value]", separated by ';':
//   click, press, release  the mouse on a button (click triggers a menu item)
//   type                   replaces a box's text, key by key
//   set                    the program writes a slider value
//   key, page              one arrow-key step / one page step upwards
void play(PanelRig &rig, const QString &script)
{
    for (const QString &step : script.split(QLatin1Char(';'), Qt::SkipEmptyParts)) {
        const QStringList w = step.simplified().split(QLatin1Char(' '));
        const QString verb = w.value(0), arg = w.value(2);
        QObject *o = rig.window.findChild<QObject *>(w.value(1));
        QVERIFY2(o, qPrintable(step));
        auto *widget = qobject_cast<QWidget *>(o);
        auto *slider = qobject_cast<QAbstractSlider *>(o);
        const QPoint at = widget ? QPoint(8, widget->height() / 2) : QPoint();
        if (verb == QLatin1String("click") && !widget)
            static_cast<QAction *>(o)->trigger();
        else if (verb == QLatin1String("click"))
            QTest::mouseClick(widget, Qt::LeftButton, {}, at);
        else if (verb == QLatin1String("press"))
            QTest::mousePress(widget, Qt::LeftButton, {}, at);
        else if (verb == QLatin1String("release"))
            QTest::mouseRelease(widget, Qt::LeftButton, {}, at);
        else if (verb == QLatin1String("type")) {
            QMetaObject::invokeMethod(widget, "selectAll");
            QTest::keyClick(widget, Qt::Key_Delete);
            QTest::keyClicks(widget, arg);
        } else if (verb == QLatin1String("set"))
            slider->setValue(arg.toInt(nullptr, 0));
        else if (verb == QLatin1String("key"))
            QTest::keyClick(widget, Qt::Key_Right);
        else if (verb == QLatin1String("page"))
            slider->triggerAction(QAbstractSlider::SliderPageStepAdd);
        else
            QFAIL(qPrintable(step));
    }
}

// A started panel on screen with every focus control usable, AF sensitivity
// unticked, the near limit at its near end, nothing sent yet.
std::unique_ptr<PanelRig> startedRig()
{
    auto rig = std::make_unique<PanelRig>();
    if (!rig->start())
        return nullptr;
    rig->window.show();
    if (!QTest::qWaitForWindowExposed(&rig->window))
        return nullptr;
    Ui::FrmMain *ui = rig->window.ui();
    for (QWidget *w : std::initializer_list<QWidget *>{
             ui->Near, ui->Far, ui->NearSpeed, ui->FarSpeed, ui->FocusSlider, ui->AFTrig,
             ui->AFModeCmd_0, ui->AFModeCmd_1, ui->AFModeCmd_2, ui->AFModeCmd_3, ui->ManAFMode,
             ui->Infinity, ui->AF_Sens, ui->ACTAFmodeset, ui->FocusNearLimitSlider})
        w->setEnabled(true);
    ui->Lensinit->setEnabled(true);
    ui->CompScan->setEnabled(true);
    ui->AF_Sens->setChecked(false);
    ui->FocusNearLimitSlider->setValue(0xC000);
    rig->clearSent();
    return rig;
}

// Which focus controls are usable: the manual group (Near, Far, their speeds,
// the focus slider, OnePushAF), Auto, the three AF modes, Manual Focus, Infinity.
QString focusState(Ui::FrmMain *ui)
{
    QString s;
    for (QWidget *w : std::initializer_list<QWidget *>{
             ui->Near, ui->Far, ui->NearSpeed, ui->FarSpeed, ui->FocusSlider, ui->AFTrig, nullptr,
             ui->AFModeCmd_0, nullptr, ui->AFModeCmd_1, ui->AFModeCmd_2, ui->AFModeCmd_3, nullptr,
             ui->ManAFMode, nullptr, ui->Infinity})
        s += !w ? QLatin1Char(' ') : w->isEnabled() ? QLatin1Char('1') : QLatin1Char('0');
    return s;
}

QPoint thumbCenter(QSlider *s)
{
    QStyleOptionSlider opt;
    opt.initFrom(s);
    opt.orientation = s->orientation();
    opt.minimum = s->minimum();
    opt.maximum = s->maximum();
    opt.sliderPosition = opt.sliderValue = s->value();
    return s->style()->subControlRect(QStyle::CC_Slider, &opt, QStyle::SC_SliderHandle, s).center();
}

} // namespace

class TestFocus : public QObject {
    Q_OBJECT
private Q_SLOTS:
    void commands_data()
    {
        QTest::addColumn<QString>("script");
        QTest::addColumn<QString>("expected");
        QTest::newRow("Auto") << "click AFModeCmd_0" << "8101043802FF";
        QTest::newRow("Normal") << "click AFModeCmd_1" << "8101045700FF";
        QTest::newRow("Interval AF") << "click AFModeCmd_2" << "8101045701FF";
        QTest::newRow("ZoomTrigger") << "click AFModeCmd_3" << "8101045702FF";
        QTest::newRow("Manual Focus") << "click ManAFMode" << "8101043803FF";
        QTest::newRow("times") << "type AFacttime 05; type AFintTime 1A; click ACTAFmodeset"
                               << "810104270005010AFF";
        QTest::newRow("one digit counts twice")
            << "type AFacttime 7; type AFintTime 05; click ACTAFmodeset" << "8101042707070005FF";
        QTest::newRow("lower case") << "type AFacttime a; type AFintTime ff; click ACTAFmodeset"
                                    << "810104270A0A0F0FFF";
        QTest::newRow("no hex digit typed")
            << "type AFacttime g5x; type AFintTime; click ACTAFmodeset" << "8101042705050000FF";
        QTest::newRow("sensitivity low, normal") << "click AF_Sens; click AF_Sens"
                                                 << "8101045802FF 8101045803FF";
        QTest::newRow("far") << "press Far; release Far" << "8101040824FF 8101040800FF";
        QTest::newRow("near, slowest") << "type NearSpeed 0; press Near; release Near"
                                       << "8101040830FF 8101040800FF";
        QTest::newRow("near, fastest") << "type NearSpeed 7; press Near; release Near"
                                       << "8101040837FF 8101040800FF";
        // The manual group goes disabled under the held button: it stops then.
        QTest::newRow("Auto while Far is held") << "press Far; click AFModeCmd_0; release Far"
                                                << "8101040824FF 8101043802FF 8101040800FF";
        QTest::newRow("OnePushAF") << "click AFTrig" << "8101041801FF";
        QTest::newRow("Infinity") << "click Infinity" << "8101041802FF";
        QTest::newRow("Lens_Initialize") << "click Lensinit" << "8101041901FF";
        QTest::newRow("CompScan") << "click CompScan" << "8101041902FF";
        QTest::newRow("focus to its end") << "set FocusSlider 0xBFFB; page FocusSlider"
                                          << "810104480C000000FF";
        QTest::newRow("focus, every nibble") << "set FocusSlider 0x1233; key FocusSlider"
                                             << "8101044801020304FF";
        QTest::newRow("near limit") << "set FocusNearLimitSlider 0x7F00; key FocusNearLimitSlider"
                                    << "8101042808000000FF";
        QTest::newRow("focus step past the near limit sends the limit")
            << "set FocusNearLimitSlider 0x8000; set FocusSlider 0x7FFE; page FocusSlider"
            << "8101044808000000FF";
    }
    void commands()
    {
        QFETCH(QString, script);
        QFETCH(QString, expected);
        auto rig = startedRig();
        QVERIFY(rig);
        play(*rig, script);
        QCOMPARE(rig->sent(), packets(expected));
    }

    // Each mode button clicked from a mixed state, so that "unchanged" shows:
    // the manual group and Infinity usable, no mode button but the clicked one.
    void focusModes_data()
    {
        QTest::addColumn<QString>("button");
        QTest::addColumn<QString>("state");
        QTest::newRow("Auto") << "AFModeCmd_0" << "000000 0 111 1 0";
        QTest::newRow("Normal") << "AFModeCmd_1" << "000000 1 111 0 1";
        QTest::newRow("Interval AF") << "AFModeCmd_2" << "000000 1 111 0 1";
        QTest::newRow("ZoomTrigger") << "AFModeCmd_3" << "000000 1 111 0 1";
        QTest::newRow("Set") << "ACTAFmodeset" << "000000 1 111 0 1";
        QTest::newRow("Manual Focus") << "ManAFMode" << "111111 1 000 0 1";
    }
    void focusModes()
    {
        QFETCH(QString, button);
        QFETCH(QString, state);
        auto rig = startedRig();
        QVERIFY(rig);
        Ui::FrmMain *ui = rig->window.ui();
        for (QWidget *w : std::initializer_list<QWidget *>{
                 ui->AFModeCmd_0, ui->AFModeCmd_1, ui->AFModeCmd_2, ui->AFModeCmd_3, ui->ManAFMode})
            w->setEnabled(false);
        rig->window.findChild<QWidget *>(button)->setEnabled(true);
        play(*rig, "click " + button);
        QCOMPARE(rig->sent().size(), 1);
        QCOMPARE(focusState(ui), state);
    }

    void sensitivityOnlyFromTheOperator()
    {
        auto rig = startedRig();
        QVERIFY(rig);
        QCheckBox *sens = rig->window.ui()->AF_Sens;
        sens->setChecked(true); // as the status read writes it
        sens->setChecked(false);
        QVERIFY(rig->sent().isEmpty());

        // Refused during a status read: nothing sent, the tick stays.
        rig->link.state().RefreshBusy = true;
        play(*rig, "click AF_Sens");
        QVERIFY(rig->sent().isEmpty());
        QVERIFY(!sens->isChecked());
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
        AutoRefresh &refresh = rig->link.refresh();
        refresh.setAutoRefreshChecked(true);
        refresh.setTimerEnabled(true);

        const QPoint thumb = thumbCenter(s), dropped = thumb + QPoint(s->width() / 3, 0);
        QTest::mousePress(s, Qt::LeftButton, {}, thumb);
        QCOMPARE(refresh.timerEnabled(), timerWhileHeld);
        QTest::mouseMove(s, dropped);
        QTest::mouseRelease(s, Qt::LeftButton, {}, dropped);
        QVERIFY(refresh.timerEnabled());
        QVERIFY(s->value() > s->minimum());
        QCOMPARE(rig->sent().size(), packets);
    }

    void nearLimitClamp_data()
    {
        QTest::addColumn<int>("limit");
        QTest::addColumn<int>("value");
        QTest::addColumn<int>("shown");
        QTest::newRow("past the limit") << 0x8000 << 0xA000 << 0x8000;
        QTest::newRow("at the limit") << 0x8000 << 0x8000 << 0x8000;
        QTest::newRow("inside") << 0x8000 << 0x7FFF << 0x7FFF;
    }
    void nearLimitClamp()
    {
        QFETCH(int, limit);
        QFETCH(int, value);
        QFETCH(int, shown);
        auto rig = startedRig();
        QVERIFY(rig);
        Ui::FrmMain *ui = rig->window.ui();
        ui->FocusSlider->setValue(0x1000);
        ui->FocusNearLimitSlider->setValue(limit);
        ui->FocusSlider->setValue(value);
        QCOMPARE(ui->FocusSlider->value(), shown);
        QVERIFY(rig->sent().isEmpty());
    }
};

QTEST_MAIN(TestFocus)
#include "test_focus.moc"
