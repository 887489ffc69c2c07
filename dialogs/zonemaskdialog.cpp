#include "zonemaskdialog.h"

#include "maskencoding.h"

#include <QAbstractButton>
#include <QCheckBox>
#include <QComboBox>
#include <QGridLayout>
#include <QLineEdit>
#include <windowsupport.h>

namespace zam::maskui {

ZoneMaskDialog::ZoneMaskDialog(CameraLink &link, QWidget *parent)
    : MaskDialog(parent), m_link(&link), m_sender(link, m_log)
{
}

void ZoneMaskDialog::setUpShared(const Form &form)
{
    m_shown = widgetsIn<QCheckBox>(form.shownGrid);
    m_colour = widgetsIn<QCheckBox>(form.colourGrid);
    m_openingLists = form.openingLists;
    mirrorLog(m_log, form.logBox);
    connect(form.showZones, &QAbstractButton::clicked, this, [this] {
        const auto bitmap = masks::zoneBitmap(tickedZones(m_shown));
        sendPacket(0x77, QByteArray(reinterpret_cast<const char *>(bitmap.data()), 4));
    });
    connect(form.gridOn, &QAbstractButton::clicked, this,
            [this] { sendPacket(0x7C, QByteArray(1, 0x02)); });
    connect(form.gridOff, &QAbstractButton::clicked, this,
            [this] { sendPacket(0x7C, QByteArray(1, 0x03)); });
    connect(form.clearLog, &QAbstractButton::clicked, this, [this] {
        m_log.clear();
        m_log.notify();
    });
}

void ZoneMaskDialog::openFromMenu()
{
    for (QComboBox *list : m_openingLists)
        list->setCurrentIndex(0);
    show();
    raise();
    activateWindow();
}

void ZoneMaskDialog::sendPacket(std::uint8_t code, const QByteArray &parameters)
{
    m_sender.SD(masks::commandPacket(m_link->state().header(), code, parameters), 1);
}

void ZoneMaskDialog::sendColourRow(std::uint8_t first, std::uint8_t second)
{
    const auto bitmap = masks::zoneBitmap(tickedZones(m_colour));
    QByteArray p(reinterpret_cast<const char *>(bitmap.data()), 4);
    p.append(char(first)).append(char(second));
    sendPacket(0x78, p);
}

std::optional<QByteArray> ZoneMaskDialog::panTiltOf(QLineEdit *pan, QLineEdit *tilt)
{
    const auto p = digitsOf(pan, 3);
    if (!p)
        return std::nullopt;
    const auto t = digitsOf(tilt, 3);
    if (!t)
        return std::nullopt;
    return *p + *t;
}

void ZoneMaskDialog::sendPanTilt(QLineEdit *pan, QLineEdit *tilt)
{
    if (const auto angles = panTiltOf(pan, tilt))
        sendPacket(0x79, *angles);
}

void ZoneMaskDialog::sendMaskPosition(QComboBox *mask, QLineEdit *pan, QLineEdit *tilt,
                                      QLineEdit *zoom)
{
    const auto m = positionOf(mask);
    if (!m)
        return;
    const auto angles = panTiltOf(pan, tilt);
    if (!angles)
        return;
    const auto z = digitsOf(zoom, 4);
    if (!z)
        return;
    sendPacket(0x7B, QByteArray(1, char(*m)) + *angles + *z);
}

} // namespace zam::maskui
