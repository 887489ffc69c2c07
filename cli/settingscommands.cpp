// The subcommands of camera settings files: save, load, diff.

#include "subcommands.h"

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

void printNotes(CliContext &ctx, const SettingsRead &read)
{
    for (const QString &note : describe(read.notes))
        ctx.err << "zam-ctl: camera " << ctx.options.camera << ": " << note << '\n';
    ctx.err.flush();
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
    printNotes(ctx, read);
    const QByteArray json = toJson(*read.settings);
    if (path == QLatin1String("-")) {
        ctx.out << QString::fromUtf8(json);
        ctx.out.flush();
        return kExitOk;
    }
    if (const QString why = writeRegularFile(path, json); !why.isEmpty())
        return ctx.fail(QStringLiteral("cannot write %1: %2").arg(printable(path, 200), why));
    return kExitOk;
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
    for (const SkippedSetting &s : plan.skipped)
        ctx.err << "skipped: " << s.caption << ": " << s.reason << '\n';
    ctx.err.flush();

    if (ctx.flag(QStringLiteral("dry-run"))) {
        for (const PlannedPacket &p : plan.packets) {
            if (!p.stepBefore.isEmpty())
                ctx.out << hexSpaced(p.stepBefore).trimmed() << "  " << p.what
                        << " (through full auto, unless in shutter priority)\n";
            ctx.out << hexSpaced(p.packet).trimmed() << "  " << p.what << '\n';
        }
        ctx.out.flush();
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
    printNotes(ctx, camera);
    // A setting the camera is still moving through differs from nothing yet.
    QList<SettingDifference> differences = diff(*file.settings, *camera.settings);
    differences.removeIf([&](const SettingDifference &d) {
        return std::any_of(camera.moving.begin(), camera.moving.end(), [&](Setting s) {
            return d.caption == QLatin1String(settingInfo(s).caption);
        });
    });
    for (const SettingDifference &d : differences)
        ctx.out << differenceLine(d) << '\n';
    ctx.out.flush();
    return differences.isEmpty() ? kExitOk : kDiffDifferent;
}

} // namespace zam::cli
