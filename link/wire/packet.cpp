#include "packet.h"

namespace zam {

std::optional<QByteArray> ToByteArray(std::span<const int> values)
{
    QByteArray out;
    out.reserve(qsizetype(values.size()));
    for (int v : values) {
        if (v < 0 || v > 255)
            return std::nullopt;
        out.append(char(std::uint8_t(v)));
    }
    return out;
}

std::optional<QByteArray> ToByteArray(std::initializer_list<int> values)
{
    return ToByteArray(std::span<const int>(values.begin(), values.size()));
}

void appendNibbles(QByteArray &out, unsigned value, int count)
{
    for (int i = count - 1; i >= 0; --i)
        out.append(char((value >> (4 * i)) & 0x0F));
}

unsigned readNibbles(const QByteArray &bytes, int pos, int count)
{
    unsigned v = 0;
    for (int i = 0; i < count; ++i) {
        const int at = pos + i;
        const unsigned nib = at >= 0 && at < bytes.size() ? std::uint8_t(bytes[at]) & 0x0Fu : 0u;
        v = (v << 4) | nib;
    }
    return v;
}

QString hexPair(std::uint8_t byte)
{
    const QChar s[2] = {QChar(kHexDigits[byte >> 4]), QChar(kHexDigits[byte & 0x0F])};
    return QString(s, 2);
}

// Every byte as two digits, each pair followed by `after` when it is not NUL.
static QString hexText(const QByteArray &bytes, QChar after)
{
    QString s;
    s.reserve(bytes.size() * (after.isNull() ? 2 : 3));
    for (char c : bytes) {
        const auto b = std::uint8_t(c);
        s.append(QChar(kHexDigits[b >> 4]));
        s.append(QChar(kHexDigits[b & 0x0F]));
        if (!after.isNull())
            s.append(after);
    }
    return s;
}

QString hexValue(unsigned value, int digits)
{
    return QLatin1String("0x") + QString::number(value, 16).toUpper().rightJustified(digits, u'0');
}

QString hexCompact(const QByteArray &bytes)
{
    return hexText(bytes, QChar());
}

QString hexSpaced(const QByteArray &bytes)
{
    return hexText(bytes, QLatin1Char(' '));
}

int hexDigitValue(QChar c)
{
    const ushort u = c.unicode();
    if (u >= '0' && u <= '9')
        return u - '0';
    if (u >= 'A' && u <= 'F')
        return u - 'A' + 10;
    if (u >= 'a' && u <= 'f')
        return u - 'a' + 10;
    return -1;
}

} // namespace zam
