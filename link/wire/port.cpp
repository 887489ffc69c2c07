#include "port.h"

namespace zam {

QString describeOpenFailure(const OpenResult &r, const QString &device)
{
    switch (r.error) {
    case OpenError::None:
        return {};
    case OpenError::NoSuchDevice:
        return QStringLiteral("The port %1 does not exist (no such device). "
                              "Check the port number, or that the USB adapter is plugged in.")
            .arg(device);
    case OpenError::PermissionDenied:
        return QStringLiteral(
                   "Permission denied for %1. On Linux, add your user to the serial-port "
                   "group (usually \"dialout\": sudo usermod -aG dialout $USER), then log "
                   "out and in again.")
            .arg(device);
    case OpenError::Busy:
        if (!r.detail.isEmpty())
            return QStringLiteral("The port %1 is busy: %2 has it open.").arg(device, r.detail);
        return QStringLiteral("The port %1 is busy: another program has it open.").arg(device);
    case OpenError::Other:
        break;
    }
    return QStringLiteral("The port %1 could not be opened: %2").arg(device, r.detail);
}

} // namespace zam
