#pragma once
// The subcommands of zam-ctl: one table, read by the option parser, the help
// texts and the dispatcher. A new subcommand is one row and one handler.

#include "clicontext.h"

#include <settingsio.h>

#include <QList>
#include <QString>
#include <QStringList>
#include <functional>

namespace zam::cli {

// A handler gets the context and the subcommand's positional arguments (its
// flags are in CliContext::flags) and answers the exit status.
using Handler = std::function<int(CliContext &, const QStringList &args)>;
// Checks the positional arguments before the line is opened: answers why they
// are wrong (a usage error), or an empty text. What it read for the handler
// (a settings file) it keeps in the context.
using ArgsCheck = std::function<QString(CliContext &, const QStringList &args)>;

// What the dispatcher prepares before the handler runs.
enum class LineUse {
    None,   // nothing: the handler needs no port
    Device, // a port must be named; the handler opens it itself
    Link,   // the link is opened and started (CliContext::link)
};

struct SubcommandFlag {
    QString name; // long name, given as --name
    QString help;
    QString valueName = {}; // empty: a switch; else --name VALUE
};

struct Subcommand {
    QString name;
    QString synopsis; // arguments after the name: "[--json]", "HEX..."
    QString summary;  // one line in the tool's help
    QString details;  // the rest of `zam-ctl NAME --help`; may be empty
    QList<SubcommandFlag> flags;
    LineUse line = LineUse::None;
    int minArgs = 0;
    int maxArgs = 0; // -1: no limit
    Handler handler;
    ArgsCheck check = {}; // may be empty
    // The exit status when the line or the camera fails (diff: 2, as diff(1)).
    int troubleExit = kExitFailed;
    // The handler with -p ws://HOST:PORT (CliContext::hub); empty: the
    // subcommand needs a line, and noHub says why.
    Handler viaHub = {};
    QString noHub = {};
};

const QList<Subcommand> &subcommands();
const Subcommand *findSubcommand(const QString &name);

// The handlers.
int runPorts(CliContext &ctx, const QStringList &args);
int runDetect(CliContext &ctx, const QStringList &args);
int runStatus(CliContext &ctx, const QStringList &args);
int runSend(CliContext &ctx, const QStringList &args);
int runSave(CliContext &ctx, const QStringList &args);
int runLoad(CliContext &ctx, const QStringList &args);
int runDiff(CliContext &ctx, const QStringList &args);
int runDoctor(CliContext &ctx, const QStringList &args);
int runServe(CliContext &ctx, const QStringList &args);
// The same through the control API's hub.
int runStatusViaHub(CliContext &ctx, const QStringList &args);
int runSendViaHub(CliContext &ctx, const QStringList &args);
int runSaveViaHub(CliContext &ctx, const QStringList &args);
int runLoadViaHub(CliContext &ctx, const QStringList &args);
int runDiffViaHub(CliContext &ctx, const QStringList &args);
// The settings in which the camera differs from a file, leaving out those it
// was still moving through.
QList<SettingDifference> settledDifferences(const CameraSettings &file, const SettingsRead &camera);
// Why the settings file named first cannot be read (empty: it reads, and
// ctx.settingsFile holds it).
QString checkSettingsFile(CliContext &ctx, const QStringList &args);
// Why a settings file cannot be written where the first argument says.
QString checkSaveTarget(CliContext &ctx, const QStringList &args);

} // namespace zam::cli
