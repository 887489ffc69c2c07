// The model table on its own: the row a model code selects, the display
// names the window (and the shutter rule) tell models apart by, and the
// lookups in the caption tables. What each capability group does to the
// window is test_modelconfig's.

#include "captiontables.h"
#include "modeltable.h"
#include "support/testmain.h"

#include <QSet>
#include <QTest>

using namespace zam;

class TestModelTable : public QObject {
    Q_OBJECT
private slots:
    void codesWithoutRow()
    {
        for (int code : {0x2C, 0x2D, 0x00, 0x10, 0x4A, 0xFF, -1}) {
            QVERIFY(!findModel(code));
            QVERIFY(restrictionsForModel(code).empty());
            QVERIFY(modelName(code).isEmpty());
        }
    }

    void namesTellModelsApart()
    {
        const QStringList &names = ModelNameTable();
        QCOMPARE(QSet<QString>(names.begin(), names.end()).size(), kModelCount);
        for (const ModelRow &row : kModelTable)
            QVERIFY2(names.at(row.nameSlot).contains(QLatin1String(row.ntscOrPal)), row.ntscOrPal);

        // The shutter display steps itself only for the models recognised by name.
        for (int code : {0x16, 0x17, 0x1A, 0x1B})
            QVERIFY(shutterSlowStepsDisplay(modelName(code)));
        for (int code : {0x12, 0x18, 0x19, 0x1C, 0x36})
            QVERIFY(!shutterSlowStepsDisplay(modelName(code)));
        QVERIFY(!shutterSlowStepsDisplay(QString()));
    }

    void captionLookups()
    {
        // The rows themselves are read back through the status read's
        // captions (test_statusread, test_zamctl).
        CaptionTables t;
        QCOMPARE(t.shutter(1, 11), QStringLiteral("1/215"));
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
};

ZAM_TEST_APPLESS_MAIN(TestModelTable)
#include "test_modeltable.moc"
