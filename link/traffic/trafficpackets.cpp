#include "trafficpackets.h"

#include "catalog.h"

namespace zam {

void PacketSplitter::feed(QByteArrayView bytes, QList<SplitPacket> &out)
{
    while (!bytes.isEmpty()) {
        const qsizetype room = kMaxPendingBytes - m_pending.size();
        const qsizetype ff = bytes.first(std::min(room, bytes.size())).indexOf('\xFF');
        if (ff >= 0) {
            m_pending.append(bytes.first(ff + 1));
            out.append({std::exchange(m_pending, {}), true});
            bytes = bytes.sliced(ff + 1);
        } else if (bytes.size() >= room) {
            m_pending.append(bytes.first(room));
            out.append({std::exchange(m_pending, {}), false});
            bytes = bytes.sliced(room);
        } else {
            m_pending.append(bytes);
            break;
        }
    }
}

void PacketSplitter::flush(QList<SplitPacket> &out)
{
    if (!m_pending.isEmpty())
        out.append({std::exchange(m_pending, {}), false});
}

namespace {

std::uint8_t at(QByteArrayView p, qsizetype i)
{
    return i < p.size() ? std::uint8_t(p[i]) : 0;
}

bool terminated(QByteArrayView p)
{
    return !p.isEmpty() && std::uint8_t(p.back()) == 0xFF;
}

} // namespace

int packetAddress(QByteArrayView packet, bool fromCamera)
{
    if (packet.isEmpty())
        return 0;
    const std::uint8_t h = at(packet, 0);
    if (h == 0x88)
        return kBroadcastAddress;
    if (!fromCamera)
        return h >= 0x81 && h <= 0x87 ? h - 0x80 : 0;
    return h >= 0x90 && (h & 0x0F) == 0 ? (h >> 4) - 8 : 0;
}

bool finishesCommand(QByteArrayView reply)
{
    if (!terminated(reply))
        return false;
    const int address = packetAddress(reply, true);
    if (address == kBroadcastAddress)
        return reply == QByteArrayView("\x88\x01\x00\x01\xFF", 5) ||
               (reply.size() == 4 && at(reply, 1) == 0x30 && at(reply, 2) <= 0x0F);
    if (address == 0)
        return false;
    const std::uint8_t kind = at(reply, 1) & 0xF0;
    if (kind == 0x50)
        return reply.size() == 3 || at(reply, 1) == 0x50;
    return kind == 0x60 && reply.size() == 4;
}

bool isStatusReadInquiry(QByteArrayView command)
{
    const catalog::Command c = catalog::decodeCommand(command);
    if (!c.entry || c.address == catalog::kBroadcast)
        return false;
    switch (c.entry->id) {
    case catalog::Id::VersionInquiry:
    case catalog::Id::LensBlockInquiry:
    case catalog::Id::CameraBlockInquiry:
    case catalog::Id::OtherBlockInquiry:
    case catalog::Id::ExtendedBlockInquiry:
        return true;
    default:
        return false;
    }
}

} // namespace zam
