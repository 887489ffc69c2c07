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
    : QObject(parent), m_link(&link), m_window(window), m_readStatus(std::move(readStatus)),
      m_messages(window)
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

    // One warning at a time: a read that fails again raises the open one.
    if (!m_errorBox) {
        m_errorBox =
            m_messages.post({QMessageBox::Critical, QStringLiteral("Warning"), kErrorText});
        return;
    }
    m_errorBox->raise();
    m_errorBox->activateWindow();
}

} // namespace zam
