// Rules over every control of the main window as built, before start-up: no
// shortcut switches a camera off, hold buttons send one packet per press, and
// every control a user operates is named for assistive technology and
// reachable with the Tab key.

#include "support/controls.h"
#include "support/simline.h"

#include <cameralink.h>
#include <frmmain.h>

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

    QList<QWidget *> interactive() const
    {
        QList<QWidget *> out;
        for (QWidget *w : window.findChildren<QWidget *>())
            if (isInteractive(w))
                out << w;
        return out;
    }

private slots:
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

QTEST_MAIN(TestFrmMainForm)
#include "test_frmmain_form.moc"
