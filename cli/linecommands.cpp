// The subcommands that talk to the line: ports, detect, status, send.

#include "hubcommands.h"
#include "packettext.h"
#include "portnames.h"
#include "statusreport.h"
#include "subcommands.h"

#include <QJsonArray>
#include <QJsonDocument>
#include <catalog.h>
#include <chainstartup.h>
#include <exchange.h>
#include <modeltable.h>
#include <packet.h>
#include <packetmeaning.h>
#include <portfactory.h>
#include <portlist.h>
#include <statusblocks.h>
#include <statusrequest.h>

#include <memory>

namespace zam::cli {

namespace {

QString modelText(int code)
{
    const QString name = modelName(code);
    return QStringLiteral("model 0x%1 %2")
        .arg(code, 2, 16, QLatin1Char('0'))
        .arg(name.isEmpty() ? QStringLiteral("(unknown model)") : name);
}

// "camera 3", or "the chain" for a broadcast.
QString who(int address)
{
    return address == catalog::kBroadcast ? QStringLiteral("the chain")
                                          : QStringLiteral("camera %1").arg(address);
}

// A reply that is no answer to a packet sent to `target`: one from another
// camera, or a broadcast's reply. A broadcast's replies all pair with it.
bool unsolicited(QByteArrayView reply, int target)
{
    const catalog::Reply r = catalog::decodeReply(reply);
    if (target == catalog::kBroadcast || r.kind == catalog::ReplyKind::Unknown)
        return false;
    const bool broadcastReply =
        r.kind == catalog::ReplyKind::InterfaceClear || r.kind == catalog::ReplyKind::AddressSet;
    return broadcastReply || r.address != target;
}

QString cameras(int count)
{
    return QStringLiteral("%1 camera%2").arg(count).arg(count == 1 ? "" : "s");
}

void printStatus(CliContext &ctx, const QJsonObject &status)
{
    if (ctx.flag(QStringLiteral("json")))
        ctx.out << QJsonDocument(status).toJson(QJsonDocument::Indented);
    else
        writeStatusText(ctx.out, status);
    ctx.out.flush();
}

// Every packet that came for the packet sent, and the exit status it makes.
int reportSend(CliContext &ctx, const QByteArray &packet, int target, const ExchangeAnswer &a)
{
    std::optional<QString> malformed;
    for (int i = 0; i < a.packets.size(); ++i) {
        const QByteArray &reply = a.packets[i];
        ctx.out << hexSpaced(reply).trimmed() << "  ";
        if (!reply.endsWith(char(0xFF)))
            ctx.out << "(incomplete)";
        else if (const bool beforeAnswer = a.answerIndex < 0 || i < a.answerIndex;
                 i == a.answerIndex || (beforeAnswer && !unsolicited(reply, target)))
            ctx.out << describePacket(reply, true, packet);
        else
            ctx.out << describePacket(reply, true) << ", unsolicited";
        ctx.out << '\n';
        if (i == a.answerIndex)
            malformed = malformedReply(reply, packet);
    }
    ctx.out.flush();

    if (a.answerIndex < 0) {
        if (a.packets.isEmpty())
            return ctx.fail(QStringLiteral("no reply from %1 within 1 s").arg(who(target)));
        return ctx.fail(QStringLiteral("%1 did not finish the command").arg(who(target)));
    }
    if (malformed)
        return ctx.fail(
            QStringLiteral("%1 answered with a malformed reply: %2").arg(who(target), *malformed));
    if (a.result == ExchangeResult::Error) {
        const catalog::Reply error = catalog::decodeReply(a.packets[a.answerIndex]);
        QString name = catalog::errorName(a.errorCode);
        if (name.isEmpty())
            name = QStringLiteral("code %1").arg(hexPair(std::uint8_t(a.errorCode)));
        return ctx.fail(QStringLiteral("%1 answered with an error: %2 (socket %3)")
                            .arg(who(target), name)
                            .arg(error.socket));
    }
    return kExitOk;
}

} // namespace

int runPorts(CliContext &ctx, const QStringList &)
{
    const QMap<QString, QString> idNames = serialIdNames();
    for (const PortEntry &e : portEntries()) {
        if (e.simulated() || e.askNetwork())
            continue;
        ctx.out << portLine(e, idNames) << '\n';
    }
    ctx.out.flush();
    return kExitOk;
}

int runDetect(CliContext &ctx, const QStringList &)
{
    const QString &device = ctx.options.device;
    QString why;
    const std::optional<int> baud =
        detectBaud([&] { return ctx.makeLine(device); }, device, ctx.clock, &why);
    if (!baud) {
        if (!why.isEmpty())
            return ctx.fail(why);
        return ctx.fail(QStringLiteral("no camera answered the interface clear on %1 at 9600, "
                                       "19200 or 38400 bit/s")
                            .arg(device));
    }

    const std::unique_ptr<Port> port = ctx.makeLine(device);
    CameraLink link(*port, ctx.clock);
    const OpenResult opened = port->open({device, *baud});
    if (!opened.ok())
        return ctx.fail(describeOpenFailure(opened, device));
    link.discardInput();
    const std::optional<int> count = numberChain(link);
    if (!count)
        return ctx.fail(
            QStringLiteral("no reply to the address set on %1 at %2 bit/s").arg(device).arg(*baud));
    ctx.out << "speed " << *baud << " bit/s\n" << cameras(*count) << '\n';

    int status = kExitOk;
    for (int address = 1; address <= *count; ++address) {
        link.state().CameraAddress = address;
        const std::optional<QByteArray> reply = askVersion(link, address);
        const VersionStatus version = reply ? decodeVersion(*reply, address) : VersionStatus{};
        ctx.out << "camera " << address << ": ";
        if (version.valid) {
            ctx.out << modelText(version.modelCode) << '\n';
        } else {
            ctx.out << "no version reply\n";
            status = kExitFailed;
        }
    }
    ctx.out.flush();
    port->close();
    if (status != kExitOk)
        ctx.err << "zam-ctl: not every camera answered the version inquiry" << Qt::endl;
    return status;
}

int runStatus(CliContext &ctx, const QStringList &)
{
    const int address = ctx.link->state().CameraAddress;
    ExchangeAnswer why;
    const std::optional<StatusReplies> replies = requestStatusBlocks(*ctx.link, &why);
    if (!replies && why.garbled())
        return ctx.fail(QStringLiteral("camera %1: the camera answered the status read with bytes "
                                       "that are not a reply: %2")
                            .arg(address)
                            .arg(why.junkText()));
    if (!replies)
        return ctx.fail(
            QStringLiteral("no reply from camera %1 to the status inquiries").arg(address));
    printStatus(ctx, statusObject(*replies, address));
    return kExitOk;
}

int runStatusViaHub(CliContext &ctx, const QStringList &)
{
    const std::optional<QJsonObject> status =
        askHub(ctx, {{QStringLiteral("op"), QStringLiteral("status")},
                     {QStringLiteral("camera"), ctx.options.camera}});
    if (!status)
        return kExitFailed;
    printStatus(ctx, *status);
    return kExitOk;
}

int runSend(CliContext &ctx, const QStringList &args)
{
    QString why;
    const std::optional<QByteArray> packet = parsePacketText(args, why);
    if (!packet)
        return ctx.usageError(QStringLiteral("send: %1").arg(why));
    const int target = std::uint8_t(packet->at(0)) - 0x80;
    if (ctx.cameraCount && target != catalog::kBroadcast && target > *ctx.cameraCount)
        return ctx.fail(QStringLiteral("camera %1 is not on the chain (%2)")
                            .arg(target)
                            .arg(cameras(*ctx.cameraCount)));

    CameraLink &link = *ctx.link;
    clearLine(link, false);
    // Every packet that came is printed, also what followed the answer in the
    // same read; nothing is waited for after it.
    return reportSend(ctx, *packet, target,
                      exchange(link, *packet, ExchangeExpect::finish(target)));
}

int runSendViaHub(CliContext &ctx, const QStringList &args)
{
    QString why;
    const std::optional<QByteArray> packet = parsePacketText(args, why);
    if (!packet)
        return ctx.usageError(QStringLiteral("send: %1").arg(why));
    const std::optional<QJsonObject> reply =
        askHub(ctx, {{QStringLiteral("op"), QStringLiteral("raw")},
                     {QStringLiteral("bytes"), hexSpaced(*packet).trimmed()}});
    if (!reply)
        return kExitFailed;
    // The hub's exchange as it ran there: every packet, and the answer.
    ExchangeAnswer a;
    for (const QJsonValue &r : reply->value(QStringLiteral("replies")).toArray())
        a.packets << QByteArray::fromHex(
            r.toObject().value(QStringLiteral("bytes")).toString().toLatin1());
    a.answerIndex = reply->value(QStringLiteral("answerIndex")).toInt(-1);
    if (a.answerIndex >= a.packets.size())
        a.answerIndex = -1;
    if (a.answerIndex >= 0) {
        const catalog::Reply answer = catalog::decodeReply(a.packets[a.answerIndex]);
        a.result = answer.kind == catalog::ReplyKind::Error ? ExchangeResult::Error
                                                            : ExchangeResult::Completed;
        a.errorCode = answer.errorCode;
    }
    return reportSend(ctx, *packet, std::uint8_t(packet->at(0)) - 0x80, a);
}

} // namespace zam::cli
