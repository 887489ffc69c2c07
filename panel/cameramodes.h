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

// The way to bright from the AE mode `current`: through full auto, with a
// second in full auto before the bright command, from every mode but shutter
// priority (and bright itself).
inline constexpr int kAeCodeShutterPriority = 0x0A;
inline constexpr int kAeCodeBright = 0x0D;
inline constexpr double kBrightFullAutoPause = 1.0;
constexpr bool brightGoesThroughFullAuto(int current)
{
    return current != kAeCodeShutterPriority && current != kAeCodeBright;
}

} // namespace zam
