#pragma once
// The control API on a WebSocket: each connection a client of the hub.
//
// The server binds to loopback unless a token is set: a client on another
// machine must say the token first. A handshake whose Origin header names a
// web page is refused unless that origin was allowed, so that a page in the
// operator's browser cannot drive the cameras through the loopback port. A
// message longer than kMaxMessageBytes closes the connection.

#include "hub.h"

#include <QHostAddress>
#include <QObject>
#include <QStringList>

class QWebSocket;
class QWebSocketServer;

namespace zam::api {

struct ServerOptions {
    QHostAddress address = QHostAddress::LocalHost;
    quint16 port = 0; // 0: any free port
    QByteArray token;
    QStringList allowedOrigins; // "http://localhost:8080"
    bool allowRaw = false;
};

// "[HOST:]PORT" as --api takes it; false with `why` when it does not read.
bool parseListenAddress(const QString &text, QHostAddress &address, quint16 &port, QString &why);
// Reads a token file (its first line, trimmed); empty with `why` on failure.
QByteArray readTokenFile(const QString &path, QString &why);
// 32 random bytes as 64 hexadecimal digits.
QByteArray generateToken();

class ApiServer : public QObject {
    Q_OBJECT
public:
    // With a hub of its own (token and allowRaw from the options).
    ApiServer(CameraLink &link, ServerOptions options, QObject *parent = nullptr);
    // In front of a hub it shares (with the OSC server); the hub's own
    // options count, and it must outlive the server.
    ApiServer(Hub &hub, ServerOptions options, QObject *parent = nullptr);
    ~ApiServer() override;

    // Listens; false with `why` (the address is taken, no token for a
    // non-loopback address).
    bool listen(QString &why);
    void close();
    bool isListening() const;
    quint16 port() const;
    QString url() const;
    Hub &hub() { return *m_hub; }

private:
    void onConnection();
    void setUp();

    ServerOptions m_options;
    Hub *m_hub;
    QWebSocketServer *m_server;
};

} // namespace zam::api
