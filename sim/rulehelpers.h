#pragma once
// Building blocks of the rule files: commands (refused in standby),
// inquiries, nibble parameters, and the packet shapes many commands share.

#include "simrules.h"

#include <optional>

namespace zam::sim {

using RuleHandler = std::function<SimReply(SimCamera &, const QByteArray &packet)>;

// Error codes of y0 60 ee FF.
inline constexpr std::uint8_t kSyntaxError = 0x02;   // unknown packet or value out of range
inline constexpr std::uint8_t kNotExecutable = 0x41; // not possible in the present state

inline SimReply syntaxError()
{
    return SimReply::error(kSyntaxError);
}
inline SimReply notExecutable()
{
    return SimReply::error(kNotExecutable);
}

// A command 8x 01 ... FF. While the camera is in standby (power off) it is
// refused as not executable; only the power command itself gets through.
SimRule command(const char *name, std::vector<std::uint8_t> prefix, int length, RuleHandler handle);

// An inquiry 8x 09 ... FF; answered in standby as well.
SimRule inquiry(const char *name, std::vector<std::uint8_t> prefix, int length, RuleHandler handle);

// count parameter bytes from pos, one nibble each, most significant first;
// nothing when one of them is not 0x00..0x0F.
std::optional<int> nibbleValue(const QByteArray &packet, int pos, int count);

// Switch: 8x 01 04 cc on FF / 8x 01 04 cc off FF (usually 02 / 03).
using FlagOf = bool &(*)(CameraState &);
struct Switch {
    const char *name;
    std::uint8_t code;
    FlagOf flag;
    std::uint8_t on = 0x02;
    std::uint8_t off = 0x03;
};
SimRule switchRule(const Switch &sw);

// A setting with a range lo..hi:
//   8x 01 04 ss 00 FF            back to its reset value
//   8x 01 04 ss 02 FF / 03 FF    one step up / down; held at the ends
//   8x 01 04 dd 0p 0q 0r 0s FF   direct value pqrs; outside lo..hi: syntax error
using ValueOf = int &(*)(CameraState &);
struct Level {
    const char *name;
    std::uint8_t stepCode;
    std::uint8_t directCode;
    int lo;
    int hi;
    int reset;
    ValueOf value;
};
void addLevelRules(std::vector<SimRule> &table, const Level &level);

// The lens model, shared by the lens rules, the presets and the status blocks
// (rules_lens.cpp).
// Zoom range for the digital-zoom mode: up to the combined tele end while
// digital zoom is on and combined, else up to the optical tele end.
void applyZoomRange(LensState &lens, std::int64_t nowMs);
// Digital zoom position 00..DC as the extended block reports it: the separate
// digital zoom, or in combine mode the share of the combined position past the
// optical tele end.
int reportedDigitalZoom(const LensState &lens, std::int64_t nowMs);
// Moves the lens to a preset's positions (drives stopped).
void recallLens(LensState &lens, const Preset &preset, std::int64_t nowMs);

// Inquiry data: value as count nibble bytes.
QByteArray nibbleBytes(unsigned value, int count);

} // namespace zam::sim
