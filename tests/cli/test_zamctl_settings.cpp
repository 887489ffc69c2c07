// zam-ctl save, load and diff as a script runs them: separate processes
// against zam-camsim on a pseudo-terminal.

#include "../e2e/camsimprocess.h"

#include <QElapsedTimer>
#include <QJsonDocument>
#include <QJsonObject>
#include <QTemporaryDir>
#include <QTest>
#include <camerasettings.h>

using namespace zam;

namespace {

struct Run {
    int exitCode = -1;
    QString out;
    QString err;
    qint64 ms = 0;
};

Run zamCtl(const QStringList &args, int timeoutMs = 30000)
{
    QProcess p;
    QElapsedTimer t;
    t.start();
    p.start(QStringLiteral(ZAM_CTL), args);
    Run r;
    if (!p.waitForFinished(timeoutMs)) {
        p.kill();
        p.waitForFinished(1000);
        r.err = QStringLiteral("zam-ctl did not finish in time");
        return r;
    }
    r.ms = t.elapsed();
    r.exitCode = p.exitStatus() == QProcess::NormalExit ? p.exitCode() : -1;
    r.out = QString::fromLocal8Bit(p.readAllStandardOutput());
    r.err = QString::fromLocal8Bit(p.readAllStandardError());
    return r;
}

QString diagnose(const Run &r)
{
    return QStringLiteral("exit %1\nstdout: %2\nstderr: %3").arg(r.exitCode).arg(r.out, r.err);
}

// A file in which every setting is one the modes let a load set, and none is
// the cameras' start value.
QByteArray fullFile()
{
    CameraSettings s;
    s.modelCode = 0x31;
    using S = Setting;
    const std::pair<Setting, int> values[] = {
        {S::DigitalZoomSeparate, 1},
        {S::DigitalZoom, 1},
        {S::ZoomPosition, 0x2345},
        {S::DigitalZoomPosition, 0x80},
        {S::FocusNearLimit, 0xA000},
        {S::FocusAuto, 0},
        {S::FocusPosition, 0x3456},
        {S::AfSensitivityLow, 1},
        {S::AeMode, 0x03},
        {S::ShutterPosition, 12},
        {S::IrisPosition, 9},
        {S::GainPosition, 4},
        {S::BrightPosition, 13},
        {S::ExpComp, 1},
        {S::ExpCompLevel, 10},
        {S::BackLight, 1},
        {S::AutoSlowShutter, 1},
        {S::Aperture, 11},
        {S::WbMode, 5},
        {S::RGain, 0xC8},
        {S::BGain, 0x30},
        {S::PictureEffect, 4},
        {S::DigitalEffectLevel, 0x20},
        {S::PictureFlip, 1},
        {S::LrReverse, 1},
        {S::Stabilizer, 1},
        {S::AutoIcr, 1},
        {S::Sync, 1},
        {S::VPhase180, 1},
        {S::VPhase, 700},
        {S::CameraId, 4660},
    };
    for (const auto &[setting, v] : values)
        s.set(setting, v);
    s.memory = UserMemory{0x12, 0x34, 0, 0, 0xAB, 0xCD, 0, 0, 0, 0, 0, 0, 0, 0, 0xFE, 0x01};
    return toJson(s);
}

struct Bench {
    explicit Bench(QStringList simArgs) : sim(simArgs << QStringLiteral("-q"))
    {
        full = dir.filePath("full.json");
        saved = dir.filePath("saved.json");
        QFile f(full);
        if (f.open(QIODevice::WriteOnly))
            f.write(fullFile());
    }
    Run ctl(const QStringList &args) { return zamCtl(QStringList{"-p", sim.device()} + args); }

    CamsimProcess sim;
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
    void saveLoadDiff_data()
    {
        QTest::addColumn<int>("baud");
        QTest::newRow("9600") << 9600;
        QTest::newRow("38400") << 38400;
    }
    void saveLoadDiff()
    {
        QFETCH(int, baud);
        const QString bps = QString::number(baud);
        Bench b({"--cameras", "2", "--models", "31,31", "--baud", bps, "--strict-baud"});
        QVERIFY(!b.sim.device().isEmpty());

        // A full file onto camera 1, to begin with.
        const Run first = b.ctl({"-b", bps, "load", b.full});
        QVERIFY2(first.exitCode == 0, qPrintable(diagnose(first)));
        QVERIFY2(first.err.startsWith("[ 1/38] Digital zoom separate mode: on\n"),
                 qPrintable(first.err));
        QVERIFY2(first.err.endsWith(
                     "[38/38] 16-byte memory, address 7: FE 01\nreading the settings back\n"),
                 qPrintable(first.err));
        qInfo("load of a full file (38 packets) at %d bit/s: %lld ms", baud, first.ms);

        const Run saved = b.ctl({"-b", bps, "save", b.saved});
        QVERIFY2(saved.exitCode == 0, qPrintable(diagnose(saved)));
        const Run before = b.ctl({"-b", bps, "-c", "2", "diff", b.saved});
        QVERIFY2(before.exitCode == 1, qPrintable(diagnose(before)));
        QVERIFY2(before.out.contains("\nCamera ID: file 4660, camera 0\n"), qPrintable(before.out));
        QVERIFY2(before.out.contains("16-byte memory, address 7: file FE 01, camera 00 00\n"),
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

    void loadOntoAModelThatLacksSettingsNamesThem()
    {
        Bench b({"--cameras", "2", "--models", "31,41"});
        QVERIFY(!b.sim.device().isEmpty());
        const Run load = b.ctl({"-c", "2", "load", b.full});
        QVERIFY2(load.exitCode == 0, qPrintable(diagnose(load)));
        for (const char *line : {"skipped: Digital zoom: the camera's model lacks it\n",
                                 "skipped: Picture effect black and white", // 0x41 has it
                                 "skipped: Image stabilizer: the camera's model lacks it\n",
                                 "skipped: Sync: the camera's model lacks it\n",
                                 "skipped: V-phase: the camera's model lacks it\n"}) {
            const bool expected = !QByteArray(line).contains("black and white");
            QVERIFY2(load.err.contains(line) == expected, qPrintable(line + ("\n" + load.err)));
        }
        QVERIFY(!load.err.contains("did not take"));
    }

    void dryRunSendsNothing()
    {
        Bench b({"--cameras", "1", "--models", "31"});
        QVERIFY(!b.sim.device().isEmpty());
        const Run dry = b.ctl({"load", "--dry-run", b.full});
        QVERIFY2(dry.exitCode == 0, qPrintable(diagnose(dry)));
        const QStringList lines = dry.out.split('\n', Qt::SkipEmptyParts);
        QCOMPARE(lines.size(), 38);
        QCOMPARE(lines.first(), "81 01 04 36 01 FF  Digital zoom separate mode: on");
        QCOMPARE(lines.last(), "81 01 04 23 07 0F 0E 00 01 FF  16-byte memory, address 7: FE 01");
        const Run diff = b.ctl({"diff", b.full});
        QCOMPARE(diff.exitCode, 1);
    }

    void troubleAndFailures_data()
    {
        QTest::addColumn<QStringList>("simArgs");
        QTest::addColumn<QStringList>("args");
        QTest::addColumn<int>("exitCode");
        QTest::addColumn<QString>("message");
        // An empty simArgs: no simulator, the command line alone is wrong.
        QTest::newRow("diff, malformed file") << QStringList() << QStringList{"diff", "BAD"} << 2
                                              << "zam-ctl: diff: BAD: not a camera settings file";
        QTest::newRow("load, no such file")
            << QStringList() << QStringList{"load", "/nonexistent.json"} << 2
            << "zam-ctl: load: cannot read /nonexistent.json";
        QTest::newRow("save, no file") << QStringList() << QStringList{"save"} << 2
                                       << "zam-ctl: save: wrong number of arguments";
        QTest::newRow("diff, silent camera")
            << QStringList{"--silent"} << QStringList{"diff", "FULL"} << 2
            << "zam-ctl: no reply to the interface clear";
        QTest::newRow("diff, camera silent after start-up")
            << QStringList{"--silent-after", "2"} << QStringList{"diff", "FULL"} << 2
            << "zam-ctl: camera 1: the camera did not answer the status read";
        QTest::newRow("load, refused")
            << QStringList{"--errors"} << QStringList{"load", "FULL"} << 1
            << "refused: Digital zoom separate mode: on: command not executable\n";
        QTest::newRow("save, silent after start-up")
            << QStringList{"--silent-after", "2"} << QStringList{"save", "OUT"} << 1
            << "zam-ctl: camera 1: the camera did not answer the status read";
    }
    void troubleAndFailures()
    {
        QFETCH(QStringList, simArgs);
        QFETCH(QStringList, args);
        QFETCH(int, exitCode);
        QFETCH(QString, message);
        Bench b(simArgs.isEmpty() ? QStringList{"--cameras", "1"} : simArgs);
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
        // A wrong command line never opens the line: /dev/null shows it.
        const Run r =
            simArgs.isEmpty() ? zamCtl(QStringList{"-p", "/dev/null"} + args) : b.ctl(args);
        QVERIFY2(r.exitCode == exitCode, qPrintable(diagnose(r)));
        QVERIFY2(r.err.contains(message), qPrintable(diagnose(r)));
        QVERIFY(r.ms < 60000);
        QVERIFY(!QFile::exists(b.saved));
    }

    void helpListsTheSettingsSubcommands()
    {
        const Run tool = zamCtl({"--help"});
        for (const char *sub : {"save", "load", "diff"})
            QVERIFY2(tool.out.contains(QStringLiteral("\n  %1 ").arg(sub)), sub);
        const Run load = zamCtl({"load", "--help"});
        QCOMPARE(load.exitCode, 0);
        QVERIFY(load.out.startsWith("Usage: zam-ctl [options] load FILE [--dry-run]\n"));
        QVERIFY(zamCtl({"diff", "--help"}).out.contains("0 the same, 1 different, 2 trouble"));
    }
};

QTEST_GUILESS_MAIN(TestZamCtlSettings)
#include "test_zamctl_settings.moc"
