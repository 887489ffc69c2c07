// Exposure and aperture.
//
//   8x 01 04 39 cc FF      AE mode: 00 full auto, 03 manual, 0A shutter priority,
//                          0B iris priority, 0C gain priority, 0D bright, 1B iris auto
//   8x 01 04 3E 02/03 FF   exposure compensation on / off
//   8x 01 04 33 02/03 FF   backlight compensation on / off
//   8x 01 04 5A 02/03 FF   automatic slow shutter on / off
//   8x 01 04 5D pp FF      slow AE value 01..20
//
// Positions, each with step packets 8x 01 04 ss 00/02/03 FF (reset, up, down;
// held at the ends) and a direct packet 8x 01 04 dd 0p 0q 0r 0s FF:
//
//   setting                 ss  dd  range  reset
//   shutter (02 = faster)   0A  4A  0..21  6
//   iris (02 = open)        0B  4B  0..17  8
//   gain                    0C  4C  0..15  1
//   bright                  0D  4D  0..31  13
//   exposure compensation   0E  4E  0..14  7
//   aperture                02  42  0..15  5
//
// The positions are kept whatever the AE mode; the mode decides only which
// of them the panel lets the operator change.

#include "rulehelpers.h"

namespace zam::sim {

namespace {

SimReply aeMode(SimCamera &cam, const QByteArray &p)
{
    switch (at(p, 4)) {
    case 0x00:
    case 0x03:
    case 0x0A:
    case 0x0B:
    case 0x0C:
    case 0x0D:
    case 0x1B:
        cam.state().exposure.aeMode = at(p, 4);
        return SimReply::command();
    default:
        return syntaxError();
    }
}

SimReply slowAE(SimCamera &cam, const QByteArray &p)
{
    const std::uint8_t v = at(p, 4);
    if (v < 0x01 || v > 0x20)
        return syntaxError();
    cam.state().exposure.slowAE = v;
    return SimReply::command();
}

} // namespace

void registerExposureRules(std::vector<SimRule> &t)
{
    const ExposureState reset;
    t.push_back(command("AE mode", {0x01, 0x04, 0x39}, 6, aeMode));
    t.push_back(command("slow AE", {0x01, 0x04, 0x5D}, 6, slowAE));
    t.push_back(switchRule({"exposure compensation", 0x3E,
                            [](CameraState &s) -> bool & { return s.exposure.expComp; }}));
    t.push_back(switchRule(
        {"backlight", 0x33, [](CameraState &s) -> bool & { return s.exposure.backLight; }}));
    t.push_back(switchRule({"auto slow shutter", 0x5A,
                            [](CameraState &s) -> bool & { return s.exposure.autoSlowShutter; }}));

    addLevelRules(t, {"shutter", 0x0A, 0x4A, 0, 21, reset.shutter,
                      [](CameraState &s) -> int & { return s.exposure.shutter; }});
    addLevelRules(t, {"iris", 0x0B, 0x4B, 0, 17, reset.iris,
                      [](CameraState &s) -> int & { return s.exposure.iris; }});
    addLevelRules(t, {"gain", 0x0C, 0x4C, 0, 15, reset.gain,
                      [](CameraState &s) -> int & { return s.exposure.gain; }});
    addLevelRules(t, {"bright", 0x0D, 0x4D, 0, 31, reset.bright,
                      [](CameraState &s) -> int & { return s.exposure.bright; }});
    addLevelRules(t, {"exposure compensation level", 0x0E, 0x4E, 0, 14, reset.expCompLevel,
                      [](CameraState &s) -> int & { return s.exposure.expCompLevel; }});
    addLevelRules(t, {"aperture", 0x02, 0x42, 0, 15, reset.aperture,
                      [](CameraState &s) -> int & { return s.exposure.aperture; }});
}

} // namespace zam::sim
