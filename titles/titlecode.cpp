#include "titlecode.h"

#include <catalog.h>

#include <algorithm>
#include <string_view>
#include <utility>
#include <vector>

namespace zam::titles {

namespace {

std::vector<TitleChar> buildCharacters()
{
    std::vector<TitleChar> t;
    t.reserve(kCodeCount);
    auto add = [&t](QChar key, const QString &glyph, const QString &listed) {
        t.push_back({std::uint8_t(t.size()), key, glyph, listed});
    };
    auto same = [&add](QChar key) { add(key, QString(key), QString(key)); };

    for (char16_t c = u'A'; c <= u'Z'; ++c)
        same(QChar(c));
    same(u'&');
    add(u' ', QString(), QStringLiteral(" "));
    same(u'?');
    same(u'!');
    for (char16_t c = u'1'; c <= u'9'; ++c)
        same(QChar(c));
    same(u'0');
    // a..y: the accented capitals and ligatures of the western European
    // languages, in the order the camera's character generator holds them.
    static constexpr char16_t kAccented[] = u"ÀÈÌÒÙÁÉÍÓÚÂÊÔÆŒÃÕÑÇßÄÏÖÜÅ";
    for (int i = 0; i < 25; ++i) {
        const QChar g(kAccented[i]);
        add(QChar(char16_t(u'a' + i)), QString(g),
            g == QChar(u'Œ') ? QStringLiteral("OE") : QString(g));
    }
    same(u'$');
    add(u'z', QStringLiteral("\u20A3"), QStringLiteral("F="));
    add(u'\\', QStringLiteral("\u00A5"), QStringLiteral("Y="));
    add(u'<', QStringLiteral("DM"), QStringLiteral("DM"));
    using Pair = std::pair<char16_t, char16_t>;
    for (const Pair &p : {Pair{u'>', u'£'}, Pair{u'(', u'¿'}, Pair{u')', u'¡'}, Pair{u'@', u'Ø'}})
        add(QChar(p.first), QString(QChar(p.second)), QString(QChar(p.second)));
    for (char16_t c : std::u16string_view(u"\":'.,/-"))
        same(QChar(c));
    Q_ASSERT(t.size() == std::size_t(kCodeCount));
    return t;
}

const std::vector<TitleChar> &characters()
{
    static const std::vector<TitleChar> table = buildCharacters();
    return table;
}

// Keys of the character list, line by line.
constexpr const char16_t *kListKeys[] = {
    u"ABCDEFGH",  u"IJKLMNOP", u"QRSTUVWX", u"YZ@12345", u"67890!\"$",
    u"&'-/,.\\:", u"? abcdef", u"ghijklmn", u"opqrstuv", u"wxyz()<>",
};

} // namespace

std::span<const TitleChar> titleCharacters()
{
    return characters();
}

std::optional<std::uint8_t> titleCodeOf(QChar key)
{
    for (const TitleChar &c : characters()) {
        if (c.key == key)
            return c.code;
    }
    return std::nullopt;
}

std::uint8_t Conv(QChar key)
{
    return titleCodeOf(key).value_or(0x00);
}

QString glyphText(std::uint8_t code)
{
    return code < kCodeCount ? characters()[code].glyph : QString();
}

QString characterListText()
{
    QString out;
    for (const char16_t *keys : kListKeys) {
        QString line;
        const std::u16string_view ks(keys);
        for (std::size_t i = 0; i < ks.size(); ++i) {
            const TitleChar &c = characters()[Conv(QChar(ks[i]))];
            if (i > 0) {
                const TitleChar &prev = characters()[Conv(QChar(ks[i - 1]))];
                line += prev.listed.size() == 2 ? QStringLiteral(" ") : QStringLiteral("  ");
            }
            line += u'[' + c.listed + QStringLiteral("]=[") + c.key + u']';
        }
        out += line + QStringLiteral("\r\n");
    }
    return out;
}

std::optional<std::uint8_t> chartCodeAt(QPoint p)
{
    if (p.x() < 0 || p.y() < 0)
        return std::nullopt;
    const int column = p.x() / kChartCell;
    const int row = p.y() / kChartCell;
    if (column >= kChartColumns)
        return std::nullopt;
    const int code = row * kChartColumns + column;
    if (code >= kCodeCount)
        return std::nullopt;
    return std::uint8_t(code);
}

QRect chartGlyphBox(std::uint8_t code)
{
    const int column = code % kChartColumns;
    const int row = code / kChartColumns;
    return QRect(column * kChartCell + 1, row * kChartCell + 1, kChartGlyph, kChartGlyph);
}

void InsertChar(TitleRow &row, int &cursor, std::uint8_t code)
{
    cursor = std::clamp(cursor, 0, kLineLength - 1);
    for (int i = kLineLength - 1; i > cursor; --i)
        row[i] = row[i - 1];
    row[cursor] = code;
    cursorRight(cursor);
}

void deleteAt(TitleRow &row, int cursor)
{
    cursor = std::clamp(cursor, 0, kLineLength - 1);
    for (int i = cursor; i < kLineLength - 1; ++i)
        row[i] = row[i + 1];
    row[kLineLength - 1] = kBlank;
}

void backspace(TitleRow &row, int &cursor)
{
    if (cursor <= 0)
        return;
    cursorLeft(cursor);
    deleteAt(row, cursor);
}

void cursorLeft(int &cursor)
{
    cursor = std::clamp(cursor - 1, 0, kLineLength - 1);
}

void cursorRight(int &cursor)
{
    cursor = std::clamp(cursor + 1, 0, kLineLength - 1);
}

void clearRow(TitleRow &row)
{
    std::fill(row.begin(), row.begin() + kLineLength, kBlank);
}

int titleRowIndex(int cameraAddress)
{
    return std::clamp(cameraAddress, 0, 8);
}

std::optional<QByteArray> lineSettingPacket(int address, const LineSetting &s)
{
    return catalog::build(catalog::Id::TitleLineSetting, address,
                          {s.line, s.horizontal, s.colour, s.blink, s.opening});
}

std::optional<QByteArray> titleHalfPacket(int address, int line, int half,
                                          std::span<const std::uint8_t> codes)
{
    if ((half != 0 && half != 1) || codes.size() != std::size_t(kHalfLength))
        return std::nullopt;
    std::array<int, 1 + kHalfLength> v{line};
    std::copy(codes.begin(), codes.end(), v.begin() + 1);
    return catalog::build(half == 0 ? catalog::Id::TitleFirstHalf : catalog::Id::TitleSecondHalf,
                          address, v);
}

std::optional<QByteArray> titleDisplayPacket(int address, bool on)
{
    return catalog::build(on ? catalog::Id::TitleDisplayOn : catalog::Id::TitleDisplayOff, address);
}

std::optional<QByteArray> titleClearPacket(int address)
{
    return catalog::build(catalog::Id::TitleClear, address);
}

const DemoTitle &demoTitle()
{
    // Lines 1..8: the word in block letters, each letter 5 cells wide (the
    // fifth a gap) and drawn with its own character.
    static constexpr const char *kBlock[4][8] = {
        {"DDD  ", "D  D ", "D  D ", "D  D ", "D  D ", "D  D ", "D  D ", "DDD  "},
        {" OO  ", "O  O ", "O  O ", "O  O ", "O  O ", "O  O ", "O  O ", " OO  "},
        {"V  V ", "V  V ", "V  V ", "V  V ", "V  V ", "V  V ", " VV  ", " VV  "},
        {" AA  ", "A  A ", "A  A ", "AAAA ", "A  A ", "A  A ", "A  A ", "A  A "},
    };
    static const DemoTitle title = [] {
        DemoTitle t{};
        for (int i = 0; i < kLineLength; ++i)
            t[0][i] = std::uint8_t(0x1E + i % 10); // 1..9, 0
        for (int row = 0; row < 8; ++row) {
            for (int letter = 0; letter < 4; ++letter)
                for (int i = 0; i < 5; ++i)
                    t[row + 1][letter * 5 + i] = Conv(QChar(kBlock[letter][row][i]));
        }
        t[9].fill(0x4D); // commas
        const QString last = QString::fromUtf16(kDemoWord) + QStringLiteral(" DEMO");
        t[10].fill(kBlank);
        for (int i = 0; i < last.size() && i < kLineLength; ++i)
            t[10][i] = Conv(last[i]);
        return t;
    }();
    return title;
}

ClockFields clockFieldsOf(const QDateTime &t)
{
    const QDate d = t.date();
    const QTime time = t.time();
    return {d.year() % 100, d.month(), d.day(), time.hour(), time.minute()};
}

std::optional<std::array<std::uint8_t, 2>> digitPair(QStringView text)
{
    // Two zeros in front, so that an empty field reads 00 as well.
    const QString padded = QStringLiteral("00") + text.toString();
    const QStringView last = QStringView(padded).right(2);
    std::array<std::uint8_t, 2> out{};
    for (int i = 0; i < 2; ++i) {
        const QChar c = last[i];
        if (c < u'0' || c > u'9')
            return std::nullopt;
        out[i] = std::uint8_t(c.unicode() - u'0');
    }
    return out;
}

std::optional<std::array<std::uint8_t, 2>> digitPair(int value)
{
    if (value < 0 || value > 99)
        return std::nullopt;
    return std::array<std::uint8_t, 2>{std::uint8_t(value / 10), std::uint8_t(value % 10)};
}

std::optional<QByteArray> clockPacket(int address, const ClockFields &f)
{
    return catalog::build(catalog::Id::ClockSet, address,
                          {f.year, f.month, f.day, f.hour, f.minute});
}

std::optional<QByteArray> dateDisplayPacket(int address, bool on)
{
    return catalog::build(on ? catalog::Id::DateDisplayOn : catalog::Id::DateDisplayOff, address);
}

std::optional<QByteArray> timeDisplayPacket(int address, bool on)
{
    return catalog::build(on ? catalog::Id::TimeDisplayOn : catalog::Id::TimeDisplayOff, address);
}

} // namespace zam::titles
