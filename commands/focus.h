#pragma once
// Focus of the main window.
//
//   8x 01 04 38 02 FF / 03 FF      focus auto / manual
//   8x 01 04 57 0m FF              AF mode m: 0 normal, 1 interval AF, 2 zoom trigger
//   8x 01 04 27 0p 0q 0r 0s FF     interval AF times: active pq, interval rs (00..FF each,
//                                  typed as hexadecimal numbers into AFacttime, AFintTime)
//   8x 01 04 58 02 FF / 03 FF      AF sensitivity low / normal
//   8x 01 04 18 01 FF              one-push focus
//   8x 01 04 18 02 FF              focus to infinity
//   8x 01 04 08 2p FF / 3p FF      focus far / near at speed p (0..7), held
//   8x 01 04 08 00 FF              focus stop, on release
//   8x 01 04 48 0p 0q 0r 0s FF     focus direct, position pqrs (1000..C000)
//   8x 01 04 28 0p 0q 0r 0s FF     focus near limit pqrs (1000..C000)
//   8x 01 04 19 01 FF / 02 FF      lens initialise / compensation scan
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
