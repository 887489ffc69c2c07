#pragma once
// Focus of the main window.

#include <QObject>

namespace zam {

class FrmMain;

class FocusCommands : public QObject {
    Q_OBJECT
public:
    explicit FocusCommands(FrmMain &window);

private:
    FrmMain *m_window;
};

} // namespace zam
