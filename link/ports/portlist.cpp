#include "portlist.h"

#include <QSerialPortInfo>

namespace zam {

QString comDevice(int n)
{
#ifdef Q_OS_WIN
    return QStringLiteral("COM%1").arg(n);
#else
    return QStringLiteral("/dev/ttyS%1").arg(n - 1);
#endif
}

QList<PortEntry> portEntries()
{
    QList<PortEntry> list;
    for (int n = 1; n <= 8; ++n)
        list.append({QStringLiteral("Com%1").arg(n), comDevice(n), n});
    for (const QSerialPortInfo &info : QSerialPortInfo::availablePorts()) {
        const QString dev = info.systemLocation();
        bool listed = false;
        for (const auto &e : list)
            listed = listed || e.device == dev;
        if (listed)
            continue;
        QString label = info.portName();
        if (!info.description().isEmpty())
            label += QStringLiteral(" (%1)").arg(info.description());
        list.append({label, dev, 0});
    }
    list.append({QStringLiteral("Network (host:port)..."), QString::fromLatin1(kNetworkDevice), 0});
    list.append({QStringLiteral("Simulated cameras"), QString::fromLatin1(kSimulatedDevice), 0});
    return list;
}

int ensurePortEntry(QList<PortEntry> &entries, const QString &device)
{
    for (int i = 0; i < entries.size(); ++i)
        if (entries[i].device == device ||
            entries[i].label.compare(device, Qt::CaseInsensitive) == 0)
            return i;
    int at = int(entries.size());
    while (at > 0 && (entries[at - 1].simulated() || entries[at - 1].askNetwork()))
        --at;
    entries.insert(at, {device, device, 0});
    return at;
}

} // namespace zam
