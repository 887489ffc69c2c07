#include "modelconfig.h"

#include "formcontrols.h"

#include <QWidget>

namespace zam {

bool restrictsOtherWindow(Restriction r)
{
    return restrictionRow(r).window != RestrictedWindow::Main;
}

void restoreDesignedConfiguration(QWidget &window)
{
    for (const RestrictionRow &row : restrictionTable())
        setRestriction(window, row.restriction, false);
}

bool setRestriction(QWidget &window, Restriction r, bool taken)
{
    const RestrictionRow &row = restrictionRow(r);
    if (row.window != RestrictedWindow::Main)
        return false;
    for (const char *name : row.controls) {
        QObject *control = formControl(window, name);
        if (row.taking == Taking::Hide)
            setControlShown(control, !taken);
        else
            setControlEnabled(control, !taken);
    }
    return true;
}

} // namespace zam
