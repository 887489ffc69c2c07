#include "statusblocks.h"

#include <QMap>
#include <QTest>

using namespace zam;

Q_DECLARE_METATYPE(zam::StatusBlock)

namespace {

// A well-framed 16-byte block (90 50 00 .. 00 FF) with bytes replaced as
// "index:hex index:hex ...".
QByteArray block(const QString &sets = {}, int header = 0x90)
{
    QByteArray b(16, '\0');
    b[0] = char(header);
    b[1] = char(0x50);
    b[15] = char(0xFF);
    for (const QString &set : sets.split(QLatin1Char(' '), Qt::SkipEmptyParts)) {
        const QStringList iv = set.split(QLatin1Char(':'));
        b[iv[0].toInt()] = char(iv[1].toInt(nullptr, 16));
    }
    return b;
}

// Every decoded value of a block by name, flags as 0/1.
QMap<QString, int> decoded(StatusBlock block, const QByteArray &r)
{
    switch (block) {
    case StatusBlock::Lens: {
        const LensStatus s = decodeLens(r);
        return {{"valid", s.valid},         {"zoom", s.zoomPosition},
                {"nearLimit", s.focusNearLimit}, {"focus", s.focusPosition},
                {"focusAuto", s.focusAuto}, {"dzOn", s.digitalZoomOn},
                {"afSens", s.afSensitivity}, {"dzSeparate", s.digitalZoomSeparate},
                {"zoomMoving", s.zoomMoving}, {"focusMoving", s.focusMoving}};
    }
    case StatusBlock::Camera: {
        const CameraStatus s = decodeCamera(r);
        return {{"valid", s.valid},     {"rGain", s.rGain},         {"bGain", s.bGain},
                {"wb", s.wbMode},       {"aperture", s.aperture},   {"ae", s.aeMode},
                {"autoSlow", s.autoSlowShutter}, {"expComp", s.expComp},
                {"backLight", s.backLight}, {"shutter", s.shutterPosition},
                {"iris", s.irisPosition}, {"gain", s.gainPosition},
                {"bright", s.brightPosition}, {"expCompPos", s.expCompPosition}};
    }
    case StatusBlock::Other: {
        const OtherStatus s = decodeOther(r);
        return {{"valid", s.valid},       {"power", s.power},         {"keyLock", s.keyLock},
                {"autoICR", s.autoICR},   {"lr", s.lrReverse},        {"freeze", s.freeze},
                {"dataScreen", s.dataScreen}, {"effect", s.pictureEffect},
                {"deLevel", s.digitalEffectLevel}, {"id", s.cameraId},
                {"column", s.shutterColumn}, {"stabi", s.imageStabilizer},
                {"vPhase", s.vPhase},     {"lineLock", s.lineLock},   {"vp0180", s.vp0180}};
    }
    case StatusBlock::Extended: {
        const ExtendedStatus s = decodeExtended(r);
        return {{"valid", s.valid}, {"dzoom", s.digitalZoomPosition}, {"flip", s.pictureFlip}};
    }
    case StatusBlock::Version:
        break;
    }
    return {};
}

} // namespace

class TestStatusBlocks : public QObject {
    Q_OBJECT

private slots:
    void inquiryPackets_data();
    void inquiryPackets();
    void frameChecks_data();
    void frameChecks();
    void decode_data();
    void decode();
    void versionDecode();
    void decodersAreTotal();
    void digitalZoomControls_data();
    void digitalZoomControls();
    void modeUpdates_data();
    void modeUpdates();
    void captionRules();
};

void TestStatusBlocks::inquiryPackets_data()
{
    QTest::addColumn<StatusBlock>("block");
    QTest::addColumn<int>("address");
    QTest::addColumn<QByteArray>("packet");

    QTest::newRow("version 1") << StatusBlock::Version << 1 << QByteArray::fromHex("81090002FF");
    QTest::newRow("lens 1") << StatusBlock::Lens << 1 << QByteArray::fromHex("81097E7E00FF");
    QTest::newRow("camera 3") << StatusBlock::Camera << 3 << QByteArray::fromHex("83097E7E01FF");
    QTest::newRow("other 7") << StatusBlock::Other << 7 << QByteArray::fromHex("87097E7E02FF");
    QTest::newRow("extended 2") << StatusBlock::Extended << 2 << QByteArray::fromHex("82097E7E03FF");
    QTest::newRow("no header byte") << StatusBlock::Lens << 0x80 << QByteArray();
}

void TestStatusBlocks::inquiryPackets()
{
    QFETCH(StatusBlock, block);
    QFETCH(int, address);
    QFETCH(QByteArray, packet);
    QCOMPARE(inquiryPacket(block, address), packet);
}

void TestStatusBlocks::frameChecks_data()
{
    QTest::addColumn<StatusBlock>("block");
    QTest::addColumn<QByteArray>("reply");
    QTest::addColumn<int>("address");
    QTest::addColumn<bool>("strict");
    QTest::addColumn<bool>("showable");

    const QByteArray good = block();
    QByteArray placeholder;
    for (int i = 0; i < 16; ++i)
        placeholder.append(char(i));
    const QByteArray version = QByteArray::fromHex("905000000020000000FF");

    QTest::newRow("good") << StatusBlock::Lens << good << 1 << true << true;
    QTest::newRow("trailing bytes") << StatusBlock::Camera << good + QByteArray::fromHex("9041FF")
                                    << 1 << true << true;
    QTest::newRow("one short") << StatusBlock::Lens << good.left(15) << 1 << false << false;
    QTest::newRow("empty") << StatusBlock::Other << QByteArray() << 1 << false << false;
    QTest::newRow("terminator early") << StatusBlock::Lens << block("14:FF 15:00") << 1 << false
                                      << false;
    QTest::newRow("acknowledge") << StatusBlock::Lens << block("1:41") << 1 << false << false;
    QTest::newRow("other camera") << StatusBlock::Lens << block({}, 0xA0) << 1 << false << true;
    QTest::newRow("camera 7") << StatusBlock::Extended << block({}, 0xF0) << 7 << true << true;
    QTest::newRow("header bit 7 clear") << StatusBlock::Lens << block({}, 0x10) << 1 << false
                                        << false;
    QTest::newRow("address 8") << StatusBlock::Lens << good << 8 << false << true;
    QTest::newRow("wait placeholder") << StatusBlock::Lens << placeholder << 1 << false << false;
    QTest::newRow("version") << StatusBlock::Version << version << 1 << true << true;
    QTest::newRow("version as block") << StatusBlock::Lens << version << 1 << false << false;
    QTest::newRow("block as version") << StatusBlock::Version << good << 1 << false << false;
}

void TestStatusBlocks::frameChecks()
{
    QFETCH(StatusBlock, block);
    QFETCH(QByteArray, reply);
    QFETCH(int, address);
    QFETCH(bool, strict);
    QFETCH(bool, showable);
    QCOMPARE(replyFrameValid(block, reply, address), strict);
    QCOMPARE(replyFrameShowable(block, reply), showable);
}

void TestStatusBlocks::decode_data()
{
    QTest::addColumn<StatusBlock>("block");
    QTest::addColumn<QByteArray>("reply");
    // The values that differ from 0; "valid" is 1 unless listed.
    QTest::addColumn<QString>("expected");

    const auto L = StatusBlock::Lens, C = StatusBlock::Camera, O = StatusBlock::Other,
               E = StatusBlock::Extended;
    // clang-format off
    QTest::newRow("lens positions") << L << block("2:04 3:00 4:0A 5:0F 6:0C 7:01 8:01 9:02 10:03 11:04")
        << "zoom=16559 nearLimit=49408 focus=4660";
    QTest::newRow("nibbles low bits only") << L << block("2:F1 5:72 7:3F") << "zoom=4098 nearLimit=3840";
    QTest::newRow("focus auto") << L << block("13:01") << "focusAuto=1";
    QTest::newRow("dzoom on") << L << block("13:02") << "dzOn=1";
    QTest::newRow("af sens") << L << block("13:04") << "afSens=1";
    QTest::newRow("separate") << L << block("13:20") << "dzSeparate=1";
    QTest::newRow("unused bits") << L << block("13:D8 14:FC") << "";
    QTest::newRow("both moving") << L << block("14:03") << "zoomMoving=1 focusMoving=1";
    QTest::newRow("lens of other camera") << L << block("13:01", 0xC0) << "focusAuto=1";
    QTest::newRow("lens bad terminator") << L << block("2:0F 13:3F 15:00") << "valid=0";

    QTest::newRow("gains") << C << block("2:0F 3:0F 4:03 5:0A") << "rGain=255 bGain=58";
    QTest::newRow("modes") << C << block("6:05 7:0F 8:0D") << "wb=5 aperture=15 ae=13";
    QTest::newRow("raw codes") << C << block("6:86 8:1B") << "wb=134 ae=27";
    QTest::newRow("positions") << C << block("10:15 11:11 12:0F 13:1F 14:0E")
        << "shutter=21 iris=17 gain=15 bright=31 expCompPos=14";
    QTest::newRow("past tables") << C << block("10:16 13:F0") << "shutter=22 bright=240";
    QTest::newRow("auto slow") << C << block("9:01") << "autoSlow=1";
    QTest::newRow("exp comp") << C << block("9:02") << "expComp=1";
    QTest::newRow("backlight") << C << block("9:04") << "backLight=1";
    QTest::newRow("unused 9") << C << block("9:F8") << "";
    QTest::newRow("camera short") << C << block("9:07").left(15) << "valid=0";

    QTest::newRow("power") << O << block("2:01") << "power=1";
    QTest::newRow("key lock") << O << block("2:02") << "keyLock=1";
    QTest::newRow("auto ICR") << O << block("2:04") << "autoICR=1";
    QTest::newRow("LR reverse") << O << block("3:04") << "lr=1";
    QTest::newRow("freeze") << O << block("3:08") << "freeze=1";
    QTest::newRow("data screen") << O << block("4:04") << "dataScreen=1";
    QTest::newRow("unused 2-4") << O << block("2:F8 3:F3 4:FB") << "";
    QTest::newRow("effect, level") << O << block("5:04 6:77 7:C8") << "effect=4 deLevel=200";
    QTest::newRow("camera id") << O << block("8:0A 9:0B 10:0C 11:0D") << "id=43981";
    QTest::newRow("column") << O << block("12:01") << "column=1";
    QTest::newRow("stabilizer") << O << block("12:02") << "stabi=1";
    QTest::newRow("v-phase max") << O << block("13:0F 14:3F") << "vPhase=1023";
    QTest::newRow("v-phase 112") << O << block("13:01 14:30") << "vPhase=112";
    QTest::newRow("all of 13, 14") << O << block("13:FF 14:FF") << "vPhase=1023 lineLock=1 vp0180=1";
    QTest::newRow("line lock") << O << block("13:10") << "lineLock=1";
    QTest::newRow("0/180") << O << block("13:20") << "vp0180=1";
    QTest::newRow("other ack") << O << block("1:41 12:01") << "valid=0";

    QTest::newRow("dzoom tele") << E << block("2:0F 3:0F") << "dzoom=255";
    QTest::newRow("flip") << E << block("2:02 10:01") << "dzoom=32 flip=1";
    QTest::newRow("unused 10") << E << block("10:FE") << "";
    QTest::newRow("extended header bit") << E << block("10:01", 0x7F) << "valid=0";
    // clang-format on
}

void TestStatusBlocks::decode()
{
    QFETCH(StatusBlock, block);
    QFETCH(QByteArray, reply);
    QFETCH(QString, expected);

    QMap<QString, int> want = decoded(block, QByteArray()); // every field, defaults
    QVERIFY(!want.isEmpty());
    want["valid"] = 1;
    for (const QString &kv : expected.split(QLatin1Char(' '), Qt::SkipEmptyParts)) {
        const QStringList p = kv.split(QLatin1Char('='));
        QVERIFY2(want.contains(p[0]), qPrintable(p[0]));
        want[p[0]] = p[1].toInt();
    }
    QCOMPARE(decoded(block, reply), want);
}

void TestStatusBlocks::versionDecode()
{
    // Camera 3 answering: model code in byte 5.
    const QByteArray reply = QByteArray::fromHex("B05000200041000000FF");
    QCOMPARE(decodeVersion(reply, 3).modelCode, 0x41);
    QVERIFY(decodeVersion(reply, 3).valid);
    // To camera 1 the same reply is foreign: it looks like a reply, but no
    // model may be taken from it.
    QVERIFY(replyFrameShowable(StatusBlock::Version, reply));
    QVERIFY(!decodeVersion(reply, 1).valid);
    QCOMPARE(decodeVersion(reply, 1).modelCode, 0);
    QVERIFY(!decodeVersion(reply.left(9), 3).valid);
}

void TestStatusBlocks::decodersAreTotal()
{
    // Every length up to well past a block, with a walking byte pattern
    // behind a good header; nothing may read past the array (sanitizer build).
    QByteArray b = QByteArray::fromHex("9050");
    for (int n = 2; n <= 40; b.append(char(n++ * 37))) {
        for (int len : {-5, 0, 1, 10, 16, 100})
            QCOMPARE(replyFrameValid(b.left(1), len, 1), false);
        QCOMPARE(decodeVersion(b, 1 << 30).valid, false);
        const bool showable = replyFrameShowable(b, 16);
        QVERIFY(b.size() >= 16 || !showable);
        QCOMPARE(decodeLens(b).valid && decodeCamera(b).valid && decodeOther(b).valid &&
                     decodeExtended(b).valid,
                 showable);
    }
}

void TestStatusBlocks::digitalZoomControls_data()
{
    QTest::addColumn<bool>("on");
    QTest::addColumn<bool>("separate");
    QTest::addColumn<bool>("onEnabled");
    QTest::addColumn<bool>("buttons");
    QTest::addColumn<bool>("fullSlider");

    // The full-range slider only with digital zoom on in combine mode.
    QTest::newRow("off, combine") << false << false << true << false << false;
    QTest::newRow("on, combine") << true << false << false << false << true;
    QTest::newRow("off, separate") << false << true << true << true << false;
    QTest::newRow("on, separate") << true << true << false << true << false;
}

void TestStatusBlocks::digitalZoomControls()
{
    QFETCH(bool, on);
    QFETCH(bool, separate);
    QFETCH(bool, onEnabled);
    QFETCH(bool, buttons);
    QFETCH(bool, fullSlider);
    const DigitalZoomControls c = zam::digitalZoomControls(on, separate);
    QCOMPARE(c.dZoomOnEnabled, onEnabled);
    QCOMPARE(c.dZoomOffEnabled, !onEnabled);
    QCOMPARE(c.dZoomButtonsEnabled, buttons);
    QCOMPARE(c.dZoomMode0Enabled, separate);
    QCOMPARE(c.dZoomMode1Enabled, !separate);
    QCOMPARE(c.shownSlider == ZoomSliderKind::ZoomSlider, fullSlider);
}

void TestStatusBlocks::modeUpdates_data()
{
    QTest::addColumn<bool>("whiteBalance");
    QTest::addColumn<int>("reported");
    QTest::addColumn<int>("current");
    QTest::addColumn<int>("checked"); // item index, -1 none
    QTest::addColumn<bool>("apply");

    QTest::newRow("wb first read") << true << 2 << -1 << int(WBItem::OutDoor) << true;
    QTest::newRow("wb same again") << true << 2 << 2 << int(WBItem::OutDoor) << false;
    QTest::newRow("wb manual") << true << 5 << 3 << int(WBItem::ManualWB) << true;
    QTest::newRow("wb one push") << true << 3 << 5 << int(WBItem::OnePushWB) << true;
    QTest::newRow("wb auto") << true << 0 << 4 << int(WBItem::ATWPro) << true;
    QTest::newRow("wb unknown") << true << 6 << -1 << -1 << false;
    QTest::newRow("ae bright again") << false << 0x0D << 0x0D << int(AEItem::Bright) << false;
    QTest::newRow("ae first read") << false << 0x00 << -1 << int(AEItem::FullAuto) << true;
    QTest::newRow("ae shutter prio") << false << 0x0A << 0x03 << int(AEItem::ShutterPriority)
                                     << true;
    QTest::newRow("ae iris auto has no row") << false << 0x1B << 0x00 << -1 << false;
    QTest::newRow("ae unknown") << false << 0x01 << -1 << -1 << false;
}

void TestStatusBlocks::modeUpdates()
{
    QFETCH(bool, whiteBalance);
    QFETCH(int, reported);
    QFETCH(int, current);
    QFETCH(int, checked);
    QFETCH(bool, apply);
    auto verify = [&](const auto &u) {
        QCOMPARE(u.checked ? int(*u.checked) : -1, checked);
        QCOMPARE(u.apply.has_value(), apply);
        QVERIFY(!u.apply || u.apply->code == reported);
    };
    if (!whiteBalance)
        return verify(aeModeUpdate(reported, current));
    const WBModeUpdate u = wbModeUpdate(reported, current);
    verify(u);
    // Only manual frees the gain controls, only one push offers the trigger.
    QVERIFY(!u.apply || u.apply->gainControls == (u.apply->item == WBItem::ManualWB));
    QVERIFY(!u.apply || u.apply->wbTrigger == (u.apply->item == WBItem::OnePushWB));
}

void TestStatusBlocks::captionRules()
{
    // DZoomX offers the other end of the range.
    QCOMPARE(dZoomXCaption(0), QStringLiteral("MAX"));
    QCOMPARE(dZoomXCaption(1), QStringLiteral("X1"));
    QCOMPARE(vp0180Caption(true), QStringLiteral("0 degree"));
    QCOMPARE(vp0180Caption(false), QStringLiteral("180 degree"));
    QCOMPARE(autoICRCaption(true), QStringLiteral("ON"));
    QCOMPARE(autoICRCaption(false), QStringLiteral("OFF"));
}

QTEST_APPLESS_MAIN(TestStatusBlocks)
#include "test_statusblocks.moc"
