#include "modelconfig.h"

#include "ui_frmmain.h"

namespace zam {

namespace {

void show(std::initializer_list<QWidget *> widgets, bool visible)
{
    // Only where it changes: showing a widget lays out its frame at once,
    // also in a window not shown yet, before the window has its size.
    for (QWidget *w : widgets)
        if (w->isHidden() == visible)
            w->setVisible(visible);
}

void show(std::initializer_list<QAction *> actions, bool visible)
{
    for (QAction *a : actions)
        a->setVisible(visible);
}

// A submenu disappears from its parent menu or the menu bar with its action.
void showMenu(QMenu *menu, bool visible)
{
    menu->menuAction()->setVisible(visible);
}

} // namespace

bool restrictsOtherWindow(Restriction r)
{
    return r == Restriction::HideCenterSphe || r == Restriction::HideFSetBaudrate ||
           r == Restriction::HideSphericalMosaic;
}

void restoreDesignedConfiguration(Ui::FrmMain &ui)
{
    for (int r = 0; r < kRestrictionCount; ++r)
        setRestriction(ui, Restriction(r), false);
}

bool setRestriction(Ui::FrmMain &ui, Restriction r, bool taken)
{
    using R = Restriction;
    const bool offered = !taken;
    switch (r) {
    case R::HideTimeDate:
        show({ui.SetTimeDate, ui.DateDisplay, ui.TimeDisplay}, offered);
        break;
    case R::HideSlowAE:
        show({ui.LblAE_15, ui.LblAE_16, ui.LblAE_17, ui.txtSlowAEvalue, ui.cmdSetSlowAE}, offered);
        break;
    case R::HideDigitalZoom:
        show({ui.DZoomON, ui.DZoomOff, ui.DZoomMode_1, ui.DZoomX, ui.DZoomSlider, ui.DZoomTele,
              ui.DZoomWide, ui.DTeleSpeed, ui.DWideSpeed, ui.DZoomValue, ui.Lbllens_1, ui.Lbllens_5,
              ui.Lbllens_6},
             offered);
        break;
    case R::HidePrivacyZone:
        showMenu(ui.PrivacyZone, offered);
        break;
    case R::HidePrivacyAv:
        show({ui.PrivacyAv}, offered);
        break;
    case R::HideSpherical:
        showMenu(ui.Spherical, offered);
        break;
    case R::HideRegisterSet:
        show({ui.RegisterSet}, offered);
        break;
    case R::HideMemorySave:
        show({ui.FramMemorySave}, offered);
        break;
    case R::HideICR:
        show({ui.FrmICR}, offered);
        break;
    case R::DisablePictureFlip:
        ui.PictureFlip->setEnabled(offered);
        break;
    case R::HideFreese:
        show({ui.Freese}, offered);
        break;
    case R::HideAutoSlowShutter:
        show({ui.AutoSlowShutter}, offered);
        break;
    case R::HideSync:
        showMenu(ui.Sync, offered);
        break;
    case R::HideFrame5:
        show({ui.Frame5}, offered);
        break;
    case R::HideLblWB3:
        show({ui.LblWB_3}, offered);
        break;
    case R::HideFrame3:
        show({ui.Frame3}, offered);
        break;
    case R::DisableWBMode:
        ui.WBMode->menuAction()->setEnabled(offered);
        break;
    case R::HideWBMode:
        showMenu(ui.WBMode, offered);
        break;
    case R::HideBlackWhite:
        show({ui.BlackWhite}, offered);
        break;
    case R::HideImageStabi:
        show({ui.Image_Stabi}, offered);
        break;
    case R::HideFactorySet:
        showMenu(ui.FactorySet, offered);
        break;
    case R::HideNegArt:
        show({ui.NegArt}, offered);
        break;
    case R::HideCompScan:
        show({ui.CompScan}, offered);
        break;
    case R::HideAutoICRLevel:
        show({ui.AutoICRLevel}, offered);
        break;
    case R::HideICRThreshold:
        show({ui.txtICRthreshold, ui.comICR_Threshold}, offered);
        break;
    case R::HideAlm:
        showMenu(ui.Alm, offered);
        break;
    case R::HideVP0180:
        show({ui.VP0180}, offered);
        break;
    case R::HideCenterSphe:
    case R::HideFSetBaudrate:
    case R::HideSphericalMosaic:
        return false;
    }
    return true;
}

} // namespace zam
