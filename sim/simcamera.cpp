#include "simcamera.h"

#include "grouprules.h"

namespace zam::sim {

SimCamera::SimCamera(int address, std::uint8_t modelCode, const std::vector<SimRule> &rules)
    : m_address(address), m_rules(&rules)
{
    m_state.modelCode = modelCode;
}

std::vector<SimRule> SimCamera::standardRules()
{
    std::vector<SimRule> table;
    registerAllRules(table);
    registerTitleRules(table);
    registerMaskRules(table);
    registerServiceRules(table);
    return table;
}

SimReply SimCamera::handle(const QByteArray &packet)
{
    ++m_handled;
    const SimRule *best = nullptr;
    for (const SimRule &rule : *m_rules) {
        if (rule.length != 0 && rule.length != packet.size())
            continue;
        if (packet.size() < qsizetype(rule.prefix.size()) + 2)
            continue;
        bool same = true;
        for (std::size_t i = 0; i < rule.prefix.size() && same; ++i)
            same = std::uint8_t(packet[qsizetype(i) + 1]) == rule.prefix[i];
        if (same && (!best || rule.prefix.size() > best->prefix.size()))
            best = &rule;
    }
    if (!best)
        return SimReply::error(0x02);
    return best->handle(*this, packet);
}

} // namespace zam::sim
