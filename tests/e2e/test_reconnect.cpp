// The whole panel on zam-camsim over a real serial path: the device going
// away mid-session, and Reconnect once it is back under the same name; the
// start-up over TCP, and the far end going away there.

#include "support/camsim.h"
#include "support/panelrig.h"
#include "support/testmain.h"

#include <QDir>
#include <QLabel>
#include <QSignalSpy>
#include <QStatusBar>
#include <QTest>
#include <QToolButton>
#include <cameralink.h>
#include <commandgroups.h>
#include <connectionstatus.h>
#include <frmmain.h>
#include <portfactory.h>
#include <qtserialport.h>

using namespace zam;

class TestReconnect : public QObject {
    Q_OBJECT
private Q_SLOTS:
    void lostAndReconnected()
    {
        const QString path = QDir::temp().filePath(
            QStringLiteral("zam-reconnect-%1").arg(QCoreApplication::applicationPid()));
        const QStringList args{QStringLiteral("--link"), path, QStringLiteral("--cameras"),
                               QStringLiteral("1"), QStringLiteral("--quiet")};
        auto sim = std::make_unique<CamsimProcess>(args);
        QVERIFY(!sim->device().isEmpty());

        SteadyClock clock;
        QtSerialPortBackend port;
        CameraLink link(port, clock);
        FrmMain window(link, {path, 9600});
        CommandGroups groups(window);
        CaughtMessages messages;
        QVERIFY(window.startUp());
        const QObject &ui = window;
        control<QPushButton>(ui, "AutoRefreshed")->click();
        QVERIFY(link.refresh().timerEnabled());

        // The far end goes away: refresh stops, the window says so and offers Reconnect.
        sim.reset();
        ConnectionStatus &status = window.connectionStatus();
        // Noticed when the line hangs up, not at the next refresh's silence.
        QTRY_VERIFY_WITH_TIMEOUT(status.lost(), 1000);
        QVERIFY(!link.refresh().timerEnabled());
        QCOMPARE(control<QPushButton>(ui, "AutoRefreshed")->text(), QStringLiteral("Stop"));
        QVERIFY(status.reconnectButton()->isVisibleTo(&window));

        // Reconnecting while it is still gone fails without ending anything.
        QVERIFY(!window.reconnect());
        QVERIFY(status.lost());

        // Back under the same name: Reconnect runs the start-up exchange again.
        sim = std::make_unique<CamsimProcess>(args);
        QVERIFY(!sim->device().isEmpty());
        messages.clear();
        QVERIFY(window.reconnect());
        QVERIFY(!status.lost());
        QVERIFY(messages.isEmpty());
        QCOMPARE(link.state().CameraCount, 1);
        link.SD(QByteArray::fromHex("8101040002FF"), 1);
        QTRY_VERIFY_WITH_TIMEOUT(link.RecvText().text().contains(QStringLiteral("90 51 FF")), 3000);
    }

    // The whole start-up and a status read over TCP, as through a serial
    // device server on the network.
    void startUpOverTcp()
    {
        PanelOn<CamsimLine> rig(Via::Tcp, {QStringLiteral("--models"), QStringLiteral("41"),
                                           QStringLiteral("--quiet")});
        QVERIFY(!rig.device().isEmpty());
        FrmMain &window = rig.window;
        QSignalSpy reads(&window, &FrmMain::statusReadDone);
        QVERIFY(rig.start());
        QCOMPARE(reads.count(), 1);
        QCOMPARE(reads.first().first().toBool(), true);
        // Model 0x41 was identified over the network: digital zoom hidden.
        QVERIFY(control<QPushButton>(window, "DZoomON")->isHidden());
        QVERIFY(control<QLineEdit>(window, "ModelVersion")->text().contains(QStringLiteral("10x")));
        // The far end going away is reported, not hidden.
        rig.sim.process().terminate();
        QTRY_VERIFY_WITH_TIMEOUT(window.connectionStatus().lost(), 3000);
        QVERIFY(!rig.port.isOpen());
    }
};

ZAM_TEST_MAIN(TestReconnect)
#include "test_reconnect.moc"
