#include "windowsupport.h"

#include <QApplication>
#include <QPlainTextEdit>
#include <QScrollBar>

namespace zam {

BusyCursor::BusyCursor()
{
    QApplication::setOverrideCursor(Qt::WaitCursor);
}

BusyCursor::~BusyCursor()
{
    QApplication::restoreOverrideCursor();
}

void mirrorLog(TrafficLog &log, QPlainTextEdit *box)
{
    box->setReadOnly(true);
    const auto show = [&log, box] {
        box->setPlainText(log.text());
        box->moveCursor(QTextCursor::End);
        box->verticalScrollBar()->setValue(box->verticalScrollBar()->maximum());
    };
    QObject::connect(&log, &TrafficLog::changed, box, show);
    show();
}

} // namespace zam
