// Privacy masks, alarm and motion detection and the AE spot of the simulated
// cameras. Lengths tell apart the three forms of the zone packet:
//
//   8x 01 04 76 mm nn 0p 0q 0r 0s 0t 0u 0v 0w FF   (15) B zone: X pq, Y rs, W tu, H vw
//   8x 01 04 76 mm nn 0p 0q 0r 0s FF               (11) spherical zone: W pq, H rs
//   8x 01 04 76 0i x1 y1 w1 h1 x2 y2 w2 h2 FF      (14) A zones 2i+1, 2i+2: x, w <= F; y, h <= B
//   8x 01 04 77 aa bb cc dd FF                     zones shown (6 zones a byte, S..X first)
//   8x 01 04 77 02 / 03 / 00 FF                    A masking on / off / clear
//   8x 01 04 78 aa bb cc dd c1 c2 FF               colours: 00..0D, +10 half, 7F mosaic
//   8x 01 04 79 0p 0q 0r 0s 0t 0u FF               pan / tilt angle
//   8x 01 04 7A 0p 0q 0r 0s dd FF                  move (dd: high 0..2, low 0..2)
//   8x 01 04 7B mm 0p 0q 0r 0s 0t 0u 0v 0w 0x 0y FF  mask at pan, tilt, zoom
//   8x 01 04 7C 02 / 03 / 04 FF                    grid on / off / centre mark
//   8x 01 04 6F mm 0p 0q 0r 0s 0t 0u 0v 0w FF      non-interlock rectangle
//   8x 01 04 6B 02 / 03 FF                         alarm detection start / stop
//   8x 01 04 6C mm FF                              alarm mode 00..0C
//   8x 01 04 6D 0p 0q 0r 0s 0t 0u FF               day / night AE level
//   8x 01 04 5E 02 / 03 FF                         alarm switch
//   8x 01 04 1B 02 / 03 FF                         later-family detection off / on
//   8x 01 04 1C dd ff 0p 0q 0r 0s FF               display 1..3, frames 0..F, threshold, interval
//   8x 01 04 1D 0n 0a 0b 0c 0d FF                  window of frame n (a < c <= C, b < d <= 8)
//   8x 01 04 59 02 / 03 FF                         AE spot on / off
//   8x 01 04 29 00 0q 00 0s FF                     AE spot position (0..F each)
//
// Anything else in these packets is a syntax error; the alarm inquiries are
// answered by the status rules from the state these commands set.

#include "grouprules.h"
#include "rulehelpers.h"

namespace zam::sim {

namespace {

constexpr int kLastZone = kMaskZones - 1;

bool zoneByte(const QByteArray &p, int i)
{
    return at(p, i) <= kLastZone;
}

// A zone bitmap of four bytes at pos (group 3 first) as bits 0..23.
std::optional<std::uint32_t> zoneBits(const QByteArray &p, int pos)
{
    std::uint32_t bits = 0;
    for (int k = 0; k < 4; ++k) {
        const std::uint8_t b = at(p, pos + k);
        if (b > 0x3F)
            return std::nullopt;
        bits |= std::uint32_t(b) << (6 * (3 - k));
    }
    return bits;
}

bool colourValid(int c)
{
    return c == 0x7F || ((c & 0xEF) <= 0x0D && c <= 0x1D);
}

SimReply zoneB(SimCamera &cam, const QByteArray &p)
{
    const auto x = nibbleValue(p, 6, 2), y = nibbleValue(p, 8, 2), w = nibbleValue(p, 10, 2),
               h = nibbleValue(p, 12, 2);
    if (!zoneByte(p, 4) || at(p, 5) > 0x01 || !x || !y || !w || !h)
        return syntaxError();
    cam.masks().zones[at(p, 4)] = {true, *x, *y, *w, *h, false};
    return SimReply::command();
}

SimReply zoneSpherical(SimCamera &cam, const QByteArray &p)
{
    const auto w = nibbleValue(p, 6, 2), h = nibbleValue(p, 8, 2);
    if (!zoneByte(p, 4) || at(p, 5) > 0x01 || !w || !h)
        return syntaxError();
    MaskZone &z = cam.masks().zones[at(p, 4)];
    z.defined = true;
    z.width = *w;
    z.height = *h;
    z.spherical = true;
    return SimReply::command();
}

SimReply zonesA(SimCamera &cam, const QByteArray &p)
{
    const int pair = at(p, 4);
    if (pair > 2)
        return syntaxError();
    static constexpr int kMax[4] = {0x0F, 0x0B, 0x0F, 0x0B};
    std::array<MaskRect, 2> rects;
    for (int z = 0; z < 2; ++z) {
        int v[4];
        for (int k = 0; k < 4; ++k) {
            v[k] = at(p, 5 + 4 * z + k);
            if (v[k] > kMax[k])
                return syntaxError();
        }
        rects[std::size_t(z)] = {v[0], v[1], v[2], v[3]};
    }
    cam.masks().zonesA[std::size_t(2 * pair)] = rects[0];
    cam.masks().zonesA[std::size_t(2 * pair + 1)] = rects[1];
    return SimReply::command();
}

SimReply showZones(SimCamera &cam, const QByteArray &p)
{
    const auto bits = zoneBits(p, 4);
    if (!bits)
        return syntaxError();
    cam.masks().shownZones = *bits;
    return SimReply::command();
}

SimReply maskingA(SimCamera &cam, const QByteArray &p)
{
    MaskState &m = cam.masks();
    switch (at(p, 4)) {
    case 0x02:
        m.maskingA = true;
        break;
    case 0x03:
        m.maskingA = false;
        break;
    case 0x00:
        m.maskingA = false;
        m.zonesA = {};
        break;
    default:
        return syntaxError();
    }
    return SimReply::command();
}

SimReply colours(SimCamera &cam, const QByteArray &p)
{
    const auto bits = zoneBits(p, 4);
    if (!bits || !colourValid(at(p, 8)) || !colourValid(at(p, 9)))
        return syntaxError();
    MaskState &m = cam.masks();
    m.colourZones = *bits;
    m.colour1 = at(p, 8);
    m.colour2 = at(p, 9);
    return SimReply::command();
}

SimReply panTilt(SimCamera &cam, const QByteArray &p)
{
    const auto pan = nibbleValue(p, 4, 3), tilt = nibbleValue(p, 7, 3);
    if (!pan || !tilt)
        return syntaxError();
    cam.masks().panAngle = *pan;
    cam.masks().tiltAngle = *tilt;
    return SimReply::command();
}

SimReply movePanTilt(SimCamera &cam, const QByteArray &p)
{
    const auto pan = nibbleValue(p, 4, 2), tilt = nibbleValue(p, 6, 2);
    const int d = at(p, 8);
    if (!pan || !tilt || (d >> 4) > 2 || (d & 0x0F) > 2)
        return syntaxError();
    MaskState &m = cam.masks();
    m.movePan = *pan;
    m.moveTilt = *tilt;
    m.moveDirection = d;
    return SimReply::command();
}

SimReply ptzMask(SimCamera &cam, const QByteArray &p)
{
    const auto pan = nibbleValue(p, 5, 3), tilt = nibbleValue(p, 8, 3),
               zoom = nibbleValue(p, 11, 4);
    if (!zoneByte(p, 4) || !pan || !tilt || !zoom)
        return syntaxError();
    cam.masks().ptz[at(p, 4)] = {true, *pan, *tilt, *zoom};
    return SimReply::command();
}

SimReply gridAndCentre(SimCamera &cam, const QByteArray &p)
{
    MaskState &m = cam.masks();
    switch (at(p, 4)) {
    case 0x02:
        m.grid = true;
        break;
    case 0x03:
        m.grid = false;
        break;
    case 0x04:
        m.centreMark = true;
        break;
    default:
        return syntaxError();
    }
    return SimReply::command();
}

SimReply nonInterlock(SimCamera &cam, const QByteArray &p)
{
    const auto x = nibbleValue(p, 5, 2), y = nibbleValue(p, 7, 2), w = nibbleValue(p, 9, 2),
               h = nibbleValue(p, 11, 2);
    if (!zoneByte(p, 4) || !x || !y || !w || !h)
        return syntaxError();
    cam.masks().nonInterlock[at(p, 4)] = {*x, *y, *w, *h};
    return SimReply::command();
}

SimReply alarmDetection(SimCamera &cam, const QByteArray &p)
{
    const int v = at(p, 4);
    if (v != 0x02 && v != 0x03)
        return syntaxError();
    cam.state().mdActive = v == 0x02;
    return SimReply::command();
}

SimReply setAlarmMode(SimCamera &cam, const QByteArray &p)
{
    if (at(p, 4) > 0x0C)
        return syntaxError();
    cam.state().mdMode = at(p, 4);
    return SimReply::command();
}

SimReply setAlarmLevels(SimCamera &cam, const QByteArray &p)
{
    const auto day = nibbleValue(p, 4, 3), night = nibbleValue(p, 7, 3);
    if (!day || !night)
        return syntaxError();
    cam.state().mdDayLevel = *day;
    cam.state().mdNightLevel = *night;
    return SimReply::command();
}

SimReply alarmSwitch(SimCamera &cam, const QByteArray &p)
{
    const int v = at(p, 4);
    if (v != 0x02 && v != 0x03)
        return syntaxError();
    cam.masks().alarmSwitch = v == 0x02;
    return SimReply::command();
}

SimReply detectSwitch(SimCamera &cam, const QByteArray &p)
{
    const int v = at(p, 4);
    if (v != 0x02 && v != 0x03)
        return syntaxError();
    cam.masks().detecting = v == 0x03;
    return SimReply::command();
}

SimReply detectFunction(SimCamera &cam, const QByteArray &p)
{
    const int display = at(p, 4), frames = at(p, 5);
    const auto threshold = nibbleValue(p, 6, 2), interval = nibbleValue(p, 8, 2);
    if (display < 1 || display > 3 || frames > 0x0F || !threshold || !interval)
        return syntaxError();
    MaskState &m = cam.masks();
    m.detectDisplay = display;
    m.detectFrames = frames;
    m.detectThreshold = *threshold;
    m.detectInterval = *interval;
    m.detecting = true;
    return SimReply::command();
}

SimReply detectWindow(SimCamera &cam, const QByteArray &p)
{
    const int n = at(p, 4), a = at(p, 5), b = at(p, 6), c = at(p, 7), d = at(p, 8);
    if (n > 3 || !(a < c && c <= 0x0C && b < d && d <= 0x08))
        return syntaxError();
    cam.masks().detectWindows[std::size_t(n)] = {a, b, c, d};
    return SimReply::command();
}

SimReply spotSwitch(SimCamera &cam, const QByteArray &p)
{
    const int v = at(p, 4);
    if (v != 0x02 && v != 0x03)
        return syntaxError();
    cam.masks().aeSpot = v == 0x02;
    return SimReply::command();
}

SimReply spotPosition(SimCamera &cam, const QByteArray &p)
{
    if (at(p, 4) != 0x00 || at(p, 6) != 0x00 || at(p, 5) > 0x0F || at(p, 7) > 0x0F)
        return syntaxError();
    cam.masks().spotQ = at(p, 5);
    cam.masks().spotS = at(p, 7);
    return SimReply::command();
}

} // namespace

void registerMaskRules(std::vector<SimRule> &t)
{
    t.push_back(command("privacy zone", {0x01, 0x04, 0x76}, 15, zoneB));
    t.push_back(command("spherical zone", {0x01, 0x04, 0x76}, 11, zoneSpherical));
    t.push_back(command("privacy zones A", {0x01, 0x04, 0x76}, 14, zonesA));
    t.push_back(command("privacy display", {0x01, 0x04, 0x77}, 9, showZones));
    t.push_back(command("privacy switch A", {0x01, 0x04, 0x77}, 6, maskingA));
    t.push_back(command("mask colour", {0x01, 0x04, 0x78}, 11, colours));
    t.push_back(command("pan tilt angle", {0x01, 0x04, 0x79}, 11, panTilt));
    t.push_back(command("move pan tilt", {0x01, 0x04, 0x7A}, 10, movePanTilt));
    t.push_back(command("mask PTZ", {0x01, 0x04, 0x7B}, 16, ptzMask));
    t.push_back(command("grid and centre", {0x01, 0x04, 0x7C}, 6, gridAndCentre));
    t.push_back(command("non-interlock mask", {0x01, 0x04, 0x6F}, 14, nonInterlock));
    t.push_back(command("alarm detection", {0x01, 0x04, 0x6B}, 6, alarmDetection));
    t.push_back(command("alarm mode", {0x01, 0x04, 0x6C}, 6, setAlarmMode));
    t.push_back(command("alarm levels", {0x01, 0x04, 0x6D}, 11, setAlarmLevels));
    t.push_back(command("alarm switch", {0x01, 0x04, 0x5E}, 6, alarmSwitch));
    t.push_back(command("motion detection", {0x01, 0x04, 0x1B}, 6, detectSwitch));
    t.push_back(command("motion detection function", {0x01, 0x04, 0x1C}, 11, detectFunction));
    t.push_back(command("motion detection window", {0x01, 0x04, 0x1D}, 10, detectWindow));
    t.push_back(command("AE spot", {0x01, 0x04, 0x59}, 6, spotSwitch));
    t.push_back(command("AE spot position", {0x01, 0x04, 0x29}, 9, spotPosition));
}

} // namespace zam::sim
