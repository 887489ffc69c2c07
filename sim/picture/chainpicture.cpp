#include "chainpicture.h"

#include "camerachain.h"
#include "picturetext.h"

#include <QPainter>

namespace zam::sim {

ChainPicture::ChainPicture(const CameraChain &chain, const Clock &clock)
    : m_chain(chain), m_clock(clock), m_renderers(std::size_t(chain.cameraCount()))
{}

bool ChainPicture::onChain(int address) const
{
    return address >= 1 && address <= int(m_renderers.size()) && address <= m_chain.cameraCount();
}

std::uint64_t ChainPicture::key(int address) const
{
    if (!onChain(address))
        return 0;
    // A different camera is a different picture even at the same count.
    return pictureKey(m_chain.camera(address), m_clock.nowMs()) * 8 + std::uint64_t(address);
}

QImage ChainPicture::draw(int address)
{
    if (onChain(address))
        return m_renderers[std::size_t(address - 1)].render(m_chain.camera(address),
                                                            m_clock.nowMs());
    QImage none(720, 480, QImage::Format_RGB32);
    none.fill(Qt::black);
    QPainter p(&none);
    p.setPen(QPen(Qt::darkGray, 2));
    p.drawRect(none.rect().adjusted(20, 20, -20, -20));
    p.drawLine(20, 20, 700, 460);
    p.drawLine(700, 20, 20, 460);
    return none;
}

QString ChainPicture::describe(int address) const
{
    if (!onChain(address))
        return QStringLiteral("No camera %1 on the simulated chain").arg(address);
    const SimCamera &cam = m_chain.camera(address);
    return QStringLiteral("Camera %1: ").arg(address) +
           describePicture({cam.state(), cam.titles(), cam.masks()}, m_clock.nowMs());
}

} // namespace zam::sim
