// The chain's line speed: cameras held to one speed answer only a panel at
// that speed, and a speed written into their EEPROM applies at power-up.

#include "support/testmain.h"
#include <QTest>
#include <camerachain.h>

using namespace zam::sim;

class TestChainSpeed : public QObject {
    Q_OBJECT
private Q_SLOTS:
    void answersOnlyAtItsSpeed()
    {
        CameraChain chain(1);
        chain.lineBaud = 9600;
        chain.camera(1).service().lineBaud = 9600;
        const QByteArray clear = QByteArray::fromHex("88010001FF");
        chain.setPanelBaud(19200);
        QVERIFY(chain.feed(clear, 0).empty());
        chain.setPanelBaud(9600);
        QCOMPARE(chain.feed(clear, 0).size(), size_t(1));

        // The new speed waits for the power cycle.
        chain.camera(1).service().eeprom[ServiceState::kBaudRateCell] = 0x01;
        QVERIFY(chain.camera(1).service().lineSpeedChangePending());
        QVERIFY(!chain.feed(clear, 0).empty());
        QCOMPARE(chain.powerCycle(), 19200);
        QVERIFY(chain.feed(clear, 0).empty());
        chain.setPanelBaud(19200);
        QVERIFY(!chain.feed(clear, 0).empty());
    }

    void anySpeedByDefault()
    {
        CameraChain chain(2);
        chain.setPanelBaud(38400);
        QVERIFY(!chain.feed(QByteArray::fromHex("883001FF"), 0).empty());
        QCOMPARE(chain.powerCycle(), 0);
    }
};

ZAM_TEST_GUILESS_MAIN(TestChainSpeed)
#include "test_chainspeed.moc"
