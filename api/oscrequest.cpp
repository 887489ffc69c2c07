#include "oscrequest.h"
#include "refusal.h"

#include "apirequest.h"

#include <QJsonArray>
#include <QJsonDocument>
#include <QJsonObject>
#include <catalog.h>

#include <algorithm>
#include <cmath>
#include <cstdint>
#include <cstdlib>
#include <cstring>
#include <lo/lo_lowlevel.h>
#include <memory>

namespace zam::api {

namespace {

using catalog::Id;

bool isNumber(char type)
{
    return type == 'i' || type == 'h' || type == 'f' || type == 'd';
}

bool isText(char type)
{
    return type == 's' || type == 'S';
}

struct LoMessageFree {
    void operator()(lo_message m) const { lo_message_free(m); }
};
using LoMessage = std::unique_ptr<void, LoMessageFree>; // lo_message is a void *

template <typename T> T valueAt(const char *at)
{
    T v;
    std::memcpy(&v, at, sizeof v);
    return v;
}

enum class Verb { Move, Preset, Power, Send };

struct VerbRow {
    const char *path; // after /zam/N/
    Verb verb;
    int minArgs;
    int maxArgs; // -1: any number
    const char *usage;
    Axis axis = Axis::Zoom;      // Move
    Id entry = Id::PresetRecall; // Preset
};

constexpr VerbRow kVerbs[] = {
    {"zoom", Verb::Move, 1, 2, "speed [deadmanMs]", Axis::Zoom},
    {"focus", Verb::Move, 1, 2, "speed [deadmanMs]", Axis::Focus},
    {"digitalzoom", Verb::Move, 1, 2, "speed [deadmanMs]", Axis::DigitalZoom},
    {"preset/recall", Verb::Preset, 1, 1, "n", Axis::Zoom, Id::PresetRecall},
    {"preset/set", Verb::Preset, 1, 1, "n", Axis::Zoom, Id::PresetSet},
    {"power", Verb::Power, 1, 1, "0 (off) or 1 (on)"},
    {"send", Verb::Send, 1, -1, "Name [values...]"},
};

// Argument `index` as a whole number in [min, max], floats rounded.
int wholeArg(const OscMessage &m, int index, const char *what, int min, int max)
{
    const OscArg &a = m.args[index];
    if (!isNumber(a.type))
        refuse(QStringLiteral("bad-request"),
               QStringLiteral("argument %1 (%2) must be a number, not of type '%3'")
                   .arg(index)
                   .arg(QLatin1StringView(what))
                   .arg(QChar::fromLatin1(a.type)));
    const double d = std::round(a.number);
    if (!std::isfinite(d) || d < min || d > max)
        refuse(QStringLiteral("out-of-range"),
               QStringLiteral("argument %1 (%2): %3 is outside %4..%5")
                   .arg(index)
                   .arg(QLatin1StringView(what))
                   .arg(a.number)
                   .arg(min)
                   .arg(max));
    return int(d);
}

// The values of a send: whole numbers, whose ranges the hub checks against
// the catalog entry's fields.
QJsonArray valuesFrom(const OscMessage &m, int first)
{
    QJsonArray values;
    for (int i = first; i < m.args.size(); ++i) {
        const OscArg &a = m.args[i];
        if (!isNumber(a.type))
            refuse(QStringLiteral("bad-request"),
                   QStringLiteral("argument %1 must be a number, not of type '%2'")
                       .arg(i)
                       .arg(QChar::fromLatin1(a.type)));
        if (!std::isfinite(a.number))
            refuse(QStringLiteral("out-of-range"),
                   QStringLiteral("argument %1 is not a finite number").arg(i));
        values.append(std::round(a.number));
    }
    return values;
}

QJsonObject requestFor(const VerbRow &row, int camera, const OscMessage &m)
{
    QJsonObject o{{QStringLiteral("camera"), camera}};
    const auto send = [&](Id id, const QJsonArray &values) {
        o.insert(QStringLiteral("op"), QStringLiteral("send"));
        o.insert(QStringLiteral("command"), QLatin1StringView(catalog::entry(id).key));
        o.insert(QStringLiteral("values"), values);
    };
    switch (row.verb) {
    case Verb::Move:
        o.insert(QStringLiteral("op"), QStringLiteral("move"));
        o.insert(QStringLiteral("axis"), axisName(row.axis));
        o.insert(QStringLiteral("speed"), wholeArg(m, 0, "speed", -7, 7));
        if (m.args.size() > 1)
            o.insert(QStringLiteral("deadmanMs"),
                     wholeArg(m, 1, "deadmanMs", kMinDeadmanMs, kMaxDeadmanMs));
        break;
    case Verb::Preset:
        send(row.entry, valuesFrom(m, 0));
        break;
    case Verb::Power:
        send(wholeArg(m, 0, "power", 0, 1) ? Id::PowerOn : Id::PowerOff, {});
        break;
    case Verb::Send: {
        const OscArg &name = m.args[0];
        if (!isText(name.type))
            refuse(QStringLiteral("bad-request"),
                   QStringLiteral("argument 0 must be the command's name, a string"));
        o.insert(QStringLiteral("op"), QStringLiteral("send"));
        o.insert(QStringLiteral("command"), name.text);
        o.insert(QStringLiteral("values"), valuesFrom(m, 1));
        break;
    }
    }
    return o;
}

} // namespace

std::optional<OscMessage> decodeOsc(QByteArrayView datagram, QString &why)
{
    if (datagram.startsWith('#')) {
        why = QStringLiteral("bundles are not taken: send one message a datagram");
        return std::nullopt;
    }
    if (datagram.size() > kMaxMessageBytes) {
        why = QStringLiteral("a datagram may hold %1 bytes at most").arg(kMaxMessageBytes);
        return std::nullopt;
    }
    // liblo reads from a buffer it may not own: a copy of our own.
    QByteArray bytes = datagram.toByteArray();
    int result = 0;
    const LoMessage m(lo_message_deserialise(bytes.data(), std::size_t(bytes.size()), &result));
    const char *path = m ? lo_get_path(bytes.data(), bytes.size()) : nullptr;
    if (!m || !path) {
        why = QStringLiteral("not an OSC message (error %1)").arg(result);
        return std::nullopt;
    }
    OscMessage out;
    out.address = QByteArray(path);
    const char *types = lo_message_get_types(m.get());
    const int argc = lo_message_get_argc(m.get());
    lo_arg **argv = lo_message_get_argv(m.get());
    for (int i = 0; i < argc; ++i) {
        // liblo's arguments point into the packed message, four-byte aligned
        // at best: copied out, never read through the union.
        const char *at = reinterpret_cast<const char *>(argv[i]);
        OscArg a;
        a.type = types[i];
        switch (a.type) {
        case 'i':
            a.number = valueAt<std::int32_t>(at);
            break;
        case 'h':
            a.number = double(valueAt<std::int64_t>(at));
            break;
        case 'f':
            a.number = valueAt<float>(at);
            break;
        case 'd':
            a.number = valueAt<double>(at);
            break;
        case 's':
        case 'S':
            a.text = QString::fromUtf8(at);
            break;
        default:
            break; // kept by its type, refused where a value is read
        }
        out.args << a;
    }
    return out;
}

QByteArray encodeOsc(const OscMessage &message)
{
    const LoMessage m(lo_message_new());
    for (const OscArg &a : message.args) {
        const QByteArray text = a.text.toUtf8();
        switch (a.type) {
        case 'i':
            lo_message_add_int32(m.get(),
                                 std::int32_t(std::clamp(a.number, -2147483648.0, 2147483647.0)));
            break;
        case 'h':
            // Within the range a double converts back from.
            lo_message_add_int64(m.get(), std::int64_t(std::clamp(a.number, -9.2e18, 9.2e18)));
            break;
        case 'f':
            lo_message_add_float(m.get(), float(a.number));
            break;
        case 'd':
            lo_message_add_double(m.get(), a.number);
            break;
        case 's':
            lo_message_add_string(m.get(), text.constData());
            break;
        case 'S':
            lo_message_add_symbol(m.get(), text.constData());
            break;
        case 'T':
            lo_message_add_true(m.get());
            break;
        case 'F':
            lo_message_add_false(m.get());
            break;
        case 'I':
            lo_message_add_infinitum(m.get());
            break;
        default:
            lo_message_add_nil(m.get());
            break;
        }
    }
    std::size_t size = 0;
    void *bytes = lo_message_serialise(m.get(), message.address.constData(), nullptr, &size);
    if (!bytes)
        return {};
    QByteArray out(static_cast<const char *>(bytes), qsizetype(size));
    std::free(bytes);
    return out;
}

OscTranslated translateOsc(const OscMessage &message, QByteArrayView token)
{
    QList<QByteArray> parts = message.address.split('/');
    const bool zam = parts.size() >= 3 && parts[0].isEmpty() && parts[1] == "zam";
    if (!token.isEmpty()) {
        // Every datagram carries the token: its sender address proves nothing.
        if (!zam || !sameSecret(parts[2], token))
            return OscRefusal{{},
                              QStringLiteral("unauthorized"),
                              QStringLiteral("the address must carry the token: /zam/TOKEN/...")};
        parts.removeAt(2);
    }
    const QString address = QString::fromUtf8(parts.join('/'));
    const auto refusal = [&](const QString &code, const QString &text) {
        return OscRefusal{address.left(200), code, text};
    };
    if (!zam || parts.size() < 3)
        return refusal(QStringLiteral("unknown-address"),
                       QStringLiteral("addresses start with /zam/ (docs/api.md, \"OSC\")"));
    QJsonObject request;
    try {
        if (parts.size() == 3 && parts[2] == "stopall") {
            if (!message.args.isEmpty())
                refuse(QStringLiteral("bad-request"),
                       QStringLiteral("/zam/stopall takes no arguments"));
            request.insert(QStringLiteral("op"), QStringLiteral("stopAll"));
        } else {
            const QByteArray camera = parts[2];
            const bool digits = !camera.isEmpty() && camera.size() <= 3 &&
                                std::all_of(camera.begin(), camera.end(),
                                            [](char c) { return c >= '0' && c <= '9'; });
            const int n = camera.toInt();
            if (!digits)
                refuse(QStringLiteral("unknown-address"),
                       QStringLiteral("no address %1: /zam/ is followed by a camera 1..7 or "
                                      "stopall")
                           .arg(address.left(60)));
            if (n < 1 || n > 7)
                refuse(QStringLiteral("out-of-range"),
                       QStringLiteral("camera %1 is outside 1..7").arg(n));
            const QByteArray verb = parts.mid(3).join('/');
            const VerbRow *row = nullptr;
            for (const VerbRow &candidate : kVerbs)
                if (verb == candidate.path)
                    row = &candidate;
            if (!row)
                refuse(QStringLiteral("unknown-address"),
                       QStringLiteral("no address %1").arg(address.left(60)));
            const int argc = int(message.args.size());
            if (argc < row->minArgs || (row->maxArgs >= 0 && argc > row->maxArgs))
                refuse(QStringLiteral("bad-request"),
                       QStringLiteral("/zam/N/%1 takes %2, not %3 argument(s)")
                           .arg(QLatin1StringView(row->path), QLatin1StringView(row->usage))
                           .arg(argc));
            request = requestFor(*row, n, message);
        }
    } catch (const Refusal &r) {
        return refusal(r.code, r.message);
    }
    request.insert(QStringLiteral("id"), address);
    return OscRequest{QJsonDocument(request).toJson(QJsonDocument::Compact), address};
}

OscMessage oscReply(const QString &address, const QString &code, const QString &message)
{
    return {QByteArrayLiteral("/zam/reply"),
            {{'s', 0, address}, {'s', 0, code}, {'s', 0, message}}};
}

std::optional<OscMessage> oscReplyOf(QByteArrayView hubAnswer)
{
    const QJsonObject o = QJsonDocument::fromJson(hubAnswer.toByteArray()).object();
    if (o.isEmpty() || o.contains(QStringLiteral("event")))
        return std::nullopt;
    const QString address = o.value(QStringLiteral("id")).toString();
    if (!o.value(QStringLiteral("ok")).toBool()) {
        const QJsonObject error = o.value(QStringLiteral("error")).toObject();
        return oscReply(address, error.value(QStringLiteral("code")).toString(),
                        error.value(QStringLiteral("message")).toString());
    }
    QString text;
    if (o.contains(QStringLiteral("result"))) {
        text = o.value(QStringLiteral("result")).toString();
        if (o.contains(QStringLiteral("data")))
            text += u' ' + o.value(QStringLiteral("data")).toString();
    } else if (o.contains(QStringLiteral("speed"))) {
        text = QStringLiteral("speed %1").arg(o.value(QStringLiteral("speed")).toInt());
    } else if (o.contains(QStringLiteral("stopped"))) {
        text = o.value(QStringLiteral("stopped")).toBool() ? QStringLiteral("stopped")
                                                           : QStringLiteral("not moving");
    }
    return oscReply(address, QStringLiteral("ok"), text);
}

} // namespace zam::api
