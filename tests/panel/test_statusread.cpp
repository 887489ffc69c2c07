// The status read against a scripted camera: what each reply byte does to the
// main window, and how a camera that answers badly is given up on.

#include "support/scriptedrig.h"

#include "ui_frmcamid.h"
#include "ui_frmdeffect.h"
#include "ui_frmmain.h"

#include <QMessageBox>
#include <autorefreshcontrols.h>
#include <frmcamid.h>
#include <frmdeffect.h>

using namespace zam;

namespace {

// Replaces bytes of a reply: "index:hex index:hex ...".
void setBytes(QByteArray &b, const QString &sets)
{
    for (const QString &set : sets.split(QLatin1Char(' '), Qt::SkipEmptyParts)) {
        const QStringList iv = set.split(QLatin1Char(':'));
        b[iv[0].toInt()] = char(iv[1].toInt(nullptr, 16));
    }
}

const QList<QByteArray> kFiveInquiries = {
    QByteArray::fromHex("81090002FF"),   QByteArray::fromHex("81097E7E00FF"),
    QByteArray::fromHex("81097E7E01FF"), QByteArray::fromHex("81097E7E02FF"),
    QByteArray::fromHex("81097E7E03FF"),
};

// A camera in a plain state: zoom 0x1000, focus 0x2000, near limit 0xC000,
// auto focus; auto white balance; full auto exposure with shutter 6, iris 8,
// gain 1, bright 13, exposure compensation 7, aperture 5; gains 0x80.
void plainCamera(CannedCamera &cam)
{
    setBytes(cam.lens, "2:1 3:0 4:0 5:0 6:C 7:0 8:2 9:0 10:0 11:0 13:01 14:00");
    setBytes(cam.camera, "2:8 3:0 4:8 5:0 6:0 7:5 8:00 9:0 10:6 11:8 12:1 13:D 14:7");
}

QMessageBox *errorBox(FrmMain &w)
{
    return w.refreshControls().errorBox();
}

} // namespace

class TestStatusRead : public QObject {
    Q_OBJECT
private Q_SLOTS:
    // The read asks exactly five questions and answers none back, although it
    // moves sliders and flips every check box whose click sends a command.
    void readSendsOnlyTheFiveInquiries()
    {
        ScriptedRig rig;
        plainCamera(rig.cam);
        QVERIFY(rig.start());
        auto *ui = rig.window.ui();
        setBytes(rig.cam.lens, "2:2 3:3 13:05");     // zoom moves, AF sensitivity on
        setBytes(rig.cam.camera, "9:07 2:F 3:F 10:9"); // slow shutter, comp, backlight on
        rig.read();
        QCOMPARE(rig.sent(), kFiveInquiries);
        QVERIFY(ui->AF_Sens->isChecked());
        QVERIFY(ui->AutoSlowShutter->isChecked());
        QVERIFY(ui->ExpComp->isChecked());
        QVERIFY(ui->BackLight->isChecked());
        QCOMPARE(ui->ZoomSlider->value(), 0x2300);
        QCOMPARE(ui->RGainSlider->value(), 0xFF);

        // And back: clearing them sends nothing either.
        setBytes(rig.cam.lens, "13:01");
        setBytes(rig.cam.camera, "9:00");
        rig.clearSent();
        rig.read();
        QCOMPARE(rig.sent(), kFiveInquiries);
        QVERIFY(!ui->AF_Sens->isChecked());
        QVERIFY(!ui->ExpComp->isChecked());
        QVERIFY(!ui->ExpCompSlider->isEnabled());

        // The read hands the line back to the receive handler.
        const ModuleState &s = rig.link.state();
        QVERIFY(!s.RefreshBusy);
        QVERIFY(s.LogTraffic);
        QCOMPARE(rig.link.receiveThreshold(), 1);
    }

    // A near limit raised at the camera lets the focus slider show a focus
    // beyond the old limit: the limit is applied before the position.
    void raisedNearLimitShowsFocus()
    {
        ScriptedRig rig;
        plainCamera(rig.cam);
        setBytes(rig.cam.lens, "6:3 7:0 13:00"); // near limit 0x3000, manual focus
        QVERIFY(rig.start());
        auto *ui = rig.window.ui();
        QCOMPARE(ui->FocusNearLimitSlider->value(), 0x3000);
        setBytes(rig.cam.lens, "6:C 7:0 8:8 9:0"); // limit 0xC000, focus 0x8000
        rig.read();
        QCOMPARE(ui->FocusNearLimitSlider->value(), 0xC000);
        QCOMPARE(ui->FocusSlider->value(), 0x8000);
    }

    // While the lens moves its position is not shown; the near limit and the
    // mode-dependent states still follow the camera.
    void movingLensKeepsPositions_data()
    {
        QTest::addColumn<int>("moving");
        QTest::newRow("still") << 0x00;
        QTest::newRow("zoom moving") << 0x01;
        QTest::newRow("focus moving") << 0x02;
        QTest::newRow("both moving") << 0x03;
    }
    void movingLensKeepsPositions()
    {
        QFETCH(int, moving);
        ScriptedRig rig;
        plainCamera(rig.cam);
        QVERIFY(rig.start());
        auto *ui = rig.window.ui();
        QVERIFY(!ui->Near->isEnabled());

        // New positions, manual focus, a lower near limit, digital zoom on.
        setBytes(rig.cam.lens, "2:3 5:4 8:4 11:5 6:A 7:8 13:02");
        rig.cam.lens[14] = char(moving);
        rig.read();
        const bool zoomMoving = moving & 1;
        const bool focusMoving = moving & 2;
        QCOMPARE(ui->ZoomSlider->value(), zoomMoving ? 0x1000 : 0x3004);
        QCOMPARE(ui->ZoomSliderShort->value(), zoomMoving ? 0x1000 : 0x3004);
        QCOMPARE(ui->ZoomValue->text(), zoomMoving ? QStringLiteral("4096") : QStringLiteral("12292"));
        QCOMPARE(ui->FocusSlider->value(), focusMoving ? 0x2000 : 0x4005);
        QCOMPARE(ui->FocusValue->text(), focusMoving ? QStringLiteral("8192") : QStringLiteral("16389"));
        QCOMPARE(ui->FocusNearLimitSlider->value(), 0xA800);
        QVERIFY(ui->Near->isEnabled());
        QVERIFY(ui->DZoomOff->isEnabled());
    }

    // Lens byte 13 bits 1 (digital zoom on) and 5 (separate mode).
    void digitalZoomControls_data()
    {
        QTest::addColumn<int>("bits");
        QTest::addColumn<bool>("onEnabled");
        QTest::addColumn<bool>("offEnabled");
        QTest::addColumn<bool>("buttonsEnabled");
        QTest::addColumn<bool>("combineEnabled");
        QTest::addColumn<bool>("separateEnabled");
        QTest::addColumn<bool>("fullSliderShown");
        QTest::newRow("off, combine") << 0x00 << true << false << false << false << true << false;
        QTest::newRow("on, combine") << 0x02 << false << true << false << false << true << true;
        QTest::newRow("off, separate") << 0x20 << true << false << true << true << false << false;
        QTest::newRow("on, separate") << 0x22 << false << true << true << true << false << false;
    }
    void digitalZoomControls()
    {
        QFETCH(int, bits);
        QFETCH(bool, onEnabled);
        QFETCH(bool, offEnabled);
        QFETCH(bool, buttonsEnabled);
        QFETCH(bool, combineEnabled);
        QFETCH(bool, separateEnabled);
        QFETCH(bool, fullSliderShown);
        ScriptedRig rig;
        plainCamera(rig.cam);
        rig.cam.lens[13] = char(bits);
        QVERIFY(rig.start());
        auto *ui = rig.window.ui();
        QCOMPARE(ui->DZoomON->isEnabled(), onEnabled);
        QCOMPARE(ui->DZoomOff->isEnabled(), offEnabled);
        QCOMPARE(ui->DZoomTele->isEnabled(), buttonsEnabled);
        QCOMPARE(ui->DZoomWide->isEnabled(), buttonsEnabled);
        QCOMPARE(ui->DZoomX->isEnabled(), buttonsEnabled);
        QCOMPARE(ui->DZoomMode_0->isEnabled(), combineEnabled);
        QCOMPARE(ui->DZoomMode_1->isEnabled(), separateEnabled);
        QCOMPARE(ui->ZoomSlider->isHidden(), !fullSliderShown);
        QCOMPARE(ui->ZoomSlider->isEnabled(), fullSliderShown);
        QCOMPARE(ui->ZoomSliderShort->isHidden(), fullSliderShown);
        QCOMPARE(ui->ZoomSliderShort->isEnabled(), !fullSliderShown);
    }

    void focusModeControls_data()
    {
        QTest::addColumn<bool>("automatic");
        QTest::newRow("automatic") << true;
        QTest::newRow("manual") << false;
    }
    void focusModeControls()
    {
        QFETCH(bool, automatic);
        ScriptedRig rig;
        plainCamera(rig.cam);
        rig.cam.lens[13] = char(automatic ? 0x01 : 0x00);
        QVERIFY(rig.start());
        auto *ui = rig.window.ui();
        const QList<QWidget *> manual{ui->Near,        ui->Far,    ui->NearSpeed,   ui->FarSpeed,
                                      ui->FocusSlider, ui->AFTrig, ui->AFModeCmd_0, ui->Infinity};
        for (QWidget *w : manual)
            QVERIFY2(w->isEnabled() == !automatic, qPrintable(w->objectName()));
        for (QWidget *w : {ui->AFModeCmd_1, ui->AFModeCmd_2, ui->AFModeCmd_3, ui->ManAFMode})
            QVERIFY2(w->isEnabled() == automatic, qPrintable(w->objectName()));
    }

    // Camera block byte 8: the AE menu mark and, on a change of mode, the
    // exposure controls (iris, gain, shutter, bright, backlight+slow shutter).
    void aeModes_data()
    {
        QTest::addColumn<int>("code");
        QTest::addColumn<QString>("item");
        QTest::addColumn<QString>("enabled"); // i g s b l
        QTest::newRow("full auto") << 0x00 << "FullAuto" << "----l";
        QTest::newRow("manual") << 0x03 << "Manual" << "igs--";
        QTest::newRow("shutter priority") << 0x0A << "ShutterPriority" << "--s--";
        QTest::newRow("iris priority") << 0x0B << "IrisPriority" << "i----";
        QTest::newRow("gain priority") << 0x0C << "GainPriority" << "-g---";
        QTest::newRow("bright") << 0x0D << "Bright" << "---b-";
    }
    void aeModes()
    {
        QFETCH(int, code);
        QFETCH(QString, item);
        QFETCH(QString, enabled);
        ScriptedRig rig;
        plainCamera(rig.cam);
        rig.cam.camera[8] = char(code);
        QVERIFY(rig.start());
        auto *ui = rig.window.ui();
        QCOMPARE(rig.link.state().CurrentAEMode, code);
        for (QAction *a : {ui->FullAuto, ui->Manual, ui->ShutterPriority, ui->IrisPriority,
                           ui->GainPriority, ui->Bright})
            QVERIFY2(a->isChecked() == (a->objectName() == item), qPrintable(a->objectName()));
        const QList<QList<QWidget *>> groups = {
            {ui->IrisClose, ui->IrisOpen, ui->IrisSlider},
            {ui->GainDown, ui->GainUp, ui->GainSlider},
            {ui->ShutterSlow, ui->ShutterFast, ui->ShutterSlider},
            {ui->BrightDown, ui->BrightUp, ui->BrightSlider},
            {ui->BackLight, ui->AutoSlowShutter},
        };
        for (int g = 0; g < groups.size(); ++g)
            for (QWidget *w : groups[g])
                QVERIFY2(w->isEnabled() == (enabled[g] != u'-'), qPrintable(w->objectName()));
    }

    // The enabled pattern is rewritten only when the reported mode differs
    // from the one last applied; the check marks on every read.
    void modePatternOnlyOnChange()
    {
        ScriptedRig rig;
        plainCamera(rig.cam);
        rig.cam.camera[8] = char(0x0D);
        rig.cam.camera[6] = char(0x02);
        QVERIFY(rig.start());
        auto *ui = rig.window.ui();
        QVERIFY(ui->BrightSlider->isEnabled());
        QVERIFY(!ui->RGainSlider->isEnabled());

        // Something else changed the controls since; the same modes again
        // leave them alone.
        ui->BrightSlider->setEnabled(false);
        ui->RGainSlider->setEnabled(true);
        ui->Bright->setChecked(false);
        rig.read();
        QVERIFY(!ui->BrightSlider->isEnabled());
        QVERIFY(ui->RGainSlider->isEnabled());
        QVERIFY(ui->Bright->isChecked());
        QVERIFY(ui->OutDoor->isChecked());

        // Codes without a row: no mark at all, nothing else changes.
        rig.cam.camera[8] = char(0x07);
        rig.cam.camera[6] = char(0x06);
        rig.read();
        for (QAction *a : ui->menuAEMode->actions())
            QVERIFY2(!a->isChecked(), qPrintable(a->objectName()));
        for (QAction *a : ui->WBMode->actions())
            QVERIFY2(!a->isChecked(), qPrintable(a->objectName()));
        QCOMPARE(rig.link.state().CurrentAEMode, 0x0D);
        QCOMPARE(rig.link.state().CurrentWBMode, 0x02);
        QVERIFY(!ui->BrightSlider->isEnabled());

        // A new mode applies its pattern.
        rig.cam.camera[8] = char(0x03);
        rig.cam.camera[6] = char(0x05);
        rig.read();
        QVERIFY(ui->Manual->isChecked());
        QVERIFY(ui->IrisSlider->isEnabled());
        QVERIFY(!ui->BrightSlider->isEnabled());
        QVERIFY(ui->ManualWB->isChecked());
        QVERIFY(ui->RBReset->isEnabled());
        QVERIFY(ui->BGainDown->isEnabled());
        QVERIFY(!ui->WBTrigger->isEnabled());

        rig.cam.camera[6] = char(0x03); // one push: only the trigger
        rig.read();
        QVERIFY(ui->OnePushWB->isChecked());
        QVERIFY(!ui->ManualWB->isChecked());
        QVERIFY(ui->WBTrigger->isEnabled());
        QVERIFY(!ui->RGainSlider->isEnabled());
    }

    // A position past a slider's range or a caption table fails only its own
    // statement: the display keeps what it showed, the rest of the block is
    // still shown.
    void outOfRangeKeepsDisplay_data()
    {
        QTest::addColumn<int>("byte");
        QTest::addColumn<int>("value");
        QTest::addColumn<QString>("slider");
        QTest::addColumn<int>("sliderAfter");
        QTest::addColumn<QString>("box");
        QTest::addColumn<QString>("boxAfter");
        QTest::newRow("shutter 21") << 10 << 21 << "ShutterSlider" << 21 << "ShutterValue" << "1/10000";
        QTest::newRow("shutter 22") << 10 << 22 << "ShutterSlider" << 6 << "ShutterValue" << "1/60";
        QTest::newRow("iris 18, empty row") << 11 << 18 << "IrisSlider" << 8 << "IrisValue" << "";
        QTest::newRow("iris 19") << 11 << 19 << "IrisSlider" << 8 << "IrisValue" << "F8";
        QTest::newRow("gain 16") << 12 << 16 << "GainSlider" << 1 << "GainValue" << "0dB";
        QTest::newRow("bright 31") << 13 << 31 << "BrightSlider" << 31 << "BrightValue" << "F1.6/28dB";
        QTest::newRow("bright 32, empty row") << 13 << 32 << "BrightSlider" << 13 << "BrightValue" << "";
        QTest::newRow("exp. comp. 15") << 14 << 15 << "ExpCompSlider" << 7 << "ExpCompValue" << "0/0dB";
        QTest::newRow("exp. comp. FF") << 14 << 0xFF << "ExpCompSlider" << 7 << "ExpCompValue" << "0/0dB";
        // The aperture text shows the byte, not the slider.
        QTest::newRow("aperture 16") << 7 << 16 << "ApertureSlider" << 5 << "ApertureValue" << "16";
    }
    void outOfRangeKeepsDisplay()
    {
        QFETCH(int, byte);
        QFETCH(int, value);
        QFETCH(QString, slider);
        QFETCH(int, sliderAfter);
        QFETCH(QString, box);
        QFETCH(QString, boxAfter);
        ScriptedRig rig; // model 0x30: 25x lens
        plainCamera(rig.cam);
        QVERIFY(rig.start());
        auto *ui = rig.window.ui();
        QCOMPARE(ui->ShutterValue->text(), QStringLiteral("1/60"));
        QCOMPARE(ui->IrisValue->text(), QStringLiteral("F8"));
        QCOMPARE(ui->GainValue->text(), QStringLiteral("0dB"));
        QCOMPARE(ui->BrightValue->text(), QStringLiteral("F3.4/0dB"));
        QCOMPARE(ui->ExpCompValue->text(), QStringLiteral("0/0dB"));

        rig.cam.camera[byte] = char(value);
        setBytes(rig.cam.camera, "2:1 3:2"); // and a change elsewhere in the block
        rig.read();
        QCOMPARE(rig.window.findChild<QAbstractSlider *>(slider)->value(), sliderAfter);
        QCOMPARE(rig.window.findChild<QLineEdit *>(box)->text(), boxAfter);
        QCOMPARE(ui->RGValue->text(), QStringLiteral("18"));
        QVERIFY(!rig.link.state().RefreshBusy);
    }

    void shutterColumnFromOtherBlock()
    {
        ScriptedRig rig;
        plainCamera(rig.cam);
        rig.cam.camera[10] = char(2);
        rig.cam.other[12] = char(0x01);
        QVERIFY(rig.start());
        QCOMPARE(rig.link.state().ShutterColumn, 1);
        QCOMPARE(rig.window.ui()->ShutterValue->text(), QStringLiteral("1/3"));
        rig.cam.other[12] = char(0x02); // stabilizer only: column 0
        rig.read();
        QCOMPARE(rig.link.state().ShutterColumn, 0);
        QCOMPARE(rig.window.ui()->ShutterValue->text(), QStringLiteral("1/4"));
    }

    // Other byte 13 bits 0..3 and byte 14 bits 0..5; the slider takes the
    // value only where the model's range holds it (255 for model 0x30, the
    // designed 1 for 0x2B).
    void vPhase_data()
    {
        QTest::addColumn<int>("model");
        QTest::addColumn<int>("b13");
        QTest::addColumn<int>("b14");
        QTest::addColumn<QString>("text");
        QTest::addColumn<int>("slider");
        QTest::newRow("1023 past 255") << 0x30 << 0x0F << 0x3F << "1023" << 0;
        QTest::newRow("255") << 0x30 << 0x03 << 0x3F << "255" << 255;
        QTest::newRow("flag bits ignored") << 0x30 << 0x32 << 0xC5 << "133" << 133;
        QTest::newRow("1 on a two-step slider") << 0x2B << 0x00 << 0x01 << "1" << 1;
        QTest::newRow("2 past a two-step slider") << 0x2B << 0x00 << 0x02 << "2" << 0;
    }
    void vPhase()
    {
        QFETCH(int, model);
        QFETCH(int, b13);
        QFETCH(int, b14);
        QFETCH(QString, text);
        QFETCH(int, slider);
        ScriptedRig rig(model);
        plainCamera(rig.cam);
        rig.cam.other[13] = char(b13);
        rig.cam.other[14] = char(b14);
        QVERIFY(rig.start());
        QCOMPARE(rig.window.ui()->VPValue->text(), text);
        QCOMPARE(rig.window.ui()->VPSlider->value(), slider);
    }

    void otherBlockMarksAndCaptions()
    {
        ScriptedRig rig;
        plainCamera(rig.cam);
        setBytes(rig.cam.other, "2:07 3:0C 4:04 5:04 7:20 8:F 9:E 10:D 11:C 12:02 13:30");
        QVERIFY(rig.start());
        auto *ui = rig.window.ui();
        for (QAction *a : {ui->Power, ui->KeyLock, ui->LR_Reverse, ui->Freese, ui->DataScreen,
                           ui->BlackWhite, ui->Image_Stabi, ui->LineLock})
            QVERIFY2(a->isChecked(), qPrintable(a->objectName()));
        for (QAction *a : {ui->PEOff, ui->NegArt, ui->Internal})
            QVERIFY2(!a->isChecked(), qPrintable(a->objectName()));
        QCOMPARE(ui->comAutoICR->text(), QStringLiteral("ON"));
        QCOMPARE(ui->VP0180->text(), QStringLiteral("0 degree"));
        QCOMPARE(ui->CameraIDText->text(), QStringLiteral("65244"));
        // The dialogs exist, unseen, with their boxes in step.
        QCOMPARE(rig.window.frmCamID().ui()->ID->text(), QStringLiteral("65244"));
        QCOMPARE(rig.window.frmDEffect().ui()->DELevel->value(), 32);
        QVERIFY(!rig.window.frmCamID().isVisible());
        QVERIFY(!rig.window.frmDEffect().isVisible());

        setBytes(rig.cam.other, "2:00 3:00 4:00 5:01 7:00 8:0 9:0 10:0 11:0 12:00 13:00");
        rig.read();
        for (QAction *a : {ui->Power, ui->KeyLock, ui->LR_Reverse, ui->Freese, ui->DataScreen,
                           ui->BlackWhite, ui->Image_Stabi, ui->LineLock, ui->PEOff})
            QVERIFY2(!a->isChecked(), qPrintable(a->objectName()));
        QVERIFY(ui->NegArt->isChecked());
        QVERIFY(ui->Internal->isChecked());
        QCOMPARE(ui->comAutoICR->text(), QStringLiteral("OFF"));
        QCOMPARE(ui->VP0180->text(), QStringLiteral("180 degree"));
        QCOMPARE(ui->CameraIDText->text(), QStringLiteral("0"));

        rig.cam.other[5] = char(0x02); // no such effect: no mark
        rig.read();
        for (QAction *a : {ui->PEOff, ui->NegArt, ui->BlackWhite})
            QVERIFY2(!a->isChecked(), qPrintable(a->objectName()));
    }

    // DZoomValue and DZoomX follow the slider, which refuses positions past 220.
    void digitalZoomPosition_data()
    {
        QTest::addColumn<int>("before");
        QTest::addColumn<int>("position");
        QTest::addColumn<QString>("text");
        QTest::addColumn<QString>("caption");
        QTest::newRow("0") << 0x40 << 0x00 << "0" << "MAX";
        QTest::newRow("220") << 0x00 << 0xDC << "220" << "X1";
        QTest::newRow("255 refused, was 16") << 0x10 << 0xFF << "16" << "X1";
        QTest::newRow("255 refused, was 0") << 0x00 << 0xFF << "0" << "MAX";
    }
    void digitalZoomPosition()
    {
        QFETCH(int, before);
        QFETCH(int, position);
        QFETCH(QString, text);
        QFETCH(QString, caption);
        ScriptedRig rig;
        plainCamera(rig.cam);
        rig.cam.extended[2] = char(before >> 4);
        rig.cam.extended[3] = char(before & 0x0F);
        QVERIFY(rig.start());
        rig.cam.extended[2] = char(position >> 4);
        rig.cam.extended[3] = char(position & 0x0F);
        rig.cam.extended[10] = char(0x01);
        rig.read();
        auto *ui = rig.window.ui();
        QCOMPARE(ui->DZoomValue->text(), text);
        QCOMPARE(ui->DZoomX->text(), caption);
        QVERIFY(ui->PictureFlip->isChecked());
    }

    // Only the first and second replies of a block are taken: after two bad
    // replies the third request is still sent, then the read gives up without
    // asking for the remaining blocks, stops auto refresh and says so.
    void badRepliesGiveUp_data()
    {
        QTest::addColumn<int>("badLensReplies");
        QTest::addColumn<int>("lensRequests");
        QTest::addColumn<bool>("givesUp");
        QTest::newRow("one bad reply") << 1 << 2 << false;
        QTest::newRow("two bad replies") << 2 << 3 << true;
        QTest::newRow("silent") << 99 << 3 << true;
    }
    void badRepliesGiveUp()
    {
        QFETCH(int, badLensReplies);
        QFETCH(int, lensRequests);
        QFETCH(bool, givesUp);
        ScriptedRig rig;
        plainCamera(rig.cam);
        QVERIFY(rig.start());
        auto *ui = rig.window.ui();
        ui->AutoRefreshed->click();
        QCOMPARE(ui->AutoRefreshed->text(), QStringLiteral("Auto"));

        int lensAsked = 0;
        rig.port.answer = [&](const QByteArray &p) -> QByteArray {
            if (rig.cam.blockFor(p) == &rig.cam.lens && ++lensAsked <= badLensReplies) {
                if (badLensReplies == 99)
                    return {};
                QByteArray wrong = rig.cam.lens;
                wrong[0] = char(0xA0); // camera 2 answering
                return wrong;
            }
            return rig.cam.reply(p);
        };
        setBytes(rig.cam.lens, "2:7");
        const auto before = rig.clock.nowMs();
        rig.read();

        QList<QByteArray> expected{kFiveInquiries[0]};
        for (int i = 0; i < lensRequests; ++i)
            expected.append(kFiveInquiries[1]);
        if (!givesUp)
            expected += kFiveInquiries.mid(2);
        QCOMPARE(rig.sent(), expected);
        QVERIFY(!rig.link.state().RefreshBusy);
        QCOMPARE(ui->ZoomValue->text(), givesUp ? QStringLiteral("4096") : QStringLiteral("28672"));
        if (badLensReplies == 99)
            QVERIFY(rig.clock.nowMs() - before >= 3000);

        QMessageBox *box = errorBox(rig.window);
        QCOMPARE(box != nullptr, givesUp);
        QCOMPARE(ui->AutoRefreshed->text(), givesUp ? QStringLiteral("Stop") : QStringLiteral("Auto"));
        QCOMPARE(rig.link.refresh().timerEnabled(), !givesUp);
        QCOMPARE(ui->Refreshonce->isEnabled(), givesUp);
        QVERIFY(ui->AutoRefreshed->isEnabled());
        if (!givesUp)
            return;
        QVERIFY(box->isVisible());
        QCOMPARE(box->windowTitle(), QStringLiteral("Warning"));
        QCOMPARE(box->text(), QStringLiteral("Refresh Action Error !\nRefresh Action is Stopped."));
        QCOMPARE(box->icon(), QMessageBox::Critical);

        // Another failing read raises the same warning instead of a second one.
        lensAsked = 0;
        ui->Refreshonce->click();
        QCOMPARE(errorBox(rig.window), box);
        QCOMPARE(rig.window.findChildren<QMessageBox *>().size(), 1);
    }

    // Bytes left on the line by an earlier failed read are not taken for the
    // answer to the next inquiry.
    void leftoverBytesNotTakenAsReply()
    {
        ScriptedRig rig;
        plainCamera(rig.cam);
        QVERIFY(rig.start());
        rig.port.inject(rig.cam.other); // a late reply nobody waited for
        setBytes(rig.cam.lens, "2:2");
        rig.read();
        QCOMPARE(rig.sent(), kFiveInquiries);
        QCOMPARE(rig.window.ui()->ZoomValue->text(), QStringLiteral("8192"));
        QVERIFY(!errorBox(rig.window));
    }
};

QTEST_MAIN(TestStatusRead)
#include "test_statusread.moc"
