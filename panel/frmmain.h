#pragma once
// The control panel's main window: layout, start-up, shutdown and the state
// that its command groups share. The command groups wire their own controls.

#include "cameramodes.h"
#include "captiontables.h"
#include "modeltable.h"
#include "statusread.h"

#include <titlecode.h>

#include <QMainWindow>
#include <QPointer>
#include <cameralink.h>
#include <exchange.h>
#include <motiondetection.h>
#include <port.h>
#include <windowsupport.h>

#include <bitset>
#include <functional>
#include <memory>

namespace Ui {
class FrmMain;
}
class QAction;
class QPlainTextEdit;

namespace zam {

class AutoRefreshControls;
class ConnectionStatus;
class DirectConsole;
class FrmCamID;
class FrmDEffect;
class PictureWindow;
struct PictureFeed;
class SettingsFiles;
class TrafficModel;
class TrafficMonitor;

class FrmMain : public QMainWindow {
    Q_OBJECT
public:
    FrmMain(CameraLink &link, PortSettings settings, QWidget *parent = nullptr);
    ~FrmMain() override;

    // The command groups have set up their forms in their places (the
    // form's empty LensGroup, FocusGroup ...): the Tab key goes through the
    // groups in the order of the form, and `view` shows the blocks of each
    // status read. An empty view: the groups are gone.
    void groupsPlaced(StatusView view);

    CameraLink &link() { return *m_link; }
    ModuleState &state() { return m_link->state(); }
    // The caption tables of the exposure displays (iris and bright filled by
    // the lens profile of the identified model).
    CaptionTables &captions() { return m_captions; }
    // The selected camera's modes as the controls show them.
    CameraModes &modes() { return m_modes; }

    // "Camera" -> "Stop All" (Esc): every running move's stop, then zoom,
    // digital zoom and focus stops to every camera of the chain. Never
    // refused; during a status read they go out as soon as it ends.
    void stopAllCameras();

    // The start-up exchange. Answers false when the camera did not answer;
    // the operator has then been told, and the program must end.
    bool startUp();

    // Reads the camera's five status blocks and brings the controls into
    // line with them. Blocks the window until it ends (at most three
    // one-second reply waits per block).
    void ReadCameraStatus();
    // A status inquiry failed three times: auto refresh stops and the
    // operator is told.
    void ARError();
    // Reads the camera's motion-detection alarm settings into
    // motionDetection(); answers true when all three inquiries were answered.
    bool CheckAlarmStatus();
    // What the panel knows of the camera's motion detection (the MD dialog,
    // the alarm read and the title editors share it).
    MdState &motionDetection() { return m_motionDetection; }
    // The title line of each camera address (the title editors keep them).
    titles::TitleBuffer &titleBuffer() { return m_titleBuffer; }

    // Whether the identified model lacks a function. Dialogs whose controls
    // a restriction names (FSet, SphericalMask) apply it when created and
    // again at each modelConfigured().
    bool restricted(Restriction r) const { return m_restrictions.test(std::size_t(r)); }

    // The dialogs whose boxes the status read keeps in step; created on first
    // use, hidden, and kept for the rest of the run.
    FrmDEffect &frmDEffect();
    FrmCamID &frmCamID();

    // The port went away (adapter unplugged, far end closed): auto refresh
    // stops and the window offers Reconnect.
    void connectionLost(const QString &reason);
    // Opens the same port again and repeats the start-up exchange. Answers
    // whether the camera answered; the program goes on either way.
    bool reconnect();
    ConnectionStatus &connectionStatus() { return *m_status; }

    DirectConsole &console() { return *m_console; }

    // Every packet on the line since the window was made, decoded (the
    // traffic monitor shows it).
    TrafficModel &traffic() { return *m_traffic; }
    // "Tools" -> "Traffic Monitor...": a window of its own beside this one,
    // made on first use and kept.
    TrafficMonitor &openTrafficMonitor();
    // "Tools" -> "Simulated Picture": offered only when the cameras are the
    // in-process simulated chain, which draws the pictures through `feed`.
    void offerSimulatedPicture(PictureFeed feed);
    // Opens the picture window beside this one; null when none is offered.
    PictureWindow *openSimulatedPicture();
    AutoRefreshControls &refreshControls() { return *m_refreshControls; }
    // "Tools" -> save, load and compare camera settings files.
    SettingsFiles &settingsFiles() { return *m_settingsFiles; }

    // Tests answer the window's message boxes (the start-up failure)
    // through this.
    void setMessageHook(MessageHook hook);

    // The open result of start-up (for the status line and tests).
    const OpenResult &openResult() const { return m_openResult; }
    // The line speed chosen for this run ("9600").
    QString baudRateText() const { return QString::number(m_settings.baud); }

    static const QString kCommunicationMessage;

Q_SIGNALS:
    // Exit, or the window was closed: the program ends.
    void quitRequested();
    // A status read ended: all five blocks answered, or given up.
    void statusReadDone(bool answered);
    // The window was configured for the model that answered the version
    // inquiry (or returned to its design when none did): windows with
    // controls of their own that a restriction names follow restricted().
    void modelConfigured();
    // Start-up begins (the first time, or on Reconnect): windows that keep
    // what they know of the camera between openings start from scratch.
    void startedAfresh();

protected:
    void closeEvent(QCloseEvent *event) override;

private:
    void mirrorRefresh();
    // `trouble`: bytes that came but made no reply are named in the details.
    void showStartupFailure(const ExchangeAnswer &trouble = {});

    // The Select menu offers the cameras on the chain and checks the selected one.
    void showCameraChoice();
    // Returns the window to its design, then configures it for the model the
    // version reply names (none: the design stays).
    void identifyModel(const QByteArray &versionReply);
    void selectCamera(int index);
    void wireSettingsFiles();

    std::unique_ptr<Ui::FrmMain> m_ui;
    StatusView m_statusView;
    CameraLink *m_link;
    PortSettings m_settings;
    OpenResult m_openResult;
    OperatorMessages m_messages{this};
    QList<QAction *> m_cameraSel; // index 0 = Camera1
    CaptionTables m_captions;
    CameraModes m_modes;
    MdState m_motionDetection;
    titles::TitleBuffer m_titleBuffer{};
    std::bitset<64> m_restrictions;
    FrmDEffect *m_frmDEffect = nullptr;
    FrmCamID *m_frmCamID = nullptr;
    std::unique_ptr<AutoRefreshControls> m_refreshControls;
    std::unique_ptr<DirectConsole> m_console;
    std::unique_ptr<TrafficModel> m_traffic;
    QPointer<TrafficMonitor> m_monitor;
    std::unique_ptr<PictureFeed> m_pictureFeed;
    QPointer<PictureWindow> m_picture;
    SettingsFiles *m_settingsFiles = nullptr;
    ConnectionStatus *m_status = nullptr;
    bool m_reconnecting = false;
    bool m_reading = false;
};

} // namespace zam
