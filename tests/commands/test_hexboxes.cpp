// Every typed hexadecimal box of the panel, driven through the real windows
// on a simulated chain: the text is read as a hexadecimal number, right-
// aligned ("5" is 05 in a two-digit box, 005 in a three-digit one), up to
// the box's maximum. Anything else sends nothing and tells the operator
// what the box takes.

#include "support/controls.h"
#include "support/panelrig.h"
#include "support/testmain.h"

#include <QLineEdit>
#include <QPushButton>
#include <aes.h>
#include <fset.h>
#include <motiond.h>
#include <privacy.h>
#include <privacya.h>
#include <register.h>
#include <sphericalmask.h>

#include <functional>

using namespace zam;

namespace {

// Opens the named window as the operator does and hands it to `use`. (The
// alarm window's level boxes are sent in the mask dialogs' test.)
void withWindow(PanelRig &rig, const QString &name, const std::function<void(QWidget *)> &use)
{
    DisplayCommands &d = rig.groups.display;
    const std::pair<void (DisplayCommands::*)(), std::function<QWidget *()>> openers[] = {
        {nullptr, [&] { return &rig.window; }},
        {&DisplayCommands::openFactorySettings, [&] { return d.fset(); }},
        {&DisplayCommands::openRegisters, [&] { return d.registerDialog(); }},
        {&DisplayCommands::openPrivacy, [&] { return d.privacy(); }},
        {&DisplayCommands::openSphericalMask, [&] { return d.sphericalMask(); }},
        {&DisplayCommands::openPrivacyA, [&] { return d.privacyA(); }},
        {&DisplayCommands::openMotionDetection, [&] { return d.motionD(); }},
        {&DisplayCommands::openAESpot, [&] { return d.aes(); }},
    };
    const QStringList names{"FrmMain",       "FSet",     "Register", "Privacy",
                            "SphericalMask", "PrivacyA", "MotionD",  "AES"};
    const auto &[open, window] = openers[names.indexOf(name)];
    if (open)
        (d.*open)();
    use(window());
}

// Rows of the box table, a window's boxes at a time: the button that sends
// them and the steps that first fill the other fields of its packet.
struct Rows {
    QString window, button, setup;
    void use(const char *w, const QString &b, const QString &s)
    {
        window = w, button = b, setup = s;
    }
    void row(const char *box, const QString &typed, const QByteArray &packet, const char *range)
    {
        QTest::addRow("%s.%s \"%s\"", qPrintable(window), box, qPrintable(typed))
            << window << QString(box) << button << setup << typed << packet << QString(range);
    }
    void sends(const char *box, const QString &typed, const char *packet)
    {
        row(box, typed, QByteArray::fromHex(packet), "");
    }
    // Refused; the message says what the box takes.
    void refuses(const char *box, const QString &typed, const char *range)
    {
        row(box, typed, QByteArray(), range);
    }
    void box(const char *box, const QString &good, const char *packet, const QString &bad,
             const char *range)
    {
        sends(box, good, packet);
        refuses(box, bad, range);
    }
};

} // namespace

class TestHexBoxes : public QObject {
    Q_OBJECT
private Q_SLOTS:
    // Camera 1 selected; packets with blanks between their bytes for reading.
    void typedBoxes_data()
    {
        QTest::addColumn<QString>("window");
        QTest::addColumn<QString>("box");
        QTest::addColumn<QString>("button");
        QTest::addColumn<QString>("setup");
        QTest::addColumn<QString>("typed");     // the box's text at the click
        QTest::addColumn<QByteArray>("packet"); // empty: nothing sent
        QTest::addColumn<QString>("range");     // what the refusal says the box takes
        Rows r;
        // clang-format off
        // Slow AE: one whole parameter byte, never a header byte or the terminator.
        r.use("FrmMain", "cmdSetSlowAE", "");
        r.box("txtSlowAEvalue", "5", "81 01 04 5D 05 FF", "FFFFFFFFFFFFFFFFFFFF", "00 to 7F");
        r.box("txtSlowAEvalue", "7F", "81 01 04 5D 7F FF", "80", "00 to 7F");
        r.sends("txtSlowAEvalue", " 1a ", "81 01 04 5D 1A FF");
        r.use("FrmMain", "comICR_Threshold", "");
        r.box("txtICRthreshold", "5", "81 01 04 21 00 00 00 05 FF", "F F", "00 to FF");
        r.sends("txtICRthreshold", "00f0", "81 01 04 21 00 00 0F 00 FF");
        r.refuses("txtICRthreshold", QString(QChar(0x0665)), "00 to FF"); // Arabic-Indic 5
        r.use("FrmMain", "cmdMemoryWite", "CombMemoryAD=2 TxtMemoryDataUpper=12 TxtMemoryDataLower=34");
        r.box("TxtMemoryDataUpper", "5", "81 01 04 23 02 00 05 03 04 FF", "", "00 to FF");
        r.box("TxtMemoryDataLower", "e", "81 01 04 23 02 01 02 00 0E FF", "123", "00 to FF");
        r.use("FrmMain", "ACTAFmodeset", "AFacttime=12 AFintTime=34");
        r.box("AFacttime", "5", "81 01 04 27 00 05 03 04 FF", "g5", "00 to FF");
        r.box("AFintTime", "A", "81 01 04 27 01 02 00 0A FF", "", "00 to FF");

        r.use("FSet", "EPromCmdRD", "");
        r.box("EPromText1", "5", "81 09 7F 7F 01 00 00 05 FF", "1000", "000 to FFF");
        r.sends("EPromText1", "1a5", "81 09 7F 7F 01 01 0A 05 FF");
        r.use("FSet", "EPromCmdWR", "EPromText1=1A5");
        r.box("EPromText2", "5", "81 01 7F 7F 02 01 0A 05 00 05 FF", "0x5", "00 to FF");
        r.use("Register", "EPromCmdRD", "");
        r.box("EPromModeTextR", "e6a", "81 09 7F 7F 01 0E 06 0A FF", "-1", "000 to FFF");
        r.use("Register", "EPromCmdSet", "EPromModeTextR=1A5");
        r.box("EPromDataTextR", "d8", "81 01 7F 7F 03 01 0A 05 0D 08 FF", "", "00 to FF");
        // The register number is one whole byte.
        r.use("Register", "comRegisterSet2", "txtRegisterNo=60 txtRegisterValue=03");
        r.box("txtRegisterNo", "5", "81 01 04 24 05 00 03 FF", "80", "00 to 7F");
        r.box("txtRegisterValue", "5", "81 01 04 24 60 00 05 FF", "100", "00 to FF");
        r.refuses("txtRegisterValue", QString::fromUtf16(u"\uFF10\uFF15"), "00 to FF"); // full-width 05

        r.use("Privacy", "CmdPrivacySet", "combSetPrivacy=0 Check1=1 Zones_0=01 Zones_1=02 Zones_2=03 Zones_3=04");
        r.box("Zones_0", "5", "81 01 04 76 00 01 00 05 00 02 00 03 00 04 FF", "", "00 to FF");
        r.box("Zones_1", "1f", "81 01 04 76 00 01 00 01 01 0F 00 03 00 04 FF", "G", "00 to FF");
        r.box("Zones_2", "0", "81 01 04 76 00 01 00 01 00 02 00 00 00 04 FF", "+5", "00 to FF");
        r.box("Zones_3", "b", "81 01 04 76 00 01 00 01 00 02 00 03 00 0B FF", "5-", "00 to FF");
        r.use("Privacy", "cmdPZMpantilt", "TextPan=800 TextTilt=C00");
        r.box("TextPan", "5", "81 01 04 79 00 00 05 0C 00 00 FF", "8G0", "000 to FFF");
        r.box("TextTilt", "c", "81 01 04 79 08 00 00 00 00 0C FF", "", "000 to FFF");
        r.use("Privacy", "cmdMovePanTilt", "Opmove_0=1 TextMovePan=1A TextMoveTilt=02");
        r.box("TextMovePan", "5", "81 01 04 7A 00 05 00 02 21 FF", "", "00 to FF");
        r.box("TextMoveTilt", "2", "81 01 04 7A 01 0A 00 02 21 FF", "x", "00 to FF");
        r.use("Privacy", "Command1", "comboSetPTZ=2 TextSetPTZpan=400 TextSetPTZTilt=010 TextSetPTZzoom=4000");
        r.box("TextSetPTZpan", "4", "81 01 04 7B 02 00 00 04 00 01 00 04 00 00 00 FF", "", "000 to FFF");
        r.box("TextSetPTZTilt", "10", "81 01 04 7B 02 04 00 00 00 01 00 04 00 00 00 FF", "1.0", "000 to FFF");
        r.box("TextSetPTZzoom", "4", "81 01 04 7B 02 04 00 00 00 01 00 00 00 00 04 FF", "", "0000 to FFFF");

        r.use("SphericalMask", "cmdSphericalSet", "combSetSpherical=0 Check1=1 SpheZone1=0F SpheZone2=0B");
        r.box("SpheZone1", "5", "81 01 04 76 00 01 00 05 00 0B FF", "", "00 to FF");
        r.box("SpheZone2", "a", "81 01 04 76 00 01 00 0F 00 0A FF", "Z", "00 to FF");
        r.use("SphericalMask", "cmdSphePZMpantilt", "TextPan=E00 TextTilt=C00");
        r.box("TextPan", "e", "81 01 04 79 00 00 0E 0C 00 00 FF", "", "000 to FFF");
        r.box("TextTilt", "5", "81 01 04 79 0E 00 00 00 00 05 FF", "G", "000 to FFF");
        r.use("SphericalMask", "cmdSphericalPTZ", "comboSetPTZSphe=2 TextSetPTZpanSphe=400 TextSetPTZTiltSphe=010 TextSetPTZzoomSphe=4000");
        r.box("TextSetPTZpanSphe", "5", "81 01 04 7B 02 00 00 05 00 01 00 04 00 00 00 FF", "", "000 to FFF");
        r.box("TextSetPTZTiltSphe", "1", "81 01 04 7B 02 04 00 00 00 00 01 04 00 00 00 FF", "x", "000 to FFF");
        r.box("TextSetPTZzoomSphe", "5", "81 01 04 7B 02 04 00 00 00 01 00 00 00 00 05 FF", "", "0000 to FFFF");
        r.use("SphericalMask", "cmdNonInter", "ComboNonInter=1 NonInterXText=10 NonInterYText=20 NonInterWText=08 NonInterHText=04");
        r.box("NonInterXText", "5", "81 01 04 6F 01 00 05 02 00 00 08 00 04 FF", "", "00 to FF");
        r.box("NonInterYText", "5", "81 01 04 6F 01 01 00 00 05 00 08 00 04 FF", "-", "00 to FF");
        r.box("NonInterWText", "f", "81 01 04 6F 01 01 00 02 00 00 0F 00 04 FF", "", "00 to FF");
        r.box("NonInterHText", "3", "81 01 04 6F 01 01 00 02 00 00 08 00 03 FF", "H", "00 to FF");
        // clang-format on

        // One digit each, sent as a whole byte; a camera-1 packet whatever
        // camera is selected, through the main window's sender.
        for (int k = 0; k < 24; ++k) {
            QString clear;
            for (int j = k / 8 * 8; j < k / 8 * 8 + 8; ++j)
                clear += QStringLiteral("Zones_%1=0 ").arg(j);
            r.use("PrivacyA", QStringLiteral("cmdPZMset_%1").arg(k / 8), clear);
            const QByteArray box = QStringLiteral("Zones_%1").arg(k).toLatin1();
            QByteArray packet = QByteArray::fromHex("8101047600") + QByteArray(8, 0) + '\xFF';
            packet[4] = char(k / 8);
            packet[5 + k % 8] = 0x05;
            r.row(box.constData(), "5", packet, "");
            r.refuses(box.constData(), k % 2 ? "10" : "", "0 to F");
        }

        // clang-format off
        r.use("MotionD", "MDfuncSet", "MDcheck_0=1 MDcheck_1=0 MDcheck_2=1 MDcheck_3=0 MDcheck_4=0 MDcheck_5=0 MDthreshold=2F MDinterval=10");
        r.box("MDthreshold", "5", "81 01 04 1C 01 01 00 05 01 00 FF", "", "00 to FF");
        r.box("MDinterval", "7", "81 01 04 1C 01 01 02 0F 00 07 FF", "x", "00 to FF");
        r.use("MotionD", "MDwinSet", "MDOp_2=1 MDHstart=3 MDVstart=0 MDHstop=C MDVstop=8");
        r.box("MDHstart", "b", "81 01 04 1D 02 0B 00 0C 08 FF", "", "0 to F");
        r.box("MDVstart", "7", "81 01 04 1D 02 03 07 0C 08 FF", "G", "0 to F");
        r.box("MDHstop", "4", "81 01 04 1D 02 03 00 04 08 FF", "", "0 to F");
        r.box("MDVstop", "1", "81 01 04 1D 02 03 00 0C 01 FF", "-", "0 to F");

        r.use("AES", "AESpotSet", "AESpotPosX=C AESpotPosY=3");
        r.box("AESpotPosX", "f", "81 01 04 29 00 0F 00 03 FF", "1A", "0 to F");
        r.box("AESpotPosY", "0", "81 01 04 29 00 0C 00 00 FF", "Z", "0 to F");
        // clang-format on
    }
    void typedBoxes()
    {
        QFETCH(QString, window);
        QFETCH(QString, box);
        QFETCH(QString, button);
        QFETCH(QString, setup);
        QFETCH(QString, typed);
        QFETCH(QByteArray, packet);
        QFETCH(QString, range);
        PanelRig rig;
        QVERIFY(rig.start());
        bool driven = false;
        withWindow(rig, window, [&](QWidget *w) {
            play(w, setup);
            auto *edit = w->findChild<QLineEdit *>(box);
            QVERIFY(edit);
            edit->setText(typed);
            // Nothing cut off by the box's length (a key filter may turn
            // small letters into capitals).
            QCOMPARE(edit->text().toUpper(), typed.toUpper());
            auto *click = w->findChild<QAbstractButton *>(button);
            QVERIFY(click && click->isEnabled());
            rig.clearSent();
            click->click();
            driven = true;
        });
        QVERIFY(driven);
        if (packet.isEmpty()) {
            QCOMPARE(rig.sent(), QList<QByteArray>());
            QCOMPARE(rig.messages.size(), 1);
            QVERIFY2(rig.messages.texts()[0].contains(range), qPrintable(rig.messages.texts()[0]));
        } else {
            QCOMPARE(rig.sent(), QList<QByteArray>{packet});
            QCOMPARE(rig.messages.texts(), QStringList());
        }
    }
};

ZAM_TEST_MAIN(TestHexBoxes)
#include "test_hexboxes.moc"
