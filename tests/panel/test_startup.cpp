// Start-up of the main window against simulated chains, and camera selection.

#include "support/panelrig.h"

#include "ui_frmmain.h"

using namespace zam;

class TestStartup : public QObject {
    Q_OBJECT
private Q_SLOTS:
    void chainNumbering_data()
    {
        QTest::addColumn<int>("cameras");
        QTest::newRow("one camera") << 1;
        QTest::newRow("two cameras") << 2;
    }
    void chainNumbering()
    {
        QFETCH(int, cameras);
        PanelRig rig(cameras);
        QVERIFY(rig.window.startUp());
        const auto &sent = rig.port.written();
        QCOMPARE(sent.value(0), hexBytes("88010001FF"));
        QCOMPARE(sent.value(1), hexBytes("883001FF"));
        QCOMPARE(sent.value(2), hexBytes("81090002FF"));
        auto *ui = rig.window.ui();
        QCOMPARE(rig.link.state().CameraCount, cameras);
        QVERIFY(ui->CameraSel_1->isEnabled());
        QCOMPARE(ui->CameraSel_2->isEnabled(), cameras >= 2);
        QVERIFY(ui->CameraSel_1->isChecked());
        QVERIFY(!ui->CameraSel_2->isChecked());
        QCOMPARE(ui->Active->text(), QStringLiteral("1"));
        QCOMPARE(ui->Baudratetxt->text(), QStringLiteral("9600"));
        // Auto refresh off, ready for a single refresh.
        QCOMPARE(ui->AutoRefreshed->text(), QStringLiteral("Stop"));
        QVERIFY(ui->AutoRefreshed->isEnabled());
        QVERIFY(ui->Refreshonce->isEnabled());
        QVERIFY(!rig.link.refresh().timerEnabled());
        // The line check is logged; the echo was taken by the reply wait.
        QVERIFY(ui->SendText->toPlainText().startsWith(QStringLiteral("88010001FF")));
        QVERIFY(rig.messages.isEmpty());
    }

    // On a chain that answers only at the chosen speed the window shows that
    // speed once the line check has passed.
    void lineSpeedShown_data()
    {
        QTest::addColumn<int>("baud");
        QTest::newRow("9600") << 9600;
        QTest::newRow("19200") << 19200;
        QTest::newRow("38400") << 38400;
    }
    void lineSpeedShown()
    {
        QFETCH(int, baud);
        FakeClock clock;
        sim::CameraChain chain(1);
        chain.lineBaud = baud;
        chain.camera(1).service().lineBaud = baud;
        sim::SimPort port(chain, clock);
        CameraLink link(port, clock);
        link.state().BaudRateText = QString::number(baud); // the port settings window's choice
        FrmMain window(link, {QStringLiteral("sim:"), baud});
        window.setStartupMessageSink(
            [](const QString &, const QString &text, const QString &) { QFAIL(qPrintable(text)); });
        QVERIFY(window.startUp());
        QCOMPARE(window.ui()->Baudratetxt->text(), QString::number(baud));
    }

    void selectingCamera2()
    {
        PanelRig rig(2);
        QVERIFY(rig.start());
        auto *ui = rig.window.ui();
        ui->CameraSel_2->trigger();
        QCOMPARE(rig.link.state().CameraAddress, 2);
        QVERIFY(ui->CameraSel_2->isChecked());
        QVERIFY(!ui->CameraSel_1->isChecked());
        QCOMPARE(ui->Active->text(), QStringLiteral("2"));
        QCOMPARE(rig.link.state().header(), std::uint8_t(0x82));
    }

    void noCameraEndsWithMessage()
    {
        PanelRig rig(1);
        rig.chain.faults().silent = true;
        QVERIFY(!rig.window.startUp());
        QCOMPARE(rig.messages, QStringList{FrmMain::kCommunicationMessage});
        QCOMPARE(rig.port.written().size(), 1);
    }

    void missingDeviceSaysWhy()
    {
        PanelRig rig(1);
        rig.port.setOpenFailure(OpenError::NoSuchDevice);
        QVERIFY(!rig.window.startUp());
        QCOMPARE(rig.messages, QStringList{FrmMain::kCommunicationMessage});
        QVERIFY(rig.details.value(0).contains(QStringLiteral("no such device")));
    }

    // A camera that answers the line check but then stops answering costs a
    // bounded number of attempts, not the session.
    void boundedRetries_data()
    {
        QTest::addColumn<QByteArray>("dropped");
        QTest::addColumn<int>("packets");
        QTest::newRow("address set") << hexBytes("883001FF") << 1 + 3;
        QTest::newRow("version inquiry") << hexBytes("81090002FF") << 1 + 1 + 3;
    }
    void boundedRetries()
    {
        QFETCH(QByteArray, dropped);
        QFETCH(int, packets);
        PanelRig rig(1);
        rig.chain.faults().dropIf = [dropped](const QByteArray &p) { return p == dropped; };
        const auto before = rig.clock.nowMs();
        QVERIFY(!rig.window.startUp());
        QCOMPARE(rig.port.written().size(), packets);
        QCOMPARE(rig.messages, QStringList{FrmMain::kCommunicationMessage});
        QVERIFY(rig.clock.nowMs() - before < 5000);
    }

    void garbledVersionReplyRetried()
    {
        PanelRig rig(1);
        int versionAsked = 0;
        rig.chain.faults().dropIf = [&](const QByteArray &p) {
            // The first version inquiry goes unanswered; the second is answered.
            return p == hexBytes("81090002FF") && ++versionAsked == 1;
        };
        QVERIFY(rig.window.startUp());
        // Asked again straight away (the status read that follows asks once more).
        QCOMPARE(rig.port.written().value(2), hexBytes("81090002FF"));
        QCOMPARE(rig.port.written().value(3), hexBytes("81090002FF"));
        QVERIFY(rig.messages.isEmpty());
    }
};

QTEST_MAIN(TestStartup)
#include "test_startup.moc"
