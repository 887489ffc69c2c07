#pragma once
// The controls that the mode and restriction tables name by objectName,
// found in the window that holds them: a widget, an action, or a submenu
// (which stands for its menu action). The tables are the one place that
// says which controls a mode enables or a model lacks; the form test binds
// every name they hold to exactly one control of the window, so a renamed
// control fails there, not in front of an operator.

#include <cstdint>

class QAction;
class QObject;
class QWidget;

namespace zam {

struct ModeRow;
enum class ModeFamily : std::uint8_t;

// The control of `window` named `name`; nullptr when there is none.
QObject *formControl(QWidget &window, const char *name);
// The action of a menu item named `name`, or a submenu's menu action.
QAction *formAction(QWidget &window, const char *name);

void setControlEnabled(QObject *control, bool enabled);
// A widget is only shown or hidden where that changes: showing a widget lays
// out its frame at once, also in a window not shown yet.
void setControlShown(QObject *control, bool shown);

// The family's marked items unchecked, then `checked`'s item (if any) checked.
void checkModeItem(QWidget &window, ModeFamily family, const ModeRow *checked);
// The family's mode controls: those `row` enables enabled, the others disabled.
void applyModeControls(QWidget &window, ModeFamily family, const ModeRow &row);

} // namespace zam
