// zam-ctl doctor: the access rules in a table, the system checks on a tree
// of the test's own, the line checks on the simulated chain, and the real
// thing as a user meets it: zam-camsim on a pseudo-terminal, a port held by
// another process, a device without permission, a silent device server.

#include "support/camsim.h"
#include "support/testmain.h"
#include "support/zamctlrun.h"

#include <QFile>
#include <QFileInfo>
#include <QJsonArray>
#include <QJsonDocument>
#include <QJsonObject>
#include <QTcpServer>
#include <QTemporaryDir>
#include <QTest>
#include <doctor.h>
#include <qtserialport.h>

#include <grp.h>
#include <sys/stat.h>
#include <unistd.h>

using namespace zam::cli;

namespace {

// "line:ok chain:ok camera:problem"
QString verdicts(const QList<Finding> &findings)
{
    QStringList parts;
    for (const Finding &f : findings)
        parts << f.check + ':' +
                     (f.verdict == Verdict::Ok     ? "ok"
                      : f.verdict == Verdict::Note ? "note"
                                                   : "problem");
    return parts.join(' ');
}

const Finding *first(const QList<Finding> &findings, const char *check)
{
    for (const Finding &f : findings)
        if (f.check == QLatin1String(check))
            return &f;
    return nullptr;
}

bool write(const QString &path, const QByteArray &content)
{
    QFile f(path);
    return f.open(QIODevice::WriteOnly | QIODevice::Truncate) && f.write(content) == content.size();
}

} // namespace

class TestDoctor : public QObject {
    Q_OBJECT
private Q_SLOTS:
    void accessNamesTheFix_data()
    {
        QTest::addColumn<bool>("mayOpen");
        QTest::addColumn<bool>("groupMayOpen");
        QTest::addColumn<QStringList>("members");
        QTest::addColumn<bool>("inSession");
        QTest::addColumn<int>("verdict");
        QTest::addColumn<QString>("fix");
        QTest::newRow("allowed") << true << true << QStringList{"ann"} << true << int(Verdict::Ok)
                                 << "";
        QTest::newRow("not in the group")
            << false << true << QStringList{"bob"} << false << int(Verdict::Problem)
            << "sudo usermod -aG uucp ann, then log out and in again";
        QTest::newRow("added, not logged in again")
            << false << true << QStringList{"bob", "ann"} << false << int(Verdict::Problem)
            << "log out and in again (or start a shell with: newgrp uucp)";
        QTest::newRow("in the group, still refused")
            << false << true << QStringList{"ann"} << true << int(Verdict::Problem)
            << "look for an access list on it: getfacl /dev/ttyUSB0";
        QTest::newRow("owner only") << false << false << QStringList{"ann"} << true
                                    << int(Verdict::Problem) << "sudo chgrp dialout /dev/ttyUSB0";
    }
    void accessNamesTheFix()
    {
        QFETCH(bool, mayOpen);
        QFETCH(bool, groupMayOpen);
        QFETCH(QStringList, members);
        QFETCH(bool, inSession);
        QFETCH(int, verdict);
        QFETCH(QString, fix);
        const DeviceAccess access{mayOpen, "crw-rw----", "root", 10, "uucp", groupMayOpen, members};
        const Identity ann{"ann", 1000, 1000,
                           inSession ? QList<uint>{1000, 10} : QList<uint>{1000}};
        const Finding f = accessFinding("/dev/ttyUSB0", access, ann);
        QCOMPARE(int(f.verdict), verdict);
        QVERIFY2(fix.isEmpty() ? f.fix.isEmpty() : f.fix.startsWith(fix), qPrintable(f.fix));
    }

    // The stable name, a live or stale lock and another opener, all read
    // from a tree of the test's own around a real character device.
    void systemTreeIsRead_data()
    {
        QTest::addColumn<bool>("lockAlive");
        QTest::addColumn<QString>("expected");
        QTest::newRow("live lock") << true << "by-id:ok access:ok holder:problem holder:note";
        QTest::newRow("stale lock") << false << "by-id:ok access:ok holder:note holder:note";
    }
    void systemTreeIsRead()
    {
        QFETCH(bool, lockAlive);
        QFETCH(QString, expected);
        QTemporaryDir tree;
        SystemRoots roots{tree.filePath("dev"),
                          tree.filePath("proc"),
                          {tree.filePath("lock")},
                          tree.filePath("group")};
        const QString device = QStringLiteral("/dev/null");
        QVERIFY(QDir().mkpath(roots.dev + "/serial/by-id") &&
                QDir().mkpath(roots.proc + "/4242/fd") && QDir().mkpath(roots.proc + "/4243") &&
                QDir().mkpath(roots.lockFolders[0]));
        const QString byId = roots.dev + "/serial/by-id/usb-FTDI_FT232R_A1B2-if00-port0";
        QVERIFY(QFile::link(device, byId));
        QVERIFY(QFile::link(device, roots.proc + "/4242/fd/3"));
        QVERIFY(write(roots.proc + "/4242/comm", "minicom\n"));
        if (lockAlive)
            QVERIFY(write(roots.proc + "/4243/comm", "cu\n"));
        QVERIFY(write(roots.lockFolders[0] + "/LCK..null", "      4243\n"));

        const QList<Finding> found =
            checkSerialDevice(device, "FT232R USB UART", roots, Identity::current());
        QCOMPARE(verdicts(found), expected);
        QCOMPARE(found[0].facts.value("byId").toString(), byId);
        QVERIFY(found[0].text.endsWith("adapter: FT232R USB UART"));
        QCOMPARE(found[2].facts.value("pid").toInt(), 4243);
        QCOMPARE(found[2].facts.value("lockFile").toString(), roots.lockFolders[0] + "/LCK..null");
        QCOMPARE(found[3].text, "also open in process 4242 (minicom)");

        // While the line fails, the opener may be what takes the replies.
        DoctorTarget target{"/dev/ttyUSB0", false, found};
        target.findings.append({"line", Verdict::Problem, "nothing answered", "check", {}});
        weighHolders(target);
        QCOMPARE(target.findings[3].verdict, Verdict::Problem);
    }

    void lineOnTheSimulatedChain_data()
    {
        QTest::addColumn<QString>("fault");
        QTest::addColumn<QString>("expected");
        QTest::addColumn<QString>("text");
        QTest::newRow("two cameras at 19200") << ""
                                              << "line:ok chain:ok camera:ok camera:ok"
                                              << "camera 2: model 0x41 ZAM-D 10x PS";
        QTest::newRow("silent") << "silent"
                                << "line:problem"
                                << "nothing answered the line check at 9600, 19200 or 38400 "
                                   "bit/s (silent at every speed)";
        QTest::newRow("versions unanswered") << "after 2"
                                             << "line:ok chain:ok camera:problem camera:problem"
                                             << "camera 1 did not answer the version inquiry";
    }
    void lineOnTheSimulatedChain()
    {
        QFETCH(QString, fault);
        QFETCH(QString, expected);
        QFETCH(QString, text);
        CtlChain sim(2, {0x30, 0x41});
        sim.holdTo(19200);
        sim.chain.faults().silent = fault == u"silent";
        sim.chain.faults().silentAfter = fault == u"after 2" ? 2 : -1;
        const std::int64_t start = sim.clock.nowMs();
        const QList<Finding> found = probeSerialLine(
            [&] { return std::make_unique<zam::sim::SimPort>(sim.chain, sim.clock); }, "sim",
            sim.clock);
        QCOMPARE(verdicts(found), expected);
        QVERIFY2(std::any_of(found.begin(), found.end(),
                             [&](const Finding &f) { return f.text == text; }),
                 qPrintable(found.last().text));
        QCOMPARE(first(found, "line")->facts.value("baud").toInt(), fault == u"silent" ? 0 : 19200);
        QVERIFY2(sim.clock.nowMs() - start < 12000, "the probe is bounded");
    }

    // As the user meets it: exit 0 naming the speed and every model, exit 1
    // saying that nothing answered.
    void overThePseudoTerminal_data()
    {
        QTest::addColumn<QStringList>("sim");
        QTest::addColumn<int>("exitCode");
        QTest::addColumn<QStringList>("lines");
        QTest::newRow("two cameras at 38400")
            << QStringList{"--strict-baud", "-b", "38400", "--cameras", "2", "--models", "12,30"}
            << 0
            << QStringList{"the cameras answer the line check at 38400 bit/s (silent at 9600, "
                           "silent at 19200)",
                           "ok       2 cameras on the chain",
                           "ok       camera 1: model 0x12 ZAM-A 18x NTSC (B)",
                           "ok       camera 2: model 0x30 ZAM-C 25x NTSC (O)", "all is well"};
        QTest::newRow("silent") << QStringList{"--silent"} << 1
                                << QStringList{"problem  nothing answered the line check",
                                               "fix: check the cameras' power", "problem found"};
    }
    void overThePseudoTerminal()
    {
        QFETCH(QStringList, sim);
        QFETCH(int, exitCode);
        QFETCH(QStringList, lines);
        CamsimProcess camsim(sim << "-q");
        QVERIFY(!camsim.device().isEmpty());
        const Run r = zamCtl({"doctor", "-p", camsim.device()});
        QVERIFY2(r.exitCode == exitCode, qPrintable(diagnose(r)));
        for (const QString &line : lines)
            QVERIFY2(r.out.contains(line), qPrintable(line + "\n" + r.out));
        QVERIFY2(r.ms < 8000, qPrintable(QString::number(r.ms)));
    }

    // Another program has the port, with its lock file and its descriptor.
    void heldPortNamesItsHolder()
    {
        CamsimProcess camsim({"-q"});
        zam::QtSerialPortBackend held;
        QVERIFY(held.open({camsim.device(), 9600}).ok());
        const Run r = zamCtl({"doctor", "-p", camsim.device()});
        QVERIFY2(r.exitCode == 1, qPrintable(diagnose(r)));
        const QString holder =
            QStringLiteral("problem  locked by process %1 (%2)")
                .arg(QCoreApplication::applicationPid())
                .arg(QFileInfo(QCoreApplication::applicationFilePath()).fileName().left(15));
        QVERIFY2(r.out.contains(holder), qPrintable(r.out));
        QVERIFY2(r.out.contains("fix: close "), qPrintable(r.out));
        QVERIFY2(r.out.contains("is busy"), qPrintable(r.out));
    }

    // Run as a user without rights: as root the doctor runs as nobody; as a
    // user the device's own mode shuts it out.
    void deviceWithoutPermission()
    {
        CamsimProcess camsim({"-q"});
        const QByteArray pty = QFile::encodeName(camsim.device());
        QProcess doctor;
        QString fix = "problem";
        if (::geteuid() == 0) {
            const group *dialout = ::getgrnam("dialout");
            if (!dialout)
                QSKIP("no group dialout to give the device to");
            // nobody must be able to reach the program: every folder above it
            // open to others (a clone under /root or a mktemp folder is not).
            for (QString at = QFileInfo(QStringLiteral(ZAM_CTL)).absolutePath(); at != "/";
                 at = QFileInfo(at).absolutePath())
                if (!(QFile::permissions(at) & QFileDevice::ExeOther))
                    QSKIP(qPrintable(
                        QStringLiteral("user nobody cannot reach zam-ctl: %1 is shut to others")
                            .arg(at)));
            QVERIFY(::chown(pty.constData(), 0, dialout->gr_gid) == 0 &&
                    ::chmod(pty.constData(), 0660) == 0);
            doctor.setChildProcessModifier([] {
                if (::setgroups(0, nullptr) != 0 || ::setgid(65534) != 0 || ::setuid(65534) != 0)
                    ::_exit(99);
            });
            fix = "fix: sudo usermod -aG dialout nobody, then log out and in again";
        } else {
            QVERIFY(::chmod(pty.constData(), 0) == 0);
        }
        doctor.start(ZAM_CTL, {"doctor", "-p", camsim.device()});
        QVERIFY(doctor.waitForFinished(15000));
        const QString out = QString::fromLocal8Bit(doctor.readAllStandardOutput());
        QVERIFY2(doctor.exitCode() == 1, qPrintable(out));
        QVERIFY2(out.contains(fix), qPrintable(out));
        QVERIFY2(out.contains("Permission denied"), qPrintable(out));
    }

    void silentDeviceServerAsJson()
    {
        QTcpServer server; // accepts (the kernel does) and never answers
        QVERIFY(server.listen(QHostAddress::LocalHost));
        zam::SteadyClock clock;
        const Run r = zamCtlIn({"doctor", "--json", "-p",
                                QStringLiteral("tcp://127.0.0.1:%1").arg(server.serverPort())},
                               clock);
        QCOMPARE(r.exitCode, 1);
        const QJsonObject all = QJsonDocument::fromJson(r.out.toUtf8()).object();
        QCOMPARE(all.value("ok").toBool(true), false);
        const QJsonArray findings =
            all.value("targets").toArray().at(0).toObject().value("findings").toArray();
        QCOMPARE(findings.size(), 3);
        QCOMPARE(findings[1].toObject().value("check").toString(), "connect");
        QVERIFY(findings[1].toObject().value("connectMs").toInt(-1) >= 0);
        const QJsonObject line = findings[2].toObject();
        QCOMPARE(line.value("verdict").toString(), "problem");
        QCOMPARE(line.value("staleSession").toBool(), true);
        QVERIFY(line.value("text").toString().contains("stale session on the device server"));
        QVERIFY2(r.ms < 4000, qPrintable(QString::number(r.ms)));
    }
};

ZAM_TEST_GUILESS_MAIN(TestDoctor)
#include "test_doctor.moc"
