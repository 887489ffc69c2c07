#include "settingsjson.h"

#include "cameramodes.h"
#include "filetext.h"
#include "modeltable.h"
#include "packet.h"

#include <QFile>
#include <QJsonDocument>
#include <QJsonObject>
#include <QJsonValue>
#include <QList>
#include <QSet>

#include <algorithm>
#include <cmath>
#include <cstdio>
#include <cstring>

namespace zam {

namespace {

using K = SettingKind;

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
        const QString range =
            fieldValueText(f, f.min) + QStringLiteral("..") + fieldValueText(f, f.max);
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

// A pipe may deliver its bytes in many reads.
FileRead readStdin()
{
    QFile f;
    if (!f.open(stdin, QIODevice::ReadOnly))
        return {std::nullopt, f.errorString()};
    QByteArray bytes;
    while (bytes.size() <= kMaxSettingsFileBytes) {
        const QByteArray more = f.read(kMaxSettingsFileBytes + 1 - bytes.size());
        if (more.isEmpty())
            break;
        bytes += more;
    }
    if (bytes.size() > kMaxSettingsFileBytes)
        return {std::nullopt, QStringLiteral("it is far too large for a settings file")};
    return {bytes, {}};
}

} // namespace

QByteArray toJson(const CameraSettings &s)
{
    QJsonObject settings;
    for (const SettingInfo &info : settingTable()) {
        const auto v = s.value(info.setting);
        QJsonValue j = QJsonValue::Null;
        if (v && settingFits(info, *v)) {
            if (info.kind == K::Switch)
                j = *v != 0;
            else if (info.kind == K::Number && settingField(info).show == catalog::Show::Hex)
                j = fieldValueText(settingField(info), *v);
            else if (info.kind == K::Number)
                j = *v;
            else
                j = QLatin1String(findMode(info.family, *v)->file);
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
                s.memory ? QJsonValue(userMemoryHex(*s.memory)) : QJsonValue::Null);
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
            std::any_of(settingTable().begin(), settingTable().end(),
                        [&](const SettingInfo &i) { return it.key() == QLatin1String(i.key); });
        if (!known)
            return {std::nullopt,
                    QStringLiteral("unknown setting \"%1\"").arg(printable(it.key()))};
    }
    for (const SettingInfo &info : settingTable())
        if (!reader.setting(info, settings.value(QLatin1String(info.key)), s))
            return {std::nullopt, reader.error};
    if (!reader.memory(root, s))
        return {std::nullopt, reader.error};
    return {s, {}};
}

SettingsFileRead readSettingsFile(const QString &path)
{
    using F = SettingsFileRead::Failure;
    const FileRead read =
        path == QLatin1String("-") ? readStdin() : readRegularFile(path, kMaxSettingsFileBytes);
    if (!read.bytes)
        return {std::nullopt, F::Unreadable, read.error};
    SettingsParse parsed = fromJson(*read.bytes);
    if (!parsed.settings)
        return {std::nullopt, F::NotSettings, parsed.error};
    return {parsed.settings, F::None, {}};
}

} // namespace zam
