#include "camerasettings.h"

#include "cameramodes.h"
#include "packet.h"
#include "statusrequest.h"

namespace zam {

namespace {

using catalog::Id;
using S = Setting;
using K = SettingKind;

constexpr SettingInfo sw(S s, const char *key, const char *caption, Id on, Id off)
{
    return {s, key, caption, K::Switch, on, off};
}
constexpr SettingInfo num(S s, const char *key, const char *caption, Id direct,
                          Gate gate = Gate::None)
{
    return {s, key, caption, K::Number, direct, direct, ModeFamily::Ae, gate};
}
constexpr SettingInfo choice(S s, const char *key, const char *caption, ModeFamily family)
{
    return {s, key, caption, K::Choice, Id::Count, Id::Count, family};
}

// A model's restrictions (restrictions.h) say which of these it lacks.
// clang-format off
constexpr SettingInfo kSettings[] = {
    sw(S::DigitalZoomSeparate, "digitalZoomSeparate", "Digital zoom separate mode",
       Id::DigitalZoomSeparate, Id::DigitalZoomCombine),
    sw(S::DigitalZoom, "digitalZoom", "Digital zoom", Id::DigitalZoomOn, Id::DigitalZoomOff),
    num(S::ZoomPosition, "zoomPosition", "Zoom position", Id::ZoomDirect),
    num(S::DigitalZoomPosition, "digitalZoomPosition", "Digital zoom position", Id::DigitalZoomDirect,
        Gate::DigitalZoomSeparateOn),
    num(S::FocusNearLimit, "focusNearLimit", "Focus near limit", Id::FocusNearLimit),
    sw(S::FocusAuto, "focusAuto", "Auto focus", Id::FocusAuto, Id::FocusManual),
    num(S::FocusPosition, "focusPosition", "Focus position", Id::FocusDirect, Gate::FocusManual),
    sw(S::AfSensitivityLow, "afSensitivityLow", "AF sensitivity low", Id::AfSensitivityLow,
       Id::AfSensitivityNormal),
    choice(S::AeMode, "aeMode", "AE mode", ModeFamily::Ae),
    num(S::ShutterPosition, "shutterPosition", "Shutter position", Id::ShutterDirect),
    num(S::IrisPosition, "irisPosition", "Iris position", Id::IrisDirect),
    num(S::GainPosition, "gainPosition", "Gain position", Id::GainDirect),
    num(S::BrightPosition, "brightPosition", "Bright position", Id::BrightDirect),
    sw(S::ExpComp, "exposureCompensation", "Exposure compensation", Id::ExpCompOn, Id::ExpCompOff),
    num(S::ExpCompLevel, "exposureCompensationLevel", "Exposure compensation level", Id::ExpCompDirect,
        Gate::ExpCompOn),
    sw(S::BackLight, "backLight", "Backlight compensation", Id::BackLightOn, Id::BackLightOff),
    sw(S::AutoSlowShutter, "autoSlowShutter", "Auto slow shutter", Id::AutoSlowShutterOn,
       Id::AutoSlowShutterOff),
    num(S::Aperture, "aperture", "Aperture level", Id::ApertureDirect),
    choice(S::WbMode, "whiteBalanceMode", "White-balance mode", ModeFamily::WhiteBalance),
    num(S::RGain, "redGain", "R gain", Id::RGainDirect),
    num(S::BGain, "blueGain", "B gain", Id::BGainDirect),
    choice(S::PictureEffect, "pictureEffect", "Picture effect", ModeFamily::PictureEffect),
    num(S::DigitalEffectLevel, "digitalEffectLevel", "Digital effect level", Id::DigitalEffectLevel),
    sw(S::PictureFlip, "pictureFlip", "Picture flip", Id::PictureFlipOn, Id::PictureFlipOff),
    sw(S::LrReverse, "leftRightReverse", "Left-right reverse", Id::LrReverseOn, Id::LrReverseOff),
    sw(S::Stabilizer, "imageStabilizer", "Image stabilizer", Id::StabilizerOn, Id::StabilizerOff),
    sw(S::AutoIcr, "autoIcr", "Auto ICR", Id::AutoIcrOn, Id::AutoIcrOff),
    choice(S::Sync, "sync", "Sync", ModeFamily::Sync),
    // The status bit is set after 25 01, which the window's button offers as "180 degree".
    sw(S::VPhase180, "vPhase180", "V-phase 180 degrees", Id::VPhase180, Id::VPhase0),
    num(S::VPhase, "vPhase", "V-phase", Id::VPhaseDirect),
    num(S::CameraId, "cameraId", "Camera ID", Id::CameraIdWrite),
};
// clang-format on

constexpr bool inSettingOrder()
{
    for (std::size_t i = 0; i < std::size(kSettings); ++i)
        if (kSettings[i].setting != Setting(i))
            return false;
    return true;
}
static_assert(std::size(kSettings) == std::size_t(kSettingCount), "one row per setting");
static_assert(inSettingOrder(), "rows in Setting order");

void put(CameraSettings &s, Setting setting, int raw)
{
    if (settingFits(settingInfo(setting), raw))
        s.set(setting, raw);
}

} // namespace

std::span<const SettingInfo> settingTable()
{
    return kSettings;
}

const SettingInfo &settingInfo(Setting s)
{
    return kSettings[std::size_t(s)];
}

const catalog::Field &settingField(const SettingInfo &info)
{
    return catalog::entry(info.on).fields[0];
}

bool settingFits(const SettingInfo &info, int v)
{
    switch (info.kind) {
    case K::Switch:
        return v == 0 || v == 1;
    case K::Number:
        return v >= settingField(info).min && v <= settingField(info).max;
    case K::Choice:
        return findMode(info.family, v) != nullptr;
    }
    return false;
}

bool gateOpen(const CameraSettings &s, const SettingInfo &info)
{
    const auto is = [&](Setting setting, int v) { return s.value(setting) == v; };
    // A key that some mode of a family gates is taken in the modes whose
    // rows load it; with the mode unknown, in none.
    for (const auto &[family, mode] :
         {std::pair{ModeFamily::Ae, S::AeMode}, std::pair{ModeFamily::WhiteBalance, S::WbMode}}) {
        if (!modeGates(family, info.setting))
            continue;
        const auto code = s.value(mode);
        if (!modeLoads(code ? findMode(family, *code) : nullptr, info.setting))
            return false;
    }
    switch (info.gate) {
    case Gate::None:
        return true;
    case Gate::DigitalZoomSeparateOn:
        return is(S::DigitalZoom, 1) && is(S::DigitalZoomSeparate, 1);
    case Gate::FocusManual:
        return is(S::FocusAuto, 0);
    case Gate::ExpCompOn:
        return is(S::ExpComp, 1);
    }
    return false;
}

CameraSettings fromStatus(const VersionStatus &version, const LensStatus &lens,
                          const CameraStatus &camera, const OtherStatus &other,
                          const ExtendedStatus &extended, std::optional<UserMemory> memory)
{
    CameraSettings s;
    s.modelCode = version.valid ? version.modelCode : 0;
    s.memory = memory;
    if (lens.valid) {
        put(s, S::DigitalZoomSeparate, lens.digitalZoomSeparate);
        put(s, S::DigitalZoom, lens.digitalZoomOn);
        put(s, S::ZoomPosition, lens.zoomPosition);
        put(s, S::FocusNearLimit, lens.focusNearLimit);
        put(s, S::FocusAuto, lens.focusAuto);
        put(s, S::FocusPosition, lens.focusPosition);
        put(s, S::AfSensitivityLow, lens.afSensitivity);
    }
    if (camera.valid) {
        put(s, S::AeMode, camera.aeMode);
        put(s, S::ShutterPosition, camera.shutterPosition);
        put(s, S::IrisPosition, camera.irisPosition);
        put(s, S::GainPosition, camera.gainPosition);
        put(s, S::BrightPosition, camera.brightPosition);
        put(s, S::ExpComp, camera.expComp);
        put(s, S::ExpCompLevel, camera.expCompPosition);
        put(s, S::BackLight, camera.backLight);
        put(s, S::AutoSlowShutter, camera.autoSlowShutter);
        put(s, S::Aperture, camera.aperture);
        put(s, S::WbMode, camera.wbMode);
        put(s, S::RGain, camera.rGain);
        put(s, S::BGain, camera.bGain);
    }
    if (other.valid) {
        put(s, S::PictureEffect, other.pictureEffect);
        put(s, S::DigitalEffectLevel, other.digitalEffectLevel);
        put(s, S::LrReverse, other.lrReverse);
        put(s, S::Stabilizer, other.imageStabilizer);
        put(s, S::AutoIcr, other.autoICR);
        put(s, S::Sync, other.lineLock);
        put(s, S::VPhase180, other.vp0180);
        put(s, S::VPhase, other.vPhase);
        put(s, S::CameraId, other.cameraId);
    }
    if (extended.valid) {
        put(s, S::DigitalZoomPosition, extended.digitalZoomPosition);
        put(s, S::PictureFlip, extended.pictureFlip);
    }
    return s;
}

CameraSettings fromStatus(const StatusReplies &r, int address, std::optional<UserMemory> memory)
{
    return fromStatus(decodeVersion(r.version, address), decodeLens(r.lens), decodeCamera(r.camera),
                      decodeOther(r.other), decodeExtended(r.extended), memory);
}

QString settingText(const SettingInfo &info, std::optional<int> value)
{
    if (!value)
        return QStringLiteral("(none)");
    switch (info.kind) {
    case K::Switch:
        return *value ? QStringLiteral("on") : QStringLiteral("off");
    case K::Number:
        return fieldValueText(settingField(info), *value);
    case K::Choice:
        if (const ModeRow *c = findMode(info.family, *value))
            return QLatin1String(c->file);
        return QString::number(*value);
    }
    return {};
}

QString fieldValueText(const catalog::Field &f, int v)
{
    return f.show == catalog::Show::Hex ? hexValue(v, f.count == 4 ? 4 : 2) : QString::number(v);
}

QString userMemoryHex(const UserMemory &m)
{
    QString s;
    for (std::uint8_t b : m)
        s += hexPair(b);
    return s;
}

QString userMemoryPair(const UserMemory &m, int address)
{
    return QStringLiteral("%1 %2").arg(hexPair(m[std::size_t(2 * address)]),
                                       hexPair(m[std::size_t(2 * address + 1)]));
}

} // namespace zam
