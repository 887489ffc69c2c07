#include "chainstartup.h"

#include "statusblocks.h"

#include <algorithm>
#include <catalog.h>

namespace zam {

namespace {

void note(StartupTrouble *trouble, const ExchangeAnswer &a)
{
    if (trouble && a.result != ExchangeResult::Data)
        *trouble = a;
}

} // namespace

bool lineCheck(CameraLink &link, StartupTrouble *trouble)
{
    const auto packet = catalog::build(catalog::Id::InterfaceClear, catalog::kBroadcast);
    if (!packet)
        return false;
    ExchangeExpect expect = ExchangeExpect::broadcast();
    expect.mode = 1;
    const ExchangeAnswer a = exchange(link, *packet, expect);
    const bool echoed = a.result == ExchangeResult::Data &&
                        catalog::decodeReply(a.data).kind == catalog::ReplyKind::InterfaceClear;
    if (!echoed && trouble)
        *trouble = a;
    return echoed;
}

std::optional<int> numberChain(CameraLink &link, StartupTrouble *trouble)
{
    const auto packet = catalog::build(catalog::Id::AddressSet, catalog::kBroadcast);
    if (!packet)
        return std::nullopt;
    const ExchangeAnswer a = exchangeWithRetries(
        link, *packet, ExchangeExpect::broadcast(), kStartupAttempts, [](const ExchangeAnswer &a) {
            return a.result == ExchangeResult::Data &&
                   catalog::decodeReply(a.data).kind == catalog::ReplyKind::AddressSet;
        });
    const catalog::Reply r = catalog::decodeReply(a.data);
    if (a.result != ExchangeResult::Data || r.kind != catalog::ReplyKind::AddressSet) {
        note(trouble, a);
        return std::nullopt;
    }
    return std::clamp(r.cameraCount(), 0, kMaxChainCameras);
}

std::optional<QByteArray> askVersion(CameraLink &link, int address, StartupTrouble *trouble)
{
    const auto packet = catalog::build(catalog::Id::VersionInquiry, address);
    if (!packet || address < 1 || address > kMaxChainCameras)
        return std::nullopt;
    const ExchangeAnswer a =
        exchangeWithRetries(link, *packet, ExchangeExpect::inquiry(0, kVersionReplyLength),
                            kStartupAttempts, [](const ExchangeAnswer &a) { return a.answered(); });
    if (!a.answered()) {
        note(trouble, a);
        return std::nullopt;
    }
    return a.data;
}

} // namespace zam
