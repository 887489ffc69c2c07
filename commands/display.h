#pragma once
// Display, sync and V-phase functions, and the dialog entries of the main window.

#include <QObject>

namespace zam {

class FrmMain;

class DisplayCommands : public QObject {
    Q_OBJECT
public:
    explicit DisplayCommands(FrmMain &window);

private:
    FrmMain *m_window;
};

} // namespace zam
