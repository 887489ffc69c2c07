// zam-camsim: a chain of simulated cameras on a pseudo-terminal.
//
// Prints the device path on its first line, then one line per packet it
// receives, in hexadecimal. The panel opens the path like any serial port.

#include "camerachain.h"

#include <QCommandLineParser>
#include <QCoreApplication>
#include <QFile>
#include <QTextStream>
#include <algorithm>
#include <cctype>
#include <clock.h>
#include <hexfield.h>

#include <arpa/inet.h>
#include <csignal>
#include <cstdio>
#include <fcntl.h>
#include <netinet/in.h>
#include <netinet/tcp.h>
#include <poll.h>
#include <sys/socket.h>
#include <termios.h>
#include <unistd.h>

namespace {

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

int baudOf(speed_t s)
{
    switch (s) {
    case B9600:
        return 9600;
    case B19200:
        return 19200;
    case B38400:
        return 38400;
    default:
        return 0;
    }
}

int listenTcp(const QString &host, int port)
{
    if (port <= 0 || port > 65535)
        return -1;
    const int fd = ::socket(AF_INET, SOCK_STREAM, 0);
    if (fd < 0)
        return -1;
    const int one = 1;
    setsockopt(fd, SOL_SOCKET, SO_REUSEADDR, &one, sizeof one);
    sockaddr_in a{};
    a.sin_family = AF_INET;
    a.sin_port = htons(quint16(port));
    if (inet_pton(AF_INET, qPrintable(host), &a.sin_addr) != 1 ||
        ::bind(fd, reinterpret_cast<sockaddr *>(&a), sizeof a) != 0 || ::listen(fd, 2) != 0) {
        ::close(fd);
        return -1;
    }
    return fd;
}

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
    const QCommandLineOption quiet({QStringLiteral("q"), QStringLiteral("quiet")},
                                   QStringLiteral("Print only the device path."));
    cli.addOptions({cameras, models, baud, link, silent, silentAfter, garbage, errors, netChange,
                    burstBefore, burstBytes, burstTimes, split, slow, tcp, tcpHost, lineBaud,
                    quiet});
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
    int tcpListener = -1;
    if (cli.isSet(tcp)) {
        tcpListener = listenTcp(cli.value(tcpHost), cli.value(tcp).toInt());
        if (tcpListener < 0) {
            std::fprintf(stderr, "zam-camsim: cannot listen on %s:%s\n",
                         qPrintable(cli.value(tcpHost)), qPrintable(cli.value(tcp)));
            return 1;
        }
    }

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
    std::signal(SIGUSR1, onPowerCycle);

    std::printf("%s\n", qPrintable(slavePath));
    std::fflush(stdout);
    const bool verbose = !cli.isSet(quiet);

    zam::SteadyClock clock;
    // Each way into the chain (the pseudo-terminal, a TCP client) has its own
    // line back to the panel.
    struct Endpoint {
        int fd = -1;
        zam::sim::LineSchedule line;
        bool tty = false;
    };
    Endpoint pty;
    pty.fd = master;
    pty.tty = true;
    pty.line.setBaud(bps);
    Endpoint client;
    client.line.setBaud(bps);
    const int listener = tcpListener;
    qsizetype logged = 0;

    const auto serve = [&](Endpoint &ep) {
        char buf[512];
        const ssize_t n = ::read(ep.fd, buf, sizeof buf);
        if (n <= 0)
            return false;
        if (ep.tty) {
            // The panel's port speed, as it set the line: at another speed than
            // the cameras' a real chain sees only garbled bytes.
            termios t{};
            if (tcgetattr(ep.fd, &t) == 0)
                chain.setPanelBaud(baudOf(cfgetospeed(&t)));
        } else {
            chain.setPanelBaud(0);
        }
        // The cameras act once the packet's last byte has crossed the line.
        const std::int64_t t = clock.nowMs() + (n * ep.line.byteUs() + 999) / 1000;
        ep.line.schedule(chain.feed(QByteArray(buf, n), t), t);
        if (verbose) {
            const auto &rx = chain.received();
            for (; logged < rx.size(); ++logged)
                std::printf("%s\n", qPrintable(hexSpacedLine(rx[logged])));
            std::fflush(stdout);
        }
        return true;
    };
    const auto flush = [&](Endpoint &ep) {
        if (ep.fd < 0)
            return;
        const QByteArray due = ep.line.takeDue(clock.nowMs());
        if (!due.isEmpty() && ::write(ep.fd, due.constData(), size_t(due.size())) < 0 && !ep.tty) {
            ::close(ep.fd);
            ep.fd = -1;
            ep.line.clear();
        }
    };

    while (!g_stop) {
        if (g_powerCycle) {
            g_powerCycle = 0;
            const int now = chain.powerCycle();
            if (now) {
                pty.line.setBaud(now);
                client.line.setBaud(now);
            }
            std::printf("power cycle: line speed %s\n",
                        now ? qPrintable(QString::number(now)) : "any");
            std::fflush(stdout);
        }
        flush(pty);
        flush(client);
        std::int64_t next = -1;
        for (const Endpoint *ep : {&pty, &client}) {
            const std::int64_t a = ep->fd >= 0 ? ep->line.nextArrivalMs() : -1;
            if (a >= 0 && (next < 0 || a < next))
                next = a;
        }
        const int timeout = next < 0 ? 200 : int(std::max<std::int64_t>(0, next - clock.nowMs()));
        pollfd p[3] = {{pty.fd, POLLIN, 0}, {listener, POLLIN, 0}, {client.fd, POLLIN, 0}};
        if (::poll(p, 3, timeout) <= 0)
            continue;
        if (p[0].revents & POLLIN)
            serve(pty);
        if (listener >= 0 && (p[1].revents & POLLIN)) {
            const int fd = ::accept(listener, nullptr, nullptr);
            if (fd >= 0) {
                if (client.fd >= 0)
                    ::close(client.fd); // one panel at a time: the newest wins
                client.fd = fd;
                client.line.clear();
                const int one = 1;
                setsockopt(fd, IPPROTO_TCP, TCP_NODELAY, &one, sizeof one);
            }
        }
        if (client.fd >= 0 && (p[2].revents & (POLLIN | POLLHUP | POLLERR)) && !serve(client)) {
            ::close(client.fd);
            client.fd = -1;
            client.line.clear();
        }
    }
    if (client.fd >= 0)
        ::close(client.fd);
    if (listener >= 0)
        ::close(listener);
    if (!linkPath.isEmpty())
        QFile::remove(linkPath);
    if (slave >= 0)
        ::close(slave);
    ::close(master);
    return 0;
}
