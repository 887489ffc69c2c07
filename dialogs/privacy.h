#pragma once
// Privacy zone masks of the B-generation cameras: 24 zones A..X with their
// rectangles, which zones are shown, two mask colours, a grid overlay and
// three functions for a camera on a pan/tilt head. Every button sends one
// packet through the dialog's own sender, logged in PrivacySetTxt; besides
// the packets every mask window sends (zonemaskdialog.h):
//
//   8x 01 04 76 mm nn 0p 0q 0r 0s 0t 0u 0v 0w FF     zone mm (00..17), nn 01 new / 00 change,
//                                                    X pq, Y rs, width tu, height vw
//   8x 01 04 7A 0p 0q 0r 0s dd FF                    move by pan pq, tilt rs in direction dd

#include "zonemaskdialog.h"

#include <QList>
#include <memory>

class QRadioButton;

namespace Ui {
class Privacy;
}

namespace zam {

class Privacy : public maskui::ZoneMaskDialog {
    Q_OBJECT
public:
    explicit Privacy(CameraLink &link, QWidget *parent = nullptr);
    ~Privacy() override;

private:
    void CmdPrivacySet_Click();
    void cmdPrivacyColor_Click();
    void cmdMovePanTilt_Click();

    std::unique_ptr<Ui::Privacy> m_ui;
    QList<QRadioButton *> m_move; // Opmove 0..8
};

} // namespace zam
