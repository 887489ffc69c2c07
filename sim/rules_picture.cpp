// Picture functions and effects.
//
//   8x 01 04 3D 02/03 FF           wide dynamic range on / off
//   8x 01 04 52 02/03 FF           high resolution on / off
//   8x 01 04 01 02/03 FF           infrared-cut filter (ICR) on / off
//   8x 01 04 51 02/03 FF           automatic ICR on / off
//   8x 01 04 21 00 00 0p 0q FF     automatic ICR threshold pq
//   8x 01 04 66 02/03 FF           picture flip on / off
//   8x 01 04 61 02/03 FF           left-right reverse on / off
//   8x 01 04 62 02/03 FF           freeze on / off
//   8x 01 04 34 02/03 FF           image stabilizer on / off
//   8x 01 04 60 00 FF              wide mode: normal
//   8x 01 04 63 ee FF              picture effect: 00 off, 02 negative art,
//                                  04 black and white
//   8x 01 04 65 pp FF              digital effect level pp
//
// The picture effect is reported (other block byte 5) as 0 off, 1 negative
// art, 4 black and white: negative art is commanded with 02 but reads back 1.

#include "rulehelpers.h"

namespace zam::sim {

namespace {

SimReply icrThreshold(SimCamera &cam, const QByteArray &p)
{
    const auto v = nibbleValue(p, 4, 4);
    if (!v || *v > 0xFF)
        return syntaxError();
    cam.state().picture.icrThreshold = *v;
    return SimReply::command();
}

SimReply wideMode(SimCamera &cam, const QByteArray &p)
{
    if (at(p, 4) != 0x00)
        return syntaxError();
    cam.state().picture.wideMode = 0;
    return SimReply::command();
}

SimReply pictureEffect(SimCamera &cam, const QByteArray &p)
{
    int reported;
    switch (at(p, 4)) {
    case 0x00:
        reported = 0;
        break;
    case 0x02:
        reported = 1;
        break;
    case 0x04:
        reported = 4;
        break;
    default:
        return syntaxError();
    }
    cam.state().picture.effect = reported;
    return SimReply::command();
}

SimReply digitalEffectLevel(SimCamera &cam, const QByteArray &p)
{
    // Every byte the line can carry (00..FE) is a level.
    cam.state().picture.digitalEffectLevel = at(p, 4);
    return SimReply::command();
}

} // namespace

void registerPictureRules(std::vector<SimRule> &t)
{
    const Switch switches[] = {
        {"wide dynamic range", 0x3D,
         [](CameraState &s) -> bool & { return s.picture.wideDynamicRange; }},
        {"high resolution", 0x52,
         [](CameraState &s) -> bool & { return s.picture.highResolution; }},
        {"ICR", 0x01, [](CameraState &s) -> bool & { return s.picture.icr; }},
        {"auto ICR", 0x51, [](CameraState &s) -> bool & { return s.picture.autoICR; }},
        {"picture flip", 0x66, [](CameraState &s) -> bool & { return s.picture.flip; }},
        {"left-right reverse", 0x61, [](CameraState &s) -> bool & { return s.picture.lrReverse; }},
        {"freeze", 0x62, [](CameraState &s) -> bool & { return s.picture.freeze; }},
        {"image stabilizer", 0x34, [](CameraState &s) -> bool & { return s.picture.stabilizer; }},
    };
    for (const Switch &sw : switches)
        t.push_back(switchRule(sw));
    t.push_back(command("auto ICR threshold", {0x01, 0x04, 0x21}, 9, icrThreshold));
    t.push_back(command("wide mode", {0x01, 0x04, 0x60}, 6, wideMode));
    t.push_back(command("picture effect", {0x01, 0x04, 0x63}, 6, pictureEffect));
    t.push_back(command("digital effect level", {0x01, 0x04, 0x65}, 6, digitalEffectLevel));
}

} // namespace zam::sim
