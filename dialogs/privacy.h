#pragma once
// Privacy zone masks of the B-generation cameras: 24 zones A..X with their
// rectangles, which zones are shown, two mask colours, a grid overlay and
// three functions for a camera on a pan/tilt head. Every button sends one
// packet through the dialog's own sender, logged in PrivacySetTxt:
//
//   8x 01 04 76 mm nn 0p 0q 0r 0s 0t 0u 0v 0w FF     zone mm (00..17), nn 01 new / 00 change,
//                                                    X pq, Y rs, width tu, height vw
//   8x 01 04 77 aa bb cc dd FF                       zones shown (zone bitmap)
//   8x 01 04 78 aa bb cc dd c1 c2 FF                 zones of the colour row, colours 1 and 2
//   8x 01 04 79 0p 0q 0r 0s 0t 0u FF                 pan angle pqr, tilt angle stu
//   8x 01 04 7A 0p 0q 0r 0s dd FF                    move by pan pq, tilt rs in direction dd
//   8x 01 04 7B mm 0p 0q 0r 0s 0t 0u 0v 0w 0x 0y FF  mask mm at pan pqr, tilt stu, zoom vwxy
//   8x 01 04 7C 02 FF / 7C 03 FF                     grid on / off

#include "dialogsupport.h"

#include <cameralink.h>

#include <QList>
#include <memory>

class QCheckBox;
class QRadioButton;

namespace Ui {
class Privacy;
}

namespace zam {

class Privacy : public maskui::MaskDialog {
    Q_OBJECT
public:
    explicit Privacy(CameraLink &link, QWidget *parent = nullptr);
    ~Privacy() override;

    Ui::Privacy *ui() const { return m_ui.get(); }
    TrafficLog &log() { return m_log; }

    // The menu entry: first item of every list, then shown (not modal).
    void openFromMenu();

private:
    void CmdPrivacySet_Click();
    void cmdPrivacyDisp_Click();
    void cmdPrivacyColor_Click();
    void cmdPZMpantilt_Click();
    void cmdMovePanTilt_Click();
    void Command1_Click();
    void sendPacket(std::uint8_t code, const QByteArray &parameters);

    std::unique_ptr<Ui::Privacy> m_ui;
    CameraLink *m_link;
    TrafficLog m_log;
    DialogSender m_sender;
    QList<QCheckBox *> m_display; // Checks0 0..23
    QList<QCheckBox *> m_colour;  // Checks1 0..23
    QList<QRadioButton *> m_move; // Opmove 0..8
};

} // namespace zam
