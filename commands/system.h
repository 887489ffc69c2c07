#pragma once
// System, memory and identity functions of the main window: the "Camera"
// menu's power, key lock, mute and broadcast entries, the "Memory" presets,
// the "16Byte Memory" frame and the camera ID dialog FrmCamID.
//
// The group's controls are its form (system.ui: the Memory and 16Byte Memory
// frames), set up in the main window's SystemGroup; the Camera menu's items
// and the CameraIDText box beside the window's line speed are the window's,
// found by name. From the status read it shows power, key lock and the camera
// ID (other block).
//
// Every packet goes out with SD in mode 1.
//
//   entry                         control                        gated
//   PowerOn | PowerOff            Power on | standby             yes
//   KeyLockOn | KeyLockOff        KeyLock
//   MuteOn | MuteOff              Mute
//   AddressSet                    AddressSet (broadcast)
//   InterfaceClear                IFClear (broadcast)
//   PresetSet | PresetRecall | PresetReset   preset n (0..5):    yes
//                                 SetOption_n, RecallOption_n, ResetOption_n
//   CustomPresetSet | ..Recall | ..Reset     CustomMem_0 | 1 | 2
//   UserMemoryRead                cmdMemoryRD, address 0..7
//   UserMemoryWrite               cmdMemoryWite: TxtMemoryDataUpper and
//                                 TxtMemoryDataLower, one byte each
//   CameraIdWrite                 FrmCamID OK: camera ID 0..65535
//
// Presets: one preset operation is outstanding at a time. A click while one
// is pending is undone and sends nothing (the pending operation's button
// stays selected). The next finishing reply the link classifies releases it: its option button is
// selected and deselected again, so no preset button stays selected once the camera has finished.
// A camera that never finishes the operation would keep the presets refused
// for good, so the operation is also released after kPendingTimeoutMs.
//
// A recall while auto refresh is off reads the camera's status once, 2000 ms
// after the recall's finishing reply, so that the window shows the recalled
// settings without leaving Timer1 running under the caption "Stop".

#include <QObject>
#include <QString>
#include <clock.h>
#include <statusblocks.h>
#include <windowsupport.h>

#include <array>
#include <functional>
#include <memory>
#include <optional>

class QLineEdit;
class QRadioButton;

namespace Ui {
class SystemGroup;
}

namespace zam {

class CameraLink;
class FrmCamID;

// The camera ID typed into FrmCamID: a whole number, blanks around it
// ignored; below 0 is held at 0 and above 65535 at 65535. Anything else,
// an empty box included, answers nullopt.
std::optional<int> cameraIdValue(const QString &text);

class SystemCommands : public QObject {
    Q_OBJECT
public:
    enum PresetKind { Set = 0, Recall = 1, Reset = 2 };

    // readStatus runs the main window's status read (after a preset recall).
    SystemCommands(CameraLink &link, QWidget &window, FrmCamID &idDialog,
                   std::function<void()> readStatus);
    ~SystemCommands() override;

    void showOther(const OtherStatus &s);

    // Tests answer the group's message boxes through this.
    void setMessageHook(MessageHook hook) { m_messages.setHook(std::move(hook)); }

    // The IDWrite entry: Timer1 stopped, FrmCamID placed near the main
    // window's top-left corner and shown without blocking the main window.
    void openCameraIdDialog();

    QRadioButton *presetButton(int kind, int index) const;
    // A preset operation was sent and the camera has not finished it yet.
    bool presetPending() const { return m_pending.has_value(); }

    // Tests shorten the waits.
    void setPendingTimeout(int ms) { m_pendingRelease.setInterval(ms); }
    void setRecallRefreshDelay(int ms) { m_recallRefresh.setInterval(ms); }

    static constexpr int kPendingTimeoutMs = 5000;
    static constexpr int kRecallRefreshDelayMs = 2000;
    static const QString kMemoryTitle;
    static const QString kCameraIdTitle;
    static const QString kCameraIdMessage;

private:
    void presetClicked(int kind, int index);
    void memoryActionFinished();
    void releasePending();
    void deselect(QRadioButton *button);

    void readMemory();
    void writeMemory();
    std::optional<int> memoryAddress();
    void refuseField(QWidget *field, const QString &text);

    void writeCameraId();

    std::unique_ptr<Ui::SystemGroup> m_ui;
    CameraLink *m_link;
    FrmCamID *m_idDialog;
    std::function<void()> m_readStatus;
    QWidget *m_window;
    QLineEdit *m_cameraIdText; // the window's
    OperatorMessages m_messages;
    struct PendingPreset {
        int kind; // PresetKind
        int index;
    };
    std::optional<PendingPreset> m_pending;
    std::array<std::array<QRadioButton *, 6>, 3> m_presets{};
    // On the link's clock.
    ClockTimer m_pendingRelease;
    ClockTimer m_recallRefresh;
    bool m_readAfterRecall = false;
};

} // namespace zam
