#pragma once
// The two title editors as the main window uses them: the chart editor
// FrmTitle_M (created on first use, then only hidden and shown) and the
// keyboard editor FrmTitle_K (created when needed, unloaded when it closes),
// kept in step with each other and with the "Title On/Off" menu mark.
//
//   "Title Set"            openFromMenu()
//   "Title On/Off"         after inverting the mark and before sending its
//                          own packet: setCheck1(new mark)
//   Keyboard (chart)       chart editor hidden, keyboard editor shown
//   Mouse (keyboard)       chart editor moved to the keyboard editor's place
//                          and shown, keyboard editor closed
//   "Title Display" box    of the chart editor: the menu mark and the
//                          keyboard editor's box follow

#include "titlecode.h"
#include <QObject>
#include <QPointer>

#include <cameralink.h>

#include <functional>

class QWidget;

namespace zam {

class FrmTitle_K;
class FrmTitle_M;

class TitleEditors : public QObject {
    Q_OBJECT
public:
    // window: parent of the editors (the main window). titleOnOffChecked
    // answers the "Title On/Off" mark; setTitleOnOffChecked sets it without
    // sending anything. motionDetectionRuns answers whether the camera's
    // motion detection runs (what the main window knows of it).
    TitleEditors(CameraLink &link, titles::TitleBuffer &buffer,
                 std::function<bool()> motionDetectionRuns, QWidget *window,
                 std::function<bool()> titleOnOffChecked,
                 std::function<void(bool)> setTitleOnOffChecked, QObject *parent = nullptr);
    ~TitleEditors() override;

    // Created on first use.
    FrmTitle_M *mouseEditor();
    // Created (hidden) when it does not exist.
    FrmTitle_K *keyboardEditor();
    // nullptr while the keyboard editor does not exist.
    FrmTitle_K *existingKeyboardEditor() const { return m_keyboard; }

    void openFromMenu();
    void setCheck1(bool on);
    void showKeyboardEditor();

private:
    CameraLink *m_link;
    titles::TitleBuffer *m_buffer;
    std::function<bool()> m_motionDetectionRuns;
    QPointer<QWidget> m_window;
    std::function<bool()> m_titleOnOffChecked;
    std::function<void(bool)> m_setTitleOnOffChecked;
    QPointer<FrmTitle_M> m_mouse;
    QPointer<FrmTitle_K> m_keyboard;
};

} // namespace zam
