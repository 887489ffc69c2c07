#include "subcommands.h"

#include "packettext.h"

namespace zam::cli {

const QList<Subcommand> &subcommands()
{
    static const QList<Subcommand> table{
        {QStringLiteral("ports"),
         QString(),
         QStringLiteral("List the serial devices."),
         QStringLiteral("Prints one device a line: its name for -p, then its description."),
         {},
         LineUse::None,
         0,
         0,
         runPorts},
        {QStringLiteral("detect"),
         QString(),
         QStringLiteral("Find the line speed, number the chain and name each camera."),
         QStringLiteral("Tries 9600, 19200 and 38400 bit/s with the interface clear, numbers the\n"
                        "chain at the speed that answered and asks every camera for its model.\n"
                        "-b and --no-init do not apply."),
         {},
         LineUse::Device,
         0,
         0,
         runDetect,
         {},
         kExitFailed,
         {},
         QStringLiteral("detect numbers the chain on the line itself (through the control API, "
                        "status -c N names a camera's model)")},
        {QStringLiteral("doctor"),
         QStringLiteral("[--json]"),
         QStringLiteral("Check the ports, the permissions and the line, and say how to fix them."),
         QStringLiteral("Without -p, checks every serial device the system reports; with -p, that\n"
                        "device or tcp://HOST:PORT. For a serial device: its stable name under\n"
                        "/dev/serial/by-id, whether you may open it (with the usermod line that\n"
                        "fixes it), whether a lock file or another process holds it; then the\n"
                        "line check at 9600, 19200 and 38400 bit/s, the chain numbering and each\n"
                        "camera's model. For tcp://: the name's resolution, the connect time and\n"
                        "the line check; an accepted connection that never answers is named as a\n"
                        "possible stale session on the device server. One line a finding, a fix\n"
                        "under each problem. Exit status 0 when all is well, 1 when a problem\n"
                        "was found. -b, -c and --no-init do not apply."),
         {{QStringLiteral("json"), QStringLiteral("Print the findings as one JSON object.")}},
         LineUse::None,
         0,
         0,
         runDoctor,
         {},
         kExitFailed,
         {},
         QStringLiteral("doctor checks serial devices and device servers (through the control "
                        "API, status shows whether the hub answers)")},
        {QStringLiteral("status"),
         QStringLiteral("[--json]"),
         QStringLiteral("Read the camera's status and print it decoded."),
         QStringLiteral("Reads the version, lens, camera, other and extended blocks of the camera\n"
                        "given with -c and prints every field: the panel's caption where it has\n"
                        "one, and the raw value."),
         {{QStringLiteral("json"), QStringLiteral("Print one JSON object.")}},
         LineUse::Link,
         0,
         0,
         runStatus,
         {},
         kExitFailed,
         runStatusViaHub},
        {QStringLiteral("send"),
         QStringLiteral("HEX..."),
         QStringLiteral("Send one packet and print the camera's replies."),
         QStringLiteral("The packet is given in hexadecimal, header to FF, spaces optional:\n"
                        "  zam-ctl -p /dev/ttyUSB0 send 81 01 04 07 02 FF\n"
                        "  zam-ctl -p /dev/ttyUSB0 send 8101040702FF\n"
                        "Every reply is printed with its meaning until the completion or an\n"
                        "error, or until the camera has been silent for 1 s. A reply from\n"
                        "another camera, or after the finishing one, is marked unsolicited.\n"
                        "An error reply, and an inquiry reply whose length does not fit the\n"
                        "inquiry (\"malformed\"), exit with status 1."),
         {},
         LineUse::Link,
         1,
         -1,
         runSend,
         [](CliContext &, const QStringList &args) {
             QString why;
             parsePacketText(args, why);
             return why;
         },
         kExitFailed,
         runSendViaHub},
        {QStringLiteral("save"),
         QStringLiteral("FILE"),
         QStringLiteral("Save the camera's settings to a file."),
         QStringLiteral("Reads the camera's status and its 16-byte memory and writes them as a\n"
                        "camera settings file (the README gives its keys). FILE - is stdout.\n"
                        "FILE must be a regular file or absent: a FIFO or a device is refused."),
         {},
         LineUse::Link,
         1,
         1,
         runSave,
         checkSaveTarget,
         kExitFailed,
         runSaveViaHub},
        {QStringLiteral("load"),
         QStringLiteral("FILE [--dry-run]"),
         QStringLiteral("Load a settings file onto the camera."),
         QStringLiteral("Sends the file's settings with the packets of the panel's controls, a\n"
                        "mode before the values it gates, each awaiting its completion; the\n"
                        "progress goes to stderr. Settings the camera's model lacks are skipped\n"
                        "and named. Ends with a status read and names every setting that did\n"
                        "not take (exit status 1). A file that cannot be read is a usage error.\n"
                        "FILE - is stdin."),
         {{QStringLiteral("dry-run"),
           QStringLiteral("Print the packets a load would send, and send none.")}},
         LineUse::Link,
         1,
         1,
         runLoad,
         checkSettingsFile,
         kExitFailed,
         runLoadViaHub},
        {QStringLiteral("diff"),
         QStringLiteral("FILE"),
         QStringLiteral("List the settings in which the camera differs from a file."),
         QStringLiteral("One line a setting: its name, the file's value, the camera's value.\n"
                        "Exit status as diff(1): 0 the same, 1 different, 2 trouble. FILE - is\n"
                        "stdin."),
         {},
         LineUse::Link,
         1,
         1,
         runDiff,
         checkSettingsFile,
         2,
         runDiffViaHub},
        {QStringLiteral("serve"),
         QStringLiteral("[--api [HOST:]PORT] [--osc [HOST:]PORT]"),
         QStringLiteral("Own the line and serve the control API to other programs."),
         QStringLiteral(
             "Opens the line, checks it and numbers the chain, then serves the control API\n"
             "(WebSocket, JSON; and with --osc OSC over UDP, one hub for both;\n"
             "docs/api.md) until it is stopped with Ctrl+C or SIGTERM. It listens on\n"
             "loopback unless HOST names another address, which needs a token:\n"
             "--api-token-file (WebSocket clients must say it first, OSC addresses carry\n"
             "it: /zam/TOKEN/...), or one generated and printed once.\n"
             "  zam-ctl -p /dev/ttyUSB0 serve --api 8765\n"
             "  zam-ctl -p /dev/ttyUSB0 serve --osc 9000"),
         {{QStringLiteral("api"), QStringLiteral("Where to listen for WebSockets: [HOST:]PORT."),
           QStringLiteral("[HOST:]PORT")},
          {QStringLiteral("osc"), QStringLiteral("Where to take OSC datagrams: [HOST:]PORT."),
           QStringLiteral("[HOST:]PORT")},
          {QStringLiteral("api-allow-origin"),
           QStringLiteral("Take handshakes from this web page origin (comma-separated)."),
           QStringLiteral("ORIGIN")},
          {QStringLiteral("api-allow-raw"), QStringLiteral("Take raw packets from clients.")}},
         LineUse::Link,
         0,
         0,
         runServe,
         [](CliContext &ctx, const QStringList &) {
             return ctx.values.contains(QStringLiteral("api")) ||
                            ctx.values.contains(QStringLiteral("osc"))
                        ? QString()
                        : QStringLiteral("--api [HOST:]PORT, --osc [HOST:]PORT or both are needed");
         },
         kExitFailed,
         {},
         QStringLiteral("serve owns a line itself; it cannot serve the line another hub holds")},
    };
    return table;
}

const Subcommand *findSubcommand(const QString &name)
{
    for (const Subcommand &s : subcommands())
        if (s.name == name)
            return &s;
    return nullptr;
}

} // namespace zam::cli
