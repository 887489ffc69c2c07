// The panel's own CPU time for one status read: five inquiries, five
// replies checked and decoded, and every display of the main window
// written. The camera is a port that has each reply ready the moment its
// inquiry is written, so no line time is counted.
//
//   build/bench/bench_statusread [reads]

#include "support/scriptedport.h"

#include <QApplication>
#include <QElapsedTimer>
#include <autorefreshcontrols.h>
#include <cameralink.h>
#include <clock.h>
#include <commandgroups.h>
#include <frmmain.h>

#include <cstdio>
#include <ctime>

using namespace zam;

namespace {

// Two sets of block values that alternate, so that every read moves
// sliders, texts, marks and enabled states.
const QByteArray kBlocks[2][4] = {
    {QByteArray::fromHex("9050010203040C0002030405000100FF"),
     QByteArray::fromHex("9050080000000005000006010D0707FF"),
     QByteArray::fromHex("90500300000000100203040500020FFF"),
     QByteArray::fromHex("905001000000000000000000000000FF")},
    {QByteArray::fromHex("9050020304050B0003040506002300FF"),
     QByteArray::fromHex("9050010F0F0505090D030A11091F0AFF"),
     QByteArray::fromHex("90500404040100200304050603103FFF"),
     QByteArray::fromHex("90500D0C0000000000000100000000FF")},
};

double cpuSeconds()
{
    timespec ts{};
    clock_gettime(CLOCK_PROCESS_CPUTIME_ID, &ts);
    return double(ts.tv_sec) + double(ts.tv_nsec) / 1e9;
}

} // namespace

int main(int argc, char **argv)
{
    if (qEnvironmentVariableIsEmpty("QT_QPA_PLATFORM"))
        qputenv("QT_QPA_PLATFORM", "offscreen");
    QApplication app(argc, argv);
    const int reads = argc > 1 ? std::max(1, std::atoi(argv[1])) : 5000;

    // Camera 1, model 0x30, answering the start-up exchange and the status
    // inquiries at once.
    ScriptedPort port;
    port.record = false;
    port.open({});
    CannedCamera camera;
    qint64 packets = 0;
    int set = 0;
    port.answer = [&](const QByteArray &p) {
        ++packets;
        if (camera.blockFor(p)) {
            const int block = std::uint8_t(p[4]) & 3;
            const QByteArray reply = kBlocks[set][block];
            if (block == 3) // the extended block ends a read
                set ^= 1;
            return reply;
        }
        return camera.reply(p);
    };
    SteadyClock clock;
    CameraLink link(port, clock);
    FrmMain window(link, {QStringLiteral("answering"), 9600});
    CommandGroups groups(window);
    if (!window.startUp()) {
        std::fprintf(stderr, "start-up failed\n");
        return 1;
    }
    for (int i = 0; i < 200; ++i) // warm up: dialogs created, caches filled
        window.ReadCameraStatus();
    QCoreApplication::processEvents();

    packets = 0;
    QElapsedTimer wall;
    wall.start();
    const double cpu0 = cpuSeconds();
    for (int i = 0; i < reads; ++i)
        window.ReadCameraStatus();
    const double cpu = cpuSeconds() - cpu0;
    const double elapsed = double(wall.nsecsElapsed()) / 1e9;
    if (packets != 5LL * reads || window.refreshControls().errorBox()) {
        std::fprintf(stderr, "the reads did not run as five answered inquiries each\n");
        return 1;
    }

    std::printf("status read (5 inquiries, all displays written), %d reads:\n", reads);
    std::printf("  CPU  %.1f us per read\n", cpu / reads * 1e6);
    std::printf("  wall %.1f us per read\n", elapsed / reads * 1e6);
    std::printf("(goal: under 1000 us; at 9600 bit/s the 103 bytes of the five exchanges take 107 "
                "ms on the line)\n");
    return 0;
}
