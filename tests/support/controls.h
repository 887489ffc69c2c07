#pragma once
// A window's control by its objectName, as the forms name them. Tests reach
// controls the way an operator's tools do, by name, and never through a
// window's generated form.

#include <QtGlobal>
#include <QtWidgets>

namespace zam {

// The control named `name` of the window `root`, searched in the window's own
// widgets and actions (the dialogs it parents are windows of their own and
// are not searched). Ends the test run when there is none.
template <typename T> T *control(const QObject &root, const char *name)
{
    const QWidget *rootWindow = qobject_cast<const QWidget *>(&root);
    const auto found = root.findChildren<T *>(QLatin1String(name));
    for (T *c : found) {
        const auto *w = qobject_cast<const QWidget *>(c);
        if (!rootWindow || !w || w->window() == rootWindow->window())
            return c;
    }
    if (!found.isEmpty())
        return found.first();
    qFatal("no control named %s of the expected type", name);
}

template <typename T> T *control(const QObject *root, const char *name)
{
    return control<T>(*root, name);
}

} // namespace zam
