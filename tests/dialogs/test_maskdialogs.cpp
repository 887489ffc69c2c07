// The masking, motion-detection and AE-spot windows against a simulated
// chain: the packets their buttons send (and that the cameras accept), the
// clicks they refuse, the auto-refresh warnings, and how the detection
// windows stop the main window's refresh and hand it back.

#include "support/linkrig.h"

#include "ui_aes.h"
#include "ui_md.h"
#include "ui_motiond.h"
#include "ui_privacy.h"
#include "ui_privacya.h"
#include "ui_sphericalmask.h"

#include <QTest>
#include <QTimer>
#include <aes.h>
#include <maskencoding.h>
#include <md.h>
#include <motiond.h>
#include <packet.h>
#include <privacy.h>
#include <privacya.h>
#include <sphericalmask.h>

using namespace zam;

using PrivacyStep = std::function<void(Ui::Privacy *)>;
using SphericalStep = std::function<void(Ui::SphericalMask *)>;
using MotionStep = std::function<void(Ui::MotionD *)>;
Q_DECLARE_METATYPE(PrivacyStep)
Q_DECLARE_METATYPE(SphericalStep)
Q_DECLARE_METATYPE(MotionStep)

namespace {

const QString kCompletion = QStringLiteral("90 51 FF \r\n");

// The rig with a record of the messages shown and the answer to give.
struct Rig : LinkRig {
    QStringList messages; // "title|text"
    QMessageBox::StandardButton answer = QMessageBox::Ok;

    template <class D> void hook(D &dialog)
    {
        dialog.setMessageHook([this](const maskui::OperatorMessage &m) {
            messages << m.title + QLatin1Char('|') + m.text;
            return answer;
        });
    }
    // Auto refresh on, as the AutoRefreshed button leaves it.
    void autoRefreshOn()
    {
        link.refresh().setCaptionAuto(true);
        link.refresh().setTimerEnabled(true);
        link.refresh().setRefreshOnceEnabled(false);
    }
    bool cameraAccepted() { return link.RecvText().text().endsWith(kCompletion); }
};

// Stands in for the main window's alarm read: the three inquiries, each
// tried a few times, into the module state.
bool checkAlarmStatus(LinkRig &rig)
{
    ModuleState &s = rig.link.state();
    auto inquire = [&](int code, int n) {
        for (int attempt = 0; attempt < 3; ++attempt) {
            rig.link.SD(*ToByteArray({s.header(), 0x09, 0x04, code, 0xFF}), 1);
            const QByteArray r = rig.link.WaitReply(n);
            if (masks::inquiryData(r, n))
                return r;
        }
        return QByteArray();
    };
    const auto active = masks::alarmStatusReply(inquire(0x6B, 4));
    const auto mode = masks::alarmModeReply(inquire(0x6C, 4));
    const auto levels = masks::alarmLevelReply(inquire(0x6D, 12));
    if (!active || !mode || !levels)
        return false;
    s.MDActive = *active;
    s.MDMode = *mode;
    s.MDDayLevel = levels->day;
    s.MDNightLevel = levels->night;
    s.MDNowLevel = levels->now;
    s.MDStateKnown = true;
    return true;
}

} // namespace

class TestMaskDialogs : public QObject {
    Q_OBJECT
private Q_SLOTS:
    // --- Privacy ---

    void privacyPackets_data()
    {
        QTest::addColumn<PrivacyStep>("step");
        QTest::addColumn<QByteArray>("packet");
        QTest::newRow("zone set at once")
            << PrivacyStep([](Ui::Privacy *u) { u->CmdPrivacySet->click(); })
            << hex("81010476000100010001000500"
                   "05FF");
        QTest::newRow("zone X changed") << PrivacyStep([](Ui::Privacy *u) {
            u->combSetPrivacy->setCurrentIndex(23);
            u->Check1->setChecked(false);
            u->Zones_0->setText(QStringLiteral("1F"));
            u->CmdPrivacySet->click();
        })
                                        << hex("810104761700010F0001000500"
                                               "05FF");
        QTest::newRow("display A F G X") << PrivacyStep([](Ui::Privacy *u) {
            for (QCheckBox *b : {u->Checks0_5, u->Checks0_6, u->Checks0_23})
                b->setChecked(true);
            u->cmdPrivacyDisp->click();
        }) << hex("8101047720000121FF");
        QTest::newRow("colour red half, white") << PrivacyStep([](Ui::Privacy *u) {
            u->Combo_0->setCurrentIndex(8);
            u->Chk1->setChecked(true);
            u->Combo_1->setCurrentIndex(7);
            u->cmdPrivacyColor->click();
        }) << hex("81010478000000011807FF");
        QTest::newRow("pan tilt angle") << PrivacyStep([](Ui::Privacy *u) {
            u->TextPan->setText(QStringLiteral("800"));
            u->TextTilt->setText(QStringLiteral("c00"));
            u->cmdPZMpantilt->click();
        })
                                        << hex("81010479080000"
                                               "0C0000FF");
        QTest::newRow("pan of one character") << PrivacyStep([](Ui::Privacy *u) {
            u->TextPan->setText(QStringLiteral("5"));
            u->cmdPZMpantilt->click();
        }) << hex("81010479050005000000FF");
        QTest::newRow("move down left") << PrivacyStep([](Ui::Privacy *u) {
            u->Opmove_6->setChecked(true);
            u->TextMovePan->setText(QStringLiteral("1A"));
            u->TextMoveTilt->setText(QStringLiteral("02"));
            u->cmdMovePanTilt->click();
        }) << hex("8101047A010A000222FF");
        QTest::newRow("move centre") << PrivacyStep([](Ui::Privacy *u) {
            u->Opmove_4->setChecked(true);
            u->cmdMovePanTilt->click();
        }) << hex("8101047A0000000000FF");
        QTest::newRow("PTZ of mask C") << PrivacyStep([](Ui::Privacy *u) {
            u->comboSetPTZ->setCurrentIndex(2);
            u->TextSetPTZpan->setText(QStringLiteral("400"));
            u->TextSetPTZTilt->setText(QStringLiteral("010"));
            u->TextSetPTZzoom->setText(QStringLiteral("4000"));
            u->Command1->click();
        })
                                       << hex("8101047B02040000000100"
                                              "04000000FF");
        QTest::newRow("grid on") << PrivacyStep([](Ui::Privacy *u) { u->CmdGridOn->click(); })
                                 << hex("8101047C02FF");
        QTest::newRow("grid off") << PrivacyStep([](Ui::Privacy *u) { u->cmdGridoff->click(); })
                                  << hex("8101047C03FF");
    }
    void privacyPackets()
    {
        QFETCH(PrivacyStep, step);
        QFETCH(QByteArray, packet);
        Rig rig;
        Privacy dialog(rig.link);
        rig.hook(dialog);
        dialog.openFromMenu();
        step(dialog.ui());
        QCOMPARE(rig.sent(), QList<QByteArray>{packet});
        QVERIFY(dialog.log().text().endsWith(hexSpaced(packet) + QStringLiteral("\r\n")));
        QVERIFY(rig.messages.isEmpty());
        rig.run(60);
        QVERIFY2(rig.cameraAccepted(), qPrintable(rig.link.RecvText().text()));
    }

    void privacyRefusals_data()
    {
        QTest::addColumn<PrivacyStep>("step");
        QTest::addColumn<QString>("field");
        QTest::newRow("no zone selected") << PrivacyStep([](Ui::Privacy *u) {
            u->combSetPrivacy->setCurrentIndex(-1);
            u->CmdPrivacySet->click();
        }) << "Zone to set";
        QTest::newRow("no colour 2 selected") << PrivacyStep([](Ui::Privacy *u) {
            u->Combo_1->setCurrentIndex(-1);
            u->cmdPrivacyColor->click();
        }) << "Color 2";
        QTest::newRow("pan not hexadecimal") << PrivacyStep([](Ui::Privacy *u) {
            u->TextPan->setText(QStringLiteral("8G0"));
            u->cmdPZMpantilt->click();
        }) << "Pan angle";
        QTest::newRow("empty move amount") << PrivacyStep([](Ui::Privacy *u) {
            u->TextMoveTilt->clear();
            u->cmdMovePanTilt->click();
        }) << "Move tilt amount";
        QTest::newRow("zoom with a blank") << PrivacyStep([](Ui::Privacy *u) {
            u->TextSetPTZzoom->setText(QStringLiteral("40 0"));
            u->Command1->click();
        }) << "PTZ zoom";
    }
    void privacyRefusals()
    {
        QFETCH(PrivacyStep, step);
        QFETCH(QString, field);
        Rig rig;
        Privacy dialog(rig.link);
        rig.hook(dialog);
        dialog.openFromMenu();
        step(dialog.ui());
        QVERIFY(rig.sent().isEmpty());
        QVERIFY(dialog.log().text().isEmpty());
        QCOMPARE(rig.messages.size(), 1);
        QVERIFY2(rig.messages[0].contains(field + QLatin1Char(':')), qPrintable(rig.messages[0]));
    }

    void privacyListsBeforeOpening()
    {
        Rig rig;
        Privacy dialog(rig.link);
        // Built but not opened from the menu: the lists show their prompts.
        QCOMPARE(dialog.ui()->Combo_0->currentIndex(), -1);
        QCOMPARE(dialog.ui()->Combo_0->placeholderText(), QStringLiteral("Select Color"));
        // Opening again puts every list back on its first item.
        dialog.openFromMenu();
        dialog.ui()->comboSetPTZ->setCurrentIndex(5);
        dialog.openFromMenu();
        QCOMPARE(dialog.ui()->comboSetPTZ->currentIndex(), 0);
        QCOMPARE(dialog.ui()->comboSetPTZ->currentText(), QStringLiteral("Mask_A"));
        QCOMPARE(dialog.ui()->combSetPrivacy->itemText(23), QStringLiteral("SetMask_X"));
    }

    void privacyZoneKeys()
    {
        Rig rig;
        Privacy dialog(rig.link);
        QLineEdit *x = dialog.ui()->Zones_0;
        x->clear();
        QTest::keyClicks(x, QStringLiteral("gb"));
        QCOMPARE(x->text(), QStringLiteral("B"));
        QTest::keyClicks(x, QStringLiteral("-7z"));
        QCOMPARE(x->text(), QStringLiteral("B7"));
        QTest::keyClick(x, Qt::Key_Backspace);
        QCOMPARE(x->text(), QStringLiteral("B"));
    }

    // The dialog's own sender: logged in its box, the main window's log and
    // auto refresh untouched.
    void privacyOwnLog()
    {
        Rig rig;
        rig.autoRefreshOn();
        Privacy dialog(rig.link);
        dialog.openFromMenu();
        dialog.ui()->CmdGridOn->click();
        QVERIFY(dialog.ui()->PrivacySetTxt->toPlainText().contains(
            QStringLiteral("81 01 04 7C 02 FF")));
        QVERIFY(rig.link.SendText().text().isEmpty());
        QVERIFY(rig.link.refresh().timerEnabled());
        QVERIFY(rig.link.refresh().buttonEnabled());
        dialog.ui()->ClrSET->click();
        QVERIFY(dialog.ui()->PrivacySetTxt->toPlainText().isEmpty());
    }

    // --- SphericalMask ---

    void sphericalPackets_data()
    {
        QTest::addColumn<SphericalStep>("step");
        QTest::addColumn<QByteArray>("packet");
        QTest::newRow("mask set at once")
            << SphericalStep([](Ui::SphericalMask *u) { u->cmdSphericalSet->click(); })
            << hex("8101047600010005"
                   "0005FF");
        QTest::newRow("display") << SphericalStep([](Ui::SphericalMask *u) {
            u->Checks0_0->setChecked(false);
            u->Checks0_12->setChecked(true);
            u->cmdSphericalDisp->click();
        }) << hex("8101047700010000FF");
        QTest::newRow("colours with half") << SphericalStep([](Ui::SphericalMask *u) {
            u->ComboSphe_0->setCurrentIndex(9);
            u->Chk1->setChecked(true);
            u->ComboSphe_1->setCurrentIndex(10);
            u->cmdSphericalColor->click();
        }) << hex("8101047800000001190AFF");
        QTest::newRow("mosaic colour 1, halves ignored") << SphericalStep([](Ui::SphericalMask *u) {
            u->Checks1_0->setChecked(false);
            u->Checks1_23->setChecked(true);
            u->ComboSphe_1->setCurrentIndex(3);
            u->Chk1->setChecked(true);
            u->Chk2->setChecked(true);
            u->cmdSphericalMosic->click();
        }) << hex("81010478200000007F03FF");
        QTest::newRow("mosaic colour 2") << SphericalStep([](Ui::SphericalMask *u) {
            u->ComboSphe_0->setCurrentIndex(8);
            u->Chk1->setChecked(true);
            u->cmdSphericalMosic2->click();
        }) << hex("8101047800000001087FFF");
        QTest::newRow("pan tilt") << SphericalStep([](Ui::SphericalMask *u) {
            u->TextPan->setText(QStringLiteral("E00"));
            u->cmdSphePZMpantilt->click();
        }) << hex("810104790E0000000000FF");
        QTest::newRow("PTZ at once")
            << SphericalStep([](Ui::SphericalMask *u) { u->cmdSphericalPTZ->click(); })
            << hex("8101047B0000000000000000000000FF");
        QTest::newRow("non interlock mask B") << SphericalStep([](Ui::SphericalMask *u) {
            u->ComboNonInter->setCurrentIndex(1);
            u->NonInterXText->setText(QStringLiteral("10"));
            u->NonInterYText->setText(QStringLiteral("20"));
            u->NonInterWText->setText(QStringLiteral("08"));
            u->NonInterHText->setText(QStringLiteral("04"));
            u->cmdNonInter->click();
        })
                                              << hex("8101046F01010002000008"
                                                     "0004FF");
        QTest::newRow("grid on") << SphericalStep([](Ui::SphericalMask *u) {
            u->CmdGridOnSphe->click();
        }) << hex("8101047C02FF");
        QTest::newRow("grid off") << SphericalStep([](Ui::SphericalMask *u) {
            u->cmdGridoffSphe->click();
        }) << hex("8101047C03FF");
        QTest::newRow("centre on")
            << SphericalStep([](Ui::SphericalMask *u) { u->cmdCenterSphe->click(); })
            << hex("8101047C04FF");
    }
    void sphericalPackets()
    {
        QFETCH(SphericalStep, step);
        QFETCH(QByteArray, packet);
        Rig rig;
        SphericalMask dialog(rig.link);
        rig.hook(dialog);
        dialog.openFromMenu();
        step(dialog.ui());
        QCOMPARE(rig.sent(), QList<QByteArray>{packet});
        QVERIFY(dialog.log().text().endsWith(hexSpaced(packet) + QStringLiteral("\r\n")));
        QVERIFY(rig.messages.isEmpty());
        rig.run(60);
        QVERIFY2(rig.cameraAccepted(), qPrintable(rig.link.RecvText().text()));
    }

    void sphericalRefusals()
    {
        Rig rig;
        SphericalMask dialog(rig.link);
        rig.hook(dialog);
        dialog.openFromMenu();
        Ui::SphericalMask *u = dialog.ui();
        // The mosaic of row 1 needs the colour of row 2, not of its own row.
        u->ComboSphe_1->setCurrentIndex(-1);
        u->cmdSphericalMosic->click();
        u->ComboSphe_0->setCurrentIndex(-1);
        u->ComboSphe_1->setCurrentIndex(0);
        u->cmdSphericalMosic->click();
        QCOMPARE(rig.sent(), QList<QByteArray>{hex("81010478000000017F00FF")});
        u->SpheZone2->setText(QStringLiteral("0x"));
        u->cmdSphericalSet->click();
        QCOMPARE(rig.sent().size(), 1);
        QCOMPARE(rig.messages.size(), 2);
        QVERIFY(rig.messages[0].contains(QStringLiteral("Color 2:")));
        QVERIFY(rig.messages[1].contains(QStringLiteral("Zone height:")));
    }

    void sphericalKeepsCameraAddress()
    {
        Rig rig;
        rig.link.state().CameraAddress = 2;
        SphericalMask dialog(rig.link);
        dialog.openFromMenu();
        dialog.ui()->cmdCenterSphe->click();
        QCOMPARE(rig.lastSent(), hex("8201047C04FF"));
        rig.run(60);
        QVERIFY(rig.chain.camera(2).masks().centreMark);
        QVERIFY(!rig.chain.camera(1).masks().centreMark);
    }

    // --- PrivacyA ---

    void privacyAPackets()
    {
        Rig rig;
        rig.link.state().CameraAddress = 2;
        PrivacyA dialog(rig.link);
        rig.hook(dialog);
        dialog.openFromMenu();
        Ui::PrivacyA *u = dialog.ui();
        u->Zones_8->setText(QStringLiteral("4"));
        u->Zones_9->setText(QStringLiteral("2"));
        u->Zones_10->setText(QStringLiteral("3"));
        u->Zones_11->setText(QStringLiteral("1"));
        u->cmdPZMset_1->click();
        // Always camera 1; through the main window's sender and log.
        const QByteArray set = hex("81010476010402030100000000FF");
        QCOMPARE(rig.sent(), QList<QByteArray>{set});
        QVERIFY(rig.link.SendText().text().contains(hexCompact(set)));
        QVERIFY(dialog.log().text().isEmpty());
        rig.run(60);
        QVERIFY(rig.cameraAccepted());
        QCOMPARE(rig.chain.camera(1).masks().zonesA[2].x, 4);

        rig.clearSent();
        u->CmdPrivacyOn->click();
        u->CmdPrivacyoff->click();
        u->CmdClear->click();
        QCOMPARE(rig.sent(), (QList<QByteArray>{hex("8101047702FF"), hex("8101047703FF"),
                                                hex("8101047700FF")}));
        QCOMPARE(dialog.log().text(), QStringLiteral("81 01 04 77 02 FF \r\n81 01 04 77 03 FF \r\n"
                                                     "81 01 04 77 00 FF \r\n"));
        QVERIFY(rig.messages.isEmpty());
    }

    void privacyAWholeBytes()
    {
        Rig rig;
        PrivacyA dialog(rig.link);
        rig.hook(dialog);
        Ui::PrivacyA *u = dialog.ui();
        u->Zones_0->setText(QStringLiteral("1F"));
        u->Zones_1->setText(QStringLiteral("x"));
        u->cmdPZMset_0->click();
        QCOMPARE(rig.lastSent(), hex("81010476"
                                     "00"
                                     "1F000000"
                                     "00000000"
                                     "FF"));
        rig.clearSent();
        u->Zones_6->setText(QStringLiteral("100"));
        u->cmdPZMset_0->click();
        QVERIFY(rig.sent().isEmpty());
        QCOMPARE(rig.messages.size(), 1);
        QVERIFY(rig.messages[0].contains(QStringLiteral("Zone 2 width:")));
    }

    void privacyAGridFollowsBoxes()
    {
        Rig rig;
        PrivacyA dialog(rig.link);
        Ui::PrivacyA *u = dialog.ui();
        ZoneGrid *grid = u->PrivacyGrid;
        QVERIFY(grid->areas().isEmpty()); // widths and heights of 0 mark nothing
        u->Zones_8->setText(QStringLiteral("4"));
        u->Zones_9->setText(QStringLiteral("2"));
        u->Zones_10->setText(QStringLiteral("3"));
        u->Zones_11->setText(QStringLiteral("2"));
        QCOMPARE(grid->labelsAt(4, 2), QStringList{QStringLiteral("3")});
        QCOMPARE(grid->labelsAt(6, 3), QStringList{QStringLiteral("3")});
        QVERIFY(grid->labelsAt(7, 2).isEmpty());
        QVERIFY(grid->labelsAt(4, 4).isEmpty());
        u->Zones_0->setText(QStringLiteral("5"));
        u->Zones_2->setText(QStringLiteral("1"));
        u->Zones_3->setText(QStringLiteral("1"));
        QCOMPARE(grid->labelsAt(5, 0), QStringList{QStringLiteral("1")});
        QCOMPARE(grid->labelsAt(5, 2), QStringList{QStringLiteral("3")});
        u->Zones_10->setText(QStringLiteral("100")); // no longer a byte: not drawn
        QVERIFY(grid->labelsAt(4, 2).isEmpty());
    }

    // --- AES ---

    void aesPackets_data()
    {
        QTest::addColumn<QString>("q");
        QTest::addColumn<QString>("s");
        QTest::addColumn<QByteArray>("packet");
        QTest::newRow("at once") << "8"
                                 << "8" << hex("8101042900080008FF");
        QTest::newRow("F, 0") << "F"
                              << "0" << hex("81010429000F0000FF");
        QTest::newRow("letter Z reads 0") << "Z"
                                          << "3" << hex("8101042900000003FF");
        QTest::newRow("1A whole byte") << "1A"
                                       << "2" << hex("81010429001A0002FF");
    }
    void aesPackets()
    {
        QFETCH(QString, q);
        QFETCH(QString, s);
        QFETCH(QByteArray, packet);
        Rig rig;
        AES dialog(rig.link);
        rig.hook(dialog);
        dialog.openFromMenu();
        dialog.ui()->AESpotPosX->setText(q);
        dialog.ui()->AESpotPosY->setText(s);
        dialog.ui()->AESpotSet->click();
        QCOMPARE(rig.sent(), QList<QByteArray>{packet});
        QVERIFY(dialog.log().text().endsWith(hexSpaced(packet) + QStringLiteral("\r\n")));
        QVERIFY(rig.messages.isEmpty());
    }

    void aesSwitchRefusalAndGrid()
    {
        Rig rig;
        AES dialog(rig.link);
        rig.hook(dialog);
        Ui::AES *u = dialog.ui();
        QCOMPARE(u->AESGrid->labelsAt(8, 8), QStringList{QStringLiteral("AE")});
        u->AESpotON->click();
        rig.run(60);
        QVERIFY(rig.chain.camera(1).masks().aeSpot);
        u->AESpotOFF->click();
        QCOMPARE(rig.sent(), (QList<QByteArray>{hex("8101045902FF"), hex("8101045903FF")}));
        rig.clearSent();
        u->AESpotPosX->setText(QStringLiteral("C"));
        u->AESpotPosY->setText(QStringLiteral("100"));
        QVERIFY(u->AESGrid->areas().isEmpty());
        u->AESpotSet->click();
        QVERIFY(rig.sent().isEmpty());
        QVERIFY(rig.messages.value(0).contains(QStringLiteral("Spot s:")));
        u->AESpotPosY->setText(QStringLiteral("3"));
        QCOMPARE(u->AESGrid->labelsAt(0xC, 3), QStringList{QStringLiteral("AE")});
        u->AESpotSet->click();
        rig.run(60);
        QCOMPARE(rig.chain.camera(1).masks().spotQ, 0xC);
        QCOMPARE(rig.chain.camera(1).masks().spotS, 3);
    }

    // --- MD ---

    void mdCommands()
    {
        Rig rig;
        MD dialog(rig.link);
        rig.hook(dialog);
        Ui::MD *u = dialog.ui();
        auto &cam = rig.chain.camera(1).state();
        const ModuleState &s = rig.link.state();

        u->ComboSetMD->setCurrentIndex(5);
        u->comSetMD->click();
        u->ComboSetMD->setCurrentIndex(12);
        QCOMPARE(u->ComboSetMD->currentText(), QStringLiteral("Day & Night"));
        u->comSetMD->click();
        QCOMPARE(int(s.MDMode), 0x0C);
        u->txtMDnight->setText(QStringLiteral("2A0"));
        u->cmdsetMDtime->click();
        u->cmdDisplay->click();
        u->cmdMDdisplayOFF->click();
        u->cmdJun->click();
        QCOMPARE(u->cmdJun->text(), QStringLiteral("OFF"));
        u->cmdJun->click();
        QCOMPARE(u->cmdJun->text(), QStringLiteral("ON"));
        QCOMPARE(rig.sent(), (QList<QByteArray>{hex("8101046C05FF"), hex("8101046C0CFF"),
                                                hex("8101046D0F0F0F020A00FF"), hex("8101041502FF"),
                                                hex("8101041503FF"), hex("8101045E02FF"),
                                                hex("8101045E03FF")}));
        QVERIFY(dialog.log().text().startsWith(QStringLiteral("81 01 04 6C 05 FF \r\n")));
        QCOMPARE(s.MDDayLevel, 0xFFF);
        QCOMPARE(s.MDNightLevel, 0x2A0);
        QVERIFY(s.MDDayLevelSent && s.MDNightLevelSent);
        rig.run(100);
        QCOMPARE(cam.mdMode, 0x0C);
        QCOMPARE(cam.mdNightLevel, 0x2A0);
        QVERIFY(rig.messages.isEmpty());
    }

    void mdLevelBoxes()
    {
        Rig rig;
        MD dialog(rig.link);
        rig.hook(dialog);
        Ui::MD *u = dialog.ui();
        u->txtMDday->clear();
        QTest::keyClicks(u->txtMDday, QStringLiteral("x1g-b"));
        QCOMPARE(u->txtMDday->text(), QStringLiteral("1B"));
        // Three digits taken as first, second and last: the level kept is the
        // one the camera got.
        u->txtMDday->setText(QStringLiteral("5"));
        u->cmdsetMDtime->click();
        QCOMPARE(rig.lastSent(), hex("8101046D0500050F0F0FFF"));
        QCOMPARE(rig.link.state().MDDayLevel, 0x505);
        rig.clearSent();
        rig.link.state().MDDayLevelSent = false;
        u->txtMDday->setText(QStringLiteral("G00"));
        u->cmdsetMDtime->click();
        QVERIFY(rig.sent().isEmpty());
        QVERIFY(!rig.link.state().MDDayLevelSent);
        QVERIFY(rig.messages.value(0).contains(QStringLiteral("Day AE level:")));
    }

    void mdInquiries()
    {
        Rig rig;
        MD dialog(rig.link);
        Ui::MD *u = dialog.ui();
        auto &cam = rig.chain.camera(1).state();
        ModuleState &s = rig.link.state();
        cam.mdMode = 7;
        cam.mdActive = true;
        cam.mdDayLevel = 0x123;
        cam.mdNightLevel = 0xABC;
        cam.mdNowLevel = 0x0F5;

        u->cmdsetMDinq->click();
        QCOMPARE(u->ComboSetMD->currentIndex(), 7);
        QCOMPARE(int(s.MDMode), 7);
        QVERIFY(s.MDModeKnown);
        u->cmdMDSSunq->click();
        QVERIFY(u->OpMDon->isChecked());
        QVERIFY(s.MDActive);
        const auto before = rig.clock.nowMs();
        u->cmdLevelInq->click();
        QVERIFY(rig.clock.nowMs() - before >= 500); // the pause before the reply is read
        QCOMPARE(u->txtMDdayR->text(), QStringLiteral("123"));
        QCOMPARE(u->txtMDnightR->text(), QStringLiteral("ABC"));
        QCOMPARE(u->txtMDc->text(), QStringLiteral("0F5"));
        QCOMPARE(s.MDDayLevel, 0); // the read-back changes no stored level
        QCOMPARE(rig.sent(),
                 (QList<QByteArray>{hex("8109046CFF"), hex("8109046BFF"), hex("8109046DFF")}));
    }

    // Replies the dialog must not take: a mode the list lacks, a status that
    // is neither 2 nor 3, a level reply cut short.
    void mdOddReplies()
    {
        Rig rig;
        MD dialog(rig.link);
        Ui::MD *u = dialog.ui();
        ModuleState &s = rig.link.state();
        rig.chain.faults().dropIf = [](const QByteArray &p) { return p.at(1) == 0x09; };
        u->ComboSetMD->setCurrentIndex(2);
        u->OpMDoff->setChecked(true);
        u->txtMDdayR->setText(QStringLiteral("777"));

        rig.port.inject(hex("90500DFF"));
        u->cmdsetMDinq->click();
        rig.port.inject(hex("905005FF"));
        u->cmdMDSSunq->click();
        rig.port.inject(hex("9050010203FF"));
        u->cmdLevelInq->click();
        QCOMPARE(u->ComboSetMD->currentIndex(), 2);
        QVERIFY(!s.MDModeKnown);
        QVERIFY(u->OpMDoff->isChecked());
        QVERIFY(!s.MDActive);
        QCOMPARE(u->txtMDdayR->text(), QStringLiteral("777"));
        // What is left of the short reply is no mode reply either.
        u->cmdsetMDinq->click();
        QCOMPARE(u->ComboSetMD->currentIndex(), 2);
    }

    void mdStartWarning_data()
    {
        QTest::addColumn<bool>("autoRefresh");
        QTest::addColumn<bool>("on");
        QTest::addColumn<int>("answer");
        QTest::addColumn<bool>("asked");
        QTest::addColumn<QByteArray>("packet"); // empty: nothing sent
        QTest::newRow("auto, on, OK")
            << true << true << int(QMessageBox::Ok) << true << hex("8101046B02FF");
        QTest::newRow("auto, on, Cancel")
            << true << true << int(QMessageBox::Cancel) << true << QByteArray();
        QTest::newRow("stop, on") << false << true << int(QMessageBox::Cancel) << false
                                  << hex("8101046B02FF");
        QTest::newRow("auto, off")
            << true << false << int(QMessageBox::Cancel) << false << hex("8101046B03FF");
    }
    void mdStartWarning()
    {
        QFETCH(bool, autoRefresh);
        QFETCH(bool, on);
        QFETCH(int, answer);
        QFETCH(bool, asked);
        QFETCH(QByteArray, packet);
        Rig rig;
        if (autoRefresh)
            rig.autoRefreshOn();
        rig.link.state().MDActive = !on;
        rig.answer = QMessageBox::StandardButton(answer);
        MD dialog(rig.link);
        rig.hook(dialog);
        (on ? dialog.ui()->OpMDon : dialog.ui()->OpMDoff)->setChecked(true);
        dialog.ui()->cmdMDstart->click();
        QCOMPARE(rig.messages,
                 asked ? QStringList{QStringLiteral("AutoRefresh warning|Afer se this mode, "
                                                    "Auto refresh function will be off.")}
                       : QStringList{});
        QCOMPARE(rig.sent(), packet.isEmpty() ? QList<QByteArray>{} : QList<QByteArray>{packet});
        QCOMPARE(rig.link.state().MDActive, packet.isEmpty() ? !on : on);
    }

    // The menu entry: modal, refresh stopped while open, the alarm state read
    // from the camera when detection is thought to run; closing with
    // detection running switches auto refresh off.
    void mdOpenReadsAlarmAndClosesRefreshOff()
    {
        Rig rig;
        rig.autoRefreshOn();
        auto &cam = rig.chain.camera(1).state();
        cam.mdActive = true;
        cam.mdMode = 5;
        cam.mdDayLevel = 0x012;
        cam.mdNightLevel = 0x034;
        cam.mdNowLevel = 0x056;
        rig.link.state().MDActive = true;
        QWidget main;
        MD dialog(rig.link, &main);
        int checks = 0;
        dialog.setCheckAlarmStatus([&] {
            ++checks;
            return checkAlarmStatus(rig);
        });
        bool modal = false, timerOff = false, buttonOff = false;
        QTimer::singleShot(0, &dialog, [&] {
            modal = dialog.isVisible() && QApplication::activeModalWidget() == &dialog;
            timerOff = !rig.link.refresh().timerEnabled();
            buttonOff = !rig.link.refresh().buttonEnabled();
            dialog.ui()->cmdCloseAlarm->click();
        });
        QTimer::singleShot(5000, &dialog, &QDialog::reject); // never hang
        dialog.openFromMenu();
        QVERIFY(modal);
        QVERIFY(timerOff && buttonOff);
        QCOMPARE(checks, 1);
        Ui::MD *u = dialog.ui();
        QCOMPARE(u->ComboSetMD->currentIndex(), 5);
        QCOMPARE(u->txtMDday->text(), QStringLiteral("012"));
        QCOMPARE(u->txtMDnightR->text(), QStringLiteral("034"));
        QCOMPARE(u->txtMDc->text(), QStringLiteral("056"));
        QVERIFY(u->OpMDon->isChecked());
        // Closed with detection running under "Auto": auto refresh off.
        const AutoRefresh &a = rig.link.refresh();
        QVERIFY(!dialog.isVisible());
        QVERIFY(!a.timerEnabled());
        QCOMPARE(a.caption(), QStringLiteral("Stop"));
        QVERIFY(a.buttonEnabled());
        QVERIFY(a.refreshOnceEnabled());
    }

    void mdClosingWithoutDetectionResumes()
    {
        Rig rig;
        rig.autoRefreshOn();
        rig.link.state().MDMode = 0x20; // not a mode of the list
        MD dialog(rig.link);
        bool read = false;
        dialog.setCheckAlarmStatus([&read] {
            read = true;
            return false;
        });
        dialog.prepareOpening();
        QVERIFY(!read); // detection off: nothing to read
        QCOMPARE(dialog.ui()->ComboSetMD->currentIndex(), 0);
        QVERIFY(dialog.ui()->OpMDoff->isChecked());
        // A command's finishing reply does not restart the refresh meanwhile.
        dialog.ui()->comSetMD->click();
        rig.run(100);
        QVERIFY(rig.cameraAccepted());
        QVERIFY(!rig.link.refresh().timerEnabled());
        QVERIFY(!rig.link.refresh().buttonEnabled());
        dialog.reject();
        QVERIFY(rig.link.refresh().timerEnabled());
        QVERIFY(rig.link.refresh().buttonEnabled());
        QCOMPARE(rig.link.refresh().caption(), QStringLiteral("Auto"));
    }

    void mdStateKnownRules()
    {
        Rig rig;
        ModuleState &s = rig.link.state();
        MD dialog(rig.link);
        rig.hook(dialog);
        int checks = 0;
        dialog.setCheckAlarmStatus([&] {
            ++checks;
            return true;
        });
        // Known state: not read again, but forgotten for the next opening.
        s.MDActive = true;
        s.MDStateKnown = true;
        dialog.prepareOpening();
        QCOMPARE(checks, 0);
        QVERIFY(!s.MDStateKnown);
        // Mode read and both levels sent with detection running: known at closing.
        dialog.ui()->cmdsetMDinq->click();
        dialog.ui()->cmdsetMDtime->click();
        dialog.reject();
        QVERIFY(s.MDModeKnown && s.MDDayLevelSent && s.MDNightLevelSent);
        QVERIFY(s.MDStateKnown);
        dialog.prepareOpening();
        QCOMPARE(checks, 0);
        dialog.reject();
        // Caption "Stop": closing leaves the refresh off.
        QCOMPARE(rig.link.refresh().caption(), QStringLiteral("Stop"));
        QVERIFY(!rig.link.refresh().timerEnabled());
        QVERIFY(rig.link.refresh().buttonEnabled());
    }

    // --- MotionD ---

    void motionPackets_data()
    {
        QTest::addColumn<MotionStep>("step");
        QTest::addColumn<QByteArray>("packet");
        QTest::newRow("initial window") << MotionStep([](Ui::MotionD *u) { u->MDwinSet->click(); })
                                        << hex("8101041D0000010102FF");
        QTest::newRow("largest window of frame 2") << MotionStep([](Ui::MotionD *u) {
            u->MDOp_2->setChecked(true);
            u->MDHstart->setText(QStringLiteral("3"));
            u->MDVstart->setText(QStringLiteral("0"));
            u->MDHstop->setText(QStringLiteral("C"));
            u->MDVstop->setText(QStringLiteral("8"));
            u->MDwinSet->click();
        }) << hex("8101041D0203000C08FF");
        QTest::newRow("frames shown, frame 0") << MotionStep([](Ui::MotionD *u) {
            u->MDcheck_0->setChecked(true);
            u->MDfuncSet->click();
        }) << hex("8101041C010100010001FF");
        QTest::newRow("blocks shown, frames 0 and 3") << MotionStep([](Ui::MotionD *u) {
            u->MDcheck_1->setChecked(true);
            u->MDcheck_5->setChecked(true);
            u->MDthreshold->setText(QStringLiteral("2F"));
            u->MDinterval->setText(QStringLiteral("10"));
            u->MDfuncSet->click();
        }) << hex("8101041C0209020F0100FF");
        QTest::newRow("nothing shown, empty boxes") << MotionStep([](Ui::MotionD *u) {
            u->MDthreshold->clear();
            u->MDinterval->setText(QStringLiteral("7"));
            u->MDfuncSet->click();
        }) << hex("8101041C010100000707FF");
    }
    void motionPackets()
    {
        QFETCH(MotionStep, step);
        QFETCH(QByteArray, packet);
        Rig rig;
        MotionD dialog(rig.link);
        rig.hook(dialog);
        step(dialog.ui());
        QCOMPARE(rig.sent(), QList<QByteArray>{packet});
        // The main window's sender and log.
        QVERIFY(rig.link.SendText().text().endsWith(hexCompact(packet) + QStringLiteral("\r\n")));
        QVERIFY(rig.messages.isEmpty());
        rig.run(60);
        QVERIFY2(rig.cameraAccepted(), qPrintable(rig.link.RecvText().text()));
    }

    void motionWindowCheck_data()
    {
        QTest::addColumn<QStringList>("positions"); // H start, V start, H stop, V stop
        QTest::newRow("H stop D") << QStringList{"3", "0", "D", "8"};
        QTest::newRow("V stop 9") << QStringList{"3", "0", "C", "9"};
        QTest::newRow("H start = H stop") << QStringList{"5", "0", "5", "8"};
        QTest::newRow("empty stop reads 0") << QStringList{"0", "0", "", "8"};
    }
    void motionWindowCheck()
    {
        QFETCH(QStringList, positions);
        Rig rig;
        QApplication::setApplicationDisplayName(QStringLiteral("ZAM panel"));
        MotionD dialog(rig.link);
        rig.hook(dialog);
        Ui::MotionD *u = dialog.ui();
        u->MDHstart->setText(positions[0]);
        u->MDVstart->setText(positions[1]);
        u->MDHstop->setText(positions[2]);
        u->MDVstop->setText(positions[3]);
        u->MDwinSet->click();
        QVERIFY(rig.sent().isEmpty());
        QCOMPARE(rig.messages,
                 QStringList{QStringLiteral("ZAM panel|It is not correct the window setting, "
                                            "Please input correct value again?")});
    }

    void motionSwitchAndWarning()
    {
        Rig rig;
        MotionD dialog(rig.link);
        rig.hook(dialog);
        Ui::MotionD *u = dialog.ui();
        // Auto refresh off: no question.
        u->MDforOnOff->click();
        QCOMPARE(u->MDforOnOff->text(), QStringLiteral("ON"));
        u->MDforOnOff->click();
        QCOMPARE(u->MDforOnOff->text(), QStringLiteral("OFF"));
        QCOMPARE(rig.sent(), (QList<QByteArray>{hex("8101041B03FF"), hex("8101041B02FF")}));
        QVERIFY(rig.messages.isEmpty());

        rig.clearSent();
        rig.autoRefreshOn();
        rig.answer = QMessageBox::Cancel;
        u->MDforOnOff->click();
        u->MDfuncSet->click();
        QVERIFY(rig.sent().isEmpty());
        QCOMPARE(u->MDforOnOff->text(), QStringLiteral("OFF"));
        QCOMPARE(rig.messages.size(), 2);
        QCOMPARE(rig.messages[0],
                 QStringLiteral("AutoRefresh warning|After set this mode, Auto refresh "
                                "function will be off."));
        rig.answer = QMessageBox::Ok;
        u->MDfuncSet->click();
        QCOMPARE(rig.sent(), QList<QByteArray>{hex("8101041C010100010001FF")});
        QCOMPARE(u->MDforOnOff->text(), QStringLiteral("ON"));
        // Switching off never asks.
        u->MDforOnOff->click();
        QCOMPARE(rig.messages.size(), 3);
        QCOMPARE(rig.lastSent(), hex("8101041B02FF"));
    }

    void motionHandsRefreshBack_data()
    {
        QTest::addColumn<bool>("detecting");
        QTest::newRow("detection off") << false;
        QTest::newRow("detection on") << true;
    }
    void motionHandsRefreshBack()
    {
        QFETCH(bool, detecting);
        Rig rig;
        rig.autoRefreshOn();
        MotionD dialog(rig.link);
        rig.hook(dialog);
        dialog.openFromMenu();
        const AutoRefresh &a = rig.link.refresh();
        QVERIFY(dialog.isVisible() && !dialog.isModal());
        QVERIFY(!a.timerEnabled());
        QVERIFY(!a.buttonEnabled());
        if (detecting)
            dialog.ui()->MDforOnOff->click(); // asks (answered OK), turns it on
        else
            dialog.ui()->MDwinSet->click();
        rig.run(100);
        QVERIFY(rig.cameraAccepted());
        QCOMPARE(rig.chain.camera(1).masks().detecting, detecting);
        QVERIFY(!a.timerEnabled()); // held while the window is open
        dialog.close();
        QVERIFY(a.buttonEnabled());
        QCOMPARE(a.timerEnabled(), !detecting);
        QCOMPARE(a.captionIsAuto(), !detecting);
        QCOMPARE(a.refreshOnceEnabled(), detecting);
    }

    // Out-of-range values reach the simulated camera as typed (the dialogs
    // test no ranges) and are refused there with a syntax error.
    void cameraRefusesOutOfRange()
    {
        Rig rig;
        PrivacyA dialog(rig.link);
        dialog.ui()->Zones_1->setText(QStringLiteral("C")); // Y beyond B
        dialog.ui()->Zones_2->setText(QStringLiteral("1"));
        dialog.ui()->Zones_3->setText(QStringLiteral("1"));
        dialog.ui()->cmdPZMset_0->click();
        rig.run(60);
        QVERIFY(rig.link.RecvText().text().endsWith(QStringLiteral("90 60 02 FF \r\n")));
        QCOMPARE(rig.chain.camera(1).masks().zonesA[0].height, 0);
    }

private:
    static QByteArray hex(const char *s) { return QByteArray::fromHex(s); }
};

QTEST_MAIN(TestMaskDialogs)
#include "test_maskdialogs.moc"
