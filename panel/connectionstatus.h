#pragma once
// The main window's status bar: port and speed, cameras on the chain, the
// selected camera, the auto-refresh state, the time of the last finishing
// reply with its round trip, a clear mark when the camera stopped answering,
// and the Reconnect button when the port went away. Its times are on the
// link's clock.

#include <QObject>
#include <clock.h>

class QLabel;
class QToolButton;

namespace zam {

class FrmMain;

class ConnectionStatus : public QObject {
    Q_OBJECT
public:
    ConnectionStatus(FrmMain &window, QString portText);

    // Time after a command without a finishing reply before the camera
    // counts as not answering.
    static constexpr int kNoAnswerMs = 2000;
    static const QString kNotFinishedMessage;

    QString portText() const;
    QString chainText() const;
    QString refreshText() const;
    QString replyText() const;
    bool notAnswering() const { return m_notAnswering; }
    bool lost() const { return m_lost; }
    QToolButton *reconnectButton() const { return m_reconnect; }

    void refresh();
    void setLost(const QString &reason);
    void setReconnected();
    // A status read ended: answered or given up.
    void statusRead(bool answered);

private:
    void commandSent();
    void commandFinished();
    void cameraAnswered();
    void setNotAnswering(bool on);

    FrmMain *m_window;
    QString m_port;
    QLabel *m_portLabel;
    QLabel *m_chainLabel;
    QLabel *m_refreshLabel;
    QLabel *m_replyLabel;
    QLabel *m_alarmLabel;
    QToolButton *m_reconnect;
    std::int64_t m_sentAtMs = -1;
    ClockTimer m_watchdog;
    bool m_waiting = false;
    bool m_notAnswering = false;
    bool m_lost = false;
    QString m_lastReply;
};

} // namespace zam
