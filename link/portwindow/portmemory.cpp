#include "portmemory.h"

#include "filetext.h"
#include "frmoption.h"

#include <QStandardPaths>
#include <QStringList>

namespace zam {

namespace {

const QString kDevice = QStringLiteral("port/device");
const QString kBaud = QStringLiteral("port/baud");
const QString kSimCameras = QStringLiteral("port/simCameras");
const QString kSimModels = QStringLiteral("port/simModels");

} // namespace

std::optional<PortMemory> recallPort(const QSettings &settings)
{
    PortMemory m;
    m.device = settings.value(kDevice).toString();
    if (m.device.isEmpty())
        return std::nullopt;
    m.baud = settings.value(kBaud, m.baud).toString();
    if (m.baud != QLatin1String("9600") && m.baud != QLatin1String("19200") &&
        m.baud != QLatin1String("38400"))
        return std::nullopt;
    m.simulated = m.device == QLatin1String(kSimulatedDevice);
    bool ok = false;
    m.simCameras = settings.value(kSimCameras, m.simCameras).toInt(&ok);
    if (!ok || m.simCameras < 1 || m.simCameras > 7)
        return std::nullopt;
    m.simModels = settings.value(kSimModels).toString();
    return m;
}

void rememberPort(QSettings &settings, const PortChoice &choice)
{
    settings.setValue(kDevice, choice.entry.device);
    settings.setValue(kBaud, choice.BaudRateText);
    settings.setValue(kSimCameras, choice.simCameras);
    QStringList models;
    for (int code : choice.simModels)
        models << QStringLiteral("%1").arg(code, 2, 16, QLatin1Char('0')).toUpper();
    settings.setValue(kSimModels, models.join(QLatin1Char(',')));
}

QString portMemoryFile()
{
    return QStandardPaths::writableLocation(QStandardPaths::GenericConfigLocation) +
           QStringLiteral("/zam-panel/zam-panel.ini");
}

// QSettings reads its file as it is made and writes it through a new file
// renamed over the old one (the target of a link): the path is checked
// before either.
RecalledPort recallPort(const QString &path)
{
    if (const QString why = whyNotRegularFile(path); !why.isEmpty())
        return {std::nullopt, QStringLiteral("%1: %2").arg(path, why)};
    const QSettings settings(path, QSettings::IniFormat);
    return {recallPort(settings), {}};
}

QString rememberPort(const QString &path, const PortChoice &choice)
{
    if (const QString why = whyNotRegularFile(path); !why.isEmpty())
        return QStringLiteral("%1: %2").arg(path, why);
    QSettings settings(path, QSettings::IniFormat);
    rememberPort(settings, choice);
    settings.sync();
    if (settings.status() != QSettings::NoError)
        return QStringLiteral("%1: it could not be written").arg(path);
    return {};
}

} // namespace zam
