// The service dialogs on a simulated chain: the packets of their buttons, the
// timed sequences, the manufacturing-date read and the register set.

#include "support/caughtmessages.h"
#include "support/controls.h"
#include "support/linkrig.h"
#include "support/testmain.h"

#include <QApplication>
#include <QTest>
#include <fset.h>
#include <packet.h>
#include <register.h>

using namespace zam;

namespace {

// A dialog on its own rig, with the operator messages collected.
template <class Dialog> struct DialogRig {
    LinkRig rig;
    Dialog dialog{rig.link};
    CaughtMessages messages;
    // Fake time and cursor at every packet that went out.
    QList<qint64> sentAt;
    QList<bool> busyAtSend;

    DialogRig()
    {
        QObject::connect(&rig.link, &CameraLink::packetWritten, &dialog, [this] {
            sentAt << rig.clock.nowMs();
            const QCursor *c = QApplication::overrideCursor();
            busyAtSend << (c && c->shape() == Qt::WaitCursor);
        });
    }
    sim::ServiceState &camera(int address = 1) { return rig.chain.camera(address).service(); }
    void unlockCamera(int address = 1)
    {
        camera(address).settingMode = true;
        camera(address).writeProtectReleased = true;
    }
    QList<qint64> gaps() const
    {
        QList<qint64> g;
        for (qsizetype i = 1; i < sentAt.size(); ++i)
            g << sentAt[i] - sentAt[i - 1];
        return g;
    }
};

// Drops the camera's answer to the packet; the test puts its own on the line.
void silence(LinkRig &rig, const QByteArray &packet)
{
    rig.chain.faults().dropIf = [packet](const QByteArray &p) { return p == packet; };
}

template <class Dialog> void checkButton(const QString &steps, const QByteArray &expected)
{
    DialogRig<Dialog> r;
    r.rig.autoRefreshOn();
    play(&r.dialog, steps);
    const QString log = r.dialog.template findChild<QPlainTextEdit *>()->toPlainText();
    QVERIFY(r.rig.link.SendText().text().isEmpty());
    QVERIFY(r.messages.isEmpty());
    QCOMPARE(r.rig.sent(), QList<QByteArray>{expected});
    QCOMPARE(log.trimmed(), hexSpaced(expected).trimmed());
    QVERIFY(r.rig.link.refresh().timerEnabled());
}

template <class Dialog> void checkIcrCompensation(const char *button)
{
    DialogRig<Dialog> r;
    r.rig.link.state().CameraAddress = 2;
    play(&r.dialog, button);
    QCOMPARE(r.rig.sent(),
             (QList<QByteArray>{hexBytes("82017F017FFF"), hexBytes("82017F7F020000010001FF"),
                                hexBytes("82017F7F020E06090908FF"),
                                hexBytes("82017F7F020E060A0D08FF")}));
    QCOMPARE(r.gaps(), (QList<qint64>{2000, 2000, 2000}));
    QCOMPARE(r.messages.texts(), QStringList{QStringLiteral("DONE")});
    r.rig.run(100);
    QCOMPARE(int(r.camera(2).eeprom[0xE6A]), 0xD8);
}

const QByteArray kReadMonth = hexBytes("81097F7F010F0003FF");

} // namespace

class TestServiceDialogs : public QObject {
    Q_OBJECT
private Q_SLOTS:
    // One packet per button, logged in the dialog's own box (auto refresh
    // runs on). The Register dialog's Mode frame works on its own boxes,
    // with their initial contents.
    void buttons_data()
    {
        QTest::addColumn<bool>("registerDialog");
        QTest::addColumn<QString>("steps");
        QTest::addColumn<QByteArray>("expected");
        auto sends = [](bool reg, const char *steps, const char *packet) {
            QTest::newRow(steps) << reg << QString(steps) << hexBytes(packet);
        };
        sends(false, "EPromCmdSens", "81017F017FFF");
        sends(false, "EPromWriteProtectrelesase", "81017F7F020000010001FF");
        sends(false, "EPromText1=e6a EPromText2=d8 EPromCmdSet", "81017F7F030E060A0D08FF");
        sends(true, "EPromCmdWR", "81017F7F020000000000FF");
        sends(true, "txtRegisterNo=60 txtRegisterValue=03 comRegisterSet2", "81010424600003FF");
    }
    void buttons()
    {
        QFETCH(bool, registerDialog);
        QFETCH(QString, steps);
        QFETCH(QByteArray, expected);
        if (registerDialog)
            checkButton<Register>(steps, expected);
        else
            checkButton<FSet>(steps, expected);
    }

    // Enter in a box must not run a button (the first one changes the
    // camera's line speed).
    void enterInABoxSendsNothing()
    {
        DialogRig<FSet> r;
        r.dialog.show();
        QVERIFY(QTest::qWaitForWindowExposed(&r.dialog));
        QTest::keyClick(control<QLineEdit>(r.dialog, "EPromText1"), Qt::Key_Return);
        QTest::keyClick(control<QLineEdit>(r.dialog, "EPromText2"), Qt::Key_Enter);
        QVERIFY(r.rig.sent().isEmpty());
        QVERIFY(r.messages.isEmpty());
    }

    void baudRate_data()
    {
        QTest::addColumn<int>("index");
        QTest::addColumn<int>("baud");
        QTest::newRow("9600") << 0 << 9600;
        QTest::newRow("19200") << 1 << 19200;
        QTest::newRow("38400") << 2 << 38400;
    }
    void baudRate()
    {
        QFETCH(int, index);
        QFETCH(int, baud);
        DialogRig<FSet> r;
        r.camera().lineBaud = baud == 9600 ? 38400 : 9600;
        play(&r.dialog, QStringLiteral("CmdBaudRate_%1").arg(index));

        QByteArray last = hexBytes("81017F7F020C0F0C0000FF");
        last[9] = char(index);
        QCOMPARE(r.rig.sent(), (QList<QByteArray>{hexBytes("81017F017FFF"),
                                                  hexBytes("81017F7F020000010001FF"), last}));
        QCOMPARE(r.gaps(), (QList<qint64>{2000, 2000}));
        QCOMPARE(r.busyAtSend, (QList<bool>{true, true, true}));
        QCOMPARE(r.messages.size(), 1); // power the camera off
        QCOMPARE(r.messages.busy, QList<bool>{false});
        QVERIFY(!QApplication::overrideCursor());

        // The camera took the write and changes speed at its next power-up.
        r.rig.run(100);
        QVERIFY(r.camera().lineSpeedChangePending());
        r.camera().powerCycle();
        QCOMPARE(r.camera().lineBaud, baud);
        QVERIFY(!r.camera().writeProtectReleased);
    }

    // Both dialogs' buttons for the ICR compensation: the same timed writes.
    void icrCompensation()
    {
        checkIcrCompensation<FSet>("EPromCmdx36ICRcomp");
        checkIcrCompensation<Register>("EPromCmdKR550ICR");
    }

    // From an unlocked camera (camera 2 here) the date comes from its EEPROM
    // image; the reads are one second apart and their replies never reach
    // the reply log.
    void manufacturingDateFromCamera()
    {
        DialogRig<Register> r;
        r.rig.link.state().CameraAddress = 2;
        r.camera(2).eeprom[0xF03] = 0x6B;
        r.camera(2).eeprom[0xF04] = 0x27;
        r.unlockCamera(2);
        const QString replyLog = r.rig.link.RecvText().text();

        control<QPushButton>(r.dialog, "Manufadatecmd")->click();
        QCOMPARE(r.rig.sent(), (QList<QByteArray>{hexBytes("82097F7F010F0003FF"),
                                                  hexBytes("82097F7F010F0004FF")}));
        QCOMPARE(r.gaps(), QList<qint64>{1000});
        const QObject &ui = r.dialog;
        QCOMPARE(control<QLineEdit>(ui, "ManufaMonthR")->text() +
                     control<QLineEdit>(ui, "ManufadateR")->text() +
                     control<QLineEdit>(ui, "manufayearR")->text(),
                 QStringLiteral("11276"));
        QVERIFY(r.messages.isEmpty());
        r.rig.run(1100);
        QCOMPARE(r.rig.link.RecvText().text(), replyLog);
    }

    // Camera 1 selected. The first reply decides (network-change notices are
    // skipped, and stray bytes glued ahead of it are not part of it):
    // anything but y0 50 b2 b3 b4 b5 FF from the selected camera gives the message (press the
    // protect release), leaves the boxes as they were and reads no more. A failed second read stops
    // quietly, without leaving an earlier day beside the new month and year.
    void manufacturingDateReplies_data()
    {
        QTest::addColumn<bool>("unlocked");
        QTest::addColumn<QByteArray>("silenced"); // the camera does not answer it
        QTest::addColumn<QByteArray>("line");     // on the line instead
        QTest::addColumn<QString>("boxes");       // month, date, year
        const QByteArray none, day = hexBytes("81097F7F010F0004FF");
        QTest::newRow("locked camera") << false << none << none << "oldoldold";
        QTest::newRow("another camera's reply")
            << true << kReadMonth << hexBytes("A0500000060BFF") << "oldoldold";
        QTest::newRow("completion first")
            << true << kReadMonth << hexBytes("9051FF90500000060BFF") << "oldoldold";
        QTest::newRow("notice and stray bytes first")
            << true << kReadMonth << hexBytes("9038FF123490500000060BFF") << "11276";
        QTest::newRow("nothing") << true << kReadMonth << none << "oldoldold";
        QTest::newRow("second read fails") << true << day << none << "116"; // no day
    }
    void manufacturingDateReplies()
    {
        QFETCH(bool, unlocked);
        QFETCH(QByteArray, silenced);
        QFETCH(QByteArray, line);
        QFETCH(QString, boxes);
        DialogRig<FSet> r;
        if (unlocked)
            r.unlockCamera();
        silence(r.rig, silenced);
        r.rig.port.inject(line);
        play(&r.dialog, "ManufaMonth=old Manufadate=old manufayear=old Manufadatecmd");
        const QObject &ui = r.dialog;
        QCOMPARE(control<QLineEdit>(ui, "ManufaMonth")->text() +
                     control<QLineEdit>(ui, "Manufadate")->text() +
                     control<QLineEdit>(ui, "manufayear")->text(),
                 boxes);
        const bool refused = boxes == u"oldoldold";
        QCOMPARE(r.messages.size(), refused ? 1 : 0);
        QCOMPARE(r.rig.sent().size(), refused ? 1 : 2);
        QVERIFY(!QApplication::overrideCursor());
    }

    // A camera that refuses the read answers with an error reply. The read
    // takes what arrived in its one second, the error reply with it: nothing
    // of it is left at the port to turn up in the reply log with the next
    // command's replies and finish that command early.
    void manufacturingDateTakesTheErrorReply()
    {
        DialogRig<FSet> r; // camera locked: y0 60 41 FF
        const auto before = r.rig.clock.nowMs();
        control<QPushButton>(r.dialog, "Manufadatecmd")->click();
        QCOMPARE(r.rig.clock.nowMs() - before, std::int64_t(1000));
        QCOMPARE(r.messages.size(), 1);

        r.rig.run(1000);
        const QString replyLog = r.rig.link.RecvText().text();
        int finished = 0;
        QObject::connect(&r.rig.link, &CameraLink::commandFinished, [&finished] { ++finished; });
        control<QPushButton>(r.dialog, "EPromCmdSens")->click(); // acknowledged, then completed
        r.rig.run(1000);
        QCOMPARE(r.rig.link.RecvText().text().mid(replyLog.size()),
                 QStringLiteral("90 41 FF \r\n90 51 FF \r\n"));
        QCOMPARE(finished, 1);
    }
};

ZAM_TEST_MAIN(TestServiceDialogs)
#include "test_servicedialogs.moc"
