// The simulated cameras against the panel's own decoders: commands are
// acknowledged and completed, the status blocks read back what was commanded,
// packets out of range or out of place are refused, and the zoom motor and
// the presets behave as the panel expects. (The user memory and the alarm
// inquiries are read back through the panel's own tests.)

#include "support/statusfields.h"
#include "support/testmain.h"
#include <QMap>
#include <QTest>
#include <camerachain.h>
#include <statusblocks.h>

using namespace zam;

namespace {

QByteArray hex(const QString &s)
{
    return QByteArray::fromHex(s.toLatin1());
}

// A command to camera 1 written without its head and tail: "47 01 02 03 04"
// is 81 01 04 47 01 02 03 04 FF.
QByteArray command(const QString &body)
{
    return hex("810104" + body + "FF");
}

struct Rig {
    sim::CameraChain chain{2};
    std::int64_t now = 0;

    QByteArray send(const QByteArray &packet)
    {
        QByteArray out;
        for (const auto &piece : chain.feed(packet, now))
            out.append(piece.bytes);
        return out;
    }
    // Sends commands "07 27, 07 00" and insists on acknowledge + completion.
    void commands(const QString &list)
    {
        for (const QString &body : list.split(QLatin1Char(','), Qt::SkipEmptyParts)) {
            const QByteArray reply = send(command(body));
            QVERIFY2(reply == hex("9041FF9051FF"), qPrintable(body + " -> " + reply.toHex(' ')));
        }
    }
    QByteArray block(StatusBlock b, int address = 1) { return send(inquiryPacket(b, address)); }
    // The first camera's status once the clock reads `ms`.
    QMap<QString, int> at(std::int64_t ms)
    {
        now = ms;
        return status();
    }

    // Every value the status blocks show, and the settings no block reports,
    // by name (flags as 0/1).
    QMap<QString, int> status(int address = 1)
    {
        QMap<QString, int> out{{"valid", 1}};
        for (StatusBlock b :
             {StatusBlock::Lens, StatusBlock::Camera, StatusBlock::Other, StatusBlock::Extended}) {
            const QMap<QString, int> fields = statusFields(b, block(b, address));
            for (auto it = fields.cbegin(); it != fields.cend(); ++it)
                out[it.key()] = it.key() == u"valid" ? out["valid"] && *it : *it;
        }
        const sim::CameraState &s = chain.camera(address).state();
        // clang-format off
        out.insert({
            // Not in any block.
            {"wideD", s.picture.wideDynamicRange}, {"highRes", s.picture.highResolution},
            {"icr", s.picture.icr}, {"icrThreshold", s.picture.icrThreshold}, {"mute", s.mute},
            {"title", chain.camera(address).titles().display}, {"slowAE", s.exposure.slowAE},
            {"afMode", s.lens.afMode}, {"afActive", s.lens.afActiveTime}, {"afInterval", s.lens.afIntervalTime}});
        // clang-format on
        return out;
    }
};

// `after` equals `before` but for the fields in `changes`, "zoom=1234 dzOn=1"
// (values in hexadecimal), which hold those values.
void compareExcept(const QMap<QString, int> &before, const QMap<QString, int> &after,
                   const QString &changes)
{
    QMap<QString, int> expected = before;
    for (const QString &kv : changes.split(QLatin1Char(' '), Qt::SkipEmptyParts))
        expected.insert(kv.section('=', 0, 0), kv.section('=', 1).toInt(nullptr, 16));
    for (auto it = after.cbegin(); it != after.cend(); ++it)
        QCOMPARE(std::pair(it.key(), it.value()), std::pair(it.key(), expected[it.key()]));
}

} // namespace

class TestSimCamera : public QObject {
    Q_OBJECT
private Q_SLOTS:
    // The last command of `send` is acknowledged and completed; afterwards the
    // fields in `expect` hold their values and nothing else has changed.
    void commandShowsInStatus_data()
    {
        QTest::addColumn<QString>("send");
        QTest::addColumn<QString>("expect");
        const auto row = [](const char *tag, const char *send, const char *expect) {
            QTest::newRow(tag) << QString(send) << QString(expect);
        };
        // clang-format off
        row("zoom direct", "47 01 02 03 04", "zoom=1234");
        row("zoom past optical tele", "47 08 0B 0E 00", "zoom=4000");
        row("zoom past combined tele", "06 02, 47 08 0B 0E 00", "zoom=7000 dzPos=DC");
        row("combined digital share", "06 02, 47 05 08 00 00", "zoom=5800 dzPos=6E");
        row("digital zoom off pulls back", "06 02, 47 07 00 00 00, 06 03", "dzOn=0 zoom=4000 dzPos=0");
        row("digital zoom on", "06 02", "dzOn=1");
        row("separate leaves combined range", "06 02, 47 06 00 00 00, 36 01", "dzSeparate=1 zoom=4000 dzPos=0");
        row("digital zoom direct", "06 02, 36 01, 46 00 00 0D 0C", "dzPos=DC");
        row("digital x1 to max", "06 02, 36 01, 06 10", "dzPos=DC");
        row("focus auto", "38 03, 38 02", "focusAuto=1");
        row("focus direct", "38 03, 48 0A 00 00 00", "focus=A000");
        row("focus held at near limit", "38 03, 28 08 00 00 00, 48 0A 00 00 00", "focus=8000");
        row("near limit pulls focus", "38 03, 48 0A 00 00 00, 28 08 00 00 00", "nearLimit=8000 focus=8000");
        row("infinity", "38 03, 48 0A 00 00 00, 18 02", "focus=1000");
        row("AF sensitivity", "58 02", "afSens=1");
        row("AF times", "27 00 07 01 0A", "afActive=7 afInterval=1A");
        row("AE iris auto", "39 1B", "aeMode=1B");
        row("exposure compensation", "3E 02", "expComp=1");
        row("WB manual", "35 05", "wbMode=5");
        row("one-push trigger", "35 03, 10 05", "");
        row("picture flip", "66 02", "flip=1");
        row("freeze", "62 02", "freeze=1");
        row("negative art", "63 02", "effect=1");
        row("black and white, then off", "63 04, 63 00", "effect=0");
        row("digital effect level", "65 20", "deLevel=20");
        row("power standby", "00 03", "power=0");
        row("power on from standby", "00 03, 00 02", "power=1");
        row("key lock", "17 02", "keyLock=1");
        row("key lock off", "17 02, 17 00", "keyLock=0");
        row("camera ID", "22 01 02 03 04", "cameraId=1234");
        row("title on", "73 02", "title=1");
        row("title off", "73 02, 74 03", "title=0");
        row("line lock, then internal", "55 01, 55 00", "lineLock=0");
        row("V-phase 0 degree", "25 01", "vp0180=1");
        row("V-phase direct", "45 00 02 0A 05", "vPhase=2A5");
        row("V-phase reset", "45 00 00 0F 0F, 05 40", "vPhase=0");
        // clang-format on
    }
    void commandShowsInStatus()
    {
        QFETCH(QString, send);
        QFETCH(QString, expect);
        Rig r;
        const QString setup = send.section(QLatin1Char(','), 0, -2),
                      last = send.section(QLatin1Char(','), -1);
        r.commands(setup);
        const auto before = r.status();
        r.commands(last);
        const auto after = r.status();
        QVERIFY(after["valid"]);
        compareExcept(before, after, expect);
        // The other camera on the chain saw nothing of it.
        QCOMPARE(r.status(2), Rig().status(2));
    }

    // Commands the camera will not take: an error reply (02 syntax, 41 not
    // executable now), and nothing changes.
    void refused_data()
    {
        QTest::addColumn<QString>("send");
        QTest::addColumn<int>("code");
        // clang-format off
        QTest::newRow("unknown command") << "7F" << 0x02;
        QTest::newRow("AE mode 05") << "39 05" << 0x02;
        QTest::newRow("zoom nibble 10") << "47 10 00 00 00" << 0x02;
        QTest::newRow("focus past near end") << "38 03, 48 0C 00 00 01" << 0x02;
        QTest::newRow("digital zoom past max") << "06 02, 36 01, 46 00 00 0D 0D" << 0x02;
        QTest::newRow("V-phase 1024") << "45 00 04 00 00" << 0x02;
        QTest::newRow("preset 6") << "3F 01 06" << 0x02;
        QTest::newRow("memory address 8") << "23 08 00 00 00 00" << 0x02;
        QTest::newRow("focus drive in auto") << "08 23" << 0x41;
        QTest::newRow("digital zoom drive while off") << "36 01, 06 23" << 0x41;
        QTest::newRow("digital zoom direct in combine") << "06 02, 46 00 00 01 00" << 0x41;
        QTest::newRow("one-push WB in auto WB") << "10 05" << 0x41;
        QTest::newRow("command in standby") << "00 03, 62 02" << 0x41;
        // clang-format on
    }
    void refused()
    {
        QFETCH(QString, send);
        QFETCH(int, code);
        Rig r;
        r.commands(send.section(QLatin1Char(','), 0, -2));
        const auto before = r.status();
        QCOMPARE(r.send(command(send.section(QLatin1Char(','), -1))),
                 hex("9060") + char(code) + char(0xFF));
        QCOMPARE(r.status(), before);
    }

    void zoomMovesBetweenStartAndStop()
    {
        Rig r;
        r.commands("07 27"); // tele, speed 7: the optical range in 3 s
        auto s = r.at(1500);
        QVERIFY(s["zoomMoving"]);
        QVERIFY2(qAbs(s["zoom"] - 0x2000) <= 0x10, qPrintable(QString::number(s["zoom"], 16)));
        QCOMPARE(r.status(2)["zoom"], 0); // the other camera stands still
        r.commands("07 00");
        s = r.status();
        QVERIFY(!s["zoomMoving"]);
        const int stopped = s["zoom"];
        QCOMPARE(r.at(4000)["zoom"], stopped);

        // Wide at speed 0 for 3 s covers an eighth of what speed 7 would.
        r.commands("07 30");
        s = r.at(7000);
        QVERIFY(s["zoomMoving"]);
        QVERIFY2(qAbs(s["zoom"] - (stopped - 0x800)) <= 0x10,
                 qPrintable(QString::number(s["zoom"], 16)));

        // Run into the tele end: held there, and no longer moving.
        r.commands("07 00, 07 27");
        s = r.at(20000);
        QCOMPARE(s["zoom"], 0x4000);
        QVERIFY(!s["zoomMoving"]);

        // With digital zoom combined the drive continues to the combined end.
        r.commands("07 00, 06 02, 07 27");
        s = r.at(21500);
        QVERIFY(s["zoomMoving"]);
        QVERIFY(s["zoom"] > 0x4000 && s["zoom"] < 0x7000);
        QVERIFY(s["dzPos"] > 0 && s["dzPos"] < 0xDC);
        QCOMPARE(r.at(40000)["zoom"], 0x7000);
    }

    // Set keeps lens, exposure and white balance (not picture functions) for
    // recall; another slot keeps its own; reset gives back the start values.
    void presetsKeepLensExposureAndWhiteBalance()
    {
        const int slot = 0x7F; // the custom preset, kept as the numbered ones are
        const auto preset = [&](int op) { return QString::asprintf("3F %02X %02X", op, slot); };
        const char *kept[] = {"zoom", "focusAuto", "focus", "aeMode", "gain", "wbMode", "rGain"};
        Rig r;
        const auto factory = r.status();
        r.commands(
            "47 01 02 03 04, 38 03, 48 05 00 00 00, 39 03, 4C 00 00 00 05, 35 05, 43 00 00 04 00");
        const auto stored = r.status();
        r.commands(preset(0x01) + ", 47 00 00 00 00, 38 02, 39 00, 0C 00, 35 00, 03 00, 62 02, " +
                   preset(0x02));
        auto s = r.status();
        for (const char *f : kept)
            QVERIFY2(s[f] == stored[f], f);
        QCOMPARE(s["freeze"], 1);
        r.commands("3F 02 03");
        QCOMPARE(r.status()["zoom"], factory["zoom"]);
        r.commands(preset(0x02) + ',' + preset(0x00) + ',' + preset(0x02));
        s = r.status();
        for (const char *f : kept)
            QVERIFY2(s[f] == factory[f], f);
    }
};

ZAM_TEST_GUILESS_MAIN(TestSimCamera)
#include "test_simcamera.moc"
