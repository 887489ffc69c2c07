#pragma once
// zam-ctl doctor: what stands between a user and a working line in the
// first hour. Every check answers findings, plain data that the tool words
// as text or JSON:
//
//   check    looks at                                  a problem when
//   device   the device node                           absent, or no character device
//   by-id    DEV/serial/by-id, the adapter's name      never (a note without one)
//   access   owner group, mode, the user's groups      the user may not open it
//   holder   lock files, PROC/PID/fd                   a live lock; an opener while
//                                                      the line fails
//   line     the interface clear at 9600, 19200,       nothing echoed it at any speed
//            38400 bit/s (TCP: once)
//   chain    the address set                           no reply, or no camera
//   camera   each camera's version inquiry             no reply
//   address  tcp://HOST:PORT, the name's resolution    not host:port, no such name
//   connect  the TCP connection and its time           refused, or no answer
//
// The system checks read the trees under SystemRoots, so that tests point
// them at a tree of their own. The line checks send the panel's own start-up
// packets through the one sender; each is bounded in time (a silent serial
// device costs about 4 s, a silent device server about 1.5 s).

#include <QJsonObject>
#include <QList>
#include <QString>
#include <QStringList>
#include <QTextStream>
#include <clock.h>
#include <portfactory.h>

namespace zam::cli {

enum class Verdict { Ok, Note, Problem };

struct Finding {
    QString check; // a name of the table above
    Verdict verdict = Verdict::Ok;
    QString text; // one line
    QString fix;  // what to do; set for every problem
    QJsonObject facts;
};

// One device or address and what was found there.
struct DoctorTarget {
    QString device;
    bool network = false;
    QList<Finding> findings;
    int problems() const;
};

struct SystemRoots {
    QString dev = QStringLiteral("/dev");
    QString proc = QStringLiteral("/proc");
    QStringList lockFolders = {QStringLiteral("/var/lock"), QStringLiteral("/run/lock")};
    QString groupFile = QStringLiteral("/etc/group");
};

// Who runs the doctor: the groups of this login session can lag behind the
// group file (a user added to dialout keeps the old list until logging in).
struct Identity {
    QString user;
    uint uid = 0;
    uint primaryGid = 0;
    QList<uint> sessionGroups;
    static Identity current();
};

// What the access check rests on, read from the device node and the group file.
struct DeviceAccess {
    bool mayOpen = false; // read and write allowed to this process
    QString mode;         // "crw-rw----"
    QString owner;        // user name, or the uid
    uint gid = 0;
    QString group;             // group name, or the gid
    bool groupMayOpen = false; // the group has read and write
    QStringList groupMembers;  // as the group file lists them
};

Finding accessFinding(const QString &device, const DeviceAccess &access, const Identity &who);

// The device, by-id, access and holder checks of a serial device; only the
// device check when the node is missing or no character device.
// `description` is what the system says of the adapter (may be empty).
QList<Finding> checkSerialDevice(const QString &device, const QString &description,
                                 const SystemRoots &roots, const Identity &who);

// The line, chain and camera checks on a serial device, with `makePort`'s
// ports on `clock`.
QList<Finding> probeSerialLine(const PortMaker &makePort, const QString &device, Clock &clock);
// The address, connect, line, chain and camera checks of tcp://HOST:PORT.
QList<Finding> probeNetworkLine(const PortMaker &makePort, const QString &device, Clock &clock);

// A process that has the port open is only noted while the cameras answer;
// when the line fails it may be what takes the replies (except on a
// pseudo-terminal, whose other end has it open).
void weighHolders(DoctorTarget &target);

// "ok       text" a finding, "         fix: ..." under each problem.
void writeDoctorText(QTextStream &out, const DoctorTarget &target);
QJsonObject doctorJson(const QList<DoctorTarget> &targets);

} // namespace zam::cli
