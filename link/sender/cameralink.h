#pragma once
// The one sender and the reply handling of the panel.
//
// Every packet of the main window leaves through SD. In mode 1 the replies
// come through the receive handler, which logs each byte and classifies the
// log tail at every 0xFF (CheckFinishCommand); in mode 0 the caller polls
// with WaitReply. Everything runs on the user-interface thread; WaitReply
// blocks it (no event runs meanwhile) but sleeps on the port instead of
// spinning.

#include "autorefresh.h"
#include "clock.h"
#include "modulestate.h"
#include "movestops.h"
#include "port.h"
#include "porttap.h"
#include "replyledger.h"
#include "replypattern.h"
#include "trafficlog.h"

#include <QObject>
#include <optional>

namespace zam {

class CameraLink : public QObject {
    Q_OBJECT
public:
    CameraLink(Port &port, Clock &clock, QObject *parent = nullptr);

    // The port as the link uses it: the given port behind the tap.
    Port &port() { return m_tap; }
    // Every byte the link writes or reads passes here first.
    PortTap &tap() { return m_tap; }
    ModuleState &state() { return m_state; }
    const ModuleState &state() const { return m_state; }
    Stopwatch &stopwatch() { return m_stopwatch; }
    Clock &clock() { return m_stopwatch.clock(); }
    AutoRefresh &refresh() { return m_refresh; }
    TrafficLog &SendText() { return m_sendText; }
    TrafficLog &RecvText() { return m_recvText; }

    // Writes a packet (mode 1: logged, replies through the receive handler,
    // auto refresh paused until the finishing reply; mode 0: not logged,
    // the caller polls with WaitReply). Answers false in mode 1 when a
    // running status read refuses the packet; the refusal changes nothing.
    bool SD(const QByteArray &packet, int mode);
    // A move's stop: SD in mode 1 without the refresh gate, which must never
    // leave a lens moving. Only MoveStops calls it.
    void sendStop(const QByteArray &packet);
    // The moves running on the cameras, each with its stop.
    MoveStops &moves() { return m_moves; }
    // Collects a reply of at least n bytes (everything waiting once n have
    // arrived), or answers nullopt after one second. Signals replyTaken when
    // the camera's bytes were collected.
    std::optional<QByteArray> WaitReply(int n);
    // Takes every byte waiting at the port now, without waiting for more:
    // also bytes a real port has not announced yet, and no receive handling
    // sees them.
    QByteArray takeWaiting();
    // Everything waiting once a byte is there, or nothing when the link's
    // clock reaches deadlineMs. Sleeps on the port; no receive handling sees
    // the bytes.
    QByteArray waitBytes(std::int64_t deadlineMs);
    bool WaitCheck(double periodSeconds) { return m_stopwatch.WaitCheck(periodSeconds); }
    bool RefreshNotGoCheck() const { return !m_state.RefreshBusy; }
    bool CheckFinishCommand();

    // 1: a receive event per arrival; 0: bytes wait for WaitReply.
    void setReceiveThreshold(int t) { m_threshold = t; }
    int receiveThreshold() const { return m_threshold; }

    // Receive handler body for bytes that arrived (communication event code 2).
    void receive(const QByteArray &bytes);
    // Communication event: code 2 reads the port, other codes do nothing.
    void commEvent(int code);

    // Writes bytes without any of SD's bookkeeping (dialog copies of SD, console).
    void writeRaw(const QByteArray &bytes);
    // Reads and discards everything waiting on the port.
    void discardInput();

    // cmdClearTxt.
    void clearLogs();

    bool inWait() const { return m_inWait; }
    // Packets of camera 1..7 whose finishing reply has not come yet.
    int owedReplies(int address) { return m_ledger.owed(address); }

Q_SIGNALS:
    // A packet went out through SD, a dialog copy or the console.
    void packetWritten(const QByteArray &bytes);
    // A finishing reply was classified (for status displays).
    void commandFinished();
    // WaitReply collected bytes the camera sent (not the placeholder): the
    // camera answers, though the receive handler never sees the reply.
    void replyTaken();
    // The network-change notice was seen in the reply log.
    void networkChangeReceived();

private:
    void onPortReadyRead();
    void write(const QByteArray &packet, int mode);

    PortTap m_tap;
    Port *m_port;
    ModuleState m_state;
    Stopwatch m_stopwatch;
    AutoRefresh m_refresh;
    MoveStops m_moves;
    ReplyLedger m_ledger;
    TrafficLog m_sendText;
    TrafficLog m_recvText;
    int m_threshold = 0;
    bool m_inWait = false;
};

// The dialogs' own copies of SD: they write through the main window's port
// and log into the dialog's own box. The plain copy never pauses auto
// refresh, never consults the refresh gate and always answers true.
class DialogSender {
public:
    DialogSender(CameraLink &link, TrafficLog &log) : m_link(&link), m_log(&log) {}
    virtual ~DialogSender() = default;
    virtual bool SD(const QByteArray &packet, int mode);
    TrafficLog &log() { return *m_log; }
    CameraLink &link() { return *m_link; }

protected:
    void logPacket(const QByteArray &packet);
    CameraLink *m_link;
    TrafficLog *m_log;
};

} // namespace zam
