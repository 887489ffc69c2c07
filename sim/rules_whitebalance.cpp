// White balance.
//
//   8x 01 04 35 0m FF      mode: 0 auto, 1 indoor, 2 outdoor, 3 one push, 4 ATW, 5 manual
//   8x 01 04 10 05 FF      one-push trigger (one-push mode only, else not executable)
//
// Gains, with step packets 8x 01 04 ss 00/02/03 FF (reset, up, down; held at
// the ends) and a direct packet 8x 01 04 dd 00 00 0p 0q FF:
//
//   gain   ss  dd  range   reset
//   red    03  43  0..255  0x80
//   blue   04  44  0..255  0x80
//
// The gains are kept in every mode; only manual mode makes the panel offer them.

#include "rulehelpers.h"

namespace zam::sim {

namespace {

constexpr int kOnePushMs = 200; // the one-push measurement

SimReply wbMode(SimCamera &cam, const QByteArray &p)
{
    if (at(p, 4) > 5)
        return syntaxError();
    cam.state().whiteBalance.mode = at(p, 4);
    return SimReply::command();
}

SimReply onePushTrigger(SimCamera &cam, const QByteArray &p)
{
    if (at(p, 4) != 0x05)
        return syntaxError();
    if (cam.state().whiteBalance.mode != 3)
        return notExecutable();
    return SimReply::command(kOnePushMs);
}

} // namespace

void registerWhiteBalanceRules(std::vector<SimRule> &t)
{
    const WhiteBalanceState reset;
    t.push_back(command("white-balance mode", {0x01, 0x04, 0x35}, 6, wbMode));
    t.push_back(command("one-push white balance", {0x01, 0x04, 0x10}, 6, onePushTrigger));
    addLevelRules(t, {"red gain", 0x03, 0x43, 0, 255, reset.rGain,
                      [](CameraState &s) -> int & { return s.whiteBalance.rGain; }});
    addLevelRules(t, {"blue gain", 0x04, 0x44, 0, 255, reset.bGain,
                      [](CameraState &s) -> int & { return s.whiteBalance.bGain; }});
}

} // namespace zam::sim
