#pragma once
// FrmTitle_K, the keyboard title editor ("Title Set"): the title line is
// typed as text and each character converted with Conv.
//
// It is unloaded when it closes (Cancel, Mouse, close box): the owner keeps
// it in a QPointer and creates it anew. While it is shown the main window's
// auto refresh is paused; its closing hands the refresh back:
//
//   shown                 Timer1 stopped, AutoRefreshed disabled
//   hidden or closed      if the caption is
//   after being shown     "Auto": MDActive clear -> Timer1 started unless the
//                         chart editor is shown (it then starts Timer1 when
//                         it is hidden); MDActive set -> auto refresh off
//                         (Timer1 stopped, "Stop", Refreshonce enabled);
//                         then AutoRefreshed enabled
//
// Created without being shown (the main window's "Title On/Off" sets its
// box) it pauses nothing.

#include <QDialog>
#include <QPointer>
#include <cameralink.h>
#include <windowsupport.h>

#include <functional>
#include <memory>

namespace Ui {
class FrmTitle_K;
}

namespace zam {

class FrmTitle_M;

class FrmTitle_K : public QDialog {
    Q_OBJECT
public:
    // titleOnOffChecked answers the main window's "Title On/Off" check mark,
    // which the box "Title Display" starts from. motionDetectionRuns answers
    // whether the camera's motion detection runs: then closing the editor
    // switches auto refresh off.
    FrmTitle_K(CameraLink &link, std::function<bool()> motionDetectionRuns,
               std::function<bool()> titleOnOffChecked = {}, QWidget *parent = nullptr);
    ~FrmTitle_K() override;

    // Ticks or unticks "Title Display"; a change sends the title-display packet.
    void setCheck1(bool on);
    // The chart editor that "Mouse" goes back to.
    void setMouseEditor(FrmTitle_M *editor) { m_mouseEditor = editor; }

    // Tests answer the window's message boxes through this.
    void setMessageHook(MessageHook hook) { m_messages.setHook(std::move(hook)); }

    // Auto refresh is held by this editor (it has been shown and not yet closed).
    bool holdsRefresh() const { return m_holdsRefresh; }

public Q_SLOTS:
    // Escape closes (unloads) the editor like Cancel.
    void reject() override;

protected:
    void showEvent(QShowEvent *event) override;
    void hideEvent(QHideEvent *event) override;

private:
    void onCheck1(bool on);
    void sendTitle();
    void clearTitle();
    void backToMouse();
    void releaseRefresh();

    std::unique_ptr<Ui::FrmTitle_K> m_ui;
    CameraLink *m_link;
    std::function<bool()> m_motionDetectionRuns;
    QPointer<FrmTitle_M> m_mouseEditor;
    OperatorMessages m_messages{this};
    bool m_holdsRefresh = false;
};

} // namespace zam
