#pragma once
// Motion detection of the later camera family: up to four detection frames,
// each a window of blocks on a 13 x 9 block grid, with display of frames and
// blocks, a threshold level and an interval time. Packets go out with the
// main window's sender; nothing is read back.
//
//   8x 01 04 1B 02 FF / 03 FF          detection switch (03 is sent when the
//                                      caption turns to "ON", 02 when it turns to "OFF")
//   8x 01 04 1C dd ff 0p 0q 0r 0s FF   display dd (1 frames, 2 blocks, 3 both),
//                                      frames ff (bit k = frame k), threshold pq, interval rs
//   8x 01 04 1D 0n 0a 0b 0c 0d FF      window of frame n: across a..c, down b..d
//                                      (a < c <= C, b < d <= 8)
//
// Threshold and interval are typed as 00..FF, the window positions as one
// digit each (read as hexfield.h says); a box that cannot be read is refused
// before anything else is asked or sent.
//
// The main window's periodic refresh stays stopped while the window is open
// and is handed back on closing (see RefreshHold).

#include "dialogsupport.h"

#include <cameralink.h>

#include <memory>

namespace Ui {
class MotionD;
}

namespace zam {

class MotionD : public maskui::MaskDialog {
    Q_OBJECT
public:
    explicit MotionD(CameraLink &link, QWidget *parent = nullptr);
    ~MotionD() override;

    // The menu entry: Timer1 stopped and AutoRefreshed disabled, then shown
    // (not modal).
    void openFromMenu();

    static const QString kStartWarning;
    static const QString kWindowMessage;

protected:
    void done(int result) override;

private:
    void MDforOnOff_Click();
    void MDfuncSet_Click();
    void MDwinSet_Click();
    // The auto-refresh warning; false when the operator cancels.
    bool confirmStart();
    // The catalog's packet `id` through the main window's sender.
    void send(catalog::Id id, std::initializer_list<int> values = {});

    std::unique_ptr<Ui::MotionD> m_ui;
    CameraLink *m_link;
    maskui::RefreshHold m_hold;
};

} // namespace zam
