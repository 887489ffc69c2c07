// Picture and effect functions of the main window and the digital effect
// level dialog, driven through the real widgets on a simulated camera.

#include "support/panelrig.h"

#include "ui_frmdeffect.h"
#include "ui_frmmain.h"

#include <QLineEdit>
#include <QPushButton>
#include <QSpinBox>
#include <frmdeffect.h>

using namespace zam;

namespace {

struct Panel : PanelRig {
    Panel()
    {
        QVERIFY(start());
        groups.picture.setMessageSink(
            [this](const QString &title, const QString &) { shown << title; });
        clearSent();
    }
    Ui::FrmMain *ui() { return window.ui(); }
    QAction *action(const QString &name) { return window.findChild<QAction *>(name); }
    QAbstractButton *button(const QString &name)
    {
        return window.findChild<QAbstractButton *>(name);
    }
    FrmDEffect &effectDialog() { return window.frmDEffect(); }

    // A button starts with `start` as its caption and is clicked; a menu
    // item starts checked when `start` is "checked" and is triggered.
    // Answers the caption or mark afterwards.
    QString operate(const QString &control, const QString &start)
    {
        if (QAction *a = action(control)) {
            a->setEnabled(true); // some items are disabled by the model or the form
            a->setChecked(start == QLatin1String("checked"));
            a->trigger();
            return a->isChecked() ? QStringLiteral("checked") : QStringLiteral("unchecked");
        }
        QAbstractButton *b = button(control);
        if (!b)
            return QStringLiteral("no such control");
        b->setText(start);
        b->click();
        return b->text();
    }

    QStringList shown;
};

QList<QByteArray> packet(const char *hex)
{
    return hex[0] ? QList<QByteArray>{hexBytes(hex)} : QList<QByteArray>{};
}

} // namespace

class TestPicture : public QObject {
    Q_OBJECT
private Q_SLOTS:
    // clang-format off
    void packets_data()
    {
        QTest::addColumn<QString>("control");
        QTest::addColumn<QString>("start");
        QTest::addColumn<QString>("expected");
        QTest::addColumn<QString>("after");
        // Caption buttons.
        QTest::newRow("Wide_D ON") << "Wide_D" << "ON" << "8101043D02FF" << "OFF";
        QTest::newRow("Wide_D OFF") << "Wide_D" << "OFF" << "8101043D03FF" << "ON";
        QTest::newRow("Wide_D other caption") << "Wide_D" << "" << "8101043D03FF" << "ON";
        QTest::newRow("cmdHigh_Reso OFF") << "cmdHigh_Reso" << "OFF" << "8101045203FF" << "ON";
        QTest::newRow("cmdHigh_Reso ON") << "cmdHigh_Reso" << "ON" << "8101045202FF" << "OFF";
        QTest::newRow("cmdHigh_Reso other caption") << "cmdHigh_Reso" << "on" << "" << "on";
        QTest::newRow("comAutoICR OFF") << "comAutoICR" << "OFF" << "8101045102FF" << "ON";
        QTest::newRow("comAutoICR ON") << "comAutoICR" << "ON" << "8101045103FF" << "OFF";
        QTest::newRow("comAutoICR other caption") << "comAutoICR" << "" << "" << "";
        QTest::newRow("comICR On") << "comICR_0" << "On" << "8101040102FF" << "On";
        QTest::newRow("comICR Off") << "comICR_1" << "Off" << "8101040103FF" << "Off";
        // On/off items of the Function menu.
        QTest::newRow("PictureFlip on") << "PictureFlip" << "unchecked" << "8101046602FF" << "checked";
        QTest::newRow("PictureFlip off") << "PictureFlip" << "checked" << "8101046603FF" << "unchecked";
        QTest::newRow("LR_Reverse on") << "LR_Reverse" << "unchecked" << "8101046102FF" << "checked";
        QTest::newRow("LR_Reverse off") << "LR_Reverse" << "checked" << "8101046103FF" << "unchecked";
        QTest::newRow("Freese on") << "Freese" << "unchecked" << "8101046202FF" << "checked";
        QTest::newRow("Freese off") << "Freese" << "checked" << "8101046203FF" << "unchecked";
        QTest::newRow("Image_Stabi on") << "Image_Stabi" << "unchecked" << "8101043402FF" << "checked";
        QTest::newRow("Image_Stabi off") << "Image_Stabi" << "checked" << "8101043403FF" << "unchecked";
        QTest::newRow("Normal") << "Normal" << "unchecked" << "8101046000FF" << "checked";
        QTest::newRow("Normal again") << "Normal" << "checked" << "8101046000FF" << "checked";
    }
    // clang-format on
    void packets()
    {
        QFETCH(QString, control);
        QFETCH(QString, start);
        QFETCH(QString, expected);
        QFETCH(QString, after);
        Panel rig;
        QCOMPARE(rig.operate(control, start), after);
        QCOMPARE(rig.sent(), packet(expected.toLatin1().constData()));
    }

    // clang-format off
    void icrThreshold_data()
    {
        QTest::addColumn<QString>("text");
        QTest::addColumn<QString>("expected"); // empty: refused
        QTest::newRow("two digits") << "0F" << "810104210000000FFF";
        QTest::newRow("lower case") << "a3" << "8101042100000A03FF";
        QTest::newRow("one digit is the low nibble") << "5" << "8101042100000005FF";
        QTest::newRow("blanks around") << " 7f " << "810104210000070FFF";
        QTest::newRow("empty") << "" << "";
        QTest::newRow("not hexadecimal") << "G1" << "";
        QTest::newRow("three digits") << "123" << "";
        QTest::newRow("blank inside") << "F F" << "";
    }
    // clang-format on
    void icrThreshold()
    {
        QFETCH(QString, text);
        QFETCH(QString, expected);
        Panel rig;
        rig.ui()->txtICRthreshold->setText(text);
        rig.ui()->comICR_Threshold->click();
        expected.remove(QLatin1Char(' '));
        if (expected.isEmpty()) {
            QVERIFY(rig.sent().isEmpty());
            QCOMPARE(rig.shown, QStringList{PictureCommands::kThresholdTitle});
        } else {
            QCOMPARE(rig.sent(), QList<QByteArray>{QByteArray::fromHex(expected.toLatin1())});
            QVERIFY(rig.shown.isEmpty());
        }
    }

    // clang-format off
    void pictureEffectsExclusive_data()
    {
        QTest::addColumn<QString>("item");
        QTest::addColumn<QByteArray>("expected");
        QTest::newRow("PEOff") << "PEOff" << hexBytes("8101046300FF");
        QTest::newRow("NegArt") << "NegArt" << hexBytes("8101046302FF");
        QTest::newRow("BlackWhite") << "BlackWhite" << hexBytes("8101046304FF");
    }
    // clang-format on
    void pictureEffectsExclusive()
    {
        QFETCH(QString, item);
        QFETCH(QByteArray, expected);
        Panel rig;
        const QStringList items{"PEOff", "NegArt", "BlackWhite"};
        for (const QString &name : items)
            rig.action(name)->setChecked(name != item);
        rig.action(item)->trigger();
        QCOMPARE(rig.sent(), QList<QByteArray>{expected});
        for (const QString &name : items)
            QVERIFY2(rig.action(name)->isChecked() == (name == item), qPrintable(name));

        // A second click keeps the mark (a checkable item would drop it).
        rig.action(item)->trigger();
        QVERIFY(rig.action(item)->isChecked());
    }

    // While a status read writes the window, the gated items do nothing at
    // all; the caption buttons are not gated, but SD refuses them, and a
    // caption that was not sent does not change.
    void nothingWhileStatusReadRuns()
    {
        Panel rig;
        rig.link.state().RefreshBusy = true;
        for (const char *name : {"PictureFlip", "LR_Reverse", "Freese", "Image_Stabi", "PEOff",
                                 "NegArt", "BlackWhite"}) {
            for (bool checked : {false, true}) {
                QAction *a = rig.action(name);
                a->setEnabled(true);
                a->setChecked(checked);
                a->trigger();
                QVERIFY2(a->isChecked() == checked, name);
            }
        }
        rig.ui()->Wide_D->click();
        QCOMPARE(rig.ui()->Wide_D->text(), QStringLiteral("ON"));
        QVERIFY(rig.sent().isEmpty());
    }

    // The dialog stops Timer1 when it opens; OK, Cancel and closing it start
    // Timer1 again only while "Auto Refresh" is checked.
    // clang-format off
    void digitalEffectLevelDialog_data()
    {
        QTest::addColumn<QString>("how");
        QTest::addColumn<bool>("autoRefreshChecked");
        QTest::addColumn<QList<QByteArray>>("expected");
        const QList<QByteArray> level32{hexBytes("8101046520FF")};
        QTest::newRow("OK") << "ok" << false << level32;
        QTest::newRow("OK, Auto Refresh checked") << "ok" << true << level32;
        QTest::newRow("Cancel") << "cancel" << false << QList<QByteArray>{};
        QTest::newRow("Cancel, Auto Refresh checked") << "cancel" << true << QList<QByteArray>{};
        QTest::newRow("Escape, Auto Refresh checked") << "escape" << true << QList<QByteArray>{};
    }
    // clang-format on
    void digitalEffectLevelDialog()
    {
        QFETCH(QString, how);
        QFETCH(bool, autoRefreshChecked);
        QFETCH(QList<QByteArray>, expected);
        Panel rig;
        AutoRefresh &refresh = rig.link.refresh();
        refresh.setAutoRefreshChecked(autoRefreshChecked);
        refresh.setTimerEnabled(true);

        rig.ui()->DigitalEffectLevel->trigger();
        FrmDEffect &dialog = rig.effectDialog();
        QVERIFY(dialog.isVisible());
        QVERIFY(!dialog.isModal());
        QVERIFY(!refresh.timerEnabled());

        QSpinBox *level = dialog.ui()->DELevel;
        level->selectAll();
        QTest::keyClicks(level, QStringLiteral("32"));
        if (how == QLatin1String("ok"))
            dialog.ui()->DELevelOK->click();
        else if (how == QLatin1String("cancel"))
            dialog.ui()->DELevelCancel->click();
        else
            QTest::keyClick(&dialog, Qt::Key_Escape);

        QCOMPARE(rig.sent(), expected);
        QVERIFY(!dialog.isVisible());
        QCOMPARE(refresh.timerEnabled(), autoRefreshChecked);
    }

    // 0xFF ends a packet on the line, so the level stops one short of it.
    void levelNeverCarriesTheTerminator()
    {
        Panel rig;
        rig.ui()->DigitalEffectLevel->trigger();
        QSpinBox *level = rig.effectDialog().ui()->DELevel;
        level->setValue(255);
        rig.effectDialog().ui()->DELevelOK->click();
        QCOMPARE(rig.sent(), QList<QByteArray>{hexBytes("81010465FEFF")});
        rig.run(50);
        QCOMPARE(rig.chain.camera(1).state().picture.digitalEffectLevel, 0xFE);
    }

    // What the controls send, the camera keeps, and the status read shows it.
    // clang-format off
    void statusReadShowsPictureState_data()
    {
        QTest::addColumn<QString>("effect");
        QTest::newRow("negative art") << "NegArt";
        QTest::newRow("black and white") << "BlackWhite";
        QTest::newRow("effect off") << "PEOff";
    }
    // clang-format on
    void statusReadShowsPictureState()
    {
        QFETCH(QString, effect);
        Panel rig;
        Ui::FrmMain *ui = rig.ui();
        const QList<QAction *> items{ui->PictureFlip, ui->LR_Reverse, ui->Freese, ui->Image_Stabi};
        for (QAction *a : items) {
            a->setEnabled(true);
            a->setChecked(false);
            a->trigger();
            rig.run(40);
        }
        rig.action(effect)->trigger();
        rig.run(40);
        ui->comAutoICR->setText(QStringLiteral("OFF"));
        ui->comAutoICR->click();
        rig.run(40);
        ui->DigitalEffectLevel->trigger();
        rig.effectDialog().ui()->DELevel->setValue(0x20);
        rig.effectDialog().ui()->DELevelOK->click();
        rig.run(40);

        // The window forgets; the camera remembers.
        for (QAction *a : items + QList<QAction *>{ui->PEOff, ui->NegArt, ui->BlackWhite})
            a->setChecked(false);
        ui->comAutoICR->setText(QStringLiteral("OFF"));
        rig.effectDialog().ui()->DELevel->setValue(0);
        rig.window.ReadCameraStatus();

        for (QAction *a : items)
            QVERIFY2(a->isChecked(), qPrintable(a->objectName()));
        for (const char *name : {"PEOff", "NegArt", "BlackWhite"})
            QVERIFY2(rig.action(name)->isChecked() == (effect == QLatin1String(name)), name);
        QCOMPARE(ui->comAutoICR->text(), QStringLiteral("ON"));
        QCOMPARE(rig.effectDialog().ui()->DELevel->value(), 0x20);
    }
};

QTEST_MAIN(TestPicture)
#include "test_picture.moc"
