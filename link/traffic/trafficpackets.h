#pragma once
// Packets out of the bytes on the line, and what the monitor needs to know of
// each without naming it: whose it is, whether it finishes a command, whether
// it belongs to a status read (one of its five inquiries, or the reply that
// finishes one).
//
//   to camera     8x ... FF           x = 1..7; 88 = broadcast
//   from camera   y0 ... FF           y0 = 90 (camera 1) .. F0 (camera 7); 88 = broadcast reply
//
//   from camera                       finishes?
//   y0 4z FF          acknowledge     no
//   y0 5z FF          completion      yes
//   y0 50 d.. FF      inquiry reply   yes
//   y0 6z ee FF       error           yes
//   y0 38 FF          network change  no
//   88 01 00 01 FF    interface clear echo   yes (answers the broadcast)
//   88 30 0p FF       address set reply      yes (answers the broadcast)

#include <QByteArray>
#include <QByteArrayView>
#include <QList>
#include <cstdint>

namespace zam {

// Bytes without an FF are cut into a packet of their own at this length, so
// noise on the line never grows without bound.
inline constexpr qsizetype kMaxPendingBytes = 64;

struct SplitPacket {
    QByteArray bytes;
    bool terminated = true; // false: cut at kMaxPendingBytes or at the line's end
};

// Splits one direction's bytes at FF, in any chunk size; a packet waits for
// its FF across chunks.
class PacketSplitter {
public:
    // Appends the packets that `bytes` complete to `out`.
    void feed(QByteArrayView bytes, QList<SplitPacket> &out);
    // The bytes still waiting for their FF, as one unterminated packet (none
    // when nothing waits).
    void flush(QList<SplitPacket> &out);
    void clear() { m_pending.clear(); }
    qsizetype pendingSize() const { return m_pending.size(); }

private:
    QByteArray m_pending;
};

// The address byte 0x88 in either direction.
inline constexpr int kBroadcastAddress = 8;

// 1..7, kBroadcastAddress, or 0 when the header names no camera.
int packetAddress(QByteArrayView packet, bool fromCamera);

// A completion, inquiry reply, error or broadcast reply.
bool finishesCommand(QByteArrayView reply);

// One of the inquiries a status read sends: version, then the lens, camera,
// other and extended blocks, to one camera. Other inquiries (EEPROM, memory,
// alarm) are not part of it.
bool isStatusReadInquiry(QByteArrayView command);

} // namespace zam
