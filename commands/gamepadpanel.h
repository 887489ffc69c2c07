#pragma once
// The hand controllers in the main window: the rules (handcontrol.h) on the
// window's link, their buttons acting as the window's own controls do, the
// device layer (gamepadinput.h), the mapping remembered in the panel's
// settings file, and "Tools" -> "Gamepad...".
//
// A controller that follows the selected camera presses the window's own
// buttons (OnePushAF, Manual Focus / Auto, the preset recalls, the Select
// menu), so they are refused and shown exactly as the operator's clicks. A
// controller bound to another camera sends that camera's packets itself;
// the window shows only the selected camera's focus mode, so for such a
// camera the focus stick is not held back by it.

#include "handcontrol.h"

#include <QObject>
#include <QPointer>
#include <QString>

#include <map>
#include <memory>

namespace zam {

class FrmMain;
struct CommandGroups;

namespace hand {

class GamepadDialog;
class GamepadInput;

class GamepadPanel : public QObject {
    Q_OBJECT
public:
    // settingsFile: the panel's settings (portMemoryFile()); empty: nothing
    // is read or written.
    GamepadPanel(FrmMain &window, CommandGroups &groups, const QString &settingsFile,
                 QObject *parent = nullptr);
    ~GamepadPanel() override;

    HandControl &hand() { return *m_hand; }
    GamepadInput &input() { return *m_input; }
    // "Tools" -> "Gamepad...": made on first use and kept.
    GamepadDialog &openDialog();
    // The dialog's OK: the mapping in use from now on, and remembered.
    void useMapping(const Mapping &m);

private:
    void act(Action a, int camera);
    void actOnSelected(Action a);
    void actOnCamera(Action a, int camera);

    FrmMain *m_window;
    CommandGroups *m_groups;
    QString m_settingsFile;
    std::unique_ptr<HandControl> m_hand;
    std::unique_ptr<GamepadInput> m_input;
    QPointer<GamepadDialog> m_dialog;
    std::map<int, bool> m_manualFocus; // bound cameras, as the controller last set them
};

} // namespace hand
} // namespace zam
