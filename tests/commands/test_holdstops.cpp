// Every move a press-and-hold button starts gets exactly one stop, addressed
// to the camera that moved, however the hold ends: one table over every hold
// button and every way a move can end.

#include "support/controls.h"
#include "support/panelrig.h"
#include "support/testmain.h"

#include <QFocusEvent>
#include <QKeyEvent>

using namespace zam;

namespace {

enum class End {
    ReleaseOver,    // mouse up over the button
    ReleaseOutside, // mouse up with the pointer dragged off the button
    Disabled,       // the button disabled while held
    Hidden,         // the button hidden while held
    FocusAway,      // keyboard hold, focus moved to another control
    Deactivated,    // the window deactivated
    OtherCamera,    // Camera2 chosen from the Select menu while held
    StatusRead,     // a status read while held; released afterwards
    ReadDisables,   // a status read reports a mode that disables the button
    PortLost,       // the adapter unplugged while held, reconnected later
    Reconnect,      // Reconnect pressed while held
};

struct Hold {
    const char *button;
    const char *setup; // play() steps that make the button usable
    const char *move;  // the packets to camera 1
    const char *stop;
    // Camera state under which the status read disables the button (none
    // for the zoom and V-phase buttons, which the read never disables).
    void (*disablingState)(sim::CameraState &);
};

const Hold kHolds[] = {
    {"ZoomTele", "", "8101040724FF", "8101040700FF", nullptr},
    {"ZoomWide", "", "8101040734FF", "8101040700FF", nullptr},
    {"DZoomTele", "click DZoomON; click DZoomMode_1", "8101040624FF", "8101040600FF",
     [](sim::CameraState &s) { s.lens.digitalZoomSeparate = false; }},
    {"DZoomWide", "click DZoomON; click DZoomMode_1", "8101040634FF", "8101040600FF",
     [](sim::CameraState &s) { s.lens.digitalZoomSeparate = false; }},
    {"Far", "click ManAFMode", "8101040824FF", "8101040800FF",
     [](sim::CameraState &s) { s.lens.focusAuto = true; }},
    {"Near", "click ManAFMode", "8101040834FF", "8101040800FF",
     [](sim::CameraState &s) { s.lens.focusAuto = true; }},
    {"VPUp", "", "8101040502FF", "8101040500FF", nullptr},
    {"VPDown", "", "8101040503FF", "8101040500FF", nullptr},
};

const std::pair<End, const char *> kEnds[] = {
    {End::ReleaseOver, "release over"},   {End::ReleaseOutside, "release outside"},
    {End::Disabled, "disabled"},          {End::Hidden, "hidden"},
    {End::FocusAway, "focus away"},       {End::Deactivated, "window deactivated"},
    {End::OtherCamera, "other camera"},   {End::StatusRead, "status read"},
    {End::ReadDisables, "read disables"}, {End::PortLost, "port lost"},
    {End::Reconnect, "reconnect"},
};

void key(QWidget *w, QEvent::Type type)
{
    QKeyEvent e(type, Qt::Key_Space, Qt::NoModifier);
    QApplication::sendEvent(w, &e);
}

int indexOf(const QList<QByteArray> &sent, const QByteArray &packet, int from = 0)
{
    for (int i = from; i < sent.size(); ++i)
        if (sent[i] == packet)
            return i;
    return -1;
}

} // namespace

class TestHoldStops : public QObject {
    Q_OBJECT
private Q_SLOTS:
    void stopGoesOnceToTheCameraThatMoved_data()
    {
        QTest::addColumn<int>("hold");
        QTest::addColumn<int>("end");
        for (int h = 0; h < int(std::size(kHolds)); ++h)
            for (const auto &[end, name] : kEnds) {
                if (end == End::ReadDisables && !kHolds[h].disablingState)
                    continue;
                QTest::addRow("%s, %s", kHolds[h].button, name) << h << int(end);
            }
    }

    void stopGoesOnceToTheCameraThatMoved()
    {
        QFETCH(int, hold);
        QFETCH(int, end);
        const Hold &h = kHolds[hold];
        const auto way = End(end);

        PanelRig rig(2, {0x30, 0x30});
        QVERIFY(rig.start());
        rig.window.show();
        QVERIFY(QTest::qWaitForWindowExposed(&rig.window));
        play(rig, QString::fromLatin1(h.setup));
        rig.run(100);
        auto *button = rig.window.findChild<QAbstractButton *>(QString::fromLatin1(h.button));
        QVERIFY(button);
        QVERIFY2(button->isEnabled() && button->isVisible(), h.button);
        rig.clearSent();

        const QByteArray move = QByteArray::fromHex(h.move);
        const QByteArray stop = QByteArray::fromHex(h.stop);
        QByteArray stopToCamera2 = stop;
        stopToCamera2[0] = char(0x82);
        const QPoint over(4, button->height() / 2);

        if (way == End::FocusAway)
            key(button, QEvent::KeyPress);
        else
            QTest::mousePress(button, Qt::LeftButton, {}, over);
        rig.run(50);
        QCOMPARE(rig.sent().value(0), move);

        int stopNotBefore = 0; // the stop must not come before this packet
        switch (way) {
        case End::ReleaseOver:
            QTest::mouseRelease(button, Qt::LeftButton, {}, over);
            break;
        case End::ReleaseOutside:
            QTest::mouseMove(button, QPoint(-40, -40));
            QTest::mouseRelease(button, Qt::LeftButton, {}, QPoint(-40, -40));
            break;
        case End::Disabled:
            button->setEnabled(false);
            break;
        case End::Hidden:
            button->hide();
            break;
        case End::FocusAway: {
            QFocusEvent out(QEvent::FocusOut, Qt::TabFocusReason);
            QApplication::sendEvent(button, &out);
            break; // the key-up goes to the control that has the focus now
        }
        case End::Deactivated: {
            QEvent deactivate(QEvent::WindowDeactivate);
            QApplication::sendEvent(&rig.window, &deactivate);
            break;
        }
        case End::OtherCamera:
            control<QAction>(rig.window, "CameraSel_2")->trigger();
            break;
        case End::StatusRead:
            rig.window.ReadCameraStatus();
            stopNotBefore = int(rig.sent().size());
            QTest::mouseRelease(button, Qt::LeftButton, {}, over);
            break;
        case End::ReadDisables:
            h.disablingState(rig.chain.camera(1).state());
            rig.window.ReadCameraStatus();
            QVERIFY2(!button->isEnabled() || !button->isVisible(), "the read disables the button");
            // The read's own inquiries come first, then the stop.
            stopNotBefore = int(rig.sent().size()) - 1;
            break;
        case End::PortLost:
            rig.port.unplug();
            rig.run(50);
            QCOMPARE(indexOf(rig.sent(), stop), -1); // no line to carry it yet
            QVERIFY(rig.window.reconnect());
            break;
        case End::Reconnect:
            QVERIFY(rig.window.reconnect());
            break;
        }
        rig.run(50);
        if (way != End::ReleaseOver && way != End::ReleaseOutside && way != End::StatusRead) {
            // Stopped when it happened, not at some later release.
            QCOMPARE(rig.sent().count(stop), 1);
            if (way != End::FocusAway)
                QTest::mouseRelease(button, Qt::LeftButton, {}, over);
        }
        rig.run(50);

        const QList<QByteArray> &sent = rig.sent();
        QCOMPARE(sent.count(move), 1);
        QCOMPARE(sent.count(stop), 1);
        QCOMPARE(sent.count(stopToCamera2), 0);
        const int at = indexOf(sent, stop);
        QVERIFY2(at >= stopNotBefore, qPrintable(QString::number(at)));
        if (way == End::OtherCamera) {
            // Stopped before anything goes to camera 2.
            for (int i = 0; i < at; ++i)
                QVERIFY2(std::uint8_t(sent[i][0]) != 0x82, "camera 2 addressed before the stop");
        }
        if (way == End::Reconnect) // on the old line, before the new start-up
            QVERIFY(at < indexOf(sent, QByteArray::fromHex("88010001FF")));
    }

    // A drag that began on camera 1 sends nothing to camera 2.
    void sliderDragStaysWithItsCamera()
    {
        PanelRig rig(2, {0x30, 0x30});
        QVERIFY(rig.start());
        rig.window.show();
        QVERIFY(QTest::qWaitForWindowExposed(&rig.window));
        QSlider *slider = control<QSlider>(rig.window, "ZoomSliderShort");
        QVERIFY(slider->isVisible());
        slider->setValue(0x1000);
        rig.clearSent();
        QTest::mousePress(slider, Qt::LeftButton, {}, thumbCenter(slider));
        slider->triggerAction(QAbstractSlider::SliderSingleStepAdd);
        QCOMPARE(rig.sent(), hexPackets("8101044701000001FF"));
        control<QAction>(rig.window, "CameraSel_2")->trigger();
        rig.run(50);
        rig.clearSent();
        slider->triggerAction(QAbstractSlider::SliderSingleStepAdd);
        QTest::mouseRelease(slider, Qt::LeftButton, {}, thumbCenter(slider));
        rig.run(50);
        for (const QByteArray &p : rig.sent())
            QVERIFY2(!p.startsWith(QByteArray::fromHex("82010447")), p.toHex().constData());
    }
};

ZAM_TEST_MAIN(TestHoldStops)
#include "test_holdstops.moc"
