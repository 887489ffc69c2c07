#include "motiondetection.h"

namespace zam {

bool MdSender::SD(const QByteArray &packet, int mode)
{
    if (mode == 1) {
        m_link->setReceiveThreshold(1);
        m_link->state().LogTraffic = true;
    }
    m_link->writeRaw(packet);
    if (m_link->state().LogTraffic)
        logPacket(packet);
    return true;
}

} // namespace zam
