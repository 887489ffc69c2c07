#pragma once
// The simulated chain as a port backend inside the panel process (demo mode
// and most tests). Bytes reach the panel over time as the line would carry
// them: a blocking wait sleeps until the next byte is due, and receive
// events come from a timer on the user-interface thread.

#include "camerachain.h"

#include <QTimer>
#include <memory>
#include <port.h>

namespace zam {
class Clock;
}

namespace zam::sim {

class SimPort final : public Port {
    Q_OBJECT
public:
    SimPort(CameraChain &chain, Clock &clock, QObject *parent = nullptr);
    // A port that owns its chain (the demo, speed detection).
    SimPort(std::unique_ptr<CameraChain> chain, Clock &clock, QObject *parent = nullptr);

    OpenResult open(const PortSettings &settings) override;
    void close() override;
    bool isOpen() const override { return m_open; }
    QString deviceName() const override { return QStringLiteral("Simulated cameras"); }

    void write(const QByteArray &bytes) override;
    QByteArray readAll() override;
    qint64 bytesAvailable() override;
    bool waitForReadyRead(int ms) override;

    CameraChain &chain() { return *m_chain; }
    // Every packet written, in order (tests read what went on the wire).
    const QList<QByteArray> &written() const { return m_written; }
    void clearWritten() { m_written.clear(); }
    // Moves due bytes into the receive buffer; emits readyRead when any came.
    void deliverDue();
    // Makes the port refuse to open, as a missing device would.
    void setOpenFailure(OpenError e) { m_openFailure = e; }
    // The device goes away as an unplugged adapter does: the port closes and
    // says so. A later open finds it back.
    void unplug(const QString &reason = QStringLiteral("The device was unplugged."));
    // Bytes that arrive on the line whatever was sent (tests of odd replies).
    void inject(const QByteArray &bytes, int delayMs = 0);

private:
    void armTimer();
    bool moveDue();

    std::unique_ptr<CameraChain> m_ownedChain;
    CameraChain *m_chain;
    Clock *m_clock;
    LineSchedule m_line;
    QByteArray m_buffer;
    QTimer m_timer;
    QList<QByteArray> m_written;
    OpenError m_openFailure = OpenError::None;
    bool m_open = false;
};

} // namespace zam::sim
