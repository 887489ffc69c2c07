// The exchanges that open a session with the chain, on a scripted line and a
// clock that only moves when the link waits.

#include "support/scriptedport.h"
#include "support/testmain.h"

#include <QTest>
#include <cameralink.h>
#include <chainstartup.h>

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
        // The first reply is not a version reply; the second, from camera 2,
        // is taken (the strict check of the model refuses it later).
        const QByteArray fromTwo = hex("A05000003000000000FF");
        ScriptedLine line({hex("9041FF"), fromTwo});
        QCOMPARE(zam::askVersion(line.link, 1), std::optional(fromTwo));
        QCOMPARE(line.port.packets(), (QList{hex("81090002FF"), hex("81090002FF")}));

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

ZAM_TEST_GUILESS_MAIN(TestChainStartup)
#include "test_chainstartup.moc"
