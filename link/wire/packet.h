#pragma once
// Command packets and their text forms.
//
//   byte 0      0x80 + camera address (0x81..0x87), or 0x88 for a broadcast
//   1 .. n-2    category, command and parameter bytes
//   n-1         0xFF terminator
//
// Replies start with 0x80 + 16 * address (0x90..0xF0) or 0x88 for broadcasts
// and end at the first 0xFF.

#include <QByteArray>
#include <QString>
#include <cstdint>
#include <initializer_list>
#include <optional>
#include <span>

namespace zam {

// Turns the ordered values a handler builds into the bytes that are sent.
// Any value outside 0..255 makes the whole packet invalid: the caller gets
// nothing back and must not send.
std::optional<QByteArray> ToByteArray(std::span<const int> values);
std::optional<QByteArray> ToByteArray(std::initializer_list<int> values);

// A value split into nibble bytes, most significant first (0p 0q 0r 0s).
// The value is taken modulo 16^count; callers pass values that fit.
void appendNibbles(QByteArray &out, unsigned value, int count);
// Reads count nibble bytes at pos (low four bits of each), most significant first.
unsigned readNibbles(const QByteArray &bytes, int pos, int count);

// The digits of every hexadecimal text the panel writes, by value.
inline constexpr char kHexDigits[] = "0123456789ABCDEF";

// Two upper-case hexadecimal digits.
QString hexPair(std::uint8_t byte);
// "0x0C00": a number in upper-case hexadecimal, at least `digits` digits.
QString hexValue(unsigned value, int digits);
// "8101040702FF" (command log form).
QString hexCompact(const QByteArray &bytes);
// "81 01 04 07 02 FF " (console and dialog log form: one blank after every pair).
QString hexSpaced(const QByteArray &bytes);

// Nibble of a hexadecimal digit ('0'..'9', 'A'..'F', 'a'..'f'), or -1.
int hexDigitValue(QChar c);

} // namespace zam
