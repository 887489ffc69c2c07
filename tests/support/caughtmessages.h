#pragma once
// The one way tests catch what a window tells the operator: hook() goes to
// the window's setMessageHook; every message is kept, in order, and answered
// with `answer` as if the operator had pressed it.

#include <QMessageBox>
#include <QStringList>
#include <windowsupport.h>

struct CaughtMessages {
    QList<zam::OperatorMessage> all;
    QMessageBox::StandardButton answer = QMessageBox::Ok;

    zam::MessageHook hook()
    {
        return [this](const zam::OperatorMessage &m) {
            all.append(m);
            return answer;
        };
    }

    QStringList texts() const { return collect(&zam::OperatorMessage::text); }
    QStringList titles() const { return collect(&zam::OperatorMessage::title); }
    QStringList details() const { return collect(&zam::OperatorMessage::detail); }
    QStringList informative() const { return collect(&zam::OperatorMessage::informative); }
    bool isEmpty() const { return all.isEmpty(); }
    qsizetype size() const { return all.size(); }
    void clear() { all.clear(); }

private:
    QStringList collect(QString zam::OperatorMessage::*field) const
    {
        QStringList out;
        for (const zam::OperatorMessage &m : all)
            out << m.*field;
        return out;
    }
};
