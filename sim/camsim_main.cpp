// zam-camsim: a chain of simulated cameras on a pseudo-terminal (and, with
// --tcp, on a TCP port).
//
// Prints the device path on its first line, then one line per packet it
// receives, in hexadecimal. The panel opens the path like any serial port.
// main() reads the options into the chain and its faults; camsimserver.h
// serves the chain.

#include "camerachain.h"
#include "camsimserver.h"

#include <QCommandLineParser>
#include <QDir>
#include <QFile>
#include <QGuiApplication>
#include <algorithm>
#include <cctype>
#include <hexfield.h>

#include <csignal>
#include <cstdio>
#include <cstring>
#include <memory>

namespace {

// Drawing the pictures needs Qt Gui (fonts for the titles), which runs
// without a display on its offscreen platform.
std::unique_ptr<QCoreApplication> makeApp(int &argc, char **argv)
{
    for (int i = 1; i < argc; ++i) {
        if (std::strncmp(argv[i], "--picture", 9) == 0) {
            if (!qEnvironmentVariableIsSet("QT_QPA_PLATFORM"))
                qputenv("QT_QPA_PLATFORM", "offscreen");
            return std::make_unique<QGuiApplication>(argc, argv);
        }
    }
    return std::make_unique<QCoreApplication>(argc, argv);
}

volatile std::sig_atomic_t g_stop = 0;
volatile std::sig_atomic_t g_powerCycle = 0;
void onSignal(int)
{
    g_stop = 1;
}
void onPowerCycle(int)
{
    g_powerCycle = 1;
}

} // namespace

int main(int argc, char **argv)
{
    const std::unique_ptr<QCoreApplication> appHolder = makeApp(argc, argv);
    QCoreApplication &app = *appHolder;
    QCoreApplication::setApplicationName(QStringLiteral("zam-camsim"));
    QCoreApplication::setApplicationVersion(QStringLiteral(ZAM_VERSION));

    QCommandLineParser cli;
    cli.setApplicationDescription(
        QStringLiteral("Serves a chain of simulated ZAM cameras on a pseudo-terminal."));
    cli.addHelpOption();
    cli.addVersionOption();
    const QCommandLineOption cameras({QStringLiteral("c"), QStringLiteral("cameras")},
                                     QStringLiteral("Cameras on the chain, 1..7 (default 2)."),
                                     QStringLiteral("N"), QStringLiteral("2"));
    const QCommandLineOption models(
        {QStringLiteral("m"), QStringLiteral("models")},
        QStringLiteral("Hexadecimal model codes, one per camera (default 30)."),
        QStringLiteral("CODES"), QStringLiteral("30"));
    const QCommandLineOption baud(
        {QStringLiteral("b"), QStringLiteral("baud")},
        QStringLiteral("Line speed for the reply timing: 9600, 19200 or 38400."),
        QStringLiteral("BPS"), QStringLiteral("9600"));
    const QCommandLineOption link(
        QStringLiteral("link"),
        QStringLiteral("Also make PATH a symbolic link to the pseudo-terminal."),
        QStringLiteral("PATH"));
    const QCommandLineOption silent(QStringLiteral("silent"), QStringLiteral("Answer nothing."));
    const QCommandLineOption silentAfter(QStringLiteral("silent-after"),
                                         QStringLiteral("Answer N packets, then fall silent."),
                                         QStringLiteral("N"));
    const QCommandLineOption garbage(QStringLiteral("garbage"),
                                     QStringLiteral("Send random bytes before every reply."));
    const QCommandLineOption errors(QStringLiteral("errors"),
                                    QStringLiteral("Answer every command with an error reply."));
    const QCommandLineOption netChange(
        QStringLiteral("network-change"),
        QStringLiteral("Send one network-change notice before the first reply."));
    const QCommandLineOption burstBefore(
        QStringLiteral("burst-before"),
        QStringLiteral("Put stray bytes on the line ahead of the reply to the packet that starts "
                       "with these hexadecimal bytes (as sent, e.g. 81097E7E00)."),
        QStringLiteral("HEX"));
    const QCommandLineOption burstBytes(QStringLiteral("burst-bytes"),
                                        QStringLiteral("Stray bytes per burst (default 16)."),
                                        QStringLiteral("N"), QStringLiteral("16"));
    const QCommandLineOption burstTimes(QStringLiteral("burst-times"),
                                        QStringLiteral("How many replies get a burst (default 1)."),
                                        QStringLiteral("N"), QStringLiteral("1"));
    const QCommandLineOption split(QStringLiteral("split"),
                                   QStringLiteral("Send replies in pieces."));
    const QCommandLineOption slow(QStringLiteral("slow"),
                                  QStringLiteral("Extra camera time per reply."),
                                  QStringLiteral("MS"), QStringLiteral("0"));
    const QCommandLineOption tcp(
        QStringLiteral("tcp"),
        QStringLiteral("Also serve the chain on this TCP port, as a serial device server would."),
        QStringLiteral("PORT"));
    const QCommandLineOption tcpHost(
        QStringLiteral("tcp-host"),
        QStringLiteral("Address to listen on for --tcp (default 127.0.0.1)."),
        QStringLiteral("ADDRESS"), QStringLiteral("127.0.0.1"));
    const QCommandLineOption lineBaud(
        QStringLiteral("strict-baud"),
        QStringLiteral("Answer only a panel whose port is set to --baud. "
                       "SIGUSR1 power-cycles the cameras: a line speed "
                       "written into their EEPROM then applies."));
    const QCommandLineOption picture(
        QStringLiteral("picture"),
        QStringLiteral("Keep DIR/camera-N.png current with each camera's picture "
                       "(written at most 10 times a second, when it changed)."),
        QStringLiteral("DIR"));
    const QCommandLineOption quiet({QStringLiteral("q"), QStringLiteral("quiet")},
                                   QStringLiteral("Print only the device path."));
    cli.addOptions({cameras, models, baud, link, silent, silentAfter, garbage, errors, netChange,
                    burstBefore, burstBytes, burstTimes, split, slow, tcp, tcpHost, lineBaud,
                    picture, quiet});
    cli.process(app);

    QList<int> codes;
    if (!zam::parseModelCodes(cli.value(models), codes) || codes.isEmpty()) {
        std::fprintf(stderr, "zam-camsim: bad model codes '%s'\n", qPrintable(cli.value(models)));
        return 2;
    }
    const int bps = cli.value(baud).toInt();
    if (bps != 9600 && bps != 19200 && bps != 38400) {
        std::fprintf(stderr, "zam-camsim: speed must be 9600, 19200 or 38400\n");
        return 2;
    }

    zam::sim::CameraChain chain(cli.value(cameras).toInt(), codes);
    auto &f = chain.faults();
    f.silent = cli.isSet(silent);
    if (cli.isSet(silentAfter))
        f.silentAfter = cli.value(silentAfter).toInt();
    f.garbage = cli.isSet(garbage);
    f.errorReplies = cli.isSet(errors);
    f.networkChange = cli.isSet(netChange);
    f.splitReplies = cli.isSet(split);
    f.slowMs = cli.value(slow).toInt();
    if (cli.isSet(burstBefore)) {
        bool bytesOk = false;
        bool timesOk = false;
        const QString hex = cli.value(burstBefore).remove(QLatin1Char(' '));
        f.burstBefore.packet = QByteArray::fromHex(hex.toLatin1());
        f.burstBefore.bytes = cli.value(burstBytes).toInt(&bytesOk);
        f.burstBefore.times = cli.value(burstTimes).toInt(&timesOk);
        const bool hexOk =
            !hex.isEmpty() && hex.size() % 2 == 0 &&
            std::all_of(hex.begin(), hex.end(), [](QChar c) { return isxdigit(c.toLatin1()); });
        if (!hexOk || !bytesOk || !timesOk || f.burstBefore.bytes < 1 ||
            f.burstBefore.bytes > 1024 || f.burstBefore.times < 0) {
            std::fprintf(stderr, "zam-camsim: --burst-before needs hexadecimal bytes, "
                                 "--burst-bytes 1..1024 and --burst-times 0 or more\n");
            return 2;
        }
    }

    if (cli.isSet(lineBaud)) {
        chain.lineBaud = bps;
        for (int a = 1; a <= chain.cameraCount(); ++a)
            chain.camera(a).service().lineBaud = bps;
    }
    zam::sim::CamsimServer server(chain, bps, !cli.isSet(quiet));
    if (cli.isSet(tcp) && !server.listenTcp(cli.value(tcpHost), cli.value(tcp).toInt())) {
        std::fprintf(stderr, "zam-camsim: cannot listen on %s:%s\n", qPrintable(cli.value(tcpHost)),
                     qPrintable(cli.value(tcp)));
        return 1;
    }
    if (cli.isSet(picture)) {
        const QString dir = cli.value(picture);
        if (dir.isEmpty() || !QDir().mkpath(dir)) {
            std::fprintf(stderr, "zam-camsim: cannot use picture directory '%s'\n",
                         qPrintable(dir));
            return 2;
        }
        server.keepPictures(dir);
    }
    const QString slavePath = server.openPty();
    if (slavePath.isEmpty()) {
        std::perror("zam-camsim: pseudo-terminal");
        return 1;
    }
    QString linkPath;
    if (cli.isSet(link)) {
        linkPath = cli.value(link);
        QFile::remove(linkPath);
        if (!QFile::link(slavePath, linkPath)) {
            std::fprintf(stderr, "zam-camsim: cannot create link %s\n", qPrintable(linkPath));
            return 1;
        }
    }
    std::signal(SIGINT, onSignal);
    std::signal(SIGTERM, onSignal);
    std::signal(SIGPIPE, SIG_IGN);
    std::signal(SIGUSR1, onPowerCycle);

    std::printf("%s\n", qPrintable(slavePath));
    std::fflush(stdout);
    server.run(g_stop, g_powerCycle);
    if (!linkPath.isEmpty())
        QFile::remove(linkPath);
    return 0;
}
