#include "qtserialport.h"

#include <QFile>
#include <QFileInfo>

#ifndef Q_OS_WIN
#include <sys/stat.h>
#endif

namespace zam {

QStringList serialLockFolders()
{
    return {QStringLiteral("/var/lock"), QStringLiteral("/run/lock")};
}

std::optional<SerialLock> findSerialLock(const QString &device, const QStringList &lockFolders,
                                         const QString &procFolder)
{
    const QString name = QFileInfo(device).fileName();
    if (name.isEmpty())
        return std::nullopt;
    QStringList names{name};
    if (device.startsWith(QLatin1String("/dev/")) && device.count(QLatin1Char('/')) > 2)
        names << device.mid(5).replace(QLatin1Char('/'), QLatin1Char('_'));
    for (const QString &folder : lockFolders) {
        for (const QString &n : names) {
            QFile lock(folder + QStringLiteral("/LCK..") + n);
            if (!lock.open(QIODevice::ReadOnly))
                continue;
            SerialLock found;
            found.file = lock.fileName();
            // Lock files hold the pid as text (ASCII, padded) or, from older
            // tools, as a binary int; only the text form is read.
            bool isNumber = false;
            const qint64 pid =
                QString::fromLatin1(lock.readLine(64)).trimmed().toLongLong(&isNumber);
            if (!isNumber || pid <= 0)
                return found;
            found.pid = pid;
            QFile comm(QStringLiteral("%1/%2/comm").arg(procFolder).arg(pid));
            found.alive = comm.open(QIODevice::ReadOnly);
            if (found.alive)
                found.command = QString::fromLocal8Bit(comm.readLine(256)).trimmed();
            return found;
        }
    }
    return std::nullopt;
}

QString serialLockHolder(const QString &device, const QStringList &lockFolders,
                         const QString &procFolder)
{
    const std::optional<SerialLock> lock = findSerialLock(device, lockFolders, procFolder);
    if (!lock || !lock->alive)
        return {}; // none, or a stale lock: its process is gone
    return lock->command.isEmpty()
               ? QStringLiteral("process %1").arg(lock->pid)
               : QStringLiteral("process %1 (%2)").arg(lock->pid).arg(lock->command);
}

QtSerialPortBackend::QtSerialPortBackend(QObject *parent) : Port(parent)
{
    connect(&m_port, &QSerialPort::readyRead, this, &Port::readyRead);
    connect(&m_port, &QSerialPort::errorOccurred, this, [this](QSerialPort::SerialPortError e) {
        if (!m_port.isOpen())
            return;
        // An unplugged adapter reads as a resource error. A line whose far
        // end hung up (a pseudo-terminal's owner gone, a modem dropping
        // carrier) reads as end of file, which Qt reports as a read error
        // on every turn of the event loop while the port stays open: the
        // device is gone all the same, and the port is closed at once.
        if (e == QSerialPort::ResourceError || e == QSerialPort::ReadError) {
            const QString why = e == QSerialPort::ReadError ? QStringLiteral("the device hung up")
                                                            : m_port.errorString();
            m_port.close();
            Q_EMIT deviceLost(why);
        }
    });
}

OpenResult QtSerialPortBackend::open(const PortSettings &settings)
{
    if (m_port.isOpen())
        m_port.close();
    m_port.setPortName(settings.device);
    m_port.setBaudRate(settings.baud);
    m_port.setParity(QSerialPort::NoParity);
    m_port.setDataBits(QSerialPort::Data8);
    m_port.setStopBits(QSerialPort::OneStop);
    m_port.setFlowControl(QSerialPort::NoFlowControl);

    OpenResult r;
#ifndef Q_OS_WIN
    // A path that names a plain file or a folder is no serial port; saying
    // "no such device" would send the operator to look for an adapter.
    struct stat st {};
    if (::stat(QFile::encodeName(settings.device).constData(), &st) == 0 && !S_ISCHR(st.st_mode)) {
        r.error = OpenError::Other;
        r.detail = QStringLiteral("%1 is %2, not a serial device")
                       .arg(settings.device, S_ISDIR(st.st_mode) ? QStringLiteral("a folder")
                                             : S_ISREG(st.st_mode)
                                                 ? QStringLiteral("a regular file")
                                                 : QStringLiteral("no character device"));
        return r;
    }
#endif
    if (!m_port.open(QIODevice::ReadWrite)) {
        switch (m_port.error()) {
        case QSerialPort::DeviceNotFoundError:
            r.error = OpenError::NoSuchDevice;
            break;
        case QSerialPort::PermissionError:
            // Qt reports a port locked by another process as a permission error
            // too; a readable, writable device node means it is busy.
            r.error = QFileInfo(settings.device).isWritable() ? OpenError::Busy
                                                              : OpenError::PermissionDenied;
            break;
        case QSerialPort::OpenError:
            r.error = OpenError::Busy;
            break;
        default:
            r.error = OpenError::Other;
            break;
        }
        if (r.error == OpenError::NoSuchDevice || !QFileInfo::exists(settings.device)) {
#ifndef Q_OS_WIN
            if (!QFileInfo::exists(settings.device))
                r.error = OpenError::NoSuchDevice;
#endif
        }
        r.detail = r.error == OpenError::Busy
                       ? serialLockHolder(settings.device, serialLockFolders())
                       : m_port.errorString();
        m_port.clearError();
        return r;
    }
    // DTR on: a pseudo-terminal refuses it, which is ignored like every other
    // opening step.
    m_port.setDataTerminalReady(true);
    m_port.clearError();
    m_port.clear(QSerialPort::Input);
    return r;
}

void QtSerialPortBackend::close()
{
    if (m_port.isOpen())
        m_port.close();
}

void QtSerialPortBackend::write(const QByteArray &bytes)
{
    if (!m_port.isOpen())
        return;
    m_port.write(bytes);
    m_port.flush();
}

QByteArray QtSerialPortBackend::readAll()
{
    return m_port.isOpen() ? m_port.readAll() : QByteArray();
}

qint64 QtSerialPortBackend::bytesAvailable()
{
    return m_port.isOpen() ? m_port.bytesAvailable() : 0;
}

bool QtSerialPortBackend::waitForReadyRead(int ms)
{
    if (!m_port.isOpen()) {
        return false;
    }
    return m_port.waitForReadyRead(ms);
}

} // namespace zam
