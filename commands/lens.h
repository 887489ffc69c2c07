#pragma once
// Zoom and digital zoom of the main window.

#include <QObject>

namespace zam {

class FrmMain;

class LensCommands : public QObject {
    Q_OBJECT
public:
    explicit LensCommands(FrmMain &window);

private:
    FrmMain *m_window;
};

} // namespace zam
