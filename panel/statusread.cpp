#include "statusread.h"

#include "statusrequest.h"

namespace zam {

void showStatus(const StatusReplies &replies, CameraModes &modes, const StatusView &view)
{
    const DecodedStatus status{decodeLens(replies.lens), decodeCamera(replies.camera),
                               decodeOther(replies.other), decodeExtended(replies.extended)};
    if (status.other.valid)
        modes.ShutterColumn = status.other.shutterColumn;
    if (view)
        view(status);
}

} // namespace zam
