// The subcommands of camera settings files: save, load, diff.

#include "hubcommands.h"
#include "subcommands.h"

#include <QJsonArray>
#include <QJsonDocument>

#include <algorithm>
#include <filetext.h>
#include <packet.h>
#include <settingsio.h>
#include <settingsjson.h>
#include <settingsmessages.h>

namespace zam::cli {

namespace {

// diff(1): 0 the same, 1 different, 2 trouble.
constexpr int kDiffDifferent = 1;
constexpr int kDiffTrouble = 2;

// Why the settings file at `path` gave no settings.
QString fileProblem(const QString &path, const SettingsFileRead &read)
{
    const QString shown = printable(path, 200);
    if (read.failure == SettingsFileRead::Failure::Unreadable)
        return QStringLiteral("cannot read %1: %2").arg(shown, read.reason);
    return QStringLiteral("%1: %2").arg(shown, read.reason);
}

QString differenceLine(const SettingDifference &d)
{
    return QStringLiteral("%1: file %2, camera %3").arg(d.caption, d.left, d.right);
}

void printNotes(CliContext &ctx, const QStringList &notes)
{
    for (const QString &note : notes)
        ctx.err << "zam-ctl: camera " << ctx.options.camera << ": " << note << '\n';
    ctx.err.flush();
}

QStringList texts(const QJsonValue &list)
{
    QStringList out;
    for (const QJsonValue &v : list.toArray())
        out << v.toString();
    return out;
}

// The packets a load would send, printed and none sent.
void printDryRun(CliContext &ctx, const LoadPlan &plan)
{
    for (const PlannedPacket &p : plan.packets) {
        if (!p.stepBefore.isEmpty())
            ctx.out << hexSpaced(p.stepBefore).trimmed() << "  " << p.what
                    << " (through full auto, unless in shutter priority)\n";
        ctx.out << hexSpaced(p.packet).trimmed() << "  " << p.what << '\n';
    }
    ctx.out.flush();
}

void printSkipped(CliContext &ctx, const LoadPlan &plan)
{
    for (const SkippedSetting &s : plan.skipped)
        ctx.err << "skipped: " << s.caption << ": " << s.reason << '\n';
    ctx.err.flush();
}

// The settings file as JSON text, from a hub's reply.
QByteArray fileText(const QJsonValue &file)
{
    return QJsonDocument(file.toObject()).toJson(QJsonDocument::Compact);
}

int writeSaved(CliContext &ctx, const QString &path, const QByteArray &json)
{
    if (path == QLatin1String("-")) {
        ctx.out << QString::fromUtf8(json);
        ctx.out.flush();
        return kExitOk;
    }
    if (const QString why = writeRegularFile(path, json); !why.isEmpty())
        return ctx.fail(QStringLiteral("cannot write %1: %2").arg(printable(path, 200), why));
    return kExitOk;
}

int printDifferences(CliContext &ctx, const QList<SettingDifference> &differences)
{
    for (const SettingDifference &d : differences)
        ctx.out << differenceLine(d) << '\n';
    ctx.out.flush();
    return differences.isEmpty() ? kExitOk : kDiffDifferent;
}

} // namespace

QString checkSettingsFile(CliContext &ctx, const QStringList &args)
{
    ctx.settingsFile = readSettingsFile(args.value(0));
    return ctx.settingsFile.settings ? QString() : fileProblem(args.value(0), ctx.settingsFile);
}

QString checkSaveTarget(CliContext &, const QStringList &args)
{
    const QString path = args.value(0);
    if (path == QLatin1String("-"))
        return {};
    const QString why = whyNotRegularFile(path);
    return why.isEmpty() ? why
                         : QStringLiteral("cannot write %1: %2").arg(printable(path, 200), why);
}

int runSave(CliContext &ctx, const QStringList &args)
{
    const QString &path = args.first();
    const SettingsRead read = readAgreedSettings(*ctx.link);
    if (!read.settings)
        return ctx.fail(
            QStringLiteral("camera %1: %2").arg(ctx.options.camera).arg(describe(read.problem)));
    printNotes(ctx, describe(read.notes));
    return writeSaved(ctx, path, toJson(*read.settings));
}

int runSaveViaHub(CliContext &ctx, const QStringList &args)
{
    const std::optional<QJsonObject> reply =
        askHub(ctx, {{QStringLiteral("op"), QStringLiteral("save")},
                     {QStringLiteral("camera"), ctx.options.camera}});
    if (!reply)
        return kExitFailed;
    // Read back and written again, so the file is byte for byte the one a
    // save on the line writes.
    const SettingsParse file = fromJson(fileText(reply->value(QStringLiteral("file"))));
    if (!file.settings)
        return ctx.fail(QStringLiteral("%1 sent a settings file that does not read: %2")
                            .arg(ctx.options.device, file.error));
    printNotes(ctx, texts(reply->value(QStringLiteral("notes"))));
    return writeSaved(ctx, args.first(), toJson(*file.settings));
}

int runLoad(CliContext &ctx, const QStringList &args)
{
    const SettingsFileRead &file = ctx.settingsFile;
    if (!file.settings)
        return ctx.usageError(fileProblem(args.first(), file));
    const int address = ctx.options.camera;
    const std::optional<int> model = readModelCode(*ctx.link);
    if (!model)
        return ctx.fail(
            QStringLiteral("no reply from camera %1 to the version inquiry").arg(address));
    const LoadPlan plan = planLoad(*file.settings, *model, address);
    printSkipped(ctx, plan);
    if (ctx.flag(QStringLiteral("dry-run"))) {
        printDryRun(ctx, plan);
        return kExitOk;
    }

    const int width = int(QString::number(plan.packets.size()).size());
    const bool cancel = false;
    const LoadOutcome outcome = applySettings(
        *ctx.link, plan,
        [&](int done, int total, const QString &what) {
            if (what.isEmpty())
                ctx.err << "reading the settings back\n";
            else
                ctx.err << '[' << QString::number(done + 1).rightJustified(width) << '/' << total
                        << "] " << what << '\n';
            ctx.err.flush();
        },
        cancel);
    for (const QString &r : describe(outcome.refused))
        ctx.err << "refused: " << r << '\n';
    for (const SettingDifference &d : outcome.notTaken)
        ctx.err << "did not take: " << differenceLine(d) << '\n';
    for (const QString &what : outcome.notLoaded)
        ctx.err << "not loaded: " << what << '\n';
    ctx.err.flush();
    if (!outcome.after)
        return ctx.fail(
            QStringLiteral("camera %1: %2").arg(address).arg(describe(outcome.problem)));
    if (!outcome.ok())
        return ctx.fail(QStringLiteral("camera %1 did not take every setting of %2")
                            .arg(address)
                            .arg(args.first()));
    return kExitOk;
}

int runDiff(CliContext &ctx, const QStringList &args)
{
    const SettingsFileRead &file = ctx.settingsFile;
    if (!file.settings) {
        ctx.fail(fileProblem(args.value(0), file));
        return kDiffTrouble;
    }
    const SettingsRead camera = readAgreedSettings(*ctx.link);
    if (!camera.settings) {
        ctx.fail(
            QStringLiteral("camera %1: %2").arg(ctx.options.camera).arg(describe(camera.problem)));
        return kDiffTrouble;
    }
    printNotes(ctx, describe(camera.notes));
    return printDifferences(ctx, settledDifferences(*file.settings, camera));
}

QList<SettingDifference> settledDifferences(const CameraSettings &file, const SettingsRead &camera)
{
    // A setting the camera is still moving through differs from nothing yet.
    QList<SettingDifference> differences = diff(file, *camera.settings);
    differences.removeIf([&](const SettingDifference &d) {
        return std::any_of(camera.moving.begin(), camera.moving.end(), [&](Setting s) {
            return d.caption == QLatin1String(settingInfo(s).caption);
        });
    });
    return differences;
}

int runLoadViaHub(CliContext &ctx, const QStringList &args)
{
    const SettingsFileRead &file = ctx.settingsFile;
    if (!file.settings)
        return ctx.usageError(fileProblem(args.first(), file));
    const int address = ctx.options.camera;
    if (ctx.flag(QStringLiteral("dry-run"))) {
        // The plan needs the model only; the hub's status read names it.
        const std::optional<QJsonObject> status =
            askHub(ctx, {{QStringLiteral("op"), QStringLiteral("status")},
                         {QStringLiteral("camera"), address}});
        if (!status)
            return kExitFailed;
        const int model = status->value(QStringLiteral("version"))
                              .toObject()
                              .value(QStringLiteral("modelCode"))
                              .toInt();
        const LoadPlan plan = planLoad(*file.settings, model, address);
        printSkipped(ctx, plan);
        printDryRun(ctx, plan);
        return kExitOk;
    }
    ctx.err << "loading through " << ctx.options.device << Qt::endl;
    const std::optional<QJsonObject> reply = askHub(
        ctx, {{QStringLiteral("op"), QStringLiteral("load")},
              {QStringLiteral("camera"), address},
              {QStringLiteral("file"), QJsonDocument::fromJson(toJson(*file.settings)).object()}});
    if (!reply)
        return kExitFailed;
    for (const QString &s : texts(reply->value(QStringLiteral("skipped"))))
        ctx.err << "skipped: " << s << '\n';
    for (const QString &r : texts(reply->value(QStringLiteral("refused"))))
        ctx.err << "refused: " << r << '\n';
    for (const QJsonValue &v : reply->value(QStringLiteral("notTaken")).toArray()) {
        const QJsonObject d = v.toObject();
        ctx.err << "did not take: "
                << differenceLine({d.value(QStringLiteral("setting")).toString(),
                                   d.value(QStringLiteral("file")).toString(),
                                   d.value(QStringLiteral("camera")).toString()})
                << '\n';
    }
    for (const QString &what : texts(reply->value(QStringLiteral("notLoaded"))))
        ctx.err << "not loaded: " << what << '\n';
    ctx.err.flush();
    if (!reply->value(QStringLiteral("taken")).toBool())
        return ctx.fail(QStringLiteral("camera %1 did not take every setting of %2")
                            .arg(address)
                            .arg(args.first()));
    return kExitOk;
}

int runDiffViaHub(CliContext &ctx, const QStringList &args)
{
    const SettingsFileRead &file = ctx.settingsFile;
    if (!file.settings) {
        ctx.fail(fileProblem(args.value(0), file));
        return kDiffTrouble;
    }
    const std::optional<QJsonObject> reply = askHub(
        ctx, {{QStringLiteral("op"), QStringLiteral("diff")},
              {QStringLiteral("camera"), ctx.options.camera},
              {QStringLiteral("file"), QJsonDocument::fromJson(toJson(*file.settings)).object()}});
    if (!reply)
        return kDiffTrouble;
    printNotes(ctx, texts(reply->value(QStringLiteral("notes"))));
    QList<SettingDifference> differences;
    for (const QJsonValue &v : reply->value(QStringLiteral("differences")).toArray()) {
        const QJsonObject d = v.toObject();
        differences.append({d.value(QStringLiteral("setting")).toString(),
                            d.value(QStringLiteral("file")).toString(),
                            d.value(QStringLiteral("camera")).toString()});
    }
    return printDifferences(ctx, differences);
}

} // namespace zam::cli
