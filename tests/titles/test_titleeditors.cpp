// The title editors and the clock dialog on a simulated chain: what they send,
// what the cameras keep, and how the keyboard editor pauses and hands back
// auto refresh.

#include "support/linkrig.h"

#include "ui_frmsetdate.h"
#include "ui_frmtitle_k.h"
#include "ui_frmtitle_m.h"

#include <QApplication>
#include <QSignalSpy>
#include <QTest>
#include <frmsetdate.h>
#include <frmtitle_k.h>
#include <frmtitle_m.h>
#include <titlecode.h>
#include <titleeditors.h>
#include <titleglyphs.h>

using namespace zam;

namespace {

struct Rig : LinkRig {
    Rig()
    {
        for (auto &row : link.state().TitleBuffer)
            row.fill(titles::kBlank);
    }
    sim::TitleState &camera(int address = 1) { return chain.camera(address).titles(); }
    // Auto refresh switched on by the operator.
    void autoRefreshOn()
    {
        link.refresh().setCaptionAuto(true);
        link.refresh().setRefreshOnceEnabled(false);
        link.refresh().setTimerEnabled(true);
    }
};

QByteArray codesOf(const titles::TitleRow &r)
{
    return QByteArray(reinterpret_cast<const char *>(r.data()), titles::kLineLength);
}

QByteArray codesOf(const std::array<std::uint8_t, 20> &r)
{
    return QByteArray(reinterpret_cast<const char *>(r.data()), 20);
}

QByteArray codesOf(const QString &text)
{
    QByteArray b;
    for (QChar c : text)
        b.append(char(titles::Conv(c)));
    return b;
}

QStringList hexList(const QList<QByteArray> &packets)
{
    QStringList out;
    for (const QByteArray &p : packets)
        out << QString::fromLatin1(p.toHex().toUpper());
    return out;
}

} // namespace

class TestTitleEditors : public QObject {
    Q_OBJECT
private Q_SLOTS:
    // ---- chart editor

    void typingIntoTheCells()
    {
        Rig rig;
        FrmTitle_M m(rig.link);
        m.show();
        auto *ui = m.ui();
        QTest::mouseClick(ui->Char_0, Qt::LeftButton);
        QTest::keyClicks(ui->Char_0, QStringLiteral("AB#C")); // # is not in the camera's set
        QCOMPARE(codesOf(m.row()).left(4), QByteArray::fromHex("0001021B"));
        QCOMPARE(m.cursor(), 3);
        QVERIFY(ui->Char_3->atCursor());
        QVERIFY(!ui->Char_2->atCursor());
        QCOMPARE(ui->Char_1->code(), std::uint8_t(0x01));

        QTest::keyClick(ui->Char_3, Qt::Key_Left);
        QTest::keyClick(ui->Char_2, Qt::Key_Backspace); // removes B
        QCOMPARE(codesOf(m.row()).left(3), QByteArray::fromHex("00021B"));
        QCOMPARE(m.cursor(), 1);
        QTest::keyClick(ui->Char_1, Qt::Key_Delete); // removes C
        QCOMPARE(codesOf(m.row()).left(2), QByteArray::fromHex("001B"));
        QTest::mouseClick(ui->Char_19, Qt::LeftButton);
        QCOMPARE(m.cursor(), 19);
        ui->Right->click();
        QCOMPARE(m.cursor(), 19);
        QVERIFY(rig.sent().isEmpty()); // editing sends nothing
    }

    void chartClickInsertsAtTheCursor()
    {
        Rig rig;
        FrmTitle_M m(rig.link);
        m.show();
        QTest::mouseClick(m.ui()->Picture1, Qt::LeftButton, {}, QPoint(30, 60));
        QTest::mouseClick(m.ui()->Picture1, Qt::LeftButton, {}, QPoint(399, 124));
        QCOMPARE(codesOf(m.row()).left(3), QByteArray::fromHex("214F1B"));
        QCOMPARE(m.cursor(), 2);
        // Keyboard use of the chart: arrows choose, Enter inserts.
        m.ui()->Picture1->setFocus();
        QTest::keyClick(m.ui()->Picture1, Qt::Key_Home);
        QTest::keyClick(m.ui()->Picture1, Qt::Key_Down);
        QTest::keyClick(m.ui()->Picture1, Qt::Key_Right);
        QTest::keyClick(m.ui()->Picture1, Qt::Key_Return);
        QCOMPARE(m.row()[2], std::uint8_t(0x11));
    }

    void okSendsTheLineWithPauses()
    {
        Rig rig;
        rig.link.state().CameraAddress = 2;
        FrmTitle_M m(rig.link);
        auto *ui = m.ui();
        int cursor = 0;
        for (QChar c : QStringLiteral("ABC"))
            titles::InsertChar(m.row(), cursor, titles::Conv(c));
        ui->VerPos->setValue(3);
        ui->HoliPos->setValue(5);
        ui->ColorSel->setCurrentText(QStringLiteral("Red"));
        ui->BlinkSel->setCurrentText(QStringLiteral("Blink"));
        QList<std::int64_t> at; // when each packet left
        connect(&rig.link, &CameraLink::packetWritten, &m, [&] { at << rig.clock.nowMs(); });
        const auto before = rig.clock.nowMs();
        ui->OK->click();
        QCOMPARE(at.size(), 3);
        QVERIFY(at[1] - at[0] >= 500 && at[2] - at[1] >= 500);
        QCOMPARE(hexList(rig.sent()), QStringList({"820104731300050301000000000000FF",
                                                   "82010473230001021B1B1B1B1B1B1BFF",
                                                   "82010473331B1B1B1B1B1B1B1B1B1BFF"}));
        const auto paused = rig.clock.nowMs() - before;
        QVERIFY2(paused >= 1500 && paused < 2000, qPrintable(QString::number(paused)));
        rig.run(100);
        const sim::TitleLine &line = rig.camera(2).lines[3];
        QVERIFY(line.attributesSet);
        QCOMPARE(line.horizontal, 5);
        QCOMPARE(line.colour, 3);
        QCOMPARE(line.blink, 1);
        QCOMPARE(codesOf(line.codes), codesOf(m.row()));
        QVERIFY(!rig.camera(1).lines[3].attributesSet);
        // Each camera keeps its own line in the buffer.
        QCOMPARE(codesOf(rig.link.state().TitleBuffer[1]), QByteArray(20, '\x1B'));
    }

    void clearAndTitleDisplay()
    {
        Rig rig;
        FrmTitle_M m(rig.link);
        QSignalSpy display(&m, &FrmTitle_M::titleDisplayChanged);
        int cursor = 0;
        titles::InsertChar(m.row(), cursor, 0x05);
        m.ui()->Clear->click();
        QCOMPARE(hexList(rig.sent()), QStringList({"810104741FFF"}));
        QCOMPARE(codesOf(m.row()), QByteArray(20, '\x1B'));

        rig.clearSent();
        m.ui()->Check1->click();
        m.setCheck1(true); // no change: nothing more
        m.setCheck1(false);
        QCOMPARE(hexList(rig.sent()), QStringList({"810104742FFF", "810104743FFF"}));
        QCOMPARE(display.count(), 2);
        QCOMPARE(display.at(0).at(0).toBool(), true);
        rig.run(100);
        QCOMPARE(rig.camera().clears, 1);
        QVERIFY(!rig.camera().display);
    }

    void demonstrationTitle()
    {
        Rig rig;
        FrmTitle_M m(rig.link);
        m.ui()->VerPos->setValue(4);
        const QByteArray bufferBefore = codesOf(m.row());
        const auto before = rig.clock.nowMs();
        m.ui()->cmd_DOVA->click();
        const auto &sent = rig.sent();
        QCOMPARE(sent.size(), 23);
        QCOMPARE(sent[0].mid(0, 5), QByteArray::fromHex("8101047314"));
        for (int i = 0; i < 22; ++i) {
            const int half = i / 11, line = i % 11;
            QCOMPARE(sent[i + 1].size(), 16);
            QCOMPARE(int(std::uint8_t(sent[i + 1][4])), (half ? 0x30 : 0x20) + line);
        }
        QVERIFY(rig.clock.nowMs() - before >= 23 * 500);
        rig.run(200);
        for (int line = 0; line <= 10; ++line)
            QCOMPARE(codesOf(rig.camera().lines[std::size_t(line)].codes),
                     QByteArray(reinterpret_cast<const char *>(
                                    titles::demoTitle()[std::size_t(line)].data()),
                                20));
        QCOMPARE(codesOf(rig.camera().lines[10].codes).left(5), codesOf(QStringLiteral("DOVA ")));
        QCOMPARE(codesOf(m.row()), bufferBefore);
    }

    void cancelAndKeyboardHide()
    {
        Rig rig;
        FrmTitle_M m(rig.link);
        QSignalSpy keyboard(&m, &FrmTitle_M::keyboardRequested);
        m.openFromMenu();
        QTest::mouseClick(m.ui()->Char_4, Qt::LeftButton);
        QTest::keyClicks(m.ui()->Char_4, QStringLiteral("Z"));
        m.ui()->Cancel->click();
        QVERIFY(!m.isVisible());
        QCOMPARE(m.row()[4], std::uint8_t(0x19));
        m.openFromMenu();
        QCOMPARE(m.cursor(), 0); // the menu entry starts at the first cell
        QCOMPARE(m.row()[4], std::uint8_t(0x19));
        m.ui()->Keyboard->click();
        QVERIFY(!m.isVisible());
        QCOMPARE(keyboard.count(), 1);
    }

    // ---- keyboard editor

    void keyboardOk_data()
    {
        QTest::addColumn<QString>("typed");
        QTest::addColumn<QString>("padded");
        QTest::newRow("short") << "AB"
                               << "AB                  ";
        QTest::newRow("accented and currency") << "az\\<"
                                               << "az\\<                ";
        QTest::newRow("exactly twenty") << "ABCDEFGHIJ0123456789"
                                        << "ABCDEFGHIJ0123456789";
        QTest::newRow("empty") << ""
                               << "                    ";
    }
    void keyboardOk()
    {
        QFETCH(QString, typed);
        QFETCH(QString, padded);
        Rig rig;
        FrmTitle_K k(rig.link);
        auto *ui = k.ui();
        QTest::keyClicks(ui->Text1, typed);
        ui->VPos->setValue(1);
        ui->HPos->setValue(3);
        ui->Combo1->setCurrentText(QStringLiteral("Red"));
        ui->Combo2->setCurrentText(QStringLiteral("Blink"));
        QList<std::int64_t> at; // when each packet left
        connect(&rig.link, &CameraLink::packetWritten, &k, [&] { at << rig.clock.nowMs(); });
        const auto before = rig.clock.nowMs();
        ui->OK->click();
        const auto paused = rig.clock.nowMs() - before;
        QVERIFY2(paused >= 500 && paused < 1000, qPrintable(QString::number(paused)));
        // Attributes and first half back to back, the pause before the second half.
        QCOMPARE(at.size(), 3);
        QCOMPARE(at[1], at[0]);
        QVERIFY(at[2] - at[1] >= 500);
        QCOMPARE(ui->Text1->text(), padded);
        const auto &sent = rig.sent();
        QCOMPARE(sent.size(), 3);
        QCOMPARE(sent[0], QByteArray::fromHex("810104731100030301000000000000FF"));
        QCOMPARE(sent[1], QByteArray::fromHex("8101047321") + codesOf(padded.left(10)) + '\xFF');
        QCOMPARE(sent[2], QByteArray::fromHex("8101047331") + codesOf(padded.mid(10)) + '\xFF');
        rig.run(100);
        QCOMPARE(codesOf(rig.camera().lines[1].codes), codesOf(padded));
    }

    void keyboardRefusesCharactersTheCameraLacks()
    {
        Rig rig;
        FrmTitle_K k(rig.link);
        QStringList warnings;
        k.setMessageSink([&](const QString &, const QString &text) { warnings << text; });
        QTest::keyClicks(k.ui()->Text1, QStringLiteral("A#B~C"));
        QCOMPARE(k.ui()->Text1->text(), QStringLiteral("ABC"));
        k.ui()->Text1->setText(QStringLiteral("A%B")); // pasted or set past the key filter
        k.ui()->OK->click();
        QVERIFY(rig.sent().isEmpty());
        QCOMPARE(warnings.size(), 1);
        QVERIFY(warnings[0].contains(QStringLiteral("Title String")));
        QVERIFY(warnings[0].contains(u'%'));
    }

    void keyboardClearKeepsTheSettings()
    {
        Rig rig;
        FrmTitle_K k(rig.link);
        auto *ui = k.ui();
        ui->Text1->setText(QStringLiteral("ABC"));
        ui->VPos->setValue(7);
        ui->Combo1->setCurrentIndex(5);
        ui->Clear->click();
        QCOMPARE(hexList(rig.sent()), QStringList({"810104741FFF"}));
        QVERIFY(ui->Text1->text().isEmpty());
        QCOMPARE(ui->VPos->value(), 7);
        QCOMPARE(ui->Combo1->currentData().toInt(), 5);
    }

    void keyboardShowsTheCharacterList()
    {
        Rig rig;
        FrmTitle_K k(rig.link);
        const QStringList lines = k.ui()->Text3->toPlainText().split(u'\n', Qt::SkipEmptyParts);
        QCOMPARE(lines.size(), 10);
        QCOMPARE(lines[5],
                 QStringLiteral(
                     "[&]=[&]  [']=[']  [-]=[-]  [/]=[/]  [,]=[,]  [.]=[.]  [Y=]=[\\] [:]=[:]"));
        QVERIFY(k.ui()->Text3->isReadOnly());
    }

    // Loading follows the "Title On/Off" mark; created hidden it pauses nothing.
    void keyboardLoading_data()
    {
        QTest::addColumn<bool>("titleOn");
        QTest::addColumn<QStringList>("packets");
        QTest::newRow("title display on") << true << QStringList({"810104742FFF"});
        QTest::newRow("title display off") << false << QStringList();
    }
    void keyboardLoading()
    {
        QFETCH(bool, titleOn);
        QFETCH(QStringList, packets);
        Rig rig;
        rig.autoRefreshOn();
        FrmTitle_K k(rig.link, [=] { return titleOn; });
        QCOMPARE(k.ui()->Check1->isChecked(), titleOn);
        QCOMPARE(hexList(rig.sent()), packets);
        // Not shown: auto refresh goes on (SD pauses it only until the reply).
        rig.run(100);
        QVERIFY(rig.link.refresh().timerEnabled());
        QVERIFY(rig.link.refresh().buttonEnabled());
        QVERIFY(!k.holdsRefresh());
    }

    void keyboardCheckBox()
    {
        Rig rig;
        FrmTitle_K k(rig.link);
        k.ui()->Check1->click();
        k.ui()->Check1->click();
        k.setCheck1(false); // unchanged: nothing
        QCOMPARE(hexList(rig.sent()), QStringList({"810104742FFF", "810104743FFF"}));
    }

    void keyboardRefreshHandBack_data()
    {
        QTest::addColumn<bool>("autoOn");
        QTest::addColumn<bool>("mdActive");
        QTest::addColumn<bool>("timerAfter");
        QTest::addColumn<bool>("captionAutoAfter");
        QTest::addColumn<int>("how"); // 0 Cancel, 1 Escape, 2 close box
        QTest::newRow("auto refresh on") << true << false << true << true << 0;
        QTest::newRow("auto on, closed with Escape") << true << false << true << true << 1;
        QTest::newRow("auto on, close box") << true << false << true << true << 2;
        QTest::newRow("auto on, motion detection active") << true << true << false << false << 0;
        QTest::newRow("auto refresh off") << false << false << false << false << 0;
    }
    void keyboardRefreshHandBack()
    {
        QFETCH(bool, autoOn);
        QFETCH(bool, mdActive);
        QFETCH(bool, timerAfter);
        QFETCH(bool, captionAutoAfter);
        QFETCH(int, how);
        Rig rig;
        if (autoOn)
            rig.autoRefreshOn();
        rig.link.state().MDActive = mdActive;
        rig.link.state().RefreshAfterRecall = true;
        QPointer<FrmTitle_K> k = new FrmTitle_K(rig.link);
        k->show();
        QVERIFY(!rig.link.refresh().timerEnabled());
        QVERIFY(!rig.link.refresh().buttonEnabled());
        if (how == 0)
            k->ui()->Cancel->click();
        else if (how == 1)
            QTest::keyClick(k, Qt::Key_Escape);
        else
            k->close();
        QCoreApplication::sendPostedEvents(nullptr, QEvent::DeferredDelete);
        QVERIFY(k.isNull()); // unloaded
        QCOMPARE(rig.link.refresh().timerEnabled(), timerAfter);
        QCOMPARE(rig.link.refresh().captionIsAuto(), captionAutoAfter);
        QVERIFY(rig.link.refresh().buttonEnabled());
        QVERIFY(rig.link.refresh().refreshOnceEnabled() || captionAutoAfter);
        QVERIFY(!rig.link.state().RefreshAfterRecall);
    }

    // ---- both editors as the main window uses them

    void switchingBetweenEditors()
    {
        Rig rig;
        rig.autoRefreshOn();
        bool titleOnOff = false;
        TitleEditors editors(
            rig.link, nullptr, [&] { return titleOnOff; }, [&](bool on) { titleOnOff = on; });
        editors.openFromMenu();
        FrmTitle_M *m = editors.mouseEditor();
        QVERIFY(m->isVisible());
        QVERIFY(!editors.existingKeyboardEditor());

        m->ui()->Keyboard->click();
        QPointer<FrmTitle_K> k = editors.existingKeyboardEditor();
        QVERIFY(k && k->isVisible());
        QVERIFY(!m->isVisible());
        QVERIFY(!rig.link.refresh().timerEnabled());

        k->move(120, 80);
        const QPoint kPos = k->pos();
        k->ui()->Mouse->click();
        QCoreApplication::sendPostedEvents(nullptr, QEvent::DeferredDelete);
        QVERIFY(k.isNull());
        QVERIFY(m->isVisible());
        QCOMPARE(m->pos(), kPos);
        // The chart editor is shown: refresh stays stopped until it is closed.
        QVERIFY(!rig.link.refresh().timerEnabled());
        QVERIFY(rig.link.refresh().buttonEnabled());
        m->ui()->Cancel->click();
        QVERIFY(rig.link.refresh().timerEnabled());
        QVERIFY(rig.sent().isEmpty());
    }

    void titleOnOffReachesBothEditors()
    {
        Rig rig;
        rig.autoRefreshOn();
        bool titleOnOff = false;
        TitleEditors editors(
            rig.link, nullptr, [&] { return titleOnOff; }, [&](bool on) { titleOnOff = on; });
        // The menu item has inverted its mark; neither editor exists yet.
        titleOnOff = true;
        editors.setCheck1(true);
        QVERIFY(editors.mouseEditor()->ui()->Check1->isChecked());
        QVERIFY(editors.existingKeyboardEditor()->ui()->Check1->isChecked());
        QVERIFY(!editors.mouseEditor()->isVisible());
        QVERIFY(!editors.existingKeyboardEditor()->isVisible());
        QCOMPARE(hexList(rig.sent()), QStringList({"810104742FFF", "810104742FFF"}));
        rig.run(100);
        QVERIFY(rig.link.refresh().timerEnabled()); // created hidden: nothing paused
        QVERIFY(!editors.existingKeyboardEditor()->holdsRefresh());

        // The chart editor's box: the menu mark and the keyboard editor follow.
        rig.clearSent();
        editors.mouseEditor()->ui()->Check1->click();
        QVERIFY(!titleOnOff);
        QVERIFY(!editors.existingKeyboardEditor()->ui()->Check1->isChecked());
        QCOMPARE(hexList(rig.sent()), QStringList({"810104743FFF", "810104743FFF"}));
    }

    // ---- clock dialog

    void clockDialog()
    {
        Rig rig;
        FrmSetDate d(rig.link, QDateTime(QDate(2026, 12, 5), QTime(12, 34, 56)));
        auto *ui = d.ui();
        QCOMPARE(ui->Year->text(), QStringLiteral("26"));
        QCOMPARE(ui->Month->text(), QStringLiteral("12"));
        QCOMPARE(ui->Day->text(), QStringLiteral("05"));
        QCOMPARE(ui->Hour->text(), QStringLiteral("12"));
        QCOMPARE(ui->Minute->text(), QStringLiteral("34"));
        d.openFromMenu();
        bool visibleWhenSent = true;
        connect(&rig.link, &CameraLink::packetWritten, &d,
                [&] { visibleWhenSent = d.isVisible(); });
        ui->OK->click();
        QVERIFY(!visibleWhenSent); // hidden first, then sent
        QCOMPARE(hexList(rig.sent()), QStringList({"8101047002060102000501020304FF"}));
        rig.run(100);
        const sim::CameraClock &c = rig.camera().clock;
        QVERIFY(c.set);
        QCOMPARE(QList<int>({c.year, c.month, c.day, c.hour, c.minute}),
                 QList<int>({26, 12, 5, 12, 34}));
    }

    void clockDialogEditing()
    {
        Rig rig;
        FrmSetDate d(rig.link, QDateTime(QDate(2026, 10, 5), QTime(7, 8)));
        auto *ui = d.ui();
        d.show();
        ui->Month->stepBy(-1);
        QCOMPARE(ui->Month->value(), 9);
        ui->Year->selectAll();
        QTest::keyClicks(ui->Year, QStringLiteral("2031"));
        ui->Cancel->click();
        QVERIFY(rig.sent().isEmpty());
        QVERIFY(!d.isVisible());
        d.openFromMenu(); // values as left
        QCOMPARE(ui->Month->value(), 9);
        ui->OK->click();
        QCOMPARE(hexList(rig.sent()), QStringList({"8101047003010009000500070008FF"}));
    }
};

QTEST_MAIN(TestTitleEditors)
#include "test_titleeditors.moc"
