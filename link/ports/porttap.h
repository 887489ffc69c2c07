#pragma once
// A port that hands every byte it carries to whoever listens, then passes it
// on: the traffic monitor's view of the line. The link owns one around the
// port it was given, so the packets of SD, of the dialogs' copies and of the
// console are seen as they are written, and replies are seen whether the
// receive handler or a reply wait reads them.
//
// Times are milliseconds on the given clock since the port first opened
// through the tap (since the tap was made, if the port was open already). A
// reopen keeps the origin, so the times of one run only ever grow.

#include "clock.h"
#include "port.h"

#include <cstdint>

namespace zam {

enum class TrafficDirection : std::uint8_t { ToCamera, FromCamera };

class PortTap final : public Port {
    Q_OBJECT
public:
    PortTap(Port &inner, Clock &clock, QObject *parent = nullptr);
    Clock &clock() const { return *m_clock; }

    OpenResult open(const PortSettings &settings) override;
    void close() override;
    bool isOpen() const override { return m_inner->isOpen(); }
    QString deviceName() const override { return m_inner->deviceName(); }

    void write(const QByteArray &bytes) override;
    QByteArray readAll() override;
    qint64 bytesAvailable() override { return m_inner->bytesAvailable(); }
    bool waitForReadyRead(int ms) override { return m_inner->waitForReadyRead(ms); }

    Port &inner() { return *m_inner; }
    // Milliseconds since the origin described above.
    qint64 elapsedMs() const;

Q_SIGNALS:
    // Bytes went to the line or came from it, in the order they passed.
    void bytesPassed(zam::TrafficDirection direction, const QByteArray &bytes, qint64 atMs);
    // The port was closed: whatever follows is a new conversation.
    void lineClosed(qint64 atMs);

private:
    Port *m_inner;
    Clock *m_clock;
    std::int64_t m_originMs;
    bool m_openedOnce = false;
};

} // namespace zam
