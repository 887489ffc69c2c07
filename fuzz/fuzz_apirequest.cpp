// Feeds damaged control-API requests to the request reader, as a client
// with a bug or a hostile one could send them.
//
// Input layout:
//   byte 0        bit 0 clear: the rest is the whole message;
//                 bit 0 set: the rest edits one of a few sound requests
//                 (byte 1 picks it), two bytes an edit: a position (scaled
//                 over the request) and the byte written there (below 0x80
//                 one of the characters JSON is made of)
//
// A request that reads must name a catalog entry whose packet builds from its
// values, for a camera 1..7 (or the broadcast), and a move must be within its
// ranges: anything else stops the run.

#include "apirequest.h"
#include "fuzzsupport.h"

#include <QByteArray>
#include <catalog.h>
#include <cstddef>
#include <cstdint>
#include <cstdlib>

namespace {

using zamfuzz::check;

const char *const kSound[] = {
    R"({"id": 7, "op": "send", "camera": 2, "command": "ZoomTele", "values": [5]})",
    R"({"id": 8, "op": "send", "camera": 1, "command": "ClockSet", "values": [26, 12, 7, 17, 30]})",
    R"({"id": "m", "op": "move", "camera": 3, "axis": "focus", "speed": -7, "deadmanMs": 100})",
    R"({"id": 9, "op": "raw", "bytes": "81 01 04 07 25 FF"})",
    R"({"id": 1, "op": "subscribe", "events": ["traffic", "moves"]})",
};

char edit(std::uint8_t b)
{
    static const char kChars[] = "0123456789-+.eE\" \\[]{},:truefalsnl";
    return b < 0x80 ? kChars[b % (sizeof kChars - 1)] : char(b);
}

} // namespace

extern "C" int LLVMFuzzerTestOneInput(const uint8_t *data, size_t size)
{
    if (size == 0)
        return 0;
    QByteArray message;
    if (data[0] & 1 && size >= 2) {
        message = kSound[data[1] % std::size(kSound)];
        zamfuzz::overwrite(message, data + 2, size - 2, edit);
    } else {
        message = QByteArray(reinterpret_cast<const char *>(data + 1), qsizetype(size - 1));
    }
    const zam::api::Parsed parsed = zam::api::parseRequest(message);
    const auto *r = std::get_if<zam::api::Request>(&parsed);
    if (!r)
        return 0;
    using zam::api::Op;
    if (r->op == Op::Send) {
        check(r->entry != nullptr);
        check((r->camera >= 1 && r->camera <= 7) || r->camera == zam::catalog::kBroadcast);
        const std::optional<QByteArray> packet =
            zam::catalog::build(r->entry->id, r->camera, r->values);
        check(packet.has_value());
        check(zam::catalog::decodeCommand(*packet).entry == r->entry);
    } else if (r->op == Op::Move) {
        check(r->camera >= 1 && r->camera <= 7);
        check(r->speed >= -7 && r->speed <= 7);
        check(r->deadmanMs >= zam::api::kMinDeadmanMs && r->deadmanMs <= zam::api::kMaxDeadmanMs);
    } else if (r->op == Op::Raw) {
        check(r->bytes.size() >= 3 && r->bytes.size() <= zam::catalog::kMaxPacket);
        check(r->bytes.indexOf(char(0xFF)) == r->bytes.size() - 1);
    }
    return 0;
}
