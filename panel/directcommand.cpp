#include "directcommand.h"

#include "packet.h"

namespace zam {

QString filterDirectText(QStringView text)
{
    QString out;
    out.reserve(text.size());
    for (QChar c : text) {
        if (const int digit = hexDigitValue(c); digit >= 0)
            out.append(QLatin1Char(kHexDigits[digit]));
    }
    return out;
}

namespace {

int digitAt(QStringView text, qsizetype i)
{
    if (i < 0 || i >= text.size())
        return 0;
    const int v = hexDigitValue(text[i]);
    return v < 0 ? 0 : v;
}

// (n / 2) rounded half to even, for any integer n.
qsizetype halfRoundedEven(qsizetype n)
{
    qsizetype q = n / 2;
    if (n % 2 != 0 && n < 0)
        --q; // floor division
    const bool half = n - 2 * q == 1;
    if (half && q % 2 != 0)
        ++q;
    return q;
}

} // namespace

QByteArray directCommandBytes(QStringView text)
{
    const qsizetype count = halfRoundedEven(text.size() - 2) + 1;
    QByteArray out;
    if (count <= 0)
        return out;
    out.reserve(count);
    for (qsizetype i = 0; i < count; ++i)
        out.append(char(digitAt(text, 2 * i) * 16 + digitAt(text, 2 * i + 1)));
    return out;
}

} // namespace zam
