#pragma once
// The control API over OSC on UDP, in front of the hub (oscrequest.h has
// the address space).
//
// The socket binds to loopback unless a token is set, as the WebSocket
// server does; with a token every datagram must carry it in its address, as
// a datagram's sender address can be forged. One that does not is dropped
// unanswered, so a forged sender is sent nothing back.
//
// Each sender (address and port) is one client of the hub, so its moves
// have their dead-man stops and its commands their fair turn. At most
// kMaxOscSenders are kept: a new one evicts the sender heard from longest
// ago, whose moves are stopped as for a client that went away. Only a
// datagram that carries the token (and reads) makes a sender.

#include "hub.h"

#include <QHostAddress>
#include <QObject>

#include <vector>

class QUdpSocket;

namespace zam::api {

inline constexpr int kMaxOscSenders = 16;

struct OscOptions {
    QHostAddress address = QHostAddress::LocalHost;
    quint16 port = 0; // 0: any free port
    QByteArray token;
};

class OscServer : public QObject {
    Q_OBJECT
public:
    OscServer(Hub &hub, OscOptions options, QObject *parent = nullptr);
    // The senders leave the hub: their moves get their stops.
    ~OscServer() override;

    // Binds; false with `why` (the port is taken, no token for a
    // non-loopback address, a token that cannot be part of an address).
    bool listen(QString &why);
    void close();
    bool isListening() const;
    quint16 port() const;
    QString url() const; // osc.udp://127.0.0.1:9000
    int senderCount() const { return int(m_senders.size()); }

private:
    struct Sender {
        QHostAddress address;
        quint16 port = 0;
        Hub::ClientId client = 0;
        quint64 heard = 0; // when it was heard last, in datagrams taken
    };

    void onReadyRead();
    void take(const QByteArray &datagram, const QHostAddress &from, quint16 port);
    Sender &senderFor(const QHostAddress &from, quint16 port);
    void forget(Hub::ClientId client);
    void reply(const QHostAddress &to, quint16 port, const QByteArray &bytes);

    Hub *m_hub;
    OscOptions m_options;
    QUdpSocket *m_socket;
    std::vector<Sender> m_senders;
    quint64 m_heard = 0;
};

} // namespace zam::api
