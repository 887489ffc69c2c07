#include "lens.h"

#include "controls.h"

#include <QPushButton>
#include <QSlider>
#include <QToolButton>
#include <windowsupport.h>

#include "ui_lens.h"

namespace zam {

namespace {

using catalog::Id;

constexpr int kWideEnd = 0x0000;
constexpr int kOpticalTeleEnd = 0x4000;
// Beyond the 7000 end of the full slider: the camera drives to the end of
// its digital range.
constexpr int kDigitalTeleEnd = 0x8BE0;

} // namespace

LensCommands::LensCommands(CameraLink &link, QWidget &window)
    : m_link(&link), m_ui(placeForm<Ui::LensGroup>(window, "LensGroup"))
{
    const Ui::LensGroup *ui = m_ui.get();

    // The press-and-hold buttons with the speed box each reads.
    for (HoldRow row :
         {speedHold(ui->ZoomTele, Id::ZoomTele, ui->TeleSpeed, Id::ZoomStop),
          speedHold(ui->ZoomWide, Id::ZoomWide, ui->WideSpeed, Id::ZoomStop),
          speedHold(ui->DZoomTele, Id::DigitalZoomTele, ui->DTeleSpeed, Id::DigitalZoomStop),
          speedHold(ui->DZoomWide, Id::DigitalZoomWide, ui->DWideSpeed, Id::DigitalZoomStop)})
        new HoldButton(link, std::move(row), this);

    for (QSlider *slider : {ui->ZoomSlider, ui->ZoomSliderShort})
        new SliderSender(
            slider, link, [this](int value) { send(Id::ZoomDirect, {value}); }, {}, this);
    new SliderSender(
        ui->DZoomSlider, link, [this](int value) { send(Id::DigitalZoomDirect, {value}); }, {},
        this);

    connect(ui->WideT, &QAbstractButton::clicked, this,
            [this] { send(Id::ZoomDirect, {kWideEnd}); });
    connect(ui->FarT, &QAbstractButton::clicked, this, &LensCommands::zoomToTeleEnd);
    connect(ui->DZoomON, &QAbstractButton::clicked, this, &LensCommands::digitalZoomOn);
    connect(ui->DZoomOff, &QAbstractButton::clicked, this, &LensCommands::digitalZoomOff);
    connect(ui->DZoomMode_0, &QAbstractButton::clicked, this, &LensCommands::combineMode);
    connect(ui->DZoomMode_1, &QAbstractButton::clicked, this, &LensCommands::separateMode);
    connect(ui->DZoomX, &QAbstractButton::clicked, this, &LensCommands::toggleX1Max);
}

LensCommands::~LensCommands() = default;

bool LensCommands::send(catalog::Id id, std::initializer_list<int> values)
{
    return zam::send(*m_link, id, values);
}

void LensCommands::zoomToTeleEnd()
{
    const bool digitalOn = m_ui->DZoomOff->isEnabled();
    send(Id::ZoomDirect, {digitalOn ? kDigitalTeleEnd : kOpticalTeleEnd});
}

void LensCommands::digitalZoomOn()
{
    const Ui::LensGroup *ui = m_ui.get();
    // The enabled pair is the window's record of digital zoom on or off (the
    // tele end follows it): it changes only with a packet that went out.
    if (!send(Id::DigitalZoomOn))
        return;
    ui->DZoomON->setEnabled(false);
    ui->DZoomOff->setEnabled(true);
    // In separate mode the digital range has controls of its own.
    offerFullZoomSlider(ui->DZoomMode_1->isEnabled());
}

void LensCommands::digitalZoomOff()
{
    const Ui::LensGroup *ui = m_ui.get();
    if (!send(Id::DigitalZoomOff))
        return;
    ui->DZoomOff->setEnabled(false);
    ui->DZoomON->setEnabled(true);
    offerFullZoomSlider(false);
}

void LensCommands::combineMode()
{
    if (!m_link->RefreshNotGoCheck() || !send(Id::DigitalZoomCombine))
        return;
    showMode(false);
    offerFullZoomSlider(m_ui->DZoomOff->isEnabled());

    m_link->refresh().tickingUnderStopEnded();
}

void LensCommands::separateMode()
{
    if (!m_link->RefreshNotGoCheck() || !send(Id::DigitalZoomSeparate))
        return;
    showMode(true);
    offerFullZoomSlider(false);
}

void LensCommands::showMode(bool separate)
{
    const Ui::LensGroup *ui = m_ui.get();
    ui->DZoomTele->setEnabled(separate);
    ui->DZoomWide->setEnabled(separate);
    ui->DZoomX->setEnabled(separate);
    ui->DZoomMode_0->setEnabled(separate);
    ui->DZoomMode_1->setEnabled(!separate);
}

void LensCommands::toggleX1Max()
{
    QAbstractButton *x = m_ui->DZoomX;
    if (!send(Id::DigitalZoomX1Max))
        return;
    x->setText(x->text() == QLatin1String("X1") ? QStringLiteral("MAX") : QStringLiteral("X1"));
}

void LensCommands::offerFullZoomSlider(bool full)
{
    const Ui::LensGroup *ui = m_ui.get();
    QSlider *shown = full ? ui->ZoomSlider : ui->ZoomSliderShort;
    QSlider *hidden = full ? ui->ZoomSliderShort : ui->ZoomSlider;
    hidden->setEnabled(false);
    hidden->setVisible(false);
    shown->setVisible(true);
    shown->setEnabled(true);
    shown->raise();
}

void LensCommands::applyDigitalZoomControls(const DigitalZoomControls &c)
{
    const Ui::LensGroup *ui = m_ui.get();
    ui->DZoomON->setEnabled(c.dZoomOnEnabled);
    ui->DZoomOff->setEnabled(c.dZoomOffEnabled);
    setEnabled({ui->DZoomTele, ui->DZoomWide, ui->DZoomX}, c.dZoomButtonsEnabled);
    ui->DZoomMode_0->setEnabled(c.dZoomMode0Enabled);
    ui->DZoomMode_1->setEnabled(c.dZoomMode1Enabled);
    const bool full = c.shownSlider == ZoomSliderKind::ZoomSlider;
    ui->ZoomSlider->setVisible(full);
    ui->ZoomSlider->setEnabled(full);
    ui->ZoomSliderShort->setVisible(!full);
    ui->ZoomSliderShort->setEnabled(!full);
    ui->ZoomSlider->raise();
}

void LensCommands::showLens(const LensStatus &s)
{
    const Ui::LensGroup *ui = m_ui.get();
    if (!s.zoomMoving) {
        showPosition(ui->ZoomSlider, s.zoomPosition);
        showPosition(ui->ZoomSliderShort, s.zoomPosition);
        showNumber(ui->ZoomValue, s.zoomPosition);
    }
    applyDigitalZoomControls(digitalZoomControls(s.digitalZoomOn, s.digitalZoomSeparate));
}

void LensCommands::showExtended(const ExtendedStatus &s)
{
    const Ui::LensGroup *ui = m_ui.get();
    showPosition(ui->DZoomSlider, s.digitalZoomPosition);
    showNumber(ui->DZoomValue, ui->DZoomSlider->value());
    ui->DZoomX->setText(dZoomXCaption(ui->DZoomSlider->value()));
}

} // namespace zam
