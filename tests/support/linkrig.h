#pragma once
// The camera link on a simulated chain with a clock the test moves: for
// dialogs and rules that need the link but not the main window.

#include "simline.h"

#include <cameralink.h>

struct LinkRig : SimLine {
    explicit LinkRig(int cameras = 2, QList<int> models = {0x30})
        : SimLine(cameras, models), link(port, clock)
    {
        port.open({QStringLiteral("sim:"), 9600});
        link.state().LogTraffic = true;
        link.setReceiveThreshold(1);
    }

    // Auto refresh switched on by the operator (caption "Auto", timer running).
    void autoRefreshOn()
    {
        if (!link.refresh().captionIsAuto())
            link.refresh().operatorToggled();
    }

    zam::CameraLink link;
};
