#pragma once
// The wait cursor for the title sequences, which block the window while they
// pause between packets (the pauses do not let events run).

#include <QApplication>

namespace zam {

class BusyCursor {
public:
    BusyCursor() { QApplication::setOverrideCursor(Qt::WaitCursor); }
    ~BusyCursor() { QApplication::restoreOverrideCursor(); }
    BusyCursor(const BusyCursor &) = delete;
    BusyCursor &operator=(const BusyCursor &) = delete;
};

} // namespace zam
