#pragma once
// The main window's command groups, each wiring its own controls. Each group
// sets up its own form in its place in the window's form, and gets the link
// and the few things of the window it needs. The status read hands the
// decoded blocks to the groups here, and each group shows its own fields.

#include "display.h"
#include "exposure.h"
#include "focus.h"
#include "lens.h"
#include "picture.h"
#include "system.h"
#include "whitebalance.h"

namespace zam {

class FrmMain;
struct DecodedStatus;

struct CommandGroups {
    explicit CommandGroups(FrmMain &window);
    ~CommandGroups();
    CommandGroups(const CommandGroups &) = delete;
    CommandGroups &operator=(const CommandGroups &) = delete;

    // The blocks of one status read, each only when its frame is sound, in
    // the order of the blocks.
    void showStatus(const DecodedStatus &s);

    FrmMain *window;
    LensCommands lens;
    FocusCommands focus;
    ExposureCommands exposure;
    WhiteBalanceCommands whiteBalance;
    PictureCommands picture;
    SystemCommands system;
    DisplayCommands display;
};

} // namespace zam
