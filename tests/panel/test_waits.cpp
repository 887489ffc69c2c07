// Every wait of the panel ends within its bound when the camera is silent,
// and sleeps rather than polls while it waits.

#include "support/controls.h"
#include "support/panelrig.h"
#include "support/testmain.h"

#include <QAction>
#include <QScopeGuard>
#include <fset.h>
#include <md.h>

using namespace zam;

namespace {

// The clock of the panel's stopwatch during a test: it reads the rig's fake
// clock and notices a wait that polls the clock again and again without
// letting time pass (which on a real clock burns a core), moving time on a
// little so that such a wait still ends. A wait that runs past the limit of
// line time has no bound at all; the test stops there.
class WaitGuard final : public Clock {
public:
    WaitGuard(FakeClock &fake, std::int64_t limitMs)
        : m_fake(&fake), m_limit(fake.nowMs() + limitMs)
    {}

    std::int64_t nowMs() const override
    {
        const std::int64_t now = m_fake->nowMs();
        if (now != m_last) {
            m_last = now;
            m_stalls = 0;
        } else if (++m_stalls > kSpinPolls) {
            m_spun = true;
            m_fake->advance(1);
        }
        if (now > m_limit)
            qFatal("a wait ran past %lld ms of line time", static_cast<long long>(m_limit));
        return m_fake->nowMs();
    }
    void sleepMs(std::int64_t ms) override { m_fake->advance(ms); }

    bool spun() const { return m_spun; }

private:
    // Polls of one instant that a waiting loop may need (a few per turn).
    static constexpr int kSpinPolls = 1000;
    FakeClock *m_fake;
    std::int64_t m_limit;
    mutable std::int64_t m_last = -1;
    mutable int m_stalls = 0;
    mutable bool m_spun = false;
};

} // namespace

class TestWaits : public QObject {
    Q_OBJECT
private Q_SLOTS:
    void boundedAndAsleep_data()
    {
        QTest::addColumn<QString>("wait");
        QTest::addColumn<int>("minMs");
        QTest::addColumn<int>("maxMs");
        // A reply wait gives up after one second.
        QTest::newRow("reply wait") << "reply" << 1000 << 1010;
        // The 0.5 s settling pause, then one reply wait for the line check.
        QTest::newRow("start-up, silent line") << "startup" << 1500 << 1600;
        // The line check is answered; three attempts of the address set.
        // Each retry first waits for the line to fall quiet (0.2 s).
        QTest::newRow("start-up, address set unanswered") << "address" << 3900 << 4000;
        QTest::newRow("start-up, version unanswered") << "version" << 3900 << 4000;
        // Three attempts of the first inquiry.
        QTest::newRow("status read") << "status" << 3400 << 3500;
        QTest::newRow("alarm read") << "alarm" << 3400 << 3500;
        // Full auto first, one second before the bright packet.
        QTest::newRow("bright through full auto") << "bright" << 1000 << 1100;
        // The month and year are never answered: the day is not asked.
        QTest::newRow("manufacturing date") << "date" << 1000 << 2100;
        // The level inquiry waits half a second before the reply wait.
        QTest::newRow("alarm level inquiry") << "level" << 1500 << 1600;
        QTest::newRow("alarm mode inquiry") << "mode" << 1000 << 1100;
    }
    void boundedAndAsleep()
    {
        QFETCH(QString, wait);
        QFETCH(int, minMs);
        QFETCH(int, maxMs);
        PanelRig rig(1);
        WaitGuard guard(rig.clock, 60'000);
        rig.link.stopwatch().setClock(guard);
        const auto restore = qScopeGuard([&] { rig.link.stopwatch().setClock(rig.clock); });
        sim::Faults &faults = rig.chain.faults();
        const bool startUpItself = wait == u"startup" || wait == u"address" || wait == u"version";
        if (!startUpItself)
            QVERIFY(rig.start());
        std::unique_ptr<MD> md;
        if (wait == u"level" || wait == u"mode")
            md = std::make_unique<MD>(rig.link, rig.window.motionDetection(), &rig.window);
        if (wait == u"date")
            rig.window.findChild<QAction *>(QStringLiteral("SettingMenu"))->trigger();
        if (wait == u"address")
            faults.dropIf = [](const QByteArray &p) {
                return p == QByteArray::fromHex("883001FF");
            };
        else if (wait == u"version")
            faults.dropIf = [](const QByteArray &p) {
                return p == QByteArray::fromHex("81090002FF");
            };
        else if (wait != u"bright")
            faults.silent = true;
        rig.window.modes().CurrentAEMode = 0x03;

        const auto before = rig.clock.nowMs();
        if (wait == u"reply") {
            QCOMPARE(rig.link.WaitReply(10), std::nullopt);
        } else if (startUpItself) {
            QVERIFY(!rig.window.startUp());
            QCOMPARE(rig.messages.texts(), QStringList{FrmMain::kCommunicationMessage});
        } else if (wait == u"status") {
            rig.window.ReadCameraStatus();
        } else if (wait == u"alarm") {
            QVERIFY(!rig.window.CheckAlarmStatus());
        } else if (wait == u"bright") {
            rig.window.findChild<QAction *>(QStringLiteral("Bright"))->trigger();
            QCOMPARE(rig.sent().size(), 2);
        } else if (wait == u"date") {
            play(rig.groups.display.fset(), QStringLiteral("Manufadatecmd"));
            QCOMPARE(rig.messages.size(), 1);
        } else {
            play(md.get(),
                 wait == u"level" ? QStringLiteral("cmdLevelInq") : QStringLiteral("cmdsetMDinq"));
        }
        const auto waited = rig.clock.nowMs() - before;
        QVERIFY2(waited >= minMs && waited <= maxMs, qPrintable(QString::number(waited)));
        QVERIFY(!guard.spun());
        QVERIFY(!rig.link.stopwatch().armed());
    }
};

ZAM_TEST_MAIN(TestWaits)
#include "test_waits.moc"
