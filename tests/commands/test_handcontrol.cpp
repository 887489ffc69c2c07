// Hand controllers on the whole panel: SDL's virtual joystick moves the
// sticks and presses the buttons, and the bytes on the simulated line are
// compared. Every stick move gets exactly one stop, to the camera that
// moved; STOP ALL is never refused.

#include "support/controls.h"
#include "support/panelrig.h"
#include "support/testmain.h"

#include <QSettings>
#include <QStatusBar>
#include <QTemporaryDir>
#include <SDL.h>
#include <gamepadinput.h>
#include <gamepadpanel.h>
#include <handcontrol.h>

using namespace zam;
using namespace zam::hand;

namespace {

constexpr int kLeftY = 1, kRightY = 3;
constexpr int kButtonB = 1;
constexpr Sint16 kForward = -32768;

// The panel on a chain of `cameras`, its hand controllers and one virtual
// game controller.
struct PadRig : PanelRig {
    explicit PadRig(int cameras = 2) : PanelRig(cameras, {0x30, 0x30, 0x30})
    {
        QVERIFY(start());
        connect();
    }
    ~PadRig()
    {
        // The controllers' own stops as they go are not this test's.
        QObject::disconnect(written);
        if (stick)
            SDL_JoystickClose(stick);
        if (index >= 0)
            SDL_JoystickDetachVirtual(index);
    }
    void connect()
    {
        written = QObject::connect(&link, &CameraLink::packetWritten,
                                   [this](const QByteArray &) { times << clock.nowMs(); });
    }
    int plugIn()
    {
        SDL_VirtualJoystickDesc d;
        SDL_zero(d);
        d.version = SDL_VIRTUAL_JOYSTICK_DESC_VERSION;
        d.type = SDL_JOYSTICK_TYPE_GAMECONTROLLER;
        d.naxes = 6;
        d.nbuttons = 15;
        d.name = "Test pad";
        index = SDL_JoystickAttachVirtualEx(&d);
        stick = SDL_JoystickOpen(index);
        run(GamepadInput::kIdleMs + 10);
        const QList<int> devices = pads.hand().devices();
        return devices.isEmpty() ? -1 : devices.last();
    }
    void axis(int a, Sint16 v, int ms = 10)
    {
        SDL_JoystickSetVirtualAxis(stick, a, v);
        run(ms);
    }
    void press(int b)
    {
        SDL_JoystickSetVirtualButton(stick, b, 1);
        run(10);
        SDL_JoystickSetVirtualButton(stick, b, 0);
        run(10);
    }
    void unplug()
    {
        SDL_JoystickClose(stick);
        stick = nullptr;
        SDL_JoystickDetachVirtual(index);
        index = -1;
        run(20);
    }
    void clear()
    {
        clearSent();
        times.clear();
    }

    hand::GamepadPanel pads{window, groups, QString()};
    SDL_Joystick *stick = nullptr;
    int index = -1;
    QList<std::int64_t> times; // of each packet written
    QMetaObject::Connection written;
};

enum class End { Centre, Unplug, OtherCamera, Reconnect, StopAllButton, EscKey, PortLost };

QList<QByteArray> chainStops(int cameras)
{
    QList<QByteArray> out;
    for (int c = 1; c <= cameras; ++c)
        for (const char *p : {"010407", "010406", "010408"})
            out << QByteArray(1, char(0x80 + c)) + QByteArray::fromHex(p) + '\0' + '\xFF';
    return out;
}

} // namespace

class TestHandControl : public QObject {
    Q_OBJECT
private Q_SLOTS:
    void speedSteps_data()
    {
        QTest::addColumn<int>("raw");
        QTest::addColumn<int>("deadZone");
        QTest::addColumn<bool>("inverted");
        QTest::addColumn<int>("curve");
        QTest::addColumn<int>("step");
        const int lin = int(Curve::Linear), sq = int(Curve::Square);
        QTest::newRow("centre") << 0 << 15 << false << lin << 0;
        QTest::newRow("inside the dead zone") << -4900 << 15 << false << lin << 0;
        QTest::newRow("just past it: speed 0") << -5000 << 15 << false << lin << 1;
        QTest::newRow("full forward: speed 7") << -32768 << 15 << false << lin << 8;
        QTest::newRow("full back") << 32767 << 15 << false << lin << -8;
        QTest::newRow("half forward: speed 4") << -19000 << 15 << false << lin << 5;
        QTest::newRow("inverted") << -32768 << 15 << true << lin << -8;
        QTest::newRow("square curve: half is speed 2") << -19000 << 15 << false << sq << 3;
        QTest::newRow("square curve: full is 7") << -32767 << 15 << false << sq << 8;
        QTest::newRow("no dead zone") << -100 << 0 << false << lin << 1;
        QTest::newRow("far out of range, forward") << -900000 << 15 << false << lin << 8;
        QTest::newRow("far out of range, back") << 900000 << 15 << false << lin << -8;
        QTest::newRow("a dead zone past 90 is 90") << -32000 << 400 << false << lin << 7;
    }
    void speedSteps()
    {
        QFETCH(int, raw);
        QFETCH(int, deadZone);
        QFETCH(bool, inverted);
        QFETCH(int, curve);
        QFETCH(int, step);
        QCOMPARE(speedStep(raw, {deadZone, inverted, Curve(curve)}), step);
    }

    void mappingIsRememberedAndBadValuesKeepTheDefaults()
    {
        QTemporaryDir dir;
        const QString file = dir.filePath(QStringLiteral("zam-panel.ini"));
        Mapping m = Mapping::defaults();
        m.axes[0] = Action::Focus;
        m.tuning[0] = {40, true, Curve::Square};
        m.buttons[3] = Action::StopAll;
        {
            QSettings s(file, QSettings::IniFormat);
            m.write(s);
        }
        QCOMPARE(Mapping::read(QSettings(file, QSettings::IniFormat)), m);

        QSettings bad(file, QSettings::IniFormat);
        bad.setValue("gamepad/axis1", "stop-all");   // a button's action on an axis
        bad.setValue("gamepad/button0", "zoom");     // an axis's action on a button
        bad.setValue("gamepad/button2", "warp");     // no such action
        bad.setValue("gamepad/axis1/deadZone", 400); // out of range
        bad.setValue("gamepad/axis3/deadZone", "x");
        bad.sync();
        const Mapping read = Mapping::read(bad);
        const Mapping d = Mapping::defaults();
        QCOMPARE(read.axes[1], d.axes[1]);
        QCOMPARE(read.buttons[0], d.buttons[0]);
        QCOMPARE(read.buttons[2], d.buttons[2]);
        QCOMPARE(read.tuning[1].deadZonePercent, d.tuning[1].deadZonePercent);
        QCOMPARE(read.tuning[3].deadZonePercent, d.tuning[3].deadZonePercent);
    }

    // However the stick's move ends, it has exactly one stop, to camera 1.
    void stickMoveHasOneStop_data()
    {
        QTest::addColumn<int>("end");
        QTest::newRow("back to the centre") << int(End::Centre);
        QTest::newRow("unplugged") << int(End::Unplug);
        QTest::newRow("another camera chosen") << int(End::OtherCamera);
        QTest::newRow("reconnect") << int(End::Reconnect);
        QTest::newRow("the port lost and back") << int(End::PortLost);
        QTest::newRow("STOP ALL button") << int(End::StopAllButton);
        QTest::newRow("Esc in the window") << int(End::EscKey);
    }
    void stickMoveHasOneStop()
    {
        QFETCH(int, end);
        const auto way = End(end);
        PadRig rig(3);
        QVERIFY(rig.plugIn() >= 0);
        rig.window.show();
        QVERIFY(QTest::qWaitForWindowExposed(&rig.window));
        rig.clear();

        rig.axis(kLeftY, kForward);
        QCOMPARE(rig.sent(), hexPackets("8101040727FF"));
        const QByteArray stop = hexBytes("8101040700FF");
        switch (way) {
        case End::Centre:
            rig.axis(kLeftY, 0);
            break;
        case End::Unplug:
            rig.unplug();
            break;
        case End::OtherCamera:
            control<QAction>(rig.window, "CameraSel_2")->trigger();
            break;
        case End::Reconnect:
            QVERIFY(rig.window.reconnect());
            break;
        case End::PortLost:
            rig.port.unplug();
            rig.run(20);
            QCOMPARE(rig.sent().count(stop), 0);
            QVERIFY(rig.window.reconnect());
            break;
        case End::StopAllButton:
            rig.press(kButtonB);
            break;
        case End::EscKey:
            QTest::keyClick(&rig.window, Qt::Key_Escape);
            break;
        }
        rig.run(50);
        // The hand still pushing does not restart the lens; the centre ends it.
        if (way != End::Unplug && way != End::Centre) {
            rig.axis(kLeftY, -20000, 100);
            rig.axis(kLeftY, 0, 100);
        }
        const QList<QByteArray> &sent = rig.sent();
        QCOMPARE(sent.count(hexBytes("8101040727FF")), 1);
        const int at = int(sent.indexOf(stop));
        QVERIFY(at > 0);
        for (int i = 1; i < at; ++i) // nothing for the lens before its stop
            QVERIFY2(!sent[i].startsWith(hexBytes("810104")), sent[i].toHex().constData());
        const bool chain = way == End::StopAllButton || way == End::EscKey;
        QCOMPARE(sent.count(stop), chain ? 2 : 1);
        if (chain) // its own stop, then every camera of the chain
            QCOMPARE(sent.mid(at, 10), QList<QByteArray>{stop} + chainStops(3));
        for (const QByteArray &p : sent) // never a move to any other camera
            QVERIFY2(!(p.size() == 6 && p.mid(1, 3) == hexBytes("010407") && p[4] != 0 &&
                       p[0] != char(0x81)),
                     p.toHex().constData());
    }

    // Speed steps, the other way, then the centre: one stop for all of it.
    void speedAndDirectionChangesKeepOneStop()
    {
        PadRig rig;
        QVERIFY(rig.plugIn() >= 0);
        rig.clear();
        rig.axis(kLeftY, -6000, 60);  // speed 0
        rig.axis(kLeftY, -17000, 60); // speed 3
        rig.axis(kLeftY, -17100, 60); // the same step: nothing
        rig.axis(kLeftY, 32767, 60);  // wide, speed 7
        rig.axis(kLeftY, 0, 60);
        QCOMPARE(rig.sent(), hexPackets("8101040720FF 8101040723FF 8101040737FF 8101040700FF"));
    }

    // A stick sweeping at 1 kHz: one move packet per 50 ms at most, the
    // latest step last, one stop at the end.
    void rateIsLimited()
    {
        PadRig rig;
        const int device = rig.plugIn();
        QVERIFY(device >= 0);
        rig.clear();
        for (int ms = 0; ms < 1000; ++ms) {
            const int v = -32768 + (ms * 977) % 65536; // all over the range
            rig.pads.hand().axis(device, kLeftY, v == 0 ? -1 : v);
            rig.run(1);
        }
        rig.pads.hand().axis(device, kLeftY, -32768);
        rig.run(100);
        const QList<QByteArray> sent = rig.sent();
        QVERIFY2(sent.size() <= 2 * (1000 / 50 + 2), qPrintable(QString::number(sent.size())));
        QCOMPARE(sent.last(), hexBytes("8101040727FF"));
        std::int64_t lastMove = -1000;
        for (int i = 0; i < sent.size(); ++i) {
            if (sent[i][4] == 0)
                continue; // a stop never waits
            QVERIFY2(rig.times[i] - lastMove >= 50, qPrintable(QString::number(i)));
            lastMove = rig.times[i];
        }
        rig.pads.hand().axis(device, kLeftY, 0);
        rig.run(10);
        QCOMPARE(rig.lastSent(), hexBytes("8101040700FF"));
    }

    // At 9600 bit/s seven cameras' 6-byte packets fit in their 50 ms gaps;
    // on a slower line the line's own speed holds the stick back.
    void lineSpeedHoldsTheStickBack()
    {
        for (const auto &[baud, atLeastMs] : {std::pair{9600, 700}, std::pair{1200, 4900}}) {
            LineBudget b(baud);
            std::int64_t t = 0;
            for (int i = 0; i < 100; ++i) {
                const int camera = i % 7 + 1;
                t = b.earliestMs(camera, t);
                b.sent(camera, t, 6);
            }
            // 1200 bit/s: 60 bits a packet take 50 ms.
            QVERIFY2(t >= atLeastMs, qPrintable(QString::number(t)));
            QVERIFY2(t <= atLeastMs + 100, qPrintable(QString::number(t)));
        }
    }

    void watchdogStopsASilentDevice()
    {
        PadRig rig;
        QVERIFY(rig.plugIn() >= 0);
        rig.clear();
        rig.axis(kLeftY, kForward);
        rig.run(HandControl::kWatchdogMs - 100);
        QCOMPARE(rig.sent(), hexPackets("8101040727FF"));
        rig.run(150);
        QCOMPARE(rig.sent(), hexPackets("8101040727FF 8101040700FF"));
        QVERIFY2(rig.window.statusBar()->currentMessage().contains("stopped reporting"),
                 qPrintable(rig.window.statusBar()->currentMessage()));
        rig.axis(kLeftY, -20000, 100); // still pushed: held off
        rig.axis(kLeftY, 0, 100);
        rig.axis(kLeftY, -6000, 100);
        QCOMPARE(rig.sent(), hexPackets("8101040727FF 8101040700FF 8101040720FF"));
    }

    void unplugStopsAtOnce()
    {
        PadRig rig;
        const int device = rig.plugIn();
        rig.clear();
        rig.pads.hand().axis(device, kLeftY, kForward);
        rig.pads.hand().axis(device, kRightY, kForward); // focus is auto: nothing
        rig.pads.hand().detach(device);
        QCOMPARE(rig.sent(), hexPackets("8101040727FF 8101040700FF"));
    }

    void focusStickInManualFocusOnly()
    {
        PadRig rig;
        QVERIFY(rig.plugIn() >= 0);
        rig.clear();
        rig.axis(kRightY, kForward, 60);
        rig.axis(kRightY, 0, 60);
        QVERIFY(rig.sent().isEmpty());
        control<QAbstractButton>(rig.window, "ManAFMode")->click();
        rig.run(50);
        rig.clear();
        rig.axis(kRightY, kForward, 60);
        rig.axis(kRightY, 0, 60);
        QCOMPARE(rig.sent(), hexPackets("8101040827FF 8101040800FF"));
    }

    // Camera 1 selected, the controller drives camera 3.
    void boundControllerDrivesItsCamera()
    {
        PadRig rig(3);
        const int device = rig.plugIn();
        rig.pads.hand().bind(device, 3);
        rig.clear();
        rig.axis(kLeftY, kForward);
        rig.axis(kLeftY, 0);
        QCOMPARE(rig.window.state().CameraAddress, 1);
        QCOMPARE(rig.sent(), hexPackets("8301040727FF 8301040700FF"));
    }

    // STOP ALL goes out whatever runs: nothing refuses it, and during a
    // status read it waits for the read's end.
    void stopAllIsNeverRefused_data()
    {
        QTest::addColumn<bool>("readRunning");
        QTest::addColumn<bool>("commandOutstanding");
        QTest::newRow("idle") << false << false;
        QTest::newRow("a command not finished") << false << true;
        QTest::newRow("a status read running") << true << false;
    }
    void stopAllIsNeverRefused()
    {
        QFETCH(bool, readRunning);
        QFETCH(bool, commandOutstanding);
        PanelRig rig(3, {0x30, 0x30, 0x30});
        QVERIFY(rig.start());
        if (commandOutstanding) {
            rig.chain.faults().silent = true;
            control<QAction>(rig.window, "Lensinit")->trigger();
            rig.run(20);
        }
        rig.clearSent();
        rig.window.state().RefreshBusy = readRunning;
        control<QAction>(rig.window, "StopAll")->trigger();
        if (readRunning) {
            QVERIFY(rig.sent().isEmpty()); // its replies would mix into the read's
            rig.window.ReadCameraStatus();
            // The read's inquiries, then the stops.
            QCOMPARE(rig.sent().mid(rig.sent().size() - 9), chainStops(3));
            return;
        }
        QCOMPARE(rig.sent(), chainStops(3));
    }
};

ZAM_TEST_MAIN(TestHandControl)
#include "test_handcontrol.moc"
