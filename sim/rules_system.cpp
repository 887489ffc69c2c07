// Power, key lock, mute, memory presets, the 16-byte user memory, camera ID.
//
//   8x 01 04 00 02/03 FF            power on / standby (in standby every other
//                                   command is refused as not executable)
//   8x 01 04 17 02/00 FF            key lock on / off
//   8x 01 04 75 02/03 FF            mute on / off
//   8x 01 04 3F 0o nn FF            preset: o 00 reset, 01 set, 02 recall;
//                                   nn 00..05, or 7F for the custom preset
//   8x 01 04 23 0a 0p 0q 0r 0s FF   user memory write: address a (0..7) holds
//                                   the two bytes pq, rs
//   8x 09 04 23 0a FF               user memory read
//                                   reply y0 50 0p 0q 0r 0s FF (the bytes pq, rs
//                                   as nibbles, as they were written)
//   8x 01 04 22 0p 0q 0r 0s FF      camera ID pqrs
//
// A preset keeps the lens positions and focus mode, the exposure and the
// white balance (see Preset in camerastate.h). Reset puts a preset back to
// the camera's start values, so a recall after a reset brings those back.

#include "rulehelpers.h"

namespace zam::sim {

namespace {

constexpr int kRecallMs = 200; // the lens travels to the stored positions

SimReply power(SimCamera &cam, const QByteArray &p)
{
    const std::uint8_t b = at(p, 4);
    if (b != 0x02 && b != 0x03)
        return syntaxError();
    CameraState &s = cam.state();
    s.power = b == 0x02;
    if (!s.power) {
        s.lens.zoom.stop(cam.time());
        s.lens.digitalZoom.stop(cam.time());
        s.lens.focus.stop(cam.time());
        s.vPhase.stop(cam.time());
    }
    return SimReply::command();
}

Preset capture(const CameraState &s, std::int64_t now)
{
    Preset p;
    p.zoom = s.lens.zoom.position(now);
    p.digitalZoom = s.lens.digitalZoom.position(now);
    p.focus = s.lens.focus.position(now);
    p.focusAuto = s.lens.focusAuto;
    p.exposure = s.exposure;
    p.whiteBalance = s.whiteBalance;
    return p;
}

SimReply preset(SimCamera &cam, const QByteArray &p)
{
    const std::uint8_t op = at(p, 4);
    const std::uint8_t n = at(p, 5);
    int slot;
    if (n < kPresetCount)
        slot = n;
    else if (n == 0x7F)
        slot = kCustomPreset;
    else
        return syntaxError();
    CameraState &s = cam.state();
    Preset &stored = s.presets[std::size_t(slot)];
    switch (op) {
    case 0x00:
        stored = Preset{};
        return SimReply::command();
    case 0x01:
        stored = capture(s, cam.time());
        return SimReply::command();
    case 0x02:
        recallLens(s.lens, stored, cam.time());
        s.exposure = stored.exposure;
        s.whiteBalance = stored.whiteBalance;
        return SimReply::command(kRecallMs);
    default:
        return syntaxError();
    }
}

SimReply memoryWrite(SimCamera &cam, const QByteArray &p)
{
    const std::uint8_t a = at(p, 4);
    const auto upper = nibbleValue(p, 5, 2);
    const auto lower = nibbleValue(p, 7, 2);
    if (a > 7 || !upper || !lower)
        return syntaxError();
    auto &m = cam.state().userMemory;
    m[2 * a] = std::uint8_t(*upper);
    m[2 * a + 1] = std::uint8_t(*lower);
    return SimReply::command();
}

SimReply memoryRead(SimCamera &cam, const QByteArray &p)
{
    const std::uint8_t a = at(p, 4);
    if (a > 7)
        return syntaxError();
    const auto &m = cam.state().userMemory;
    return SimReply::inquiry(nibbleBytes(m[2 * a], 2) + nibbleBytes(m[2 * a + 1], 2));
}

SimReply cameraId(SimCamera &cam, const QByteArray &p)
{
    const auto v = nibbleValue(p, 4, 4);
    if (!v)
        return syntaxError();
    cam.state().cameraId = *v;
    return SimReply::command();
}

} // namespace

void registerSystemRules(std::vector<SimRule> &t)
{
    // Power is the one command a camera in standby takes.
    t.push_back({"power", {0x01, 0x04, 0x00}, 6, power});
    t.push_back(switchRule(
        {"key lock", 0x17, [](CameraState &s) -> bool & { return s.keyLock; }, 0x02, 0x00}));
    t.push_back(switchRule({"mute", 0x75, [](CameraState &s) -> bool & { return s.mute; }}));
    t.push_back(command("memory preset", {0x01, 0x04, 0x3F}, 7, preset));
    t.push_back(command("user memory write", {0x01, 0x04, 0x23}, 10, memoryWrite));
    t.push_back(inquiry("user memory read", {0x09, 0x04, 0x23}, 6, memoryRead));
    t.push_back(command("camera ID", {0x01, 0x04, 0x22}, 9, cameraId));
}

} // namespace zam::sim
