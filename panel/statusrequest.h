#pragma once
// The panel's polled inquiry exchanges: the five status blocks of the status
// read and the three alarm inquiries of the motion-detection state. Both go
// through the reply exchange (exchange.h), so the receive handler never sees
// these replies.
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
#include <QString>
#include <cameralink.h>
#include <exchange.h>
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
// order, each with SD in mode 0. A block whose reply is not exactly one
// packet of the block's shape from the selected camera is requested again;
// the third request of a block is still sent and awaited, but its reply is
// never taken: the read then gives up and answers nullopt without asking for
// the remaining blocks, and `why` is the answer of the last try that brought
// bytes of no reply (garbled()), or else the last try's.
//
// Anything already waiting on the line before an inquiry is discarded, and a
// retry first waits for the line to fall quiet: a late reply to an earlier
// attempt would otherwise be taken for the next one's, as all four status
// blocks share one length.
std::optional<StatusReplies> requestStatusBlocks(CameraLink &link, ExchangeAnswer *why = nullptr);
// One block of the read, with the same attempts.
std::optional<QByteArray> requestBlock(CameraLink &link, StatusBlock block,
                                       ExchangeAnswer *why = nullptr);

inline constexpr int kAlarmAttempts = 3;

// Reads the camera's alarm settings into MDActive, MDMode, MDDayLevel,
// MDNightLevel and MDNowLevel of md and sets MDStateKnown. Each inquiry is sent with
// SD in mode 1, its reply taken as one whole packet, at most three times;
// answers false (MDStateKnown untouched) when one of them stays unanswered.
bool readAlarmStatus(CameraLink &link, MdState &md);

} // namespace zam
