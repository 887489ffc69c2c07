// The port settings window: defaults, choices and command-line preselection.

#include "support/controls.h"
#include "support/specialfiles.h"
#include "support/testmain.h"
#include <QSettings>
#include <QTemporaryDir>
#include <QTest>
#include <QTimer>
#include <camerachain.h>
#include <clock.h>
#include <frmoption.h>
#include <hexfield.h>
#include <portmemory.h>
#include <simport.h>

using namespace zam;

namespace {

QList<PortEntry> someEntries()
{
    QList<PortEntry> e;
    for (int n = 1; n <= 8; ++n)
        e.append({QStringLiteral("Com%1").arg(n), comDevice(n), n});
    e.append({QStringLiteral("ttyUSB0 (USB serial)"), QStringLiteral("/dev/ttyUSB0"), 0});
    e.append({QStringLiteral("Simulated cameras"), QString::fromLatin1(kSimulatedDevice), 0});
    return e;
}

} // namespace

class TestFrmOption : public QObject {
    Q_OBJECT
private Q_SLOTS:
    // The port and speed chosen, or left at their defaults (-1): Com1 at 9600.
    void choices_data()
    {
        QTest::addColumn<int>("index");
        QTest::addColumn<int>("rate");
        QTest::addColumn<int>("portNumber");
        QTest::addColumn<QString>("baud");
        QTest::newRow("defaults") << -1 << -1 << 1 << "9600";
        QTest::newRow("Com8 at 19200") << 7 << 1 << 8 << "19200";
        QTest::newRow("Com3 at 38400") << 2 << 2 << 3 << "38400";
        QTest::newRow("USB adapter") << 8 << 0 << 0 << "9600";
    }
    void choices()
    {
        QFETCH(int, index);
        QFETCH(int, rate);
        QFETCH(int, portNumber);
        QFETCH(QString, baud);
        FrmOption w(someEntries());
        QVERIFY(control<QRadioButton>(w, "OBrate_0")->isChecked());
        QVERIFY(control<QGroupBox>(w, "SimFrame")->isHidden());
        if (index >= 0) {
            control<QComboBox>(w, "ComList")->setCurrentIndex(index);
            QTest::mouseClick(
                control<QRadioButton>(w, qPrintable(QStringLiteral("OBrate_%1").arg(rate))),
                Qt::LeftButton);
        }
        QTest::mouseClick(control<QPushButton>(w, "Command1"), Qt::LeftButton);
        QCOMPARE(w.result(), int(QDialog::Accepted));
        QCOMPARE(w.choice().CommPortNumber, portNumber);
        QCOMPARE(w.choice().BaudRateText, baud);
#ifndef Q_OS_WIN
        if (index < 0)
            QCOMPARE(w.choice().entry.device, QStringLiteral("/dev/ttyS0"));
#endif
    }

    // (That a screen reader names every control is test_accessibility's.)
    void keyboardReachesEverything()
    {
        FrmOption w(someEntries());
        QCOMPARE(control<QLabel>(w, "Label1")->buddy(), control<QComboBox>(w, "ComList"));
    }

    // A device or simulated chain preselected from the command line (a
    // device not in the list joins it, before the simulated entry) is
    // accepted, remembered and preselected in the next run; the command line
    // still overrides it; a store that holds no sound choice leaves the
    // defaults.
    void rememberedChoice_data()
    {
        QTest::addColumn<QString>("device");
        QTest::addColumn<QString>("baud");
        QTest::addColumn<int>("cameras");
        QTest::addColumn<QList<int>>("models");
        QTest::newRow("device not listed") << "/dev/pts/7"
                                           << "19200" << 2 << QList<int>{};
        QTest::newRow("chain of seven") << "sim:"
                                        << "38400" << 7 << QList{0x30, 0x41, 0x20};
    }
    void rememberedChoice()
    {
        QFETCH(QString, device);
        QFETCH(QString, baud);
        QFETCH(int, cameras);
        QFETCH(QList<int>, models);
        const bool simulated = device == QLatin1String(kSimulatedDevice);
        QTemporaryDir dir;
        QSettings store(dir.filePath("zam-panel.ini"), QSettings::IniFormat);
        {
            FrmOption first(someEntries());
            if (simulated)
                first.preselectSimulated(cameras, QStringLiteral("30,41,20"));
            else
                first.preselectDevice(device);
            first.preselectBaud(baud);
            first.show();
            QCOMPARE(control<QGroupBox>(first, "SimFrame")->isVisible(), simulated);
            const auto *list = control<QComboBox>(first, "ComList");
            QCOMPARE(list->itemText(list->count() - 1), QStringLiteral("Simulated cameras"));
            QTest::mouseClick(control<QPushButton>(first, "Command1"), Qt::LeftButton);
            rememberPort(store, first.choice());
        }
        const auto remembered = recallPort(store);
        QVERIFY(remembered);
        FrmOption next(someEntries());
        next.preselect(*remembered);
        QTest::mouseClick(control<QPushButton>(next, "Command1"), Qt::LeftButton);
        QCOMPARE(next.choice().entry.device, device);
        QCOMPARE(next.choice().BaudRateText, baud);
        QCOMPARE(next.choice().entry.simulated(), simulated);
        if (simulated) {
            QCOMPARE(next.choice().simCameras, cameras);
            QCOMPARE(next.choice().simModels, models);
        }

        FrmOption overridden(someEntries());
        overridden.preselect(*remembered);
        overridden.preselectBaud(QStringLiteral("9600"));
        QTest::mouseClick(control<QPushButton>(overridden, "Command1"), Qt::LeftButton);
        QCOMPARE(overridden.choice().BaudRateText, QStringLiteral("9600"));
    }
    void unsoundMemoryIsIgnored()
    {
        QTemporaryDir dir;
        QSettings store(dir.filePath("zam-panel.ini"), QSettings::IniFormat);
        QVERIFY(!recallPort(store));
        store.setValue("port/device", "/dev/ttyS0");
        store.setValue("port/baud", "4800");
        QVERIFY(!recallPort(store));
        store.setValue("port/baud", "9600");
        store.setValue("port/simCameras", "9");
        QVERIFY(!recallPort(store));
        store.setValue("port/simCameras", "2");
        QVERIFY(recallPort(store));
    }

    // The remembered file is read and written only as a regular file: a link
    // to a FIFO or a device is refused with a message and left as it was.
    void memoryFileOnlyWhereRegular()
    {
        QTemporaryDir dir;
        const QString fifo = dir.filePath("fifo");
        const QString device = deviceNode(dir.path());
        if (device.isEmpty())
            QSKIP("no device node of our own");
        QVERIFY(makeFifo(fifo));
        PortChoice choice;
        choice.entry.device = QStringLiteral("/dev/ttyS1");
        choice.BaudRateText = QStringLiteral("19200");
        for (const QString &target : {fifo, device}) {
            const QString link = dir.filePath("zam-panel.ini");
            QFile::remove(link);
            QVERIFY(QFile::link(target, link));
            const RecalledPort recalled = recallPort(link);
            QVERIFY(!recalled.memory);
            QVERIFY2(recalled.error.endsWith(", not a regular file"), qPrintable(recalled.error));
            QVERIFY(rememberPort(link, choice).endsWith(", not a regular file"));
            QCOMPARE(QFileInfo(link).symLinkTarget(), target);
            QVERIFY(!QFileInfo(target).isFile());
        }
        // Through a link to a regular file, the file is written and read back.
        const QString file = dir.filePath("real.ini");
        const QString link = dir.filePath("linked.ini");
        QFile(file).open(QIODevice::WriteOnly);
        QVERIFY(QFile::link(file, link));
        QCOMPARE(rememberPort(link, choice), QString());
        QVERIFY(QFileInfo(link).isSymLink() && QFileInfo(file).isFile());
        QCOMPARE(recallPort(link).memory->baud, QStringLiteral("19200"));
    }

    // Detect tries the three speeds on the chosen port and selects the one
    // the chain answers at.
    void detectSelectsTheAnsweringSpeed()
    {
        FrmOption w(someEntries());
        w.preselectSimulated(1, QStringLiteral("30"));
        w.setPortMaker([](const PortChoice &c) -> std::unique_ptr<Port> {
            static SteadyClock clock;
            auto chain = std::make_unique<sim::CameraChain>(c.simCameras, c.simModels);
            chain->lineBaud = 38400;
            return std::make_unique<sim::SimPort>(std::move(chain), clock);
        });
        QTest::mouseClick(control<QPushButton>(w, "Detect"), Qt::LeftButton);
        QVERIFY(control<QRadioButton>(w, "OBrate_2")->isChecked());
        QVERIFY(control<QLabel>(w, "DetectResult")->text().contains(QStringLiteral("38400")));
    }

    void networkEntryAsksForTheAddress()
    {
        auto entries = someEntries();
        entries.insert(entries.size() - 1, {QStringLiteral("Network (host:port)..."),
                                            QString::fromLatin1(kNetworkDevice), 0});
        FrmOption w(entries);
        w.askNetworkAddress = [] { return QStringLiteral("serial-server.test:4001"); };
        control<QComboBox>(w, "ComList")->setCurrentIndex(int(entries.size()) - 2);
        QTest::mouseClick(control<QPushButton>(w, "Command1"),
                          Qt::LeftButton); // asks instead of accepting
        QCOMPARE(control<QComboBox>(w, "ComList")->currentText(),
                 QStringLiteral("tcp://serial-server.test:4001"));
        QTest::mouseClick(control<QPushButton>(w, "Command1"), Qt::LeftButton);
        QCOMPARE(w.choice().entry.device, QStringLiteral("tcp://serial-server.test:4001"));
    }

    void badModelCodesRefused()
    {
        FrmOption w(someEntries());
        w.preselectSimulated(2, QStringLiteral("30,zz"));
        QTimer::singleShot(0, [] {
            if (QWidget *box = QApplication::activeModalWidget())
                box->close();
        });
        QTest::mouseClick(control<QPushButton>(w, "Command1"), Qt::LeftButton);
        QCOMPARE(w.result(), int(QDialog::Rejected));
        QList<int> codes;
        QVERIFY(parseModelCodes(QStringLiteral("0x11 2b, 41"), codes));
        QCOMPARE(codes, (QList<int>{0x11, 0x2B, 0x41}));
        QVERIFY(!parseModelCodes(QStringLiteral("100"), codes));
    }
};

ZAM_TEST_MAIN(TestFrmOption)
#include "test_frmoption.moc"
