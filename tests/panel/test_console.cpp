// The direct command console: what the box keeps of typed and pasted text,
// and how a packet leaves on Enter.

#include "support/controls.h"
#include "support/scriptedrig.h"
#include "support/testmain.h"

#include <QClipboard>
#include <QGuiApplication>
#include <console.h>
#include <directcommand.h>

using namespace zam;

class TestConsole : public QObject {
    Q_OBJECT
private Q_SLOTS:
    void typing_data()
    {
        QTest::addColumn<QString>("typed");
        QTest::addColumn<QString>("kept");
        QTest::newRow("lower case made capitals") << "8101040702ff"
                                                  << "8101040702FF";
        QTest::newRow("g and blanks dropped") << "8g 1"
                                              << "81";
        QTest::newRow("every other character dropped") << "x-Z:0.9/aF"
                                                       << "09AF";
    }
    void typing()
    {
        QFETCH(QString, typed);
        QFETCH(QString, kept);
        ScriptedRig rig;
        QLineEdit *box = control<QLineEdit>(rig.window, "DirectText");
        QTest::keyClicks(box, typed);
        QCOMPARE(box->text(), kept);
        QTest::keyClick(box, Qt::Key_Backspace);
        QCOMPARE(box->text(), kept.chopped(1));
    }

    // Pasted text goes through the same filter, at the caret.
    void pasting()
    {
        ScriptedRig rig;
        QLineEdit *box = control<QLineEdit>(rig.window, "DirectText");
        QTest::keyClicks(box, "81FF");
        box->setCursorPosition(2);
        QGuiApplication::clipboard()->setText(QStringLiteral("01 04-07\t02 zz"));
        if (QGuiApplication::clipboard()->text() != QStringLiteral("01 04-07\t02 zz"))
            QSKIP("no clipboard on this platform");
        box->paste();
        QCOMPARE(box->text(), QStringLiteral("8101040702FF"));
        QCOMPARE(box->cursorPosition(), 10);
    }

    // Enter sends the packet one byte per write and logs it with a blank
    // after each pair; the camera's replies come back through the receive
    // handler.
    void enterSendsBytewise()
    {
        ScriptedRig rig;
        QVERIFY(rig.start());
        rig.link.clearLogs();
        rig.link.state().LogTraffic = false;
        QLineEdit *box = control<QLineEdit>(rig.window, "DirectText");
        QTest::keyClicks(box, "8101040702ff");
        QTest::keyClick(box, Qt::Key_Return);

        QCOMPARE(rig.port.written(),
                 (QList<QByteArray>{"\x81", "\x01", "\x04", "\x07", "\x02", "\xFF"}));
        QCOMPARE(rig.link.SendText().text(), QStringLiteral("81 01 04 07 02 FF \r\n"));
        QVERIFY(box->text().isEmpty());
        QVERIFY(rig.link.state().LogTraffic);
        QCOMPARE(rig.link.receiveThreshold(), 1);
        QCoreApplication::processEvents();
        QCOMPARE(rig.link.RecvText().text(), QStringLiteral("90 41 FF \r\n90 51 FF \r\n"));
    }

    void oddLengthStays()
    {
        ScriptedRig rig;
        QVERIFY(rig.start());
        QLineEdit *box = control<QLineEdit>(rig.window, "DirectText");
        QTest::keyClicks(box, "81010");
        QTest::keyClick(box, Qt::Key_Enter);
        QVERIFY(rig.port.written().isEmpty());
        QCOMPARE(box->text(), QStringLiteral("81010"));
    }

    // An empty box still switches the line to logged, classified replies, but
    // writes nothing; with nothing to answer, a running refresh runs on.
    void emptyEnter()
    {
        ScriptedRig rig;
        QVERIFY(rig.start());
        control<QPushButton>(rig.window, "AutoRefreshed")->click();
        rig.link.clearLogs();
        rig.link.state().LogTraffic = false;
        rig.link.setReceiveThreshold(0);
        QTest::keyClick(control<QLineEdit>(rig.window, "DirectText"), Qt::Key_Return);
        QVERIFY(rig.port.written().isEmpty());
        QCOMPARE(rig.link.SendText().text(), QStringLiteral("\r\n"));
        QVERIFY(rig.link.state().LogTraffic);
        QCOMPARE(rig.link.receiveThreshold(), 1);
        QVERIFY(rig.link.refresh().timerEnabled());
        QVERIFY(control<QPushButton>(rig.window, "AutoRefreshed")->isEnabled());
    }

    // The byte count rule: L / 2 bytes for an even length L; odd lengths
    // (never sent from the box, but the rule covers them) round half to even.
    // Characters that are no hexadecimal digit count as 0.
    void splitting_data()
    {
        QTest::addColumn<QString>("text");
        QTest::addColumn<QByteArray>("bytes");
        QTest::newRow("empty") << "" << QByteArray();
        QTest::newRow("packet") << "8101040702FF" << QByteArray::fromHex("8101040702FF");
        QTest::newRow("lower case") << "ff0a" << QByteArray::fromHex("FF0A");
        QTest::newRow("not hexadecimal") << "8G Z" << QByteArray::fromHex("8000");
        QTest::newRow("1 character") << "8" << QByteArray::fromHex("80");
        QTest::newRow("3 characters") << "810" << QByteArray::fromHex("81");
        QTest::newRow("5 characters") << "81010" << QByteArray::fromHex("810100");
        QTest::newRow("7 characters") << "8101040" << QByteArray::fromHex("810104");
    }
    void splitting()
    {
        QFETCH(QString, text);
        QFETCH(QByteArray, bytes);
        QCOMPARE(directCommandBytes(text), bytes);
    }
};

ZAM_TEST_MAIN(TestConsole)
#include "test_console.moc"
