// The camera's title character code, the line editing rules, and the title
// and clock packets.

#include <QRegularExpression>
#include <QTest>
#include <titlecode.h>

#include <set>

using namespace zam::titles;

namespace {

QByteArray hex(const char *s)
{
    return QByteArray::fromHex(s);
}

QByteArray bytes(const std::optional<QByteArray> &packet)
{
    return packet.value_or(QByteArray("(nothing)"));
}

TitleRow blankRow()
{
    TitleRow r;
    r.fill(kBlank);
    return r;
}

// Codes of a row as text "00 01 1B ..." for readable failures.
QByteArray codesOf(const TitleRow &r, int n = kLineLength)
{
    return QByteArray(reinterpret_cast<const char *>(r.data()), n).toHex(' ').toUpper();
}

} // namespace

class TestTitleCode : public QObject {
    Q_OBJECT
private Q_SLOTS:
    void convTable_data()
    {
        QTest::addColumn<QChar>("key");
        QTest::addColumn<int>("code");
        QTest::addColumn<QString>("glyph");
        const struct {
            char16_t key;
            int code;
            const char16_t *glyph;
        } rows[] = {
            {u'A', 0x00, u"A"},  {u'Z', 0x19, u"Z"},  {u'&', 0x1A, u"&"},      {u' ', 0x1B, u""},
            {u'?', 0x1C, u"?"},  {u'!', 0x1D, u"!"},  {u'1', 0x1E, u"1"},      {u'9', 0x26, u"9"},
            {u'0', 0x27, u"0"},  {u'a', 0x28, u"À"},  {u'o', 0x36, u"Œ"},      {u't', 0x3B, u"ß"},
            {u'y', 0x40, u"Å"},  {u'$', 0x41, u"$"},  {u'z', 0x42, u"\u20A3"}, {u'\\', 0x43, u"¥"},
            {u'<', 0x44, u"DM"}, {u'>', 0x45, u"£"},  {u'(', 0x46, u"¿"},      {u')', 0x47, u"¡"},
            {u'@', 0x48, u"Ø"},  {u'"', 0x49, u"\""}, {u':', 0x4A, u":"},      {u'\'', 0x4B, u"'"},
            {u'.', 0x4C, u"."},  {u',', 0x4D, u","},  {u'/', 0x4E, u"/"},      {u'-', 0x4F, u"-"},
        };
        for (const auto &r : rows)
            QTest::addRow("%s", qPrintable(QString(QChar(r.key))))
                << QChar(r.key) << r.code << QString::fromUtf16(r.glyph);
    }
    void convTable()
    {
        QFETCH(QChar, key);
        QFETCH(int, code);
        QFETCH(QString, glyph);
        QCOMPARE(int(Conv(key)), code);
        QCOMPARE(titleCodeOf(key), std::optional<std::uint8_t>(std::uint8_t(code)));
        QCOMPARE(glyphText(std::uint8_t(code)), glyph);
    }

    void wholeTableRoundTrips()
    {
        const auto chars = titleCharacters();
        QCOMPARE(int(chars.size()), kCodeCount);
        std::set<char16_t> keys;
        for (int i = 0; i < kCodeCount; ++i) {
            QCOMPARE(int(chars[i].code), i);
            QVERIFY2(keys.insert(chars[i].key.unicode()).second, "a key gives two codes");
            QCOMPARE(int(Conv(chars[i].key)), i);
        }
        // Letters and digits run in order.
        for (char16_t c = u'A'; c <= u'Z'; ++c)
            QCOMPARE(int(Conv(c)), c - u'A');
        for (char16_t c = u'a'; c <= u'y'; ++c)
            QCOMPARE(int(Conv(c)), 0x28 + c - u'a');
    }

    void unlistedCharacters_data()
    {
        QTest::addColumn<QChar>("key");
        for (char16_t c : std::u16string_view(u"#%*+=[]^_`{|}~;é€\t"))
            QTest::addRow("U+%04X", unsigned(c)) << QChar(c);
        QTest::newRow("NUL") << QChar(u'\0');
    }
    void unlistedCharacters()
    {
        QFETCH(QChar, key);
        QCOMPARE(int(Conv(key)), 0x00); // sent as A
        QVERIFY(!titleCodeOf(key));
    }

    void glyphOutsideSet()
    {
        QCOMPARE(glyphText(0x50), QString());
        QCOMPARE(glyphText(0xFF), QString());
    }

    void characterList_data()
    {
        QTest::addColumn<int>("line");
        QTest::addColumn<QString>("text");
        const char16_t *lines[] = {
            u"[A]=[A]  [B]=[B]  [C]=[C]  [D]=[D]  [E]=[E]  [F]=[F]  [G]=[G]  [H]=[H]",
            u"[I]=[I]  [J]=[J]  [K]=[K]  [L]=[L]  [M]=[M]  [N]=[N]  [O]=[O]  [P]=[P]",
            u"[Q]=[Q]  [R]=[R]  [S]=[S]  [T]=[T]  [U]=[U]  [V]=[V]  [W]=[W]  [X]=[X]",
            u"[Y]=[Y]  [Z]=[Z]  [Ø]=[@]  [1]=[1]  [2]=[2]  [3]=[3]  [4]=[4]  [5]=[5]",
            u"[6]=[6]  [7]=[7]  [8]=[8]  [9]=[9]  [0]=[0]  [!]=[!]  [\"]=[\"]  [$]=[$]",
            u"[&]=[&]  [']=[']  [-]=[-]  [/]=[/]  [,]=[,]  [.]=[.]  [Y=]=[\\] [:]=[:]",
            u"[?]=[?]  [ ]=[ ]  [À]=[a]  [È]=[b]  [Ì]=[c]  [Ò]=[d]  [Ù]=[e]  [Á]=[f]",
            u"[É]=[g]  [Í]=[h]  [Ó]=[i]  [Ú]=[j]  [Â]=[k]  [Ê]=[l]  [Ô]=[m]  [Æ]=[n]",
            u"[OE]=[o] [Ã]=[p]  [Õ]=[q]  [Ñ]=[r]  [Ç]=[s]  [ß]=[t]  [Ä]=[u]  [Ï]=[v]",
            u"[Ö]=[w]  [Ü]=[x]  [Å]=[y]  [F=]=[z] [¿]=[(]  [¡]=[)]  [DM]=[<] [£]=[>]",
        };
        for (int i = 0; i < 10; ++i)
            QTest::addRow("line %d", i + 1) << i << QString::fromUtf16(lines[i]);
    }
    void characterList()
    {
        QFETCH(int, line);
        QFETCH(QString, text);
        const QString list = characterListText();
        QVERIFY(list.endsWith(QStringLiteral("\r\n")));
        const QStringList lines = list.chopped(2).split(QStringLiteral("\r\n"));
        QCOMPARE(lines.size(), 10);
        QCOMPARE(lines[line], text);
    }

    // Every key of the set is listed once, and says what Conv does with it.
    void characterListAgreesWithConv()
    {
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

    void chartCodeAt_data()
    {
        QTest::addColumn<QPoint>("at");
        QTest::addColumn<int>("code"); // -1: no character there
        QTest::newRow("first cell") << QPoint(0, 0) << 0x00;
        QTest::newRow("first cell, far corner") << QPoint(24, 24) << 0x00;
        QTest::newRow("second column") << QPoint(25, 0) << 0x01;
        QTest::newRow("row 2, column 1") << QPoint(30, 60) << 0x21;
        QTest::newRow("end of row 0") << QPoint(399, 0) << 0x0F;
        QTest::newRow("start of last row") << QPoint(0, 100) << 0x40;
        QTest::newRow("last code") << QPoint(399, 124) << 0x4F;
        QTest::newRow("right of the chart") << QPoint(400, 0) << -1;
        QTest::newRow("below the chart") << QPoint(0, 125) << -1;
        QTest::newRow("left of the chart") << QPoint(-1, 10) << -1;
        QTest::newRow("above the chart") << QPoint(10, -1) << -1;
    }
    void chartCodeAt()
    {
        QFETCH(QPoint, at);
        QFETCH(int, code);
        const auto got = zam::titles::chartCodeAt(at);
        QCOMPARE(got ? int(*got) : -1, code);
    }

    void chartGlyphBoxesMapBack()
    {
        for (int c = 0; c < kCodeCount; ++c) {
            const QRect box = chartGlyphBox(std::uint8_t(c));
            QCOMPARE(box.size(), QSize(kChartGlyph, kChartGlyph));
            QCOMPARE(zam::titles::chartCodeAt(box.topLeft()), std::optional<std::uint8_t>(c));
            QCOMPARE(zam::titles::chartCodeAt(box.bottomRight()), std::optional<std::uint8_t>(c));
        }
    }

    void typingFillsFromTheCursor()
    {
        TitleRow r = blankRow();
        int cursor = 0;
        for (QChar c : QStringLiteral("ABC"))
            InsertChar(r, cursor, Conv(c));
        QCOMPARE(codesOf(r, 4), QByteArray("00 01 02 1B"));
        QCOMPARE(cursor, 3);
    }

    void insertShiftsRightAndDropsTheLast()
    {
        TitleRow r = blankRow();
        for (int i = 0; i < kLineLength; ++i)
            r[i] = std::uint8_t(i);
        r[20] = 0x77;
        int cursor = 5;
        InsertChar(r, cursor, 0x4F);
        QCOMPARE(codesOf(r),
                 QByteArray("00 01 02 03 04 4F 05 06 07 08 09 0A 0B 0C 0D 0E 0F 10 11 12"));
        QCOMPARE(cursor, 6);
        QCOMPARE(r[20], std::uint8_t(0x77)); // the unused 21st entry is never touched

        cursor = 19;
        InsertChar(r, cursor, 0x4E);
        QCOMPARE(r[19], std::uint8_t(0x4E));
        QCOMPARE(r[18], std::uint8_t(0x11));
        QCOMPARE(cursor, 19);
        QCOMPARE(r[20], std::uint8_t(0x77));
    }

    void deleteAndBackspace()
    {
        TitleRow r = blankRow();
        int cursor = 0;
        for (QChar c : QStringLiteral("ABCDEFGHIJKLMNOPQRST"))
            InsertChar(r, cursor, Conv(c));
        QCOMPARE(cursor, 19);

        cursor = 0;
        backspace(r, cursor); // nothing before the first character
        QCOMPARE(cursor, 0);
        QCOMPARE(r[0], std::uint8_t(0x00));

        cursor = 1;
        backspace(r, cursor);
        QCOMPARE(cursor, 0);
        QCOMPARE(codesOf(r),
                 QByteArray("01 02 03 04 05 06 07 08 09 0A 0B 0C 0D 0E 0F 10 11 12 13 1B"));

        deleteAt(r, 17);
        QCOMPARE(codesOf(r),
                 QByteArray("01 02 03 04 05 06 07 08 09 0A 0B 0C 0D 0E 0F 10 11 13 1B 1B"));
        deleteAt(r, 19);
        QCOMPARE(r[19], kBlank);

        clearRow(r);
        QCOMPARE(codesOf(r), codesOf(blankRow()));
    }

    void cursorStaysOnTheLine()
    {
        int cursor = 0;
        cursorLeft(cursor);
        QCOMPARE(cursor, 0);
        cursor = 19;
        cursorRight(cursor);
        QCOMPARE(cursor, 19);
        // A cursor that is off the line is brought back before it is used.
        TitleRow r = blankRow();
        cursor = 40;
        InsertChar(r, cursor, 0x00);
        QCOMPARE(r[19], std::uint8_t(0x00));
        QCOMPARE(r[20], kBlank);
        cursor = -3;
        InsertChar(r, cursor, 0x01);
        QCOMPARE(r[0], std::uint8_t(0x01));
        QCOMPARE(cursor, 1);
    }

    void titlePackets()
    {
        TitleRow r = blankRow();
        int cursor = 0;
        for (QChar c : QStringLiteral("ABC"))
            InsertChar(r, cursor, Conv(c));
        const std::span<const std::uint8_t> all(r.data(), kLineLength);
        QCOMPARE(bytes(lineSettingPacket(1, {3, 5, 3, 1, 0})),
                 hex("810104731300050301000000000000FF"));
        QCOMPARE(bytes(titleHalfPacket(1, 3, 0, all.first(10))),
                 hex("81010473230001021B1B1B1B1B1B1BFF"));
        QCOMPARE(bytes(titleHalfPacket(1, 3, 1, all.last(10))),
                 hex("81010473331B1B1B1B1B1B1B1B1B1BFF"));
        QCOMPARE(bytes(lineSettingPacket(7, {10, 23, 6, 0, 255})),
                 hex("870104731A00170600FF0000000000FF"));
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
        QVERIFY(!lineSettingPacket(1, {0, -1, 0, 0, 0}));
        QVERIFY(!titleHalfPacket(1, 11, 0, ten));
        QVERIFY(!titleHalfPacket(1, 0, 2, ten));
        QVERIFY(!titleHalfPacket(1, 0, 0, nine));
    }

    void demonstrationTitle()
    {
        const DemoTitle &t = demoTitle();
        for (int i = 0; i < kLineLength; ++i) {
            QCOMPARE(t[0][i], Conv(QChar(u'0' + (i + 1) % 10))); // 1..9 0, twice
            QCOMPARE(t[9][i], std::uint8_t(0x4D));
        }
        // Block letters: each 5-cell column block holds only its letter and blanks.
        const QString word = QString::fromUtf16(kDemoWord);
        for (int line = 1; line <= 8; ++line) {
            for (int i = 0; i < kLineLength; ++i) {
                const std::uint8_t c = t[line][i];
                QVERIFY2(c == kBlank || c == Conv(word[i / 5]), qPrintable(QString::number(line)));
            }
        }
        for (int letter = 0; letter < 4; ++letter) {
            int cells = 0;
            for (int line = 1; line <= 8; ++line)
                for (int i = 0; i < 5; ++i)
                    cells += t[line][letter * 5 + i] != kBlank;
            QVERIFY(cells >= 12); // drawn, not empty
        }
        QString last;
        for (std::uint8_t c : t[10])
            last += c == kBlank ? QChar(u' ') : titleCharacters()[c].key;
        QVERIFY(last.startsWith(word + u' '));
        QVERIFY(last.trimmed().size() > word.size() + 1); // the suffix is there
        for (const auto &line : t)
            for (std::uint8_t c : line)
                QVERIFY(c < kCodeCount);
    }

    void digitPairOfText_data()
    {
        QTest::addColumn<QString>("text");
        QTest::addColumn<int>("tens"); // -1: refused
        QTest::addColumn<int>("units");
        QTest::newRow("one digit") << "7" << 0 << 7;
        QTest::newRow("leading zero") << "07" << 0 << 7;
        QTest::newRow("two digits") << "34" << 3 << 4;
        QTest::newRow("four-digit year") << "2026" << 2 << 6;
        QTest::newRow("empty") << "" << 0 << 0;
        QTest::newRow("letters") << "ab" << -1 << -1;
        QTest::newRow("letter last") << "1a" << -1 << -1;
        QTest::newRow("blank inside") << " 7" << -1 << -1;
        QTest::newRow("non-ASCII digit") << QString(QChar(0x0663)) << -1 << -1;
    }
    void digitPairOfText()
    {
        QFETCH(QString, text);
        QFETCH(int, tens);
        QFETCH(int, units);
        const auto pair = digitPair(QStringView(text));
        if (tens < 0) {
            QVERIFY(!pair);
            return;
        }
        QVERIFY(pair);
        QCOMPARE(int((*pair)[0]), tens);
        QCOMPARE(int((*pair)[1]), units);
    }

    void clockPackets()
    {
        const ClockFields f = clockFieldsOf(QDateTime(QDate(2026, 12, 5), QTime(12, 34, 56)));
        QCOMPARE(f.year, 26);
        QCOMPARE(f.month, 12);
        QCOMPARE(f.day, 5);
        QCOMPARE(f.hour, 12);
        QCOMPARE(f.minute, 34);
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
