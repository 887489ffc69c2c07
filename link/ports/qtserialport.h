#pragma once
// Port backend on a real serial device through Qt's serial port.

#include "port.h"

#include <QSerialPort>
#include <QStringList>

namespace zam {

// The folders where serial-port lock files ("LCK..ttyUSB0") are kept.
QStringList serialLockFolders();
// Who holds the serial device's lock file in one of lockFolders: "process
// 1234 (minicom)", or empty when there is no lock file or its process is
// gone. The name is that of PROC/PID/comm.
QString serialLockHolder(const QString &device, const QStringList &lockFolders,
                         const QString &procFolder = QStringLiteral("/proc"));

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
