#pragma once
// The whole panel (main window and command groups) on a scripted camera
// that answers at once: exact reply tables for the status read.

#include "caughtmessages.h"
#include "scriptedport.h"

#include <QApplication>
#include <QTest>
#include <cameralink.h>
#include <clock.h>
#include <commandgroups.h>
#include <frmmain.h>

struct ScriptedRig {
    explicit ScriptedRig(int modelCode = 0x30)
        : link(port, clock), window(link, {QStringLiteral("scripted"), 9600}), groups(window)
    {
        cam.modelCode = modelCode;
        port.answer = [this](const QByteArray &p) { return cam.reply(p); };
        window.setMessageHook(messages.hook());
    }

    bool start()
    {
        const bool ok = window.startUp();
        QCoreApplication::processEvents();
        port.clearWritten();
        return ok;
    }

    // One status read, then the events it left (receive announcements).
    void read()
    {
        window.ReadCameraStatus();
        QCoreApplication::processEvents();
    }

    const QList<QByteArray> &sent() const { return port.packets(); }
    void clearSent() { port.clearWritten(); }

    CannedCamera cam;
    zam::FakeClock clock;
    ScriptedPort port;
    zam::CameraLink link;
    zam::FrmMain window;
    zam::CommandGroups groups;
    CaughtMessages messages;
};
