// Every typed hexadecimal box of the panel, driven through the real windows
// on a simulated chain: the text is read as a hexadecimal number, right-
// aligned ("5" is 05 in a two-digit box, 005 in a three-digit one), up to
// the box's maximum. Anything else sends nothing and tells the operator
// what the box takes.

#include "support/formsteps.h"
#include "support/panelrig.h"

#include <QLineEdit>
#include <QMessageBox>
#include <QPushButton>
#include <QTimer>
#include <aes.h>
#include <fset.h>
#include <md.h>
#include <motiond.h>
#include <privacy.h>
#include <privacya.h>
#include <register.h>
#include <sphericalmask.h>

#include <functional>

using namespace zam;

namespace {

// Answers every message box that comes up with OK, keeping its text.
struct MessageCatcher {
    QStringList texts;
    QTimer timer;
    MessageCatcher()
    {
        timer.setInterval(0);
        QObject::connect(&timer, &QTimer::timeout, [this] {
            for (QWidget *w : QApplication::topLevelWidgets()) {
                auto *box = qobject_cast<QMessageBox *>(w);
                if (!box || !box->isVisible())
                    continue;
                texts << box->text();
                if (QAbstractButton *ok = box->button(QMessageBox::Ok))
                    ok->click();
                else
                    box->reject();
            }
        });
        timer.start();
    }
};

// The button that sends a box, and what the other fields of its packet are
// set to first.
struct Use {
    QString button;
    QString setup;
};

QHash<QString, Use> boxUses()
{
    QHash<QString, Use> u{
        {"FrmMain.txtSlowAEvalue", {"cmdSetSlowAE", ""}},
        {"FrmMain.txtICRthreshold", {"comICR_Threshold", ""}},
        {"FrmMain.TxtMemoryDataUpper", {"cmdMemoryWite", "CombMemoryAD=2 TxtMemoryDataLower=34"}},
        {"FrmMain.TxtMemoryDataLower", {"cmdMemoryWite", "CombMemoryAD=2 TxtMemoryDataUpper=12"}},
        {"FrmMain.AFacttime", {"ACTAFmodeset", "AFintTime=34"}},
        {"FrmMain.AFintTime", {"ACTAFmodeset", "AFacttime=12"}},
        {"FSet.EPromText1", {"EPromCmdRD", ""}},
        {"FSet.EPromText2", {"EPromCmdWR", "EPromText1=1A5"}},
        {"Register.EPromModeTextR", {"EPromCmdRD", ""}},
        {"Register.EPromDataTextR", {"EPromCmdSet", "EPromModeTextR=1A5"}},
        {"Register.txtRegisterNo", {"comRegisterSet2", "txtRegisterValue=03"}},
        {"Register.txtRegisterValue", {"comRegisterSet2", "txtRegisterNo=60"}},
        {"Privacy.TextPan", {"cmdPZMpantilt", "TextTilt=C00"}},
        {"Privacy.TextTilt", {"cmdPZMpantilt", "TextPan=800"}},
        {"Privacy.TextMovePan", {"cmdMovePanTilt", "Opmove_0=1 TextMoveTilt=02"}},
        {"Privacy.TextMoveTilt", {"cmdMovePanTilt", "Opmove_0=1 TextMovePan=1A"}},
        {"Privacy.TextSetPTZpan",
         {"Command1", "comboSetPTZ=2 TextSetPTZTilt=010 TextSetPTZzoom=4000"}},
        {"Privacy.TextSetPTZTilt",
         {"Command1", "comboSetPTZ=2 TextSetPTZpan=400 TextSetPTZzoom=4000"}},
        {"Privacy.TextSetPTZzoom",
         {"Command1", "comboSetPTZ=2 TextSetPTZpan=400 TextSetPTZTilt=010"}},
        {"SphericalMask.SpheZone1",
         {"cmdSphericalSet", "combSetSpherical=0 Check1=1 SpheZone2=0B"}},
        {"SphericalMask.SpheZone2",
         {"cmdSphericalSet", "combSetSpherical=0 Check1=1 SpheZone1=0F"}},
        {"SphericalMask.TextPan", {"cmdSphePZMpantilt", "TextTilt=C00"}},
        {"SphericalMask.TextTilt", {"cmdSphePZMpantilt", "TextPan=E00"}},
        {"SphericalMask.TextSetPTZpanSphe",
         {"cmdSphericalPTZ", "comboSetPTZSphe=2 TextSetPTZTiltSphe=010 TextSetPTZzoomSphe=4000"}},
        {"SphericalMask.TextSetPTZTiltSphe",
         {"cmdSphericalPTZ", "comboSetPTZSphe=2 TextSetPTZpanSphe=400 TextSetPTZzoomSphe=4000"}},
        {"SphericalMask.TextSetPTZzoomSphe",
         {"cmdSphericalPTZ", "comboSetPTZSphe=2 TextSetPTZpanSphe=400 TextSetPTZTiltSphe=010"}},
        {"MD.txtMDday", {"cmdsetMDtime", "txtMDnight=2A0"}},
        {"MD.txtMDnight", {"cmdsetMDtime", "txtMDday=123"}},
        {"AES.AESpotPosX", {"AESpotSet", "AESpotPosY=3"}},
        {"AES.AESpotPosY", {"AESpotSet", "AESpotPosX=C"}},
    };
    const QString zones = "combSetPrivacy=0 Check1=1 Zones_0=01 Zones_1=02 Zones_2=03 Zones_3=04";
    for (int k = 0; k < 4; ++k)
        u.insert(QStringLiteral("Privacy.Zones_%1").arg(k), {"CmdPrivacySet", zones});
    const QString rect = "ComboNonInter=1 NonInterXText=10 NonInterYText=20 NonInterWText=08 "
                         "NonInterHText=04";
    for (const char *box : {"NonInterXText", "NonInterYText", "NonInterWText", "NonInterHText"})
        u.insert(QStringLiteral("SphericalMask.") + box, {"cmdNonInter", rect});
    for (int k = 0; k < 24; ++k) {
        QString clear;
        for (int j = k / 8 * 8; j < k / 8 * 8 + 8; ++j)
            clear += QStringLiteral("Zones_%1=0 ").arg(j);
        u.insert(QStringLiteral("PrivacyA.Zones_%1").arg(k),
                 {QStringLiteral("cmdPZMset_%1").arg(k / 8), clear});
    }
    const QString functions =
        "MDcheck_0=1 MDcheck_1=0 MDcheck_2=1 MDcheck_3=0 MDcheck_4=0 MDcheck_5=0 ";
    u.insert("MotionD.MDthreshold", {"MDfuncSet", functions + "MDinterval=10"});
    u.insert("MotionD.MDinterval", {"MDfuncSet", functions + "MDthreshold=2F"});
    const QString window = "MDOp_2=1 MDHstart=3 MDVstart=0 MDHstop=C MDVstop=8";
    for (const char *box : {"MDHstart", "MDVstart", "MDHstop", "MDVstop"})
        u.insert(QStringLiteral("MotionD.") + box, {"MDwinSet", window});
    return u;
}

// Opens the named window as the operator does and hands it to `use` (the
// modal MD while it runs).
void withWindow(PanelRig &rig, const QString &name, const std::function<void(QWidget *)> &use)
{
    DisplayCommands &d = rig.groups.display;
    if (name == u"MD") {
        QTimer::singleShot(0, &rig.window, [&] {
            use(d.md());
            d.md()->reject();
        });
        d.openAlarmDetection();
        return;
    }
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

void sends(const char *box, const QString &typed, const QByteArray &packet)
{
    QTest::addRow("%s \"%s\"", box, qPrintable(typed))
        << QString(box) << typed << packet << QString();
}
void sends(const char *box, const QString &typed, const char *packet)
{
    sends(box, typed, QByteArray::fromHex(packet));
}
// Refused; the message says what the box takes.
void refuses(const char *box, const QString &typed, const char *range)
{
    QTest::addRow("%s \"%s\"", box, qPrintable(typed))
        << QString(box) << typed << QByteArray() << QString(range);
}

} // namespace

class TestHexBoxes : public QObject {
    Q_OBJECT
private Q_SLOTS:
    // Camera 1 selected; packets with blanks between their bytes for reading.
    void typedBoxes_data()
    {
        QTest::addColumn<QString>("box");       // window.objectName
        QTest::addColumn<QString>("typed");     // the box's text at the click
        QTest::addColumn<QByteArray>("packet"); // empty: nothing sent
        QTest::addColumn<QString>("range");     // what the refusal says the box takes
        // clang-format off
        // Slow AE: one whole parameter byte, never a header byte or the terminator.
        sends("FrmMain.txtSlowAEvalue", "5", "81 01 04 5D 05 FF");
        sends("FrmMain.txtSlowAEvalue", " 1a ", "81 01 04 5D 1A FF");
        sends("FrmMain.txtSlowAEvalue", "7F", "81 01 04 5D 7F FF");
        refuses("FrmMain.txtSlowAEvalue", "80", "00 to 7F");
        refuses("FrmMain.txtSlowAEvalue", "FFFFFFFFFFFFFFFFFFFF", "00 to 7F");
        sends("FrmMain.txtICRthreshold", "5", "81 01 04 21 00 00 00 05 FF");
        sends("FrmMain.txtICRthreshold", "00f0", "81 01 04 21 00 00 0F 00 FF");
        refuses("FrmMain.txtICRthreshold", "F F", "00 to FF");
        refuses("FrmMain.txtICRthreshold", QString(QChar(0x0665)), "00 to FF"); // Arabic-Indic 5
        sends("FrmMain.TxtMemoryDataUpper", "5", "81 01 04 23 02 00 05 03 04 FF");
        refuses("FrmMain.TxtMemoryDataUpper", "", "00 to FF");
        sends("FrmMain.TxtMemoryDataLower", "e", "81 01 04 23 02 01 02 00 0E FF");
        refuses("FrmMain.TxtMemoryDataLower", "123", "00 to FF");
        sends("FrmMain.AFacttime", "5", "81 01 04 27 00 05 03 04 FF");
        refuses("FrmMain.AFacttime", "g5", "00 to FF");
        sends("FrmMain.AFintTime", "A", "81 01 04 27 01 02 00 0A FF");
        refuses("FrmMain.AFintTime", "", "00 to FF");

        sends("FSet.EPromText1", "5", "81 09 7F 7F 01 00 00 05 FF");
        sends("FSet.EPromText1", "1a5", "81 09 7F 7F 01 01 0A 05 FF");
        refuses("FSet.EPromText1", "1000", "000 to FFF");
        sends("FSet.EPromText2", "5", "81 01 7F 7F 02 01 0A 05 00 05 FF");
        refuses("FSet.EPromText2", "0x5", "00 to FF");
        sends("Register.EPromModeTextR", "e6a", "81 09 7F 7F 01 0E 06 0A FF");
        refuses("Register.EPromModeTextR", "-1", "000 to FFF");
        sends("Register.EPromDataTextR", "d8", "81 01 7F 7F 03 01 0A 05 0D 08 FF");
        refuses("Register.EPromDataTextR", "", "00 to FF");
        // The register number is one whole byte.
        sends("Register.txtRegisterNo", "5", "81 01 04 24 05 00 03 FF");
        refuses("Register.txtRegisterNo", "80", "00 to 7F");
        sends("Register.txtRegisterValue", "5", "81 01 04 24 60 00 05 FF");
        refuses("Register.txtRegisterValue", "100", "00 to FF");
        refuses("Register.txtRegisterValue", QString::fromUtf16(u"\uFF10\uFF15"), "00 to FF"); // full-width 05

        sends("Privacy.Zones_0", "5", "81 01 04 76 00 01 00 05 00 02 00 03 00 04 FF");
        refuses("Privacy.Zones_0", "", "00 to FF");
        sends("Privacy.Zones_1", "1f", "81 01 04 76 00 01 00 01 01 0F 00 03 00 04 FF");
        refuses("Privacy.Zones_1", "G", "00 to FF");
        sends("Privacy.Zones_2", "0", "81 01 04 76 00 01 00 01 00 02 00 00 00 04 FF");
        refuses("Privacy.Zones_2", "+5", "00 to FF");
        sends("Privacy.Zones_3", "b", "81 01 04 76 00 01 00 01 00 02 00 03 00 0B FF");
        refuses("Privacy.Zones_3", "5-", "00 to FF");
        sends("Privacy.TextPan", "5", "81 01 04 79 00 00 05 0C 00 00 FF");
        refuses("Privacy.TextPan", "8G0", "000 to FFF");
        sends("Privacy.TextTilt", "c", "81 01 04 79 08 00 00 00 00 0C FF");
        refuses("Privacy.TextTilt", "", "000 to FFF");
        sends("Privacy.TextMovePan", "5", "81 01 04 7A 00 05 00 02 21 FF");
        refuses("Privacy.TextMovePan", "", "00 to FF");
        sends("Privacy.TextMoveTilt", "2", "81 01 04 7A 01 0A 00 02 21 FF");
        refuses("Privacy.TextMoveTilt", "x", "00 to FF");
        sends("Privacy.TextSetPTZpan", "4", "81 01 04 7B 02 00 00 04 00 01 00 04 00 00 00 FF");
        refuses("Privacy.TextSetPTZpan", "", "000 to FFF");
        sends("Privacy.TextSetPTZTilt", "10", "81 01 04 7B 02 04 00 00 00 01 00 04 00 00 00 FF");
        refuses("Privacy.TextSetPTZTilt", "1.0", "000 to FFF");
        sends("Privacy.TextSetPTZzoom", "4", "81 01 04 7B 02 04 00 00 00 01 00 00 00 00 04 FF");
        refuses("Privacy.TextSetPTZzoom", "", "0000 to FFFF");

        sends("SphericalMask.SpheZone1", "5", "81 01 04 76 00 01 00 05 00 0B FF");
        refuses("SphericalMask.SpheZone1", "", "00 to FF");
        sends("SphericalMask.SpheZone2", "a", "81 01 04 76 00 01 00 0F 00 0A FF");
        refuses("SphericalMask.SpheZone2", "Z", "00 to FF");
        sends("SphericalMask.TextPan", "e", "81 01 04 79 00 00 0E 0C 00 00 FF");
        refuses("SphericalMask.TextPan", "", "000 to FFF");
        sends("SphericalMask.TextTilt", "5", "81 01 04 79 0E 00 00 00 00 05 FF");
        refuses("SphericalMask.TextTilt", "G", "000 to FFF");
        sends("SphericalMask.TextSetPTZpanSphe", "5", "81 01 04 7B 02 00 00 05 00 01 00 04 00 00 00 FF");
        refuses("SphericalMask.TextSetPTZpanSphe", "", "000 to FFF");
        sends("SphericalMask.TextSetPTZTiltSphe", "1", "81 01 04 7B 02 04 00 00 00 00 01 04 00 00 00 FF");
        refuses("SphericalMask.TextSetPTZTiltSphe", "x", "000 to FFF");
        sends("SphericalMask.TextSetPTZzoomSphe", "5", "81 01 04 7B 02 04 00 00 00 01 00 00 00 00 05 FF");
        refuses("SphericalMask.TextSetPTZzoomSphe", "", "0000 to FFFF");
        sends("SphericalMask.NonInterXText", "5", "81 01 04 6F 01 00 05 02 00 00 08 00 04 FF");
        refuses("SphericalMask.NonInterXText", "", "00 to FF");
        sends("SphericalMask.NonInterYText", "5", "81 01 04 6F 01 01 00 00 05 00 08 00 04 FF");
        refuses("SphericalMask.NonInterYText", "-", "00 to FF");
        sends("SphericalMask.NonInterWText", "f", "81 01 04 6F 01 01 00 02 00 00 0F 00 04 FF");
        refuses("SphericalMask.NonInterWText", "", "00 to FF");
        sends("SphericalMask.NonInterHText", "3", "81 01 04 6F 01 01 00 02 00 00 08 00 03 FF");
        refuses("SphericalMask.NonInterHText", "H", "00 to FF");

        // One digit each, sent as a whole byte; a camera-1 packet whatever
        // camera is selected, through the main window's sender.
        for (int k = 0; k < 24; ++k) {
            const QByteArray box = QStringLiteral("PrivacyA.Zones_%1").arg(k).toLatin1();
            QByteArray packet = QByteArray::fromHex("8101047600") + QByteArray(8, 0) + '\xFF';
            packet[4] = char(k / 8);
            packet[5 + k % 8] = 0x05;
            sends(box.constData(), "5", packet);
            refuses(box.constData(), k % 2 ? "10" : "", "0 to F");
        }

        sends("MD.txtMDday", "5", "81 01 04 6D 00 00 05 02 0A 00 FF");
        refuses("MD.txtMDday", "G00", "000 to FFF");
        sends("MD.txtMDnight", "a", "81 01 04 6D 01 02 03 00 00 0A FF");
        refuses("MD.txtMDnight", "", "000 to FFF");

        sends("MotionD.MDthreshold", "5", "81 01 04 1C 01 01 00 05 01 00 FF");
        refuses("MotionD.MDthreshold", "", "00 to FF");
        sends("MotionD.MDinterval", "7", "81 01 04 1C 01 01 02 0F 00 07 FF");
        refuses("MotionD.MDinterval", "x", "00 to FF");
        sends("MotionD.MDHstart", "b", "81 01 04 1D 02 0B 00 0C 08 FF");
        refuses("MotionD.MDHstart", "", "0 to F");
        sends("MotionD.MDVstart", "7", "81 01 04 1D 02 03 07 0C 08 FF");
        refuses("MotionD.MDVstart", "G", "0 to F");
        sends("MotionD.MDHstop", "4", "81 01 04 1D 02 03 00 04 08 FF");
        refuses("MotionD.MDHstop", "", "0 to F");
        sends("MotionD.MDVstop", "1", "81 01 04 1D 02 03 00 0C 01 FF");
        refuses("MotionD.MDVstop", "-", "0 to F");

        sends("AES.AESpotPosX", "f", "81 01 04 29 00 0F 00 03 FF");
        refuses("AES.AESpotPosX", "1A", "0 to F");
        sends("AES.AESpotPosY", "0", "81 01 04 29 00 0C 00 00 FF");
        refuses("AES.AESpotPosY", "Z", "0 to F");
        // clang-format on
    }
    void typedBoxes()
    {
        QFETCH(QString, box);
        QFETCH(QString, typed);
        QFETCH(QByteArray, packet);
        QFETCH(QString, range);
        static const QHash<QString, Use> uses = boxUses();
        QVERIFY2(uses.contains(box), qPrintable(box));
        const Use use = uses[box];

        PanelRig rig;
        QVERIFY(rig.start());
        MessageCatcher messages;
        bool driven = false;
        withWindow(rig, box.section(u'.', 0, 0), [&](QWidget *window) {
            runSteps(window, use.setup);
            auto *edit = window->findChild<QLineEdit *>(box.section(u'.', 1));
            QVERIFY(edit);
            edit->setText(typed);
            // Nothing cut off by the box's length (a key filter may turn
            // small letters into capitals).
            QCOMPARE(edit->text().toUpper(), typed.toUpper());
            auto *button = window->findChild<QAbstractButton *>(use.button);
            QVERIFY(button && button->isEnabled());
            rig.clearSent();
            button->click();
            driven = true;
        });
        QVERIFY(driven);
        if (packet.isEmpty()) {
            QCOMPARE(rig.sent(), QList<QByteArray>());
            QCOMPARE(messages.texts.size(), 1);
            QVERIFY2(messages.texts[0].contains(range), qPrintable(messages.texts[0]));
        } else {
            QCOMPARE(rig.sent(), QList<QByteArray>{packet});
            QCOMPARE(messages.texts, QStringList());
        }
    }
};

QTEST_MAIN(TestHexBoxes)
#include "test_hexboxes.moc"
