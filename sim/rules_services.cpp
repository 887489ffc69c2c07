// The service packets: EEPROM setting mode, write, set and read, and the
// register set of the later camera generation.
//
//   8x 01 7F 01 7F FF                  enter setting mode
//   8x 01 7F 7F 02 0a 0b 0c 0d 0e FF   write cell abc = de
//   8x 01 7F 7F 03 0a 0b 0c 0d 0e FF   set cell abc = de (kept like a write)
//   8x 09 7F 7F 01 0a 0b 0c FF         read cell abc: y0 50 00 00 0d 0e FF
//   8x 01 04 24 mm 0p 0q FF            register mm = pq
//
// The EEPROM is locked until the write of 01 to cell 001 in setting mode:
// before that, writes and reads are refused as not executable (y0 60 41 FF).

#include "grouprules.h"
#include "rulehelpers.h"

#include <optional>

namespace zam::sim {

namespace {

// count parameter bytes from pos, one hexadecimal digit each; nothing when
// one of them is not a digit.
std::optional<unsigned> digits(const QByteArray &p, int pos, int count)
{
    unsigned v = 0;
    for (int i = 0; i < count; ++i) {
        const std::uint8_t d = at(p, pos + i);
        if (d > 0x0F)
            return std::nullopt;
        v = (v << 4) | d;
    }
    return v;
}

SimReply store(SimCamera &cam, const QByteArray &p)
{
    const auto address = digits(p, 5, 3);
    const auto data = digits(p, 8, 2);
    if (!address || !data)
        return SimReply::error(kSyntaxError);
    ServiceState &s = cam.service();
    if (!s.settingMode)
        return SimReply::error(kNotExecutable);
    if (*address == ServiceState::kProtectCell) {
        s.writeProtectReleased = *data == 0x01;
    } else if (!s.writeProtectReleased) {
        return SimReply::error(kNotExecutable);
    }
    s.eeprom[*address] = std::uint8_t(*data);
    return SimReply::command();
}

} // namespace

void registerServiceRules(std::vector<SimRule> &table)
{
    table.push_back({"EEPROM setting mode",
                     {0x01, 0x7F, 0x01, 0x7F},
                     6,
                     [](SimCamera &cam, const QByteArray &) {
                         cam.service().settingMode = true;
                         return SimReply::command();
                     }});
    table.push_back({"EEPROM write", {0x01, 0x7F, 0x7F, 0x02}, 11, store});
    table.push_back({"EEPROM set", {0x01, 0x7F, 0x7F, 0x03}, 11, store});
    table.push_back(
        {"EEPROM read", {0x09, 0x7F, 0x7F, 0x01}, 9, [](SimCamera &cam, const QByteArray &p) {
             const auto address = digits(p, 5, 3);
             if (!address)
                 return SimReply::error(kSyntaxError);
             const ServiceState &s = cam.service();
             if (!s.settingMode || !s.writeProtectReleased)
                 return SimReply::error(kNotExecutable);
             const std::uint8_t v = s.eeprom[*address];
             return SimReply::inquiry(bytes({0x00, 0x00, v >> 4, v & 0x0F}));
         }});
    table.push_back(
        {"register set", {0x01, 0x04, 0x24}, 8, [](SimCamera &cam, const QByteArray &p) {
             const std::uint8_t reg = at(p, 4);
             const auto value = digits(p, 5, 2);
             if (reg > 0x7F || !value)
                 return SimReply::error(kSyntaxError);
             ServiceState &s = cam.service();
             s.registers[reg] = std::uint8_t(*value);
             // Register 00 is the line speed, the same setting
             // as the EEPROM's baud-rate cell.
             if (reg == 0x00)
                 s.eeprom[ServiceState::kBaudRateCell] = std::uint8_t(*value);
             return SimReply::command();
         }});
}

} // namespace zam::sim
