#pragma once
// The status read's hand-over: the five collected replies decoded, and the
// decoded blocks handed to what shows them. The command groups show them,
// each group its own fields (commandgroups.h).

#include "statusblocks.h"

#include "cameramodes.h"

#include <functional>

namespace zam {

struct StatusReplies;

struct DecodedStatus {
    LensStatus lens;
    CameraStatus camera;
    OtherStatus other;
    ExtendedStatus extended;
};

using StatusView = std::function<void(const DecodedStatus &)>;

// Decodes the replies. The other block's shutter column goes into
// modes.ShutterColumn first (the camera block's shutter caption is read in
// it); then `view`, when there is one, shows the blocks.
void showStatus(const StatusReplies &replies, CameraModes &modes, const StatusView &view);

} // namespace zam
