#include "maskencoding.h"

#include <packet.h>

namespace zam::masks {

QChar zoneLetter(int zone)
{
    return zone >= 0 && zone < kZoneCount ? QChar(u'A' + zone) : QChar(u'?');
}

std::array<std::uint8_t, 4> zoneBitmap(const std::array<bool, kZoneCount> &ticked)
{
    std::array<std::uint8_t, 4> group{};
    for (int i = 0; i < kZoneCount; ++i)
        if (ticked[std::size_t(i)])
            group[std::size_t(i / 6)] |= std::uint8_t(1u << (i % 6));
    return {group[3], group[2], group[1], group[0]};
}

const QStringList &maskColourNames()
{
    static const QStringList names = {
        QStringLiteral("Black"),  QStringLiteral("Gray1"),   QStringLiteral("Gray2"),
        QStringLiteral("Gray3"),  QStringLiteral("Gray4"),   QStringLiteral("Gray5"),
        QStringLiteral("Gray6"),  QStringLiteral("White"),   QStringLiteral("Red"),
        QStringLiteral("Green"),  QStringLiteral("Blue"),    QStringLiteral("Cyan"),
        QStringLiteral("Yellow"), QStringLiteral("Magenta"),
    };
    return names;
}

std::optional<std::uint8_t> maskColourByte(int listPosition, bool half)
{
    if (listPosition < 0 || listPosition >= maskColourNames().size())
        return std::nullopt;
    return std::uint8_t(listPosition + (half ? 0x10 : 0x00));
}

std::uint8_t directionCode(int optionIndex)
{
    // Rows top to bottom: up, none, down; columns left to right: left, none, right.
    static constexpr std::uint8_t kCodes[9] = {0x21, 0x01, 0x11, //
                                               0x20, 0x00, 0x10, //
                                               0x22, 0x02, 0x12};
    return optionIndex >= 0 && optionIndex < 9 ? kCodes[optionIndex] : 0x00;
}

const QStringList &alarmModeNames()
{
    static const QStringList names = {
        QStringLiteral("(0)Focus Position"), QStringLiteral("(1)Focus Time"),
        QStringLiteral("(2)AE Level"),       QStringLiteral("(3)AE Time"),
        QStringLiteral("(4) (0) and (2)"),   QStringLiteral("(5) (0) and (3)"),
        QStringLiteral("(6) (1) and (2)"),   QStringLiteral("(7) (1) and (3)"),
        QStringLiteral("(8) (0)  or  (2)"),  QStringLiteral("(9) (0)  or  (3)"),
        QStringLiteral("(10) (1) or  (2)"),  QStringLiteral("(11) (1) or  (3)"),
        QStringLiteral("Day & Night"),
    };
    return names;
}

QString levelText(int level)
{
    return QStringLiteral("%1").arg(level & 0xFFF, 3, 16, QLatin1Char('0')).toUpper();
}

namespace {

// The data bytes of an inquiry reply y0 50 .. FF of exactly `length` bytes.
std::optional<QByteArray> inquiryData(const QByteArray &reply, int length)
{
    if (length < 3 || reply.size() != length || !(std::uint8_t(reply[0]) & 0x80) ||
        std::uint8_t(reply[1]) != 0x50 || std::uint8_t(reply.back()) != 0xFF)
        return std::nullopt;
    return reply.mid(2, length - 3);
}

} // namespace

std::optional<bool> alarmStatusReply(const QByteArray &received)
{
    const auto data = inquiryData(received, 4);
    if (!data)
        return std::nullopt;
    switch (std::uint8_t(data->at(0))) {
    case 0x02:
        return true;
    case 0x03:
        return false;
    default:
        return std::nullopt;
    }
}

std::optional<std::uint8_t> alarmModeReply(const QByteArray &received)
{
    const auto data = inquiryData(received, 4);
    if (!data || std::uint8_t(data->at(0)) > kLastAlarmMode)
        return std::nullopt;
    return std::uint8_t(data->at(0));
}

std::optional<AlarmLevels> alarmLevelReply(const QByteArray &received)
{
    const auto data = inquiryData(received, 12);
    if (!data)
        return std::nullopt;
    return AlarmLevels{int(readNibbles(*data, 0, 3)), int(readNibbles(*data, 3, 3)),
                       int(readNibbles(*data, 6, 3))};
}

std::uint8_t detectDisplayCode(bool frames, bool blocks)
{
    if (blocks)
        return frames ? 3 : 2;
    return 1;
}

std::uint8_t detectFrameBitmap(const std::array<bool, 4> &enabled)
{
    std::uint8_t bits = 0;
    for (int k = 0; k < 4; ++k)
        if (enabled[std::size_t(k)])
            bits |= std::uint8_t(1u << k);
    return bits;
}

bool detectWindowValid(const DetectWindow &w)
{
    return w.hStart < w.hStop && w.hStop < 0xD && w.vStart < w.vStop && w.vStop < 9;
}

} // namespace zam::masks
