#pragma once
// "Tools" -> "Gamepad...": the attached controllers and the camera each
// drives, every axis and button live, and the mapping (what each drives,
// dead zone, inversion, curve). OK puts the mapping in use and remembers it.

#include "handcontrol.h"

#include <QDialog>
#include <memory>

namespace Ui {
class GamepadDialog;
}

namespace zam::hand {

class GamepadPanel;

class GamepadDialog : public QDialog {
    Q_OBJECT
public:
    GamepadDialog(GamepadPanel &panel, QWidget *parent = nullptr);
    ~GamepadDialog() override;

    void showMapping(const Mapping &m);
    // The mapping as the dialog's boxes set it.
    Mapping mapping() const;

private:
    void showDevices();
    void showAxis(int device, int axis, int raw);
    void showButton(int device, int button, bool down);
    int shownDevice() const;

    GamepadPanel *m_panel;
    std::unique_ptr<Ui::GamepadDialog> m_ui;
};

} // namespace zam::hand
