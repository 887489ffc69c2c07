// The subcommands that talk to the line: ports, detect, status, send.

#include "packettext.h"
#include "portnames.h"
#include "statusreport.h"
#include "subcommands.h"

#include <QJsonDocument>
#include <catalog.h>
#include <chainstartup.h>
#include <modeltable.h>
#include <packet.h>
#include <packetmeaning.h>
#include <portfactory.h>
#include <portlist.h>
#include <statusblocks.h>
#include <statusrequest.h>
#include <trafficpackets.h>

#include <memory>

namespace zam::cli {

namespace {

// A camera that keeps talking without ever finishing is left after this long.
constexpr std::int64_t kSendLimitMs = 10'000;

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

enum class ReplyRole { Finishes, Passing, Unsolicited };

// What a reply is to the one packet a send wrote to `target`: the reply that
// finishes it, one that passes on the way (an acknowledge, a network change,
// bytes of no known shape), or a reply nobody asked for (from another camera,
// or after the finishing one). A broadcast's replies all pair with it.
ReplyRole replyRole(QByteArrayView reply, int target, bool finished)
{
    if (finished)
        return ReplyRole::Unsolicited;
    const catalog::Reply r = catalog::decodeReply(reply);
    if (r.kind == catalog::ReplyKind::Unknown)
        return ReplyRole::Passing;
    const bool broadcastReply =
        r.kind == catalog::ReplyKind::InterfaceClear || r.kind == catalog::ReplyKind::AddressSet;
    if (target == catalog::kBroadcast)
        return broadcastReply ? ReplyRole::Finishes : ReplyRole::Passing;
    if (broadcastReply || r.address != target)
        return ReplyRole::Unsolicited;
    return finishesCommand(reply) ? ReplyRole::Finishes : ReplyRole::Passing;
}

QString cameras(int count)
{
    return QStringLiteral("%1 camera%2").arg(count).arg(count == 1 ? "" : "s");
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
    QString why;
    const std::optional<StatusReplies> replies = requestStatusBlocks(*ctx.link, &why);
    if (!replies && why.contains(QLatin1String("not a reply")))
        return ctx.fail(QStringLiteral("camera %1: %2").arg(address).arg(why));
    if (!replies)
        return ctx.fail(
            QStringLiteral("no reply from camera %1 to the status inquiries").arg(address));
    const QJsonObject status = statusObject(*replies, address);
    if (ctx.flag(QStringLiteral("json")))
        ctx.out << QJsonDocument(status).toJson(QJsonDocument::Indented);
    else
        writeStatusText(ctx.out, status);
    ctx.out.flush();
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
    link.discardInput();
    link.SD(*packet, 0);
    const std::int64_t giveUp = ctx.clock.nowMs() + kSendLimitMs;
    PacketSplitter splitter;
    int replies = 0;
    std::optional<catalog::Reply> finish;
    std::optional<QString> malformed;
    while (!finish && ctx.clock.nowMs() < giveUp) {
        const std::optional<QByteArray> got = link.WaitReply(1);
        if (!got)
            break;
        QList<SplitPacket> packets;
        splitter.feed(*got, packets);
        // Everything the chunk holds is printed, also what follows the
        // finishing reply; nothing is waited for after it.
        for (const SplitPacket &p : packets) {
            const QByteArray &reply = p.bytes;
            ++replies;
            const ReplyRole role = replyRole(reply, target, finish.has_value());
            ctx.out << hexSpaced(reply).trimmed() << "  ";
            if (!p.terminated)
                ctx.out << "(incomplete)";
            else if (role == ReplyRole::Unsolicited)
                ctx.out << describePacket(reply, true) << ", unsolicited";
            else
                ctx.out << describePacket(reply, true, *packet);
            ctx.out << '\n';
            if (role == ReplyRole::Finishes) {
                finish = catalog::decodeReply(reply);
                malformed = malformedReply(reply, *packet);
            }
        }
    }
    QList<SplitPacket> rest;
    splitter.flush(rest);
    for (const SplitPacket &p : rest)
        ctx.out << hexSpaced(p.bytes).trimmed() << "  (incomplete)\n";
    ctx.out.flush();

    if (!finish) {
        if (replies == 0 && rest.isEmpty())
            return ctx.fail(QStringLiteral("no reply from %1 within 1 s").arg(who(target)));
        return ctx.fail(QStringLiteral("%1 did not finish the command").arg(who(target)));
    }
    if (malformed)
        return ctx.fail(
            QStringLiteral("%1 answered with a malformed reply: %2").arg(who(target), *malformed));
    if (finish->kind == catalog::ReplyKind::Error) {
        QString name = catalog::errorName(finish->errorCode);
        if (name.isEmpty())
            name = QStringLiteral("code %1").arg(hexPair(std::uint8_t(finish->errorCode)));
        return ctx.fail(QStringLiteral("%1 answered with an error: %2 (socket %3)")
                            .arg(who(target), name)
                            .arg(finish->socket));
    }
    return kExitOk;
}

} // namespace zam::cli
