#pragma once
// The main window's command groups, each wiring its own controls. Each group
// gets the link, its own controls and the few things of the window it needs.

#include "display.h"
#include "exposure.h"
#include "focus.h"
#include "lens.h"
#include "picture.h"
#include "system.h"
#include "whitebalance.h"

namespace zam {

class FrmMain;

struct CommandGroups {
    explicit CommandGroups(FrmMain &window);

    LensCommands lens;
    FocusCommands focus;
    ExposureCommands exposure;
    WhiteBalanceCommands whiteBalance;
    PictureCommands picture;
    SystemCommands system;
    DisplayCommands display;
};

} // namespace zam
