#pragma once
// Exposure controls of the main window: the "AE Mode" menu, the "AE Control"
// frame and the "Aperture Control" frame.
//
// Every packet goes out with SD in mode 1; no reply is read here, the
// displays follow at the next status read (except the three display steps
// below). 8x = 0x80 + selected camera address.
//
//   packet                        meaning
//   8x 01 04 39 cc FF             AE mode cc: 00 full auto, 03 manual,
//                                 0A shutter priority, 0B iris priority,
//                                 0C gain priority, 0D bright, 1B iris auto
//   8x 01 04 0A 02|03 FF          shutter one step faster | slower
//   8x 01 04 0B 02|03 FF          iris one step open | closed
//   8x 01 04 0C 02|03 FF          gain one step up | down
//   8x 01 04 0D 02|03 FF          bright one step up | down
//   8x 01 04 0E 02|03 FF          exposure compensation one step up | down
//   8x 01 04 02 02|03|00 FF       aperture up | down | back to default
//   8x 01 04 cc 0p 0q 0r 0s FF    position pqrs (nibbles, most significant
//                                 first) of slider cc: 4A shutter, 4B iris,
//                                 4C gain, 4D bright, 4E exposure
//                                 compensation, 42 aperture
//   8x 01 04 3E 02|03 FF          exposure compensation on | off
//   8x 01 04 33 02|03 FF          backlight compensation on | off
//   8x 01 04 5A 02|03 FF          automatic slow shutter on | off
//   8x 01 04 5D pp FF             slow AE value pp (one byte, 00..7F)
//
// Display steps: GainDown, BrightUp and (on four models) ShutterSlow move
// their slider and caption one row themselves after sending; every other
// control leaves its display to the next status read.

#include <QObject>
#include <catalog.h>
#include <windowsupport.h>
#include <QString>

#include <cstdint>
#include <functional>
#include <initializer_list>
#include <optional>

class QAction;
class QCheckBox;

namespace zam {

class CameraLink;
struct ExposureWidgets;
class CaptionTables;
struct CameraModes;

namespace ae {
inline constexpr int kFullAuto = 0x00;
inline constexpr int kManual = 0x03;
inline constexpr int kShutterPriority = 0x0A;
inline constexpr int kIrisPriority = 0x0B;
inline constexpr int kGainPriority = 0x0C;
inline constexpr int kBright = 0x0D;
inline constexpr int kIrisAuto = 0x1B;
} // namespace ae

// BrightUp steps the display only below this row, whatever the lens's bright
// range (the 18x and 25x lenses reach 31).
inline constexpr int kBrightUpStepLimit = 23;
// ShutterSlow steps the display only above this row.
inline constexpr int kShutterSlowStepFloor = 7;

class ExposureCommands : public QObject {
    Q_OBJECT
public:
    ExposureCommands(CameraLink &link, const ExposureWidgets &widgets, CameraModes &modes,
                     const CaptionTables &captions, QWidget *window);

    // Tests answer the group's message boxes through this.
    void setMessageHook(MessageHook hook) { m_messages.setHook(std::move(hook)); }

    static const QString kSlowAETitle;

private:
    // Entry `id` to the selected camera; false when nothing was sent.
    bool send(catalog::Id id, std::initializer_list<int> values = {});

    void selectAEMode(int code, bool guarded);
    void selectBright();
    void applyAEMode(int code);

    // Guarded check boxes: false (and the box put back) while refused.
    bool gateCheckBox(QCheckBox *box, bool checked);
    void toggleOption(QCheckBox *box, bool checked, catalog::Id on, catalog::Id off);
    void expCompClicked(bool checked);
    void setExpCompControlsEnabled(bool on);

    void stepGainDown();
    void stepBrightUp();
    void stepShutterSlow();
    void setSlowAE();

    const ExposureWidgets *m_ui;
    CameraLink *m_link;
    CameraModes *m_modes;
    const CaptionTables *m_captions;
    OperatorMessages m_messages;
};

} // namespace zam
