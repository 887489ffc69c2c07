#pragma once
// Port backend on a real serial device through Qt's serial port.

#include "port.h"

#include <QSerialPort>
#include <QStringList>
#include <optional>

namespace zam {

// The folders where serial-port lock files ("LCK..ttyUSB0") are kept.
QStringList serialLockFolders();

// A serial device's lock file: "LCK..ttyUSB0", or "LCK..pts_3" as Qt names
// the lock of /dev/pts/3. pid 0: the file holds no pid that can be read.
struct SerialLock {
    QString file;
    qint64 pid = 0;
    QString command; // PROC/PID/comm; empty when the process is gone
    bool alive = false;
};
// The first lock file of the device in lockFolders, live or stale.
std::optional<SerialLock> findSerialLock(const QString &device, const QStringList &lockFolders,
                                         const QString &procFolder = QStringLiteral("/proc"));
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
