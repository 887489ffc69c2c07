#pragma once
// The whole panel (main window and command groups) on a scripted camera
// that answers at once: exact reply tables for the status read.

#include "panelrig.h"
#include "scriptedport.h"

#include <QCoreApplication>
#include <clock.h>

struct ScriptedLine {
    explicit ScriptedLine(int modelCode = 0x30)
    {
        cam.modelCode = modelCode;
        port.answer = [this](const QByteArray &p) { return cam.reply(p); };
    }

    QString device() const { return QStringLiteral("scripted"); }
    // The receive announcements the last writes left.
    void settle() { QCoreApplication::processEvents(); }
    const QList<QByteArray> &sent() const { return port.packets(); }
    void clearSent() { port.clearWritten(); }

    CannedCamera cam;
    zam::FakeClock clock;
    ScriptedPort port;
};

struct ScriptedRig : PanelOn<ScriptedLine> {
    using PanelOn<ScriptedLine>::PanelOn;

    // One status read, then the events it left (receive announcements).
    void read()
    {
        window.ReadCameraStatus();
        settle();
    }
};
