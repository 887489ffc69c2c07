#include "md.h"

#include "maskencoding.h"
#include "ui_md.h"

#include <exchange.h>
#include <hexfield.h>

namespace zam {

using namespace maskui;

const QString MD::kStartWarning =
    QStringLiteral("Afer se this mode, Auto refresh function will be off.");

MD::MD(CameraLink &link, MdState &state, QWidget *parent)
    : maskui::MaskDialog(parent), m_ui(std::make_unique<Ui::MD>()), m_link(&link), m_state(&state),
      m_sender(link, m_log), m_hold(link, this)
{
    m_ui->setupUi(this);
    setModal(true);
    m_ui->ComboSetMD->addItems(masks::alarmModeNames());
    for (QLineEdit *box : {m_ui->txtMDday, m_ui->txtMDnight})
        box->setValidator(new HexDigitValidator(box));
    mirrorLog(m_log, m_ui->txtMD);

    connect(m_ui->comSetMD, &QPushButton::clicked, this, &MD::comSetMD_Click);
    connect(m_ui->cmdsetMDinq, &QPushButton::clicked, this, &MD::cmdsetMDinq_Click);
    connect(m_ui->cmdsetMDtime, &QPushButton::clicked, this, &MD::cmdsetMDtime_Click);
    connect(m_ui->cmdLevelInq, &QPushButton::clicked, this, &MD::cmdLevelInq_Click);
    connect(m_ui->cmdMDstart, &QPushButton::clicked, this, &MD::cmdMDstart_Click);
    connect(m_ui->cmdMDSSunq, &QPushButton::clicked, this, &MD::cmdMDSSunq_Click);
    connect(m_ui->cmdDisplay, &QPushButton::clicked, this,
            [this] { send(catalog::Id::DataScreenOn); });
    connect(m_ui->cmdMDdisplayOFF, &QPushButton::clicked, this,
            [this] { send(catalog::Id::DataScreenOff); });
    connect(m_ui->cmdJun, &QPushButton::clicked, this, &MD::cmdJun_Click);
    connect(m_ui->cmdCloseAlarm, &QPushButton::clicked, this, &QDialog::close);
}

MD::~MD() = default;

void MD::prepareOpening()
{
    MdState &s = *m_state;
    m_ui->ComboSetMD->setCurrentIndex(0);
    m_hold.begin();
    if (s.MDActive && !s.MDStateKnown) {
        if (m_checkAlarmStatus) {
            BusyCursor busy;
            m_checkAlarmStatus();
        }
    } else {
        s.MDStateKnown = false;
    }
    fillFromState();
}

void MD::fillFromState()
{
    const MdState &s = *m_state;
    // A mode the list does not hold (the alarm read takes the camera's byte
    // as it comes) leaves the first mode selected.
    if (s.MDMode <= masks::kLastAlarmMode)
        m_ui->ComboSetMD->setCurrentIndex(s.MDMode);
    m_ui->txtMDday->setText(masks::levelText(s.MDDayLevel));
    m_ui->txtMDdayR->setText(masks::levelText(s.MDDayLevel));
    m_ui->txtMDnight->setText(masks::levelText(s.MDNightLevel));
    m_ui->txtMDnightR->setText(masks::levelText(s.MDNightLevel));
    m_ui->txtMDc->setText(masks::levelText(s.MDNowLevel));
    if (s.MDActive)
        m_ui->OpMDon->setChecked(true);
    else
        m_ui->OpMDoff->setChecked(true);
}

void MD::openFromMenu()
{
    prepareOpening();
    if (QWidget *main = parentWidget() ? parentWidget()->window() : nullptr)
        move(main->frameGeometry().topLeft() + QPoint(7, 7)); // 100 twips at 96 dpi
    exec();
}

void MD::done(int result)
{
    if (isVisible() || m_hold.holding()) {
        MdState &s = *m_state;
        if (s.MDActive && s.MDModeKnown && s.MDDayLevelSent && s.MDNightLevelSent)
            s.MDStateKnown = true;
        m_hold.end(s.MDActive);
    }
    maskui::MaskDialog::done(result);
}

void MD::send(catalog::Id id, std::initializer_list<int> values)
{
    sendEntry(m_sender, m_link->state().CameraAddress, id, values);
}

QByteArray MD::inquire(catalog::Id inquiry, double pauseSeconds)
{
    ExchangeExpect expect =
        ExchangeExpect::inquiry(m_link->state().CameraAddress, catalog::entry(inquiry).replyLength);
    // The window's own commands are answered on the same line.
    expect.passCommandReplies = true;
    send(inquiry);
    BusyCursor busy;
    if (pauseSeconds > 0)
        m_link->stopwatch().pause(pauseSeconds);
    // No answer within the second: an empty reply, which no reply check passes.
    const ExchangeAnswer a = collectAnswer(*m_link, expect);
    return a.result == ExchangeResult::Data ? a.data : QByteArray();
}

void MD::comSetMD_Click()
{
    const auto mode = positionOf(m_ui->ComboSetMD);
    if (!mode)
        return;
    send(catalog::Id::AlarmModeSet, {*mode});
    m_state->MDMode = std::uint8_t(*mode);
}

void MD::cmdsetMDinq_Click()
{
    const auto mode = masks::alarmModeReply(inquire(catalog::Id::AlarmModeInquiry));
    if (!mode)
        return;
    MdState &s = *m_state;
    s.MDMode = *mode;
    m_ui->ComboSetMD->setCurrentIndex(*mode);
    s.MDModeKnown = true;
}

void MD::cmdsetMDtime_Click()
{
    const auto day = valueOf(m_ui->txtMDday, hexDigitsMax(3));
    if (!day)
        return;
    const auto night = valueOf(m_ui->txtMDnight, hexDigitsMax(3));
    if (!night)
        return;
    send(catalog::Id::AlarmLevels, {int(*day), int(*night)});
    MdState &s = *m_state;
    s.MDDayLevel = int(*day);
    s.MDDayLevelSent = true;
    s.MDNightLevel = int(*night);
    s.MDNightLevelSent = true;
}

void MD::cmdLevelInq_Click()
{
    // The camera needs a moment before it answers the level inquiry.
    const auto levels = masks::alarmLevelReply(inquire(catalog::Id::AlarmLevelInquiry, 0.5));
    if (!levels)
        return;
    m_ui->txtMDdayR->setText(masks::levelText(levels->day));
    m_ui->txtMDnightR->setText(masks::levelText(levels->night));
    m_ui->txtMDc->setText(masks::levelText(levels->now));
}

void MD::cmdMDstart_Click()
{
    const bool on = m_ui->OpMDon->isChecked();
    if (on && m_link->refresh().captionIsAuto()) {
        const auto answer = ask({QMessageBox::Warning, QStringLiteral("AutoRefresh warning"),
                                 kStartWarning, QMessageBox::Ok | QMessageBox::Cancel});
        if (answer != QMessageBox::Ok)
            return;
    }
    MdState &s = *m_state;
    if (on) {
        s.MDActive = true;
        send(catalog::Id::AlarmStart);
    } else if (m_ui->OpMDoff->isChecked()) {
        s.MDActive = false;
        send(catalog::Id::AlarmStop);
    }
}

void MD::cmdMDSSunq_Click()
{
    const auto running = masks::alarmStatusReply(inquire(catalog::Id::AlarmStatusInquiry));
    if (!running)
        return;
    m_state->MDActive = *running;
    if (*running)
        m_ui->OpMDon->setChecked(true);
    else
        m_ui->OpMDoff->setChecked(true);
}

void MD::cmdJun_Click()
{
    if (m_ui->cmdJun->text() == QLatin1String("ON")) {
        send(catalog::Id::AlarmSwitchOn);
        m_ui->cmdJun->setText(QStringLiteral("OFF"));
    } else {
        send(catalog::Id::AlarmSwitchOff);
        m_ui->cmdJun->setText(QStringLiteral("ON"));
    }
}

} // namespace zam
