#pragma once
// The cameras' service commands: EEPROM access, the register set, and the
// fixed write sequences of the service dialogs. Qt Core only; the packets
// are built by the protocol catalog.
//
// EEPROM commands (8x = 0x80 + camera address; a b c = the address's three
// hexadecimal digits, d e = the data's two, one digit per byte):
//
//   enter setting mode      8x 01 7F 01 7F FF
//   write                   8x 01 7F 7F 02 0a 0b 0c 0d 0e FF
//   set                     8x 01 7F 7F 03 0a 0b 0c 0d 0e FF
//   read                    8x 09 7F 7F 01 0a 0b 0c FF
//   write protect release   the write of 01 to cell 001
//
//   read reply              y0 50 b2 b3 b4 b5 FF   (y0 = 0x80 + 16 * address)
//                           b4 b5 = the cell's two data digits
//
// Register set (later camera generation), applied at the next power cycle:
//
//   8x 01 04 24 mm 0p 0q FF   mm = register 00..7F, p q = value digits
//
// Every parameter byte is a single hexadecimal digit (or, for mm, below 0x80)
// so that none of them can be mistaken for a header or the terminator.

#include <QByteArray>
#include <cstdint>
#include <optional>
#include <vector>

namespace zam::eeprom {

inline constexpr unsigned kMaxAddress = 0xFFF;
inline constexpr unsigned kMaxData = 0xFF;
inline constexpr unsigned kMaxRegister = 0x7F;
inline constexpr unsigned kMaxRegisterValue = 0xFF;
inline constexpr int kAddressDigits = 3;
inline constexpr int kDataDigits = 2;

// Cells the panel uses on its own.
inline constexpr unsigned kProtectCell = 0x001; // 01 written here releases write protection
inline constexpr unsigned kBaudRateCell =
    0xCFC; // 00/01/02 = 9600/19200/38400 bit/s from the next power-up
inline constexpr unsigned kMonthYearCell = 0xF03; // digits: year (last digit), month
inline constexpr unsigned kDayCell = 0xF04;       // digits: day tens, day units

inline constexpr int kReadReplyLength = 7;
// A read is given this long, answered or not, before the next packet.
inline constexpr int kReadPauseMs = 1000;

// Line speeds of the baud-rate cell, by its value.
inline constexpr int kBaudRates[] = {9600, 19200, 38400};

// Packets for camera `address` (1..7). Nothing when the cell, the data or
// the register is out of range.
std::optional<QByteArray> enterSettingMode(int address);
std::optional<QByteArray> writeProtectRelease(int address);
std::optional<QByteArray> write(int address, unsigned cell, unsigned data);
std::optional<QByteArray> set(int address, unsigned cell, unsigned data);
std::optional<QByteArray> read(int address, unsigned cell);
std::optional<QByteArray> registerSet(int address, unsigned reg, unsigned value);

// One packet of a timed sequence and the pause that follows it.
struct Step {
    QByteArray packet;
    double pauseAfterSeconds = 0;
};

// ICR compensation: setting mode, protect release, then E69 = 98 and
// E6A = D8, with 2 s between packets.
std::vector<Step> icrCompensationSequence(int address);
// Baud-rate change to kBaudRates[index]: setting mode, protect release, then
// the baud-rate cell, with 2 s between packets. Empty for an unknown index.
std::vector<Step> baudRateSequence(int address, int index);

// A read reply from the camera whose reply header is replyHeader:
// exactly y0 50 b2 b3 b4 b5 FF.
struct ReadReply {
    std::uint8_t b2 = 0, b3 = 0, b4 = 0, b5 = 0;
};
std::optional<ReadReply> parseReadReply(const QByteArray &reply, std::uint8_t replyHeader);

// Manufacturing date, shown as decimal numbers.
inline int manufactureMonth(const ReadReply &monthYearCell)
{
    return monthYearCell.b5;
}
inline int manufactureYear(const ReadReply &monthYearCell)
{
    return monthYearCell.b4;
}
inline int manufactureDay(const ReadReply &dayCell)
{
    return dayCell.b4 * 10 + dayCell.b5;
}

} // namespace zam::eeprom
