#pragma once
// Zoom and digital zoom of the main window.
//
//   8x 01 04 07 2p FF / 3p FF      zoom tele / wide at speed p (0..7), held
//   8x 01 04 07 00 FF              zoom stop, on release
//   8x 01 04 47 0p 0q 0r 0s FF     zoom direct, position pqrs one nibble a byte
//   8x 01 04 06 02 FF / 03 FF      digital zoom on / off
//   8x 01 04 36 00 FF / 01 FF      digital zoom combine / separate mode
//   8x 01 04 06 10 FF              digital zoom x1 <-> max (one packet, both ways)
//   8x 01 04 06 2p FF / 3p FF      digital zoom tele / wide at speed p, held
//   8x 01 04 06 00 FF              digital zoom stop, on release
//   8x 01 04 46 00 00 0p 0q FF     digital zoom direct, position pq (00..DC)
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
