#include "digitspinbox.h"

#include "titlecode.h"

namespace zam {

QString DigitSpinBox::textFromValue(int value) const
{
    return QStringLiteral("%1").arg(value, 2, 10, QChar(u'0'));
}

int DigitSpinBox::valueFromText(const QString &text) const
{
    if (m_fullYear) {
        if (const auto pair = titles::digitPair(QStringView(text).trimmed()))
            return (*pair)[0] * 10 + (*pair)[1];
        return minimum();
    }
    return QSpinBox::valueFromText(text);
}

QValidator::State DigitSpinBox::validate(QString &input, int &pos) const
{
    if (!m_fullYear)
        return QSpinBox::validate(input, pos);
    const QStringView t = QStringView(input).trimmed();
    if (t.isEmpty())
        return QValidator::Intermediate;
    if (t.size() > 4)
        return QValidator::Invalid;
    for (QChar c : t) {
        if (c < u'0' || c > u'9')
            return QValidator::Invalid;
    }
    return QValidator::Acceptable;
}

} // namespace zam
