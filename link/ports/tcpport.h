#pragma once
// Port backend for serial device servers that carry the raw byte stream of
// an RS-232 line over TCP ("tcp://HOST:PORT"). No framing is added; the
// panel's timing rules stay those of the serial line.

#include "port.h"

#include <QTcpSocket>

namespace zam {

// Splits "tcp://host:port" (or "host:port"); answers false when it is no such address.
bool parseTcpAddress(const QString &text, QString &host, quint16 &port);

class TcpPortBackend final : public Port {
    Q_OBJECT
public:
    explicit TcpPortBackend(QObject *parent = nullptr);

    OpenResult open(const PortSettings &settings) override;
    void close() override;
    bool isOpen() const override;
    QString deviceName() const override { return m_name; }

    void write(const QByteArray &bytes) override;
    QByteArray readAll() override;
    qint64 bytesAvailable() override;
    bool waitForReadyRead(int ms) override;

    // How long opening waits for the device server to accept.
    static constexpr int kConnectTimeoutMs = 3000;

private:
    QTcpSocket m_socket;
    QString m_name;
    bool m_closing = false;
};

} // namespace zam
