#pragma once
// Auto-refresh state: the refresh clock Timer1 and the state of the
// AutoRefreshed button, whose caption ("Auto"/"Stop") and enabled state are
// the panel's record of whether refresh runs or is paused by a command.
//
//   state                 caption  button   Timer1   Refreshonce
//   off (start-up)        Stop     enabled  off      enabled
//   on                    Auto     enabled  on       disabled
//   paused by a command   Auto     disabled off      disabled

#include <QObject>
#include <QString>
#include <QTimer>

namespace zam {

class AutoRefresh : public QObject {
    Q_OBJECT
public:
    explicit AutoRefresh(QObject *parent = nullptr);

    QTimer &Timer1() { return m_timer; }
    const QTimer &Timer1() const { return m_timer; }

    bool captionIsAuto() const { return m_auto; }
    QString caption() const { return m_auto ? QStringLiteral("Auto") : QStringLiteral("Stop"); }
    bool buttonEnabled() const { return m_buttonEnabled; }
    bool refreshOnceEnabled() const { return m_refreshOnceEnabled; }
    // The check mark of the "Auto Refresh" menu entry (starts unchecked).
    bool autoRefreshChecked() const { return m_menuChecked; }

    void setCaptionAuto(bool on);
    void setButtonEnabled(bool on);
    void setRefreshOnceEnabled(bool on);
    void setAutoRefreshChecked(bool on);
    void setTimerEnabled(bool on);

    // A slider or window that stopped Timer1 lets go of it. Timer1 runs
    // again when the "Auto Refresh" entry is checked, and also while auto
    // refresh is on with no command holding it paused (caption "Auto",
    // button enabled): nothing else would restart it, and the window would
    // go on reading "Auto" with no refresh.
    void resumeAfterHold()
    {
        if (m_menuChecked || (m_auto && m_buttonEnabled))
            setTimerEnabled(true);
    }
    bool timerEnabled() const { return m_timer.isActive(); }

Q_SIGNALS:
    // Caption, enabled states or timer changed: the window mirrors them.
    void changed();
    // Timer1 fired: run the status read.
    void tick();

private:
    QTimer m_timer;
    bool m_auto = false;
    bool m_buttonEnabled = true;
    bool m_refreshOnceEnabled = true;
    bool m_menuChecked = false;
};

} // namespace zam
