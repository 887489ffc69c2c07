#pragma once
// The control API's messages: one JSON object per WebSocket text message.
//
//   request  {"id": 7, "op": "send", "camera": 2, "command": "ZoomTele", "values": [5]}
//   reply    {"id": 7, "ok": true, ...}
//            {"id": 7, "ok": false, "error": {"code": "out-of-range", "message": "..."}}
//   event    {"event": "traffic", ...}
//
// parseRequest checks everything a request says before anything is sent: the
// shape, the operation, the camera, the catalog entry and every value
// against its field's range. A request it refuses sends nothing. docs/api.md
// lists the operations.

#include <QByteArray>
#include <QByteArrayView>
#include <QJsonObject>
#include <QJsonValue>
#include <QList>
#include <QString>
#include <QStringList>

#include <variant>

namespace zam::catalog {
struct Entry;
}

namespace zam::api {

// The largest message taken; a longer one is refused unread.
inline constexpr qsizetype kMaxMessageBytes = 64 * 1024;

enum class Op {
    Hello,
    Commands,
    Send,
    Move,
    StopAll,
    Status,
    Save,
    Load,
    Diff,
    Subscribe,
    Raw,
};

enum class Axis { Zoom, Focus, DigitalZoom };

inline constexpr int kMinDeadmanMs = 100;
inline constexpr int kMaxDeadmanMs = 5000;
inline constexpr int kDefaultDeadmanMs = 500;

// The events a client may subscribe to, as bits.
enum Event : unsigned {
    EventTraffic = 1,
    EventStatus = 2,
    EventConnection = 4,
    EventMoves = 8,
};

struct Request {
    QJsonValue id; // echoed in the reply: a number, a string or null
    Op op = Op::Commands;
    int camera = 0; // 1..7 where the operation takes one
    // send
    const catalog::Entry *entry = nullptr;
    QList<int> values;
    // move: speed -7..7, the sign the direction (tele, far), 0 stops
    Axis axis = Axis::Zoom;
    int speed = 0;
    int deadmanMs = kDefaultDeadmanMs;
    // hello
    QString token;
    // subscribe
    unsigned events = 0;
    // load, diff: the settings file, as its JSON text
    QByteArray file;
    // raw: one whole packet
    QByteArray bytes;
};

struct RequestError {
    QJsonValue id; // the request's id when it could be read
    QString code;  // "bad-json", "bad-request", "unknown-op", "out-of-range", ...
    QString message;
};

using Parsed = std::variant<Request, RequestError>;

Parsed parseRequest(QByteArrayView text);

// The texts sent back.
QByteArray okReply(const QJsonValue &id, QJsonObject fields = {});
QByteArray errorReply(const QJsonValue &id, const QString &code, const QString &message);
QByteArray eventMessage(const QString &event, QJsonObject fields);

// Compares two secrets (tokens) without leaving the position of the first
// difference in the time taken; an empty secret matches nothing.
bool sameSecret(QByteArrayView a, QByteArrayView b);

QString axisName(Axis axis);
QString opName(Op op);

} // namespace zam::api
