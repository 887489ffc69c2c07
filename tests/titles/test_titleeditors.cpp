// The title editors and the clock dialog on a simulated chain: what they send,
// what the cameras keep, and how the keyboard editor pauses and hands back
// auto refresh.

#include "support/caughtmessages.h"
#include "support/controls.h"
#include "support/linkrig.h"
#include "support/testmain.h"
#include <digitspinbox.h>
#include <titleglyphs.h>

#include <QSignalSpy>
#include <QTest>
#include <frmsetdate.h>
#include <frmtitle_k.h>
#include <frmtitle_m.h>
#include <titlecode.h>
#include <titleeditors.h>

using namespace zam;

namespace {

struct Rig : LinkRig {
    Rig()
    {
        for (auto &row : titleBuffer)
            row.fill(titles::kBlank);
        QObject::connect(&link, &CameraLink::packetWritten, [this] { sentAt << clock.nowMs(); });
    }
    QList<std::int64_t> sentAt; // fake time at every packet that went out
    titles::TitleBuffer titleBuffer{};
    bool mdActive = false; // motion detection runs
    std::function<bool()> md = [this] { return mdActive; };
    sim::TitleState &camera(int address = 1) { return chain.camera(address).titles(); }
};

// The 20 codes of a line (an editor's row or what a camera keeps).
template <std::size_t N> QByteArray codesOf(const std::array<std::uint8_t, N> &r)
{
    return QByteArray(reinterpret_cast<const char *>(r.data()), titles::kLineLength);
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
        FrmTitle_M m(rig.link, rig.titleBuffer, rig.md);
        m.show();
        const QObject &ui = m;
        QTest::mouseClick(control<zam::TitleCell>(ui, "Char_0"), Qt::LeftButton);
        QTest::keyClicks(control<zam::TitleCell>(ui, "Char_0"),
                         QStringLiteral("AB#C")); // # is not in the camera's set
        QCOMPARE(codesOf(m.row()).left(4), QByteArray::fromHex("0001021B"));
        QCOMPARE(m.cursor(), 3);
        QVERIFY(control<zam::TitleCell>(ui, "Char_3")->atCursor() &&
                !control<zam::TitleCell>(ui, "Char_2")->atCursor());

        QTest::keyClick(control<zam::TitleCell>(ui, "Char_3"), Qt::Key_Left);
        QTest::keyClick(control<zam::TitleCell>(ui, "Char_2"), Qt::Key_Backspace); // removes B
        QCOMPARE(codesOf(m.row()).left(3), QByteArray::fromHex("00021B"));
        QCOMPARE(m.cursor(), 1);
        QTest::keyClick(control<zam::TitleCell>(ui, "Char_1"), Qt::Key_Delete); // removes C
        QCOMPARE(codesOf(m.row()).left(2), QByteArray::fromHex("001B"));
        QTest::mouseClick(control<zam::TitleCell>(ui, "Char_19"), Qt::LeftButton);
        QCOMPARE(m.cursor(), 19);
        control<QPushButton>(ui, "Right")->click();
        QCOMPARE(m.cursor(), 19);
        QVERIFY(rig.sent().isEmpty()); // editing sends nothing
    }

    void chartClickInsertsAtTheCursor()
    {
        Rig rig;
        FrmTitle_M m(rig.link, rig.titleBuffer, rig.md);
        m.show();
        auto *chart = control<zam::TitleChart>(m, "Picture1");
        QTest::mouseClick(chart, Qt::LeftButton, {}, QPoint(30, 60));
        QTest::mouseClick(chart, Qt::LeftButton, {}, QPoint(399, 124));
        QCOMPARE(codesOf(m.row()).left(3), QByteArray::fromHex("214F1B"));
        QCOMPARE(m.cursor(), 2);
        // Keyboard use of the chart: arrows choose, Enter inserts.
        chart->setFocus();
        for (Qt::Key key : {Qt::Key_Home, Qt::Key_Down, Qt::Key_Right, Qt::Key_Return})
            QTest::keyClick(chart, key);
        QCOMPARE(m.row()[2], std::uint8_t(0x11));
    }

    void okSendsTheLineWithPauses()
    {
        Rig rig;
        rig.link.state().CameraAddress = 2;
        FrmTitle_M m(rig.link, rig.titleBuffer, rig.md);
        const QObject &ui = m;
        int cursor = 0;
        for (QChar c : QStringLiteral("ABC"))
            titles::InsertChar(m.row(), cursor, titles::Conv(c));
        play(&m, "VerPos=3 HoliPos=5");
        control<QComboBox>(ui, "ColorSel")->setCurrentText(QStringLiteral("Red"));
        control<QComboBox>(ui, "BlinkSel")->setCurrentText(QStringLiteral("Blink"));
        const auto before = rig.clock.nowMs();
        control<QPushButton>(ui, "OK")->click();
        const auto &at = rig.sentAt;
        QCOMPARE(at.size(), 3);
        QVERIFY(at[1] - at[0] >= 500 && at[2] - at[1] >= 500);
        QCOMPARE(hexList(rig.sent()), QStringList({"820104731300050301000000000000FF",
                                                   "82010473230001021B1B1B1B1B1B1BFF",
                                                   "82010473331B1B1B1B1B1B1B1B1B1BFF"}));
        const auto paused = rig.clock.nowMs() - before;
        QVERIFY2(paused >= 1500 && paused < 2000, qPrintable(QString::number(paused)));
        // Each camera keeps its own line in the buffer.
        QCOMPARE(codesOf(rig.titleBuffer[1]), QByteArray(20, '\x1B'));
    }

    // In both editors "Clear" clears the camera's title and the title
    // display box sends on a change only. The chart editor blanks its row;
    // the keyboard editor empties its text but keeps the settings.
    void clearAndTitleDisplay()
    {
        Rig rig;
        FrmTitle_M m(rig.link, rig.titleBuffer, rig.md);
        FrmTitle_K k(rig.link, rig.md);
        QSignalSpy display(&m, &FrmTitle_M::titleDisplayChanged);
        int cursor = 0;
        titles::InsertChar(m.row(), cursor, 0x05);
        play(&m, "Clear Check1");
        m.setCheck1(true);
        m.setCheck1(false);
        play(&k, "Text1=ABC VPos=7 Combo1=5 Clear Check1 Check1");
        k.setCheck1(false);
        QCOMPARE(hexList(rig.sent()),
                 QStringList({"810104741FFF", "810104742FFF", "810104743FFF", "810104741FFF",
                              "810104742FFF", "810104743FFF"}));
        QCOMPARE(codesOf(m.row()), QByteArray(20, '\x1B'));
        QCOMPARE(display.count(), 2);
        QCOMPARE(display.at(0).at(0).toBool(), true);
        QVERIFY(control<QLineEdit>(k, "Text1")->text().isEmpty());
        QCOMPARE(control<QSpinBox>(k, "VPos")->value(), 7);
        QCOMPARE(control<QComboBox>(k, "Combo1")->currentData().toInt(), 5);
    }

    // ---- keyboard editor

    void keyboardOk_data()
    {
        QTest::addColumn<QString>("typed");
        QTest::newRow("accented and currency") << "az\\<";
        QTest::newRow("exactly twenty") << "ABCDEFGHIJ0123456789";
        QTest::newRow("empty") << "";
    }
    void keyboardOk()
    {
        QFETCH(QString, typed);
        const QString padded = typed.leftJustified(20); // as the box shows it after OK
        Rig rig;
        FrmTitle_K k(rig.link, rig.md);
        const QObject &ui = k;
        QTest::keyClicks(control<QLineEdit>(ui, "Text1"), typed);
        play(&k, "VPos=1 HPos=3");
        control<QComboBox>(ui, "Combo1")->setCurrentText(QStringLiteral("Red"));
        control<QComboBox>(ui, "Combo2")->setCurrentText(QStringLiteral("Blink"));
        const auto before = rig.clock.nowMs();
        control<QPushButton>(ui, "OK")->click();
        const auto paused = rig.clock.nowMs() - before;
        QVERIFY2(paused >= 500 && paused < 1000, qPrintable(QString::number(paused)));
        // Attributes and first half back to back, the pause before the second half.
        const auto &at = rig.sentAt;
        QCOMPARE(at.size(), 3);
        QVERIFY(at[1] == at[0] && at[2] - at[1] >= 500);
        QCOMPARE(control<QLineEdit>(ui, "Text1")->text(), padded);
        const auto &sent = rig.sent();
        QCOMPARE(sent[0], QByteArray::fromHex("810104731100030301000000000000FF"));
        QCOMPARE(sent[1], QByteArray::fromHex("8101047321") + codesOf(padded.left(10)) + '\xFF');
        QCOMPARE(sent[2], QByteArray::fromHex("8101047331") + codesOf(padded.mid(10)) + '\xFF');
    }

    void keyboardRefusesCharactersTheCameraLacks()
    {
        Rig rig;
        FrmTitle_K k(rig.link, rig.md);
        CaughtMessages warnings;
        QTest::keyClicks(control<QLineEdit>(k, "Text1"), QStringLiteral("A#B~C"));
        QCOMPARE(control<QLineEdit>(k, "Text1")->text(), QStringLiteral("ABC"));
        control<QLineEdit>(k, "Text1")
            ->setText(QStringLiteral("A%B")); // pasted or set past the key filter
        control<QPushButton>(k, "OK")->click();
        QVERIFY(rig.sent().isEmpty());
        QCOMPARE(warnings.size(), 1);
        QVERIFY(warnings.texts()[0].contains(u'%')); // names the character
    }

    void keyboardRefreshHandBack_data()
    {
        QTest::addColumn<bool>("autoOn");
        QTest::addColumn<bool>("mdActive");
        QTest::addColumn<int>("how"); // 0 Cancel, 1 Escape, 2 close box
        QTest::newRow("auto refresh on") << true << false << 0;
        QTest::newRow("auto on, closed with Escape") << true << false << 1;
        QTest::newRow("auto on, close box") << true << false << 2;
        QTest::newRow("auto on, motion detection active") << true << true << 0;
        QTest::newRow("auto refresh off") << false << false << 0;
    }
    void keyboardRefreshHandBack()
    {
        QFETCH(bool, autoOn);
        QFETCH(bool, mdActive);
        QFETCH(int, how);
        Rig rig;
        if (autoOn)
            rig.autoRefreshOn();
        rig.mdActive = mdActive;
        QPointer<FrmTitle_K> k = new FrmTitle_K(rig.link, rig.md);
        k->show();
        QVERIFY(!rig.link.refresh().timerEnabled() && !rig.link.refresh().buttonEnabled());
        if (how == 0)
            control<QPushButton>(*k, "Cancel")->click();
        else if (how == 1)
            QTest::keyClick(k, Qt::Key_Escape);
        else
            k->close();
        QCoreApplication::sendPostedEvents(nullptr, QEvent::DeferredDelete);
        QVERIFY(k.isNull()); // unloaded
        // Resumed under "Auto", but not while motion detection runs.
        const bool resumed = autoOn && !mdActive;
        QCOMPARE(rig.link.refresh().timerEnabled(), resumed);
        QCOMPARE(rig.link.refresh().captionIsAuto(), resumed);
        QVERIFY(rig.link.refresh().buttonEnabled());
        QVERIFY(rig.link.refresh().refreshOnceEnabled() || resumed);
    }

    // ---- both editors as the main window uses them

    void switchingBetweenEditors()
    {
        Rig rig;
        rig.autoRefreshOn();
        bool titleOnOff = false;
        TitleEditors editors(
            rig.link, rig.titleBuffer, rig.md, nullptr, [&] { return titleOnOff; },
            [&](bool on) { titleOnOff = on; });
        editors.openFromMenu();
        FrmTitle_M *m = editors.mouseEditor();
        QVERIFY(m->isVisible());
        QVERIFY(!editors.existingKeyboardEditor());

        control<QPushButton>(*m, "Keyboard")->click();
        QPointer<FrmTitle_K> k = editors.existingKeyboardEditor();
        QVERIFY(k && k->isVisible() && !m->isVisible());
        QVERIFY(!rig.link.refresh().timerEnabled());

        k->move(120, 80);
        const QPoint kPos = k->pos();
        control<QPushButton>(*k, "Mouse")->click();
        QCoreApplication::sendPostedEvents(nullptr, QEvent::DeferredDelete);
        QVERIFY(k.isNull() && m->isVisible());
        QCOMPARE(m->pos(), kPos);
        // The chart editor is shown: refresh stays stopped until it is closed.
        QVERIFY(!rig.link.refresh().timerEnabled() && rig.link.refresh().buttonEnabled());
        control<QPushButton>(*m, "Cancel")->click();
        QVERIFY(rig.link.refresh().timerEnabled());
        QVERIFY(rig.sent().isEmpty()); // title display off: the keyboard editor loads silently
    }

    void titleOnOffReachesBothEditors()
    {
        Rig rig;
        rig.autoRefreshOn();
        bool titleOnOff = false;
        TitleEditors editors(
            rig.link, rig.titleBuffer, rig.md, nullptr, [&] { return titleOnOff; },
            [&](bool on) { titleOnOff = on; });
        // The menu item has inverted its mark; neither editor exists yet. Both
        // load with the mark and send it (the menu's own test checks the boxes
        // and that the hidden keyboard editor holds no refresh).
        titleOnOff = true;
        editors.setCheck1(true);
        QCOMPARE(hexList(rig.sent()), QStringList({"810104742FFF", "810104742FFF"}));

        // The chart editor's box: the menu mark and the keyboard editor follow.
        rig.clearSent();
        control<QCheckBox>(*editors.mouseEditor(), "Check1")->click();
        QVERIFY(!titleOnOff);
        QVERIFY(!control<QCheckBox>(*editors.existingKeyboardEditor(), "Check1")->isChecked());
        QCOMPARE(hexList(rig.sent()), QStringList({"810104743FFF", "810104743FFF"}));
    }

    // ---- clock dialog

    // Filled from the clock it is given; Cancel sends nothing and keeps the
    // values for the next opening; OK hides the window, then sends.
    void clockDialog()
    {
        Rig rig;
        FrmSetDate d(rig.link, QDateTime(QDate(2026, 10, 5), QTime(7, 8, 56)));
        const QObject &ui = d;
        const auto box = [&ui](const char *name) { return control<zam::DigitSpinBox>(ui, name); };
        QCOMPARE(box("Year")->text() + box("Month")->text() + box("Day")->text() +
                     box("Hour")->text() + box("Minute")->text(),
                 QStringLiteral("2610050708"));
        d.openFromMenu();
        box("Month")->stepBy(-1);
        box("Year")->selectAll();
        QTest::keyClicks(box("Year"), QStringLiteral("2031")); // a year of four digits
        control<QPushButton>(ui, "Cancel")->click();
        QVERIFY(rig.sent().isEmpty());
        QVERIFY(!d.isVisible());
        d.openFromMenu();
        QCOMPARE(box("Month")->value(), 9);
        bool visibleWhenSent = true;
        connect(&rig.link, &CameraLink::packetWritten, &d,
                [&] { visibleWhenSent = d.isVisible(); });
        control<QPushButton>(ui, "OK")->click();
        QVERIFY(!visibleWhenSent);
        QCOMPARE(hexList(rig.sent()), QStringList({"8101047003010009000500070008FF"}));
    }
};

ZAM_TEST_MAIN(TestTitleEditors)
#include "test_titleeditors.moc"
