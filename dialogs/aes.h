#pragma once
// AE spot: switches spot exposure and places the spot on a 16 x 16 grid over
// the picture. Each button sends one packet through the dialog's own sender,
// logged in AESpot:
//
//   8x 01 04 59 02 FF / 03 FF     spot exposure on / off
//   8x 01 04 29 00 qq 00 ss FF    spot at q (across), s (down); 0x0..0xF on the grid
//
// A position box holds one hexadecimal digit, 0 to F (read as hexfield.h
// says), sent as one whole byte; anything else is refused.

#include "dialogsupport.h"

#include <cameralink.h>

#include <memory>

namespace Ui {
class AES;
}

namespace zam {

class AES : public maskui::MaskDialog {
    Q_OBJECT
public:
    explicit AES(CameraLink &link, QWidget *parent = nullptr);
    ~AES() override;

    TrafficLog &log() { return m_log; }

    // The menu entry: shown, not modal.
    void openFromMenu();

private:
    void AESpotSet_Click();
    void send(catalog::Id id, std::initializer_list<int> values = {});
    void redrawGrid();

    std::unique_ptr<Ui::AES> m_ui;
    CameraLink *m_link;
    TrafficLog m_log;
    DialogSender m_sender;
};

} // namespace zam
