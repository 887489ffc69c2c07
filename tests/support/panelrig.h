#pragma once
// The whole panel on a simulated chain with a clock the test moves: the main
// window with its command groups, as the program builds them.

#include <QApplication>
#include <QLocale>
#include <QTest>
#include <camerachain.h>
#include <cameralink.h>
#include <clock.h>
#include <commandgroups.h>
#include <frmmain.h>
#include <simport.h>

#include <memory>

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

struct PanelRig {
    explicit PanelRig(int cameras = 2, QList<int> models = {0x30})
        : chain(cameras, models), port(chain, clock), link(port, clock),
          window(link, {QStringLiteral("sim:"), 9600}), groups(window)
    {
        window.setStartupMessageSink([this](const QString &, const QString &text, const QString &detail) {
            messages.append(text);
            details.append(detail);
        });
    }

    bool start()
    {
        const bool ok = window.startUp();
        run(50);
        port.clearWritten();
        return ok;
    }

    // Lets the line deliver everything due within ms of fake time, with
    // window events processed between arrivals as a real port would.
    void run(int ms)
    {
        for (int t = 0; t < ms; ++t) {
            clock.advance(1);
            port.deliverDue();
        }
        QCoreApplication::processEvents();
    }

    // Packets written since the last clearSent(), in order.
    const QList<QByteArray> &sent() const { return port.written(); }
    QByteArray lastSent() const { return port.written().isEmpty() ? QByteArray() : port.written().last(); }
    void clearSent() { port.clearWritten(); }

    zam::FakeClock clock;
    zam::sim::CameraChain chain;
    zam::sim::SimPort port;
    zam::CameraLink link;
    zam::FrmMain window;
    zam::CommandGroups groups;
    QStringList messages;
    QStringList details;
};

#ifndef ZAM_HEXBYTES
#define ZAM_HEXBYTES
inline QByteArray hexBytes(const char *s) { return QByteArray::fromHex(s); }
#endif
