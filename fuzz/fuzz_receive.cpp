// Arbitrary reply bytes through the receive handling: logging, the cut,
// classification and the auto-refresh bookkeeping must hold whatever
// arrives, in whatever pieces.

#include "support/scriptedport.h"

#include <QCoreApplication>
#include <cameralink.h>
#include <cstdint>
#include <cstdlib>

extern "C" int LLVMFuzzerTestOneInput(const std::uint8_t *data, std::size_t size)
{
    static int argc = 1;
    static char arg0[] = "fuzz";
    static char *argv[] = {arg0, nullptr};
    static QCoreApplication app(argc, argv);

    ScriptedPort port; // answers nothing: every byte comes from the data
    port.record = false;
    port.open({});
    zam::SteadyClock clock;
    zam::CameraLink link(port, clock);
    if (size == 0)
        return 0;
    // First byte: flags (logging on, refresh state); the rest is split into
    // pieces whose lengths come from the data itself.
    const std::uint8_t flags = data[0];
    link.state().LogTraffic = flags & 1;
    if (flags & 2)
        link.refresh().operatorToggled();
    if (flags & 8)
        link.refresh().commandSent();
    std::size_t at = 1;
    while (at < size) {
        const std::size_t len = std::min<std::size_t>(size - at, 1 + data[at] % 17);
        link.receive(QByteArray(reinterpret_cast<const char *>(data + at), qsizetype(len)));
        at += len;
        if (link.RecvText().text().size() > zam::kLogLimit)
            std::abort();
    }
    return 0;
}
