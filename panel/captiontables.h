#pragma once
// Caption tables of the exposure displays.
//
// The camera block reports the shutter, iris, gain, bright and exposure
// compensation positions as plain indices; the window shows the caption of
// that row next to the slider:
//
//   table         rows  filled by                    index from camera block
//   ShutterTable  22x2  fixed (column = ShutterColumn)  byte 10
//   IrisTable     19    lens profile, rows 0..17         byte 11
//   GainTable     16    fixed                            byte 12
//   BrightTable   33    lens profile, rows 0..23/0..31   byte 13
//   ExpCompTable  15    fixed                            byte 14
//
// An index past the end of a table shows nothing new: the lookups answer
// std::nullopt and the caller leaves its display (text and slider) as it was.
// A row that exists but that the lens profile did not fill is an empty
// string, which is shown.

#include <QString>
#include <QStringList>
#include <array>
#include <optional>

namespace zam {

inline constexpr int kShutterRows = 22;
inline constexpr int kShutterColumns = 2;
inline constexpr int kGainRows = 16;
inline constexpr int kExpCompRows = 15;
inline constexpr int kIrisRows = 19;
inline constexpr int kBrightRows = 33;

// Indexed [column][row]; column 1 is used when the other block reports
// byte 12 bit 0 set.
inline constexpr std::array<std::array<const char *, kShutterRows>, kShutterColumns> ShutterTable{{
    {"1/1",    "1/2",    "1/4",    "1/8",    "1/15",   "1/30",   "1/60",  "1/90",
     "1/100",  "1/125",  "1/180",  "1/250",  "1/350",  "1/500",  "1/725", "1/1000",
     "1/1500", "1/2000", "1/3000", "1/4000", "1/6000", "1/10000"},
    {"1/1",    "1/2",    "1/3",    "1/6",    "1/12",   "1/25",   "1/50",  "1/75",
     "1/100",  "1/120",  "1/150",  "1/215",  "1/300",  "1/425",  "1/600", "1/1000",
     "1/1250", "1/1750", "1/2500", "1/3500", "1/6000", "1/10000"},
}};

inline constexpr std::array<const char *, kGainRows> GainTable{
    "-3dB", "0dB",  "2dB",  "4dB",  "6dB",  "8dB",  "10dB", "12dB",
    "14dB", "16dB", "18dB", "20dB", "22dB", "24dB", "26dB", "28dB"};

inline constexpr std::array<const char *, kExpCompRows> ExpCompTable{
    "-7/-10.5dB", "-6/-9dB", "-5/-7.5dB", "-4/-6dB", "-3/-4.5dB", "-2/-3dB", "-1/-1.5dB", "0/0dB",
    "1/1.5dB",    "2/3dB",   "3/4.5dB",   "4/6dB",   "5/7.5dB",   "6/9dB",   "7/10.5dB"};

// The three lenses of the family. The model table (modeltable.h) says which
// one a camera has.
enum class LensProfile { Opt10X, Opt18X, Opt25X };

// Iris captions per lens, rows 0..17 (row 18 of IrisTable stays empty).
// BrightTable rows 0..17 repeat them with "/0dB" appended and row 0 written
// "CLOSE"; above row 17 the widest aperture stays and gain rises in steps of
// gainStepDb up to lastBrightRow.
inline constexpr int kLensIrisRows = 18;
struct LensCaptions {
    LensProfile profile;
    std::array<const char *, kLensIrisRows> iris;
    int gainStepDb;
    int lastBrightRow;
};

inline constexpr std::array<LensCaptions, 3> kLensCaptions{{
    {LensProfile::Opt10X,
     {"Close", "F28", "F22", "F19", "F16", "F14", "F11", "F9.6", "F8", "F6.8", "F5.6", "F4.8", "F4",
      "F3.4", "F2.8", "F2.4", "F2", "F1.8"},
     3,
     23},
    {LensProfile::Opt18X,
     {"Close", "F22", "F19", "F16", "F14", "F11", "F9.6", "F8", "F6.8", "F5.6", "F4.8", "F4.0",
      "F3.4", "F2.8", "F2.4", "F2.0", "F1.6", "F1.4"},
     2,
     31},
    {LensProfile::Opt25X,
     {"Close", "F28", "F22", "F19", "F16", "F14", "F11", "F9.6", "F8", "F6.8", "F5.6", "F4.8", "F4",
      "F3.4", "F2.8", "F2.4", "F2", "F1.6"},
     2,
     31},
}};

// Bright rows that spell the F-number differently from the iris row.
struct BrightRespelling {
    LensProfile profile;
    int row;
    const char *fNumber;
};
inline constexpr std::array<BrightRespelling, 3> kBrightRespellings{{
    {LensProfile::Opt18X, 11, "F4"},
    {LensProfile::Opt18X, 15, "F2"},
    {LensProfile::Opt25X, 16, "F2.0"},
}};

const LensCaptions &lensCaptions(LensProfile profile);

// The full 19-row IrisTable / 33-row BrightTable of a lens, unfilled rows "".
QStringList irisTable(LensProfile profile);
QStringList brightTable(LensProfile profile);

// Safe row lookup: nullopt when index is negative or past the table.
std::optional<QString> captionAt(const QStringList &table, int index);

// The caption tables the main window holds. Iris and bright start with all
// rows empty (no model identified yet); applying a lens profile overwrites
// the rows that profile fills and leaves the others as they are.
class CaptionTables {
public:
    CaptionTables();

    void applyLensProfile(LensProfile profile);

    std::optional<QString> shutter(int column, int index) const;
    std::optional<QString> iris(int index) const { return captionAt(m_iris, index); }
    std::optional<QString> gain(int index) const;
    std::optional<QString> bright(int index) const { return captionAt(m_bright, index); }
    std::optional<QString> expComp(int index) const;

    const QStringList &irisRows() const { return m_iris; }
    const QStringList &brightRows() const { return m_bright; }

private:
    QStringList m_iris;
    QStringList m_bright;
};

} // namespace zam
