// The exchanges that open a session with the chain, on a scripted line and a
// clock that only moves when the link waits.

#include "support/scriptedport.h"

#include <QTest>
#include <cameralink.h>
#include <chainstartup.h>
#include <statusblocks.h>

using namespace zam;

namespace {

QByteArray hex(const char *s)
{
    return QByteArray::fromHex(s);
}

// A line whose camera gives the scripted replies in turn, one per packet,
// and then nothing.
struct ScriptedLine {
    explicit ScriptedLine(QList<QByteArray> replies) : replies(std::move(replies))
    {
        port.answer = [this](const QByteArray &) { return this->replies.value(next++); };
        port.open({});
    }
    QList<QByteArray> replies;
    int next = 0;
    ScriptedPort port;
    FakeClock clock;
    CameraLink link{port, clock};
};

} // namespace

class TestChainStartup : public QObject {
    Q_OBJECT
private Q_SLOTS:
    void lineCheck_data()
    {
        QTest::addColumn<QByteArray>("reply");
        QTest::addColumn<bool>("passes");
        QTest::newRow("echo") << hex("88010001FF") << true;
        QTest::newRow("silence") << QByteArray() << false;
        QTest::newRow("a camera's reply") << hex("9041FF9051") << false;
        QTest::newRow("short echo") << hex("8801") << false;
    }
    void lineCheck()
    {
        QFETCH(QByteArray, reply);
        QFETCH(bool, passes);
        ScriptedLine line({reply});
        const auto started = line.clock.nowMs();
        QCOMPARE(zam::lineCheck(line.link), passes);
        QCOMPARE(line.port.packets(), QList<QByteArray>{hex("88010001FF")});
        // One wait of one second at most.
        QVERIFY(line.clock.nowMs() - started <= 1100);
    }

    void numberChain_data()
    {
        QTest::addColumn<QList<QByteArray>>("replies");
        QTest::addColumn<std::optional<int>>("count");
        QTest::addColumn<int>("packets");
        QTest::newRow("two cameras") << QList{hex("883003FF")} << std::optional(2) << 1;
        QTest::newRow("seven cameras") << QList{hex("883008FF")} << std::optional(7) << 1;
        QTest::newRow("more than the chain holds")
            << QList{hex("88300AFF")} << std::optional(7) << 1;
        QTest::newRow("none") << QList{hex("883000FF")} << std::optional(0) << 1;
        QTest::newRow("wrong reply, then the count")
            << QList{hex("904100FF"), hex("883002FF")} << std::optional(1) << 2;
        QTest::newRow("no terminator, three times")
            << QList{hex("883003FE"), hex("883003FE"), hex("883003FE"), hex("883003FF")}
            << std::optional<int>() << 3;
        QTest::newRow("another command's echo")
            << QList{hex("883103FF"), hex("883103FF"), hex("883103FF")} << std::optional<int>()
            << 3;
        QTest::newRow("silence") << QList<QByteArray>() << std::optional<int>() << 3;
    }
    void numberChain()
    {
        QFETCH(QList<QByteArray>, replies);
        QFETCH(std::optional<int>, count);
        QFETCH(int, packets);
        ScriptedLine line(replies);
        QCOMPARE(zam::numberChain(line.link), count);
        QCOMPARE(line.port.packets(), QList<QByteArray>(packets, hex("883001FF")));
    }

    void askVersion()
    {
        // The first reply is not a version reply; the second comes from
        // camera 2. It is taken, and the strict check then refuses it for
        // camera 1, as the panel skips the model of another camera.
        QByteArray fromTwo = hex("A0500000300000000000");
        fromTwo[9] = char(0xFF);
        ScriptedLine line({hex("9041FF"), fromTwo});
        const auto reply = zam::askVersion(line.link, 1);
        QCOMPARE(reply, std::optional(fromTwo));
        QCOMPARE(line.port.packets(), (QList{hex("81090002FF"), hex("81090002FF")}));
        QVERIFY(!decodeVersion(*reply, 1).valid);
        QVERIFY(decodeVersion(*reply, 2).valid);

        ScriptedLine silent({});
        QCOMPARE(zam::askVersion(silent.link, 7), std::nullopt);
        QCOMPARE(silent.port.packets(), QList<QByteArray>(3, hex("87090002FF")));

        for (int address : {0, 8, -1}) {
            ScriptedLine none({});
            QCOMPARE(zam::askVersion(none.link, address), std::nullopt);
            QVERIFY(none.port.packets().isEmpty());
        }
    }
};

QTEST_GUILESS_MAIN(TestChainStartup)
#include "test_chainstartup.moc"
