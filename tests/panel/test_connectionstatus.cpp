// The status bar: what it says about the line, the chain and auto refresh,
// and the mark it shows when the camera stops answering.

#include "support/controls.h"
#include "support/panelrig.h"
#include "support/testmain.h"

#include <QTimer>
#include <connectionstatus.h>
#include <md.h>

using namespace zam;

class TestConnectionStatus : public QObject {
    Q_OBJECT
private Q_SLOTS:
    void describesTheSession()
    {
        PanelRig rig(2);
        QVERIFY(rig.start());
        ConnectionStatus &status = rig.window.connectionStatus();
        QCOMPARE(status.portText(), QStringLiteral("Simulated cameras, 9600 bit/s"));
        QCOMPARE(status.chainText(), QStringLiteral("Cameras: 2, selected: 1"));
        QCOMPARE(status.refreshText(), QStringLiteral("Refresh: off"));
        control<QAction>(rig.window, "CameraSel_2")->trigger();
        status.refresh();
        QCOMPARE(status.chainText(), QStringLiteral("Cameras: 2, selected: 2"));

        control<QPushButton>(rig.window, "AutoRefreshed")->click();
        QCOMPARE(status.refreshText(), QStringLiteral("Refresh: on"));
        control<QAction>(rig.window, "DataScreen")->trigger();
        QCOMPARE(status.refreshText(), QStringLiteral("Refresh: paused by a command"));
        rig.run(100);
        QCOMPARE(status.refreshText(), QStringLiteral("Refresh: on"));
        QVERIFY(status.replyText().startsWith(QStringLiteral("Last reply ")));
        QVERIFY(status.replyText().contains(QStringLiteral("round trip")));
        QVERIFY(!status.notAnswering());
    }

    // The start-up's line check is answered through the reply wait, not the
    // receive handler: that is no unanswered command.
    void quietAfterStartUp()
    {
        PanelRig rig(1);
        QVERIFY(rig.start());
        rig.run(ConnectionStatus::kNoAnswerMs + 300);
        QVERIFY(!rig.window.connectionStatus().notAnswering());
    }

    // Replies a wait takes are answers too: the alarm read behind "Alarm
    // Detection..." (detection running, its settings not yet read) and the
    // read buttons of its window send their inquiries as commands, and the
    // wait, not the receive handler, takes the reply.
    void repliesTakenByAWaitAreAnswers()
    {
        PanelRig rig(1);
        QVERIFY(rig.start());
        rig.chain.camera(1).state().mdActive = true;
        rig.window.motionDetection().MDActive = true;
        ConnectionStatus &status = rig.window.connectionStatus();
        bool markedWhileOpen = true;
        QTimer::singleShot(0, [&] {
            rig.run(ConnectionStatus::kNoAnswerMs + 300);
            markedWhileOpen = status.notAnswering();
            if (QWidget *w = QApplication::activeModalWidget())
                w->close();
        });
        control<QAction>(rig.window, "AlarmDetection")->trigger();
        QVERIFY(rig.sent().contains(hexBytes("8109046DFF"))); // the alarm read ran
        QVERIFY(!markedWhileOpen);

        MD *md = rig.groups.display.md();
        QVERIFY(md);
        control<QPushButton>(*md, "cmdsetMDinq")->click();
        QVERIFY(md->log().text().contains(QStringLiteral("81 09 04 6C FF")));
        rig.run(ConnectionStatus::kNoAnswerMs + 300);
        QVERIFY(!status.notAnswering());
    }

    void marksACameraThatStoppedAnswering()
    {
        PanelRig rig(1);
        QVERIFY(rig.start());
        ConnectionStatus &status = rig.window.connectionStatus();
        rig.chain.faults().silent = true;
        control<QAction>(rig.window, "DataScreen")->trigger();
        rig.run(ConnectionStatus::kNoAnswerMs - 1);
        QVERIFY(!status.notAnswering());
        rig.run(1);
        QVERIFY(status.notAnswering());

        // A status read that is answered clears the mark.
        rig.chain.faults().silent = false;
        rig.window.ReadCameraStatus();
        QVERIFY(!status.notAnswering());

        // One that gives up sets it.
        rig.chain.faults().silent = true;
        rig.window.ReadCameraStatus();
        QVERIFY(status.notAnswering());
    }
};

ZAM_TEST_MAIN(TestConnectionStatus)
#include "test_connectionstatus.moc"
