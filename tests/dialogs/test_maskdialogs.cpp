// The masking, motion-detection and AE-spot windows against a simulated
// chain: the packets their buttons send (and that the cameras accept), the
// clicks they refuse, the auto-refresh warnings, and how the detection
// windows stop the main window's refresh and hand it back.

#include "support/caughtmessages.h"
#include "support/controls.h"
#include "support/linkrig.h"
#include "support/testmain.h"
#include <zonegrid.h>

#include <QTest>
#include <aes.h>
#include <md.h>
#include <motiond.h>
#include <packet.h>
#include <privacy.h>
#include <privacya.h>
#include <sphericalmask.h>

#include <map>

using namespace zam;

namespace {

// The rig with a record of the messages shown and the answer to give.
struct Rig : LinkRig {
    CaughtMessages messages;
    MdState md; // the main window's motion-detection state

    // The last reply is a completion (x0 51 FF), not an error.
    bool cameraAccepted() { return link.RecvText().text().endsWith(QStringLiteral("51 FF \r\n")); }
};

using Dialog = std::unique_ptr<maskui::MaskDialog>;

// A dialog opened as the menu opens it (the modal MD with its
// opening steps only).
template <class D> Dialog opened(Rig &rig)
{
    std::unique_ptr<D> d;
    if constexpr (std::is_same_v<D, MD>)
        d = std::make_unique<D>(rig.link, rig.md);
    else
        d = std::make_unique<D>(rig.link);
    if constexpr (std::is_same_v<D, MD>)
        d->prepareOpening();
    else
        d->openFromMenu();
    return d;
}

const std::map<QString, Dialog (*)(Rig &)> kDialogs{{"Privacy", opened<Privacy>},
                                                    {"Spherical", opened<SphericalMask>},
                                                    {"PrivacyA", opened<PrivacyA>},
                                                    {"AES", opened<AES>},
                                                    {"MD", opened<MD>},
                                                    {"MotionD", opened<MotionD>}};

// What the dialog's own log box shows.
QString ownLog(QWidget *dialog)
{
    const auto boxes = dialog->findChildren<QPlainTextEdit *>();
    return boxes.isEmpty() ? QString() : boxes[0]->toPlainText();
}

// Rows of the click table: the steps send one packet (through the main
// window's sender or the dialog's own), or send nothing and tell why.
void sends(const char *dialog, const char *steps, const char *packet, bool viaMain = false)
{
    QTest::addRow("%s %s", dialog, steps)
        << QString(dialog) << QString(steps) << hexBytes(packet) << viaMain << QString();
}
void refuses(const char *dialog, const char *steps, const char *message)
{
    QTest::addRow("%s %s", dialog, steps)
        << QString(dialog) << QString(steps) << QByteArray() << false << QString(message);
}

} // namespace

class TestMaskDialogs : public QObject {
    Q_OBJECT
private Q_SLOTS:
    // Camera 2 selected: every packet but PrivacyA's carries its header. The
    // pan-tilt, PTZ and non-interlace buttons, the AE spot's and the
    // detection window's values are checked with the typed boxes.
    void clicks_data()
    {
        QTest::addColumn<QString>("dialog");
        QTest::addColumn<QString>("steps");
        QTest::addColumn<QByteArray>("packet"); // empty: refused
        QTest::addColumn<bool>("viaMain");
        QTest::addColumn<QString>("message"); // part of the refusal
        sends("Privacy", "combSetPrivacy=23 Check1=0 Zones_0=1F CmdPrivacySet",
              "820104761700010F000100050005FF");
        sends("Privacy", "Checks0_5=1 Checks0_6=1 Checks0_23=1 cmdPrivacyDisp",
              "8201047720000121FF");
        sends("Privacy", "Combo_0=8 Chk1=1 Combo_1=7 cmdPrivacyColor", "82010478000000011807FF");
        sends("Privacy", "Opmove_6=1 TextMovePan=1A TextMoveTilt=02 cmdMovePanTilt",
              "8201047A010A000222FF");
        sends("Privacy", "CmdGridOn", "8201047C02FF");
        sends("Privacy", "cmdGridoff", "8201047C03FF");
        sends("Spherical", "cmdSphericalSet", "82010476000100050005FF");
        sends("Spherical", "Checks0_0=0 Checks0_12=1 cmdSphericalDisp", "8201047700010000FF");
        sends("Spherical", "ComboSphe_0=9 Chk1=1 ComboSphe_1=10 cmdSphericalColor",
              "8201047800000001190AFF");
        sends(
            "Spherical",
            "Checks1_0=0 Checks1_23=1 ComboSphe_0=-1 ComboSphe_1=3 Chk1=1 Chk2=1 cmdSphericalMosic",
            "82010478200000007F03FF");
        sends("Spherical", "ComboSphe_0=8 Chk1=1 cmdSphericalMosic2", "8201047800000001087FFF");
        sends("Spherical", "cmdCenterSphe", "8201047C04FF");
        sends("PrivacyA", "Zones_8=4 Zones_9=2 Zones_10=3 Zones_11=1 cmdPZMset_1",
              "81010476010402030100000000FF", true);
        sends("PrivacyA", "CmdPrivacyOn", "8101047702FF");
        sends("PrivacyA", "CmdPrivacyoff", "8101047703FF");
        sends("PrivacyA", "CmdClear", "8101047700FF");
        // As the window opens: the spot in the middle of the grid.
        sends("AES", "AESpotSet", "8201042900080008FF");
        sends("AES", "AESpotON", "8201045902FF");
        sends("AES", "AESpotOFF", "8201045903FF");
        sends("MD", "cmdDisplay", "8201041502FF");
        sends("MD", "cmdMDdisplayOFF", "8201041503FF");
        // As the window opens: frame 0 from block 0,1 to block 1,2.
        sends("MotionD", "MDwinSet", "8201041D0000010102FF", true);
        sends("MotionD", "MDcheck_1=1 MDcheck_5=1 MDthreshold=2F MDinterval=10 MDfuncSet",
              "8201041C0209020F0100FF", true);
        refuses("Privacy", "combSetPrivacy=-1 CmdPrivacySet", "Zone to set:");
        refuses("Privacy", "Combo_1=-1 cmdPrivacyColor", "Color 2:");
        refuses("Spherical", "ComboSphe_1=-1 cmdSphericalMosic", "Color 2:");
        // The detection window: start before stop, stop within C across, 8 down.
        refuses("MotionD", "MDHstop=D MDwinSet", "window setting");
        refuses("MotionD", "MDVstop=9 MDwinSet", "window setting");
        refuses("MotionD", "MDHstart=1 MDHstop=1 MDwinSet", "window setting");
    }
    void clicks()
    {
        QFETCH(QString, dialog);
        QFETCH(QString, steps);
        QFETCH(QByteArray, packet);
        QFETCH(bool, viaMain);
        QFETCH(QString, message);
        Rig rig;
        rig.link.state().CameraAddress = 2;
        const Dialog d = kDialogs.at(dialog)(rig);
        play(d.get(), steps);
        QCOMPARE(rig.sent(), packet.isEmpty() ? QList<QByteArray>() : QList<QByteArray>{packet});
        const QString own = ownLog(d.get()), main = rig.link.SendText().text();
        if (packet.isEmpty()) {
            QVERIFY(own.isEmpty() && main.isEmpty());
            QCOMPARE(rig.messages.size(), 1);
            QVERIFY2(rig.messages.texts()[0].contains(message),
                     qPrintable(rig.messages.texts()[0]));
            return;
        }
        // Logged where it went: the main window's log or the dialog's own box.
        QVERIFY(viaMain ? main.contains(hexCompact(packet)) && own.isEmpty()
                        : own.contains(hexSpaced(packet)) && main.isEmpty());
        QCOMPARE(rig.messages.texts(), QStringList());
        rig.run(60);
        QVERIFY2(rig.cameraAccepted(), qPrintable(rig.link.RecvText().text()));
    }

    // --- Privacy ---

    // The lists show no choice until the menu opens the window, and every
    // opening puts them back on the first item; the dialog's own sender
    // leaves auto refresh running; "Clear" empties the log box. A zone box
    // takes hexadecimal digits only, small letters as capitals.
    void privacyOpeningRefreshClearAndKeys()
    {
        Rig rig;
        rig.autoRefreshOn();
        Privacy dialog(rig.link);
        const QObject &u = dialog;
        QCOMPARE(control<QComboBox>(u, "Combo_0")->currentIndex(), -1);
        dialog.openFromMenu();
        control<QComboBox>(u, "comboSetPTZ")->setCurrentIndex(5);
        dialog.openFromMenu();
        QCOMPARE(control<QComboBox>(u, "comboSetPTZ")->currentIndex(), 0);
        control<QPushButton>(u, "CmdGridOn")->click();
        rig.run(60);
        QVERIFY(rig.link.refresh().timerEnabled() && rig.link.refresh().buttonEnabled());
        QVERIFY(!control<QPlainTextEdit>(u, "PrivacySetTxt")->toPlainText().isEmpty());
        control<QPushButton>(u, "ClrSET")->click();
        QVERIFY(control<QPlainTextEdit>(u, "PrivacySetTxt")->toPlainText().isEmpty());
        QLineEdit *x = control<QLineEdit>(u, "Zones_0");
        x->clear();
        QTest::keyClicks(x, QStringLiteral("gb-7z"));
        QCOMPARE(x->text(), QStringLiteral("B7"));
        QTest::keyClick(x, Qt::Key_Backspace);
        QCOMPARE(x->text(), QStringLiteral("B"));
    }

    // --- the grids of PrivacyA and AES ---

    void gridsFollowTheBoxes()
    {
        Rig rig;
        PrivacyA privacy(rig.link);
        ZoneGrid *grid = control<zam::ZoneGrid>(privacy, "PrivacyGrid");
        QVERIFY(grid->areas().isEmpty()); // widths and heights of 0 mark nothing
        play(&privacy, "Zones_8=4 Zones_9=2 Zones_10=3 Zones_11=2");
        QCOMPARE(grid->labelsAt(4, 2), QStringList{QStringLiteral("3")});
        QCOMPARE(grid->labelsAt(6, 3), QStringList{QStringLiteral("3")});
        QVERIFY(grid->labelsAt(7, 2).isEmpty());
        QVERIFY(grid->labelsAt(4, 4).isEmpty());
        play(&privacy, "Zones_10=10"); // no longer one digit: not drawn
        QVERIFY(grid->labelsAt(4, 2).isEmpty());

        AES aes(rig.link);
        ZoneGrid *spot = control<zam::ZoneGrid>(aes, "AESGrid");
        QCOMPARE(spot->labelsAt(8, 8), QStringList{QStringLiteral("AE")});
        play(&aes, "AESpotPosX=C AESpotPosY=100");
        QVERIFY(spot->areas().isEmpty());
        play(&aes, "AESpotPosY=3");
        QCOMPARE(spot->labelsAt(0xC, 3), QStringList{QStringLiteral("AE")});
    }

    // --- MD ---

    // The detection dialog's sender turns the main window's receive handling
    // on for a mode-1 packet, and logs whatever goes out while it is on.
    void mdSenderSwitchesReceiveHandlingOn()
    {
        Rig rig;
        rig.link.state().LogTraffic = false;
        rig.link.setReceiveThreshold(0);
        TrafficLog mdLog;
        MdSender md(rig.link, mdLog);
        md.SD(hexBytes("81010400FF"), 0);
        QCOMPARE(mdLog.text(), QString()); // traffic logging is still off
        md.SD(hexBytes("81010401FF"), 1);
        QVERIFY(rig.link.state().LogTraffic);
        QCOMPARE(rig.link.receiveThreshold(), 1);
        md.SD(hexBytes("81010402FF"), 0);
        QCOMPARE(mdLog.text(), QStringLiteral("81 01 04 01 FF \r\n81 01 04 02 FF \r\n"));
        QCOMPARE(rig.sent().size(), 3);
    }

    // Mode and levels are kept as the camera got them (one digit typed is
    // the lowest of three); the alarm switch turns with its caption.
    void mdKeepsWhatItSent()
    {
        Rig rig;
        MD dialog(rig.link, rig.md);
        const MdState &s = rig.md;
        play(&dialog,
             "ComboSetMD=12 comSetMD txtMDday=5 txtMDnight=2A0 cmdsetMDtime cmdJun cmdJun");
        QCOMPARE(rig.sent(),
                 (QList<QByteArray>{hexBytes("8101046C0CFF"), hexBytes("8101046D000005020A00FF"),
                                    hexBytes("8101045E02FF"), hexBytes("8101045E03FF")}));
        QCOMPARE(int(s.MDMode), 0x0C);
        QCOMPARE(s.MDDayLevel, 0x005);
        QCOMPARE(s.MDNightLevel, 0x2A0);
        QVERIFY(s.MDDayLevelSent && s.MDNightLevelSent);
    }

    // Replies the dialog must not take (a mode the list lacks, a status that
    // is neither 2 nor 3, a level reply cut short, nor what is left of it),
    // then the camera's own answers.
    void mdInquiries()
    {
        Rig rig;
        MD dialog(rig.link, rig.md);
        const QObject &u = dialog;
        const MdState &s = rig.md;
        rig.chain.faults().dropIf = [](const QByteArray &p) { return p.at(1) == 0x09; };
        play(&dialog, "ComboSetMD=2 OpMDoff=1 txtMDdayR=777");
        rig.port.inject(hexBytes("90500DFF"));
        control<QPushButton>(u, "cmdsetMDinq")->click();
        rig.port.inject(hexBytes("905005FF"));
        control<QPushButton>(u, "cmdMDSSunq")->click();
        rig.port.inject(hexBytes("9050010203FF"));
        control<QPushButton>(u, "cmdLevelInq")->click();
        control<QPushButton>(u, "cmdsetMDinq")->click();
        QCOMPARE(control<QComboBox>(u, "ComboSetMD")->currentIndex(), 2);
        QVERIFY(!s.MDModeKnown && !s.MDActive);
        QVERIFY(control<QRadioButton>(u, "OpMDoff")->isChecked());
        QCOMPARE(control<QLineEdit>(u, "txtMDdayR")->text(), QStringLiteral("777"));

        rig.chain.faults().dropIf = {};
        rig.clearSent();
        auto &cam = rig.chain.camera(1).state();
        cam.mdMode = 7;
        cam.mdActive = true;
        cam.mdDayLevel = 0x123;
        cam.mdNightLevel = 0xABC;
        cam.mdNowLevel = 0x0F5;
        // A late completion, a notice and stray bytes ahead of the camera's
        // reply shift nothing.
        rig.port.inject(hexBytes("9051FF9038FF12"));
        play(&dialog, "cmdsetMDinq cmdMDSSunq cmdLevelInq");
        QCOMPARE(rig.sent(), (QList<QByteArray>{hexBytes("8109046CFF"), hexBytes("8109046BFF"),
                                                hexBytes("8109046DFF")}));
        QCOMPARE(control<QComboBox>(u, "ComboSetMD")->currentIndex(), 7);
        QVERIFY(s.MDMode == 7 && s.MDModeKnown);
        QVERIFY(control<QRadioButton>(u, "OpMDon")->isChecked() && s.MDActive);
        QCOMPARE(control<QLineEdit>(u, "txtMDdayR")->text() +
                     control<QLineEdit>(u, "txtMDnightR")->text() +
                     control<QLineEdit>(u, "txtMDc")->text(),
                 QStringLiteral("123ABC0F5"));
        QCOMPARE(s.MDDayLevel, 0); // the read-back changes no stored level
    }

    // Starting detection under "Auto" asks first, and Cancel sends nothing;
    // stopping never asks. MD starts with its option box and "Start" (its
    // state was the other one); MotionD with its switch, whose caption is
    // "ON" while detection runs, or with the function set.
    void startWarning_data()
    {
        QTest::addColumn<QString>("dialog");
        QTest::addColumn<bool>("autoRefresh");
        QTest::addColumn<int>("answer");
        QTest::addColumn<QString>("steps");
        QTest::addColumn<QString>("packets"); // empty: nothing sent
        QTest::addColumn<int>("questions");
        const int ok = QMessageBox::Ok, cancel = QMessageBox::Cancel;
        const QString mdOn = "OpMDon=1 cmdMDstart", started = "8101046B02FF";
        QTest::newRow("MD auto, on, OK") << "MD" << true << ok << mdOn << started << 1;
        QTest::newRow("MD auto, on, Cancel") << "MD" << true << cancel << mdOn << "" << 1;
        QTest::newRow("MD stop, on") << "MD" << false << cancel << mdOn << started << 0;
        QTest::newRow("MD auto, off") << "MD" << true << cancel << "OpMDoff=1 cmdMDstart"
                                      << "8101046B03FF" << 0;
        QTest::newRow("MotionD stop, switch twice")
            << "MotionD" << false << cancel << "MDforOnOff MDforOnOff"
            << "8101041B03FF 8101041B02FF" << 0;
        QTest::newRow("MotionD auto, Cancel")
            << "MotionD" << true << cancel << "MDforOnOff MDfuncSet"
            << "" << 2;
        QTest::newRow("MotionD auto, OK") << "MotionD" << true << ok << "MDfuncSet MDforOnOff"
                                          << "8101041C010100010001FF 8101041B02FF" << 1;
    }
    void startWarning()
    {
        QFETCH(QString, dialog);
        QFETCH(bool, autoRefresh);
        QFETCH(int, answer);
        QFETCH(QString, steps);
        QFETCH(QString, packets);
        QFETCH(int, questions);
        Rig rig;
        if (autoRefresh)
            rig.autoRefreshOn();
        const bool md = dialog == u"MD", wasActive = steps.contains(u"OpMDoff");
        rig.md.MDActive = wasActive;
        rig.messages.answer = QMessageBox::StandardButton(answer);
        const Dialog d(md ? static_cast<maskui::MaskDialog *>(new MD(rig.link, rig.md))
                          : new MotionD(rig.link));
        play(d.get(), steps);
        QList<QByteArray> expected;
        for (const QString &p : packets.split(u' ', Qt::SkipEmptyParts))
            expected << QByteArray::fromHex(p.toLatin1());
        QCOMPARE(rig.sent(), expected);
        QCOMPARE(rig.messages.titles(),
                 QStringList(questions, QStringLiteral("AutoRefresh warning")));
        if (md)
            QCOMPARE(rig.md.MDActive, packets.isEmpty() ? wasActive : !wasActive);
        else if (packets.isEmpty())
            QCOMPARE(control<QPushButton>(*d, "MDforOnOff")->text(), QStringLiteral("OFF"));
    }

    // Opening reads the alarm state, once, only while detection is thought
    // to run and its settings are not known, and shows what was read; known
    // settings are not read again but forgotten. A mode the list lacks
    // selects the first. A mode read and both levels sent with detection
    // running make them known at closing.
    void mdAlarmReadRules()
    {
        Rig rig;
        MdState &s = rig.md;
        s.MDMode = 0x20;
        MD dialog(rig.link, rig.md);
        const QObject &u = dialog;
        int checks = 0;
        dialog.setCheckAlarmStatus([&] { // the main window's alarm read
            ++checks;
            s.MDMode = 5;
            s.MDDayLevel = 0x012;
            s.MDNightLevel = 0x034;
            s.MDNowLevel = 0x056;
            return true;
        });
        dialog.prepareOpening();
        QCOMPARE(control<QComboBox>(u, "ComboSetMD")->currentIndex(), 0);
        QVERIFY(control<QRadioButton>(u, "OpMDoff")->isChecked());
        dialog.reject();
        s.MDActive = true;
        dialog.prepareOpening();
        QCOMPARE(checks, 1);
        QCOMPARE(control<QComboBox>(u, "ComboSetMD")->currentIndex(), 5);
        QCOMPARE(control<QLineEdit>(u, "txtMDday")->text() +
                     control<QLineEdit>(u, "txtMDnightR")->text() +
                     control<QLineEdit>(u, "txtMDc")->text(),
                 QStringLiteral("012034056"));
        QVERIFY(control<QRadioButton>(u, "OpMDon")->isChecked());
        dialog.reject();
        s.MDStateKnown = true;
        dialog.prepareOpening();
        QVERIFY(!s.MDStateKnown);
        play(&dialog, "cmdsetMDinq cmdsetMDtime");
        dialog.reject();
        QVERIFY(s.MDStateKnown);
        dialog.prepareOpening();
        QCOMPARE(checks, 1);
    }

    // Open, the detection windows hold the main window's refresh, also
    // through a command's finishing reply; closed, they hand it back, and
    // with detection running under "Auto" switch auto refresh off.
    void detectionWindowsHandRefreshBack_data()
    {
        QTest::addColumn<QString>("dialog");
        QTest::addColumn<bool>("autoRefresh");
        QTest::addColumn<bool>("detecting");
        QTest::newRow("MotionD, detection off") << "MotionD" << true << false;
        QTest::newRow("MotionD, detection on") << "MotionD" << true << true;
        QTest::newRow("MD, detection off") << "MD" << true << false;
        QTest::newRow("MD, detection on") << "MD" << true << true;
        QTest::newRow("MD, caption Stop") << "MD" << false << true;
    }
    void detectionWindowsHandRefreshBack()
    {
        QFETCH(QString, dialog);
        QFETCH(bool, autoRefresh);
        QFETCH(bool, detecting);
        Rig rig;
        if (autoRefresh)
            rig.autoRefreshOn();
        const bool md = dialog == u"MD";
        rig.md.MDActive = md && detecting;
        const Dialog d = kDialogs.at(dialog)(rig);
        QCOMPARE(d->isModal(), md);
        const AutoRefresh &a = rig.link.refresh();
        QVERIFY(!a.timerEnabled() && !a.buttonEnabled());
        // MotionD's switch asks under "Auto" (answered OK) and starts detection.
        play(d.get(), md ? "comSetMD" : detecting ? "MDforOnOff" : "MDwinSet");
        rig.run(100);
        QVERIFY(rig.cameraAccepted());
        QVERIFY(!a.timerEnabled() && !a.buttonEnabled());
        d->reject();
        QVERIFY(a.buttonEnabled());
        QCOMPARE(a.timerEnabled(), autoRefresh && !detecting);
        QCOMPARE(a.captionIsAuto(), autoRefresh && !detecting);
        QCOMPARE(a.refreshOnceEnabled(), detecting || !autoRefresh);
    }
};

ZAM_TEST_MAIN(TestMaskDialogs)
#include "test_maskdialogs.moc"
