#include "modelconfig.h"

#include "ui_frmmain.h"

namespace zam {

namespace {

void hide(std::initializer_list<QWidget *> widgets)
{
    for (QWidget *w : widgets)
        w->setVisible(false);
}

void hide(std::initializer_list<QAction *> actions)
{
    for (QAction *a : actions)
        a->setVisible(false);
}

// A submenu disappears from its parent menu or the menu bar with its action.
void hideMenu(QMenu *menu)
{
    menu->menuAction()->setVisible(false);
}

} // namespace

bool restrictsOtherWindow(Restriction r)
{
    return r == Restriction::HideCenterSphe || r == Restriction::HideFSetBaudrate ||
           r == Restriction::HideSphericalMosaic;
}

bool applyRestriction(Ui::FrmMain &ui, Restriction r)
{
    using R = Restriction;
    switch (r) {
    case R::HideTimeDate:
        hide({ui.SetTimeDate, ui.DateDisplay, ui.TimeDisplay});
        break;
    case R::HideSlowAE:
        hide({ui.LblAE_15, ui.LblAE_16, ui.LblAE_17, ui.txtSlowAEvalue, ui.cmdSetSlowAE});
        break;
    case R::HideDigitalZoom:
        hide({ui.DZoomON, ui.DZoomOff, ui.DZoomMode_1, ui.DZoomX, ui.DZoomSlider, ui.DZoomTele,
              ui.DZoomWide, ui.DTeleSpeed, ui.DWideSpeed, ui.DZoomValue, ui.Lbllens_1,
              ui.Lbllens_5, ui.Lbllens_6});
        break;
    case R::HidePrivacyZone:
        hideMenu(ui.PrivacyZone);
        break;
    case R::HidePrivacyAv:
        hide({ui.PrivacyAv});
        break;
    case R::HideSpherical:
        hideMenu(ui.Spherical);
        break;
    case R::HideRegisterSet:
        hide({ui.RegisterSet});
        break;
    case R::HideMemorySave:
        hide({ui.FramMemorySave});
        break;
    case R::HideICR:
        hide({ui.FrmICR});
        break;
    case R::DisablePictureFlip:
        ui.PictureFlip->setEnabled(false);
        break;
    case R::HideFreese:
        hide({ui.Freese});
        break;
    case R::HideAutoSlowShutter:
        hide({ui.AutoSlowShutter});
        break;
    case R::HideSync:
        hideMenu(ui.Sync);
        break;
    case R::HideFrame5:
        hide({ui.Frame5});
        break;
    case R::HideLblWB3:
        hide({ui.LblWB_3});
        break;
    case R::HideFrame3:
        hide({ui.Frame3});
        break;
    case R::DisableWBMode:
        ui.WBMode->menuAction()->setEnabled(false);
        break;
    case R::HideWBMode:
        hideMenu(ui.WBMode);
        break;
    case R::HideBlackWhite:
        hide({ui.BlackWhite});
        break;
    case R::HideImageStabi:
        hide({ui.Image_Stabi});
        break;
    case R::HideFactorySet:
        hideMenu(ui.FactorySet);
        break;
    case R::HideNegArt:
        hide({ui.NegArt});
        break;
    case R::HideCompScan:
        hide({ui.CompScan});
        break;
    case R::HideAutoICRLevel:
        hide({ui.AutoICRLevel});
        break;
    case R::HideICRThreshold:
        hide({ui.txtICRthreshold, ui.comICR_Threshold});
        break;
    case R::HideAlm:
        hideMenu(ui.Alm);
        break;
    case R::HideVP0180:
        hide({ui.VP0180});
        break;
    case R::HideCenterSphe:
    case R::HideFSetBaudrate:
    case R::HideSphericalMosaic:
        return false;
    }
    return true;
}

} // namespace zam
