#pragma once
// Moves that run on a camera until it is told to stop: zoom, digital zoom,
// focus and V-phase while their buttons are held. The lens keeps moving
// between the move packet and its stop, so a stop that goes astray runs a
// lens into its end stop.
//
// Every move that went out gets exactly one stop, built when the move was
// sent and so addressed to the camera that moved, whatever happens before
// the release: the operator picks another camera, a status read disables
// the held button, the window loses focus, the port goes away and comes
// back. The refresh gate never refuses a stop. A stop due while a status
// read runs (its replies would mix into the read's) or while the port is
// closed waits and goes out as soon as the read ends or the port is open.

#include <QByteArray>
#include <QList>
#include <QObject>
#include <cstdint>
#include <map>
#include <optional>

namespace zam {

class CameraLink;

class MoveStops : public QObject {
    Q_OBJECT
public:
    using Id = std::uint64_t;

    explicit MoveStops(CameraLink &link, QObject *parent = nullptr);

    // Sends the move with SD in mode 1. When it went out, its stop is recorded
    // and the move's id answered; a refused move needs no stop.
    std::optional<Id> start(const QByteArray &move, const QByteArray &stop);
    // Stops a running move; nothing for a move that was stopped already.
    void stop(Id id);
    // Stops every running move (another camera selected, the port lost).
    void stopAll();
    // A stop for no move of this panel (STOP ALL's, to every camera): sent now,
    // or as soon as a running status read ends, as a move's stop is.
    void sendStop(const QByteArray &stop) { send(stop); }
    // Sends the stops that had to wait. The status read calls it when it
    // ends, start-up when the port is open again.
    void flush();

    bool running(Id id) const { return m_running.count(id) != 0; }

private:
    void send(const QByteArray &stop);

    CameraLink *m_link;
    Id m_next = 1;
    std::map<Id, QByteArray> m_running;
    QList<QByteArray> m_waiting;
};

} // namespace zam
