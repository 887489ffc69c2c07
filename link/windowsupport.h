#pragma once
// Small pieces every window of the panel shares.

#include "trafficlog.h"

class QPlainTextEdit;

namespace zam {

// The wait cursor for as long as the object lives: the panel's blocking
// waits (reply waits, the pauses between packets) show it.
class BusyCursor {
public:
    BusyCursor();
    ~BusyCursor();
    BusyCursor(const BusyCursor &) = delete;
    BusyCursor &operator=(const BusyCursor &) = delete;
};

// The log box shows the log's text with the caret at the end (the newest
// traffic in view), from now on.
void mirrorLog(TrafficLog &log, QPlainTextEdit *box);

} // namespace zam
