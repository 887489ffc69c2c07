// zam-ctl's line subcommands. Most run in process on the simulated chain;
// a few run as a script runs the tool, as a process against zam-camsim on a
// pseudo-terminal and over TCP, for the exit status, the split between
// stdout and stderr, and the real line.

#include "support/camsim.h"
#include "support/testmain.h"
#include "support/zamctlrun.h"

#include <QFile>
#include <QJsonDocument>
#include <QJsonObject>
#include <QTemporaryDir>
#include <QTest>

#include <optional>

namespace {

QJsonObject statusJson(const Run &r)
{
    if (r.exitCode != 0) {
        qWarning().noquote() << diagnose(r);
        return {};
    }
    QJsonParseError error;
    const QJsonDocument doc = QJsonDocument::fromJson(r.out.toUtf8(), &error);
    if (error.error != QJsonParseError::NoError || !doc.isObject()) {
        qWarning().noquote() << "not one JSON object:" << error.errorString() << r.out;
        return {};
    }
    return doc.object();
}

QJsonValue field(const QJsonObject &status, const char *block, const char *name)
{
    return status.value(QLatin1String(block)).toObject().value(QLatin1String(name));
}

// Camera 2 of a chain of 0x12 and 0x30 changed by three packets, camera 1
// left at its defaults.
const char *const kCameraTwoChanges[] = {
    "82 01 04 47 02 00 00 00 FF", // zoom to 0x2000
    "8201043903FF",               // AE manual
    "82 01 04 63 04 FF",          // black and white
};

} // namespace

class TestZamCtl : public QObject {
    Q_OBJECT
private Q_SLOTS:
    void detectNamesTheChain_data()
    {
        QTest::addColumn<int>("baud");
        QTest::addColumn<QList<int>>("models");
        QTest::addColumn<QString>("expected");
        QTest::newRow("one camera, 19200")
            << 19200 << QList<int>{0x41}
            << "speed 19200 bit/s\n1 camera\ncamera 1: model 0x41 ZAM-D 10x PS\n";
        QTest::newRow("seven cameras, 38400")
            << 38400 << QList<int>{0x41, 0x30, 0x12, 0x13, 0x20, 0x44, 0x49}
            << "speed 38400 bit/s\n7 cameras\n"
               "camera 1: model 0x41 ZAM-D 10x PS\n"
               "camera 2: model 0x30 ZAM-C 25x NTSC (O)\n"
               "camera 3: model 0x12 ZAM-A 18x NTSC (B)\n"
               "camera 4: model 0x13 ZAM-A 18x PAL (B)\n"
               "camera 5: model 0x20 ZAM-B 25x NTSC (I)\n"
               "camera 6: model 0x44 ZAM-D 25x NTSC (AA-1)\n"
               "camera 7: model 0x49 ZAM-D 18x PAL\n";
    }
    void detectNamesTheChain()
    {
        QFETCH(int, baud);
        QFETCH(QList<int>, models);
        QFETCH(QString, expected);
        // The cameras answer only at their own speed, so the speed printed is
        // the one that was found, not the first one tried.
        CtlChain sim(int(models.size()), models);
        sim.holdTo(baud);
        const Run r = sim.ctl({"detect"});
        QVERIFY2(r.exitCode == 0, qPrintable(diagnose(r)));
        QCOMPARE(r.out, expected);
        QVERIFY2(r.ms < 4000, qPrintable(QString::number(r.ms)));
    }

    void statusJsonFollowsTheCamera()
    {
        CtlChain sim(2, {0x12, 0x30});
        for (const char *packet : kCameraTwoChanges) {
            const Run r = sim.ctl({"-c", "2", "send", packet});
            QVERIFY2(r.exitCode == 0, qPrintable(diagnose(r)));
            QVERIFY2(r.out.endsWith(QStringLiteral("A0 51 FF  Completion (socket 1)\n")),
                     qPrintable(r.out));
        }

        const QJsonObject two = statusJson(sim.ctl({"-c", "2", "status", "--json"}));
        QCOMPARE(two.value("address").toInt(), 2);
        QCOMPARE(field(two, "version", "modelCode").toInt(), 0x30);
        QCOMPARE(field(two, "version", "modelName").toString(), "ZAM-C 25x NTSC (O)");
        QCOMPARE(field(two, "lens", "zoomPosition").toInt(), 0x2000);
        QCOMPARE(field(two, "camera", "aeMode").toObject(),
                 QJsonObject({{"value", 3}, {"caption", "Manual"}}));
        QCOMPARE(field(two, "other", "pictureEffect").toObject(),
                 QJsonObject({{"value", 4}, {"caption", "Black & White"}}));

        const QJsonObject one = statusJson(sim.ctl({"status", "--json"}));
        QCOMPARE(field(one, "version", "modelCode").toInt(), 0x12);
        QCOMPARE(field(one, "lens", "zoomPosition").toInt(), 0);
        QCOMPARE(field(one, "camera", "aeMode").toObject().value("caption").toString(),
                 "Full Auto");
        // Iris captions come from the model's lens: row 8 is F6.8 on the 18x
        // lens of camera 1 and F8 on the 25x lens of camera 2.
        QCOMPARE(field(one, "camera", "irisPosition").toObject(),
                 QJsonObject({{"value", 8}, {"caption", "F6.8"}}));
        QCOMPARE(field(two, "camera", "irisPosition").toObject(),
                 QJsonObject({{"value", 8}, {"caption", "F8"}}));
    }

    void failuresEndWithOneClearLine_data()
    {
        QTest::addColumn<QString>("fault");
        QTest::addColumn<QStringList>("args");
        QTest::addColumn<QString>("message");
        QTest::newRow("silent camera")
            << "silent" << QStringList{"status"} << "no reply to the interface clear";
        QTest::newRow("status unanswered") << "after 2" << QStringList{"status"}
                                           << "no reply from camera 1 to the status inquiries";
        QTest::newRow("silent camera, detect")
            << "silent" << QStringList{"detect"} << "no camera answered the interface clear";
    }
    void failuresEndWithOneClearLine()
    {
        QFETCH(QString, fault);
        QFETCH(QStringList, args);
        QFETCH(QString, message);
        CtlChain sim;
        sim.chain.faults().silent = fault == u"silent";
        if (fault == u"after 2")
            sim.chain.faults().silentAfter = 2;
        const Run r = sim.ctl(args);
        QVERIFY2(r.exitCode == 1, qPrintable(diagnose(r)));
        QVERIFY2(r.err.startsWith("zam-ctl: " + message), qPrintable(r.err));
        QCOMPARE(r.err.count('\n'), 1);
        QVERIFY2(r.ms < 8000, qPrintable(QString::number(r.ms)));
    }

    void usageErrorsEndWithTwo_data()
    {
        QTest::addColumn<QStringList>("args");
        QTest::newRow("no subcommand") << QStringList{"-p", "/dev/null"};
        QTest::newRow("unknown subcommand") << QStringList{"-p", "/dev/null", "reboot"};
        QTest::newRow("no port") << QStringList{"status"};
        QTest::newRow("bad speed") << QStringList{"-p", "/dev/null", "-b", "4800", "status"};
        QTest::newRow("camera 8") << QStringList{"-p", "/dev/null", "-c", "8", "status"};
        QTest::newRow("unknown flag") << QStringList{"-p", "/dev/null", "status", "--xml"};
        QTest::newRow("flag of another subcommand")
            << QStringList{"-p", "/dev/null", "send", "--json", "81017FFF"};
        QTest::newRow("send without bytes") << QStringList{"-p", "/dev/null", "send"};
        QTest::newRow("bad packet") << QStringList{"-p", "/dev/null", "send", "81 01 04 07 02"};
    }
    void usageErrorsEndWithTwo()
    {
        // A wrong command line stops before the line: no port is ever made.
        QFETCH(QStringList, args);
        zam::FakeClock clock;
        bool opened = false;
        const Run r = zamCtlIn(args, clock, [&](const QString &) -> std::unique_ptr<zam::Port> {
            opened = true;
            return nullptr;
        });
        QVERIFY2(r.exitCode == 2, qPrintable(diagnose(r)));
        QVERIFY(!opened);
        QVERIFY(!r.err.isEmpty());
        QVERIFY(r.out.isEmpty());
    }

    void helpNeedsNoPort()
    {
        zam::FakeClock clock;
        const Run tool = zamCtlIn({"--help"}, clock);
        QCOMPARE(tool.exitCode, 0);
        for (const char *sub : {"ports", "detect", "status", "send", "save", "load", "diff"})
            QVERIFY2(tool.out.contains(QStringLiteral("\n  %1 ").arg(sub)), sub);
        const Run status = zamCtlIn({"status", "--help"}, clock);
        QCOMPARE(status.exitCode, 0);
        QVERIFY(status.out.startsWith("Usage: zam-ctl [options] status [--json]\n"));
    }

    // As a process: the exit status and which stream each text goes to.
    void processStatusAndStreams_data()
    {
        QTest::addColumn<QStringList>("args");
        QTest::addColumn<int>("exitCode");
        QTest::addColumn<bool>("onStdout");
        QTest::newRow("help") << QStringList{"--help"} << 0 << true;
        QTest::newRow("usage error")
            << QStringList{"-p", "/dev/null", "-b", "4800", "status"} << 2 << false;
        QTest::newRow("missing port")
            << QStringList{"-p", "/dev/zam-no-such-port", "status"} << 1 << false;
    }
    void processStatusAndStreams()
    {
        QFETCH(QStringList, args);
        QFETCH(int, exitCode);
        QFETCH(bool, onStdout);
        const Run r = zamCtl(args);
        QVERIFY2(r.exitCode == exitCode, qPrintable(diagnose(r)));
        QCOMPARE(r.out.isEmpty(), !onStdout);
        QCOMPARE(r.err.isEmpty(), onStdout);
        if (exitCode == 1)
            QVERIFY2(r.err.startsWith("zam-ctl: The port /dev/zam-no-such-port does not exist"),
                     qPrintable(r.err));
    }

    // The real line end to end: a command, then the status it left, over the
    // pseudo-terminal.
    void overThePseudoTerminal()
    {
        CamsimProcess sim({"--cameras", "2", "--models", "12,30", "-q"});
        QVERIFY(!sim.device().isEmpty());
        const QStringList line{"-p", sim.device()};
        const Run sent = zamCtl(line + QStringList{"-c", "2", "send", kCameraTwoChanges[0]});
        QVERIFY2(sent.exitCode == 0, qPrintable(diagnose(sent)));
        QVERIFY2(sent.out.endsWith(QStringLiteral("A0 51 FF  Completion (socket 1)\n")),
                 qPrintable(sent.out));
        const QJsonObject two =
            statusJson(zamCtl(line + QStringList{"-c", "2", "status", "--json"}));
        QCOMPARE(field(two, "version", "modelCode").toInt(), 0x30);
        QCOMPARE(field(two, "lens", "zoomPosition").toInt(), 0x2000);
    }

    // zam-ctl serve owns the line: a script's zam-ctl reads the status
    // through it with the same token file, and SIGTERM ends it cleanly.
    // (What a WebSocket client's requests put on the line is
    // scripts/api-smoke.py's check, from outside.)
    void serveTheControlApi()
    {
        CamsimProcess sim({"--cameras", "1", "--models", "30"});
        QVERIFY(!sim.device().isEmpty());
        QTemporaryDir dir;
        const QString tokenFile = dir.filePath("token");
        QFile token(tokenFile);
        QVERIFY(token.open(QIODevice::WriteOnly));
        token.write("0123456789abcdef-token\n");
        token.close();
        QProcess serve;
        serve.start(QStringLiteral(ZAM_CTL),
                    {"-p", sim.device(), "serve", "--api", "0", "--api-token-file", tokenFile});
        QVERIFY(serve.waitForStarted(5000));
        QString url;
        QVERIFY(QTest::qWaitFor(
            [&] {
                const QString line = QString::fromLocal8Bit(serve.readLine());
                if (line.startsWith("serving the control API on "))
                    url = line.mid(27).trimmed();
                return !url.isEmpty();
            },
            10000));
        const QJsonObject status =
            statusJson(zamCtl({"-p", url, "--api-token-file", tokenFile, "status", "--json"}));
        QCOMPARE(field(status, "version", "modelCode").toInt(), 0x30);
        serve.terminate();
        QVERIFY(serve.waitForFinished(5000));
        QCOMPARE(serve.exitStatus(), QProcess::NormalExit);
        QCOMPARE(serve.exitCode(), 0);
    }
};

ZAM_TEST_GUILESS_MAIN(TestZamCtl)
#include "test_zamctl.moc"
