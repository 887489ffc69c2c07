#include "hubcommands.h"

#include "subcommands.h"

#include <QUrl>
#include <apiclient.h>
#include <apiserver.h>

namespace zam::cli {

namespace {

QString needsLine(const Subcommand &sub)
{
    const QString why =
        sub.noHub.isEmpty()
            ? QStringLiteral("%1 does not run through the control API").arg(sub.name)
            : sub.noHub;
    return why + QStringLiteral(": give -p DEVICE or -p tcp://HOST:PORT");
}

// The hub's refusal worded for the person who ran the script.
QString troubleText(const CliContext &ctx, const QJsonObject &reply, const QString &op)
{
    const QJsonObject error = reply.value(QStringLiteral("error")).toObject();
    const QString code = error.value(QStringLiteral("code")).toString();
    const QString message = error.value(QStringLiteral("message")).toString();
    const QString hub = ctx.hub->url();
    if (code == u"unauthorized")
        return QStringLiteral("%1 needs a token: give it with --api-token-file FILE or in "
                              "ZAM_API_TOKEN")
            .arg(hub);
    if (code == u"busy")
        return QStringLiteral("%1 is busy (%2): try again").arg(hub, message);
    if (code == u"raw-refused")
        return QStringLiteral("%1 refused the packet: %2").arg(hub, message);
    if (code == u"unsupported")
        return QStringLiteral("%1 does not offer %2 (%3)").arg(hub, op, message);
    // A failed operation says what failed, as on a line of its own.
    if (code == u"failed" || code == u"no-camera")
        return message;
    return QStringLiteral("%1 answered %2: %3").arg(hub, code, message);
}

} // namespace

bool isHubAddress(const QString &device)
{
    return device.startsWith(QLatin1StringView("ws://")) ||
           device.startsWith(QLatin1StringView("wss://"));
}

std::optional<QJsonObject> askHub(CliContext &ctx, QJsonObject request)
{
    const QString op = request.value(QStringLiteral("op")).toString();
    QString why;
    std::optional<QJsonObject> reply = ctx.hub->request(std::move(request), why);
    if (!reply) {
        ctx.fail(why);
        return std::nullopt;
    }
    if (!reply->value(QStringLiteral("ok")).toBool()) {
        ctx.fail(troubleText(ctx, *reply, op));
        return std::nullopt;
    }
    reply->remove(QStringLiteral("id"));
    reply->remove(QStringLiteral("ok"));
    return reply;
}

int runThroughHub(CliContext &ctx, const Subcommand &sub, const QStringList &args)
{
    if (!sub.viaHub)
        return ctx.usageError(needsLine(sub));
    const QUrl url(ctx.options.device, QUrl::StrictMode);
    if (url.scheme() != u"ws")
        return ctx.usageError(
            QStringLiteral("%1: only ws:// is taken (the control API has no TLS; it listens on "
                           "loopback or asks for a token)")
                .arg(ctx.options.device));
    if (!url.isValid() || url.host().isEmpty() || url.port() < 0)
        return ctx.usageError(QStringLiteral("'%1' is not ws://HOST:PORT").arg(ctx.options.device));

    QByteArray token;
    if (!ctx.options.tokenFile.isEmpty()) {
        QString why;
        token = api::readTokenFile(ctx.options.tokenFile, why);
        if (token.isEmpty())
            return ctx.usageError(why);
    } else {
        token = qgetenv("ZAM_API_TOKEN").trimmed();
    }

    api::ApiClient client(ctx.clock);
    QString why;
    if (!client.open(url, token, why)) {
        ctx.fail(why);
        return sub.troubleExit;
    }
    ctx.hub = &client;
    const int status = sub.viaHub(ctx, args);
    ctx.hub = nullptr;
    client.close();
    return status;
}

} // namespace zam::cli
