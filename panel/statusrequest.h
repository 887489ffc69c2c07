#pragma once
// The panel's polled inquiry exchanges: the five status blocks of the status
// read and the three alarm inquiries of the motion-detection state. Both send
// and then collect the reply with WaitReply, so the receive handler never
// sees these replies.
//
// Alarm inquiries (8x = 0x80 + camera address):
//
//   inquiry         reply                               meaning
//   8x 09 04 6B FF  y0 50 aa FF                         aa 02 active, 03 inactive
//   8x 09 04 6C FF  y0 50 mm FF                         detection mode
//   8x 09 04 6D FF  y0 50 0d 0d 0d 0n 0n 0n 0w 0w 0w FF day, night, current level
//                                                       (three nibbles each)

#include "statusblocks.h"

#include <QByteArray>
#include <cameralink.h>
#include <motiondetection.h>
#include <optional>

namespace zam {

struct StatusReplies {
    QByteArray version;
    QByteArray lens;
    QByteArray camera;
    QByteArray other;
    QByteArray extended;
};

// Requests the version, lens, camera, other and extended blocks in that
// order, each with SD in mode 0 and WaitReply. A block whose reply fails the
// frame check is requested again; the third request of a block is still sent
// and awaited, but its reply is never taken: the read then gives up and
// answers nullopt without asking for the remaining blocks.
//
// Anything already waiting on the line before an inquiry is discarded: it
// cannot be the answer to an inquiry not yet sent, and a late reply to an
// earlier attempt would otherwise pass the frame check of the next block.
std::optional<StatusReplies> requestStatusBlocks(CameraLink &link);

inline constexpr int kAlarmAttempts = 3;

// Reads the camera's alarm settings into MDActive, MDMode, MDDayLevel,
// MDNightLevel and MDNowLevel of md and sets MDStateKnown. Each inquiry is sent with
// SD in mode 1 and its reply collected with WaitReply, at most three times;
// answers false (MDStateKnown untouched) when one of them stays unanswered.
bool readAlarmStatus(CameraLink &link, MdState &md);

} // namespace zam
