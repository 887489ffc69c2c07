#include "zamctl.h"

#include "hubcommands.h"
#include "subcommands.h"

#include <QCommandLineParser>
#include <chainstartup.h>
#include <portfactory.h>

#include <memory>

namespace zam::cli {

namespace {

struct CommonOptions {
    QCommandLineOption port{
        {QStringLiteral("p"), QStringLiteral("port")},
        QStringLiteral("Serial device, tcp://HOST:PORT of a serial device server, or "
                       "ws://HOST:PORT of the control API (of the panel or zam-ctl serve)."),
        QStringLiteral("DEVICE")};
    QCommandLineOption baud{{QStringLiteral("b"), QStringLiteral("baud")},
                            QStringLiteral("Line speed: 9600, 19200 or 38400 (default 9600)."),
                            QStringLiteral("BPS")};
    QCommandLineOption camera{{QStringLiteral("c"), QStringLiteral("camera")},
                              QStringLiteral("Camera on the chain, 1..7 (default 1)."),
                              QStringLiteral("N")};
    QCommandLineOption noInit{QStringLiteral("no-init"),
                              QStringLiteral("Skip the line check and the chain numbering.")};
    QCommandLineOption tokenFile{
        QStringLiteral("api-token-file"),
        QStringLiteral("The control API's token, in FILE's first line: what clients must say "
                       "(serve), or what to say to a ws:// hub (else $ZAM_API_TOKEN)."),
        QStringLiteral("FILE")};
    QCommandLineOption help{{QStringLiteral("h"), QStringLiteral("help")},
                            QStringLiteral("Show this help.")};
    QCommandLineOption version{QStringLiteral("version"), QStringLiteral("Show the version.")};

    QList<QCommandLineOption> all() const
    {
        return {port, baud, camera, noInit, tokenFile, help, version};
    }
};

void writeOptions(QTextStream &out, const QList<QCommandLineOption> &options)
{
    for (const QCommandLineOption &o : options) {
        QStringList names;
        for (const QString &n : o.names())
            names << (n.size() == 1 ? QStringLiteral("-") : QStringLiteral("--")) + n;
        QString left = names.join(QStringLiteral(", "));
        if (!o.valueName().isEmpty())
            left += QLatin1Char(' ') + o.valueName();
        out << "  " << left.leftJustified(26) << ' ' << o.description() << '\n';
    }
}

void writeToolHelp(QTextStream &out, const CommonOptions &common)
{
    out << "Usage: zam-ctl [options] SUBCOMMAND [ARGS]\n"
           "Drives a ZAM camera of a daisy chain over a serial line or a serial device server,\n"
           "or through the control API of the panel (or zam-ctl serve) that holds the line.\n\n"
           "Options:\n";
    writeOptions(out, common.all());
    out << "\nSubcommands:\n";
    for (const Subcommand &s : subcommands())
        out << "  " << s.name.leftJustified(10) << ' ' << s.summary << '\n';
    out << "\n`zam-ctl SUBCOMMAND --help` tells more about one subcommand.\n"
           "Exit status: 0 success, 1 the line or the camera failed, 2 a usage error.\n";
    out.flush();
}

QList<QCommandLineOption> flagOptions(const Subcommand &sub)
{
    QList<QCommandLineOption> list;
    for (const SubcommandFlag &f : sub.flags)
        list << QCommandLineOption(f.name, f.help, f.valueName);
    return list;
}

void writeSubcommandHelp(QTextStream &out, const Subcommand &sub, const CommonOptions &common)
{
    out << "Usage: zam-ctl [options] " << sub.name;
    if (!sub.synopsis.isEmpty())
        out << ' ' << sub.synopsis;
    out << "\n" << sub.summary << '\n';
    if (!sub.details.isEmpty())
        out << '\n' << sub.details << '\n';
    if (!sub.flags.isEmpty()) {
        out << "\nFlags:\n";
        writeOptions(out, flagOptions(sub));
    }
    out << "\nOptions:\n";
    writeOptions(out, common.all());
    out.flush();
}

// The common options given in either part of the command line; the part
// after the subcommand wins.
bool readLineOptions(const QCommandLineParser &before, const QCommandLineParser &after,
                     const CommonOptions &common, LineOptions &options, QString &why)
{
    const auto value = [&](const QCommandLineOption &o) {
        return after.isSet(o) ? after.value(o) : before.value(o);
    };
    const auto given = [&](const QCommandLineOption &o) {
        return after.isSet(o) || before.isSet(o);
    };

    options.device = value(common.port);
    if (given(common.baud)) {
        bool ok = false;
        options.baud = value(common.baud).toInt(&ok);
        if (!ok || (options.baud != 9600 && options.baud != 19200 && options.baud != 38400)) {
            why = QStringLiteral("the speed must be 9600, 19200 or 38400, not '%1'")
                      .arg(value(common.baud));
            return false;
        }
    }
    if (given(common.camera)) {
        bool ok = false;
        options.camera = value(common.camera).toInt(&ok);
        if (!ok || options.camera < 1 || options.camera > kMaxChainCameras) {
            why = QStringLiteral("the camera must be 1..7, not '%1'").arg(value(common.camera));
            return false;
        }
    }
    options.init = !given(common.noInit);
    options.tokenFile = value(common.tokenFile);
    return true;
}

// Opens the line and, unless --no-init, checks it and numbers the chain, as
// the panel does when it starts.
int startLine(CliContext &ctx, CameraLink &link)
{
    const LineOptions &o = ctx.options;
    const OpenResult opened = link.port().open({o.device, o.baud});
    if (!opened.ok())
        return ctx.fail(describeOpenFailure(opened, o.device));
    link.state().CameraAddress = o.camera;
    if (!o.init)
        return kExitOk;

    // Whatever a camera said while the line settled is not an answer.
    link.stopwatch().pause(0.5);
    link.discardInput();
    // Silence and bytes that make no reply are told apart.
    StartupTrouble trouble;
    const auto garbled = [&](const char *what) {
        return ctx.fail(QStringLiteral("the line on %1 at %2 bit/s answered with bytes that are "
                                       "not a reply: %3 to the %4")
                            .arg(o.device)
                            .arg(o.baud)
                            .arg(trouble.junkText(), QLatin1String(what)));
    };
    if (!lineCheck(link, &trouble)) {
        if (trouble.garbled())
            return garbled("interface clear");
        return ctx.fail(
            QStringLiteral("no reply to the interface clear on %1 at %2 bit/s: check the "
                           "camera's power, the cable, the port and the speed")
                .arg(o.device)
                .arg(o.baud));
    }
    const std::optional<int> count = numberChain(link, &trouble);
    if (!count) {
        if (trouble.garbled())
            return garbled("address set");
        return ctx.fail(
            QStringLiteral("no reply to the address set on %1: the chain could not be numbered")
                .arg(o.device));
    }
    ctx.cameraCount = *count;
    link.state().CameraCount = *count;
    if (o.camera > *count)
        return ctx.fail(QStringLiteral("camera %1 is not on the chain (%2 camera%3)")
                            .arg(o.camera)
                            .arg(*count)
                            .arg(*count == 1 ? QString() : QStringLiteral("s")));
    return kExitOk;
}

} // namespace

int runZamCtl(const QStringList &arguments, QTextStream &out, QTextStream &err, Clock &clock,
              const LineMaker &makeLine)
{
    const CommonOptions common;
    CliContext ctx{out, err,     clock,        makeLine ? makeLine : LineMaker(makeLinePort),
                   {},  nullptr, std::nullopt, {},
                   {},  {}};

    // The options before the subcommand; everything from the subcommand on is
    // left for its own parser.
    QCommandLineParser before;
    before.setOptionsAfterPositionalArgumentsMode(QCommandLineParser::ParseAsPositionalArguments);
    before.addOptions(common.all());
    if (!before.parse(arguments))
        return ctx.usageError(before.errorText());
    const QStringList rest = before.positionalArguments();
    if (rest.isEmpty()) {
        if (before.isSet(common.help)) {
            writeToolHelp(out, common);
            return kExitOk;
        }
        if (before.isSet(common.version)) {
            out << "zam-ctl " << ZAM_VERSION << Qt::endl;
            return kExitOk;
        }
        writeToolHelp(err, common);
        return kExitUsage;
    }
    const Subcommand *sub = findSubcommand(rest.first());
    if (!sub)
        return ctx.usageError(
            QStringLiteral("no subcommand '%1' (zam-ctl --help lists them)").arg(rest.first()));

    QCommandLineParser after;
    after.addOptions(common.all());
    after.addOptions(flagOptions(*sub));
    if (!after.parse(QStringList{arguments.value(0)} + rest.mid(1)))
        return ctx.usageError(QStringLiteral("%1: %2").arg(sub->name, after.errorText()));
    if (after.isSet(common.help) || before.isSet(common.help)) {
        writeSubcommandHelp(out, *sub, common);
        return kExitOk;
    }
    QString why;
    if (!readLineOptions(before, after, common, ctx.options, why))
        return ctx.usageError(why);
    for (const SubcommandFlag &f : sub->flags)
        if (after.isSet(f.name)) {
            ctx.flags << f.name;
            if (!f.valueName.isEmpty())
                ctx.values.insert(f.name, after.value(f.name));
        }
    const QStringList args = after.positionalArguments();
    if (args.size() < sub->minArgs || (sub->maxArgs >= 0 && args.size() > sub->maxArgs))
        return ctx.usageError(
            QStringLiteral("%1: wrong number of arguments (usage: zam-ctl [options] %1 %2)")
                .arg(sub->name, sub->synopsis)
                .trimmed());
    if (sub->check) {
        if (const QString why = sub->check(ctx, args); !why.isEmpty())
            return ctx.usageError(QStringLiteral("%1: %2").arg(sub->name, why));
    }
    // Through the control API -b and --no-init do not apply: the hub's owner
    // opened and numbered the line.
    if (isHubAddress(ctx.options.device))
        return runThroughHub(ctx, *sub, args);
    if (sub->line != LineUse::None && ctx.options.device.isEmpty())
        return ctx.usageError(
            QStringLiteral("%1 needs a port: -p DEVICE or -p tcp://HOST:PORT").arg(sub->name));
    if (sub->line != LineUse::Link)
        return sub->handler(ctx, args);

    const std::unique_ptr<Port> port = ctx.makeLine(ctx.options.device);
    CameraLink link(*port, clock);
    if (const int started = startLine(ctx, link); started != kExitOk) {
        link.port().close();
        return started == kExitFailed ? sub->troubleExit : started;
    }
    ctx.link = &link;
    const int status = sub->handler(ctx, args);
    link.port().close();
    return status;
}

} // namespace zam::cli
