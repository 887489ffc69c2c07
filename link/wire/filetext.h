#pragma once
// Files the panel and zam-ctl read and write for the operator (camera
// settings files, the remembered port), and how text out of such a file is
// echoed.
//
// Only a regular file is read or written; a path may be a symbolic link to
// one. A FIFO, a device node, a directory, a socket, or a link to any of
// them or to nothing, is refused before anything is opened: a write makes a
// new file and renames it over the old one, which would turn /dev/null into
// a text file, and opening a FIFO that has no writer waits forever.

#include <QByteArray>
#include <QByteArrayView>
#include <QString>
#include <QStringView>

#include <optional>

namespace zam {

// Why `path` is no place for such a file ("it is a FIFO, not a regular
// file"), or an empty text: it is absent, or a regular file.
QString whyNotRegularFile(const QString &path);

// Writes `bytes` as the whole file at `path` (the target of a link), in one
// step: readers see the old file or the new one. Answers why it did not, or
// an empty text.
QString writeRegularFile(const QString &path, QByteArrayView bytes);

struct FileRead {
    std::optional<QByteArray> bytes;
    QString error; // why not: "no such file", "it is a FIFO, not a regular file"
};
// The whole of the regular file at `path`; a file of more than maxBytes is
// refused ("far too large").
FileRead readRegularFile(const QString &path, qint64 maxBytes);

// `text` as it may be shown on a terminal or in a message: control
// characters as \xHH, characters that print nothing or turn the text's
// direction (U+202E) as \uHHHH, a backslash doubled; at most maxChars characters of it, then "...".
QString printable(QStringView text, int maxChars = 40);

} // namespace zam
