#pragma once
// A request that cannot be read, WebSocket or OSC: thrown while it is read,
// caught where it is answered, so that a refused request never reaches the
// hub.

#include <QString>

namespace zam::api {

struct Refusal {
    QString code;
    QString message;
};

[[noreturn]] inline void refuse(const QString &code, const QString &message)
{
    throw Refusal{code, message};
}

} // namespace zam::api
