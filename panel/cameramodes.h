#pragma once
// What the main window remembers of the selected camera between status
// reads: the AE and white-balance mode codes last applied to the controls
// (-1: none yet, so the next report applies), and the shutter caption column
// of its video system (0 NTSC, 1 PAL).

namespace zam {

struct CameraModes {
    int CurrentAEMode = -1;
    int CurrentWBMode = -1;
    int ShutterColumn = 0;
};

} // namespace zam
