#include "movestops.h"

#include "cameralink.h"

#include <catalog.h>

#include <algorithm>
#include <utility>

namespace zam {

MoveStops::MoveStops(CameraLink &link, QObject *parent) : QObject(parent), m_link(&link) {}

std::optional<MoveStops::Id> MoveStops::start(const QByteArray &move, const QByteArray &stop)
{
    if (!m_link->SD(move, 1))
        return std::nullopt;
    const Id id = m_next++;
    m_running.emplace(id, stop);
    return id;
}

bool MoveStops::change(Id id, const QByteArray &move)
{
    return m_running.count(id) != 0 && m_link->SD(move, 1);
}

void MoveStops::stopChain(int cameras)
{
    stopAll();
    const int first = cameras > 0 ? 1 : m_link->state().CameraAddress;
    const int last = cameras > 0 ? std::min(cameras, 7) : first;
    for (int camera = first; camera <= last; ++camera)
        for (const catalog::Id id :
             {catalog::Id::ZoomStop, catalog::Id::DigitalZoomStop, catalog::Id::FocusStop})
            if (const auto stop = catalog::build(id, camera))
                send(*stop);
}

void MoveStops::stop(Id id)
{
    const auto it = m_running.find(id);
    if (it == m_running.end())
        return;
    const QByteArray stop = it->second;
    m_running.erase(it);
    send(stop);
}

void MoveStops::stopAll()
{
    // In the order the moves started; send() may not run events, but take
    // the list first all the same.
    std::map<Id, QByteArray> running;
    running.swap(m_running);
    for (const auto &[id, stop] : running)
        send(stop);
}

void MoveStops::flush()
{
    if (m_waiting.isEmpty() || m_link->state().RefreshBusy || !m_link->port().isOpen())
        return;
    const QList<QByteArray> waiting = std::exchange(m_waiting, {});
    for (const QByteArray &stop : waiting)
        m_link->sendStop(stop);
}

void MoveStops::send(const QByteArray &stop)
{
    if (m_link->state().RefreshBusy || !m_link->port().isOpen() || !m_waiting.isEmpty()) {
        m_waiting.append(stop);
        return;
    }
    m_link->sendStop(stop);
}

} // namespace zam
