// Title lines, title display and the clock of the simulated cameras.
//
//   8x 01 04 73 1L 00 hh cc bb oo 00 00 00 00 00 FF   line L attributes
//   8x 01 04 73 2L c0 .. c9 FF                         line L characters 0..9
//   8x 01 04 73 3L c10 .. c19 FF                       line L characters 10..19
//   8x 01 04 74 1F FF / 2F FF / 3F FF                  clear / display on / off
//   8x 01 04 70 Y1 Y2 M1 M2 D1 D2 H1 H2 N1 N2 FF       clock, one decimal digit a byte
//   8x 01 04 71 02|03 FF, 8x 01 04 72 02|03 FF         date / time display on|off
//
// A line beyond 10, a character code beyond the camera's set (0x4F), a colour
// beyond 6, a blink beyond 1, a position beyond 23 or a clock byte that is
// not a digit is a syntax error. In standby every packet is refused.

#include "grouprules.h"

namespace zam::sim {

namespace {

constexpr int kLastLine = 10;
constexpr int kLastCode = 0x4F;
constexpr int kLastHorizontal = 23;

std::uint8_t byteAt(const QByteArray &p, int i)
{
    return i >= 0 && i < p.size() ? std::uint8_t(p[i]) : 0;
}

SimRule titleCommand(const char *name, std::vector<std::uint8_t> prefix, int length,
                     std::function<SimReply(SimCamera &, const QByteArray &)> handle)
{
    return {name, std::move(prefix), length,
            [handle = std::move(handle)](SimCamera &cam, const QByteArray &p) {
                if (!cam.state().power)
                    return SimReply::error(0x41);
                return handle(cam, p);
            }};
}

SimReply titleLine(SimCamera &cam, const QByteArray &p)
{
    const int kind = byteAt(p, 4) & 0xF0;
    const int line = byteAt(p, 4) & 0x0F;
    if (line > kLastLine)
        return SimReply::error(0x02);
    TitleLine &t = cam.titles().lines[std::size_t(line)];
    if (kind == 0x10) {
        const int h = byteAt(p, 6), c = byteAt(p, 7), b = byteAt(p, 8);
        if (byteAt(p, 5) != 0 || h > kLastHorizontal || c > 6 || b > 1)
            return SimReply::error(0x02);
        t.horizontal = h;
        t.colour = c;
        t.blink = b;
        t.opening = byteAt(p, 9);
        t.attributesSet = true;
        return SimReply::command();
    }
    if (kind != 0x20 && kind != 0x30)
        return SimReply::error(0x02);
    for (int i = 0; i < 10; ++i) {
        if (byteAt(p, 5 + i) > kLastCode)
            return SimReply::error(0x02);
    }
    const int first = kind == 0x20 ? 0 : 10;
    for (int i = 0; i < 10; ++i)
        t.codes[std::size_t(first + i)] = byteAt(p, 5 + i);
    return SimReply::command();
}

SimReply setClock(SimCamera &cam, const QByteArray &p)
{
    int v[5];
    for (int f = 0; f < 5; ++f) {
        const int tens = byteAt(p, 4 + 2 * f), units = byteAt(p, 5 + 2 * f);
        if (tens > 9 || units > 9)
            return SimReply::error(0x02);
        v[f] = tens * 10 + units;
    }
    CameraClock &c = cam.titles().clock;
    c = {true, v[0], v[1], v[2], v[3], v[4]};
    return SimReply::command();
}

SimRule onOff(const char *name, std::uint8_t code, bool &(*flag)(TitleState &))
{
    return titleCommand(name, {0x01, 0x04, code}, 6, [flag](SimCamera &cam, const QByteArray &p) {
        const std::uint8_t v = byteAt(p, 4);
        if (v != 0x02 && v != 0x03)
            return SimReply::error(0x02);
        flag(cam.titles()) = v == 0x02;
        return SimReply::command();
    });
}

} // namespace

void registerTitleRules(std::vector<SimRule> &t)
{
    t.push_back(titleCommand("title line", {0x01, 0x04, 0x73}, 16, titleLine));
    t.push_back(titleCommand("title clear", {0x01, 0x04, 0x74, 0x1F}, 6,
                             [](SimCamera &cam, const QByteArray &) {
                                 for (TitleLine &line : cam.titles().lines)
                                     line.codes = TitleLine::blankCodes();
                                 ++cam.titles().clears;
                                 return SimReply::command();
                             }));
    for (const bool on : {true, false}) {
        t.push_back(titleCommand(on ? "title display on" : "title display off",
                                 {0x01, 0x04, 0x74, std::uint8_t(on ? 0x2F : 0x3F)}, 6,
                                 [on](SimCamera &cam, const QByteArray &) {
                                     cam.titles().display = on;
                                     return SimReply::command();
                                 }));
    }
    t.push_back(titleCommand("clock", {0x01, 0x04, 0x70}, 15, setClock));
    t.push_back(onOff("date display", 0x71, [](TitleState &s) -> bool & { return s.dateDisplay; }));
    t.push_back(onOff("time display", 0x72, [](TitleState &s) -> bool & { return s.timeDisplay; }));
}

} // namespace zam::sim
