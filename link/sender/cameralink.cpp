#include "cameralink.h"

#include "packet.h"

namespace zam {

CameraLink::CameraLink(Port &port, Clock &clock, QObject *parent)
    : QObject(parent), m_tap(port, clock), m_port(&m_tap), m_stopwatch(clock),
      m_refresh(clock, this), m_moves(*this), m_ledger(clock)
{
    connect(m_port, &Port::readyRead, this, &CameraLink::onPortReadyRead);
    connect(&m_tap, &PortTap::bytesPassed, this,
            [this](TrafficDirection direction, const QByteArray &bytes, qint64) {
                if (direction == TrafficDirection::ToCamera)
                    m_ledger.written(bytes);
                else
                    m_ledger.read(bytes);
            });
    connect(&m_tap, &PortTap::lineClosed, this, [this] { m_ledger.clear(); });
}

bool CameraLink::SD(const QByteArray &packet, int mode)
{
    if (mode == 1) {
        // A refused packet never reaches the camera, so no reply would end a
        // pause taken for it: the refusal leaves auto refresh as it is.
        if (!RefreshNotGoCheck())
            return false;
        m_refresh.commandSent();
    }
    write(packet, mode);
    return true;
}

void CameraLink::sendStop(const QByteArray &packet)
{
    m_refresh.commandSent();
    write(packet, 1);
}

void CameraLink::write(const QByteArray &packet, int mode)
{
    if (mode == 1) {
        m_state.LogTraffic = true;
        m_threshold = 1;
    } else if (mode == 0) {
        m_state.LogTraffic = false;
        m_threshold = 0;
    }
    if (m_state.LogTraffic) {
        m_sendText.append(hexCompact(packet));
        m_sendText.append(u"\r\n");
        m_sendText.cut();
        m_sendText.notify();
    }
    writeRaw(packet);
}

void CameraLink::writeRaw(const QByteArray &bytes)
{
    m_port->write(bytes);
    Q_EMIT packetWritten(bytes);
}

std::optional<QByteArray> CameraLink::WaitReply(int n)
{
    // While this runs no receive handling happens, also where the port's own
    // blocking wait announces data synchronously: the bytes taken here are
    // never logged or classified.
    m_inWait = true;
    bool there = false;
    for (;;) {
        if (m_port->bytesAvailable() >= n) {
            there = true;
            break;
        }
        if (m_stopwatch.WaitCheck(1.0))
            break;
        const auto left = m_stopwatch.remainingMs(1.0);
        const auto before = m_stopwatch.clock().nowMs();
        if (!m_port->waitForReadyRead(int(std::max<std::int64_t>(1, left)))) {
            // A closed port or a backend that returns early: sleep a little
            // rather than poll in a tight loop.
            if (m_stopwatch.clock().nowMs() == before)
                m_stopwatch.clock().sleepMs(std::min<std::int64_t>(left, 10));
        }
    }
    std::optional<QByteArray> result;
    if (there)
        result = m_port->readAll();
    m_stopwatch.WaitCheck(0);
    m_inWait = false;
    if (result)
        Q_EMIT replyTaken();
    return result;
}

QByteArray CameraLink::waitBytes(std::int64_t deadlineMs)
{
    m_inWait = true;
    Clock &clock = m_stopwatch.clock();
    for (;;) {
        if (m_port->bytesAvailable() > 0)
            break;
        const std::int64_t now = clock.nowMs();
        if (now >= deadlineMs)
            break;
        const std::int64_t left = deadlineMs - now;
        if (!m_port->waitForReadyRead(int(left)) && clock.nowMs() == now)
            clock.sleepMs(std::min<std::int64_t>(left, 10));
    }
    QByteArray bytes = m_port->readAll();
    m_inWait = false;
    if (!bytes.isEmpty())
        Q_EMIT replyTaken();
    return bytes;
}

QByteArray CameraLink::takeWaiting()
{
    m_inWait = true;
    // A zero wait moves what the device holds into the port's buffer.
    m_port->waitForReadyRead(0);
    QByteArray bytes = m_port->readAll();
    m_inWait = false;
    return bytes;
}

bool CameraLink::CheckFinishCommand()
{
    const TailClass tail = classifyLogTail(m_recvText.text());
    if (tail.finishes()) {
        m_refresh.commandFinished();
        Q_EMIT commandFinished();
        return true;
    }
    if (tail.networkChange()) {
        Q_EMIT networkChangeReceived();
        return true;
    }
    return false;
}

void CameraLink::receive(const QByteArray &bytes)
{
    if (bytes.isEmpty())
        return;
    for (char c : bytes) {
        const auto b = std::uint8_t(c);
        if (m_state.LogTraffic)
            m_recvText.appendHexByte(b);
        if (b == 0xFF) {
            CheckFinishCommand();
            if (m_state.LogTraffic)
                m_recvText.append(u"\r\n");
        }
    }
    m_recvText.cut();
    m_recvText.notify();
}

void CameraLink::commEvent(int code)
{
    if (code != 2)
        return;
    receive(m_port->readAll());
}

void CameraLink::onPortReadyRead()
{
    if (m_inWait || m_threshold != 1)
        return;
    commEvent(2);
}

void CameraLink::discardInput()
{
    m_port->readAll();
}

void CameraLink::clearLogs()
{
    m_sendText.clear();
    m_recvText.clear();
    m_sendText.notify();
    m_recvText.notify();
}

void DialogSender::logPacket(const QByteArray &packet)
{
    m_log->append(hexSpaced(packet));
    m_log->append(u"\r\n");
    m_log->cut();
    m_log->notify();
}

bool DialogSender::SD(const QByteArray &packet, int mode)
{
    m_link->writeRaw(packet);
    if (mode == 1)
        logPacket(packet);
    return true;
}

} // namespace zam
