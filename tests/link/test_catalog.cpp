// The protocol catalog: building, decoding and describing packets and replies.

#include "support/testmain.h"
#include <QSet>
#include <QTest>
#include <catalog.h>

#include <random>

using namespace zam;
using namespace zam::catalog;

Q_DECLARE_METATYPE(zam::catalog::Id)
Q_DECLARE_METATYPE(zam::catalog::ReplyKind)

namespace {

// Blanks in the text are skipped.
QByteArray hex(const char *text)
{
    return QByteArray::fromHex(text);
}

QString unknownText(const QByteArray &bytes)
{
    if (bytes.isEmpty())
        return QStringLiteral("Unknown");
    return QLatin1String("Unknown: ") + QString::fromLatin1(bytes.toHex(' ').toUpper());
}

// A packet's values, each at the low end of its field.
QList<int> lowValues(const Entry &e)
{
    QList<int> v;
    for (const Field &f : e.fieldList())
        for (int k = 0; k < f.valueCount(); ++k)
            v.append(f.min);
    return v;
}

std::span<const int> spanOf(const QList<int> &v)
{
    return {v.data(), std::size_t(v.size())};
}

} // namespace

class TestCatalog : public QObject {
    Q_OBJECT
private Q_SLOTS:
    // Every entry at both ends of every field: what is built decodes to the
    // same entry, address and values (so no two entries share their bytes),
    // and carries FF only at its end.
    void roundTrip_data()
    {
        QTest::addColumn<Id>("id");
        QTest::addColumn<int>("address");
        QTest::addColumn<QList<int>>("values");
        int address = 0;
        for (const Entry &e : entries()) {
            const QList<int> low = lowValues(e);
            auto next = [&] { return e.broadcastOnly ? kBroadcast : address++ % kBroadcast + 1; };
            QTest::addRow("%s", e.name) << e.id << next() << low;
            for (int i = 0; i < e.fieldCount; ++i) {
                const Field &f = e.fields[std::size_t(i)];
                QList<int> high = low;
                for (int k = 0; k < f.valueCount(); ++k)
                    high[e.valueOffset(i) + k] = f.max;
                QTest::addRow("%s, %s at its top", e.name, f.name) << e.id << next() << high;
            }
        }
    }
    void roundTrip()
    {
        QFETCH(Id, id);
        QFETCH(int, address);
        QFETCH(QList<int>, values);
        const auto packet = build(id, address, spanOf(values));
        QVERIFY(packet);
        QCOMPARE(packet->size(), int(entry(id).length));
        QCOMPARE(packet->indexOf(char(0xFF)), packet->size() - 1);
        QCOMPARE(std::uint8_t(packet->at(0)), std::uint8_t(0x80 + address));

        const Command c = decodeCommand(*packet);
        QVERIFY(c.known());
        QCOMPARE(QLatin1String(c.entry->name), QLatin1String(entry(id).name));
        QCOMPARE(c.address, address);
        QVERIFY(c.inRange);
        QCOMPARE(QList<int>(c.values.begin(), c.values.begin() + c.valueCount), values);
        QVERIFY(describe(*packet, false).startsWith(QLatin1String(entry(id).name)));
    }

    // One below and one above every range, and the wrong number of values.
    void refusals_data()
    {
        QTest::addColumn<Id>("id");
        QTest::addColumn<int>("address");
        QTest::addColumn<QList<int>>("values");
        for (const Entry &e : entries()) {
            const QList<int> low = lowValues(e);
            const int address = e.broadcastOnly ? kBroadcast : 1;
            QTest::addRow("%s, one value too many", e.name) << e.id << address << (low + QList{0});
            if (!low.isEmpty())
                QTest::addRow("%s, one value short", e.name) << e.id << address << low.mid(1);
            for (int i = 0; i < e.fieldCount; ++i) {
                const Field &f = e.fields[std::size_t(i)];
                for (int bad : {int(f.min) - 1, int(f.max) + 1}) {
                    QList<int> v = low;
                    v[e.valueOffset(i) + f.valueCount() - 1] = bad;
                    QTest::addRow("%s, %s %d", e.name, f.name, bad) << e.id << address << v;
                }
            }
        }
        const QList<int> none;
        QTest::newRow("address 0") << Id::ZoomStop << 0 << none;
        QTest::newRow("address 9") << Id::ZoomStop << 9 << none;
        QTest::newRow("address -1") << Id::PowerOn << -1 << none;
        QTest::newRow("interface clear to camera 1") << Id::InterfaceClear << 1 << none;
        QTest::newRow("address set to camera 7") << Id::AddressSet << 7 << none;
        QTest::newRow("no such entry") << Id::Count << 1 << none;
        QTest::newRow("zoom position 10000 would wrap") << Id::ZoomDirect << 1 << QList{0x10000};
        QTest::newRow("opening FF would end the packet")
            << Id::TitleLineSetting << 1 << QList{0, 0, 0, 0, 0xFF};
    }
    void refusals()
    {
        QFETCH(Id, id);
        QFETCH(int, address);
        QFETCH(QList<int>, values);
        QVERIFY(!build(id, address, spanOf(values)));
    }

    // Byte strings the cameras' command list gives, where the packing is
    // easy to get wrong: built byte for byte, and decoded back.
    void knownPackets_data()
    {
        QTest::addColumn<Id>("id");
        QTest::addColumn<int>("address");
        QTest::addColumn<QList<int>>("values");
        QTest::addColumn<QByteArray>("bytes");
        // One packet of each packing, byte for byte, without windows (the
        // command and dialog tests pin the controls' bytes, and every
        // control's packets must pass the simulated cameras' own tables):
        // low nibbles, nibble positions, the digital tele end, a title run,
        // decimal clock digits, a half colour, the EEPROM's three-nibble
        // address, a broadcast.
        const auto row = [](const char *tag, Id id, int address, QList<int> values, const char *b) {
            QTest::newRow(tag) << id << address << values << hex(b);
        };
        // clang-format off
        row("zoom tele 7", Id::ZoomTele, 1, {7}, "8101040727FF");
        row("d-zoom wide 7, camera 2", Id::DigitalZoomWide, 2, {7}, "8201040637FF");
        row("zoom digital tele end", Id::ZoomDirect, 1, {0x8BE0}, "8101044708 0B0E00FF");
        row("AF times 05 1A", Id::AfIntervalTimes, 1, {0x05, 0x1A}, "8101042700050 10AFF");
        row("16-byte memory 5 A3 0F", Id::UserMemoryWrite, 1, {5, 0xA3, 0x0F}, "81010423050A03000FFF");
        row("title ABC, line 3", Id::TitleFirstHalf, 1, {3, 0, 1, 2, 0x1B, 0x1B, 0x1B, 0x1B, 0x1B, 0x1B, 0x1B},
            "8101047323000102 1B1B1B1B1B1B1BFF");
        row("clock September", Id::ClockSet, 1, {0, 9, 1, 0, 0}, "810104700000000900010000 0000FF");
        row("colour red half, white", Id::MaskColour, 1, {0, 0, 0, 1, 8, 1, 7, 0}, "810104780000000118 07FF");
        row("mask C PTZ", Id::MaskPtz, 1, {2, 0x400, 0x010, 0x4000}, "8101047B020400000001000400 0000FF");
        row("levels FFF 2A0", Id::AlarmLevels, 1, {0xFFF, 0x2A0}, "8101046D0F0F0F020A00FF");
        row("EEPROM write E69 98", Id::EepromWrite, 1, {0xE69, 0x98}, "81017F7F020E06090908FF");
        row("interface clear", Id::InterfaceClear, 8, {}, "8801000 1FF");
        // clang-format on
    }

    void knownPackets()
    {
        QFETCH(Id, id);
        QFETCH(int, address);
        QFETCH(QList<int>, values);
        QFETCH(QByteArray, bytes);
        QCOMPARE(build(id, address, spanOf(values)).value_or(QByteArray()).toHex(' '),
                 bytes.toHex(' '));
        const Command c = decodeCommand(bytes);
        QVERIFY(c.known());
        QCOMPARE(int(c.entry->id), int(id));
        QCOMPARE(QList<int>(c.values.begin(), c.values.begin() + c.valueCount), values);
    }

    // Bytes with an entry's shape but a value outside its range are named,
    // and marked; a more specific entry wins over an out-of-range reading.
    void decodingPrefersTheExactMeaning_data()
    {
        QTest::addColumn<QByteArray>("bytes");
        QTest::addColumn<Id>("id");
        QTest::addColumn<bool>("inRange");
        const auto row = [](const char *tag, const char *b, Id id, bool inRange) {
            QTest::newRow(tag) << hex(b) << id << inRange;
        };
        // clang-format off
        row("custom preset, not preset 7F", "8101043F017FFF", Id::CustomPresetSet, true);
        row("mosaic, not colour 7F", "81010478000000017F03FF", Id::MaskColourMosaic1, true);
        row("protect release, not a write", "81017F7F020000010001FF", Id::EepromProtectRelease, true);
        row("baud rate, not a write", "81017F7F020C0F0C0002FF", Id::EepromBaudRate38400, true);
        row("speed 10", "810104072AFF", Id::ZoomTele, false);
        row("clock digit 0A", "8101047002060A020005010203 04FF", Id::ClockSet, false);
        row("colour 0E", "81010478000000010E07FF", Id::MaskColour, false);
        row("title character 50", "8101047323500102 1B1B1B1B1B1B1BFF", Id::TitleFirstHalf, false);
        row("zoom stop to all cameras", "8801040700FF", Id::ZoomStop, true);
        // clang-format on
    }
    void decodingPrefersTheExactMeaning()
    {
        QFETCH(QByteArray, bytes);
        QFETCH(Id, id);
        QFETCH(bool, inRange);
        const Command c = decodeCommand(bytes);
        QVERIFY(c.known());
        QCOMPARE(int(c.entry->id), int(id));
        QCOMPARE(c.inRange, inRange);
        QCOMPARE(describe(bytes, false).endsWith(QLatin1String("(out of range)")), !inRange);
    }

    void replies_data()
    {
        QTest::addColumn<QByteArray>("bytes");
        QTest::addColumn<ReplyKind>("kind");
        QTest::addColumn<int>("address");
        QTest::addColumn<QString>("text");
        using K = ReplyKind;
        const auto row = [](const char *b, K kind, int address, const char *text) {
            QTest::newRow(text) << hex(b) << kind << address << QString(text);
        };
        // clang-format off
        row("9041FF", K::Acknowledge, 1, "Acknowledge (socket 1)");
        row("F052FF", K::Completion, 7, "Completion (socket 2)");
        row("9050FF", K::Completion, 1, "Completion (socket 0)");
        row("906002FF", K::Error, 1, "Error: syntax error (socket 0)");
        row("A06103FF", K::Error, 2, "Error: command buffer full (socket 1)");
        row("906041FF", K::Error, 1, "Error: command not executable (socket 0)");
        row("90607AFF", K::Error, 1, "Error: code 7A (socket 0)");
        row("905002FF", K::InquiryReply, 1, "Inquiry reply: 02");
        row("9050010203FF", K::InquiryReply, 1, "Inquiry reply: 01 02 03");
        row("B038FF", K::NetworkChange, 3, "Network change");
        row("8801000 1FF", K::InterfaceClear, 8, "Interface clear (all cameras)");
        row("883003FF", K::AddressSet, 8, "Address set: 2 cameras");
        row("883002FF", K::AddressSet, 8, "Address set: 1 camera");
        row("883001FF", K::AddressSet, 8, "Address set: next address 1");
        // clang-format on
        // bytes that form no reply
        for (const char *bad : {"", "FF", "90FF", "8041FF", "9141FF", "904100FF", "905100FF",
                                "9039FF", "9041", "9050FFFF", "883010FF", "88300301FF", "88010001",
                                "906002", "90600203FF", "8101040700FF"})
            QTest::addRow("unknown %s", bad)
                << hex(bad) << K::Unknown << 0 << unknownText(hex(bad));
    }
    void replies()
    {
        QFETCH(QByteArray, bytes);
        QFETCH(ReplyKind, kind);
        QFETCH(int, address);
        QFETCH(QString, text);
        const Reply r = decodeReply(bytes);
        QCOMPARE(r.kind, kind);
        QCOMPARE(r.address, address);
        QCOMPARE(describe(bytes, true), text);
    }

    // What the monitor shows for a command; bytes that make no known command
    // are shown as they are.
    void descriptions_data()
    {
        QTest::addColumn<QByteArray>("bytes");
        QTest::addColumn<QString>("text");
        const auto row = [](const char *b, const char *text) {
            QTest::newRow(text) << hex(b) << QString(text);
        };
        // clang-format off
        row("8101040723FF", "Zoom tele, variable speed: speed 3");
        row("8101040700FF", "Zoom stop");
        row("8101044704000000FF", "Zoom direct: position 0x4000");
        row("81017F7F02010A050505FF", "EEPROM write: address 0x1A5, data 0x55");
        row("8101044300000C08FF", "R gain direct: gain 200");
        row("8101047720000121FF", "Privacy zone display: zones 20 00 01 21");
        row("810104700206010200050102 0304FF", "Clock set: year 26, month 12, day 5, hour 12, minute 34");
        row("810104072AFF", "Zoom tele, variable speed: speed 10 (out of range)");
        // clang-format on
        const auto unknown = [](const char *tag, const QByteArray &b) {
            QTest::newRow(tag) << b << unknownText(b);
        };
        unknown("nothing", QByteArray());
        unknown("header and FF", hex("81FF"));
        unknown("zoom stop cut short", hex("81010407FF"));
        unknown("no terminator", hex("810104070000"));
        unknown("one byte too many", hex("8101040700FFFF"));
        unknown("unknown command", hex("8101049900FF"));
        unknown("header 80", hex("8001040700FF"));
        unknown("header 89", hex("8901040700FF"));
        unknown("a reply", hex("9041FF"));
        unknown("addressed interface clear", hex("8101000 1FF"));
        unknown("nibble byte 10", hex("8101044710000000FF"));
        unknown("digit byte 1A", hex("810104700206 1A020005010203 04FF"));
        unknown("longer than any packet", QByteArray(17, char(0x81)).append(char(0xFF)));
    }
    void descriptions()
    {
        QFETCH(QByteArray, bytes);
        QFETCH(QString, text);
        QCOMPARE(decodeCommand(bytes).known(), !text.startsWith(QLatin1String("Unknown")));
        QCOMPARE(describe(bytes, false), text);
    }

    // The monitor tells packets apart by their names.
    void namesAreDistinct()
    {
        QSet<QString> names;
        for (const Entry &e : entries()) {
            const QString name = QLatin1String(e.name);
            QVERIFY2(!names.contains(name), e.name);
            names.insert(name);
            QVERIFY(*groupName(e.group));
        }
    }

    // Whatever comes: no crash, and anything decoded in range builds back to
    // the very same bytes. Valid packets with bytes changed at random reach
    // deep into the matching.
    void anyBytes()
    {
        std::mt19937 rng(14);
        std::vector<QByteArray> seeds;
        for (const Entry &e : entries()) {
            const QList<int> v = lowValues(e);
            seeds.push_back(*build(e.id, e.broadcastOnly ? kBroadcast : 1, spanOf(v)));
        }
        int known = 0;
        for (int i = 0; i < 200000; ++i) {
            QByteArray b;
            if (i % 4 == 0) {
                b.resize(qsizetype(rng() % 20));
                for (char &c : b)
                    c = char(rng());
            } else {
                b = seeds[rng() % seeds.size()];
                const int changes = 1 + int(rng() % 2);
                for (int k = 0; k < changes; ++k)
                    b[qsizetype(rng() % b.size())] = char(rng() % 3 ? rng() % 0x10 : rng());
            }
            const Command c = decodeCommand(b);
            if (c.known() && c.inRange) {
                ++known;
                const auto again =
                    build(c.entry->id, c.address,
                          std::span<const int>(c.values.data(), std::size_t(c.valueCount)));
                QVERIFY(again);
                QCOMPARE(again->toHex(), b.toHex());
            }
            (void)describe(b, false);
            (void)describe(b, true);
        }
        QVERIFY(known > 10000);
    }
};

ZAM_TEST_GUILESS_MAIN(TestCatalog)
#include "test_catalog.moc"
