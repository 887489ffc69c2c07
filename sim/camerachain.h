#pragma once
// A daisy chain of simulated cameras as the panel's line sees it: bytes go
// in, timed replies come out.
//
// Broadcasts:
//   88 01 00 01 FF   interface clear: echoed as it is
//   88 30 01 FF      address set: answered 88 30 0p FF, p - 1 = cameras
// Addressed packets 8x .. FF go to camera x; a packet for an address beyond
// the chain is never answered.

#include "simcamera.h"

#include <QByteArray>
#include <QList>
#include <cstdint>
#include <functional>
#include <memory>
#include <random>
#include <vector>

namespace zam::sim {

struct Faults {
    bool silent = false;        // answer nothing at all
    int silentAfter = -1;       // answer this many packets, then fall silent (-1: never)
    bool garbage = false;       // random bytes before every reply
    bool errorReplies = false;  // every addressed command answered y0 60 41 FF
    bool networkChange = false; // one y0 38 FF notice before the next reply
    bool splitReplies = false;  // replies arrive in pieces with pauses between
    int slowMs = 0;             // extra camera time before every reply
    // Stray bytes (never FF) on the line just ahead of the reply to a packet
    // that starts with `packet`, the next `times` times it comes.
    // With `content` set, that burst goes out instead (it may look like a
    // reply, FF included).
    struct Burst {
        QByteArray packet;
        int bytes = 16;
        int times = 1;
        QByteArray content;
    } burstBefore;
    // The reply to a packet that starts with `packet` comes `ms` late, the
    // next `times` times it comes.
    struct Late {
        QByteArray packet;
        int ms = 0;
        int times = 1;
    } lateReply;
    // Drop a packet without answer when this says so (tests).
    std::function<bool(const QByteArray &packet)> dropIf;
};

// One piece of reply: its bytes leave the camera `delayMs` after the previous
// piece has been put on the line (or after the packet arrived, for the first).
struct ReplyPiece {
    QByteArray bytes;
    int delayMs = 0;
};

class CameraChain {
public:
    explicit CameraChain(int cameraCount = 2, QList<int> modelCodes = {});

    int cameraCount() const { return int(m_cameras.size()); }
    SimCamera &camera(int address) { return *m_cameras.at(std::size_t(address - 1)); }
    const SimCamera &camera(int address) const { return *m_cameras.at(std::size_t(address - 1)); }
    Faults &faults() { return m_faults; }
    // Rules this chain's cameras follow besides the standard ones (tests);
    // a rule with a longer prefix wins.
    void addRules(std::vector<SimRule> more);

    // The cameras' line speed (0: they understand the panel at any speed) and
    // the speed the panel's port is set to. At different speeds the cameras
    // see only garbled bytes and answer nothing.
    int lineBaud = 0;
    void setPanelBaud(int baud) { m_panelBaud = baud; }

    // Power off and on for the whole chain: a line speed written into the
    // cameras' EEPROM applies now (when the cameras hold strictly to a speed).
    // Answers the chain's speed afterwards (0: any).
    int powerCycle();

    // Camera time: acknowledge after ackMs, completion completeMs after it.
    int ackMs = 2;
    int completeMs = 15;

    // Feeds received bytes; complete packets (up to each 0xFF) are answered.
    std::vector<ReplyPiece> feed(const QByteArray &bytes, std::int64_t nowMs);

    // Every packet the chain received, in order.
    const QList<QByteArray> &received() const { return m_received; }
    void clearReceived() { m_received.clear(); }

private:
    std::vector<ReplyPiece> answer(const QByteArray &packet);
    void addGarbage(std::vector<ReplyPiece> &out);

    std::vector<SimRule> m_rules; // before the cameras, which refer to it
    std::vector<std::unique_ptr<SimCamera>> m_cameras;
    Faults m_faults;
    QByteArray m_pending;
    QList<QByteArray> m_received;
    int m_answered = 0;
    int m_panelBaud = 0;
    std::mt19937 m_rng{12345};
};

// Per-byte arrival times of replies on the line back to the panel: each byte
// takes 10 bit times (8N1), and pieces never overlap on the line.
class LineSchedule {
public:
    void setBaud(int baud) { m_baud = baud > 0 ? baud : 9600; }
    int baud() const { return m_baud; }
    // Microseconds one byte occupies the line.
    std::int64_t byteUs() const { return 10'000'000 / m_baud; }

    // Schedules pieces that the camera starts answering at startMs.
    void schedule(const std::vector<ReplyPiece> &pieces, std::int64_t startMs);
    // Bytes whose last bit has arrived by nowMs, removed from the schedule.
    QByteArray takeDue(std::int64_t nowMs);
    // Arrival time (ms, rounded up) of the next scheduled byte, or -1.
    std::int64_t nextArrivalMs() const;
    bool empty() const { return m_head >= m_bytes.size(); }
    void clear()
    {
        m_bytes.clear();
        m_head = 0;
        m_lineFreeUs = 0;
    }

private:
    struct Timed {
        std::int64_t atUs;
        char byte;
    };
    std::vector<Timed> m_bytes; // in arrival order
    std::size_t m_head = 0;
    std::int64_t m_lineFreeUs = 0;
    int m_baud = 9600;
};

} // namespace zam::sim
