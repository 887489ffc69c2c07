// The camera's title character code, the line editing rules, and what the
// title and clock packets add to the catalog's.

#include "support/testmain.h"
#include <QTest>
#include <titlecode.h>

#include <QHash>

using namespace zam::titles;

namespace {

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

    // One line of 20 codes being edited, at the ends of the line (the chart
    // editor's keys and buttons do the rest); the 21st entry of a row is
    // never touched.
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
        QTest::newRow("delete the last") << full << 19 << "delete" << 19 << "ABCDEFGHIJKLMNOPQRS";
        QTest::newRow("left at the start") << "" << 0 << "left" << 0 << "";
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
        else if (edit == u"left")
            cursorLeft(cursor);
        else
            InsertChar(r, cursor, Conv(edit[0]));
        QString text;
        for (int i = 0; i < kLineLength; ++i)
            text += titleCharacters()[r[i]].key;
        QCOMPARE(text, after.leftJustified(kLineLength));
        QCOMPARE(cursor, cursorAfter);
        QCOMPARE(r[20], std::uint8_t(0x77));
    }

    // The packets are the catalog's, built and refused at the ends of every
    // field in its own test, and the editors pin theirs as they send them;
    // here the title code's own part: a half is ten codes of one of two.
    void titleHalfPacketBounds()
    {
        const std::array<std::uint8_t, 10> ten{};
        const std::array<std::uint8_t, 9> nine{};
        QVERIFY(titleHalfPacket(1, 0, 1, ten));
        QVERIFY(!titleHalfPacket(1, 0, 2, ten));
        QVERIFY(!titleHalfPacket(1, 0, 0, nine));
    }

    void demonstrationTitle()
    {
        const DemoTitle &t = demoTitle();
        for (int i = 0; i < kLineLength; ++i)
            QCOMPARE(t[0][i], Conv(QChar(u'0' + (i + 1) % 10))); // 1..9 0, twice
        const QString word = QString::fromUtf16(kDemoWord);
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

    // The clock dialog's packet is checked as it sends it, the fields' ends
    // in the catalog's test; here the year 2000 as the camera counts it.
    void clockFields()
    {
        QCOMPARE(clockFieldsOf(QDateTime(QDate(2000, 1, 1), QTime(0, 0))).year, 0);
    }
};

ZAM_TEST_GUILESS_MAIN(TestTitleCode)
#include "test_titlecode.moc"
