// Runs a fuzz target without libFuzzer: a fixed number of random inputs from
// a fixed seed (and any files named on the command line), so that the suite
// exercises the targets under the sanitizers with any compiler.

#include <QByteArray>
#include <QFile>
#include <cstdint>
#include <cstdio>
#include <random>

extern "C" int LLVMFuzzerTestOneInput(const std::uint8_t *data, std::size_t size);

int main(int argc, char **argv)
{
    for (int i = 1; i < argc; ++i) {
        QFile f(QString::fromLocal8Bit(argv[i]));
        if (f.open(QIODevice::ReadOnly)) {
            const QByteArray b = f.readAll();
            LLVMFuzzerTestOneInput(reinterpret_cast<const std::uint8_t *>(b.constData()),
                                   size_t(b.size()));
        }
    }
    std::mt19937 rng(20261206);
#ifdef ZAM_FUZZ_RUNS
    const int runs = ZAM_FUZZ_RUNS; // a target whose inputs cost more
#else
    const int runs = 20000;
#endif
    std::vector<std::uint8_t> buf;
    for (int r = 0; r < runs; ++r) {
        buf.resize(std::uniform_int_distribution<std::size_t>(0, 256)(rng));
        // Bias towards the bytes replies are made of.
        static const std::uint8_t likely[] = {0x90, 0xA0, 0x88, 0x50, 0x51, 0x41,
                                              0x60, 0x38, 0xFF, 0x00, 0x01, 0x30};
        for (auto &b : buf)
            b = (rng() & 1) ? likely[rng() % sizeof likely] : std::uint8_t(rng());
        LLVMFuzzerTestOneInput(buf.data(), buf.size());
    }
    std::printf("%d inputs, no fault\n", runs);
    return 0;
}
