#include "camsimserver.h"

#include "picturefiles.h"

#include <QByteArray>

#include <algorithm>
#include <arpa/inet.h>
#include <cerrno>
#include <cstdio>
#include <fcntl.h>
#include <netinet/in.h>
#include <netinet/tcp.h>
#include <poll.h>
#include <sys/socket.h>
#include <termios.h>
#include <unistd.h>

namespace zam::sim {

namespace {

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

QString hexSpacedLine(const QByteArray &b)
{
    return QString::fromLatin1(b.toHex(' ').toUpper());
}

// With nothing due, poll wakes this often to look at the signal flags.
constexpr int kIdlePollMs = 200;

} // namespace

CamsimServer::CamsimServer(CameraChain &chain, int baud, bool verbose)
    : m_chain(chain), m_verbose(verbose)
{
    m_pty.tty = true;
    m_pty.line.setBaud(baud);
    m_client.line.setBaud(baud);
}

CamsimServer::~CamsimServer()
{
    m_pictures.reset();
    for (const int fd : {m_client.fd, m_listener, m_ptySlave, m_pty.fd})
        if (fd >= 0)
            ::close(fd);
}

QString CamsimServer::openPty()
{
    const int master = posix_openpt(O_RDWR | O_NOCTTY);
    if (master < 0)
        return {};
    if (grantpt(master) != 0 || unlockpt(master) != 0) {
        const int why = errno;
        ::close(master);
        errno = why;
        return {};
    }
    m_pty.fd = master;
    const QString path = QString::fromLocal8Bit(ptsname(master));
    m_ptySlave = ::open(ptsname(master), O_RDWR | O_NOCTTY);
    if (m_ptySlave >= 0) {
        termios t{};
        tcgetattr(m_ptySlave, &t);
        cfmakeraw(&t);
        tcsetattr(m_ptySlave, TCSANOW, &t);
    }
    return path;
}

bool CamsimServer::listenTcp(const QString &host, int port)
{
    if (port <= 0 || port > 65535)
        return false;
    const int fd = ::socket(AF_INET, SOCK_STREAM, 0);
    if (fd < 0)
        return false;
    const int one = 1;
    setsockopt(fd, SOL_SOCKET, SO_REUSEADDR, &one, sizeof one);
    sockaddr_in a{};
    a.sin_family = AF_INET;
    a.sin_port = htons(quint16(port));
    if (inet_pton(AF_INET, qPrintable(host), &a.sin_addr) != 1 ||
        ::bind(fd, reinterpret_cast<sockaddr *>(&a), sizeof a) != 0 || ::listen(fd, 2) != 0) {
        ::close(fd);
        return false;
    }
    m_listener = fd;
    return true;
}

bool CamsimServer::serve(Endpoint &ep)
{
    char buf[512];
    const ssize_t n = ::read(ep.fd, buf, sizeof buf);
    if (n <= 0)
        return false;
    if (ep.tty) {
        // The panel's port speed, as it set the line: at another speed than
        // the cameras' a real chain sees only garbled bytes.
        termios t{};
        if (tcgetattr(ep.fd, &t) == 0)
            m_chain.setPanelBaud(baudOf(cfgetospeed(&t)));
    } else {
        m_chain.setPanelBaud(0);
    }
    const std::int64_t t = m_clock.nowMs() + (n * ep.line.byteUs() + 999) / 1000;
    ep.line.schedule(m_chain.feed(QByteArray(buf, n), t), t);
    if (m_verbose) {
        const auto &rx = m_chain.received();
        for (; m_logged < rx.size(); ++m_logged)
            std::printf("%s\n", qPrintable(hexSpacedLine(rx[m_logged])));
        std::fflush(stdout);
    }
    return true;
}

void CamsimServer::flush(Endpoint &ep)
{
    if (ep.fd < 0)
        return;
    const QByteArray due = ep.line.takeDue(m_clock.nowMs());
    if (!due.isEmpty() && ::write(ep.fd, due.constData(), size_t(due.size())) < 0 && !ep.tty)
        drop(ep);
}

void CamsimServer::drop(Endpoint &ep)
{
    ::close(ep.fd);
    ep.fd = -1;
    ep.line.clear();
}

void CamsimServer::accept()
{
    const int fd = ::accept(m_listener, nullptr, nullptr);
    if (fd < 0)
        return;
    if (m_client.fd >= 0)
        ::close(m_client.fd); // one panel at a time: the newest wins
    m_client.fd = fd;
    m_client.line.clear();
    const int one = 1;
    setsockopt(fd, IPPROTO_TCP, TCP_NODELAY, &one, sizeof one);
}

void CamsimServer::keepPictures(const QString &dir)
{
    m_pictures = std::make_unique<PictureFiles>(dir, m_chain.cameraCount());
}

// Writes the pictures that are due; answers the poll timeout, shortened to
// when the next one falls due.
int CamsimServer::updatePictures(int timeoutMs)
{
    if (!m_pictures)
        return timeoutMs;
    QString error;
    const std::int64_t again = m_pictures->update(m_chain, m_clock.nowMs(), &error);
    if (!error.isEmpty() && !m_pictureErrorShown) {
        m_pictureErrorShown = true;
        std::fprintf(stderr, "zam-camsim: %s\n", qPrintable(error));
    }
    return again < 0 ? timeoutMs : int(std::min<std::int64_t>(timeoutMs, again));
}

void CamsimServer::cyclePower()
{
    const int now = m_chain.powerCycle();
    if (now) {
        m_pty.line.setBaud(now);
        m_client.line.setBaud(now);
    }
    std::printf("power cycle: line speed %s\n", now ? qPrintable(QString::number(now)) : "any");
    std::fflush(stdout);
}

void CamsimServer::run(const volatile std::sig_atomic_t &stop,
                       volatile std::sig_atomic_t &powerCycle)
{
    while (!stop) {
        if (powerCycle) {
            powerCycle = 0;
            cyclePower();
        }
        flush(m_pty);
        flush(m_client);
        std::int64_t next = -1;
        for (const Endpoint *ep : {&m_pty, &m_client}) {
            const std::int64_t a = ep->fd >= 0 ? ep->line.nextArrivalMs() : -1;
            if (a >= 0 && (next < 0 || a < next))
                next = a;
        }
        const int timeout = updatePictures(
            next < 0 ? kIdlePollMs : int(std::max<std::int64_t>(0, next - m_clock.nowMs())));
        pollfd p[3] = {{m_pty.fd, POLLIN, 0}, {m_listener, POLLIN, 0}, {m_client.fd, POLLIN, 0}};
        if (::poll(p, 3, timeout) <= 0)
            continue;
        if (p[0].revents & POLLIN)
            serve(m_pty);
        if (m_listener >= 0 && (p[1].revents & POLLIN))
            accept();
        if (m_client.fd >= 0 && (p[2].revents & (POLLIN | POLLHUP | POLLERR)) && !serve(m_client))
            drop(m_client);
    }
}

} // namespace zam::sim
