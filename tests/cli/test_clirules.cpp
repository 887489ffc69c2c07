// zam-ctl in process, on a scripted line and a clock that moves only while
// the link waits: the packet text, the reply loop of send, the start-up
// before a subcommand, and the status report's captions.

#include "support/scriptedport.h"
#include "support/specialfiles.h"
#include "support/testmain.h"
#include "support/zamctlrun.h"

#include <QDir>
#include <QFile>
#include <QFileInfo>
#include <QJsonDocument>
#include <QJsonObject>
#include <QRegularExpression>
#include <QTemporaryDir>
#include <QTest>
#include <packettext.h>
#include <portnames.h>
#include <zamctl.h>

using namespace zam;

namespace {

QByteArray hex(const char *s)
{
    return QByteArray::fromHex(s);
}

struct Outcome : Run {
    QList<QByteArray> packets; // what reached the camera
};

// Runs the tool with the camera behind `answer` on the line.
Outcome run(const QStringList &args, const ScriptedPort::Answer &answer)
{
    Outcome o;
    FakeClock clock;
    static_cast<Run &>(o) =
        zamCtlIn(QStringList{"-p", "scripted"} + args, clock, [&](const QString &) {
            auto port = std::make_unique<ScriptedPort>();
            port->answer = [&o, answer](const QByteArray &packet) {
                o.packets << packet;
                return answer(packet);
            };
            return std::unique_ptr<Port>(std::move(port));
        });
    return o;
}

} // namespace

class TestCliRules : public QObject {
    Q_OBJECT
private Q_SLOTS:
    void packetText_data()
    {
        QTest::addColumn<QStringList>("args");
        QTest::addColumn<QByteArray>("packet"); // empty: refused
        QTest::newRow("spaced") << QStringList{"81 01 04 07 02 FF"} << hex("8101040702FF");
        QTest::newRow("mixed") << QStringList{"8101 0407", "02ff"} << hex("8101040702FF");
        QTest::newRow("broadcast") << QStringList{"88 01 00 01 FF"} << hex("88010001FF");
        QTest::newRow("longest") << QStringList{"81 01 04 73 20 00 01 02 03 04 05 06 07 08 09 FF"}
                                 << hex("810104732000010203040506070809FF");
        QTest::newRow("too long")
            << QStringList{"81 01 04 73 20 00 01 02 03 04 05 06 07 08 09 0A FF"} << QByteArray();
        QTest::newRow("odd digits") << QStringList{"8101040702F"} << QByteArray();
        QTest::newRow("half a byte") << QStringList{"81 01 04 07 2 FF"} << QByteArray();
        QTest::newRow("not hexadecimal") << QStringList{"81 01 G4 FF"} << QByteArray();
        QTest::newRow("sign") << QStringList{"81 01 -4 FF"} << QByteArray();
        QTest::newRow("too short") << QStringList{"81 FF"} << QByteArray();
        QTest::newRow("empty") << QStringList{""} << QByteArray();
        QTest::newRow("header 80") << QStringList{"80 01 FF"} << QByteArray();
        QTest::newRow("header 89") << QStringList{"89 01 FF"} << QByteArray();
        QTest::newRow("no terminator") << QStringList{"81 01 04 07 02"} << QByteArray();
        QTest::newRow("terminator inside") << QStringList{"81 FF 01 FF"} << QByteArray();
    }
    void packetText()
    {
        QFETCH(QStringList, args);
        QFETCH(QByteArray, packet);
        QString why;
        const auto got = cli::parsePacketText(args, why);
        QCOMPARE(got.value_or(QByteArray()), packet);
        QCOMPARE(why.isEmpty(), !packet.isEmpty());
    }

    void sendReadsUntilTheCommandFinishes_data()
    {
        QTest::addColumn<QString>("packet");
        QTest::addColumn<QByteArray>("replies");
        QTest::addColumn<int>("exit");
        QTest::addColumn<QString>("out");
        QTest::addColumn<QString>("err");
        QTest::newRow("completion")
            << "8101040702FF" << hex("9041FF9051FF") << 0
            << "90 41 FF  Acknowledge (socket 1)\n90 51 FF  Completion (socket 1)\n"
            << "";
        QTest::newRow("network change first") << "8101040702FF" << hex("9038FF9041FF9051FF") << 0
                                              << "90 38 FF  Network change\n90 41 FF  Acknowledge "
                                                 "(socket 1)\n90 51 FF  Completion (socket 1)\n"
                                              << "";
        QTest::newRow("a second completion is unsolicited")
            << "8101040702FF" << hex("9051FF9051FF") << 0
            << "90 51 FF  Completion (socket 1)\n90 51 FF  Completion (socket 1), unsolicited\n"
            << "";
        // Each reply is paired with the command of the camera that sent it.
        QTest::newRow("two cameras answer")
            << "82097E7E00FF" << hex("905002FFA041FFA05000000000000000000000000000FF") << 0
            << "90 50 02 FF  Inquiry reply: 02, unsolicited\nA0 41 FF  Acknowledge (socket 1)\n"
               "A0 50 00 00 00 00 00 00 00 00 00 00 00 00 00 FF  Inquiry reply: Lens block: zoom "
               "0x0000, focus 0x0000 manual, near limit 0x0000, digital zoom off, AF sensitivity "
               "normal\n"
            << "";
        QTest::newRow("malformed lens block")
            << "81097E7E00FF" << hex("905002FF") << 1
            << "90 50 02 FF  Lens block reply, 4 bytes where 16 are expected\n"
            << "zam-ctl: camera 1 answered with a malformed reply: Lens block reply, 4 bytes where "
               "16 are expected\n";
        QTest::newRow("inquiry reply")
            << "81090400FF" << hex("905002FF") << 0 << "90 50 02 FF  Inquiry reply: 02\n"
            << "";
        QTest::newRow("another camera's completion")
            << "8101040702FF" << hex("A051FF") << 1
            << "A0 51 FF  Completion (socket 1), unsolicited\n"
            << "zam-ctl: camera 1 did not finish the command\n";
        QTest::newRow("acknowledge only")
            << "8101040702FF" << hex("9041FF") << 1 << "90 41 FF  Acknowledge (socket 1)\n"
            << "zam-ctl: camera 1 did not finish the command\n";
        QTest::newRow("half a reply")
            << "8101040702FF" << hex("9041") << 1 << "90 41  (incomplete)\n"
            << "zam-ctl: camera 1 did not finish the command\n";
        QTest::newRow("silence") << "8101040702FF" << QByteArray() << 1 << ""
                                 << "zam-ctl: no reply from camera 1 within 1 s\n";
        QTest::newRow("named error")
            << "8101040702FF" << hex("9041FF906141FF") << 1
            << "90 41 FF  Acknowledge (socket 1)\n90 61 41 FF  Error: command not "
               "executable (socket 1)\n"
            << "zam-ctl: camera 1 answered with an error: command not executable (socket 1)\n";
        QTest::newRow("interface clear") << "88010001FF" << hex("88010001FF") << 0
                                         << "88 01 00 01 FF  Interface clear (all cameras)\n"
                                         << "";
    }
    void sendReadsUntilTheCommandFinishes()
    {
        QFETCH(QString, packet);
        QFETCH(QByteArray, replies);
        QFETCH(int, exit);
        QFETCH(QString, out);
        QFETCH(QString, err);
        const Outcome o =
            run({"--no-init", "send", packet}, [&](const QByteArray &) { return replies; });
        QCOMPARE(o.out, out);
        QCOMPARE(o.err, err);
        QCOMPARE(o.exitCode, exit);
        QCOMPARE(o.packets, QList<QByteArray>{hex(qPrintable(packet))});
    }

    void startUpComesFirstAndAddressesTheCamera()
    {
        CannedCamera camera;
        camera.address = 2;
        camera.cameras = 2;
        for (QByteArray *b : {&camera.lens, &camera.camera, &camera.other, &camera.extended})
            *b = camera.block();
        const Outcome o = run({"-c", "2", "status", "--json"},
                              [&](const QByteArray &p) { return camera.reply(p); });
        QVERIFY2(o.exitCode == 0, qPrintable(o.err));
        QCOMPARE(o.packets,
                 (QList{hex("88010001FF"), hex("883001FF"), hex("82090002FF"), hex("82097E7E00FF"),
                        hex("82097E7E01FF"), hex("82097E7E02FF"), hex("82097E7E03FF")}));
        QCOMPARE(QJsonDocument::fromJson(o.out.toUtf8()).object().value("address").toInt(), 2);

        // Camera 3 of a chain of two: nothing after the numbering.
        const Outcome off =
            run({"-c", "3", "status"}, [&](const QByteArray &p) { return camera.reply(p); });
        QCOMPARE(off.exitCode, 1);
        QCOMPARE(off.err, "zam-ctl: camera 3 is not on the chain (2 cameras)\n");
        QCOMPARE(off.packets.size(), 2);
    }

    // A settings file is read or written only as a regular file (a link to
    // one will do): a FIFO or a device is refused before the line is opened.
    // (That refused files are left as they were is the Tools menu's test; how
    // a file's text is refused, the settings file format's.)
    void settingsFileTargets_data()
    {
        QTest::addColumn<QStringList>("args");
        QTest::addColumn<int>("exit");
        QTest::addColumn<QString>("err");
        QTest::newRow("save onto a FIFO")
            << QStringList{"save", "PIPE"} << 2
            << "zam-ctl: save: cannot write PIPE: it is a FIFO, not a regular file\n";
        QTest::newRow("save onto a link to a device")
            << QStringList{"save", "NULL"} << 2 << "NULL: it is a device, not a regular file\n";
        QTest::newRow("save onto a device")
            << QStringList{"save", "DEVICE"} << 2 << "DEVICE: it is a device, not a regular file\n";
        QTest::newRow("save through a link to a file") << QStringList{"save", "LINK"} << 0 << "";
        QTest::newRow("load from a FIFO")
            << QStringList{"load", "PIPE"} << 2
            << "zam-ctl: load: cannot read PIPE: it is a FIFO, not a regular file\n";
        QTest::newRow("diff from a link to a device")
            << QStringList{"diff", "NULL"} << 2 << "NULL: it is a device, not a regular file\n";
    }
    void settingsFileTargets()
    {
        QFETCH(QStringList, args);
        QFETCH(int, exit);
        QFETCH(QString, err);
        QTemporaryDir dir;
        const QString fifo = dir.filePath("fifo");
        QVERIFY(makeFifo(fifo));
        const QString device = deviceNode(dir.path());
        if (device.isEmpty())
            QSKIP("no device node of our own");
        const QString null = dir.filePath("null.json");
        const QString file = dir.filePath("file.json");
        const QString link = dir.filePath("link.json");
        QVERIFY(QFile::link(device, null) && QFile::link(file, link));
        QFile existing(file);
        QVERIFY(existing.open(QIODevice::WriteOnly) && existing.write("{}") == 2);
        existing.close();
        for (const auto &[name, path] : {std::pair{"PIPE", fifo}, std::pair{"NULL", null},
                                         std::pair{"DEVICE", device}, std::pair{"LINK", link}}) {
            args.replaceInStrings(QRegularExpression(QStringLiteral("^%1$").arg(name)), path);
            err.replace(name, path);
        }
        CannedCamera camera;
        camera.modelCode = 0x1E; // no user memory to read
        const Outcome o = run(args, [&](const QByteArray &p) { return camera.reply(p); });
        QCOMPARE(o.exitCode, exit);
        QVERIFY2(err.isEmpty() ? o.err.isEmpty() : o.err.endsWith(err), qPrintable(o.err));
        QCOMPARE(o.packets.isEmpty(), exit != 0);
        QVERIFY(QFileInfo(link).isSymLink());
        QCOMPARE(QFileInfo(file).size() > 2, exit == 0); // the settings, written through the link
    }

    // `zam-ctl ports`: a Com port whose device is missing says so, and a
    // device with a stable name under by-id shows it.
    void portLines()
    {
        QTemporaryDir dir;
        QVERIFY(dir.isValid());
        const QString adapter = dir.filePath(QStringLiteral("ttyUSB0"));
        QFile f(adapter);
        QVERIFY(f.open(QIODevice::WriteOnly));
        f.close();
        QVERIFY(QDir(dir.path()).mkdir(QStringLiteral("by-id")));
        const QString byId = dir.filePath(QStringLiteral("by-id/usb-Maker_Adapter_A1-if00-port0"));
        QVERIFY(QFile::link(adapter, byId));
        QVERIFY(QFile::link(dir.filePath(QStringLiteral("gone")),
                            dir.filePath(QStringLiteral("by-id/usb-dangling"))));

        const auto names = cli::serialIdNames(dir.filePath(QStringLiteral("by-id")));
        QCOMPARE(names.size(), 1);
        const QString there = cli::portLine({QStringLiteral("USB serial"), adapter, 0}, names);
        QVERIFY2(there.endsWith(QStringLiteral("USB serial  by-id: ") + byId), qPrintable(there));
        const QString absent = cli::portLine(
            {QStringLiteral("Com4"), dir.filePath(QStringLiteral("ttyS3")), 4}, names);
        QVERIFY2(absent.endsWith(QStringLiteral("Com4  (absent)")), qPrintable(absent));
        QVERIFY(cli::serialIdNames(dir.filePath(QStringLiteral("none"))).isEmpty());
    }

    void statusCaptionsFollowThePanel()
    {
        CannedCamera camera;
        camera.modelCode = 0x2C; // no row in the model table: no lens profile
        // Camera block: gain index 16 is past GainTable, shutter 21 is the
        // last row, AE mode 0x05 has no menu item; other block: PAL column.
        setBytes(camera.camera, "8:05 10:15 11:03 12:10 14:0E");
        setBytes(camera.other, "12:01");
        const Outcome o =
            run({"status", "--json"}, [&](const QByteArray &p) { return camera.reply(p); });
        QCOMPARE(o.exitCode, 0);
        const QJsonObject status = QJsonDocument::fromJson(o.out.toUtf8()).object();
        const QJsonObject version = status.value("version").toObject();
        QCOMPARE(version.value("modelCode").toInt(), 0x2C);
        QVERIFY(version.value("modelName").isNull());
        QVERIFY(version.value("lens").isNull());
        const QJsonObject block = status.value("camera").toObject();
        const auto caption = [&](const char *name) {
            return block.value(QLatin1String(name)).toObject();
        };
        QCOMPARE(caption("aeMode"), QJsonObject({{"value", 5}, {"caption", QJsonValue()}}));
        QCOMPARE(caption("shutterPosition"), QJsonObject({{"value", 21}, {"caption", "1/10000"}}));
        // Without a model the iris rows exist but are empty, as in the window.
        QCOMPARE(caption("irisPosition"), QJsonObject({{"value", 3}, {"caption", ""}}));
        QCOMPARE(caption("gainPosition"), QJsonObject({{"value", 16}, {"caption", QJsonValue()}}));
        QCOMPARE(caption("expCompPosition"), QJsonObject({{"value", 14}, {"caption", "7/10.5dB"}}));

        // The same read as text: a caption the panel lacks shows as "-".
        const Outcome text = run({"status"}, [&](const QByteArray &p) { return camera.reply(p); });
        QVERIFY2(text.out.contains("\ncamera.gainPosition: - (raw 16)\n"), qPrintable(text.out));
        QVERIFY2(text.out.contains("\nother.shutterColumn: 1\n"), qPrintable(text.out));
    }
};

ZAM_TEST_GUILESS_MAIN(TestCliRules)
#include "test_clirules.moc"
