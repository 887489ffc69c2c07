#include "chainstartup.h"

#include "statusblocks.h"

#include <algorithm>
#include <catalog.h>

namespace zam {

namespace {

int byteAt(const QByteArray &bytes, int i)
{
    return i < bytes.size() ? std::uint8_t(bytes[i]) : -1;
}

} // namespace

bool lineCheck(CameraLink &link)
{
    const auto packet = catalog::build(catalog::Id::InterfaceClear, catalog::kBroadcast);
    if (!packet)
        return false;
    link.SD(*packet, 1);
    const auto echo = link.WaitReply(int(packet->size()));
    return echo && byteAt(*echo, 0) == 0x88;
}

std::optional<int> numberChain(CameraLink &link)
{
    const auto packet = catalog::build(catalog::Id::AddressSet, catalog::kBroadcast);
    if (!packet)
        return std::nullopt;
    for (int attempt = 0; attempt < kStartupAttempts; ++attempt) {
        link.discardInput();
        link.SD(*packet, 0);
        const auto reply = link.WaitReply(4);
        if (reply && byteAt(*reply, 0) == 0x88 && byteAt(*reply, 1) == 0x30 &&
            byteAt(*reply, 3) == 0xFF) {
            return std::clamp(byteAt(*reply, 2) - 1, 0, kMaxChainCameras);
        }
    }
    return std::nullopt;
}

std::optional<QByteArray> askVersion(CameraLink &link, int address)
{
    const auto packet = catalog::build(catalog::Id::VersionInquiry, address);
    if (!packet || address < 1 || address > kMaxChainCameras)
        return std::nullopt;
    for (int attempt = 0; attempt < kStartupAttempts; ++attempt) {
        link.discardInput();
        link.SD(*packet, 0);
        const auto reply = link.WaitReply(kVersionReplyLength);
        if (reply && replyFrameShowable(StatusBlock::Version, *reply))
            return reply;
    }
    return std::nullopt;
}

} // namespace zam
