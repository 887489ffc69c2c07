#pragma once
// The camera's title character code, the editing rules of one title line,
// and the title and clock packets.
//
// A title is up to 11 lines (0..10) of 20 characters. The camera does not use
// ASCII: it has its own 80-character set, codes 0x00..0x4F, 0x1B = blank.
//
//   0x00..0x19  A..Z          0x41  $       0x48  Ø
//   0x1A        &             0x42  ₣       0x49  "
//   0x1B        blank         0x43  ¥       0x4A  :
//   0x1C        ?             0x44  DM      0x4B  '
//   0x1D        !             0x45  £       0x4C  .
//   0x1E..0x26  1..9          0x46  ¿       0x4D  ,
//   0x27        0             0x47  ¡       0x4E  /
//   0x28..0x40  À È Ì Ò Ù Á É Í Ó Ú Â Ê Ô Æ Œ Ã Õ Ñ Ç ß Ä Ï Ö Ü Å   0x4F  -
//
// On the keyboard the accented capitals are typed as a..y, the franc sign as
// z, the yen sign as backslash, the mark sign as <, £ as >, ¿ as (, ¡ as )
// and Ø as @.
//
// Title packets (16 bytes, L = line 0..10, 8x = 0x80 + camera address):
//
//   line setting  8x 01 04 73 1L 00 hh cc bb oo 00 00 00 00 00 FF
//                 hh horizontal position, cc colour 0..6, bb blink 0/1,
//                 oo opening byte
//   first half    8x 01 04 73 2L c0 .. c9 FF     characters 0..9
//   second half   8x 01 04 73 3L c10 .. c19 FF   characters 10..19
//
//   title clear   8x 01 04 74 1F FF   (every line of the camera blanked)
//   display on    8x 01 04 74 2F FF
//   display off   8x 01 04 74 3F FF
//
// Clock packets:
//
//   set clock     8x 01 04 70 Y1 Y2 M1 M2 D1 D2 H1 H2 N1 N2 FF   (15 bytes)
//                 year in the century, month, day, hour (24 h), minute:
//                 each as two bytes 00..09, tens digit first (not BCD)
//   date display  8x 01 04 71 02 FF on, 03 FF off
//   time display  8x 01 04 72 02 FF on, 03 FF off

#include <QByteArray>
#include <QChar>
#include <QDateTime>
#include <QPoint>
#include <QRect>
#include <QString>
#include <QStringView>

#include <array>
#include <cstdint>
#include <optional>
#include <span>

namespace zam::titles {

inline constexpr std::uint8_t kBlank = 0x1B;
inline constexpr int kCodeCount = 0x50; // codes 0x00..0x4F
inline constexpr int kLineLength = 20;  // characters on one title line
inline constexpr int kLastLine = 10;    // lines 0..10
inline constexpr int kHalfLength = 10;  // characters per half packet
// Seconds between title packets: the camera writes each into its title memory.
inline constexpr double kPacketPause = 0.5;

// One character of the camera's set.
struct TitleChar {
    std::uint8_t code;
    QChar key;      // keyboard character that gives it
    QString glyph;  // what the camera draws, as text ("" for blank)
    QString listed; // how the character list writes the glyph
};

// The whole set, in code order (entry i has code i).
std::span<const TitleChar> titleCharacters();

// Code of a keyboard character, or nothing when the camera has none for it.
std::optional<std::uint8_t> titleCodeOf(QChar key);
// Conv: the code of a typed character; characters the camera lacks become
// 0x00 (A).
std::uint8_t Conv(QChar key);
// The glyph of a code as text ("" for blank and for codes outside the set).
QString glyphText(std::uint8_t code);

// The keyboard editor's character list: ten lines of eight "[glyph]=[key]"
// entries, each line ended by CR LF.
QString characterListText();

// ---- The glyph chart: 16 columns of 25 x 25 cells, code c at column
// c mod 16, row c div 16.
inline constexpr int kChartColumns = 16;
inline constexpr int kChartCell = 25;
inline constexpr int kChartGlyph = 23; // glyph box, 1 unit inside the cell
inline constexpr int kChartRows = (kCodeCount + kChartColumns - 1) / kChartColumns;

// Code under a point of the chart, or nothing outside the character set.
std::optional<std::uint8_t> chartCodeAt(QPoint p);
// The glyph box of a code in chart units.
QRect chartGlyphBox(std::uint8_t code);

// ---- One title line being edited: 20 codes (TitleBuffer keeps a 21st entry
// per row that nothing uses) and the cursor 0..19.
using TitleRow = std::array<std::uint8_t, 21>;
// The title line of each camera address (rows 0..8), kept for the whole run.
using TitleBuffer = std::array<TitleRow, 9>;

// InsertChar: positions cursor+1..19 take the code of the position before
// them (the code at 19 is lost), the code goes to the cursor, and the cursor
// moves right (not past 19).
void InsertChar(TitleRow &row, int &cursor, std::uint8_t code);
// Delete at the cursor: the codes after it move left, 19 becomes blank; the
// cursor stays.
void deleteAt(TitleRow &row, int cursor);
// Backspace: from position 1 on, moves left and deletes there.
void backspace(TitleRow &row, int &cursor);
void cursorLeft(int &cursor);
void cursorRight(int &cursor);
// Positions 0..19 blank.
void clearRow(TitleRow &row);
// The row a camera address edits (addresses outside 0..8 are held to it).
int titleRowIndex(int cameraAddress);

// ---- Packets, built by the protocol catalog. Each answers nothing when a
// value is outside its range.
struct LineSetting {
    int line = 0;
    int horizontal = 0;
    int colour = 0;
    int blink = 0;
    int opening = 0; // 0..FE: FF is the terminator
};
std::optional<QByteArray> lineSettingPacket(int address, const LineSetting &s);
// half 0: characters 0..9 with 2L; half 1: characters 10..19 with 3L.
std::optional<QByteArray> titleHalfPacket(int address, int line, int half,
                                          std::span<const std::uint8_t> codes);
std::optional<QByteArray> titleDisplayPacket(int address, bool on);
std::optional<QByteArray> titleClearPacket(int address);

// The demonstration title: 11 lines of 20 codes (block letters of the
// button's word), and the word itself.
inline constexpr char16_t kDemoWord[] = u"DOVA";
using DemoTitle = std::array<std::array<std::uint8_t, kLineLength>, kLastLine + 1>;
const DemoTitle &demoTitle();

// ---- Clock.
struct ClockFields {
    int year = 0;   // within the century, 0..99
    int month = 1;  // 1..12
    int day = 1;    // 1..31
    int hour = 0;   // 0..23
    int minute = 0; // 0..59
};
// The PC's date and time as the clock dialog prefills it (seconds dropped).
ClockFields clockFieldsOf(const QDateTime &t);

// The two digits of a field's text: zeros put in front, the last two
// characters taken ("7" -> 0 7, "07" -> 0 7, "2026" -> 2 6, "" -> 0 0).
// Nothing when one of them is not a decimal digit.
std::optional<std::array<std::uint8_t, 2>> digitPair(QStringView text);
// The two digits of a value 0..99, tens first.
std::optional<std::array<std::uint8_t, 2>> digitPair(int value);

std::optional<QByteArray> clockPacket(int address, const ClockFields &f);
std::optional<QByteArray> dateDisplayPacket(int address, bool on);
std::optional<QByteArray> timeDisplayPacket(int address, bool on);

} // namespace zam::titles
