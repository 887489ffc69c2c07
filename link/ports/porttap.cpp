#include "porttap.h"

namespace zam {

PortTap::PortTap(Port &inner, Clock &clock, QObject *parent)
    : Port(parent), m_inner(&inner), m_clock(&clock), m_originMs(clock.nowMs()),
      m_openedOnce(inner.isOpen())
{
    connect(m_inner, &Port::readyRead, this, &Port::readyRead);
    connect(m_inner, &Port::deviceLost, this, &Port::deviceLost);
}

OpenResult PortTap::open(const PortSettings &settings)
{
    if (!m_openedOnce) {
        m_openedOnce = true;
        m_originMs = m_clock->nowMs();
    }
    return m_inner->open(settings);
}

void PortTap::close()
{
    const bool wasOpen = m_inner->isOpen();
    m_inner->close();
    if (wasOpen)
        Q_EMIT lineClosed(elapsedMs());
}

void PortTap::write(const QByteArray &bytes)
{
    m_inner->write(bytes);
    // A closed port puts nothing on the line.
    if (!bytes.isEmpty() && m_inner->isOpen())
        Q_EMIT bytesPassed(TrafficDirection::ToCamera, bytes, elapsedMs());
}

QByteArray PortTap::readAll()
{
    QByteArray bytes = m_inner->readAll();
    if (!bytes.isEmpty())
        Q_EMIT bytesPassed(TrafficDirection::FromCamera, bytes, elapsedMs());
    return bytes;
}

qint64 PortTap::elapsedMs() const
{
    return qint64(m_clock->nowMs() - m_originMs);
}

} // namespace zam
