#include "titleeditors.h"

#include "frmtitle_k.h"
#include "frmtitle_m.h"

namespace zam {

TitleEditors::TitleEditors(CameraLink &link, titles::TitleBuffer &buffer,
                           std::function<bool()> motionDetectionRuns, QWidget *window,
                           std::function<bool()> titleOnOffChecked,
                           std::function<void(bool)> setTitleOnOffChecked, QObject *parent)
    : QObject(parent), m_link(&link), m_buffer(&buffer),
      m_motionDetectionRuns(std::move(motionDetectionRuns)), m_window(window),
      m_titleOnOffChecked(std::move(titleOnOffChecked)),
      m_setTitleOnOffChecked(std::move(setTitleOnOffChecked))
{}

TitleEditors::~TitleEditors()
{
    // Without a window nothing else owns the editors.
    if (!m_window) {
        delete m_keyboard.data();
        delete m_mouse.data();
    }
}

FrmTitle_M *TitleEditors::mouseEditor()
{
    if (!m_mouse) {
        m_mouse = new FrmTitle_M(*m_link, *m_buffer, m_motionDetectionRuns, m_window);
        connect(m_mouse, &FrmTitle_M::keyboardRequested, this, &TitleEditors::showKeyboardEditor);
        connect(m_mouse, &FrmTitle_M::titleDisplayChanged, this, [this](bool on) {
            if (m_setTitleOnOffChecked)
                m_setTitleOnOffChecked(on);
            if (m_keyboard)
                m_keyboard->setCheck1(on);
        });
        if (m_keyboard)
            m_keyboard->setMouseEditor(m_mouse);
    }
    return m_mouse;
}

FrmTitle_K *TitleEditors::keyboardEditor()
{
    if (!m_keyboard) {
        m_keyboard = new FrmTitle_K(*m_link, m_motionDetectionRuns, m_titleOnOffChecked, m_window);
        m_keyboard->setMouseEditor(m_mouse);
    }
    return m_keyboard;
}

void TitleEditors::openFromMenu()
{
    mouseEditor()->openFromMenu();
}

void TitleEditors::setCheck1(bool on)
{
    mouseEditor()->setCheck1(on);
    keyboardEditor()->setCheck1(on);
}

void TitleEditors::showKeyboardEditor()
{
    mouseEditor();
    FrmTitle_K *k = keyboardEditor();
    k->show();
    k->raise();
    k->activateWindow();
}

} // namespace zam
