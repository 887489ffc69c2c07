// The camera's title character code, the line editing rules, and the title
// and clock packets.

#include <QRegularExpression>
#include <QTest>
#include <titlecode.h>

#include <QHash>
#include <set>

using namespace zam::titles;

namespace {

const auto hex = [](const char *s) { return QByteArray::fromHex(s); };

QByteArray bytes(const std::optional<QByteArray> &packet)
{
    return packet.value_or(QByteArray("(nothing)"));
}

// The codes of a line typed as keys, blank-padded; the unused 21st entry
// holds a mark that must stay.
TitleRow rowOf(const QString &keys)
{
    TitleRow r;
    r[20] = 0x77;
    for (int i = 0; i < kLineLength; ++i)
        r[i] = Conv(keys.leftJustified(kLineLength)[i]);
    return r;
}

} // namespace

class TestTitleCode : public QObject {
    Q_OBJECT
private Q_SLOTS:
    // Every key of the set in code order, 00 to 4F. The glyphs are the keys
    // themselves, but for the small letters (accented capitals) and a few the
    // camera draws otherwise.
    void codeTable()
    {
        const QString keys = QStringLiteral("ABCDEFGHIJKLMNOPQRSTUVWXYZ& ?!1234567890"
                                            "abcdefghijklmnopqrstuvwxy$z\\<>()@\":'.,/-");
        const QHash<QChar, QString> drawn{
            {u' ', QString()}, {u'a', "À"},  {u'o', "Œ"}, {u't', "ß"}, {u'y', "Å"}, {u'z', "₣"},
            {u'\\', "¥"},      {u'<', "DM"}, {u'>', "£"}, {u'(', "¿"}, {u')', "¡"}, {u'@', "Ø"}};
        QCOMPARE(keys.size(), kCodeCount);
        QCOMPARE(int(titleCharacters().size()), kCodeCount);
        for (int i = 0; i < kCodeCount; ++i) {
            const QChar key = keys[i];
            QCOMPARE(int(Conv(key)), i);
            QCOMPARE(titleCodeOf(key), std::optional<std::uint8_t>(i));
            QCOMPARE(titleCharacters()[i].key, key);
            if (drawn.contains(key))
                QCOMPARE(glyphText(std::uint8_t(i)), drawn[key]);
            else if (!key.isLower())
                QCOMPARE(glyphText(std::uint8_t(i)), QString(key));
        }
    }

    // Keys outside the set are sent as A; codes outside it have no glyph.
    void outsideTheSet()
    {
        for (QChar key : QStringLiteral("#%*+=[]^_`{|}~;é€\t") + QChar(u'\0')) {
            QCOMPARE(int(Conv(key)), 0x00);
            QVERIFY(!titleCodeOf(key));
        }
        QCOMPARE(glyphText(0x50), QString());
        QCOMPARE(glyphText(0xFF), QString());
    }

    // Ten lines that list every key of the set once, each saying what Conv
    // does with it.
    void characterListAgreesWithConv()
    {
        QCOMPARE(characterListText().count(QStringLiteral("\r\n")), 10);
        static const QRegularExpression entry(QStringLiteral(R"(\[([^\]]+)\]=\[(.)\])"));
        std::set<char16_t> seen;
        auto it = entry.globalMatch(characterListText());
        while (it.hasNext()) {
            const auto m = it.next();
            const QChar key = m.captured(2)[0];
            QVERIFY(seen.insert(key.unicode()).second);
            QVERIFY(titleCodeOf(key));
            QCOMPARE(m.captured(1), titleCharacters()[Conv(key)].listed);
        }
        QCOMPARE(int(seen.size()), kCodeCount);
    }

    // The chart: 16 x 5 cells of 25 pixels, code 00 at the top left; every
    // glyph box maps back to its code, and nothing lies outside the chart.
    void chartGeometry()
    {
        using Code = std::optional<std::uint8_t>;
        QCOMPARE(chartCodeAt(QPoint(24, 24)), Code(0x00));
        QCOMPARE(chartCodeAt(QPoint(25, 0)), Code(0x01));
        QCOMPARE(chartCodeAt(QPoint(399, 124)), Code(0x4F));
        for (int c = 0; c < kCodeCount; ++c) {
            const QRect box = chartGlyphBox(std::uint8_t(c));
            QCOMPARE(box.size(), QSize(kChartGlyph, kChartGlyph));
            QCOMPARE(chartCodeAt(box.topLeft()), Code(c));
            QCOMPARE(chartCodeAt(box.bottomRight()), Code(c));
        }
        for (QPoint outside : {QPoint(400, 0), QPoint(0, 125), QPoint(-1, 10), QPoint(10, -1)})
            QVERIFY(!chartCodeAt(outside));
    }

    // One line of 20 codes being edited; the 21st entry of a row is never
    // touched.
    void lineEditing_data()
    {
        QTest::addColumn<QString>("before"); // keys, blank-padded
        QTest::addColumn<int>("cursor");
        QTest::addColumn<QString>("edit"); // a key to insert, or a named edit
        QTest::addColumn<int>("cursorAfter");
        QTest::addColumn<QString>("after");
        const QString full = QStringLiteral("ABCDEFGHIJKLMNOPQRST");
        QTest::newRow("insert shifts right") << full << 5 << "-" << 6 << "ABCDE-FGHIJKLMNOPQRS";
        QTest::newRow("insert in the last cell")
            << full << 19 << "/" << 19 << "ABCDEFGHIJKLMNOPQRS/";
        QTest::newRow("cursor beyond the line") << "" << 40 << "A" << 19 << "                   A";
        QTest::newRow("cursor before the line") << "" << -3 << "B" << 1 << "B";
        QTest::newRow("backspace at the start") << "AB" << 0 << "backspace" << 0 << "AB";
        QTest::newRow("backspace") << full << 1 << "backspace" << 0 << "BCDEFGHIJKLMNOPQRST";
        QTest::newRow("delete") << full << 17 << "delete" << 17 << "ABCDEFGHIJKLMNOPQST";
        QTest::newRow("delete the last") << full << 19 << "delete" << 19 << "ABCDEFGHIJKLMNOPQRS";
        QTest::newRow("clear") << full << 7 << "clear" << 7 << "";
        QTest::newRow("left at the start") << "" << 0 << "left" << 0 << "";
        QTest::newRow("right at the end") << "" << 19 << "right" << 19 << "";
    }
    void lineEditing()
    {
        QFETCH(QString, before);
        QFETCH(int, cursor);
        QFETCH(QString, edit);
        QFETCH(int, cursorAfter);
        QFETCH(QString, after);
        TitleRow r = rowOf(before);
        if (edit == u"backspace")
            backspace(r, cursor);
        else if (edit == u"delete")
            deleteAt(r, cursor);
        else if (edit == u"clear")
            clearRow(r);
        else if (edit == u"left")
            cursorLeft(cursor);
        else if (edit == u"right")
            cursorRight(cursor);
        else
            InsertChar(r, cursor, Conv(edit[0]));
        QString text;
        for (int i = 0; i < kLineLength; ++i)
            text += titleCharacters()[r[i]].key;
        QCOMPARE(text, after.leftJustified(kLineLength));
        QCOMPARE(cursor, cursorAfter);
        QCOMPARE(r[20], std::uint8_t(0x77));
    }

    void titlePackets()
    {
        const TitleRow abc = rowOf(QStringLiteral("ABC"));
        const std::span<const std::uint8_t> all(abc.data(), kLineLength);
        QCOMPARE(bytes(lineSettingPacket(1, {3, 5, 3, 1, 0})),
                 hex("810104731300050301000000000000FF"));
        QCOMPARE(bytes(titleHalfPacket(1, 3, 0, all.first(10))),
                 hex("81010473230001021B1B1B1B1B1B1BFF"));
        QCOMPARE(bytes(titleHalfPacket(1, 3, 1, all.last(10))),
                 hex("81010473331B1B1B1B1B1B1B1B1B1BFF"));
        QCOMPARE(bytes(lineSettingPacket(7, {10, 23, 6, 0, 254})),
                 hex("870104731A00170600FE0000000000FF"));
        QCOMPARE(bytes(titleDisplayPacket(2, true)), hex("820104742FFF"));
        QCOMPARE(bytes(titleDisplayPacket(2, false)), hex("820104743FFF"));
        QCOMPARE(bytes(titleClearPacket(3)), hex("830104741FFF"));
    }

    void titlePacketsRefuseBadValues()
    {
        const std::array<std::uint8_t, 10> ten{};
        const std::array<std::uint8_t, 9> nine{};
        QVERIFY(!lineSettingPacket(1, {11, 0, 0, 0, 0})); // would become a first-half packet
        QVERIFY(!lineSettingPacket(1, {-1, 0, 0, 0, 0}));
        QVERIFY(!lineSettingPacket(1, {0, 0, 0, 0, 256}));
        QVERIFY(!lineSettingPacket(1, {0, 0, 0, 0, 255})); // FF would end the packet
        QVERIFY(!lineSettingPacket(1, {0, -1, 0, 0, 0}));
        QVERIFY(!titleHalfPacket(1, 11, 0, ten));
        QVERIFY(!titleHalfPacket(1, 0, 2, ten));
        QVERIFY(!titleHalfPacket(1, 0, 0, nine));
    }

    void demonstrationTitle()
    {
        const DemoTitle &t = demoTitle();
        for (int i = 0; i < kLineLength; ++i)
            QCOMPARE(t[0][i], Conv(QChar(u'0' + (i + 1) % 10))); // 1..9 0, twice
        // Block letters: each 5-cell column block holds only its letter and blanks.
        const QString word = QString::fromUtf16(kDemoWord);
        for (int line = 1; line <= 8; ++line) {
            for (int i = 0; i < kLineLength; ++i) {
                const std::uint8_t c = t[line][i];
                QVERIFY2(c == kBlank || c == Conv(word[i / 5]), qPrintable(QString::number(line)));
            }
        }
        QString last;
        for (std::uint8_t c : t[10])
            last += titleCharacters()[c].key;
        QVERIFY(last.startsWith(word + u' '));
        for (const auto &line : t)
            for (std::uint8_t c : line)
                QVERIFY(c < kCodeCount);
    }

    void digitPairOfText_data()
    {
        QTest::addColumn<QString>("text");
        QTest::addColumn<int>("digits"); // tens and units; -1: refused
        QTest::newRow("one digit") << "7" << 7;
        QTest::newRow("two digits") << "34" << 34;
        QTest::newRow("four-digit year") << "2026" << 26;
        QTest::newRow("empty") << "" << 0;
        QTest::newRow("letters") << "ab" << -1;
        QTest::newRow("blank inside") << " 7" << -1;
        QTest::newRow("non-ASCII digit") << QString(QChar(0x0663)) << -1;
    }
    void digitPairOfText()
    {
        QFETCH(QString, text);
        QFETCH(int, digits);
        const auto pair = digitPair(QStringView(text));
        QCOMPARE(pair ? 10 * (*pair)[0] + (*pair)[1] : -1, digits);
    }

    void clockPackets()
    {
        const ClockFields f = clockFieldsOf(QDateTime(QDate(2026, 12, 5), QTime(12, 34, 56)));
        QCOMPARE(QList<int>({f.year, f.month, f.day, f.hour, f.minute}),
                 QList<int>({26, 12, 5, 12, 34}));
        QCOMPARE(bytes(clockPacket(1, f)), hex("8101047002060102000501020304FF"));
        QCOMPARE(clockFieldsOf(QDateTime(QDate(2000, 1, 1), QTime(0, 0))).year, 0);
        QCOMPARE(bytes(clockPacket(2, {0, 9, 1, 23, 59})), hex("8201047000000009000102030509FF"));
        QVERIFY(!clockPacket(1, {100, 1, 1, 0, 0}));
        QVERIFY(!clockPacket(1, {0, -1, 1, 0, 0}));
        QCOMPARE(bytes(dateDisplayPacket(1, true)), hex("8101047102FF"));
        QCOMPARE(bytes(dateDisplayPacket(1, false)), hex("8101047103FF"));
        QCOMPARE(bytes(timeDisplayPacket(3, true)), hex("8301047202FF"));
        QCOMPARE(bytes(timeDisplayPacket(3, false)), hex("8301047203FF"));
    }
};

QTEST_GUILESS_MAIN(TestTitleCode)
#include "test_titlecode.moc"
