#pragma once
// The packets each camera has not finished yet, read off the line itself.
//
// Every packet written to a camera (commands and inquiries alike) owes one
// finishing reply: its completion, its error or its inquiry reply. The
// camera answers its packets in order, so each finishing reply it sends
// settles its oldest packet. A reply exchange asks how many packets of its
// camera were still open when it sent its own: that many finishing replies
// are theirs, not its own answer (a move sent without a wait completes a
// few milliseconds later, perhaps while the next command waits).
//
// A packet whose finish does not come within kOwedMs is no longer counted,
// so a lost reply costs at most the exchanges of that time.

#include "clock.h"
#include "trafficpackets.h"

#include <QByteArray>

#include <array>
#include <cstdint>
#include <deque>

namespace zam {

inline constexpr int kOwedMs = 1000;

class ReplyLedger {
public:
    explicit ReplyLedger(Clock &clock) : m_clock(&clock) {}

    void written(QByteArrayView bytes);
    void read(QByteArrayView bytes);
    // The packets of camera 1..7 not finished yet (0 for any other address).
    int owed(int address);
    // The line closed: whatever was open will never be answered.
    void clear();

private:
    void prune(std::deque<std::int64_t> &sent);

    Clock *m_clock;
    PacketSplitter m_fromCameras;
    PacketSplitter m_toCameras;
    // By camera 1..7: when each open packet was written, oldest first.
    std::array<std::deque<std::int64_t>, 8> m_open;
};

} // namespace zam
