#include "oscserver.h"

#include "listenrule.h"
#include "oscrequest.h"

#include <QUdpSocket>

#include <algorithm>
#include <memory>
#include <utility>

namespace zam::api {

namespace {

// The characters an OSC address may not hold in a part of it.
bool fitsAnAddress(const QByteArray &token)
{
    return std::all_of(token.begin(), token.end(), [](char c) {
        return c > ' ' && c < 0x7F && !QByteArrayView(" #*,/?[]{}").contains(c);
    });
}

} // namespace

OscServer::OscServer(Hub &hub, OscOptions options, QObject *parent)
    : QObject(parent), m_hub(&hub), m_options(std::move(options)), m_socket(new QUdpSocket(this))
{
    connect(m_socket, &QUdpSocket::readyRead, this, &OscServer::onReadyRead);
}

OscServer::~OscServer()
{
    close();
}

bool OscServer::listen(QString &why)
{
    if (!mayListen(m_options.address, m_options.token)) {
        why = QStringLiteral("OSC on %1 needs a token (--api-token-file)")
                  .arg(m_options.address.toString());
        return false;
    }
    if (!fitsAnAddress(m_options.token)) {
        why = QStringLiteral("the token cannot be part of an OSC address: it may hold no spaces "
                             "and none of # * , / ? [ ] { }");
        return false;
    }
    if (!m_socket->bind(m_options.address, m_options.port)) {
        why = QStringLiteral("could not bind OSC to %1:%2: %3")
                  .arg(m_options.address.toString())
                  .arg(m_options.port)
                  .arg(m_socket->errorString());
        return false;
    }
    return true;
}

void OscServer::close()
{
    m_socket->close();
    for (const Sender &s : std::exchange(m_senders, {}))
        m_hub->removeClient(s.client);
}

bool OscServer::isListening() const
{
    return m_socket->state() == QAbstractSocket::BoundState;
}

quint16 OscServer::port() const
{
    return m_socket->localPort();
}

QString OscServer::url() const
{
    const QHostAddress a = m_socket->localAddress();
    const QString host = a.protocol() == QAbstractSocket::IPv6Protocol
                             ? QStringLiteral("[%1]").arg(a.toString())
                             : a.toString();
    return QStringLiteral("osc.udp://%1:%2").arg(host).arg(port());
}

void OscServer::onReadyRead()
{
    while (m_socket->hasPendingDatagrams()) {
        const qint64 size = m_socket->pendingDatagramSize();
        if (size < 0 || size > kMaxMessageBytes) {
            m_socket->readDatagram(nullptr, 0); // dropped unread
            continue;
        }
        QByteArray datagram(qsizetype(size), '\0');
        QHostAddress from;
        quint16 port = 0;
        const qint64 n = m_socket->readDatagram(datagram.data(), size, &from, &port);
        if (n < 0)
            continue;
        datagram.truncate(qsizetype(n));
        take(datagram, from, port);
    }
}

void OscServer::take(const QByteArray &datagram, const QHostAddress &from, quint16 port)
{
    const bool open = m_options.token.isEmpty();
    QString why;
    const std::optional<OscMessage> message = decodeOsc(datagram, why);
    if (!message) {
        if (open)
            reply(from, port, encodeOsc(oscReply({}, QStringLiteral("bad-osc"), why)));
        return;
    }
    const OscTranslated translated = translateOsc(*message, m_options.token);
    if (const auto *no = std::get_if<OscRefusal>(&translated)) {
        if (no->code != QLatin1StringView("unauthorized"))
            reply(from, port, encodeOsc(oscReply(no->address, no->code, no->message)));
        return;
    }
    const Sender &s = senderFor(from, port);
    m_hub->receive(s.client, std::get<OscRequest>(translated).json);
}

OscServer::Sender &OscServer::senderFor(const QHostAddress &from, quint16 port)
{
    const auto same = [&](const Sender &s) { return s.port == port && s.address == from; };
    auto it = std::find_if(m_senders.begin(), m_senders.end(), same);
    if (it == m_senders.end()) {
        if (m_senders.size() >= std::size_t(kMaxOscSenders)) {
            const auto oldest = std::min_element(
                m_senders.begin(), m_senders.end(),
                [](const Sender &a, const Sender &b) { return a.heard < b.heard; });
            const Hub::ClientId gone = oldest->client;
            m_senders.erase(oldest);
            m_hub->removeClient(gone); // its moves stop now
        }
        Sender s;
        s.address = from;
        s.port = port;
        const auto self = std::make_shared<Hub::ClientId>(0);
        s.client = *self =
            m_hub->addClient({[this, from, port](const QByteArray &answer) {
                                  if (const std::optional<OscMessage> r = oscReplyOf(answer))
                                      reply(from, port, encodeOsc(*r));
                              },
                              // The hub gave up on it (too many refusals in a row); not at
                              // once, as the hub is still reading its request.
                              [this, self] {
                                  QMetaObject::invokeMethod(
                                      this, [this, self] { forget(*self); }, Qt::QueuedConnection);
                              }},
                             ClientAuth::FrontEnd);
        m_senders.push_back(s);
        it = m_senders.end() - 1;
    }
    it->heard = ++m_heard;
    return *it;
}

void OscServer::forget(Hub::ClientId client)
{
    const auto it = std::find_if(m_senders.begin(), m_senders.end(),
                                 [&](const Sender &s) { return s.client == client; });
    if (it == m_senders.end())
        return;
    m_senders.erase(it);
    m_hub->removeClient(client);
}

void OscServer::reply(const QHostAddress &to, quint16 port, const QByteArray &bytes)
{
    if (!bytes.isEmpty() && m_socket->state() == QAbstractSocket::BoundState)
        m_socket->writeDatagram(bytes, to, port);
}

} // namespace zam::api
