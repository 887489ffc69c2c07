#pragma once
// The serial line as the panel uses it: open with line settings, write a
// packet, read and remove every waiting byte, count waiting bytes, and be told
// between events that bytes arrived. Backends: a real serial device (Qt's
// serial port), the in-process simulated cameras, and test doubles.

#include <QByteArray>
#include <QObject>
#include <QString>

namespace zam {

struct PortSettings {
    QString device;  // "/dev/ttyS0", "COM1", a pseudo-terminal path, or "sim:"
    int baud = 9600; // 9600, 19200 or 38400; no parity, 8 data bits, 1 stop bit
};

enum class OpenError { None, NoSuchDevice, PermissionDenied, Busy, Other };

struct OpenResult {
    OpenError error = OpenError::None;
    QString detail; // what the system said, for the operator
    bool ok() const { return error == OpenError::None; }
};

// Operator-facing reason for an open failure, including the serial-port group hint.
QString describeOpenFailure(const OpenResult &r, const QString &device);

class Port : public QObject {
    Q_OBJECT
public:
    using QObject::QObject;
    ~Port() override = default;

    // Steps of opening (speed, DTR, open, binary input) run in that order; a
    // failing setting is ignored, as the cameras' panel always did. Only the
    // open itself reports.
    virtual OpenResult open(const PortSettings &settings) = 0;
    virtual void close() = 0;
    virtual bool isOpen() const = 0;
    virtual QString deviceName() const = 0;

    virtual void write(const QByteArray &bytes) = 0;
    virtual QByteArray readAll() = 0;
    virtual qint64 bytesAvailable() = 0;

    // Blocks up to ms milliseconds until more bytes are waiting (no window
    // event runs meanwhile). Answers whether bytes arrived. A backend may
    // emit readyRead from inside; the link ignores it there.
    virtual bool waitForReadyRead(int ms) = 0;

Q_SIGNALS:
    // Bytes arrived; delivered on the user-interface thread between events.
    void readyRead();
    // The device went away (adapter unplugged, far end closed).
    void deviceLost(const QString &reason);
};

} // namespace zam
