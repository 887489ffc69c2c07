#include "rulehelpers.h"

#include <packet.h>

#include <algorithm>

namespace zam::sim {

SimRule command(const char *name, std::vector<std::uint8_t> prefix, int length, RuleHandler handle)
{
    return {name, std::move(prefix), length,
            [handle = std::move(handle)](SimCamera &cam, const QByteArray &packet) {
                if (!cam.state().power)
                    return notExecutable();
                return handle(cam, packet);
            }};
}

SimRule inquiry(const char *name, std::vector<std::uint8_t> prefix, int length, RuleHandler handle)
{
    return {name, std::move(prefix), length, std::move(handle)};
}

std::optional<int> nibbleValue(const QByteArray &packet, int pos, int count)
{
    int value = 0;
    for (int i = 0; i < count; ++i) {
        const std::uint8_t b = at(packet, pos + i);
        if (pos + i >= packet.size() || b > 0x0F)
            return std::nullopt;
        value = value * 16 + b;
    }
    return value;
}

SimRule switchRule(const Switch &sw)
{
    return command(sw.name, {0x01, 0x04, sw.code}, 6, [sw](SimCamera &cam, const QByteArray &p) {
        const std::uint8_t v = at(p, 4);
        if (v != sw.on && v != sw.off)
            return syntaxError();
        sw.flag(cam.state()) = v == sw.on;
        return SimReply::command();
    });
}

void addLevelRules(std::vector<SimRule> &t, const Level &level)
{
    t.push_back(command(level.name, {0x01, 0x04, level.stepCode}, 6,
                        [level](SimCamera &cam, const QByteArray &p) {
                            int &v = level.value(cam.state());
                            switch (at(p, 4)) {
                            case 0x00:
                                v = level.reset;
                                break;
                            case 0x02:
                                v = std::min(v + 1, level.hi);
                                break;
                            case 0x03:
                                v = std::max(v - 1, level.lo);
                                break;
                            default:
                                return syntaxError();
                            }
                            return SimReply::command();
                        }));
    t.push_back(command(level.name, {0x01, 0x04, level.directCode}, 9,
                        [level](SimCamera &cam, const QByteArray &p) {
                            const auto v = nibbleValue(p, 4, 4);
                            if (!v || *v < level.lo || *v > level.hi)
                                return syntaxError();
                            level.value(cam.state()) = *v;
                            return SimReply::command();
                        }));
}

QByteArray nibbleBytes(unsigned value, int count)
{
    QByteArray b;
    appendNibbles(b, value, count);
    return b;
}

} // namespace zam::sim
