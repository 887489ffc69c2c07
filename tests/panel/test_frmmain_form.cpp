// Rules over every control of the main window as built (the command groups'
// forms in their places), before start-up: the controls the mode and
// restriction tables name exist once each, no shortcut switches a camera
// off, hold buttons send one packet per press, and every control a user
// operates is named for assistive technology and reachable with the Tab key.

#include "support/controls.h"
#include "support/simline.h"
#include "support/testmain.h"

#include <cameralink.h>
#include <cameramodes.h>
#include <commandgroups.h>
#include <frmmain.h>
#include <restrictions.h>

#include <QAbstractSpinBox>
#include <QComboBox>
#include <QMainWindow>
#include <QScrollBar>
#include <QSet>
#include <QtTest>

namespace {

// Widgets a user operates; the editors inside spin boxes and combo boxes
// belong to their owner.
bool isInteractive(const QWidget *w)
{
    if (w->objectName().startsWith(QLatin1String("qt_")) || qobject_cast<const QScrollBar *>(w))
        return false;
    if (qobject_cast<const QAbstractSpinBox *>(w->parentWidget()) ||
        qobject_cast<const QComboBox *>(w->parentWidget()))
        return false;
    return qobject_cast<const QAbstractButton *>(w) || qobject_cast<const QAbstractSlider *>(w) ||
           qobject_cast<const QAbstractSpinBox *>(w) || qobject_cast<const QLineEdit *>(w) ||
           qobject_cast<const QPlainTextEdit *>(w) || qobject_cast<const QComboBox *>(w);
}

} // namespace

class TestFrmMainForm : public QObject {
    Q_OBJECT

    // One window as built serves every check: none of them changes it.
    SimLine line{1, {0x30}};
    zam::CameraLink link{line.port, line.clock};
    zam::FrmMain window{link, zam::PortSettings{QStringLiteral("sim:"), 9600}};
    zam::CommandGroups groups{window};

    QList<QWidget *> interactive() const
    {
        QList<QWidget *> out;
        // The dialogs the window parents (FrmD_Effect, FrmCamID) are windows
        // of their own.
        for (QWidget *w : window.findChildren<QWidget *>())
            if (w->window() == &window && isInteractive(w))
                out << w;
        return out;
    }

private slots:
    // Every control the mode and restriction tables name is exactly one
    // control of the main window, and a mode item reads as the row's caption
    // (zam-ctl shows that caption): a renamed control or item would
    // otherwise be skipped without a word.
    void tableNamesBindToOneControl()
    {
        QStringList names;
        for (auto family : {zam::ModeFamily::Ae, zam::ModeFamily::WhiteBalance,
                            zam::ModeFamily::PictureEffect, zam::ModeFamily::Sync}) {
            for (const zam::ModeRow &row : zam::modeRows(family)) {
                QAction *item = zam::control<QAction>(window, row.item);
                QCOMPARE(item->text().replace(QLatin1String("&&"), QLatin1String("&")),
                         QLatin1String(row.caption));
                names << QLatin1String(row.item);
                for (const char *name : row.enables)
                    names << QLatin1String(name);
            }
        }
        for (const zam::RestrictionRow &row : zam::restrictionTable())
            if (row.window == zam::RestrictedWindow::Main)
                for (const char *name : row.controls)
                    names << QLatin1String(name);
        for (const QString &name : names) {
            int found = 0;
            for (QObject *o : window.findChildren<QObject *>(name)) {
                const auto *w = qobject_cast<QWidget *>(o);
                found += qobject_cast<QAction *>(o) || qobject_cast<QMenu *>(o) ||
                         (w && w->window() == &window);
            }
            QVERIFY2(found == 1, qPrintable(name));
        }
    }

    // One stray keystroke must not switch a camera off: the Power entry is
    // reached through its menu only.
    void powerHasNoShortcut()
    {
        QVERIFY(zam::control<QAction>(window, "Power")->shortcut().isEmpty());
        QVERIFY(zam::control<QAction>(window, "Power")->isVisible() &&
                zam::control<QAction>(window, "Power")->isEnabled());
    }

    // Press and release of a hold button each send exactly one packet.
    void holdButtonsDoNotRepeat()
    {
        const QList<QToolButton *> buttons = window.findChildren<QToolButton *>();
        QVERIFY(buttons.size() >= 26);
        for (QToolButton *b : buttons)
            QVERIFY2(!b->autoRepeat(), qPrintable(b->objectName()));
    }

    // Controls sharing a caption ("On", "Reset", "SET" ...) must still be
    // told apart, by a screen reader and by a tool tip.
    void controlsSharingACaptionAreToldApart()
    {
        const QList<QWidget *> controls = interactive();
        QVERIFY(controls.size() > 100);
        QHash<QString, QString> seen;
        for (QWidget *w : controls) {
            const QString acc = w->accessibleName().trimmed();
            QVERIFY2(!w->toolTip().trimmed().isEmpty(), qPrintable(w->objectName()));
            QVERIFY2(!seen.contains(acc),
                     qPrintable(acc + ": " + w->objectName() + " and " + seen.value(acc)));
            seen.insert(acc, w->objectName());
        }
    }

    void everyControlIsInTheTabChain()
    {
        QSet<QWidget *> chain;
        for (QWidget *w = window.nextInFocusChain(); w && w != &window; w = w->nextInFocusChain())
            chain.insert(w);
        for (QWidget *c : interactive()) {
            QVERIFY2(c->focusPolicy() & Qt::TabFocus, qPrintable(c->objectName()));
            QVERIFY2(chain.contains(c), qPrintable(c->objectName()));
        }
    }
};

ZAM_TEST_MAIN(TestFrmMainForm)
#include "test_frmmain_form.moc"
