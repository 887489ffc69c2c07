#include "simrules.h"

namespace zam::sim {

void registerBasicRules(std::vector<SimRule> &t)
{
    // Version inquiry 8x 09 00 02 FF
    //   reply y0 50 vv vv mm mm rr rr ss FF, model code in byte 5
    t.push_back({"version inquiry", {0x09, 0x00, 0x02}, 5, [](SimCamera &cam, const QByteArray &) {
                     const auto &s = cam.state();
                     QByteArray d;
                     d.append(char(s.vendor[0])).append(char(s.vendor[1]));
                     d.append(char(0x04)).append(char(s.modelCode));
                     d.append(char(s.romVersion[0])).append(char(s.romVersion[1]));
                     d.append(char(s.socket));
                     return SimReply::inquiry(d);
                 }});
}

void registerAllRules(std::vector<SimRule> &table)
{
    registerBasicRules(table);
    registerLensRules(table);
    registerExposureRules(table);
    registerWhiteBalanceRules(table);
    registerPictureRules(table);
    registerSystemRules(table);
    registerDisplayRules(table);
    registerStatusRules(table);
}

} // namespace zam::sim
