#pragma once
// The hand controllers' device layer: SDL2's joystick and game-controller
// subsystems (no video), polled from a timer on the link's clock, turned
// into calls on the hand-control rules (handcontrol.h).
//
// Any device SDL maps as a game controller reports in its layout; a plain
// joystick reports its axes and buttons by number and its first hat as the
// d-pad (SDL_GAMECONTROLLERCONFIG gives it a mapping of its own). Devices
// come and go while the panel runs; events are taken while the window is in
// the background. A device that SDL still lists but no longer finds attached
// counts as unplugged.
//
// Polling: every kActiveMs while a device is attached, every kIdleMs
// otherwise (only to see one arrive), so that the idle panel stays quiet.

#include <QObject>
#include <QString>
#include <clock.h>

#include <map>

namespace zam::hand {

class HandControl;

class GamepadInput : public QObject {
    Q_OBJECT
public:
    static constexpr int kActiveMs = 5;
    static constexpr int kIdleMs = 500;

    GamepadInput(HandControl &hand, Clock &clock, QObject *parent = nullptr);
    ~GamepadInput() override;

    // SDL could not start its joystick subsystems: the reason, for the
    // operator; the rest of the panel works on.
    bool available() const { return m_error.isEmpty(); }
    QString error() const { return m_error; }
    int pollInterval() const { return m_poll.interval(); }

    // One poll, as the timer runs it (tests call it on the test clock).
    void poll();

private:
    struct Open {
        void *controller = nullptr; // SDL_GameController *
        void *joystick = nullptr;   // SDL_Joystick *
        int hat = 0;                // the last hat value seen (plain joysticks)
    };
    void open(int deviceIndex);
    void close(int instance);
    void hat(int instance, Open &o, int value);
    void rearm();

    HandControl *m_hand;
    ClockTimer m_poll;
    QString m_error;
    std::map<int, Open> m_open; // by SDL instance id
};

} // namespace zam::hand
