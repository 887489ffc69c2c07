// Rendering speed of the simulated picture: one 720 x 576 frame (a PAL
// camera) in a few typical states, the median of many frames each.
//
//   build/bench/bench_picture [--save DIR]   (DIR: one PNG per state)

#include <QDir>
#include <QElapsedTimer>
#include <QGuiApplication>
#include <algorithm>
#include <camerachain.h>
#include <cstdio>
#include <simpicture.h>
#include <vector>

int main(int argc, char **argv)
{
    if (!qEnvironmentVariableIsSet("QT_QPA_PLATFORM"))
        qputenv("QT_QPA_PLATFORM", "offscreen");
    QGuiApplication app(argc, argv);
    const QStringList args = app.arguments();
    const int at = int(args.indexOf(QStringLiteral("--save")));
    const QString saveDir = at > 0 && at + 1 < args.size() ? args[at + 1] : QString();

    struct State {
        const char *name;
        std::vector<const char *> packets; // 81 01 04 .. FF bodies
    };
    const std::vector<State> states = {
        {"wide", {}},
        {"tele, title and masks",
         {"4703000000", "731300050300000000000000", "732300010203041B1B1B1B1B", "742F",
          "7600010002000200060004", "7700000003", "7800000001081A"}},
        {"manual focus blur", {"3803", "4801000000"}},
        {"negative, flip, aperture", {"6302", "6602", "420000000F"}},
        {"negative", {"6302"}},
        {"flip", {"6602"}},
        {"aperture", {"420000000F"}},
    };
    for (const State &st : states) {
        zam::sim::CameraChain chain(1, {0x31});
        for (const char *body : st.packets)
            chain.feed(QByteArray::fromHex(QByteArray("810104") + body + "FF"), 0);
        zam::sim::PictureRenderer r;
        QImage img = r.render(chain.camera(1), 0); // the scene and glyphs drawn once
        std::vector<double> ms;
        for (int i = 0; i < 200; ++i) {
            QElapsedTimer t;
            t.start();
            img = r.render(chain.camera(1), 0);
            ms.push_back(t.nsecsElapsed() / 1e6);
        }
        std::sort(ms.begin(), ms.end());
        std::printf("%-28s %dx%d  median %.2f ms  90%% %.2f ms\n", st.name, img.width(),
                    img.height(), ms[ms.size() / 2], ms[ms.size() * 9 / 10]);
        if (!saveDir.isEmpty())
            img.save(QDir(saveDir).filePath(QString::fromLatin1(st.name).replace(' ', '_') +
                                            QStringLiteral(".png")));
    }
    return 0;
}
