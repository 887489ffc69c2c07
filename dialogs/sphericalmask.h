#pragma once
// Spherical privacy masks of the C-generation cameras: the 24 zones A..X of
// the B generation, set by size only, with mosaic masks, a fixed rectangle
// for a mask that does not follow the head ("non interlock") and a centre
// mark. Every button sends one packet through the dialog's own sender,
// logged in SphericalSetTxt; besides the packets every mask window sends
// (zonemaskdialog.h, where colour 7F is a mosaic here):
//
//   8x 01 04 76 mm nn 0p 0q 0r 0s FF           zone mm, nn 01 new / 00 change, width pq, height rs
//   8x 01 04 6F mm 0p 0q 0r 0s 0t 0u 0v 0w FF  mask mm fixed at X pq, Y rs, W tu, H vw
//   8x 01 04 7C 04 FF                          centre mark on

#include "zonemaskdialog.h"

#include <memory>

namespace Ui {
class SphericalMask;
}

namespace zam {

class SphericalMask : public maskui::ZoneMaskDialog {
    Q_OBJECT
public:
    explicit SphericalMask(CameraLink &link, QWidget *parent = nullptr);
    ~SphericalMask() override;

    // Models without the centre set or the mosaic colours hide those buttons.
    void offerCentre(bool shown);
    void offerMosaic(bool shown);

private:
    void cmdSphericalSet_Click();
    // mosaicRow: 0 for "Set Color", 1 or 2 for the "Mosic" button of that row.
    void sendColours(int mosaicRow);
    void cmdNonInter_Click();

    std::unique_ptr<Ui::SphericalMask> m_ui;
};

} // namespace zam
