#include "formcontrols.h"

#include "cameramodes.h"

#include <QAction>
#include <QHash>
#include <QMenu>
#include <QPointer>
#include <QWidget>

#include <algorithm>
#include <cstring>

namespace zam {

namespace {

// The controls found so far, kept with the window: a status read marks its
// items without searching the whole form each time.
class FormIndex : public QObject {
    Q_OBJECT
public:
    explicit FormIndex(QWidget &window) : QObject(&window) {}
    QHash<QByteArray, QPointer<QObject>> byName;
};

QObject *search(const QWidget &window, const char *name)
{
    // Dialogs the window parents are windows of their own; their controls
    // are theirs. A submenu is a popup window of its own but the window's.
    for (QObject *o : window.findChildren<QObject *>(QLatin1String(name))) {
        if (qobject_cast<QAction *>(o) || qobject_cast<QMenu *>(o))
            return o;
        if (const auto *w = qobject_cast<QWidget *>(o); w && w->window() == window.window())
            return o;
    }
    return nullptr;
}

} // namespace

QObject *formControl(QWidget &window, const char *name)
{
    auto *index = window.findChild<FormIndex *>(QString(), Qt::FindDirectChildrenOnly);
    if (!index)
        index = new FormIndex(window);
    QPointer<QObject> &found = index->byName[QByteArray(name)];
    if (!found)
        found = search(window, name);
    return found;
}

QAction *formAction(QWidget &window, const char *name)
{
    QObject *o = formControl(window, name);
    if (auto *menu = qobject_cast<QMenu *>(o))
        return menu->menuAction();
    return qobject_cast<QAction *>(o);
}

void setControlEnabled(QObject *control, bool enabled)
{
    if (auto *menu = qobject_cast<QMenu *>(control))
        menu->menuAction()->setEnabled(enabled);
    else if (auto *action = qobject_cast<QAction *>(control))
        action->setEnabled(enabled);
    else if (auto *widget = qobject_cast<QWidget *>(control))
        widget->setEnabled(enabled);
}

void setControlShown(QObject *control, bool shown)
{
    if (auto *menu = qobject_cast<QMenu *>(control))
        menu->menuAction()->setVisible(shown);
    else if (auto *action = qobject_cast<QAction *>(control))
        action->setVisible(shown);
    else if (auto *widget = qobject_cast<QWidget *>(control); widget && widget->isHidden() == shown)
        widget->setVisible(shown);
}

void checkModeItem(QWidget &window, ModeFamily family, const ModeRow *checked)
{
    for (const ModeRow &row : modeRows(family))
        if (row.marked)
            if (QAction *item = formAction(window, row.item))
                item->setChecked(checked && row.code == checked->code);
}

void applyModeControls(QWidget &window, ModeFamily family, const ModeRow &row)
{
    for (const char *name : modeControls(family)) {
        const bool on = std::any_of(row.enables.begin(), row.enables.end(),
                                    [name](const char *n) { return std::strcmp(n, name) == 0; });
        setControlEnabled(formControl(window, name), on);
    }
}

} // namespace zam

#include "formcontrols.moc"
