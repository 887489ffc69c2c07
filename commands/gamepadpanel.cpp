#include "gamepadpanel.h"

#include "commandgroups.h"
#include "controls.h"
#include "gamepaddialog.h"
#include "gamepadinput.h"

#include <QAbstractButton>
#include <QAction>
#include <QRadioButton>
#include <QSettings>
#include <QStatusBar>
#include <frmmain.h>

namespace zam::hand {

namespace {

int presetOf(Action a)
{
    return int(a) - int(Action::Preset0);
}

} // namespace

GamepadPanel::GamepadPanel(FrmMain &window, CommandGroups &groups, const QString &settingsFile,
                           QObject *parent)
    : QObject(parent), m_window(&window), m_groups(&groups), m_settingsFile(settingsFile)
{
    HandControl::Hooks hooks;
    hooks.manualFocus = [this](int camera) {
        if (camera != m_window->state().CameraAddress)
            return true;
        return windowWidget<QAbstractButton>(*m_window, "Far").isEnabled();
    };
    hooks.act = [this](Action a, int camera) { act(a, camera); };
    hooks.tell = [this](const QString &text) { m_window->statusBar()->showMessage(text, 10000); };
    m_hand = std::make_unique<HandControl>(window.link(), std::move(hooks), this);
    m_hand->setLineSpeed(window.baudRateText().toInt());
    if (!m_settingsFile.isEmpty())
        m_hand->setMapping(Mapping::read(QSettings(m_settingsFile, QSettings::IniFormat)));

    m_input = std::make_unique<GamepadInput>(*m_hand, window.link().clock());
    if (!m_input->available())
        window.statusBar()->showMessage(m_input->error(), 10000);
    connect(&windowAction(window, "ToolsGamepad"), &QAction::triggered, this,
            [this] { openDialog(); });
}

GamepadPanel::~GamepadPanel()
{
    delete m_dialog;
}

GamepadDialog &GamepadPanel::openDialog()
{
    if (!m_dialog)
        m_dialog = new GamepadDialog(*this, m_window);
    m_dialog->showMapping(m_hand->mapping());
    m_dialog->show();
    m_dialog->raise();
    return *m_dialog;
}

void GamepadPanel::useMapping(const Mapping &m)
{
    m_hand->setMapping(m);
    if (m_settingsFile.isEmpty())
        return;
    QSettings s(m_settingsFile, QSettings::IniFormat);
    m.write(s);
    s.sync();
    if (s.status() != QSettings::NoError)
        m_window->statusBar()->showMessage(
            QStringLiteral("The gamepad mapping is not remembered: %1 could not be written.")
                .arg(m_settingsFile),
            10000);
}

void GamepadPanel::act(Action a, int camera)
{
    if (camera == 0 || camera == m_window->state().CameraAddress)
        actOnSelected(a);
    else
        actOnCamera(a, camera);
}

void GamepadPanel::actOnSelected(Action a)
{
    FrmMain &w = *m_window;
    const auto press = [&w](const char *name) {
        auto &b = windowWidget<QAbstractButton>(w, name);
        if (!b.isEnabled())
            return false;
        b.click();
        return true;
    };
    switch (a) {
    case Action::OnePushAf:
        press("AFTrig");
        break;
    case Action::FocusMode:
        if (!press("ManAFMode"))
            press("AFModeCmd_0");
        break;
    case Action::PreviousCamera:
    case Action::NextCamera: {
        const int count = w.state().CameraCount;
        if (count < 2)
            break;
        const int step = a == Action::NextCamera ? 1 : count - 1;
        const int next = (w.state().CameraAddress - 1 + step) % count + 1;
        windowAction(w, qPrintable(QStringLiteral("CameraSel_%1").arg(next))).trigger();
        break;
    }
    case Action::Preset0:
    case Action::Preset1:
    case Action::Preset2:
    case Action::Preset3:
        if (QRadioButton *b = m_groups->system.presetButton(SystemCommands::Recall, presetOf(a)))
            b->click();
        break;
    default:
        break;
    }
}

void GamepadPanel::actOnCamera(Action a, int camera)
{
    CameraLink &link = m_window->link();
    const auto sendTo = [&link, camera](catalog::Id id, std::initializer_list<int> v = {}) {
        const auto packet = catalog::build(id, camera, v);
        return packet && link.SD(*packet, 1);
    };
    switch (a) {
    case Action::OnePushAf:
        sendTo(catalog::Id::FocusOnePush);
        break;
    case Action::FocusMode: {
        bool &manual = m_manualFocus[camera];
        if (sendTo(manual ? catalog::Id::FocusAuto : catalog::Id::FocusManual))
            manual = !manual;
        break;
    }
    case Action::Preset0:
    case Action::Preset1:
    case Action::Preset2:
    case Action::Preset3:
        sendTo(catalog::Id::PresetRecall, {presetOf(a)});
        break;
    default:
        break;
    }
}

} // namespace zam::hand
