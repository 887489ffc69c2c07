#include "camerasettings.h"

#include "cameralink.h"
#include "cameramodes.h"
#include "exchange.h"
#include "filetext.h"
#include "modeltable.h"
#include "packet.h"
#include "restrictions.h"
#include "statusrequest.h"

#include <QJsonArray>
#include <QJsonDocument>
#include <QJsonObject>
#include <QJsonValue>
#include <QSet>

#include <algorithm>
#include <cmath>
#include <cstring>

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

// The optical tele end: a model without digital zoom goes no further.
constexpr int kOpticalTele = 0x4000;

const char kUserMemoryCaption[] = "16-byte memory";
// 8x 09 04 23 0a FF is answered y0 50 0p 0q 0r 0s FF: the two bytes of
// address a as nibbles.
constexpr int kMemoryReplyLength = 7;

const ModeRow *findChoice(const SettingInfo &info, int code)
{
    return findMode(info.family, code);
}

bool fits(const SettingInfo &info, int v)
{
    switch (info.kind) {
    case K::Switch:
        return v == 0 || v == 1;
    case K::Number:
        return v >= settingField(info).min && v <= settingField(info).max;
    case K::Choice:
        return findChoice(info, v) != nullptr;
    }
    return false;
}

QString numberText(const catalog::Field &f, int v)
{
    return f.show == catalog::Show::Hex ? hexValue(v, f.count == 4 ? 4 : 2) : QString::number(v);
}

QString modelText(int code)
{
    const QString name = modelName(code);
    return name.isEmpty() ? hexValue(code, 2)
                          : QStringLiteral("%1 (%2)").arg(hexValue(code, 2), name);
}

QString memoryText(const UserMemory &m, int address)
{
    return QStringLiteral("%1 %2").arg(hexPair(m[std::size_t(2 * address)]),
                                       hexPair(m[std::size_t(2 * address + 1)]));
}

QString memoryHex(const UserMemory &m)
{
    QString s;
    for (std::uint8_t b : m)
        s += hexPair(b);
    return s;
}

void put(CameraSettings &s, Setting setting, int raw)
{
    if (fits(settingInfo(setting), raw))
        s.set(setting, raw);
}

void compareMemory(QList<SettingDifference> &out, const std::optional<UserMemory> &a,
                   const std::optional<UserMemory> &b)
{
    if (a == b)
        return;
    if (!a || !b) {
        out.append({QString::fromLatin1(kUserMemoryCaption),
                    a ? memoryHex(*a) : QStringLiteral("(none)"),
                    b ? memoryHex(*b) : QStringLiteral("(none)")});
        return;
    }
    for (int i = 0; i < kUserMemoryAddresses; ++i) {
        const QString left = memoryText(*a, i);
        const QString right = memoryText(*b, i);
        if (left != right)
            out.append(
                {QStringLiteral("%1, address %2").arg(QLatin1String(kUserMemoryCaption)).arg(i),
                 left, right});
    }
}

// ---- Reading a file

// The text of the JSON string whose opening quote is at json[at]; `at` is
// left on its closing quote.
QString jsonString(QByteArrayView json, qsizetype &at)
{
    QString out;
    qsizetype run = ++at;
    const auto flush = [&] { out += QString::fromUtf8(json.sliced(run, at - run)); };
    for (; at < json.size() && json[at] != '"'; ++at) {
        if (json[at] != '\\')
            continue;
        flush();
        const char e = at + 1 < json.size() ? json[++at] : '\\';
        if (e == 'u') {
            bool ok = false;
            out += QChar(char16_t(json.sliced(at + 1, std::min<qsizetype>(4, json.size() - at - 1))
                                      .toByteArray()
                                      .toUShort(&ok, 16)));
            at = std::min<qsizetype>(at + 4, json.size() - 1);
        } else {
            const char *from = "bfnrt";
            const char *to = "\b\f\n\r\t";
            const char *hit = std::strchr(from, e);
            out += QLatin1Char(hit && e ? to[hit - from] : e);
        }
        run = at + 1;
    }
    flush();
    return out;
}

// QJsonDocument keeps one of two equal keys of an object and says nothing;
// a file that gives a setting twice is ambiguous. Runs over text that
// QJsonDocument has read, so the structure is sound: a string right after
// an object's "{" or "," is a key.
std::optional<QString> repeatedKey(QByteArrayView json)
{
    struct Level {
        bool object;
        bool atKey;
        QString name; // the key this object or array is the value of
        QString lastKey;
        QSet<QString> keys;
    };
    QList<Level> levels;
    for (qsizetype i = 0; i < json.size(); ++i) {
        switch (json[i]) {
        case '{':
        case '[': {
            const QString name = levels.isEmpty()       ? QString()
                                 : levels.last().object ? levels.last().lastKey
                                                        : levels.last().name;
            levels.append({json[i] == '{', json[i] == '{', name, {}, {}});
            break;
        }
        case '}':
        case ']':
            if (!levels.isEmpty())
                levels.removeLast();
            break;
        case ',':
            if (!levels.isEmpty() && levels.last().object)
                levels.last().atKey = true;
            break;
        case '"': {
            const QString text = jsonString(json, i);
            if (levels.isEmpty() || !levels.last().object || !levels.last().atKey)
                break;
            Level &level = levels.last();
            level.atKey = false;
            level.lastKey = text;
            if (level.keys.contains(text))
                return level.name.isEmpty()
                           ? QStringLiteral("key \"%1\" is given twice").arg(printable(text))
                           : QStringLiteral("key \"%1\" is given twice in \"%2\"")
                                 .arg(printable(text), printable(level.name));
            level.keys.insert(text);
            break;
        }
        default:
            break;
        }
    }
    return std::nullopt;
}

class Reader {
public:
    std::optional<int> model(const QJsonObject &root)
    {
        const QJsonValue v = root.value(QLatin1String("model"));
        const auto code = hexNumber(v.toString(), 0xFF);
        if (v.isUndefined())
            fail(QStringLiteral("\"model\" is missing"));
        else if (!v.isString() || !code)
            fail(QStringLiteral("\"model\" must be a model code such as \"0x30\""));
        return v.isString() ? code : std::nullopt;
    }

    bool setting(const SettingInfo &info, const QJsonValue &v, CameraSettings &out)
    {
        const QString where = QStringLiteral("setting \"%1\"").arg(QLatin1String(info.key));
        if (v.isUndefined())
            return fail(where + QStringLiteral(" is missing"));
        if (v.isNull()) {
            out.set(info.setting, std::nullopt);
            return true;
        }
        switch (info.kind) {
        case K::Switch:
            if (!v.isBool())
                return fail(where + QStringLiteral(" must be true, false or null"));
            out.set(info.setting, v.toBool() ? 1 : 0);
            return true;
        case K::Number:
            return number(info, v, where, out);
        case K::Choice:
            for (const ModeRow &c : modeRows(info.family)) {
                if (v.isString() &&
                    v.toString().compare(QLatin1String(c.file), Qt::CaseInsensitive) == 0) {
                    out.set(info.setting, c.code);
                    return true;
                }
            }
            return fail(where + QStringLiteral(" must be one of ") + choiceNames(info));
        }
        return false;
    }

    bool memory(const QJsonObject &root, CameraSettings &out)
    {
        const QJsonValue v = root.value(QLatin1String("memory"));
        if (v.isUndefined())
            return fail(QStringLiteral("\"memory\" is missing"));
        if (v.isNull())
            return true;
        const QString text = v.toString().remove(QLatin1Char(' '));
        if (!v.isString() || text.size() != 2 * kUserMemorySize)
            return fail(QStringLiteral("\"memory\" must be %1 hexadecimal digits or null")
                            .arg(2 * kUserMemorySize));
        UserMemory m{};
        for (int i = 0; i < kUserMemorySize; ++i) {
            const int hi = hexDigitValue(text[2 * i]);
            const int lo = hexDigitValue(text[2 * i + 1]);
            if (hi < 0 || lo < 0)
                return fail(QStringLiteral("\"memory\" holds \"%1\", which is not hexadecimal")
                                .arg(printable(text.mid(2 * i, 2))));
            m[std::size_t(i)] = std::uint8_t(hi * 16 + lo);
        }
        out.memory = m;
        return true;
    }

    bool fail(const QString &message)
    {
        if (error.isEmpty())
            error = message;
        return false;
    }

    QString error;

private:
    // "0x1A2B" (either case, 1 to 4 digits) up to max.
    static std::optional<int> hexNumber(const QString &text, int max)
    {
        if (!text.startsWith(QLatin1String("0x"), Qt::CaseInsensitive) || text.size() < 3 ||
            text.size() > 6)
            return std::nullopt;
        int v = 0;
        for (int i = 2; i < text.size(); ++i) {
            const int d = hexDigitValue(text[i]);
            if (d < 0)
                return std::nullopt;
            v = v * 16 + d;
        }
        if (v > max)
            return std::nullopt;
        return v;
    }

    bool number(const SettingInfo &info, const QJsonValue &v, const QString &where,
                CameraSettings &out)
    {
        const catalog::Field &f = settingField(info);
        const QString range = numberText(f, f.min) + QStringLiteral("..") + numberText(f, f.max);
        std::optional<int> value;
        if (v.isDouble()) {
            const double d = v.toDouble();
            if (d != std::floor(d))
                return fail(where + QStringLiteral(" must be a whole number"));
            if (d < f.min || d > f.max)
                return fail(where +
                            QStringLiteral(": %1 is outside %2").arg(d, 0, 'g', 17).arg(range));
            value = int(d);
        } else if (v.isString()) {
            value = hexNumber(v.toString(), 0xFFFF);
            if (!value)
                return fail(where + QStringLiteral(": \"%1\" is not a number such as \"0x%2\"")
                                        .arg(printable(v.toString(), 16))
                                        .arg(f.max, 0, 16));
            if (*value < f.min || *value > f.max)
                return fail(
                    where +
                    QStringLiteral(": %1 is outside %2").arg(printable(v.toString()), range));
        } else {
            return fail(where + QStringLiteral(" must be a number or null"));
        }
        out.set(info.setting, value);
        return true;
    }

    static QString choiceNames(const SettingInfo &info)
    {
        QStringList names;
        for (const ModeRow &c : modeRows(info.family))
            names << QStringLiteral("\"%1\"").arg(QLatin1String(c.file));
        return names.join(QStringLiteral(", ")) + QStringLiteral(" or null");
    }
};

// ---- On the link

struct MemoryRead {
    std::optional<UserMemory> memory;
    QString error; // nothing usable and no memory either: the read fails
    QString note;  // a reply of another shape: memory left empty
};

MemoryRead readUserMemory(CameraLink &link, int address)
{
    MemoryRead out;
    UserMemory m{};
    const ExchangeExpect expect = ExchangeExpect::inquiry(address, 0);
    for (int a = 0; a < kUserMemoryAddresses; ++a) {
        const auto packet = catalog::build(Id::UserMemoryRead, address, {a});
        if (!packet) {
            out.error =
                QStringLiteral("the 16-byte memory cannot be read from camera %1").arg(address);
            return out;
        }
        const ExchangeAnswer reply = exchangeWithRetries(
            link, *packet, expect, kMemoryReadAttempts, [](const ExchangeAnswer &r) {
                return r.answered() && r.data.size() == kMemoryReplyLength;
            });
        if (!reply.answered() || reply.data.size() != kMemoryReplyLength) {
            const QString bytes =
                reply.answered() ? hexSpaced(reply.data).trimmed() : reply.junkText();
            if (bytes.isEmpty()) {
                out.error = QStringLiteral("the camera did not answer the 16-byte memory read");
                return out;
            }
            out.note = QStringLiteral("16-byte memory not saved: the camera answered the read of "
                                      "address %1 with %2, not a memory reply")
                           .arg(a)
                           .arg(bytes);
            return out;
        }
        m[std::size_t(2 * a)] = std::uint8_t(readNibbles(reply.data, 2, 2));
        m[std::size_t(2 * a + 1)] = std::uint8_t(readNibbles(reply.data, 4, 2));
    }
    out.memory = m;
    return out;
}

// The answer to one command in words: nothing when it completed.
std::optional<QString> commandProblem(const ExchangeAnswer &a)
{
    switch (a.result) {
    case ExchangeResult::Completed:
    case ExchangeResult::Data:
        return std::nullopt;
    case ExchangeResult::Error: {
        const QString name = catalog::errorName(a.errorCode);
        return name.isEmpty() ? QStringLiteral("error %1").arg(hexPair(std::uint8_t(a.errorCode)))
                              : name;
    }
    case ExchangeResult::NotCompleted:
        return QStringLiteral("no completion");
    case ExchangeResult::NoReply:
    case ExchangeResult::Refused:
        break;
    }
    if (a.junk && a.garbled())
        return QStringLiteral("no reply (answered with bytes that are not a reply: %1)")
            .arg(a.junkText());
    if (a.junk)
        return QStringLiteral("no reply (did not answer)");
    return QStringLiteral("no reply");
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
        return numberText(settingField(info), *value);
    case K::Choice:
        if (const ModeRow *c = findChoice(info, *value))
            return QLatin1String(c->file);
        return QString::number(*value);
    }
    return {};
}

QByteArray toJson(const CameraSettings &s)
{
    QJsonObject settings;
    for (const SettingInfo &info : kSettings) {
        const auto v = s.value(info.setting);
        QJsonValue j = QJsonValue::Null;
        if (v && fits(info, *v)) {
            if (info.kind == K::Switch)
                j = *v != 0;
            else if (info.kind == K::Number && settingField(info).show == catalog::Show::Hex)
                j = numberText(settingField(info), *v);
            else if (info.kind == K::Number)
                j = *v;
            else
                j = QLatin1String(findChoice(info, *v)->file);
        }
        settings.insert(QLatin1String(info.key), j);
    }
    QJsonObject root;
    root.insert(QStringLiteral("format"), QLatin1String(kSettingsFormat));
    root.insert(QStringLiteral("version"), kSettingsVersion);
    root.insert(QStringLiteral("model"), hexValue(s.modelCode & 0xFF, 2));
    root.insert(QStringLiteral("modelName"), modelName(s.modelCode));
    root.insert(QStringLiteral("settings"), settings);
    root.insert(QStringLiteral("memory"),
                s.memory ? QJsonValue(memoryHex(*s.memory)) : QJsonValue::Null);
    return QJsonDocument(root).toJson(QJsonDocument::Indented);
}

SettingsParse fromJson(QByteArrayView json)
{
    QJsonParseError parseError{};
    const QJsonDocument doc = QJsonDocument::fromJson(json.toByteArray(), &parseError);
    if (parseError.error != QJsonParseError::NoError)
        return {std::nullopt, QStringLiteral("not a JSON file: %1 at byte %2")
                                  .arg(parseError.errorString())
                                  .arg(parseError.offset)};
    if (!doc.isObject())
        return {std::nullopt,
                QStringLiteral("not a camera settings file: no JSON object at the top")};
    if (const auto twice = repeatedKey(json))
        return {std::nullopt, *twice};
    const QJsonObject root = doc.object();
    const QJsonValue format = root.value(QLatin1String("format"));
    if (format.toString() != QLatin1String(kSettingsFormat))
        return {std::nullopt, QStringLiteral("not a camera settings file: \"format\" is not \"%1\"")
                                  .arg(QLatin1String(kSettingsFormat))};
    const QJsonValue version = root.value(QLatin1String("version"));
    if (!version.isDouble() || version.toDouble() != kSettingsVersion)
        return {std::nullopt,
                QStringLiteral(
                    "settings file version %1 is not supported (this panel reads version %2)")
                    .arg(version.isDouble() ? QString::number(version.toDouble())
                                            : QStringLiteral("(none)"))
                    .arg(kSettingsVersion)};

    Reader reader;
    CameraSettings s;
    const auto model = reader.model(root);
    if (!model)
        return {std::nullopt, reader.error};
    s.modelCode = *model;

    const QJsonValue settingsValue = root.value(QLatin1String("settings"));
    if (!settingsValue.isObject())
        return {std::nullopt, QStringLiteral("\"settings\" is missing or not an object")};
    const QJsonObject settings = settingsValue.toObject();
    for (auto it = settings.begin(); it != settings.end(); ++it) {
        const bool known =
            std::any_of(std::begin(kSettings), std::end(kSettings),
                        [&](const SettingInfo &i) { return it.key() == QLatin1String(i.key); });
        if (!known)
            return {std::nullopt,
                    QStringLiteral("unknown setting \"%1\"").arg(printable(it.key()))};
    }
    for (const SettingInfo &info : kSettings)
        if (!reader.setting(info, settings.value(QLatin1String(info.key)), s))
            return {std::nullopt, reader.error};
    if (!reader.memory(root, s))
        return {std::nullopt, reader.error};
    return {s, {}};
}

LoadPlan planLoad(const CameraSettings &settings, int targetModelCode, int address)
{
    LoadPlan plan;
    plan.address = address;
    plan.targetModel = targetModelCode;
    plan.expected = settings;
    plan.expected.modelCode = targetModelCode;
    const ModelLacks model = modelLacks(targetModelCode);
    const QString lacked = QStringLiteral("the camera's model lacks it");

    for (const SettingInfo &info : kSettings) {
        const QString caption = QLatin1String(info.caption);
        auto v = settings.value(info.setting);
        if (!v) {
            plan.skipped.append({caption, QStringLiteral("no value in the file")});
            continue;
        }
        if (model.setting(info.setting)) {
            plan.skipped.append({caption, lacked});
            continue;
        }
        if (!gateOpen(settings, info))
            continue;
        catalog::Id id = info.on;
        const ModeRow *c = nullptr; // the mode of a Choice
        QString what = caption + QStringLiteral(": ") + settingText(info, v);
        std::array<int, 1> values{*v};
        std::span<const int> args;
        switch (info.kind) {
        case K::Switch:
            id = *v ? info.on : info.off;
            break;
        case K::Number:
            if (info.setting == S::ZoomPosition && *v > kOpticalTele &&
                model.setting(S::DigitalZoom)) {
                plan.skipped.append(
                    {caption + QStringLiteral(" beyond the optical range"),
                     QStringLiteral("the camera's model lacks digital zoom: %1 sent")
                         .arg(settingText(info, kOpticalTele))});
                values[0] = kOpticalTele;
                plan.expected.set(info.setting, kOpticalTele);
                what = caption + QStringLiteral(": ") + settingText(info, kOpticalTele);
            }
            args = values;
            break;
        case K::Choice: {
            c = findChoice(info, *v);
            if (!c)
                continue; // never: the file's reader takes only listed values
            // A mode whose menu item the model lacks.
            if (model.control(c->item)) {
                plan.skipped.append(
                    {caption + QStringLiteral(" ") + QLatin1String(c->file), lacked});
                continue;
            }
            id = c->entry;
            break;
        }
        }
        const auto packet = catalog::build(id, address, args);
        if (!packet) {
            plan.skipped.append(
                {caption, QStringLiteral("cannot be sent to camera %1").arg(address)});
            continue;
        }
        PlannedPacket planned{*packet, what, {}, 0};
        if (info.setting == S::AeMode && c->code == ae::kBright) {
            // As the Bright control does it: through full auto unless the
            // camera's mode then goes straight to bright.
            planned.stepBefore =
                catalog::build(findMode(ModeFamily::Ae, ae::kFullAuto)->entry, address)
                    .value_or(QByteArray());
            planned.pauseBefore = kBrightFullAutoPause;
        }
        plan.packets.append(planned);
        plan.sent[std::size_t(info.setting)] = true;
    }

    const QString memoryCaption = QString::fromLatin1(kUserMemoryCaption);
    if (!settings.memory) {
        plan.skipped.append({memoryCaption, QStringLiteral("no value in the file")});
    } else if (model.memory) {
        plan.skipped.append({memoryCaption, lacked});
    } else {
        const UserMemory &m = *settings.memory;
        QList<PlannedPacket> writes;
        for (int a = 0; a < kUserMemoryAddresses; ++a) {
            const auto packet =
                catalog::build(Id::UserMemoryWrite, address,
                               {a, m[std::size_t(2 * a)], m[std::size_t(2 * a + 1)]});
            if (!packet)
                break;
            writes.append({*packet,
                           QStringLiteral("%1, address %2: %3")
                               .arg(memoryCaption)
                               .arg(a)
                               .arg(memoryText(m, a)),
                           {},
                           0});
        }
        if (writes.size() == kUserMemoryAddresses) {
            plan.packets.append(writes);
            plan.memorySent = true;
        } else {
            plan.skipped.append(
                {memoryCaption, QStringLiteral("cannot be sent to camera %1").arg(address)});
        }
    }
    return plan;
}

QList<SettingDifference> diff(const CameraSettings &a, const CameraSettings &b)
{
    QList<SettingDifference> out;
    if (a.modelCode != b.modelCode)
        out.append({QStringLiteral("Model"), modelText(a.modelCode), modelText(b.modelCode)});
    for (const SettingInfo &info : kSettings) {
        if (!gateOpen(a, info) || !gateOpen(b, info))
            continue;
        const auto va = a.value(info.setting);
        const auto vb = b.value(info.setting);
        if (va != vb)
            out.append({QLatin1String(info.caption), settingText(info, va), settingText(info, vb)});
    }
    compareMemory(out, a.memory, b.memory);
    return out;
}

QList<SettingDifference> notTaken(const LoadPlan &plan, const CameraSettings &after)
{
    QList<SettingDifference> out;
    for (const SettingInfo &info : kSettings) {
        if (!plan.sent[std::size_t(info.setting)])
            continue;
        const auto want = plan.expected.value(info.setting);
        const auto got = after.value(info.setting);
        if (want != got)
            out.append(
                {QLatin1String(info.caption), settingText(info, want), settingText(info, got)});
    }
    if (plan.memorySent)
        compareMemory(out, plan.expected.memory, after.memory);
    return out;
}

namespace {

SettingsRead readFailed(const QString &error)
{
    SettingsRead r;
    r.error = error;
    return r;
}

SettingsRead readFailed(const ExchangeAnswer &why)
{
    return readFailed(why.garbled() ? QStringLiteral("the camera answered the status read with "
                                                     "bytes that are not a reply: %1")
                                          .arg(why.junkText())
                                    : QStringLiteral("the camera did not answer the status read"));
}

} // namespace

SettingsRead readSettings(CameraLink &link)
{
    ExchangeAnswer why;
    auto replies = requestStatusBlocks(link, &why);
    if (!replies)
        return readFailed(why);
    const int address = link.state().CameraAddress;
    SettingsRead out;

    // Positions read while the lens moves are on their way somewhere else.
    LensStatus lens = decodeLens(replies->lens);
    const std::int64_t settleEnd = link.clock().nowMs() + kLensSettleMs;
    while ((lens.zoomMoving || lens.focusMoving) && link.clock().nowMs() < settleEnd) {
        link.stopwatch().pause(kLensPollMs / 1000.0);
        auto again = requestBlock(link, StatusBlock::Lens, &why);
        if (!again)
            return readFailed(why);
        replies->lens = *again;
        lens = decodeLens(replies->lens);
    }

    const VersionStatus version = decodeVersion(replies->version, address);
    std::optional<UserMemory> memory;
    if (!modelLacks(version.modelCode).memory) {
        MemoryRead m = readUserMemory(link, address);
        if (!m.error.isEmpty())
            return readFailed(m.error);
        memory = m.memory;
        if (!m.note.isEmpty())
            out.notes << m.note;
    }
    out.settings = fromStatus(*replies, address, memory);
    const auto stillMoving = [&](bool moving, std::initializer_list<Setting> settings,
                                 const char *what) {
        if (!moving)
            return;
        for (Setting setting : settings) {
            out.settings->set(setting, std::nullopt);
            out.moving << setting;
        }
        out.notes << QStringLiteral("%1 still moving after %2 s: %3 position not saved")
                         .arg(QLatin1String(what))
                         .arg(kLensSettleMs / 1000)
                         .arg(QString::fromLatin1(what).toLower());
    };
    stillMoving(lens.zoomMoving, {S::ZoomPosition, S::DigitalZoomPosition}, "Zoom");
    stillMoving(lens.focusMoving, {S::FocusPosition}, "Focus");
    return out;
}

SettingsRead readAgreedSettings(CameraLink &link)
{
    std::optional<SettingsRead> previous;
    for (int read = 0; read < kSettingsReads; ++read) {
        SettingsRead r = readSettings(link);
        if (!r.settings)
            return r;
        if (previous && previous->settings == r.settings)
            return r;
        previous = std::move(r);
    }
    return readFailed(QStringLiteral("%1 reads of the camera's settings did not agree: the line is "
                                     "unreliable")
                          .arg(kSettingsReads));
}

std::optional<int> readModelCode(CameraLink &link)
{
    const int address = link.state().CameraAddress;
    const QByteArray packet = inquiryPacket(StatusBlock::Version, address);
    if (packet.isEmpty())
        return std::nullopt;
    const ExchangeAnswer a = exchangeWithRetries(
        link, packet, ExchangeExpect::inquiry(address, kVersionReplyLength), kStatusRequestLimit,
        [](const ExchangeAnswer &r) { return r.answered(); });
    if (!a.answered())
        return std::nullopt;
    const VersionStatus v = decodeVersion(a.data, address);
    return v.valid ? std::optional<int>(v.modelCode) : std::nullopt;
}

namespace {

// The camera's AE mode now, from its camera block; nullopt when unread.
std::optional<int> currentAeMode(CameraLink &link)
{
    const auto block = requestBlock(link, StatusBlock::Camera);
    if (!block)
        return std::nullopt;
    const CameraStatus camera = decodeCamera(*block);
    return camera.valid ? std::optional<int>(camera.aeMode) : std::nullopt;
}

} // namespace

LoadOutcome applySettings(CameraLink &link, const LoadPlan &plan, const LoadProgress &progress,
                          const bool &cancel)
{
    LoadOutcome out;
    bool portLost = false;
    const QMetaObject::Connection lost =
        QObject::connect(&link.port(), &Port::deviceLost, &link, [&portLost] { portLost = true; });
    int silentInARow = 0;
    const ExchangeExpect expect = ExchangeExpect::command(plan.address);
    const auto send = [&](const QByteArray &packet) {
        clearLine(link, false);
        const ExchangeAnswer a = exchange(link, packet, expect);
        silentInARow = a.packets.isEmpty() ? silentInARow + 1 : 0;
        return a;
    };
    const int total = int(plan.packets.size());
    for (qsizetype i = 0; i < plan.packets.size(); ++i) {
        const PlannedPacket &p = plan.packets[i];
        if (progress)
            progress(out.sent, total, p.what);
        if (cancel) {
            out.cancelled = true;
            QObject::disconnect(lost);
            return out;
        }
        if (!p.stepBefore.isEmpty()) {
            const auto mode = currentAeMode(link);
            if (!mode || brightGoesThroughFullAuto(*mode)) {
                if (const auto problem = commandProblem(send(p.stepBefore)))
                    out.refused << p.what + QStringLiteral(" (full auto first): ") + *problem;
                link.stopwatch().pause(p.pauseBefore);
            }
        }
        const ExchangeAnswer a = send(p.packet);
        ++out.sent;
        if (const auto problem = commandProblem(a))
            out.refused << p.what + QStringLiteral(": ") + *problem;
        if (portLost || !link.port().isOpen() || silentInARow >= kDeadLinePackets) {
            out.lineDead = true;
            for (qsizetype j = i + 1; j < plan.packets.size(); ++j)
                out.notLoaded << plan.packets[j].what;
            out.readError = portLost || !link.port().isOpen()
                                ? QStringLiteral("the port reported an error: the load stopped")
                                : QStringLiteral("%1 packets in a row went unanswered: the load "
                                                 "stopped")
                                      .arg(kDeadLinePackets);
            QObject::disconnect(lost);
            return out;
        }
    }
    QObject::disconnect(lost);
    if (progress)
        progress(out.sent, total, {});
    const SettingsRead read = readSettings(link);
    out.after = read.settings;
    out.readError = read.error;
    if (out.after)
        out.notTaken = notTaken(plan, *out.after);
    return out;
}

} // namespace zam
