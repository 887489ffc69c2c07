#include "gamepadinput.h"

#include "handcontrol.h"

#include <SDL.h>

namespace zam::hand {

namespace {

SDL_GameController *controllerOf(void *p)
{
    return static_cast<SDL_GameController *>(p);
}
SDL_Joystick *joystickOf(void *p)
{
    return static_cast<SDL_Joystick *>(p);
}

} // namespace

GamepadInput::GamepadInput(HandControl &hand, Clock &clock, QObject *parent)
    : QObject(parent), m_hand(&hand), m_poll(clock)
{
    // The operator keeps other windows in front: events come all the same.
    SDL_SetHint(SDL_HINT_JOYSTICK_ALLOW_BACKGROUND_EVENTS, "1");
    // Ctrl+C and SIGTERM end the panel as before: SDL's events subsystem
    // would otherwise turn them into a quit event nobody reads.
    SDL_SetHint(SDL_HINT_NO_SIGNAL_HANDLERS, "1");
    if (SDL_InitSubSystem(SDL_INIT_JOYSTICK | SDL_INIT_GAMECONTROLLER) != 0) {
        m_error = QStringLiteral("Hand controllers are not available: %1")
                      .arg(QString::fromUtf8(SDL_GetError()));
        return;
    }
    connect(&m_poll, &ClockTimer::timeout, this, &GamepadInput::poll);
    m_poll.setInterval(kIdleMs);
    m_poll.start();
}

GamepadInput::~GamepadInput()
{
    if (!available())
        return;
    while (!m_open.empty())
        close(m_open.begin()->first);
    SDL_QuitSubSystem(SDL_INIT_JOYSTICK | SDL_INIT_GAMECONTROLLER);
}

void GamepadInput::open(int deviceIndex)
{
    const SDL_JoystickID instance = SDL_JoystickGetDeviceInstanceID(deviceIndex);
    if (instance < 0 || m_open.count(instance))
        return;
    Open o;
    QString name;
    if (SDL_IsGameController(deviceIndex)) {
        SDL_GameController *c = SDL_GameControllerOpen(deviceIndex);
        if (!c)
            return;
        o.controller = c;
        o.joystick = SDL_GameControllerGetJoystick(c);
        name = QString::fromUtf8(SDL_GameControllerName(c));
    } else {
        SDL_Joystick *j = SDL_JoystickOpen(deviceIndex);
        if (!j)
            return;
        o.joystick = j;
        name = QString::fromUtf8(SDL_JoystickName(j));
    }
    m_open.emplace(instance, o);
    m_hand->attach(instance, name.isEmpty() ? QStringLiteral("Controller %1").arg(instance) : name);
    rearm();
}

void GamepadInput::close(int instance)
{
    const auto it = m_open.find(instance);
    if (it == m_open.end())
        return;
    // The stop first: closing may take a moment.
    m_hand->detach(instance);
    if (it->second.controller)
        SDL_GameControllerClose(controllerOf(it->second.controller));
    else
        SDL_JoystickClose(joystickOf(it->second.joystick));
    m_open.erase(it);
    rearm();
}

void GamepadInput::hat(int instance, Open &o, int value)
{
    // The hat's four directions are the d-pad's buttons.
    static constexpr std::pair<int, int> kDirs[] = {{SDL_HAT_UP, kDpadUp},
                                                    {SDL_HAT_DOWN, kDpadDown},
                                                    {SDL_HAT_LEFT, kDpadLeft},
                                                    {SDL_HAT_RIGHT, kDpadRight}};
    for (const auto &[bit, button] : kDirs)
        if ((o.hat & bit) != (value & bit))
            m_hand->button(instance, button, (value & bit) != 0);
    o.hat = value;
}

void GamepadInput::rearm()
{
    const int want = m_open.empty() ? kIdleMs : kActiveMs;
    if (m_poll.interval() != want) {
        m_poll.setInterval(want);
        m_poll.start();
    }
}

void GamepadInput::poll()
{
    if (!available())
        return;
    SDL_Event e;
    // SDL's queue is bounded; a device reporting at any rate is drained here
    // and only its latest state reaches the line (the rules limit the rate).
    while (SDL_PollEvent(&e)) {
        switch (e.type) {
        case SDL_JOYDEVICEADDED:
            open(e.jdevice.which);
            break;
        case SDL_JOYDEVICEREMOVED:
        case SDL_CONTROLLERDEVICEREMOVED:
            close(e.jdevice.which);
            break;
        case SDL_CONTROLLERAXISMOTION:
            m_hand->axis(e.caxis.which, e.caxis.axis, e.caxis.value);
            break;
        case SDL_CONTROLLERBUTTONDOWN:
        case SDL_CONTROLLERBUTTONUP:
            m_hand->button(e.cbutton.which, e.cbutton.button, e.type == SDL_CONTROLLERBUTTONDOWN);
            break;
        case SDL_JOYAXISMOTION:
        case SDL_JOYBUTTONDOWN:
        case SDL_JOYBUTTONUP:
        case SDL_JOYHATMOTION: {
            // A game controller's own joystick events come twice: only its
            // controller events count, but any of them shows it alive.
            const auto it = m_open.find(e.jaxis.which);
            if (it == m_open.end())
                break;
            if (it->second.controller) {
                m_hand->reported(e.jaxis.which);
                break;
            }
            if (e.type == SDL_JOYAXISMOTION)
                m_hand->axis(e.jaxis.which, e.jaxis.axis, e.jaxis.value);
            else if (e.type == SDL_JOYHATMOTION) {
                if (e.jhat.hat == 0)
                    hat(e.jhat.which, it->second, e.jhat.value);
                else
                    m_hand->reported(e.jhat.which);
            } else
                m_hand->button(e.jbutton.which, e.jbutton.button, e.type == SDL_JOYBUTTONDOWN);
            break;
        }
        default:
            break;
        }
    }
    // Gone without a removal event.
    QList<int> gone;
    for (const auto &[instance, o] : m_open)
        if (!SDL_JoystickGetAttached(joystickOf(o.joystick)))
            gone << instance;
    for (int instance : gone)
        close(instance);
}

} // namespace zam::hand
