#pragma once
// What the two privacy-mask windows (zone masks and spherical masks) share:
// the dialog's own sender and log, the "zones shown" and colour-row check
// box grids, and the packets both send the same way (built by the protocol
// catalog):
//
//   8x 01 04 77 aa bb cc dd FF                       zones shown (zone bitmap)
//   8x 01 04 78 aa bb cc dd c1 c2 FF                 zones of the colour row, colours 1 and 2
//   8x 01 04 79 0p 0q 0r 0s 0t 0u FF                 pan angle pqr, tilt angle stu
//   8x 01 04 7B mm 0p 0q 0r 0s 0t 0u 0v 0w 0x 0y FF  mask mm at pan pqr, tilt stu, zoom vwxy
//   8x 01 04 7C 02 FF / 7C 03 FF                     grid on / off

#include "dialogsupport.h"

#include <cameralink.h>
#include <trafficlog.h>

#include <QList>

class QAbstractButton;
class QCheckBox;
class QComboBox;
class QGridLayout;
class QLineEdit;
class QPlainTextEdit;

namespace zam::maskui {

class ZoneMaskDialog : public MaskDialog {
    Q_OBJECT
public:
    TrafficLog &log() { return m_log; }

    // The menu entry: first item of every list, then shown (not modal).
    void openFromMenu();

protected:
    ZoneMaskDialog(CameraLink &link, QWidget *parent);

    // The widgets of the form the shared part works on; called once the
    // form is set up.
    struct Form {
        QGridLayout *shownGrid;  // Checks0 0..23
        QGridLayout *colourGrid; // Checks1 0..23
        QPlainTextEdit *logBox;
        QAbstractButton *clearLog;
        QAbstractButton *showZones; // sends the zones shown
        QAbstractButton *gridOn;
        QAbstractButton *gridOff;
        QList<QComboBox *> openingLists; // set to their first item on opening
    };
    void setUpShared(const Form &form);

    // The catalog's packet `id` for the selected camera, through the
    // dialog's own sender.
    void send(catalog::Id id, std::initializer_list<int> values = {});
    // The colour row's ticked zones followed by the colour values of `id`
    // (a mask colour entry).
    void sendColourRow(catalog::Id id, std::initializer_list<int> colours);
    // The head's pan and tilt angles, three digits each.
    void sendPanTilt(QLineEdit *pan, QLineEdit *tilt);
    // The mask of the list at the head's pan, tilt (three digits) and zoom
    // (four digits).
    void sendMaskPosition(QComboBox *mask, QLineEdit *pan, QLineEdit *tilt, QLineEdit *zoom);

    CameraLink *m_link;

private:
    // The pan and tilt angles (three digits each), or a refusal naming the box.
    std::optional<std::pair<int, int>> panTiltOf(QLineEdit *pan, QLineEdit *tilt);

    TrafficLog m_log;
    DialogSender m_sender;
    QList<QCheckBox *> m_shown;
    QList<QCheckBox *> m_colour;
    QList<QComboBox *> m_openingLists;
};

} // namespace zam::maskui
