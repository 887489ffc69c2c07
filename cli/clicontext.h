#pragma once
// What every zam-ctl subcommand is handed: the line options, the opened and
// started camera link (or the control API's hub that holds the line), and
// the two output streams.

#include <QMap>
#include <QString>
#include <QStringList>
#include <QTextStream>
#include <cameralink.h>
#include <clock.h>
#include <functional>
#include <memory>
#include <optional>
#include <settingsjson.h>

namespace zam::api {
class ApiClient;
}

namespace zam::cli {

// Exit statuses of the tool.
enum Exit : int {
    kExitOk = 0,
    kExitFailed = 1, // the line or the camera failed
    kExitUsage = 2,  // the command line is wrong
};

struct LineOptions {
    QString device; // -p: a serial device or tcp://HOST:PORT
    int baud = 9600;
    int camera = 1;
    bool init = true; // false with --no-init: no line check, no chain numbering
    // --api-token-file: the control API's token (serve: what clients must
    // say; -p ws://: what to say to the hub).
    QString tokenFile;
};

struct CliContext {
    QTextStream &out;
    QTextStream &err;
    Clock &clock;
    // Makes the port for a device name (a serial device or tcp://).
    std::function<std::unique_ptr<Port>(const QString &device)> makeLine;
    LineOptions options;
    // The link to options.device, opened at options.baud and, unless
    // --no-init, line-checked with the chain numbered; its CameraAddress is
    // options.camera. Null for subcommands that do not use the line.
    CameraLink *link = nullptr;
    // Cameras the numbering found; nullopt with --no-init.
    std::optional<int> cameraCount;
    // The subcommand's own flags that were given, by long name ("json").
    QStringList flags;
    // The values of the subcommand's flags that take one, by long name.
    QMap<QString, QString> values;
    // The settings file of load and diff, read once by the subcommand's
    // check before the line is opened.
    SettingsFileRead settingsFile;
    // With -p ws://HOST:PORT: the connected hub, in place of the link.
    api::ApiClient *hub = nullptr;

    bool flag(const QString &name) const { return flags.contains(name); }
    // One line "zam-ctl: message" on stderr; answers kExitFailed.
    int fail(const QString &message);
    // The same for a wrong command line; answers kExitUsage.
    int usageError(const QString &message);
};

} // namespace zam::cli
