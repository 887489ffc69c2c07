#include "connectionstatus.h"

#include "frmmain.h"

#include <QLabel>
#include <QStatusBar>
#include <QTime>
#include <QToolButton>

namespace zam {

const QString ConnectionStatus::kNotFinishedMessage =
    QStringLiteral("The camera did not finish the last command within 10 s; auto refresh resumed.");

namespace {

// The label's text is what a screen reader announces as its name, so the
// state it shows is read out; what the field is for is its description.
QLabel *addLabel(QStatusBar *bar, const char *name, const QString &purpose, bool permanent = true)
{
    auto *l = new QLabel(bar);
    l->setObjectName(QLatin1String(name));
    l->setAccessibleDescription(purpose);
    l->setTextInteractionFlags(Qt::TextSelectableByKeyboard | Qt::TextSelectableByMouse);
    if (permanent)
        bar->addPermanentWidget(l);
    else
        bar->addWidget(l, 1);
    return l;
}

} // namespace

ConnectionStatus::ConnectionStatus(FrmMain &window, QString portText)
    : QObject(&window), m_window(&window), m_port(std::move(portText)),
      m_watchdog(window.link().clock())
{
    QStatusBar *bar = window.statusBar();
    m_alarmLabel = addLabel(bar, "ConnectionState", QStringLiteral("Connection state"), false);
    m_portLabel = addLabel(bar, "PortState", QStringLiteral("Port and line speed"));
    m_chainLabel =
        addLabel(bar, "ChainState", QStringLiteral("Cameras on the chain and the selected camera"));
    m_refreshLabel = addLabel(bar, "RefreshState", QStringLiteral("Auto refresh state"));
    m_replyLabel =
        addLabel(bar, "ReplyState", QStringLiteral("Last finishing reply and its round trip"));
    m_reconnect = new QToolButton(bar);
    m_reconnect->setObjectName(QStringLiteral("Reconnect"));
    m_reconnect->setText(QStringLiteral("Reconnect"));
    m_reconnect->setAccessibleName(
        QStringLiteral("Reconnect: open the port again and restart the camera exchange"));
    m_reconnect->setToolTip(m_reconnect->accessibleName());
    m_reconnect->hide();
    bar->addPermanentWidget(m_reconnect);

    CameraLink &link = window.link();
    m_watchdog.setSingleShot(true);
    m_watchdog.setInterval(kNoAnswerMs);
    connect(&m_watchdog, &ClockTimer::timeout, this, [this] {
        if (m_waiting)
            setNotAnswering(true);
    });
    connect(&link, &CameraLink::packetWritten, this, [this, &link] {
        // Commands sent for the receive handler to finish (mode 1, console).
        if (link.receiveThreshold() == 1)
            commandSent();
    });
    connect(&link, &CameraLink::commandFinished, this, &ConnectionStatus::commandFinished);
    connect(&link, &CameraLink::replyTaken, this, &ConnectionStatus::cameraAnswered);
    connect(&link.refresh(), &AutoRefresh::changed, this, &ConnectionStatus::refresh);
    connect(&link.refresh(), &AutoRefresh::commandNotFinished, this,
            [bar] { bar->showMessage(kNotFinishedMessage); });
    refresh();
}

QString ConnectionStatus::portText() const
{
    QString name = m_window->link().port().deviceName();
    if (name.isEmpty())
        name = m_port;
    return QStringLiteral("%1, %2 bit/s").arg(name, m_window->baudRateText());
}

QString ConnectionStatus::chainText() const
{
    const ModuleState &s = m_window->state();
    return QStringLiteral("Cameras: %1, selected: %2").arg(s.CameraCount).arg(s.CameraAddress);
}

QString ConnectionStatus::refreshText() const
{
    const AutoRefresh &r = m_window->link().refresh();
    if (!r.captionIsAuto())
        return r.timerEnabled() ? QStringLiteral("Refresh: periodic (after recall)")
                                : QStringLiteral("Refresh: off");
    return r.buttonEnabled() ? QStringLiteral("Refresh: on")
                             : QStringLiteral("Refresh: paused by a command");
}

QString ConnectionStatus::replyText() const
{
    return m_lastReply.isEmpty() ? QStringLiteral("No reply yet") : m_lastReply;
}

void ConnectionStatus::refresh()
{
    m_portLabel->setText(portText());
    m_chainLabel->setText(chainText());
    m_refreshLabel->setText(refreshText());
    m_replyLabel->setText(replyText());
    if (m_lost) {
        m_alarmLabel->setText(QStringLiteral("\u26A0 Connection lost"));
    } else if (m_notAnswering) {
        m_alarmLabel->setText(QStringLiteral("\u26A0 The camera is not answering"));
    } else {
        m_alarmLabel->setText(QStringLiteral("Connected"));
    }
    m_alarmLabel->setStyleSheet(m_lost || m_notAnswering
                                    ? QStringLiteral("color: #b00020; font-weight: bold;")
                                    : QString());
    m_reconnect->setVisible(m_lost);
}

void ConnectionStatus::commandSent()
{
    m_sentAtMs = m_window->link().clock().nowMs();
    m_waiting = true;
    m_watchdog.start();
}

void ConnectionStatus::commandFinished()
{
    const QString at = QTime::currentTime().toString(QStringLiteral("HH:mm:ss"));
    // Round trip from the newest command sent (commands may overlap: a hold
    // button's stop follows its move before the move's completion arrives).
    const std::int64_t roundTrip = m_window->link().clock().nowMs() - m_sentAtMs;
    if (m_sentAtMs >= 0 && roundTrip < 10'000)
        m_lastReply = QStringLiteral("Last reply %1, round trip %2 ms").arg(at).arg(roundTrip);
    else
        m_lastReply = QStringLiteral("Last reply %1").arg(at);
    m_waiting = false;
    m_watchdog.stop();
    setNotAnswering(false);
    refresh();
}

void ConnectionStatus::cameraAnswered()
{
    // A command whose reply a wait took (the line check, the alarm read, the
    // dialogs' inquiries) is not one the camera left unanswered.
    m_waiting = false;
    m_watchdog.stop();
    setNotAnswering(false);
}

void ConnectionStatus::statusRead(bool answered)
{
    if (answered)
        cameraAnswered();
    else
        setNotAnswering(true);
    refresh();
}

void ConnectionStatus::setNotAnswering(bool on)
{
    if (m_notAnswering == on)
        return;
    m_notAnswering = on;
    refresh();
}

void ConnectionStatus::setLost(const QString &reason)
{
    m_lost = true;
    m_waiting = false;
    m_watchdog.stop();
    refresh();
    m_window->statusBar()->setToolTip(reason);
    m_alarmLabel->setToolTip(reason);
}

void ConnectionStatus::setReconnected()
{
    m_lost = false;
    m_notAnswering = false;
    m_alarmLabel->setToolTip(QString());
    refresh();
}

} // namespace zam
