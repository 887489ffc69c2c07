// A send refused while a status read runs leaves the window as it was: the
// modes the panel records (AE and white-balance mode, check marks, captions,
// enabled states, the memory action) change only with a packet that went
// out, and auto refresh runs on.

#include "support/controls.h"
#include "support/panelrig.h"
#include "support/testmain.h"

#include <QLineEdit>

using namespace zam;

namespace {

// Everything of the main window (and its dialogs) a handler could record a
// mode in, one line per property.
QStringList recorded(PanelRig &rig)
{
    QStringList out;
    for (QAction *a : rig.window.findChildren<QAction *>()) {
        if (!a->objectName().isEmpty())
            out << QStringLiteral("%1 checked=%2 enabled=%3")
                       .arg(a->objectName())
                       .arg(a->isChecked())
                       .arg(a->isEnabled());
    }
    for (QAbstractButton *b : rig.window.findChildren<QAbstractButton *>()) {
        out << QStringLiteral("%1 \"%2\" checked=%3 enabled=%4")
                   .arg(b->objectName(), b->text())
                   .arg(b->isChecked())
                   .arg(b->isEnabled());
    }
    for (QAbstractSlider *s : rig.window.findChildren<QAbstractSlider *>()) {
        out << QStringLiteral("%1 value=%2 enabled=%3 hidden=%4")
                   .arg(s->objectName())
                   .arg(s->value())
                   .arg(s->isEnabled())
                   .arg(s->isHidden());
    }
    for (QLineEdit *e : rig.window.findChildren<QLineEdit *>())
        out << QStringLiteral("%1 \"%2\"").arg(e->objectName(), e->text());
    const CameraModes &s = rig.window.modes();
    out << QStringLiteral("CurrentAEMode=%1 CurrentWBMode=%2")
               .arg(s.CurrentAEMode)
               .arg(s.CurrentWBMode);
    out << QStringLiteral("presetPending=%1").arg(rig.groups.system.presetPending());
    const AutoRefresh &r = rig.link.refresh();
    out << QStringLiteral("refresh %1 button=%2 timer=%3")
               .arg(r.caption())
               .arg(r.buttonEnabled())
               .arg(r.timerEnabled());
    return out;
}

} // namespace

class TestRefusedSend : public QObject {
    Q_OBJECT
private Q_SLOTS:
    // One row per control that records a mode; the controls are enabled
    // first, whatever the model and the camera's state allow.
    void refusedSendRecordsNothing_data()
    {
        QTest::addColumn<QString>("prepare"); // steps before the status read starts
        QTest::addColumn<QString>("steps");   // steps while it runs
        const auto row = [](const char *steps, const char *prepare = "") {
            QTest::newRow(steps) << QString(prepare) << QString(steps);
        };
        // AE and white-balance modes, guarded or not.
        for (const char *item : {"click FullAuto", "click Manual", "click GainPriority",
                                 "click IrisAuto", "click Bright", "click ManualWB", "click ATW"})
            row(item);
        // Check-marked menu items.
        for (const char *item :
             {"click Power", "click KeyLock", "click Mute", "click DataScreen", "click TitleOnOff",
              "click DateDisplay", "click TimeDisplay", "click PictureFlip", "click LR_Reverse",
              "click Freese", "click Image_Stabi", "click LineLock", "click Internal",
              "click NegArt", "click PEOff", "click Normal"})
            row(item);
        // Captions, check boxes, enabled states and the steps that move a display.
        for (const char *button :
             {"click Wide_D",      "click cmdHigh_Reso", "click comAutoICR",
              "click VP0180",      "click DZoomX",       "click AF_Sens",
              "click ExpComp",     "click BackLight",    "click AutoSlowShutter",
              "click DZoomON",     "click DZoomOff",     "click DZoomMode_0",
              "click DZoomMode_1", "click AFModeCmd_0",  "click AFModeCmd_2",
              "click ManAFMode",   "click ACTAFmodeset", "click GainDown",
              "click BrightUp",    "click ShutterSlow"})
            row(button);
        // Memory presets.
        for (const char *preset :
             {"click SetOption_2", "click RecallOption_4", "click ResetOption_0"})
            row(preset);
        // Dialogs whose OK records what it sent.
        row("click OK", "click IDWrite; type ID 77");
        row("click DELevelOK", "click DigitalEffectLevel");
    }
    void refusedSendRecordsNothing()
    {
        QFETCH(QString, prepare);
        QFETCH(QString, steps);
        auto rig = shownPanel("");
        QVERIFY(rig);
        control<QPushButton>(rig->window, "AutoRefreshed")->click();
        // No mode is current, so that every mode item would act.
        rig->window.modes().CurrentAEMode = -1;
        rig->window.modes().CurrentWBMode = -1;
        play(*rig, prepare);
        for (const QString &step : steps.split(QLatin1Char(';'))) {
            QObject *o = rig->window.findChild<QObject *>(step.simplified().section(' ', 1, 1));
            QVERIFY2(o, qPrintable(step));
            o->setProperty("enabled", true);
        }
        const QStringList before = recorded(*rig);

        rig->link.state().RefreshBusy = true;
        play(*rig, steps);
        rig->link.state().RefreshBusy = false;
        rig->run(100);

        QVERIFY(rig->sent().isEmpty());
        const QStringList after = recorded(*rig);
        for (qsizetype i = 0; i < before.size(); ++i)
            QCOMPARE(after.value(i), before[i]);
        QCOMPARE(after.size(), before.size());
    }
};

ZAM_TEST_MAIN(TestRefusedSend)
#include "test_refusedsend.moc"
