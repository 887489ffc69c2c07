#pragma once
// The exchanges that open a session with the chain, shared by the main
// window and the command-line tool:
//
//   step            packet             reply            taken as
//   line check      88 01 00 01 FF     88 01 00 01 FF   byte 0 = 88 (the echo
//                                                       round the chain)
//   chain numbering 88 30 01 FF        88 30 0p FF      p - 1 cameras
//   version         8x 09 00 02 FF     y0 50 .. FF      10 bytes, any address
//
// Each reply is taken as one whole packet (one second at most). The numbering
// and the version inquiry are tried kStartupAttempts times; the line check
// once, as a camera that misses it is not there. Before each try, whatever
// waits on the line is dropped (a retry first waits for the line to fall
// quiet): it cannot answer a packet not yet sent, and a stray reply left
// there would spoil every later try.
//
// Where nothing answered, `trouble` (when given) is the last try's answer:
// its garbled() tells silence from bytes that made no reply.

#include <QByteArray>
#include <QString>
#include <cameralink.h>
#include <exchange.h>
#include <optional>

namespace zam {

inline constexpr int kStartupAttempts = 3;
inline constexpr int kMaxChainCameras = 7;

using StartupTrouble = ExchangeAnswer;

// Sends the broadcast interface clear (SD mode 1) and answers whether the
// echo came back.
bool lineCheck(CameraLink &link, StartupTrouble *trouble = nullptr);

// Numbers the chain with the broadcast address set (SD mode 0) and answers
// the number of cameras, clamped to 0..7. nullopt when no attempt got an address-set reply.
std::optional<int> numberChain(CameraLink &link, StartupTrouble *trouble = nullptr);

// Asks the camera at address 1..7 for its version (SD mode 0) and answers the
// first reply with the shape of a version reply from any camera; decodeVersion
// then checks that it came from this one. nullopt for an address outside
// 1..7 or when no attempt was answered.
std::optional<QByteArray> askVersion(CameraLink &link, int address,
                                     StartupTrouble *trouble = nullptr);

} // namespace zam
