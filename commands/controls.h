#pragma once
// Behaviour shared by the command groups' controls: press-and-hold buttons,
// position sliders, and sending a packet built from small integers.

#include <QObject>
#include <cameralink.h>

#include <functional>
#include <initializer_list>

class QAbstractButton;
class QAbstractSlider;
class QSpinBox;
class QWidget;

namespace zam {

// Converts the values (header first, 0xFF last) and sends them with SD in
// mode 1. A value outside 0..255 sends nothing.
bool sendCommand(CameraLink &link, std::initializer_list<int> values);
bool sendCommand(CameraLink &link, const QByteArray &packet);

// 8x 01 04 command parameter FF to the selected camera; false when nothing
// was sent.
bool sendFunction(CameraLink &link, int command, int parameter);
// 8x 01 04 command 0p 0q 0r 0s FF: a value in four nibbles, most significant
// first. A value four nibbles cannot hold is not sent: it would wrap into a
// different position.
bool sendPosition(CameraLink &link, int command, int value);

// A speed box's value held within 0..7, so the parameter byte stays in
// range. The value, not the text shown: the text follows the locale's digits.
int speedValue(const QSpinBox &box);

// A press-and-hold button: mouse down (any mouse button), or Space / Enter
// held while the button has focus, sends the move packet; mouse up or key up
// sends the stop packet, wherever the pointer is then.
// Every move sent is followed by exactly one stop: also when the window
// loses focus, the application goes inactive, or the button is disabled or
// hidden while held.
class HoldButton : public QObject {
    Q_OBJECT
public:
    HoldButton(QAbstractButton *button, std::function<void()> sendMove,
               std::function<void()> sendStop, QObject *parent = nullptr);

    bool moving() const { return m_moving; }
    // Starts and stops from the keyboard (the key-down / key-up pair).
    void press();
    void release();

protected:
    bool eventFilter(QObject *watched, QEvent *event) override;

private:
    QAbstractButton *m_button;
    QWidget *m_window = nullptr;
    std::function<void()> m_sendMove;
    std::function<void()> m_sendStop;
    bool m_moving = false;
};

// A position slider of the main window:
//   mouse down  stop Timer1 (no status reads while the thumb is held)
//   each move by the operator (drag, keys, page clicks, wheel)  send
//   mouse up    Timer1 again if "Auto Refresh" is checked (or auto refresh is on
//               with no command outstanding), then send once more
// A value the program writes into the slider sends nothing.
class SliderSender : public QObject {
    Q_OBJECT
public:
    struct Options {
        bool stopsRefresh = true; // mouse down stops Timer1, mouse up may restart it
        bool sendOnMove = true;   // send on every move by the operator
        bool sendOnRelease = true;
    };
    SliderSender(QAbstractSlider *slider, CameraLink &link, std::function<void(int value)> send,
                 Options options, QObject *parent = nullptr);

protected:
    bool eventFilter(QObject *watched, QEvent *event) override;

private:
    QAbstractSlider *m_slider;
    CameraLink *m_link;
    std::function<void(int)> m_send;
    Options m_options;
};

} // namespace zam
