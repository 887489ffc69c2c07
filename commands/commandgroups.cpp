#include "commandgroups.h"

#include <frmmain.h>
#include <statusread.h>

namespace zam {

CommandGroups::CommandGroups(FrmMain &window)
    : window(&window), lens(window.link(), window), focus(window.link(), window),
      exposure(window.link(), window, window.modes(), window.captions()),
      whiteBalance(window.link(), window, window.modes()),
      picture(window.link(), window, window.frmDEffect()),
      system(window.link(), window, window.frmCamID(), [&window] { window.ReadCameraStatus(); }),
      display(window.link(), {&window, &window.titleBuffer(), &window.motionDetection(),
                              [&window] { return window.CheckAlarmStatus(); },
                              [&window](Restriction r) { return window.restricted(r); }})
{
    QObject::connect(&window, &FrmMain::modelConfigured, &display, &DisplayCommands::followModel);
    QObject::connect(&window, &FrmMain::startedAfresh, &display,
                     &DisplayCommands::forgetMotionDetection);
    window.groupsPlaced([this](const DecodedStatus &s) { showStatus(s); });
}

CommandGroups::~CommandGroups()
{
    window->groupsPlaced({});
}

void CommandGroups::showStatus(const DecodedStatus &s)
{
    if (s.lens.valid) {
        lens.showLens(s.lens);
        focus.showLens(s.lens);
    }
    if (s.camera.valid) {
        whiteBalance.showCamera(s.camera);
        exposure.showCamera(s.camera);
    }
    if (s.other.valid) {
        picture.showOther(s.other);
        system.showOther(s.other);
        display.showOther(s.other);
    }
    if (s.extended.valid) {
        lens.showExtended(s.extended);
        picture.showExtended(s.extended);
    }
}

} // namespace zam
