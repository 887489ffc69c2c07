// Checks of the main window form (frmmain.ui) on its own: the names the
// panel code looks controls up by, their captions and ranges, the entries
// that start hidden, accessibility and the layout at the target size.

#include "ui_frmmain.h"

#include <QAbstractSpinBox>
#include <QButtonGroup>
#include <QComboBox>
#include <QMainWindow>
#include <QMenuBar>
#include <QScrollBar>
#include <QSet>
#include <QtTest>

namespace {

// Caption as the user sees it: "&&" shows as "&", a single "&" marks a mnemonic.
QString shown(const QString &text)
{
    QString out;
    for (int i = 0; i < text.size(); ++i) {
        if (text.at(i) == QLatin1Char('&') && i + 1 < text.size())
            ++i;
        out += text.at(i);
    }
    return out;
}

// The visible caption of a widget, a menu or an action.
QString captionOf(QObject *o)
{
    if (auto *a = qobject_cast<QAction *>(o))
        return shown(a->text());
    if (auto *m = qobject_cast<QMenu *>(o))
        return shown(m->title());
    if (auto *g = qobject_cast<QGroupBox *>(o))
        return g->title();
    if (auto *b = qobject_cast<QAbstractButton *>(o))
        return shown(b->text());
    if (auto *l = qobject_cast<QLabel *>(o))
        return shown(l->text());
    if (auto *e = qobject_cast<QLineEdit *>(o))
        return e->text();
    return QString();
}

// Widgets a user operates; the editors inside spin boxes and combo boxes
// belong to their owner.
bool isInteractive(const QWidget *w)
{
    if (w->objectName().startsWith(QLatin1String("qt_")) || qobject_cast<const QScrollBar *>(w))
        return false;
    if (qobject_cast<const QAbstractSpinBox *>(w->parentWidget())
        || qobject_cast<const QComboBox *>(w->parentWidget()))
        return false;
    return qobject_cast<const QAbstractButton *>(w) || qobject_cast<const QAbstractSlider *>(w)
        || qobject_cast<const QAbstractSpinBox *>(w) || qobject_cast<const QLineEdit *>(w)
        || qobject_cast<const QPlainTextEdit *>(w) || qobject_cast<const QComboBox *>(w);
}

} // namespace

class TestFrmMainForm : public QObject
{
    Q_OBJECT

private slots:
    void init();
    void cleanup();

    void namedObjects_data();
    void namedObjects();
    void menuBarOrder();
    void checkableEntries_data();
    void checkableEntries();
    void hiddenEntries_data();
    void hiddenEntries();
    void onlyTheHiddenEntriesAreHidden();
    void sliders_data();
    void sliders();
    void speedBoxes_data();
    void speedBoxes();
    void zoomSliderPairStartsWithTheOpticalSlider();
    void displaysAreReadOnly_data();
    void displaysAreReadOnly();
    void presetArraysAreSeparateExclusiveGroups();
    void holdButtonsShowADirection_data();
    void holdButtonsShowADirection();
    void everyControlIsNamedForAssistiveTech();
    void everyControlIsInTheTabChain();
    void labelsPointAtFocusableBuddies();
    void fitsTheTargetSizeWithoutOverlap();

private:
    QObject *find(const QString &name) const { return window->findChild<QObject *>(name); }

    QMainWindow *window = nullptr;
    Ui::FrmMain *ui = nullptr;
};

void TestFrmMainForm::init()
{
    window = new QMainWindow;
    ui = new Ui::FrmMain;
    ui->setupUi(window);
}

void TestFrmMainForm::cleanup()
{
    delete ui;
    ui = nullptr;
    delete window;
    window = nullptr;
}

void TestFrmMainForm::namedObjects_data()
{
    QTest::addColumn<QString>("name");
    QTest::addColumn<QString>("className");
    QTest::addColumn<QString>("caption"); // null: caption not checked

    const QString none;
    auto row = [](const char *name, const char *cls, const QString &caption) {
        QTest::newRow(name) << QString::fromLatin1(name) << QString::fromLatin1(cls) << caption;
    };

    // frames
    row("Frame1", "QGroupBox", "Lens Control");
    row("Frame2", "QGroupBox", "AE Control");
    row("Frame3", "QGroupBox", "WhiteBalance ");
    row("Frame4", "QGroupBox", "Aperture Control");
    row("Frame5", "QGroupBox", "V-Phase");
    row("FrmWideD", "QGroupBox", "Wide-Dynamic Range");
    row("FrmICR", "QGroupBox", "ICR_Func");
    row("FrameMemory", "QGroupBox", "Memory");
    row("FramMemorySave", "QGroupBox", "16Byte Memory");

    // zoom and digital zoom
    row("ZoomTele", "QToolButton", none);
    row("ZoomWide", "QToolButton", none);
    row("WideT", "QToolButton", none);
    row("FarT", "QToolButton", none);
    row("TeleSpeed", "QSpinBox", none);
    row("WideSpeed", "QSpinBox", none);
    row("ZoomSlider", "QSlider", none);
    row("ZoomSliderShort", "QSlider", none);
    row("ZoomValue", "QLineEdit", none);
    row("DZoomON", "QPushButton", "On");
    row("DZoomOff", "QPushButton", "Off");
    row("DZoomMode_0", "QPushButton", "Combine Mode");
    row("DZoomMode_1", "QPushButton", "Separate Mode");
    row("DZoomX", "QPushButton", "");
    row("DZoomTele", "QToolButton", none);
    row("DZoomWide", "QToolButton", none);
    row("DTeleSpeed", "QSpinBox", none);
    row("DWideSpeed", "QSpinBox", none);
    row("DZoomSlider", "QSlider", none);
    row("DZoomValue", "QLineEdit", none);
    row("Lbllens_1", "QLabel", "D-Zoom");
    row("Lbllens_5", "QLabel", "D- Zoom Mode");
    row("Lbllens_6", "QLabel", "Speed");

    // focus
    row("AFModeCmd_0", "QPushButton", "Auto");
    row("AFModeCmd_1", "QPushButton", "Normal");
    row("AFModeCmd_2", "QPushButton", "Interval AF");
    row("AFModeCmd_3", "QPushButton", "ZoomTrigger");
    row("ManAFMode", "QPushButton", "Manual Focus");
    row("AFacttime", "QLineEdit", "05");
    row("AFintTime", "QLineEdit", "05");
    row("ACTAFmodeset", "QPushButton", "Set");
    row("AF_Sens", "QCheckBox", "AF Sensitivity");
    row("Lbllens_9", "QLabel", "Norm/Low");
    row("AFTrig", "QPushButton", "OnePushAF");
    row("Near", "QToolButton", none);
    row("Far", "QToolButton", none);
    row("NearSpeed", "QSpinBox", none);
    row("FarSpeed", "QSpinBox", none);
    row("FocusSlider", "QSlider", none);
    row("FocusNearLimitSlider", "QSlider", none);
    row("Infinity", "QPushButton", "Infinity");
    row("FocusValue", "QLineEdit", none);

    // exposure
    row("ShutterSlider", "QSlider", none);
    row("ShutterFast", "QToolButton", none);
    row("ShutterSlow", "QToolButton", none);
    row("ShutterValue", "QLineEdit", none);
    row("IrisSlider", "QSlider", none);
    row("IrisOpen", "QToolButton", none);
    row("IrisClose", "QToolButton", none);
    row("IrisValue", "QLineEdit", none);
    row("GainSlider", "QSlider", none);
    row("GainUp", "QToolButton", none);
    row("GainDown", "QToolButton", none);
    row("GainValue", "QLineEdit", none);
    row("BrightSlider", "QSlider", none);
    row("BrightUp", "QToolButton", none);
    row("BrightDown", "QToolButton", none);
    row("BrightValue", "QLineEdit", none);
    row("ExpComp", "QCheckBox", "ExpComp");
    row("ExpCompSlider", "QSlider", none);
    row("ExpCompUp", "QToolButton", none);
    row("ExpCompDown", "QToolButton", none);
    row("ExpCompValue", "QLineEdit", none);
    row("BackLight", "QCheckBox", "BackLight");
    row("AutoSlowShutter", "QCheckBox", "AutoSlowShutter");
    row("txtSlowAEvalue", "QLineEdit", none);
    row("cmdSetSlowAE", "QPushButton", "SET");
    row("LblAE_15", "QLabel", "Slow AE");
    row("LblAE_16", "QLabel", "pp:");
    row("LblAE_17", "QLabel", "Set Value pp: 01 to 20(Hex)");
    row("ApertureSlider", "QSlider", none);
    row("ApertureUp", "QToolButton", none);
    row("ApertureDown", "QToolButton", none);
    row("ApertureReset", "QPushButton", "Reset");
    row("ApertureValue", "QLineEdit", none);
    row("LblAperture_1", "QLabel", "High-Resolution");

    // white balance
    row("RGainSlider", "QSlider", none);
    row("RGainUp", "QToolButton", none);
    row("RGainDown", "QToolButton", none);
    row("RGValue", "QLineEdit", none);
    row("BGainSlider", "QSlider", none);
    row("BGainUp", "QToolButton", none);
    row("BGainDown", "QToolButton", none);
    row("BGValue", "QLineEdit", none);
    row("RBReset", "QPushButton", "Reset");
    row("WBTrigger", "QPushButton", "One Push Trigger");
    row("LblWB_0", "QLabel", "R-Gain");
    row("LblWB_1", "QLabel", "B-Gain");
    row("LblWB_3", "QLabel", none);

    // picture functions
    row("Wide_D", "QPushButton", "ON");
    row("cmdHigh_Reso", "QPushButton", "OFF");
    row("comICR_0", "QPushButton", "On");
    row("comICR_1", "QPushButton", "Off");
    row("comAutoICR", "QPushButton", "OFF");
    row("txtICRthreshold", "QLineEdit", "00");
    row("comICR_Threshold", "QPushButton", "SET");
    row("AutoICRLevel", "QLabel", "AutoICRLevelThresholdSET");
    row("LblICR_0", "QLabel", "ICR Mode");
    row("LblICR_1", "QLabel", "AutoICRMode");

    // V-phase
    row("VP0180", "QPushButton", "");
    row("VPUp", "QToolButton", none);
    row("VPDown", "QToolButton", none);
    row("VPreset", "QPushButton", "Reset");
    row("VPSlider", "QSlider", none);
    row("VPValue", "QLineEdit", none);
    row("LblVPhase", "QLabel", "Phase");

    // memory
    for (const char *arr : {"SetOption", "RecallOption", "ResetOption"})
        for (int i = 0; i <= 5; ++i) {
            const QByteArray n = QByteArray(arr) + '_' + QByteArray::number(i);
            row(n.constData(), "QRadioButton", none);
        }
    row("CustomMem_0", "QPushButton", "Set");
    row("CustomMem_1", "QPushButton", "Recall");
    row("CustomMem_2", "QPushButton", "Reset");
    row("CombMemoryAD", "QComboBox", none);
    row("TxtMemoryDataUpper", "QLineEdit", "00");
    row("TxtMemoryDataLower", "QLineEdit", "00");
    row("cmdMemoryRD", "QPushButton", "Read");
    row("cmdMemoryWite", "QPushButton", "Write");
    row("Lbl16Byte_1", "QLabel", "pp");
    row("Lbl16Byte_2", "QLabel", "qq");

    // system column, refresh and logs
    row("Baudratetxt", "QLineEdit", none);
    row("LblSystem_0", "QLabel", "BaudRate");
    row("LblSystem_1", "QLabel", "bps");
    row("NTSCorPAL", "QLineEdit", none);
    row("CameraIDText", "QLineEdit", none);
    row("LblSystem_3", "QLabel", "CameraID");
    row("Active", "QLineEdit", none);
    row("LblSystem_4", "QLabel", "MORVA No.");
    row("ModelVersion", "QLineEdit", none);
    row("LblRefresh", "QLabel", "Refresh");
    row("AutoRefreshed", "QPushButton", "Stop");
    row("Refreshonce", "QPushButton", "Refresh Once");
    row("cmdClearTxt", "QPushButton", "Clear Txt");
    row("SendText", "QPlainTextEdit", none);
    row("RecvText", "QPlainTextEdit", none);
    row("DirectText", "QLineEdit", "");
    row("LblSendText", "QLabel", "Command History");
    row("LblRecvText", "QLabel", "Response Window");
    row("LblDirectText", "QLabel", "Direct Command");

    // menus
    row("menuCamera", "QMenu", "Camera");
    row("menuSelect", "QMenu", "Select");
    row("menuFunction", "QMenu", "Function");
    row("Wide", "QMenu", "Wide");
    row("PictureEffect", "QMenu", "PictureEffect");
    row("menuAEMode", "QMenu", "AE Mode");
    row("WBMode", "QMenu", "WB Mode");
    row("menuDisplay", "QMenu", "Display");
    row("menuTitle", "QMenu", "Title");
    row("Sync", "QMenu", "Sync");
    row("FactorySet", "QMenu", "Factory Set");
    row("PrivacyZone", "QMenu", "Privacy Zone");
    row("Spherical", "QMenu", "Spherical");
    row("menuVersion", "QMenu", "Version");
    row("Alm", "QMenu", "Alarm");

    // menu entries
    row("Power", "QAction", "PowerOn/Off");
    row("IFClear", "QAction", "I/F Clear");
    row("AddressSet", "QAction", "Address Set");
    row("IDWrite", "QAction", "IDWrite");
    row("KeyLock", "QAction", "KeyLock");
    row("AutoRefresh", "QAction", "Auto Refresh");
    row("Mute", "QAction", "Mute");
    row("Lensinit", "QAction", "Lens_Initialize");
    row("CompScan", "QAction", "CompScan");
    row("Quit", "QAction", "Exit");
    row("CameraSel_1", "QAction", "Camera1");
    row("CameraSel_2", "QAction", "Camera2");
    row("PictureFlip", "QAction", "PictureFlip");
    row("LR_Reverse", "QAction", "LR_Reverse");
    row("Freese", "QAction", "Freeze");
    row("Normal", "QAction", "Normal");
    row("PEOff", "QAction", "Off");
    row("NegArt", "QAction", "NegArt");
    row("BlackWhite", "QAction", "Black & White");
    row("Image_Stabi", "QAction", "Image_Stabilizer");
    row("DigitalEffectLevel", "QAction", "Digital Effect Level...");
    row("FullAuto", "QAction", "Full Auto");
    row("ShutterPriority", "QAction", "ShutterPriority");
    row("IrisPriority", "QAction", "Iris Priority");
    row("GainPriority", "QAction", "Gain Priority");
    row("Manual", "QAction", "Manual");
    row("Bright", "QAction", "Bright");
    row("ShutterAuto", "QAction", "Shutter Auto");
    row("IrisAuto", "QAction", "Iris Auto");
    row("GainAuto", "QAction", "Gain Auto");
    row("AESpotMode", "QAction", "AE SPOT");
    row("ATWPro", "QAction", "Auto");
    row("ATW", "QAction", "ATW");
    row("InDoor", "QAction", "InDoor");
    row("OutDoor", "QAction", "OutDoor");
    row("OnePushWB", "QAction", "One Push WB");
    row("ManualWB", "QAction", "Manual WB");
    row("DataScreen", "QAction", "DataScreen");
    row("SetTimeDate", "QAction", "Set Time and Date");
    row("DateDisplay", "QAction", "DateDisplay");
    row("TimeDisplay", "QAction", "TimeDisplay");
    row("TitleOnOff", "QAction", "Title On/Off");
    row("TitleSet", "QAction", "Title Set");
    row("Internal", "QAction", "Internal");
    row("LineLock", "QAction", "Line Lock");
    row("RegisterSet", "QAction", "RegisterSet");
    row("SettingMenu", "QAction", "Setting Menu");
    row("SettingZones", "QAction", "Setting Zones");
    row("SphericalZoneMasking", "QAction", "SphericalZoneMasking");
    row("PrivacyAv", "QAction", "PrivacyA");
    row("version", "QAction", "Version");
    row("MotionDetectD", "QAction", "MotionD");
    row("AlarmDetection", "QAction", "Alarm Detection...");
}

void TestFrmMainForm::namedObjects()
{
    QFETCH(QString, name);
    QFETCH(QString, className);
    QFETCH(QString, caption);

    const QList<QObject *> matches = window->findChildren<QObject *>(name);
    QCOMPARE(matches.size(), 1); // names are unique
    QObject *o = matches.first();
    QCOMPARE(QString::fromLatin1(o->metaObject()->className()), className);
    if (!caption.isNull())
        QCOMPARE(captionOf(o), caption);
}

void TestFrmMainForm::menuBarOrder()
{
    QCOMPARE(window->windowTitle(), QStringLiteral("ZAM- A to D_ SERIES Control Panel"));
    QStringList titles;
    for (QAction *a : window->menuBar()->actions())
        titles << shown(a->text());
    const QStringList expected{"Camera", "Select", "Function", "AE Mode", "WB Mode",
                               "Display", "Title", "Sync", "RegisterSet", "Factory Set",
                               "Privacy Zone", "Spherical", "PrivacyA", "Version", "Alarm"};
    QCOMPARE(titles, expected);

    // The two dialog entries act on a click of the menu bar itself.
    QVERIFY(window->menuBar()->actions().contains(ui->RegisterSet));
    QVERIFY(window->menuBar()->actions().contains(ui->PrivacyAv));
    QVERIFY(ui->menuFunction->actions().contains(ui->Wide->menuAction()));
    QVERIFY(ui->Wide->actions().contains(ui->Normal));
    QVERIFY(ui->FactorySet->actions().contains(ui->SettingMenu));
    QCOMPARE(ui->PictureEffect->actions(),
             (QList<QAction *>{ui->PEOff, ui->NegArt, ui->BlackWhite}));
}

void TestFrmMainForm::checkableEntries_data()
{
    QTest::addColumn<QString>("name");
    QTest::addColumn<bool>("checkable");
    for (const char *n : {"Power", "KeyLock", "AutoRefresh", "Mute", "CameraSel_1", "CameraSel_2",
                          "PictureFlip", "LR_Reverse", "Freese", "Normal", "PEOff", "NegArt",
                          "BlackWhite", "Image_Stabi", "FullAuto", "ShutterPriority",
                          "IrisPriority", "GainPriority", "Manual", "Bright", "ATWPro", "ATW",
                          "InDoor", "OutDoor", "OnePushWB", "ManualWB", "DataScreen",
                          "DateDisplay", "TimeDisplay", "TitleOnOff", "Internal", "LineLock"})
        QTest::newRow(n) << QString::fromLatin1(n) << true;
    // commands and dialog openers carry no check mark
    for (const char *n : {"IFClear", "AddressSet", "IDWrite", "Lensinit", "CompScan", "Quit",
                          "IrisAuto", "ShutterAuto", "GainAuto", "AESpotMode", "SetTimeDate",
                          "TitleSet", "RegisterSet", "SettingMenu", "SettingZones",
                          "SphericalZoneMasking", "PrivacyAv", "version", "MotionDetectD"})
        QTest::newRow(n) << QString::fromLatin1(n) << false;
}

void TestFrmMainForm::checkableEntries()
{
    QFETCH(QString, name);
    QFETCH(bool, checkable);
    auto *a = window->findChild<QAction *>(name);
    QVERIFY(a);
    QCOMPARE(a->isCheckable(), checkable);
    // On/off state starts off except the first camera, which is selected.
    QCOMPARE(a->isChecked(), name == QLatin1String("CameraSel_1"));
}

void TestFrmMainForm::hiddenEntries_data()
{
    QTest::addColumn<QString>("name");
    for (const char *n :
         {"KeyLock", "AutoRefresh", "Normal", "GainPriority", "ShutterAuto", "IrisAuto", "GainAuto"})
        QTest::newRow(n) << QString::fromLatin1(n);
}

void TestFrmMainForm::hiddenEntries()
{
    QFETCH(QString, name);
    auto *a = window->findChild<QAction *>(name);
    QVERIFY(a);
    QVERIFY(!a->isVisible());
    QVERIFY(!a->isEnabled());
}

void TestFrmMainForm::onlyTheHiddenEntriesAreHidden()
{
    // The submenu "Wide" is disabled in the form; QMenu passes that on to its entry.
    QVERIFY(!ui->Wide->isEnabled());
    QVERIFY(!ui->Wide->menuAction()->isEnabled());

    const QSet<QString> hidden{"KeyLock", "AutoRefresh", "Normal", "GainPriority",
                               "ShutterAuto", "IrisAuto", "GainAuto"};
    for (QAction *a : window->findChildren<QAction *>()) {
        if (a->isSeparator() || a->menu() || a->objectName().isEmpty())
            continue;
        const bool shouldHide = hidden.contains(a->objectName());
        QVERIFY2(a->isVisible() != shouldHide, qPrintable(a->objectName()));
        QVERIFY2(a->isEnabled() != shouldHide, qPrintable(a->objectName()));
    }
}

void TestFrmMainForm::sliders_data()
{
    QTest::addColumn<QString>("name");
    QTest::addColumn<int>("minimum");
    QTest::addColumn<int>("maximum");
    QTest::addColumn<int>("singleStep");
    QTest::addColumn<int>("pageStep");
    QTest::addColumn<int>("tickInterval"); // 0: not checked
    QTest::addColumn<int>("value");

    QTest::newRow("ZoomSlider") << "ZoomSlider" << 0 << 0x7000 << 1 << 5 << 0x1000 << 0;
    QTest::newRow("ZoomSliderShort") << "ZoomSliderShort" << 0 << 0x4000 << 1 << 5 << 0x1000 << 0;
    QTest::newRow("DZoomSlider") << "DZoomSlider" << 0 << 0xDC << 1 << 10 << 0x20 << 0;
    QTest::newRow("FocusSlider") << "FocusSlider" << 0x1000 << 0xC000 << 1 << 5 << 0x1000 << 0x1000;
    QTest::newRow("FocusNearLimitSlider")
        << "FocusNearLimitSlider" << 0x1000 << 0xC000 << 0x100 << 0x1000 << 0x1000 << 0xC000;
    QTest::newRow("ShutterSlider") << "ShutterSlider" << 0 << 21 << 1 << 5 << 0 << 0;
    QTest::newRow("IrisSlider") << "IrisSlider" << 0 << 17 << 1 << 5 << 0 << 0;
    QTest::newRow("GainSlider") << "GainSlider" << 0 << 15 << 1 << 15 << 0 << 0;
    QTest::newRow("BrightSlider") << "BrightSlider" << 0 << 31 << 1 << 5 << 0 << 0;
    QTest::newRow("ExpCompSlider") << "ExpCompSlider" << 0 << 14 << 1 << 5 << 0 << 0;
    QTest::newRow("ApertureSlider") << "ApertureSlider" << 0 << 15 << 1 << 5 << 0 << 0;
    QTest::newRow("RGainSlider") << "RGainSlider" << 0 << 255 << 1 << 10 << 0 << 0;
    QTest::newRow("BGainSlider") << "BGainSlider" << 0 << 255 << 1 << 10 << 0 << 0;
    // Design-time bound 1; the model configuration raises it to 255.
    QTest::newRow("VPSlider") << "VPSlider" << 0 << 1 << 1 << 1 << 0x10 << 0;
}

void TestFrmMainForm::sliders()
{
    QFETCH(QString, name);
    auto *s = window->findChild<QSlider *>(name);
    QVERIFY(s);
    QCOMPARE(s->orientation(), Qt::Horizontal);
    QTEST(s->minimum(), "minimum");
    QTEST(s->maximum(), "maximum");
    QTEST(s->singleStep(), "singleStep");
    QTEST(s->pageStep(), "pageStep");
    QFETCH(int, tickInterval);
    if (tickInterval)
        QCOMPARE(s->tickInterval(), tickInterval);
    QTEST(s->value(), "value");
}

void TestFrmMainForm::speedBoxes_data()
{
    QTest::addColumn<QString>("name");
    for (const char *n :
         {"TeleSpeed", "WideSpeed", "DTeleSpeed", "DWideSpeed", "NearSpeed", "FarSpeed"})
        QTest::newRow(n) << QString::fromLatin1(n);
}

void TestFrmMainForm::speedBoxes()
{
    QFETCH(QString, name);
    auto *box = window->findChild<QSpinBox *>(name);
    QVERIFY(box);
    QCOMPARE(box->minimum(), 0);
    QCOMPARE(box->maximum(), 7);
    QCOMPARE(box->singleStep(), 1);
    QCOMPARE(box->value(), 4);
    QCOMPARE(box->text(), QStringLiteral("4"));
}

void TestFrmMainForm::zoomSliderPairStartsWithTheOpticalSlider()
{
    // Exactly one of the two zoom sliders is offered at a time.
    QVERIFY(ui->ZoomSlider->isHidden());
    QVERIFY(!ui->ZoomSlider->isEnabled());
    QVERIFY(!ui->ZoomSliderShort->isHidden());
    QVERIFY(ui->ZoomSliderShort->isEnabled());
    QCOMPARE(ui->ZoomSlider->parentWidget(), ui->ZoomSliderShort->parentWidget());
}

void TestFrmMainForm::displaysAreReadOnly_data()
{
    QTest::addColumn<QString>("name");
    QTest::addColumn<bool>("readOnly");
    for (const char *n : {"ZoomValue", "DZoomValue", "FocusValue", "ShutterValue", "IrisValue",
                          "GainValue", "BrightValue", "ExpCompValue", "ApertureValue", "RGValue",
                          "BGValue", "VPValue", "Baudratetxt", "NTSCorPAL", "CameraIDText",
                          "Active", "ModelVersion", "SendText", "RecvText"})
        QTest::newRow(n) << QString::fromLatin1(n) << true;
    for (const char *n : {"DirectText", "AFacttime", "AFintTime", "txtSlowAEvalue",
                          "txtICRthreshold", "TxtMemoryDataUpper", "TxtMemoryDataLower"})
        QTest::newRow(n) << QString::fromLatin1(n) << false;
}

void TestFrmMainForm::displaysAreReadOnly()
{
    QFETCH(QString, name);
    QFETCH(bool, readOnly);
    QObject *o = find(name);
    QVERIFY(o);
    QCOMPARE(o->property("readOnly").toBool(), readOnly);
    // Text boxes whose first and last character are read must not be cut short.
    if (auto *e = qobject_cast<QLineEdit *>(o); e && !readOnly)
        QCOMPARE(e->maxLength(), 32767);
}

void TestFrmMainForm::presetArraysAreSeparateExclusiveGroups()
{
    QSet<QButtonGroup *> groups;
    for (const char *arr : {"SetOption", "RecallOption", "ResetOption"}) {
        QButtonGroup *group = nullptr;
        for (int i = 0; i <= 5; ++i) {
            const QString name = QStringLiteral("%1_%2").arg(QLatin1String(arr)).arg(i);
            auto *b = window->findChild<QRadioButton *>(name);
            QVERIFY2(b, qPrintable(name));
            QVERIFY2(b->group(), qPrintable(name));
            if (!group)
                group = b->group();
            QCOMPARE(b->group(), group);
            QVERIFY(!b->isChecked());
        }
        QVERIFY(group->exclusive());
        QCOMPARE(group->buttons().size(), 6);
        groups.insert(group);
    }
    QCOMPARE(groups.size(), 3);
    QCOMPARE(ui->CombMemoryAD->count(), 8);
    for (int i = 0; i < 8; ++i)
        QCOMPARE(ui->CombMemoryAD->itemText(i), QString::number(i));
    QCOMPARE(ui->CombMemoryAD->currentText(), QStringLiteral("0"));
}

void TestFrmMainForm::holdButtonsShowADirection_data()
{
    QTest::addColumn<QString>("name");
    for (const char *n : {"ZoomTele", "ZoomWide", "WideT", "FarT", "DZoomTele", "DZoomWide",
                          "Near", "Far", "ShutterFast", "ShutterSlow", "IrisOpen", "IrisClose",
                          "GainUp", "GainDown", "BrightUp", "BrightDown", "ExpCompUp",
                          "ExpCompDown", "ApertureUp", "ApertureDown", "RGainUp", "RGainDown",
                          "BGainUp", "BGainDown", "VPUp", "VPDown"})
        QTest::newRow(n) << QString::fromLatin1(n);
}

void TestFrmMainForm::holdButtonsShowADirection()
{
    QFETCH(QString, name);
    auto *b = window->findChild<QToolButton *>(name);
    QVERIFY(b);
    QVERIFY(b->arrowType() != Qt::NoArrow || !b->icon().isNull());
    QVERIFY(!b->autoRepeat()); // press and release each send exactly one packet
}

void TestFrmMainForm::everyControlIsNamedForAssistiveTech()
{
    int checked = 0;
    for (QWidget *w : window->findChildren<QWidget *>()) {
        if (!isInteractive(w))
            continue;
        ++checked;
        QVERIFY2(!w->accessibleName().trimmed().isEmpty(), qPrintable(w->objectName()));
        QVERIFY2(!w->toolTip().trimmed().isEmpty(), qPrintable(w->objectName()));
    }
    QVERIFY(checked > 100);

    // Controls sharing a caption ("On", "Reset", "SET" ...) must still be told apart.
    QHash<QString, QString> seen;
    for (QWidget *w : window->findChildren<QWidget *>()) {
        if (!isInteractive(w))
            continue;
        const QString acc = w->accessibleName();
        QVERIFY2(!seen.contains(acc),
                 qPrintable(acc + ": " + w->objectName() + " and " + seen.value(acc)));
        seen.insert(acc, w->objectName());
    }
}

void TestFrmMainForm::everyControlIsInTheTabChain()
{
    QSet<QWidget *> chain;
    QWidget *w = window;
    do {
        chain.insert(w);
        w = w->nextInFocusChain();
    } while (w && w != window);

    for (QWidget *c : window->findChildren<QWidget *>()) {
        if (!isInteractive(c))
            continue;
        QVERIFY2(c->focusPolicy() & Qt::TabFocus, qPrintable(c->objectName()));
        QVERIFY2(chain.contains(c), qPrintable(c->objectName()));
    }

    // The tab order follows the window: lens frame, exposure, ..., logs last.
    auto position = [&](QWidget *target) {
        int i = 0;
        for (QWidget *x = window->nextInFocusChain(); x && x != window;
             x = x->nextInFocusChain(), ++i)
            if (x == target)
                return i;
        return -1;
    };
    const QList<QWidget *> order{ui->ZoomWide,     ui->ZoomTele,   ui->WideSpeed,
                                 ui->FocusNearLimitSlider, ui->ShutterSlow, ui->ShutterSlider,
                                 ui->ShutterFast,  ui->RGainSlider, ui->VPSlider,
                                 ui->RecallOption_0, ui->CombMemoryAD, ui->AutoRefreshed,
                                 ui->SendText,     ui->RecvText,   ui->DirectText};
    for (int i = 1; i < order.size(); ++i)
        QVERIFY2(position(order[i - 1]) < position(order[i]),
                 qPrintable(order[i - 1]->objectName() + " before " + order[i]->objectName()));
}

void TestFrmMainForm::labelsPointAtFocusableBuddies()
{
    QSet<QWidget *> buddies;
    for (QLabel *l : window->findChildren<QLabel *>())
        if (QWidget *b = l->buddy()) {
            QVERIFY2(b->focusPolicy() & Qt::TabFocus, qPrintable(l->objectName()));
            buddies.insert(b);
        }

    // Every text entry, list and log is announced by the label beside it.
    for (QWidget *w : window->findChildren<QWidget *>()) {
        if (!isInteractive(w))
            continue;
        auto *edit = qobject_cast<QLineEdit *>(w);
        const bool entry = (edit && !edit->isReadOnly()) || qobject_cast<QComboBox *>(w)
            || qobject_cast<QPlainTextEdit *>(w);
        if (entry)
            QVERIFY2(buddies.contains(w), qPrintable(w->objectName()));
    }
    for (QWidget *w : QList<QWidget *>{ui->Baudratetxt, ui->NTSCorPAL, ui->CameraIDText,
                                       ui->Active, ui->ModelVersion})
        QVERIFY2(buddies.contains(w), qPrintable(w->objectName()));
}

void TestFrmMainForm::fitsTheTargetSizeWithoutOverlap()
{
    window->resize(1280, 900);
    window->show();
    QVERIFY(QTest::qWaitForWindowExposed(window));

    const QSize need = window->minimumSizeHint();
    QVERIFY2(need.width() <= 1280 && need.height() <= 900,
             qPrintable(QStringLiteral("%1x%2").arg(need.width()).arg(need.height())));
    QCOMPARE(window->size(), QSize(1280, 900));

    // Every visible control and label is at least as big as it asks to be
    // (no clipped captions) and lies inside the window.
    QList<QWidget *> leaves;
    for (QWidget *w : window->findChildren<QWidget *>()) {
        if (!w->isVisible() || !(isInteractive(w) || qobject_cast<QLabel *>(w)))
            continue;
        leaves << w;
        const QRect r(w->mapTo(window, QPoint(0, 0)), w->size());
        QVERIFY2(window->rect().contains(r), qPrintable(w->objectName()));
        const QSize min = w->minimumSizeHint();
        QVERIFY2(w->width() >= min.width() && w->height() >= min.height(),
                 qPrintable(w->objectName()));
    }
    for (int i = 0; i < leaves.size(); ++i) {
        const QRect a(leaves[i]->mapTo(window, QPoint(0, 0)), leaves[i]->size());
        for (int j = i + 1; j < leaves.size(); ++j) {
            const QRect b(leaves[j]->mapTo(window, QPoint(0, 0)), leaves[j]->size());
            QVERIFY2(!a.intersects(b), qPrintable(leaves[i]->objectName() + " overlaps "
                                                  + leaves[j]->objectName()));
        }
    }
}

QTEST_MAIN(TestFrmMainForm)
#include "test_frmmain_form.moc"
