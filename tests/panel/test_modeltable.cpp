#include "captiontables.h"
#include "modeltable.h"

#include <QSet>
#include <QTest>

#include <algorithm>

using namespace zam;

Q_DECLARE_METATYPE(zam::LensProfile)
Q_DECLARE_METATYPE(zam::CapabilityGroup)

namespace {

bool has(std::span<const Restriction> list, Restriction r)
{
    return std::find(list.begin(), list.end(), r) != list.end();
}

} // namespace

class TestModelTable : public QObject {
    Q_OBJECT

private slots:
    void modelRows_data();
    void modelRows();
    void codesWithoutRow();
    void namesAreDistinct();
    void shutterSlowModels();
    void groupRestrictions_data();
    void groupRestrictions();
    void restrictionTableIsConsistent();
    void lensCaptions_data();
    void lensCaptions();
    void captionLookups();
};

void TestModelTable::modelRows_data()
{
    QTest::addColumn<int>("code");
    QTest::addColumn<int>("slot");
    QTest::addColumn<QString>("video");
    QTest::addColumn<LensProfile>("lens");
    QTest::addColumn<CapabilityGroup>("group");

    using G = CapabilityGroup;
    using P = LensProfile;
    QTest::newRow("0x11") << 0x11 << 0 << "NTSC/PAL" << P::Opt25X << G::A;
    QTest::newRow("0x1C") << 0x1C << 11 << "NTSC" << P::Opt10X << G::F;
    QTest::newRow("0x2B") << 0x2B << 26 << "CCIR" << P::Opt18X << G::M;
    QTest::newRow("0x2E after gap") << 0x2E << 27 << "NTSC" << P::Opt10X << G::N;
    QTest::newRow("0x34") << 0x34 << 33 << "NTSC" << P::Opt18X << G::O;
    QTest::newRow("0x41") << 0x41 << 46 << "PS" << P::Opt10X << G::Y;
    QTest::newRow("0x49 last") << 0x49 << 54 << "PAL" << P::Opt18X << G::AA;
}

void TestModelTable::modelRows()
{
    QFETCH(int, code);
    QFETCH(int, slot);
    QFETCH(QString, video);
    QFETCH(LensProfile, lens);
    QFETCH(CapabilityGroup, group);
    const auto row = findModel(code);
    QVERIFY(row);
    QCOMPARE(row->nameSlot, slot);
    QCOMPARE(QString::fromLatin1(row->ntscOrPal), video);
    QCOMPARE(row->lens, lens);
    QCOMPARE(row->group, group);
    QCOMPARE(modelName(code), ModelNameTable().at(slot));
    QVERIFY(std::equal(restrictionsForModel(code).begin(), restrictionsForModel(code).end(),
                       restrictionsOf(group).begin(), restrictionsOf(group).end()));
}

void TestModelTable::codesWithoutRow()
{
    for (int code : {0x2C, 0x2D, 0x00, 0x10, 0x4A, 0xFF, -1}) {
        QVERIFY(!findModel(code));
        QVERIFY(restrictionsForModel(code).empty());
        QVERIFY(modelName(code).isEmpty());
    }
}

void TestModelTable::namesAreDistinct()
{
    const QStringList &names = ModelNameTable();
    QCOMPARE(QSet<QString>(names.begin(), names.end()).size(), kModelCount);
    for (const ModelRow &row : kModelTable) {
        const QString name = names.at(row.nameSlot);
        const char gen = row.code <= 31 ? 'A' : row.code <= 43 ? 'B' : row.code <= 63 ? 'C' : 'D';
        QVERIFY2(name.startsWith(QStringLiteral("ZAM-") + QLatin1Char(gen)), qPrintable(name));
        QVERIFY2(name.contains(QLatin1String(row.ntscOrPal)), qPrintable(name));
    }
    QCOMPARE(modelName(0x11), QStringLiteral("ZAM-A 25x NTSC/PAL"));
    QCOMPARE(modelName(0x16), QStringLiteral("ZAM-A 18x NTSC (D)"));
    QCOMPARE(modelName(0x33), QStringLiteral("ZAM-C 25x PAL (P-2)"));
}

void TestModelTable::shutterSlowModels()
{
    for (int code : {0x16, 0x17, 0x1A, 0x1B})
        QVERIFY(shutterSlowStepsDisplay(modelName(code)));
    for (int code : {0x12, 0x18, 0x19, 0x1C, 0x36})
        QVERIFY(!shutterSlowStepsDisplay(modelName(code)));
    QVERIFY(!shutterSlowStepsDisplay(QString()));
}

void TestModelTable::groupRestrictions_data()
{
    QTest::addColumn<CapabilityGroup>("group");
    QTest::addColumn<int>("count");
    // Which of T (time/date), S (slow AE), V (VPSlider 255), D (digital zoom) apply.
    QTest::addColumn<QString>("marks");

    using G = CapabilityGroup;
    const struct {
        G g;
        int count;
        const char *marks;
    } rows[] = {
        {G::A, 9, "TSV"},  {G::B, 8, "TSV"},   {G::C, 9, "TSV"},  {G::D, 11, "TSV"},
        {G::E, 11, "S"},   {G::F, 10, "S"},    {G::G, 12, "S"},   {G::H, 13, "TSV"},
        {G::I, 7, "TSV"},  {G::J, 8, "TSV"},   {G::K, 11, "TSV"}, {G::L, 14, "TSV"},
        {G::M, 13, "TS"},  {G::N, 11, "S"},    {G::O, 6, "TV"},   {G::P, 5, "TV"},
        {G::Q, 5, "T"},    {G::R, 7, "TV"},    {G::S, 10, "TV"},  {G::T, 10, "T"},
        {G::U, 11, "T"},   {G::V, 7, ""},      {G::W, 10, ""},    {G::X, 11, "TD"},
        {G::Y, 13, "TD"},  {G::Z, 9, "TV"},    {G::AA, 9, "TV"},
    };
    for (const auto &r : rows)
        QTest::newRow(qPrintable(groupName(r.g))) << r.g << r.count << QString::fromLatin1(r.marks);
}

void TestModelTable::groupRestrictions()
{
    QFETCH(CapabilityGroup, group);
    QFETCH(int, count);
    QFETCH(QString, marks);
    const auto list = restrictionsOf(group);
    QCOMPARE(int(list.size()), count);
    QCOMPARE(has(list, Restriction::HideTimeDate), marks.contains('T'));
    QCOMPARE(has(list, Restriction::HideSlowAE), marks.contains('S'));
    QCOMPARE(has(list, Restriction::VPSliderMax255), marks.contains('V'));
    QCOMPARE(has(list, Restriction::HideDigitalZoom), marks.contains('D'));
}

void TestModelTable::restrictionTableIsConsistent()
{
    QSet<int> used;
    for (int g = 0; g < kCapabilityGroupCount; ++g) {
        const auto list = restrictionsOf(CapabilityGroup(g));
        const QSet<int> inGroup = [&] {
            QSet<int> s;
            for (Restriction r : list)
                s.insert(int(r));
            return s;
        }();
        QCOMPARE(inGroup.size(), int(list.size())); // no repeats
        QVERIFY(!(has(list, Restriction::DisableWBMode) && has(list, Restriction::HideWBMode)));
        used += inGroup;
    }
    QCOMPARE(used.size(), int(Restriction::HideVP0180) + 1); // every kind is used
    QVERIFY(has(restrictionsOf(CapabilityGroup::Y), Restriction::HideFSetBaudrate));
    QVERIFY(has(restrictionsOf(CapabilityGroup::Z), Restriction::HideSphericalMosaic));
}

void TestModelTable::lensCaptions_data()
{
    QTest::addColumn<LensProfile>("lens");
    QTest::addColumn<bool>("bright");
    QTest::addColumn<int>("row");
    QTest::addColumn<QString>("caption");

    const auto o10 = LensProfile::Opt10X, o18 = LensProfile::Opt18X, o25 = LensProfile::Opt25X;
    QTest::newRow("10x iris 1") << o10 << false << 1 << "F28";
    QTest::newRow("10x iris 18 empty") << o10 << false << 18 << "";
    QTest::newRow("18x iris 11") << o18 << false << 11 << "F4.0";
    QTest::newRow("25x iris 17") << o25 << false << 17 << "F1.6";
    QTest::newRow("10x bright 0") << o10 << true << 0 << "CLOSE/0dB";
    QTest::newRow("10x bright 18") << o10 << true << 18 << "F1.8/3dB";
    QTest::newRow("10x bright 23") << o10 << true << 23 << "F1.8/18dB";
    QTest::newRow("10x bright 24 empty") << o10 << true << 24 << "";
    QTest::newRow("10x bright 31 empty") << o10 << true << 31 << "";
    QTest::newRow("18x bright 11 respelled") << o18 << true << 11 << "F4/0dB";
    QTest::newRow("18x bright 15 respelled") << o18 << true << 15 << "F2/0dB";
    QTest::newRow("18x bright 18") << o18 << true << 18 << "F1.4/2dB";
    QTest::newRow("18x bright 31") << o18 << true << 31 << "F1.4/28dB";
    QTest::newRow("18x bright 32 empty") << o18 << true << 32 << "";
    QTest::newRow("25x bright 12") << o25 << true << 12 << "F4/0dB";
    QTest::newRow("25x bright 16 respelled") << o25 << true << 16 << "F2.0/0dB";
    QTest::newRow("25x bright 31") << o25 << true << 31 << "F1.6/28dB";
}

void TestModelTable::lensCaptions()
{
    QFETCH(LensProfile, lens);
    QFETCH(bool, bright);
    QFETCH(int, row);
    QFETCH(QString, caption);
    const QStringList table = bright ? brightTable(lens) : irisTable(lens);
    QCOMPARE(table.size(), bright ? 33 : 19);
    QCOMPARE(table.at(row), caption);
}

void TestModelTable::captionLookups()
{
    CaptionTables t;
    QCOMPARE(t.shutter(0, 21), QStringLiteral("1/10000"));
    QCOMPARE(t.shutter(1, 11), QStringLiteral("1/215"));
    QCOMPARE(t.gain(15), QStringLiteral("28dB"));
    QCOMPARE(t.expComp(7), QStringLiteral("0/0dB"));
    // Past the end: nothing to show, the display stays as it was.
    for (auto missing : {t.shutter(0, 22), t.shutter(2, 0), t.shutter(0, -1), t.gain(16),
                         t.expComp(15), t.iris(19), t.bright(33)})
        QVERIFY(!missing);
    // No model identified: the rows exist but are empty.
    QCOMPARE(t.iris(0), QString());
    QCOMPARE(t.bright(32), QString());

    // A profile overwrites only the rows it fills.
    t.applyLensProfile(LensProfile::Opt18X);
    t.applyLensProfile(LensProfile::Opt10X);
    QCOMPARE(t.iris(17), QStringLiteral("F1.8"));
    QCOMPARE(t.bright(23), QStringLiteral("F1.8/18dB"));
    QCOMPARE(t.bright(24), QStringLiteral("F1.4/14dB"));
}

QTEST_APPLESS_MAIN(TestModelTable)
#include "test_modeltable.moc"
