#pragma once
// A simulated chain of cameras on a line whose clock the test moves, and the
// one way a test lets time pass on it. The rigs (LinkRig, PanelRig) build on
// it; a test that needs only the link puts its own link on top.

#include <QCoreApplication>
#include <camerachain.h>
#include <clock.h>
#include <simport.h>

struct SimLine {
    explicit SimLine(int cameras = 2, QList<int> models = {0x30})
        : chain(cameras, models), port(chain, clock)
    {}

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

    QString device() const { return QStringLiteral("sim:"); }
    // What start-up left on the line, delivered.
    void settle() { run(50); }

    // Packets written since the last clearSent(), in order.
    const QList<QByteArray> &sent() const { return port.written(); }
    QByteArray lastSent() const
    {
        return port.written().isEmpty() ? QByteArray() : port.written().last();
    }
    void clearSent() { port.clearWritten(); }

    zam::FakeClock clock;
    zam::sim::CameraChain chain;
    zam::sim::SimPort port;
};

inline QByteArray hexBytes(const char *s)
{
    return QByteArray::fromHex(s);
}
