#include "autorefreshcontrols.h"

#include <QAbstractButton>
#include <QMessageBox>
#include <cameralink.h>

namespace zam {

const QString AutoRefreshControls::kErrorText =
    QStringLiteral("Refresh Action Error !\nRefresh Action is Stopped.");

AutoRefreshControls::AutoRefreshControls(CameraLink &link, QAbstractButton *autoRefreshed,
                                         QAbstractButton *refreshOnce, QWidget *window,
                                         std::function<void()> readStatus, QObject *parent)
    : QObject(parent), m_link(&link), m_window(window), m_readStatus(std::move(readStatus))
{
    connect(autoRefreshed, &QAbstractButton::clicked, this, &AutoRefreshControls::toggle);
    connect(refreshOnce, &QAbstractButton::clicked, this, [this] { m_readStatus(); });
    connect(&link.refresh(), &AutoRefresh::tick, this, [this] { m_readStatus(); });
}

void AutoRefreshControls::toggle()
{
    m_link->refresh().operatorToggled();
}

void AutoRefreshControls::ARError()
{
    m_link->refresh().statusReadFailed();
    m_link->discardInput();

    if (!m_errorBox) {
        m_errorBox = new QMessageBox(QMessageBox::Critical, QStringLiteral("Warning"), kErrorText,
                                     QMessageBox::Ok, m_window);
        m_errorBox->setAttribute(Qt::WA_DeleteOnClose);
        m_errorBox->open();
    }
    m_errorBox->raise();
    m_errorBox->activateWindow();
}

} // namespace zam
