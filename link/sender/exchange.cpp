#include "exchange.h"

#include "catalog.h"
#include "packet.h"
#include "trafficpackets.h"

#include <algorithm>

namespace zam {

namespace {

using catalog::ReplyKind;

enum class Step { Wait, Done };

// What one packet does to the answer.
// `earlier`: finishing replies still owed to packets sent to the camera
// before this one; they are theirs, and passed over.
Step take(ExchangeAnswer &a, const QByteArray &packet, bool terminated,
          const ExchangeExpect &expect, bool &acknowledged, int &earlier)
{
    const catalog::Reply r = terminated ? catalog::decodeReply(packet) : catalog::Reply{};
    if (r.kind == ReplyKind::NetworkChange) {
        ++a.noticesSkipped;
        return Step::Wait;
    }
    const auto fromCamera = [&expect](const catalog::Reply &reply) {
        return expect.address == 0 ? (reply.address >= 1 && reply.address <= 7)
                                   : reply.address == expect.address;
    };
    const bool earlierReply = earlier > 0 && fromCamera(r) &&
                              (r.kind == ReplyKind::Completion || r.kind == ReplyKind::Error);
    if (earlierReply) {
        --earlier;
        return Step::Wait;
    }
    using K = ExchangeExpect::Kind;
    switch (expect.kind) {
    case K::Inquiry: {
        const bool ofLength = expect.length == 0 || packet.size() == expect.length;
        if (fromCamera(r) && r.kind == ReplyKind::InquiryReply && ofLength) {
            a.result = ExchangeResult::Data;
            a.data = packet;
            return Step::Done;
        }
        if (terminated && expect.length > 0 && packet.size() > expect.length) {
            const QByteArray tail = packet.right(expect.length);
            const catalog::Reply t = catalog::decodeReply(tail);
            if (fromCamera(t) && t.kind == ReplyKind::InquiryReply) {
                a.result = ExchangeResult::Data;
                a.data = tail;
                a.junk = true;
                return Step::Done;
            }
        }
        if (fromCamera(r) && r.kind == ReplyKind::Error) {
            a.result = ExchangeResult::Error;
            a.errorCode = r.errorCode;
            return Step::Done;
        }
        if ((expect.passCommandReplies || earlier > 0) && fromCamera(r) &&
            (r.kind == ReplyKind::Acknowledge || r.kind == ReplyKind::Completion))
            return Step::Wait;
        a.junk = true;
        return Step::Done;
    }
    case K::Broadcast:
        if (r.kind == ReplyKind::InterfaceClear || r.kind == ReplyKind::AddressSet) {
            a.result = ExchangeResult::Data;
            a.data = packet;
        } else {
            a.junk = true;
        }
        return Step::Done;
    case K::Command:
    case K::Finish:
        if (expect.kind == K::Finish && expect.address == catalog::kBroadcast) {
            if (r.kind == ReplyKind::InterfaceClear || r.kind == ReplyKind::AddressSet) {
                a.result = ExchangeResult::Data;
                a.data = packet;
                return Step::Done;
            }
            if (r.kind == ReplyKind::Unknown)
                a.junk = true;
            return Step::Wait;
        }
        if (!fromCamera(r)) {
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
        case ReplyKind::InquiryReply:
            if (expect.kind == K::Finish) {
                a.result = ExchangeResult::Data;
                a.data = packet;
                return Step::Done;
            }
            [[fallthrough]];
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

namespace {

ExchangeAnswer collect(CameraLink &link, const ExchangeExpect &expect, int earlier);

} // namespace

ExchangeAnswer exchange(CameraLink &link, const QByteArray &packet, const ExchangeExpect &expect)
{
    const int earlier = link.owedReplies(expect.address);
    if (!link.SD(packet, expect.mode)) {
        ExchangeAnswer a;
        a.result = ExchangeResult::Refused;
        return a;
    }
    return collect(link, expect, earlier);
}

ExchangeAnswer collectAnswer(CameraLink &link, const ExchangeExpect &expect)
{
    // The caller's own packet is the newest one still open.
    return collect(link, expect, std::max(0, link.owedReplies(expect.address) - 1));
}

namespace {

ExchangeAnswer collect(CameraLink &link, const ExchangeExpect &expect, int earlier)
{
    using K = ExchangeExpect::Kind;
    ExchangeAnswer a;
    Clock &clock = link.clock();
    PacketSplitter splitter;
    QList<SplitPacket> split;
    bool acknowledged = false;
    // A command's wait starts again at every reply (a lens move completes
    // late), bounded by the number of replies taken or, for Finish, by time.
    const bool waitsOn = expect.kind == K::Command || expect.kind == K::Finish;
    const std::int64_t limit = clock.nowMs() + kFinishLimitMs;
    const auto nextDeadline = [&] {
        const std::int64_t d = clock.nowMs() + kReplyWaitMs;
        return expect.kind == K::Finish ? std::min(d, limit) : d;
    };
    std::int64_t deadline = nextDeadline();
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
            if (!done &&
                take(a, p.bytes, p.terminated, expect, acknowledged, earlier) == Step::Done) {
                done = true;
                if (a.result != ExchangeResult::NoReply)
                    a.answerIndex = int(a.packets.size() - 1);
            }
            if (expect.kind == K::Command && ++replies >= kMaxRepliesPerExchange)
                done = true;
        }
        const bool anything = !split.isEmpty();
        split.clear();
        if (bytes.isEmpty())
            break;
        if (anything && waitsOn)
            deadline = nextDeadline();
        if (expect.kind == K::Finish && clock.nowMs() >= limit)
            break;
    }
    // Bytes of a packet begun behind the answer.
    splitter.flush(split);
    for (const SplitPacket &p : std::as_const(split))
        a.packets.append(p.bytes);

    const qsizetype answered = a.answerIndex < 0 ? a.packets.size() : a.answerIndex + 1;
    QByteArray behind;
    for (qsizetype i = 0; i < a.packets.size(); ++i) {
        const QByteArray &p = a.packets[i];
        if (i >= answered && link.receiveThreshold() == 1)
            behind += p;
        else if (catalog::decodeReply(p).kind == ReplyKind::NetworkChange)
            Q_EMIT link.networkChangeReceived();
    }
    if (!behind.isEmpty())
        link.receive(behind);
    if (a.result == ExchangeResult::NoReply && acknowledged)
        a.result = ExchangeResult::NotCompleted;
    return a;
}

} // namespace

} // namespace zam
