#pragma once
// What the fuzz targets share: a promise that does not hold aborts, so the
// fuzzer and the replay both report it; and a sound input with some of its
// bytes overwritten, which reaches deeper into a reader than random bytes do.

#include <QByteArray>

#include <cstddef>
#include <cstdint>
#include <cstdlib>

namespace zamfuzz {

inline void check(bool ok)
{
    if (!ok)
        std::abort();
}

// Overwrites bytes of `text` (not empty) from pairs of the fuzzer's bytes:
// where, scaled to the text's length, and what, through `edit`.
template <class Edit>
void overwrite(QByteArray &text, const std::uint8_t *pairs, std::size_t size, Edit edit)
{
    for (std::size_t i = 0; i + 1 < size; i += 2)
        text[qsizetype(pairs[i] * std::size_t(text.size()) / 256)] = edit(pairs[i + 1]);
}

} // namespace zamfuzz
