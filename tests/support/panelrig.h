#pragma once
// The whole panel on a line of the test's choice, and the steps the
// command-group tests share.

#include "caughtmessages.h"
#include "controls.h"
#include "simline.h"

#include <QAbstractButton>
#include <QAction>
#include <QApplication>
#include <QLocale>
#include <QSlider>
#include <QStyle>
#include <QStyleOptionSlider>
#include <QTest>
#include <cameralink.h>
#include <commandgroups.h>
#include <frmmain.h>

// ZAM_TEST_LOCALE=ar_EG runs the test with that default locale, set before
// any widget exists. Boxes then show Arabic-Indic digits, so a number taken
// from a box's display text instead of its value goes wrong on the wire.
inline void zamApplyTestLocale()
{
    const QString name = qEnvironmentVariable("ZAM_TEST_LOCALE");
    if (name.isEmpty())
        return;
    const QLocale locale(name);
    if (locale.language() == QLocale::C)
        qFatal("ZAM_TEST_LOCALE=%s names no locale", qPrintable(name));
    QLocale::setDefault(locale);
}
Q_CONSTRUCTOR_FUNCTION(zamApplyTestLocale)

// The whole panel on a line of the test's choice, with a clock the test
// moves: the main window with its command groups, as the program builds
// them. PanelRig is the panel on the simulated chain, ScriptedRig on a
// scripted camera (scriptedrig.h), PanelOn<CamsimLine> on zam-camsim over a
// pseudo-terminal or TCP (camsim.h).
template <class Line> struct PanelOn : Line {
    using Line::Line;

    bool start()
    {
        const bool ok = window.startUp();
        this->settle();
        this->clearSent();
        return ok;
    }

    zam::CameraLink link{this->port, this->clock};
    zam::FrmMain window{link, zam::PortSettings{this->device(), 9600}};
    zam::CommandGroups groups{window};
    CaughtMessages messages;
};

using PanelRig = PanelOn<SimLine>;

// A started panel with no AE or white-balance mode current (so that every
// mode item acts) and nothing sent yet.
struct StartedPanel : PanelRig {
    StartedPanel()
    {
        QVERIFY(start());
        window.modes().CurrentAEMode = -1;
        window.modes().CurrentWBMode = -1;
        clearSent();
    }
    QWidget *widget(const QString &name) { return window.findChild<QWidget *>(name); }
    QAction *action(const QString &name) { return window.findChild<QAction *>(name); }
};

inline void play(PanelRig &rig, const QString &script)
{
    play(rig.window, script);
}

// "8101040720FF 8101040700FF": the packets, in order.
inline QList<QByteArray> hexPackets(const QString &hex)
{
    QList<QByteArray> out;
    for (const QString &p : hex.split(QLatin1Char(' '), Qt::SkipEmptyParts))
        out << QByteArray::fromHex(p.toLatin1());
    return out;
}

// A menu item starts checked when `start` is "checked" and is triggered; a
// button starts with `start` as its caption and is clicked. Answers the mark
// ("checked"/"unchecked") or the caption afterwards.
inline QString operate(PanelRig &rig, const QString &control, const QString &start)
{
    if (auto *a = rig.window.findChild<QAction *>(control)) {
        a->setEnabled(true); // some items are disabled by the model or the form
        a->setChecked(start == QLatin1String("checked"));
        a->trigger();
        return QLatin1String(a->isChecked() ? "checked" : "unchecked");
    }
    auto *b = rig.window.findChild<QAbstractButton *>(control);
    b->setText(start);
    b->click();
    return b->text();
}

// A started panel on screen with the named controls usable, nothing sent yet.
inline std::unique_ptr<PanelRig> shownPanel(const QString &usable)
{
    auto rig = std::make_unique<PanelRig>();
    if (!rig->start())
        return nullptr;
    rig->window.show();
    if (!QTest::qWaitForWindowExposed(&rig->window))
        return nullptr;
    for (const QString &name : usable.split(QLatin1Char(' '), Qt::SkipEmptyParts))
        rig->window.findChild<QObject *>(name)->setProperty("enabled", true);
    rig->clearSent();
    return rig;
}

inline QPoint thumbCenter(QSlider *s)
{
    QStyleOptionSlider opt;
    opt.initFrom(s);
    opt.orientation = s->orientation();
    opt.minimum = s->minimum();
    opt.maximum = s->maximum();
    opt.sliderPosition = opt.sliderValue = s->value();
    return s->style()->subControlRect(QStyle::CC_Slider, &opt, QStyle::SC_SliderHandle, s).center();
}

// Timer1 running under "Stop", with "Auto Refresh" checked or not: a hold
// that ends while the entry is checked leaves it so.
inline zam::AutoRefresh &runningRefresh(PanelRig &rig, bool autoRefreshChecked)
{
    zam::AutoRefresh &refresh = rig.link.refresh();
    refresh.menuItemToggled(true);
    refresh.holdStarted();
    refresh.holdEnded();
    refresh.menuItemToggled(autoRefreshChecked);
    return refresh;
}

// Pressing the slider stops Timer1; letting go sends nothing and starts it
// again only while "Auto Refresh" is checked.
inline void checkPressPausesRefresh(PanelRig &rig, QWidget *slider)
{
    slider->setEnabled(true);
    for (bool menuChecked : {false, true}) {
        zam::AutoRefresh &refresh = runningRefresh(rig, menuChecked);
        QTest::mousePress(slider, Qt::LeftButton);
        QVERIFY2(!refresh.timerEnabled(), qPrintable(slider->objectName()));
        const auto sentBefore = rig.sent().size();
        QTest::mouseRelease(slider, Qt::LeftButton);
        QCOMPARE(rig.sent().size(), sentBefore);
        QCOMPARE(refresh.timerEnabled(), menuChecked);
    }
}
