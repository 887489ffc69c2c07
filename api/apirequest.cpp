#include "apirequest.h"
#include "refusal.h"

#include <QJsonArray>
#include <QJsonDocument>
#include <QJsonParseError>
#include <catalog.h>
#include <packet.h>

#include <algorithm>
#include <cmath>
#include <cstdint>

namespace zam::api {

namespace {

struct OpRow {
    Op op;
    const char *name;
};

constexpr OpRow kOps[] = {
    {Op::Hello, "hello"},     {Op::Commands, "commands"},   {Op::Send, "send"}, {Op::Move, "move"},
    {Op::StopAll, "stopAll"}, {Op::Status, "status"},       {Op::Save, "save"}, {Op::Load, "load"},
    {Op::Diff, "diff"},       {Op::Subscribe, "subscribe"}, {Op::Raw, "raw"},
};

struct EventRow {
    Event event;
    const char *name;
};

constexpr EventRow kEvents[] = {
    {EventTraffic, "traffic"},
    {EventStatus, "status"},
    {EventConnection, "connection"},
    {EventMoves, "moves"},
};

// A text from the client, quoted for a message: printable, and short.
QString quoted(const QString &text)
{
    QString out;
    for (QChar c : text.left(40))
        out += c.isPrint() ? c : QChar(u'?');
    if (text.size() > 40)
        out += QStringLiteral("...");
    return u'"' + out + u'"';
}

// A whole number in [min, max] under `key`; `fallback` when the key is absent
// and a fallback is given.
int wholeNumber(const QJsonObject &o, const char *key, int min, int max,
                std::optional<int> fallback = std::nullopt)
{
    const QJsonValue v = o.value(QLatin1StringView(key));
    if (v.isUndefined()) {
        if (fallback)
            return *fallback;
        refuse(QStringLiteral("bad-request"), QStringLiteral("\"%1\" is missing").arg(key));
    }
    if (!v.isDouble())
        refuse(QStringLiteral("bad-request"), QStringLiteral("\"%1\" must be a number").arg(key));
    const double d = v.toDouble();
    if (d != std::floor(d))
        refuse(QStringLiteral("bad-request"),
               QStringLiteral("\"%1\" must be a whole number").arg(key));
    if (d < min || d > max)
        refuse(QStringLiteral("out-of-range"),
               QStringLiteral("\"%1\": %2 is outside %3..%4").arg(key).arg(d).arg(min).arg(max));
    return int(d);
}

QString text(const QJsonObject &o, const char *key)
{
    const QJsonValue v = o.value(QLatin1StringView(key));
    if (v.isUndefined())
        refuse(QStringLiteral("bad-request"), QStringLiteral("\"%1\" is missing").arg(key));
    if (!v.isString())
        refuse(QStringLiteral("bad-request"), QStringLiteral("\"%1\" must be a string").arg(key));
    return v.toString();
}

void readSend(const QJsonObject &o, Request &r)
{
    const QString name = text(o, "command");
    r.entry = catalog::findEntry(name);
    if (!r.entry)
        refuse(QStringLiteral("unknown-command"),
               QStringLiteral("no command %1 in the catalog").arg(quoted(name)));
    r.camera = r.entry->broadcastOnly ? catalog::kBroadcast : wholeNumber(o, "camera", 1, 7);
    const QJsonValue v = o.value(QLatin1StringView("values"));
    QJsonArray values;
    if (v.isArray())
        values = v.toArray();
    else if (!v.isUndefined())
        refuse(QStringLiteral("bad-request"), QStringLiteral("\"values\" must be an array"));
    const int wanted = r.entry->valueCount();
    if (values.size() != wanted)
        refuse(QStringLiteral("bad-request"), QStringLiteral("%1 takes %2 value(s), not %3")
                                                  .arg(QLatin1StringView(r.entry->key))
                                                  .arg(wanted)
                                                  .arg(values.size()));
    int index = 0;
    for (const catalog::Field &f : r.entry->fieldList()) {
        for (int k = 0; k < f.valueCount(); ++k, ++index) {
            const QJsonValue value = values[index];
            const double d = value.isDouble() ? value.toDouble() : std::nan("");
            if (!value.isDouble() || d != std::floor(d))
                refuse(
                    QStringLiteral("bad-request"),
                    QStringLiteral("value %1 (%2) must be a whole number").arg(index).arg(f.name));
            if (d < f.min || d > f.max)
                refuse(QStringLiteral("out-of-range"),
                       QStringLiteral("value %1 (%2): %3 is outside %4..%5")
                           .arg(index)
                           .arg(f.name)
                           .arg(d)
                           .arg(f.min)
                           .arg(f.max));
            r.values << int(d);
        }
    }
}

void readMove(const QJsonObject &o, Request &r)
{
    r.camera = wholeNumber(o, "camera", 1, 7);
    const QString axis = text(o, "axis");
    if (axis == QLatin1StringView("zoom"))
        r.axis = Axis::Zoom;
    else if (axis == QLatin1StringView("focus"))
        r.axis = Axis::Focus;
    else if (axis == QLatin1StringView("digitalZoom"))
        r.axis = Axis::DigitalZoom;
    else
        refuse(QStringLiteral("bad-request"),
               QStringLiteral("\"axis\" must be \"zoom\", \"focus\" or \"digitalZoom\", not %1")
                   .arg(quoted(axis)));
    r.speed = wholeNumber(o, "speed", -7, 7);
    r.deadmanMs = wholeNumber(o, "deadmanMs", kMinDeadmanMs, kMaxDeadmanMs, kDefaultDeadmanMs);
}

void readSubscribe(const QJsonObject &o, Request &r)
{
    const QJsonValue v = o.value(QLatin1StringView("events"));
    if (!v.isArray())
        refuse(QStringLiteral("bad-request"), QStringLiteral("\"events\" must be an array"));
    for (const QJsonValue &e : v.toArray()) {
        const QString name = e.toString();
        unsigned bit = 0;
        for (const EventRow &row : kEvents)
            if (name == QLatin1StringView(row.name))
                bit = row.event;
        if (!bit)
            refuse(QStringLiteral("bad-request"), QStringLiteral("no event %1").arg(quoted(name)));
        r.events |= bit;
    }
}

// "81 01 04 07 25 FF": one whole packet, 3..16 bytes, header 81..88, FF
// only at the end.
void readRaw(const QJsonObject &o, Request &r)
{
    const QString hex = text(o, "bytes");
    QByteArray bytes;
    int high = -1;
    for (QChar c : hex) {
        if (c == u' ')
            continue;
        const int d = hexDigitValue(c);
        if (d < 0 || bytes.size() >= catalog::kMaxPacket)
            refuse(QStringLiteral("bad-request"),
                   QStringLiteral("\"bytes\" must be at most %1 hexadecimal byte pairs")
                       .arg(catalog::kMaxPacket));
        if (high < 0) {
            high = d;
        } else {
            bytes.append(char(high << 4 | d));
            high = -1;
        }
    }
    const bool shaped = high < 0 && bytes.size() >= 3 && std::uint8_t(bytes[0]) >= 0x81 &&
                        std::uint8_t(bytes[0]) <= 0x88 &&
                        bytes.indexOf(char(0xFF)) == bytes.size() - 1;
    if (!shaped)
        refuse(QStringLiteral("bad-request"),
               QStringLiteral("\"bytes\" must be one packet: a header 81..88, then FF at the end "
                              "and nowhere else"));
    r.bytes = bytes;
}

void readFile(const QJsonObject &o, Request &r)
{
    r.camera = wholeNumber(o, "camera", 1, 7);
    const QJsonValue v = o.value(QLatin1StringView("file"));
    if (!v.isObject())
        refuse(QStringLiteral("bad-request"),
               QStringLiteral("\"file\" must be the settings file's JSON object"));
    r.file = QJsonDocument(v.toObject()).toJson(QJsonDocument::Compact);
}

} // namespace

Parsed parseRequest(QByteArrayView message)
{
    if (message.size() > kMaxMessageBytes)
        return RequestError{
            QJsonValue(), QStringLiteral("too-large"),
            QStringLiteral("a message may hold %1 bytes at most").arg(kMaxMessageBytes)};
    QJsonParseError error;
    const QJsonDocument doc = QJsonDocument::fromJson(message.toByteArray(), &error);
    if (error.error != QJsonParseError::NoError)
        return RequestError{
            QJsonValue(), QStringLiteral("bad-json"),
            QStringLiteral("not JSON: %1 at offset %2").arg(error.errorString()).arg(error.offset)};
    if (!doc.isObject())
        return RequestError{QJsonValue(), QStringLiteral("bad-request"),
                            QStringLiteral("a request is a JSON object")};
    const QJsonObject o = doc.object();
    Request r;
    r.id = o.value(QLatin1StringView("id"));
    if (!r.id.isDouble() && !r.id.isString())
        return RequestError{QJsonValue(), QStringLiteral("bad-request"),
                            QStringLiteral("\"id\" must be a number or a string")};
    try {
        const QString op = text(o, "op");
        const OpRow *row = nullptr;
        for (const OpRow &candidate : kOps)
            if (op == QLatin1StringView(candidate.name))
                row = &candidate;
        if (!row)
            refuse(QStringLiteral("unknown-op"), QStringLiteral("no operation %1").arg(quoted(op)));
        r.op = row->op;
        switch (r.op) {
        case Op::Hello:
            r.token = text(o, "token");
            break;
        case Op::Send:
            readSend(o, r);
            break;
        case Op::Move:
            readMove(o, r);
            break;
        case Op::Status:
        case Op::Save:
            r.camera = wholeNumber(o, "camera", 1, 7);
            break;
        case Op::Load:
        case Op::Diff:
            readFile(o, r);
            break;
        case Op::Subscribe:
            readSubscribe(o, r);
            break;
        case Op::Raw:
            readRaw(o, r);
            break;
        case Op::Commands:
        case Op::StopAll:
            break;
        }
    } catch (const Refusal &refusal) {
        return RequestError{r.id, refusal.code, refusal.message};
    }
    return r;
}

QByteArray okReply(const QJsonValue &id, QJsonObject fields)
{
    fields.insert(QStringLiteral("id"), id);
    fields.insert(QStringLiteral("ok"), true);
    return QJsonDocument(fields).toJson(QJsonDocument::Compact);
}

QByteArray errorReply(const QJsonValue &id, const QString &code, const QString &message)
{
    const QJsonObject error{{QStringLiteral("code"), code}, {QStringLiteral("message"), message}};
    const QJsonObject o{{QStringLiteral("id"), id.isUndefined() ? QJsonValue() : id},
                        {QStringLiteral("ok"), false},
                        {QStringLiteral("error"), error}};
    return QJsonDocument(o).toJson(QJsonDocument::Compact);
}

QByteArray eventMessage(const QString &event, QJsonObject fields)
{
    fields.insert(QStringLiteral("event"), event);
    return QJsonDocument(fields).toJson(QJsonDocument::Compact);
}

bool sameSecret(QByteArrayView a, QByteArrayView b)
{
    const qsizetype n = std::max(a.size(), b.size());
    unsigned diff = unsigned(a.size() ^ b.size());
    for (qsizetype i = 0; i < n; ++i) {
        const auto x = i < a.size() ? std::uint8_t(a[i]) : 0u;
        const auto y = i < b.size() ? std::uint8_t(b[i]) : 0u;
        diff |= x ^ y;
    }
    return diff == 0 && !a.isEmpty();
}

QString axisName(Axis axis)
{
    switch (axis) {
    case Axis::Zoom:
        return QStringLiteral("zoom");
    case Axis::Focus:
        return QStringLiteral("focus");
    case Axis::DigitalZoom:
        return QStringLiteral("digitalZoom");
    }
    return {};
}

QString opName(Op op)
{
    for (const OpRow &row : kOps)
        if (row.op == op)
            return QLatin1StringView(row.name);
    return {};
}

} // namespace zam::api
