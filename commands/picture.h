#pragma once
// Picture and effect functions of the main window: the "Wide-Dynamic Range",
// "Aperture Control" (high resolution) and "ICR_Func" frames, the check-marked
// items of the "Function" menu and the digital effect level dialog
// FrmD_Effect.
//
// The group's controls are its form (picture.ui: the Wide-Dynamic Range and
// ICR_Func frames), set up in the main window's PictureGroup. cmdHigh_Reso
// sits in the Aperture Control frame of the exposure group's form, and the
// Function menu's items are the window's; the group finds both by name.
//
// Every packet goes out with SD in mode 1; no reply is read here, the
// displays follow at the next status read.
//
//   entry                         control                  gated
//   WideDynamicRangeOn | ..Off    Wide_D
//   HighResolutionOn | ..Off      cmdHigh_Reso
//   IcrOn | IcrOff                comICR_0 | comICR_1 (infrared-cut filter)
//   AutoIcrOn | AutoIcrOff        comAutoICR
//   IcrThreshold                  comICR_Threshold, the box as one byte
//   PictureFlipOn | ..Off         PictureFlip                  yes
//   LrReverseOn | ..Off           LR_Reverse                   yes
//   FreezeOn | FreezeOff          Freese                       yes
//   StabilizerOn | ..Off          Image_Stabi                  yes
//   WideModeNormal                Normal (wide mode)
//   the picture effect rows' entries (cameramodes.h)
//                                 PEOff | NegArt | BlackWhite  yes
//   DigitalEffectLevel            FrmD_Effect OK
//
// Gated controls do nothing at all while a status read runs. The caption
// buttons keep their state in the caption: Wide_D and cmdHigh_Reso show what
// the next click does ("ON" switches on), comAutoICR shows the present state
// ("ON" means on, and the click switches off).
//
// The digital effect level travels as one plain byte, so it stops at 0xFE:
// a level of 0xFF would put a second terminator into the packet, and the
// camera would take what comes before it as a broken packet of its own.

#include <QObject>
#include <QString>
#include <cameramodes.h>
#include <catalog.h>
#include <statusblocks.h>
#include <windowsupport.h>

#include <functional>
#include <initializer_list>
#include <memory>
#include <optional>

class QAbstractButton;
class QAction;
class QLineEdit;

namespace Ui {
class PictureGroup;
}

namespace zam {

class CameraLink;
class FrmDEffect;

// Helpers the picture, system and display groups share.

// One row of a caption button: a click while the caption reads `caption`
// (nullptr: any other caption) sends entry `id` and shows `next`.
struct CaptionStep {
    const char *caption;
    catalog::Id id;
    const char *next;
};
// The packet by caption; a caption matching no row sends nothing.
void connectCaptionToggle(QAbstractButton *button, CameraLink &link,
                          std::initializer_list<CaptionStep> steps, QObject *context);

// A checkable menu item whose mark the handler owns: the mark the item had
// before the click is passed on and restored first, so a refused click
// leaves it as it was.
void connectMarkedItem(QAction *item, QObject *context,
                       std::function<void(bool wasChecked)> handler);

// An on/off item: the on or the off entry is chosen from the mark, and the
// mark is inverted once the packet has been handed to SD.
struct OnOffItem {
    QAction *item;
    catalog::Id on;
    catalog::Id off;
    bool gated; // asks RefreshNotGoCheck first
};
// afterToggle (optional) runs with the new state after the mark changed and
// before the packet is sent.
void connectOnOffItem(const OnOffItem &row, CameraLink &link, QObject *context,
                      std::function<void(bool on)> afterToggle = {});

// The items of a mode family that only marks its modes (picture effect,
// sync): a click sends the row's entry (after the gate, for guarded rows)
// and then checks the clicked item only.
void connectModeItems(ModeFamily family, QWidget &form, CameraLink &link, QObject *context);

class PictureCommands : public QObject {
    Q_OBJECT
public:
    PictureCommands(CameraLink &link, QWidget &window, FrmDEffect &levelDialog);
    ~PictureCommands() override;

    // The picture items' marks, AutoICR and the digital effect level (other
    // block), Picture Flip (extended block).
    void showOther(const OtherStatus &s);
    void showExtended(const ExtendedStatus &s);

    // Tests answer the group's message boxes through this.
    void setMessageHook(MessageHook hook) { m_messages.setHook(std::move(hook)); }

    // The "Digital Effect Level..." entry: Timer1 stopped, FrmD_Effect shown
    // without blocking the main window.
    void openDigitalEffectLevel();

    static constexpr int kDigitalEffectLevelMax = 0xFE;
    static const QString kThresholdTitle;

private:
    void sendICRThreshold();
    void sendDigitalEffectLevel();

    std::unique_ptr<Ui::PictureGroup> m_ui;
    QWidget *m_window; // the Function menu's items
    CameraLink *m_link;
    FrmDEffect *m_levelDialog;
    OperatorMessages m_messages;
};

} // namespace zam
