#include "autorefresh.h"

namespace zam {

AutoRefresh::AutoRefresh(QObject *parent) : QObject(parent)
{
    m_timer.setObjectName(QStringLiteral("Timer1"));
    m_timer.setInterval(2000);
    connect(&m_timer, &QTimer::timeout, this, &AutoRefresh::tick);
}

void AutoRefresh::setCaptionAuto(bool on)
{
    if (m_auto == on)
        return;
    m_auto = on;
    Q_EMIT changed();
}

void AutoRefresh::setButtonEnabled(bool on)
{
    if (m_buttonEnabled == on)
        return;
    m_buttonEnabled = on;
    Q_EMIT changed();
}

void AutoRefresh::setRefreshOnceEnabled(bool on)
{
    if (m_refreshOnceEnabled == on)
        return;
    m_refreshOnceEnabled = on;
    Q_EMIT changed();
}

void AutoRefresh::setAutoRefreshChecked(bool on)
{
    if (m_menuChecked == on)
        return;
    m_menuChecked = on;
    Q_EMIT changed();
}

void AutoRefresh::setTimerEnabled(bool on)
{
    if (on == m_timer.isActive())
        return;
    if (on)
        m_timer.start();
    else
        m_timer.stop();
    Q_EMIT changed();
}

} // namespace zam
