// zam-ctl as a script runs it: a separate process against zam-camsim on a
// pseudo-terminal, and once over TCP.

#include "../e2e/camsimprocess.h"
#include "support/zamctlrun.h"

#include <QElapsedTimer>
#include <QJsonDocument>
#include <QJsonObject>
#include <QTest>

namespace {

QStringList line(const CamsimProcess &sim, const QStringList &more)
{
    return QStringList{QStringLiteral("-p"), sim.device()} + more;
}

QJsonObject statusJson(const QStringList &args)
{
    const Run r = zamCtl(args);
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

} // namespace

class TestZamCtl : public QObject {
    Q_OBJECT
private Q_SLOTS:
    void detectNamesTheChain_data()
    {
        QTest::addColumn<QStringList>("simArgs");
        QTest::addColumn<QString>("expected");
        QTest::newRow("one camera, 19200")
            << QStringList{"--cameras", "1", "--models", "41", "--baud", "19200"}
            << "speed 19200 bit/s\n1 camera\ncamera 1: model 0x41 ZAM-D 10x PS\n";
        QTest::newRow("seven cameras, 38400")
            << QStringList{"--cameras", "7", "--models", "41,30,12,13,20,44,49", "--baud", "38400"}
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
        QFETCH(QStringList, simArgs);
        QFETCH(QString, expected);
        // The cameras answer only at their own speed, so the speed printed is
        // the one that was found, not the first one tried.
        CamsimProcess sim(simArgs + QStringList{"--strict-baud", "-q"});
        QVERIFY(!sim.device().isEmpty());
        const Run r = zamCtl(line(sim, {"detect"}));
        QVERIFY2(r.exitCode == 0, qPrintable(diagnose(r)));
        QCOMPARE(r.out, expected);
    }

    void statusJsonFollowsTheCamera()
    {
        CamsimProcess sim({"--cameras", "2", "--models", "12,30", "-q"});
        QVERIFY(!sim.device().isEmpty());
        // Camera 2 is changed; camera 1 must keep its defaults.
        for (const char *packet : {"82 01 04 47 02 00 00 00 FF", // zoom to 0x2000
                                   "8201043903FF",               // AE manual
                                   "82 01 04 4C 00 00 00 09 FF", // gain 16 dB
                                   "82 01 04 35 01 FF",          // white balance indoor
                                   "82 01 04 63 04 FF",          // black and white
                                   "82 01 04 25 01 FF"}) {       // V-phase 180
            const Run r = zamCtl(line(sim, {"-c", "2", "send", packet}));
            QVERIFY2(r.exitCode == 0, qPrintable(diagnose(r)));
            QVERIFY2(r.out.endsWith(QStringLiteral("A0 51 FF  Completion (socket 1)\n")),
                     qPrintable(r.out));
        }

        const QJsonObject two = statusJson(line(sim, {"-c", "2", "status", "--json"}));
        QCOMPARE(two.value("address").toInt(), 2);
        QCOMPARE(field(two, "version", "modelCode").toInt(), 0x30);
        QCOMPARE(field(two, "version", "modelName").toString(), "ZAM-C 25x NTSC (O)");
        QCOMPARE(field(two, "lens", "zoomPosition").toInt(), 0x2000);
        QCOMPARE(field(two, "camera", "aeMode").toObject(),
                 QJsonObject({{"value", 3}, {"caption", "Manual"}}));
        QCOMPARE(field(two, "camera", "gainPosition").toObject(),
                 QJsonObject({{"value", 9}, {"caption", "16dB"}}));
        QCOMPARE(field(two, "camera", "wbMode").toObject(),
                 QJsonObject({{"value", 1}, {"caption", "InDoor"}}));
        QCOMPARE(field(two, "other", "pictureEffect").toObject(),
                 QJsonObject({{"value", 4}, {"caption", "Black & White"}}));
        QCOMPARE(field(two, "other", "power").toBool(), true);
        // The V-phase bit as the panel's button words it.
        QCOMPARE(field(two, "other", "vp0180").toObject(),
                 QJsonObject({{"value", 1}, {"caption", "0 degree"}}));

        const QJsonObject one = statusJson(line(sim, {"status", "--json"}));
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
        for (const char *block : {"version", "lens", "camera", "other", "extended"})
            QVERIFY2(!one.value(QLatin1String(block)).toObject().isEmpty(), block);
    }

    void statusOverTcp()
    {
        const QString tcpPort = QString::number(41000 + QCoreApplication::applicationPid() % 20000);
        CamsimProcess sim({"--tcp", tcpPort, "--cameras", "1", "--models", "30", "-q"});
        QVERIFY(!sim.device().isEmpty());
        const QStringList tcp{"-p", "tcp://127.0.0.1:" + tcpPort};
        const Run sent = zamCtl(tcp + QStringList{"send", "8101040702FF"}); // zoom tele
        QVERIFY2(sent.exitCode == 0, qPrintable(diagnose(sent)));
        QTest::qWait(300);
        const QJsonObject status = statusJson(tcp + QStringList{"status", "--json"});
        QCOMPARE(field(status, "version", "modelCode").toInt(), 0x30);
        QVERIFY(field(status, "lens", "zoomPosition").toInt() > 0);
    }

    void failuresExitWithOneClearLine_data()
    {
        QTest::addColumn<QStringList>("simArgs");
        QTest::addColumn<QStringList>("args");
        QTest::addColumn<QString>("message");
        QTest::newRow("missing port")
            << QStringList() << QStringList{"-p", "/dev/zam-no-such-port", "status"}
            << "The port /dev/zam-no-such-port does not exist";
        QTest::newRow("silent camera") << QStringList{"--silent"} << QStringList{"status"}
                                       << "no reply to the interface clear";
        QTest::newRow("silent after the start-up")
            << QStringList{"--silent-after", "2"} << QStringList{"send", "8101040702FF"}
            << "no reply from camera 1 within 1 s";
        QTest::newRow("status unanswered")
            << QStringList{"--silent-after", "2"} << QStringList{"status"}
            << "no reply from camera 1 to the status inquiries";
        QTest::newRow("error reply") << QStringList() << QStringList{"send", "81 01 7F FF"}
                                     << "camera 1 answered with an error: syntax error (socket 0)";
        QTest::newRow("packet off the chain")
            << QStringList{"--cameras", "1"} << QStringList{"send", "82090002FF"}
            << "camera 2 is not on the chain (1 camera)";
        QTest::newRow("silent camera, detect") << QStringList{"--silent"} << QStringList{"detect"}
                                               << "no camera answered the interface clear";
    }
    void failuresExitWithOneClearLine()
    {
        QFETCH(QStringList, simArgs);
        QFETCH(QStringList, args);
        QFETCH(QString, message);
        std::optional<CamsimProcess> sim;
        if (!args.contains("-p")) {
            sim.emplace(simArgs + QStringList{"-q"});
            QVERIFY(!sim->device().isEmpty());
            args = line(*sim, args);
        }
        const Run r = zamCtl(args);
        QVERIFY2(r.exitCode == 1, qPrintable(diagnose(r)));
        QVERIFY2(r.err.startsWith("zam-ctl: " + message), qPrintable(r.err));
        QCOMPARE(r.err.count('\n'), 1);
        QVERIFY2(r.ms < 8000, qPrintable(QString::number(r.ms)));
    }

    void usageErrorsExitWithTwo_data()
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
    void usageErrorsExitWithTwo()
    {
        // /dev/null is never opened: a wrong command line stops before the line.
        QFETCH(QStringList, args);
        const Run r = zamCtl(args);
        QVERIFY2(r.exitCode == 2, qPrintable(diagnose(r)));
        QVERIFY(!r.err.isEmpty());
        QVERIFY(r.out.isEmpty());
    }

    void helpNeedsNoPort()
    {
        const Run tool = zamCtl({"--help"});
        QCOMPARE(tool.exitCode, 0);
        for (const char *sub : {"ports", "detect", "status", "send", "save", "load", "diff"})
            QVERIFY2(tool.out.contains(QStringLiteral("\n  %1 ").arg(sub)), sub);
        const Run status = zamCtl({"status", "--help"});
        QCOMPARE(status.exitCode, 0);
        QVERIFY(status.out.startsWith("Usage: zam-ctl [options] status [--json]\n"));
        QVERIFY(status.out.contains("--json"));
        QVERIFY(status.err.isEmpty());
        QVERIFY(zamCtl({"load", "--help"})
                    .out.startsWith("Usage: zam-ctl [options] load FILE [--dry-run]\n"));
        QVERIFY(zamCtl({"diff", "--help"}).out.contains("0 the same, 1 different, 2 trouble"));
    }

    void noInitSkipsTheStartUp()
    {
        CamsimProcess sim({"--cameras", "1"});
        QVERIFY(!sim.device().isEmpty());
        const Run r = zamCtl(line(sim, {"--no-init", "send", "81 09 00 02 FF"}));
        QVERIFY2(r.exitCode == 0, qPrintable(diagnose(r)));
        QVERIFY2(r.out.contains("Inquiry reply: Version: model 0x30"), qPrintable(r.out));
        // Only the one packet reached the camera: no line check, no numbering.
        QTRY_COMPARE_WITH_TIMEOUT(sim.receivedLines(), QStringList{"81 09 00 02 FF"}, 2000);
    }
};

QTEST_GUILESS_MAIN(TestZamCtl)
#include "test_zamctl.moc"
