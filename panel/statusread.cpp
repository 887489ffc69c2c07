#include "statusread.h"

#include "captiontables.h"
#include "frmcamid.h"
#include "frmdeffect.h"
#include "groupwidgets.h"
#include "statusrequest.h"
#include "ui_frmmain.h"

#include <QSignalBlocker>
#include <windowsupport.h>

namespace zam {

namespace {

// A slider refuses a position outside its range; the statement then fails
// and the slider keeps its position.
void setSlider(QAbstractSlider *slider, int value)
{
    if (value < slider->minimum() || value > slider->maximum())
        return;
    slider->setValue(value);
}

void setText(QLineEdit *box, const std::optional<QString> &text)
{
    if (text)
        box->setText(*text);
}

void setNumber(QLineEdit *box, int value)
{
    box->setText(QString::number(value));
}

// Check boxes whose click handlers send their command: the reported state is
// written without running them.
void setCheckBox(QCheckBox *box, bool on)
{
    const QSignalBlocker block(box);
    box->setChecked(on);
}

QAction *wbAction(const WhiteBalanceWidgets &ui, WBItem item)
{
    switch (item) {
    case WBItem::ATWPro:
        return ui.ATWPro;
    case WBItem::InDoor:
        return ui.InDoor;
    case WBItem::OutDoor:
        return ui.OutDoor;
    case WBItem::OnePushWB:
        return ui.OnePushWB;
    case WBItem::ATW:
        return ui.ATW;
    case WBItem::ManualWB:
        return ui.ManualWB;
    }
    return nullptr;
}

QAction *aeAction(const ExposureWidgets &ui, AEItem item)
{
    switch (item) {
    case AEItem::FullAuto:
        return ui.FullAuto;
    case AEItem::Manual:
        return ui.Manual;
    case AEItem::ShutterPriority:
        return ui.ShutterPriority;
    case AEItem::IrisPriority:
        return ui.IrisPriority;
    case AEItem::GainPriority:
        return ui.GainPriority;
    case AEItem::Bright:
        return ui.Bright;
    }
    return nullptr;
}

QAction *pictureEffectAction(Ui::FrmMain &ui, PictureEffectItem item)
{
    switch (item) {
    case PictureEffectItem::PEOff:
        return ui.PEOff;
    case PictureEffectItem::NegArt:
        return ui.NegArt;
    case PictureEffectItem::BlackWhite:
        return ui.BlackWhite;
    }
    return nullptr;
}

} // namespace

void checkWBItem(const WhiteBalanceWidgets &ui, std::optional<WBItem> item)
{
    for (const WBModeRow &row : kWBModeRows)
        wbAction(ui, row.item)->setChecked(item == row.item);
}

void applyWBModeControls(const WhiteBalanceWidgets &ui, const WBModeRow &row)
{
    setEnabled({ui.RGainUp, ui.RGainDown, ui.BGainUp, ui.BGainDown, ui.RGainSlider, ui.BGainSlider,
                ui.RBReset},
               row.gainControls);
    ui.WBTrigger->setEnabled(row.wbTrigger);
}

void checkAEItem(const ExposureWidgets &ui, std::optional<AEItem> item)
{
    for (const AEModeRow &row : kAEModeRows)
        aeAction(ui, row.item)->setChecked(item == row.item);
}

void applyAEModeControls(const ExposureWidgets &ui, const AEModeRow &row)
{
    setEnabled({ui.IrisClose, ui.IrisOpen, ui.IrisSlider}, row.iris);
    setEnabled({ui.GainDown, ui.GainUp, ui.GainSlider}, row.gain);
    setEnabled({ui.ShutterSlow, ui.ShutterFast, ui.ShutterSlider}, row.shutter);
    setEnabled({ui.BrightDown, ui.BrightUp, ui.BrightSlider}, row.bright);
    setEnabled({ui.BackLight, ui.AutoSlowShutter}, row.backLightSlowAuto);
}

void applyDigitalZoomControls(Ui::FrmMain &ui, const DigitalZoomControls &c)
{
    ui.DZoomON->setEnabled(c.dZoomOnEnabled);
    ui.DZoomOff->setEnabled(c.dZoomOffEnabled);
    setEnabled({ui.DZoomTele, ui.DZoomWide, ui.DZoomX}, c.dZoomButtonsEnabled);
    ui.DZoomMode_0->setEnabled(c.dZoomMode0Enabled);
    ui.DZoomMode_1->setEnabled(c.dZoomMode1Enabled);
    const bool full = c.shownSlider == ZoomSliderKind::ZoomSlider;
    ui.ZoomSlider->setVisible(full);
    ui.ZoomSlider->setEnabled(full);
    ui.ZoomSliderShort->setVisible(!full);
    ui.ZoomSliderShort->setEnabled(!full);
    ui.ZoomSlider->raise();
}

void applyFocusControls(Ui::FrmMain &ui, const FocusControls &c)
{
    setEnabled({ui.Near, ui.Far, ui.NearSpeed, ui.FarSpeed, ui.FocusSlider}, c.manualEnabled);
    ui.AFTrig->setEnabled(c.afTrigEnabled);
    ui.AFModeCmd_0->setEnabled(c.afModeCmd0Enabled);
    setEnabled({ui.AFModeCmd_1, ui.AFModeCmd_2, ui.AFModeCmd_3}, c.afModeCmdEnabled);
    ui.ManAFMode->setEnabled(c.manAFModeEnabled);
    ui.Infinity->setEnabled(c.infinityEnabled);
}

void showLens(Ui::FrmMain &ui, const LensStatus &s)
{
    if (!s.valid)
        return;
    if (!s.zoomMoving) {
        setSlider(ui.ZoomSlider, s.zoomPosition);
        setSlider(ui.ZoomSliderShort, s.zoomPosition);
        setNumber(ui.ZoomValue, s.zoomPosition);
    }
    // The near limit first: the focus slider is held at or below it, and the
    // camera's focus must be measured against its new limit, not the old one.
    setSlider(ui.FocusNearLimitSlider, s.focusNearLimit);
    if (!s.focusMoving) {
        setSlider(ui.FocusSlider, s.focusPosition);
        setNumber(ui.FocusValue, s.focusPosition);
    }
    applyDigitalZoomControls(ui, digitalZoomControls(s.digitalZoomOn, s.digitalZoomSeparate));
    setCheckBox(ui.AF_Sens, s.afSensitivity);
    applyFocusControls(ui, focusControls(s.focusAuto));
}

void showCamera(const StatusTargets &t, const CameraStatus &s)
{
    if (!s.valid)
        return;
    Ui::FrmMain &ui = t.ui;

    const WBModeUpdate wb = wbModeUpdate(s.wbMode, t.modes.CurrentWBMode);
    checkWBItem(t.groups.whiteBalance, wb.checked);
    if (wb.apply) {
        t.modes.CurrentWBMode = wb.apply->code;
        checkWBItem(t.groups.whiteBalance, wb.apply->item);
        applyWBModeControls(t.groups.whiteBalance, *wb.apply);
    }

    const AEModeUpdate ae = aeModeUpdate(s.aeMode, t.modes.CurrentAEMode);
    checkAEItem(t.groups.exposure, ae.checked);
    if (ae.apply) {
        t.modes.CurrentAEMode = ae.apply->code;
        checkAEItem(t.groups.exposure, ae.apply->item);
        applyAEModeControls(t.groups.exposure, *ae.apply);
    }

    setSlider(ui.RGainSlider, s.rGain);
    setNumber(ui.RGValue, ui.RGainSlider->value());
    setSlider(ui.BGainSlider, s.bGain);
    setNumber(ui.BGValue, ui.BGainSlider->value());

    setSlider(ui.ApertureSlider, s.aperture);
    setNumber(ui.ApertureValue, s.aperture);

    setSlider(ui.ShutterSlider, s.shutterPosition);
    setText(ui.ShutterValue, t.captions.shutter(t.modes.ShutterColumn, s.shutterPosition));
    setSlider(ui.IrisSlider, s.irisPosition);
    setText(ui.IrisValue, t.captions.iris(s.irisPosition));
    setSlider(ui.GainSlider, s.gainPosition);
    setText(ui.GainValue, t.captions.gain(s.gainPosition));
    setSlider(ui.BrightSlider, s.brightPosition);
    setText(ui.BrightValue, t.captions.bright(s.brightPosition));
    setSlider(ui.ExpCompSlider, s.expCompPosition);
    setText(ui.ExpCompValue, t.captions.expComp(s.expCompPosition));

    setCheckBox(ui.AutoSlowShutter, s.autoSlowShutter);
    setCheckBox(ui.BackLight, s.backLight);

    // Exposure compensation controls follow the check box whatever the AE mode.
    setCheckBox(ui.ExpComp, s.expComp);
    setEnabled({ui.ExpCompUp, ui.ExpCompDown, ui.ExpCompSlider}, s.expComp);
}

void showOther(const StatusTargets &t, const OtherStatus &s)
{
    if (!s.valid)
        return;
    Ui::FrmMain &ui = t.ui;

    ui.LR_Reverse->setChecked(s.lrReverse);
    ui.Freese->setChecked(s.freeze);
    ui.Power->setChecked(s.power);
    ui.KeyLock->setChecked(s.keyLock);
    ui.comAutoICR->setText(autoICRCaption(s.autoICR));
    ui.DataScreen->setChecked(s.dataScreen);

    const auto effect = pictureEffectItem(s.pictureEffect);
    for (const PictureEffectRow &row : kPictureEffectRows)
        pictureEffectAction(ui, row.item)->setChecked(effect == row.item);

    if (t.deEffect)
        t.deEffect->setLevel(s.digitalEffectLevel);

    setNumber(ui.CameraIDText, s.cameraId);
    if (t.camId)
        t.camId->setIdText(QString::number(s.cameraId));

    ui.Image_Stabi->setChecked(s.imageStabilizer);
    ui.Internal->setChecked(!s.lineLock);
    ui.LineLock->setChecked(s.lineLock);
    ui.VP0180->setText(vp0180Caption(s.vp0180));

    setNumber(ui.VPValue, s.vPhase);
    setSlider(ui.VPSlider, s.vPhase);
}

void showExtended(Ui::FrmMain &ui, const ExtendedStatus &s)
{
    if (!s.valid)
        return;
    setSlider(ui.DZoomSlider, s.digitalZoomPosition);
    setNumber(ui.DZoomValue, ui.DZoomSlider->value());
    ui.DZoomX->setText(dZoomXCaption(ui.DZoomSlider->value()));
    ui.PictureFlip->setChecked(s.pictureFlip);
}

void showStatus(const StatusTargets &t, const StatusReplies &replies)
{
    const OtherStatus other = decodeOther(replies.other);
    if (other.valid)
        t.modes.ShutterColumn = other.shutterColumn;
    showLens(t.ui, decodeLens(replies.lens));
    showCamera(t, decodeCamera(replies.camera));
    showOther(t, other);
    showExtended(t.ui, decodeExtended(replies.extended));
}

} // namespace zam
