#pragma once
// Privacy masks of the A-generation cameras: six rectangles on a 16 x 12
// cell grid, sent in pairs, and one switch for all masking. These cameras
// are always addressed as camera 1, whatever camera the panel has selected.
//
//   81 01 04 76 0i x1 y1 w1 h1 x2 y2 w2 h2 FF   zones 2i+1 and 2i+2 (i = 0..2), one byte each;
//                                                sent with the main window's sender
//   81 01 04 77 02 FF / 03 FF / 00 FF            masking on / off / clear; the dialog's own
//                                                sender, logged in TxtPrivacyA
//
// Each box holds one hexadecimal digit, 0 to F (read as hexfield.h says),
// sent as one whole byte; anything else is refused. The hints give the
// ranges (X 0..F, Y 0..B, width 1..F, height 1..B); within a digit the
// camera gets what is typed.

#include "dialogsupport.h"

#include <cameralink.h>

#include <QList>
#include <memory>

class QLineEdit;

namespace Ui {
class PrivacyA;
}

namespace zam {

class PrivacyA : public maskui::MaskDialog {
    Q_OBJECT
public:
    explicit PrivacyA(CameraLink &link, QWidget *parent = nullptr);
    ~PrivacyA() override;

    TrafficLog &log() { return m_log; }

    // The menu entry: shown, not modal.
    void openFromMenu();

private:
    void cmdPZMset_Click(int index);
    // On, off or clear, through the dialog's own sender.
    void sendSwitch(catalog::Id id);
    void redrawGrid();

    std::unique_ptr<Ui::PrivacyA> m_ui;
    CameraLink *m_link;
    TrafficLog m_log;
    DialogSender m_sender;
    QList<QLineEdit *> m_zones; // Zones 0..23: zone n uses 4(n-1) .. 4(n-1)+3
};

} // namespace zam
