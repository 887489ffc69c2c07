#pragma once
// Files that a save must not replace: a FIFO, and a device node that comes
// to no harm should a faulty save replace it. Run as root, a faulty save
// would replace /dev/null itself, so root gets a node of its own in `dir`
// with /dev/null's numbers; anyone else gets /dev/null, whose folder only
// root may write.

#include <QDir>
#include <QFile>
#include <QString>

#include <sys/stat.h>
#include <sys/sysmacros.h>
#include <unistd.h>

inline bool makeFifo(const QString &path)
{
    return ::mkfifo(QFile::encodeName(path).constData(), 0600) == 0;
}

// Empty when no node could be made.
inline QString deviceNode(const QDir &dir)
{
    if (::geteuid() != 0)
        return QStringLiteral("/dev/null");
    const QString path = dir.filePath(QStringLiteral("null-device"));
    return ::mknod(QFile::encodeName(path).constData(), S_IFCHR | 0600, makedev(1, 3)) == 0
               ? path
               : QString();
}
