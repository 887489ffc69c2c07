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
    enum class Kind { Inquiry, Command, Broadcast };
    Kind kind = Kind::Inquiry;
    // Inquiry and command: the camera that must answer, 1..7; 0: any camera.
    int address = 0;
    // Inquiry: the whole reply's length; 0: any length.
    int length = 0;
    // SD's mode: 0 unlogged; 1 logged, through the refresh gate.
    int mode = 0;

    static ExchangeExpect inquiry(int address, int length)
    {
        return {Kind::Inquiry, address, length};
    }
    static ExchangeExpect command(int address) { return {Kind::Command, address, 0}; }
    static ExchangeExpect broadcast() { return {Kind::Broadcast, 0, 0}; }
};

struct ExchangeAnswer {
    ExchangeResult result = ExchangeResult::NoReply;
    QByteArray data; // Data: the reply packet, whole
    int errorCode = 0;
    // Every packet that came, in order (notices included; unterminated
    // bytes as a packet of their own).
    QList<QByteArray> packets;
    int noticesSkipped = 0;
    // Bytes came that were no reply of the expected shape.
    bool junk = false;

    bool answered() const
    {
        return result == ExchangeResult::Data || result == ExchangeResult::Completed;
    }
    // The bytes that came and were not a reply, "3F 12 90 50 FF", at most 24 bytes.
    QString junkText() const;
    // "did not answer" or "answered with bytes that are not a reply: 3F 12 ...".
    QString silenceText() const;
};

// How long a reply may take.
inline constexpr int kReplyWaitMs = 1000;
// Before a retry: the line counts as quiet after this much silence ...
inline constexpr int kQuietMs = 200;
// ... and the wait for quiet ends after this, quiet or not.
inline constexpr int kQuietBoundMs = 1000;
// A command's exchange ends after this many replies, answer or not.
inline constexpr int kMaxRepliesPerExchange = 16;

// Drops what is waiting (the first try) or, for a retry, waits until the line
// has been quiet for kQuietMs (at most kQuietBoundMs) and drops what came, so
// that a late reply to a failed try is never taken for the next one's.
void clearLine(CameraLink &link, bool retry);

// Sends `packet` and collects its answer.
ExchangeAnswer exchange(CameraLink &link, const QByteArray &packet, const ExchangeExpect &expect);

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
