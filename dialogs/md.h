#pragma once
// Alarm (motion) detection of the earlier camera family: alarm mode, day and
// night AE levels, start and stop, on-screen display and the alarm switch,
// each read back from the camera where it can be. The window is modal; the
// main window's periodic refresh is stopped while it is open. Packets go
// through the dialog's own sender (receive handling on, logged in txtMD);
// inquiry replies are taken with the reply exchange, from the selected camera.
//
//   8x 01 04 6C mm FF                  alarm mode mm (00..0C)
//   8x 09 04 6C FF                     reply y0 50 mm FF
//   8x 01 04 6D 0p 0q 0r 0s 0t 0u FF   day level pqr, night level stu
//   8x 09 04 6D FF                     reply y0 50 0p 0q 0r 0s 0t 0u 0v 0w 0x FF:
//                                      day pqr, night stu, present vwx
//   8x 01 04 6B 02 FF / 03 FF          detection start / stop
//   8x 09 04 6B FF                     reply y0 50 0p FF: p 2 running, 3 stopped
//   8x 01 04 15 02 FF / 03 FF          detection display on / off
//   8x 01 04 5E 02 FF / 03 FF          alarm switch on / off
//
// The motion-detection state (MDActive, MDMode, the levels and what is known
// of them) belongs to the main window and is shared with its alarm read, CheckAlarmStatus, which
// the opening runs when detection is thought to run and its settings are not known.

#include "dialogsupport.h"
#include "motiondetection.h"

#include <cameralink.h>

#include <functional>
#include <memory>

namespace Ui {
class MD;
}

namespace zam {

class MD : public maskui::MaskDialog {
    Q_OBJECT
public:
    MD(CameraLink &link, MdState &state, QWidget *parent = nullptr);
    ~MD() override;

    TrafficLog &log() { return m_log; }

    // The main window's alarm read (three inquiries into the module state);
    // answers true when all three were answered.
    void setCheckAlarmStatus(std::function<bool()> check) { m_checkAlarmStatus = std::move(check); }

    // The menu entry: the opening steps, then the window runs modal, placed
    // a little right of and below the main window's top left corner, and
    // returns when it is closed.
    void openFromMenu();
    // The opening steps alone: first mode, refresh stopped, the alarm state
    // read when needed, the boxes filled from the module state.
    void prepareOpening();

    static const QString kStartWarning;

protected:
    // Closing, by "Close", the window's own close or Escape.
    void done(int result) override;

private:
    void comSetMD_Click();
    void cmdsetMDinq_Click();
    void cmdsetMDtime_Click();
    void cmdLevelInq_Click();
    void cmdMDstart_Click();
    void cmdMDSSunq_Click();
    void cmdJun_Click();
    void send(catalog::Id id, std::initializer_list<int> values = {});
    // Sends the inquiry and waits for its reply.
    QByteArray inquire(catalog::Id inquiry, double pauseSeconds = 0);
    void fillFromState();

    std::unique_ptr<Ui::MD> m_ui;
    CameraLink *m_link;
    MdState *m_state;
    TrafficLog m_log;
    MdSender m_sender;
    maskui::RefreshHold m_hold;
    std::function<bool()> m_checkAlarmStatus;
};

} // namespace zam
