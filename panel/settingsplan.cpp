#include "settingsplan.h"

#include "cameramodes.h"
#include "modeltable.h"
#include "packet.h"
#include "restrictions.h"

namespace zam {

namespace {

using S = Setting;
using K = SettingKind;
using catalog::Id;

// The optical tele end: a model without digital zoom goes no further.
constexpr int kOpticalTele = 0x4000;

QString modelText(int code)
{
    const QString name = modelName(code);
    return name.isEmpty() ? hexValue(code, 2)
                          : QStringLiteral("%1 (%2)").arg(hexValue(code, 2), name);
}

void compareMemory(QList<SettingDifference> &out, const std::optional<UserMemory> &a,
                   const std::optional<UserMemory> &b)
{
    if (a == b)
        return;
    if (!a || !b) {
        out.append({QString::fromLatin1(kUserMemoryCaption),
                    a ? userMemoryHex(*a) : QStringLiteral("(none)"),
                    b ? userMemoryHex(*b) : QStringLiteral("(none)")});
        return;
    }
    for (int i = 0; i < kUserMemoryAddresses; ++i) {
        const QString left = userMemoryPair(*a, i);
        const QString right = userMemoryPair(*b, i);
        if (left != right)
            out.append(
                {QStringLiteral("%1, address %2").arg(QLatin1String(kUserMemoryCaption)).arg(i),
                 left, right});
    }
}

} // namespace

LoadPlan planLoad(const CameraSettings &settings, int targetModelCode, int address)
{
    LoadPlan plan;
    plan.address = address;
    plan.targetModel = targetModelCode;
    plan.expected = settings;
    plan.expected.modelCode = targetModelCode;
    const ModelLacks model = modelLacks(targetModelCode);
    const QString lacked = QStringLiteral("the camera's model lacks it");

    for (const SettingInfo &info : settingTable()) {
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
            c = findMode(info.family, *v);
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
                               .arg(userMemoryPair(m, a)),
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
    for (const SettingInfo &info : settingTable()) {
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
    for (const SettingInfo &info : settingTable()) {
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

} // namespace zam
