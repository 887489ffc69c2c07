#pragma once
// What a packet on the line means, in one line of words, for the traffic
// monitor and the command-line tool: the catalog's names, and for an inquiry
// reply its fields, read with the status-block decoders and named from the
// inquiry it answers ("Lens block: zoom 0x1000, focus 0x8000 auto, ...";
// "Version: model 0x30, ZAM-D30").

#include <QByteArrayView>
#include <QString>

namespace zam {

// `answers` is the command a finishing reply finishes (empty when not known).
QString describePacket(QByteArrayView packet, bool fromCamera, QByteArrayView answers = {});

} // namespace zam
