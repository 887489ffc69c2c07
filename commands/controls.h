#pragma once
// Behaviour shared by the command groups' controls: each group's place in
// the main window, showing the status blocks, press-and-hold buttons,
// position sliders, and sending a catalog entry to the selected camera.

#include <QObject>
#include <cameralink.h>
#include <catalog.h>
#include <windowsupport.h>

#include <cstdint>
#include <functional>
#include <initializer_list>
#include <memory>
#include <optional>

class QAbstractButton;
class QAbstractSlider;
class QAction;
class QCheckBox;
class QLineEdit;
class QSpinBox;
class QWidget;

namespace zam {

enum class ModeFamily : std::uint8_t;

// The main window's control named `name`: a widget of its form or of a
// group's form, or a menu item (a submenu stands for its menu action). A
// group reaches the menu items it drives, and the few controls it shares
// with the window, this way. Ends the program when there is none: the forms
// and the groups name their controls alike.
QObject &windowControl(QWidget &window, const char *name);
QAction &windowAction(QWidget &window, const char *name);
template <class T> T &windowWidget(QWidget &window, const char *name)
{
    auto *w = qobject_cast<T *>(&windowControl(window, name));
    if (!w)
        qFatal("the main window's %s is no %s", name, T::staticMetaObject.className());
    return *w;
}

// A group's own form set up in its place in the main window: the place is
// the empty widget of the window's form named after the group's form
// ("LensGroup"), and the group's controls become the place's children.
template <class Form> std::unique_ptr<Form> placeForm(QWidget &window, const char *place)
{
    auto form = std::make_unique<Form>();
    form->setupUi(&windowWidget<QWidget>(window, place));
    return form;
}

// Showing the status blocks. Every write is its own statement: a position
// that a slider's range does not hold, or an index past a caption table,
// leaves that one display as it was and the rest of the block is still
// shown. Slider positions written here send nothing (the groups send only on
// the operator's actions); check boxes are written with their signals
// blocked, so their handlers do not send the reported state back to the
// camera. Menu check marks change with setChecked, which fires toggled but
// never triggered: handlers of menu items connect to triggered.

// A slider refuses a position outside its range: it keeps its position.
void showPosition(QAbstractSlider *slider, int value);
void showNumber(QLineEdit *box, int value);
// No caption (an index past its table): the box keeps its text.
void showCaption(QLineEdit *box, const std::optional<QString> &text);
void showTicked(QCheckBox *box, bool on);
// A family's reported mode: its menu marks always, its controls (and
// `current`) when the mode changed.
void showMode(QWidget &window, ModeFamily family, int reported, int &current);

// Builds entry `id` with `values` for the selected camera and sends it with
// SD in mode 1; false when nothing was sent (a value the entry does not
// take, no camera selected, or SD refused).
bool send(CameraLink &link, catalog::Id id, std::initializer_list<int> values = {});

// The main window's words for a refused typed hexadecimal box (readHexBox):
// `what` names the box ("The Slow AE value (pp)"), `tell` shows the text.
HexBoxRefusal hexBoxRefusal(const QString &what, std::function<void(const QString &text)> tell);

// Speed of a speed box (0..7): the spinners hold their value within 0..7,
// and the value is clamped again so the parameter byte stays in range. A box
// whose text is no number counts as 0.
int speedValue(const QSpinBox *box);

// What a press-and-hold button sends: the move entry while held (with the
// speed read at the press, when it has one), the stop entry at the release.
struct HoldRow {
    QAbstractButton *button;
    catalog::Id move;
    std::function<int()> speed; // empty: the move takes no value
    catalog::Id stop;
};

// A drive's hold row: `move` at the speed of the box while held, `stop` at
// the release (zoom, focus).
HoldRow speedHold(QAbstractButton *button, catalog::Id move, const QSpinBox *speed,
                  catalog::Id stop);

// A press-and-hold button: mouse down (any mouse button), or Space / Enter
// held while the button has focus, sends the move packet; mouse up or key up
// sends the stop packet, wherever the pointer is then.
// The move goes through the link's MoveStops, so it gets exactly one stop,
// to the camera that moved: at the release, or earlier when the window
// loses focus, the application goes inactive, the button is disabled or
// hidden while held, or another camera is selected.
class HoldButton : public QObject {
    Q_OBJECT
public:
    HoldButton(CameraLink &link, HoldRow row, QObject *parent = nullptr);

    bool moving() const;
    // Starts and stops from the keyboard (the key-down / key-up pair).
    void press();
    void release();

protected:
    bool eventFilter(QObject *watched, QEvent *event) override;

private:
    CameraLink *m_link;
    HoldRow m_row;
    QWidget *m_window = nullptr;
    std::optional<MoveStops::Id> m_move;
};

// A position slider of the main window:
//   mouse down  stop Timer1 (no status reads while the thumb is held)
//   each move by the operator (drag, keys, page clicks, wheel)  send
//   mouse up    Timer1 again if "Auto Refresh" is checked (or auto refresh is on
//               with no command outstanding), then send once more
// A value the program writes into the slider sends nothing. A drag belongs to
// the camera selected at mouse down: once another camera is selected, the
// rest of the drag sends nothing.
class SliderSender : public QObject {
    Q_OBJECT
public:
    struct Options {
        bool stopsRefresh = true; // mouse down stops Timer1, mouse up may restart it
        bool sendOnMove = true;   // send on every move by the operator
        bool sendOnRelease = true;
    };
    SliderSender(QAbstractSlider *slider, CameraLink &link, std::function<void(int value)> send,
                 Options options, QObject *parent = nullptr);

protected:
    bool eventFilter(QObject *watched, QEvent *event) override;

private:
    QAbstractSlider *m_slider;
    CameraLink *m_link;
    std::function<void(int)> m_send;
    Options m_options;
    int m_dragCamera = 0; // camera of the drag in progress, 0 when none
};

// Sliders that send on the operator's moves only; the release sends nothing more.
inline constexpr SliderSender::Options kSendOnMovesOnly{
    .stopsRefresh = true, .sendOnMove = true, .sendOnRelease = false};

} // namespace zam
