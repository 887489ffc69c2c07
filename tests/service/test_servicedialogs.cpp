// The service dialogs on a simulated chain: the packets of their buttons, the
// timed sequences, the manufacturing-date read and the register set.

#include "support/linkrig.h"

#include <QApplication>
#include <QTest>
#include <fset.h>
#include <packet.h>
#include <register.h>

#include "ui_fset.h"
#include "ui_register.h"

using namespace zam;

namespace
{

// A dialog on its own rig, with the operator messages collected.
template <class Dialog> struct DialogRig {
    LinkRig rig;
    Dialog dialog{rig.link};
    QStringList messages;
    QList<bool> busyAtMessage;
    // Fake time and cursor at every packet that went out.
    QList<qint64> sentAt;
    QList<bool> busyAtSend;

    DialogRig()
    {
        dialog.setMessageHook([this](const service::OperatorMessage &m) {
            messages << m.text;
            busyAtMessage << (QApplication::overrideCursor() != nullptr);
        });
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

QByteArray hex(const char *s)
{
    return QByteArray::fromHex(s);
}

const QString kRelease = QStringLiteral("Please press the write protect releaqse button");

} // namespace

class TestServiceDialogs : public QObject
{
    Q_OBJECT
private Q_SLOTS:
    void modeFrame_data()
    {
        QTest::addColumn<QString>("button");
        QTest::addColumn<QString>("address");
        QTest::addColumn<QString>("data");
        QTest::addColumn<QByteArray>("expected");
        QTest::newRow("setting mode") << "EPromCmdSens"
                                      << ""
                                      << "" << hex("81017F017FFF");
        QTest::newRow("protect release") << "EPromWriteProtectrelesase"
                                         << ""
                                         << "" << hex("81017F7F020000010001FF");
        QTest::newRow("read") << "EPromCmdRD"
                              << "1A5"
                              << "" << hex("81097F7F01010A05FF");
        QTest::newRow("read, short address") << "EPromCmdRD"
                                             << "5"
                                             << "" << hex("81097F7F01000005FF");
        QTest::newRow("write, one data digit") << "EPromCmdWR"
                                               << "001"
                                               << "5" << hex("81017F7F020000010005FF");
        QTest::newRow("set, lower case") << "EPromCmdSet"
                                         << "e6a"
                                         << "d8" << hex("81017F7F030E060A0D08FF");
    }
    void modeFrame()
    {
        QFETCH(QString, button);
        QFETCH(QString, address);
        QFETCH(QString, data);
        QFETCH(QByteArray, expected);
        DialogRig<FSet> r;
        r.dialog.ui()->EPromText1->setText(address);
        r.dialog.ui()->EPromText2->setText(data);
        r.rig.link.refresh().setCaptionAuto(true);
        r.rig.link.refresh().setTimerEnabled(true);
        r.dialog.findChild<QPushButton *>(button)->click();

        QCOMPARE(r.rig.sent(), QList<QByteArray>{expected});
        // Logged in the dialog's own box, not the main window's; auto refresh runs on.
        QCOMPARE(r.dialog.ui()->EPSendText->toPlainText().trimmed(), hexSpaced(expected).trimmed());
        QVERIFY(r.rig.link.SendText().text().isEmpty());
        QVERIFY(r.rig.link.refresh().timerEnabled());
        QVERIFY(r.messages.isEmpty());
    }

    void refusedFields_data()
    {
        QTest::addColumn<QString>("button");
        QTest::addColumn<QString>("address");
        QTest::addColumn<QString>("data");
        QTest::addColumn<QString>("named");
        QTest::newRow("empty address") << "EPromCmdRD"
                                       << ""
                                       << "00"
                                       << "\"Mode\"";
        QTest::newRow("address not hex") << "EPromCmdWR"
                                         << "1G5"
                                         << "00"
                                         << "\"Mode\"";
        QTest::newRow("address too long") << "EPromCmdSet"
                                          << "1A55"
                                          << "00"
                                          << "\"Mode\"";
        QTest::newRow("data too long") << "EPromCmdWR"
                                       << "001"
                                       << "123"
                                       << "\"Data\"";
        QTest::newRow("data not hex") << "EPromCmdSet"
                                      << "001"
                                      << "0x"
                                      << "\"Data\"";
    }
    void refusedFields()
    {
        QFETCH(QString, button);
        QFETCH(QString, address);
        QFETCH(QString, data);
        QFETCH(QString, named);
        DialogRig<FSet> r;
        r.dialog.ui()->EPromText1->setText(address);
        r.dialog.ui()->EPromText2->setText(data);
        r.dialog.findChild<QPushButton *>(button)->click();
        QVERIFY(r.rig.sent().isEmpty());
        QCOMPARE(r.messages.size(), 1);
        QVERIFY2(r.messages[0].contains(named), qPrintable(r.messages[0]));
        QVERIFY(r.dialog.ui()->EPSendText->toPlainText().isEmpty());
    }

    // Enter in a box must not run a button (the first one changes the
    // camera's line speed).
    void enterInABoxSendsNothing()
    {
        DialogRig<FSet> r;
        r.dialog.show();
        QVERIFY(QTest::qWaitForWindowExposed(&r.dialog));
        QTest::keyClick(r.dialog.ui()->EPromText1, Qt::Key_Return);
        QTest::keyClick(r.dialog.ui()->EPromText2, Qt::Key_Enter);
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
        QPushButton *const buttons[] = {r.dialog.ui()->CmdBaudRate_0, r.dialog.ui()->CmdBaudRate_1,
                                        r.dialog.ui()->CmdBaudRate_2};
        buttons[index]->click();

        QByteArray last = hex("81017F7F020C0F0C0000FF");
        last[9] = char(index);
        QCOMPARE(r.rig.sent(),
                 (QList<QByteArray>{hex("81017F017FFF"), hex("81017F7F020000010001FF"), last}));
        QCOMPARE(r.gaps(), (QList<qint64>{2000, 2000}));
        QCOMPARE(r.busyAtSend, (QList<bool>{true, true, true}));
        QCOMPARE(r.messages, QStringList{QStringLiteral(
                                 " Please Turn off the Camera Power and Exit This program.")});
        QCOMPARE(r.busyAtMessage, QList<bool>{false});
        QVERIFY(!QApplication::overrideCursor());

        // The camera took the write and changes speed at its next power-up.
        r.rig.run(100);
        QCOMPARE(int(r.camera().eeprom[0xCFC]), index);
        QVERIFY(r.camera().lineSpeedChangePending());
        r.camera().powerCycle();
        QCOMPARE(r.camera().lineBaud, baud);
        QVERIFY(!r.camera().writeProtectReleased);
    }

    void icrCompensation_data()
    {
        QTest::addColumn<bool>("registerDialog");
        QTest::newRow("x36 (Factory Set)") << false;
        QTest::newRow("KR550 (Register)") << true;
    }
    void icrCompensation()
    {
        QFETCH(bool, registerDialog);
        DialogRig<FSet> f;
        DialogRig<Register> g;
        auto &rig = registerDialog ? g.rig : f.rig;
        rig.link.state().CameraAddress = 2;
        if (registerDialog)
            g.dialog.ui()->EPromCmdKR550ICR->click();
        else
            f.dialog.ui()->EPromCmdx36ICRcomp->click();

        QCOMPARE(rig.sent(),
                 (QList<QByteArray>{hex("82017F017FFF"), hex("82017F7F020000010001FF"),
                                    hex("82017F7F020E06090908FF"), hex("82017F7F020E060A0D08FF")}));
        QCOMPARE(registerDialog ? g.gaps() : f.gaps(), (QList<qint64>{2000, 2000, 2000}));
        QCOMPARE(registerDialog ? g.messages : f.messages, QStringList{QStringLiteral("DONE")});
        rig.run(100);
        const auto &cam = rig.chain.camera(2).service();
        QCOMPARE(int(cam.eeprom[0xE69]), 0x98);
        QCOMPARE(int(cam.eeprom[0xE6A]), 0xD8);
    }

    // After the protect release from the dialog's buttons, the date comes
    // from the camera's EEPROM image; the reads are one second apart and
    // their replies never reach the reply log.
    void manufacturingDateFromCamera()
    {
        DialogRig<Register> r;
        r.camera().eeprom[0xF03] = 0x6B;
        r.camera().eeprom[0xF04] = 0x27;
        r.dialog.ui()->EPromCmdSens->click();
        r.rig.run(50);
        r.dialog.ui()->EPromWriteProtectrelesase->click();
        r.rig.run(50);
        r.rig.clearSent();
        r.sentAt.clear();
        const QString replyLog = r.rig.link.RecvText().text();

        r.dialog.ui()->Manufadatecmd->click();
        QCOMPARE(r.rig.sent(),
                 (QList<QByteArray>{hex("81097F7F010F0003FF"), hex("81097F7F010F0004FF")}));
        QCOMPARE(r.gaps(), QList<qint64>{1000});
        QCOMPARE(r.dialog.ui()->ManufaMonthR->text(), QStringLiteral("11"));
        QCOMPARE(r.dialog.ui()->manufayearR->text(), QStringLiteral("6"));
        QCOMPARE(r.dialog.ui()->ManufadateR->text(), QStringLiteral("27"));
        QVERIFY(r.messages.isEmpty());
        r.rig.run(1100);
        QCOMPARE(r.rig.link.RecvText().text(), replyLog);
    }

    // The first reply decides: anything but y0 50 b2 b3 b4 b5 FF from the
    // selected camera gives the message and leaves the boxes as they were.
    void manufacturingDateFirstReply_data()
    {
        QTest::addColumn<int>("camera");
        QTest::addColumn<bool>("unlocked");
        QTest::addColumn<bool>("fromLine"); // the camera stays silent, the line carries `reply`
        QTest::addColumn<QByteArray>("reply");
        QTest::addColumn<bool>("good");
        QTest::newRow("camera 2") << 2 << true << false << QByteArray() << true;
        QTest::newRow("locked camera") << 1 << false << false << QByteArray() << false;
        QTest::newRow("another camera's reply")
            << 1 << true << true << hex("A0500000060BFF") << false;
        QTest::newRow("short") << 1 << true << true << hex("9050000006") << false;
        QTest::newRow("completion first")
            << 1 << true << true << hex("9051FF90500000060BFF") << false;
        QTest::newRow("terminator late") << 1 << true << true << hex("90500000060B00FF") << false;
        QTest::newRow("nothing") << 1 << true << true << QByteArray() << false;
    }
    void manufacturingDateFirstReply()
    {
        QFETCH(int, camera);
        QFETCH(bool, unlocked);
        QFETCH(bool, fromLine);
        QFETCH(QByteArray, reply);
        QFETCH(bool, good);
        DialogRig<FSet> r;
        r.rig.link.state().CameraAddress = camera;
        if (unlocked) r.unlockCamera(camera);
        auto *ui = r.dialog.ui();
        for (auto *box : {ui->ManufaMonth, ui->Manufadate, ui->manufayear})
            box->setText(QStringLiteral("old"));
        if (fromLine) {
            r.rig.chain.faults().dropIf = [](const QByteArray &p) {
                return p.size() > 1 && p[1] == 0x09;
            };
            r.rig.port.inject(reply);
        }

        ui->Manufadatecmd->click();
        if (good) {
            QCOMPARE(ui->ManufaMonth->text(), QStringLiteral("11"));
            QCOMPARE(ui->manufayear->text(), QStringLiteral("6"));
            QVERIFY(r.messages.isEmpty());
            return;
        }
        QCOMPARE(r.messages, QStringList{kRelease});
        QCOMPARE(r.rig.sent().size(), 1); // no second read
        for (auto *box : {ui->ManufaMonth, ui->Manufadate, ui->manufayear})
            QCOMPARE(box->text(), QStringLiteral("old"));
        QVERIFY(!QApplication::overrideCursor());
    }

    // A failed second read stops quietly, without leaving an earlier day
    // beside the new month and year.
    void manufacturingDateSecondReadFails()
    {
        DialogRig<FSet> r;
        r.unlockCamera();
        r.rig.chain.faults().dropIf = [](const QByteArray &p) {
            return p == hex("81097F7F010F0004FF");
        };
        r.dialog.ui()->Manufadate->setText(QStringLiteral("31"));
        r.dialog.ui()->Manufadatecmd->click();
        QCOMPARE(r.dialog.ui()->ManufaMonth->text(), QStringLiteral("11"));
        QCOMPARE(r.dialog.ui()->manufayear->text(), QStringLiteral("6"));
        QCOMPARE(r.dialog.ui()->Manufadate->text(), QString());
        QVERIFY(r.messages.isEmpty());
    }

    // Bytes after the read reply are left to the receive handling: here a
    // network-change notice that arrived right behind it.
    void manufacturingDateLeavesTheNextReply()
    {
        DialogRig<FSet> r;
        r.unlockCamera();
        r.rig.chain.faults().dropIf = [](const QByteArray &p) {
            return p == hex("81097F7F010F0003FF");
        };
        r.rig.port.inject(hex("90500000060BFF9038FF"));
        int notices = 0;
        QObject::connect(&r.rig.link, &CameraLink::networkChangeReceived,
                         [&notices] { ++notices; });
        r.dialog.ui()->Manufadatecmd->click();
        QCOMPARE(r.dialog.ui()->ManufaMonth->text(), QStringLiteral("11"));
        QCOMPARE(r.dialog.ui()->Manufadate->text(), QStringLiteral("27"));
        QCOMPARE(notices, 1);
        QVERIFY(r.rig.link.RecvText().text().contains(QStringLiteral("90 38 FF")));
    }

    void registerSet_data()
    {
        QTest::addColumn<QString>("number");
        QTest::addColumn<QString>("value");
        QTest::addColumn<QByteArray>("expected"); // empty: refused
        QTest::addColumn<int>("stored");
        QTest::newRow("language Chinese") << "60"
                                          << "03" << hex("81010424600003FF") << 0x03;
        QTest::newRow("highest register") << "7F"
                                          << "FF" << hex("810104247F0F0FFF") << 0xFF;
        QTest::newRow("one-digit value") << "0"
                                         << "5" << hex("81010424000005FF") << 0x05;
        QTest::newRow("register 80") << "80"
                                     << "00" << QByteArray() << 0;
        QTest::newRow("three-digit number") << "060"
                                            << "00" << QByteArray() << 0;
        QTest::newRow("empty number") << ""
                                      << "00" << QByteArray() << 0;
        QTest::newRow("value too long") << "60"
                                        << "100" << QByteArray() << 0;
        QTest::newRow("value not hex") << "60"
                                       << "G" << QByteArray() << 0;
    }
    void registerSet()
    {
        QFETCH(QString, number);
        QFETCH(QString, value);
        QFETCH(QByteArray, expected);
        QFETCH(int, stored);
        DialogRig<Register> r;
        r.dialog.ui()->txtRegisterNo->setText(number);
        r.dialog.ui()->txtRegisterValue->setText(value);
        r.dialog.ui()->comRegisterSet2->click();
        if (expected.isEmpty()) {
            QVERIFY(r.rig.sent().isEmpty());
            QCOMPARE(r.messages.size(), 1);
            QVERIFY(r.messages[0].contains(QStringLiteral("register")));
            return;
        }
        QCOMPARE(r.rig.sent(), QList<QByteArray>{expected});
        QCOMPARE(r.dialog.ui()->EPSendTextR->toPlainText().trimmed(),
                 hexSpaced(expected).trimmed());
        r.rig.run(50);
        QCOMPARE(int(r.camera().registers[std::size_t(expected[4])]), stored);
    }

    // The Register dialog's Mode frame works on its own boxes, with their
    // initial contents.
    void registerDialogBoxes()
    {
        DialogRig<Register> r;
        QCOMPARE(r.dialog.windowTitle(), QStringLiteral("Resgister"));
        r.dialog.ui()->EPromCmdWR->click();
        QCOMPARE(r.rig.sent(), QList<QByteArray>{hex("81017F7F020000000000FF")});
    }
};

QTEST_MAIN(TestServiceDialogs)
#include "test_servicedialogs.moc"
