// The simulated picture, on the rendered pixels: the camera is set with the
// packets the panel sends, then the frame is measured. Tolerances are given
// where each check is made.

#include "support/testmain.h"
#include <QDir>
#include <QTemporaryDir>
#include <QTest>
#include <camerachain.h>
#include <picturefiles.h>
#include <picturescene.h>
#include <picturetext.h>
#include <simpicture.h>

#include <array>
#include <cmath>
#include <sys/stat.h>

using namespace zam;

namespace {

struct Rig {
    explicit Rig(int model = 0x30) : chain(1, {model}) {}
    sim::CameraChain chain;
    sim::PictureRenderer renderer;
    std::int64_t now = 0;

    // "63 02" is 81 01 04 63 02 FF; the camera must acknowledge it.
    void send(const char *body)
    {
        const QByteArray packet = QByteArray::fromHex(QByteArray("810104") + body + "FF");
        const auto replies = chain.feed(packet, now);
        QVERIFY2(!replies.empty() && replies.front().bytes.startsWith("\x90\x41"), body);
    }
    QImage frame() { return renderer.render(chain.camera(1), now); }
};

// Pixels within `tol` of `c` in every channel, over the rectangle.
int near(const QImage &img, const QRect &r, QColor c, int tol)
{
    int n = 0;
    for (int y = r.top(); y <= r.bottom(); ++y)
        for (int x = r.left(); x <= r.right(); ++x) {
            const QColor p = img.pixelColor(x, y);
            n += std::abs(p.red() - c.red()) <= tol && std::abs(p.green() - c.green()) <= tol &&
                 std::abs(p.blue() - c.blue()) <= tol;
        }
    return n;
}

// Sum of absolute horizontal steps: falls when the picture blurs.
double highFrequency(const QImage &img)
{
    double sum = 0;
    for (int y = 0; y < img.height(); ++y)
        for (int x = 1; x < img.width(); ++x)
            sum += std::abs(qGray(img.pixel(x, y)) - qGray(img.pixel(x - 1, y)));
    return sum;
}

// Centroids of the dark target bars on the centre row, left and right of the
// centre, within `half` pixels of it: their distance apart.
double barDistance(const QImage &img, int half)
{
    const int cx = img.width() / 2;
    const int y = img.height() / 2;
    double c[2] = {0, 0};
    for (int side = 0; side < 2; ++side) {
        double wsum = 0;
        double xsum = 0;
        for (int x = side ? cx : cx - half; x < (side ? cx + half : cx); ++x) {
            const double dark = 255 - qGray(img.pixel(x, y));
            wsum += dark;
            xsum += dark * (x + 0.5);
        }
        c[side] = wsum > 0 ? xsum / wsum : 0;
    }
    return c[1] - c[0];
}

// Equal but for one level of rounding in any channel.
bool withinALevel(QRgb p, QRgb want)
{
    return std::abs(qRed(p) - qRed(want)) <= 1 && std::abs(qGreen(p) - qGreen(want)) <= 1 &&
           std::abs(qBlue(p) - qBlue(want)) <= 1;
}

// The frame's mean red, green and blue, each 0..255.
std::array<double, 3> channelMeans(const QImage &img)
{
    std::array<double, 3> sum{};
    for (int y = 0; y < img.height(); ++y)
        for (int x = 0; x < img.width(); ++x) {
            const QRgb p = img.pixel(x, y);
            sum[0] += qRed(p);
            sum[1] += qGreen(p);
            sum[2] += qBlue(p);
        }
    for (double &v : sum)
        v /= double(img.width()) * img.height();
    return sum;
}

// The frame's cell of the title grid (24 x 12).
QRect titleCell(QSize frame, int column, int row)
{
    const int w = frame.width() / 24;
    const int h = frame.height() / 12;
    return QRect(column * w, row * h, w, h);
}

} // namespace

class TestSimPicture : public QObject {
    Q_OBJECT

private slots:
    void titles_data()
    {
        QTest::addColumn<QByteArray>("display");
        QTest::addColumn<int>("blink");
        QTest::addColumn<int>("atMs");
        QTest::addColumn<bool>("shown");
        QTest::newRow("on") << QByteArray("742F") << 0 << 0 << true;
        QTest::newRow("off") << QByteArray("743F") << 0 << 0 << false;
        QTest::newRow("blink, lit half") << QByteArray("742F") << 1 << 1200 << true;
        QTest::newRow("blink, dark half") << QByteArray("742F") << 1 << 1700 << false;
    }
    void titles()
    {
        QFETCH(QByteArray, display);
        QFETCH(int, blink);
        QFETCH(int, atMs);
        QFETCH(bool, shown);
        Rig rig;
        // Line 3 from column 5 in red: A B C, then a code outside the set,
        // which the camera refuses in a packet but a bad state may still hold.
        rig.send(QByteArray("7313000503" + QByteArray::number(blink).rightJustified(2, '0') +
                            "000000000000")
                     .constData());
        rig.send("7323000102031B1B1B1B1B1B");
        rig.send(display.constData());
        rig.chain.camera(1).titles().lines[3].codes[3] = 0x60;
        rig.now = atMs;
        const QImage img = rig.frame();
        // A red glyph: at least 15 pixels within 40 of pure red in its cell.
        for (int i = 0; i < 4; ++i) {
            const int red = near(img, titleCell(img.size(), 5 + i, 3), Qt::red, 40);
            QVERIFY2((red >= 15) == shown,
                     qPrintable(QStringLiteral("cell %1: %2").arg(i).arg(red)));
        }
        // Nothing red in the blank cells after the line, nor on the rows beside it.
        QCOMPARE(near(img, titleCell(img.size(), 10, 3), Qt::red, 40), 0);
        QCOMPARE(near(img, titleCell(img.size(), 6, 2), Qt::red, 40), 0);
    }

    void masks_data()
    {
        QTest::addColumn<QByteArray>("zone"); // the B zone packet's tail
        QTest::addColumn<int>("colour");      // colour byte
        QTest::addColumn<QColor>("expected");
        QTest::addColumn<QRect>("inside"); // on the 720 x 480 frame
        // Zone A at X 2, Y 2, W 6, H 4 cells of 22.5 x 20 px.
        const QRect a(46, 41, 133, 78);
        const QByteArray zoneA = "00010002000200060004";
        QTest::newRow("red") << zoneA << 0x08 << QColor(Qt::red) << a;
        QTest::newRow("white") << zoneA << 0x07 << QColor(Qt::white) << a;
        QTest::newRow("half red") << zoneA << 0x18 << QColor(Qt::red) << a;
        // Far larger than the frame: clipped to it.
        QTest::newRow("oversized") << QByteArray("0001000000000F0F0F0F") << 0x0A << QColor(Qt::blue)
                                   << QRect(0, 0, 720, 480);
    }
    void masks()
    {
        QFETCH(QByteArray, zone);
        QFETCH(int, colour);
        QFETCH(QColor, expected);
        QFETCH(QRect, inside);
        Rig rig;
        const QImage before = rig.frame();
        rig.send(QByteArray("76" + zone).constData());
        rig.send("7700000001");
        rig.send(
            QByteArray("7800000001" + QByteArray::number(colour, 16).rightJustified(2, '0') + "00")
                .constData());
        const QImage img = rig.frame();
        const int all = inside.width() * inside.height();
        if (colour & 0x10) {
            // Half-tone: every pixel halfway between the scene and the colour
            // (within 2 levels a channel), so the scene's detail shows through.
            int halfway = 0;
            for (int y = inside.top(); y <= inside.bottom(); ++y)
                for (int x = inside.left(); x <= inside.right(); ++x) {
                    const QColor s = before.pixelColor(x, y), m = img.pixelColor(x, y);
                    halfway += std::abs(m.red() - (s.red() + 255) / 2) <= 2 &&
                               std::abs(m.green() - s.green() / 2) <= 2 &&
                               std::abs(m.blue() - s.blue() / 2) <= 2;
                }
            QCOMPARE(halfway, all);
            QVERIFY(near(img, inside, expected, 8) < all / 2);
        } else {
            QCOMPARE(near(img, inside, expected, 0), all); // uniform, exactly the colour
        }
        // Outside the zone (when it leaves room) the scene is untouched.
        if (inside.right() < 600)
            QCOMPARE(img.pixel(650, 300), before.pixel(650, 300));
    }

    // Spherical masks: set by width and height, a new one sits in the middle
    // of the view; placed at a pan and tilt, it moves against the head.
    void sphericalMasks()
    {
        Rig rig;                    // model 30 has spherical masks
        rig.send("76000100080006"); // zone A, W 8, H 6 cells
        rig.send("7700000001");
        rig.send("78000000010800");             // red
        const QRect middle(271, 181, 178, 118); // 12, 9, 8, 6 cells, a pixel in
        QImage img = rig.frame();
        QCOMPARE(near(img, middle, Qt::red, 0), middle.width() * middle.height());

        // Placed 22.5 degrees to the right (angle code 100) of a head at 0:
        // 22.5 / 55 of the frame's width to the right, clipped at its edge.
        rig.send("7B0001000000000000000000");
        img = rig.frame();
        QCOMPARE(near(img, QRect(570, 181, 150, 118), Qt::red, 0), 150 * 118);
        QCOMPARE(near(img, middle.adjusted(0, 0, -100, 0), Qt::red, 40), 0);
        rig.send("79010000000000"); // the head turns there: the mask is in the middle again
        img = rig.frame();
        QCOMPARE(near(img, middle, Qt::red, 0), middle.width() * middle.height());
    }

    void imageControls_data()
    {
        QTest::addColumn<QByteArray>("packet");
        QTest::newRow("flip") << QByteArray("6602");
        QTest::newRow("LR reverse") << QByteArray("6102");
        QTest::newRow("negative art") << QByteArray("6302");
        QTest::newRow("black and white") << QByteArray("6304");
    }
    void imageControls()
    {
        QFETCH(QByteArray, packet);
        Rig rig;
        const QImage normal = rig.frame();
        rig.send(packet.constData());
        const QImage img = rig.frame();
        const int w = img.width(), h = img.height();
        int wrong = 0;
        for (int y = 0; y < h; ++y)
            for (int x = 0; x < w; ++x) {
                const QRgb p = img.pixel(x, y);
                QRgb want = 0;
                if (packet == "6602")
                    want = normal.pixel(x, h - 1 - y);
                else if (packet == "6102")
                    want = normal.pixel(w - 1 - x, y);
                else if (packet == "6302")
                    want = normal.pixel(x, y) ^ 0x00FFFFFF;
                else
                    want = qRgb(qRed(p), qRed(p), qRed(p)); // no chroma
                // Exact, but for one level of rounding a channel.
                wrong += !withinALevel(p, want);
            }
        QCOMPARE(wrong, 0);
        QVERIFY(img != normal);
    }

    void zoom_data()
    {
        QTest::addColumn<int>("model");
        QTest::addColumn<double>("times");
        QTest::addColumn<int>("height");
        QTest::newRow("25x NTSC") << 0x30 << 25.0 << 480;
        QTest::newRow("18x PAL") << 0x13 << 18.0 << 576;
        QTest::newRow("10x NTSC") << 0x1C << 10.0 << 480;
    }
    void zoom()
    {
        QFETCH(int, model);
        QFETCH(double, times);
        QFETCH(int, height);
        Rig rig(model);
        const QImage wide = rig.frame();
        QCOMPARE(wide.size(), QSize(720, height));
        rig.send("4704000000"); // optical tele end
        const QImage tele = rig.frame();
        const double atWide = barDistance(wide, 30);
        const double atTele = barDistance(tele, 360);
        QVERIFY2(std::abs(atWide - 2 * sim::kTargetBarOffset) < 0.5,
                 qPrintable(QString::number(atWide)));
        // The bars' distance grows by the model's magnification, within 5 %.
        const double ratio = atTele / atWide;
        QVERIFY2(std::abs(ratio / times - 1) < 0.05, qPrintable(QString::number(ratio)));
    }

    void focus()
    {
        Rig rig;
        const double sharp = highFrequency(rig.frame());
        rig.send("3803");       // manual focus
        rig.send("4801000000"); // the far end, far from the scene's position
        const double blurred = highFrequency(rig.frame());
        // At least a third of the detail goes.
        QVERIFY2(blurred < sharp * 0.67,
                 qPrintable(QStringLiteral("%1 %2").arg(blurred).arg(sharp)));
        rig.send("4806000000"); // back at the scene's position: sharp again, within 1 %
        QVERIFY(std::abs(highFrequency(rig.frame()) / sharp - 1) < 0.01);
    }

    // Exposure and white balance against the camera at its defaults: the
    // mean green (exposure) and the blue to red balance move the way the
    // setting says. Each bound is well inside what the setting gives.
    void exposureAndColour_data()
    {
        QTest::addColumn<QByteArrayList>("packets");
        QTest::addColumn<double>("minLight"); // mean green against the default's
        QTest::addColumn<double>("maxLight");
        QTest::addColumn<double>("minBlue"); // (blue / red) against the default's
        QTest::addColumn<double>("maxBlue");
        QTest::newRow("back light") << QByteArrayList{"3302"} << 1.3 << 2.0 << 0.8 << 1.25;
        QTest::newRow("manual, iris shut")
            << QByteArrayList{"3903", "4B00000000"} << 0.0 << 0.01 << 0.0 << 100.0;
        QTest::newRow("manual, iris 4 stops down")
            << QByteArrayList{"3903", "4B00000004"} << 0.15 << 0.4 << 0.8 << 1.25;
        QTest::newRow("manual, defaults") << QByteArrayList{"3903"} << 0.99 << 1.01 << 0.99 << 1.01;
        QTest::newRow("exposure compensation down")
            << QByteArrayList{"3E02", "4E00000000"} << 0.2 << 0.5 << 0.8 << 1.25;
        QTest::newRow("indoor white balance")
            << QByteArrayList{"3501"} << 0.99 << 1.01 << 1.3 << 2.0;
        QTest::newRow("manual white balance, red up")
            << QByteArrayList{"3505", "4300000F0F"} << 0.99 << 1.01 << 0.5 << 0.8;
    }
    void exposureAndColour()
    {
        QFETCH(QByteArrayList, packets);
        QFETCH(double, minLight);
        QFETCH(double, maxLight);
        QFETCH(double, minBlue);
        QFETCH(double, maxBlue);
        Rig rig;
        const auto before = channelMeans(rig.frame());
        for (const QByteArray &p : packets)
            rig.send(p.constData());
        const auto after = channelMeans(rig.frame());
        const double light = after[1] / before[1];
        const double blue = after[0] > 0 ? (after[2] / after[0]) / (before[2] / before[0]) : 0;
        QVERIFY2(light >= minLight && light <= maxLight, qPrintable(QString::number(light)));
        QVERIFY2(blue >= minBlue && blue <= maxBlue, qPrintable(QString::number(blue)));
    }

    // Negative art inverts the exposed picture, not the scene: with back
    // light on it is the back-lit frame inverted, to a level a channel.
    void negativeAfterExposure()
    {
        Rig rig;
        rig.send("3302");
        const QImage lit = rig.frame();
        rig.send("6302");
        const QImage img = rig.frame();
        int wrong = 0;
        for (int y = 0; y < img.height(); ++y)
            for (int x = 0; x < img.width(); ++x) {
                const QRgb p = img.pixel(x, y), want = lit.pixel(x, y) ^ 0x00FFFFFF;
                wrong += !withinALevel(p, want);
            }
        QCOMPARE(wrong, 0);
    }

    // Aperture above its default sharpens (more detail), at its default
    // leaves the frame as it was.
    void aperture()
    {
        Rig rig;
        const QImage normal = rig.frame();
        rig.send("420000000F");
        const double sharpened = highFrequency(rig.frame());
        QVERIFY2(sharpened > highFrequency(normal) * 1.3,
                 qPrintable(QStringLiteral("%1 %2").arg(sharpened).arg(highFrequency(normal))));
        rig.send("4200000005");
        QCOMPARE(rig.frame(), normal);
    }

    // The picture in words: each item the frame shows, titles as their
    // text (a code outside the set as a box), nothing that is not drawn.
    void words()
    {
        Rig rig;
        auto words = [&] {
            const sim::SimCamera &c = rig.chain.camera(1);
            return sim::describePicture({c.state(), c.titles(), c.masks()}, rig.now);
        };
        QCOMPARE(words(), QStringLiteral("720 × 480, zoom 1.0×, sharp"));
        rig.send("731300050301000000000000");
        rig.send("7323000102031B1B1B1B1B1B");
        rig.chain.camera(1).titles().lines[3].codes[4] = 0x60;
        QVERIFY(!words().contains(QStringLiteral("Title"))); // title display off
        rig.send("742F");
        rig.send("7600010002000200060004");
        rig.send("7700000001");
        rig.send("6302");
        rig.send("6602");
        rig.send("4704000000");
        rig.send("3803");
        rig.send("4801000000");
        QCOMPARE(words(), QStringLiteral("720 × 480, zoom 25.0×, out of focus\n"
                                         "Picture: negative art, flipped\n"
                                         "Title line 3, column 5, red, blinking: ABCD\u25A1\n"
                                         "Privacy masks: A"));
        rig.send("0003");
        QCOMPARE(words(), QStringLiteral("720 × 480, standby: black"));
    }

    // zam-camsim's files: written when the picture changed, at most every
    // 100 ms, each time a new file renamed over the old one (a new inode),
    // so that a reader never sees half of one.
    void files()
    {
        QTemporaryDir dir;
        Rig rig;
        sim::PictureFiles files(dir.path(), 1);
        const QString path = files.path(1);
        auto inode = [&] {
            struct stat st {};
            return ::stat(QFile::encodeName(path).constData(), &st) == 0 ? st.st_ino : 0;
        };
        QString error;
        QCOMPARE(files.update(rig.chain, 0, &error), -1); // nothing moves: not before a packet
        QVERIFY(error.isEmpty());
        const auto first = inode();
        QVERIFY(first != 0);
        QCOMPARE(QImage(path).size(), QSize(720, 480));

        rig.now = 30;
        rig.send("6302");
        QCOMPARE(files.update(rig.chain, 30), 70); // due at 100, not written before
        QCOMPARE(inode(), first);
        QCOMPARE(files.update(rig.chain, 100), -1);
        QVERIFY(inode() != first);
        QCOMPARE(QDir(dir.path()).entryList(QDir::Files), QStringList{"camera-1.png"});

        rig.now = 200;
        rig.send("0720"); // a zoom runs: look again every 100 ms meanwhile
        QCOMPARE(files.update(rig.chain, 200), 100);

        sim::PictureFiles nowhere(dir.filePath(QStringLiteral("missing")), 1);
        nowhere.update(rig.chain, 0, &error);
        QVERIFY2(error.startsWith(QStringLiteral("cannot write")), qPrintable(error));
    }

    void powerAndFreeze()
    {
        Rig rig;
        const QImage live = rig.frame();
        rig.send("6202"); // freeze
        rig.send("4702000000");
        QCOMPARE(rig.frame(), live); // held while the zoom moved
        rig.send("6203");
        QVERIFY(rig.frame() != live);
        rig.send("0003"); // standby
        const QImage off = rig.frame();
        QCOMPARE(near(off, off.rect(), Qt::black, 0), off.width() * off.height());
    }
};

ZAM_TEST_MAIN(TestSimPicture)
#include "test_simpicture.moc"
