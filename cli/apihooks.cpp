#include "apihooks.h"

#include "statusreport.h"
#include "subcommands.h"

#include <QJsonArray>
#include <QJsonDocument>
#include <settingsio.h>
#include <settingsjson.h>
#include <settingsmessages.h>
#include <settingsplan.h>
#include <statusrequest.h>

namespace zam::cli {

namespace {

// Runs `work` with `camera` selected on the link, then selects the camera
// that was.
template <typename Work> auto onCamera(CameraLink &link, int camera, Work work)
{
    const int selected = link.state().CameraAddress;
    link.state().CameraAddress = camera;
    auto result = work();
    link.state().CameraAddress = selected;
    return result;
}

QJsonArray differencesOf(const QList<SettingDifference> &list)
{
    QJsonArray out;
    for (const SettingDifference &d : list)
        out.append(QJsonObject{{QStringLiteral("setting"), d.caption},
                               {QStringLiteral("file"), d.left},
                               {QStringLiteral("camera"), d.right}});
    return out;
}

QJsonObject fileObject(const CameraSettings &s)
{
    return QJsonDocument::fromJson(toJson(s)).object();
}

} // namespace

api::HubHooks apiHooks(CameraLink &link)
{
    using Result = std::optional<QJsonObject>;
    api::HubHooks hooks;
    hooks.status = [&link](int camera, QString &why) -> Result {
        return onCamera(link, camera, [&]() -> Result {
            ExchangeAnswer answer;
            const std::optional<StatusReplies> replies = requestStatusBlocks(link, &answer);
            if (replies)
                return statusObject(*replies, camera);
            why =
                answer.garbled()
                    ? QStringLiteral("camera %1 answered with bytes that are not a reply: %2")
                          .arg(camera)
                          .arg(answer.junkText())
                    : QStringLiteral("no reply from camera %1 to the status inquiries").arg(camera);
            return std::nullopt;
        });
    };
    hooks.save = [&link](int camera, QString &why) -> Result {
        return onCamera(link, camera, [&]() -> Result {
            const SettingsRead read = readAgreedSettings(link);
            if (!read.settings) {
                why = QStringLiteral("camera %1: %2").arg(camera).arg(describe(read.problem));
                return std::nullopt;
            }
            return QJsonObject{
                {QStringLiteral("file"), fileObject(*read.settings)},
                {QStringLiteral("notes"), QJsonArray::fromStringList(describe(read.notes))}};
        });
    };
    hooks.load = [&link](int camera, const QByteArray &json, QString &why) -> Result {
        const SettingsParse file = fromJson(json);
        if (!file.settings) {
            why = file.error;
            return std::nullopt;
        }
        return onCamera(link, camera, [&]() -> Result {
            const std::optional<int> model = readModelCode(link);
            if (!model) {
                why = QStringLiteral("no reply from camera %1 to the version inquiry").arg(camera);
                return std::nullopt;
            }
            const LoadPlan plan = planLoad(*file.settings, *model, camera);
            const bool cancel = false;
            const LoadOutcome outcome = applySettings(link, plan, {}, cancel);
            if (!outcome.after) {
                why = QStringLiteral("camera %1: %2").arg(camera).arg(describe(outcome.problem));
                return std::nullopt;
            }
            QJsonArray skipped;
            for (const SkippedSetting &s : plan.skipped)
                skipped.append(s.caption + QStringLiteral(": ") + s.reason);
            return QJsonObject{
                {QStringLiteral("taken"), outcome.ok()},
                {QStringLiteral("skipped"), skipped},
                {QStringLiteral("refused"), QJsonArray::fromStringList(describe(outcome.refused))},
                {QStringLiteral("notTaken"), differencesOf(outcome.notTaken)},
                {QStringLiteral("notLoaded"), QJsonArray::fromStringList(outcome.notLoaded)}};
        });
    };
    hooks.diff = [&link](int camera, const QByteArray &json, QString &why) -> Result {
        const SettingsParse file = fromJson(json);
        if (!file.settings) {
            why = file.error;
            return std::nullopt;
        }
        return onCamera(link, camera, [&]() -> Result {
            const SettingsRead read = readAgreedSettings(link);
            if (!read.settings) {
                why = QStringLiteral("camera %1: %2").arg(camera).arg(describe(read.problem));
                return std::nullopt;
            }
            return QJsonObject{
                {QStringLiteral("differences"),
                 differencesOf(settledDifferences(*file.settings, read))},
                {QStringLiteral("notes"), QJsonArray::fromStringList(describe(read.notes))}};
        });
    };
    return hooks;
}

} // namespace zam::cli
