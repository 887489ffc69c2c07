#pragma once
// The one way tests reach and drive a window's controls: by objectName, as
// the forms name them, never through a window's generated form.

#include <QtGlobal>
#include <QtTest>
#include <QtWidgets>

namespace zam {

// The control named `name` of the window `root`, searched in the window's own
// widgets and actions (the dialogs it parents are windows of their own and
// are not searched). Ends the test run when there is none.
template <typename T> T *control(const QObject &root, const char *name)
{
    const QWidget *rootWindow = qobject_cast<const QWidget *>(&root);
    const auto found = root.findChildren<T *>(QLatin1String(name));
    for (T *c : found) {
        const auto *w = qobject_cast<const QWidget *>(c);
        if (!rootWindow || !w || w->window() == rootWindow->window())
            return c;
    }
    if (!found.isEmpty())
        return found.first();
    qFatal("no control named %s of the expected type", name);
}

template <typename T> T *control(const QObject *root, const char *name)
{
    return control<T>(*root, name);
}

} // namespace zam

// Plays operator steps on the controls of `root`, "verb Control [value]",
// separated by ';':
//   click, press, release  the mouse on a button (a button of a window not on
//                          screen is clicked as the program would; click
//                          triggers a menu item)
//   type                   replaces a box's text, key by key
//   set                    the program writes a value: a box's text, a
//                          list's position, a spin box's or a slider's value,
//                          a check or option box's tick (1 or 0)
//   key, page              one arrow-key step / one page step upwards
// A step without a verb is short for set or click: "Name=value" sets, a
// name alone clicks, several of them separated by spaces.
inline void play(QObject &root, const QString &script)
{
    static const QStringList verbs{QStringLiteral("click"),   QStringLiteral("press"),
                                   QStringLiteral("release"), QStringLiteral("type"),
                                   QStringLiteral("set"),     QStringLiteral("key"),
                                   QStringLiteral("page")};
    QStringList steps;
    for (const QString &step : script.split(QLatin1Char(';'), Qt::SkipEmptyParts)) {
        const QStringList w = step.simplified().split(QLatin1Char(' '), Qt::SkipEmptyParts);
        if (w.isEmpty() || verbs.contains(w.first())) {
            steps << step.simplified();
            continue;
        }
        for (const QString &s : w)
            steps
                << (s.contains(QLatin1Char('='))
                        ? QStringLiteral("set %1 %2").arg(s.section(u'=', 0, 0), s.section(u'=', 1))
                        : QStringLiteral("click ") + s);
    }
    for (const QString &step : steps) {
        const QStringList w = step.split(QLatin1Char(' '));
        const QString verb = w.value(0), arg = w.value(2);
        QObject *o = root.findChild<QObject *>(w.value(1));
        QVERIFY2(o, qPrintable(step));
        auto *widget = qobject_cast<QWidget *>(o);
        auto *button = qobject_cast<QAbstractButton *>(o);
        const QPoint at = widget ? QPoint(8, widget->height() / 2) : QPoint();
        if (verb == QLatin1String("click") && !widget)
            static_cast<QAction *>(o)->trigger();
        else if (verb == QLatin1String("click") && button && !button->isVisible())
            button->click();
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
        } else if (verb == QLatin1String("set")) {
            if (auto *box = qobject_cast<QLineEdit *>(o))
                box->setText(arg);
            else if (auto *list = qobject_cast<QComboBox *>(o))
                list->setCurrentIndex(arg.toInt());
            else if (auto *spin = qobject_cast<QSpinBox *>(o))
                spin->setValue(arg.toInt());
            else if (auto *slider = qobject_cast<QAbstractSlider *>(o))
                slider->setValue(arg.toInt(nullptr, 0));
            else if (button)
                button->setChecked(arg == QLatin1String("1"));
            else
                QFAIL(qPrintable(step));
        } else if (verb == QLatin1String("key"))
            QTest::keyClick(widget, Qt::Key_Right);
        else if (verb == QLatin1String("page"))
            qobject_cast<QAbstractSlider *>(o)->triggerAction(QAbstractSlider::SliderPageStepAdd);
        else
            QFAIL(qPrintable(step));
    }
}

inline void play(QObject *root, const QString &script)
{
    play(*root, script);
}
