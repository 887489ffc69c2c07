#include "exposure.h"

#include "controls.h"

#include <QApplication>
#include <QMessageBox>
#include <cameramodes.h>
#include <groupwidgets.h>
#include <hexfield.h>
#include <modeltable.h>
#include <packet.h>
#include <statusblocks.h>
#include <statusread.h>
#include <windowsupport.h>

#include <utility>

namespace zam {

const QString ExposureCommands::kSlowAETitle = QStringLiteral("Slow AE");

namespace {

// Command bytes (third byte after the header).
constexpr int kAEModeCommand = 0x39;
constexpr int kShutter = 0x0A;
constexpr int kIris = 0x0B;
constexpr int kGain = 0x0C;
constexpr int kBrightStep = 0x0D;
constexpr int kExpCompStep = 0x0E;
constexpr int kAperture = 0x02;
constexpr int kExpCompOnOff = 0x3E;
constexpr int kBackLight = 0x33;
constexpr int kAutoSlowShutter = 0x5A;
constexpr int kSlowAE = 0x5D;

constexpr int kUp = 0x02;   // also "on", "faster", "open"
constexpr int kDown = 0x03; // also "off", "slower", "closed"
constexpr int kReset = 0x00;

// Sliders send on the operator's moves only; the release sends nothing more.
constexpr SliderSender::Options kSliderOptions{
    .stopsRefresh = true, .sendOnMove = true, .sendOnRelease = false};

// Iris auto is selected only by the (hidden) IrisAuto item and the status
// read never reports it, so it has no row of its own there. It checks no
// item; the item field below is not read.
constexpr AEModeRow kIrisAutoRow{ae::kIrisAuto, AEItem::FullAuto, false, true, true, false, false};

// A checkable QAction flips its own mark before it reports the trigger. The
// mode items keep their marks under the handler's control (an item that is
// refused or already current keeps the mark it had), so the flip is undone
// before the handler runs.
template <typename Handler> void connectModeItem(QAction *action, QObject *context, Handler handler)
{
    QObject::connect(action, &QAction::triggered, context, [action, handler](bool checked) {
        if (action->isCheckable())
            action->setChecked(!checked);
        handler();
    });
}

} // namespace

ExposureCommands::ExposureCommands(CameraLink &link, const ExposureWidgets &widgets,
                                   CameraModes &modes, const CaptionTables &captions,
                                   QWidget *window)
    : m_ui(&widgets), m_link(&link), m_modes(&modes), m_captions(&captions), m_messages(window)
{
    const ExposureWidgets *ui = m_ui;

    // AE mode menu. ShutterAuto and GainAuto have no action; AESpotMode opens
    // the AE spot dialog, which wires itself.
    struct ModeItem {
        QAction *action;
        int code;
        bool guarded; // asks RefreshNotGoCheck first
    };
    const ModeItem modeItems[] = {
        {ui->FullAuto, ae::kFullAuto, true},
        {ui->Manual, ae::kManual, true},
        {ui->ShutterPriority, ae::kShutterPriority, true},
        {ui->IrisPriority, ae::kIrisPriority, true},
        {ui->GainPriority, ae::kGainPriority, false},
        {ui->IrisAuto, ae::kIrisAuto, false},
    };
    for (const ModeItem &m : modeItems)
        connectModeItem(m.action, this, [this, m] { selectAEMode(m.code, m.guarded); });
    connectModeItem(ui->Bright, this, [this] { selectBright(); });

    // One-step buttons; three of them also step their display.
    struct StepButton {
        QAbstractButton *button;
        int command;
        int parameter;
        void (ExposureCommands::*afterSend)();
    };
    const StepButton steps[] = {
        {ui->ShutterFast, kShutter, kUp, nullptr},
        {ui->ShutterSlow, kShutter, kDown, &ExposureCommands::stepShutterSlow},
        {ui->IrisOpen, kIris, kUp, nullptr},
        {ui->IrisClose, kIris, kDown, nullptr},
        {ui->GainUp, kGain, kUp, nullptr},
        {ui->GainDown, kGain, kDown, &ExposureCommands::stepGainDown},
        {ui->BrightUp, kBrightStep, kUp, &ExposureCommands::stepBrightUp},
        {ui->BrightDown, kBrightStep, kDown, nullptr},
        {ui->ExpCompUp, kExpCompStep, kUp, nullptr},
        {ui->ExpCompDown, kExpCompStep, kDown, nullptr},
        {ui->ApertureUp, kAperture, kUp, nullptr},
        {ui->ApertureDown, kAperture, kDown, nullptr},
        {ui->ApertureReset, kAperture, kReset, nullptr},
    };
    for (const StepButton &s : steps) {
        connect(s.button, &QAbstractButton::clicked, this, [this, s] {
            if (send(s.command, s.parameter) && s.afterSend)
                (this->*s.afterSend)();
        });
    }

    struct PositionSlider {
        QAbstractSlider *slider;
        int command;
    };
    const PositionSlider sliders[] = {
        {ui->ShutterSlider, 0x4A}, {ui->IrisSlider, 0x4B},    {ui->GainSlider, 0x4C},
        {ui->BrightSlider, 0x4D},  {ui->ExpCompSlider, 0x4E}, {ui->ApertureSlider, 0x42},
    };
    for (const PositionSlider &p : sliders) {
        new SliderSender(
            p.slider, *m_link,
            [this, command = p.command](int value) { sendPosition(command, value); },
            kSliderOptions, this);
    }

    connect(ui->ExpComp, &QCheckBox::clicked, this, &ExposureCommands::expCompClicked);
    connect(ui->BackLight, &QCheckBox::clicked, this,
            [this](bool checked) { toggleOption(m_ui->BackLight, checked, kBackLight); });
    connect(ui->AutoSlowShutter, &QCheckBox::clicked, this, [this](bool checked) {
        toggleOption(m_ui->AutoSlowShutter, checked, kAutoSlowShutter);
    });
    connect(ui->cmdSetSlowAE, &QPushButton::clicked, this, &ExposureCommands::setSlowAE);
}

bool ExposureCommands::send(int command, int parameter)
{
    return sendFunction(*m_link, command, parameter);
}

bool ExposureCommands::sendPosition(int command, int value)
{
    return zam::sendPosition(*m_link, command, value);
}

void ExposureCommands::selectAEMode(int code, bool guarded)
{
    if (guarded && !m_link->RefreshNotGoCheck())
        return;
    CameraModes &s = *m_modes;
    if (s.CurrentAEMode == code)
        return;
    // The mode is recorded only once its packet has gone out: a refused send
    // leaves the item selectable again.
    if (!send(kAEModeCommand, code))
        return;
    s.CurrentAEMode = code;
    applyAEMode(code);
}

void ExposureCommands::selectBright()
{
    if (!m_link->RefreshNotGoCheck())
        return;
    CameraModes &s = *m_modes;
    if (s.CurrentAEMode == ae::kBright)
        return;
    // The camera is taken to bright through full auto, and left a second in
    // full auto before the bright command; only shutter priority goes
    // straight to bright.
    if (s.CurrentAEMode != ae::kShutterPriority) {
        const BusyCursor busy;
        if (!send(kAEModeCommand, ae::kFullAuto))
            return;
        m_link->stopwatch().pause(1.0);
    }
    if (!send(kAEModeCommand, ae::kBright))
        return;
    s.CurrentAEMode = ae::kBright;
    applyAEMode(ae::kBright);
}

void ExposureCommands::applyAEMode(int code)
{
    const std::optional<AEModeRow> row = aeModeRow(code);
    checkAEItem(*m_ui, row ? std::optional(row->item) : std::nullopt);
    applyAEModeControls(*m_ui, row ? *row : kIrisAutoRow);
}

bool ExposureCommands::gateCheckBox(QCheckBox *box, bool checked)
{
    if (m_link->RefreshNotGoCheck())
        return true;
    // Refused: the box goes back to the state the camera was last told.
    const QSignalBlocker block(box);
    box->setChecked(!checked);
    return false;
}

void ExposureCommands::toggleOption(QCheckBox *box, bool checked, int command)
{
    if (gateCheckBox(box, checked))
        send(command, checked ? kUp : kDown);
}

void ExposureCommands::expCompClicked(bool checked)
{
    if (!gateCheckBox(m_ui->ExpComp, checked))
        return;
    setExpCompControlsEnabled(checked);
    send(kExpCompOnOff, checked ? kUp : kDown);
}

void ExposureCommands::setExpCompControlsEnabled(bool on)
{
    setEnabled({m_ui->ExpCompUp, m_ui->ExpCompDown, m_ui->ExpCompSlider}, on);
}

void ExposureCommands::stepGainDown()
{
    const int value = m_ui->GainSlider->value();
    if (value <= 0)
        return;
    if (const auto caption = m_captions->gain(value - 1))
        m_ui->GainValue->setText(*caption);
    m_ui->GainSlider->setValue(value - 1);
}

void ExposureCommands::stepBrightUp()
{
    const int value = m_ui->BrightSlider->value();
    if (value >= kBrightUpStepLimit)
        return;
    if (const auto caption = m_captions->bright(value + 1))
        m_ui->BrightValue->setText(*caption);
    m_ui->BrightSlider->setValue(value + 1);
}

void ExposureCommands::stepShutterSlow()
{
    if (!shutterSlowStepsDisplay(m_ui->ModelVersion->text()))
        return;
    const int value = m_ui->ShutterSlider->value();
    if (value <= kShutterSlowStepFloor)
        return;
    if (const auto caption = m_captions->shutter(m_modes->ShutterColumn, value - 1))
        m_ui->ShutterValue->setText(*caption);
    m_ui->ShutterSlider->setValue(value - 1);
}

void ExposureCommands::setSlowAE()
{
    // One whole parameter byte: the label asks for 01 to 20, and nothing
    // above 7F may go out, where the line has its headers and terminator.
    const auto value =
        readHexBox(m_ui->txtSlowAEvalue, kHexParamMax,
                   hexBoxRefusal(QStringLiteral("The Slow AE value (pp)"),
                                 [this](const QString &text) { m_messages.show({QMessageBox::Warning, kSlowAETitle, text}); }));
    if (value)
        send(kSlowAE, int(*value));
}

} // namespace zam
