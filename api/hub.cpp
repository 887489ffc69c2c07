#include "hub.h"

#include <QJsonArray>
#include <QJsonDocument>
#include <catalog.h>
#include <exchange.h>
#include <packet.h>

namespace zam::api {

using catalog::Id;

struct Hub::Client {
    ClientId id = 0;
    ClientSink sink;
    std::deque<Request> queue;
    unsigned events = 0;
    int errorsInARow = 0;
    bool authorized = false;
    bool closing = false;
};

struct Hub::Move {
    ClientId client = 0;
    int speed = 0; // -7..7, never 0
    MoveStops::Id id = 0;
    std::unique_ptr<ClockTimer> deadman;
};

namespace {

struct AxisPackets {
    Id forward; // tele, far
    Id backward;
    Id stop;
};

AxisPackets packetsOf(Axis axis)
{
    switch (axis) {
    case Axis::Zoom:
        return {Id::ZoomTele, Id::ZoomWide, Id::ZoomStop};
    case Axis::DigitalZoom:
        return {Id::DigitalZoomTele, Id::DigitalZoomWide, Id::DigitalZoomStop};
    case Axis::Focus:
        return {Id::FocusFar, Id::FocusNear, Id::FocusStop};
    }
    return {Id::ZoomTele, Id::ZoomWide, Id::ZoomStop};
}

QByteArray movePacket(Axis axis, int camera, int speed)
{
    const AxisPackets p = packetsOf(axis);
    return *catalog::build(speed > 0 ? p.forward : p.backward, camera,
                           {speed > 0 ? speed : -speed});
}

QByteArray stopPacket(Axis axis, int camera)
{
    return *catalog::build(packetsOf(axis).stop, camera);
}

const char *expectName(catalog::Expect e)
{
    switch (e) {
    case catalog::Expect::Completion:
        return "completion";
    case catalog::Expect::InquiryReply:
        return "inquiryReply";
    case catalog::Expect::AddressSet:
        return "addressSet";
    case catalog::Expect::InterfaceClear:
        return "interfaceClear";
    case catalog::Expect::None:
        return "none";
    }
    return "none";
}

QJsonArray repliesOf(const ExchangeAnswer &a)
{
    QJsonArray out;
    for (const QByteArray &p : a.packets)
        out.append(QJsonObject{{QStringLiteral("bytes"), hexSpaced(p).trimmed()},
                               {QStringLiteral("meaning"), catalog::describe(p, true)}});
    return out;
}

} // namespace

Hub::Hub(CameraLink &link, HubOptions options, QObject *parent)
    : QObject(parent), m_link(&link), m_options(std::move(options))
{
    connect(&link.tap(), &PortTap::bytesPassed, this,
            [this](TrafficDirection direction, const QByteArray &bytes, qint64 atMs) {
                publish(EventTraffic, QStringLiteral("traffic"),
                        {{QStringLiteral("direction"), direction == TrafficDirection::ToCamera
                                                           ? QStringLiteral("out")
                                                           : QStringLiteral("in")},
                         {QStringLiteral("bytes"), hexSpaced(bytes).trimmed()},
                         {QStringLiteral("atMs"), double(atMs)}});
            });
    connect(&link.tap(), &PortTap::lineClosed, this, [this](qint64) {
        publish(EventConnection, QStringLiteral("connection"), {{QStringLiteral("open"), false}});
    });
}

Hub::~Hub()
{
    // Moves left running when the hub goes get their stops.
    while (!m_moves.empty()) {
        const auto [camera, axis] = m_moves.begin()->first;
        stopMove(camera, Axis(axis), "the hub closed");
    }
}

Hub::ClientId Hub::addClient(ClientSink sink, ClientAuth auth)
{
    const ClientId id = m_nextId++;
    auto c = std::make_unique<Client>();
    c->id = id;
    c->sink = std::move(sink);
    c->authorized = m_options.token.isEmpty() || auth == ClientAuth::FrontEnd;
    m_clients.emplace(id, std::move(c));
    emit clientsChanged(clientCount());
    return id;
}

void Hub::removeClient(ClientId id)
{
    if (m_clients.erase(id) == 0)
        return;
    for (auto it = m_moves.begin(); it != m_moves.end();) {
        const auto key = it->first;
        ++it;
        if (m_moves.at(key)->client == id)
            stopMove(key.first, Axis(key.second), "its client went away");
    }
    emit clientsChanged(clientCount());
}

int Hub::queued() const
{
    int n = 0;
    for (const auto &[id, c] : m_clients)
        n += int(c->queue.size());
    return n;
}

void Hub::answer(Client &c, const QByteArray &reply)
{
    if (c.sink.send)
        c.sink.send(reply);
}

void Hub::refuse(Client &c, const QJsonValue &id, const QString &code, const QString &message)
{
    answer(c, errorReply(id, code, message));
    if (++c.errorsInARow >= kErrorLimit && !c.closing) {
        c.closing = true;
        if (c.sink.close)
            c.sink.close();
    }
}

void Hub::receive(ClientId id, QByteArrayView message)
{
    const auto found = m_clients.find(id);
    if (found == m_clients.end() || found->second->closing)
        return;
    Client &c = *found->second;
    Parsed parsed = parseRequest(message);
    if (auto *error = std::get_if<RequestError>(&parsed)) {
        refuse(c, error->id, error->code, error->message);
        return;
    }
    Request &r = std::get<Request>(parsed);
    if (r.op == Op::Hello) {
        if (m_options.token.isEmpty() || sameSecret(r.token.toUtf8(), m_options.token)) {
            c.authorized = true;
            c.errorsInARow = 0;
            answer(c, okReply(r.id));
        } else {
            // A wrong token ends the connection: nothing to guess at.
            refuse(c, r.id, QStringLiteral("unauthorized"), QStringLiteral("wrong token"));
            c.closing = true;
            if (c.sink.close)
                c.sink.close();
        }
        return;
    }
    if (!c.authorized) {
        refuse(c, r.id, QStringLiteral("unauthorized"),
               QStringLiteral("send {\"op\": \"hello\", \"token\": ...} first"));
        return;
    }
    if (r.op == Op::Raw && !m_options.allowRaw) {
        refuse(c, r.id, QStringLiteral("raw-refused"),
               QStringLiteral("raw packets are taken only when the hub runs with --api-allow-raw"));
        return;
    }
    const int cameras = m_link->state().CameraCount;
    if (r.camera >= 1 && r.camera <= 7 && cameras > 0 && r.camera > cameras) {
        refuse(c, r.id, QStringLiteral("no-camera"),
               QStringLiteral("camera %1 is not on the chain of %2").arg(r.camera).arg(cameras));
        return;
    }
    c.errorsInARow = 0;
    switch (r.op) {
    case Op::Move:
        runMove(c, r);
        return;
    case Op::StopAll:
        runStopAll();
        answer(c, okReply(r.id));
        return;
    case Op::Subscribe:
        c.events = r.events;
        answer(c, okReply(r.id));
        return;
    case Op::Commands:
        answer(c, okReply(r.id, catalogObject()));
        return;
    default:
        break;
    }
    if (c.queue.size() >= std::size_t(kQueueLimit)) {
        answer(c, errorReply(r.id, QStringLiteral("busy"),
                             QStringLiteral("%1 requests are waiting already; nothing was sent")
                                 .arg(kQueueLimit)));
        return;
    }
    c.queue.push_back(std::move(r));
    schedule();
}

void Hub::schedule()
{
    if (m_scheduled)
        return;
    m_scheduled = true;
    QMetaObject::invokeMethod(this, &Hub::pump, Qt::QueuedConnection);
}

void Hub::pump()
{
    m_scheduled = false;
    if (m_busy || m_clients.empty())
        return;
    // The next client after the one served last, in turn.
    auto it = m_clients.upper_bound(m_lastServed);
    for (std::size_t tried = 0; tried < m_clients.size(); ++tried, ++it) {
        if (it == m_clients.end())
            it = m_clients.begin();
        if (!it->second->queue.empty())
            break;
    }
    if (it == m_clients.end() || it->second->queue.empty())
        return;
    const ClientId id = it->first;
    m_lastServed = id;
    Request r = std::move(it->second->queue.front());
    it->second->queue.pop_front();
    m_busy = true;
    execute(*it->second, r);
    m_busy = false;
    if (queued() > 0)
        schedule();
}

void Hub::execute(Client &c, const Request &r)
{
    using Hook = std::function<std::optional<QJsonObject>(int, QString &)>;
    using FileHook = std::function<std::optional<QJsonObject>(int, const QByteArray &, QString &)>;
    const auto viaHook = [&](const Hook &hook, const char *what) {
        QString why;
        if (!hook)
            return answer(c, errorReply(r.id, QStringLiteral("unsupported"),
                                        QStringLiteral("%1 is not offered here").arg(what)));
        const std::optional<QJsonObject> result = hook(r.camera, why);
        if (!result)
            return answer(c, errorReply(r.id, QStringLiteral("failed"), why));
        if (r.op == Op::Status)
            publish(EventStatus, QStringLiteral("status"),
                    {{QStringLiteral("camera"), r.camera}, {QStringLiteral("status"), *result}});
        answer(c, okReply(r.id, *result));
    };
    const auto viaFileHook = [&](const FileHook &hook, const char *what) {
        QString why;
        if (!hook)
            return answer(c, errorReply(r.id, QStringLiteral("unsupported"),
                                        QStringLiteral("%1 is not offered here").arg(what)));
        const std::optional<QJsonObject> result = hook(r.camera, r.file, why);
        answer(c,
               result ? okReply(r.id, *result) : errorReply(r.id, QStringLiteral("failed"), why));
    };
    switch (r.op) {
    case Op::Send:
        return runSend(c, r);
    case Op::Raw:
        return runRaw(c, r);
    case Op::Status:
        return viaHook(m_hooks.status, "status");
    case Op::Save:
        return viaHook(m_hooks.save, "save");
    case Op::Load:
        return viaFileHook(m_hooks.load, "load");
    case Op::Diff:
        return viaFileHook(m_hooks.diff, "diff");
    default:
        return;
    }
}

// Answers once the command has finished: its completion, its data or the
// camera's error, with every reply that came.
void Hub::runSend(Client &c, const Request &r)
{
    const std::optional<QByteArray> packet = catalog::build(r.entry->id, r.camera, r.values);
    if (!packet) // the request was checked; the catalog still has the last word
        return answer(c, errorReply(r.id, QStringLiteral("out-of-range"),
                                    QStringLiteral("the values do not make a packet")));
    clearLine(*m_link, false);
    const ExchangeAnswer a = exchange(*m_link, *packet, ExchangeExpect::finish(r.camera));
    QJsonObject fields{{QStringLiteral("sent"), hexSpaced(*packet).trimmed()},
                       {QStringLiteral("replies"), repliesOf(a)}};
    const auto failed = [&](const char *code, const QString &message) {
        QJsonObject o = fields;
        o.insert(QStringLiteral("id"), r.id);
        o.insert(QStringLiteral("ok"), false);
        o.insert(QStringLiteral("error"),
                 QJsonObject{{QStringLiteral("code"), QLatin1StringView(code)},
                             {QStringLiteral("message"), message}});
        answer(c, QJsonDocument(o).toJson(QJsonDocument::Compact));
    };
    switch (a.result) {
    case ExchangeResult::Completed:
        fields.insert(QStringLiteral("result"), QStringLiteral("completed"));
        return answer(c, okReply(r.id, fields));
    case ExchangeResult::Data:
        fields.insert(QStringLiteral("result"), QStringLiteral("data"));
        fields.insert(QStringLiteral("data"), hexSpaced(a.data).trimmed());
        return answer(c, okReply(r.id, fields));
    case ExchangeResult::Error: {
        QString name = catalog::errorName(a.errorCode);
        if (name.isEmpty())
            name = QStringLiteral("code %1").arg(hexPair(std::uint8_t(a.errorCode)));
        fields.insert(QStringLiteral("cameraError"), a.errorCode);
        return failed("camera-error", QStringLiteral("the camera answered: %1").arg(name));
    }
    case ExchangeResult::NotCompleted:
        return failed("not-completed", QStringLiteral("acknowledged, but never completed"));
    case ExchangeResult::NoReply:
        return failed("no-reply", a.packets.isEmpty()
                                      ? QStringLiteral("no reply within 1 s")
                                      : QStringLiteral("no reply that answers the command"));
    case ExchangeResult::Refused:
        return failed("refused", QStringLiteral("a status read was running; nothing was sent"));
    }
}

void Hub::runRaw(Client &c, const Request &r)
{
    const int address = std::uint8_t(r.bytes[0]) - 0x80;
    clearLine(*m_link, false);
    const ExchangeAnswer a = exchange(*m_link, r.bytes, ExchangeExpect::finish(address));
    answer(c, okReply(r.id, {{QStringLiteral("replies"), repliesOf(a)},
                             {QStringLiteral("answered"), a.answerIndex >= 0},
                             {QStringLiteral("answerIndex"), a.answerIndex}}));
}

void Hub::runMove(Client &c, const Request &r)
{
    const std::pair<int, int> key{r.camera, int(r.axis)};
    const auto found = m_moves.find(key);
    // A move stopped meanwhile by the panel (another camera chosen, the port
    // lost) is over: a renewal starts it again.
    if (found != m_moves.end() && !m_link->moves().running(found->second->id)) {
        found->second->deadman->stop();
        m_moves.erase(found);
    }
    const auto it = m_moves.find(key);
    if (r.speed == 0) {
        const bool was = it != m_moves.end();
        if (was)
            stopMove(r.camera, r.axis, "speed 0");
        return answer(c, okReply(r.id, {{QStringLiteral("stopped"), was}}));
    }
    const ClientId self = c.id;
    if (it != m_moves.end()) {
        Move &m = *it->second;
        m.client = self; // the last to steer a move owns it
        m.deadman->start(r.deadmanMs);
        if (m.speed != r.speed) {
            // A new speed or direction is the same move: its one stop stands.
            if (!m_link->moves().change(m.id, movePacket(r.axis, r.camera, r.speed)))
                return answer(c, errorReply(r.id, QStringLiteral("refused"),
                                            QStringLiteral("a status read was running; the move "
                                                           "goes on at speed %1")
                                                .arg(m.speed)));
            m.speed = r.speed;
        }
        return answer(c, okReply(r.id, {{QStringLiteral("speed"), m.speed}}));
    }
    const std::optional<MoveStops::Id> id =
        m_link->moves().start(movePacket(r.axis, r.camera, r.speed), stopPacket(r.axis, r.camera));
    if (!id)
        return answer(c, errorReply(r.id, QStringLiteral("refused"),
                                    QStringLiteral("a status read was running; nothing was sent")));
    auto m = std::make_unique<Move>();
    m->client = self;
    m->speed = r.speed;
    m->id = *id;
    m->deadman = std::make_unique<ClockTimer>(m_link->clock());
    m->deadman->setSingleShot(true);
    connect(m->deadman.get(), &ClockTimer::timeout, this,
            [this, key] { stopMove(key.first, Axis(key.second), "not renewed in time"); });
    m->deadman->start(r.deadmanMs);
    m_moves.emplace(key, std::move(m));
    publish(EventMoves, QStringLiteral("moves"),
            {{QStringLiteral("camera"), r.camera},
             {QStringLiteral("axis"), axisName(r.axis)},
             {QStringLiteral("speed"), r.speed}});
    answer(c, okReply(r.id, {{QStringLiteral("speed"), r.speed}}));
}

void Hub::stopMove(int camera, Axis axis, const char *why)
{
    const auto it = m_moves.find({camera, int(axis)});
    if (it == m_moves.end())
        return;
    const std::unique_ptr<Move> m = std::move(it->second);
    m_moves.erase(it);
    m->deadman->stop();
    m_link->moves().stop(m->id);
    publish(EventMoves, QStringLiteral("moves"),
            {{QStringLiteral("camera"), camera},
             {QStringLiteral("axis"), axisName(axis)},
             {QStringLiteral("speed"), 0},
             {QStringLiteral("reason"), QLatin1StringView(why)}});
}

void Hub::runStopAll()
{
    for (auto &[key, m] : m_moves)
        m->deadman->stop();
    m_moves.clear();
    if (m_hooks.stopAll) {
        m_hooks.stopAll();
    } else {
        m_link->moves().stopChain(m_link->state().CameraCount);
    }
    publish(EventMoves, QStringLiteral("moves"), {{QStringLiteral("stopAll"), true}});
}

void Hub::publish(unsigned event, const QString &name, const QJsonObject &fields)
{
    QByteArray message;
    for (const auto &[id, c] : m_clients) {
        if (!(c->events & event) || !c->authorized || c->closing)
            continue;
        if (message.isEmpty())
            message = eventMessage(name, fields);
        answer(*c, message);
    }
}

QJsonObject Hub::catalogObject() const
{
    QJsonArray list;
    for (const catalog::Entry &e : catalog::entries()) {
        QJsonArray fields;
        for (const catalog::Field &f : e.fieldList())
            fields.append(QJsonObject{{QStringLiteral("name"), QLatin1StringView(f.name)},
                                      {QStringLiteral("min"), f.min},
                                      {QStringLiteral("max"), f.max},
                                      {QStringLiteral("values"), f.valueCount()}});
        QJsonObject o{{QStringLiteral("command"), QLatin1StringView(e.key)},
                      {QStringLiteral("name"), QLatin1StringView(e.name)},
                      {QStringLiteral("group"), QLatin1StringView(catalog::groupName(e.group))},
                      {QStringLiteral("fields"), fields},
                      {QStringLiteral("reply"), QLatin1StringView(expectName(e.expect))}};
        if (e.replyLength)
            o.insert(QStringLiteral("replyLength"), e.replyLength);
        if (e.broadcastOnly)
            o.insert(QStringLiteral("broadcast"), true);
        list.append(o);
    }
    return {{QStringLiteral("commands"), list}};
}

} // namespace zam::api
