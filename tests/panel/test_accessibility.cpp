// Screen readers and the keyboard reach every control of every window: each
// control that takes focus has a name a person can understand, and each field
// that shows a changing value lets a screen reader read both what the field
// is for and its value.

#include "support/controls.h"
#include "support/panelrig.h"
#include "support/testmain.h"

#include <QAbstractButton>
#include <QAbstractSlider>
#include <QAbstractSpinBox>
#include <QAccessible>
#include <QComboBox>
#include <QLabel>
#include <QLineEdit>
#include <QPlainTextEdit>
#include <QStatusBar>
#include <connectionstatus.h>
#include <frmoption.h>
#include <frmtitle_k.h>
#include <frmtitle_m.h>
#include <md.h>
#include <titleeditors.h>

using namespace zam;

namespace {

// The name a screen reader announces (the accessible name, else the text or
// the label that names the control).
QString spokenName(QWidget *w)
{
    QAccessibleInterface *i = QAccessible::queryAccessibleInterface(w);
    return i ? i->text(QAccessible::Name).trimmed() : QString();
}

int g_checked = 0;

QStringList unnamedControls(QWidget *window)
{
    QStringList missing;
    for (QWidget *w : window->findChildren<QWidget *>()) {
        const bool control =
            qobject_cast<QAbstractButton *>(w) || qobject_cast<QAbstractSlider *>(w) ||
            qobject_cast<QAbstractSpinBox *>(w) || qobject_cast<QComboBox *>(w) ||
            qobject_cast<QPlainTextEdit *>(w) ||
            (qobject_cast<QLineEdit *>(w) && !qobject_cast<QAbstractSpinBox *>(w->parentWidget()) &&
             !qobject_cast<QComboBox *>(w->parentWidget()));
        if (!control || w->focusPolicy() == Qt::NoFocus)
            continue;
        ++g_checked;
        if (spokenName(w).isEmpty())
            missing << QStringLiteral("%1/%2").arg(window->objectName(), w->objectName());
    }
    return missing;
}

// Every field of the main window that shows a value (the read-only boxes,
// the status bar) whose value a screen reader cannot get, or whose purpose
// it cannot tell apart from the value.
QStringList unreadableFields(FrmMain &window, int &checked)
{
    QList<QWidget *> fields;
    for (QLineEdit *e : window.findChildren<QLineEdit *>())
        if (e->isReadOnly())
            fields << e;
    for (QLabel *l : window.statusBar()->findChildren<QLabel *>())
        fields << l;
    QStringList wrong;
    for (QWidget *w : fields) {
        const auto *edit = qobject_cast<QLineEdit *>(w);
        const QString value = edit ? edit->text() : qobject_cast<QLabel *>(w)->text();
        if (value.isEmpty())
            continue;
        ++checked;
        QAccessibleInterface *i = QAccessible::queryAccessibleInterface(w);
        const QString name = i ? i->text(QAccessible::Name) : QString();
        const QString read =
            name + QLatin1Char(' ') + (i ? i->text(QAccessible::Value) : QString());
        QString purpose = name;
        purpose.remove(value);
        purpose += i ? i->text(QAccessible::Description) : QString();
        if (!read.contains(value) || purpose.trimmed().isEmpty())
            wrong << QStringLiteral("%1 (\"%2\" read as \"%3\")").arg(w->objectName(), value, read);
    }
    return wrong;
}

} // namespace

class TestAccessibility : public QObject {
    Q_OBJECT
private Q_SLOTS:
    void everyWindowNamesItsControls()
    {
        PanelRig rig(1);
        QVERIFY(rig.start());
        DisplayCommands &d = rig.groups.display;
        const QObject &ui = rig.window;
        // Open every window the menus offer (the modal alarm window is made
        // directly, without its modal loop).
        for (QAction *entry :
             {control<QAction>(ui, "SettingMenu"), control<QAction>(ui, "RegisterSet"),
              control<QAction>(ui, "version"), control<QAction>(ui, "MotionDetectD"),
              control<QAction>(ui, "TitleSet"), control<QAction>(ui, "SettingZones"),
              control<QAction>(ui, "SphericalZoneMasking"), control<QAction>(ui, "PrivacyAv"),
              control<QAction>(ui, "AESpotMode"), control<QAction>(ui, "SetTimeDate"),
              control<QAction>(ui, "DigitalEffectLevel"), control<QAction>(ui, "IDWrite"),
              control<QAction>(ui, "ToolsTrafficMonitor")}) {
            entry->setEnabled(true);
            entry->trigger();
        }
        d.titleEditors().keyboardEditor();
        MD md(rig.link, rig.window.motionDetection(), &rig.window);
        FrmOption ports({{QStringLiteral("Com1"), comDevice(1), 1},
                         {QStringLiteral("Simulated cameras"), QStringLiteral("sim:"), 0}});

        QStringList missing = unnamedControls(&rig.window);
        for (QWidget *w : QApplication::topLevelWidgets())
            if (w != &rig.window && !w->objectName().isEmpty())
                missing += unnamedControls(w);
        missing += unnamedControls(&md);
        missing += unnamedControls(&ports);
        QVERIFY2(missing.isEmpty(), qPrintable(missing.join(QLatin1Char(' '))));
        QVERIFY2(g_checked > 300,
                 qPrintable(QString::number(g_checked))); // the windows really were there
    }

    void changingFieldsAreReadWithTheirValue()
    {
        PanelRig rig(1);
        rig.chain.camera(1).state().lens.zoom.moveTo(0x1234);
        QVERIFY(rig.start());
        int checked = 0;
        QStringList wrong = unreadableFields(rig.window, checked);
        QCOMPARE(control<QLineEdit>(rig.window, "ZoomValue")->text(), QStringLiteral("4660"));

        // The camera stops answering: the new state is what is read out.
        rig.chain.faults().silent = true;
        rig.window.ReadCameraStatus();
        QVERIFY(rig.window.connectionStatus().notAnswering());
        wrong += unreadableFields(rig.window, checked);
        QVERIFY2(wrong.isEmpty(), qPrintable(wrong.join(QStringLiteral(", "))));
        QVERIFY2(checked > 30, qPrintable(QString::number(checked))); // the fields were there
    }
};

ZAM_TEST_MAIN(TestAccessibility)
#include "test_accessibility.moc"
