#include "simport.h"

#include <clock.h>

#include <algorithm>

namespace zam::sim {

SimPort::SimPort(CameraChain &chain, Clock &clock, QObject *parent)
    : Port(parent), m_chain(&chain), m_clock(&clock)
{
    m_timer.setSingleShot(true);
    m_timer.setTimerType(Qt::PreciseTimer);
    connect(&m_timer, &QTimer::timeout, this, &SimPort::deliverDue);
}

SimPort::SimPort(std::unique_ptr<CameraChain> chain, Clock &clock, QObject *parent)
    : SimPort(*chain, clock, parent)
{
    m_ownedChain = std::move(chain);
}

OpenResult SimPort::open(const PortSettings &settings)
{
    if (m_openFailure != OpenError::None)
        return {m_openFailure, QStringLiteral("simulated failure")};
    m_line.setBaud(settings.baud);
    m_chain->setPanelBaud(settings.baud);
    m_open = true;
    return {};
}

void SimPort::close()
{
    m_open = false;
    m_timer.stop();
    m_line.clear();
    m_buffer.clear();
}

void SimPort::unplug(const QString &reason)
{
    if (!m_open)
        return;
    close();
    Q_EMIT deviceLost(reason);
}

void SimPort::write(const QByteArray &bytes)
{
    if (!m_open)
        return;
    m_written.append(bytes);
    const std::int64_t now = m_clock->nowMs();
    // The cameras see the packet once its last byte has crossed the line.
    const std::int64_t arrived = now + (bytes.size() * m_line.byteUs() + 999) / 1000;
    m_line.schedule(m_chain->feed(bytes, arrived), arrived);
    armTimer();
}

void SimPort::inject(const QByteArray &bytes, int delayMs)
{
    m_line.schedule({{bytes, delayMs}}, m_clock->nowMs());
    armTimer();
}

bool SimPort::moveDue()
{
    const QByteArray due = m_line.takeDue(m_clock->nowMs());
    m_buffer.append(due);
    return !due.isEmpty();
}

void SimPort::deliverDue()
{
    const bool any = moveDue();
    armTimer();
    if (any)
        Q_EMIT readyRead();
}

void SimPort::armTimer()
{
    const std::int64_t next = m_line.nextArrivalMs();
    if (next < 0 || !m_open) {
        m_timer.stop();
        return;
    }
    m_timer.start(int(std::max<std::int64_t>(0, next - m_clock->nowMs())));
}

QByteArray SimPort::readAll()
{
    moveDue();
    QByteArray out;
    out.swap(m_buffer);
    return out;
}

qint64 SimPort::bytesAvailable()
{
    moveDue();
    return m_buffer.size();
}

bool SimPort::waitForReadyRead(int ms)
{
    if (!m_open)
        return false;
    if (moveDue())
        return true;
    const std::int64_t deadline = m_clock->nowMs() + ms;
    const std::int64_t next = m_line.nextArrivalMs();
    if (next < 0 || next > deadline) {
        m_clock->sleepMs(deadline - m_clock->nowMs());
        return false;
    }
    m_clock->sleepMs(next - m_clock->nowMs());
    // Like a real port, announce the bytes from inside the wait; the link
    // ignores announcements that come while it waits.
    const bool any = moveDue();
    if (any)
        Q_EMIT readyRead();
    return any;
}

} // namespace zam::sim
