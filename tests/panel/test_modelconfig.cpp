// Model identification at start-up: what each capability group takes away
// from the main window, and what the model code shows; codes without a model
// and a version reply from another camera leave the window as designed.

#include "support/controls.h"
#include "support/scriptedrig.h"
#include "support/testmain.h"

#include <QMenu>
#include <QSet>
#include <fset.h>
#include <sphericalmask.h>

using namespace zam;

namespace {

// Abbreviations of the capability table.
const QStringList kTimeDate = {"SetTimeDate", "DateDisplay", "TimeDisplay"};
const QStringList kSlowAE = {"LblAE_15", "LblAE_16", "LblAE_17", "txtSlowAEvalue", "cmdSetSlowAE"};
const QStringList kDigitalZoom = {
    "DZoomON",    "DZoomOff",   "DZoomMode_1", "DZoomX",    "DZoomSlider", "DZoomTele", "DZoomWide",
    "DTeleSpeed", "DWideSpeed", "DZoomValue",  "Lbllens_1", "Lbllens_5",   "Lbllens_6"};
// A set as sorted text, for a readable comparison.
QString sorted(const QSet<QString> &names)
{
    QStringList list(names.cbegin(), names.cend());
    list.sort();
    return list.join(QLatin1Char(' '));
}

// "T S Name !Disabled ..." expanded.
QStringList expand(const QString &row)
{
    const QMap<QString, QStringList> abbreviations{
        {"T", kTimeDate}, {"S", kSlowAE}, {"D", kDigitalZoom}};
    QStringList out;
    for (const QString &t : row.split(QLatin1Char(' '), Qt::SkipEmptyParts))
        out += abbreviations.value(t, {t});
    return out;
}

// The named controls that are hidden: the main window's menus, menu items and
// widgets by name, and those of the two dialogs a restriction reaches as
// "Dialog.Control" (the dialogs are opened and closed again to be built).
QSet<QString> hiddenControls(FrmMain &w, CommandGroups &groups)
{
    QSet<QString> hidden;
    for (auto *menu : w.findChildren<QMenu *>())
        if (!menu->menuAction()->isVisible())
            hidden << menu->objectName();
    for (auto *action : w.findChildren<QAction *>())
        if (!action->objectName().isEmpty() && !action->isVisible())
            hidden << action->objectName();
    for (auto *widget : w.findChildren<QWidget *>())
        if (!qobject_cast<QMenu *>(widget) && !widget->objectName().isEmpty() &&
            widget->isHidden() && !widget->isWindow())
            hidden << widget->objectName();
    groups.display.openFactorySettings();
    groups.display.fset()->hide();
    groups.display.openSphericalMask();
    groups.display.sphericalMask()->hide();
    for (QWidget *dialog : {static_cast<QWidget *>(groups.display.fset()),
                            static_cast<QWidget *>(groups.display.sphericalMask())})
        for (auto *widget : dialog->findChildren<QWidget *>())
            if (!widget->objectName().isEmpty() && widget->isHidden())
                hidden << dialog->objectName() + QLatin1Char('.') + widget->objectName();
    return hidden;
}

// A camera of the model code whose first answer to the version inquiry (the
// start-up's; the status read's is answered properly) carries the header.
struct ModelRig : ScriptedRig {
    explicit ModelRig(int code, int versionHeader = 0x90) : ScriptedRig(code)
    {
        setBytes(cam.camera, "11:01 13:18"); // iris 1, bright 24
        port.answer = [this, versionHeader, first = true](const QByteArray &p) mutable {
            QByteArray r = cam.reply(p);
            if (p == QByteArray::fromHex("81090002FF") && std::exchange(first, false))
                r[0] = char(versionHeader);
            return r;
        };
    }
};

} // namespace

class TestModelConfig : public QObject {
    Q_OBJECT
private Q_SLOTS:
    // One model of each capability group; the expectations are the group
    // table as the operator's documentation gives it.
    void capabilityGroups_data()
    {
        QTest::addColumn<int>("code");
        QTest::addColumn<QString>("taken");
        // clang-format off
        QTest::newRow("A")  << 0x11 << "T S PrivacyZone PrivacyAv Spherical RegisterSet FramMemorySave !PictureFlip";
        QTest::newRow("B")  << 0x12 << "T S PrivacyZone Spherical RegisterSet FramMemorySave !PictureFlip";
        QTest::newRow("C")  << 0x14 << "T S PrivacyZone Spherical RegisterSet FramMemorySave FrmICR !PictureFlip";
        QTest::newRow("D")  << 0x16 << "T S PrivacyZone Spherical RegisterSet FramMemorySave FrmICR !PictureFlip Freese AutoSlowShutter";
        QTest::newRow("E")  << 0x18 << "S PrivacyZone Spherical RegisterSet FramMemorySave FrmICR !PictureFlip Freese Sync Frame5 LblWB_3";
        QTest::newRow("F")  << 0x19 << "S PrivacyZone Spherical RegisterSet FramMemorySave FrmICR !PictureFlip Sync Frame5 LblWB_3";
        QTest::newRow("G")  << 0x1A << "S PrivacyZone Spherical RegisterSet FramMemorySave FrmICR !PictureFlip Freese AutoSlowShutter Sync Frame5 LblWB_3";
        QTest::newRow("H")  << 0x1E << "T S PrivacyZone Spherical RegisterSet FramMemorySave FrmICR !PictureFlip Freese AutoSlowShutter Frame3 !WBMode";
        QTest::newRow("I")  << 0x20 << "T S PrivacyAv Spherical RegisterSet FramMemorySave";
        QTest::newRow("J")  << 0x22 << "T S PrivacyAv Spherical RegisterSet FramMemorySave FrmICR";
        QTest::newRow("K")  << 0x28 << "T S PrivacyAv Spherical RegisterSet FramMemorySave FrmICR !PictureFlip Freese AutoSlowShutter";
        QTest::newRow("L")  << 0x2A << "T S PrivacyAv Spherical RegisterSet FramMemorySave FrmICR !PictureFlip Freese AutoSlowShutter BlackWhite Frame3 !WBMode";
        QTest::newRow("M")  << 0x2B << "T S PrivacyAv Spherical RegisterSet FramMemorySave FrmICR !PictureFlip Freese AutoSlowShutter BlackWhite Frame3 !WBMode";
        QTest::newRow("N")  << 0x2E << "S PrivacyZone PrivacyAv Spherical RegisterSet FramMemorySave FrmICR !PictureFlip Sync Frame5 LblWB_3";
        QTest::newRow("O")  << 0x30 << "T PrivacyZone PrivacyAv RegisterSet Image_Stabi";
        QTest::newRow("P")  << 0x31 << "T PrivacyZone PrivacyAv RegisterSet";
        QTest::newRow("Q")  << 0x35 << "T PrivacyZone PrivacyAv RegisterSet Image_Stabi";
        QTest::newRow("R")  << 0x36 << "T PrivacyZone PrivacyAv RegisterSet FrmICR Image_Stabi";
        QTest::newRow("S")  << 0x38 << "T PrivacyZone PrivacyAv RegisterSet FrmICR Image_Stabi !PictureFlip Freese AutoSlowShutter";
        QTest::newRow("T")  << 0x3A << "T PrivacyZone PrivacyAv RegisterSet FrmICR !PictureFlip Freese AutoSlowShutter Frame3 WBMode";
        QTest::newRow("U")  << 0x3B << "T PrivacyZone PrivacyAv RegisterSet FrmICR Image_Stabi !PictureFlip Freese AutoSlowShutter Frame3 WBMode";
        QTest::newRow("V")  << 0x3C << "PrivacyZone PrivacyAv RegisterSet FrmICR Image_Stabi Sync Frame5";
        QTest::newRow("W")  << 0x3E << "PrivacyZone PrivacyAv RegisterSet FrmICR Image_Stabi !PictureFlip Freese AutoSlowShutter Sync Frame5";
        QTest::newRow("X")  << 0x40 << "T D PrivacyZone PrivacyAv FactorySet SphericalMask.cmdCenterSphe Image_Stabi NegArt CompScan Sync Frame5";
        QTest::newRow("Y")  << 0x41 << "T D PrivacyZone PrivacyAv FactorySet FrmICR FSet.FrmBaudrate SphericalMask.cmdCenterSphe Image_Stabi NegArt CompScan Sync Frame5";
        QTest::newRow("Z")  << 0x42 << "T PrivacyZone PrivacyAv RegisterSet AutoICRLevel txtICRthreshold comICR_Threshold SphericalMask.cmdSphericalMosic Image_Stabi SphericalMask.cmdSphericalMosic2";
        QTest::newRow("AA") << 0x44 << "T PrivacyZone PrivacyAv FactorySet Alm Image_Stabi VP0180 LblWB_3";
        QTest::newRow("no model 0x2C") << 0x2C << "";
        // clang-format on
    }
    void capabilityGroups()
    {
        QFETCH(int, code);
        QFETCH(QString, taken);
        ModelRig designed(code); // never started: the window as designed
        ModelRig rig(code);
        QVERIFY(rig.start());
        FrmMain &w = rig.window;
        const QStringList expected = expand(taken);

        QSet<QString> hidden =
            hiddenControls(w, rig.groups) - hiddenControls(designed.window, designed.groups);
        QSet<QString> expectedHidden;
        for (const QString &name : expected)
            if (!name.startsWith(QLatin1Char('!')))
                expectedHidden << name;
        QCOMPARE(sorted(hidden), sorted(expectedHidden));
        QCOMPARE(control<QAction>(w, "PictureFlip")->isEnabled(),
                 !expected.contains("!PictureFlip"));
        if (!expected.contains("WBMode")) // a hidden action also answers disabled
            QCOMPARE(control<QMenu>(w, "WBMode")->menuAction()->isEnabled(),
                     !expected.contains("!WBMode"));
        // Every model that shows the V-Phase frame gets the whole phase range.
        QCOMPARE(control<QSlider>(w, "VPSlider")->maximum(), 255);
    }

    // The model code names the model, its video system and its lens, whose
    // captions the exposure displays show. Without a model none of them.
    void identification_data()
    {
        QTest::addColumn<int>("code");
        QTest::addColumn<int>("versionHeader");
        QTest::addColumn<QString>("video");
        QTest::addColumn<QString>("iris1");
        QTest::addColumn<QString>("bright24");
        // clang-format off
        QTest::newRow("0x11, 25x") << 0x11 << 0x90 << "NTSC/PAL" << "F28" << "F1.6/14dB";
        QTest::newRow("0x1C, 10x") << 0x1C << 0x90 << "NTSC" << "F28" << "";
        QTest::newRow("0x2B, 18x") << 0x2B << 0x90 << "CCIR" << "F22" << "F1.4/14dB";
        QTest::newRow("no model 0x2C") << 0x2C << 0x90 << "" << "" << "";
        QTest::newRow("camera 2 answering") << 0x11 << 0xA0 << "" << "" << "";
        // clang-format on
    }
    void identification()
    {
        QFETCH(int, code);
        QFETCH(int, versionHeader);
        QFETCH(QString, video);
        ModelRig rig(code, versionHeader);
        QVERIFY(rig.start());
        const QObject &ui = rig.window;
        QCOMPARE(control<QLineEdit>(ui, "ModelVersion")->text(),
                 video.isEmpty() ? QString() : modelName(code));
        QCOMPARE(control<QLineEdit>(ui, "NTSCorPAL")->text(), video);
        QTEST(control<QLineEdit>(ui, "IrisValue")->text(), "iris1");
        QTEST(control<QLineEdit>(ui, "BrightValue")->text(), "bright24");
    }
};

ZAM_TEST_MAIN(TestModelConfig)
#include "test_modelconfig.moc"
