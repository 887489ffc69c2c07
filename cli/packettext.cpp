#include "packettext.h"

#include <catalog.h>
#include <packet.h>

namespace zam::cli {

std::optional<QByteArray> parsePacketText(const QStringList &args, QString &why)
{
    why.clear();
    QByteArray packet;
    for (const QString &arg : args) {
        const QStringList pairs = arg.simplified().split(QLatin1Char(' '), Qt::SkipEmptyParts);
        for (const QString &word : pairs) {
            if (word.size() % 2 != 0) {
                why =
                    QStringLiteral("'%1' is not a run of whole bytes (two digits each)").arg(word);
                return std::nullopt;
            }
            for (qsizetype i = 0; i < word.size(); i += 2) {
                const int hi = hexDigitValue(word[i]);
                const int lo = hexDigitValue(word[i + 1]);
                if (hi < 0 || lo < 0) {
                    why = QStringLiteral("'%1' is not a hexadecimal byte").arg(word.mid(i, 2));
                    return std::nullopt;
                }
                packet.append(char(hi * 16 + lo));
            }
        }
    }
    const auto at = [&packet](qsizetype i) { return std::uint8_t(packet[i]); };
    if (packet.size() < 3 || packet.size() > catalog::kMaxPacket)
        why = QStringLiteral("a packet has 3 to %1 bytes, header to FF").arg(catalog::kMaxPacket);
    else if (at(0) < 0x81 || at(0) > 0x88)
        why = QStringLiteral("a packet starts with a header 81..88");
    else if (at(packet.size() - 1) != 0xFF)
        why = QStringLiteral("a packet ends with FF");
    else if (packet.indexOf(char(0xFF)) != packet.size() - 1)
        why = QStringLiteral("FF ends a packet and cannot stand inside it");
    if (!why.isEmpty())
        return std::nullopt;
    return packet;
}

} // namespace zam::cli
