#pragma once
// Encodings of the masking, motion-detection and AE-spot packets: how the
// text of a box, a row of zone check boxes or a colour list becomes the
// bytes the camera expects, and how the alarm inquiry replies are read.
// Qt Core only, so that the rules are tested without windows.

#include <QByteArray>
#include <QString>
#include <QStringList>

#include <array>
#include <cstdint>
#include <optional>

namespace zam::masks {

inline constexpr int kZoneCount = 24; // zones A..X = 0x00..0x17

// Zone letter 'A'..'X' of zone 0..23.
QChar zoneLetter(int zone);

// The typed boxes are read as every typed hexadecimal box of the panel is
// (hexfield.h) and go out one digit per byte, most significant first
// (the catalog's nibble fields): a pan angle typed as 800 is sent as 08 00 00.

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

// Pan and tilt angles are 12-bit codes, 4096 to the full turn, 0x000 = 0
// degrees, typed as three hexadecimal digits.

// Direction byte of the "Move Pan Tilt" grid of option buttons 0..8, read
// row by row from the top left: high nibble 1 right / 2 left, low nibble
// 1 up / 2 down. The centre, no selection (-1) or any other index is 0x00.
std::uint8_t directionCode(int optionIndex);

// --- motion detection, earlier family ---

// Alarm modes, in list order; the list position is the mode code 0x00..0x0C.
const QStringList &alarmModeNames();
inline constexpr std::uint8_t kLastAlarmMode = 0x0C;

// A level as the boxes show it: three capital hexadecimal digits.
QString levelText(int level);

// The alarm inquiry replies, each one whole reply packet as the reply
// exchange takes it; nothing for a reply of another shape or length.
// y0 50 0p FF: detection running (p = 2) or stopped (p = 3); nothing for
// any other reply.
std::optional<bool> alarmStatusReply(const QByteArray &received);
// y0 50 mm FF: the alarm mode; nothing when mm is not a mode of the list.
std::optional<std::uint8_t> alarmModeReply(const QByteArray &received);
// y0 50 0p 0q 0r 0s 0t 0u 0v 0w 0x FF: day, night and present level, each
// from the low nibbles of three bytes.
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
