// Every control of every window that sends, operated through its real widget
// on the simulated cameras: the packets it puts on the wire must decode to
// the entries of that control's function, in order, and the cameras, which
// know the commands from tables of their own, must not answer any of them
// with a syntax error. A control wired to the wrong entry (or to none) shows
// up here under its own name, and so does an entry whose bytes are wrong.

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
        // ---- Lens
        mainRow("ZoomTele",   {ZoomTele, ZoomStop});
        mainRow("ZoomWide",   {ZoomWide, ZoomStop});
        mainRow("DZoomTele",  {DigitalZoomTele, DigitalZoomStop});
        mainRow("DZoomWide",  {DigitalZoomWide, DigitalZoomStop});
        mainRow("ZoomSlider", {ZoomDirect});
        mainRow("ZoomSliderShort", {ZoomDirect});
        mainRow("DZoomSlider", {DigitalZoomDirect});
        mainRow("WideT",      {ZoomDirect});
        mainRow("FarT",       {ZoomDirect});
        mainRow("DZoomON",    {DigitalZoomOn});
        mainRow("DZoomOff",   {DigitalZoomOff});
        mainRow("DZoomMode_0", {DigitalZoomCombine});
        mainRow("DZoomMode_1", {DigitalZoomSeparate});
        mainRow("DZoomX",     {DigitalZoomX1Max});
        // ---- Focus
        mainRow("Far",        {FocusFar, FocusStop});
        mainRow("Near",       {FocusNear, FocusStop});
        mainRow("AFTrig",     {FocusOnePush});
        mainRow("Infinity",   {FocusInfinity});
        mainRow("Lensinit",   {LensInitialize});
        mainRow("CompScan",   {CompensationScan});
        mainRow("AFModeCmd_0", {FocusAuto});
        mainRow("ManAFMode",  {FocusManual});
        mainRow("AFModeCmd_1", {AfModeNormal});
        mainRow("AFModeCmd_2", {AfModeInterval});
        mainRow("AFModeCmd_3", {AfModeZoomTrigger});
        sends("", "AFacttime=10 AFintTime=2F", "ACTAFmodeset", "", {AfIntervalTimes});
        sends("", "", "AF_Sens", "0", {AfSensitivityLow});
        sends("", "", "AF_Sens", "1", {AfSensitivityNormal});
        sends("", "", "FocusSlider", "0x1000", {FocusDirect});
        sends("", "", "FocusNearLimitSlider", "0x1000", {FocusNearLimit});
        // ---- Exposure
        mainRow("FullAuto",        {AeFullAuto});
        mainRow("Manual",          {AeManual});
        mainRow("ShutterPriority", {AeShutterPriority});
        mainRow("IrisPriority",    {AeIrisPriority});
        mainRow("GainPriority",    {AeGainPriority});
        mainRow("IrisAuto",        {AeIrisAuto});
        mainRow("Bright",          {AeFullAuto, AeBright}); // by way of full auto
        mainRow("ShutterFast",     {ShutterFaster});
        mainRow("ShutterSlow",     {ShutterSlower});
        mainRow("IrisOpen",        {IrisOpen});
        mainRow("IrisClose",       {IrisClose});
        mainRow("GainUp",          {GainUp});
        mainRow("GainDown",        {GainDown});
        mainRow("BrightUp",        {BrightUp});
        mainRow("BrightDown",      {BrightDown});
        mainRow("ExpCompUp",       {ExpCompUp});
        mainRow("ExpCompDown",     {ExpCompDown});
        mainRow("ApertureUp",      {ApertureUp});
        mainRow("ApertureDown",    {ApertureDown});
        mainRow("ApertureReset",   {ApertureReset});
        mainRow("ShutterSlider",   {ShutterDirect});
        mainRow("IrisSlider",      {IrisDirect});
        mainRow("GainSlider",      {GainDirect});
        mainRow("BrightSlider",    {BrightDirect});
        mainRow("ExpCompSlider",   {ExpCompDirect});
        mainRow("ApertureSlider",  {ApertureDirect});
        sends("", "", "ExpComp", "0",         {ExpCompOn});
        sends("", "", "ExpComp", "1",         {ExpCompOff});
        sends("", "", "BackLight", "0",       {BackLightOn});
        sends("", "", "BackLight", "1",       {BackLightOff});
        sends("", "", "AutoSlowShutter", "0", {AutoSlowShutterOn});
        sends("", "", "AutoSlowShutter", "1", {AutoSlowShutterOff});
        sends("", "txtSlowAEvalue=10", "cmdSetSlowAE", "", {SlowAe});
        // ---- White balance
        mainRow("ATWPro",    {WbAuto});
        mainRow("InDoor",    {WbIndoor});
        mainRow("OutDoor",   {WbOutdoor});
        mainRow("OnePushWB", {WbOnePush});
        mainRow("ATW",       {WbAtw});
        mainRow("ManualWB",  {WbManual});
        mainRow("WBTrigger", {WbOnePushTrigger});
        mainRow("RGainUp",   {RGainUp});
        mainRow("RGainDown", {RGainDown});
        mainRow("BGainUp",   {BGainUp});
        mainRow("BGainDown", {BGainDown});
        mainRow("RBReset",   {RGainReset, BGainReset});
        mainRow("RGainSlider", {RGainDirect});
        mainRow("BGainSlider", {BGainDirect});
        // ---- Picture
        sends("", "", "Wide_D", "ON",        {WideDynamicRangeOn});
        sends("", "", "Wide_D", "OFF",       {WideDynamicRangeOff});
        sends("", "", "cmdHigh_Reso", "ON",  {HighResolutionOn});
        sends("", "", "cmdHigh_Reso", "OFF", {HighResolutionOff});
        sends("", "", "comAutoICR", "OFF",   {AutoIcrOn});
        sends("", "", "comAutoICR", "ON",    {AutoIcrOff});
        mainRow("comICR_0", {IcrOn});
        mainRow("comICR_1", {IcrOff});
        sends("", "txtICRthreshold=80", "comICR_Threshold", "", {IcrThreshold});
        sends("", "", "PictureFlip", "unchecked", {PictureFlipOn});
        sends("", "", "PictureFlip", "checked",   {PictureFlipOff});
        sends("", "", "LR_Reverse", "unchecked",  {LrReverseOn});
        sends("", "", "LR_Reverse", "checked",    {LrReverseOff});
        sends("", "", "Freese", "unchecked",      {FreezeOn});
        sends("", "", "Freese", "checked",        {FreezeOff});
        sends("", "", "Image_Stabi", "unchecked", {StabilizerOn});
        sends("", "", "Image_Stabi", "checked",   {StabilizerOff});
        mainRow("Normal",     {WideModeNormal});
        mainRow("PEOff",      {PictureEffectOff});
        mainRow("NegArt",     {PictureEffectNegativeArt});
        mainRow("BlackWhite", {PictureEffectBlackWhite});
        // ---- System
        sends("", "", "Power", "unchecked",   {PowerOn});
        sends("", "", "Power", "checked",     {PowerOff});
        sends("", "", "KeyLock", "unchecked", {KeyLockOn});
        sends("", "", "KeyLock", "checked",   {KeyLockOff});
        sends("", "", "Mute", "unchecked",    {MuteOn});
        sends("", "", "Mute", "checked",      {MuteOff});
        mainRow("AddressSet",  {AddressSet});
        mainRow("IFClear",     {InterfaceClear});
        mainRow("CustomMem_0", {CustomPresetSet});
        mainRow("CustomMem_1", {CustomPresetRecall});
        mainRow("CustomMem_2", {CustomPresetReset});
        for (int n = 0; n < 6; ++n) {
            mainRow(qPrintable(QStringLiteral("SetOption_%1").arg(n)),    {PresetSet});
            mainRow(qPrintable(QStringLiteral("RecallOption_%1").arg(n)), {PresetRecall});
            mainRow(qPrintable(QStringLiteral("ResetOption_%1").arg(n)),  {PresetReset});
        }
        sends("", "CombMemoryAD=3", "cmdMemoryRD", "", {UserMemoryRead});
        sends("", "CombMemoryAD=3 TxtMemoryDataUpper=12 TxtMemoryDataLower=EF", "cmdMemoryWite", "",
              {UserMemoryWrite});
        // ---- Display, sync and V-phase
        sends("", "", "DataScreen", "unchecked",  {DataScreenOn});
        sends("", "", "DataScreen", "checked",    {DataScreenOff});
        // The title editors' own switches follow the item and send as well.
        sends("", "", "TitleOnOff", "unchecked",  {TitleDisplayOn, TitleDisplayOn, TitleMenuOn});
        sends("", "", "TitleOnOff", "checked",    {TitleMenuOff});
        sends("", "", "DateDisplay", "unchecked", {DateDisplayOn});
        sends("", "", "DateDisplay", "checked",   {DateDisplayOff});
        sends("", "", "TimeDisplay", "unchecked", {TimeDisplayOn});
        sends("", "", "TimeDisplay", "checked",   {TimeDisplayOff});
        mainRow("Internal", {SyncInternal});
        mainRow("LineLock", {SyncLineLock});
        sends("", "", "VP0180", "0 degree",   {VPhase0});
        sends("", "", "VP0180", "180 degree", {VPhase180});
        mainRow("VPUp",     {VPhaseUp, VPhaseStop});
        mainRow("VPDown",   {VPhaseDown, VPhaseStop});
        mainRow("VPreset",  {VPhaseReset});
        mainRow("VPSlider", {VPhaseDirect});

        // ---- Reading and reconnecting
        const QList<Id> statusRead{VersionInquiry, LensBlockInquiry, CameraBlockInquiry,
                                   OtherBlockInquiry, ExtendedBlockInquiry};
        mainRow("Refreshonce", statusRead);
        mainRow("CameraSel_1", statusRead);
        mainRow("CameraSel_2", statusRead);
        mainRow("Reconnect",   QList<Id>{InterfaceClear, AddressSet, VersionInquiry} + statusRead);

        // ---- The dialogs, opened from the main window's menus
        sends("DigitalEffectLevel", "DELevel=40", "DELevelOK", "", {DigitalEffectLevel});
        sends("IDWrite", "", "OK", "", {CameraIdWrite});
        sends("SetTimeDate", "", "OK", "", {ClockSet});
        sends("AESpotMode", "", "AESpotSet", "", {AeSpotPosition});
        sends("AESpotMode", "", "AESpotON", "",  {AeSpotOn});
        sends("AESpotMode", "", "AESpotOFF", "", {AeSpotOff});
        sends("SettingZones", "combSetPrivacy=23 Check1=0 Zones_0=1F", "CmdPrivacySet", "",
              {PrivacyZoneSet});
        sends("SettingZones", "Checks0_5=1", "cmdPrivacyDisp", "", {PrivacyDisplay});
        sends("SettingZones", "Combo_0=8 Chk1=1 Combo_1=7", "cmdPrivacyColor", "", {MaskColour});
        sends("SettingZones", "TextPan=800 TextTilt=c00", "cmdPZMpantilt", "", {PanTiltAngle});
        sends("SettingZones", "Opmove_6=1 TextMovePan=1A TextMoveTilt=02", "cmdMovePanTilt", "",
              {MovePanTilt});
        sends("SettingZones", "comboSetPTZ=2 TextSetPTZpan=400 TextSetPTZTilt=010 TextSetPTZzoom=4000",
              "Command1", "", {MaskPtz});
        sends("SettingZones", "", "CmdGridOn", "",  {MaskGridOn});
        sends("SettingZones", "", "cmdGridoff", "", {MaskGridOff});
        sends("SphericalZoneMasking", "", "cmdSphericalSet", "", {SphericalZoneSet});
        sends("SphericalZoneMasking", "Checks0_12=1", "cmdSphericalDisp", "", {PrivacyDisplay});
        sends("SphericalZoneMasking", "ComboSphe_0=9 Chk1=1 ComboSphe_1=10", "cmdSphericalColor", "",
              {MaskColour});
        sends("SphericalZoneMasking", "ComboSphe_0=-1 ComboSphe_1=3", "cmdSphericalMosic", "",
              {MaskColourMosaic1});
        sends("SphericalZoneMasking", "ComboSphe_0=8", "cmdSphericalMosic2", "", {MaskColourMosaic2});
        sends("SphericalZoneMasking", "TextPan=E00", "cmdSphePZMpantilt", "", {PanTiltAngle});
        sends("SphericalZoneMasking", "", "cmdSphericalPTZ", "", {MaskPtz});
        sends("SphericalZoneMasking",
              "ComboNonInter=1 NonInterXText=10 NonInterYText=20 NonInterWText=08 NonInterHText=04",
              "cmdNonInter", "", {NonInterlockMask});
        sends("SphericalZoneMasking", "", "CmdGridOnSphe", "",  {MaskGridOn});
        sends("SphericalZoneMasking", "", "cmdGridoffSphe", "", {MaskGridOff});
        sends("SphericalZoneMasking", "", "cmdCenterSphe", "",  {MaskCentreOn});
        for (const char *pair : {"cmdPZMset_0", "cmdPZMset_1", "cmdPZMset_2"})
            sends("PrivacyAv", "Zones_8=4 Zones_9=2 Zones_10=3 Zones_11=1", pair, "",
                  {PrivacyZonePairSet});
        sends("PrivacyAv", "", "CmdPrivacyOn", "",  {PrivacyAOn});
        sends("PrivacyAv", "", "CmdPrivacyoff", "", {PrivacyAOff});
        sends("PrivacyAv", "", "CmdClear", "",      {PrivacyAClear});
        sends("MotionDetectD", "", "MDwinSet", "", {MotionWindowSet});
        sends("MotionDetectD", "MDthreshold=2F MDinterval=10", "MDfuncSet", "", {MotionFunctionSet});
        sends("AlarmDetection", "", "cmdDisplay", "",      {DataScreenOn});
        sends("AlarmDetection", "", "cmdMDdisplayOFF", "", {DataScreenOff});
        sends("AlarmDetection", "ComboSetMD=2", "comSetMD", "", {AlarmModeSet});
        sends("AlarmDetection", "", "cmdsetMDinq", "",  {AlarmModeInquiry});
        sends("AlarmDetection", "txtMDday=777 txtMDnight=100", "cmdsetMDtime", "", {AlarmLevels});
        sends("AlarmDetection", "", "cmdLevelInq", "",  {AlarmLevelInquiry});
        sends("AlarmDetection", "OpMDon=1", "cmdMDstart", "",  {AlarmStart});
        sends("AlarmDetection", "OpMDoff=1", "cmdMDstart", "", {AlarmStop});
        sends("AlarmDetection", "", "cmdMDSSunq", "",   {AlarmStatusInquiry});
        sends("AlarmDetection", "", "cmdJun", "ON",     {AlarmSwitchOn});
        sends("AlarmDetection", "", "cmdJun", "OFF",    {AlarmSwitchOff});
        sends("MotionDetectD", "", "MDforOnOff", "", {MotionDetectionOn});
        sends("TitleSet", "", "OK", "", {TitleLineSetting, TitleFirstHalf, TitleSecondHalf});
        sends("TitleSet", "", "Clear", "", {TitleClear});
        sends("TitleSet", "", "Check1", "0", {TitleDisplayOn});
        sends("TitleSet", "", "Check1", "1", {TitleDisplayOff});
        // The demonstration title: the line setting, then each line's halves.
        sends("TitleSet", "", "cmd_DOVA", "",
              QList<Id>{TitleLineSetting} + QList<Id>(11, TitleFirstHalf) +
                  QList<Id>(11, TitleSecondHalf));
        sends("TitleSet>Keyboard", "", "OK", "", {TitleLineSetting, TitleFirstHalf, TitleSecondHalf});
        sends("TitleSet>Keyboard", "", "Clear", "", {TitleClear});
        sends("TitleSet>Keyboard", "", "Check1", "0", {TitleDisplayOn});
        sends("TitleSet>Keyboard", "", "Check1", "1", {TitleDisplayOff});
        sends("RegisterSet", "txtRegisterNo=5F txtRegisterValue=A0", "comRegisterSet2", "",
              {RegisterSet});
        sends("SettingMenu", "", "EPromCmdSens", "", {EepromSettingMode});
        sends("SettingMenu", "", "EPromWriteProtectrelesase", "", {EepromProtectRelease});
        sends("SettingMenu", "EPromText1=123", "EPromCmdRD", "", {EepromRead});
        sends("SettingMenu", "EPromText1=123 EPromText2=45", "EPromCmdWR", "", {EepromWrite});
        sends("SettingMenu", "EPromText1=123 EPromText2=45", "EPromCmdSet", "", {EepromSet});
        // The camera gives no date before the write protect is released.
        sends("SettingMenu", "", "Manufadatecmd", "", {EepromRead});
        const QList<Id> unlock{EepromSettingMode, EepromProtectRelease};
        sends("SettingMenu", "", "EPromCmdx36ICRcomp", "", unlock + QList<Id>{EepromWrite, EepromWrite});
        sends("SettingMenu", "", "CmdBaudRate_0", "", unlock + QList<Id>{EepromBaudRate9600});
        sends("SettingMenu", "", "CmdBaudRate_1", "", unlock + QList<Id>{EepromBaudRate19200});
        sends("SettingMenu", "", "CmdBaudRate_2", "", unlock + QList<Id>{EepromBaudRate38400});
        sends("RegisterSet", "", "EPromCmdKR550ICR", "", unlock + QList<Id>{EepromWrite, EepromWrite});
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
        PanelRig rig;
        QVERIFY(rig.start());
        rig.window.modes().CurrentAEMode = -1;
        rig.window.modes().CurrentWBMode = -1;

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
