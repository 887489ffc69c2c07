#include "focus.h"

#include "controls.h"

#include <QMessageBox>
#include <QRegularExpressionValidator>
#include <QSignalBlocker>
#include <QAction>
#include <QCheckBox>
#include <QLineEdit>
#include <QPushButton>
#include <QSlider>
#include <QSpinBox>
#include <QToolButton>
#include <groupwidgets.h>
#include <hexfield.h>
#include <packet.h>
#include <windowsupport.h>

#include <algorithm>
#include <utility>

namespace zam {

namespace {

constexpr int kFocus = 0x08;
constexpr int kFocusMode = 0x38;
constexpr int kAfMode = 0x57;
constexpr int kIntervalTimes = 0x27;
constexpr int kSensitivity = 0x58;
constexpr int kFocusAction = 0x18;
constexpr int kLensAction = 0x19;
constexpr int kFocusDirect = 0x48;
constexpr int kNearLimit = 0x28;

constexpr int kFar = 0x20;  // + speed
constexpr int kNear = 0x30; // + speed
constexpr int kAuto = 0x02;
constexpr int kManual = 0x03;
constexpr int kLow = 0x02;
constexpr int kNormal = 0x03;

// Buttons and menu items that send one fixed packet and change nothing else.
struct PlainRow {
    QPushButton *FocusWidgets::*button;
    int command;
    int parameter;
};

const PlainRow kPlainButtons[] = {
    {&FocusWidgets::AFTrig, kFocusAction, 0x01},   // one-push focus
    {&FocusWidgets::Infinity, kFocusAction, 0x02}, // focus to infinity
};

struct MenuRow {
    QAction *FocusWidgets::*action;
    int command;
    int parameter;
};

const MenuRow kMenuItems[] = {
    {&FocusWidgets::Lensinit, kLensAction, 0x01},
    {&FocusWidgets::CompScan, kLensAction, 0x02},
};

// AFModeCmd 1..3 with their AF mode parameter; index 0 is "Auto".
struct AfModeRow {
    QPushButton *FocusWidgets::*button;
    int mode;
};

const AfModeRow kAfModes[] = {
    {&FocusWidgets::AFModeCmd_1, 0x00}, // Normal
    {&FocusWidgets::AFModeCmd_2, 0x01}, // Interval AF
    {&FocusWidgets::AFModeCmd_3, 0x02}, // ZoomTrigger
};

} // namespace

FocusCommands::FocusCommands(CameraLink &link, const FocusWidgets &widgets, QWidget *window)
    : m_link(&link), m_ui(&widgets), m_messages(window)
{
    const FocusWidgets *ui = m_ui;

    for (HoldRow row : {speedHold(ui->Far, kFocus, kFar, ui->FarSpeed),
                        speedHold(ui->Near, kFocus, kNear, ui->NearSpeed)})
        new HoldButton(link, std::move(row), this);
    for (const PlainRow &row : kPlainButtons) {
        connect(ui->*row.button, &QAbstractButton::clicked, this,
                [this, row] { send(row.command, row.parameter); });
    }
    for (const MenuRow &row : kMenuItems) {
        connect(ui->*row.action, &QAction::triggered, this,
                [this, row] { send(row.command, row.parameter); });
    }
    for (const AfModeRow &row : kAfModes) {
        connect(ui->*row.button, &QAbstractButton::clicked, this,
                [this, row] { afMode(row.mode); });
    }
    connect(ui->AFModeCmd_0, &QAbstractButton::clicked, this, &FocusCommands::focusAuto);
    connect(ui->ManAFMode, &QAbstractButton::clicked, this, &FocusCommands::focusManual);
    connect(ui->ACTAFmodeset, &QAbstractButton::clicked, this, &FocusCommands::setIntervalTimes);
    connect(ui->AF_Sens, &QAbstractButton::clicked, this, &FocusCommands::sensitivityClicked);

    // The camera position goes out no further than the near limit, also while
    // the thumb is dragged past it and before the clamp below pulls it back.
    new SliderSender(
        ui->FocusSlider, link,
        [this](int value) {
            sendPosition(kFocusDirect,
                         std::min(value, m_ui->FocusNearLimitSlider->value()));
        },
        {}, this);
    connect(ui->FocusSlider, &QAbstractSlider::valueChanged, this,
            &FocusCommands::clampToNearLimit);

    // Dragging the near limit leaves the auto refresh alone and sends only
    // while it moves.
    SliderSender::Options nearLimit;
    nearLimit.stopsRefresh = false;
    nearLimit.sendOnRelease = false;
    new SliderSender(
        ui->FocusNearLimitSlider, link,
        [this](int value) { sendPosition(kNearLimit, value); }, nearLimit, this);

    const QRegularExpression twoHexDigits(QStringLiteral("[0-9A-Fa-f]{0,2}"));
    for (QLineEdit *box : {ui->AFacttime, ui->AFintTime}) {
        box->setMaxLength(2);
        box->setValidator(new QRegularExpressionValidator(twoHexDigits, box));
    }
}

bool FocusCommands::send(int command, int parameter)
{
    return sendFunction(*m_link, command, parameter);
}

void FocusCommands::sendPosition(int command, int value)
{
    zam::sendPosition(*m_link, command, value);
}

void FocusCommands::focusAuto()
{
    const FocusWidgets *ui = m_ui;
    // The enabled states record the focus mode: they follow only a packet
    // that went out.
    if (!send(kFocusMode, kAuto))
        return;
    setManualGroupEnabled(false);
    ui->AFModeCmd_0->setEnabled(false);
    for (const AfModeRow &row : kAfModes)
        (ui->*row.button)->setEnabled(true);
    ui->ManAFMode->setEnabled(true);
    ui->Infinity->setEnabled(false);
}

void FocusCommands::focusManual()
{
    const FocusWidgets *ui = m_ui;
    if (!send(kFocusMode, kManual))
        return;
    setManualGroupEnabled(true);
    ui->AFModeCmd_0->setEnabled(true);
    for (const AfModeRow &row : kAfModes)
        (ui->*row.button)->setEnabled(false);
    ui->ManAFMode->setEnabled(false);
    ui->Infinity->setEnabled(true);
}

void FocusCommands::afMode(int mode)
{
    if (send(kAfMode, mode))
        showAfModeChosen();
}

void FocusCommands::setIntervalTimes()
{
    const FocusWidgets *ui = m_ui;
    const auto refuse = [this](const QString &text) {
        m_messages.show({QMessageBox::Warning, QStringLiteral("Interval AF"), text});
    };
    const auto active =
        readHexBox(ui->AFacttime, kHexByteMax, hexBoxRefusal(QStringLiteral("The active time"), refuse));
    if (!active)
        return;
    const auto interval =
        readHexBox(ui->AFintTime, kHexByteMax, hexBoxRefusal(QStringLiteral("The interval time"), refuse));
    if (!interval)
        return;
    if (sendCommand(*m_link,
                    {m_link->state().header(), 0x01, 0x04, kIntervalTimes, int(*active >> 4),
                     int(*active & 0x0F), int(*interval >> 4), int(*interval & 0x0F), 0xFF}))
        showAfModeChosen();
}

void FocusCommands::sensitivityClicked(bool low)
{
    if (!m_link->RefreshNotGoCheck()) {
        // Nothing was sent, so the tick goes back to what the camera has.
        const QSignalBlocker block(m_ui->AF_Sens);
        m_ui->AF_Sens->setChecked(!low);
        return;
    }
    send(kSensitivity, low ? kLow : kNormal);
}

void FocusCommands::clampToNearLimit(int value)
{
    const int limit = m_ui->FocusNearLimitSlider->value();
    if (value > limit)
        m_ui->FocusSlider->setValue(limit);
}

void FocusCommands::setManualGroupEnabled(bool on)
{
    const FocusWidgets *ui = m_ui;
    setEnabled({ui->Near, ui->Far, ui->NearSpeed, ui->FarSpeed, ui->FocusSlider, ui->AFTrig}, on);
}

void FocusCommands::showAfModeChosen()
{
    const FocusWidgets *ui = m_ui;
    setManualGroupEnabled(false);
    ui->AFModeCmd_0->setEnabled(true);
    for (const AfModeRow &row : kAfModes)
        (ui->*row.button)->setEnabled(true);
}

} // namespace zam
