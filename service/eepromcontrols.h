#pragma once
// What the two service dialogs share: the "Mode" frame's EEPROM commands,
// the fixed write sequences with their pauses, and the manufacturing-date
// read. Each dialog hands over its own boxes and its own copy of SD.
//
// The sequences and the date read block the window while they pause (no
// event runs, as with every timed wait of the panel) and show the wait
// cursor meanwhile.

#include "eeprom.h"

#include <QAbstractButton>
#include <QMessageBox>
#include <cameralink.h>
#include <windowsupport.h>

#include <functional>

class QLineEdit;
class QPlainTextEdit;
class QWidget;

namespace zam::service {

class EepromControls {
public:
    struct Boxes {
        QLineEdit *address;
        QLineEdit *data;
        QLineEdit *month;
        QLineEdit *date;
        QLineEdit *year;
    };

    // window: parent and title of the message boxes.
    EepromControls(CameraLink &link, TrafficLog &log, Boxes boxes, QWidget *window);

    void setMessageHook(MessageHook hook) { m_messages.setHook(std::move(hook)); }
    DialogSender &sender() { return m_sender; }
    CameraLink &link() { return *m_link; }

    void enterSettingMode();
    void releaseWriteProtect();
    void read();
    void write();
    void set();
    // Sends the steps with their pauses, then shows doneText.
    void runSequence(const std::vector<eeprom::Step> &steps, const QString &doneText);
    void readManufacturingDate();

    // Sends a packet through the dialog's SD in mode 1.
    void send(const QByteArray &packet);
    void message(QMessageBox::Icon icon, const QString &text);
    // The value of a typed hexadecimal box, 0..maximum (read as hexfield.h
    // says). A box that cannot become its value is refused: the operator is
    // told which box (`what`) and what it takes, the caret goes there, and
    // nothing is sent.
    std::optional<unsigned> field(QLineEdit *box, unsigned maximum, const QString &what);

private:
    std::optional<unsigned> address();
    std::optional<unsigned> data();
    void store(std::optional<QByteArray> (*build)(int, unsigned, unsigned));
    std::optional<eeprom::ReadReply> readCell(unsigned cell);

    CameraLink *m_link;
    DialogSender m_sender;
    Boxes m_boxes;
    QWidget *m_window;
    OperatorMessages m_messages;
};

// The EEPROM buttons both service dialogs carry under the same names.
template <typename Form> void connectEepromButtons(Form *ui, EepromControls *c, QObject *context)
{
    QObject::connect(ui->EPromCmdSens, &QAbstractButton::clicked, context,
                     [c] { c->enterSettingMode(); });
    QObject::connect(ui->EPromWriteProtectrelesase, &QAbstractButton::clicked, context,
                     [c] { c->releaseWriteProtect(); });
    QObject::connect(ui->EPromCmdRD, &QAbstractButton::clicked, context, [c] { c->read(); });
    QObject::connect(ui->EPromCmdWR, &QAbstractButton::clicked, context, [c] { c->write(); });
    QObject::connect(ui->EPromCmdSet, &QAbstractButton::clicked, context, [c] { c->set(); });
    QObject::connect(ui->Manufadatecmd, &QAbstractButton::clicked, context,
                     [c] { c->readManufacturingDate(); });
}

} // namespace zam::service
