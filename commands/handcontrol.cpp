#include "handcontrol.h"

#include <QSettings>
#include <catalog.h>

#include <algorithm>
#include <cmath>

namespace zam::hand {

namespace {

using catalog::Id;

struct ActionRow {
    Action action;
    const char *key;
    const char *caption;
};

const ActionRow kActions[] = {
    {Action::None, "none", "(nothing)"},
    {Action::Zoom, "zoom", "Zoom tele / wide"},
    {Action::Focus, "focus", "Focus far / near"},
    {Action::OnePushAf, "one-push-af", "One-push AF"},
    {Action::FocusMode, "focus-mode", "Focus auto / manual"},
    {Action::PreviousCamera, "previous-camera", "Previous camera"},
    {Action::NextCamera, "next-camera", "Next camera"},
    {Action::StopAll, "stop-all", "STOP ALL"},
    {Action::Preset0, "preset-0", "Recall preset 0"},
    {Action::Preset1, "preset-1", "Recall preset 1"},
    {Action::Preset2, "preset-2", "Recall preset 2"},
    {Action::Preset3, "preset-3", "Recall preset 3"},
};
static_assert(std::size(kActions) == kActionCount, "one row per action");

// The drive's packets: forward, back, stop.
struct DriveEntries {
    Id forward;
    Id back;
    Id stop;
};

DriveEntries entriesOf(Action a)
{
    if (a == Action::Focus)
        return {Id::FocusFar, Id::FocusNear, Id::FocusStop};
    return {Id::ZoomTele, Id::ZoomWide, Id::ZoomStop};
}

const char *curveKey(Curve c)
{
    return c == Curve::Square ? "square" : "linear";
}

} // namespace

QString actionKey(Action a)
{
    return QString::fromLatin1(kActions[int(a)].key);
}

QString actionCaption(Action a)
{
    return QString::fromLatin1(kActions[int(a)].caption);
}

std::optional<Action> actionFromKey(const QString &key)
{
    for (const ActionRow &row : kActions)
        if (key == QLatin1String(row.key))
            return row.action;
    return std::nullopt;
}

bool isAxisAction(Action a)
{
    return a == Action::Zoom || a == Action::Focus;
}

Mapping Mapping::defaults()
{
    Mapping m;
    m.axes[1] = Action::Zoom;  // left stick, up/down
    m.axes[3] = Action::Focus; // right stick, up/down
    m.buttons[0] = Action::OnePushAf;
    m.buttons[1] = Action::StopAll;
    m.buttons[2] = Action::FocusMode;
    m.buttons[9] = Action::PreviousCamera; // left shoulder
    m.buttons[10] = Action::NextCamera;    // right shoulder
    m.buttons[kDpadUp] = Action::Preset0;
    m.buttons[kDpadRight] = Action::Preset1;
    m.buttons[kDpadDown] = Action::Preset2;
    m.buttons[kDpadLeft] = Action::Preset3;
    return m;
}

Mapping Mapping::read(const QSettings &s)
{
    Mapping m = defaults();
    const auto action = [&s](const QString &key, Action fallback) {
        const auto a = actionFromKey(s.value(key).toString());
        return a ? *a : fallback;
    };
    for (int i = 0; i < kAxes; ++i) {
        const QString base = QStringLiteral("gamepad/axis%1").arg(i);
        const Action a = action(base, m.axes[i]);
        if (a == Action::None || isAxisAction(a))
            m.axes[i] = a;
        AxisTuning &t = m.tuning[i];
        bool ok = false;
        const int dz = s.value(base + QStringLiteral("/deadZone")).toInt(&ok);
        if (ok && dz >= 0 && dz <= 90)
            t.deadZonePercent = dz;
        t.inverted = s.value(base + QStringLiteral("/inverted"), t.inverted).toBool();
        t.curve = s.value(base + QStringLiteral("/curve")).toString() == QLatin1String("square")
                      ? Curve::Square
                      : Curve::Linear;
    }
    for (int i = 0; i < kButtons; ++i) {
        const Action a = action(QStringLiteral("gamepad/button%1").arg(i), m.buttons[i]);
        if (!isAxisAction(a))
            m.buttons[i] = a;
    }
    return m;
}

void Mapping::write(QSettings &s) const
{
    for (int i = 0; i < kAxes; ++i) {
        const QString base = QStringLiteral("gamepad/axis%1").arg(i);
        s.setValue(base, actionKey(axes[i]));
        s.setValue(base + QStringLiteral("/deadZone"), tuning[i].deadZonePercent);
        s.setValue(base + QStringLiteral("/inverted"), tuning[i].inverted);
        s.setValue(base + QStringLiteral("/curve"), QLatin1String(curveKey(tuning[i].curve)));
    }
    for (int i = 0; i < kButtons; ++i)
        s.setValue(QStringLiteral("gamepad/button%1").arg(i), actionKey(buttons[i]));
}

int speedStep(int raw, const AxisTuning &t)
{
    // Forward (negative raw) is positive here; -32768 and 32767 both reach 1.
    double v = -std::clamp(raw, -32767, 32767) / 32767.0;
    if (t.inverted)
        v = -v;
    const double dead = std::clamp(t.deadZonePercent, 0, 90) / 100.0;
    const double a = std::abs(v);
    if (a <= dead || a == 0)
        return 0;
    double f = (a - dead) / (1.0 - dead);
    if (t.curve == Curve::Square)
        f *= f;
    const int speed = std::min(7, int(f * 8));
    return v > 0 ? speed + 1 : -(speed + 1);
}

std::int64_t LineBudget::earliestMs(int camera, std::int64_t nowMs) const
{
    std::int64_t at = nowMs;
    if (const auto it = m_cameraFreeMs.find(camera); it != m_cameraFreeMs.end())
        at = std::max(at, it->second);
    return std::max(at, (m_lineFreeUs + 999) / 1000);
}

void LineBudget::sent(int camera, std::int64_t nowMs, int bytes)
{
    m_cameraFreeMs[camera] = nowMs + kCameraGapMs;
    // 10 bits a byte: start, 8 data, stop.
    m_lineFreeUs = std::max(m_lineFreeUs, nowMs * 1000) +
                   std::int64_t(bytes) * 10 * 1'000'000 / std::max(m_baud, 1);
}

HandControl::HandControl(CameraLink &link, Hooks hooks, QObject *parent)
    : QObject(parent), m_link(&link), m_hooks(std::move(hooks)), m_due(link.clock())
{
    m_due.setSingleShot(true);
    connect(&m_due, &ClockTimer::timeout, this, &HandControl::runDue);
}

void HandControl::attach(int device, const QString &name)
{
    Device &d = m_devices[device];
    d.name = name;
    d.lastReportMs = m_link->clock().nowMs();
    Q_EMIT devicesChanged();
}

void HandControl::detach(int device)
{
    const auto it = m_devices.find(device);
    if (it == m_devices.end())
        return;
    for (Drive &r : it->second.drives)
        stopDrive(r);
    m_devices.erase(it);
    Q_EMIT devicesChanged();
}

void HandControl::reported(int device)
{
    if (const auto it = m_devices.find(device); it != m_devices.end())
        it->second.lastReportMs = m_link->clock().nowMs();
}

void HandControl::axis(int device, int axis, int raw)
{
    const auto it = m_devices.find(device);
    if (it == m_devices.end() || axis < 0 || axis >= kAxes)
        return;
    Device &d = it->second;
    d.lastReportMs = m_link->clock().nowMs();
    Q_EMIT axisMoved(device, axis, raw);
    Drive &r = d.drives[axis];
    const Action a = m_mapping.axes[axis];
    if (r.action != a) {
        // Rebound while moving: the old drive ends here.
        stopDrive(r);
        r = Drive{};
        r.action = a;
    }
    if (!isAxisAction(a))
        return;
    r.wanted = speedStep(raw, m_mapping.tuning[axis]);
    drive(d, r);
}

void HandControl::button(int device, int button, bool down)
{
    const auto it = m_devices.find(device);
    if (it == m_devices.end() || button < 0 || button >= kButtons)
        return;
    Device &d = it->second;
    d.lastReportMs = m_link->clock().nowMs();
    Q_EMIT buttonChanged(device, button, down);
    const bool was = std::exchange(d.down[button], down);
    if (down && !was)
        pressed(d, m_mapping.buttons[button]);
}

void HandControl::pressed(Device &d, Action a)
{
    switch (a) {
    case Action::None:
    case Action::Zoom:
    case Action::Focus:
    case Action::Count:
        return;
    case Action::StopAll:
        stopAll();
        return;
    case Action::PreviousCamera:
    case Action::NextCamera:
        if (d.camera != 0) {
            // A bound controller moves to the neighbour; its moves stop first.
            const int count = std::max(1, m_link->state().CameraCount);
            const int step = a == Action::NextCamera ? 1 : count - 1;
            for (Drive &r : d.drives)
                stopDrive(r);
            d.camera = (d.camera - 1 + step) % count + 1;
            Q_EMIT devicesChanged();
            return;
        }
        break;
    default:
        break;
    }
    if (m_hooks.act)
        m_hooks.act(a, d.camera);
}

void HandControl::bind(int device, int camera)
{
    const auto it = m_devices.find(device);
    if (it == m_devices.end() || camera < 0 || camera > 7 || it->second.camera == camera)
        return;
    for (Drive &r : it->second.drives)
        stopDrive(r);
    it->second.camera = camera;
    Q_EMIT devicesChanged();
}

int HandControl::boundCamera(int device) const
{
    const auto it = m_devices.find(device);
    return it == m_devices.end() ? 0 : it->second.camera;
}

QList<int> HandControl::devices() const
{
    QList<int> out;
    for (const auto &[id, d] : m_devices)
        out << id;
    return out;
}

QString HandControl::name(int device) const
{
    const auto it = m_devices.find(device);
    return it == m_devices.end() ? QString() : it->second.name;
}

void HandControl::stopAll()
{
    m_link->moves().stopChain(m_link->state().CameraCount);
    // The drives see their moves gone and wait for their sticks' centre.
    for (auto &[id, d] : m_devices)
        for (Drive &r : d.drives)
            if (r.move) {
                r.move.reset();
                r.heldOff = r.wanted != 0;
                r.sent = 0;
            }
}

int HandControl::targetCamera(const Device &d) const
{
    return d.camera != 0 ? d.camera : m_link->state().CameraAddress;
}

void HandControl::stopDrive(Drive &r)
{
    if (r.move)
        m_link->moves().stop(*r.move);
    r.move.reset();
    r.sent = 0;
}

void HandControl::drive(Device &d, Drive &r)
{
    MoveStops &moves = m_link->moves();
    if (r.move && !moves.running(*r.move)) {
        // Stopped from outside: the hand must come back to the centre first.
        r.move.reset();
        r.sent = 0;
        r.heldOff = r.wanted != 0;
    }
    if (r.heldOff) {
        r.heldOff = r.wanted != 0;
        return;
    }
    if (r.wanted == 0) {
        stopDrive(r);
        return;
    }
    if (r.move && r.wanted == r.sent)
        return;
    const int camera = r.move ? r.camera : targetCamera(d);
    if (camera < 1 || camera > 7)
        return;
    if (r.action == Action::Focus && m_hooks.manualFocus && !m_hooks.manualFocus(camera)) {
        // Auto focus came back (or never went): as the focus buttons, no move.
        stopDrive(r);
        return;
    }
    const std::int64_t now = m_link->clock().nowMs();
    const std::int64_t at = m_budget.earliestMs(camera, now);
    if (at > now) {
        schedule(at);
        return;
    }
    const DriveEntries e = entriesOf(r.action);
    const auto move =
        catalog::build(r.wanted > 0 ? e.forward : e.back, camera, {std::abs(r.wanted) - 1});
    const auto stop = catalog::build(e.stop, camera);
    if (!move || !stop)
        return;
    if (r.move) {
        if (!moves.change(*r.move, *move))
            return schedule(now + LineBudget::kCameraGapMs);
    } else {
        const auto id = moves.start(*move, *stop);
        if (!id)
            return schedule(now + LineBudget::kCameraGapMs);
        r.move = id;
        r.camera = camera;
    }
    r.sent = r.wanted;
    m_budget.sent(camera, now, int(move->size()));
    schedule(d.lastReportMs + kWatchdogMs);
}

void HandControl::schedule(std::int64_t atMs)
{
    const std::int64_t now = m_link->clock().nowMs();
    const int in = int(std::max<std::int64_t>(0, atMs - now));
    if (!m_due.isActive() || m_due.remainingTime() > in)
        m_due.start(in);
}

void HandControl::runDue()
{
    const std::int64_t now = m_link->clock().nowMs();
    std::int64_t next = -1;
    const auto later = [&next](std::int64_t at) { next = next < 0 ? at : std::min(next, at); };
    for (auto &[id, d] : m_devices) {
        bool moving = false;
        for (const Drive &r : d.drives)
            moving = moving || (r.move && m_link->moves().running(*r.move));
        if (moving && now - d.lastReportMs >= kWatchdogMs) {
            for (Drive &r : d.drives) {
                if (!r.move)
                    continue;
                stopDrive(r);
                r.heldOff = r.wanted != 0;
            }
            if (m_hooks.tell)
                m_hooks.tell(QStringLiteral("%1 stopped reporting while deflected: its move "
                                            "was stopped. Centre the stick to go on.")
                                 .arg(d.name.isEmpty() ? QStringLiteral("A controller") : d.name));
            continue;
        }
        if (moving)
            later(d.lastReportMs + kWatchdogMs);
        for (Drive &r : d.drives)
            if (isAxisAction(r.action) && !r.heldOff && r.wanted != r.sent)
                drive(d, r);
    }
    // drive() may have scheduled sends of its own; the watchdog comes on top.
    if (next >= 0)
        schedule(next);
}

} // namespace zam::hand
