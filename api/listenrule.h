#pragma once
// The rule both control servers (WebSocket and OSC) listen by: loopback only,
// unless a token is set. On any other address anyone who reaches the port
// could drive the cameras.

#include <QByteArray>
#include <QHostAddress>

namespace zam::api {

inline bool mayListen(const QHostAddress &address, const QByteArray &token)
{
    return address.isLoopback() || !token.isEmpty();
}

} // namespace zam::api
