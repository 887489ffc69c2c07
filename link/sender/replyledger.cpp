#include "replyledger.h"

namespace zam {

namespace {

// Enough for any real conversation; a flood of unanswered packets is not
// remembered without end.
constexpr std::size_t kMaxOpen = 64;

int cameraOf(QByteArrayView packet, bool fromCamera)
{
    const int a = packetAddress(packet, fromCamera);
    return a >= 1 && a <= 7 ? a : 0;
}

// The camera whose finishing reply ends `packet`, or 0. A reply may come
// glued behind stray bytes (no FF between): its header is then the last
// byte from which the rest reads as a finishing reply.
int finishedBy(QByteArrayView packet)
{
    for (qsizetype i = packet.size() - 3; i >= 0; --i) {
        const QByteArrayView tail = packet.sliced(i);
        const int camera = cameraOf(tail, true);
        if (camera != 0 && finishesCommand(tail))
            return camera;
    }
    return 0;
}

} // namespace

void ReplyLedger::written(QByteArrayView bytes)
{
    QList<SplitPacket> packets;
    m_toCameras.feed(bytes, packets);
    for (const SplitPacket &p : std::as_const(packets)) {
        const int camera = cameraOf(p.bytes, false);
        if (camera == 0 || p.bytes.size() < 3)
            continue;
        auto &open = m_open[camera];
        prune(open);
        if (open.size() >= kMaxOpen)
            open.pop_front();
        open.push_back(m_clock->nowMs());
    }
}

void ReplyLedger::read(QByteArrayView bytes)
{
    QList<SplitPacket> packets;
    m_fromCameras.feed(bytes, packets);
    for (const SplitPacket &p : std::as_const(packets)) {
        const int camera = p.terminated ? finishedBy(p.bytes) : 0;
        if (camera != 0 && !m_open[camera].empty())
            m_open[camera].pop_front();
    }
}

int ReplyLedger::owed(int address)
{
    if (address < 1 || address > 7)
        return 0;
    prune(m_open[address]);
    return int(m_open[address].size());
}

void ReplyLedger::clear()
{
    m_fromCameras.clear();
    m_toCameras.clear();
    for (auto &open : m_open)
        open.clear();
}

void ReplyLedger::prune(std::deque<std::int64_t> &sent)
{
    const std::int64_t now = m_clock->nowMs();
    while (!sent.empty() && now - sent.front() >= kOwedMs)
        sent.pop_front();
}

} // namespace zam
