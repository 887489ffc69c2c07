// Display, sync and V-phase functions and the dialog entries of the main
// window, driven through the real widgets on simulated cameras.

#include "support/panelrig.h"

#include "ui_frminfo.h"
#include "ui_frmmain.h"

#include <frmtitle_k.h>
#include <frmtitle_m.h>
#include <titleeditors.h>
#include "ui_frmtitle_k.h"
#include "ui_frmtitle_m.h"
#include "ui_fset.h"
#include "ui_sphericalmask.h"

#include <QTimer>
#include <md.h>
#include <sphericalmask.h>

#include <QLineEdit>
#include <QSlider>
#include <QStyle>
#include <QStyleOptionSlider>
#include <QToolButton>
#include <frminfo.h>
#include <fset.h>
#include <motiond.h>
#include <register.h>

using namespace zam;

namespace {

struct Panel : PanelRig {
    explicit Panel(QList<int> models = {0x30}) : PanelRig(2, models)
    {
        QVERIFY(start());
        groups.display.setMessageSink([this](const QString &title, const QString &text) {
            shown << title + QStringLiteral(": ") + text;
        });
        clearSent();
    }
    Ui::FrmMain *ui() { return window.ui(); }
    DisplayCommands &display() { return groups.display; }
    QAction *action(const QString &name) { return window.findChild<QAction *>(name); }
    QAbstractButton *button(const QString &name)
    {
        return window.findChild<QAbstractButton *>(name);
    }

    QStringList shown;
};

QPoint thumbCenter(QSlider *s)
{
    QStyleOptionSlider opt;
    opt.initFrom(s);
    opt.orientation = s->orientation();
    opt.minimum = s->minimum();
    opt.maximum = s->maximum();
    opt.sliderPosition = opt.sliderValue = s->value();
    return s->style()->subControlRect(QStyle::CC_Slider, &opt, QStyle::SC_SliderHandle, s).center();
}

} // namespace

class TestDisplay : public QObject {
    Q_OBJECT
private Q_SLOTS:
    // Items start with the mark given ("checked"/"unchecked") and are
    // triggered; buttons start with it as their caption and are clicked.
    // clang-format off
    void packets_data()
    {
        QTest::addColumn<QString>("control");
        QTest::addColumn<QString>("start");
        QTest::addColumn<QByteArray>("expected");
        QTest::addColumn<QString>("after");
        QTest::newRow("DataScreen on") << "DataScreen" << "unchecked" << hexBytes("8101041502FF") << "checked";
        QTest::newRow("DataScreen off") << "DataScreen" << "checked" << hexBytes("8101041503FF") << "unchecked";
        QTest::newRow("TitleOnOff on") << "TitleOnOff" << "unchecked" << hexBytes("8101047302FF") << "checked";
        QTest::newRow("TitleOnOff off") << "TitleOnOff" << "checked" << hexBytes("8101047403FF") << "unchecked";
        QTest::newRow("Internal") << "Internal" << "checked" << hexBytes("8101045500FF") << "checked";
        QTest::newRow("LineLock") << "LineLock" << "unchecked" << hexBytes("8101045501FF") << "checked";
        QTest::newRow("VP0180 without caption") << "VP0180" << "" << hexBytes("8101042501FF") << "0 degree";
        QTest::newRow("VP0180 0 degree") << "VP0180" << "0 degree" << hexBytes("8101042500FF") << "180 degree";
        QTest::newRow("VP0180 180 degree") << "VP0180" << "180 degree" << hexBytes("8101042501FF") << "0 degree";
        QTest::newRow("VPreset") << "VPreset" << "Reset" << hexBytes("8101040540FF") << "Reset";
    }
    // clang-format on
    void packets()
    {
        QFETCH(QString, control);
        QFETCH(QString, start);
        QFETCH(QByteArray, expected);
        QFETCH(QString, after);
        Panel rig;
        QString result;
        if (QAction *a = rig.action(control)) {
            a->setChecked(start == QLatin1String("checked"));
            a->trigger();
            result = a->isChecked() ? QStringLiteral("checked") : QStringLiteral("unchecked");
        } else {
            QAbstractButton *b = rig.button(control);
            b->setText(start);
            b->click();
            result = b->text();
        }
        QCOMPARE(result, after);
        if (control == QLatin1String("TitleOnOff")) {
            // The title editors' own display boxes follow first and send
            // their packets; the menu's packet goes last.
            QVERIFY(!rig.sent().isEmpty());
            QCOMPARE(rig.sent().last(), expected);
        } else {
            QCOMPARE(rig.sent(), QList<QByteArray>{expected});
        }
    }

    // Each dialog entry opens its window, and the second use shows the same one.
    void maskAndTitleEntries_data()
    {
        QTest::addColumn<QString>("entry");
        QTest::addColumn<QString>("window");
        QTest::newRow("Setting Zones") << "SettingZones" << "Privacy";
        QTest::newRow("SphericalZoneMasking") << "SphericalZoneMasking" << "SphericalMask";
        QTest::newRow("PrivacyA") << "PrivacyAv" << "PrivacyA";
        QTest::newRow("AE SPOT") << "AESpotMode" << "AES";
        QTest::newRow("Set Time and Date") << "SetTimeDate" << "FrmSetDate";
        QTest::newRow("Title Set") << "TitleSet" << "FrmTitle_M";
    }
    void maskAndTitleEntries()
    {
        QFETCH(QString, entry);
        QFETCH(QString, window);
        Panel rig;
        rig.action(entry)->trigger();
        QWidget *first = nullptr;
        for (QWidget *w : QApplication::topLevelWidgets())
            if (w->objectName() == window && w->isVisible())
                first = w;
        QVERIFY2(first, qPrintable(window));
        first->hide();
        rig.action(entry)->trigger();
        QVERIFY(first->isVisible());
        QVERIFY(rig.shown.isEmpty());
    }

    // Buttons a model lacks are hidden in the spherical mask window.
    void sphericalRestrictions_data()
    {
        QTest::addColumn<int>("model");
        QTest::addColumn<bool>("centre");
        QTest::addColumn<bool>("mosaic");
        QTest::newRow("full set") << 0x30 << true << true;
        QTest::newRow("no centre display") << 0x40 << false << true;
        QTest::newRow("no mosaic") << 0x42 << true << false;
    }
    void sphericalRestrictions()
    {
        QFETCH(int, model);
        QFETCH(bool, centre);
        QFETCH(bool, mosaic);
        Panel rig({model});
        rig.display().openSphericalMask();
        auto *ui = rig.display().sphericalMask()->ui();
        QCOMPARE(!ui->cmdCenterSphe->isHidden(), centre);
        QCOMPARE(!ui->cmdSphericalMosic->isHidden(), mosaic);
        QCOMPARE(!ui->cmdSphericalMosic2->isHidden(), mosaic);
    }

    // The alarm dialog is modal: the entry returns once it is closed.
    void alarmDetectionIsModal()
    {
        Panel rig;
        bool wasModal = false;
        QTimer::singleShot(50, [&] {
            if (QWidget *w = QApplication::activeModalWidget()) {
                wasModal = w->objectName() == QLatin1String("MD");
                w->close();
            }
        });
        rig.ui()->AlarmDetection->trigger();
        QVERIFY(wasModal);
        QVERIFY(rig.display().md());
    }

    void dateAndTimeDisplay()
    {
        Panel rig;
        rig.ui()->DateDisplay->trigger();
        rig.ui()->DateDisplay->trigger();
        rig.ui()->TimeDisplay->trigger();
        rig.ui()->TimeDisplay->trigger();
        QCOMPARE(rig.sent(), (QList<QByteArray>{hexBytes("8101047102FF"), hexBytes("8101047103FF"),
                                                hexBytes("8101047202FF"), hexBytes("8101047203FF")}));
        QVERIFY(!rig.ui()->DateDisplay->isChecked());
    }

    // "Title On/Off" ticks both editors' display boxes; the keyboard editor,
    // created hidden for this, must not pause auto refresh.
    void titleOnOffReachesTheEditors()
    {
        Panel rig;
        AutoRefresh &r = rig.link.refresh();
        rig.ui()->AutoRefreshed->click();
        QVERIFY(r.timerEnabled());
        rig.ui()->TitleOnOff->trigger();
        TitleEditors &editors = rig.display().titleEditors();
        QVERIFY(editors.mouseEditor()->ui()->Check1->isChecked());
        QVERIFY(editors.existingKeyboardEditor());
        QVERIFY(editors.existingKeyboardEditor()->ui()->Check1->isChecked());
        QVERIFY(!editors.existingKeyboardEditor()->isVisible());
        rig.run(200);
        QVERIFY(r.buttonEnabled());
        QVERIFY(r.timerEnabled());
    }

    // The title editors follow the new mark before the menu's own packet.
    void titleDisplayHook()
    {
        Panel rig;
        QList<bool> states;
        QList<int> sentAtCall;
        QList<bool> markAtCall;
        rig.display().onTitleDisplayChanged = [&](bool on) {
            states << on;
            sentAtCall << int(rig.sent().size());
            markAtCall << rig.ui()->TitleOnOff->isChecked();
        };
        rig.ui()->TitleOnOff->trigger();
        rig.ui()->TitleOnOff->trigger();
        QCOMPARE(states, (QList<bool>{true, false}));
        QCOMPARE(sentAtCall, (QList<int>{0, 1}));
        QCOMPARE(markAtCall, (QList<bool>{true, false}));

        rig.link.state().RefreshBusy = true;
        rig.ui()->TitleOnOff->trigger();
        QCOMPARE(states.size(), 2);
        QCOMPARE(rig.sent().size(), 2);
        QVERIFY(!rig.ui()->TitleOnOff->isChecked());
    }

    void syncExclusive()
    {
        Panel rig;
        rig.ui()->LineLock->trigger();
        rig.ui()->Internal->trigger();
        QCOMPARE(rig.sent(),
                 (QList<QByteArray>{hexBytes("8101045501FF"), hexBytes("8101045500FF")}));
        QVERIFY(rig.ui()->Internal->isChecked());
        QVERIFY(!rig.ui()->LineLock->isChecked());
    }

    // clang-format off
    void vPhaseHold_data()
    {
        QTest::addColumn<QString>("button");
        QTest::addColumn<QString>("how");
        QTest::addColumn<QByteArray>("move");
        QTest::newRow("up, released") << "VPUp" << "release" << hexBytes("8101040502FF");
        QTest::newRow("down, released") << "VPDown" << "release" << hexBytes("8101040503FF");
        QTest::newRow("up, disabled while held") << "VPUp" << "disable" << hexBytes("8101040502FF");
        QTest::newRow("down, window deactivated") << "VPDown" << "deactivate" << hexBytes("8101040503FF");
    }
    // clang-format on
    void vPhaseHold()
    {
        QFETCH(QString, button);
        QFETCH(QString, how);
        QFETCH(QByteArray, move);
        Panel rig;
        auto *b = rig.window.findChild<QToolButton *>(button);
        QTest::mousePress(b, Qt::LeftButton);
        rig.run(100); // nothing repeats while held
        QCOMPARE(rig.sent(), QList<QByteArray>{move});
        if (how == QLatin1String("disable")) {
            b->setEnabled(false);
        } else if (how == QLatin1String("deactivate")) {
            QEvent deactivate(QEvent::WindowDeactivate);
            QCoreApplication::sendEvent(&rig.window, &deactivate);
        }
        QTest::mouseRelease(b, Qt::LeftButton);
        QCOMPARE(rig.sent(), (QList<QByteArray>{move, hexBytes("8101040500FF")}));
    }

    // The slider sends the operator's moves only; holding it stops Timer1,
    // letting go sends nothing and restarts Timer1 only with "Auto Refresh".
    // clang-format off
    void vPhaseSlider_data()
    {
        QTest::addColumn<bool>("autoRefreshChecked");
        QTest::newRow("Auto Refresh unchecked") << false;
        QTest::newRow("Auto Refresh checked") << true;
    }
    // clang-format on
    void vPhaseSlider()
    {
        QFETCH(bool, autoRefreshChecked);
        Panel rig;
        QSlider *slider = rig.ui()->VPSlider;
        QCOMPARE(slider->maximum(), 255);
        slider->setValue(0x12);
        QVERIFY(rig.sent().isEmpty());

        AutoRefresh &refresh = rig.link.refresh();
        refresh.setAutoRefreshChecked(autoRefreshChecked);
        refresh.setTimerEnabled(true);
        const QPoint thumb = thumbCenter(slider);
        QTest::mousePress(slider, Qt::LeftButton, {}, thumb);
        QVERIFY(!refresh.timerEnabled());
        QVERIFY(rig.sent().isEmpty());
        slider->triggerAction(QAbstractSlider::SliderSingleStepAdd);
        slider->triggerAction(QAbstractSlider::SliderToMaximum);
        QTest::mouseRelease(slider, Qt::LeftButton, {}, thumb);
        QCOMPARE(refresh.timerEnabled(), autoRefreshChecked);
        QCOMPARE(rig.sent(), (QList<QByteArray>{hexBytes("8101044500000103FF"),
                                                hexBytes("8101044500000F0FFF")}));
    }

    // Each entry opens its window without blocking the main window, and the
    // same window again on the next use.
    void dialogEntries()
    {
        Panel rig;
        rig.ui()->SettingMenu->trigger();
        FSet *fset = rig.display().fset();
        QVERIFY(fset && fset->isVisible() && !fset->isModal());
        QVERIFY(!fset->ui()->FrmBaudrate->isHidden());
        fset->hide();
        rig.ui()->SettingMenu->trigger();
        QCOMPARE(rig.display().fset(), fset);
        QVERIFY(fset->isVisible());

        rig.ui()->RegisterSet->setEnabled(true);
        rig.ui()->RegisterSet->trigger();
        Register *reg = rig.display().registerDialog();
        QVERIFY(reg && reg->isVisible() && !reg->isModal());

        rig.ui()->version->trigger();
        FrmInfo *info = rig.display().frmInfo();
        QVERIFY(info && info->isVisible() && !info->isModal());
        QVERIFY(info->ui()->LblVersion->text().contains(QStringLiteral(ZAM_VERSION)));
        QVERIFY(!info->ui()->RevisionHistory->toPlainText().isEmpty());
        info->ui()->OK->click();
        QVERIFY(!info->isVisible());
        rig.ui()->version->trigger();
        QCOMPARE(rig.display().frmInfo(), info);
        QVERIFY(rig.shown.isEmpty());
        QVERIFY(rig.sent().isEmpty());
    }

    void motionDetectionStopsRefresh()
    {
        Panel rig;
        AutoRefresh &refresh = rig.link.refresh();
        rig.ui()->AutoRefreshed->click(); // auto refresh on
        QVERIFY(refresh.timerEnabled());
        rig.ui()->MotionDetectD->trigger();
        QVERIFY(rig.display().motionD() && rig.display().motionD()->isVisible());
        QVERIFY(!rig.display().motionD()->isModal());
        QVERIFY(!refresh.timerEnabled());
        QVERIFY(!rig.ui()->AutoRefreshed->isEnabled());
    }

    // Models whose rate cannot be changed this way do not offer it.
    void factorySettingsFollowModel()
    {
        Panel rig({0x41});
        rig.ui()->SettingMenu->trigger();
        QVERIFY(rig.display().fset()->ui()->FrmBaudrate->isHidden());
    }

    void statusReadShowsDisplayState()
    {
        Panel rig;
        Ui::FrmMain *ui = rig.ui();
        ui->DataScreen->setChecked(false);
        ui->DataScreen->trigger();
        rig.run(40);
        ui->LineLock->trigger();
        rig.run(40);
        ui->VP0180->setText(QString());
        ui->VP0180->click(); // 0 degree
        rig.run(40);
        ui->VPSlider->setValue(0x2F);
        ui->VPSlider->triggerAction(QAbstractSlider::SliderSingleStepAdd);
        rig.run(40);

        ui->DataScreen->setChecked(false);
        ui->Internal->setChecked(true);
        ui->LineLock->setChecked(false);
        ui->VP0180->setText(QStringLiteral("180 degree"));
        ui->VPSlider->setValue(0);
        ui->VPValue->clear();
        rig.window.ReadCameraStatus();

        QVERIFY(ui->DataScreen->isChecked());
        QVERIFY(ui->LineLock->isChecked());
        QVERIFY(!ui->Internal->isChecked());
        QCOMPARE(ui->VP0180->text(), QStringLiteral("0 degree"));
        QCOMPARE(ui->VPSlider->value(), 0x30);
        QCOMPARE(ui->VPValue->text(), QStringLiteral("48"));
    }
};

QTEST_MAIN(TestDisplay)
#include "test_display.moc"
