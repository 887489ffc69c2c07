#include "titleglyphs.h"

namespace zam::sim {

namespace {

//   00..19 A..Z   1A &   1B blank   1C ?   1D !   1E..26 1..9   27 0
//   28..40 a..y   41 $   42 z       43 \   44 <   45 >   46 (   47 )
//   48 @   49 "   4A :   4B '   4C .   4D ,   4E /   4F -
constexpr char kCharset[kTitleCodes + 1] = "ABCDEFGHIJKLMNOPQRSTUVWXYZ& ?!1234567890"
                                           "abcdefghijklmnopqrstuvwxy$z\\<>()@\":'.,/-";
static_assert(sizeof kCharset == kTitleCodes + 1);

} // namespace

std::optional<QChar> titleGlyph(std::uint8_t code)
{
    if (code >= kTitleCodes)
        return std::nullopt;
    return QChar::fromLatin1(kCharset[code]);
}

std::uint8_t titleCode(QChar c)
{
    for (int i = 0; i < kTitleCodes; ++i)
        if (c != QLatin1Char(' ') && QChar::fromLatin1(kCharset[i]) == c)
            return std::uint8_t(i);
    return kTitleBlank;
}

} // namespace zam::sim
