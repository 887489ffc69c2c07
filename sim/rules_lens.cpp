// Zoom, digital zoom and focus.
//
//   8x 01 04 07 00 FF              zoom stop
//   8x 01 04 07 2p FF / 3p FF      zoom tele / wide at speed p (0..7)
//   8x 01 04 07 02 FF / 03 FF      zoom tele / wide at the standard speed (3)
//   8x 01 04 47 0p 0q 0r 0s FF     zoom direct; a position past the tele end
//                                  drives to the tele end
//   8x 01 04 06 02 FF / 03 FF      digital zoom on / off
//   8x 01 04 36 00 FF / 01 FF      digital zoom combine / separate mode
//   8x 01 04 06 10 FF              digital zoom x1 <-> max      } separate mode,
//   8x 01 04 06 2p / 3p / 00 FF    digital zoom tele/wide/stop  } digital zoom on;
//   8x 01 04 46 00 00 0p 0q FF     digital zoom direct 00..DC   } else not executable
//   8x 01 04 38 02 FF / 03 FF      focus auto / manual
//   8x 01 04 08 2p / 3p FF         focus far / near at speed p  } manual focus only
//   8x 01 04 08 02 / 03 FF         ... at the standard speed    }
//   8x 01 04 48 0p 0q 0r 0s FF     focus direct 1000..C000      }
//   8x 01 04 18 01 FF              one-push focus               }
//   8x 01 04 18 02 FF              focus to infinity            }
//   8x 01 04 08 00 FF              focus stop
//   8x 01 04 28 0p 0q 0r 0s FF     focus near limit 1000..C000
//   8x 01 04 57 0m FF              AF mode: 0 normal, 1 interval AF, 2 zoom trigger
//   8x 01 04 27 0p 0q 0r 0s FF     interval AF times: active pq, interval rs
//   8x 01 04 58 02 FF / 03 FF      AF sensitivity bit set / clear
//   8x 01 04 19 01 FF / 02 FF      lens initialise / compensation scan
//
// Zoom range: 0000 (wide) .. 4000 (optical tele); with digital zoom on in
// combine mode the digital range follows up to 7000. Focus: 1000 (infinity)
// .. the near limit, a larger value focusing nearer. Switching the digital
// zoom on or off or changing its mode brings the separate digital zoom back
// to x1 (and a combined position past 4000 back to 4000).

#include "rulehelpers.h"

namespace zam::sim {

namespace {

constexpr int kLensActionMs = 300; // initialise, compensation scan, one-push focus

constexpr int kStandardSpeed = 3; // zoom or focus 02 / 03 without a speed

// Drive byte 2p / 3p: direction +1 / -1 at speed p; 02 / 03 likewise at the
// standard speed; nothing for other values.
struct Move {
    int direction;
    int speed;
};
std::optional<Move> variableSpeed(std::uint8_t b)
{
    if (b == 0x02)
        return Move{+1, kStandardSpeed};
    if (b == 0x03)
        return Move{-1, kStandardSpeed};
    if (b >= 0x20 && b <= 0x27)
        return Move{+1, b - 0x20};
    if (b >= 0x30 && b <= 0x37)
        return Move{-1, b - 0x30};
    return std::nullopt;
}

bool separateDigitalZoom(const LensState &lens)
{
    return lens.digitalZoomOn && lens.digitalZoomSeparate;
}

// Digital zoom on/off or mode change: back to x1 when something changed.
void setDigitalZoom(LensState &lens, std::int64_t now, bool on, bool separate)
{
    if (lens.digitalZoomOn != on || lens.digitalZoomSeparate != separate)
        lens.digitalZoom.moveTo(0);
    lens.digitalZoomOn = on;
    lens.digitalZoomSeparate = separate;
    applyZoomRange(lens, now);
}

SimReply zoom(SimCamera &cam, const QByteArray &p)
{
    Drive &z = cam.state().lens.zoom;
    const std::uint8_t b = at(p, 4);
    if (b == 0x00) {
        z.stop(cam.time());
        return SimReply::command();
    }
    const auto move = variableSpeed(b);
    if (!move)
        return syntaxError();
    z.start(cam.time(), move->direction, move->speed);
    return SimReply::command();
}

SimReply zoomDirect(SimCamera &cam, const QByteArray &p)
{
    const auto v = nibbleValue(p, 4, 4);
    if (!v)
        return syntaxError();
    cam.state().lens.zoom.moveTo(*v);
    return SimReply::command();
}

SimReply digitalZoom(SimCamera &cam, const QByteArray &p)
{
    LensState &lens = cam.state().lens;
    const std::int64_t now = cam.time();
    const std::uint8_t b = at(p, 4);
    if (b == 0x02 || b == 0x03) {
        setDigitalZoom(lens, now, b == 0x02, lens.digitalZoomSeparate);
        return SimReply::command();
    }
    const auto move = variableSpeed(b);
    if (b != 0x00 && b != 0x10 && !move)
        return syntaxError();
    if (!separateDigitalZoom(lens))
        return notExecutable();
    Drive &d = lens.digitalZoom;
    if (b == 0x00)
        d.stop(now);
    else if (b == 0x10)
        d.moveTo(d.position(now) == 0 ? kDigitalZoomMax : 0);
    else
        d.start(now, move->direction, move->speed);
    return SimReply::command();
}

SimReply digitalZoomMode(SimCamera &cam, const QByteArray &p)
{
    LensState &lens = cam.state().lens;
    const std::uint8_t b = at(p, 4);
    if (b > 0x01)
        return syntaxError();
    setDigitalZoom(lens, cam.time(), lens.digitalZoomOn, b == 0x01);
    return SimReply::command();
}

SimReply digitalZoomDirect(SimCamera &cam, const QByteArray &p)
{
    const auto v = nibbleValue(p, 4, 4);
    if (!v || *v > kDigitalZoomMax)
        return syntaxError();
    LensState &lens = cam.state().lens;
    if (!separateDigitalZoom(lens))
        return notExecutable();
    lens.digitalZoom.moveTo(*v);
    return SimReply::command();
}

SimReply focusMode(SimCamera &cam, const QByteArray &p)
{
    LensState &lens = cam.state().lens;
    const std::uint8_t b = at(p, 4);
    if (b != 0x02 && b != 0x03)
        return syntaxError();
    lens.focusAuto = b == 0x02;
    lens.focus.stop(cam.time());
    return SimReply::command();
}

SimReply focus(SimCamera &cam, const QByteArray &p)
{
    LensState &lens = cam.state().lens;
    const std::uint8_t b = at(p, 4);
    if (b == 0x00) {
        lens.focus.stop(cam.time());
        return SimReply::command();
    }
    const auto move = variableSpeed(b);
    if (!move)
        return syntaxError();
    if (lens.focusAuto)
        return notExecutable();
    // 2p drives far (towards 1000), 3p near.
    lens.focus.start(cam.time(), -move->direction, move->speed);
    return SimReply::command();
}

SimReply focusDirect(SimCamera &cam, const QByteArray &p)
{
    const auto v = nibbleValue(p, 4, 4);
    if (!v || *v < kFocusFar || *v > kFocusNear)
        return syntaxError();
    LensState &lens = cam.state().lens;
    if (lens.focusAuto)
        return notExecutable();
    lens.focus.moveTo(*v); // held at the near limit
    return SimReply::command();
}

SimReply nearLimit(SimCamera &cam, const QByteArray &p)
{
    const auto v = nibbleValue(p, 4, 4);
    if (!v || *v < kFocusFar || *v > kFocusNear)
        return syntaxError();
    LensState &lens = cam.state().lens;
    lens.nearLimit = *v;
    lens.focus.setRange(cam.time(), kFocusFar, *v);
    return SimReply::command();
}

SimReply focusAction(SimCamera &cam, const QByteArray &p)
{
    LensState &lens = cam.state().lens;
    const std::uint8_t b = at(p, 4);
    if (b != 0x01 && b != 0x02)
        return syntaxError();
    if (lens.focusAuto)
        return notExecutable();
    if (b == 0x02) {
        lens.focus.moveTo(kFocusFar);
        return SimReply::command();
    }
    lens.focus.stop(cam.time());
    return SimReply::command(kLensActionMs);
}

SimReply afMode(SimCamera &cam, const QByteArray &p)
{
    if (at(p, 4) > 0x02)
        return syntaxError();
    cam.state().lens.afMode = at(p, 4);
    return SimReply::command();
}

SimReply afTimes(SimCamera &cam, const QByteArray &p)
{
    const auto active = nibbleValue(p, 4, 2);
    const auto interval = nibbleValue(p, 6, 2);
    if (!active || !interval)
        return syntaxError();
    cam.state().lens.afActiveTime = *active;
    cam.state().lens.afIntervalTime = *interval;
    return SimReply::command();
}

SimReply lensAction(SimCamera &cam, const QByteArray &p)
{
    if (at(p, 4) != 0x01 && at(p, 4) != 0x02)
        return syntaxError();
    LensState &lens = cam.state().lens;
    lens.zoom.stop(cam.time());
    lens.digitalZoom.stop(cam.time());
    lens.focus.stop(cam.time());
    return SimReply::command(kLensActionMs);
}

} // namespace

void applyZoomRange(LensState &lens, std::int64_t nowMs)
{
    const bool combined = lens.digitalZoomOn && !lens.digitalZoomSeparate;
    lens.zoom.setRange(nowMs, 0, combined ? kZoomCombinedTele : kZoomOpticalTele);
}

int reportedDigitalZoom(const LensState &lens, std::int64_t nowMs)
{
    if (lens.digitalZoomSeparate)
        return lens.digitalZoom.position(nowMs);
    const int z = lens.zoom.position(nowMs);
    if (!lens.digitalZoomOn || z <= kZoomOpticalTele)
        return 0;
    return (z - kZoomOpticalTele) * kDigitalZoomMax / (kZoomCombinedTele - kZoomOpticalTele);
}

void recallLens(LensState &lens, const Preset &preset, std::int64_t nowMs)
{
    applyZoomRange(lens, nowMs);
    lens.zoom.moveTo(preset.zoom);
    lens.digitalZoom.moveTo(separateDigitalZoom(lens) ? preset.digitalZoom : 0);
    lens.focusAuto = preset.focusAuto;
    lens.focus.moveTo(preset.focus);
}

void registerLensRules(std::vector<SimRule> &t)
{
    t.push_back(command("zoom", {0x01, 0x04, 0x07}, 6, zoom));
    t.push_back(command("zoom direct", {0x01, 0x04, 0x47}, 9, zoomDirect));
    t.push_back(command("digital zoom", {0x01, 0x04, 0x06}, 6, digitalZoom));
    t.push_back(command("digital zoom mode", {0x01, 0x04, 0x36}, 6, digitalZoomMode));
    t.push_back(command("digital zoom direct", {0x01, 0x04, 0x46}, 9, digitalZoomDirect));
    t.push_back(command("focus mode", {0x01, 0x04, 0x38}, 6, focusMode));
    t.push_back(command("focus", {0x01, 0x04, 0x08}, 6, focus));
    t.push_back(command("focus direct", {0x01, 0x04, 0x48}, 9, focusDirect));
    t.push_back(command("focus near limit", {0x01, 0x04, 0x28}, 9, nearLimit));
    t.push_back(command("one-push focus / infinity", {0x01, 0x04, 0x18}, 6, focusAction));
    t.push_back(command("AF mode", {0x01, 0x04, 0x57}, 6, afMode));
    t.push_back(command("interval AF times", {0x01, 0x04, 0x27}, 9, afTimes));
    t.push_back(switchRule(
        {"AF sensitivity", 0x58, [](CameraState &s) -> bool & { return s.lens.afSensitivity; }}));
    t.push_back(command("lens initialise / compensation scan", {0x01, 0x04, 0x19}, 6, lensAction));
}

} // namespace zam::sim
