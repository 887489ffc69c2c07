// On-screen data, title display, synchronisation and vertical phase.
//
//   8x 01 04 15 02/03 FF           data screen on / off
//   8x 01 04 73 02 FF              title display on  } the same switch as the
//   8x 01 04 74 03 FF              title display off } title editors' 74 2F / 3F
//   8x 01 04 55 00/01 FF           sync: internal / external line lock
//   8x 01 04 25 00/01 FF           V-phase coarse: 00 180 degrees, 01 0 degrees
//                                  (other block byte 13 bit 5 set after 01)
//   8x 01 04 05 02/03 FF           V-phase moving up / down until ...
//   8x 01 04 05 00 FF              ... V-phase stop
//   8x 01 04 05 40 FF              V-phase reset to 0
//   8x 01 04 45 0p 0q 0r 0s FF     V-phase direct 0..1023

#include "rulehelpers.h"

namespace zam::sim {

namespace {

constexpr int kVPhaseSpeed = 3; // the whole phase range in 6 s

SimReply vPhase(SimCamera &cam, const QByteArray &p)
{
    Drive &v = cam.state().vPhase;
    switch (at(p, 4)) {
    case 0x00:
        v.stop(cam.time());
        break;
    case 0x02:
        v.start(cam.time(), +1, kVPhaseSpeed);
        break;
    case 0x03:
        v.start(cam.time(), -1, kVPhaseSpeed);
        break;
    case 0x40:
        v.moveTo(0);
        break;
    default:
        return syntaxError();
    }
    return SimReply::command();
}

SimReply vPhaseDirect(SimCamera &cam, const QByteArray &p)
{
    const auto v = nibbleValue(p, 4, 4);
    if (!v || *v > kVPhaseMax)
        return syntaxError();
    cam.state().vPhase.moveTo(*v);
    return SimReply::command();
}

} // namespace

void registerDisplayRules(std::vector<SimRule> &t)
{
    t.push_back(
        switchRule({"data screen", 0x15, [](CameraState &s) -> bool & { return s.dataScreen; }}));
    t.push_back(command("title display on", {0x01, 0x04, 0x73, 0x02}, 6,
                        [](SimCamera &cam, const QByteArray &) {
                            cam.titles().display = true;
                            return SimReply::command();
                        }));
    t.push_back(command("title display off", {0x01, 0x04, 0x74, 0x03}, 6,
                        [](SimCamera &cam, const QByteArray &) {
                            cam.titles().display = false;
                            return SimReply::command();
                        }));
    t.push_back(switchRule(
        {"sync line lock", 0x55, [](CameraState &s) -> bool & { return s.lineLock; }, 0x01, 0x00}));
    t.push_back(switchRule(
        {"V-phase 0/180", 0x25, [](CameraState &s) -> bool & { return s.vp0180; }, 0x01, 0x00}));
    t.push_back(command("V-phase", {0x01, 0x04, 0x05}, 6, vPhase));
    t.push_back(command("V-phase direct", {0x01, 0x04, 0x45}, 9, vPhaseDirect));
}

} // namespace zam::sim
