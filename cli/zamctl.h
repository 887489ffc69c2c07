#pragma once
// zam-ctl: drives a camera of the chain from a script.
//
//   zam-ctl [-p DEVICE|tcp://HOST:PORT] [-b BPS] [-c N] [--no-init] SUBCOMMAND [ARGS]
//
// Common options may also follow the subcommand.

#include <QStringList>
#include <QTextStream>

namespace zam {
class Clock;
}

namespace zam::cli {

// Runs the tool for a command line (arguments[0] is the program) and answers
// the exit status. Every wait is bounded by the clock's time.
int runZamCtl(const QStringList &arguments, QTextStream &out, QTextStream &err, Clock &clock);

} // namespace zam::cli
