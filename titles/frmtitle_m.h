#pragma once
// FrmTitle_M, the title editor with the character chart ("Title Set with
// Mouse"): one title line of the selected camera, picked from the chart or
// typed into the 20 character cells, sent with OK.
//
// The line lives in the main window's TitleBuffer, row CameraAddress, so each
// camera keeps its own line for the whole run. The window is hidden, never
// destroyed, by Cancel and Keyboard; the cursor and the controls keep their
// values between uses.

#include "titlecode.h"

#include <QDialog>
#include <cameralink.h>

#include <functional>
#include <memory>

namespace Ui {
class FrmTitle_M;
}

namespace zam {

class TitleCell;

class FrmTitle_M : public QDialog {
    Q_OBJECT
public:
    // motionDetectionRuns answers whether the camera's motion detection runs:
    // then hiding the editor leaves auto refresh as it is.
    FrmTitle_M(CameraLink &link, titles::TitleBuffer &buffer,
               std::function<bool()> motionDetectionRuns, QWidget *parent = nullptr);
    ~FrmTitle_M() override;

    // The "Title Set" menu entry: cursor to 0, then shown (not modal).
    void openFromMenu();
    // Ticks or unticks "Title Display"; a change sends the title-display
    // packet and announces titleDisplayChanged, as a click does.
    void setCheck1(bool on);

    int cursor() const { return m_cursor; }
    // The row of TitleBuffer of the selected camera.
    titles::TitleRow &row();

    // The keyboard editor closed while this window was shown and left auto
    // refresh stopped for it: start Timer1 again when this window is hidden
    // (if auto refresh is still on and motion detection does not hold it).
    void holdRefreshUntilHidden() { m_refreshHeld = true; }
    bool refreshHeld() const { return m_refreshHeld; }

Q_SIGNALS:
    // "Title Display" changed: the main window's "Title On/Off" mark and the
    // keyboard editor's box follow.
    void titleDisplayChanged(bool on);
    // Keyboard: this window has hidden itself; show the keyboard editor.
    void keyboardRequested();

protected:
    void showEvent(QShowEvent *event) override;
    void hideEvent(QHideEvent *event) override;

private:
    void ReDraw();
    void insertCode(std::uint8_t code);
    void onCellKey(int key, const QString &text);
    void onCheck1(bool on);
    titles::LineSetting lineSetting() const;
    // Sends with SD in mode 1 and pauses 0.5 s; false when nothing was sent.
    bool sendAndPause(const std::optional<QByteArray> &packet);
    void sendLine();
    void sendDemo();
    void clearTitle();

    std::unique_ptr<Ui::FrmTitle_M> m_ui;
    CameraLink *m_link;
    titles::TitleBuffer *m_buffer;
    std::function<bool()> m_motionDetectionRuns;
    QList<TitleCell *> m_cells;
    int m_cursor = 0;
    bool m_refreshHeld = false;
};

} // namespace zam
