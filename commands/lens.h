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

#include <QObject>
#include <catalog.h>

#include <initializer_list>

namespace zam {

class CameraLink;
struct LensWidgets;

class LensCommands : public QObject {
    Q_OBJECT
public:
    LensCommands(CameraLink &link, const LensWidgets &widgets);

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

    CameraLink *m_link;
    const LensWidgets *m_ui;
};

} // namespace zam
