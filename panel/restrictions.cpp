#include "restrictions.h"

#include "modeltable.h"

#include <algorithm>
#include <cstring>

namespace zam {

namespace {

using R = Restriction;
using S = Setting;
using W = RestrictedWindow;
using T = Taking;

// clang-format off
constexpr const char *kTimeDate[] = {"SetTimeDate", "DateDisplay", "TimeDisplay"};
constexpr const char *kSlowAE[] = {"LblAE_15", "LblAE_16", "LblAE_17", "txtSlowAEvalue", "cmdSetSlowAE"};
constexpr const char *kDigitalZoom[] = {"DZoomON", "DZoomOff", "DZoomMode_1", "DZoomX", "DZoomSlider",
    "DZoomTele", "DZoomWide", "DTeleSpeed", "DWideSpeed", "DZoomValue", "Lbllens_1", "Lbllens_5",
    "Lbllens_6"};
constexpr const char *kPrivacyZone[] = {"PrivacyZone"};
constexpr const char *kPrivacyAv[] = {"PrivacyAv"};
constexpr const char *kSpherical[] = {"Spherical"};
constexpr const char *kRegisterSet[] = {"RegisterSet"};
constexpr const char *kMemorySave[] = {"FramMemorySave"};
constexpr const char *kICR[] = {"FrmICR"};
constexpr const char *kPictureFlip[] = {"PictureFlip"};
constexpr const char *kFreese[] = {"Freese"};
constexpr const char *kAutoSlowShutter[] = {"AutoSlowShutter"};
constexpr const char *kSync[] = {"Sync"};
constexpr const char *kFrame5[] = {"Frame5"};
constexpr const char *kLblWB3[] = {"LblWB_3"};
constexpr const char *kFrame3[] = {"Frame3"};
constexpr const char *kWBMode[] = {"WBMode"};
constexpr const char *kBlackWhite[] = {"BlackWhite"};
constexpr const char *kImageStabi[] = {"Image_Stabi"};
constexpr const char *kFactorySet[] = {"FactorySet"};
constexpr const char *kCenterSphe[] = {"cmdCenterSphe"};
constexpr const char *kNegArt[] = {"NegArt"};
constexpr const char *kCompScan[] = {"CompScan"};
constexpr const char *kFSetBaudrate[] = {"FrmBaudrate"};
constexpr const char *kAutoICRLevel[] = {"AutoICRLevel"};
constexpr const char *kICRThreshold[] = {"txtICRthreshold", "comICR_Threshold"};
// Both mosaic buttons go at the place of the first.
constexpr const char *kSphericalMosaic[] = {"cmdSphericalMosic", "cmdSphericalMosic2"};
constexpr const char *kAlm[] = {"Alm"};
constexpr const char *kVP0180[] = {"VP0180"};

constexpr Setting kDigitalZoomKeys[] = {S::DigitalZoomSeparate, S::DigitalZoom, S::DigitalZoomPosition};
constexpr Setting kAutoSlowShutterKeys[] = {S::AutoSlowShutter};
// The gains need the manual mode, so a model without the mode menu lacks them too.
constexpr Setting kWbModeKeys[] = {S::WbMode, S::RGain, S::BGain};
constexpr Setting kWbGainKeys[] = {S::RGain, S::BGain};
constexpr Setting kPictureFlipKeys[] = {S::PictureFlip};
constexpr Setting kStabilizerKeys[] = {S::Stabilizer};
constexpr Setting kIcrKeys[] = {S::AutoIcr};
constexpr Setting kSyncKeys[] = {S::Sync};
constexpr Setting kVPhaseKeys[] = {S::VPhase, S::VPhase180};
constexpr Setting kVPhase180Keys[] = {S::VPhase180};

constexpr RestrictionRow kRestrictions[] = {
    {R::HideTimeDate,        W::Main,          T::Hide,    kTimeDate,        {},                   false},
    {R::HideSlowAE,          W::Main,          T::Hide,    kSlowAE,          {},                   false},
    {R::HideDigitalZoom,     W::Main,          T::Hide,    kDigitalZoom,     kDigitalZoomKeys,     false},
    {R::HidePrivacyZone,     W::Main,          T::Hide,    kPrivacyZone,     {},                   false},
    {R::HidePrivacyAv,       W::Main,          T::Hide,    kPrivacyAv,       {},                   false},
    {R::HideSpherical,       W::Main,          T::Hide,    kSpherical,       {},                   false},
    {R::HideRegisterSet,     W::Main,          T::Hide,    kRegisterSet,     {},                   false},
    {R::HideMemorySave,      W::Main,          T::Hide,    kMemorySave,      {},                   true},
    {R::HideICR,             W::Main,          T::Hide,    kICR,             kIcrKeys,             false},
    {R::DisablePictureFlip,  W::Main,          T::Disable, kPictureFlip,     kPictureFlipKeys,     false},
    {R::HideFreese,          W::Main,          T::Hide,    kFreese,          {},                   false},
    {R::HideAutoSlowShutter, W::Main,          T::Hide,    kAutoSlowShutter, kAutoSlowShutterKeys, false},
    {R::HideSync,            W::Main,          T::Hide,    kSync,            kSyncKeys,            false},
    {R::HideFrame5,          W::Main,          T::Hide,    kFrame5,          kVPhaseKeys,          false},
    {R::HideLblWB3,          W::Main,          T::Hide,    kLblWB3,          {},                   false},
    {R::HideFrame3,          W::Main,          T::Hide,    kFrame3,          kWbGainKeys,          false},
    {R::DisableWBMode,       W::Main,          T::Disable, kWBMode,          kWbModeKeys,          false},
    {R::HideWBMode,          W::Main,          T::Hide,    kWBMode,          kWbModeKeys,          false},
    {R::HideBlackWhite,      W::Main,          T::Hide,    kBlackWhite,      {},                   false},
    {R::HideImageStabi,      W::Main,          T::Hide,    kImageStabi,      kStabilizerKeys,      false},
    {R::HideFactorySet,      W::Main,          T::Hide,    kFactorySet,      {},                   false},
    {R::HideCenterSphe,      W::SphericalMask, T::Hide,    kCenterSphe,      {},                   false},
    {R::HideNegArt,          W::Main,          T::Hide,    kNegArt,          {},                   false},
    {R::HideCompScan,        W::Main,          T::Hide,    kCompScan,        {},                   false},
    {R::HideFSetBaudrate,    W::FSet,          T::Hide,    kFSetBaudrate,    {},                   false},
    {R::HideAutoICRLevel,    W::Main,          T::Hide,    kAutoICRLevel,    {},                   false},
    {R::HideICRThreshold,    W::Main,          T::Hide,    kICRThreshold,    {},                   false},
    {R::HideSphericalMosaic, W::SphericalMask, T::Hide,    kSphericalMosaic, {},                   false},
    {R::HideAlm,             W::Main,          T::Hide,    kAlm,             {},                   false},
    {R::HideVP0180,          W::Main,          T::Hide,    kVP0180,          kVPhase180Keys,       false},
};
// clang-format on

constexpr bool inRestrictionOrder()
{
    for (std::size_t i = 0; i < std::size(kRestrictions); ++i)
        if (kRestrictions[i].restriction != Restriction(i) || kRestrictions[i].controls.empty())
            return false;
    return true;
}
static_assert(std::size(kRestrictions) == std::size_t(kRestrictionCount),
              "one row per restriction");
static_assert(inRestrictionOrder(), "rows in Restriction order, each taking a control");

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

const GroupEntry &entry(CapabilityGroup group)
{
    const auto i = std::size_t(group);
    return i < kGroups.size() ? kGroups[i] : kGroups[0];
}

} // namespace

QString groupName(CapabilityGroup group)
{
    return QString::fromLatin1(entry(group).name);
}

std::span<const RestrictionRow> restrictionTable()
{
    return kRestrictions;
}

const RestrictionRow &restrictionRow(Restriction r)
{
    const auto i = std::size_t(r);
    return i < std::size(kRestrictions) ? kRestrictions[i] : kRestrictions[0];
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

bool ModelLacks::control(const char *objectName) const
{
    return std::any_of(mainControls.begin(), mainControls.end(),
                       [objectName](const char *n) { return std::strcmp(n, objectName) == 0; });
}

ModelLacks modelLacks(int modelCode)
{
    ModelLacks out;
    for (Restriction r : restrictionsForModel(modelCode)) {
        const RestrictionRow &row = restrictionRow(r);
        for (Setting s : row.settings)
            out.settings[std::size_t(s)] = true;
        out.memory = out.memory || row.memory;
        if (row.window == RestrictedWindow::Main)
            out.mainControls.insert(out.mainControls.end(), row.controls.begin(),
                                    row.controls.end());
    }
    return out;
}

} // namespace zam
