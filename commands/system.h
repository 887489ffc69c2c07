#pragma once
// System, memory and identity functions of the main window.

#include <QObject>

namespace zam {

class FrmMain;

class SystemCommands : public QObject {
    Q_OBJECT
public:
    explicit SystemCommands(FrmMain &window);

private:
    FrmMain *m_window;
};

} // namespace zam
