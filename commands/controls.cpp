#include "controls.h"

#include <QAbstractButton>
#include <QAbstractSlider>
#include <QApplication>
#include <QEvent>
#include <QKeyEvent>
#include <QSpinBox>
#include <packet.h>

namespace zam {

bool sendCommand(CameraLink &link, std::initializer_list<int> values)
{
    const auto packet = ToByteArray(values);
    if (!packet)
        return false;
    return link.SD(*packet, 1) == QLatin1String("OK");
}

bool sendCommand(CameraLink &link, const QByteArray &packet)
{
    return link.SD(packet, 1) == QLatin1String("OK");
}

bool sendFunction(CameraLink &link, int command, int parameter)
{
    return sendCommand(link, {link.state().header(), 0x01, 0x04, command, parameter, 0xFF});
}

bool sendPosition(CameraLink &link, int command, int value)
{
    if (value < 0 || value > 0xFFFF)
        return false;
    QByteArray packet;
    packet.append(char(link.state().header()));
    packet.append(char(0x01));
    packet.append(char(0x04));
    packet.append(char(command));
    appendNibbles(packet, unsigned(value), 4);
    packet.append(char(0xFF));
    return sendCommand(link, packet);
}

int speedValue(const QSpinBox &box)
{
    return std::clamp(box.value(), 0, 7);
}

HoldButton::HoldButton(QAbstractButton *button, std::function<void()> sendMove,
                       std::function<void()> sendStop, QObject *parent)
    : QObject(parent), m_button(button), m_sendMove(std::move(sendMove)),
      m_sendStop(std::move(sendStop))
{
    m_button->installEventFilter(this);
    m_window = m_button->window();
    if (m_window && m_window != m_button)
        m_window->installEventFilter(this);
    connect(qApp, &QGuiApplication::applicationStateChanged, this, [this](Qt::ApplicationState s) {
        if (s != Qt::ApplicationActive)
            release();
    });
}

void HoldButton::press()
{
    if (m_moving)
        return;
    m_moving = true;
    m_sendMove();
}

void HoldButton::release()
{
    if (!m_moving)
        return;
    m_moving = false;
    m_sendStop();
}

bool HoldButton::eventFilter(QObject *watched, QEvent *event)
{
    if (watched == m_button) {
        switch (event->type()) {
        case QEvent::MouseButtonPress:
        case QEvent::MouseButtonDblClick:
            if (m_button->isEnabled())
                press();
            break;
        case QEvent::MouseButtonRelease:
            release();
            break;
        case QEvent::KeyPress:
        case QEvent::KeyRelease: {
            // Space or Enter held on the focused button moves like the mouse.
            auto *key = static_cast<QKeyEvent *>(event);
            if (key->key() != Qt::Key_Space && key->key() != Qt::Key_Return && key->key() != Qt::Key_Enter)
                break;
            if (!key->isAutoRepeat()) {
                if (event->type() == QEvent::KeyPress && m_button->isEnabled())
                    press();
                else if (event->type() == QEvent::KeyRelease)
                    release();
            }
            return true; // no click on top of the move
        }
        case QEvent::FocusOut:
            if (!m_button->isDown())
                release();
            break;
        case QEvent::Hide:
        case QEvent::EnabledChange:
            if (!m_button->isVisible() || !m_button->isEnabled())
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

SliderSender::SliderSender(QAbstractSlider *slider, CameraLink &link,
                           std::function<void(int)> send, Options options, QObject *parent)
    : QObject(parent), m_slider(slider), m_link(&link), m_send(std::move(send)), m_options(options)
{
    m_slider->installEventFilter(this);
    // actionTriggered comes only from the operator (drag, keys, page clicks,
    // wheel); the slider position already holds the new value then.
    connect(m_slider, &QAbstractSlider::actionTriggered, this, [this](int action) {
        if (action == QAbstractSlider::SliderNoAction || !m_options.sendOnMove)
            return;
        m_send(m_slider->sliderPosition());
    });
}

bool SliderSender::eventFilter(QObject *watched, QEvent *event)
{
    if (watched != m_slider || !m_slider->isEnabled())
        return false;
    if (event->type() == QEvent::MouseButtonPress && m_options.stopsRefresh) {
        m_link->refresh().setTimerEnabled(false);
    } else if (event->type() == QEvent::MouseButtonRelease) {
        if (m_options.stopsRefresh)
            m_link->refresh().resumeAfterHold();
        if (m_options.sendOnRelease)
            m_send(m_slider->sliderPosition());
    }
    return false;
}

} // namespace zam
