// zam-ctl -p ws://HOST:PORT in process, against the control API served on
// the simulated chain in the same thread: the same output and exit status as
// on the line itself, and every trouble with the hub ended in one worded
// line, within its time on the test clock.

#include "support/linkrig.h"
#include "support/testmain.h"
#include "support/zamctlrun.h"

#include <QFile>
#include <QTcpServer>
#include <QTemporaryDir>
#include <QTest>
#include <QWebSocket>
#include <QWebSocketServer>
#include <apiclient.h>
#include <apihooks.h>
#include <apiserver.h>
#include <chainstartup.h>

using namespace zam;
using namespace zam::api;

namespace {

const QByteArray kToken = "0123456789abcdef0123456789abcdef";

// Camera 1 is a ZAM-A 18x, camera 2 a ZAM-C 25x: a camera number lost on the
// way reads the other camera.
struct HubLine : LinkRig {
    explicit HubLine(ServerOptions options = {})
        : LinkRig(2, {0x12, 0x30}), server(link, std::move(options))
    {
        link.state().CameraCount = numberChain(link).value_or(0);
        server.hub().hooks() = cli::apiHooks(link);
        QString why;
        listening = server.listen(why);
    }
    QString url() const { return QStringLiteral("ws://127.0.0.1:%1").arg(server.port()); }
    Run local(const QStringList &args)
    {
        return zamCtlIn(QStringList{"-p", "sim"} + args, clock,
                        [this](const QString &) -> std::unique_ptr<Port> {
                            return std::make_unique<sim::SimPort>(chain, clock);
                        });
    }
    Run viaHub(const QStringList &args) { return zamCtlIn(QStringList{"-p", url()} + args, clock); }

    ApiServer server;
    bool listening = false;
};

// A hub that takes the connection and then fails it on the first request.
struct BadHub {
    enum Kind { Leaves, Silent };
    BadHub(Kind kind, FakeClock &clock)
        : server(QStringLiteral("bad"), QWebSocketServer::NonSecureMode)
    {
        server.listen(QHostAddress::LocalHost);
        QObject::connect(&server, &QWebSocketServer::newConnection, [this, kind, &clock] {
            QWebSocket *s = server.nextPendingConnection();
            s->setParent(&server);
            QObject::connect(s, &QWebSocket::textMessageReceived, [s, kind, &clock] {
                if (kind == Leaves)
                    s->abort();
                else
                    clock.advance(kClientReplyMs + 1);
            });
        });
    }
    QString url() const { return QStringLiteral("ws://127.0.0.1:%1").arg(server.serverPort()); }
    QWebSocketServer server;
};

} // namespace

class TestZamCtlHub : public QObject {
    Q_OBJECT
private slots:
    void asOnTheLine_data()
    {
        QTest::addColumn<QStringList>("args");
        QTest::newRow("status --json, camera 2") << QStringList{"-c", "2", "status", "--json"};
        QTest::newRow("status text, camera 2") << QStringList{"-c", "2", "status"};
        QTest::newRow("status text, camera 1") << QStringList{"status"};
        QTest::newRow("send, completed") << QStringList{"send", "82 01 04 07 02 FF"};
        QTest::newRow("send, inquiry") << QStringList{"send", "82 09 00 02 FF"};
        QTest::newRow("send, error reply") << QStringList{"send", "81 01 04 7F FF"};
    }
    void asOnTheLine()
    {
        QFETCH(QStringList, args);
        ServerOptions options;
        options.allowRaw = true;
        HubLine rig(options);
        QVERIFY(rig.listening);
        const Run line = rig.local(args);
        const Run hub = rig.viaHub(args);
        QVERIFY2(!line.out.isEmpty(), qPrintable(diagnose(line)));
        QCOMPARE(hub.out, line.out);
        QCOMPARE(hub.err, line.err);
        QCOMPARE(hub.exitCode, line.exitCode);
    }

    // A file saved through the hub is the one saved on the line; diff through
    // the hub tells the same as on the line, before and after a change.
    void saveThenDiff()
    {
        ServerOptions options;
        options.allowRaw = true;
        HubLine rig(options);
        QVERIFY(rig.listening);
        QTemporaryDir dir;
        const QString viaHub = dir.filePath("hub.json"), onLine = dir.filePath("line.json");
        QCOMPARE(rig.viaHub({"-c", "2", "save", viaHub}).exitCode, 0);
        QCOMPARE(rig.local({"-c", "2", "save", onLine}).exitCode, 0);
        QFile a(viaHub), b(onLine);
        QVERIFY(a.open(QIODevice::ReadOnly) && b.open(QIODevice::ReadOnly));
        QCOMPARE(a.readAll(), b.readAll());

        const Run same = rig.viaHub({"-c", "2", "diff", viaHub});
        QCOMPARE(same.exitCode, 0);
        QCOMPARE(same.out, QString());
        QCOMPARE(rig.viaHub({"send", "82 01 04 35 01 FF"}).exitCode, 0); // white balance indoor
        const Run differs = rig.viaHub({"-c", "2", "diff", viaHub});
        QCOMPARE(differs.exitCode, 1);
        QVERIFY2(!differs.out.isEmpty(), qPrintable(diagnose(differs)));
        QCOMPARE(differs.out, rig.local({"-c", "2", "diff", viaHub}).out);
        // Loaded back through the hub, the camera is the file again.
        QCOMPARE(rig.viaHub({"-c", "2", "load", viaHub}).exitCode, 0);
        QCOMPARE(rig.viaHub({"-c", "2", "diff", viaHub}).exitCode, 0);
    }

    void refusals_data()
    {
        QTest::addColumn<bool>("guarded");  // the hub wants kToken
        QTest::addColumn<QString>("token"); // said with ZAM_API_TOKEN
        QTest::addColumn<QStringList>("args");
        QTest::addColumn<int>("exit");
        QTest::addColumn<QString>("message");
        QTest::newRow("raw not allowed") << false << "" << QStringList{"send", "8101040702FF"} << 1
                                         << "refused the packet: raw packets are taken only when "
                                            "the hub runs with --api-allow-raw";
        QTest::newRow("no token") << true << "" << QStringList{"status"} << 1 << "needs a token";
        QTest::newRow("wrong token")
            << true << "guess-guess-guess" << QStringList{"status"} << 1 << "wrong token";
        QTest::newRow("right token") << true << QString(kToken) << QStringList{"status"} << 0 << "";
        QTest::newRow("camera off the chain") << false << "" << QStringList{"-c", "3", "status"}
                                              << 1 << "camera 3 is not on the chain";
        QTest::newRow("serve") << false << "" << QStringList{"serve", "--api", "0"} << 2
                               << "serve owns a line itself";
        QTest::newRow("detect") << false << "" << QStringList{"detect"} << 2
                                << "detect numbers the chain on the line itself";
    }
    void refusals()
    {
        QFETCH(bool, guarded);
        QFETCH(QString, token);
        QFETCH(QStringList, args);
        QFETCH(int, exit);
        QFETCH(QString, message);
        ServerOptions options;
        if (guarded)
            options.token = kToken;
        HubLine rig(options);
        QVERIFY(rig.listening);
        qputenv("ZAM_API_TOKEN", token.toUtf8());
        const Run r = rig.viaHub(args);
        qunsetenv("ZAM_API_TOKEN");
        QVERIFY2(r.exitCode == exit, qPrintable(diagnose(r)));
        if (exit != 0) {
            QVERIFY2(r.err.contains(message), qPrintable(r.err));
            QCOMPARE(r.err.count('\n'), 1);
        }
    }

    // A hub not there, gone mid-request or silent: one line each, and the
    // exit status of the subcommand's trouble (diff: 2).
    void troubleWithTheHub_data()
    {
        QTest::addColumn<int>("hub"); // -1 none listening, else BadHub::Kind
        QTest::addColumn<QString>("subcommand");
        QTest::addColumn<int>("exit");
        QTest::addColumn<QString>("message");
        QTest::newRow("nothing listening") << -1 << "status" << 1
                                           << "nothing is listening on %1: "
                                              "is the panel's control API on?";
        QTest::newRow("nothing listening, diff")
            << -1 << "diff" << 2 << "nothing is listening on %1";
        QTest::newRow("gone mid-request")
            << int(BadHub::Leaves) << "status" << 1
            << "%1 closed the connection before it answered the status request";
        QTest::newRow("silent") << int(BadHub::Silent) << "status" << 1
                                << "%1 did not answer the status request within 30 s";
    }
    void troubleWithTheHub()
    {
        QFETCH(int, hub);
        QFETCH(QString, subcommand);
        QFETCH(int, exit);
        QFETCH(QString, message);
        FakeClock clock;
        QString url;
        std::unique_ptr<BadHub> bad;
        if (hub < 0) {
            QTcpServer probe; // a port that was free a moment ago
            QVERIFY(probe.listen(QHostAddress::LocalHost));
            url = QStringLiteral("ws://127.0.0.1:%1").arg(probe.serverPort());
        } else {
            bad = std::make_unique<BadHub>(BadHub::Kind(hub), clock);
            url = bad->url();
        }
        QTemporaryDir dir;
        const QString file = dir.filePath("s.json");
        QStringList args{"-p", url, subcommand};
        if (subcommand == u"diff") {
            HubLine rig;
            QCOMPARE(rig.local({"save", file}).exitCode, 0);
            args << file;
        }
        const Run r = zamCtlIn(args, clock);
        QVERIFY2(r.exitCode == exit, qPrintable(diagnose(r)));
        QVERIFY2(r.err.contains(message.arg(url)), qPrintable(r.err));
        QCOMPARE(r.err.count('\n'), 1);
    }
};

ZAM_TEST_GUILESS_MAIN(TestZamCtlHub)
#include "test_zamctl_hub.moc"
