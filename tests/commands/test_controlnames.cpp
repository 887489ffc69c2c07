// Controls of the main window and its dialogs, operated through their real
// widgets on the simulated cameras: the packets a control puts on the wire
// must decode to the entries of its function, in order, and the cameras,
// which know the commands from tables of their own, must not answer any of
// them with a syntax error. A control wired to the wrong entry (or to none)
// shows up here under its own name. The controls whose packets the command,
// dialog, title and service tests pin byte for byte are not listed again;
// every window the menus open is, with one button at least.

#include "support/controls.h"
#include "support/panelrig.h"
#include "support/testmain.h"

#include <QAbstractButton>
#include <QAbstractSlider>
#include <QAction>
#include <QApplication>
#include <QCheckBox>
#include <QDialog>
#include <QRadioButton>
#include <QTimer>
#include <catalog.h>
#include <packet.h>
#include <trafficmodel.h>

#include <functional>

using namespace zam;
using catalog::Id;

namespace {

// What the entries are called, as the traffic monitor names them.
QStringList entryNames(const QList<int> &ids)
{
    QStringList out;
    for (int id : ids)
        out << QString::fromLatin1(catalog::entry(Id(id)).name);
    return out;
}

QStringList decodedNames(const QList<QByteArray> &packets)
{
    QStringList out;
    for (const QByteArray &p : packets) {
        const catalog::Command c = catalog::decodeCommand(p);
        out << (c.known() && c.inRange ? QString::fromLatin1(c.entry->name)
                                       : QStringLiteral("unknown ") + hexCompact(p));
    }
    return out;
}

// How many syntax errors (y0 60 02 FF) the cameras have answered so far.
int syntaxErrors(TrafficModel &traffic)
{
    traffic.sync();
    int n = 0;
    for (int row = 0; row < traffic.rowCount(); ++row) {
        const TrafficRow &r = traffic.shownRow(row);
        n += r.fromCamera() && r.bytes.size() == 4 && r.bytes.mid(1) == "\x60\x02\xFF";
    }
    return n;
}

// The control called `name` that belongs to `window` itself (names such as
// "OK" recur across the dialogs the main window parents).
QObject *findControl(QWidget *window, const QString &name)
{
    for (QObject *o : window->findChildren<QObject *>(name)) {
        if (auto *w = qobject_cast<QWidget *>(o)) {
            if (w->window() == window)
                return o;
        } else if (qobject_cast<QAction *>(o)) {
            return o;
        }
    }
    return nullptr;
}

// Operates a control the way the operator does. `start` is the state it is
// operated from: an item's mark ("checked"), a button's caption, a box's
// tick ("1"), a slider's value (the slider then moves one step up).
void operate(QWidget *window, const QString &name, const QString &start)
{
    QObject *o = findControl(window, name);
    QVERIFY2(o, qPrintable(name));
    if (auto *action = qobject_cast<QAction *>(o)) {
        action->setEnabled(true);
        if (!start.isEmpty())
            action->setChecked(start == QLatin1String("checked"));
        action->trigger();
        return;
    }
    auto *widget = static_cast<QWidget *>(o);
    for (QWidget *w = widget; w && w != window; w = w->parentWidget())
        w->setEnabled(true);
    if (auto *slider = qobject_cast<QAbstractSlider *>(o)) {
        slider->setValue(start.toInt(nullptr, 0));
        slider->triggerAction(QAbstractSlider::SliderSingleStepAdd);
        return;
    }
    auto *button = qobject_cast<QAbstractButton *>(o);
    QVERIFY2(button, qPrintable(name));
    QPoint at = button->rect().center();
    if (qobject_cast<QCheckBox *>(o) || qobject_cast<QRadioButton *>(o)) {
        const QSignalBlocker quiet(button);
        button->setChecked(start == QLatin1String("1"));
        at = QPoint(6, button->height() / 2); // on the box
    } else if (!start.isEmpty()) {
        button->setText(start);
    }
    // Press and release: a hold button moves and stops, others click.
    QTest::mouseClick(button, Qt::LeftButton, {}, at);
}

QSet<QWidget *> shownWindows()
{
    QSet<QWidget *> out;
    for (QWidget *w : QApplication::topLevelWidgets())
        if (w->isVisible())
            out.insert(w);
    return out;
}

// A row: opened by the main window's menu item `open` (empty: the main
// window itself), the form filled by `steps`, `control` operated from
// `start`, and the entries its packets must be.
void sends(const char *open, const char *steps, const char *control, const char *start,
           const QList<Id> &ids)
{
    QList<int> expected;
    for (Id id : ids)
        expected << int(id);
    QTest::addRow("%s%s%s%s%s", open, *open ? " " : "", control, *start ? " from " : "", start)
        << QString(open) << QString(steps) << QString(control) << QString(start) << expected;
}
void mainRow(const char *control, const QList<Id> &ids)
{
    sends("", "", control, "", ids);
}

} // namespace

class TestControlNames : public QObject {
    Q_OBJECT
private Q_SLOTS:
    void controls_data()
    {
        QTest::addColumn<QString>("open");
        QTest::addColumn<QString>("steps");
        QTest::addColumn<QString>("control");
        QTest::addColumn<QString>("start");
        QTest::addColumn<QList<int>>("expected");
        using enum Id;
        // clang-format off
        // ---- Focus
        mainRow("Infinity",    {FocusInfinity});
        mainRow("Lensinit",    {LensInitialize});
        mainRow("AFModeCmd_2", {AfModeInterval});
        mainRow("AFModeCmd_3", {AfModeZoomTrigger});
        // ---- Exposure
        mainRow("ShutterPriority", {AeShutterPriority});
        mainRow("ShutterSlow",     {ShutterSlower});
        mainRow("IrisOpen",        {IrisOpen});
        mainRow("GainUp",          {GainUp});
        mainRow("GainDown",        {GainDown});
        mainRow("BrightUp",        {BrightUp});
        mainRow("BrightDown",      {BrightDown});
        mainRow("ExpCompDown",     {ExpCompDown});
        mainRow("ApertureUp",      {ApertureUp});
        mainRow("ApertureDown",    {ApertureDown});
        mainRow("IrisSlider",      {IrisDirect});
        mainRow("BrightSlider",    {BrightDirect});
        mainRow("ExpCompSlider",   {ExpCompDirect});
        sends("", "", "ExpComp", "1",         {ExpCompOff});
        sends("", "", "BackLight", "0",       {BackLightOn});
        sends("", "", "AutoSlowShutter", "1", {AutoSlowShutterOff});
        // ---- White balance
        mainRow("RGainDown", {RGainDown});
        mainRow("BGainUp",   {BGainUp});
        // ---- Picture
        sends("", "", "Wide_D", "OFF",           {WideDynamicRangeOff});
        sends("", "", "LR_Reverse", "checked",   {LrReverseOff});
        sends("", "", "Freese", "unchecked",     {FreezeOn});
        sends("", "", "Image_Stabi", "checked",  {StabilizerOff});
        // ---- System
        mainRow("CustomMem_1", {CustomPresetRecall});
        for (int n = 0; n < 6; ++n) {
            mainRow(qPrintable(QStringLiteral("SetOption_%1").arg(n)),    {PresetSet});
            mainRow(qPrintable(QStringLiteral("RecallOption_%1").arg(n)), {PresetRecall});
            mainRow(qPrintable(QStringLiteral("ResetOption_%1").arg(n)),  {PresetReset});
        }
        // ---- Display and V-phase
        // The title editors' own switches follow the item and send as well.
        sends("", "", "TitleOnOff", "unchecked",  {TitleDisplayOn, TitleDisplayOn, TitleMenuOn});
        sends("", "", "TitleOnOff", "checked",    {TitleMenuOff});
        sends("", "", "VP0180", "180 degree", {VPhase180});

        // ---- Reading and reconnecting
        const QList<Id> statusRead{VersionInquiry, LensBlockInquiry, CameraBlockInquiry,
                                   OtherBlockInquiry, ExtendedBlockInquiry};
        mainRow("Refreshonce", statusRead);
        mainRow("CameraSel_1", statusRead);
        mainRow("CameraSel_2", statusRead);
        mainRow("Reconnect",   QList<Id>{InterfaceClear, AddressSet, VersionInquiry} + statusRead);

        // ---- The dialogs, opened from the main window's menus: one button of
        // each window at least, so that every window is seen on the main
        // window's line
        sends("DigitalEffectLevel", "DELevel=40", "DELevelOK", "", {DigitalEffectLevel});
        sends("IDWrite", "", "OK", "", {CameraIdWrite});
        sends("SetTimeDate", "", "OK", "", {ClockSet});
        sends("AESpotMode", "", "AESpotON", "",  {AeSpotOn});
        sends("SettingZones", "", "CmdGridOn", "",  {MaskGridOn});
        sends("SphericalZoneMasking", "", "CmdGridOnSphe", "",  {MaskGridOn});
        sends("SphericalZoneMasking", "", "cmdGridoffSphe", "", {MaskGridOff});
        sends("PrivacyAv", "", "CmdClear", "",      {PrivacyAClear});
        sends("MotionDetectD", "", "MDforOnOff", "", {MotionDetectionOn});
        sends("AlarmDetection", "", "cmdMDSSunq", "",   {AlarmStatusInquiry});
        // The demonstration title: the line setting, then each line's halves.
        sends("TitleSet", "", "cmd_DOVA", "",
              QList<Id>{TitleLineSetting} + QList<Id>(11, TitleFirstHalf) +
                  QList<Id>(11, TitleSecondHalf));
        sends("TitleSet>Keyboard", "", "Clear", "", {TitleClear});
        sends("SettingMenu", "", "EPromCmdSens", "", {EepromSettingMode});
        sends("RegisterSet", "EPromModeTextR=123", "EPromCmdRD", "", {EepromRead});
        // clang-format on
    }
    void controls()
    {
        QFETCH(QString, open);
        QFETCH(QString, steps);
        QFETCH(QString, control);
        QFETCH(QString, start);
        QFETCH(QList<int>, expected);
        StartedPanel rig;

        QList<QByteArray> sent;
        int refused = 0;
        bool done = false;
        const std::function<void(QWidget *)> play = [&](QWidget *window) {
            done = true;
            rig.clearSent();
            const int before = syntaxErrors(rig.window.traffic());
            ::play(window, steps);
            operate(window, control, start);
            rig.run(200);
            sent = rig.sent();
            refused = syntaxErrors(rig.window.traffic()) - before;
        };
        // A modal window is played from within its own event loop.
        QTimer modal;
        modal.setInterval(1);
        connect(&modal, &QTimer::timeout, this, [&] {
            QWidget *w = QApplication::activeModalWidget();
            if (w && !done) {
                play(w);
                w->close();
            }
        });
        modal.start();
        if (open.isEmpty()) {
            play(&rig.window);
        } else {
            const QSet<QWidget *> before = shownWindows();
            // "Menu item>Button": the button of the window the item opened
            // opens the window to play.
            const QStringList chain = open.split(QLatin1Char('>'));
            auto *opening = rig.window.findChild<QAction *>(chain[0]);
            QVERIFY2(opening, qPrintable(open));
            opening->trigger();
            QWidget *window = nullptr;
            for (const QString &button : chain) {
                if (window)
                    operate(window, button, QString());
                const QSet<QWidget *> opened = shownWindows() - before;
                QVERIFY2(opened.size() >= 1 || done, qPrintable(open));
                for (QWidget *w : opened)
                    if (w != window)
                        window = w;
            }
            if (!done)
                play(window);
        }
        QCOMPARE(decodedNames(sent).join(QLatin1String(" | ")),
                 entryNames(expected).join(QLatin1String(" | ")));
        QCOMPARE(refused, 0);
    }

    // A slider given a wider range than its entry takes (as another model's
    // form might) sends nothing beyond the entry's end: a wrapped or
    // truncated value would drive the camera somewhere else.
    void sliderBeyondItsEntrySendsNothing_data()
    {
        QTest::addColumn<QString>("slider");
        QTest::addColumn<int>("value");
        QTest::newRow("ZoomSlider") << "ZoomSlider" << 0x10000; // five nibbles
        QTest::newRow("DZoomSlider") << "DZoomSlider" << 0xDD;
        QTest::newRow("FocusNearLimitSlider") << "FocusNearLimitSlider" << 0xC001;
        QTest::newRow("ShutterSlider") << "ShutterSlider" << 22;
        QTest::newRow("RGainSlider") << "RGainSlider" << 256;
        QTest::newRow("VPSlider") << "VPSlider" << 0x400;
    }
    void sliderBeyondItsEntrySendsNothing()
    {
        QFETCH(QString, slider);
        QFETCH(int, value);
        PanelRig rig;
        QVERIFY(rig.start());
        auto *s = rig.window.findChild<QAbstractSlider *>(slider);
        QVERIFY(s);
        s->setEnabled(true);
        s->setMaximum(value);
        s->setValue(value - 1);
        s->triggerAction(QAbstractSlider::SliderSingleStepAdd); // to `value`
        rig.run(200);
        QCOMPARE(s->value(), value);
        QCOMPARE(rig.sent(), QList<QByteArray>());
    }
};

ZAM_TEST_MAIN(TestControlNames)
#include "test_controlnames.moc"
