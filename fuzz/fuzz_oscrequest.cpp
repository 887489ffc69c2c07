// Feeds damaged OSC datagrams to the OSC reader and its translation into hub
// requests, as a controller with a bug, or a stranger on the port, could
// send them.
//
// Input layout:
//   byte 0        bit 0 clear: the rest is the whole datagram;
//                 bit 0 set: the rest edits one of a few sound datagrams
//                 (byte 1 picks it), two bytes an edit: a position (scaled
//                 over the datagram) and the byte written there
//                 bit 1 set: the translation expects a token
//
// A datagram that reads must write back to the same address and argument
// types. A translation
// must be a request of the hub's own kind (a move within its ranges, a send,
// a stopAll) whose id is its address, and with a token it must have carried
// the token: anything else stops the run.

#include "apirequest.h"
#include "fuzzsupport.h"
#include "oscrequest.h"

#include <QByteArray>
#include <cstddef>
#include <cstdint>
#include <cstdlib>

namespace {

using zamfuzz::check;

using zam::api::OscArg;
using zam::api::OscMessage;

const QByteArray kToken = "0123456789abcdef0123";

QByteArray sound(std::uint8_t pick)
{
    const OscMessage kSound[] = {
        {"/zam/2/zoom", {{'i', 5, {}}}},
        {"/zam/1/focus", {{'f', -3.4, {}}, {'i', 800, {}}}},
        {"/zam/3/preset/recall", {{'i', 2, {}}}},
        {"/zam/1/send", {{'s', 0, QStringLiteral("ClockSet")}, {'i', 26, {}}, {'i', 12, {}}}},
        {"/zam/0123456789abcdef0123/stopall", {}},
        {"/zam/0123456789abcdef0123/4/power", {{'d', 1, {}}}},
    };
    return zam::api::encodeOsc(kSound[pick % std::size(kSound)]);
}

} // namespace

extern "C" int LLVMFuzzerTestOneInput(const uint8_t *data, size_t size)
{
    if (size == 0)
        return 0;
    QByteArray datagram;
    if (data[0] & 1 && size >= 2) {
        datagram = sound(data[1]);
        zamfuzz::overwrite(datagram, data + 2, size - 2, [](std::uint8_t b) { return char(b); });
    } else {
        datagram = QByteArray(reinterpret_cast<const char *>(data + 1), qsizetype(size - 1));
    }
    const bool guarded = data[0] & 2;
    QString why;
    const std::optional<OscMessage> m = zam::api::decodeOsc(datagram, why);
    if (!m) {
        check(!why.isEmpty());
        return 0;
    }
    // What was read writes back to the same message.
    const std::optional<OscMessage> again = zam::api::decodeOsc(zam::api::encodeOsc(*m), why);
    check(again && again->address == m->address && again->args.size() == m->args.size());
    for (qsizetype i = 0; i < m->args.size(); ++i) // blobs, MIDI and such are kept by type only
        check(again->args[i].type == m->args[i].type ||
              !QByteArrayView("ihfdsSTFNI").contains(m->args[i].type));

    const zam::api::OscTranslated t = zam::api::translateOsc(*m, guarded ? kToken : QByteArray());
    const auto *request = std::get_if<zam::api::OscRequest>(&t);
    if (!request) {
        check(!std::get<zam::api::OscRefusal>(t).code.isEmpty());
        return 0;
    }
    if (guarded)
        check(m->address.startsWith("/zam/" + kToken + "/"));
    check(request->address.startsWith(QStringLiteral("/zam/")));
    const zam::api::Parsed parsed = zam::api::parseRequest(request->json);
    const auto *r = std::get_if<zam::api::Request>(&parsed);
    if (!r) // the hub refuses what only the catalog knows: a name, a range
        return 0;
    using zam::api::Op;
    check(r->id.toString() == request->address);
    check(r->op == Op::Move || r->op == Op::Send || r->op == Op::StopAll);
    if (r->op == Op::Move) {
        check(r->camera >= 1 && r->camera <= 7);
        check(r->speed >= -7 && r->speed <= 7);
        check(r->deadmanMs >= zam::api::kMinDeadmanMs && r->deadmanMs <= zam::api::kMaxDeadmanMs);
    }
    check(zam::api::oscReplyOf(zam::api::okReply(r->id)).has_value());
    return 0;
}
