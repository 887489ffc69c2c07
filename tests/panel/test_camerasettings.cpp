// Camera settings files: the file format and its refusals, the order and the
// skipping of a load, the comparison, and the read and the load on simulated
// cameras.

#include "support/linkrig.h"
#include "support/testmain.h"

#include "support/samplesettings.h"
#include <QTest>

#include <catalog.h>
#include <exchange.h>
#include <settingsio.h>
#include <settingsjson.h>
#include <settingsmessages.h>

using namespace zam;
using S = Setting;

namespace {

// The same state on a simulated camera.
void setUp(sim::CameraState &c)
{
    c.lens.digitalZoomSeparate = true;
    c.lens.digitalZoomOn = true;
    c.lens.zoom.moveTo(0x2345);
    c.lens.digitalZoom.moveTo(0x80);
    c.lens.nearLimit = 0xA000;
    c.lens.focusAuto = false;
    c.lens.focus.setRange(0, 0x1000, 0xA000);
    c.lens.focus.moveTo(0x3456);
    c.lens.afSensitivity = true;
    // The bright position is the camera's own: manual AE does not let a load set it.
    c.exposure = {0x03, 12, 9, 4, 13, 10, 11, true, true, true, 0x01};
    c.whiteBalance = {5, 0xC8, 0x30};
    c.picture.effect = 1;
    c.picture.digitalEffectLevel = 0x20;
    c.picture.flip = true;
    c.picture.lrReverse = true;
    c.picture.stabilizer = true;
    c.picture.autoICR = true;
    c.lineLock = true;
    c.vp0180 = true;
    c.vPhase.moveTo(700);
    c.cameraId = 4660;
    c.userMemory = {0x12, 0x34, 0, 0, 0xAB, 0xCD, 0, 0, 0, 0, 0, 0, 0, 0, 0xFE, 0xFF};
}

// The captions of skipped settings or of differences, in order.
template <typename T> QStringList captions(const QList<T> &items)
{
    QStringList out;
    for (const T &item : items)
        out << item.caption;
    return out;
}

LoadOutcome load(LinkRig &rig, const LoadPlan &plan)
{
    const bool cancel = false;
    return applySettings(rig.link, plan, {}, cancel);
}

// Index of the first planned packet built from `id` for camera 1, or -1.
int indexOf(const LoadPlan &plan, catalog::Id id)
{
    for (int i = 0; i < plan.packets.size(); ++i)
        if (catalog::decodeCommand(plan.packets[i].packet).entry == &catalog::entry(id))
            return i;
    return -1;
}

QByteArray withSetting(const char *key, const char *json)
{
    QByteArray file = toJson(sampleSettings());
    const QByteArray needle = QByteArray("\"") + key + "\": ";
    const qsizetype at = file.indexOf(needle);
    const qsizetype end = file.indexOf('\n', at);
    qsizetype valueEnd = end;
    if (file[end - 1] == ',')
        --valueEnd;
    file.replace(at + needle.size(), valueEnd - at - needle.size(), json);
    return file;
}

QByteArray withoutLine(const char *key)
{
    QByteArray file = toJson(sampleSettings());
    const qsizetype at = file.lastIndexOf('\n', file.indexOf(QByteArray("\"") + key + "\""));
    const qsizetype end = file.indexOf('\n', at + 1);
    file.remove(at, end - at);
    // The line removed may have been the last of its object.
    return file.replace(",\n    }", "\n    }").replace(",\n}", "\n}");
}

} // namespace

class TestCameraSettings : public QObject {
    Q_OBJECT
private slots:
    void fileRoundTrip_data();
    void fileRoundTrip();
    void fromStatusLeavesUnusableValuesEmpty();
    void malformedFiles_data();
    void malformedFiles();
    void loadOrderPutsModesFirst();
    void loadSendsOnlyWhatTheModesLet_data();
    void loadSendsOnlyWhatTheModesLet();
    void loadSkipsWhatTheModelLacks_data();
    void loadSkipsWhatTheModelLacks();
    void diffComparesWhatTheModesLet();

    void zoomPastTheOpticsOfAModelWithoutDigitalZoom();

    void unansweredPackets();
    void strayBytesAndNotices_data();
    void strayBytesAndNotices();
    void lateAndLookalikeReplies();
    void brightThroughFullAuto_data();
    void brightThroughFullAuto();
    void movingLensAndOddMemory();
};

void TestCameraSettings::fileRoundTrip_data()
{
    QTest::addColumn<CameraSettings>("settings");
    QTest::newRow("every setting") << sampleSettings();
    CameraSettings empty;
    empty.modelCode = 0x2C; // no model row
    QTest::newRow("nothing usable") << empty;
    CameraSettings ends = sampleSettings();
    for (const SettingInfo &info : settingTable())
        if (info.kind == SettingKind::Number)
            ends.set(info.setting, settingField(info).max);
    ends.memory = UserMemory{};
    ends.memory->fill(0xFF);
    QTest::newRow("largest values") << ends;
}

void TestCameraSettings::fileRoundTrip()
{
    QFETCH(CameraSettings, settings);
    const SettingsParse back = fromJson(toJson(settings));
    QVERIFY2(back.settings, qPrintable(back.error));
    QVERIFY(*back.settings == settings);
}

void TestCameraSettings::fromStatusLeavesUnusableValuesEmpty()
{
    const VersionStatus version{true, 0x31};
    LensStatus lens;
    lens.valid = true;
    lens.zoomPosition = 0x1234;
    lens.focusNearLimit = 0x0F00; // below the far end: no limit the camera takes
    lens.focusPosition = 0xC000;
    CameraStatus camera;
    camera.valid = true;
    camera.aeMode = 0x07; // no AE mode
    camera.shutterPosition = 22;
    camera.irisPosition = 17;
    camera.wbMode = 6;
    camera.rGain = 255;
    OtherStatus other;
    other.valid = true;
    other.pictureEffect = 2; // commanded, but never reported
    other.digitalEffectLevel = 0xFF;
    other.vPhase = 1023;
    ExtendedStatus extended; // failed its frame check

    const CameraSettings s = fromStatus(version, lens, camera, other, extended);
    QCOMPARE(s.modelCode, 0x31);
    QCOMPARE(s.value(S::ZoomPosition), 0x1234);
    QCOMPARE(s.value(S::FocusNearLimit), std::nullopt);
    QCOMPARE(s.value(S::FocusPosition), 0xC000);
    QCOMPARE(s.value(S::AeMode), std::nullopt);
    QCOMPARE(s.value(S::ShutterPosition), std::nullopt);
    QCOMPARE(s.value(S::IrisPosition), 17);
    QCOMPARE(s.value(S::WbMode), std::nullopt);
    QCOMPARE(s.value(S::RGain), 255);
    QCOMPARE(s.value(S::PictureEffect), std::nullopt);
    QCOMPARE(s.value(S::DigitalEffectLevel), std::nullopt);
    QCOMPARE(s.value(S::VPhase), 1023);
    QCOMPARE(s.value(S::PictureFlip), std::nullopt);
    QCOMPARE(s.memory, std::nullopt);

    // A load names the empty values.
    const LoadPlan plan = planLoad(s, 0x31, 1);
    QVERIFY(captions(plan.skipped).contains("Focus near limit"));
    QVERIFY(captions(plan.skipped).contains("16-byte memory"));
    QCOMPARE(plan.skipped.first().reason, "no value in the file");
}

void TestCameraSettings::malformedFiles_data()
{
    QTest::addColumn<QByteArray>("file");
    QTest::addColumn<QString>("message");
    const QByteArray good = toJson(sampleSettings());
    auto replaced = [&](const char *from, const char *to) {
        return QByteArray(good).replace(from, to);
    };

    QTest::newRow("not JSON") << QByteArray("{\"format\": ") << "not a JSON file";
    QTest::newRow("array") << QByteArray("[1, 2]") << "no JSON object";
    QTest::newRow("other format") << replaced("zam-camera-settings", "zam-camera-setting")
                                  << "\"format\" is not \"zam-camera-settings\"";
    QTest::newRow("newer version")
        << replaced("\"version\": 1", "\"version\": 2") << "version 2 is not supported";
    QTest::newRow("no version") << replaced("\"version\": 1", "\"versions\": 1")
                                << "version (none)";
    QTest::newRow("model as number")
        << replaced("\"model\": \"0x31\"", "\"model\": 49") << "\"model\" must be a model code";
    QTest::newRow("model too large") << replaced("\"model\": \"0x31\"", "\"model\": \"0x131\"")
                                     << "\"model\" must be a model code";
    QTest::newRow("no model") << replaced("\"model\": \"0x31\"", "\"mode\": \"0x31\"")
                              << "\"model\" is missing";
    QTest::newRow("no settings") << replaced("\"settings\"", "\"setting\"")
                                 << "\"settings\" is missing";
    QTest::newRow("setting missing")
        << withoutLine("cameraId") << "setting \"cameraId\" is missing";
    QTest::newRow("unknown setting")
        << replaced("\"cameraId\"", "\"cameraID\"") << "unknown setting \"cameraID\"";
    QTest::newRow("past the end") << withSetting("shutterPosition", "22")
                                  << "setting \"shutterPosition\": 22 is outside 0..21";
    QTest::newRow("negative") << withSetting("redGain", "-1")
                              << "setting \"redGain\": -1 is outside 0..255";
    QTest::newRow("huge") << withSetting("cameraId", "1e300") << "is outside 0..65535";
    QTest::newRow("fraction") << withSetting("aperture", "2.5")
                              << "setting \"aperture\" must be a whole number";
    QTest::newRow("hex past the end")
        << withSetting("focusPosition", "\"0xC001\"")
        << "setting \"focusPosition\": 0xC001 is outside 0x1000..0xC000";
    QTest::newRow("hex garbage") << withSetting("zoomPosition", "\"0x12G4\"")
                                 << "setting \"zoomPosition\": \"0x12G4\" is not a number";
    QTest::newRow("hex too long") << withSetting("zoomPosition", "\"0x123456\"")
                                  << "is not a number";
    QTest::newRow("number as bool")
        << withSetting("vPhase", "true") << "setting \"vPhase\" must be a number";
    QTest::newRow("switch as number")
        << withSetting("digitalZoom", "1") << "setting \"digitalZoom\" must be true, false or null";
    QTest::newRow("unknown choice") << withSetting("aeMode", "\"semi auto\"")
                                    << "setting \"aeMode\" must be one of \"full auto\"";
    QTest::newRow("choice as number") << withSetting("whiteBalanceMode", "5") << "must be one of";
    QTest::newRow("short memory") << replaced("1234", "12")
                                  << "\"memory\" must be 32 hexadecimal digits";
    QTest::newRow("memory not hex") << replaced("1234", "12G4") << "\"memory\" holds \"G4\"";
    QTest::newRow("no memory") << replaced("\"memory\"", "\"memories\"") << "\"memory\" is missing";

    // Text of the file is echoed escaped, and short.
    QTest::newRow("terminal title in a key")
        << replaced("\"cameraId\"", "\"\\u001b]0;owned\\u0007\"")
        << "unknown setting \"\\x1b]0;owned\\x07\"";
    QTest::newRow("raw escape in a number")
        << withSetting("zoomPosition", "\"\x1b[2J\"") << "\"\\x1b[2J\" is not a number";
    QTest::newRow("direction turned in a bad memory")
        << replaced("1234", "1\\u202e34") << "holds \"1\\u202e\"";
    QTest::newRow("long key") << replaced("\"cameraId\"",
                                          QByteArray(500, 'k').prepend('"').append('"'))
                              << "\"" + QString(40, 'k') + "...\"";
    // A key given twice is refused wherever it is, also spelled otherwise.
    QTest::newRow("setting twice")
        << replaced("\"cameraId\": 4660", "\"cameraId\": 4660, \"cameraId\": 1")
        << "key \"cameraId\" is given twice in \"settings\"";
    QTest::newRow("model twice, escaped")
        << replaced("\"model\": \"0x31\"", "\"model\": \"0x31\", \"mod\\u0065l\": \"0x30\"")
        << "key \"model\" is given twice";
    QTest::newRow("same key in two objects is no repeat")
        << replaced("\"settings\": {", "\"settings\": {\"x\": [{\"a\": 1}, {\"a\": 2}], ")
        << "unknown setting \"x\"";
}

void TestCameraSettings::malformedFiles()
{
    QFETCH(QByteArray, file);
    QFETCH(QString, message);
    const SettingsParse parsed = fromJson(file);
    QVERIFY(!parsed.settings);
    QVERIFY2(parsed.error.contains(message), qPrintable(parsed.error));
    for (QChar c : parsed.error)
        QVERIFY2(c.isPrint(), qPrintable(parsed.error));
}

void TestCameraSettings::loadOrderPutsModesFirst()
{
    const LoadPlan plan = planLoad(sampleSettings(), 0x31, 1);
    using catalog::Id;
    // mode (or what a value is held within), then the value it gates
    const std::pair<Id, Id> before[] = {
        {Id::DigitalZoomSeparate, Id::DigitalZoomOn},
        {Id::DigitalZoomOn, Id::ZoomDirect},
        {Id::DigitalZoomOn, Id::DigitalZoomDirect},
        {Id::FocusNearLimit, Id::FocusDirect},
        {Id::FocusManual, Id::FocusDirect},
        {Id::AeManual, Id::ShutterDirect},
        {Id::AeManual, Id::IrisDirect},
        {Id::AeManual, Id::GainDirect},
        {Id::ExpCompOn, Id::ExpCompDirect},
        {Id::WbManual, Id::RGainDirect},
        {Id::WbManual, Id::BGainDirect},
        {Id::SyncLineLock, Id::VPhaseDirect},
    };
    for (const auto &[mode, value] : before) {
        const int m = indexOf(plan, mode);
        const int v = indexOf(plan, value);
        QVERIFY2(m >= 0 && v > m, catalog::entry(value).name);
    }
    // Every setting but the bright position, the back light and the auto slow
    // shutter (not in manual), and the memory.
    QCOMPARE(plan.packets.size(), kSettingCount - 3 + kUserMemoryAddresses);
    QVERIFY(plan.skipped.isEmpty());
    QCOMPARE(plan.packets.last().packet, QByteArray::fromHex("81010423070F0E0F0FFF"));
    QCOMPARE(plan.packets[indexOf(plan, Id::ZoomDirect)].packet,
             QByteArray::fromHex("8101044702030405FF"));
}

// Each AE mode lets the load set the positions it leaves to the operator,
// after the mode itself, and no other exposure position.
void TestCameraSettings::loadSendsOnlyWhatTheModesLet_data()
{
    QTest::addColumn<int>("aeMode");
    QTest::addColumn<QList<catalog::Id>>("sent");
    using catalog::Id;
    QTest::newRow("full auto") << 0x00 << QList{Id::BackLightOn, Id::AutoSlowShutterOn};
    QTest::newRow("manual") << 0x03 << QList{Id::ShutterDirect, Id::IrisDirect, Id::GainDirect};
    QTest::newRow("shutter priority") << 0x0A << QList{Id::ShutterDirect};
    QTest::newRow("iris priority") << 0x0B << QList{Id::IrisDirect};
    QTest::newRow("gain priority") << 0x0C << QList{Id::GainDirect};
    QTest::newRow("bright") << 0x0D << QList{Id::BrightDirect};
    QTest::newRow("iris auto") << 0x1B << QList{Id::ShutterDirect, Id::GainDirect};
}

void TestCameraSettings::loadSendsOnlyWhatTheModesLet()
{
    QFETCH(int, aeMode);
    QFETCH(QList<catalog::Id>, sent);
    CameraSettings s = sampleSettings();
    s.set(S::AeMode, aeMode);
    const LoadPlan modes = planLoad(s, 0x31, 1);
    int aeModeAt = -1;
    for (int i = 0; i < modes.packets.size() && aeModeAt < 0; ++i)
        if (modes.packets[i].what.startsWith("AE mode: "))
            aeModeAt = i;
    QVERIFY(aeModeAt >= 0);
    for (catalog::Id id :
         {catalog::Id::ShutterDirect, catalog::Id::IrisDirect, catalog::Id::GainDirect,
          catalog::Id::BrightDirect, catalog::Id::BackLightOn, catalog::Id::AutoSlowShutterOn}) {
        const int at = indexOf(modes, id);
        QVERIFY2(sent.contains(id) ? at > aeModeAt : at < 0, catalog::entry(id).name);
    }

    // The other modes: auto focus, white balance, digital zoom and exposure
    // compensation off take their values out.
    s.set(S::FocusAuto, 1);
    s.set(S::WbMode, 4);
    s.set(S::DigitalZoomSeparate, 0);
    s.set(S::ExpComp, 0);
    const LoadPlan plan = planLoad(s, 0x31, 1);
    for (catalog::Id id :
         {catalog::Id::FocusDirect, catalog::Id::RGainDirect, catalog::Id::BGainDirect,
          catalog::Id::DigitalZoomDirect, catalog::Id::ExpCompDirect})
        QVERIFY2(indexOf(plan, id) < 0, catalog::entry(id).name);
    QVERIFY(plan.skipped.isEmpty());
}

void TestCameraSettings::loadSkipsWhatTheModelLacks_data()
{
    QTest::addColumn<int>("model");
    QTest::addColumn<QStringList>("skipped");
    QTest::newRow("0x31, group P: everything") << 0x31 << QStringList{};
    QTest::newRow("0x2C, no model row: everything") << 0x2C << QStringList{};
    QTest::newRow("0x30, group O") << 0x30 << QStringList{"Image stabilizer"};
    QTest::newRow("0x44, group AA")
        << 0x44 << QStringList{"Image stabilizer", "V-phase 180 degrees"};
    QTest::newRow("0x41, group Y") << 0x41
                                   << QStringList{"Digital zoom separate mode",
                                                  "Digital zoom",
                                                  "Digital zoom position",
                                                  "Picture effect negative art",
                                                  "Image stabilizer",
                                                  "Auto ICR",
                                                  "Sync",
                                                  "V-phase 180 degrees",
                                                  "V-phase"};
    QTest::newRow("0x1E, group H")
        << 0x1E << QStringList{"Auto slow shutter", "White-balance mode", "R gain",        "B gain",
                               "Picture flip",      "Auto ICR",           "16-byte memory"};
}

void TestCameraSettings::loadSkipsWhatTheModelLacks()
{
    QFETCH(int, model);
    QFETCH(QStringList, skipped);
    const LoadPlan plan = planLoad(sampleSettings(), model, 3);
    QCOMPARE(captions(plan.skipped), skipped);
    for (const PlannedPacket &p : plan.packets)
        QCOMPARE(std::uint8_t(p.packet[0]), std::uint8_t(0x83));
    const LoadPlan full = planLoad(sampleSettings(), 0x31, 3);
    // Each skipped setting costs its packet(s), and nothing else is dropped
    // (the auto slow shutter is not sent in manual anyway).
    const int memoryPackets = skipped.contains("16-byte memory") ? kUserMemoryAddresses - 1 : 0;
    const int gated = skipped.contains("Auto slow shutter");
    QCOMPARE(plan.packets.size(), full.packets.size() - skipped.size() - memoryPackets + gated);
}

void TestCameraSettings::diffComparesWhatTheModesLet()
{
    const CameraSettings a = sampleSettings();
    QVERIFY(diff(a, a).isEmpty());

    CameraSettings b = a;
    b.set(S::BrightPosition, 3); // not settable in manual: not compared
    b.set(S::BackLight, 0);
    b.set(S::AutoSlowShutter, 0);
    b.set(S::ShutterPosition, 13);
    b.set(S::CameraId, std::nullopt);
    b.memory->at(5) = 0;
    QCOMPARE(captions(diff(a, b)),
             QStringList({"Shutter position", "Camera ID", "16-byte memory, address 2"}));
    const QList<SettingDifference> d = diff(a, b);
    QCOMPARE(d[0].left, "12");
    QCOMPARE(d[0].right, "13");
    QCOMPARE(d[1].right, "(none)");
    QCOMPARE(d[2].left, "AB CD");
    QCOMPARE(d[2].right, "AB 00");

    // A mode that differs is listed; the values it gates on one side only are not.
    b = a;
    b.set(S::AeMode, 0x0D);
    b.set(S::FocusAuto, 1);
    b.set(S::FocusPosition, 0x1000);
    b.set(S::ZoomPosition, 0x4000);
    b.modelCode = 0x41;
    b.memory.reset();
    QCOMPARE(captions(diff(a, b)),
             QStringList({"Model", "Zoom position", "Auto focus", "AE mode", "16-byte memory"}));
    QCOMPARE(diff(a, b)[1].right, "0x4000");
    QCOMPARE(diff(a, b)[3].left, "manual");
    QCOMPARE(diff(a, b)[3].right, "bright");

    // In full auto the back light and the auto slow shutter are the operator's.
    CameraSettings full = a;
    full.set(S::AeMode, 0x00);
    b = full;
    b.set(S::BackLight, 0);
    b.set(S::AutoSlowShutter, 0);
    b.set(S::ShutterPosition, 3);
    QCOMPARE(captions(diff(full, b)), QStringList({"Backlight compensation", "Auto slow shutter"}));
}

// A model without digital zoom gets the optical end for a zoom position in
// the digital range, and no packet of a group it lacks.
void TestCameraSettings::zoomPastTheOpticsOfAModelWithoutDigitalZoom()
{
    CameraSettings s = sampleSettings();
    s.set(S::DigitalZoom, 1);
    s.set(S::DigitalZoomSeparate, 0);
    s.set(S::ZoomPosition, 0x6000); // digital range, combined
    const LoadPlan plan = planLoad(s, 0x41, 2);
    QVERIFY(captions(plan.skipped).contains("Zoom position beyond the optical range"));
    QCOMPARE(plan.packets[indexOf(plan, catalog::Id::ZoomDirect)].packet,
             QByteArray::fromHex("8201044704000000FF"));
    for (const PlannedPacket &p : plan.packets)
        QVERIFY2(catalog::decodeCommand(p.packet).entry->group != catalog::Group::Sync,
                 p.packet.toHex().constData());
}

// A packet left unanswered costs one bounded wait and is named; the load
// goes on. A silent camera fails the read-back without hanging.
void TestCameraSettings::unansweredPackets()
{
    const LoadPlan plan = planLoad(sampleSettings(), 0x31, 1);
    // One command dropped: the load goes on after a bounded wait.
    {
        LinkRig rig(1, {0x31});
        const QByteArray cameraId = *catalog::build(catalog::Id::CameraIdWrite, 1, {4660});
        rig.chain.faults().dropIf = [&](const QByteArray &p) { return p == cameraId; };
        const LoadOutcome outcome = load(rig, plan);
        QCOMPARE(describe(outcome.refused), QStringList{"Camera ID: 4660: no reply"});
        QCOMPARE(captions(outcome.notTaken), QStringList{"Camera ID"});
        QCOMPARE(outcome.notTaken.first().right, "0");
    }
    // A camera that dies: three packets in a row unanswered stop the load
    // within 4 s, naming what was not sent, with no read-back.
    {
        LinkRig rig(1, {0x31});
        rig.chain.faults().silentAfter = 2;
        const qint64 start = rig.clock.nowMs();
        const LoadOutcome outcome = load(rig, plan);
        QVERIFY(!outcome.after && !outcome.ok() && outcome.lineDead);
        QCOMPARE(outcome.sent, 5);
        QCOMPARE(outcome.notLoaded.size(), plan.packets.size() - 5);
        QCOMPARE(outcome.notLoaded.first(), plan.packets[5].what);
        QCOMPARE(describe(outcome.problem), "3 packets in a row went unanswered: the load stopped");
        QVERIFY(rig.clock.nowMs() - start < 4000);
    }
}

// A burst of stray bytes ahead of one block's reply, or a network-change
// notice, never shifts a later reply: the read agrees with the camera set up
// by hand. (Cancelling a load is the Tools menu's test.)
void TestCameraSettings::strayBytesAndNotices_data()
{
    QTest::addColumn<QByteArray>("inquiry");
    QTest::addColumn<bool>("notice");
    QTest::newRow("burst before lens") << hexBytes("82097E7E00") << false;
    QTest::newRow("burst before memory") << hexBytes("8209042303") << false;
    QTest::newRow("network change") << QByteArray() << true;
}

void TestCameraSettings::strayBytesAndNotices()
{
    QFETCH(QByteArray, inquiry);
    QFETCH(bool, notice);
    LinkRig rig(2, {0x31});
    setUp(rig.chain.camera(2).state());
    rig.link.state().CameraAddress = 2;
    rig.chain.faults().burstBefore = {inquiry, 16, 1, {}};
    rig.chain.faults().networkChange = notice;
    int notices = 0;
    QObject::connect(&rig.link, &CameraLink::networkChangeReceived, [&] { ++notices; });
    const SettingsRead saved = readAgreedSettings(rig.link);
    QVERIFY2(saved.settings, qPrintable(describe(saved.problem)));
    QVERIFY(*saved.settings == sampleSettings());
    QCOMPARE(notices, notice ? 1 : 0);
    // Two reads of five blocks and eight memory addresses: a notice costs no retry.
    if (notice)
        QCOMPARE(rig.chain.received().size(), 2 * (5 + kUserMemoryAddresses));

    // The load's check, after one more burst.
    rig.chain.faults().burstBefore = {inquiry, 16, 1, {}};
    rig.chain.faults().networkChange = notice;
    const LoadOutcome outcome = load(rig, planLoad(sampleSettings(), 0x31, 2));
    QVERIFY2(outcome.ok(),
             qPrintable(describe(outcome.refused).join('\n') + describe(outcome.problem)));
}

// A reply that comes after its try gave up falls into the quiet wait before
// the retry, not into the next block's wait. A burst shaped like a reply is
// outvoted: settings are taken only when two reads agree.
void TestCameraSettings::lateAndLookalikeReplies()
{
    LinkRig rig(2, {0x31});
    setUp(rig.chain.camera(2).state());
    rig.link.state().CameraAddress = 2;
    const QByteArray lens = hexBytes("82097E7E00");
    rig.chain.faults().lateReply = {lens, 1050, 1};
    const SettingsRead late = readSettings(rig.link);
    QVERIFY2(late.settings, qPrintable(describe(late.problem)));
    QVERIFY(*late.settings == sampleSettings());

    QByteArray lookalike =
        exchange(rig.link, lens + char(0xFF), ExchangeExpect::inquiry(2, 16)).data;
    QCOMPARE(lookalike.size(), 16);
    lookalike[5] = char(lookalike[5] ^ 0x01); // the zoom position's last nibble
    rig.chain.faults().burstBefore = {lens, 0, 1, lookalike};
    const SettingsRead agreed = readAgreedSettings(rig.link);
    QVERIFY2(agreed.settings, qPrintable(describe(agreed.problem)));
    QVERIFY(*agreed.settings == sampleSettings());
}

// A load into bright sends what the Bright control sends for the camera's
// mode at that moment: full auto and a second first, unless in shutter
// priority.
void TestCameraSettings::brightThroughFullAuto_data()
{
    QTest::addColumn<int>("cameraMode");
    QTest::addColumn<bool>("throughFullAuto");
    QTest::newRow("from manual") << 0x03 << true;
    QTest::newRow("from full auto") << 0x00 << true;
    QTest::newRow("from shutter priority") << 0x0A << false;
}

void TestCameraSettings::brightThroughFullAuto()
{
    QFETCH(int, cameraMode);
    QFETCH(bool, throughFullAuto);
    LinkRig rig(1, {0x31});
    rig.chain.camera(1).state().exposure.aeMode = cameraMode;
    CameraSettings s;
    s.modelCode = 0x31;
    s.set(S::AeMode, 0x0D);
    QMap<QByteArray, qint64> at;
    QObject::connect(&rig.link, &CameraLink::packetWritten,
                     [&](const QByteArray &p) { at.insert(p, rig.clock.nowMs()); });
    const LoadOutcome outcome = load(rig, planLoad(s, 0x31, 1));
    QVERIFY2(outcome.ok(),
             qPrintable(describe(outcome.refused).join('\n') + describe(outcome.problem)));
    const QByteArray fullAuto = hexBytes("8101043900FF");
    const QByteArray bright = hexBytes("810104390DFF");
    QVERIFY(at.contains(bright));
    QCOMPARE(at.contains(fullAuto), throughFullAuto);
    if (throughFullAuto)
        QVERIFY(at[bright] - at[fullAuto] >= 900);
}

// A lens that keeps moving costs 2 s at most and leaves its position empty,
// said in a note; a memory reply of another shape leaves the memory empty,
// naming the bytes.
void TestCameraSettings::movingLensAndOddMemory()
{
    LinkRig rig(1, {0x31});
    sim::CameraState &c = rig.chain.camera(1).state();
    setUp(c);
    c.lens.zoom.start(rig.clock.nowMs(), -1, 0); // 24 s to the wide end
    rig.chain.addRules({{"odd memory reply",
                         {0x09, 0x04, 0x23, 0x00},
                         6,
                         [](sim::SimCamera &, const QByteArray &) {
                             return sim::SimReply::inquiry(hexBytes("0102"));
                         }}});
    const qint64 start = rig.clock.nowMs();
    const SettingsRead read = readSettings(rig.link);
    QVERIFY2(read.settings, qPrintable(describe(read.problem)));
    QVERIFY(rig.clock.nowMs() - start < 2000 + 1500);
    QVERIFY(!read.settings->value(S::ZoomPosition));
    QVERIFY(read.settings->value(S::FocusPosition));
    QVERIFY(!read.settings->memory);
    QCOMPARE(read.moving, (QList<Setting>{S::ZoomPosition, S::DigitalZoomPosition}));
    QCOMPARE(describe(read.notes),
             (QStringList{"16-byte memory not saved: the camera answered the read of address 0 "
                          "with 90 50 01 02 FF, not a memory reply",
                          "Zoom still moving after 2 s: zoom position not saved"}));
}

ZAM_TEST_GUILESS_MAIN(TestCameraSettings)
#include "test_camerasettings.moc"
