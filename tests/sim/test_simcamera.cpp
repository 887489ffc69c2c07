// The simulated cameras against the panel's own decoders: commands are
// acknowledged and completed, and the status blocks read back what was
// commanded.

#include <QMap>
#include <QTest>
#include <camerachain.h>
#include <statusblocks.h>

using namespace zam;

namespace {

QByteArray hex(const QString &s) { return QByteArray::fromHex(s.toLatin1()); }

// Packets written "81 01 04 07 00 FF, 81 01 04 07 02 FF".
QList<QByteArray> packets(const QString &list)
{
    QList<QByteArray> out;
    for (const QString &p : list.split(QLatin1Char(','), Qt::SkipEmptyParts))
        out.append(hex(p));
    return out;
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
    // Sends a command and insists on acknowledge + completion.
    void command(const QByteArray &packet, int address = 1)
    {
        const int y0 = 0x80 + 16 * address;
        const QByteArray expected = QByteArray(1, char(y0)) + hex("41FF") + QByteArray(1, char(y0)) + hex("51FF");
        const QByteArray reply = send(packet);
        QVERIFY2(reply == expected, qPrintable(packet.toHex(' ') + " -> " + reply.toHex(' ')));
    }
    void commands(const QString &list)
    {
        for (const QByteArray &p : packets(list)) {
            command(p);
            if (QTest::currentTestFailed())
                return;
        }
    }
    QByteArray block(StatusBlock b, int address = 1) { return send(inquiryPacket(b, address)); }

    // Every value the status blocks show, and the settings no block reports,
    // by name (flags as 0/1).
    QMap<QString, int> status(int address = 1)
    {
        const LensStatus l = decodeLens(block(StatusBlock::Lens, address));
        const CameraStatus c = decodeCamera(block(StatusBlock::Camera, address));
        const OtherStatus o = decodeOther(block(StatusBlock::Other, address));
        const ExtendedStatus e = decodeExtended(block(StatusBlock::Extended, address));
        const sim::CameraState &s = chain.camera(address).state();
        return {
            {"valid", l.valid && c.valid && o.valid && e.valid},
            {"zoom", l.zoomPosition}, {"nearLimit", l.focusNearLimit}, {"focus", l.focusPosition},
            {"focusAuto", l.focusAuto}, {"dzOn", l.digitalZoomOn}, {"afSens", l.afSensitivity},
            {"dzSeparate", l.digitalZoomSeparate}, {"zoomMoving", l.zoomMoving}, {"focusMoving", l.focusMoving},
            {"rGain", c.rGain}, {"bGain", c.bGain}, {"wbMode", c.wbMode}, {"aperture", c.aperture},
            {"aeMode", c.aeMode}, {"slowShutter", c.autoSlowShutter}, {"expComp", c.expComp},
            {"backLight", c.backLight}, {"shutter", c.shutterPosition}, {"iris", c.irisPosition},
            {"gain", c.gainPosition}, {"bright", c.brightPosition}, {"expCompPos", c.expCompPosition},
            {"power", o.power}, {"keyLock", o.keyLock}, {"autoICR", o.autoICR}, {"lrReverse", o.lrReverse},
            {"freeze", o.freeze}, {"dataScreen", o.dataScreen}, {"effect", o.pictureEffect},
            {"deLevel", o.digitalEffectLevel}, {"cameraId", o.cameraId}, {"shutterColumn", o.shutterColumn},
            {"stabilizer", o.imageStabilizer}, {"vPhase", o.vPhase}, {"lineLock", o.lineLock},
            {"vp0180", o.vp0180},
            {"dzPos", e.digitalZoomPosition}, {"flip", e.pictureFlip},
            // Not in any block.
            {"wideD", s.picture.wideDynamicRange}, {"highRes", s.picture.highResolution},
            {"icr", s.picture.icr}, {"icrThreshold", s.picture.icrThreshold}, {"mute", s.mute},
            {"title", chain.camera(address).titles().display}, {"slowAE", s.exposure.slowAE}, {"afMode", s.lens.afMode},
            {"afActive", s.lens.afActiveTime}, {"afInterval", s.lens.afIntervalTime},
        };
    }
};

// "zoom=1234 dzOn=1" (values in hexadecimal).
QMap<QString, int> expectations(const QString &text)
{
    QMap<QString, int> out;
    for (const QString &kv : text.split(QLatin1Char(' '), Qt::SkipEmptyParts)) {
        const QStringList p = kv.split(QLatin1Char('='));
        out.insert(p[0], p[1].toInt(nullptr, 16));
    }
    return out;
}

void compareExcept(const QMap<QString, int> &before, const QMap<QString, int> &after, const QMap<QString, int> &changed)
{
    for (auto it = after.cbegin(); it != after.cend(); ++it) {
        if (changed.contains(it.key()))
            QVERIFY2(it.value() == changed[it.key()],
                     qPrintable(QStringLiteral("%1 = %2, expected %3").arg(it.key()).arg(it.value(), 0, 16).arg(changed[it.key()], 0, 16)));
        else
            QVERIFY2(it.value() == before[it.key()],
                     qPrintable(QStringLiteral("%1 changed from %2 to %3").arg(it.key()).arg(before[it.key()], 0, 16).arg(it.value(), 0, 16)));
    }
}

} // namespace

class TestSimCamera : public QObject {
    Q_OBJECT
private Q_SLOTS:
    // The last packet of `send` is acknowledged and completed; afterwards the
    // fields in `expect` hold their values and nothing else has changed.
    void commandShowsInStatus_data()
    {
        QTest::addColumn<QString>("setup");
        QTest::addColumn<QString>("send");
        QTest::addColumn<QString>("expect");
        // Lens
        QTest::newRow("zoom direct") << "" << "81 01 04 47 01 02 03 04 FF" << "zoom=1234";
        QTest::newRow("zoom past optical tele") << "" << "81 01 04 47 08 0B 0E 00 FF" << "zoom=4000";
        QTest::newRow("zoom past combined tele") << "81 01 04 06 02 FF" << "81 01 04 47 08 0B 0E 00 FF"
                                                 << "zoom=7000 dzPos=DC";
        QTest::newRow("combined digital share") << "81 01 04 06 02 FF" << "81 01 04 47 05 08 00 00 FF"
                                                << "zoom=5800 dzPos=6E";
        QTest::newRow("digital zoom off pulls back") << "81 01 04 06 02 FF, 81 01 04 47 07 00 00 00 FF"
                                                     << "81 01 04 06 03 FF" << "dzOn=0 zoom=4000 dzPos=0";
        QTest::newRow("zoom tele standard speed") << "" << "81 01 04 07 02 FF" << "zoomMoving=1";
        QTest::newRow("zoom wide at the wide end") << "" << "81 01 04 07 33 FF" << "";
        QTest::newRow("focus near standard speed") << "81 01 04 38 03 FF" << "81 01 04 08 03 FF" << "focusMoving=1";
        QTest::newRow("digital zoom on") << "" << "81 01 04 06 02 FF" << "dzOn=1";
        QTest::newRow("separate mode") << "" << "81 01 04 36 01 FF" << "dzSeparate=1";
        QTest::newRow("separate leaves combined range") << "81 01 04 06 02 FF, 81 01 04 47 06 00 00 00 FF"
                                                        << "81 01 04 36 01 FF" << "dzSeparate=1 zoom=4000 dzPos=0";
        QTest::newRow("digital zoom direct") << "81 01 04 06 02 FF, 81 01 04 36 01 FF"
                                             << "81 01 04 46 00 00 0D 0C FF" << "dzPos=DC";
        QTest::newRow("digital x1 to max") << "81 01 04 06 02 FF, 81 01 04 36 01 FF" << "81 01 04 06 10 FF"
                                           << "dzPos=DC";
        QTest::newRow("digital max to x1") << "81 01 04 06 02 FF, 81 01 04 36 01 FF, 81 01 04 46 00 00 01 00 FF"
                                           << "81 01 04 06 10 FF" << "dzPos=0";
        QTest::newRow("focus manual") << "" << "81 01 04 38 03 FF" << "focusAuto=0";
        QTest::newRow("focus auto") << "81 01 04 38 03 FF" << "81 01 04 38 02 FF" << "focusAuto=1";
        QTest::newRow("focus direct") << "81 01 04 38 03 FF" << "81 01 04 48 0A 00 00 00 FF" << "focus=A000";
        QTest::newRow("focus held at near limit") << "81 01 04 38 03 FF, 81 01 04 28 08 00 00 00 FF"
                                                  << "81 01 04 48 0A 00 00 00 FF" << "focus=8000";
        QTest::newRow("near limit pulls focus") << "81 01 04 38 03 FF, 81 01 04 48 0A 00 00 00 FF"
                                                << "81 01 04 28 08 00 00 00 FF" << "nearLimit=8000 focus=8000";
        QTest::newRow("near limit upper nibbles") << "" << "81 01 04 28 08 0A 05 00 FF" << "nearLimit=8A00";
        QTest::newRow("infinity") << "81 01 04 38 03 FF, 81 01 04 48 0A 00 00 00 FF" << "81 01 04 18 02 FF"
                                  << "focus=1000";
        QTest::newRow("AF sensitivity") << "" << "81 01 04 58 02 FF" << "afSens=1";
        QTest::newRow("AF mode interval") << "" << "81 01 04 57 01 FF" << "afMode=1";
        QTest::newRow("AF times") << "" << "81 01 04 27 00 07 01 0A FF" << "afActive=7 afInterval=1A";
        // Exposure
        QTest::newRow("AE manual") << "" << "81 01 04 39 03 FF" << "aeMode=3";
        QTest::newRow("AE bright") << "" << "81 01 04 39 0D FF" << "aeMode=D";
        QTest::newRow("AE iris auto") << "" << "81 01 04 39 1B FF" << "aeMode=1B";
        QTest::newRow("AE full auto") << "81 01 04 39 03 FF" << "81 01 04 39 00 FF" << "aeMode=0";
        QTest::newRow("exposure compensation") << "" << "81 01 04 3E 02 FF" << "expComp=1";
        QTest::newRow("backlight off") << "81 01 04 33 02 FF" << "81 01 04 33 03 FF" << "backLight=0";
        QTest::newRow("auto slow shutter") << "" << "81 01 04 5A 02 FF" << "slowShutter=1";
        QTest::newRow("slow AE") << "" << "81 01 04 5D 1A FF" << "slowAE=1A";
        // White balance
        QTest::newRow("WB indoor") << "" << "81 01 04 35 01 FF" << "wbMode=1";
        QTest::newRow("WB one push") << "" << "81 01 04 35 03 FF" << "wbMode=3";
        QTest::newRow("WB manual") << "" << "81 01 04 35 05 FF" << "wbMode=5";
        QTest::newRow("one-push trigger") << "81 01 04 35 03 FF" << "81 01 04 10 05 FF" << "";
        QTest::newRow("R gain direct") << "" << "81 01 04 43 00 00 0C 08 FF" << "rGain=C8";
        QTest::newRow("B gain direct") << "" << "81 01 04 44 00 00 01 0F FF" << "bGain=1F";
        // Picture
        QTest::newRow("wide-D") << "" << "81 01 04 3D 02 FF" << "wideD=1";
        QTest::newRow("high resolution") << "" << "81 01 04 52 02 FF" << "highRes=1";
        QTest::newRow("ICR") << "" << "81 01 04 01 02 FF" << "icr=1";
        QTest::newRow("auto ICR") << "" << "81 01 04 51 02 FF" << "autoICR=1";
        QTest::newRow("ICR threshold") << "" << "81 01 04 21 00 00 00 0F FF" << "icrThreshold=F";
        QTest::newRow("picture flip") << "" << "81 01 04 66 02 FF" << "flip=1";
        QTest::newRow("LR reverse") << "" << "81 01 04 61 02 FF" << "lrReverse=1";
        QTest::newRow("freeze") << "" << "81 01 04 62 02 FF" << "freeze=1";
        QTest::newRow("freeze off") << "81 01 04 62 02 FF" << "81 01 04 62 03 FF" << "freeze=0";
        QTest::newRow("stabilizer") << "" << "81 01 04 34 02 FF" << "stabilizer=1";
        QTest::newRow("wide mode normal") << "" << "81 01 04 60 00 FF" << "";
        QTest::newRow("negative art") << "" << "81 01 04 63 02 FF" << "effect=1";
        QTest::newRow("black and white") << "" << "81 01 04 63 04 FF" << "effect=4";
        QTest::newRow("effect off") << "81 01 04 63 04 FF" << "81 01 04 63 00 FF" << "effect=0";
        QTest::newRow("digital effect level") << "" << "81 01 04 65 20 FF" << "deLevel=20";
        // System
        QTest::newRow("power standby") << "" << "81 01 04 00 03 FF" << "power=0";
        QTest::newRow("power on") << "81 01 04 00 03 FF" << "81 01 04 00 02 FF" << "power=1";
        QTest::newRow("key lock") << "" << "81 01 04 17 02 FF" << "keyLock=1";
        QTest::newRow("key lock off") << "81 01 04 17 02 FF" << "81 01 04 17 00 FF" << "keyLock=0";
        QTest::newRow("mute") << "" << "81 01 04 75 02 FF" << "mute=1";
        QTest::newRow("camera ID") << "" << "81 01 04 22 01 02 03 04 FF" << "cameraId=1234";
        // Display and sync
        QTest::newRow("data screen") << "" << "81 01 04 15 02 FF" << "dataScreen=1";
        QTest::newRow("title on") << "" << "81 01 04 73 02 FF" << "title=1";
        QTest::newRow("title off") << "81 01 04 73 02 FF" << "81 01 04 74 03 FF" << "title=0";
        QTest::newRow("line lock") << "" << "81 01 04 55 01 FF" << "lineLock=1";
        QTest::newRow("internal") << "81 01 04 55 01 FF" << "81 01 04 55 00 FF" << "lineLock=0";
        QTest::newRow("V-phase 0 degree") << "" << "81 01 04 25 01 FF" << "vp0180=1";
        QTest::newRow("V-phase 180 degree") << "81 01 04 25 01 FF" << "81 01 04 25 00 FF" << "vp0180=0";
        QTest::newRow("V-phase direct max") << "" << "81 01 04 45 00 03 0F 0F FF" << "vPhase=3FF";
        QTest::newRow("V-phase direct bits") << "" << "81 01 04 45 00 02 0A 05 FF" << "vPhase=2A5";
        QTest::newRow("V-phase reset") << "81 01 04 45 00 00 0F 0F FF" << "81 01 04 05 40 FF" << "vPhase=0";
    }
    void commandShowsInStatus()
    {
        QFETCH(QString, setup);
        QFETCH(QString, send);
        QFETCH(QString, expect);
        Rig r;
        r.commands(setup);
        const auto before = r.status();
        r.command(hex(send));
        const auto after = r.status();
        QVERIFY(after["valid"]);
        compareExcept(before, after, expectations(expect));
        // The other camera on the chain saw nothing of it.
        QCOMPARE(r.status(2), Rig().status(2));
    }

    // Step packets move one position and stop at the ends; reset and direct
    // packets set a value; a direct value past the range is refused.
    void levelsStepAndClamp_data()
    {
        QTest::addColumn<int>("step");
        QTest::addColumn<int>("direct");
        QTest::addColumn<int>("hi");
        QTest::addColumn<int>("reset");
        QTest::addColumn<QString>("field");
        QTest::newRow("shutter") << 0x0A << 0x4A << 21 << 6 << "shutter";
        QTest::newRow("iris") << 0x0B << 0x4B << 17 << 8 << "iris";
        QTest::newRow("gain") << 0x0C << 0x4C << 15 << 1 << "gain";
        QTest::newRow("bright") << 0x0D << 0x4D << 31 << 13 << "bright";
        QTest::newRow("exposure compensation") << 0x0E << 0x4E << 14 << 7 << "expCompPos";
        QTest::newRow("aperture") << 0x02 << 0x42 << 15 << 5 << "aperture";
        QTest::newRow("R gain") << 0x03 << 0x43 << 255 << 0x80 << "rGain";
        QTest::newRow("B gain") << 0x04 << 0x44 << 255 << 0x80 << "bGain";
    }
    void levelsStepAndClamp()
    {
        QFETCH(int, step);
        QFETCH(int, direct);
        QFETCH(int, hi);
        QFETCH(int, reset);
        QFETCH(QString, field);
        Rig r;
        const auto stepPacket = [&](int p) { return QByteArray::fromHex("810104") + char(step) + char(p) + char(0xFF); };
        const auto directPacket = [&](int v) {
            return QByteArray::fromHex("810104") + char(direct) + char((v >> 12) & 15) + char((v >> 8) & 15)
                + char((v >> 4) & 15) + char(v & 15) + char(0xFF);
        };
        QCOMPARE(r.status()[field], reset);
        r.command(directPacket(hi));
        r.command(stepPacket(0x02));
        QCOMPARE(r.status()[field], hi);
        r.command(stepPacket(0x03));
        QCOMPARE(r.status()[field], hi - 1);
        r.command(directPacket(0));
        r.command(stepPacket(0x03));
        QCOMPARE(r.status()[field], 0);
        r.command(stepPacket(0x02));
        QCOMPARE(r.status()[field], 1);
        r.command(stepPacket(0x00));
        QCOMPARE(r.status()[field], reset);
        QCOMPARE(r.send(directPacket(hi + 1)), hex("906002FF"));
        QCOMPARE(r.send(stepPacket(0x04)), hex("906002FF"));
        QCOMPARE(r.status()[field], reset);
    }

    // Packets the camera will not take: an error reply, and nothing changes.
    void refused_data()
    {
        QTest::addColumn<QString>("setup");
        QTest::addColumn<QString>("send");
        QTest::addColumn<int>("code");
        QTest::newRow("unknown packet") << "" << "81 01 7F FF" << 0x02;
        QTest::newRow("AE mode 05") << "" << "81 01 04 39 05 FF" << 0x02;
        QTest::newRow("WB mode 6") << "" << "81 01 04 35 06 FF" << 0x02;
        QTest::newRow("zoom speed 8") << "" << "81 01 04 07 28 FF" << 0x02;
        QTest::newRow("zoom nibble 10") << "" << "81 01 04 47 10 00 00 00 FF" << 0x02;
        QTest::newRow("focus before far end") << "81 01 04 38 03 FF" << "81 01 04 48 00 08 00 00 FF" << 0x02;
        QTest::newRow("focus past near end") << "81 01 04 38 03 FF" << "81 01 04 48 0C 00 00 01 FF" << 0x02;
        QTest::newRow("near limit past near end") << "" << "81 01 04 28 0D 00 00 00 FF" << 0x02;
        QTest::newRow("digital zoom past max") << "81 01 04 06 02 FF, 81 01 04 36 01 FF"
                                               << "81 01 04 46 00 00 0D 0D FF" << 0x02;
        QTest::newRow("digital zoom mode 2") << "" << "81 01 04 36 02 FF" << 0x02;
        QTest::newRow("AF mode 3") << "" << "81 01 04 57 03 FF" << 0x02;
        QTest::newRow("V-phase 1024") << "" << "81 01 04 45 00 04 00 00 FF" << 0x02;
        QTest::newRow("camera ID nibble") << "" << "81 01 04 22 01 02 10 03 FF" << 0x02;
        QTest::newRow("ICR threshold 100") << "" << "81 01 04 21 00 01 00 00 FF" << 0x02;
        QTest::newRow("picture effect 01") << "" << "81 01 04 63 01 FF" << 0x02;
        QTest::newRow("switch 04") << "" << "81 01 04 62 04 FF" << 0x02;
        QTest::newRow("key lock 03") << "" << "81 01 04 17 03 FF" << 0x02;
        QTest::newRow("sync 02") << "" << "81 01 04 55 02 FF" << 0x02;
        QTest::newRow("slow AE 00") << "" << "81 01 04 5D 00 FF" << 0x02;
        QTest::newRow("slow AE 21") << "" << "81 01 04 5D 21 FF" << 0x02;
        QTest::newRow("preset 6") << "" << "81 01 04 3F 01 06 FF" << 0x02;
        QTest::newRow("preset action 03") << "" << "81 01 04 3F 03 00 FF" << 0x02;
        QTest::newRow("memory address 8") << "" << "81 01 04 23 08 00 00 00 00 FF" << 0x02;
        QTest::newRow("zoom stop too long") << "" << "81 01 04 07 00 00 FF" << 0x02;
        QTest::newRow("focus drive in auto") << "" << "81 01 04 08 23 FF" << 0x41;
        QTest::newRow("focus direct in auto") << "" << "81 01 04 48 05 00 00 00 FF" << 0x41;
        QTest::newRow("one-push focus in auto") << "" << "81 01 04 18 01 FF" << 0x41;
        QTest::newRow("digital zoom drive while off") << "81 01 04 36 01 FF" << "81 01 04 06 23 FF" << 0x41;
        QTest::newRow("digital zoom direct in combine") << "81 01 04 06 02 FF" << "81 01 04 46 00 00 01 00 FF" << 0x41;
        QTest::newRow("one-push WB in auto WB") << "" << "81 01 04 10 05 FF" << 0x41;
        QTest::newRow("command in standby") << "81 01 04 00 03 FF" << "81 01 04 62 02 FF" << 0x41;
        QTest::newRow("zoom in standby") << "81 01 04 00 03 FF" << "81 01 04 47 01 00 00 00 FF" << 0x41;
    }
    void refused()
    {
        QFETCH(QString, setup);
        QFETCH(QString, send);
        QFETCH(int, code);
        Rig r;
        r.commands(setup);
        const auto before = r.status();
        QCOMPARE(r.send(hex(send)), hex("9060") + char(code) + char(0xFF));
        QCOMPARE(r.status(), before);
    }

    void zoomMovesBetweenStartAndStop()
    {
        Rig r;
        r.command(hex("8101040727FF")); // tele, speed 7: the optical range in 3 s
        r.now = 1500;
        auto s = r.status();
        QVERIFY(s["zoomMoving"]);
        QVERIFY2(qAbs(s["zoom"] - 0x2000) <= 0x10, qPrintable(QString::number(s["zoom"], 16)));
        QCOMPARE(r.status(2)["zoom"], 0); // the other camera stands still
        r.command(hex("8101040700FF"));
        s = r.status();
        QVERIFY(!s["zoomMoving"]);
        const int stopped = s["zoom"];
        r.now = 4000;
        QCOMPARE(r.status()["zoom"], stopped);

        // Wide at speed 0 for 3 s covers an eighth of what speed 7 would.
        r.command(hex("8101040730FF"));
        r.now = 7000;
        s = r.status();
        QVERIFY(s["zoomMoving"]);
        QVERIFY2(qAbs(s["zoom"] - (stopped - 0x800)) <= 0x10, qPrintable(QString::number(s["zoom"], 16)));
        r.command(hex("8101040700FF"));

        // Run into the tele end: held there, and no longer moving.
        r.command(hex("8101040727FF"));
        r.now = 20000;
        s = r.status();
        QCOMPARE(s["zoom"], 0x4000);
        QVERIFY(!s["zoomMoving"]);
        r.command(hex("8101040700FF"));

        // With digital zoom combined the drive continues to the combined end.
        r.command(hex("8101040602FF"));
        r.command(hex("8101040727FF"));
        r.now = 21500;
        s = r.status();
        QVERIFY(s["zoomMoving"]);
        QVERIFY(s["zoom"] > 0x4000 && s["zoom"] < 0x7000);
        QVERIFY(s["dzPos"] > 0 && s["dzPos"] < 0xDC);
        r.now = 40000;
        QCOMPARE(r.status()["zoom"], 0x7000);
        // Wide from there runs down to the wide end.
        r.command(hex("8101040737FF"));
        r.now = 60000;
        s = r.status();
        QCOMPARE(s["zoom"], 0);
        QVERIFY(!s["zoomMoving"]);
    }

    void focusMovesWithinNearLimit()
    {
        Rig r;
        r.command(hex("8101043803FF"));
        r.command(hex("81010428080000" "00FF")); // near limit 8000
        r.command(hex("8101040837FF"));          // near, speed 7: 1000..C000 in 3 s
        r.now = 1000;
        auto s = r.status();
        QVERIFY(s["focusMoving"]);
        QVERIFY2(qAbs(s["focus"] - (0x1000 + 0xB000 / 3)) <= 0x20, qPrintable(QString::number(s["focus"], 16)));
        QVERIFY(!s["zoomMoving"]);
        r.now = 5000;
        s = r.status();
        QCOMPARE(s["focus"], 0x8000);
        QVERIFY(!s["focusMoving"]);
        r.command(hex("8101040827FF")); // far
        r.now = 6000;
        QVERIFY(r.status()["focus"] < 0x8000);
        // Automatic focus stops a manual drive.
        r.command(hex("8101043802FF"));
        s = r.status();
        QVERIFY(!s["focusMoving"]);
        r.now = 9000;
        QCOMPARE(r.status()["focus"], s["focus"]);
    }

    void separateDigitalZoomMoves()
    {
        Rig r;
        r.commands("81 01 04 06 02 FF, 81 01 04 36 01 FF, 81 01 04 06 27 FF");
        r.now = 1500;
        QVERIFY(qAbs(r.status()["dzPos"] - 0xDC / 2) <= 2);
        r.command(hex("8101040600FF"));
        const int held = r.status()["dzPos"];
        r.now = 3000;
        QCOMPARE(r.status()["dzPos"], held);
        QCOMPARE(r.status()["zoom"], 0); // the optical zoom did not move
    }

    void presetsKeepLensExposureAndWhiteBalance_data()
    {
        QTest::addColumn<int>("slot");
        QTest::newRow("preset 0") << 0x00;
        QTest::newRow("preset 5") << 0x05;
        QTest::newRow("custom") << 0x7F;
    }
    void presetsKeepLensExposureAndWhiteBalance()
    {
        QFETCH(int, slot);
        const auto preset = [&](int op) { return hex("8101043F") + char(op) + char(slot) + char(0xFF); };
        Rig r;
        const auto factory = r.status();
        r.commands("81 01 04 47 01 02 03 04 FF, 81 01 04 38 03 FF, 81 01 04 48 05 00 00 00 FF,"
                   "81 01 04 39 03 FF, 81 01 04 4C 00 00 00 05 FF, 81 01 04 35 05 FF, 81 01 04 43 00 00 04 00 FF");
        const auto stored = r.status();
        r.command(preset(0x01));
        r.commands("81 01 04 47 00 00 00 00 FF, 81 01 04 38 02 FF, 81 01 04 39 00 FF, 81 01 04 0C 00 FF,"
                   "81 01 04 35 00 FF, 81 01 04 03 00 FF, 81 01 04 62 02 FF");
        r.command(preset(0x02));
        auto s = r.status();
        for (const char *f : {"zoom", "focusAuto", "focus", "aeMode", "gain", "wbMode", "rGain"})
            QVERIFY2(s[f] == stored[f], f);
        QCOMPARE(s["freeze"], 1); // picture functions are not part of a preset
        // Another slot still holds the start values.
        r.command(hex("8101043F0203FF"));
        QCOMPARE(r.status()["zoom"], factory["zoom"]);
        // A reset slot recalls the start values.
        r.command(preset(0x02));
        r.command(preset(0x00));
        r.command(preset(0x02));
        s = r.status();
        for (const char *f : {"zoom", "focusAuto", "focus", "aeMode", "gain", "wbMode", "rGain"})
            QVERIFY2(s[f] == factory[f], f);
    }

    void userMemoryReadsBackWhatWasWritten()
    {
        Rig r;
        r.command(hex("81010423050A03000FFF"));
        r.command(hex("8101042307010F0F0EFF"));
        QCOMPARE(r.send(hex("8109042305FF")), hex("90500A03000FFF"));
        QCOMPARE(r.send(hex("8109042307FF")), hex("9050010F0F0EFF"));
        QCOMPARE(r.send(hex("8109042306FF")), hex("905000000000FF"));
        QCOMPARE(r.send(hex("8109042308FF")), hex("906002FF"));
        // Each camera has its own.
        QCOMPARE(r.send(hex("8209042305FF")), hex("A05000000000FF"));
    }

    void standbyAnswersInquiries()
    {
        Rig r;
        r.command(hex("8101040003FF"));
        const QByteArray other = r.block(StatusBlock::Other);
        QCOMPARE(other.size(), 16);
        QVERIFY(!decodeOther(other).power);
        QCOMPARE(r.send(hex("81090002FF")).size(), 10);
        r.command(hex("8101040002FF"));
        r.command(hex("8101046202FF"));
        QVERIFY(r.status()["freeze"]);
    }

    // Every block: 16 bytes y0 50 .. FF, and no bit outside the layout set,
    // even with every flag on.
    void blocksKeepUnusedBitsClear()
    {
        Rig r;
        r.commands("81 01 04 06 02 FF, 81 01 04 36 01 FF, 81 01 04 58 02 FF, 81 01 04 07 27 FF,"
                   "81 01 04 3E 02 FF, 81 01 04 33 02 FF, 81 01 04 5A 02 FF, 81 01 04 17 02 FF,"
                   "81 01 04 51 02 FF, 81 01 04 61 02 FF, 81 01 04 62 02 FF, 81 01 04 15 02 FF,"
                   "81 01 04 34 02 FF, 81 01 04 55 01 FF, 81 01 04 25 01 FF, 81 01 04 45 00 03 0F 0F FF,"
                   "81 01 04 66 02 FF, 81 01 04 22 0F 0F 0F 0F FF, 81 01 04 46 00 00 0D 0C FF");
        r.chain.camera(1).state().shutterColumn = 1;
        r.now = 100;
        // Allowed bits per reply byte 2..14.
        const QMap<StatusBlock, QList<int>> allowed{
            {StatusBlock::Lens, {0x0F, 0x0F, 0x0F, 0x0F, 0x0F, 0x0F, 0x0F, 0x0F, 0x0F, 0x0F, 0x00, 0x27, 0x03}},
            {StatusBlock::Camera, {0x0F, 0x0F, 0x0F, 0x0F, 0x07, 0x0F, 0x1F, 0x07, 0x1F, 0x1F, 0x0F, 0x1F, 0x0F}},
            {StatusBlock::Other, {0x07, 0x0C, 0x04, 0x07, 0x00, 0xFF, 0x0F, 0x0F, 0x0F, 0x0F, 0x03, 0x3F, 0x3F}},
            {StatusBlock::Extended, {0x0F, 0x0F, 0, 0, 0, 0, 0, 0, 0x01, 0, 0, 0, 0}},
        };
        for (auto it = allowed.cbegin(); it != allowed.cend(); ++it) {
            const QByteArray b = r.block(it.key());
            QCOMPARE(b.size(), 16);
            QVERIFY(replyFrameValid(it.key(), b, 1));
            for (int i = 2; i <= 14; ++i)
                QVERIFY2((std::uint8_t(b[i]) & ~it.value()[i - 2]) == 0,
                         qPrintable(QStringLiteral("block %1 byte %2 = %3").arg(int(it.key())).arg(i).arg(std::uint8_t(b[i]), 0, 16)));
        }
        const auto s = r.status();
        QCOMPARE(s["shutterColumn"], 1);
        QVERIFY(s["zoomMoving"]);
        QCOMPARE(r.block(StatusBlock::Lens, 2).at(0), char(0xA0));
        QVERIFY(replyFrameValid(StatusBlock::Camera, r.block(StatusBlock::Camera, 2), 2));
    }

    void alarmInquiries_data()
    {
        QTest::addColumn<bool>("active");
        QTest::addColumn<int>("mode");
        QTest::addColumn<int>("day");
        QTest::addColumn<int>("night");
        QTest::addColumn<int>("current");
        QTest::addColumn<QString>("replies");
        QTest::newRow("running") << true << 0x05 << 0x012 << 0x034 << 0x056
                                 << "90 50 02 FF, 90 50 05 FF, 90 50 00 01 02 00 03 04 00 05 06 FF";
        QTest::newRow("stopped") << false << 0x0C << 0xFFF << 0x2A0 << 0xABC
                                 << "90 50 03 FF, 90 50 0C FF, 90 50 0F 0F 0F 02 0A 00 0A 0B 0C FF";
    }
    void alarmInquiries()
    {
        QFETCH(bool, active);
        QFETCH(int, mode);
        QFETCH(int, day);
        QFETCH(int, night);
        QFETCH(int, current);
        QFETCH(QString, replies);
        Rig r;
        auto &s = r.chain.camera(1).state();
        s.mdActive = active;
        s.mdMode = mode;
        s.mdDayLevel = day;
        s.mdNightLevel = night;
        s.mdNowLevel = current;
        const auto expected = packets(replies);
        QCOMPARE(r.send(hex("8109046BFF")), expected[0]);
        QCOMPARE(r.send(hex("8109046CFF")), expected[1]);
        QCOMPARE(r.send(hex("8109046DFF")), expected[2]);
    }
};

QTEST_GUILESS_MAIN(TestSimCamera)
#include "test_simcamera.moc"
