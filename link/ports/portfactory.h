#pragma once
// Choosing the backend for a device name, and finding a camera's line speed.

#include "clock.h"
#include "port.h"

#include <functional>
#include <memory>
#include <optional>

namespace zam {

bool isNetworkDevice(const QString &device);

// "tcp://host:port" is a serial device server on the network; anything else
// is a serial device.
std::unique_ptr<Port> makeLinePort(const QString &device);

using PortMaker = std::function<std::unique_ptr<Port>()>;

// Tries 9600, 19200 and 38400 bit/s with the broadcast interface clear and
// answers the first speed whose echo comes back. Bounded: at most about
// 1.1 s per speed. `why` receives the open failure, if the port never opened.
std::optional<int> detectBaud(const PortMaker &makePort, const QString &device, Clock &clock,
                              QString *why = nullptr);

} // namespace zam
