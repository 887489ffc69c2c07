// The sender, the reply wait and the receive handling against the simulated
// chain, with a clock the test moves.

#include "support/scriptedport.h"
#include "support/simline.h"
#include "support/testmain.h"

#include <QSignalSpy>
#include <QTest>
#include <cameralink.h>
#include <catalog.h>
#include <exchange.h>
#include <packet.h>

using namespace zam;

namespace {

struct Rig : SimLine {
    CameraLink link{port, clock};
    Rig() { port.open({QStringLiteral("sim:"), 9600}); }
};

// One exchange with a camera whose replies to the packet are `line`.
struct ExchangeRig {
    FakeClock clock;
    ScriptedPort port;
    CameraLink link{port, clock};
    // `open` earlier packets to camera 1, unanswered, `ageMs` before.
    ExchangeAnswer run(const ExchangeExpect &expect, const QByteArray &line, int open = 0,
                       int ageMs = 0)
    {
        port.open({});
        for (int i = 0; i < open; ++i)
            link.writeRaw(hexBytes("8101040723FF"));
        clock.advance(ageMs);
        port.answer = [line](const QByteArray &) { return line; };
        return exchange(link, hexBytes("81090400FF"), expect);
    }
};

} // namespace

Q_DECLARE_METATYPE(zam::ExchangeExpect)

class TestCameraLink : public QObject {
    Q_OBJECT
private Q_SLOTS:
    // Mode 1 logs the packet and lets the receive handler classify its
    // replies; mode 0 writes without logging and leaves the reply waiting.
    void modesOfSD()
    {
        Rig r;
        QVERIFY(r.link.SD(hexBytes("8101040702FF"), 1));
        QCOMPARE(r.link.SendText().text(), QStringLiteral("8101040702FF\r\n"));
        QCOMPARE(r.port.written().last(), hexBytes("8101040702FF"));
        QSignalSpy finished(&r.link, &CameraLink::commandFinished);
        r.run(100);
        QCOMPARE(r.link.RecvText().text(), QStringLiteral("90 41 FF \r\n90 51 FF \r\n"));
        QCOMPARE(finished.count(), 1);
        r.link.SD(hexBytes("81090002FF"), 0);
        QCOMPARE(r.link.SendText().text(), QStringLiteral("8101040702FF\r\n"));
        r.run(100);
        QCOMPARE(r.link.RecvText().text(), QStringLiteral("90 41 FF \r\n90 51 FF \r\n"));
        QCOMPARE(r.port.bytesAvailable(), 10);
    }

    // While a status read runs the panel's sends are refused; a dialog's own
    // copy of SD sends anyway, logs mode 1 in its own log, and pauses nothing.
    void refusedWhileStatusReadRuns()
    {
        Rig r;
        r.link.refresh().operatorToggled();
        r.link.state().RefreshBusy = true;
        QVERIFY(!r.link.SD(hexBytes("8101040702FF"), 1));
        QVERIFY(r.port.written().isEmpty());
        // Nothing went out, so nothing would resume a pause: auto refresh runs on.
        QVERIFY(r.link.refresh().timerEnabled());
        QVERIFY(r.link.refresh().buttonEnabled());

        TrafficLog own;
        DialogSender plain(r.link, own);
        QVERIFY(plain.SD(hexBytes("8101047600FF"), 1));
        QCOMPARE(own.text(), QStringLiteral("81 01 04 76 00 FF \r\n"));
        QVERIFY(r.link.refresh().timerEnabled());
        QCOMPARE(r.link.receiveThreshold(), 0);
        QVERIFY(plain.SD(hexBytes("8101047601FF"), 0));
        QCOMPARE(own.text(), QStringLiteral("81 01 04 76 00 FF \r\n"));
        QCOMPARE(r.port.written().size(), 2);
    }

    // Each log keeps its last 1000 characters, cut after the event.
    void logCut_data()
    {
        QTest::addColumn<bool>("receive");
        QTest::addColumn<int>("fill");
        QTest::addColumn<int>("expected");
        // 14 characters per logged packet of six bytes, 11 per reply of three.
        QTest::newRow("send exactly 1000") << false << 986 << 1000;
        QTest::newRow("send 1001 cut") << false << 987 << 1000;
        QTest::newRow("send short") << false << 10 << 24;
        QTest::newRow("receive 1009 cut") << true << 998 << 1000;
    }
    void logCut()
    {
        QFETCH(bool, receive);
        QFETCH(int, fill);
        QFETCH(int, expected);
        Rig r;
        r.link.state().LogTraffic = true;
        TrafficLog &log = receive ? r.link.RecvText() : r.link.SendText();
        log.append(QString(fill, QLatin1Char('x')));
        if (receive)
            r.link.receive(hexBytes("9041FF"));
        else
            r.link.SD(hexBytes("8101040702FF"), 1);
        QCOMPARE(log.text().size(), expected);
        QVERIFY(log.text().endsWith(receive ? QStringLiteral("90 41 FF \r\n")
                                            : QStringLiteral("8101040702FF\r\n")));
    }

    // The same reply in one event, byte by byte, and two replies in one
    // event; a network change is a notice and finishes nothing.
    void receiveSplitting()
    {
        Rig r;
        r.link.state().LogTraffic = true;
        QSignalSpy finished(&r.link, &CameraLink::commandFinished);
        QSignalSpy notice(&r.link, &CameraLink::networkChangeReceived);
        r.link.receive(hexBytes("9041FF"));
        QCOMPARE(r.link.RecvText().text(), QStringLiteral("90 41 FF \r\n"));
        QCOMPARE(finished.count(), 0);
        r.link.receive(hexBytes("9038FF"));
        QCOMPARE(notice.count(), 1);
        QCOMPARE(finished.count(), 0);
        r.link.clearLogs();
        for (char c : hexBytes("9051FF"))
            r.link.receive(QByteArray(1, c));
        QCOMPARE(r.link.RecvText().text(), QStringLiteral("90 51 FF \r\n"));
        QCOMPARE(finished.count(), 1);
        r.link.clearLogs();
        r.link.receive(hexBytes("9041FF9051FF"));
        QCOMPARE(finished.count(), 2);
    }

    // Bytes not logged leave the log's tail as it was: its old completion is
    // classified again, until the log is cleared.
    void unloggedBytesClassifyTheOldTail()
    {
        Rig r;
        r.link.state().LogTraffic = true;
        r.link.receive(hexBytes("9051FF"));
        r.link.state().LogTraffic = false;
        QSignalSpy finished(&r.link, &CameraLink::commandFinished);
        r.link.receive(hexBytes("9041FF"));
        // The log still ends in the old completion, which is classified again.
        QCOMPARE(finished.count(), 1);
        QCOMPARE(r.link.RecvText().text(), QStringLiteral("90 51 FF \r\n"));
        r.link.clearLogs();
        r.link.receive(hexBytes("9041FF"));
        QCOMPARE(finished.count(), 1);
    }

    // Auto refresh: paused by a mode-1 send while on, resumed by the
    // finishing reply; the acknowledge alone resumes nothing. With auto
    // refresh off a command changes nothing.
    void pauseAndResume_data()
    {
        QTest::addColumn<bool>("autoOn");
        QTest::newRow("on") << true;
        QTest::newRow("off") << false;
    }
    void pauseAndResume()
    {
        QFETCH(bool, autoOn);
        Rig r;
        AutoRefresh &a = r.link.refresh();
        if (autoOn)
            a.operatorToggled();
        r.link.SD(hexBytes("8101040702FF"), 1);
        QCOMPARE(a.state(), autoOn ? AutoRefresh::State::Paused : AutoRefresh::State::Off);
        r.link.receive(hexBytes("9041FF"));
        QCOMPARE(a.state(), autoOn ? AutoRefresh::State::Paused : AutoRefresh::State::Off);
        r.link.receive(hexBytes("9051FF"));
        QCOMPARE(a.state(), autoOn ? AutoRefresh::State::On : AutoRefresh::State::Off);
        QCOMPARE(a.Timer1().isActive(), autoOn);
        QCOMPARE(a.Timer1().interval(), 2000);
    }

    // A completion nobody waited for leaves a running Timer1 in its period.
    void completionWithoutPauseChangesNothing()
    {
        Rig r;
        AutoRefresh &a = r.link.refresh();
        a.operatorToggled();
        r.clock.advance(300);
        QCOMPARE(a.Timer1().remainingTime(), 1700);
        QSignalSpy changed(&a, &AutoRefresh::changed);
        r.link.state().LogTraffic = true;
        r.link.receive(hexBytes("9051FF"));
        QCOMPARE(changed.count(), 0);
        QCOMPARE(a.Timer1().remainingTime(), 1700);
    }

    void waitReplyTakesEverythingWaiting()
    {
        Rig r;
        r.port.inject(hexBytes("900102030405"));
        r.run(20);
        const auto start = r.clock.nowMs();
        QCOMPARE(r.link.WaitReply(4), std::optional(hexBytes("900102030405")));
        QCOMPARE(r.clock.nowMs(), start);
        QVERIFY(!r.link.stopwatch().armed());
    }

    void waitReplyOverTheLine()
    {
        Rig r;
        r.link.SD(hexBytes("81090002FF"), 0);
        const QByteArray reply = r.link.WaitReply(10).value_or(QByteArray());
        QCOMPARE(reply.size(), 10);
        QCOMPARE(std::uint8_t(reply[0]), std::uint8_t(0x90));
        QCOMPARE(std::uint8_t(reply[5]), std::uint8_t(0x30));
        // Ten bytes at 9600 bit/s take about 10 ms on the line.
        QVERIFY(r.clock.nowMs() > 1'000'010);

        // A mode-1 send whose reply WaitReply takes: the port announces the
        // bytes from inside the wait, and the receive handler must not see them.
        r.link.SD(hexBytes("88010001FF"), 1);
        QSignalSpy finished(&r.link, &CameraLink::commandFinished);
        QCOMPARE(r.link.WaitReply(5), std::optional(hexBytes("88010001FF")));
        r.run(50);
        QCOMPARE(r.link.RecvText().text(), QString());
        QCOMPARE(finished.count(), 0);
    }

    // What each kind of exchange takes for its answer, and what it passes by.
    void exchangeAnswers_data()
    {
        QTest::addColumn<ExchangeExpect>("expect");
        QTest::addColumn<QByteArray>("line");
        QTest::addColumn<int>("result");
        QTest::addColumn<int>("answerIndex");
        QTest::addColumn<QByteArray>("data");
        QTest::addColumn<int>("open");
        QTest::addColumn<int>("ageMs");
        using R = ExchangeResult;
        const auto command = ExchangeExpect::command(1);
        const auto inquiry = ExchangeExpect::inquiry(1, 4);
        ExchangeExpect passing = inquiry;
        passing.passCommandReplies = true;
        const QByteArray none;
        QTest::newRow("completion")
            << command << hexBytes("9041FF9051FF") << int(R::Completed) << 1 << none << 0 << 0;
        QTest::newRow("acknowledge only")
            << command << hexBytes("9041FF") << int(R::NotCompleted) << -1 << none << 0 << 0;
        QTest::newRow("error after acknowledge")
            << command << hexBytes("9041FF906141FF") << int(R::Error) << 1 << none << 0 << 0;
        QTest::newRow("another camera's completion")
            << command << hexBytes("A051FF") << int(R::NoReply) << -1 << none << 0 << 0;
        QTest::newRow("finish: another camera's reply passes")
            << ExchangeExpect::finish(2) << hexBytes("905002FFA041FFA05001FF") << int(R::Data) << 2
            << hexBytes("A05001FF") << 0 << 0;
        QTest::newRow("finish: the chain's echo")
            << ExchangeExpect::finish(catalog::kBroadcast) << hexBytes("9041FF88010001FF")
            << int(R::Data) << 1 << hexBytes("88010001FF") << 0 << 0;
        QTest::newRow("inquiry behind a notice")
            << inquiry << hexBytes("9038FF905007FF") << int(R::Data) << 1 << hexBytes("905007FF")
            << 0 << 0;
        QTest::newRow("inquiry glued behind stray bytes")
            << inquiry << hexBytes("12A0349011905007FF") << int(R::Data) << 0
            << hexBytes("905007FF") << 0 << 0;
        QTest::newRow("inquiry: another camera's reply")
            << inquiry << hexBytes("A05007FF") << int(R::NoReply) << -1 << none << 0 << 0;
        QTest::newRow("inquiry: completion first")
            << inquiry << hexBytes("9051FF905007FF") << int(R::NoReply) << -1 << none << 0 << 0;
        QTest::newRow("inquiry: completion passed over")
            << passing << hexBytes("9041FF9051FF905007FF") << int(R::Data) << 2
            << hexBytes("905007FF") << 0 << 0;
        QTest::newRow("inquiry: error")
            << inquiry << hexBytes("906002FF") << int(R::Error) << 0 << none << 0 << 0;
        // A move sent without a wait finishes while the next packet waits.
        QTest::newRow("an earlier packet's completion is its own")
            << command << hexBytes("9041FF9051FF9041FF906141FF") << int(R::Error) << 3 << none << 1
            << 0;
        QTest::newRow("inquiry: an earlier packet's replies pass")
            << inquiry << hexBytes("9041FF9051FF905007FF") << int(R::Data) << 2
            << hexBytes("905007FF") << 2 << 0;
        QTest::newRow("an unanswered packet lapses after a second")
            << command << hexBytes("9041FF9051FF") << int(R::Completed) << 1 << none << 1 << 1000;
    }
    void exchangeAnswers()
    {
        QFETCH(ExchangeExpect, expect);
        QFETCH(QByteArray, line);
        QFETCH(int, result);
        QFETCH(int, answerIndex);
        QFETCH(QByteArray, data);
        QFETCH(int, open);
        QFETCH(int, ageMs);
        ExchangeRig r;
        const ExchangeAnswer a = r.run(expect, line, open, ageMs);
        QCOMPARE(int(a.result), result);
        QCOMPARE(a.answerIndex, answerIndex);
        QCOMPARE(a.data, data);
    }

    // Bytes behind the answer belong to the receive handling when it is on;
    // a notice among them is passed on once either way.
    void bytesBehindTheAnswer()
    {
        for (int threshold : {0, 1}) {
            ExchangeRig r;
            r.link.state().LogTraffic = true;
            QSignalSpy notices(&r.link, &CameraLink::networkChangeReceived);
            r.link.setReceiveThreshold(threshold);
            ExchangeExpect expect = ExchangeExpect::inquiry(1, 4);
            expect.mode = threshold;
            const ExchangeAnswer a = r.run(expect, hexBytes("905007FF9038FF"));
            QCOMPARE(a.data, hexBytes("905007FF"));
            QCOMPARE(notices.count(), 1);
            QCOMPARE(r.link.RecvText().text(),
                     threshold == 1 ? QStringLiteral("90 38 FF \r\n") : QString());
        }
    }

    void waitCheck()
    {
        FakeClock clock;
        Stopwatch w(clock);
        QVERIFY(w.WaitCheck(0));
        QVERIFY(!w.armed());
        QVERIFY(!w.WaitCheck(0.5));
        QVERIFY(w.armed());
        clock.advance(499);
        QVERIFY(!w.WaitCheck(0.5));
        clock.advance(1);
        QVERIFY(w.WaitCheck(0.5));
        QVERIFY(!w.armed());
        // A clock that is far along (past what a day would hold) changes nothing.
        clock.advance(90'000'000);
        QVERIFY(!w.WaitCheck(1.0));
        clock.advance(1000);
        QVERIFY(w.WaitCheck(1.0));
    }
};

ZAM_TEST_GUILESS_MAIN(TestCameraLink)
#include "test_cameralink.moc"
