// The status read against a scripted camera: what each reply byte does to the
// main window, and how a camera that answers badly is given up on.

#include "support/controls.h"
#include "support/scriptedrig.h"
#include "support/testmain.h"

#include <QDialog>
#include <QMessageBox>
#include <autorefreshcontrols.h>

using namespace zam;

namespace {

const QList<QByteArray> kFiveInquiries = {
    QByteArray::fromHex("81090002FF"),   QByteArray::fromHex("81097E7E00FF"),
    QByteArray::fromHex("81097E7E01FF"), QByteArray::fromHex("81097E7E02FF"),
    QByteArray::fromHex("81097E7E03FF"),
};

// What a status read writes: sliders, value boxes, check boxes, menu marks,
// captions, enabled states and the boxes of two dialogs.
const char kEveryControlTheReadWrites[] =
    "ZoomSlider ZoomSliderShort ZoomValue FocusNearLimitSlider FocusSlider FocusValue DZoomON "
    "DZoomOff DZoomTele DZoomX DZoomMode_0 DZoomMode_1 AF_Sens Near AFModeCmd_1 ATWPro ManualWB "
    "RGainUp FullAuto Manual IrisSlider GainUp BackLight RGainSlider RGValue BGainSlider BGValue "
    "ApertureSlider ApertureValue ShutterSlider ShutterValue IrisValue GainSlider GainValue "
    "BrightSlider BrightValue ExpCompSlider ExpCompValue AutoSlowShutter ExpComp LR_Reverse "
    "Freese Power KeyLock comAutoICR DataScreen PEOff BlackWhite DELevel CameraIDText ID "
    "Image_Stabi Internal LineLock VP0180 VPValue VPSlider DZoomSlider DZoomValue PictureFlip";

// A camera in a plain state: zoom 0x1000, focus 0x2000, near limit 0xC000,
// auto focus; auto white balance; full auto exposure with shutter 6, iris 8,
// gain 1, bright 13, exposure compensation 7, aperture 5; gains 0x80.
struct PlainRig : ScriptedRig {
    PlainRig()
    {
        setBytes(cam.lens, "2:1 3:0 4:0 5:0 6:C 7:0 8:2 9:0 10:0 11:0 13:01 14:00");
        setBytes(cam.camera, "2:8 3:0 4:8 5:0 6:0 7:5 8:00 9:0 10:6 11:8 12:1 13:D 14:7");
    }
    // "L2:3 C10:16 ...": byte 2 of the lens block := 0x3, byte 10 of the
    // camera block := 0x16; O the other block, E the extended one.
    void edit(const QString &edits)
    {
        for (const QString &e : edits.split(QLatin1Char(' '), Qt::SkipEmptyParts)) {
            const char k = e[0].toLatin1();
            QByteArray &b = k == 'L'   ? cam.lens
                            : k == 'C' ? cam.camera
                            : k == 'O' ? cam.other
                                       : cam.extended;
            setBytes(b, e.mid(1).toLatin1().constData());
        }
    }
    QMessageBox *errorBox() { return window.refreshControls().errorBox(); }
};

// What a control shows: a slider its value, a check box or menu entry on or
// off, anything else its text.
QString shown(QObject *o)
{
    if (auto *s = qobject_cast<QAbstractSlider *>(o))
        return QString::number(s->value());
    auto *b = qobject_cast<QAbstractButton *>(o);
    if (auto *a = qobject_cast<QAction *>(o); a || (b && b->isCheckable()))
        return QLatin1String(o->property("checked").toBool() ? "on" : "off");
    return o->property("text").toString();
}

// Widgets of the window in groups of names, one group a string; the pattern
// has one character per group, '-' for disabled.
void expectEnabled(const QObject &ui, const QStringList &groups, const QString &pattern)
{
    for (int g = 0; g < groups.size(); ++g)
        for (const QString &name : groups[g].split(QLatin1Char(' ')))
            QVERIFY2(control<QWidget>(ui, qPrintable(name))->isEnabled() == (pattern[g] != u'-'),
                     qPrintable(name));
}

} // namespace

class TestStatusRead : public QObject {
    Q_OBJECT
private Q_SLOTS:
    // The read asks exactly five questions and answers none back, although it
    // changes every control it writes. Camera state B differs from the plain
    // state A in every field; the read goes from A to B and back.
    void readSendsOnlyTheFiveInquiries()
    {
        const QString toB =
            "L2:2 L3:3 L6:A L8:1 L9:2 L10:3 L11:4 L13:26 "
            "C2:9 C4:7 C6:05 C7:07 C8:03 C9:07 C10:09 C11:0A C12:03 C13:0A C14:09 "
            "O2:07 O3:0C O4:04 O5:04 O7:20 O8:1 O9:2 O10:3 O11:4 O12:02 O13:32 O14:05 "
            "E2:0 E3:0 E10:01";
        const QString toA =
            "L2:1 L3:0 L6:C L8:2 L9:0 L10:0 L11:0 L13:01 "
            "C2:8 C4:8 C6:00 C7:05 C8:00 C9:00 C10:06 C11:08 C12:01 C13:0D C14:07 "
            "O2:00 O3:00 O4:00 O5:00 O7:00 O8:0 O9:0 O10:0 O11:0 O12:00 O13:00 O14:00 "
            "E2:1 E3:0 E10:00";
        PlainRig rig;
        rig.edit(toA);
        QVERIFY(rig.start());
        control<QPushButton>(rig.window, "AutoRefreshed")->click();
        const QStringList controls = QString::fromLatin1(kEveryControlTheReadWrites).split(' ');
        const auto showing = [&] {
            QStringList out;
            for (const QString &name : controls) {
                QObject *o = rig.window.findChild<QObject *>(name);
                const QVariant enabled = o ? o->property("enabled") : QVariant();
                out << name + '=' + (o ? shown(o) : QStringLiteral("?")) +
                           (enabled.toBool() ? "" : " disabled");
            }
            return out;
        };
        const QStringList a = showing();

        rig.edit(toB);
        rig.clearSent();
        rig.read();
        QCOMPARE(rig.sent(), kFiveInquiries);
        const QStringList b = showing();
        for (int i = 0; i < controls.size(); ++i)
            QVERIFY2(a[i] != b[i], qPrintable(a[i]));

        rig.edit(toA);
        rig.clearSent();
        rig.read();
        QCOMPARE(rig.sent(), kFiveInquiries);
        QCOMPARE(showing(), a);

        // The read hands the line back to the receive handler and leaves auto
        // refresh running.
        QVERIFY(!rig.link.state().RefreshBusy);
        QVERIFY(rig.link.state().LogTraffic);
        QCOMPARE(rig.link.receiveThreshold(), 1);
        QVERIFY(rig.link.refresh().timerEnabled());
        QVERIFY(control<QPushButton>(rig.window, "AutoRefreshed")->isEnabled());
    }

    // Lens byte 13: bit 0 auto focus, bit 1 digital zoom on, bit 5 separate
    // mode. The full-range zoom slider only with digital zoom on in combine
    // mode; otherwise the short one.
    void lensModeControls_data()
    {
        QTest::addColumn<int>("bits");
        // DZoomON, DZoomOff, digital zoom buttons, combine, separate,
        // full zoom slider, manual focus controls, auto focus modes
        QTest::addColumn<QString>("enabled");
        QTest::newRow("off, combine, auto") << 0x01 << "N---S--A";
        QTest::newRow("on, combine, manual") << 0x02 << "-F--SZM-";
        QTest::newRow("off, separate, manual") << 0x20 << "N-BC--M-";
        QTest::newRow("on, separate, auto") << 0x23 << "-FBC---A";
    }
    void lensModeControls()
    {
        QFETCH(int, bits);
        QFETCH(QString, enabled);
        PlainRig rig;
        rig.cam.lens[13] = char(bits);
        QVERIFY(rig.start());
        const QObject &ui = rig.window;
        expectEnabled(ui,
                      {"DZoomON", "DZoomOff", "DZoomTele DZoomWide DZoomX", "DZoomMode_0",
                       "DZoomMode_1", "ZoomSlider",
                       "Near Far NearSpeed FarSpeed FocusSlider AFTrig AFModeCmd_0 Infinity",
                       "AFModeCmd_1 AFModeCmd_2 AFModeCmd_3 ManAFMode"},
                      enabled);
        const bool full = enabled[5] != u'-';
        QCOMPARE(control<QSlider>(ui, "ZoomSlider")->isHidden(), !full);
        QCOMPARE(control<QSlider>(ui, "ZoomSliderShort")->isHidden(), full);
        QCOMPARE(control<QSlider>(ui, "ZoomSliderShort")->isEnabled(), !full);
    }

    // The enabled pattern is rewritten only when the reported mode differs
    // from the one last applied; the check marks on every read.
    void modePatternOnlyOnChange()
    {
        PlainRig rig;
        rig.edit("C8:0D C6:02"); // bright, outdoor
        QVERIFY(rig.start());
        const QObject &ui = rig.window;

        // Something else changed the controls since; the same modes again
        // leave them alone.
        control<QSlider>(ui, "BrightSlider")->setEnabled(false);
        control<QSlider>(ui, "RGainSlider")->setEnabled(true);
        control<QAction>(ui, "Bright")->setChecked(false);
        rig.read();
        QVERIFY(!control<QSlider>(ui, "BrightSlider")->isEnabled());
        QVERIFY(control<QSlider>(ui, "RGainSlider")->isEnabled());
        QVERIFY(control<QAction>(ui, "Bright")->isChecked());
        QVERIFY(control<QAction>(ui, "OutDoor")->isChecked());

        // Codes without a row: no mark at all, nothing else changes.
        rig.edit("C8:07 C6:06");
        rig.read();
        for (QAction *a :
             control<QMenu>(ui, "menuAEMode")->actions() + control<QMenu>(ui, "WBMode")->actions())
            QVERIFY2(!a->isChecked(), qPrintable(a->objectName()));
        QCOMPARE(rig.window.modes().CurrentAEMode, 0x0D);
        QCOMPARE(rig.window.modes().CurrentWBMode, 0x02);

        // A new mode applies its pattern: manual white balance frees the gains.
        rig.edit("C8:03 C6:05");
        rig.read();
        QVERIFY(control<QAction>(ui, "Manual")->isChecked());
        QVERIFY(control<QSlider>(ui, "IrisSlider")->isEnabled());
        QVERIFY(control<QAction>(ui, "ManualWB")->isChecked());
        expectEnabled(ui, {"RBReset BGainDown", "WBTrigger"}, "g-");

        rig.edit("C6:03"); // one push: only the trigger
        rig.read();
        QVERIFY(control<QAction>(ui, "OnePushWB")->isChecked());
        QVERIFY(!control<QAction>(ui, "ManualWB")->isChecked());
        expectEnabled(ui, {"RGainSlider", "WBTrigger"}, "-t");
    }

    // Reply bytes against what the window shows. A position past a slider's
    // range or a caption table fails only its own statement: the display
    // keeps what it showed (shutter 1/60, iris F8, gain 0dB, bright
    // F3.4/0dB, exp. comp. 0/0dB, aperture 5, digital zoom 16) and the rest
    // of the block (the backlight bit, written last) is still shown.
    void bytesShown_data()
    {
        QTest::addColumn<QString>("atStart"); // block edits before start-up
        QTest::addColumn<QString>("atRead");  // then before one more read
        QTest::addColumn<QString>("expected");
        // clang-format off
        // The near limit is applied before the focus position.
        QTest::newRow("near limit raised") << "L6:3 L7:0 L13:00" << "L6:C L8:8 L9:0"
            << "FocusNearLimitSlider=49152, FocusSlider=32768";
        // While the lens moves its position is not shown; the rest of the
        // block (near limit, AF sensitivity) still is.
        QTest::newRow("zoom moving") << "" << "L2:3 L5:4 L8:4 L11:5 L6:A L7:8 L13:04 L14:01"
            << "ZoomSlider=4096, ZoomValue=4096, FocusSlider=16389, FocusValue=16389, FocusNearLimitSlider=43008, AF_Sens=on";
        QTest::newRow("focus moving") << "" << "L2:3 L5:4 L8:4 L11:5 L6:A L7:8 L13:04 L14:02"
            << "ZoomSlider=12292, ZoomValue=12292, FocusSlider=8192, FocusValue=8192, FocusNearLimitSlider=43008, AF_Sens=on";
        QTest::newRow("shutter 21") << "" << "C10:15 C9:04" << "ShutterSlider=21, ShutterValue=1/10000, BackLight=on";
        QTest::newRow("shutter 22") << "" << "C10:16 C9:04" << "ShutterSlider=6, ShutterValue=1/60, BackLight=on";
        QTest::newRow("iris 18, empty row") << "" << "C11:12 C9:04" << "IrisSlider=8, IrisValue=, BackLight=on";
        QTest::newRow("gain 16") << "" << "C12:10 C9:04" << "GainSlider=1, GainValue=0dB, BackLight=on";
        QTest::newRow("bright 32, empty row") << "" << "C13:20 C9:04" << "BrightSlider=13, BrightValue=, BackLight=on";
        // The aperture text shows the byte, not the slider.
        QTest::newRow("aperture 16") << "" << "C7:10 C9:04" << "ApertureSlider=5, ApertureValue=16, BackLight=on";
        // The shutter table column comes from the other block.
        QTest::newRow("shutter column 1") << "C10:2 O12:01" << "" << "ShutterValue=1/3";
        QTest::newRow("stabilizer, column 0") << "C10:2 O12:01" << "O12:02" << "ShutterValue=1/4";
        // V-phase: the slider (0..255) takes the value only where its range
        // holds it.
        QTest::newRow("v-phase 1023 past 255") << "O13:0F O14:3F" << "" << "VPValue=1023, VPSlider=0";
        QTest::newRow("v-phase 255") << "O13:03 O14:3F" << "" << "VPValue=255, VPSlider=255";
        QTest::newRow("other flags set") << "O2:07 O3:0C O4:04 O5:04 O7:20 O8:F O9:E O10:D O11:C O12:02 O13:30" << ""
            << "Power=on, KeyLock=on, LR_Reverse=on, Freese=on, DataScreen=on, BlackWhite=on, Image_Stabi=on, "
               "LineLock=on, PEOff=off, NegArt=off, Internal=off, comAutoICR=ON, VP0180=0 degree, "
               "CameraIDText=65244, ID=65244, DELevel=32";
        QTest::newRow("other flags clear") << "O2:07 O3:0C O4:04 O5:04 O7:20 O8:F O12:02 O13:30"
            << "O2:00 O3:00 O4:00 O5:01 O7:00 O8:0 O12:00 O13:00"
            << "Power=off, KeyLock=off, LR_Reverse=off, Freese=off, DataScreen=off, BlackWhite=off, "
               "Image_Stabi=off, LineLock=off, PEOff=off, NegArt=on, Internal=on, comAutoICR=OFF, "
               "VP0180=180 degree, CameraIDText=0, ID=0";
        QTest::newRow("effect off") << "O5:04" << "O5:00" << "PEOff=on, NegArt=off, BlackWhite=off";
        QTest::newRow("no such effect") << "O5:04" << "O5:02" << "PEOff=off, NegArt=off, BlackWhite=off";
        // DZoomValue and DZoomX follow the slider, which refuses positions past 220.
        QTest::newRow("dzoom 0") << "E2:4" << "E2:0 E10:01" << "DZoomValue=0, DZoomX=MAX, PictureFlip=on";
        QTest::newRow("dzoom 220") << "" << "E2:D E3:C" << "DZoomValue=220, DZoomX=X1, PictureFlip=off";
        QTest::newRow("dzoom 255 refused") << "E2:1" << "E2:F E3:F" << "DZoomValue=16, DZoomX=X1";
        // clang-format on
    }
    void bytesShown()
    {
        QFETCH(QString, atStart);
        QFETCH(QString, atRead);
        QFETCH(QString, expected);
        PlainRig rig;
        rig.edit(atStart);
        QVERIFY(rig.start());
        if (!atRead.isEmpty()) {
            rig.edit(atRead);
            rig.read();
        }
        for (const QString &e : expected.split(QLatin1Char(','))) {
            const QString name = e.section(QLatin1Char('='), 0, 0).trimmed();
            const QList<QObject *> found = rig.window.findChildren<QObject *>(name);
            QVERIFY2(found.size() == 1, qPrintable(name));
            QCOMPARE(name + '=' + shown(found[0]), e.trimmed());
        }
        QVERIFY(!rig.link.state().RefreshBusy);
        for (QDialog *d : rig.window.findChildren<QDialog *>()) // nothing pops up
            QVERIFY2(!d->isVisible(), qPrintable(d->objectName()));
    }

    // Only the first and second replies of a block are taken: after two bad
    // replies the third request is still sent, then the read gives up without
    // asking for the remaining blocks, stops auto refresh and says so.
    void badRepliesGiveUp_data()
    {
        QTest::addColumn<int>("badLensReplies");
        QTest::newRow("one bad reply") << 1;
        QTest::newRow("two bad replies") << 2;
    }
    void badRepliesGiveUp()
    {
        QFETCH(int, badLensReplies);
        const bool givesUp = badLensReplies == 2;
        PlainRig rig;
        QVERIFY(rig.start());
        rig.messages.showBoxes(); // the warning box itself
        const QObject &ui = rig.window;
        control<QPushButton>(ui, "AutoRefreshed")->click();
        QCOMPARE(control<QPushButton>(ui, "AutoRefreshed")->text(), QStringLiteral("Auto"));

        int lensAsked = 0;
        rig.port.answer = [&](const QByteArray &p) -> QByteArray {
            if (rig.cam.blockFor(p) == &rig.cam.lens && ++lensAsked <= badLensReplies) {
                QByteArray wrong = rig.cam.lens;
                wrong[0] = char(0xA0); // camera 2 answering
                return wrong;
            }
            return rig.cam.reply(p);
        };
        rig.edit("L2:7");
        rig.read();

        QList<QByteArray> expected{kFiveInquiries[0]};
        for (int i = 0; i <= badLensReplies; ++i)
            expected.append(kFiveInquiries[1]);
        if (!givesUp)
            expected += kFiveInquiries.mid(2);
        QCOMPARE(rig.sent(), expected);
        QVERIFY(!rig.link.state().RefreshBusy);
        QCOMPARE(control<QLineEdit>(ui, "ZoomValue")->text(), givesUp ? "4096" : "28672");

        QMessageBox *box = rig.errorBox();
        QCOMPARE(box != nullptr, givesUp);
        QCOMPARE(control<QPushButton>(ui, "AutoRefreshed")->text(), givesUp ? "Stop" : "Auto");
        QCOMPARE(rig.link.refresh().timerEnabled(), !givesUp);
        QCOMPARE(control<QPushButton>(ui, "Refreshonce")->isEnabled(), givesUp);
        QVERIFY(control<QPushButton>(ui, "AutoRefreshed")->isEnabled());
        if (!givesUp)
            return;
        QVERIFY(box->isVisible());
        QCOMPARE(box->text(), QStringLiteral("Refresh Action Error !\nRefresh Action is Stopped."));

        // Another failing read raises the same warning instead of a second one.
        lensAsked = 0;
        control<QPushButton>(ui, "Refreshonce")->click();
        QCOMPARE(rig.errorBox(), box);
        QCOMPARE(rig.window.findChildren<QMessageBox *>().size(), 1);
    }

    // Bytes left on the line by an earlier failed read are not taken for the
    // answer to the next inquiry.
    void leftoverBytesNotTakenAsReply()
    {
        PlainRig rig;
        QVERIFY(rig.start());
        rig.port.inject(rig.cam.other); // a late reply nobody waited for
        rig.edit("L2:2");
        rig.read();
        QCOMPARE(rig.sent(), kFiveInquiries);
        QCOMPARE(control<QLineEdit>(rig.window, "ZoomValue")->text(), QStringLiteral("8192"));
        QVERIFY(!rig.errorBox());
    }
};

ZAM_TEST_MAIN(TestStatusRead)
#include "test_statusread.moc"
