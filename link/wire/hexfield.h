#pragma once
// A number typed into a box in hexadecimal: how every typed hexadecimal box
// of the panel is read.
//
// The text is the number itself, right-aligned: fewer digits than the box
// shows mean leading zeros, so "5" is 05 in a two-digit box and 005 in a
// three-digit one, and "1A" is 1A. Either case; blanks around the number are
// ignored. Empty text, any character that is not a hexadecimal digit, and a
// number above the box's maximum are refused: the caller sends nothing and
// tells the operator which box it is and what it takes (hexFieldRange).
//
// A box's maximum also gives its width: FF a two-digit box, FFF a
// three-digit one. How the value goes into the packet (one whole byte, or
// one digit per byte) is the packet's business, not the box's.

#include <QList>
#include <QString>
#include <QStringView>

#include <optional>

namespace zam {

// Maximums of the usual boxes.
inline constexpr unsigned kHexDigitMax = 0xF;  // one digit
inline constexpr unsigned kHexParamMax = 0x7F; // a whole parameter byte: 80..FF are headers
                                               // and the terminator on the line
inline constexpr unsigned kHexByteMax = 0xFF;  // two digits, sent one per byte

// The largest value of a box `digits` wide.
constexpr unsigned hexDigitsMax(int digits)
{
    return digits >= 8 ? 0xFFFFFFFFu : (1u << (4 * digits)) - 1;
}

// The value of the box's text, or nothing when the text is refused.
std::optional<unsigned> readHexField(QStringView text, unsigned maximum);

// What a box takes, in the digits it shows: "00 to FF", "0 to F", "000 to FFF".
QString hexFieldRange(unsigned maximum);

// Parses "30,41" or "0x30 0x41" into model codes; answers false on a bad item.
bool parseModelCodes(const QString &text, QList<int> &codes);

} // namespace zam
