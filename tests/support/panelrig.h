#pragma once
// The whole panel on a simulated chain with a clock the test moves: the main
// window with its command groups, as the program builds them.

#include "caughtmessages.h"
#include "simline.h"

#include <QApplication>
#include <QTest>
#include <cameralink.h>
#include <commandgroups.h>
#include <frmmain.h>

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
