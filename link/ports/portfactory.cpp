#include "portfactory.h"

#include "catalog.h"

#include "qtserialport.h"
#include "tcpport.h"

namespace zam {

bool isNetworkDevice(const QString &device)
{
    return device.startsWith(QLatin1String("tcp://"), Qt::CaseInsensitive);
}

std::unique_ptr<Port> makeLinePort(const QString &device)
{
    if (isNetworkDevice(device))
        return std::make_unique<TcpPortBackend>();
    return std::make_unique<QtSerialPortBackend>();
}

std::optional<int> detectBaud(const PortMaker &makePort, const QString &device, Clock &clock,
                              QString *why)
{
    // The camera echoes the broadcast interface clear at its own baud rate.
    static const QByteArray kInterfaceClear =
        catalog::build(catalog::Id::InterfaceClear, catalog::kBroadcast).value_or(QByteArray());
    constexpr int kTryMs = 1100;
    for (int baud : {9600, 19200, 38400}) {
        std::unique_ptr<Port> port = makePort();
        const OpenResult opened = port->open({device, baud});
        if (!opened.ok()) {
            if (why)
                *why = describeOpenFailure(opened, device);
            return std::nullopt;
        }
        port->readAll();
        port->write(kInterfaceClear);
        QByteArray got;
        const auto deadline = clock.nowMs() + kTryMs;
        while (clock.nowMs() < deadline && !got.contains(kInterfaceClear)) {
            if (port->bytesAvailable() == 0)
                port->waitForReadyRead(int(std::max<std::int64_t>(1, deadline - clock.nowMs())));
            got += port->readAll();
        }
        port->close();
        if (got.contains(kInterfaceClear))
            return baud;
    }
    if (why)
        why->clear();
    return std::nullopt;
}

} // namespace zam
