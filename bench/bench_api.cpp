// The control API on loopback: the time from a send request leaving the
// client to its packet being written, the requests per second the hub takes
// from one client against a camera that answers at once, and the memory of
// 200 idle clients.
//
//   build/bench/bench_api

#include "support/simline.h"

#include <QCoreApplication>
#include <QElapsedTimer>
#include <QWebSocket>
#include <algorithm>
#include <apiserver.h>
#include <cstdio>
#include <fstream>
#include <memory>
#include <vector>

using namespace zam;

namespace {

long residentKiB()
{
    std::ifstream statm("/proc/self/statm");
    long pages = 0, resident = 0;
    statm >> pages >> resident;
    return resident * 4;
}

template <typename Done> bool waitFor(Done done)
{
    QElapsedTimer t;
    t.start();
    while (!done() && t.elapsed() < 10000)
        QCoreApplication::processEvents(QEventLoop::AllEvents, 5);
    return done();
}

} // namespace

int main(int argc, char **argv)
{
    QCoreApplication app(argc, argv);
    SimLine line(1, {0x30});
    CameraLink link(line.port, line.clock);
    line.port.open({QStringLiteral("sim:"), 9600});
    link.state().CameraCount = 1;
    api::ApiServer server(link, {});
    QString why;
    if (!server.listen(why)) {
        std::fprintf(stderr, "%s\n", qPrintable(why));
        return 1;
    }
    const QUrl url(QStringLiteral("ws://127.0.0.1:%1").arg(server.port()));

    QWebSocket client;
    int replies = 0;
    QObject::connect(&client, &QWebSocket::textMessageReceived,
                     [&](const QString &) { ++replies; });
    client.open(url);
    if (!waitFor([&] { return client.state() == QAbstractSocket::ConnectedState; }))
        return 1;
    QElapsedTimer t;
    std::int64_t writtenNs = -1;
    QObject::connect(&link, &CameraLink::packetWritten,
                     [&](const QByteArray &) { writtenNs = t.nsecsElapsed(); });
    const QString request = QStringLiteral(
        R"({"id": 1, "op": "send", "camera": 1, "command": "ZoomTele", "values": [5]})");
    std::vector<double> us;
    constexpr int kRuns = 2000;
    QElapsedTimer all;
    all.start();
    for (int i = 0; i < kRuns; ++i) {
        writtenNs = -1;
        const int before = replies;
        t.start();
        client.sendTextMessage(request);
        if (!waitFor([&] { return replies > before; }))
            return 1;
        if (writtenNs >= 0)
            us.push_back(double(writtenNs) / 1000.0);
    }
    const double seconds = double(all.nsecsElapsed()) / 1e9;
    std::sort(us.begin(), us.end());
    std::printf("send request -> packet written: median %.0f us, 99th percentile %.0f us (%zu)\n",
                us[us.size() / 2], us[us.size() * 99 / 100], us.size());
    std::printf("one client, one request at a time: %.0f requests/s (the camera answers at once)\n",
                kRuns / seconds);

    const long before = residentKiB();
    std::vector<std::unique_ptr<QWebSocket>> idle;
    for (int i = 0; i < 200; ++i) {
        idle.push_back(std::make_unique<QWebSocket>());
        idle.back()->open(url);
    }
    waitFor([&] { return server.hub().clientCount() == 201; });
    const long after = residentKiB();
    std::printf("200 idle clients: %ld KiB resident for both ends in one process, %.1f KiB a "
                "client (%d connected)\n",
                after - before, double(after - before) / 200.0, server.hub().clientCount() - 1);
    return 0;
}
