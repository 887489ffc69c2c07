// The control API's WebSocket server on loopback, with real sockets: the
// stop of a client that goes away, and the handshakes and messages it
// refuses without sending a byte. (A request's wire bytes over a socket are
// scripts/api-smoke.py's, and zam-ctl's through the hub test_zamctl_hub's.)

#include "support/linkrig.h"
#include "support/testmain.h"

#include <QJsonDocument>
#include <QJsonObject>
#include <QTest>
#include <QWebSocket>
#include <apiserver.h>

using namespace zam;
using namespace zam::api;

namespace {

struct ServerRig : LinkRig {
    explicit ServerRig(ServerOptions options = {}) : LinkRig(2, {0x30, 0x30}), server(link, options)
    {
        link.state().CameraCount = 2;
    }
    bool listen()
    {
        QString why;
        return server.listen(why);
    }
    QUrl url() const { return QUrl(QStringLiteral("ws://127.0.0.1:%1").arg(server.port())); }

    ApiServer server;
};

// A client of the server, with what it was told.
struct WsClient {
    explicit WsClient(const QString &origin = {}) : socket(origin)
    {
        QObject::connect(&socket, &QWebSocket::textMessageReceived, [this](const QString &m) {
            messages << QJsonDocument::fromJson(m.toUtf8()).object();
        });
    }
    // Answers whether the handshake was taken; a refused one ends quickly.
    bool open(const QUrl &url)
    {
        bool ended = false;
        const auto end =
            QObject::connect(&socket, &QWebSocket::disconnected, [&] { ended = true; });
        socket.open(url);
        (void)QTest::qWaitFor(
            [&] { return ended || socket.state() == QAbstractSocket::ConnectedState; }, 5000);
        QObject::disconnect(end);
        return socket.state() == QAbstractSocket::ConnectedState;
    }
    // Sends and waits for the reply.
    QJsonObject ask(const QByteArray &request)
    {
        const qsizetype before = messages.size();
        socket.sendTextMessage(QString::fromUtf8(request));
        if (!QTest::qWaitFor([&] { return messages.size() > before; }, 5000))
            return {};
        return messages.last();
    }

    QWebSocket socket;
    QList<QJsonObject> messages;
};

} // namespace

class TestApiServer : public QObject {
    Q_OBJECT
private slots:
    void aClientThatClosesMidMoveGetsItsStop()
    {
        ServerRig rig;
        QVERIFY(rig.listen());
        WsClient c;
        QVERIFY(c.open(rig.url()));
        QVERIFY(
            c.ask(
                 R"({"id": 1, "op": "move", "camera": 2, "axis": "zoom", "speed": -3, "deadmanMs": 5000})")
                [QStringLiteral("ok")]
                    .toBool());
        c.socket.close();
        QVERIFY(QTest::qWaitFor([&] { return rig.sent().size() == 2; }, 5000));
        QCOMPARE(rig.sent(), (QList{hexBytes("8201040733FF"), hexBytes("8201040700FF")}));
        QCOMPARE(rig.server.hub().moveCount(), 0);
    }

    // A web page's script names its origin: only allowed origins connect.
    void foreignOriginsAreRefused()
    {
        ServerOptions options;
        options.allowedOrigins = {QStringLiteral("http://localhost:8080")};
        ServerRig rig(options);
        QVERIFY(rig.listen());
        WsClient page(QStringLiteral("http://evil.example"));
        QVERIFY(!page.open(rig.url()));
        WsClient allowed(QStringLiteral("http://localhost:8080"));
        QVERIFY(allowed.open(rig.url()));
        QVERIFY(rig.sent().isEmpty());
    }

    void oversizedMessagesCloseTheConnection()
    {
        ServerRig rig;
        QVERIFY(rig.listen());
        WsClient c;
        QVERIFY(c.open(rig.url()));
        QByteArray big = "{\"id\": 1, \"op\": \"stopAll\", \"pad\": \"";
        big += QByteArray(kMaxMessageBytes, 'x') + "\"}";
        c.socket.sendTextMessage(QString::fromUtf8(big));
        QVERIFY(QTest::qWaitFor(
            [&] { return c.socket.state() == QAbstractSocket::UnconnectedState; }, 5000));
        QVERIFY(rig.sent().isEmpty());
    }

    void otherAddressesNeedAToken()
    {
        ServerOptions open;
        open.address = QHostAddress::AnyIPv4;
        ServerRig refused(open);
        QString why;
        QVERIFY(!refused.server.listen(why));
        QVERIFY2(why.contains("needs a token"), qPrintable(why));

        ServerOptions guarded = open;
        guarded.token = generateToken();
        QCOMPARE(guarded.token.size(), 64);
        ServerRig rig(guarded);
        QVERIFY(rig.listen());
        WsClient wrong;
        QVERIFY(wrong.open(rig.url()));
        QCOMPARE(wrong
                     .ask(R"({"id": 1, "op": "hello", "token": "guess"})")[QStringLiteral("error")]
                                                                          [QStringLiteral("code")]
                     .toString(),
                 "unauthorized");
        QVERIFY(QTest::qWaitFor(
            [&] { return wrong.socket.state() == QAbstractSocket::UnconnectedState; }, 5000));
        WsClient right;
        QVERIFY(right.open(rig.url()));
        QVERIFY(right
                    .ask(QByteArray("{\"id\": 1, \"op\": \"hello\", \"token\": \"") +
                         guarded.token + "\"}")[QStringLiteral("ok")]
                    .toBool());
        QVERIFY(right.ask(R"({"id": 2, "op": "stopAll"})")[QStringLiteral("ok")].toBool());
        QCOMPARE(rig.sent().size(), 6); // three stops to each of two cameras
    }

    void listenAddresses_data()
    {
        QTest::addColumn<QString>("text");
        QTest::addColumn<QString>("address"); // empty: refused
        QTest::addColumn<int>("port");
        QTest::newRow("port only") << "8765"
                                   << "127.0.0.1" << 8765;
        QTest::newRow("localhost") << "localhost:8765"
                                   << "127.0.0.1" << 8765;
        QTest::newRow("any") << "0.0.0.0:9000"
                             << "0.0.0.0" << 9000;
        QTest::newRow("IPv6") << "[::1]:9000"
                              << "::1" << 9000;
        QTest::newRow("port too large") << "70000"
                                        << "" << 0;
        QTest::newRow("a name") << "camera-room:9000"
                                << "" << 0;
    }
    void listenAddresses()
    {
        QFETCH(QString, text);
        QFETCH(QString, address);
        QFETCH(int, port);
        QHostAddress a;
        quint16 p = 0;
        QString why;
        QCOMPARE(parseListenAddress(text, a, p, why), !address.isEmpty());
        if (!address.isEmpty()) {
            QCOMPARE(a.toString(), address);
            QCOMPARE(int(p), port);
        } else {
            QVERIFY(!why.isEmpty());
        }
    }
};

ZAM_TEST_GUILESS_MAIN(TestApiServer)
#include "test_apiserver.moc"
