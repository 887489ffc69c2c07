#pragma once
// Picture and effect functions of the main window.

#include <QObject>

namespace zam {

class FrmMain;

class PictureCommands : public QObject {
    Q_OBJECT
public:
    explicit PictureCommands(FrmMain &window);

private:
    FrmMain *m_window;
};

} // namespace zam
