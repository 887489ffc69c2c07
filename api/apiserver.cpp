#include "apiserver.h"
#include "listenrule.h"

#include <QFile>
#include <QRandomGenerator>
#include <QWebSocket>
#include <QWebSocketCorsAuthenticator>
#include <QWebSocketServer>

namespace zam::api {

bool parseListenAddress(const QString &text, QHostAddress &address, quint16 &port, QString &why)
{
    const qsizetype colon = text.lastIndexOf(u':');
    const QString host = colon < 0 ? QString() : text.left(colon);
    const QString number = colon < 0 ? text : text.mid(colon + 1);
    bool ok = false;
    const uint p = number.toUInt(&ok);
    if (!ok || p > 65535) {
        why = QStringLiteral("the port must be a number 0..65535, not '%1'").arg(number);
        return false;
    }
    address = QHostAddress::LocalHost;
    if (!host.isEmpty() && host != QLatin1StringView("localhost")) {
        QString bare = host;
        if (bare.startsWith(u'[') && bare.endsWith(u']'))
            bare = bare.mid(1, bare.size() - 2);
        if (!address.setAddress(bare)) {
            why = QStringLiteral("'%1' is not an IP address").arg(host);
            return false;
        }
    }
    port = quint16(p);
    return true;
}

QByteArray readTokenFile(const QString &path, QString &why)
{
    QFile f(path);
    if (!f.open(QIODevice::ReadOnly)) {
        why = QStringLiteral("could not read the token file %1: %2").arg(path, f.errorString());
        return {};
    }
    const QByteArray token = f.read(4096).split('\n').value(0).trimmed();
    if (token.size() < 16)
        why = QStringLiteral("the token in %1 is shorter than 16 characters").arg(path);
    return token.size() < 16 ? QByteArray() : token;
}

QByteArray generateToken()
{
    QByteArray bytes(32, '\0');
    QRandomGenerator::system()->generate(bytes.begin(), bytes.end());
    return bytes.toHex();
}

ApiServer::ApiServer(CameraLink &link, ServerOptions options, QObject *parent)
    : QObject(parent), m_options(std::move(options)),
      m_hub(new Hub(link, {m_options.token, m_options.allowRaw}, this)),
      m_server(
          new QWebSocketServer(QStringLiteral("zam-panel"), QWebSocketServer::NonSecureMode, this))
{
    setUp();
}

ApiServer::ApiServer(Hub &hub, ServerOptions options, QObject *parent)
    : QObject(parent), m_options(std::move(options)), m_hub(&hub),
      m_server(
          new QWebSocketServer(QStringLiteral("zam-panel"), QWebSocketServer::NonSecureMode, this))
{
    setUp();
}

void ApiServer::setUp()
{
    // A browser names the page that opens the socket; other clients send no
    // Origin at all.
    connect(m_server, &QWebSocketServer::originAuthenticationRequired, this,
            [this](QWebSocketCorsAuthenticator *auth) {
                const QString origin = auth->origin();
                auth->setAllowed(origin.isEmpty() || m_options.allowedOrigins.contains(origin));
            });
    connect(m_server, &QWebSocketServer::newConnection, this, &ApiServer::onConnection);
}

ApiServer::~ApiServer()
{
    close();
}

bool ApiServer::listen(QString &why)
{
    if (!mayListen(m_options.address, m_options.token)) {
        why = QStringLiteral("listening on %1 needs a token (--api-token-file)")
                  .arg(m_options.address.toString());
        return false;
    }
    if (!m_server->listen(m_options.address, m_options.port)) {
        why = QStringLiteral("could not listen on %1:%2: %3")
                  .arg(m_options.address.toString())
                  .arg(m_options.port)
                  .arg(m_server->errorString());
        return false;
    }
    return true;
}

void ApiServer::close()
{
    m_server->close();
    for (QWebSocket *s : findChildren<QWebSocket *>())
        s->abort();
}

bool ApiServer::isListening() const
{
    return m_server->isListening();
}

quint16 ApiServer::port() const
{
    return m_server->serverPort();
}

QString ApiServer::url() const
{
    return m_server->serverUrl().toString();
}

void ApiServer::onConnection()
{
    while (QWebSocket *socket = m_server->nextPendingConnection()) {
        socket->setParent(this);
        socket->setMaxAllowedIncomingMessageSize(kMaxMessageBytes);
        socket->setMaxAllowedIncomingFrameSize(kMaxMessageBytes);
        const Hub::ClientId id = m_hub->addClient(
            {[socket](const QByteArray &m) { socket->sendTextMessage(QString::fromUtf8(m)); },
             [socket] { socket->close(QWebSocketProtocol::CloseCodePolicyViolated); }});
        connect(socket, &QWebSocket::textMessageReceived, this,
                [this, id](const QString &m) { m_hub->receive(id, m.toUtf8()); });
        connect(socket, &QWebSocket::binaryMessageReceived, this,
                [this, id](const QByteArray &m) { m_hub->receive(id, m); });
        // Gone, however it went: its moves stop now.
        connect(socket, &QWebSocket::disconnected, this, [this, id, socket] {
            m_hub->removeClient(id);
            socket->deleteLater();
        });
    }
}

} // namespace zam::api
