#include "portmemory.h"

#include "frmoption.h"

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

} // namespace zam
