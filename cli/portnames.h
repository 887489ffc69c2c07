#pragma once
// What `zam-ctl ports` prints of each port: the device, whether it is there,
// its stable name under /dev/serial/by-id/ (which survives replugging, unlike
// ttyUSB0) and the description the system gives.

#include <QMap>
#include <QString>
#include <portlist.h>

namespace zam::cli {

inline constexpr char kSerialByIdFolder[] = "/dev/serial/by-id";

// Device path (links resolved) to its name in `folder`; empty when the folder
// does not exist, as on a machine without USB serial adapters.
QMap<QString, QString> serialIdNames(const QString &folder = QLatin1String(kSerialByIdFolder));

// "/dev/ttyS3  Com4  (absent)", "/dev/ttyUSB0  USB serial  by-id: usb-FTDI_..."
QString portLine(const PortEntry &entry, const QMap<QString, QString> &idNames);

} // namespace zam::cli
