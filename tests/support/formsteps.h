#pragma once
// Drives a window's form from one line of steps, "name=value ... name ...",
// the widgets found by object name: a box takes the text, a list the
// position, a spin box the value, a check or option box 1 or 0; a name
// alone is a button to click.

#include <QAbstractButton>
#include <QComboBox>
#include <QLineEdit>
#include <QSpinBox>
#include <QTest>

inline void runSteps(QWidget *window, const QString &steps)
{
    for (const QString &step : steps.split(u' ', Qt::SkipEmptyParts)) {
        const QString name = step.section(u'=', 0, 0), value = step.section(u'=', 1);
        QWidget *w = window->findChild<QWidget *>(name);
        QVERIFY2(w, qPrintable(name));
        if (!step.contains(u'='))
            qobject_cast<QAbstractButton *>(w)->click();
        else if (auto *box = qobject_cast<QLineEdit *>(w))
            box->setText(value);
        else if (auto *list = qobject_cast<QComboBox *>(w))
            list->setCurrentIndex(value.toInt());
        else if (auto *spin = qobject_cast<QSpinBox *>(w))
            spin->setValue(value.toInt());
        else
            qobject_cast<QAbstractButton *>(w)->setChecked(value == u"1");
    }
}
