#pragma once
// Encodings of the masking, motion-detection and AE-spot packets: how the
// text of a box, a row of zone check boxes or a colour list becomes the
// bytes the camera expects, and how the alarm inquiry replies are read.
// Qt Core only, so that the rules are tested without windows.

#include <QByteArray>
#include <QString>
#include <QStringList>
#include <QStringView>

#include <array>
#include <cstdint>
#include <optional>

namespace zam::masks {

inline constexpr int kZoneCount = 24; // zones A..X = 0x00..0x17

// A camera command of category 04: header 01 04 code parameters.. FF.
QByteArray commandPacket(std::uint8_t header, std::uint8_t code, const QByteArray &parameters);

// Zone letter 'A'..'X' of zone 0..23.
QChar zoneLetter(int zone);

// Hexadecimal digit field: the text of a box sent as `width` parameter
// bytes 0p 0q .., one digit each, most significant first. The camera reads
// the digits the operator sees in a full box; from shorter or longer texts
// these characters are taken:
//
//   width 2   first, last
//   width 3   first, second, last
//   width 4   first, second, third, last
//
// A position beyond the end of the text counts as 0 when missingIsZero
// (otherwise the field cannot be sent). Either case of A..F is read. The
// answer is nothing when a taken character is not a hexadecimal digit, or
// when the width is not 2, 3 or 4.
std::optional<QByteArray> hexDigitField(QStringView text, int width, bool missingIsZero = true);

// The value the digits of a field form (0x505 for "5" in a 3-digit field).
int digitFieldValue(const QByteArray &digits);

// 24-zone bitmap: zone i sets bit (i mod 6) of group (i div 6); the four
// groups go out group 3 first:
//
//   aa  zones S..X   (bit 0 = S)
//   bb  zones M..R
//   cc  zones G..L
//   dd  zones A..F
std::array<std::uint8_t, 4> zoneBitmap(const std::array<bool, kZoneCount> &ticked);

// Mask colours, in list order; the list position is the colour code.
const QStringList &maskColourNames();
// Colour byte of a list position (0x00..0x0D); "Half" adds 0x10. Nothing
// when no colour is selected (position outside the list).
std::optional<std::uint8_t> maskColourByte(int listPosition, bool half);
// Sent in place of a colour byte by the mosaic buttons.
inline constexpr std::uint8_t kMosaicColour = 0x7F;

// Pan and tilt angles: 12-bit codes, 4096 to the full turn, 0x000 = 0
// degrees, typed as three hexadecimal digits (a 3-digit field).
inline std::optional<QByteArray> panTiltAngleCode(QStringView text)
{
    return hexDigitField(text, 3);
}

// Direction byte of the "Move Pan Tilt" grid of option buttons 0..8, read
// row by row from the top left: high nibble 1 right / 2 left, low nibble
// 1 up / 2 down. The centre, no selection (-1) or any other index is 0x00.
std::uint8_t directionCode(int optionIndex);

// A box read as a hexadecimal number from its first character up to the
// first character that is not a hexadecimal digit; empty text or text that
// starts with another character reads as 0. Answers nothing when the number
// does not fit in one byte (the camera gets one whole byte).
std::optional<std::uint8_t> leadingHexByte(QStringView text);

// --- motion detection, earlier family ---

// Alarm modes, in list order; the list position is the mode code 0x00..0x0C.
const QStringList &alarmModeNames();
inline constexpr std::uint8_t kLastAlarmMode = 0x0C;

// A level as the boxes show it: three capital hexadecimal digits.
QString levelText(int level);

// An inquiry reply of exactly `length` bytes (x0 50 .. FF, header with its
// top bit set) among the bytes a reply wait collected; its data bytes
// (between 50 and FF). Bytes that form no such reply are passed over.
std::optional<QByteArray> inquiryData(const QByteArray &received, int length);

// y0 50 0p FF: detection running (p = 2) or stopped (p = 3); nothing for
// any other reply.
std::optional<bool> alarmStatusReply(const QByteArray &received);
// y0 50 mm FF: the alarm mode; nothing when mm is not a mode of the list.
std::optional<std::uint8_t> alarmModeReply(const QByteArray &received);
// y0 50 0p 0q 0r 0s 0t 0u 0v 0w 0x FF: day, night and present level, each
// from the low nibbles of three bytes; nothing unless the whole reply came.
struct AlarmLevels {
    int day = 0;
    int night = 0;
    int now = 0;
};
std::optional<AlarmLevels> alarmLevelReply(const QByteArray &received);

// --- motion detection, later family ---

// Display byte: 1 frames, 2 blocks, 3 both. With neither ticked the camera
// gets 1, as for frames alone (it knows no "nothing shown" code).
std::uint8_t detectDisplayCode(bool frames, bool blocks);
// Frame bitmap: bit k set when detection frame k (0..3) is enabled.
std::uint8_t detectFrameBitmap(const std::array<bool, 4> &enabled);
// One character as a digit: the character at `index` from the start
// (negative: from the end, -1 = last), 0 when it is missing or no
// hexadecimal digit.
int digitOrZero(QStringView text, int index);

// Detection window on the 13 x 9 block grid: start strictly before stop,
// stop within 0x0..0xC across and 0x0..0x8 down.
struct DetectWindow {
    int hStart = 0;
    int vStart = 0;
    int hStop = 0;
    int vStop = 0;
};
bool detectWindowValid(const DetectWindow &w);

} // namespace zam::masks
