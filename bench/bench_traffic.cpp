// The traffic monitor at its full size: capturing packets, changing the
// filter over 100 000 rows (model alone, and with the window showing it),
// and saving them.
//
//   QT_QPA_PLATFORM=offscreen build/bench/bench_traffic

#include <QApplication>
#include <QBuffer>
#include <QComboBox>
#include <QElapsedTimer>
#include <QTableView>
#include <algorithm>
#include <cstdio>
#include <trafficmodel.h>
#include <trafficmonitor.h>
#include <vector>

using namespace zam;

namespace {

// Auto refresh on two cameras with a command now and then: five inquiries
// and their replies per camera, then a zoom with acknowledge and completion.
void fill(TrafficModel &m, int packets)
{
    struct P {
        TrafficDirection d;
        QByteArray bytes;
    };
    const auto T = TrafficDirection::ToCamera, F = TrafficDirection::FromCamera;
    std::vector<P> cycle;
    for (const char *c : {"81", "82"}) {
        const QByteArray h = QByteArray::fromHex(c);
        const QByteArray r = QByteArray(1, char((h[0] & 0x0F) * 16 + 0x80));
        for (int i = 0; i < 5; ++i) {
            cycle.push_back({T, h + QByteArray::fromHex("097E7E0") + char(i) + '\xFF'});
            cycle.push_back(
                {F, r + QByteArray::fromHex("5000010502") + QByteArray(10, '\0') + '\xFF'});
        }
        cycle.push_back({T, h + QByteArray::fromHex("01040702FF")});
        cycle.push_back({F, r + QByteArray::fromHex("41FF")});
        cycle.push_back({F, r + QByteArray::fromHex("51FF")});
    }
    for (int i = 0; i < packets; ++i) {
        const P &p = cycle[std::size_t(i) % cycle.size()];
        m.capture(p.d, p.bytes, i);
    }
    m.sync();
}

template <typename F> double medianMs(F step, int runs = 9)
{
    std::vector<double> ms;
    for (int i = 0; i < runs; ++i) {
        QElapsedTimer t;
        t.start();
        step(i);
        ms.push_back(double(t.nsecsElapsed()) / 1e6);
    }
    std::sort(ms.begin(), ms.end());
    return ms[ms.size() / 2];
}

const TrafficFilter kFilters[] = {
    {2, TrafficFilter::Direction::Both, false},
    {0, TrafficFilter::Direction::Both, true},
    {1, TrafficFilter::Direction::FromCamera, true},
    {0, TrafficFilter::Direction::Both, false},
};

} // namespace

int main(int argc, char **argv)
{
    QApplication app(argc, argv);

    {
        TrafficModel m;
        QElapsedTimer t;
        t.start();
        fill(m, 1'000'000);
        std::printf("capture (split, classify, ring): %.2f M packets/s\n",
                    1.0 / (double(t.nsecsElapsed()) / 1e9));
        std::printf("rows held: %lld\n", qlonglong(m.capturedCount()));
        const double ms = medianMs([&](int i) { m.setFilter(kFilters[i % 4]); });
        std::printf("filter change over 100 000 rows, model alone: %.2f ms (median of 9)\n", ms);
        m.setFilter({});
        QBuffer b;
        b.open(QIODevice::WriteOnly);
        t.restart();
        writeTrafficCsv(m, b);
        std::printf("CSV of 100 000 rows (no meanings): %.0f ms, %.1f MB\n",
                    double(t.nsecsElapsed()) / 1e6, double(b.size()) / 1e6);
    }
    {
        TrafficModel m;
        fill(m, 100'000);
        TrafficMonitor w(m);
        w.resize(1000, 600);
        w.show();
        QApplication::processEvents();
        auto *camera = w.findChild<QComboBox *>(QStringLiteral("cameraFilter"));
        auto *view = w.findChild<QTableView *>(QStringLiteral("trafficView"));
        const double ms = medianMs([&](int i) {
            camera->setCurrentIndex(i % 2 ? 0 : 2);
            view->viewport()->repaint();
        });
        std::printf("filter change over 100 000 rows, window showing it (repainted): %.2f ms "
                    "(median of 9)\n",
                    ms);
        const double add = medianMs(
            [&](int i) {
                m.capture(TrafficDirection::FromCamera, QByteArray::fromHex("9041FF"), 200'000 + i);
                m.sync();
                view->viewport()->repaint();
            },
            101);
        std::printf("one row arriving at a full window (repainted): %.3f ms (median of 101)\n",
                    add);
    }
    return 0;
}
