#pragma once
// The status read as zam-ctl prints it.

#include <QJsonObject>
#include <QTextStream>
#include <statusrequest.h>

namespace zam::cli {

// Every decoded field of the five blocks of the camera at `address`, with the
// panel's captions where it has them, as one JSON object.
QJsonObject statusObject(const StatusReplies &replies, int address);

// The same as text, one "block.field: value" line a field.
void writeStatusText(QTextStream &out, const QJsonObject &status);

} // namespace zam::cli
