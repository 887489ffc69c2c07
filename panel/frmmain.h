#pragma once
// The control panel's main window: layout, start-up, shutdown and the state
// that its command groups share. The command groups wire their own controls.

#include <QMainWindow>
#include <cameralink.h>
#include <port.h>

#include <functional>
#include <memory>

namespace Ui {
class FrmMain;
}
class QAction;
class QPlainTextEdit;

namespace zam {

class FrmMain : public QMainWindow {
    Q_OBJECT
public:
    FrmMain(CameraLink &link, PortSettings settings, QWidget *parent = nullptr);
    ~FrmMain() override;

    Ui::FrmMain *ui() const { return m_ui.get(); }
    CameraLink &link() { return *m_link; }
    ModuleState &state() { return m_link->state(); }

    // The start-up exchange. Answers false when the camera did not answer;
    // the operator has then been told, and the program must end.
    bool startUp();

    // Where the panel's messages go (a message box; tests replace it).
    // Answers the button pressed.
    using MessageSink = std::function<void(const QString &title, const QString &text,
                                           const QString &detail)>;
    void setStartupMessageSink(MessageSink sink) { m_startupMessage = std::move(sink); }

    // The open result of start-up (for the status line and tests).
    const OpenResult &openResult() const { return m_openResult; }

    static const QString kCommunicationMessage;

Q_SIGNALS:
    // Exit, or the window was closed: the program ends.
    void quitRequested();

protected:
    void closeEvent(QCloseEvent *event) override;

private:
    void bindLog(TrafficLog &log, QPlainTextEdit *box);
    void mirrorRefresh();
    void showStartupFailure();

    // Start-up steps that later parts of the panel fill in.
    void identifyModel(const QByteArray &versionReply);
    void ReadCameraStatus();
    void selectCamera(int index);

    std::unique_ptr<Ui::FrmMain> m_ui;
    CameraLink *m_link;
    PortSettings m_settings;
    OpenResult m_openResult;
    MessageSink m_startupMessage;
    QList<QAction *> m_cameraSel; // index 0 = Camera1
};

} // namespace zam
