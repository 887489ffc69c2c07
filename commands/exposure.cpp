#include "exposure.h"

#include "controls.h"

#include <QApplication>
#include <QMessageBox>
#include <cameramodes.h>
#include <formcontrols.h>
#include <hexfield.h>
#include <modeltable.h>
#include <windowsupport.h>

#include <utility>

#include "ui_exposure.h"

namespace zam {

const QString ExposureCommands::kSlowAETitle = QStringLiteral("Slow AE");

namespace {

using catalog::Id;

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

ExposureCommands::ExposureCommands(CameraLink &link, QWidget &window, CameraModes &modes,
                                   const CaptionTables &captions)
    : m_ui(placeForm<Ui::ExposureGroup>(window, "ExposureGroup")), m_window(&window),
      m_modelName(&windowWidget<QLineEdit>(window, "ModelVersion")), m_link(&link), m_modes(&modes),
      m_captions(&captions), m_messages(&window)
{
    const Ui::ExposureGroup *ui = m_ui.get();

    // AE mode menu: one item per mode row. ShutterAuto and GainAuto have no
    // action; AESpotMode opens the AE spot dialog, which wires itself.
    for (const ModeRow &row : kAeModes) {
        connectModeItem(&windowAction(window, row.item), this, [this, &row] {
            if (row.code == ae::kBright)
                selectBright(row);
            else
                selectAEMode(row);
        });
    }

    // One-step buttons; three of them also step their display.
    struct StepButton {
        QAbstractButton *button;
        Id id;
        void (ExposureCommands::*afterSend)();
    };
    const StepButton steps[] = {
        {ui->ShutterFast, Id::ShutterFaster, nullptr},
        {ui->ShutterSlow, Id::ShutterSlower, &ExposureCommands::stepShutterSlow},
        {ui->IrisOpen, Id::IrisOpen, nullptr},
        {ui->IrisClose, Id::IrisClose, nullptr},
        {ui->GainUp, Id::GainUp, nullptr},
        {ui->GainDown, Id::GainDown, &ExposureCommands::stepGainDown},
        {ui->BrightUp, Id::BrightUp, &ExposureCommands::stepBrightUp},
        {ui->BrightDown, Id::BrightDown, nullptr},
        {ui->ExpCompUp, Id::ExpCompUp, nullptr},
        {ui->ExpCompDown, Id::ExpCompDown, nullptr},
        {ui->ApertureUp, Id::ApertureUp, nullptr},
        {ui->ApertureDown, Id::ApertureDown, nullptr},
        {ui->ApertureReset, Id::ApertureReset, nullptr},
    };
    for (const StepButton &s : steps) {
        connect(s.button, &QAbstractButton::clicked, this, [this, s] {
            if (send(s.id) && s.afterSend)
                (this->*s.afterSend)();
        });
    }

    struct PositionSlider {
        QAbstractSlider *slider;
        Id id;
    };
    const PositionSlider sliders[] = {
        {ui->ShutterSlider, Id::ShutterDirect}, {ui->IrisSlider, Id::IrisDirect},
        {ui->GainSlider, Id::GainDirect},       {ui->BrightSlider, Id::BrightDirect},
        {ui->ExpCompSlider, Id::ExpCompDirect}, {ui->ApertureSlider, Id::ApertureDirect},
    };
    for (const PositionSlider &p : sliders) {
        new SliderSender(
            p.slider, *m_link, [this, id = p.id](int value) { send(id, {value}); },
            kSendOnMovesOnly, this);
    }

    connect(ui->ExpComp, &QCheckBox::clicked, this, &ExposureCommands::expCompClicked);
    connect(ui->BackLight, &QCheckBox::clicked, this, [this](bool checked) {
        toggleOption(m_ui->BackLight, checked, Id::BackLightOn, Id::BackLightOff);
    });
    connect(ui->AutoSlowShutter, &QCheckBox::clicked, this, [this](bool checked) {
        toggleOption(m_ui->AutoSlowShutter, checked, Id::AutoSlowShutterOn, Id::AutoSlowShutterOff);
    });
    connect(ui->cmdSetSlowAE, &QPushButton::clicked, this, &ExposureCommands::setSlowAE);
}

ExposureCommands::~ExposureCommands() = default;

bool ExposureCommands::send(catalog::Id id, std::initializer_list<int> values)
{
    return zam::send(*m_link, id, values);
}

void ExposureCommands::selectAEMode(const ModeRow &row)
{
    if (row.guarded && !m_link->RefreshNotGoCheck())
        return;
    CameraModes &s = *m_modes;
    if (s.CurrentAEMode == row.code)
        return;
    // The mode is recorded only once its packet has gone out: a refused send
    // leaves the item selectable again.
    if (!send(row.entry))
        return;
    s.CurrentAEMode = row.code;
    applyAEMode(row);
}

void ExposureCommands::selectBright(const ModeRow &bright)
{
    if (!m_link->RefreshNotGoCheck())
        return;
    CameraModes &s = *m_modes;
    if (s.CurrentAEMode == bright.code)
        return;
    // The camera is taken to bright through full auto, and left a second in
    // full auto before the bright command; only shutter priority goes
    // straight to bright.
    if (brightGoesThroughFullAuto(s.CurrentAEMode)) {
        const BusyCursor busy;
        if (!send(findMode(ModeFamily::Ae, ae::kFullAuto)->entry))
            return;
        m_link->stopwatch().pause(kBrightFullAutoPause);
    }
    if (!send(bright.entry))
        return;
    s.CurrentAEMode = bright.code;
    applyAEMode(bright);
}

void ExposureCommands::applyAEMode(const ModeRow &row)
{
    checkModeItem(*m_window, ModeFamily::Ae, row.marked ? &row : nullptr);
    applyModeControls(*m_window, ModeFamily::Ae, row);
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

void ExposureCommands::toggleOption(QCheckBox *box, bool checked, catalog::Id on, catalog::Id off)
{
    if (gateCheckBox(box, checked))
        send(checked ? on : off);
}

void ExposureCommands::expCompClicked(bool checked)
{
    if (!gateCheckBox(m_ui->ExpComp, checked))
        return;
    setExpCompControlsEnabled(checked);
    send(checked ? Id::ExpCompOn : Id::ExpCompOff);
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
    if (!shutterSlowStepsDisplay(m_modelName->text()))
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
    const auto value = readHexBox(
        m_ui->txtSlowAEvalue, kHexParamMax,
        hexBoxRefusal(QStringLiteral("The Slow AE value (pp)"), [this](const QString &text) {
            m_messages.show({QMessageBox::Warning, kSlowAETitle, text});
        }));
    if (value)
        send(Id::SlowAe, {int(*value)});
}

void ExposureCommands::showCamera(const CameraStatus &s)
{
    const Ui::ExposureGroup *ui = m_ui.get();
    showMode(*m_window, ModeFamily::Ae, s.aeMode, m_modes->CurrentAEMode);

    showPosition(ui->ApertureSlider, s.aperture);
    showNumber(ui->ApertureValue, s.aperture);

    const CaptionTables &captions = *m_captions;
    showPosition(ui->ShutterSlider, s.shutterPosition);
    showCaption(ui->ShutterValue, captions.shutter(m_modes->ShutterColumn, s.shutterPosition));
    showPosition(ui->IrisSlider, s.irisPosition);
    showCaption(ui->IrisValue, captions.iris(s.irisPosition));
    showPosition(ui->GainSlider, s.gainPosition);
    showCaption(ui->GainValue, captions.gain(s.gainPosition));
    showPosition(ui->BrightSlider, s.brightPosition);
    showCaption(ui->BrightValue, captions.bright(s.brightPosition));
    showPosition(ui->ExpCompSlider, s.expCompPosition);
    showCaption(ui->ExpCompValue, captions.expComp(s.expCompPosition));

    showTicked(ui->AutoSlowShutter, s.autoSlowShutter);
    showTicked(ui->BackLight, s.backLight);

    // Exposure compensation controls follow the check box whatever the AE mode.
    showTicked(ui->ExpComp, s.expComp);
    setExpCompControlsEnabled(s.expComp);
}

} // namespace zam
