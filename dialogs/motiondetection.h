#pragma once
// What the panel knows of the camera's motion (alarm) detection. One instance
// per main window, shared by the MD dialog and the main window's alarm read;
// the title editors are only asked whether detection runs (they leave auto
// refresh off while it does).

#include <cameralink.h>

#include <cstdint>

namespace zam {

struct MdState {
    bool MDActive = false;    // detection thought to run
    std::uint8_t MDMode = 0;  // alarm mode as last sent or read
    bool MDModeKnown = false; // read back from the camera in the MD dialog
    int MDDayLevel = 0;
    bool MDDayLevelSent = false;
    int MDNightLevel = 0;
    bool MDNightLevelSent = false;
    int MDNowLevel = 0;
    bool MDStateKnown = false; // the fields above match the camera

    bool operator==(const MdState &) const = default;
};

// The motion-detection dialog's copy of SD: mode 1 switches the main window's
// receive handling on (threshold 1, traffic logged) before writing, and the
// packet is logged whenever traffic logging is on, whatever the mode.
class MdSender final : public DialogSender {
public:
    using DialogSender::DialogSender;
    bool SD(const QByteArray &packet, int mode) override;
};

} // namespace zam
