// "Tools" -> "Simulated Picture" on the in-process chain: offered only there,
// redrawn only when the camera's picture can have changed and then at most
// ten times a second, the selected camera's, and saved as PNG.

#include "support/panelrig.h"
#include "support/testmain.h"

#include <QLabel>
#include <QTemporaryDir>
#include <chainpicture.h>
#include <picturewindow.h>

using namespace zam;

namespace {

struct PictureRig : PanelRig {
    sim::ChainPicture pictures{chain, clock};
    PictureRig()
    {
        QVERIFY(start());
        window.offerSimulatedPicture(
            {[this] { return pictures.key(window.state().CameraAddress); },
             [this] { return pictures.draw(window.state().CameraAddress); },
             [this] { return pictures.describe(window.state().CameraAddress); }});
    }
    QAction *action()
    {
        return window.findChild<QAction *>(QStringLiteral("ToolsSimulatedPicture"));
    }
    // A command to the selected camera on the line, answered.
    void send(const char *hex)
    {
        link.writeRaw(QByteArray::fromHex(hex));
        run(PictureWindow::kLookMs + 40);
    }
};

} // namespace

class TestSimPictureWindow : public QObject {
    Q_OBJECT
private Q_SLOTS:
    void offeredOnlyOnTheSimulatedChain()
    {
        PanelRig plain;
        QVERIFY(plain.start());
        QAction *a = plain.window.findChild<QAction *>(QStringLiteral("ToolsSimulatedPicture"));
        QVERIFY(a && !a->isEnabled());
        QCOMPARE(plain.window.openSimulatedPicture(), nullptr);

        PictureRig rig;
        QVERIFY(rig.action()->isEnabled());
        rig.action()->trigger();
        PictureWindow *w = rig.window.findChild<PictureWindow *>();
        QVERIFY(w && w->isVisible());
        QCOMPARE(w->picture().size(), QSize(720, 480));
    }

    void redrawsOnlyOnChange()
    {
        PictureRig rig;
        PictureWindow *w = rig.window.openSimulatedPicture();
        QCOMPARE(w->redraws(), 1);
        rig.run(2000); // nothing on the line: nothing drawn
        QCOMPARE(w->redraws(), 1);
        // A change that no packet of the panel's made is seen within the
        // idle look.
        rig.chain.camera(1).handle(QByteArray::fromHex("8101046302FF"));
        rig.run(PictureWindow::kIdleLookMs + 1);
        QCOMPARE(w->redraws(), 2);
        rig.send("8101046300FF");
        QCOMPARE(w->redraws(), 3);

        const QImage before = w->picture();
        rig.run(PictureWindow::kIdleLookMs * 2);
        rig.send("8101046302FF"); // negative art: drawn by the next frame's time
        QCOMPARE(w->redraws(), 4);
        QVERIFY(w->picture() != before);

        // A zoom running for a second: a new frame every look, no more.
        rig.send("8101040727FF");
        const int atStart = w->redraws();
        rig.run(1000);
        const int frames = w->redraws() - atStart;
        QVERIFY2(frames >= 8 && frames <= 10, qPrintable(QString::number(frames)));

        // Hidden: not even a look.
        w->hide();
        const int hidden = w->redraws();
        rig.send("8101040700FF");
        rig.run(500);
        QCOMPARE(w->redraws(), hidden);
    }

    void showsTheSelectedCamera()
    {
        PictureRig rig;
        PictureWindow *w = rig.window.openSimulatedPicture();
        rig.send("8201040003FF"); // camera 2 to standby
        const QImage one = w->picture();
        rig.window.state().CameraAddress = 2;
        rig.run(PictureWindow::kIdleLookMs + 1);
        QVERIFY(w->picture() != one);
        QCOMPARE(w->picture().pixel(360, 240), qRgb(0, 0, 0));
        // In words too: under the picture, and for a screen reader.
        auto *view = w->findChild<QLabel *>(QStringLiteral("PictureView"));
        QCOMPARE(w->findChild<QLabel *>(QStringLiteral("PictureCaption"))->text(),
                 QStringLiteral("Camera 2: 720 × 480, standby: black"));
        QCOMPARE(view->accessibleDescription(),
                 QStringLiteral("Camera 2: 720 × 480, standby: black"));
        rig.window.state().CameraAddress = 7; // beyond the chain: a placeholder, no crash
        rig.run(PictureWindow::kIdleLookMs + 1);
        QCOMPARE(w->picture().size(), QSize(720, 480));
        QCOMPARE(view->accessibleDescription(),
                 QStringLiteral("No camera 7 on the simulated chain"));
    }

    void savesAsPng()
    {
        PictureRig rig;
        PictureWindow *w = rig.window.openSimulatedPicture();
        QTemporaryDir dir;
        QVERIFY(w->saveTo(dir.filePath(QStringLiteral("shot"))));
        QCOMPARE(QImage(dir.filePath(QStringLiteral("shot.png"))), w->picture());
        QVERIFY(rig.messages.isEmpty());

        QVERIFY(!w->saveTo(dir.filePath(QStringLiteral("missing/shot.png"))));
        QCOMPARE(rig.messages.size(), 1);
        QVERIFY(rig.messages.texts().first().contains(QStringLiteral("could not be saved")));
    }
};

ZAM_TEST_MAIN(TestSimPictureWindow)
#include "test_simpicturewindow.moc"
