#pragma once
// One packet out, and what came back, typed.
//
// The reply bytes are split into packets at FF. A network-change notice
// (y0 38 FF) can come at any time: it is skipped, counted and passed on to
// the link's networkChangeReceived, and the exchange goes on. What the
// answer is made of depends on what was sent:
//
//   expect      answered by                            anything else
//   Inquiry     y0 50 .. FF of the expected length,    ends the try: junk
//               or y0 6z ee FF (error)
//   Command     y0 4z FF (acknowledge, wait on),       other cameras' replies are
//               y0 5z FF (completed), y0 6z ee FF      skipped; junk is noted
//   Broadcast   88 01 00 01 FF or 88 30 0p FF          ends the try: junk
//   Finish      what finishes a packet to `address`:   acknowledges, other cameras'
//               y0 5z FF, y0 6z ee FF, y0 50 .. FF     replies and junk are passed
//               of any length; for 88, a broadcast     over (junk noted)
//               reply
//
// An inquiry's reply that comes glued behind stray bytes (no FF between) is
// still its last `length` bytes: it is taken, and the bytes ahead are junk.
//
// Bytes behind the answer, in the read that brought it, are not the
// exchange's: with the receive handling on (threshold 1) they are handed to
// it, as if they had come after; otherwise a notice among them is still
// passed on.
//
// Every wait is bounded on the link's clock; none spins.

#include "cameralink.h"

#include <QByteArray>
#include <QList>
#include <QString>

namespace zam {

enum class ExchangeResult {
    Completed,    // the command's completion
    Error,        // an error reply, its code in errorCode
    NotCompleted, // acknowledged, but no completion came
    NoReply,      // nothing that answers (see junk)
    Data,         // the inquiry's or broadcast's reply, in data
    Refused,      // not sent: a running status read refused the packet
};

struct ExchangeExpect {
    enum class Kind { Inquiry, Command, Broadcast, Finish };
    Kind kind = Kind::Inquiry;
    // Inquiry and command: the camera that must answer, 1..7; 0: any camera.
    int address = 0;
    // Inquiry: the whole reply's length; 0: any length.
    int length = 0;
    // SD's mode: 0 unlogged; 1 logged, through the refresh gate.
    int mode = 0;
    // Inquiry: acknowledges and completions from the camera belong to an
    // earlier command of the same window and are passed over.
    bool passCommandReplies = false;

    static ExchangeExpect inquiry(int address, int length)
    {
        return {Kind::Inquiry, address, length};
    }
    static ExchangeExpect command(int address) { return {Kind::Command, address, 0}; }
    static ExchangeExpect broadcast() { return {Kind::Broadcast, 0, 0}; }
    // 1..7, or kBroadcast.
    static ExchangeExpect finish(int address) { return {Kind::Finish, address, 0}; }
};

struct ExchangeAnswer {
    ExchangeResult result = ExchangeResult::NoReply;
    QByteArray data; // Data: the reply packet, whole
    int errorCode = 0;
    // Every packet that came, in order (notices included; unterminated
    // bytes as a packet of their own).
    QList<QByteArray> packets;
    // The packet of `packets` that answered; -1 when none did.
    int answerIndex = -1;
    int noticesSkipped = 0;
    // Bytes came that were no reply of the expected shape.
    bool junk = false;

    bool answered() const
    {
        return result == ExchangeResult::Data || result == ExchangeResult::Completed;
    }
    // The bytes that came and were not a reply, "3F 12 90 50 FF", at most 24
    // bytes; empty when nothing but the answer and notices came.
    QString junkText() const;
    // Bytes came, and some of them made no reply.
    bool garbled() const { return !junkText().isEmpty(); }
};

// How long a reply may take.
inline constexpr int kReplyWaitMs = 1000;
// Before a retry: the line counts as quiet after this much silence ...
inline constexpr int kQuietMs = 200;
// ... and the wait for quiet ends after this, quiet or not.
inline constexpr int kQuietBoundMs = 1000;
// A command's exchange ends after this many replies, answer or not.
inline constexpr int kMaxRepliesPerExchange = 16;
// A Finish exchange whose camera keeps talking without finishing ends after this.
inline constexpr int kFinishLimitMs = 10'000;

// Drops what is waiting (the first try) or, for a retry, waits until the line
// has been quiet for kQuietMs (at most kQuietBoundMs) and drops what came, so
// that a late reply to a failed try is never taken for the next one's.
void clearLine(CameraLink &link, bool retry);

// Sends `packet` with the link's SD and collects its answer.
ExchangeAnswer exchange(CameraLink &link, const QByteArray &packet, const ExchangeExpect &expect);
// Collects the answer to a packet the caller has just sent itself (through a
// dialog's own SD, perhaps after a pause the camera needs). Bytes already
// waiting count as come.
ExchangeAnswer collectAnswer(CameraLink &link, const ExchangeExpect &expect);

// A status or memory read's try loop: up to `attempts` exchanges, the line
// cleared before each (quietly before a retry), ending at the first whose
// answer passes `accept`. Answers the last answer seen.
template <typename Accept>
ExchangeAnswer exchangeWithRetries(CameraLink &link, const QByteArray &packet,
                                   const ExchangeExpect &expect, int attempts, Accept accept)
{
    ExchangeAnswer last;
    for (int attempt = 0; attempt < attempts; ++attempt) {
        clearLine(link, attempt > 0);
        last = exchange(link, packet, expect);
        if (last.result == ExchangeResult::Refused || accept(last))
            break;
    }
    return last;
}

} // namespace zam
