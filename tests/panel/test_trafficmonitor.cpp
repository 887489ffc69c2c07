// The traffic monitor on the whole panel: what it captures of a run (also the
// replies that reply waits take), its CSV, and its window's controls.

#include "support/controls.h"
#include "support/panelrig.h"
#include "support/testmain.h"

#include <QBuffer>
#include <QCheckBox>
#include <QComboBox>
#include <QHeaderView>
#include <QPainter>
#include <QPushButton>
#include <QScrollBar>
#include <QStandardItemModel>
#include <QTableView>
#include <QTemporaryDir>
#include <packetmeaning.h>
#include <trafficcells.h>
#include <trafficmodel.h>
#include <trafficmonitor.h>

using namespace zam;

namespace {

QStringList csvLines(const TrafficModel &m)
{
    QBuffer b;
    b.open(QIODevice::WriteOnly);
    writeTrafficCsv(m, b);
    QStringList lines = QString::fromUtf8(b.data()).split(QStringLiteral("\r\n"));
    lines.removeLast();
    return lines;
}

void feedReplies(TrafficModel &m, int n)
{
    for (int i = 0; i < n; ++i)
        m.capture(TrafficDirection::FromCamera, QByteArray::fromHex("9041FF"), i);
}

// One cell of text as the monitor's cells draw it, `width` pixels wide.
QImage drawnCell(const TrafficCells &cells, const QString &text, int width)
{
    QStandardItemModel model(1, 1);
    model.setData(model.index(0, 0), text);
    QImage image(width, 20, QImage::Format_ARGB32);
    image.fill(Qt::white);
    QPainter painter(&image);
    QStyleOptionViewItem option;
    option.rect = image.rect();
    option.state = QStyle::State_Enabled | QStyle::State_Active;
    option.font = QApplication::font();
    option.fontMetrics = QFontMetrics(option.font);
    option.palette = QApplication::palette();
    option.displayAlignment = Qt::AlignLeft | Qt::AlignVCenter;
    option.textElideMode = Qt::ElideRight;
    cells.paint(&painter, option, model.index(0, 0));
    return image;
}

} // namespace

class TestTrafficMonitor : public QObject {
    Q_OBJECT
private Q_SLOTS:
    // "Tools" -> "Traffic Monitor..." opens one window beside the main
    // window, already holding the start-up exchange, named packet by packet.
    // Start-up's reply waits took the interface clear echo, the address set
    // reply and the version reply: the reply log never shows them, the
    // monitor does, each paired with its command.
    void openedFromTheToolsMenuShowsWhatWaitsTake()
    {
        PanelRig rig(2);
        QVERIFY(rig.start());
        QAction *item = control<QAction>(rig.window, "ToolsTrafficMonitor");
        QCOMPARE(item->text(), QStringLiteral("Traffic Monitor..."));
        item->trigger();
        item->trigger();
        const auto windows = rig.window.findChildren<TrafficMonitor *>();
        QCOMPARE(windows.size(), 0); // a window of its own, not a child
        TrafficMonitor &monitor = rig.window.openTrafficMonitor();
        QVERIFY(monitor.isVisible());
        QCOMPARE(monitor.windowTitle(), QStringLiteral("Traffic Monitor"));
        TrafficModel &m = rig.window.traffic();
        m.sync();
        const QAbstractItemModel *shown = monitor.findChild<QTableView *>()->model();
        QCOMPARE(shown->index(0, 4).data().toString(),
                 QStringLiteral("Interface clear (all cameras)"));
        QCOMPARE(shown->index(2, 4).data().toString(),
                 QStringLiteral("Address set, first address 1"));

        QByteArray toCamera;
        QStringList replies;
        for (int r = 0; r < m.rowCount(); ++r) {
            const TrafficRow &row = m.shownRow(r);
            QVERIFY(row.terminated);
            if (!row.fromCamera()) {
                toCamera += row.bytes;
                continue;
            }
            replies << m.text(row, TrafficModel::Bytes) + u'|' + m.text(row, TrafficModel::Camera);
            QCOMPARE(m.text(row, TrafficModel::RoundTrip).isEmpty(), !finishesCommand(row.bytes));
        }
        QVERIFY(replies.contains(QStringLiteral("88 01 00 01 FF|Broadcast")));
        QVERIFY(replies.contains(QStringLiteral("88 30 03 FF|Broadcast")));
        QVERIFY(replies.contains(QStringLiteral("90 50 00 20 04 30 01 10 02 FF|1")));
        QVERIFY(!rig.link.RecvText().text().contains(QStringLiteral("88 30")));
        // Bytes written before the start-up's end are all in the model.
        QVERIFY(toCamera.startsWith(QByteArray::fromHex("88010001FF883001FF81090002FF")));
    }

    // A short operator session, saved as CSV: a menu item, the console, and
    // a status read on request (what each block's reply says is the
    // packet meanings' own, below and in zam-ctl's tests).
    void scriptedRunCsv()
    {
        PanelRig rig(1);
        QVERIFY(rig.start());
        // The window's own model, with the panel's meanings, from here on.
        TrafficModel &m = rig.window.traffic();
        m.clear();
        rig.window.modes().CurrentAEMode = -1;
        play(rig, QStringLiteral("click FullAuto"));
        rig.run(100);
        QTest::keyClicks(control<QLineEdit>(rig.window, "DirectText"),
                         QStringLiteral("8101040702ff"));
        QTest::keyClick(control<QLineEdit>(rig.window, "DirectText"), Qt::Key_Return);
        rig.run(100);
        rig.window.ReadCameraStatus();
        m.sync();
        const QStringList lines = csvLines(m);
        QCOMPARE(lines.mid(0, 7),
                 (QStringList{
                     "Time (ms),Direction,Camera,Bytes,Meaning,Round trip (ms)",
                     "718,To camera,1,81 01 04 39 00 FF,AE mode full auto,",
                     "731,From camera,1,90 41 FF,Acknowledge (socket 1),",
                     "749,From camera,1,90 51 FF,Completion (socket 1),31",
                     // The console writes byte by byte; the packet counts from its FF.
                     "818,To camera,1,81 01 04 07 02 FF,\"Zoom tele, standard speed\",",
                     "826,From camera,1,90 41 FF,Acknowledge (socket 1),",
                     "844,From camera,1,90 51 FF,Completion (socket 1),26",
                 }));
        // The status read's replies are taken by reply waits, and each is
        // named from the inquiry it answers, with its round trip.
        const QStringList blocks{
            "Version:", "Lens block:", "Camera block:", "Other block:", "Extended block:"};
        QCOMPARE(lines.size(), 7 + 2 * blocks.size());
        for (int i = 0; i < blocks.size(); ++i) {
            const QString inquiry = lines[7 + 2 * i], reply = lines[8 + 2 * i];
            QVERIFY2(inquiry.contains(",To camera,1,81 09 "), qPrintable(inquiry));
            QVERIFY2(reply.contains(",From camera,1,90 50 ") &&
                         reply.contains("\"Inquiry reply: " + blocks[i]) && !reply.endsWith(','),
                     qPrintable(reply));
        }
    }

    // A reply is read only when it has the shape its inquiry asks for; one
    // that has not is named malformed, never decoded as a block of zeros
    // (one row of each length an inquiry expects).
    void inquiryReplyMeanings_data()
    {
        QTest::addColumn<QByteArray>("inquiry");
        QTest::addColumn<QByteArray>("reply");
        QTest::addColumn<QString>("meaning");
        const auto row = [](const char *tag, const char *inquiry, const char *reply,
                            const char *meaning) {
            QTest::newRow(tag) << QByteArray::fromHex(inquiry) << QByteArray::fromHex(reply)
                               << QString::fromLatin1(meaning);
        };
        // clang-format off
        row("lens, short",      "81097E7E00FF", "905002FF", "Lens block reply, 4 bytes where 16 are expected");
        row("camera, long",     "81097E7E01FF", "905000000000000000000000000000000000FF", "Camera block reply, 19 bytes where 16 are expected");
        row("other, short",     "81097E7E02FF", "90500100000000000000000000FF", "Other block reply, 14 bytes where 16 are expected");
        row("extended, long",   "81097E7E03FF", "9050000000000000000000000000000000000000FF", "Extended block reply, 21 bytes where 16 are expected");
        row("version, short",   "81090002FF",   "905000200430FF", "Version reply, 7 bytes where 10 are expected");
        row("EEPROM, short",    "81097F7F010F0003FF", "905003FF", "EEPROM read reply, 4 bytes where 7 are expected");
        row("alarm, long",      "8109046BFF",   "90500200FF", "Alarm detection reply, 5 bytes where 4 are expected");
        row("alarm level, short", "8109046DFF", "905000FF", "Alarm level reply, 4 bytes where 12 are expected");
        row("alarm, fits",      "8109046BFF",   "905002FF", "Inquiry reply: 02");
        row("memory, any length", "8109042300FF", "90500102FF", "Inquiry reply: 01 02");
        // The V-phase 0/180 bit in the words of the panel's VP0180 button.
        row("V-phase bit set",  "81097E7E02FF", "905000000000000000000000003F3FFF",
            "Inquiry reply: Other block: power off, key lock off, auto ICR off, LR reverse off, "
            "freeze off, data screen off, picture effect 0, effect level 0, camera ID 0, NTSC "
            "shutter table, stabilizer off, V-phase 1023 (0 degree), line lock sync");
        // clang-format on
    }
    void inquiryReplyMeanings()
    {
        QFETCH(QByteArray, inquiry);
        QFETCH(QByteArray, reply);
        QFETCH(QString, meaning);
        QCOMPARE(describePacket(reply, true, inquiry), meaning);
        QCOMPARE(malformedReply(reply, inquiry).has_value(), meaning.contains(u" bytes where "));
    }

    void windowControls()
    {
        TrafficModel m;
        TrafficMonitor w(m);
        QVERIFY(w.isWindow());
        QCOMPARE(w.windowTitle(), QStringLiteral("Traffic Monitor"));
        QVERIFY(!control<QTableView>(w, "trafficView")->accessibleName().isEmpty());
        // Each control sets its part of the filter and the pause; what they
        // show is the model's own business.
        const auto filter = [&m] {
            return std::tuple(m.filter().camera, int(m.filter().direction),
                              m.filter().hideStatusReads);
        };
        control<QComboBox>(w, "cameraFilter")->setCurrentIndex(2);
        QCOMPARE(filter(), std::tuple(2, int(TrafficFilter::Direction::Both), false));
        control<QComboBox>(w, "directionFilter")->setCurrentIndex(2);
        QCOMPARE(filter(), std::tuple(2, int(TrafficFilter::Direction::FromCamera), false));
        control<QComboBox>(w, "cameraFilter")->setCurrentIndex(0);
        control<QComboBox>(w, "directionFilter")->setCurrentIndex(1);
        control<QCheckBox>(w, "hideStatusReads")->click();
        QCOMPARE(filter(), std::tuple(0, int(TrafficFilter::Direction::ToCamera), true));

        auto *pause = control<QPushButton>(w, "pauseButton");
        pause->click();
        QVERIFY(m.paused());
        QCOMPARE(pause->accessibleName(), QStringLiteral("Resume"));
        // A second window on the same model shows its state.
        {
            TrafficMonitor again(m);
            QCOMPARE(control<QComboBox>(again, "directionFilter")->currentIndex(), 1);
            QVERIFY(control<QCheckBox>(again, "hideStatusReads")->isChecked());
            QCOMPARE(control<QPushButton>(again, "pauseButton")->accessibleName(),
                     QStringLiteral("Resume"));
        }
        pause->click();
        QVERIFY(!m.paused());
        QCOMPARE(pause->accessibleName(), QStringLiteral("Pause"));

        feedReplies(m, 2);
        m.sync();
        control<QPushButton>(w, "clearButton")->click();
        QCOMPARE(m.rowCount(), 0);
        QCOMPARE(m.capturedCount(), 0);
    }

    void save_data()
    {
        QTest::addColumn<QString>("name");
        QTest::addColumn<QString>("filter");
        QTest::addColumn<QString>("written");
        QTest::addColumn<QString>("firstLine");
        const QString csv =
            QStringLiteral("Time (ms),Direction,Camera,Bytes,Meaning,Round trip (ms)");
        const QString text =
            QStringLiteral("Time (ms)  Direction    Camera  Bytes     Round trip (ms)  Meaning");
        QTest::newRow("csv") << "t.csv" << kTrafficCsvFilter << "t.csv" << csv;
        QTest::newRow("txt") << "t.txt" << kTrafficCsvFilter << "t.txt" << text;
        QTest::newRow("csv by filter") << "t" << kTrafficCsvFilter << "t.csv" << csv;
        QTest::newRow("text by filter") << "t" << kTrafficTextFilter << "t.txt" << text;
        QTest::newRow("other extension, text filter")
            << "t.log" << kTrafficTextFilter << "t.log" << text;
    }
    void save()
    {
        QFETCH(QString, name);
        QFETCH(QString, filter);
        QFETCH(QString, written);
        QFETCH(QString, firstLine);
        QTemporaryDir dir;
        TrafficModel m;
        feedReplies(m, 2);
        m.sync();
        TrafficMonitor w(m);
        CaughtMessages messages;
        w.setFileChooser([&](QWidget *, QString *chosen) {
            *chosen = filter;
            return dir.filePath(name);
        });
        control<QPushButton>(w, "saveButton")->click();
        QFile f(dir.filePath(written));
        QVERIFY(f.open(QIODevice::ReadOnly));
        const QStringList lines =
            QString::fromUtf8(f.readAll()).split(QRegularExpression(QStringLiteral("\r?\n")));
        QCOMPARE(lines.value(0), firstLine);
        QCOMPARE(lines.size(), 4); // header, two rows, the last line's end
        QVERIFY(messages.isEmpty());
    }

    void saveFailureIsReported()
    {
        TrafficModel m;
        TrafficMonitor w(m);
        CaughtMessages messages;
        w.setFileChooser(
            [](QWidget *, QString *) { return QStringLiteral("/nonexistent-dir/t.csv"); });
        control<QPushButton>(w, "saveButton")->click();
        QCOMPARE(messages.size(), 1);
        QVERIFY(messages.texts().first().contains(QStringLiteral("t.csv")));
        // Cancelling the file dialog writes nothing and says nothing.
        w.setFileChooser([](QWidget *, QString *) { return QString(); });
        control<QPushButton>(w, "saveButton")->click();
        QCOMPARE(messages.size(), 1);
    }

    // The cells shape each text once and then only draw it. What they draw
    // still follows the text and the column's width, and the shaped texts
    // they hold stay bounded though every row brings a new time.
    void cellsDrawTheirOwnText()
    {
        TrafficCells cells;
        const QString tele = QStringLiteral("Zoom tele, variable speed 7");
        const QImage first = drawnCell(cells, tele, 300);
        QVERIFY(drawnCell(cells, QStringLiteral("Zoom wide, variable speed 7"), 300) != first);
        QCOMPARE(drawnCell(cells, tele, 300), first);
        QCOMPARE(drawnCell(TrafficCells(), tele, 300), first);

        // Too long for the cell: drawn elided, as that elided text is drawn.
        const int margin = QApplication::style()->pixelMetric(QStyle::PM_FocusFrameHMargin) + 1;
        for (int width : {120, 90}) {
            const QString elided = QFontMetrics(QApplication::font())
                                       .elidedText(tele, Qt::ElideRight, width - 2 * margin);
            QVERIFY(elided != tele);
            QCOMPARE(drawnCell(cells, tele, width), drawnCell(TrafficCells(), elided, width));
        }
        QCOMPARE(drawnCell(cells, tele, 300), first);

        for (int i = 0; i < 2 * TrafficCells::kMaxShaped; ++i)
            drawnCell(cells, QString::number(i), 60);
        QVERIFY(cells.shapedCount() <= TrafficCells::kMaxShaped);
    }

    // New rows keep the newest in view unless the operator scrolled up.
    void followsNewest()
    {
        TrafficModel m;
        TrafficMonitor w(m);
        w.resize(800, 300);
        w.show();
        QVERIFY(QTest::qWaitForWindowExposed(&w));
        QScrollBar *bar = control<QTableView>(w, "trafficView")->verticalScrollBar();
        feedReplies(m, 500);
        m.sync();
        QVERIFY(bar->maximum() > 0);
        QCOMPARE(bar->value(), bar->maximum());
        bar->setValue(10);
        feedReplies(m, 100);
        m.sync();
        QCOMPARE(bar->value(), 10);
        QVERIFY(!w.followsNewest());
        bar->setValue(bar->maximum());
        feedReplies(m, 100);
        m.sync();
        QCOMPARE(bar->value(), bar->maximum());
        QCOMPARE(m.rowCount(), 700);
    }
};

ZAM_TEST_MAIN(TestTrafficMonitor)
#include "test_trafficmonitor.moc"
