#pragma once
// The main window's command groups, each wiring its own controls.

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
    explicit CommandGroups(FrmMain &window)
        : lens(window), focus(window), exposure(window), whiteBalance(window), picture(window),
          system(window), display(window)
    {
    }
    LensCommands lens;
    FocusCommands focus;
    ExposureCommands exposure;
    WhiteBalanceCommands whiteBalance;
    PictureCommands picture;
    SystemCommands system;
    DisplayCommands display;
};

} // namespace zam
