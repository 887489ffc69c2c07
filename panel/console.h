#pragma once
// The direct command console: the DirectText box takes a whole packet as
// hexadecimal digits, and Enter sends it byte by byte through the main
// window's port, logged in SendText with a blank after each pair. Replies
// come back through the receive handler like those of any command.

#include <QObject>
#include <QString>

class QLineEdit;

namespace zam {

class CameraLink;

class DirectConsole : public QObject {
    Q_OBJECT
public:
    // Installs the key and paste filter on the box and handles its Enter key.
    DirectConsole(QLineEdit *box, CameraLink &link, QObject *parent = nullptr);

    // Sends the box's text. Answers "NG" when the refresh gate refuses (and
    // then changes nothing), otherwise an empty string.
    QString SendDirect();

private:
    void onEnter();

    QLineEdit *m_box;
    CameraLink *m_link;
};

} // namespace zam
