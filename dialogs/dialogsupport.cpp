#include "dialogsupport.h"

#include "maskencoding.h"

#include <QApplication>
#include <QCheckBox>
#include <QComboBox>
#include <QLineEdit>
#include <QPlainTextEdit>
#include <QTextCursor>
#include <cameralink.h>
#include <hexfield.h>
#include <trafficlog.h>

namespace zam::maskui {

QValidator::State HexDigitValidator::validate(QString &input, int &) const
{
    for (QChar &c : input) {
        const int digit = hexDigitValue(c);
        if (digit < 0)
            return Invalid;
        c = QLatin1Char(kHexDigits[digit]);
    }
    return Acceptable;
}

std::array<bool, 24> tickedZones(const QList<QCheckBox *> &boxes)
{
    std::array<bool, 24> ticked{};
    for (int i = 0; i < 24 && i < boxes.size(); ++i)
        ticked[std::size_t(i)] = boxes[i]->isChecked();
    return ticked;
}

void fillZoneList(QComboBox *list, const QString &prefix)
{
    list->clear();
    for (int zone = 0; zone < masks::kZoneCount; ++zone)
        list->addItem(prefix + masks::zoneLetter(zone));
    list->setCurrentIndex(-1);
}

void fillColourList(QComboBox *list)
{
    list->clear();
    list->addItems(masks::maskColourNames());
    list->setCurrentIndex(-1);
}

RefreshHold::RefreshHold(CameraLink &link, QObject *parent) : QObject(parent), m_link(&link)
{
    connect(m_link, &CameraLink::commandFinished, this, [this] {
        if (!m_holding)
            return;
        m_link->refresh().windowOpened();
    });
}

void RefreshHold::begin()
{
    m_holding = true;
    m_link->refresh().windowOpened();
}

void RefreshHold::end(bool detectionRunning)
{
    m_holding = false;
    m_link->refresh().windowClosed(detectionRunning ? AutoRefresh::HandBack::SwitchOff
                                                    : AutoRefresh::HandBack::Resume);
}

QMessageBox::StandardButton MaskDialog::ask(const OperatorMessage &message)
{
    return m_messages.show(message);
}

void MaskDialog::refuseField(QWidget *field, const QString &fieldName, const QString &problem)
{
    ask({QMessageBox::Warning, windowTitle(),
         QStringLiteral("%1: %2\nNothing was sent to the camera.").arg(fieldName, problem),
         QMessageBox::Ok});
    if (field) {
        field->setFocus();
        if (auto *box = qobject_cast<QLineEdit *>(field))
            box->selectAll();
    }
}

std::optional<unsigned> MaskDialog::valueOf(QLineEdit *box, unsigned maximum)
{
    return readHexBox(box, maximum, [&](const QString &range) {
        refuseField(nullptr, box->accessibleName(),
                    QStringLiteral("type a hexadecimal number from %1.").arg(range));
    });
}

std::optional<unsigned> MaskDialog::digitsOf(QLineEdit *box, int width)
{
    return valueOf(box, hexDigitsMax(width));
}

std::optional<int> MaskDialog::positionOf(QComboBox *list)
{
    const int at = list->currentIndex();
    if (at < 0 || at >= list->count()) {
        refuseField(list, list->accessibleName(), QStringLiteral("select an item of the list."));
        return std::nullopt;
    }
    return at;
}

std::optional<MaskColourChoice> MaskDialog::colourOf(QComboBox *list, QCheckBox *half)
{
    const auto at = positionOf(list);
    if (!at)
        return std::nullopt;
    const auto colour = masks::maskColourByte(*at, half && half->isChecked());
    if (!colour) {
        refuseField(list, list->accessibleName(), QStringLiteral("select a colour of the list."));
        return std::nullopt;
    }
    return MaskColourChoice{*colour & 0x0F, *colour >> 4};
}

} // namespace zam::maskui
