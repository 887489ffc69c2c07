// zam-ctl: the camera's command-line tool. See zamctl.h.

#include "zamctl.h"

#include <QCoreApplication>
#include <QTextStream>
#include <clock.h>

#include <cstdio>

int main(int argc, char **argv)
{
    QCoreApplication app(argc, argv);
    QCoreApplication::setApplicationName(QStringLiteral("zam-ctl"));
    QCoreApplication::setApplicationVersion(QStringLiteral(ZAM_VERSION));
    QTextStream out(stdout);
    QTextStream err(stderr);
    zam::SteadyClock clock;
    const int status = zam::cli::runZamCtl(QCoreApplication::arguments(), out, err, clock);
    out.flush();
    err.flush();
    return status;
}
