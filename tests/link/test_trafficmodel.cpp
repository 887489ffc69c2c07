// The traffic monitor's rules: packets split out of the bytes on the line,
// whose they are, round trips, the ring, filters, pause, and the exports.

#include "support/linkrig.h"
#include "support/testmain.h"

#include <QBuffer>
#include <QTest>
#include <trafficmodel.h>

using namespace zam;

namespace {

constexpr auto To = TrafficDirection::ToCamera;
constexpr auto From = TrafficDirection::FromCamera;

// "81 01 FF | 90 41" → packets as spaced hex, "~" before an unterminated one.
QStringList split(const QStringList &chunks)
{
    PacketSplitter s;
    QList<SplitPacket> out;
    for (const QString &c : chunks)
        s.feed(QByteArray::fromHex(c.toLatin1()), out);
    s.flush(out);
    QStringList got;
    for (const SplitPacket &p : out)
        got << (p.terminated ? QString() : QStringLiteral("~")) +
                   QString::fromLatin1(p.bytes.toHex(' ').toUpper());
    return got;
}

QString shown(const TrafficModel &m, int row, int column)
{
    return m.data(m.index(row, column)).toString();
}

QStringList column(const TrafficModel &m, int column)
{
    QStringList out;
    for (int r = 0; r < m.rowCount(); ++r)
        out << shown(m, r, column);
    return out;
}

void feed(TrafficModel &m, TrafficDirection d, const char *hex, qint64 ms)
{
    m.capture(d, QByteArray::fromHex(hex), ms);
}

// Two cameras, a broadcast, status reads and noise, for the filter tests.
void feedMixedRun(TrafficModel &m)
{
    feed(m, To, "88010001FF", 0);
    feed(m, From, "88010001FF", 5);
    feed(m, To, "8101040702FF", 10);
    feed(m, From, "9041FF", 12);
    feed(m, From, "9051FF", 40);
    feed(m, To, "82097E7E00FF", 50);
    feed(m, From, "A0500001020304FF", 60);
    feed(m, To, "81090002FF", 70);
    feed(m, From, "9050000102FF", 80);
    feed(m, From, "A038FF", 90);
    feed(m, From, "1234FF", 95); // noise
    m.sync();
}

// What an export writes, or "failed".
QString exported(const TrafficModel &m, bool (*write)(const TrafficModel &, QIODevice &))
{
    QBuffer b;
    b.open(QIODevice::WriteOnly);
    return write(m, b) ? QString::fromUtf8(b.data()) : QStringLiteral("failed");
}

} // namespace

class TestTrafficModel : public QObject {
    Q_OBJECT
private Q_SLOTS:
    void splitting_data()
    {
        QTest::addColumn<QStringList>("chunks");
        QTest::addColumn<QStringList>("packets");
        const QString junk64 = QString(QStringLiteral("12")).repeated(64);
        const QString spaced64 = QStringList(64, QStringLiteral("12")).join(u' ');
        QTest::newRow("one chunk, one packet")
            << QStringList{"8101040702FF"} << QStringList{"81 01 04 07 02 FF"};
        QTest::newRow("two packets, one chunk")
            << QStringList{"9041FF9051FF"} << QStringList{"90 41 FF", "90 51 FF"};
        QTest::newRow("packet across chunks")
            << QStringList{"90", "50 00", "01FF90"} << QStringList{"90 50 00 01 FF", "~90"};
        QTest::newRow("lone FF") << QStringList{"FFFF"} << QStringList{"FF", "FF"};
        QTest::newRow("noise cut at 64 bytes")
            << QStringList{junk64 + "3456"} << QStringList{"~" + spaced64, "~34 56"};
        QTest::newRow("64 bytes ending in FF") << QStringList{junk64.left(126), "FF"}
                                               << QStringList{spaced64.left(63 * 3 - 1) + " FF"};
        QTest::newRow("noise across chunks, then a packet")
            << QStringList{junk64.left(100), junk64.left(28) + "9041FF"}
            << QStringList{"~" + spaced64, "90 41 FF"};
        QTest::newRow("nothing") << QStringList{"", ""} << QStringList{};
    }
    void splitting()
    {
        QFETCH(QStringList, chunks);
        QFETCH(QStringList, packets);
        QCOMPARE(split(chunks), packets);
    }

    void packetFacts_data()
    {
        QTest::addColumn<QByteArray>("packet");
        QTest::addColumn<bool>("fromCamera");
        QTest::addColumn<int>("address");
        QTest::addColumn<bool>("finishes");
        auto row = [](const char *tag, const char *hex, bool from, int address, bool finishes) {
            QTest::newRow(tag) << QByteArray::fromHex(hex) << from << address << finishes;
        };
        // clang-format off
        row("command to 1",            "8101040702FF", false, 1, false);
        row("inquiry to 2",            "82090447FF",   false, 2, false);
        row("broadcast",               "883001FF",     false, 8, false);
        row("header 80",               "8001FF",       false, 0, false);
        row("acknowledge",             "9041FF",       true,  1, false);
        row("completion",              "9052FF",       true,  1, true);
        row("inquiry reply",           "A0500102FF",   true,  2, true);
        row("y0 50 FF",                "9050FF",       true,  1, true);
        row("error",                   "906102FF",     true,  1, true);
        row("error too long",          "90610203FF",   true,  1, false);
        row("network change",          "9038FF",       true,  1, false);
        row("interface clear echo",    "88010001FF",   true,  8, true);
        row("address set reply",       "883003FF",     true,  8, true);
        row("other broadcast reply",   "88FF",         true,  8, false);
        row("header 91",               "9151FF",       true,  0, false);
        row("completion unterminated", "9051",         true,  1, false);
        row("empty",                   "",             true,  0, false);
        // clang-format on
    }
    void packetFacts()
    {
        QFETCH(QByteArray, packet);
        QFETCH(bool, fromCamera);
        QFETCH(int, address);
        QFETCH(bool, finishes);
        QCOMPARE(packetAddress(packet, fromCamera), address);
        if (fromCamera)
            QCOMPARE(finishesCommand(packet), finishes);
    }

    // "Hide status reads" hides the five inquiries of a status read and the
    // replies that finish them, nothing else that asks a camera.
    void hiddenStatusReads_data()
    {
        QTest::addColumn<QByteArray>("inquiry");
        QTest::addColumn<QByteArray>("reply");
        QTest::addColumn<int>("hidden"); // rows of the two
        const auto row = [](const char *tag, const char *inquiry, const char *reply, int hidden) {
            QTest::newRow(tag) << QByteArray::fromHex(inquiry) << QByteArray::fromHex(reply)
                               << hidden;
        };
        // clang-format off
        row("version",            "81090002FF",         "905000200430011002FF", 2);
        row("lens block",         "82097E7E00FF",       "A050000000000000000000000000FF", 2);
        row("extended block",     "87097E7E03FF",       "F050000000000000000000000000FF", 2);
        row("error to a block",   "81097E7E01FF",       "906102FF",           2);
        row("reply from another", "81097E7E02FF",       "A05000FF",           1);
        row("EEPROM read",        "81097F7F010F0003FF", "9050000302FF",       0);
        row("memory read",        "8109042303FF",       "90500102FF",         0);
        row("alarm read",         "8109046BFF",         "905002FF",           0);
        row("zoom command",       "8101040702FF",       "9051FF",             0);
        // clang-format on
    }
    void hiddenStatusReads()
    {
        QFETCH(QByteArray, inquiry);
        QFETCH(QByteArray, reply);
        QFETCH(int, hidden);
        TrafficModel m;
        m.capture(To, inquiry, 0);
        m.capture(From, reply, 10);
        m.sync();
        m.setFilter({0, TrafficFilter::Direction::Both, true});
        QCOMPARE(m.rowCount(), 2 - hidden);
    }

    // The round trip runs from the latest unanswered command to the same
    // camera to the reply that finishes it; acknowledges and notices wait.
    void roundTrips()
    {
        TrafficModel m;
        feed(m, To, "8101040702FF", 100);
        feed(m, To, "8201040702FF", 105);
        feed(m, From, "9041FF", 110); // acknowledge: not yet
        feed(m, From, "9038FF", 115); // network change: not either
        feed(m, From, "A051FF", 125); // camera 2: 20 ms
        feed(m, From, "9051FF", 160); // camera 1: 60 ms
        feed(m, From, "9051FF", 170); // nothing left to answer
        feed(m, To, "8101040702FF", 200);
        feed(m, To, "8101040703FF", 210); // the later one is paired
        feed(m, From, "906002FF", 250);   // error finishes: 40 ms
        feed(m, To, "88010001FF", 300);
        feed(m, From, "88010001FF", 302); // the broadcast's echo
        feed(m, To, "8109047EFF", 400);
        feed(m, From, "9050000102FF", 407); // inquiry reply
        feed(m, To, "8101040702FF", 500);
        m.lineClosed(510);
        feed(m, From, "9051FF", 520); // nothing survives a close
        m.sync();
        QCOMPARE(
            column(m, TrafficModel::RoundTrip),
            (QStringList{"", "", "", "", "20", "60", "", "", "", "40", "", "2", "", "7", "", ""}));
    }

    // Bytes waiting for their FF when the line closes become a row of their
    // own, said to be unknown without asking the describer.
    void closeFlushesPartialPackets()
    {
        TrafficModel m;
        int asked = 0;
        m.setDescriber([&](QByteArrayView, bool, QByteArrayView) {
            ++asked;
            return QStringLiteral("known");
        });
        feed(m, To, "810104", 10);
        feed(m, From, "9041", 12);
        m.lineClosed(20);
        feed(m, To, "FF", 30);
        m.sync();
        QCOMPARE(column(m, TrafficModel::Bytes), (QStringList{"81 01 04", "90 41", "FF"}));
        QCOMPARE(column(m, TrafficModel::Time), (QStringList{"20", "20", "30"}));
        QCOMPARE(column(m, TrafficModel::Meaning), (QStringList{"unknown", "unknown", "known"}));
        QCOMPARE(asked, 1);
        QCOMPARE(column(m, TrafficModel::Camera), (QStringList{"", "", ""}));
    }

    // The ring keeps the newest 100 000 packets, and the view drops what the
    // ring dropped, also while it is paused.
    void ringBound()
    {
        TrafficModel m;
        QCOMPARE(m.capacity(), 100'000);
        const QByteArray p = QByteArray::fromHex("9041FF");
        for (int i = 0; i < 100'000; ++i)
            m.capture(From, p, i);
        m.sync();
        QCOMPARE(m.rowCount(), 100'000);
        m.setPaused(true);
        for (int i = 100'000; i < 100'010; ++i)
            m.capture(From, p, i);
        m.sync();
        QCOMPARE(m.capturedCount(), 100'000);
        QCOMPARE(m.rowCount(), 99'990);
        QCOMPARE(shown(m, 0, TrafficModel::Time), QStringLiteral("10"));
        QCOMPARE(shown(m, 99'989, TrafficModel::Time), QStringLiteral("99999"));
        m.setPaused(false);
        QCOMPARE(m.rowCount(), 100'000);
        QCOMPARE(shown(m, 0, TrafficModel::Time), QStringLiteral("10"));
        QCOMPARE(shown(m, 99'999, TrafficModel::Time), QStringLiteral("100009"));
    }

    void filters_data()
    {
        QTest::addColumn<int>("camera");
        QTest::addColumn<int>("direction");
        QTest::addColumn<bool>("hideStatus");
        QTest::addColumn<QStringList>("times");
        using D = TrafficFilter::Direction;
        const auto row = [](const char *tag, int camera, D d, bool hide, const char *times) {
            QTest::newRow(tag) << camera << int(d) << hide << QString(times).split(u' ');
        };
        // clang-format off
        row("everything", 0, D::Both, false, "0 5 10 12 40 50 60 70 80 90 95");
        row("camera 1 and broadcasts", 1, D::Both, false, "0 5 10 12 40 70 80");
        row("camera 2, from it", 2, D::FromCamera, false, "5 60 90");
        row("camera 7: only broadcasts", 7, D::Both, false, "0 5");
        row("to cameras", 0, D::ToCamera, false, "0 10 50 70");
        row("status reads hidden", 0, D::Both, true, "0 5 10 12 40 90 95");
        row("camera 1, to it, no status reads", 1, D::ToCamera, true, "0 10");
        // clang-format on
    }
    void filters()
    {
        QFETCH(int, camera);
        QFETCH(int, direction);
        QFETCH(bool, hideStatus);
        QFETCH(QStringList, times);
        TrafficModel m;
        feedMixedRun(m);
        m.setFilter({camera, TrafficFilter::Direction(direction), hideStatus});
        QCOMPARE(column(m, TrafficModel::Time), times);
        // Rows arriving later are filtered the same way.
        m.clear();
        feedMixedRun(m);
        QCOMPARE(column(m, TrafficModel::Time), times);
    }

    // Pausing freezes what the view shows while capture goes on; a filter
    // changed meanwhile applies to the frozen rows only.
    void pauseResumeClear()
    {
        TrafficModel m;
        feed(m, To, "8101040702FF", 1);
        m.sync();
        m.setPaused(true);
        feed(m, From, "9041FF", 2);
        feed(m, From, "9051FF", 3);
        m.sync();
        QCOMPARE(m.rowCount(), 1);
        QCOMPARE(m.capturedCount(), 3);
        m.setFilter({0, TrafficFilter::Direction::Both, true});
        QCOMPARE(m.rowCount(), 1);
        m.setPaused(false);
        QCOMPARE(column(m, TrafficModel::Time), (QStringList{"1", "2", "3"}));
        QCOMPARE(shown(m, 2, TrafficModel::RoundTrip), QStringLiteral("2"));

        m.clear();
        QCOMPARE(m.rowCount(), 0);
        QCOMPARE(m.capturedCount(), 0);
        feed(m, From, "9051FF", 5);
        m.sync();
        QCOMPARE(column(m, TrafficModel::Time), QStringList{"5"});
    }

    // A burst of rows reaches the view a moment later, in one insertion.
    void insertsBatched()
    {
        FakeClock clock; // outlives the model's timer
        TrafficModel m;
        m.setClock(clock);
        int insertions = 0;
        connect(&m, &QAbstractItemModel::rowsInserted, this, [&] { ++insertions; });
        for (int i = 0; i < 50; ++i)
            feed(m, From, "9041FF", i);
        clock.advance(kTrafficSyncMs - 1);
        QCOMPARE(m.rowCount(), 0);
        clock.advance(1);
        QCOMPARE(m.rowCount(), 50);
        QCOMPARE(insertions, 1);
    }

    void csvQuoting()
    {
        TrafficModel m;
        m.setDescriber([](QByteArrayView p, bool fromCamera, QByteArrayView) {
            if (fromCamera)
                return QStringLiteral("Say \"done\", twice");
            return p.size() > 3 ? QStringLiteral("two\r\nlines") : QStringLiteral("plain");
        });
        feed(m, To, "8101040702FF", 3);
        feed(m, From, "9051FF", 25);
        feed(m, To, "8800FF", 30);
        m.sync();
        QCOMPARE(exported(m, writeTrafficCsv),
                 QStringLiteral("Time (ms),Direction,Camera,Bytes,Meaning,Round trip (ms)\r\n"
                                "3,To camera,1,81 01 04 07 02 FF,\"two\r\nlines\",\r\n"
                                "25,From camera,1,90 51 FF,\"Say \"\"done\"\", twice\",22\r\n"
                                "30,To camera,Broadcast,88 00 FF,plain,\r\n"));
    }

    void plainText()
    {
        TrafficModel m;
        m.setDescriber([](QByteArrayView, bool fromCamera, QByteArrayView) {
            return fromCamera ? QStringLiteral("Completion") : QStringLiteral("Zoom stop");
        });
        feed(m, To, "8101040700FF", 1234);
        feed(m, From, "9051FF", 1250);
        m.sync();
        QCOMPARE(
            exported(m, writeTrafficText).split(u'\n'),
            (QStringList{
                "Time (ms)  Direction    Camera  Bytes              Round trip (ms)  Meaning",
                "     1234  To camera    1       81 01 04 07 00 FF                   Zoom stop",
                "     1250  From camera  1       90 51 FF                        16  Completion",
                ""}));
    }

    // Times count from the port's opening, and reopening it keeps them
    // growing. (What the link's tap shows of a whole run, also the replies
    // that reply waits take, is checked on the panel with the monitor.)
    void timesGrowAcrossReopening()
    {
        SimLine line(1);
        CameraLink link(line.port, line.clock);
        TrafficModel m;
        m.attach(link.tap());
        line.clock.advance(500);
        QVERIFY(link.port().open({QStringLiteral("sim:"), 9600}).ok());
        line.clock.advance(7);
        link.SD(QByteArray::fromHex("8101040702FF"), 1);
        line.run(100);
        link.port().close();
        m.sync();
        QCOMPARE(m.rowCount(), 3);
        QCOMPARE(shown(m, 0, TrafficModel::Time), QStringLiteral("7"));
        const int last = shown(m, 2, TrafficModel::Time).toInt();
        QVERIFY(link.port().open({QStringLiteral("sim:"), 9600}).ok());
        link.SD(QByteArray::fromHex("8101040702FF"), 1);
        m.sync();
        QVERIFY(shown(m, 3, TrafficModel::Time).toInt() >= last);
    }
};

ZAM_TEST_GUILESS_MAIN(TestTrafficModel)
#include "test_trafficmodel.moc"
