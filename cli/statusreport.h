#pragma once
// The status read as zam-ctl prints it.

#include <QJsonObject>
#include <QTextStream>
#include <statusrequest.h>

namespace zam::cli {

// Every decoded field of the five blocks of the camera at `address`, as one
// JSON object: {"address": n, "version": {..}, "lens": {..}, "camera": {..},
// "other": {..}, "extended": {..}}, the fields named as in statusblocks.h.
// A field the panel shows through a caption table or a menu check mark
// (exposure positions, AE and white-balance modes, picture effect, the
// V-phase 0/180 bit as the VP0180 button words it) is
// {"value": raw, "caption": text}, the caption null where the panel has none
// for the value; every other field is its raw number or flag. The
// version block adds the model's name, video system and lens (null for an
// unknown model).
QJsonObject statusObject(const StatusReplies &replies, int address);

// The same as text, one "block.field: value" line a field.
void writeStatusText(QTextStream &out, const QJsonObject &status);

} // namespace zam::cli
