// The panel's own CPU time for one status read: five inquiries, five
// replies checked and decoded, and every display of the main window
// written. The camera is a port that has each reply ready the moment its
// inquiry is written, so no line time is counted.
//
//   build/bench/bench_statusread [reads]

#include <QApplication>
#include <QElapsedTimer>
#include <autorefreshcontrols.h>
#include <cameralink.h>
#include <clock.h>
#include <commandgroups.h>
#include <frmmain.h>
#include <port.h>

#include <cstdio>
#include <ctime>

using namespace zam;

namespace {

// Camera 1, model 0x30, answering the start-up exchange and the status
// inquiries at once. Two sets of block values alternate, so that every read
// moves sliders, texts, marks and enabled states.
class AnsweringPort final : public Port {
public:
    OpenResult open(const PortSettings &) override { return {}; }
    void close() override {}
    bool isOpen() const override { return true; }
    QString deviceName() const override { return QStringLiteral("answering"); }
    QByteArray readAll() override
    {
        QByteArray out;
        out.swap(m_buffer);
        return out;
    }
    qint64 bytesAvailable() override { return m_buffer.size(); }
    bool waitForReadyRead(int) override { return false; }

    void write(const QByteArray &p) override
    {
        ++packets;
        static const QByteArray clear = QByteArray::fromHex("88010001FF");
        static const QByteArray addressSet = QByteArray::fromHex("883001FF");
        static const QByteArray version = QByteArray::fromHex("81090002FF");
        if (p == clear)
            m_buffer += p;
        else if (p == addressSet)
            m_buffer += QByteArray::fromHex("883002FF");
        else if (p == version)
            m_buffer += QByteArray::fromHex("905000200430000000FF");
        else if (p.size() == 6 && p.startsWith(QByteArray::fromHex("81097E7E"))) {
            m_buffer += blocks[m_set][std::uint8_t(p[4]) & 3];
            if (p[4] == 3) // the extended block ends a read
                m_set ^= 1;
        }
    }

    qint64 packets = 0;
    QByteArray blocks[2][4] = {
        {QByteArray::fromHex("9050010203040C0002030405000100FF"),
         QByteArray::fromHex("9050080000000005000006010D0707FF"),
         QByteArray::fromHex("90500300000000100203040500020FFF"),
         QByteArray::fromHex("905001000000000000000000000000FF")},
        {QByteArray::fromHex("9050020304050B0003040506002300FF"),
         QByteArray::fromHex("9050010F0F0505090D030A11091F0AFF"),
         QByteArray::fromHex("90500404040100200304050603103FFF"),
         QByteArray::fromHex("90500D0C0000000000000100000000FF")},
    };

private:
    QByteArray m_buffer;
    int m_set = 0;
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

    AnsweringPort port;
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

    port.packets = 0;
    QElapsedTimer wall;
    wall.start();
    const double cpu0 = cpuSeconds();
    for (int i = 0; i < reads; ++i)
        window.ReadCameraStatus();
    const double cpu = cpuSeconds() - cpu0;
    const double elapsed = double(wall.nsecsElapsed()) / 1e9;
    if (port.packets != 5LL * reads || window.refreshControls().errorBox()) {
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
