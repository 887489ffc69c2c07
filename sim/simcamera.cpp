#include "simcamera.h"

#include "grouprules.h"

#include <mutex>

namespace zam::sim {

SimCamera::SimCamera(int address, std::uint8_t modelCode) : m_address(address)
{
    m_state.modelCode = modelCode;
}

std::vector<SimRule> &SimCamera::rules()
{
    static std::vector<SimRule> table;
    static std::once_flag once;
    std::call_once(once, [] {
        registerAllRules(table);
        registerTitleRules(table);
        registerMaskRules(table);
        registerServiceRules(table);
    });
    return table;
}

void SimCamera::addRules(std::vector<SimRule> more)
{
    auto &table = rules();
    for (auto &r : more)
        table.push_back(std::move(r));
}

SimReply SimCamera::handle(const QByteArray &packet)
{
    const SimRule *best = nullptr;
    for (const SimRule &rule : rules()) {
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
