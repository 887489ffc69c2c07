#pragma once
// The control API over OSC: one UDP datagram holds one OSC message, which
// becomes one hub request, the same JSON a WebSocket client sends.
//
//   address                 arguments              hub request
//   /zam/N/zoom             speed [deadmanMs]      move, axis zoom
//   /zam/N/focus            speed [deadmanMs]      move, axis focus
//   /zam/N/digitalzoom      speed [deadmanMs]      move, axis digitalZoom
//   /zam/N/preset/recall    n                      send PresetRecall [n]
//   /zam/N/preset/set       n                      send PresetSet [n]
//   /zam/N/power            0 | 1                  send PowerOff / PowerOn
//   /zam/N/send             Name [values...]       send Name [values]
//   /zam/stopall                                   stopAll
//
// N is the camera, 1..7. With a token the address carries it after /zam/
// (/zam/TOKEN/2/zoom, /zam/TOKEN/stopall). Numbers may be int32 (i), int64
// (h), float (f) or double (d); floats are rounded to the nearest whole
// number. A name is a string (s) or a symbol (S). Nothing else is taken:
// no bundles, no address patterns.
//
// The answer goes back to the sender as one message:
//
//   /zam/reply  ,sss  address  code  message
//
// address is the request's, without the token; code is "ok" or an error
// code of the hub (docs/api.md); message says what happened or why not.
//
// liblo reads and writes the bytes of a message (decodeOsc, encodeOsc);
// translateOsc is plain Qt Core and decides everything else.

#include <QByteArray>
#include <QByteArrayView>
#include <QList>
#include <QString>

#include <optional>
#include <variant>

namespace zam::api {

struct OscArg {
    char type = 'N';   // the OSC type tag
    double number = 0; // i, h, f, d
    QString text;      // s, S
};

struct OscMessage {
    QByteArray address;
    QList<OscArg> args;
};

// One whole OSC message, or nothing with `why` (a bundle, bad type tags, a
// string without its end, arguments that run past the datagram...).
std::optional<OscMessage> decodeOsc(QByteArrayView datagram, QString &why);
// The message's bytes; its arguments are written with their own type tags
// (types without a value, T F N I, carry none).
QByteArray encodeOsc(const OscMessage &message);

// A hub request: its JSON, whose "id" is the address without the token.
struct OscRequest {
    QByteArray json;
    QString address;
};

struct OscRefusal {
    QString address; // as in the reply; empty when it could not be read
    QString code;    // "unauthorized": the token is wrong or missing
    QString message;
};

using OscTranslated = std::variant<OscRequest, OscRefusal>;

// `token` empty: the addresses carry none.
OscTranslated translateOsc(const OscMessage &message, QByteArrayView token);

// /zam/reply with the three strings.
OscMessage oscReply(const QString &address, const QString &code, const QString &message);
// The hub's JSON answer to an OSC request as its reply; nothing for an
// event, which OSC clients are not sent.
std::optional<OscMessage> oscReplyOf(QByteArrayView hubAnswer);

} // namespace zam::api
