#include "exchange.h"

#include "catalog.h"
#include "packet.h"
#include "trafficpackets.h"

namespace zam {

namespace {

using catalog::ReplyKind;

enum class Step { Wait, Done };

// What one packet does to the answer.
Step take(ExchangeAnswer &a, const QByteArray &packet, bool terminated,
          const ExchangeExpect &expect, bool &acknowledged)
{
    const catalog::Reply r = terminated ? catalog::decodeReply(packet) : catalog::Reply{};
    if (r.kind == ReplyKind::NetworkChange) {
        ++a.noticesSkipped;
        return Step::Wait;
    }
    const bool fromCamera =
        expect.address == 0 ? (r.address >= 1 && r.address <= 7) : r.address == expect.address;
    using K = ExchangeExpect::Kind;
    switch (expect.kind) {
    case K::Inquiry:
        if (fromCamera && r.kind == ReplyKind::InquiryReply &&
            (expect.length == 0 || packet.size() == expect.length)) {
            a.result = ExchangeResult::Data;
            a.data = packet;
            return Step::Done;
        }
        if (fromCamera && r.kind == ReplyKind::Error) {
            a.result = ExchangeResult::Error;
            a.errorCode = r.errorCode;
            return Step::Done;
        }
        a.junk = true;
        return Step::Done;
    case K::Broadcast:
        if (r.kind == ReplyKind::InterfaceClear || r.kind == ReplyKind::AddressSet) {
            a.result = ExchangeResult::Data;
            a.data = packet;
        } else {
            a.junk = true;
        }
        return Step::Done;
    case K::Command:
        if (!fromCamera) {
            // Another camera's reply is no answer to this packet; bytes that
            // are no reply at all may have swallowed one.
            if (r.kind == ReplyKind::Unknown)
                a.junk = true;
            return Step::Wait;
        }
        switch (r.kind) {
        case ReplyKind::Acknowledge:
            acknowledged = true;
            return Step::Wait;
        case ReplyKind::Completion:
            a.result = ExchangeResult::Completed;
            return Step::Done;
        case ReplyKind::Error:
            a.result = ExchangeResult::Error;
            a.errorCode = r.errorCode;
            return Step::Done;
        default:
            a.junk = true;
            return Step::Wait;
        }
    }
    return Step::Done;
}

} // namespace

QString ExchangeAnswer::junkText() const
{
    constexpr int kShown = 24;
    QByteArray bytes;
    for (const QByteArray &p : packets) {
        const catalog::Reply r = catalog::decodeReply(p);
        if (r.kind != ReplyKind::NetworkChange && p != data)
            bytes += p;
    }
    QString text = hexSpaced(bytes.left(kShown)).trimmed();
    if (bytes.size() > kShown)
        text += QStringLiteral(" ...");
    return text;
}

QString ExchangeAnswer::silenceText() const
{
    const QString bytes = junkText();
    if (bytes.isEmpty())
        return QStringLiteral("did not answer");
    return QStringLiteral("answered with bytes that are not a reply: %1").arg(bytes);
}

void clearLine(CameraLink &link, bool retry)
{
    if (retry) {
        Clock &clock = link.clock();
        const std::int64_t bound = clock.nowMs() + kQuietBoundMs;
        for (;;) {
            const std::int64_t quietUntil = std::min(bound, clock.nowMs() + kQuietMs);
            if (link.waitBytes(quietUntil).isEmpty() || clock.nowMs() >= bound)
                break;
        }
    }
    link.discardInput();
}

ExchangeAnswer exchange(CameraLink &link, const QByteArray &packet, const ExchangeExpect &expect)
{
    ExchangeAnswer a;
    if (!link.SD(packet, expect.mode)) {
        a.result = ExchangeResult::Refused;
        return a;
    }
    Clock &clock = link.clock();
    PacketSplitter splitter;
    QList<SplitPacket> split;
    bool acknowledged = false;
    // A command's wait starts again at every reply (a lens move completes
    // late), bounded by the number of replies taken.
    std::int64_t deadline = clock.nowMs() + kReplyWaitMs;
    int replies = 0;
    bool done = false;
    while (!done) {
        const QByteArray bytes = link.waitBytes(deadline);
        if (bytes.isEmpty())
            splitter.flush(split);
        else
            splitter.feed(bytes, split);
        for (const SplitPacket &p : std::as_const(split)) {
            a.packets.append(p.bytes);
            if (!done && take(a, p.bytes, p.terminated, expect, acknowledged) == Step::Done)
                done = true;
            if (expect.kind == ExchangeExpect::Kind::Command && ++replies >= kMaxRepliesPerExchange)
                done = true;
        }
        const bool anything = !split.isEmpty();
        split.clear();
        if (bytes.isEmpty())
            break;
        if (anything && expect.kind == ExchangeExpect::Kind::Command)
            deadline = clock.nowMs() + kReplyWaitMs;
    }
    for (const QByteArray &p : std::as_const(a.packets))
        if (catalog::decodeReply(p).kind == ReplyKind::NetworkChange)
            Q_EMIT link.networkChangeReceived();
    if (a.result == ExchangeResult::NoReply && acknowledged)
        a.result = ExchangeResult::NotCompleted;
    return a;
}

} // namespace zam
