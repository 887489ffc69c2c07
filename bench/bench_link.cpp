// Throughput of the receive handling (logging plus reply classification) and
// the cost of one send, without a line in between.
//
//   build/bench/bench_link

#include "support/scriptedport.h"

#include <QCoreApplication>
#include <QElapsedTimer>
#include <cameralink.h>
#include <cstdio>

using namespace zam;

int main(int argc, char **argv)
{
    QCoreApplication app(argc, argv);
    SteadyClock clock;
    ScriptedPort port; // swallows every write, answers nothing
    port.record = false;
    CameraLink link(port, clock);
    link.state().LogTraffic = true;

    // A realistic mix: acknowledge, completion, a short inquiry reply.
    const QByteArray traffic = QByteArray::fromHex("9041FF9051FF905002FFA041FFA051FF");
    QByteArray chunk;
    for (int i = 0; i < 64; ++i)
        chunk += traffic;

    for (int chunkSize : {1, 16, int(chunk.size())}) {
        const qint64 total = 8 * 1024 * 1024;
        qint64 done = 0;
        QElapsedTimer t;
        t.start();
        while (done < total) {
            for (qsizetype at = 0; at < chunk.size(); at += chunkSize)
                link.receive(chunk.mid(at, chunkSize));
            done += chunk.size();
        }
        const double s = double(t.nsecsElapsed()) / 1e9;
        std::printf("receive handling, %4d byte(s) per event: %8.1f MB/s\n", chunkSize,
                    double(done) / s / 1e6);
    }

    link.refresh().operatorToggled();
    const QByteArray packet = QByteArray::fromHex("8101040702FF");
    const int sends = 200000;
    QElapsedTimer t;
    t.start();
    for (int i = 0; i < sends; ++i)
        link.SD(packet, 1);
    std::printf("one SD in mode 1 (logged): %.2f us\n", double(t.nsecsElapsed()) / 1e3 / sends);
    t.restart();
    for (int i = 0; i < sends; ++i)
        link.SD(packet, 0);
    std::printf("one SD in mode 0: %.2f us\n", double(t.nsecsElapsed()) / 1e3 / sends);
    std::printf("(the fastest line, 38400 bit/s, carries 3.84 kB/s; one byte takes 260 us)\n");
    return 0;
}
