// The control API's OSC socket on loopback, with real datagrams written by
// liblo, against the simulated chain: the bytes each address puts on the
// wire, the dead-man stop on the test clock, the token in the address, the
// messages refused with nothing sent, and the sender evicted for a
// seventeenth.

#include "support/linkrig.h"
#include "support/testmain.h"

#include <QTest>
#include <QUdpSocket>
#include <hub.h>
#include <oscserver.h>

#include <cmath>
#include <cstdlib>
#include <lo/lo.h>

using namespace zam;
using namespace zam::api;

namespace {

// One argument of a message the test writes.
struct Arg {
    char type;
    double number = 0;
    const char *text = nullptr;
};
Arg i32(int v)
{
    return {'i', double(v)};
}
Arg f32(double v)
{
    return {'f', v};
}
Arg f64(double v)
{
    return {'d', v};
}
Arg str(const char *v)
{
    return {'s', 0, v};
}
Arg sym(const char *v)
{
    return {'S', 0, v};
}
Arg blob()
{
    return {'b'};
}

// The datagram of one message, as liblo writes it.
QByteArray osc(const QByteArray &path, std::initializer_list<Arg> args = {})
{
    lo_message m = lo_message_new();
    const char bytes[3] = {1, 2, 3};
    for (const Arg &a : args) {
        switch (a.type) {
        case 'i':
            lo_message_add_int32(m, int(a.number));
            break;
        case 'f':
            lo_message_add_float(m, float(a.number));
            break;
        case 'd':
            lo_message_add_double(m, a.number);
            break;
        case 's':
            lo_message_add_string(m, a.text);
            break;
        case 'S':
            lo_message_add_symbol(m, a.text);
            break;
        case 'b': {
            lo_blob b = lo_blob_new(3, bytes);
            lo_message_add_blob(m, b);
            lo_blob_free(b);
            break;
        }
        }
    }
    std::size_t size = 0;
    void *data = lo_message_serialise(m, path.constData(), nullptr, &size);
    QByteArray out(static_cast<const char *>(data), qsizetype(size));
    std::free(data);
    lo_message_free(m);
    return out;
}

// A reply's path and string arguments, as liblo reads them.
QStringList readReply(QByteArray datagram)
{
    int result = 0;
    lo_message m = lo_message_deserialise(datagram.data(), std::size_t(datagram.size()), &result);
    if (!m)
        return {QStringLiteral("undecodable")};
    QStringList out{QString::fromUtf8(lo_get_path(datagram.data(), datagram.size()))};
    const char *types = lo_message_get_types(m);
    for (int k = 0; k < lo_message_get_argc(m); ++k)
        out << (types[k] == 's' // argv points into the packed message: no union access
                    ? QString::fromUtf8(reinterpret_cast<const char *>(lo_message_get_argv(m)[k]))
                    : QStringLiteral("type %1").arg(types[k]));
    lo_message_free(m);
    return out;
}

struct OscRig : LinkRig {
    explicit OscRig(QByteArray token = {}, int cameras = 2)
        : LinkRig(cameras, QList<int>(cameras, 0x30)), hub(link, {token, false}),
          osc(hub, {QHostAddress::LocalHost, 0, token})
    {
        link.state().CameraCount = cameras;
        QString why;
        listening = osc.listen(why);
    }

    Hub hub;
    OscServer osc;
    bool listening = false;
};

// A hardware controller: a socket of its own, so a sender of its own.
struct Controller {
    Controller() { socket.bind(QHostAddress::LocalHost, 0); }

    void send(const QByteArray &datagram, const OscRig &rig)
    {
        socket.writeDatagram(datagram, QHostAddress::LocalHost, rig.osc.port());
    }
    // Sends and waits for the reply: path, address, code, message.
    QStringList ask(const QByteArray &datagram, const OscRig &rig)
    {
        send(datagram, rig);
        return next();
    }
    QStringList next()
    {
        if (!QTest::qWaitFor([&] { return socket.hasPendingDatagrams(); }, 5000))
            return {QStringLiteral("no reply")};
        QByteArray d(qsizetype(socket.pendingDatagramSize()), '\0');
        socket.readDatagram(d.data(), d.size());
        return readReply(d);
    }

    QUdpSocket socket;
};

const QByteArray kToken = "0123456789abcdef0123";

} // namespace

class TestOsc : public QObject {
    Q_OBJECT
private slots:
    void addressesPutTheirPacketsOnTheWire_data()
    {
        QTest::addColumn<QByteArray>("datagram");
        QTest::addColumn<QByteArrayList>("wire");
        QTest::addColumn<QString>("answer");
        const auto hex = [](const char *s) { return QByteArray::fromHex(s); };
        QTest::newRow("zoom tele")
            << osc("/zam/2/zoom", {i32(5)}) << QByteArrayList{hex("8201040725FF")} << "speed 5";
        QTest::newRow("zoom wide, float rounded")
            << osc("/zam/2/zoom", {f32(-2.6)}) << QByteArrayList{hex("8201040733FF")} << "speed -3";
        QTest::newRow("focus far")
            << osc("/zam/1/focus", {i32(2)}) << QByteArrayList{hex("8101040822FF")} << "speed 2";
        QTest::newRow("focus near, dead man") << osc("/zam/2/focus", {i32(-7), i32(1000)})
                                              << QByteArrayList{hex("8201040837FF")} << "speed -7";
        QTest::newRow("digital zoom, double") << osc("/zam/2/digitalzoom", {f64(4.4)})
                                              << QByteArrayList{hex("8201040624FF")} << "speed 4";
        QTest::newRow("preset recall") << osc("/zam/2/preset/recall", {i32(3)})
                                       << QByteArrayList{hex("8201043F0203FF")} << "completed";
        QTest::newRow("preset set, float") << osc("/zam/1/preset/set", {f32(1.0)})
                                           << QByteArrayList{hex("8101043F0101FF")} << "completed";
        QTest::newRow("power on") << osc("/zam/2/power", {i32(1)})
                                  << QByteArrayList{hex("8201040002FF")} << "completed";
        QTest::newRow("power off")
            << osc("/zam/1/power", {i32(0)}) << QByteArrayList{hex("8101040003FF")} << "completed";
        QTest::newRow("send with values") << osc("/zam/1/send", {str("ZoomTele"), i32(5)})
                                          << QByteArrayList{hex("8101040725FF")} << "completed";
        QTest::newRow("send by symbol, no values")
            << osc("/zam/2/send", {sym("BrightUp")}) << QByteArrayList{hex("8201040D02FF")}
            << "completed";
        QTest::newRow("stop all") << osc("/zam/stopall")
                                  << QByteArrayList{hex("8101040700FF"), hex("8101040600FF"),
                                                    hex("8101040800FF"), hex("8201040700FF"),
                                                    hex("8201040600FF"), hex("8201040800FF")}
                                  << "";
    }
    void addressesPutTheirPacketsOnTheWire()
    {
        QFETCH(QByteArray, datagram);
        QFETCH(QByteArrayList, wire);
        QFETCH(QString, answer);
        OscRig rig;
        QVERIFY(rig.listening);
        Controller c;
        const QStringList reply = c.ask(datagram, rig);
        QCOMPARE(reply.value(0), "/zam/reply");
        QCOMPARE(reply.value(2), "ok");
        QCOMPARE(reply.value(3), answer);
        QCOMPARE(QByteArrayList(rig.sent()), wire);
    }

    void deadManStopsAMoveNotRenewed()
    {
        OscRig rig;
        Controller c;
        const QByteArray move = osc("/zam/1/zoom", {i32(4), i32(300)});
        const QByteArrayList moveAndStop{hexBytes("8101040724FF"), hexBytes("8101040700FF")};
        QCOMPARE(c.ask(move, rig).value(2), "ok");
        rig.run(290);
        QCOMPARE(QByteArrayList(rig.sent()), QByteArrayList{moveAndStop[0]});
        rig.run(20);
        QCOMPARE(QByteArrayList(rig.sent()), moveAndStop);
        // Renewed: its time runs from the renewal, which sends nothing.
        rig.clearSent();
        QCOMPARE(c.ask(move, rig).value(2), "ok");
        rig.run(250);
        QCOMPARE(c.ask(move, rig).value(2), "ok");
        rig.run(290);
        QCOMPARE(QByteArrayList(rig.sent()), QByteArrayList{moveAndStop[0]});
        rig.run(20);
        QCOMPARE(QByteArrayList(rig.sent()), moveAndStop);
    }

    // A datagram without the right token is dropped unanswered and makes no
    // sender; the right one works, and the reply leaves the token out.
    void theTokenIsInTheAddress()
    {
        OscRig rig(kToken);
        QVERIFY(rig.listening);
        Controller c;
        c.send(osc("/zam/2/zoom", {i32(3)}), rig);
        c.send(osc("/zam/0123456789abcdef0124/2/zoom", {i32(3)}), rig);
        c.send(osc("/zam/0123456789abcdef012/2/zoom", {i32(3)}), rig);
        c.send(osc("/zam/" + kToken + "0/stopall"), rig);
        c.send(osc("/zam/stopall"), rig);
        c.send("not OSC at all", rig);
        // The first answer is to the first datagram that carries the token.
        const QStringList reply = c.ask(osc("/zam/" + kToken + "/2/zoom", {i32(0)}), rig);
        QCOMPARE(reply, (QStringList{"/zam/reply", "/zam/2/zoom", "ok", "not moving"}));
        QVERIFY(rig.sent().isEmpty());
        QCOMPARE(rig.osc.senderCount(), 1);
        QCOMPARE(c.ask(osc("/zam/" + kToken + "/2/zoom", {i32(3)}), rig).value(2), "ok");
        QCOMPARE(QByteArrayList(rig.sent()), QByteArrayList{hexBytes("8201040723FF")});
    }

    void bindingNeedsAToken()
    {
        LinkRig line;
        Hub hub(line.link, {});
        QString why;
        OscServer open(hub, {QHostAddress::AnyIPv4, 0, {}});
        QVERIFY(!open.listen(why));
        QVERIFY2(why.contains("needs a token"), qPrintable(why));
        OscServer slashed(hub, {QHostAddress::LocalHost, 0, "0123456789/abcdef"});
        QVERIFY(!slashed.listen(why));
        QVERIFY2(why.contains("cannot be part of an OSC address"), qPrintable(why));
        OscServer guarded(hub, {QHostAddress::AnyIPv4, 0, kToken});
        QVERIFY2(guarded.listen(why), qPrintable(why));
        QVERIFY(guarded.url().startsWith("osc.udp://0.0.0.0:"));
    }

    void refusedMessagesSendNothing_data()
    {
        QTest::addColumn<QByteArray>("datagram");
        QTest::addColumn<QString>("code");
        QTest::newRow("speed a string") << osc("/zam/1/zoom", {str("fast")}) << "bad-request";
        QTest::newRow("no speed") << osc("/zam/1/zoom") << "bad-request";
        QTest::newRow("three arguments")
            << osc("/zam/1/zoom", {i32(3), i32(500), i32(1)}) << "bad-request";
        QTest::newRow("speed 8") << osc("/zam/1/zoom", {i32(8)}) << "out-of-range";
        QTest::newRow("speed -7.6") << osc("/zam/1/focus", {f32(-7.6)}) << "out-of-range";
        QTest::newRow("speed NaN") << osc("/zam/1/zoom", {f32(std::nan(""))}) << "out-of-range";
        QTest::newRow("speed infinite") << osc("/zam/1/zoom", {f64(HUGE_VAL)}) << "out-of-range";
        QTest::newRow("dead man 50") << osc("/zam/1/zoom", {i32(3), i32(50)}) << "out-of-range";
        QTest::newRow("dead man a blob") << osc("/zam/1/zoom", {i32(3), blob()}) << "bad-request";
        QTest::newRow("camera 8") << osc("/zam/8/zoom", {i32(1)}) << "out-of-range";
        QTest::newRow("camera 0") << osc("/zam/0/zoom", {i32(1)}) << "out-of-range";
        QTest::newRow("camera off the chain") << osc("/zam/5/zoom", {i32(1)}) << "no-camera";
        QTest::newRow("camera a word") << osc("/zam/two/zoom", {i32(1)}) << "unknown-address";
        QTest::newRow("no such verb") << osc("/zam/1/pan", {i32(1)}) << "unknown-address";
        QTest::newRow("not ours") << osc("/mixer/1/fader", {f32(0.5)}) << "unknown-address";
        QTest::newRow("a pattern") << osc("/zam/*/zoom", {i32(1)}) << "unknown-address";
        QTest::newRow("trailing slash") << osc("/zam/1/zoom/", {i32(1)}) << "unknown-address";
        QTest::newRow("preset 6") << osc("/zam/1/preset/recall", {i32(6)}) << "out-of-range";
        QTest::newRow("preset two numbers")
            << osc("/zam/1/preset/set", {i32(1), i32(2)}) << "bad-request";
        QTest::newRow("power 2") << osc("/zam/1/power", {i32(2)}) << "out-of-range";
        QTest::newRow("power a string") << osc("/zam/1/power", {str("on")}) << "bad-request";
        QTest::newRow("send an unknown command")
            << osc("/zam/1/send", {str("ZoomTurbo")}) << "unknown-command";
        QTest::newRow("send a number for a name") << osc("/zam/1/send", {i32(5)}) << "bad-request";
        QTest::newRow("send a value short")
            << osc("/zam/1/send", {str("ZoomTele")}) << "bad-request";
        QTest::newRow("send a value out of range")
            << osc("/zam/1/send", {str("ZoomTele"), i32(9)}) << "out-of-range";
        QTest::newRow("send a string value")
            << osc("/zam/1/send", {str("ZoomTele"), str("5")}) << "bad-request";
        QTest::newRow("stop all with an argument")
            << osc("/zam/stopall", {i32(1)}) << "bad-request";
        QTest::newRow("not OSC") << QByteArray("hello, camera") << "bad-osc";
        QTest::newRow("empty") << QByteArray() << "bad-osc";
        QTest::newRow("no type tags") << QByteArray("/zam/stopall\0\0\0\0", 16) << "bad-osc";
        QTest::newRow("argument cut short") << osc("/zam/1/zoom", {i32(3)}).chopped(2) << "bad-osc";
        QTest::newRow("string without its end")
            << QByteArray("/zam/1/send\0,s\0\0ZoomTele", 24) << "bad-osc";
        QTest::newRow("a bundle") << QByteArray("#bundle\0\0\0\0\0\0\0\0\1", 16) +
                                         QByteArray("\0\0\0\x14", 4) + osc("/zam/1/zoom", {i32(3)})
                                  << "bad-osc";
    }
    void refusedMessagesSendNothing()
    {
        QFETCH(QByteArray, datagram);
        QFETCH(QString, code);
        OscRig rig;
        Controller c;
        const QStringList reply = c.ask(datagram, rig);
        QCOMPARE(reply.value(0), "/zam/reply");
        QCOMPARE(reply.value(2), code);
        QVERIFY2(!reply.value(3).isEmpty(), "a refusal says why");
        rig.run(50);
        QVERIFY(rig.sent().isEmpty());
        QCOMPARE(rig.hub.moveCount(), 0);
    }

    // The seventeenth sender evicts the one heard from longest ago, whose
    // move is stopped at once; one heard again since is kept.
    void theSeventeenthSenderEvictsTheOldest()
    {
        OscRig rig({}, 3);
        std::vector<std::unique_ptr<Controller>> cs;
        for (int k = 0; k <= kMaxOscSenders; ++k)
            cs.push_back(std::make_unique<Controller>());
        const QByteArray idle = osc("/zam/3/focus", {i32(0)}); // sends nothing
        QCOMPARE(cs[0]->ask(osc("/zam/1/zoom", {i32(2), i32(5000)}), rig).value(2), "ok");
        QCOMPARE(cs[1]->ask(osc("/zam/2/zoom", {i32(-2), i32(5000)}), rig).value(2), "ok");
        for (int k = 2; k < kMaxOscSenders; ++k)
            QCOMPARE(cs[std::size_t(k)]->ask(idle, rig).value(2), "ok");
        QCOMPARE(cs[0]->ask(osc("/zam/1/zoom", {i32(2), i32(5000)}), rig).value(2), "ok");
        QCOMPARE(rig.osc.senderCount(), kMaxOscSenders);
        rig.clearSent();
        QCOMPARE(cs[std::size_t(kMaxOscSenders)]->ask(idle, rig).value(2), "ok");
        QCOMPARE(QByteArrayList(rig.sent()), QByteArrayList{hexBytes("8201040700FF")});
        QCOMPARE(rig.osc.senderCount(), kMaxOscSenders);
        QCOMPARE(rig.hub.moveCount(), 1);
        // The evicted sender comes back as a new one, evicting the next.
        rig.clearSent();
        QCOMPARE(cs[1]->ask(osc("/zam/2/zoom", {i32(-2), i32(5000)}), rig).value(2), "ok");
        QCOMPARE(QByteArrayList(rig.sent()), QByteArrayList{hexBytes("8201040732FF")});
        QCOMPARE(rig.hub.clientCount(), kMaxOscSenders);
    }
};

ZAM_TEST_GUILESS_MAIN(TestOsc)
#include "test_osc.moc"
