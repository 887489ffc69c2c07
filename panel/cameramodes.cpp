#include "cameramodes.h"

#include <algorithm>
#include <cstring>

namespace zam {

namespace {

constexpr bool codesDistinct(std::span<const ModeRow> rows)
{
    for (std::size_t i = 0; i < rows.size(); ++i)
        for (std::size_t j = i + 1; j < rows.size(); ++j)
            if (rows[i].code == rows[j].code || rows[i].entry == rows[j].entry)
                return false;
    return true;
}

constexpr bool familiesSound()
{
    for (ModeFamily f :
         {ModeFamily::Ae, ModeFamily::WhiteBalance, ModeFamily::PictureEffect, ModeFamily::Sync})
        if (modeRows(f).empty() || !codesDistinct(modeRows(f)))
            return false;
    return true;
}
static_assert(familiesSound(), "each mode of a family has its own code and packet");
// The Bright control's way through full auto is written against these rows.
static_assert(findMode(ModeFamily::Ae, ae::kBright)->code == ae::kBright &&
              findMode(ModeFamily::Ae, ae::kFullAuto)->code == ae::kFullAuto);

bool lists(std::span<const Setting> keys, Setting setting)
{
    return std::find(keys.begin(), keys.end(), setting) != keys.end();
}

} // namespace

bool modeGates(ModeFamily family, Setting setting)
{
    const auto rows = modeRows(family);
    return std::any_of(rows.begin(), rows.end(),
                       [setting](const ModeRow &row) { return lists(row.loads, setting); });
}

bool modeLoads(const ModeRow *row, Setting setting)
{
    return row && lists(row->loads, setting);
}

std::vector<const char *> modeControls(ModeFamily family)
{
    std::vector<const char *> out;
    for (const ModeRow &row : modeRows(family))
        for (const char *name : row.enables)
            if (std::none_of(out.begin(), out.end(),
                             [name](const char *n) { return std::strcmp(n, name) == 0; }))
                out.push_back(name);
    return out;
}

ModeUpdate modeUpdate(ModeFamily family, int reportedCode, int currentCode)
{
    ModeUpdate u;
    u.checked = reportedMode(family, reportedCode);
    if (u.checked && reportedCode != currentCode)
        u.apply = u.checked;
    return u;
}

} // namespace zam
