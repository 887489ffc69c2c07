// The subcommands of camera settings files: save, load, diff.

#include "subcommands.h"

#include <QFile>
#include <algorithm>
#include <camerasettings.h>
#include <filetext.h>
#include <packet.h>

namespace zam::cli {

namespace {

// diff(1): 0 the same, 1 different, 2 trouble.
constexpr int kDiffDifferent = 1;
constexpr int kDiffTrouble = 2;
// A file far larger than any settings file is no settings file.
constexpr qint64 kMaxFileBytes = 1 << 20;

// A pipe may deliver its bytes in many reads.
FileRead readStdin()
{
    QFile f;
    if (!f.open(stdin, QIODevice::ReadOnly))
        return {std::nullopt, f.errorString()};
    QByteArray bytes;
    while (bytes.size() <= kMaxFileBytes) {
        const QByteArray more = f.read(kMaxFileBytes + 1 - bytes.size());
        if (more.isEmpty())
            break;
        bytes += more;
    }
    if (bytes.size() > kMaxFileBytes)
        return {std::nullopt, QStringLiteral("it is far too large for a settings file")};
    return {bytes, {}};
}

SettingsParse readFile(const QString &path)
{
    const FileRead read =
        path == QLatin1String("-") ? readStdin() : readRegularFile(path, kMaxFileBytes);
    if (!read.bytes)
        return {std::nullopt,
                QStringLiteral("cannot read %1: %2").arg(printable(path, 200), read.error)};
    SettingsParse parsed = fromJson(*read.bytes);
    if (!parsed.settings)
        parsed.error = QStringLiteral("%1: %2").arg(printable(path, 200), parsed.error);
    return parsed;
}

QString differenceLine(const SettingDifference &d)
{
    return QStringLiteral("%1: file %2, camera %3").arg(d.caption, d.left, d.right);
}

void printNotes(CliContext &ctx, const SettingsRead &read)
{
    for (const QString &note : read.notes)
        ctx.err << "zam-ctl: camera " << ctx.options.camera << ": " << note << '\n';
    ctx.err.flush();
}

} // namespace

QString checkSettingsFile(CliContext &ctx, const QStringList &args)
{
    ctx.settingsFile = readFile(args.value(0));
    return ctx.settingsFile.error;
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
        return ctx.fail(QStringLiteral("camera %1: %2").arg(ctx.options.camera).arg(read.error));
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
    const SettingsParse &file = ctx.settingsFile;
    if (!file.settings)
        return ctx.usageError(file.error);
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
    for (const QString &r : outcome.refused)
        ctx.err << "refused: " << r << '\n';
    for (const SettingDifference &d : outcome.notTaken)
        ctx.err << "did not take: " << differenceLine(d) << '\n';
    for (const QString &what : outcome.notLoaded)
        ctx.err << "not loaded: " << what << '\n';
    ctx.err.flush();
    if (!outcome.after)
        return ctx.fail(QStringLiteral("camera %1: %2").arg(address).arg(outcome.readError));
    if (!outcome.ok())
        return ctx.fail(QStringLiteral("camera %1 did not take every setting of %2")
                            .arg(address)
                            .arg(args.first()));
    return kExitOk;
}

int runDiff(CliContext &ctx, const QStringList &)
{
    const SettingsParse &file = ctx.settingsFile;
    if (!file.settings) {
        ctx.fail(file.error);
        return kDiffTrouble;
    }
    const SettingsRead camera = readAgreedSettings(*ctx.link);
    if (!camera.settings) {
        ctx.fail(QStringLiteral("camera %1: %2").arg(ctx.options.camera).arg(camera.error));
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
