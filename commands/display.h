#pragma once
// Display, sync and V-phase functions of the main window, and the menu
// entries that open the setting dialogs.
//
// The group's controls are its form (display.ui: the V-Phase frame), set up
// in the main window's DisplayGroup; the menu items are the window's, found
// by name. From the status read it shows the data screen and sync marks and
// the V phase (other block).
//
// Every packet goes out with SD in mode 1, to the selected camera.
//
//   entry                         control                        gated
//   DataScreenOn | DataScreenOff  DataScreen
//   TitleMenuOn | TitleMenuOff    TitleOnOff                     yes
//   the sync rows' entries        Internal | LineLock (cameramodes.h)
//   VPhase0                       VP0180 reading "0 degree" (then "180 degree")
//   VPhase180                     VP0180 reading anything else (then "0 degree")
//   VPhaseUp | VPhaseDown         VPUp | VPDown pressed
//   VPhaseStop                    VPUp / VPDown released
//   VPhaseReset                   VPreset
//   VPhaseDirect                  VPSlider moved by the operator
//
// VPSlider stops Timer1 while it is held and sends only while it moves; its
// release sends nothing and restarts Timer1 only while "Auto Refresh" is
// checked.
//
// Dialog entries (nothing is sent; every dialog is created on first use,
// reused afterwards, and shown without blocking the main window):
//   SettingMenu    FSet (its baud-rate frame hidden for the models that
//                  cannot change the rate this way)
//   RegisterSet    Register
//   version        FrmInfo
//   MotionDetectD  MotionD, after Timer1 is stopped and AutoRefreshed disabled
//   TitleSet       the title editors
//   SettingZones   Privacy, its four lists back on their first items
//   SphericalZoneMasking  SphericalMask, its five lists back on their first
//                  items (buttons the model lacks hidden)
//   PrivacyAv      PrivacyA
//   AlarmDetection MD, modal, after reading the camera's alarm settings
//   AESpotMode     AES
//   SetTimeDate    FrmSetDate, filled from the PC's clock
//
// Date and time display switches (not gated, Timer1 untouched):
//   DateDisplayOn | DateDisplayOff   DateDisplay
//   TimeDisplayOn | TimeDisplayOff   TimeDisplay

#include <QObject>
#include <QPointer>
#include <QString>
#include <modeltable.h>
#include <motiondetection.h>
#include <statusblocks.h>
#include <titlecode.h>

#include <functional>
#include <memory>

namespace Ui {
class DisplayGroup;
}

namespace zam {

class AES;
class CameraLink;
class FrmInfo;
class FrmSetDate;
class FSet;
class MD;
class MotionD;
class Privacy;
class PrivacyA;
class Register;
class SphericalMask;
class TitleEditors;

// What the display group needs of the main window.
struct DisplayContext {
    QWidget *window; // its place and menu items, and the parent of the group's dialogs
    titles::TitleBuffer *titleBuffer;
    MdState *motionDetection;
    std::function<bool()> checkAlarmStatus;
    // Whether the identified model lacks a function.
    std::function<bool(Restriction)> restricted;
};

class DisplayCommands : public QObject {
    Q_OBJECT
public:
    DisplayCommands(CameraLink &link, DisplayContext context);
    ~DisplayCommands() override;

    void showOther(const OtherStatus &s);

    // "Title On/Off" changed its mark: the title editors' display boxes
    // follow (called after the mark is inverted, before the packet is sent).
    std::function<void(bool on)> onTitleDisplayChanged;

    // The dialogs, once they have been opened (else null).
    FSet *fset() const;
    Register *registerDialog() const;
    FrmInfo *frmInfo() const;
    MotionD *motionD() const;
    TitleEditors &titleEditors() { return *m_titles; }
    Privacy *privacy() const;
    SphericalMask *sphericalMask() const;
    PrivacyA *privacyA() const;
    MD *md() const;
    AES *aes() const;
    FrmSetDate *setDate() const;

public Q_SLOTS:
    // The dialogs whose controls a model restriction names show them as the
    // identified model allows (after each model identification).
    void followModel();
    // A fresh start: the two motion-detection windows, which keep the
    // switches last sent to the camera, are made anew at their next opening.
    void forgetMotionDetection();

    void openFactorySettings();
    void openRegisters();
    void openVersion();
    void openMotionDetection();

    void openTitleEditor();    // TitleSet
    void openPrivacy();        // SettingZones
    void openSphericalMask();  // SphericalZoneMasking
    void openPrivacyA();       // PrivacyAv
    void openAlarmDetection(); // AlarmDetection (modal)
    void openAESpot();         // AESpotMode
    void openSetTimeDate();    // SetTimeDate

private:
    bool sendPhase(int value);

    std::unique_ptr<Ui::DisplayGroup> m_ui;
    CameraLink *m_link;
    DisplayContext m_context;
    QWidget *m_window;
    QPointer<FSet> m_fset;
    QPointer<Register> m_register;
    QPointer<FrmInfo> m_info;
    QPointer<MotionD> m_motionD;
    TitleEditors *m_titles = nullptr;
    QPointer<Privacy> m_privacy;
    QPointer<SphericalMask> m_spherical;
    QPointer<PrivacyA> m_privacyA;
    QPointer<MD> m_md;
    QPointer<AES> m_aes;
    QPointer<FrmSetDate> m_setDate;
};

} // namespace zam
