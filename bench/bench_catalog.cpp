// Decoding speed of the protocol catalog over the traffic of a working
// panel: commands from the controls, the five status inquiries of a
// refresh, title packets, and the replies that answer them.
//
//   build/bench/bench_catalog

#include <QByteArray>
#include <QElapsedTimer>
#include <catalog.h>
#include <cstdio>
#include <vector>

using namespace zam::catalog;

int main()
{
    struct Packet {
        QByteArray bytes;
        bool fromCamera;
    };
    const auto cmd = [](const char *hex) { return Packet{QByteArray::fromHex(hex), false}; };
    const auto reply = [](const char *hex) { return Packet{QByteArray::fromHex(hex), true}; };
    const std::vector<Packet> mix = {
        // a zoom drag and a focus hold
        cmd("8101044701020304FF"),
        reply("9041FF"),
        reply("9051FF"),
        cmd("8101040824FF"),
        reply("9041FF"),
        reply("9051FF"),
        cmd("8101040800FF"),
        reply("9041FF"),
        reply("9051FF"),
        // one auto refresh: five inquiries and their replies
        cmd("81090002FF"),
        reply("90500000041100000002FF"),
        cmd("81097E7E00FF"),
        reply("90500400000C0000000000030000FF"),
        cmd("81097E7E01FF"),
        reply("9050080008000500000A0B0C0D07FF"),
        cmd("81097E7E02FF"),
        reply("905001000000000000000000100000FF"),
        cmd("81097E7E03FF"),
        reply("905000000000000000000000000000FF"),
        // a title line, a mode change, an error, a mask
        cmd("810104731300050301000000000000FF"),
        cmd("8101047323000102 1B1B1B1B1B1B1BFF"),
        cmd("8101043900FF"),
        reply("906002FF"),
        cmd("81010478000000011807FF"),
        reply("A041FF"),
        reply("A051FF"),
        // something typed on the console that matches nothing
        cmd("8101049999FF"),
    };

    const int rounds = 200000;
    long long decoded = 0;
    int known = 0;
    QElapsedTimer t;
    t.start();
    for (int r = 0; r < rounds; ++r) {
        for (const Packet &p : mix) {
            if (p.fromCamera)
                known += decodeReply(p.bytes).kind != ReplyKind::Unknown;
            else
                known += decodeCommand(p.bytes).known();
        }
        decoded += qsizetype(mix.size());
    }
    const double s = double(t.nsecsElapsed()) / 1e9;
    std::printf("decode: %.2f million packets/s (%lld packets, %d named)\n",
                double(decoded) / s / 1e6, decoded, known);

    const int describeRounds = 5000;
    long long chars = 0;
    t.restart();
    for (int r = 0; r < describeRounds; ++r)
        for (const Packet &p : mix)
            chars += describe(p.bytes, p.fromCamera).size();
    const double ds = double(t.nsecsElapsed()) / 1e9;
    std::printf("describe: %.2f million packets/s (%lld characters)\n",
                double(describeRounds) * double(mix.size()) / ds / 1e6, chars);
    return 0;
}
