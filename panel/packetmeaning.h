#pragma once
// What a packet on the line means, in one line of words, for the traffic
// monitor and the command-line tool: the catalog's names, and for an inquiry
// reply its fields, read with the status-block decoders and named from the
// inquiry it answers ("Lens block: zoom 0x1000, focus 0x8000 auto, ...";
// "Version: model 0x30, ZAM-D30").

#include <QByteArrayView>
#include <QString>

#include <optional>

namespace zam {

// `answers` is the command a finishing reply finishes (empty when not known).
QString describePacket(QByteArrayView packet, bool fromCamera, QByteArrayView answers = {});

// An inquiry reply that has not the length (or, for the status blocks and the
// version, the frame) of the reply `inquiry` asks for, named as such: "Lens
// block reply, 4 bytes where 16 are expected". Nothing when the reply fits,
// when it is no inquiry reply, or when the inquiry's reply has no fixed
// length.
std::optional<QString> malformedReply(QByteArrayView reply, QByteArrayView inquiry);

} // namespace zam
