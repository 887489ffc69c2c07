#include "tcpport.h"

#include <QUrl>

namespace zam {

bool parseTcpAddress(const QString &text, QString &host, quint16 &port)
{
    QString t = text.trimmed();
    if (t.startsWith(QLatin1String("tcp://"), Qt::CaseInsensitive))
        t = t.mid(6);
    const QUrl url(QStringLiteral("tcp://") + t);
    if (!url.isValid() || url.host().isEmpty() || url.port() <= 0 || !url.path().isEmpty())
        return false;
    host = url.host();
    port = quint16(url.port());
    return true;
}

TcpPortBackend::TcpPortBackend(QObject *parent) : Port(parent)
{
    connect(&m_socket, &QTcpSocket::readyRead, this, &Port::readyRead);
    connect(&m_socket, &QTcpSocket::disconnected, this, [this] {
        if (!m_closing)
            Q_EMIT deviceLost(QStringLiteral("The network serial server closed the connection."));
    });
}

OpenResult TcpPortBackend::open(const PortSettings &settings)
{
    close();
    m_name = settings.device;
    QString host;
    quint16 port = 0;
    if (!parseTcpAddress(settings.device, host, port)) {
        // Not a missing device: the address itself is incomplete.
        return {OpenError::Other,
                QStringLiteral("the address has no port number or is not host:port; "
                               "give it as tcp://HOST:PORT")};
    }
    m_socket.connectToHost(host, port);
    if (!m_socket.waitForConnected(kConnectTimeoutMs)) {
        OpenResult r;
        switch (m_socket.error()) {
        case QAbstractSocket::HostNotFoundError:
            // A name that does not resolve is a typing or network matter, not
            // an unplugged adapter.
            r.error = OpenError::Other;
            r.detail = QStringLiteral("the host name %1 could not be found").arg(host);
            m_socket.abort();
            return r;
        case QAbstractSocket::SocketAccessError:
            r.error = OpenError::PermissionDenied;
            break;
        default:
            r.error = OpenError::Other;
            break;
        }
        r.detail = m_socket.errorString();
        m_socket.abort();
        return r;
    }
    m_socket.setSocketOption(QAbstractSocket::LowDelayOption, 1);
    return {};
}

void TcpPortBackend::close()
{
    m_closing = true;
    m_socket.abort();
    m_closing = false;
}

bool TcpPortBackend::isOpen() const
{
    return m_socket.state() == QAbstractSocket::ConnectedState;
}

void TcpPortBackend::write(const QByteArray &bytes)
{
    if (!isOpen())
        return;
    m_socket.write(bytes);
    m_socket.flush();
}

QByteArray TcpPortBackend::readAll()
{
    return m_socket.readAll();
}

qint64 TcpPortBackend::bytesAvailable()
{
    return m_socket.bytesAvailable();
}

bool TcpPortBackend::waitForReadyRead(int ms)
{
    if (!isOpen())
        return false;
    return m_socket.waitForReadyRead(ms);
}

} // namespace zam
