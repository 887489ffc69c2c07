#include "display.h"

#include "controls.h"
#include "picture.h"
#include "ui_frmmain.h"
#include "ui_fset.h"

#include <QMessageBox>
#include <frminfo.h>
#include <frmmain.h>
#include <fset.h>
#include <motiond.h>
#include <packet.h>
#include <register.h>

namespace zam {

const QString DisplayCommands::kNotAvailable = QStringLiteral("This window is not available yet.");

namespace {

constexpr int kDataScreen = 0x15;
constexpr int kTitleOn = 0x73;
constexpr int kTitleOff = 0x74;
constexpr int kSync = 0x55;
constexpr int kVPhaseCoarse = 0x25;
constexpr int kVPhase = 0x05;
constexpr int kVPhaseDirect = 0x45;

constexpr int kPhaseUp = 0x02;
constexpr int kPhaseDown = 0x03;
constexpr int kPhaseStop = 0x00;
constexpr int kPhaseReset = 0x40;

constexpr SliderSender::Options kPhaseSliderOptions{
    .stopsRefresh = true, .sendOnMove = true, .sendOnRelease = false};

void showWindow(QWidget *w)
{
    w->show();
    w->raise();
    w->activateWindow();
}

} // namespace

DisplayCommands::DisplayCommands(FrmMain &window)
    : m_window(&window), m_ui(window.ui()), m_link(&window.link())
{
    m_message = [this](const QString &title, const QString &text) {
        QMessageBox::information(m_window, title, text);
    };
    Ui::FrmMain *ui = m_ui;
    CameraLink &link = *m_link;

    connectOnOffItem({ui->DataScreen, kDataScreen, 0x02, kDataScreen, 0x03, false}, link, this);
    connectOnOffItem({ui->TitleOnOff, kTitleOn, 0x02, kTitleOff, 0x03, true}, link, this,
                     [this](bool on) {
                         if (onTitleDisplayChanged)
                             onTitleDisplayChanged(on);
                     });

    connectMarkedItem(ui->Internal, this, [this](bool) { selectSync(false); });
    connectMarkedItem(ui->LineLock, this, [this](bool) { selectSync(true); });

    connectCaptionToggle(ui->VP0180, link, kVPhaseCoarse,
                         {{"0 degree", 0x00, "180 degree"}, {nullptr, 0x01, "0 degree"}}, this);
    new HoldButton(
        ui->VPUp, [this] { sendFunction(*m_link, kVPhase, kPhaseUp); },
        [this] { sendFunction(*m_link, kVPhase, kPhaseStop); }, this);
    new HoldButton(
        ui->VPDown, [this] { sendFunction(*m_link, kVPhase, kPhaseDown); },
        [this] { sendFunction(*m_link, kVPhase, kPhaseStop); }, this);
    connect(ui->VPreset, &QAbstractButton::clicked, this,
            [this] { sendFunction(*m_link, kVPhase, kPhaseReset); });
    new SliderSender(
        ui->VPSlider, link, [this](int value) { sendPhase(value); }, kPhaseSliderOptions, this);

    connect(ui->SettingMenu, &QAction::triggered, this, &DisplayCommands::openFactorySettings);
    connect(ui->RegisterSet, &QAction::triggered, this, &DisplayCommands::openRegisters);
    connect(ui->version, &QAction::triggered, this, &DisplayCommands::openVersion);
    connect(ui->MotionDetectD, &QAction::triggered, this, &DisplayCommands::openMotionDetection);

    connect(ui->TitleSet, &QAction::triggered, this, &DisplayCommands::openTitleEditor);
    connect(ui->SettingZones, &QAction::triggered, this, &DisplayCommands::openPrivacy);
    connect(ui->SphericalZoneMasking, &QAction::triggered, this,
            &DisplayCommands::openSphericalMask);
    connect(ui->PrivacyAv, &QAction::triggered, this, &DisplayCommands::openPrivacyA);
    connect(ui->AlarmDetection, &QAction::triggered, this, &DisplayCommands::openAlarmDetection);
    connect(ui->AESpotMode, &QAction::triggered, this, &DisplayCommands::openAESpot);
    connect(ui->SetTimeDate, &QAction::triggered, this, &DisplayCommands::openSetTimeDate);
    connectMarkedItem(ui->DateDisplay, this, [this](bool) { toggleDateDisplay(); });
    connectMarkedItem(ui->TimeDisplay, this, [this](bool) { toggleTimeDisplay(); });
}

FSet *DisplayCommands::fset() const
{
    return m_fset;
}
Register *DisplayCommands::registerDialog() const
{
    return m_register;
}
FrmInfo *DisplayCommands::frmInfo() const
{
    return m_info;
}
MotionD *DisplayCommands::motionD() const
{
    return m_motionD;
}

void DisplayCommands::selectSync(bool lineLock)
{
    if (!sendFunction(*m_link, kSync, lineLock ? 0x01 : 0x00))
        return;
    m_ui->Internal->setChecked(!lineLock);
    m_ui->LineLock->setChecked(lineLock);
}

bool DisplayCommands::sendPhase(int value)
{
    // Four nibbles carry at most 0xFFFF; a larger value would wrap.
    if (value < 0 || value > 0xFFFF)
        return false;
    QByteArray packet;
    packet.append(char(m_link->state().header()));
    packet.append("\x01\x04", 2);
    packet.append(char(kVPhaseDirect));
    appendNibbles(packet, unsigned(value), 4);
    packet.append(char(0xFF));
    return sendCommand(*m_link, packet);
}

void DisplayCommands::openFactorySettings()
{
    if (!m_fset) {
        m_fset = new FSet(*m_link, m_window);
        if (m_window->restricted(Restriction::HideFSetBaudrate))
            m_fset->ui()->FrmBaudrate->setVisible(false);
    }
    showWindow(m_fset);
}

void DisplayCommands::openRegisters()
{
    if (!m_register)
        m_register = new Register(*m_link, m_window);
    showWindow(m_register);
}

void DisplayCommands::openVersion()
{
    if (!m_info)
        m_info = new FrmInfo(m_window);
    showWindow(m_info);
}

void DisplayCommands::openMotionDetection()
{
    if (!m_motionD)
        m_motionD = new MotionD(*m_link, m_window);
    m_motionD->openFromMenu(); // stops Timer1 and disables AutoRefreshed first
}

void DisplayCommands::notAvailable(const QString &entry)
{
    m_message(entry, kNotAvailable);
}

void DisplayCommands::openTitleEditor()
{
    notAvailable(QStringLiteral("Title Set"));
}
void DisplayCommands::openPrivacy()
{
    notAvailable(QStringLiteral("Setting Zones"));
}
void DisplayCommands::openSphericalMask()
{
    notAvailable(QStringLiteral("SphericalZoneMasking"));
}
void DisplayCommands::openPrivacyA()
{
    notAvailable(QStringLiteral("PrivacyA"));
}
void DisplayCommands::openAlarmDetection()
{
    notAvailable(QStringLiteral("Alarm Detection"));
}
void DisplayCommands::openAESpot()
{
    notAvailable(QStringLiteral("AE SPOT"));
}
void DisplayCommands::openSetTimeDate()
{
    notAvailable(QStringLiteral("Set Time and Date"));
}
void DisplayCommands::toggleDateDisplay()
{
    notAvailable(QStringLiteral("DateDisplay"));
}
void DisplayCommands::toggleTimeDisplay()
{
    notAvailable(QStringLiteral("TimeDisplay"));
}

} // namespace zam
