// The control API's hub on a simulated chain: what each request puts on the
// wire (and that a bad one puts nothing), the moves and their one stop, the
// dead-man time on the test clock, tokens, and the queues' fairness.

#include "support/linkrig.h"
#include "support/testmain.h"

#include <QJsonArray>
#include <QJsonDocument>
#include <QTest>
#include <hub.h>

using namespace zam;
using namespace zam::api;

namespace {

struct Client {
    QList<QJsonObject> messages;
    bool closed = false;

    QList<QJsonObject> replies() const
    {
        QList<QJsonObject> out;
        for (const QJsonObject &m : messages)
            if (!m.contains(QStringLiteral("event")))
                out << m;
        return out;
    }
    QJsonObject last() const { return replies().isEmpty() ? QJsonObject() : replies().last(); }
    QString lastError() const
    {
        return last()[QStringLiteral("error")][QStringLiteral("code")].toString();
    }
};

struct HubRig : LinkRig {
    explicit HubRig(int cameras = 3, HubOptions options = {})
        : LinkRig(cameras, QList<int>(cameras, 0x30)), hub(link, options)
    {
        link.state().CameraCount = cameras;
    }

    Hub::ClientId connect(Client &c)
    {
        return hub.addClient(
            {[&c](const QByteArray &m) { c.messages << QJsonDocument::fromJson(m).object(); },
             [&c] { c.closed = true; }});
    }
    // A move request, with a dead-man time when one is given.
    void move(Hub::ClientId id, int camera, const QString &axis, int speed, int deadmanMs = 0)
    {
        QString r =
            QStringLiteral(R"({"id": 1, "op": "move", "camera": %1, "axis": "%2", "speed": %3)")
                .arg(camera)
                .arg(axis)
                .arg(speed);
        if (deadmanMs > 0)
            r += QStringLiteral(R"(, "deadmanMs": %1)").arg(deadmanMs);
        hub.receive(id, (r + u'}').toUtf8());
    }
    // A send request, with one value when one is given.
    void send(Hub::ClientId id, int request, int camera, const char *command, int value = -1)
    {
        QString r = QStringLiteral(R"({"id": %1, "op": "send", "camera": %2, "command": "%3")")
                        .arg(request)
                        .arg(camera)
                        .arg(QLatin1String(command));
        if (value >= 0)
            r += QStringLiteral(R"(, "values": [%1])").arg(value);
        hub.receive(id, (r + u'}').toUtf8());
    }
    // Lets queued requests run, one per turn, with the line delivering.
    void drain()
    {
        for (int turns = 0; turns < 100000 && hub.queued() > 0; ++turns)
            QCoreApplication::processEvents();
        run(20);
    }

    Hub hub;
};

QByteArray json(const char *text)
{
    return QByteArray(text);
}

} // namespace

class TestHub : public QObject {
    Q_OBJECT
private slots:
    void sendPutsTheCatalogPacketOnTheWire()
    {
        HubRig rig;
        Client c;
        const auto id = rig.connect(c);
        rig.send(id, 7, 1, "ZoomTele", 5);
        rig.drain();
        QCOMPARE(rig.sent(), QList{hexBytes("8101040725FF")});
        QCOMPARE(c.last()[QStringLiteral("id")].toInt(), 7);
        QVERIFY(c.last()[QStringLiteral("ok")].toBool());
        QCOMPARE(c.last()[QStringLiteral("result")].toString(), "completed");

        // An inquiry answers its data; a camera's error is named with its code.
        rig.clearSent();
        rig.hub.receive(
            id, json(R"({"id": "v", "op": "send", "camera": 2, "command": "VersionInquiry"})"));
        rig.drain();
        QCOMPARE(c.last()[QStringLiteral("result")].toString(), "data");
        QVERIFY(c.last()[QStringLiteral("data")].toString().startsWith("A0 50"));
    }

    void badRequestsSendNothing_data()
    {
        QTest::addColumn<QByteArray>("request");
        QTest::addColumn<QString>("code");
        QTest::newRow("not JSON") << json("{\"id\": 1, ") << "bad-json";
        QTest::newRow("array") << json("[1]") << "bad-request";
        QTest::newRow("no id") << json(R"({"op": "stopAll"})") << "bad-request";
        QTest::newRow("unknown op") << json(R"({"id": 1, "op": "reboot"})") << "unknown-op";
        QTest::newRow("unknown command")
            << json(R"({"id": 1, "op": "send", "camera": 1, "command": "ZoomTurbo"})")
            << "unknown-command";
        QTest::newRow("speed 8")
            << json(R"({"id": 1, "op": "send", "camera": 1, "command": "ZoomTele", "values": [8]})")
            << "out-of-range";
        QTest::newRow("speed -1")
            << json(
                   R"({"id": 1, "op": "send", "camera": 1, "command": "ZoomTele", "values": [-1]})")
            << "out-of-range";
        QTest::newRow("speed 2.5")
            << json(
                   R"({"id": 1, "op": "send", "camera": 1, "command": "ZoomTele", "values": [2.5]})")
            << "bad-request";
        QTest::newRow("value missing")
            << json(R"({"id": 1, "op": "send", "camera": 1, "command": "ZoomTele"})")
            << "bad-request";
        QTest::newRow("camera 8")
            << json(R"({"id": 1, "op": "send", "camera": 8, "command": "ZoomStop"})")
            << "out-of-range";
        QTest::newRow("camera off the chain")
            << json(R"({"id": 1, "op": "send", "camera": 5, "command": "ZoomStop"})")
            << "no-camera";
        QTest::newRow("move speed 9")
            << json(R"({"id": 1, "op": "move", "camera": 1, "axis": "zoom", "speed": 9})")
            << "out-of-range";
        QTest::newRow("dead man too short")
            << json(
                   R"({"id": 1, "op": "move", "camera": 1, "axis": "zoom", "speed": 3, "deadmanMs": 50})")
            << "out-of-range";
        QTest::newRow("no such axis")
            << json(R"({"id": 1, "op": "move", "camera": 1, "axis": "pan", "speed": 3})")
            << "bad-request";
        QTest::newRow("raw not allowed")
            << json(R"({"id": 1, "op": "raw", "bytes": "81 01 04 07 25 FF"})") << "raw-refused";
        QTest::newRow("oversized") << QByteArray(kMaxMessageBytes + 1, ' ') << "too-large";
    }
    void badRequestsSendNothing()
    {
        QFETCH(QByteArray, request);
        QFETCH(QString, code);
        HubRig rig;
        Client c;
        rig.hub.receive(rig.connect(c), request);
        rig.drain();
        QCOMPARE(c.replies().size(), 1);
        QCOMPARE(c.lastError(), code);
        const QString message =
            c.last()[QStringLiteral("error")][QStringLiteral("message")].toString();
        QVERIFY(!message.isEmpty());
        // A value out of range is named with the range it must keep to.
        if (code == "out-of-range")
            QVERIFY2(message.contains(" is outside "), qPrintable(message));
        QVERIFY(rig.sent().isEmpty());
    }

    void twentyErrorsInARowClose()
    {
        HubRig rig;
        Client c;
        const auto id = rig.connect(c);
        for (int i = 0; i < kErrorLimit - 1; ++i)
            rig.hub.receive(id, json("nonsense"));
        rig.hub.receive(id, json(R"({"id": 1, "op": "commands"})")); // resets the count
        for (int i = 0; i < kErrorLimit - 1; ++i)
            rig.hub.receive(id, json("nonsense"));
        QVERIFY(!c.closed);
        rig.hub.receive(id, json("nonsense"));
        QVERIFY(c.closed);
    }

    void tokenFirst()
    {
        HubRig rig(1, {QByteArray("0123456789abcdef0123"), false});
        Client anonymous, wrong, right;
        rig.move(rig.connect(anonymous), 1, "zoom", 3);
        QCOMPARE(anonymous.lastError(), "unauthorized");
        rig.hub.receive(rig.connect(wrong),
                        json(R"({"id": 1, "op": "hello", "token": "0123456789abcdef0124"})"));
        QCOMPARE(wrong.lastError(), "unauthorized");
        QVERIFY(wrong.closed);
        const auto id = rig.connect(right);
        rig.hub.receive(id, json(R"({"id": 1, "op": "hello", "token": "0123456789abcdef0123"})"));
        QVERIFY(right.last()[QStringLiteral("ok")].toBool());
        rig.move(id, 1, "zoom", 3);
        QCOMPARE(rig.sent(), QList{hexBytes("8101040723FF")});
    }

    // Speed and direction changes are the same move: one stop, at the end.
    void moveHasOneStop_data()
    {
        QTest::addColumn<QString>("axis");
        QTest::addColumn<QByteArray>("forward3");
        QTest::addColumn<QByteArray>("forward5");
        QTest::addColumn<QByteArray>("backward2");
        QTest::addColumn<QByteArray>("stop");
        QTest::newRow("zoom") << "zoom" << hexBytes("8201040723FF") << hexBytes("8201040725FF")
                              << hexBytes("8201040732FF") << hexBytes("8201040700FF");
        QTest::newRow("digital zoom")
            << "digitalZoom" << hexBytes("8201040623FF") << hexBytes("8201040625FF")
            << hexBytes("8201040632FF") << hexBytes("8201040600FF");
        QTest::newRow("focus") << "focus" << hexBytes("8201040823FF") << hexBytes("8201040825FF")
                               << hexBytes("8201040832FF") << hexBytes("8201040800FF");
    }
    void moveHasOneStop()
    {
        QFETCH(QString, axis);
        QFETCH(QByteArray, forward3);
        QFETCH(QByteArray, forward5);
        QFETCH(QByteArray, backward2);
        QFETCH(QByteArray, stop);
        HubRig rig;
        Client c;
        const auto id = rig.connect(c);
        const auto move = [&](int speed) {
            rig.move(id, 2, axis, speed);
            rig.run(20);
        };
        move(3);
        move(3); // a renewal: nothing sent
        move(5);
        move(-2);
        move(0);
        move(0); // stopped already
        QCOMPARE(rig.sent(), (QList{forward3, forward5, backward2, stop}));
        QCOMPARE(rig.hub.moveCount(), 0);
    }

    // A move's late replies are not a later command's: a focus drive while
    // the camera focuses by itself is its error, though the zoom move sent
    // just before completes meanwhile.
    void aMovesRepliesAnswerNoLaterSend()
    {
        HubRig rig;
        Client c;
        const auto id = rig.connect(c);
        rig.move(id, 1, "zoom", 3);
        rig.send(id, 2, 1, "FocusFar", 2);
        rig.drain();
        QCOMPARE(c.last()[QStringLiteral("id")].toInt(), 2);
        QCOMPARE(c.lastError(), "camera-error");
    }

    void deadManStopsAMoveNotRenewed()
    {
        HubRig rig;
        Client c;
        const auto id = rig.connect(c);
        const QList<QByteArray> moveAndStop{hexBytes("8101040724FF"), hexBytes("8101040700FF")};
        // Never renewed: stopped once its time is up.
        rig.move(id, 1, "zoom", 4, 300);
        rig.run(290);
        QCOMPARE(rig.sent(), QList{moveAndStop[0]});
        rig.run(20);
        QCOMPARE(rig.sent(), moveAndStop);
        // Renewed: the time runs from the renewal.
        rig.clearSent();
        rig.move(id, 1, "zoom", 4, 300);
        rig.run(250);
        rig.move(id, 1, "zoom", 4, 300);
        rig.run(290);
        QCOMPARE(rig.sent(), QList{moveAndStop[0]});
        rig.run(20);
        QCOMPARE(rig.sent(), moveAndStop);
        rig.run(1000);
        QCOMPARE(rig.sent().size(), 2);
    }

    void clientGoneStopsItsMovesAtOnce()
    {
        HubRig rig;
        Client a, b;
        const auto ida = rig.connect(a);
        const auto idb = rig.connect(b);
        rig.move(ida, 3, "focus", -6, 5000);
        rig.move(idb, 1, "zoom", 1, 5000);
        rig.clearSent();
        rig.hub.removeClient(ida); // no event-loop turn needed
        QCOMPARE(rig.sent(), QList{hexBytes("8301040800FF")});
        QCOMPARE(rig.hub.moveCount(), 1);
    }

    // STOP ALL: the running moves' stops, then every camera's three stops;
    // it does not wait behind queued commands.
    void stopAllJumpsTheQueue()
    {
        HubRig rig(3);
        Client a, b;
        const auto ida = rig.connect(a);
        const auto idb = rig.connect(b);
        rig.move(ida, 2, "zoom", 7);
        for (int i = 0; i < 10; ++i)
            rig.send(ida, 2, 1, "BrightUp");
        rig.clearSent();
        rig.hub.receive(idb, json(R"({"id": 9, "op": "stopAll"})"));
        QStringList sent;
        for (const QByteArray &p : rig.sent())
            sent << p.toHex();
        QCOMPARE(sent, (QStringList{"8201040700ff", "8101040700ff", "8101040600ff", "8101040800ff",
                                    "8201040700ff", "8201040600ff", "8201040800ff", "8301040700ff",
                                    "8301040600ff", "8301040800ff"}));
        QVERIFY(b.last()[QStringLiteral("ok")].toBool());
        QCOMPARE(rig.hub.queued(), 10);
    }

    // Many clients at once: every request answered once, in each client's
    // order; the queues are served in turn, and a full queue says busy.
    void clientsAreServedInTurn()
    {
        HubRig rig(2);
        constexpr int kClients = 50, kEach = 100;
        std::vector<Client> clients(kClients);
        std::vector<Hub::ClientId> ids;
        for (Client &c : clients)
            ids.push_back(rig.connect(c));
        int busy = 0;
        for (int round = 0; round < kEach; round += kQueueLimit / 2) {
            for (int k = 0; k < kClients; ++k)
                for (int i = round; i < std::min(kEach, round + kQueueLimit / 2); ++i)
                    rig.send(ids[std::size_t(k)], i, 1 + k % 2, "ExpCompUp");
            rig.drain();
        }
        for (const Client &c : clients) {
            QCOMPARE(c.replies().size(), kEach);
            for (int i = 0; i < kEach; ++i) {
                QCOMPARE(c.replies()[i][QStringLiteral("id")].toInt(), i);
                busy += !c.replies()[i][QStringLiteral("ok")].toBool();
            }
        }
        QCOMPARE(busy, 0);
        // Each packet whole on the wire: one per request.
        QCOMPARE(rig.chain.received().size(), kClients * kEach);

        // One client with a full queue is told so; another still goes first.
        Client greedy, polite;
        const auto g = rig.connect(greedy);
        const auto p = rig.connect(polite);
        for (int i = 0; i <= kQueueLimit; ++i)
            rig.send(g, 1, 1, "ExpCompUp");
        QCOMPARE(greedy.lastError(), "busy");
        rig.send(p, 2, 1, "ExpCompDown");
        QCoreApplication::processEvents();
        QCoreApplication::processEvents();
        QCOMPARE(polite.replies().size(), 1);
        QVERIFY(greedy.replies().size() <= 2 + 1);
    }

    void commandsListTheCatalog()
    {
        HubRig rig;
        Client c;
        rig.hub.receive(rig.connect(c), json(R"({"id": 1, "op": "commands"})"));
        const QJsonArray list = c.last()[QStringLiteral("commands")].toArray();
        QVERIFY(list.size() > 100);
        QJsonObject tele;
        for (const QJsonValue &v : list)
            if (v[QStringLiteral("command")] == QStringLiteral("ZoomTele"))
                tele = v.toObject();
        QCOMPARE(tele[QStringLiteral("reply")].toString(), "completion");
        const QJsonObject speed = tele[QStringLiteral("fields")].toArray()[0].toObject();
        QCOMPARE(speed[QStringLiteral("min")].toInt(), 0);
        QCOMPARE(speed[QStringLiteral("max")].toInt(), 7);
    }
};

ZAM_TEST_GUILESS_MAIN(TestHub)
#include "test_hub.moc"
