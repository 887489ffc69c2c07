#pragma once
// The camera link on a simulated chain with a clock the test moves: for
// dialogs and rules that need the link but not the main window.

#include <QCoreApplication>
#include <camerachain.h>
#include <cameralink.h>
#include <clock.h>
#include <simport.h>

struct LinkRig {
    explicit LinkRig(int cameras = 2, QList<int> models = {0x30})
        : chain(cameras, models), port(chain, clock), link(port, clock)
    {
        port.open({QStringLiteral("sim:"), 9600});
        link.state().LogTraffic = true;
        link.setReceiveThreshold(1);
    }

    // Lets the line deliver everything due within ms of fake time, with
    // events processed between arrivals as a real port would.
    void run(int ms)
    {
        for (int t = 0; t < ms; ++t) {
            clock.advance(1);
            port.deliverDue();
        }
        QCoreApplication::processEvents();
    }

    const QList<QByteArray> &sent() const { return port.written(); }
    QByteArray lastSent() const { return port.written().isEmpty() ? QByteArray() : port.written().last(); }
    void clearSent() { port.clearWritten(); }

    // Auto refresh switched on by the operator (caption "Auto", timer running).
    void autoRefreshOn()
    {
        if (!link.refresh().captionIsAuto())
            link.refresh().operatorToggled();
    }

    zam::FakeClock clock;
    zam::sim::CameraChain chain;
    zam::sim::SimPort port;
    zam::CameraLink link;
};

#ifndef ZAM_HEXBYTES
#define ZAM_HEXBYTES
inline QByteArray hexBytes(const char *s) { return QByteArray::fromHex(s); }
#endif
