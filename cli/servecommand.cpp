// zam-ctl serve: the control API with no display. The line is opened and
// started as for any subcommand; the hub then owns it until a signal.

#include "apihooks.h"
#include "subcommands.h"

#include <QCoreApplication>
#include <QSocketNotifier>
#include <apiserver.h>
#include <oscserver.h>

#include <csignal>
#include <optional>
#include <sys/socket.h>
#include <unistd.h>

namespace zam::cli {

namespace {

// SIGINT and SIGTERM reach the event loop through a socket pair.
int g_signalPipe[2] = {-1, -1};

void onSignal(int)
{
    const char b = 1;
    [[maybe_unused]] const ssize_t n = ::write(g_signalPipe[1], &b, 1);
}

} // namespace

int runServe(CliContext &ctx, const QStringList &)
{
    api::ServerOptions options;
    api::OscOptions osc;
    QString why;
    const bool ws = ctx.values.contains(QStringLiteral("api"));
    const bool udp = ctx.values.contains(QStringLiteral("osc"));
    if (ws && !api::parseListenAddress(ctx.values.value(QStringLiteral("api")), options.address,
                                       options.port, why))
        return ctx.usageError(QStringLiteral("serve: --api: %1").arg(why));
    if (udp && !api::parseListenAddress(ctx.values.value(QStringLiteral("osc")), osc.address,
                                        osc.port, why))
        return ctx.usageError(QStringLiteral("serve: --osc: %1").arg(why));
    QByteArray token;
    if (!ctx.options.tokenFile.isEmpty()) {
        token = api::readTokenFile(ctx.options.tokenFile, why);
        if (token.isEmpty())
            return ctx.fail(why);
    } else if ((ws && !options.address.isLoopback()) || (udp && !osc.address.isLoopback())) {
        token = api::generateToken();
        ctx.out << "token: " << token << Qt::endl;
    }
    options.token = osc.token = token;
    options.allowedOrigins =
        ctx.values.value(QStringLiteral("api-allow-origin")).split(u',', Qt::SkipEmptyParts);
    options.allowRaw = ctx.flag(QStringLiteral("api-allow-raw"));

    // One hub for both, so that a WebSocket client and an OSC controller
    // share the queues and take over each other's moves.
    CameraLink &link = *ctx.link;
    api::Hub hub(link, {token, options.allowRaw});
    hub.hooks() = apiHooks(link);
    std::optional<api::ApiServer> server;
    std::optional<api::OscServer> oscServer;
    if (ws) {
        server.emplace(hub, options);
        if (!server->listen(why))
            return ctx.fail(why);
        ctx.out << "serving the control API on " << server->url() << Qt::endl;
    }
    if (udp) {
        oscServer.emplace(hub, osc);
        if (!oscServer->listen(why))
            return ctx.fail(why);
        ctx.out << "serving the control API's OSC on " << oscServer->url() << Qt::endl;
    }

    if (::socketpair(AF_UNIX, SOCK_STREAM, 0, g_signalPipe) != 0)
        return ctx.fail(QStringLiteral("could not set up the signal handling"));
    QSocketNotifier notifier(g_signalPipe[0], QSocketNotifier::Read);
    QObject::connect(&notifier, &QSocketNotifier::activated, [] { QCoreApplication::quit(); });
    std::signal(SIGINT, onSignal);
    std::signal(SIGTERM, onSignal);
    QCoreApplication::exec();
    std::signal(SIGINT, SIG_DFL);
    std::signal(SIGTERM, SIG_DFL);
    ::close(g_signalPipe[0]);
    ::close(g_signalPipe[1]);
    if (server)
        server->close();
    if (oscServer)
        oscServer->close();
    ctx.out << "stopped" << Qt::endl;
    return kExitOk;
}

} // namespace zam::cli
