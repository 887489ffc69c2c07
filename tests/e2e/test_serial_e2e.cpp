// The link over Qt's serial port against zam-camsim on a pseudo-terminal:
// the real serial path, end to end.

#include "support/camsim.h"
#include "support/testmain.h"

#include <QFileInfo>
#include <QSignalSpy>
#include <QTemporaryDir>
#include <QTemporaryFile>
#include <QTest>
#include <cameralink.h>
#include <portfactory.h>
#include <qtserialport.h>

using namespace zam;

namespace {
QByteArray hex(const char *s)
{
    return QByteArray::fromHex(s);
}
} // namespace

class TestSerialE2E : public QObject {
    Q_OBJECT
private Q_SLOTS:
    void startupExchangeOverPty()
    {
        CamsimProcess sim({QStringLiteral("--cameras"), QStringLiteral("2"),
                           QStringLiteral("--models"), QStringLiteral("41,30"),
                           QStringLiteral("--baud"), QStringLiteral("38400")});
        QVERIFY2(!sim.device().isEmpty(), "zam-camsim did not start");
        SteadyClock clock;
        QtSerialPortBackend port;
        CameraLink link(port, clock);
        const OpenResult opened = port.open({sim.device(), 38400});
        QVERIFY2(opened.ok(), qPrintable(opened.detail));

        // Line check in mode 1, reply taken by WaitReply: never seen by the
        // receive handler, even though Qt announces it inside the wait.
        QSignalSpy finished(&link, &CameraLink::commandFinished);
        link.SD(hex("88010001FF"), 1);
        QCOMPARE(link.WaitReply(5), std::optional(hex("88010001FF")));
        QTest::qWait(50);
        QCOMPARE(link.RecvText().text(), QString());
        QCOMPARE(finished.count(), 0);

        link.SD(hex("883001FF"), 0);
        QByteArray reply = link.WaitReply(4).value_or(QByteArray());
        QCOMPARE(reply, hex("883003FF"));

        link.SD(hex("82090002FF"), 0);
        reply = link.WaitReply(10).value_or(QByteArray());
        QCOMPARE(reply.size(), 10);
        QCOMPARE(std::uint8_t(reply[0]), std::uint8_t(0xA0));
        QCOMPARE(std::uint8_t(reply[5]), std::uint8_t(0x30));

        // A mode-1 command: the reply comes through receive events.
        link.SD(hex("81017FFF"), 1);
        QTRY_VERIFY_WITH_TIMEOUT(finished.count() == 1, 3000);
        QVERIFY(link.RecvText().text().startsWith(QStringLiteral("90 60 02 FF ")));
        QTRY_VERIFY_WITH_TIMEOUT(sim.receivedLines().contains(QStringLiteral("81 01 7F FF")), 3000);
    }

    void silentCameraCostsOneSecond()
    {
        CamsimProcess sim({QStringLiteral("--silent")});
        QVERIFY(!sim.device().isEmpty());
        SteadyClock clock;
        QtSerialPortBackend port;
        CameraLink link(port, clock);
        QVERIFY(port.open({sim.device(), 9600}).ok());
        QElapsedTimer t;
        t.start();
        const auto cpuBefore = std::clock();
        link.SD(hex("88010001FF"), 1);
        QCOMPARE(link.WaitReply(5), std::nullopt);
        const auto cpuMs = double(std::clock() - cpuBefore) * 1000.0 / CLOCKS_PER_SEC;
        QVERIFY(t.elapsed() >= 1000 && t.elapsed() < 2000);
        QVERIFY2(cpuMs < 150, qPrintable(QString::number(cpuMs)));
    }

    void detectsTheChainsSpeed()
    {
        CamsimProcess sim(
            {QStringLiteral("--strict-baud"), QStringLiteral("--baud"), QStringLiteral("19200")});
        QVERIFY(!sim.device().isEmpty());
        SteadyClock clock;
        QElapsedTimer t;
        t.start();
        const auto baud = detectBaud([] { return makeLinePort(QString()); }, sim.device(), clock);
        QCOMPARE(baud, std::optional<int>(19200));
        QVERIFY(t.elapsed() < 4000);
    }

    void detectionGivesUpInTime()
    {
        CamsimProcess sim({QStringLiteral("--silent")});
        SteadyClock clock;
        QElapsedTimer t;
        t.start();
        QString why;
        QCOMPARE(detectBaud([] { return makeLinePort(QString()); }, sim.device(), clock, &why),
                 std::nullopt);
        QVERIFY(t.elapsed() < 4000);
        QCOMPARE(detectBaud([] { return makeLinePort(QString()); }, QStringLiteral("/dev/zam-none"),
                            clock, &why),
                 std::nullopt);
        QVERIFY(why.contains(QStringLiteral("no such device")));
    }

    // Paths and addresses that are wrong for another reason than a missing
    // adapter say that reason, not "no such device".
    void openFailuresPointTheRightWay_data()
    {
        QTest::addColumn<QString>("device");
        QTest::addColumn<QString>("says");
        QTest::newRow("regular file") << QStringLiteral("FILE") << QStringLiteral("regular file");
        QTest::newRow("folder") << QStringLiteral("/tmp") << QStringLiteral("a folder");
        QTest::newRow("tcp without port")
            << QStringLiteral("tcp://localhost") << QStringLiteral("tcp://HOST:PORT");
        QTest::newRow("unknown host") << QStringLiteral("tcp://zam-camera.invalid:4001")
                                      << QStringLiteral("zam-camera.invalid could not be found");
    }
    void openFailuresPointTheRightWay()
    {
        QFETCH(QString, device);
        QFETCH(QString, says);
        QTemporaryFile file;
        QVERIFY(file.open());
        if (device == QLatin1String("FILE"))
            device = file.fileName();
        const std::unique_ptr<Port> port = makeLinePort(device);
        const OpenResult r = port->open({device, 9600});
        QVERIFY(!r.ok());
        const QString why = describeOpenFailure(r, device);
        QVERIFY2(why.contains(says), qPrintable(why));
        QVERIFY2(!why.contains(QStringLiteral("no such device")), qPrintable(why));
    }

    // A busy port names the process behind its lock file; a stale or
    // unreadable lock names nobody.
    void busyPortNamesItsHolder()
    {
        QTemporaryDir locks;
        const auto lock = [&](const QByteArray &content) {
            QFile f(locks.filePath(QStringLiteral("LCK..ttyUSB7")));
            QVERIFY(f.open(QIODevice::WriteOnly | QIODevice::Truncate));
            f.write(content);
        };
        const QString device = QStringLiteral("/dev/ttyUSB7");
        lock(QByteArray::number(QCoreApplication::applicationPid()).rightJustified(10) + '\n');
        const QString holder = serialLockHolder(device, {locks.path()});
        const QString self = QFileInfo(QCoreApplication::applicationFilePath()).fileName().left(15);
        QCOMPARE(
            holder,
            QStringLiteral("process %1 (%2)").arg(QCoreApplication::applicationPid()).arg(self));
        QVERIFY(describeOpenFailure({OpenError::Busy, holder}, device)
                    .contains(QStringLiteral("is busy: process ")));
        lock("     999999999\n"); // no such process
        QCOMPARE(serialLockHolder(device, {locks.path()}), QString());
        lock("\x01\x02\x03\x04");
        QCOMPARE(serialLockHolder(device, {locks.path()}), QString());
        QVERIFY(describeOpenFailure({OpenError::Busy, {}}, device)
                    .contains(QStringLiteral("another program")));
    }

    void openFailuresSayWhy()
    {
        QtSerialPortBackend port;
        const OpenResult r = port.open({QStringLiteral("/dev/zam-no-such-port"), 9600});
        QCOMPARE(r.error, OpenError::NoSuchDevice);
        QVERIFY(describeOpenFailure(r, QStringLiteral("/dev/zam-no-such-port"))
                    .contains(QStringLiteral("no such device")));
        // Writes and waits on a port that did not open neither crash nor hang.
        SteadyClock clock;
        CameraLink link(port, clock);
        link.SD(hex("88010001FF"), 1);
        QElapsedTimer t;
        t.start();
        QCOMPARE(link.WaitReply(5), std::nullopt);
        QVERIFY(t.elapsed() < 1500);
    }
};

ZAM_TEST_GUILESS_MAIN(TestSerialE2E)
#include "test_serial_e2e.moc"
