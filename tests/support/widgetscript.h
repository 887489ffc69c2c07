#pragma once
// Operator steps played on the panel's real widgets, packets written as hex
// text, and the checks the command-group tests share.

#include "panelrig.h"

#include <QAbstractButton>
#include <QAbstractSlider>
#include <QAction>
#include <QSlider>
#include <QStyle>
#include <QStyleOptionSlider>

// "8101040720FF 8101040700FF": the packets, in order.
inline QList<QByteArray> hexPackets(const QString &hex)
{
    QList<QByteArray> out;
    for (const QString &p : hex.split(QLatin1Char(' '), Qt::SkipEmptyParts))
        out << QByteArray::fromHex(p.toLatin1());
    return out;
}

// Plays operator steps "verb Control [value]", separated by ';':
//   click, press, release  the mouse on a button (click triggers a menu item)
//   type                   replaces a box's text, key by key
//   set                    the program writes a slider value
//   key, page              one arrow-key step / one page step upwards
inline void play(PanelRig &rig, const QString &script)
{
    for (const QString &step : script.split(QLatin1Char(';'), Qt::SkipEmptyParts)) {
        const QStringList w = step.simplified().split(QLatin1Char(' '));
        const QString verb = w.value(0), arg = w.value(2);
        QObject *o = rig.window.findChild<QObject *>(w.value(1));
        QVERIFY2(o, qPrintable(step));
        auto *widget = qobject_cast<QWidget *>(o);
        auto *slider = qobject_cast<QAbstractSlider *>(o);
        const QPoint at = widget ? QPoint(8, widget->height() / 2) : QPoint();
        if (verb == QLatin1String("click") && !widget)
            static_cast<QAction *>(o)->trigger();
        else if (verb == QLatin1String("click"))
            QTest::mouseClick(widget, Qt::LeftButton, {}, at);
        else if (verb == QLatin1String("press"))
            QTest::mousePress(widget, Qt::LeftButton, {}, at);
        else if (verb == QLatin1String("release"))
            QTest::mouseRelease(widget, Qt::LeftButton, {}, at);
        else if (verb == QLatin1String("type")) {
            QMetaObject::invokeMethod(widget, "selectAll");
            QTest::keyClick(widget, Qt::Key_Delete);
            QTest::keyClicks(widget, arg);
        } else if (verb == QLatin1String("set"))
            slider->setValue(arg.toInt(nullptr, 0));
        else if (verb == QLatin1String("key"))
            QTest::keyClick(widget, Qt::Key_Right);
        else if (verb == QLatin1String("page"))
            slider->triggerAction(QAbstractSlider::SliderPageStepAdd);
        else
            QFAIL(qPrintable(step));
    }
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
