#include "windowsupport.h"

#include "hexfield.h"

#include <QApplication>
#include <QLineEdit>
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

namespace {
MessageHook &processHook()
{
    static MessageHook hook;
    return hook;
}
} // namespace

MessageHook setProcessMessageHook(MessageHook hook)
{
    std::swap(processHook(), hook);
    return hook;
}

QMessageBox::StandardButton OperatorMessages::show(const OperatorMessage &message) const
{
    if (const MessageHook &hook = processHook())
        return hook(message);
    if (m_hook)
        return m_hook(message);
    QMessageBox box(message.icon, message.title, message.text, message.buttons, m_window);
    box.setInformativeText(message.informative);
    if (!message.detail.isEmpty())
        box.setDetailedText(message.detail);
    if (m_onTop)
        box.setWindowFlag(Qt::WindowStaysOnTopHint);
    return QMessageBox::StandardButton(box.exec());
}

QMessageBox *OperatorMessages::post(const OperatorMessage &message) const
{
    if (const MessageHook &hook = processHook()) {
        hook(message);
        return nullptr;
    }
    if (m_hook) {
        m_hook(message);
        return nullptr;
    }
    auto *box =
        new QMessageBox(message.icon, message.title, message.text, message.buttons, m_window);
    box->setAttribute(Qt::WA_DeleteOnClose);
    box->setInformativeText(message.informative);
    if (!message.detail.isEmpty())
        box->setDetailedText(message.detail);
    box->open();
    box->raise();
    box->activateWindow();
    return box;
}

std::optional<unsigned> readHexBox(QLineEdit *box, unsigned maximum, const HexBoxRefusal &refuse)
{
    const auto value = readHexField(box->text(), maximum);
    if (value)
        return value;
    refuse(hexFieldRange(maximum));
    box->setFocus();
    box->selectAll();
    return std::nullopt;
}

void setEnabled(std::initializer_list<QWidget *> widgets, bool on)
{
    for (QWidget *w : widgets)
        w->setEnabled(on);
}

} // namespace zam
