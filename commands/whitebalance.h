#pragma once
// White balance of the main window.

#include <QObject>

namespace zam {

class FrmMain;

class WhiteBalanceCommands : public QObject {
    Q_OBJECT
public:
    explicit WhiteBalanceCommands(FrmMain &window);

private:
    FrmMain *m_window;
};

} // namespace zam
