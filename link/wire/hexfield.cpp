#include "hexfield.h"

#include "packet.h"

#include <QRegularExpression>

namespace zam {

std::optional<unsigned> readHexField(QStringView text, unsigned maximum)
{
    const QStringView digits = text.trimmed();
    if (digits.isEmpty())
        return std::nullopt;
    unsigned value = 0;
    for (QChar c : digits) {
        const int digit = hexDigitValue(c);
        if (digit < 0)
            return std::nullopt;
        // Leading zeros never overflow; anything else past the maximum is
        // refused before it can.
        value = value * 16 + unsigned(digit);
        if (value > maximum)
            return std::nullopt;
    }
    return value;
}

QString hexFieldRange(unsigned maximum)
{
    const QString high = QString::number(maximum, 16).toUpper();
    return QString(high.size(), QLatin1Char('0')) + QStringLiteral(" to ") + high;
}

bool parseModelCodes(const QString &text, QList<int> &codes)
{
    codes.clear();
    const auto items =
        text.split(QRegularExpression(QStringLiteral("[,;\\s]+")), Qt::SkipEmptyParts);
    for (QString item : items) {
        if (item.startsWith(QLatin1String("0x"), Qt::CaseInsensitive))
            item = item.mid(2);
        const auto v = readHexField(item, 0xFF);
        if (!v)
            return false;
        codes.append(int(*v));
    }
    return true;
}

} // namespace zam
