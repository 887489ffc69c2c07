// The panel from the keyboard: hold-to-move with Space and Enter (the ways a
// keyboard hold ends early are test_holdstops' part), and shortcuts on the
// busiest entries.

#include "support/controls.h"
#include "support/panelrig.h"
#include "support/testmain.h"

#include <QKeyEvent>

using namespace zam;

namespace {

void sendKey(QWidget *w, QEvent::Type type, int k, bool autoRepeat = false)
{
    QKeyEvent e(type, k, Qt::NoModifier, QString(), autoRepeat);
    QApplication::sendEvent(w, &e);
}

} // namespace

class TestKeyboard : public QObject {
    Q_OBJECT
private Q_SLOTS:
    void holdWithKeys_data()
    {
        QTest::addColumn<QString>("button");
        QTest::addColumn<int>("key");
        QTest::addColumn<QByteArray>("move");
        QTest::addColumn<QByteArray>("stop");
        QTest::newRow("zoom tele, Space") << "ZoomTele" << int(Qt::Key_Space)
                                          << hexBytes("8101040724FF") << hexBytes("8101040700FF");
        QTest::newRow("zoom wide, Enter") << "ZoomWide" << int(Qt::Key_Return)
                                          << hexBytes("8101040734FF") << hexBytes("8101040700FF");
    }
    void holdWithKeys()
    {
        QFETCH(QString, button);
        QFETCH(int, key);
        QFETCH(QByteArray, move);
        QFETCH(QByteArray, stop);
        PanelRig rig(1);
        QVERIFY(rig.start());
        auto *b = rig.window.findChild<QAbstractButton *>(button);
        QVERIFY(b);
        sendKey(b, QEvent::KeyPress, key);
        sendKey(b, QEvent::KeyPress, key, true); // auto-repeat while held sends nothing more
        sendKey(b, QEvent::KeyPress, key, true);
        sendKey(b, QEvent::KeyRelease, key, true);
        sendKey(b, QEvent::KeyRelease, key);
        QCOMPARE(rig.sent(), (QList<QByteArray>{move, stop}));
    }

    void shortcutsInMenus()
    {
        PanelRig rig(1);
        const QObject &ui = rig.window;
        QCOMPARE(control<QAction>(ui, "Quit")->shortcut(), QKeySequence(QStringLiteral("Ctrl+Q")));
        QCOMPARE(control<QAction>(ui, "CameraSel_2")->shortcut(),
                 QKeySequence(QStringLiteral("Ctrl+2")));
        QCOMPARE(control<QAction>(ui, "DataScreen")->shortcut(),
                 QKeySequence(QStringLiteral("Ctrl+D")));
        QCOMPARE(control<QPushButton>(ui, "Refreshonce")->shortcut(), QKeySequence(Qt::Key_F5));
        // The auto-refresh button keeps its shortcut through caption changes.
        control<QPushButton>(ui, "AutoRefreshed")->click();
        QCOMPARE(control<QPushButton>(ui, "AutoRefreshed")->text(), QStringLiteral("Auto"));
        QCOMPARE(control<QPushButton>(ui, "AutoRefreshed")->shortcut(), QKeySequence(Qt::Key_F6));
        // No two entries share a shortcut.
        QSet<QString> seen;
        for (QAction *a : rig.window.findChildren<QAction *>()) {
            if (a->shortcut().isEmpty())
                continue;
            QVERIFY2(!seen.contains(a->shortcut().toString()), qPrintable(a->objectName()));
            seen.insert(a->shortcut().toString());
        }
    }
};

ZAM_TEST_MAIN(TestKeyboard)
#include "test_keyboard.moc"
