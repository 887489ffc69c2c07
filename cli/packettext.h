#pragma once
// A packet typed on the command line: hexadecimal byte pairs, header to FF,
// blanks anywhere between the pairs ("81 01 04 07 02 FF", "8101040702FF",
// "8101 0407 02FF"). Only a whole, well-formed packet is taken:
//
//   3 .. 16 bytes, byte 0 = 81..88, the last byte FF and no FF before it

#include <QByteArray>
#include <QString>
#include <QStringList>
#include <optional>

namespace zam::cli {

// The packet, or nullopt with the reason in `why`.
std::optional<QByteArray> parsePacketText(const QStringList &args, QString &why);

} // namespace zam::cli
