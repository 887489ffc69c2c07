// zam-camsim --picture from outside: packets on its pseudo-terminal, then
// the PNG files it keeps, read as any other program would read them: negative
// art mirrors the mean luminance, a privacy zone is uniform in its colour,
// standby is black.

#include "support/camsim.h"
#include "support/testmain.h"

#include <QFileInfo>
#include <QImage>
#include <QTemporaryDir>
#include <QTest>
#include <qtserialport.h>

using namespace zam;

namespace {

double meanLuminance(const QImage &img)
{
    double sum = 0;
    for (int y = 0; y < img.height(); ++y)
        for (int x = 0; x < img.width(); ++x)
            sum += qGray(img.pixel(x, y));
    return sum / (double(img.width()) * img.height()) / 255.0;
}

struct PictureRig {
    QTemporaryDir dir;
    CamsimProcess sim{{QStringLiteral("--cameras"), QStringLiteral("1"), QStringLiteral("--quiet"),
                       QStringLiteral("--picture"), dir.path()}};
    SteadyClock clock;
    QtSerialPortBackend port;
    QString file = dir.filePath(QStringLiteral("camera-1.png"));

    QImage picture() const { return QImage(file); }
    // Sends a command to camera 1 and waits for its completion.
    bool send(const char *body)
    {
        port.readAll();
        port.write(QByteArray::fromHex(QByteArray("810104") + body + "FF"));
        QByteArray got;
        for (int i = 0; i < 20 && !got.contains("\x90\x51\xFF"); ++i)
            if (port.waitForReadyRead(100))
                got += port.readAll();
        return got.contains("\x90\x51\xFF");
    }
};

} // namespace

class TestCamsimPicture : public QObject {
    Q_OBJECT
private Q_SLOTS:
    void picturesFollowThePackets()
    {
        PictureRig rig;
        QVERIFY2(!rig.sim.device().isEmpty(), "zam-camsim did not start");
        QVERIFY(rig.port.open({rig.sim.device(), 9600}).ok());
        QTRY_VERIFY_WITH_TIMEOUT(!rig.picture().isNull(), 3000);
        const QImage normal = rig.picture();
        QCOMPARE(normal.size(), QSize(720, 480)); // model 30: NTSC
        const double lit = meanLuminance(normal);

        // Negative art: the mean moves to its mirror, within 10 %.
        QVERIFY(rig.send("6302"));
        QTRY_VERIFY_WITH_TIMEOUT(rig.picture() != normal, 3000);
        QVERIFY2(std::abs(meanLuminance(rig.picture()) - (1 - lit)) < 0.1 * (1 - lit),
                 qPrintable(QString::number(meanLuminance(rig.picture()))));
        QVERIFY(rig.send("6300"));

        // Zone A at X 2, Y 2, W 6, H 4 cells of 22.5 x 20 px, shown in green:
        // its rectangle (a pixel in from its edges) is that colour alone.
        QVERIFY(rig.send("7600010002000200060004"));
        QVERIFY(rig.send("7700000001"));
        QVERIFY(rig.send("78000000010900"));
        const QRect zone(46, 41, 133, 78);
        auto uniform = [&] {
            const QImage img = rig.picture();
            for (int y = zone.top(); y <= zone.bottom(); ++y)
                for (int x = zone.left(); x <= zone.right(); ++x)
                    if (img.isNull() || img.pixel(x, y) != qRgb(0, 255, 0))
                        return false;
            return true;
        };
        QTRY_VERIFY_WITH_TIMEOUT(uniform(), 3000);

        // Standby: black, and once written the file stays as it is.
        QVERIFY(rig.send("0003"));
        QTRY_VERIFY_WITH_TIMEOUT(meanLuminance(rig.picture()) < 0.05, 3000);
        const QDateTime written = QFileInfo(rig.file).lastModified();
        QTest::qWait(400);
        QCOMPARE(QFileInfo(rig.file).lastModified(), written);
    }

    void unusableDirectoryIsRefused()
    {
        QTemporaryDir dir;
        QFile blocker(dir.filePath(QStringLiteral("file")));
        QVERIFY(blocker.open(QIODevice::WriteOnly));
        blocker.close();
        QProcess p;
        p.start(QStringLiteral(ZAM_CAMSIM), {QStringLiteral("--picture"), blocker.fileName()});
        QVERIFY(p.waitForFinished(5000));
        QCOMPARE(p.exitCode(), 2);
        QVERIFY(p.readAllStandardError().contains("cannot use picture directory"));
    }
};

ZAM_TEST_GUILESS_MAIN(TestCamsimPicture)
#include "test_camsimpicture.moc"
