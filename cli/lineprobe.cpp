// The doctor on the line: the panel's start-up exchange (interface clear,
// address set, version inquiry) at each speed, and the way to a device
// server.

#include "doctor.h"

#include <QCoreApplication>
#include <QHostAddress>
#include <QHostInfo>
#include <QJsonArray>
#include <cameralink.h>
#include <chainstartup.h>
#include <modeltable.h>
#include <statusblocks.h>
#include <tcpport.h>

#include <memory>

namespace zam::cli {

namespace {

// What the line may say before the check: the settling of a freshly opened
// port is no answer.
constexpr double kSettleSeconds = 0.3;
// How long a host name may take to resolve.
constexpr int kResolveBoundMs = 5000;

constexpr int kSpeeds[] = {9600, 19200, 38400};

enum class LineAnswer { Answered, Silent, Garbled };

LineAnswer checkLine(CameraLink &link, QString *junk)
{
    link.stopwatch().pause(kSettleSeconds);
    link.discardInput();
    StartupTrouble trouble;
    if (lineCheck(link, &trouble))
        return LineAnswer::Answered;
    if (!trouble.garbled())
        return LineAnswer::Silent;
    *junk = trouble.junkText();
    return LineAnswer::Garbled;
}

// The chain and camera findings once the line check has been answered.
void numberAndName(CameraLink &link, QList<Finding> &out)
{
    StartupTrouble trouble;
    const std::optional<int> count = numberChain(link, &trouble);
    if (!count) {
        out.append({"chain",
                    Verdict::Problem,
                    trouble.garbled()
                        ? QStringLiteral("the address set was answered with bytes that are no "
                                         "reply: %1")
                              .arg(trouble.junkText())
                        : QStringLiteral("no reply to the address set: the chain could not be "
                                         "numbered"),
                    QStringLiteral("power the cameras off and on, then run the doctor again; a "
                                   "chain needs each camera's output wired to the next one's "
                                   "input"),
                    {}});
        return;
    }
    if (*count == 0) {
        out.append({"chain",
                    Verdict::Problem,
                    QStringLiteral("the address set came back round the chain with no camera "
                                   "on it"),
                    QStringLiteral("check the cameras' power and the chain's wiring"),
                    {{"cameras", 0}}});
        return;
    }
    out.append({"chain",
                Verdict::Ok,
                QStringLiteral("%1 camera%2 on the chain").arg(*count).arg(*count == 1 ? "" : "s"),
                {},
                {{"cameras", *count}}});
    for (int address = 1; address <= *count; ++address) {
        link.state().CameraAddress = address;
        const std::optional<QByteArray> reply = askVersion(link, address);
        const VersionStatus version = reply ? decodeVersion(*reply, address) : VersionStatus{};
        if (!version.valid) {
            out.append({"camera",
                        Verdict::Problem,
                        QStringLiteral("camera %1 did not answer the version inquiry").arg(address),
                        QStringLiteral("power camera %1 off and on; if it stays silent, check "
                                       "the chain's cable into it")
                            .arg(address),
                        {{"address", address}}});
            continue;
        }
        const QString name = modelName(version.modelCode);
        const QString code = QStringLiteral("0x%1").arg(version.modelCode, 2, 16, QLatin1Char('0'));
        out.append({"camera",
                    name.isEmpty() ? Verdict::Note : Verdict::Ok,
                    name.isEmpty()
                        ? QStringLiteral("camera %1: model %2, which the panel does not know (it "
                                         "keeps its full layout)")
                              .arg(address)
                              .arg(code)
                        : QStringLiteral("camera %1: model %2 %3").arg(address).arg(code, name),
                    {},
                    {{"address", address}, {"modelCode", version.modelCode}, {"modelName", name}}});
    }
}

// Resolves a host name, bounded on the clock; an address needs no look-up.
QList<QHostAddress> resolve(const QString &host, Clock &clock, bool &timedOut)
{
    timedOut = false;
    if (QHostAddress literal; literal.setAddress(host))
        return {literal};
    bool done = false;
    QHostInfo info;
    QObject context;
    QHostInfo::lookupHost(host, &context, [&](const QHostInfo &i) {
        info = i;
        done = true;
    });
    const std::int64_t deadline = clock.nowMs() + kResolveBoundMs;
    while (!done) {
        QCoreApplication::processEvents(QEventLoop::AllEvents, 20);
        if (done)
            break;
        if (clock.nowMs() >= deadline) {
            timedOut = true;
            return {};
        }
        clock.sleepMs(20);
    }
    return info.error() == QHostInfo::NoError ? info.addresses() : QList<QHostAddress>{};
}

} // namespace

QList<Finding> probeSerialLine(const PortMaker &makePort, const QString &device, Clock &clock)
{
    QList<Finding> out;
    QJsonObject speeds;
    QStringList tried;
    QStringList junkSeen;
    for (const int baud : kSpeeds) {
        const std::unique_ptr<Port> port = makePort();
        CameraLink link(*port, clock);
        const OpenResult opened = link.port().open({device, baud});
        if (!opened.ok()) {
            out.append({"line",
                        Verdict::Problem,
                        describeOpenFailure(opened, device),
                        opened.error == OpenError::Busy
                            ? QStringLiteral("close the program that has it open (see above)")
                            : QStringLiteral("see the checks above"),
                        {{"open", opened.detail}}});
            return out;
        }
        QString junk;
        const LineAnswer answer = checkLine(link, &junk);
        const QString key = QString::number(baud);
        if (answer == LineAnswer::Answered) {
            speeds.insert(key, "answered");
            QString text =
                QStringLiteral("the cameras answer the line check at %1 bit/s").arg(baud);
            if (!tried.isEmpty())
                text += QStringLiteral(" (%1)").arg(tried.join(QStringLiteral(", ")));
            if (baud != kSpeeds[0])
                text += QStringLiteral("; choose %1 in the panel, -b %1 with zam-ctl").arg(baud);
            out.append({"line", Verdict::Ok, text, {}, {{"baud", baud}, {"speeds", speeds}}});
            numberAndName(link, out);
            link.port().close();
            return out;
        }
        speeds.insert(key, answer == LineAnswer::Silent ? "silent" : "garbled");
        tried << (answer == LineAnswer::Silent
                      ? QStringLiteral("silent at %1").arg(baud)
                      : QStringLiteral("bytes that are no reply at %1: %2").arg(baud).arg(junk));
        if (answer == LineAnswer::Garbled)
            junkSeen << key;
        link.port().close();
    }
    const QString text =
        QStringLiteral("nothing answered the line check at 9600, 19200 or 38400 bit/s (%1)")
            .arg(junkSeen.isEmpty() ? QStringLiteral("silent at every speed")
                                    : tried.join(QStringLiteral("; ")));
    const QString fix =
        junkSeen.isEmpty()
            ? QStringLiteral("check the cameras' power, the cable, and that the cameras are on "
                             "this port")
            : QStringLiteral("something is on the line but no camera answers: check the "
                             "cable's wiring and ground, and that no console or modem shares "
                             "the port");
    out.append({"line", Verdict::Problem, text, fix, {{"baud", QJsonValue()}, {"speeds", speeds}}});
    return out;
}

QList<Finding> probeNetworkLine(const PortMaker &makePort, const QString &device, Clock &clock)
{
    QList<Finding> out;
    QString host;
    quint16 tcpPort = 0;
    if (!parseTcpAddress(device, host, tcpPort)) {
        out.append({"address",
                    Verdict::Problem,
                    QStringLiteral("%1 is no tcp://HOST:PORT address").arg(device),
                    QStringLiteral("give it as tcp://HOST:PORT, for example tcp://10.0.0.5:4001"),
                    {}});
        return out;
    }
    bool timedOut = false;
    const QList<QHostAddress> addresses = resolve(host, clock, timedOut);
    if (addresses.isEmpty()) {
        out.append({"address",
                    Verdict::Problem,
                    timedOut ? QStringLiteral("the name %1 did not resolve within %2 s")
                                   .arg(host)
                                   .arg(kResolveBoundMs / 1000)
                             : QStringLiteral("the name %1 does not resolve").arg(host),
                    QStringLiteral("check the name, or give the server's IP address"),
                    {{"host", host}}});
        return out;
    }
    QJsonArray listed;
    QStringList shown;
    for (const QHostAddress &a : addresses) {
        listed.append(a.toString());
        shown << a.toString();
    }
    out.append(
        {"address",
         Verdict::Ok,
         QHostAddress(host).isNull()
             ? QStringLiteral("%1 resolves to %2").arg(host, shown.join(QStringLiteral(", ")))
             : QStringLiteral("%1 is an address: nothing to resolve").arg(host),
         {},
         {{"host", host}, {"addresses", listed}}});

    const std::unique_ptr<Port> port = makePort();
    CameraLink link(*port, clock);
    const std::int64_t start = clock.nowMs();
    const OpenResult opened = link.port().open({device, kSpeeds[0]});
    const std::int64_t connectMs = clock.nowMs() - start;
    if (!opened.ok()) {
        out.append({"connect",
                    Verdict::Problem,
                    QStringLiteral("no connection to %1 port %2: %3")
                        .arg(host)
                        .arg(tcpPort)
                        .arg(opened.detail),
                    QStringLiteral("check the port number in the device server's settings, "
                                   "that it is on, and that no firewall is between"),
                    {{"connectMs", qint64(connectMs)}}});
        return out;
    }
    out.append(
        {"connect",
         Verdict::Ok,
         QStringLiteral("connected to %1 port %2 in %3 ms").arg(host).arg(tcpPort).arg(connectMs),
         {},
         {{"connectMs", qint64(connectMs)}}});

    QString junk;
    const LineAnswer answer = checkLine(link, &junk);
    if (answer == LineAnswer::Answered) {
        out.append({"line",
                    Verdict::Ok,
                    QStringLiteral("the cameras behind the server answer the line check"),
                    {},
                    {{"staleSession", false}}});
        numberAndName(link, out);
    } else if (answer == LineAnswer::Garbled) {
        out.append({"line",
                    Verdict::Problem,
                    QStringLiteral("the server answered the line check with bytes that are no "
                                   "reply: %1")
                        .arg(junk),
                    QStringLiteral("set the server's serial port to the cameras' speed (9600, "
                                   "19200 or 38400 bit/s, 8 data bits, no parity, 1 stop bit) "
                                   "and to raw TCP, without telnet negotiation"),
                    {{"staleSession", false}}});
    } else if (!link.port().isOpen()) {
        out.append({"line",
                    Verdict::Problem,
                    QStringLiteral("the server closed the connection without an answer: it may "
                                   "be serving another client"),
                    QStringLiteral("close the other client, or let the server take one more"),
                    {{"staleSession", false}}});
    } else {
        out.append({"line",
                    Verdict::Problem,
                    QStringLiteral("the server accepted the connection but nothing answered the "
                                   "line check: possibly a stale session on the device server"),
                    QStringLiteral("end the earlier client's session on the server (its web "
                                   "page or console has a disconnect, or restart it), then "
                                   "check the cameras' power and the server port's speed"),
                    {{"staleSession", true}}});
    }
    link.port().close();
    return out;
}

} // namespace zam::cli
