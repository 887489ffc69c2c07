#include "zonemaskdialog.h"

#include "maskencoding.h"

#include <QAbstractButton>
#include <QCheckBox>
#include <QComboBox>
#include <QGridLayout>
#include <QLineEdit>
#include <windowsupport.h>

#include <vector>

namespace zam::maskui {

ZoneMaskDialog::ZoneMaskDialog(CameraLink &link, QWidget *parent)
    : MaskDialog(parent), m_link(&link), m_sender(link, m_log)
{}

void ZoneMaskDialog::setUpShared(const Form &form)
{
    m_shown = widgetsIn<QCheckBox>(form.shownGrid);
    m_colour = widgetsIn<QCheckBox>(form.colourGrid);
    m_openingLists = form.openingLists;
    mirrorLog(m_log, form.logBox);
    connect(form.showZones, &QAbstractButton::clicked, this, [this] {
        const auto bitmap = masks::zoneBitmap(tickedZones(m_shown));
        send(catalog::Id::PrivacyDisplay, {bitmap[0], bitmap[1], bitmap[2], bitmap[3]});
    });
    connect(form.gridOn, &QAbstractButton::clicked, this,
            [this] { send(catalog::Id::MaskGridOn); });
    connect(form.gridOff, &QAbstractButton::clicked, this,
            [this] { send(catalog::Id::MaskGridOff); });
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

void ZoneMaskDialog::send(catalog::Id id, std::initializer_list<int> values)
{
    sendEntry(m_sender, m_link->state().CameraAddress, id, values);
}

void ZoneMaskDialog::sendColourRow(catalog::Id id, std::initializer_list<int> colours)
{
    const auto bitmap = masks::zoneBitmap(tickedZones(m_colour));
    std::vector<int> values(bitmap.begin(), bitmap.end());
    values.insert(values.end(), colours.begin(), colours.end());
    sendEntry(m_sender, m_link->state().CameraAddress, id, values);
}

std::optional<std::pair<int, int>> ZoneMaskDialog::panTiltOf(QLineEdit *pan, QLineEdit *tilt)
{
    const auto p = digitsOf(pan, 3);
    if (!p)
        return std::nullopt;
    const auto t = digitsOf(tilt, 3);
    if (!t)
        return std::nullopt;
    return std::pair{int(*p), int(*t)};
}

void ZoneMaskDialog::sendPanTilt(QLineEdit *pan, QLineEdit *tilt)
{
    if (const auto angles = panTiltOf(pan, tilt))
        send(catalog::Id::PanTiltAngle, {angles->first, angles->second});
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
    send(catalog::Id::MaskPtz, {*m, angles->first, angles->second, int(*z)});
}

} // namespace zam::maskui
