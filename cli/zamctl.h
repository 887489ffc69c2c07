#pragma once
// zam-ctl: drives a camera of the chain from a script.
//
//   zam-ctl [-p DEVICE|tcp://HOST:PORT] [-b BPS] [-c N] [--no-init] SUBCOMMAND [ARGS]
//
// Common options may also follow the subcommand.

#include <QStringList>
#include <QTextStream>
#include <clock.h>
#include <port.h>

#include <functional>
#include <memory>

namespace zam::cli {

// Makes the (unopened) port for a device name; makeLinePort unless a test
// puts a camera of its own behind the line.
using LineMaker = std::function<std::unique_ptr<Port>(const QString &device)>;

// Runs the tool for a command line (arguments[0] is the program) and answers
// the exit status. Every wait is bounded by the clock's time.
int runZamCtl(const QStringList &arguments, QTextStream &out, QTextStream &err, Clock &clock,
              const LineMaker &makeLine = {});

} // namespace zam::cli
