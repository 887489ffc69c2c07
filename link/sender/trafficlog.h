#pragma once
// The text of a log box (command log, reply log, a dialog's log), kept apart
// from the widget that shows it so that the link can be used and measured
// without windows. Every writer cuts the text to its last 1000 characters
// where the log's rules say so; the box follows on changed().

#include "packet.h"

#include <QObject>
#include <QString>
#include <cstdint>

namespace zam {

inline constexpr qsizetype kLogLimit = 1000;

class TrafficLog : public QObject {
    Q_OBJECT
public:
    using QObject::QObject;

    const QString &text() const { return m_text; }
    void append(QStringView s) { m_text.append(s); }
    void append(QChar c) { m_text.append(c); }
    // Two upper-case hexadecimal digits and one blank.
    void appendHexByte(std::uint8_t b)
    {
        const QChar s[3] = {QChar(kHexDigits[b >> 4]), QChar(kHexDigits[b & 0x0F]), QChar(u' ')};
        m_text.append(s, 3);
    }
    // Keeps the last 1000 characters when the text is longer.
    void cut()
    {
        if (m_text.size() > kLogLimit)
            m_text.remove(0, m_text.size() - kLogLimit);
    }
    void clear() { m_text.clear(); }
    // Writers call this once per operation, after appending and cutting.
    void notify() { Q_EMIT changed(); }

Q_SIGNALS:
    void changed();

private:
    QString m_text;
};

} // namespace zam
