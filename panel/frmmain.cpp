#include "frmmain.h"

#include "chainstartup.h"
#include "packetmeaning.h"
#include "picturewindow.h"
#include "settingsfiles.h"
#include "trafficmonitor.h"
#include <trafficmodel.h>

#include "autorefreshcontrols.h"
#include "connectionstatus.h"
#include "console.h"
#include "frmcamid.h"
#include "frmdeffect.h"
#include "modelconfig.h"
#include "statusread.h"
#include "statusrequest.h"
#include "ui_frmcamid.h"
#include "ui_frmdeffect.h"
#include "ui_frmmain.h"

#include <QAbstractSpinBox>
#include <QApplication>
#include <QCloseEvent>
#include <QComboBox>
#include <QMessageBox>
#include <QPlainTextEdit>
#include <QScopedValueRollback>
#include <QScrollBar>
#include <QStatusBar>
#include <QToolButton>
#include <algorithm>
#include <catalog.h>
#include <packet.h>
#include <windowsupport.h>

namespace zam {

const QString FrmMain::kCommunicationMessage = QStringLiteral(
    "Communication with camera is NOT completely, Please check the camera power, communication "
    "cable, RS-232C Port Number and Baudrate. ");

namespace {

static_assert(kRestrictionCount <= 64, "restrictions fit the window's set");

} // namespace

FrmMain::FrmMain(CameraLink &link, PortSettings settings, QWidget *parent)
    : QMainWindow(parent), m_ui(std::make_unique<Ui::FrmMain>()), m_link(&link),
      m_settings(std::move(settings))
{
    m_ui->setupUi(this);
    m_cameraSel = {m_ui->CameraSel_1, m_ui->CameraSel_2, m_ui->CameraSel_3, m_ui->CameraSel_4,
                   m_ui->CameraSel_5, m_ui->CameraSel_6, m_ui->CameraSel_7};

    mirrorLog(link.SendText(), m_ui->SendText);
    mirrorLog(link.RecvText(), m_ui->RecvText);
    connect(m_ui->cmdClearTxt, &QPushButton::clicked, this, [this] { m_link->clearLogs(); });

    connect(&link.refresh(), &AutoRefresh::changed, this, &FrmMain::mirrorRefresh);
    mirrorRefresh();
    m_refreshControls = std::make_unique<AutoRefreshControls>(
        link, m_ui->AutoRefreshed, m_ui->Refreshonce, this, [this] { ReadCameraStatus(); });
    m_console = std::make_unique<DirectConsole>(m_ui->DirectText, link);

    m_status = new ConnectionStatus(*this, m_settings.device);
    connect(this, &FrmMain::statusReadDone, m_status, &ConnectionStatus::statusRead);
    connect(m_status->reconnectButton(), &QToolButton::clicked, this, [this] { reconnect(); });
    connect(&link.port(), &Port::deviceLost, this, &FrmMain::connectionLost);

    // Captures from the first byte, so the start-up exchange is in it.
    m_traffic = std::make_unique<TrafficModel>();
    m_traffic->setDescriber(describePacket);
    m_traffic->attach(link.tap());
    connect(m_ui->ToolsTrafficMonitor, &QAction::triggered, this, [this] { openTrafficMonitor(); });
    wireSettingsFiles();
    connect(m_ui->Quit, &QAction::triggered, this, &FrmMain::quitRequested);
    // Esc anywhere in the window, also while a box has the focus.
    m_ui->StopAll->setShortcutContext(Qt::WindowShortcut);
    connect(m_ui->StopAll, &QAction::triggered, this, &FrmMain::stopAllCameras);
    for (int i = 0; i < m_cameraSel.size(); ++i)
        connect(m_cameraSel[i], &QAction::triggered, this, [this, i] { selectCamera(i + 1); });

    connect(&link, &CameraLink::networkChangeReceived, this, [this] {
        m_messages.post({QMessageBox::Warning, QStringLiteral("Warning"),
                         QStringLiteral("Network Change was received.\nPlease implement "
                                        "IF_Clear (broadcast), AddressSet command.")});
    });
}

FrmMain::~FrmMain()
{
    delete m_monitor; // a window of its own: no parent deletes it
}

void FrmMain::groupsPlaced(StatusView view)
{
    m_statusView = std::move(view);
    if (!m_statusView)
        return;
    // The editors inside spin boxes and combo boxes go with their owner.
    const auto tabStop = [](const QWidget *w) {
        const QWidget *parent = w->parentWidget();
        return (w->focusPolicy() & Qt::TabFocus) &&
               !qobject_cast<const QAbstractSpinBox *>(parent) &&
               !qobject_cast<const QComboBox *>(parent);
    };
    // Each form chains its own controls; the chains follow one another in
    // this order.
    static const char *const kTabOrder[] = {"LensGroup",         "FocusGroup",   "ExposureGroup",
                                            "WhiteBalanceGroup", "DisplayGroup", "SystemGroup",
                                            "PictureGroup",      "SystemPanel",  "LogPanel"};
    QList<QWidget *> chain;
    for (const char *name : kTabOrder) {
        const QWidget *block = findChild<QWidget *>(QLatin1String(name));
        for (QWidget *w = nextInFocusChain(); w != this; w = w->nextInFocusChain())
            if (block->isAncestorOf(w) && tabStop(w))
                chain << w;
    }
    for (qsizetype i = 1; i < chain.size(); ++i)
        setTabOrder(chain[i - 1], chain[i]);
    // The Tab key starts at the chain's first control: the controls before
    // it go, one at a time, behind the last one. setTabOrder passes over the
    // window itself, so each of them first steps behind the first control.
    for (qsizetype moved = 0; moved < chain.size(); ++moved) {
        QWidget *lead = nextInFocusChain();
        while (lead != this && !tabStop(lead))
            lead = lead->nextInFocusChain();
        if (lead == this || lead == chain.first())
            break;
        QWidget *last = previousInFocusChain();
        while (last != this && !tabStop(last))
            last = last->previousInFocusChain();
        setTabOrder(chain.first(), lead);
        setTabOrder(last, lead);
    }
}

void FrmMain::wireSettingsFiles()
{
    m_settingsFiles = new SettingsFiles(*this);
    connect(m_ui->ToolsSaveSettings, &QAction::triggered, m_settingsFiles, &SettingsFiles::save);
    connect(m_ui->ToolsLoadSettings, &QAction::triggered, m_settingsFiles, &SettingsFiles::load);
    connect(m_ui->ToolsCompareSettings, &QAction::triggered, m_settingsFiles,
            &SettingsFiles::compare);
}

TrafficMonitor &FrmMain::openTrafficMonitor()
{
    if (!m_monitor) {
        m_monitor = new TrafficMonitor(*m_traffic);
        // Beside this window, not over it.
        m_monitor->move(frameGeometry().topRight() + QPoint(8, 0));
    }
    m_monitor->show();
    m_monitor->raise();
    m_monitor->activateWindow();
    return *m_monitor;
}

void FrmMain::offerSimulatedPicture(PictureFeed feed)
{
    if (!m_pictureFeed)
        connect(m_ui->ToolsSimulatedPicture, &QAction::triggered, this,
                [this] { openSimulatedPicture(); });
    m_pictureFeed = std::make_unique<PictureFeed>(std::move(feed));
    m_ui->ToolsSimulatedPicture->setEnabled(true);
}

PictureWindow *FrmMain::openSimulatedPicture()
{
    if (!m_pictureFeed)
        return nullptr;
    if (!m_picture) {
        m_picture = new PictureWindow(m_link->clock(), *m_pictureFeed, this);
        m_picture->setAttribute(Qt::WA_DeleteOnClose, false);
        m_picture->move(frameGeometry().topRight() + QPoint(8, 0));
        connect(m_link, &CameraLink::packetWritten, m_picture, &PictureWindow::poke);
    }
    m_picture->show();
    m_picture->raise();
    return m_picture;
}

void FrmMain::setMessageHook(MessageHook hook)
{
    m_refreshControls->setMessageHook(hook);
    m_settingsFiles->setMessageHook(hook);
    m_messages.setHook(std::move(hook));
}

void FrmMain::mirrorRefresh()
{
    const AutoRefresh &r = m_link->refresh();
    // A new caption clears a button's shortcut; keep it.
    const QKeySequence shortcut = m_ui->AutoRefreshed->shortcut();
    m_ui->AutoRefreshed->setText(r.caption());
    m_ui->AutoRefreshed->setShortcut(shortcut);
    m_ui->AutoRefreshed->setEnabled(r.buttonEnabled());
    m_ui->Refreshonce->setEnabled(r.refreshOnceEnabled());
    m_ui->AutoRefresh->setChecked(r.autoRefreshChecked());
}

void FrmMain::stopAllCameras()
{
    m_link->moves().stopChain(state().CameraCount);
    statusBar()->showMessage(QStringLiteral("Stop All: zoom, digital zoom and focus stops to "
                                            "every camera of the chain."),
                             5000);
}

void FrmMain::closeEvent(QCloseEvent *event)
{
    m_link->moves().stopAll();
    event->accept();
    Q_EMIT quitRequested();
}

void FrmMain::showStartupFailure(const ExchangeAnswer &trouble)
{
    // Why the start-up failed, in the box itself under the main text rather
    // than behind its details button.
    OperatorMessage message{QMessageBox::NoIcon, windowTitle(), kCommunicationMessage};
    if (!m_openResult.ok())
        message.informative = describeOpenFailure(m_openResult, m_settings.device);
    else if (trouble.garbled())
        message.informative =
            QStringLiteral("The camera answered with bytes that are not a reply: %1.")
                .arg(trouble.junkText());
    m_messages.show(message);
}

bool FrmMain::startUp()
{
    BusyCursor busy;
    ModuleState &s = state();
    AutoRefresh &refresh = m_link->refresh();

    refresh.startUpBegun();         // 1
    for (auto &row : m_titleBuffer) // 2
        row.fill(0x1B);
    s.CameraAddress = 1; // 3
    m_ui->Active->setText(QStringLiteral("1"));
    // Until the chain is numbered again no camera is known to answer (this
    // matters on Reconnect: the chain may have changed or be gone).
    s.CameraCount = 0;
    showCameraChoice();
    m_modes.CurrentAEMode = -1;
    m_modes.CurrentWBMode = -1;
    // Nothing is known of the camera's motion detection until it is read or
    // set again (on Reconnect the camera may have been switched or replaced).
    m_motionDetection = MdState{};
    Q_EMIT startedAfresh();

    // 5: open the port; every opening step runs with errors ignored.
    m_openResult = m_link->port().open(m_settings);
    m_link->discardInput();
    m_link->stopwatch().pause(0.5);

    // 6: line check with the broadcast interface clear.
    // The operator is told over a normal cursor; the busy one comes back
    // for the rest of start-up.
    StartupTrouble trouble;
    const auto fail = [this, &trouble] {
        QApplication::restoreOverrideCursor();
        showStartupFailure(trouble);
        QApplication::setOverrideCursor(Qt::WaitCursor);
        return false;
    };
    if (!lineCheck(*m_link, &trouble))
        return fail();
    m_ui->Baudratetxt->setText(baudRateText()); // 7

    // 8: number the chain.
    const auto cameras = numberChain(*m_link, &trouble);
    if (!cameras)
        return fail();
    s.CameraCount = *cameras;
    showCameraChoice();            // 9
    QApplication::processEvents(); // 10

    // 11: version inquiry of the selected camera.
    const auto reply = askVersion(*m_link, s.CameraAddress, &trouble);
    if (!reply)
        return fail();
    identifyModel(*reply); // 12
    ReadCameraStatus();    // 13

    refresh.startUpDone(); // 14
    return true;
}

void FrmMain::showCameraChoice()
{
    const ModuleState &s = state();
    for (int i = 0; i < m_cameraSel.size(); ++i) {
        m_cameraSel[i]->setEnabled(i < s.CameraCount);
        m_cameraSel[i]->setChecked(i + 1 == s.CameraAddress);
    }
}

void FrmMain::identifyModel(const QByteArray &versionReply)
{
    // The camera before a Reconnect may have been another model.
    m_captions = CaptionTables();
    m_ui->ModelVersion->clear();
    m_ui->NTSCorPAL->clear();
    m_restrictions.reset();
    restoreDesignedConfiguration(*this);

    const VersionStatus version = decodeVersion(versionReply, state().CameraAddress);
    const auto row = version.valid ? findModel(version.modelCode) : std::nullopt;
    if (row) { // else the window keeps its designed layout
        m_captions.applyLensProfile(row->lens);
        m_ui->ModelVersion->setText(ModelNameTable().value(row->nameSlot));
        m_ui->NTSCorPAL->setText(QString::fromLatin1(row->ntscOrPal));
        for (const Restriction r : restrictionsOf(row->group)) {
            m_restrictions.set(std::size_t(r));
            setRestriction(*this, r, true);
        }
    }
    Q_EMIT modelConfigured();
}

FrmDEffect &FrmMain::frmDEffect()
{
    if (!m_frmDEffect)
        m_frmDEffect = new FrmDEffect(this);
    return *m_frmDEffect;
}

FrmCamID &FrmMain::frmCamID()
{
    if (!m_frmCamID)
        m_frmCamID = new FrmCamID(this);
    return *m_frmCamID;
}

void FrmMain::ReadCameraStatus()
{
    // The read blocks without running events, so only a handler it calls
    // could start it again; such a call is dropped.
    if (m_reading)
        return;
    const QScopedValueRollback reading(m_reading, true);
    const BusyCursor busy;
    ModuleState &s = state();
    s.RefreshBusy = true; // command handlers stand back while the read writes their controls

    m_link->setReceiveThreshold(0);
    const std::optional<StatusReplies> replies = requestStatusBlocks(*m_link);
    if (!replies) {
        // The receive threshold and LogTraffic stay as the mode-0 inquiries
        // left them, until the next command switches them on again.
        s.RefreshBusy = false;
        m_link->moves().flush();
        ARError();
        Q_EMIT statusReadDone(false);
        return;
    }

    showStatus(*replies, m_modes, m_statusView);

    m_link->setReceiveThreshold(1);
    s.RefreshBusy = false;
    s.LogTraffic = true;
    // A stop that came due while the read wrote the controls (a held button
    // disabled by the camera's mode) goes out now.
    m_link->moves().flush();
    Q_EMIT statusReadDone(true);
}

void FrmMain::connectionLost(const QString &reason)
{
    // The stops wait for the port to open again when it cannot take them.
    m_link->moves().stopAll();
    m_link->refresh().connectionLost();
    m_status->setLost(reason);
    statusBar()->showMessage(QStringLiteral("Connection lost: %1").arg(reason));
}

bool FrmMain::reconnect()
{
    if (m_reconnecting)
        return false;
    const QScopedValueRollback guard(m_reconnecting, true);
    m_link->moves().stopAll();
    m_link->port().close();
    statusBar()->clearMessage();
    const bool ok = startUp();
    if (ok) {
        m_status->setReconnected();
        statusBar()->showMessage(QStringLiteral("Reconnected."), 5000);
    } else {
        m_status->setLost(QStringLiteral("The camera did not answer after reconnecting."));
    }
    return ok;
}

void FrmMain::ARError()
{
    m_refreshControls->ARError();
}

bool FrmMain::CheckAlarmStatus()
{
    const BusyCursor busy;
    return readAlarmStatus(*m_link, m_motionDetection);
}

void FrmMain::selectCamera(int index)
{
    // A lens moving on the camera left behind is stopped first.
    if (index != state().CameraAddress)
        m_link->moves().stopAll();
    state().CameraAddress = index;
    showCameraChoice();
    m_ui->Active->setText(QString::number(index));
    ReadCameraStatus();
}

} // namespace zam
