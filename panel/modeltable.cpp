#include "modeltable.h"

#include <QHash>

namespace zam {

namespace {

using R = Restriction;

// Capability groups, restrictions in the order the window applies them.
// clang-format off
constexpr Restriction kGroupA[] = {R::HideTimeDate, R::HideSlowAE, R::HidePrivacyZone, R::HidePrivacyAv,
    R::HideSpherical, R::HideRegisterSet, R::HideMemorySave, R::DisablePictureFlip};
constexpr Restriction kGroupB[] = {R::HideTimeDate, R::HideSlowAE, R::HidePrivacyZone, R::HideSpherical,
    R::HideRegisterSet, R::HideMemorySave, R::DisablePictureFlip};
constexpr Restriction kGroupC[] = {R::HideTimeDate, R::HideSlowAE, R::HidePrivacyZone, R::HideSpherical,
    R::HideRegisterSet, R::HideMemorySave, R::HideICR, R::DisablePictureFlip};
constexpr Restriction kGroupD[] = {R::HideTimeDate, R::HideSlowAE, R::HidePrivacyZone, R::HideSpherical,
    R::HideRegisterSet, R::HideMemorySave, R::HideICR, R::DisablePictureFlip, R::HideFreese,
    R::HideAutoSlowShutter};
constexpr Restriction kGroupE[] = {R::HideSlowAE, R::HidePrivacyZone, R::HideSpherical, R::HideRegisterSet,
    R::HideMemorySave, R::HideICR, R::DisablePictureFlip, R::HideFreese, R::HideSync, R::HideFrame5,
    R::HideLblWB3};
constexpr Restriction kGroupF[] = {R::HideSlowAE, R::HidePrivacyZone, R::HideSpherical, R::HideRegisterSet,
    R::HideMemorySave, R::HideICR, R::DisablePictureFlip, R::HideSync, R::HideFrame5, R::HideLblWB3};
constexpr Restriction kGroupG[] = {R::HideSlowAE, R::HidePrivacyZone, R::HideSpherical, R::HideRegisterSet,
    R::HideMemorySave, R::HideICR, R::DisablePictureFlip, R::HideFreese, R::HideAutoSlowShutter,
    R::HideSync, R::HideFrame5, R::HideLblWB3};
constexpr Restriction kGroupH[] = {R::HideTimeDate, R::HideSlowAE, R::HidePrivacyZone, R::HideSpherical,
    R::HideRegisterSet, R::HideMemorySave, R::HideICR, R::DisablePictureFlip, R::HideFreese,
    R::HideAutoSlowShutter, R::HideFrame3, R::DisableWBMode};
constexpr Restriction kGroupI[] = {R::HideTimeDate, R::HideSlowAE, R::HidePrivacyAv, R::HideSpherical,
    R::HideRegisterSet, R::HideMemorySave};
constexpr Restriction kGroupJ[] = {R::HideTimeDate, R::HideSlowAE, R::HidePrivacyAv, R::HideSpherical,
    R::HideRegisterSet, R::HideMemorySave, R::HideICR};
constexpr Restriction kGroupK[] = {R::HideTimeDate, R::HideSlowAE, R::HidePrivacyAv, R::HideSpherical,
    R::HideRegisterSet, R::HideMemorySave, R::HideICR, R::DisablePictureFlip, R::HideFreese,
    R::HideAutoSlowShutter};
constexpr Restriction kGroupL[] = {R::HideTimeDate, R::HideSlowAE, R::HidePrivacyAv, R::HideSpherical,
    R::HideRegisterSet, R::HideMemorySave, R::HideICR, R::DisablePictureFlip, R::HideFreese,
    R::HideAutoSlowShutter, R::HideBlackWhite, R::HideFrame3, R::DisableWBMode};
constexpr Restriction kGroupM[] = {R::HideTimeDate, R::HideSlowAE, R::HidePrivacyAv, R::HideSpherical,
    R::HideRegisterSet, R::HideMemorySave, R::HideICR, R::DisablePictureFlip, R::HideFreese,
    R::HideAutoSlowShutter, R::HideBlackWhite, R::HideFrame3, R::DisableWBMode};
constexpr Restriction kGroupN[] = {R::HideSlowAE, R::HidePrivacyZone, R::HidePrivacyAv, R::HideSpherical,
    R::HideRegisterSet, R::HideMemorySave, R::HideICR, R::DisablePictureFlip, R::HideSync,
    R::HideFrame5, R::HideLblWB3};
constexpr Restriction kGroupO[] = {R::HideTimeDate, R::HidePrivacyZone, R::HidePrivacyAv, R::HideRegisterSet,
    R::HideImageStabi};
constexpr Restriction kGroupP[] = {R::HideTimeDate, R::HidePrivacyZone, R::HidePrivacyAv, R::HideRegisterSet};
constexpr Restriction kGroupQ[] = {R::HideTimeDate, R::HidePrivacyZone, R::HidePrivacyAv, R::HideRegisterSet,
    R::HideImageStabi};
constexpr Restriction kGroupR[] = {R::HideTimeDate, R::HidePrivacyZone, R::HidePrivacyAv, R::HideRegisterSet,
    R::HideICR, R::HideImageStabi};
constexpr Restriction kGroupS[] = {R::HideTimeDate, R::HidePrivacyZone, R::HidePrivacyAv, R::HideRegisterSet,
    R::HideICR, R::HideImageStabi, R::DisablePictureFlip, R::HideFreese, R::HideAutoSlowShutter};
constexpr Restriction kGroupT[] = {R::HideTimeDate, R::HidePrivacyZone, R::HidePrivacyAv, R::HideRegisterSet,
    R::HideICR, R::DisablePictureFlip, R::HideFreese, R::HideAutoSlowShutter, R::HideFrame3,
    R::HideWBMode};
constexpr Restriction kGroupU[] = {R::HideTimeDate, R::HidePrivacyZone, R::HidePrivacyAv, R::HideRegisterSet,
    R::HideICR, R::HideImageStabi, R::DisablePictureFlip, R::HideFreese, R::HideAutoSlowShutter,
    R::HideFrame3, R::HideWBMode};
constexpr Restriction kGroupV[] = {R::HidePrivacyZone, R::HidePrivacyAv, R::HideRegisterSet, R::HideICR,
    R::HideImageStabi, R::HideSync, R::HideFrame5};
constexpr Restriction kGroupW[] = {R::HidePrivacyZone, R::HidePrivacyAv, R::HideRegisterSet, R::HideICR,
    R::HideImageStabi, R::DisablePictureFlip, R::HideFreese, R::HideAutoSlowShutter, R::HideSync,
    R::HideFrame5};
constexpr Restriction kGroupX[] = {R::HideTimeDate, R::HideDigitalZoom, R::HidePrivacyZone, R::HidePrivacyAv,
    R::HideFactorySet, R::HideCenterSphe, R::HideImageStabi, R::HideNegArt, R::HideCompScan,
    R::HideSync, R::HideFrame5};
constexpr Restriction kGroupY[] = {R::HideTimeDate, R::HideDigitalZoom, R::HidePrivacyZone, R::HidePrivacyAv,
    R::HideFactorySet, R::HideICR, R::HideFSetBaudrate, R::HideCenterSphe, R::HideImageStabi,
    R::HideNegArt, R::HideCompScan, R::HideSync, R::HideFrame5};
// Both mosaic buttons go at the place of the first.
constexpr Restriction kGroupZ[] = {R::HideTimeDate, R::HidePrivacyZone, R::HidePrivacyAv, R::HideRegisterSet,
    R::HideAutoICRLevel, R::HideICRThreshold, R::HideSphericalMosaic, R::HideImageStabi};
constexpr Restriction kGroupAA[] = {R::HideTimeDate, R::HidePrivacyZone, R::HidePrivacyAv, R::HideFactorySet,
    R::HideAlm, R::HideImageStabi, R::HideVP0180, R::HideLblWB3};
// clang-format on

struct GroupEntry {
    const char *name;
    std::span<const Restriction> restrictions;
};

// Indexed by CapabilityGroup.
constexpr std::array<GroupEntry, kCapabilityGroupCount> kGroups{{
    {"A", kGroupA}, {"B", kGroupB},   {"C", kGroupC}, {"D", kGroupD}, {"E", kGroupE},
    {"F", kGroupF}, {"G", kGroupG},   {"H", kGroupH}, {"I", kGroupI}, {"J", kGroupJ},
    {"K", kGroupK}, {"L", kGroupL},   {"M", kGroupM}, {"N", kGroupN}, {"O", kGroupO},
    {"P", kGroupP}, {"Q", kGroupQ},   {"R", kGroupR}, {"S", kGroupS}, {"T", kGroupT},
    {"U", kGroupU}, {"V", kGroupV},   {"W", kGroupW}, {"X", kGroupX}, {"Y", kGroupY},
    {"Z", kGroupZ}, {"AA", kGroupAA},
}};
static_assert(int(CapabilityGroup::AA) + 1 == kCapabilityGroupCount);

// Codes rise strictly (so each has one row) and each selects the slot its
// range gives, so the slots are exactly 0..54.
constexpr bool slotsFollowCodes()
{
    int previous = 0;
    for (const ModelRow &row : kModelTable) {
        const int expected = row.code <= 43 ? row.code - 17 : row.code - 19;
        if (row.code <= previous || row.nameSlot != expected || row.code == 44 || row.code == 45)
            return false;
        previous = row.code;
    }
    return kModelTable.front().nameSlot == 0 && kModelTable.back().nameSlot == kModelCount - 1;
}
static_assert(slotsFollowCodes(), "name slot is code-17 (17..43) or code-19 (46..73)");

const GroupEntry &entry(CapabilityGroup group)
{
    const auto i = std::size_t(group);
    return i < kGroups.size() ? kGroups[i] : kGroups[0];
}

QChar generationLetter(int code)
{
    if (code <= 31)
        return QLatin1Char('A');
    if (code <= 43)
        return QLatin1Char('B');
    if (code <= 63)
        return QLatin1Char('C');
    return QLatin1Char('D');
}

QString lensText(LensProfile lens)
{
    switch (lens) {
    case LensProfile::Opt10X:
        return QStringLiteral("10x");
    case LensProfile::Opt18X:
        return QStringLiteral("18x");
    case LensProfile::Opt25X:
        return QStringLiteral("25x");
    }
    return {};
}

QString baseName(const ModelRow &row)
{
    return QStringLiteral("ZAM-") + generationLetter(row.code) + QLatin1Char(' ') +
           lensText(row.lens) + QLatin1Char(' ') + QString::fromLatin1(row.ntscOrPal);
}

QStringList buildModelNames()
{
    QHash<QString, int> baseCount;
    QHash<QString, int> groupedCount;
    auto grouped = [](const ModelRow &row) {
        return baseName(row) + QStringLiteral(" (") + groupName(row.group);
    };
    for (const ModelRow &row : kModelTable) {
        ++baseCount[baseName(row)];
        ++groupedCount[grouped(row)];
    }

    QStringList names(kModelCount);
    QHash<QString, int> running;
    for (const ModelRow &row : kModelTable) {
        const QString base = baseName(row);
        QString name = base;
        if (baseCount.value(base) > 1) {
            const QString g = grouped(row);
            name = g;
            if (groupedCount.value(g) > 1)
                name += QLatin1Char('-') + QString::number(++running[g]);
            name += QLatin1Char(')');
        }
        names[row.nameSlot] = name;
    }
    return names;
}

} // namespace

QString groupName(CapabilityGroup group)
{
    return QString::fromLatin1(entry(group).name);
}

std::optional<ModelRow> findModel(int code)
{
    for (const ModelRow &row : kModelTable) {
        if (row.code == code)
            return row;
    }
    return std::nullopt;
}

const QStringList &ModelNameTable()
{
    static const QStringList names = buildModelNames();
    return names;
}

QString modelName(int code)
{
    const auto row = findModel(code);
    return row ? ModelNameTable().value(row->nameSlot) : QString();
}

bool shutterSlowStepsDisplay(const QString &modelVersionText)
{
    for (int slot : kShutterSlowStepSlots) {
        if (ModelNameTable().value(slot) == modelVersionText)
            return true;
    }
    return false;
}

std::span<const Restriction> restrictionsOf(CapabilityGroup group)
{
    return entry(group).restrictions;
}

std::span<const Restriction> restrictionsForModel(int code)
{
    const auto row = findModel(code);
    if (!row)
        return {};
    return restrictionsOf(row->group);
}

} // namespace zam
