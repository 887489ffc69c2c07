#pragma once
// System, memory and identity functions of the main window: the "Camera"
// menu's power, key lock, mute and broadcast entries, the "Memory" presets,
// the "16Byte Memory" frame and the camera ID dialog FrmCamID.
//
// Every packet goes out with SD in mode 1. 8x = 0x80 + selected camera.
//
//   packet                        control                        gated
//   8x 01 04 00 02|03 FF          Power on | standby             yes
//   8x 01 04 17 02|00 FF          KeyLock on | off
//   8x 01 04 75 02|03 FF          Mute on | off
//   88 30 01 FF                   AddressSet (broadcast)
//   88 01 00 01 FF                IFClear (broadcast)
//   8x 01 04 3F 0o 0n FF          preset n (0..5): o 01 SetOption,   yes
//                                 02 RecallOption, 00 ResetOption
//   8x 01 04 3F 0o 7F FF          CustomMem 0 Set, 1 Recall, 2 Reset
//   8x 09 04 23 0a FF             cmdMemoryRD, address a (0..7)
//   8x 01 04 23 0a 0p 0q 0r 0s FF cmdMemoryWite: pq from TxtMemoryDataUpper,
//                                 rs from TxtMemoryDataLower
//   8x 01 04 22 0p 0q 0r 0s FF    FrmCamID OK: camera ID pqrs (0..65535)
//
// Presets: one preset operation is outstanding at a time. A click while one
// is pending is undone and sends nothing (the pending operation's button
// stays selected). The next finishing reply the link classifies releases it: its option button is selected and deselected again, so no
// preset button stays selected once the camera has finished.
// A camera that never finishes the operation would keep the presets refused
// for good, so the operation is also released after kPendingTimeoutMs.
//
// A recall while auto refresh is off reads the camera's status once, 2000 ms
// after the recall's finishing reply, so that the window shows the recalled
// settings without leaving Timer1 running under the caption "Stop".

#include <QObject>
#include <windowsupport.h>
#include <QString>
#include <QTimer>

#include <array>
#include <functional>
#include <optional>

class QRadioButton;

namespace zam {

class CameraLink;
class FrmCamID;
struct SystemWidgets;

// The camera ID typed into FrmCamID: a whole number, blanks around it
// ignored; below 0 is held at 0 and above 65535 at 65535. Anything else,
// an empty box included, answers nullopt.
std::optional<int> cameraIdValue(const QString &text);

class SystemCommands : public QObject {
    Q_OBJECT
public:
    enum PresetKind { Set = 0, Recall = 1, Reset = 2 };

    // readStatus runs the main window's status read (after a preset recall).
    SystemCommands(CameraLink &link, const SystemWidgets &widgets, FrmCamID &idDialog,
                   std::function<void()> readStatus, QWidget *window);
    ~SystemCommands() override;

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

    const SystemWidgets *m_ui;
    CameraLink *m_link;
    FrmCamID *m_idDialog;
    std::function<void()> m_readStatus;
    QWidget *m_window;
    OperatorMessages m_messages;
    struct PendingPreset {
        int kind; // PresetKind
        int index;
    };
    std::optional<PendingPreset> m_pending;
    std::array<std::array<QRadioButton *, 6>, 3> m_presets{};
    QTimer m_pendingRelease;
    QTimer m_recallRefresh;
    bool m_readAfterRecall = false;
};

} // namespace zam
