#pragma once
// The camera's title character set as the simulated picture draws it: one
// character per code 0x00..0x4F, 0x1B blank. A code outside the set has no
// character and is drawn as a placeholder box.

#include <QChar>
#include <cstdint>
#include <optional>

namespace zam::sim {

inline constexpr std::uint8_t kTitleBlank = 0x1B;
inline constexpr int kTitleCodes = 0x50;

// The character of a code; nothing for a code outside the set.
std::optional<QChar> titleGlyph(std::uint8_t code);

// The code of a character, for text the camera writes itself (the clock);
// the blank for a character outside the set.
std::uint8_t titleCode(QChar c);

} // namespace zam::sim
