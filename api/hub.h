#pragma once
// The hub: the one line's sender shared by any number of API clients.
//
// Requests are read at once (a bad one is answered at once and sends
// nothing). Stops, moves and stopAll go out at once: they wait for no reply,
// and a stop never queues behind another client's commands. Everything else
// waits in its client's queue (at most kQueueLimit; past that the client
// gets "busy") and the queues are served in turn, one request per turn of
// the event loop, so a client with a thousand commands cannot starve
// another. A request that waits for replies runs through the reply exchange
// on the link, which blocks the thread while it waits: one unfinished
// command on the line at a time, and a status read is never split.
//
// Every move is a move of MoveStops, so it has exactly one stop, on the
// camera that moved: when its speed goes to 0, when it is not renewed within
// its dead-man time, when its client goes away, and on every trigger the
// panel has (another camera chosen, Reconnect, the port lost).

#include "apirequest.h"

#include <QJsonObject>
#include <QObject>
#include <cameralink.h>
#include <clock.h>

#include <deque>
#include <functional>
#include <map>
#include <memory>
#include <optional>

namespace zam::api {

inline constexpr int kQueueLimit = 64;
// Malformed or refused requests in a row that close the connection.
inline constexpr int kErrorLimit = 20;

struct HubOptions {
    // Empty: no hello needed (loopback). Otherwise every client's first
    // request must be {"op": "hello", "token": ...}.
    QByteArray token;
    bool allowRaw = false;
};

// How the hub reaches a client: a message out, and closing the connection.
struct ClientSink {
    std::function<void(const QByteArray &message)> send;
    std::function<void()> close;
};

// What the hub cannot do on its own, given by its owner (the panel, zam-ctl
// serve). An operation whose hook is empty is answered "unsupported".
struct HubHooks {
    // The decoded status of a camera, or a reason it could not be read.
    std::function<std::optional<QJsonObject>(int camera, QString &why)> status;
    // The settings file of a camera; load and diff take one.
    std::function<std::optional<QJsonObject>(int camera, QString &why)> save;
    std::function<std::optional<QJsonObject>(int camera, const QByteArray &file, QString &why)>
        load;
    std::function<std::optional<QJsonObject>(int camera, const QByteArray &file, QString &why)>
        diff;
    // STOP ALL; without it the hub stops every move it knows and sends the
    // zoom, digital zoom and focus stops to every camera of the chain.
    std::function<void()> stopAll;
};

// How a client shows that it may drive the cameras: by a hello with the
// token (a WebSocket connection), or through a front end that checks the
// token of every message itself (OSC, whose datagrams carry it in their
// address, since a datagram's sender can be forged).
enum class ClientAuth { Hello, FrontEnd };

class Hub : public QObject {
    Q_OBJECT
public:
    using ClientId = quint64;

    Hub(CameraLink &link, HubOptions options, QObject *parent = nullptr);
    ~Hub() override;

    HubHooks &hooks() { return m_hooks; }

    ClientId addClient(ClientSink sink, ClientAuth auth = ClientAuth::Hello);
    // The client went away: its moves are stopped now, its queue dropped.
    void removeClient(ClientId id);
    void receive(ClientId id, QByteArrayView message);

    int clientCount() const { return int(m_clients.size()); }
    // Moves running for clients.
    int moveCount() const { return int(m_moves.size()); }
    // Requests waiting in all queues.
    int queued() const;

Q_SIGNALS:
    void clientsChanged(int count);

private:
    struct Client;
    struct Move;

    void refuse(Client &c, const QJsonValue &id, const QString &code, const QString &message);
    void answer(Client &c, const QByteArray &reply);
    void schedule();
    void pump();
    void execute(Client &c, const Request &r);
    void runMove(Client &c, const Request &r);
    void stopMove(int camera, Axis axis, const char *why);
    void runStopAll();
    void runSend(Client &c, const Request &r);
    void runRaw(Client &c, const Request &r);
    void publish(unsigned event, const QString &name, const QJsonObject &fields);
    QJsonObject catalogObject() const;

    CameraLink *m_link;
    HubOptions m_options;
    HubHooks m_hooks;
    std::map<ClientId, std::unique_ptr<Client>> m_clients;
    // By camera and axis: one move of an axis per camera at a time.
    std::map<std::pair<int, int>, std::unique_ptr<Move>> m_moves;
    ClientId m_nextId = 1;
    ClientId m_lastServed = 0;
    bool m_scheduled = false;
    bool m_busy = false; // a request is running (its exchange may block)
};

} // namespace zam::api
