#pragma once
// Small pieces every window of the panel shares.

#include "trafficlog.h"

#include <QMessageBox>
#include <QString>

#include <functional>
#include <initializer_list>
#include <optional>

class QLineEdit;
class QPlainTextEdit;
class QWidget;

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

// A message for the operator, shown in a modal message box.
struct OperatorMessage {
    OperatorMessage() = default;
    OperatorMessage(QMessageBox::Icon icon, QString title, QString text,
                    QMessageBox::StandardButtons buttons = QMessageBox::Ok, QString detail = {})
        : icon(icon), title(std::move(title)), text(std::move(text)), buttons(buttons),
          detail(std::move(detail))
    {}

    QMessageBox::Icon icon = QMessageBox::Warning;
    QString title;
    QString text;
    QMessageBox::StandardButtons buttons = QMessageBox::Ok;
    QString detail; // behind the box's "Show Details..." button; none when empty
    // Under the main text, in the box itself (the reason behind it); none when empty.
    QString informative;
};

// Shows a message and answers the button the operator pressed. Every window
// that speaks to the operator in message boxes takes one through its
// setMessageHook; tests set one that keeps the message and answers for the
// operator.
using MessageHook = std::function<QMessageBox::StandardButton(const OperatorMessage &)>;

// One hook for every window of the process, ahead of the windows' own: the
// tests answer every message box with it. Answers the hook it replaces.
MessageHook setProcessMessageHook(MessageHook hook);

// Where one window's messages go: the hook when one is set, else a message
// box owned by the window (in front of every other window when
// onTop).
class OperatorMessages {
public:
    explicit OperatorMessages(QWidget *window = nullptr, bool onTop = false)
        : m_window(window), m_onTop(onTop)
    {}
    void setHook(MessageHook hook) { m_hook = std::move(hook); }
    QMessageBox::StandardButton show(const OperatorMessage &message) const;
    // Shows the message without waiting for the operator: the window goes on
    // and the box deletes itself when closed. Answers the box, or null when
    // the hook took the message.
    QMessageBox *post(const OperatorMessage &message) const;

private:
    QWidget *m_window;
    bool m_onTop;
    MessageHook m_hook;
};

// Tells the operator why a typed box was refused; `range` is what the box
// takes, in the digits it shows ("00 to FF").
using HexBoxRefusal = std::function<void(const QString &range)>;

// The value of a typed hexadecimal box, 0..maximum (read as hexfield.h
// says). A box that cannot become its value is refused: `refuse` tells the
// operator, then the caret goes back into the box with its text selected,
// and the caller sends nothing.
std::optional<unsigned> readHexBox(QLineEdit *box, unsigned maximum, const HexBoxRefusal &refuse);

// Enables or disables the controls together (a group the camera's state
// offers or takes away as one).
void setEnabled(std::initializer_list<QWidget *> widgets, bool on);

} // namespace zam
