#pragma once
// Exposure of the main window.

#include <QObject>

namespace zam {

class FrmMain;

class ExposureCommands : public QObject {
    Q_OBJECT
public:
    explicit ExposureCommands(FrmMain &window);

private:
    FrmMain *m_window;
};

} // namespace zam
