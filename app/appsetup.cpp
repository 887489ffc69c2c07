#include "appsetup.h"

#include <QGuiApplication>
#include <QIcon>

// The icon's resource lives in this static library; it registers itself only
// when asked to.
static void initResources()
{
    Q_INIT_RESOURCE(resources);
}

namespace zam {

void setUpApplication()
{
    QCoreApplication::setApplicationName(QStringLiteral("zam-panel"));
    QCoreApplication::setApplicationVersion(QStringLiteral(ZAM_VERSION));
    if (!qobject_cast<QGuiApplication *>(QCoreApplication::instance()))
        return; // --help and --version: no display
    initResources();
    QGuiApplication::setWindowIcon(QIcon(QStringLiteral(":/zam/zam-panel.svg")));
    QGuiApplication::setDesktopFileName(QStringLiteral("zam-panel"));
}

} // namespace zam
