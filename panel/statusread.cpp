#include "statusread.h"

#include "captiontables.h"
#include "formcontrols.h"
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

// The window the tables' controls are found in.
QWidget &formOf(const Ui::FrmMain &ui)
{
    return *ui.centralwidget->window();
}

// A family's reported mode: marks always, controls when it changed.
void showMode(QWidget &form, ModeFamily family, int reported, int &current)
{
    const ModeUpdate u = modeUpdate(family, reported, current);
    checkModeItem(form, family, u.checked);
    if (u.apply) {
        current = u.apply->code;
        applyModeControls(form, family, *u.apply);
    }
}

} // namespace

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

    showMode(formOf(ui), ModeFamily::WhiteBalance, s.wbMode, t.modes.CurrentWBMode);
    showMode(formOf(ui), ModeFamily::Ae, s.aeMode, t.modes.CurrentAEMode);

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

    checkModeItem(formOf(ui), ModeFamily::PictureEffect,
                  reportedMode(ModeFamily::PictureEffect, s.pictureEffect));

    if (t.deEffect)
        t.deEffect->setLevel(s.digitalEffectLevel);

    setNumber(ui.CameraIDText, s.cameraId);
    if (t.camId)
        t.camId->setIdText(QString::number(s.cameraId));

    ui.Image_Stabi->setChecked(s.imageStabilizer);
    checkModeItem(formOf(ui), ModeFamily::Sync, findMode(ModeFamily::Sync, s.lineLock ? 1 : 0));
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
