// The doctor's look at the system around a serial device: its node, its
// stable name, who may open it and who has it open.

#include "doctor.h"
#include "portnames.h"

#include <QCoreApplication>
#include <QDir>
#include <QFile>
#include <QFileInfo>
#include <qtserialport.h>

#include <grp.h>
#include <pwd.h>
#include <sys/stat.h>
#include <unistd.h>

namespace zam::cli {

namespace {

QString modeText(mode_t m)
{
    QString s = S_ISCHR(m) ? QStringLiteral("c") : S_ISDIR(m) ? QStringLiteral("d") : "-";
    const char *const letters = "rwxrwxrwx";
    for (int i = 0; i < 9; ++i)
        s += (m & (0400 >> i)) ? QLatin1Char(letters[i]) : QLatin1Char('-');
    return s;
}

struct GroupRow {
    QString name;
    QStringList members;
};

// The group file's row for gid: "dialout:x:20:alice,bob".
GroupRow groupRow(const QString &groupFile, uint gid)
{
    QFile f(groupFile);
    if (f.open(QIODevice::ReadOnly)) {
        while (!f.atEnd()) {
            const QStringList fields = QString::fromLocal8Bit(f.readLine()).trimmed().split(':');
            if (fields.size() >= 4 && fields[2] == QString::number(gid))
                return {fields[0], fields[3].split(QLatin1Char(','), Qt::SkipEmptyParts)};
        }
    }
    return {QString::number(gid), {}};
}

QString userName(uint uid)
{
    if (const passwd *pw = ::getpwuid(uid))
        return QString::fromLocal8Bit(pw->pw_name);
    return QString::number(uid);
}

struct Opener {
    qint64 pid;
    QString command;
};

// The processes with an open descriptor on `target` (a resolved path);
// `unreadable` counts the processes whose descriptors could not be listed.
QList<Opener> findOpeners(const QString &proc, const QString &target, int &unreadable)
{
    QList<Opener> found;
    unreadable = 0;
    const qint64 self = QCoreApplication::applicationPid();
    const QDir root(proc);
    for (const QString &entry : root.entryList(QDir::Dirs | QDir::NoDotAndDotDot)) {
        bool isPid = false;
        const qint64 pid = entry.toLongLong(&isPid);
        if (!isPid || pid == self)
            continue;
        const QDir fds(root.filePath(entry + QStringLiteral("/fd")));
        if (!fds.isReadable()) {
            ++unreadable;
            continue;
        }
        for (const QFileInfo &fd : fds.entryInfoList(QDir::System | QDir::NoDotAndDotDot)) {
            if (fd.symLinkTarget() != target)
                continue;
            QFile comm(root.filePath(entry + QStringLiteral("/comm")));
            const QString command = comm.open(QIODevice::ReadOnly)
                                        ? QString::fromLocal8Bit(comm.readLine(256)).trimmed()
                                        : QString();
            found.append({pid, command});
            break;
        }
    }
    return found;
}

QString processText(qint64 pid, const QString &command)
{
    return command.isEmpty() ? QStringLiteral("process %1").arg(pid)
                             : QStringLiteral("process %1 (%2)").arg(pid).arg(command);
}

QList<Finding> holderFindings(const QString &device, const QString &resolved,
                              const SystemRoots &roots)
{
    QList<Finding> out;
    qint64 lockPid = 0;
    if (const auto lock = findSerialLock(resolved, roots.lockFolders, roots.proc)) {
        QJsonObject facts{{"lockFile", lock->file}, {"pid", lock->pid}};
        if (lock->alive) {
            lockPid = lock->pid;
            facts.insert("process", lock->command);
            out.append(
                {"holder", Verdict::Problem,
                 QStringLiteral("locked by %1: %2")
                     .arg(processText(lock->pid, lock->command), lock->file),
                 QStringLiteral("close %1, or end it: kill %2")
                     .arg(lock->command.isEmpty() ? QStringLiteral("that program") : lock->command)
                     .arg(lock->pid),
                 facts});
        } else {
            out.append({"holder", Verdict::Note,
                        QStringLiteral("stale lock file %1 (its process is gone)").arg(lock->file),
                        QStringLiteral("sudo rm %1").arg(lock->file), facts});
        }
    }
    int unreadable = 0;
    for (const Opener &o : findOpeners(roots.proc, resolved, unreadable)) {
        if (o.pid == lockPid)
            continue;
        out.append({"holder",
                    Verdict::Note,
                    QStringLiteral("also open in %1").arg(processText(o.pid, o.command)),
                    QStringLiteral("close %1 if replies go missing: kill %2")
                        .arg(o.command.isEmpty() ? QStringLiteral("it") : o.command)
                        .arg(o.pid),
                    {{"pid", o.pid}, {"process", o.command}}});
    }
    if (out.isEmpty()) {
        QString text = QStringLiteral("no other process has %1 open").arg(device);
        if (unreadable > 0)
            text += QStringLiteral(" (%1 processes of other users not looked at: root sees them)")
                        .arg(unreadable);
        out.append({"holder", Verdict::Ok, text, {}, {{"unreadableProcesses", unreadable}}});
    }
    return out;
}

} // namespace

Identity Identity::current()
{
    Identity who;
    who.uid = ::getuid();
    who.user = userName(who.uid);
    who.primaryGid = ::getgid();
    const int n = ::getgroups(0, nullptr);
    std::vector<gid_t> groups(std::size_t(std::max(n, 0)));
    if (n > 0 && ::getgroups(n, groups.data()) == n)
        for (gid_t g : groups)
            who.sessionGroups.append(uint(g));
    who.sessionGroups.append(who.primaryGid);
    return who;
}

Finding accessFinding(const QString &device, const DeviceAccess &a, const Identity &who)
{
    const QJsonObject facts{
        {"mode", a.mode},
        {"owner", a.owner},
        {"group", a.group},
        {"user", who.user},
        {"inGroup", a.groupMembers.contains(who.user) || who.primaryGid == a.gid},
        {"inSession", who.sessionGroups.contains(a.gid)}};
    const QString how = QStringLiteral("owner %1, group %2, %3").arg(a.owner, a.group, a.mode);
    if (a.mayOpen)
        return {"access",
                Verdict::Ok,
                QStringLiteral("you (%1) may open it: %2").arg(who.user, how),
                {},
                facts};
    if (!a.groupMayOpen)
        return {"access", Verdict::Problem,
                QStringLiteral("only its owner may open it: %1").arg(how),
                QStringLiteral("sudo chgrp dialout %1 && sudo chmod 660 %1 (until it is plugged "
                               "in again; a udev rule with GROUP=\"dialout\", MODE=\"0660\" keeps "
                               "it)")
                    .arg(device),
                facts};
    if (facts.value("inGroup").toBool() && !facts.value("inSession").toBool())
        return {
            "access", Verdict::Problem,
            QStringLiteral("you (%1) are in group %2, but this login session started "
                           "before: %3")
                .arg(who.user, a.group, how),
            QStringLiteral("log out and in again (or start a shell with: newgrp %1)").arg(a.group),
            facts};
    if (facts.value("inSession").toBool())
        return {"access", Verdict::Problem,
                QStringLiteral("you (%1) are in group %2 and still may not open it: %3")
                    .arg(who.user, a.group, how),
                QStringLiteral("look for an access list on it: getfacl %1").arg(device), facts};
    return {
        "access", Verdict::Problem,
        QStringLiteral("you (%1) are not in group %2: %3").arg(who.user, a.group, how),
        QStringLiteral("sudo usermod -aG %1 %2, then log out and in again").arg(a.group, who.user),
        facts};
}

QList<Finding> checkSerialDevice(const QString &device, const QString &description,
                                 const SystemRoots &roots, const Identity &who)
{
    struct stat st {};
    const QByteArray path = QFile::encodeName(device);
    if (::stat(path.constData(), &st) != 0)
        return {{"device",
                 Verdict::Problem,
                 QStringLiteral("%1 does not exist").arg(device),
                 QStringLiteral("zam-ctl ports lists the serial devices; a USB adapter appears "
                                "as /dev/ttyUSB0 or /dev/ttyACM0 once plugged in"),
                 {}}};
    if (!S_ISCHR(st.st_mode))
        return {{"device",
                 Verdict::Problem,
                 QStringLiteral("%1 is no serial device (%2)").arg(device, modeText(st.st_mode)),
                 QStringLiteral("name the device node, for example /dev/ttyUSB0"),
                 {}}};
    const QString resolved = QFileInfo(device).canonicalFilePath();
    QList<Finding> out;

    const QString byId = serialIdNames(roots.dev + QStringLiteral("/serial/by-id")).value(resolved);
    const QString adapter =
        description.isEmpty() ? QString() : QStringLiteral(", adapter: ") + description;
    const QJsonObject idFacts{{"byId", byId}, {"description", description}};
    if (byId.isEmpty())
        out.append({"by-id",
                    Verdict::Note,
                    QStringLiteral("no stable name under %1/serial/by-id (a built-in port or a "
                                   "pseudo-terminal)%2")
                        .arg(roots.dev, adapter),
                    {},
                    idFacts});
    else
        out.append({"by-id",
                    Verdict::Ok,
                    QStringLiteral("stable name %1%2").arg(byId, adapter),
                    {},
                    idFacts});

    DeviceAccess access;
    access.mayOpen = ::access(path.constData(), R_OK | W_OK) == 0;
    access.mode = modeText(st.st_mode);
    access.owner = userName(st.st_uid);
    access.gid = st.st_gid;
    const GroupRow group = groupRow(roots.groupFile, st.st_gid);
    access.group = group.name;
    access.groupMembers = group.members;
    access.groupMayOpen = (st.st_mode & (S_IRGRP | S_IWGRP)) == (S_IRGRP | S_IWGRP);
    out.append(accessFinding(device, access, who));

    out.append(holderFindings(device, resolved, roots));
    return out;
}

void weighHolders(DoctorTarget &target)
{
    bool lineFailed = false;
    for (const Finding &f : target.findings)
        lineFailed = lineFailed || (f.check == u"line" && f.verdict == Verdict::Problem);
    // On a pseudo-terminal the other process is most likely its other end.
    if (!lineFailed || target.device.startsWith(QLatin1String("/dev/pts/")))
        return;
    for (Finding &f : target.findings)
        if (f.check == u"holder" && f.verdict == Verdict::Note && f.facts.contains("process")) {
            f.verdict = Verdict::Problem;
            f.text.replace(QStringLiteral("also open in"), QStringLiteral("open in"));
            f.text += QStringLiteral(": it may be taking the replies");
            f.fix.replace(QStringLiteral(" if replies go missing"), QString());
        }
}

} // namespace zam::cli
