#include "commandgroups.h"

#include <frmmain.h>

namespace zam {

CommandGroups::CommandGroups(FrmMain &window)
    : lens(window.link(), window.groupWidgets().lens),
      focus(window.link(), window.groupWidgets().focus, &window),
      exposure(window.link(), window.groupWidgets().exposure, window.modes(), window.captions(),
               &window),
      whiteBalance(window.link(), window.groupWidgets().whiteBalance, window.modes()),
      picture(window.link(), window.groupWidgets().picture, window.frmDEffect(), &window),
      system(
          window.link(), window.groupWidgets().system, window.frmCamID(),
          [&window] { window.ReadCameraStatus(); }, &window),
      display(window.link(), window.groupWidgets().display,
              {&window, &window.titleBuffer(), &window.motionDetection(),
               [&window] { return window.CheckAlarmStatus(); },
               [&window](Restriction r) { return window.restricted(r); }})
{
    QObject::connect(&window, &FrmMain::modelConfigured, &display, &DisplayCommands::followModel);
    QObject::connect(&window, &FrmMain::startedAfresh, &display,
                     &DisplayCommands::forgetMotionDetection);
}

} // namespace zam
