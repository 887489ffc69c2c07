#include "statusrequest.h"

#include "catalog.h"
#include "exchange.h"
#include "packet.h"

namespace zam {

namespace {

// One alarm inquiry: a reply of the inquiry's length from any camera, or
// nullopt after the last attempt.
std::optional<QByteArray> askAlarm(CameraLink &link, catalog::Id inquiry)
{
    const int address = link.state().CameraAddress;
    const auto packet = catalog::build(inquiry, address);
    if (!packet)
        return std::nullopt;
    ExchangeExpect expect = ExchangeExpect::inquiry(0, catalog::entry(inquiry).replyLength);
    expect.mode = 1;
    const ExchangeAnswer a =
        exchangeWithRetries(link, *packet, expect, kAlarmAttempts,
                            [](const ExchangeAnswer &a) { return a.answered(); });
    if (!a.answered())
        return std::nullopt;
    return a.data;
}

} // namespace

std::optional<QByteArray> requestBlock(CameraLink &link, StatusBlock block, ExchangeAnswer *why)
{
    const int address = link.state().CameraAddress;
    const QByteArray packet = inquiryPacket(block, address);
    if (packet.isEmpty())
        return std::nullopt;
    const ExchangeExpect expect = ExchangeExpect::inquiry(address, replyLength(block));
    ExchangeAnswer trouble;
    for (int attempt = 1;; ++attempt) {
        clearLine(link, attempt > 1);
        ExchangeAnswer a = exchange(link, packet, expect);
        if (attempt == kStatusRequestLimit || !a.answered()) {
            if (a.garbled() || !trouble.garbled())
                trouble = a;
        }
        if (attempt == kStatusRequestLimit)
            break;
        if (a.answered())
            return a.data;
    }
    if (why)
        *why = std::move(trouble);
    return std::nullopt;
}

std::optional<StatusReplies> requestStatusBlocks(CameraLink &link, ExchangeAnswer *why)
{
    StatusReplies r;
    const std::pair<StatusBlock, QByteArray *> order[] = {
        {StatusBlock::Version, &r.version},   {StatusBlock::Lens, &r.lens},
        {StatusBlock::Camera, &r.camera},     {StatusBlock::Other, &r.other},
        {StatusBlock::Extended, &r.extended},
    };
    for (const auto &[block, reply] : order) {
        auto got = requestBlock(link, block, why);
        if (!got)
            return std::nullopt;
        *reply = std::move(*got);
    }
    return r;
}

bool readAlarmStatus(CameraLink &link, MdState &s)
{
    const auto active = askAlarm(link, catalog::Id::AlarmStatusInquiry);
    if (!active)
        return false;
    if (std::uint8_t(active->at(2)) == 0x02)
        s.MDActive = true;
    else if (std::uint8_t(active->at(2)) == 0x03)
        s.MDActive = false;

    const auto mode = askAlarm(link, catalog::Id::AlarmModeInquiry);
    if (!mode)
        return false;
    s.MDMode = std::uint8_t(mode->at(2));

    const auto levels = askAlarm(link, catalog::Id::AlarmLevelInquiry);
    if (!levels)
        return false;
    s.MDDayLevel = int(readNibbles(*levels, 2, 3));
    s.MDNightLevel = int(readNibbles(*levels, 5, 3));
    s.MDNowLevel = int(readNibbles(*levels, 8, 3));
    s.MDStateKnown = true;
    return true;
}

} // namespace zam
