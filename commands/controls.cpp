#include "controls.h"

#include <QAbstractButton>
#include <QAbstractSlider>
#include <QApplication>
#include <QCheckBox>
#include <QEvent>
#include <QKeyEvent>
#include <QLineEdit>
#include <QSignalBlocker>
#include <QSpinBox>
#include <cameramodes.h>
#include <formcontrols.h>

namespace zam {

QObject &windowControl(QWidget &window, const char *name)
{
    QObject *control = formControl(window, name);
    if (!control)
        qFatal("the main window has no control named %s", name);
    return *control;
}

QAction &windowAction(QWidget &window, const char *name)
{
    QAction *action = formAction(window, name);
    if (!action)
        qFatal("the main window has no menu item named %s", name);
    return *action;
}

void showPosition(QAbstractSlider *slider, int value)
{
    if (value < slider->minimum() || value > slider->maximum())
        return;
    slider->setValue(value);
}

void showNumber(QLineEdit *box, int value)
{
    box->setText(QString::number(value));
}

void showCaption(QLineEdit *box, const std::optional<QString> &text)
{
    if (text)
        box->setText(*text);
}

void showTicked(QCheckBox *box, bool on)
{
    const QSignalBlocker block(box);
    box->setChecked(on);
}

void showMode(QWidget &window, ModeFamily family, int reported, int &current)
{
    const ModeUpdate u = modeUpdate(family, reported, current);
    checkModeItem(window, family, u.checked);
    if (u.apply) {
        current = u.apply->code;
        applyModeControls(window, family, *u.apply);
    }
}

bool send(CameraLink &link, catalog::Id id, std::initializer_list<int> values)
{
    const auto packet = catalog::build(id, link.state().CameraAddress, values);
    return packet && link.SD(*packet, 1);
}

HexBoxRefusal hexBoxRefusal(const QString &what, std::function<void(const QString &text)> tell)
{
    return [what, tell = std::move(tell)](const QString &range) {
        tell(QStringLiteral("%1 must be a hexadecimal number from %2.\n"
                            "Nothing was sent to the camera.")
                 .arg(what, range));
    };
}

HoldRow speedHold(QAbstractButton *button, catalog::Id move, const QSpinBox *speed,
                  catalog::Id stop)
{
    return {button, move, [speed] { return speedValue(speed); }, stop};
}

int speedValue(const QSpinBox *box)
{
    // The value, not the text: the text shows the digits of the operator's
    // language. A box left empty or half typed counts as the slowest speed.
    if (!box->hasAcceptableInput())
        return 0;
    return std::clamp(box->value(), 0, 7);
}

HoldButton::HoldButton(CameraLink &link, HoldRow row, QObject *parent)
    : QObject(parent), m_link(&link), m_row(std::move(row))
{
    QAbstractButton *button = m_row.button;
    button->installEventFilter(this);
    m_window = button->window();
    if (m_window && m_window != button)
        m_window->installEventFilter(this);
    connect(qApp, &QGuiApplication::applicationStateChanged, this, [this](Qt::ApplicationState s) {
        if (s != Qt::ApplicationActive)
            release();
    });
}

bool HoldButton::moving() const
{
    return m_move && m_link->moves().running(*m_move);
}

void HoldButton::press()
{
    if (moving())
        return;
    m_move.reset();
    const int address = m_link->state().CameraAddress;
    const auto move = m_row.speed ? catalog::build(m_row.move, address, {m_row.speed()})
                                  : catalog::build(m_row.move, address);
    const auto stop = catalog::build(m_row.stop, address);
    if (!move || !stop)
        return;
    m_move = m_link->moves().start(*move, *stop);
}

void HoldButton::release()
{
    if (!m_move)
        return;
    const MoveStops::Id id = *m_move;
    m_move.reset();
    m_link->moves().stop(id);
}

bool HoldButton::eventFilter(QObject *watched, QEvent *event)
{
    if (watched == m_row.button) {
        switch (event->type()) {
        case QEvent::MouseButtonPress:
        case QEvent::MouseButtonDblClick:
            if (m_row.button->isEnabled())
                press();
            break;
        case QEvent::MouseButtonRelease:
            release();
            break;
        case QEvent::KeyPress:
        case QEvent::KeyRelease: {
            // Space or Enter held on the focused button moves like the mouse.
            auto *key = static_cast<QKeyEvent *>(event);
            if (key->key() != Qt::Key_Space && key->key() != Qt::Key_Return &&
                key->key() != Qt::Key_Enter)
                break;
            if (!key->isAutoRepeat()) {
                if (event->type() == QEvent::KeyPress && m_row.button->isEnabled())
                    press();
                else if (event->type() == QEvent::KeyRelease)
                    release();
            }
            return true; // no click on top of the move
        }
        case QEvent::FocusOut:
            if (!m_row.button->isDown())
                release();
            break;
        case QEvent::Hide:
        case QEvent::EnabledChange:
            if (!m_row.button->isVisible() || !m_row.button->isEnabled())
                release();
            break;
        default:
            break;
        }
    } else if (watched == m_window) {
        switch (event->type()) {
        case QEvent::WindowDeactivate:
        case QEvent::Hide:
        case QEvent::FocusOut:
            release();
            break;
        default:
            break;
        }
    }
    return false;
}

SliderSender::SliderSender(QAbstractSlider *slider, CameraLink &link, std::function<void(int)> send,
                           Options options, QObject *parent)
    : QObject(parent), m_slider(slider), m_link(&link), m_send(std::move(send)), m_options(options)
{
    m_slider->installEventFilter(this);
    // actionTriggered comes only from the operator (drag, keys, page clicks,
    // wheel); the slider position already holds the new value then.
    connect(m_slider, &QAbstractSlider::actionTriggered, this, [this](int action) {
        if (action == QAbstractSlider::SliderNoAction || !m_options.sendOnMove)
            return;
        if (m_dragCamera != 0 && m_dragCamera != m_link->state().CameraAddress)
            return;
        m_send(m_slider->sliderPosition());
    });
}

bool SliderSender::eventFilter(QObject *watched, QEvent *event)
{
    if (watched != m_slider || !m_slider->isEnabled())
        return false;
    if (event->type() == QEvent::MouseButtonPress) {
        m_dragCamera = m_link->state().CameraAddress;
        if (m_options.stopsRefresh)
            m_link->refresh().holdStarted();
    } else if (event->type() == QEvent::MouseButtonRelease) {
        const bool sameCamera = m_dragCamera == 0 || m_dragCamera == m_link->state().CameraAddress;
        m_dragCamera = 0;
        if (m_options.stopsRefresh)
            m_link->refresh().holdEnded();
        if (m_options.sendOnRelease && sameCamera)
            m_send(m_slider->sliderPosition());
    }
    return false;
}

} // namespace zam
