// zam-camsim: a chain of simulated cameras on a pseudo-terminal.
//
// Prints the device path on its first line, then one line per packet it
// receives, in hexadecimal. The panel opens the path like any serial port.

#include "camerachain.h"

#include <QCommandLineParser>
#include <QCoreApplication>
#include <QFile>
#include <QTextStream>
#include <clock.h>
#include <portlist.h>

#include <csignal>
#include <cstdio>
#include <fcntl.h>
#include <poll.h>
#include <termios.h>
#include <unistd.h>

namespace {

volatile std::sig_atomic_t g_stop = 0;
void onSignal(int) { g_stop = 1; }

QString hexSpacedLine(const QByteArray &b)
{
    return QString::fromLatin1(b.toHex(' ').toUpper());
}

} // namespace

int main(int argc, char **argv)
{
    QCoreApplication app(argc, argv);
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
    const QCommandLineOption models({QStringLiteral("m"), QStringLiteral("models")},
                                    QStringLiteral("Hexadecimal model codes, one per camera (default 30)."),
                                    QStringLiteral("CODES"), QStringLiteral("30"));
    const QCommandLineOption baud({QStringLiteral("b"), QStringLiteral("baud")},
                                  QStringLiteral("Line speed for the reply timing: 9600, 19200 or 38400."),
                                  QStringLiteral("BPS"), QStringLiteral("9600"));
    const QCommandLineOption link(QStringLiteral("link"),
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
    const QCommandLineOption netChange(QStringLiteral("network-change"),
                                       QStringLiteral("Send one network-change notice before the first reply."));
    const QCommandLineOption split(QStringLiteral("split"), QStringLiteral("Send replies in pieces."));
    const QCommandLineOption slow(QStringLiteral("slow"), QStringLiteral("Extra camera time per reply."),
                                  QStringLiteral("MS"), QStringLiteral("0"));
    const QCommandLineOption quiet({QStringLiteral("q"), QStringLiteral("quiet")},
                                   QStringLiteral("Print only the device path."));
    cli.addOptions({cameras, models, baud, link, silent, silentAfter, garbage, errors, netChange,
                    split, slow, quiet});
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

    const int master = posix_openpt(O_RDWR | O_NOCTTY);
    if (master < 0 || grantpt(master) != 0 || unlockpt(master) != 0) {
        std::perror("zam-camsim: pseudo-terminal");
        return 1;
    }
    const QString slavePath = QString::fromLocal8Bit(ptsname(master));
    // Hold the far end open in raw mode: no echo or translation before the
    // panel opens it, and no hang-up when the panel closes it.
    const int slave = ::open(ptsname(master), O_RDWR | O_NOCTTY);
    if (slave >= 0) {
        termios t{};
        tcgetattr(slave, &t);
        cfmakeraw(&t);
        tcsetattr(slave, TCSANOW, &t);
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

    std::printf("%s\n", qPrintable(slavePath));
    std::fflush(stdout);
    const bool verbose = !cli.isSet(quiet);

    zam::SteadyClock clock;
    zam::sim::LineSchedule line;
    line.setBaud(bps);
    qsizetype logged = 0;
    while (!g_stop) {
        const std::int64_t now = clock.nowMs();
        const QByteArray due = line.takeDue(now);
        if (!due.isEmpty() && ::write(master, due.constData(), size_t(due.size())) < 0)
            break;
        const std::int64_t next = line.nextArrivalMs();
        const int timeout = next < 0 ? 200 : int(std::max<std::int64_t>(0, next - clock.nowMs()));
        pollfd p{master, POLLIN, 0};
        const int r = ::poll(&p, 1, timeout);
        if (r > 0 && (p.revents & POLLIN)) {
            char buf[512];
            const ssize_t n = ::read(master, buf, sizeof buf);
            if (n > 0) {
                const QByteArray in(buf, n);
                // The cameras act once the packet's last byte has crossed the line.
                const std::int64_t t = clock.nowMs() + (n * line.byteUs() + 999) / 1000;
                line.schedule(chain.feed(in, t), t);
                if (verbose) {
                    const auto &rx = chain.received();
                    for (; logged < rx.size(); ++logged)
                        std::printf("%s\n", qPrintable(hexSpacedLine(rx[logged])));
                    std::fflush(stdout);
                }
            }
        }
    }
    if (!linkPath.isEmpty())
        QFile::remove(linkPath);
    if (slave >= 0)
        ::close(slave);
    ::close(master);
    return 0;
}
