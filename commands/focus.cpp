#include "focus.h"

#include "controls.h"

#include <QAction>
#include <QCheckBox>
#include <QLineEdit>
#include <QMessageBox>
#include <QPushButton>
#include <QRegularExpressionValidator>
#include <QSignalBlocker>
#include <QSlider>
#include <QSpinBox>
#include <QToolButton>
#include <hexfield.h>
#include <windowsupport.h>

#include "ui_focus.h"

#include <algorithm>
#include <utility>

namespace zam {

namespace {

using catalog::Id;

// Buttons and menu items that send one fixed packet and change nothing else.
struct PlainRow {
    QPushButton *Ui::FocusGroup::*button;
    Id id;
};

const PlainRow kPlainButtons[] = {
    {&Ui::FocusGroup::AFTrig, Id::FocusOnePush},
    {&Ui::FocusGroup::Infinity, Id::FocusInfinity},
};

// Items of the window's Camera menu.
struct MenuRow {
    const char *item;
    Id id;
};

const MenuRow kMenuItems[] = {
    {"Lensinit", Id::LensInitialize},
    {"CompScan", Id::CompensationScan},
};

// AFModeCmd 1..3 with their AF mode; AFModeCmd_0 is "Auto".
struct AfModeRow {
    QPushButton *Ui::FocusGroup::*button;
    Id mode;
};

const AfModeRow kAfModes[] = {
    {&Ui::FocusGroup::AFModeCmd_1, Id::AfModeNormal},
    {&Ui::FocusGroup::AFModeCmd_2, Id::AfModeInterval},
    {&Ui::FocusGroup::AFModeCmd_3, Id::AfModeZoomTrigger},
};

} // namespace

FocusCommands::FocusCommands(CameraLink &link, QWidget &window)
    : m_link(&link), m_ui(placeForm<Ui::FocusGroup>(window, "FocusGroup")), m_messages(&window)
{
    const Ui::FocusGroup *ui = m_ui.get();

    for (HoldRow row : {speedHold(ui->Far, Id::FocusFar, ui->FarSpeed, Id::FocusStop),
                        speedHold(ui->Near, Id::FocusNear, ui->NearSpeed, Id::FocusStop)})
        new HoldButton(link, std::move(row), this);
    for (const PlainRow &row : kPlainButtons) {
        connect(ui->*row.button, &QAbstractButton::clicked, this, [this, row] { send(row.id); });
    }
    for (const MenuRow &row : kMenuItems) {
        connect(&windowAction(window, row.item), &QAction::triggered, this,
                [this, row] { send(row.id); });
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
            send(Id::FocusDirect, {std::min(value, m_ui->FocusNearLimitSlider->value())});
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
        ui->FocusNearLimitSlider, link, [this](int value) { send(Id::FocusNearLimit, {value}); },
        nearLimit, this);

    const QRegularExpression twoHexDigits(QStringLiteral("[0-9A-Fa-f]{0,2}"));
    for (QLineEdit *box : {ui->AFacttime, ui->AFintTime}) {
        box->setMaxLength(2);
        box->setValidator(new QRegularExpressionValidator(twoHexDigits, box));
    }
}

FocusCommands::~FocusCommands() = default;

bool FocusCommands::send(catalog::Id id, std::initializer_list<int> values)
{
    return zam::send(*m_link, id, values);
}

void FocusCommands::focusAuto()
{
    const Ui::FocusGroup *ui = m_ui.get();
    // The enabled states record the focus mode: they follow only a packet
    // that went out.
    if (!send(Id::FocusAuto))
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
    const Ui::FocusGroup *ui = m_ui.get();
    if (!send(Id::FocusManual))
        return;
    setManualGroupEnabled(true);
    ui->AFModeCmd_0->setEnabled(true);
    for (const AfModeRow &row : kAfModes)
        (ui->*row.button)->setEnabled(false);
    ui->ManAFMode->setEnabled(false);
    ui->Infinity->setEnabled(true);
}

void FocusCommands::afMode(catalog::Id mode)
{
    if (send(mode))
        showAfModeChosen();
}

void FocusCommands::setIntervalTimes()
{
    const Ui::FocusGroup *ui = m_ui.get();
    const auto refuse = [this](const QString &text) {
        m_messages.show({QMessageBox::Warning, QStringLiteral("Interval AF"), text});
    };
    const auto active = readHexBox(ui->AFacttime, kHexByteMax,
                                   hexBoxRefusal(QStringLiteral("The active time"), refuse));
    if (!active)
        return;
    const auto interval = readHexBox(ui->AFintTime, kHexByteMax,
                                     hexBoxRefusal(QStringLiteral("The interval time"), refuse));
    if (!interval)
        return;
    if (send(Id::AfIntervalTimes, {int(*active), int(*interval)}))
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
    send(low ? Id::AfSensitivityLow : Id::AfSensitivityNormal);
}

void FocusCommands::clampToNearLimit(int value)
{
    const int limit = m_ui->FocusNearLimitSlider->value();
    if (value > limit)
        m_ui->FocusSlider->setValue(limit);
}

void FocusCommands::setManualGroupEnabled(bool on)
{
    const Ui::FocusGroup *ui = m_ui.get();
    setEnabled({ui->Near, ui->Far, ui->NearSpeed, ui->FarSpeed, ui->FocusSlider, ui->AFTrig}, on);
}

void FocusCommands::showAfModeChosen()
{
    const Ui::FocusGroup *ui = m_ui.get();
    setManualGroupEnabled(false);
    ui->AFModeCmd_0->setEnabled(true);
    for (const AfModeRow &row : kAfModes)
        (ui->*row.button)->setEnabled(true);
}

void FocusCommands::applyFocusControls(const FocusControls &c)
{
    const Ui::FocusGroup *ui = m_ui.get();
    setEnabled({ui->Near, ui->Far, ui->NearSpeed, ui->FarSpeed, ui->FocusSlider}, c.manualEnabled);
    ui->AFTrig->setEnabled(c.afTrigEnabled);
    ui->AFModeCmd_0->setEnabled(c.afModeCmd0Enabled);
    setEnabled({ui->AFModeCmd_1, ui->AFModeCmd_2, ui->AFModeCmd_3}, c.afModeCmdEnabled);
    ui->ManAFMode->setEnabled(c.manAFModeEnabled);
    ui->Infinity->setEnabled(c.infinityEnabled);
}

void FocusCommands::showLens(const LensStatus &s)
{
    const Ui::FocusGroup *ui = m_ui.get();
    // The near limit first: the focus slider is held at or below it, and the
    // camera's focus must be measured against its new limit, not the old one.
    showPosition(ui->FocusNearLimitSlider, s.focusNearLimit);
    if (!s.focusMoving) {
        showPosition(ui->FocusSlider, s.focusPosition);
        showNumber(ui->FocusValue, s.focusPosition);
    }
    showTicked(ui->AF_Sens, s.afSensitivity);
    applyFocusControls(focusControls(s.focusAuto));
}

} // namespace zam
