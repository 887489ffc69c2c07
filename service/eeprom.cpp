#include "eeprom.h"

#include <catalog.h>

#include <iterator>

namespace zam::eeprom {

namespace {

constexpr double kSequencePause = 2.0;

struct Cell {
    unsigned address;
    unsigned data;
};

// The ICR compensation values of the x36 and KR550 blocks.
constexpr Cell kIcrCompensation[] = {{0xE69, 0x98}, {0xE6A, 0xD8}};

// The baud-rate cell written with 00, 01, 02, by index of kBaudRates.
constexpr catalog::Id kBaudRateWrites[] = {catalog::Id::EepromBaudRate9600,
                                           catalog::Id::EepromBaudRate19200,
                                           catalog::Id::EepromBaudRate38400};

// Setting mode and protect release open every sequence, then `rest`; empty
// when one packet cannot be built.
std::vector<Step> unlocked(int address, std::initializer_list<std::optional<QByteArray>> rest)
{
    std::vector<Step> steps;
    for (const auto &p : {enterSettingMode(address), writeProtectRelease(address)}) {
        if (!p)
            return {};
        steps.push_back({*p, kSequencePause});
    }
    for (const auto &p : rest) {
        if (!p)
            return {};
        steps.push_back({*p, kSequencePause});
    }
    steps.back().pauseAfterSeconds = 0;
    return steps;
}

} // namespace

std::optional<QByteArray> enterSettingMode(int address)
{
    return catalog::build(catalog::Id::EepromSettingMode, address);
}

std::optional<QByteArray> writeProtectRelease(int address)
{
    return catalog::build(catalog::Id::EepromProtectRelease, address);
}

std::optional<QByteArray> write(int address, unsigned cell, unsigned data)
{
    return catalog::build(catalog::Id::EepromWrite, address, {int(cell), int(data)});
}

std::optional<QByteArray> set(int address, unsigned cell, unsigned data)
{
    return catalog::build(catalog::Id::EepromSet, address, {int(cell), int(data)});
}

std::optional<QByteArray> read(int address, unsigned cell)
{
    return catalog::build(catalog::Id::EepromRead, address, {int(cell)});
}

std::optional<QByteArray> registerSet(int address, unsigned reg, unsigned value)
{
    return catalog::build(catalog::Id::RegisterSet, address, {int(reg), int(value)});
}

std::vector<Step> icrCompensationSequence(int address)
{
    const Cell *c = kIcrCompensation;
    return unlocked(address, {write(address, c[0].address, c[0].data),
                              write(address, c[1].address, c[1].data)});
}

std::vector<Step> baudRateSequence(int address, int index)
{
    if (index < 0 || index >= int(std::size(kBaudRateWrites)))
        return {};
    return unlocked(address, {catalog::build(kBaudRateWrites[index], address)});
}

std::optional<ReadReply> parseReadReply(const QByteArray &reply, std::uint8_t replyHeader)
{
    if (reply.size() != kReadReplyLength)
        return std::nullopt;
    const auto b = [&reply](int i) { return std::uint8_t(reply[i]); };
    if (b(0) != replyHeader || b(1) != 0x50 || b(6) != 0xFF)
        return std::nullopt;
    return ReadReply{b(2), b(3), b(4), b(5)};
}

} // namespace zam::eeprom
