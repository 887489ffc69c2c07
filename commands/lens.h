#pragma once
// Zoom and digital zoom of the main window.
//
//   ZoomTele / ZoomWide           ZoomTele / ZoomWide held, at the speed of
//                                 TeleSpeed / WideSpeed (0..7)
//   ZoomStop                      on their release
//   ZoomDirect                    the zoom sliders; WideT (0000), FarT (the
//                                 optical or the digital tele end)
//   DigitalZoomOn / ..Off         DZoomON / DZoomOff
//   DigitalZoomCombine / ..Separate  DZoomMode_0 / DZoomMode_1
//   DigitalZoomX1Max              DZoomX (one packet, both ways)
//   DigitalZoomTele / ..Wide      DZoomTele / DZoomWide held
//   DigitalZoomStop               on their release
//   DigitalZoomDirect             DZoomSlider (00..DC)
//
// The window keeps the digital zoom state in its controls: "Off" enabled
// means digital zoom is on, "Separate Mode" disabled means separate mode.
// Of the two zoom sliders on the same place, the full one (0..7000, optical
// plus digital range) is offered only with digital zoom on in combine mode;
// otherwise the optical one (0..4000).
//
// The group's controls are its form (lens.ui), set up in the main window's
// LensGroup. From the status read it shows the zoom position and the digital
// zoom state (lens block) and the digital zoom position (extended block).

#include <QObject>
#include <catalog.h>
#include <statusblocks.h>

#include <initializer_list>
#include <memory>

namespace Ui {
class LensGroup;
}

namespace zam {

class CameraLink;

class LensCommands : public QObject {
    Q_OBJECT
public:
    LensCommands(CameraLink &link, QWidget &window);
    ~LensCommands() override;

    void showLens(const LensStatus &s);
    void showExtended(const ExtendedStatus &s);

private:
    bool send(catalog::Id id, std::initializer_list<int> values = {});
    void digitalZoomOn();
    void digitalZoomOff();
    void combineMode();
    void separateMode();
    // The separate-mode controls and the mode buttons (the current mode's disabled).
    void showMode(bool separate);
    void toggleX1Max();
    void zoomToTeleEnd();
    // Shows one of the two zoom sliders and hides and disables the other.
    void offerFullZoomSlider(bool full);
    void applyDigitalZoomControls(const DigitalZoomControls &c);

    CameraLink *m_link;
    std::unique_ptr<Ui::LensGroup> m_ui;
};

} // namespace zam
