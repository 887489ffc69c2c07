#pragma once
// What the masking and detection windows share: asking the operator (a
// message box that tests can replace), the busy cursor of timed waits, the
// log box that mirrors a dialog's traffic log, and the hexadecimal key
// filter of boxes that take digits only.

#include <QDialog>
#include <QMessageBox>
#include <QValidator>
#include <catalog.h>
#include <windowsupport.h>

#include <QLayout>
#include <QList>

#include <array>
#include <cstdint>
#include <functional>
#include <optional>
#include <span>

class QCheckBox;
class QComboBox;
class QLineEdit;
class QPlainTextEdit;

namespace zam {
class CameraLink;
class TrafficLog;
} // namespace zam

namespace zam::maskui {

// Backspace, 0..9 and A..F pass; a..f become capitals; every other key is
// swallowed. Pasted text follows the same rule.
class HexDigitValidator : public QValidator {
    Q_OBJECT
public:
    using QValidator::QValidator;
    State validate(QString &input, int &pos) const override;
};

// The widgets of one kind that a layout holds, in the order of the form
// (the control arrays: zone check boxes, option-button grids).
template <class T> QList<T *> widgetsIn(QLayout *layout)
{
    QList<T *> out;
    for (int i = 0; i < layout->count(); ++i)
        if (auto *w = qobject_cast<T *>(layout->itemAt(i)->widget()))
            out << w;
    return out;
}

// Sends the catalog's packet `id` for camera `address` with `sender` (the
// link or a dialog's own sender) in mode 1. Nothing goes out when the
// catalog refuses a value; the dialogs read their boxes within range first.
template <class Sender>
bool sendEntry(Sender &sender, int address, catalog::Id id, std::span<const int> values)
{
    const auto packet = catalog::build(id, address, values);
    return packet && sender.SD(*packet, 1);
}
template <class Sender>
bool sendEntry(Sender &sender, int address, catalog::Id id, std::initializer_list<int> values = {})
{
    return sendEntry(sender, address, id, std::span<const int>(values.begin(), values.size()));
}

// A mask colour as the colour byte carries it: the list position in the low
// nibble, "Half" in the high one.
struct MaskColourChoice {
    int colour = 0;
    int half = 0;
};

// Which of the 24 zone boxes are ticked.
std::array<bool, 24> tickedZones(const QList<QCheckBox *> &boxes);

// Fills a zone or mask list: prefix + A .. X, nothing selected.
void fillZoneList(QComboBox *list, const QString &prefix);
// Fills a colour list, nothing selected.
void fillColourList(QComboBox *list);

// The main window's periodic refresh while a motion-detection window is
// open: stopped when it opens (Timer1 off, AutoRefreshed disabled) and kept
// stopped, also when a command's finishing reply would resume it, until the
// window hands it back on closing:
//   AutoRefreshed enabled again; if its caption is "Auto", Timer1 runs again
//   while detection is stopped, and while detection runs auto refresh is
//   switched off (caption "Stop", Refreshonce enabled), since status reads
//   would disturb the detection.
class RefreshHold : public QObject {
    Q_OBJECT
public:
    RefreshHold(CameraLink &link, QObject *parent);
    void begin();
    void end(bool detectionRunning);
    bool holding() const { return m_holding; }

private:
    CameraLink *m_link;
    bool m_holding = false;
};

// Base of the masking and detection dialogs: the operator messages, in
// front of every other window.
class MaskDialog : public QDialog {
    Q_OBJECT
public:
    using QDialog::QDialog;

    // Tests answer message boxes through this instead of a window.
    void setMessageHook(MessageHook hook) { m_messages.setHook(std::move(hook)); }

protected:
    QMessageBox::StandardButton ask(const OperatorMessage &message);
    // The click sends nothing: tells the operator which box is wrong and
    // puts the caret there.
    void refuseField(QWidget *field, const QString &fieldName, const QString &problem);
    // The value of a typed hexadecimal box, 0..maximum (read as hexfield.h
    // says), or a refusal naming the box by its accessible name.
    std::optional<unsigned> valueOf(QLineEdit *box, unsigned maximum);
    // The value of a box `width` hexadecimal digits wide, or a refusal.
    std::optional<unsigned> digitsOf(QLineEdit *box, int width);

    // The selected position of a list, or a refusal naming it.
    std::optional<int> positionOf(QComboBox *list);
    // The colour of a list and its "Half" box (none: the colour without
    // "Half"), or a refusal naming the list.
    std::optional<MaskColourChoice> colourOf(QComboBox *list, QCheckBox *half);

private:
    OperatorMessages m_messages{this, true}; // in front of every other window
};

} // namespace zam::maskui
