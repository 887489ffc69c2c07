// "Tools" -> save, load and compare camera settings files, on the main
// window over simulated cameras.

#include "support/controls.h"
#include "support/panelrig.h"
#include "support/specialfiles.h"
#include "support/testmain.h"

#include <QProgressDialog>
#include <QTemporaryDir>
#include <settingsfiles.h>
#include <settingsjson.h>

#include <filesystem>

using namespace zam;

namespace {

struct Rig : PanelRig {
    explicit Rig(QList<int> models = {0x31}) : PanelRig(2, models)
    {
        window.settingsFiles().setFileChooser(
            [this](QWidget *, SettingsFiles::Purpose) { return path; });
    }

    void trigger(const char *action) { control<QAction>(window, action)->trigger(); }
    void selectCamera2()
    {
        trigger("CameraSel_2");
        run(50);
    }
    // Packets that change a camera (no inquiries) since the last clearSent().
    int commandsSent() const
    {
        int n = 0;
        for (const QByteArray &p : sent())
            n += p.size() > 2 && p[1] == 0x01;
        return n;
    }

    QTemporaryDir dir;
    QString path = dir.filePath(QStringLiteral("camera.json"));
};

// A camera 1 unlike the cameras' start state.
void configure(sim::CameraState &c)
{
    c.exposure.aeMode = 0x03;
    c.exposure.shutter = 12;
    c.whiteBalance = {5, 0xC8, 0x30};
    c.picture.stabilizer = true;
    c.lineLock = true;
    c.cameraId = 4660;
    c.userMemory[3] = 0x5A;
}

} // namespace

class TestSettingsFiles : public QObject {
    Q_OBJECT
private slots:
    void saveCompareLoadCompare();
    void loadOntoAModelThatLacksSettingsNamesThem();
    void cancelledLoadStopsAndSaysSo();
    void loadHoldsAutoRefresh();
    void badFilesAreRefusedWithoutSending_data();
    void badFilesAreRefusedWithoutSending();
    void onlyRegularFilesAreReadOrWritten();
};

void TestSettingsFiles::saveCompareLoadCompare()
{
    Rig rig;
    configure(rig.chain.camera(1).state());
    QVERIFY(rig.start());

    rig.trigger("ToolsSaveSettings");
    QVERIFY(rig.messages.isEmpty());
    QFile f(rig.path);
    QVERIFY(f.open(QIODevice::ReadOnly));
    const SettingsParse saved = fromJson(f.readAll());
    QVERIFY2(saved.settings, qPrintable(saved.error));
    QCOMPARE(saved.settings->value(Setting::CameraId), 4660);

    rig.selectCamera2();
    rig.trigger("ToolsCompareSettings");
    QTableWidget *table = rig.window.settingsFiles().differencesTable();
    QVERIFY(table && rig.window.settingsFiles().differencesWindow()->isVisible());
    QStringList rows;
    for (int r = 0; r < table->rowCount(); ++r)
        rows << table->item(r, 0)->text() + "=" + table->item(r, 1)->text() + "/" +
                    table->item(r, 2)->text();
    QVERIFY2(rows.contains("Camera ID=4660/0"), qPrintable(rows.join(", ")));
    QVERIFY2(rows.contains("AE mode=manual/full auto"), qPrintable(rows.join(", ")));
    QVERIFY2(rows.contains("16-byte memory, address 1=00 5A/00 00"), qPrintable(rows.join(", ")));

    rig.clearSent();
    rig.trigger("ToolsLoadSettings");
    QCOMPARE(rig.messages.size(), 1);
    QCOMPARE(rig.messages.all[0].icon, QMessageBox::Information);
    QVERIFY2(rig.messages.texts()[0].startsWith("camera.json loaded onto camera 2: "),
             qPrintable(rig.messages.texts()[0]));
    for (const QByteArray &p : rig.sent())
        QCOMPARE(std::uint8_t(p[0]), std::uint8_t(0x82));
    const sim::CameraState &two = rig.chain.camera(2).state();
    QCOMPARE(two.cameraId, 4660);
    QCOMPARE(two.exposure.shutter, 12);
    QCOMPARE(two.whiteBalance.rGain, 0xC8);
    QCOMPARE(two.userMemory, rig.chain.camera(1).state().userMemory);
    // The window shows what the camera now holds.
    QCOMPARE(control<QSlider>(rig.window, "ShutterSlider")->value(), 12);
    QVERIFY(control<QAction>(rig.window, "LineLock")->isChecked());

    rig.trigger("ToolsCompareSettings");
    QCOMPARE(table->rowCount(), 0);
    QCOMPARE(rig.window.settingsFiles().differencesWindow()->findChild<QLabel *>("summary")->text(),
             "Camera 2 matches camera.json.");
}

void TestSettingsFiles::loadOntoAModelThatLacksSettingsNamesThem()
{
    Rig rig({0x31, 0x41});
    configure(rig.chain.camera(1).state());
    QVERIFY(rig.start());
    rig.trigger("ToolsSaveSettings");
    rig.selectCamera2();
    rig.trigger("ToolsLoadSettings");
    QCOMPARE(rig.messages.size(), 1);
    QCOMPARE(rig.messages.all[0].icon, QMessageBox::Warning);
    const QString text = rig.messages.texts()[0];
    for (const char *named :
         {"Image stabilizer: the camera's model lacks it", "Sync: the camera's model lacks it",
          "Digital zoom: the camera's model lacks it"})
        QVERIFY2(text.contains(named), qPrintable(text));
    QVERIFY2(!text.contains("Did not take"), qPrintable(text));
    QVERIFY(!rig.chain.camera(2).state().picture.stabilizer);
    QVERIFY(!rig.chain.camera(2).state().lineLock);
    QCOMPARE(rig.chain.camera(2).state().cameraId, 4660);
}

void TestSettingsFiles::cancelledLoadStopsAndSaysSo()
{
    Rig rig;
    QVERIFY(rig.start());
    rig.trigger("ToolsSaveSettings");
    rig.clearSent();
    int shown = 0;
    rig.window.settingsFiles().setLoadStepHook([&](QProgressDialog &d) {
        shown += d.isVisible();
        if (d.value() == 2)
            d.cancel();
    });
    rig.trigger("ToolsLoadSettings");
    QVERIFY(shown > 0);
    QCOMPARE(rig.commandsSent(), 2);
    QCOMPARE(rig.messages.size(), 1);
    QVERIFY2(rig.messages.texts()[0].contains("was cancelled after 2 of "),
             qPrintable(rig.messages.texts()[0]));
}

void TestSettingsFiles::loadHoldsAutoRefresh()
{
    Rig rig;
    QVERIFY(rig.start());
    rig.trigger("ToolsSaveSettings");
    control<QPushButton>(rig.window, "AutoRefreshed")->click();
    QVERIFY(rig.link.refresh().Timer1().isActive());
    QList<bool> ticking;
    rig.window.settingsFiles().setLoadStepHook(
        [&](QProgressDialog &) { ticking << rig.link.refresh().Timer1().isActive(); });
    rig.trigger("ToolsLoadSettings");
    QVERIFY(!ticking.isEmpty());
    QVERIFY(!ticking.contains(true));
    QVERIFY(rig.link.refresh().Timer1().isActive());
    QCOMPARE(rig.link.refresh().caption(), "Auto");
}

void TestSettingsFiles::badFilesAreRefusedWithoutSending_data()
{
    QTest::addColumn<QByteArray>("content");
    QTest::addColumn<QString>("message");
    QTest::newRow("empty object") << QByteArray("{}") << "camera.json: not a camera settings file";
    QTest::newRow("not JSON") << QByteArray("\x89PNG\r\n", 6) << "camera.json: not a JSON file";
    QTest::newRow("too large") << QByteArray((1 << 20) + 1, ' ') << "it is far too large";
    QTest::newRow("no such file") << QByteArray() << "Could not read camera.json";
}

void TestSettingsFiles::badFilesAreRefusedWithoutSending()
{
    QFETCH(QByteArray, content);
    QFETCH(QString, message);
    Rig rig;
    QVERIFY(rig.start());
    if (!content.isEmpty()) {
        QFile f(rig.path);
        QVERIFY(f.open(QIODevice::WriteOnly));
        f.write(content);
    }
    for (const char *action : {"ToolsLoadSettings", "ToolsCompareSettings"}) {
        rig.messages.clear();
        rig.clearSent();
        rig.trigger(action);
        QCOMPARE(rig.messages.size(), 1);
        QVERIFY2(rig.messages.texts()[0].contains(message), qPrintable(rig.messages.texts()[0]));
        QVERIFY(rig.sent().isEmpty());
    }
}

// A FIFO, or a link to a device, is refused before the camera is asked, and
// left as it was (a save would rename a new file over it, a read of the FIFO
// would wait for a writer forever).
void TestSettingsFiles::onlyRegularFilesAreReadOrWritten()
{
    Rig rig;
    QVERIFY(rig.start());
    const QString fifo = rig.dir.filePath("fifo.json");
    const QString null = rig.dir.filePath("null.json");
    const QString device = deviceNode(rig.dir.path());
    if (device.isEmpty())
        QSKIP("no device node of our own");
    QVERIFY(makeFifo(fifo));
    QVERIFY(QFile::link(device, null));
    namespace fs = std::filesystem;
    for (const auto &[path, what] : {std::pair{fifo, "a FIFO"}, std::pair{null, "a device"}}) {
        rig.path = path;
        for (const char *action :
             {"ToolsSaveSettings", "ToolsLoadSettings", "ToolsCompareSettings"}) {
            rig.messages.clear();
            rig.clearSent();
            rig.trigger(action);
            QCOMPARE(rig.messages.size(), 1);
            const QString text = rig.messages.texts()[0];
            QVERIFY2(text.endsWith(QStringLiteral(": it is %1, not a regular file.").arg(what)),
                     qPrintable(text));
            QVERIFY(rig.sent().isEmpty());
        }
    }
    QVERIFY(fs::is_fifo(fs::symlink_status(fifo.toStdString())));
    QCOMPARE(fs::read_symlink(null.toStdString()), fs::path(device.toStdString()));
    QVERIFY(fs::is_character_file(device.toStdString()));
}

ZAM_TEST_MAIN(TestSettingsFiles)
#include "test_settingsfiles.moc"
