#pragma once
// Exposure controls of the main window: the "AE Mode" menu, the "AE Control"
// frame and the "Aperture Control" frame.
//
// Every packet goes out with SD in mode 1; no reply is read here, the
// displays follow at the next status read (except the three display steps
// below). The packets are the catalog's Exposure entries:
//
//   entry                         control
//   the AE mode rows' entries     the AE Mode items of the rows (cameramodes.h),
//                                 Bright by way of full auto
//   ShutterFaster | ShutterSlower ShutterFast | ShutterSlow
//   IrisOpen | IrisClose, GainUp | GainDown, BrightUp | BrightDown,
//   ExpCompUp | ExpCompDown, ApertureUp | ApertureDown | ApertureReset
//                                 the step buttons of the same names
//   ShutterDirect, IrisDirect, GainDirect, BrightDirect, ExpCompDirect,
//   ApertureDirect                the sliders, the slider value as position
//   ExpCompOn | ExpCompOff        ExpComp
//   BackLightOn | BackLightOff    BackLight
//   AutoSlowShutterOn | ..Off     AutoSlowShutter
//   SlowAe                        cmdSetSlowAE, the box as one byte 00..7F
//
// Display steps: GainDown, BrightUp and (on four models) ShutterSlow move
// their slider and caption one row themselves after sending; every other
// control leaves its display to the next status read.
//
// The group's controls are its form (exposure.ui: the AE Control and
// Aperture Control frames), set up in the main window's ExposureGroup; the AE
// Mode items are the window's. From the status read it shows the AE mode and
// the exposure positions of the camera block.

#include <QObject>
#include <QString>
#include <catalog.h>
#include <statusblocks.h>
#include <windowsupport.h>

#include <cstdint>
#include <functional>
#include <initializer_list>
#include <memory>
#include <optional>

class QAction;
class QCheckBox;
class QLineEdit;

namespace Ui {
class ExposureGroup;
}

namespace zam {

class CameraLink;
class CaptionTables;
struct CameraModes;
struct ModeRow;

// BrightUp steps the display only below this row, whatever the lens's bright
// range (the 18x and 25x lenses reach 31).
inline constexpr int kBrightUpStepLimit = 23;
// ShutterSlow steps the display only above this row.
inline constexpr int kShutterSlowStepFloor = 7;

class ExposureCommands : public QObject {
    Q_OBJECT
public:
    ExposureCommands(CameraLink &link, QWidget &window, CameraModes &modes,
                     const CaptionTables &captions);
    ~ExposureCommands() override;

    // The AE mode and the exposure positions; the shutter caption is read in
    // the column of modes.ShutterColumn.
    void showCamera(const CameraStatus &s);

    // Tests answer the group's message boxes through this.
    void setMessageHook(MessageHook hook) { m_messages.setHook(std::move(hook)); }

    static const QString kSlowAETitle;

private:
    // Entry `id` to the selected camera; false when nothing was sent.
    bool send(catalog::Id id, std::initializer_list<int> values = {});

    void selectAEMode(const ModeRow &row);
    void selectBright(const ModeRow &bright);
    void applyAEMode(const ModeRow &row);

    // Guarded check boxes: false (and the box put back) while refused.
    bool gateCheckBox(QCheckBox *box, bool checked);
    void toggleOption(QCheckBox *box, bool checked, catalog::Id on, catalog::Id off);
    void expCompClicked(bool checked);
    void setExpCompControlsEnabled(bool on);

    void stepGainDown();
    void stepBrightUp();
    void stepShutterSlow();
    void setSlowAE();

    std::unique_ptr<Ui::ExposureGroup> m_ui;
    QWidget *m_window;            // the AE Mode items and the mode controls
    const QLineEdit *m_modelName; // the window's ModelVersion
    CameraLink *m_link;
    CameraModes *m_modes;
    const CaptionTables *m_captions;
    OperatorMessages m_messages;
};

} // namespace zam
