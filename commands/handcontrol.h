#pragma once
// Hand controllers (gamepads, joysticks): what a stick or a button does to
// the cameras, without the device layer (gamepadinput.h feeds these rules).
//
// A stick drives a move the way a held zoom or focus button does, through
// the link's MoveStops, so every move it starts has exactly one stop,
// addressed to the camera that moved:
//
//   stick                     on the line
//   past the dead zone        move at the speed step (tele/far forward)
//   another speed step        the move again at the new speed (same stop)
//   the other way             the opposite move (same stop)
//   back in the dead zone     the move's stop
//   device unplugged          the stop, at once
//   device silent for 2 s     the stop (the watchdog); the operator is told
//
// A move ended from outside (another camera chosen, Reconnect, the port
// lost, STOP ALL, the watchdog) holds the stick off until it has been back
// in the centre: a hand that is still pushing does not restart the lens on
// its own.
//
// Rate: a move packet to a camera waits until 50 ms after that camera's last
// packet and until the line has carried the stick's earlier packets at its
// speed; while it waits only the latest step is kept. A stop never waits.
//
// Raw axis values are SDL's, -32768..32767, negative when the stick is
// pushed forward (up). Anything outside is held at the ends.

#include <QObject>
#include <QString>
#include <cameralink.h>
#include <clock.h>

#include <array>
#include <cstdint>
#include <functional>
#include <map>
#include <optional>

class QSettings;

namespace zam::hand {

enum class Action : std::uint8_t {
    None,
    Zoom,  // an axis: tele forward, wide back
    Focus, // an axis: far forward, near back; in manual focus only
    OnePushAf,
    FocusMode, // focus auto <-> manual
    PreviousCamera,
    NextCamera,
    StopAll,
    Preset0,
    Preset1,
    Preset2,
    Preset3,
    Count
};
inline constexpr int kActionCount = int(Action::Count);

// "zoom", "stop-all" ... (the settings' words) and "Zoom", "STOP ALL" (the dialog's).
QString actionKey(Action a);
QString actionCaption(Action a);
std::optional<Action> actionFromKey(const QString &key);
bool isAxisAction(Action a);

enum class Curve : std::uint8_t { Linear, Square };

struct AxisTuning {
    int deadZonePercent = 15; // of the full deflection, 0..90
    bool inverted = false;
    Curve curve = Curve::Linear;
};

// The controller layout of SDL's game controllers: 6 axes, 21 buttons (the
// d-pad as four buttons). A plain joystick's axes and buttons count by the
// same numbers, its hat as the d-pad.
inline constexpr int kAxes = 6;
inline constexpr int kButtons = 21;
inline constexpr int kDpadUp = 11, kDpadDown = 12, kDpadLeft = 13, kDpadRight = 14;

struct Mapping {
    std::array<Action, kAxes> axes{};
    std::array<AxisTuning, kAxes> tuning{};
    std::array<Action, kButtons> buttons{};

    // Left stick up/down zoom, right stick up/down focus, A one-push AF,
    // B STOP ALL, X focus auto/manual, the shoulders the previous and next
    // camera, the d-pad presets 0 (up), 1 (right), 2 (down), 3 (left).
    static Mapping defaults();
    // Keys "gamepad/axisN", "gamepad/axisN/deadZone|inverted|curve",
    // "gamepad/buttonN". A key with a value the panel does not know keeps
    // the default.
    static Mapping read(const QSettings &s);
    void write(QSettings &s) const;
    bool operator==(const Mapping &) const = default;
};

inline bool operator==(const AxisTuning &a, const AxisTuning &b)
{
    return a.deadZonePercent == b.deadZonePercent && a.inverted == b.inverted && a.curve == b.curve;
}

// The signed speed step of a raw axis value: 0 in the dead zone, 1..8
// forward (speed 0..7), -1..-8 back.
int speedStep(int raw, const AxisTuning &t);

// When the line can take the stick's next packet to a camera.
class LineBudget {
public:
    static constexpr int kCameraGapMs = 50;
    explicit LineBudget(int baud = 9600) : m_baud(baud) {}
    void setBaud(int baud) { m_baud = baud > 0 ? baud : 9600; }
    std::int64_t earliestMs(int camera, std::int64_t nowMs) const;
    void sent(int camera, std::int64_t nowMs, int bytes);

private:
    int m_baud;
    std::map<int, std::int64_t> m_cameraFreeMs;
    std::int64_t m_lineFreeUs = 0;
};

class HandControl : public QObject {
    Q_OBJECT
public:
    static constexpr int kWatchdogMs = 2000;

    struct Hooks {
        // Whether the camera is in manual focus (the panel's focus buttons
        // are usable for the selected one).
        std::function<bool(int camera)> manualFocus;
        // A button's action other than STOP ALL, for the camera the
        // controller drives (0: the selected one).
        std::function<void(Action, int camera)> act;
        // A line for the status bar.
        std::function<void(const QString &)> tell;
    };

    HandControl(CameraLink &link, Hooks hooks, QObject *parent = nullptr);

    void setMapping(const Mapping &m) { m_mapping = m; }
    const Mapping &mapping() const { return m_mapping; }
    void setLineSpeed(int baud) { m_budget.setBaud(baud); }

    // Devices by SDL instance id.
    void attach(int device, const QString &name);
    // Unplugged or gone: its moves stop at once.
    void detach(int device);
    void axis(int device, int axis, int raw);
    void button(int device, int button, bool down);
    // The device said something (any event): the watchdog's sign of life.
    void reported(int device);

    // 0: follows the selected camera; 1..7: drives that camera.
    void bind(int device, int camera);
    int boundCamera(int device) const;
    bool attached(int device) const { return m_devices.count(device) != 0; }
    QList<int> devices() const;
    QString name(int device) const;

    // Zoom, digital zoom and focus stops to every camera of the chain,
    // after every running move's own stop. Never refused.
    void stopAll();

Q_SIGNALS:
    // Live values for the dialog.
    void axisMoved(int device, int axis, int raw);
    void buttonChanged(int device, int button, bool down);
    void devicesChanged();

private:
    struct Drive {
        Action action = Action::None;
        int wanted = 0; // the stick's step now
        int sent = 0;   // the step of the last packet
        std::optional<MoveStops::Id> move;
        int camera = 0;
        bool heldOff = false; // stopped from outside: wait for the centre
    };
    struct Device {
        QString name;
        int camera = 0;
        std::int64_t lastReportMs = 0;
        std::array<Drive, kAxes> drives{};
        std::array<bool, kButtons> down{};
    };

    int targetCamera(const Device &d) const;
    void drive(Device &d, Drive &r);
    void stopDrive(Drive &r);
    void runDue();
    void schedule(std::int64_t atMs);
    void pressed(Device &d, Action a);

    CameraLink *m_link;
    Hooks m_hooks;
    Mapping m_mapping = Mapping::defaults();
    LineBudget m_budget;
    std::map<int, Device> m_devices;
    ClockTimer m_due;
};

} // namespace zam::hand
