#pragma once
// Port backend on a real serial device through Qt's serial port.

#include "port.h"

#include <QSerialPort>

namespace zam {

class QtSerialPortBackend final : public Port {
    Q_OBJECT
public:
    explicit QtSerialPortBackend(QObject *parent = nullptr);

    OpenResult open(const PortSettings &settings) override;
    void close() override;
    bool isOpen() const override { return m_port.isOpen(); }
    QString deviceName() const override { return m_port.portName(); }

    void write(const QByteArray &bytes) override;
    QByteArray readAll() override;
    qint64 bytesAvailable() override;
    bool waitForReadyRead(int ms) override;

private:
    QSerialPort m_port;
};

} // namespace zam
