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

#include <QObject>
#include <catalog.h>
#include <windowsupport.h>

#include <functional>
#include <initializer_list>

namespace zam {

class CameraLink;
struct FocusWidgets;

class FocusCommands : public QObject {
    Q_OBJECT
public:
    FocusCommands(CameraLink &link, const FocusWidgets &widgets, QWidget *window);

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

    CameraLink *m_link;
    const FocusWidgets *m_ui;
    OperatorMessages m_messages;
};

} // namespace zam
