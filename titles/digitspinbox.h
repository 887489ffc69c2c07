#pragma once
// A spin box for the clock fields: shows two digits with a leading zero
// ("05"), as the camera's clock takes them. With full-year input it also
// takes a four-digit year and keeps its last two digits (2026 -> 26).

#include <QSpinBox>

namespace zam {

class DigitSpinBox : public QSpinBox {
    Q_OBJECT
public:
    using QSpinBox::QSpinBox;

    void setFullYearInput(bool on) { m_fullYear = on; }
    bool fullYearInput() const { return m_fullYear; }

protected:
    QString textFromValue(int value) const override;
    int valueFromText(const QString &text) const override;
    QValidator::State validate(QString &input, int &pos) const override;

private:
    bool m_fullYear = false;
};

} // namespace zam
