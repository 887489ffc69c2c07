#include "statusrequest.h"

#include "catalog.h"
#include "packet.h"

namespace zam {

namespace {

std::optional<QByteArray> requestBlock(CameraLink &link, StatusBlock block)
{
    const int address = link.state().CameraAddress;
    const QByteArray packet = inquiryPacket(block, address);
    if (packet.isEmpty())
        return std::nullopt;
    for (int attempt = 1;; ++attempt) {
        link.discardInput();
        link.SD(packet, 0);
        auto reply = link.WaitReply(replyLength(block));
        if (attempt == kStatusRequestLimit)
            return std::nullopt;
        if (reply && replyFrameValid(block, *reply, address))
            return reply;
    }
}

// One alarm inquiry: the reply of the inquiry's length with y0 (any
// address), 50 and FF at its last position, or nullopt after the last attempt.
std::optional<QByteArray> askAlarm(CameraLink &link, catalog::Id inquiry)
{
    const auto packet = catalog::build(inquiry, link.state().CameraAddress);
    if (!packet)
        return std::nullopt;
    const int length = catalog::entry(inquiry).replyLength;
    for (int attempt = 0; attempt < kAlarmAttempts; ++attempt) {
        link.discardInput();
        if (!link.SD(*packet, 1))
            return std::nullopt;
        auto reply = link.WaitReply(length);
        if (reply && replyFrameShowable(*reply, length))
            return reply;
    }
    return std::nullopt;
}

} // namespace

std::optional<StatusReplies> requestStatusBlocks(CameraLink &link)
{
    StatusReplies r;
    const std::pair<StatusBlock, QByteArray *> order[] = {
        {StatusBlock::Version, &r.version},   {StatusBlock::Lens, &r.lens},
        {StatusBlock::Camera, &r.camera},     {StatusBlock::Other, &r.other},
        {StatusBlock::Extended, &r.extended},
    };
    for (const auto &[block, reply] : order) {
        auto got = requestBlock(link, block);
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
