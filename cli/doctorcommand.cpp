// zam-ctl doctor: the checks of doctor.h on one port or every serial device,
// worded as text or JSON.

#include "doctor.h"
#include "subcommands.h"

#include <QJsonArray>
#include <QJsonDocument>
#include <QSerialPortInfo>

namespace zam::cli {

namespace {

QString verdictName(Verdict v)
{
    switch (v) {
    case Verdict::Ok:
        return QStringLiteral("ok");
    case Verdict::Note:
        return QStringLiteral("note");
    case Verdict::Problem:
        break;
    }
    return QStringLiteral("problem");
}

struct SerialDevice {
    QString device;
    QString description;
};

QList<SerialDevice> reportedSerialDevices()
{
    QList<SerialDevice> list;
    for (const QSerialPortInfo &info : QSerialPortInfo::availablePorts()) {
        QString description = info.description();
        if (!info.manufacturer().isEmpty() && !description.contains(info.manufacturer()))
            description +=
                (description.isEmpty() ? QString() : QStringLiteral(", ")) + info.manufacturer();
        list.append({info.systemLocation(), description});
    }
    return list;
}

DoctorTarget diagnose(CliContext &ctx, const QString &device, const QString &description)
{
    DoctorTarget t{device, isNetworkDevice(device), {}};
    const PortMaker makePort = [&] { return ctx.makeLine(device); };
    if (t.network) {
        t.findings = probeNetworkLine(makePort, device, ctx.clock);
        return t;
    }
    t.findings = checkSerialDevice(device, description, SystemRoots{}, Identity::current());
    if (t.findings.first().check == u"device")
        return t;
    t.findings += probeSerialLine(makePort, device, ctx.clock);
    weighHolders(t);
    return t;
}

} // namespace

int DoctorTarget::problems() const
{
    return int(std::count_if(findings.begin(), findings.end(),
                             [](const Finding &f) { return f.verdict == Verdict::Problem; }));
}

void writeDoctorText(QTextStream &out, const DoctorTarget &target)
{
    out << target.device << '\n';
    for (const Finding &f : target.findings) {
        out << "  " << verdictName(f.verdict).leftJustified(8) << ' ' << f.text << '\n';
        if (!f.fix.isEmpty() && f.verdict != Verdict::Ok)
            out << "  " << QString().leftJustified(8) << " fix: " << f.fix << '\n';
    }
    out.flush();
}

QJsonObject doctorJson(const QList<DoctorTarget> &targets)
{
    QJsonArray list;
    int problems = 0;
    for (const DoctorTarget &t : targets) {
        QJsonArray findings;
        for (const Finding &f : t.findings) {
            QJsonObject o = f.facts;
            o.insert("check", f.check);
            o.insert("verdict", verdictName(f.verdict));
            o.insert("text", f.text);
            if (!f.fix.isEmpty())
                o.insert("fix", f.fix);
            findings.append(o);
        }
        problems += t.problems();
        list.append(QJsonObject{{"device", t.device},
                                {"kind", t.network ? "tcp" : "serial"},
                                {"problems", t.problems()},
                                {"findings", findings}});
    }
    return {{"ok", problems == 0}, {"problems", problems}, {"targets", list}};
}

int runDoctor(CliContext &ctx, const QStringList &)
{
    const bool json = ctx.flag(QStringLiteral("json"));
    QList<SerialDevice> devices;
    if (!ctx.options.device.isEmpty())
        devices.append(
            {ctx.options.device, isNetworkDevice(ctx.options.device)
                                     ? QString()
                                     : QSerialPortInfo(ctx.options.device).description()});
    else
        devices = reportedSerialDevices();

    QList<DoctorTarget> targets;
    if (devices.isEmpty())
        targets.append({QStringLiteral("(serial devices)"),
                        false,
                        {{"device",
                          Verdict::Problem,
                          QStringLiteral("the system reports no serial device"),
                          QStringLiteral("plug the adapter in (dmesg names it), or give the port "
                                         "with -p DEVICE or -p tcp://HOST:PORT"),
                          {}}}});
    for (const SerialDevice &d : devices) {
        targets.append(diagnose(ctx, d.device, d.description));
        if (!json)
            writeDoctorText(ctx.out, targets.last());
    }
    if (!json && devices.isEmpty())
        writeDoctorText(ctx.out, targets.first());

    const QJsonObject all = doctorJson(targets);
    const int problems = all.value("problems").toInt();
    if (json)
        ctx.out << QJsonDocument(all).toJson(QJsonDocument::Indented);
    else if (problems == 0)
        ctx.out << "all is well\n";
    else
        ctx.out << problems << " problem" << (problems == 1 ? "" : "s") << " found\n";
    ctx.out.flush();
    return problems == 0 ? kExitOk : kExitFailed;
}

} // namespace zam::cli
