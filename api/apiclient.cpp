#include "apiclient.h"

#include <QEventLoop>
#include <QJsonDocument>
#include <QWebSocket>

namespace zam::api {

ApiClient::ApiClient(Clock &clock, QObject *parent)
    : QObject(parent), m_clock(&clock),
      m_socket(new QWebSocket(QString(), QWebSocketProtocol::VersionLatest, this))
{
    connect(m_socket, &QWebSocket::textMessageReceived, this, [this](const QString &text) {
        const QJsonObject o = QJsonDocument::fromJson(text.toUtf8()).object();
        // Events carry no id; only replies are kept.
        if (o.contains(QStringLiteral("id")))
            m_replies.push_back(o);
    });
    connect(m_socket, &QWebSocket::disconnected, this, [this] { m_gone = true; });
    connect(m_socket, qOverload<QAbstractSocket::SocketError>(&QWebSocket::error), this,
            [this](QAbstractSocket::SocketError e) {
                if (m_socketError.isEmpty())
                    m_socketError =
                        e == QAbstractSocket::ConnectionRefusedError
                            ? QStringLiteral("nothing is listening on %1: is the panel's "
                                             "control API on?")
                                  .arg(m_url.toString())
                            : QStringLiteral("%1: %2").arg(m_url.toString(),
                                                           m_socket->errorString());
                m_gone = true;
            });
}

ApiClient::~ApiClient()
{
    close();
}

bool ApiClient::connected() const
{
    return m_socket->state() == QAbstractSocket::ConnectedState;
}

bool ApiClient::waitFor(const std::function<bool()> &done, int ms)
{
    if (done())
        return true;
    QEventLoop loop;
    ClockTimer deadline(*m_clock);
    deadline.setSingleShot(true);
    bool over = false;
    connect(&deadline, &ClockTimer::timeout, &loop, [&] {
        over = true;
        loop.quit();
    });
    // Whatever the socket says may be the awaited answer.
    const auto wake = [&] { loop.quit(); };
    const QList<QMetaObject::Connection> wakes{
        connect(m_socket, &QWebSocket::textMessageReceived, &loop, wake),
        connect(m_socket, &QWebSocket::connected, &loop, wake),
        connect(m_socket, &QWebSocket::disconnected, &loop, wake),
        connect(m_socket, qOverload<QAbstractSocket::SocketError>(&QWebSocket::error), &loop, wake),
    };
    deadline.start(ms);
    bool finished = false;
    while (!(finished = done()) && !over)
        loop.exec();
    for (const QMetaObject::Connection &c : wakes)
        disconnect(c);
    return finished;
}

bool ApiClient::open(const QUrl &url, const QByteArray &token, QString &why)
{
    m_url = url;
    m_gone = false;
    m_socketError.clear();
    m_socket->open(url);
    if (!waitFor([this] { return connected() || m_gone; }, kClientConnectMs)) {
        m_socket->abort();
        why = QStringLiteral("no answer from %1 within %2 s")
                  .arg(url.toString())
                  .arg(kClientConnectMs / 1000);
        return false;
    }
    if (!connected()) {
        why = m_socketError.isEmpty()
                  ? QStringLiteral("%1 refused the connection").arg(url.toString())
                  : m_socketError;
        return false;
    }
    if (token.isEmpty())
        return true;
    const std::optional<QJsonObject> hello =
        request({{QStringLiteral("op"), QStringLiteral("hello")},
                 {QStringLiteral("token"), QString::fromUtf8(token)}},
                why);
    if (!hello)
        return false;
    if (!hello->value(QStringLiteral("ok")).toBool()) {
        why = QStringLiteral("%1 refused the token: %2")
                  .arg(url.toString(), hello->value(QStringLiteral("error"))
                                           .toObject()
                                           .value(QStringLiteral("message"))
                                           .toString());
        return false;
    }
    return true;
}

std::optional<QJsonObject> ApiClient::request(QJsonObject request, QString &why)
{
    const int id = m_nextId++;
    request.insert(QStringLiteral("id"), id);
    const QString op = request.value(QStringLiteral("op")).toString();
    if (!connected()) {
        why = QStringLiteral("%1 closed the connection").arg(m_url.toString());
        return std::nullopt;
    }
    m_socket->sendTextMessage(
        QString::fromUtf8(QJsonDocument(request).toJson(QJsonDocument::Compact)));
    std::optional<QJsonObject> reply;
    const auto answered = [&] {
        while (!m_replies.empty()) {
            QJsonObject o = std::move(m_replies.front());
            m_replies.pop_front();
            if (o.value(QStringLiteral("id")).toInt() == id) {
                reply = std::move(o);
                return true;
            }
        }
        return m_gone;
    };
    if (!waitFor(answered, kClientReplyMs)) {
        why = QStringLiteral("%1 did not answer the %2 request within %3 s")
                  .arg(m_url.toString(), op)
                  .arg(kClientReplyMs / 1000);
        return std::nullopt;
    }
    if (!reply)
        why = QStringLiteral("%1 closed the connection before it answered the %2 request")
                  .arg(m_url.toString(), op);
    return reply;
}

void ApiClient::close()
{
    if (m_socket->state() != QAbstractSocket::UnconnectedState)
        m_socket->close();
}

} // namespace zam::api
