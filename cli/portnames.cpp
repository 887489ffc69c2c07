#include "portnames.h"

#include <QDir>
#include <QFileInfo>

namespace zam::cli {

QMap<QString, QString> serialIdNames(const QString &folder)
{
    QMap<QString, QString> names;
    const QDir dir(folder);
    for (const QFileInfo &link :
         dir.entryInfoList(QDir::System | QDir::Files | QDir::NoDotAndDotDot, QDir::Name)) {
        const QString target = link.canonicalFilePath();
        if (!target.isEmpty() && !names.contains(target))
            names.insert(target, link.absoluteFilePath());
    }
    return names;
}

QString portLine(const PortEntry &entry, const QMap<QString, QString> &idNames)
{
    QString line = entry.device.leftJustified(20) + QLatin1Char(' ') + entry.label;
    const QFileInfo device(entry.device);
    if (!device.exists()) {
        line += QStringLiteral("  (absent)");
        return line;
    }
    const QString id = idNames.value(device.canonicalFilePath());
    if (!id.isEmpty())
        line += QStringLiteral("  by-id: ") + id;
    return line;
}

} // namespace zam::cli
