#pragma once
// The whole panel on a simulated chain with a clock the test moves: the main
// window with its command groups, as the program builds them.

#include "caughtmessages.h"
#include "simline.h"

#include <QApplication>
#include <QLocale>
#include <QTest>
#include <cameralink.h>
#include <commandgroups.h>
#include <frmmain.h>

// ZAM_TEST_LOCALE=ar_EG runs the test with that default locale, set before
// any widget exists. Boxes then show Arabic-Indic digits, so a number taken
// from a box's display text instead of its value goes wrong on the wire.
inline void zamApplyTestLocale()
{
    const QString name = qEnvironmentVariable("ZAM_TEST_LOCALE");
    if (name.isEmpty())
        return;
    const QLocale locale(name);
    if (locale.language() == QLocale::C)
        qFatal("ZAM_TEST_LOCALE=%s names no locale", qPrintable(name));
    QLocale::setDefault(locale);
}
Q_CONSTRUCTOR_FUNCTION(zamApplyTestLocale)

struct PanelRig : SimLine {
    explicit PanelRig(int cameras = 2, QList<int> models = {0x30})
        : SimLine(cameras, models), link(port, clock), window(link, {QStringLiteral("sim:"), 9600}),
          groups(window)
    {
        window.setMessageHook(messages.hook());
    }

    bool start()
    {
        const bool ok = window.startUp();
        run(50);
        port.clearWritten();
        return ok;
    }

    zam::CameraLink link;
    zam::FrmMain window;
    zam::CommandGroups groups;
    CaughtMessages messages;
};
