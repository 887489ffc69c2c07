#pragma once
// Focus of the main window.
//
//   FocusAuto / FocusManual       AFModeCmd_0 / ManAFMode
//   AfModeNormal, AfModeInterval, AfModeZoomTrigger   AFModeCmd_1 .. 3
//   AfIntervalTimes               ACTAFmodeset: active and interval time
//                                 (00..FF each, typed as hexadecimal numbers
//                                 into AFacttime, AFintTime)
//   AfSensitivityLow / ..Normal   AF_Sens ticked / cleared
//   FocusOnePush                  AFTrig
//   FocusInfinity                 Infinity
//   FocusFar / FocusNear          Far / Near held, at the speed of its box
//   FocusStop                     on their release
//   FocusDirect                   FocusSlider (1000..C000)
//   FocusNearLimit                FocusNearLimitSlider (1000..C000)
//   LensInitialize / CompensationScan   Lensinit / CompScan
//
// A larger focus position focuses nearer, so the focus slider is held at or
// below the near-limit slider. The window shows the focus mode by which
// controls are enabled: the manual group (Near, Far, their speeds, the focus
// slider, OnePushAF) only in manual focus.
//
// The group's controls are its form (focus.ui), set up in the main window's
// FocusGroup; Lensinit and CompScan are items of the window's Camera menu.
// From the status read it shows the focus position, the near limit, the AF
// sensitivity and the focus mode (lens block).

#include <QObject>
#include <catalog.h>
#include <statusblocks.h>
#include <windowsupport.h>

#include <functional>
#include <initializer_list>
#include <memory>

namespace Ui {
class FocusGroup;
}

namespace zam {

class CameraLink;

class FocusCommands : public QObject {
    Q_OBJECT
public:
    FocusCommands(CameraLink &link, QWidget &window);
    ~FocusCommands() override;

    void showLens(const LensStatus &s);

    // Tests answer the group's message boxes through this.
    void setMessageHook(MessageHook hook) { m_messages.setHook(std::move(hook)); }

private:
    bool send(catalog::Id id, std::initializer_list<int> values = {});
    void focusAuto();
    void focusManual();
    void afMode(catalog::Id mode);
    void setIntervalTimes();
    void sensitivityClicked(bool low);
    void clampToNearLimit(int value);
    void setManualGroupEnabled(bool on);
    // Normal, Interval AF, ZoomTrigger and Set leave every AF mode button enabled.
    void showAfModeChosen();
    void applyFocusControls(const FocusControls &c);

    CameraLink *m_link;
    std::unique_ptr<Ui::FocusGroup> m_ui;
    OperatorMessages m_messages;
};

} // namespace zam
