#include "eeprom.h"

#include <packet.h>

#include <iterator>

namespace zam::eeprom
{

namespace
{

constexpr std::uint8_t kWriteOp = 0x02;
constexpr std::uint8_t kSetOp = 0x03;
constexpr double kSequencePause = 2.0;

struct Cell {
    unsigned address;
    unsigned data;
};

// The ICR compensation values of the x36 and KR550 blocks.
constexpr Cell kIcrCompensation[] = {{0xE69, 0x98}, {0xE6A, 0xD8}};

QByteArray begin(std::uint8_t header, std::initializer_list<std::uint8_t> body)
{
    QByteArray p;
    p.append(char(header));
    for (std::uint8_t b : body)
        p.append(char(b));
    return p;
}

std::optional<QByteArray> store(std::uint8_t header, std::uint8_t op, unsigned address,
                                unsigned data)
{
    if (address > kMaxAddress || data > kMaxData) return std::nullopt;
    QByteArray p = begin(header, {0x01, 0x7F, 0x7F, op});
    appendNibbles(p, address, kAddressDigits);
    appendNibbles(p, data, kDataDigits);
    p.append(char(0xFF));
    return p;
}

// Setting mode and protect release open every sequence.
std::vector<Step> unlocked(std::uint8_t header)
{
    return {{enterSettingMode(header), kSequencePause},
            {writeProtectRelease(header), kSequencePause}};
}

} // namespace

QByteArray enterSettingMode(std::uint8_t header)
{
    QByteArray p = begin(header, {0x01, 0x7F, 0x01, 0x7F});
    p.append(char(0xFF));
    return p;
}

QByteArray writeProtectRelease(std::uint8_t header)
{
    return *store(header, kWriteOp, kProtectCell, 0x01);
}

std::optional<QByteArray> write(std::uint8_t header, unsigned address, unsigned data)
{
    return store(header, kWriteOp, address, data);
}

std::optional<QByteArray> set(std::uint8_t header, unsigned address, unsigned data)
{
    return store(header, kSetOp, address, data);
}

std::optional<QByteArray> read(std::uint8_t header, unsigned address)
{
    if (address > kMaxAddress) return std::nullopt;
    QByteArray p = begin(header, {0x09, 0x7F, 0x7F, 0x01});
    appendNibbles(p, address, kAddressDigits);
    p.append(char(0xFF));
    return p;
}

std::optional<QByteArray> registerSet(std::uint8_t header, unsigned reg, unsigned value)
{
    if (reg > kMaxRegister || value > kMaxRegisterValue) return std::nullopt;
    QByteArray p = begin(header, {0x01, 0x04, 0x24, std::uint8_t(reg)});
    appendNibbles(p, value, 2);
    p.append(char(0xFF));
    return p;
}

std::vector<Step> icrCompensationSequence(std::uint8_t header)
{
    std::vector<Step> steps = unlocked(header);
    for (const Cell &c : kIcrCompensation)
        steps.push_back({*write(header, c.address, c.data), kSequencePause});
    steps.back().pauseAfterSeconds = 0;
    return steps;
}

std::vector<Step> baudRateSequence(std::uint8_t header, int index)
{
    if (index < 0 || index >= int(std::size(kBaudRates))) return {};
    std::vector<Step> steps = unlocked(header);
    steps.push_back({*write(header, kBaudRateCell, unsigned(index)), 0});
    return steps;
}

SplitReply splitFirstReply(const QByteArray &bytes)
{
    const qsizetype end = bytes.indexOf(char(0xFF));
    if (end < 0) return {bytes, {}};
    return {bytes.left(end + 1), bytes.mid(end + 1)};
}

std::optional<ReadReply> parseReadReply(const QByteArray &reply, std::uint8_t replyHeader)
{
    if (reply.size() != kReadReplyLength) return std::nullopt;
    const auto b = [&reply](int i) { return std::uint8_t(reply[i]); };
    if (b(0) != replyHeader || b(1) != 0x50 || b(6) != 0xFF) return std::nullopt;
    return ReadReply{b(2), b(3), b(4), b(5)};
}

} // namespace zam::eeprom
