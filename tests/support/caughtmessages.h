#pragma once
// The one way tests catch what the panel tells the operator: while a
// CaughtMessages lives, every message of every window comes to it (the
// innermost one alive wins), is kept in order, and is answered with
// `answer` as if the operator had pressed it. showBoxes() lets the real
// message boxes come up again.

#include <QApplication>
#include <QMessageBox>
#include <QStringList>
#include <windowsupport.h>

struct CaughtMessages {
    QList<zam::OperatorMessage> all;
    // Whether the wait cursor was up when each message came.
    QList<bool> busy;
    QMessageBox::StandardButton answer = QMessageBox::Ok;

    CaughtMessages() { m_before = zam::setProcessMessageHook(hook()); }
    ~CaughtMessages() { showBoxes(); }
    CaughtMessages(const CaughtMessages &) = delete;
    CaughtMessages &operator=(const CaughtMessages &) = delete;

    void showBoxes()
    {
        if (m_installed)
            zam::setProcessMessageHook(std::move(m_before));
        m_installed = false;
    }

    QStringList texts() const { return collect(&zam::OperatorMessage::text); }
    QStringList titles() const { return collect(&zam::OperatorMessage::title); }
    QStringList details() const { return collect(&zam::OperatorMessage::detail); }
    QStringList informative() const { return collect(&zam::OperatorMessage::informative); }
    bool isEmpty() const { return all.isEmpty(); }
    qsizetype size() const { return all.size(); }
    void clear()
    {
        all.clear();
        busy.clear();
    }

private:
    zam::MessageHook hook()
    {
        return [this](const zam::OperatorMessage &m) {
            all.append(m);
            busy.append(QApplication::overrideCursor() != nullptr);
            return answer;
        };
    }

    QStringList collect(QString zam::OperatorMessage::*field) const
    {
        QStringList out;
        for (const zam::OperatorMessage &m : all)
            out << m.*field;
        return out;
    }

    zam::MessageHook m_before;
    bool m_installed = true;
};
