#pragma once
// Spherical privacy masks of the C-generation cameras: the 24 zones A..X of
// the B generation, set by size only, with mosaic masks, a fixed rectangle
// for a mask that does not follow the head ("non interlock") and a centre
// mark. Every button sends one packet through the dialog's own sender,
// logged in SphericalSetTxt:
//
//   8x 01 04 76 mm nn 0p 0q 0r 0s FF                 zone mm, nn 01 new / 00 change, width pq,
//   height rs 8x 01 04 77 aa bb cc dd FF                       zones shown (zone bitmap) 8x 01 04
//   78 aa bb cc dd c1 c2 FF                 colour row zones, colours 1 and 2 (7F = mosaic) 8x 01
//   04 79 0p 0q 0r 0s 0t 0u FF                 pan angle pqr, tilt angle stu 8x 01 04 7B mm 0p 0q
//   0r 0s 0t 0u 0v 0w 0x 0y FF  mask mm at pan pqr, tilt stu, zoom vwxy 8x 01 04 6F mm 0p 0q 0r 0s
//   0t 0u 0v 0w FF        mask mm fixed at X pq, Y rs, W tu, H vw 8x 01 04 7C 02 / 03 / 04 FF grid
//   on / grid off / centre on

#include "dialogsupport.h"

#include <cameralink.h>

#include <QList>
#include <memory>

class QCheckBox;

namespace Ui {
class SphericalMask;
}

namespace zam {

class SphericalMask : public maskui::MaskDialog {
    Q_OBJECT
public:
    explicit SphericalMask(CameraLink &link, QWidget *parent = nullptr);
    ~SphericalMask() override;

    Ui::SphericalMask *ui() const { return m_ui.get(); }
    TrafficLog &log() { return m_log; }

    // The menu entry: first item of every list, then shown (not modal).
    void openFromMenu();

private:
    void cmdSphericalSet_Click();
    void cmdSphericalDisp_Click();
    // mosaicRow: 0 for "Set Color", 1 or 2 for the "Mosic" button of that row.
    void sendColours(int mosaicRow);
    void cmdSphePZMpantilt_Click();
    void cmdSphericalPTZ_Click();
    void cmdNonInter_Click();
    void sendPacket(std::uint8_t code, const QByteArray &parameters);

    std::unique_ptr<Ui::SphericalMask> m_ui;
    CameraLink *m_link;
    TrafficLog m_log;
    DialogSender m_sender;
    QList<QCheckBox *> m_display; // Checks0 0..23
    QList<QCheckBox *> m_colour;  // Checks1 0..23
};

} // namespace zam
