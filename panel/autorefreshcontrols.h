#pragma once
// The window side of auto refresh: the AutoRefreshed button switches the
// periodic status read on and off, Refreshonce reads once, every Timer1 tick
// reads, and a status read that gives up (ARError) stops the refresh and
// tells the operator.
//
//   AutoRefreshed click, caption "Stop"  Timer1 on,  caption "Auto", Refreshonce disabled
//   AutoRefreshed click, caption "Auto"  Timer1 off, caption "Stop", Refreshonce enabled
//
// The pause around a command and its resume live in the link (SD and
// CheckFinishCommand); the window only mirrors the state.

#include <QMessageBox>
#include <QObject>
#include <QPointer>
#include <functional>
#include <windowsupport.h>

class QAbstractButton;
class QWidget;

namespace zam {

class CameraLink;

class AutoRefreshControls : public QObject {
    Q_OBJECT
public:
    AutoRefreshControls(CameraLink &link, QAbstractButton *autoRefreshed,
                        QAbstractButton *refreshOnce, QWidget *window,
                        std::function<void()> readStatus, QObject *parent = nullptr);

    // The AutoRefreshed button's click.
    void toggle();

    // A status inquiry went unanswered three times: auto refresh is switched
    // off (Timer1 off, caption "Stop", both buttons usable), whatever waits on
    // the line is dropped, and the operator is told without blocking the
    // window, so that nothing can stack one modal loop on another.
    void ARError();

    // The warning of the last ARError while it is open, else null.
    QMessageBox *errorBox() const { return m_errorBox; }
    void setMessageHook(MessageHook hook) { m_messages.setHook(std::move(hook)); }

    static const QString kErrorText;

private:
    CameraLink *m_link;
    QWidget *m_window;
    std::function<void()> m_readStatus;
    QPointer<QMessageBox> m_errorBox;
    OperatorMessages m_messages;
};

} // namespace zam
