// zam-ctl save, load and diff, in process on the simulated chain; a file on
// stdin through the tool as a process.

#include "support/camsim.h"
#include "support/samplesettings.h"
#include "support/testmain.h"
#include "support/zamctlrun.h"

#include <QJsonDocument>
#include <QJsonObject>
#include <QTemporaryDir>
#include <QTest>
#include <settingsjson.h>

using namespace zam;

namespace {

struct Bench : CtlChain {
    explicit Bench(int cameras = 1, QList<int> models = {0x31}) : CtlChain(cameras, models)
    {
        full = dir.filePath("full.json");
        saved = dir.filePath("saved.json");
        QFile f(full);
        if (f.open(QIODevice::WriteOnly))
            f.write(toJson(sampleSettings()));
    }

    QTemporaryDir dir;
    QString full;
    QString saved;
};

QJsonObject blocks(const Run &status)
{
    QJsonObject o = QJsonDocument::fromJson(status.out.toUtf8()).object();
    o.remove("address");
    return o;
}

} // namespace

class TestZamCtlSettings : public QObject {
    Q_OBJECT
private Q_SLOTS:
    // On a chain that answers at 38400 bit/s only, as -b says.
    void saveLoadDiff()
    {
        const QString bps = QStringLiteral("38400");
        Bench b(2, {0x31, 0x31});
        b.holdTo(38400);

        // A full file onto camera 1, to begin with.
        const Run first = b.ctl({"-b", bps, "load", b.full});
        QVERIFY2(first.exitCode == 0, qPrintable(diagnose(first)));
        QVERIFY2(first.err.startsWith("[ 1/36] Digital zoom separate mode: on\n"),
                 qPrintable(first.err));
        QVERIFY2(first.err.endsWith(
                     "[36/36] 16-byte memory, address 7: FE FF\nreading the settings back\n"),
                 qPrintable(first.err));

        const Run saved = b.ctl({"-b", bps, "save", b.saved});
        QVERIFY2(saved.exitCode == 0, qPrintable(diagnose(saved)));
        const Run before = b.ctl({"-b", bps, "-c", "2", "diff", b.saved});
        QVERIFY2(before.exitCode == 1, qPrintable(diagnose(before)));
        QVERIFY2(before.out.contains("\nCamera ID: file 4660, camera 0\n"), qPrintable(before.out));
        QVERIFY2(before.out.contains("16-byte memory, address 7: file FE FF, camera 00 00\n"),
                 qPrintable(before.out));

        const Run load = b.ctl({"-b", bps, "-c", "2", "load", b.saved});
        QVERIFY2(load.exitCode == 0, qPrintable(diagnose(load)));
        QVERIFY(!load.err.contains("skipped"));
        const Run after = b.ctl({"-b", bps, "-c", "2", "diff", b.saved});
        QVERIFY2(after.exitCode == 0 && after.out.isEmpty(), qPrintable(diagnose(after)));

        const Run one = b.ctl({"-b", bps, "status", "--json"});
        const Run two = b.ctl({"-b", bps, "-c", "2", "status", "--json"});
        QVERIFY2(one.exitCode == 0 && two.exitCode == 0, qPrintable(diagnose(one) + diagnose(two)));
        QVERIFY(!blocks(one).isEmpty());
        QCOMPARE(blocks(two), blocks(one));
    }

    void dryRunSendsNothing()
    {
        Bench b;
        const Run dry = b.ctl({"load", "--dry-run", b.full});
        QVERIFY2(dry.exitCode == 0, qPrintable(diagnose(dry)));
        const QStringList lines = dry.out.split('\n', Qt::SkipEmptyParts);
        QCOMPARE(lines.size(), 36);
        QCOMPARE(lines.first(), "81 01 04 36 01 FF  Digital zoom separate mode: on");
        QCOMPARE(lines.last(), "81 01 04 23 07 0F 0E 0F 0F FF  16-byte memory, address 7: FE FF");
        const Run diff = b.ctl({"diff", b.full});
        QCOMPARE(diff.exitCode, 1);
    }

    void troubleAndFailures_data()
    {
        QTest::addColumn<QString>("fault");
        QTest::addColumn<QStringList>("args");
        QTest::addColumn<int>("exitCode");
        QTest::addColumn<QString>("message");
        QTest::newRow("diff, malformed file") << "" << QStringList{"diff", "BAD"} << 2
                                              << "zam-ctl: diff: BAD: not a camera settings file";
        QTest::newRow("load, no such file") << "" << QStringList{"load", "/nonexistent.json"} << 2
                                            << "zam-ctl: load: cannot read /nonexistent.json";
        QTest::newRow("save, no file")
            << "" << QStringList{"save"} << 2 << "zam-ctl: save: wrong number of arguments";
        QTest::newRow("diff, camera silent after start-up")
            << "after 2" << QStringList{"diff", "FULL"} << 2
            << "zam-ctl: camera 1: the camera did not answer the status read";
        QTest::newRow("load, refused")
            << "errors" << QStringList{"load", "FULL"} << 1
            << "refused: Digital zoom separate mode: on: command not executable\n";
        QTest::newRow("save, silent after start-up")
            << "after 2" << QStringList{"save", "OUT"} << 1
            << "zam-ctl: camera 1: the camera did not answer the status read";
    }
    void troubleAndFailures()
    {
        QFETCH(QString, fault);
        QFETCH(QStringList, args);
        QFETCH(int, exitCode);
        QFETCH(QString, message);
        Bench b;
        b.chain.faults().errorReplies = fault == u"errors";
        if (fault == u"after 2")
            b.chain.faults().silentAfter = 2;
        QFile bad(b.dir.filePath("bad.json"));
        QVERIFY(bad.open(QIODevice::WriteOnly));
        bad.write("{\"format\": \"something else\"}");
        bad.close();
        for (QString &a : args) {
            if (a == "BAD")
                a = bad.fileName();
            else if (a == "FULL")
                a = b.full;
            else if (a == "OUT")
                a = b.saved;
        }
        message.replace("BAD", bad.fileName());
        const Run r = b.ctl(args);
        QVERIFY2(r.exitCode == exitCode, qPrintable(diagnose(r)));
        QVERIFY2(r.err.contains(message), qPrintable(diagnose(r)));
        QVERIFY(r.ms < 60000);
        QVERIFY(!QFile::exists(b.saved));
        // A wrong command line never opens the line.
        if (fault.isEmpty())
            QCOMPARE(b.chain.received(), QList<QByteArray>());
    }

    // A file on stdin is read once, before the line is opened.
    void fileOnStdin()
    {
        CamsimProcess sim({"--cameras", "1", "--models", "31", "-q"});
        QVERIFY(!sim.device().isEmpty());
        const QByteArray full = toJson(sampleSettings());
        const Run load = zamCtl({"-p", sim.device(), "load", "-"}, full);
        QVERIFY2(load.exitCode == 0, qPrintable(diagnose(load)));
        const Run same = zamCtl({"-p", sim.device(), "diff", "-"}, full);
        QVERIFY2(same.exitCode == 0 && same.out.isEmpty(), qPrintable(diagnose(same)));
    }
};

ZAM_TEST_GUILESS_MAIN(TestZamCtlSettings)
#include "test_zamctl_settings.moc"
