#include "modelconfig.h"

#include "formcontrols.h"
#include "ui_frmmain.h"

namespace zam {

bool restrictsOtherWindow(Restriction r)
{
    return restrictionRow(r).window != RestrictedWindow::Main;
}

void restoreDesignedConfiguration(Ui::FrmMain &ui)
{
    for (const RestrictionRow &row : restrictionTable())
        setRestriction(ui, row.restriction, false);
}

bool setRestriction(Ui::FrmMain &ui, Restriction r, bool taken)
{
    const RestrictionRow &row = restrictionRow(r);
    if (row.window != RestrictedWindow::Main)
        return false;
    QWidget &window = *ui.centralwidget->window();
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
