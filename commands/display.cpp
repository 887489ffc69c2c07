#include "display.h"

#include "controls.h"
#include "picture.h"

#include <QMessageBox>
#include <aes.h>
#include <formcontrols.h>
#include <frminfo.h>
#include <frmsetdate.h>
#include <frmtitle_k.h>
#include <frmtitle_m.h>
#include <fset.h>
#include <md.h>
#include <motiond.h>
#include <motiondetection.h>
#include <privacy.h>
#include <privacya.h>
#include <register.h>
#include <sphericalmask.h>
#include <titleeditors.h>

#include "ui_display.h"

namespace zam {

namespace {

using catalog::Id;

constexpr SliderSender::Options kPhaseSliderOptions{
    .stopsRefresh = true, .sendOnMove = true, .sendOnRelease = false};

void showWindow(QWidget *w)
{
    w->show();
    w->raise();
    w->activateWindow();
}

} // namespace

DisplayCommands::DisplayCommands(CameraLink &link, DisplayContext context)
    : m_ui(placeForm<Ui::DisplayGroup>(*context.window, "DisplayGroup")), m_link(&link),
      m_context(std::move(context)), m_window(m_context.window)
{
    const Ui::DisplayGroup *ui = m_ui.get();
    QWidget &window = *m_window;
    QAction *titleOnOff = &windowAction(window, "TitleOnOff");

    m_titles = new TitleEditors(
        link, *m_context.titleBuffer, [md = m_context.motionDetection] { return md->MDActive; },
        m_window, [titleOnOff] { return titleOnOff->isChecked(); },
        [titleOnOff](bool on) {
            const QSignalBlocker quiet(titleOnOff);
            titleOnOff->setChecked(on);
        },
        this);
    onTitleDisplayChanged = [this](bool on) { m_titles->setCheck1(on); };

    connectOnOffItem(
        {&windowAction(window, "DataScreen"), Id::DataScreenOn, Id::DataScreenOff, false}, link,
        this);
    connectOnOffItem({titleOnOff, Id::TitleMenuOn, Id::TitleMenuOff, true}, link, this,
                     [this](bool on) {
                         if (onTitleDisplayChanged)
                             onTitleDisplayChanged(on);
                     });
    connectOnOffItem(
        {&windowAction(window, "DateDisplay"), Id::DateDisplayOn, Id::DateDisplayOff, false}, link,
        this);
    connectOnOffItem(
        {&windowAction(window, "TimeDisplay"), Id::TimeDisplayOn, Id::TimeDisplayOff, false}, link,
        this);

    connectModeItems(ModeFamily::Sync, window, link, this);

    connectCaptionToggle(
        ui->VP0180, link,
        {{"0 degree", Id::VPhase0, "180 degree"}, {nullptr, Id::VPhase180, "0 degree"}}, this);
    new HoldButton(link, {ui->VPUp, Id::VPhaseUp, {}, Id::VPhaseStop}, this);
    new HoldButton(link, {ui->VPDown, Id::VPhaseDown, {}, Id::VPhaseStop}, this);
    connect(ui->VPreset, &QAbstractButton::clicked, this,
            [this] { send(*m_link, Id::VPhaseReset); });
    new SliderSender(
        ui->VPSlider, link, [this](int value) { sendPhase(value); }, kPhaseSliderOptions, this);

    connect(&windowAction(window, "SettingMenu"), &QAction::triggered, this,
            &DisplayCommands::openFactorySettings);
    connect(&windowAction(window, "RegisterSet"), &QAction::triggered, this,
            &DisplayCommands::openRegisters);
    connect(&windowAction(window, "version"), &QAction::triggered, this,
            &DisplayCommands::openVersion);
    connect(&windowAction(window, "MotionDetectD"), &QAction::triggered, this,
            &DisplayCommands::openMotionDetection);

    connect(&windowAction(window, "TitleSet"), &QAction::triggered, this,
            &DisplayCommands::openTitleEditor);
    connect(&windowAction(window, "SettingZones"), &QAction::triggered, this,
            &DisplayCommands::openPrivacy);
    connect(&windowAction(window, "SphericalZoneMasking"), &QAction::triggered, this,
            &DisplayCommands::openSphericalMask);
    connect(&windowAction(window, "PrivacyAv"), &QAction::triggered, this,
            &DisplayCommands::openPrivacyA);
    connect(&windowAction(window, "AlarmDetection"), &QAction::triggered, this,
            &DisplayCommands::openAlarmDetection);
    connect(&windowAction(window, "AESpotMode"), &QAction::triggered, this,
            &DisplayCommands::openAESpot);
    connect(&windowAction(window, "SetTimeDate"), &QAction::triggered, this,
            &DisplayCommands::openSetTimeDate);
}

DisplayCommands::~DisplayCommands() = default;

void DisplayCommands::showOther(const OtherStatus &s)
{
    const Ui::DisplayGroup *ui = m_ui.get();
    windowAction(*m_window, "DataScreen").setChecked(s.dataScreen);
    checkModeItem(*m_window, ModeFamily::Sync, findMode(ModeFamily::Sync, s.lineLock ? 1 : 0));
    ui->VP0180->setText(vp0180Caption(s.vp0180));
    showNumber(ui->VPValue, s.vPhase);
    showPosition(ui->VPSlider, s.vPhase);
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
Privacy *DisplayCommands::privacy() const
{
    return m_privacy;
}
SphericalMask *DisplayCommands::sphericalMask() const
{
    return m_spherical;
}
PrivacyA *DisplayCommands::privacyA() const
{
    return m_privacyA;
}
MD *DisplayCommands::md() const
{
    return m_md;
}
AES *DisplayCommands::aes() const
{
    return m_aes;
}
FrmSetDate *DisplayCommands::setDate() const
{
    return m_setDate;
}

bool DisplayCommands::sendPhase(int value)
{
    return send(*m_link, Id::VPhaseDirect, {value});
}

void DisplayCommands::followModel()
{
    const auto &restricted = m_context.restricted;
    if (m_fset)
        m_fset->offerBaudRate(!restricted(Restriction::HideFSetBaudrate));
    if (m_spherical) {
        m_spherical->offerCentre(!restricted(Restriction::HideCenterSphe));
        m_spherical->offerMosaic(!restricted(Restriction::HideSphericalMosaic));
    }
}

void DisplayCommands::openFactorySettings()
{
    if (!m_fset) {
        m_fset = new FSet(*m_link, m_window);
        followModel();
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

void DisplayCommands::forgetMotionDetection()
{
    delete m_motionD;
    delete m_md;
}

void DisplayCommands::openTitleEditor()
{
    m_titles->openFromMenu();
}

void DisplayCommands::openPrivacy()
{
    if (!m_privacy)
        m_privacy = new Privacy(*m_link, m_window);
    m_privacy->openFromMenu();
}

void DisplayCommands::openSphericalMask()
{
    if (!m_spherical) {
        m_spherical = new SphericalMask(*m_link, m_window);
        followModel();
    }
    m_spherical->openFromMenu();
}

void DisplayCommands::openPrivacyA()
{
    if (!m_privacyA)
        m_privacyA = new PrivacyA(*m_link, m_window);
    m_privacyA->openFromMenu();
}

void DisplayCommands::openAlarmDetection()
{
    if (!m_md) {
        m_md = new MD(*m_link, *m_context.motionDetection, m_window);
        m_md->setCheckAlarmStatus(m_context.checkAlarmStatus);
    }
    m_md->openFromMenu(); // modal: returns when the dialog closes
}

void DisplayCommands::openAESpot()
{
    if (!m_aes)
        m_aes = new AES(*m_link, m_window);
    m_aes->openFromMenu();
}

void DisplayCommands::openSetTimeDate()
{
    if (!m_setDate)
        m_setDate = new FrmSetDate(*m_link, m_window);
    m_setDate->openFromMenu();
}

} // namespace zam
