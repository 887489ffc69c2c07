// Service packets and the read reply check.

#include "support/testmain.h"
#include <QTest>
#include <eeprom.h>

using namespace zam;

namespace {
const auto hex = [](const char *s) { return QByteArray::fromHex(s); };
} // namespace

class TestEeprom : public QObject {
    Q_OBJECT
private Q_SLOTS:
    // The service dialogs' buttons and boxes check each packet as they send
    // it; here the largest address and values that fit.
    void packets()
    {
        QCOMPARE(eeprom::write(7, 0xFFF, 0xFF).value_or(QByteArray()).toHex(' '),
                 hex("87017F7F020F0F0F0F0FFF").toHex(' '));
        QCOMPARE(eeprom::registerSet(1, 0x7F, 0xFF).value_or(QByteArray()).toHex(' '),
                 hex("810104247F0F0FFF").toHex(' '));
    }

    // A value that does not fit its digits, or an unknown line speed, must
    // not reach the wire at all.
    void outOfRangeBuildsNothing()
    {
        QVERIFY(!eeprom::write(1, 0x1000, 0x00));
        QVERIFY(!eeprom::set(1, 0x001, 0x100));
        QVERIFY(!eeprom::read(1, 0x1000));
        QVERIFY(!eeprom::registerSet(1, 0x80, 0x00)); // would be read as a header
        QVERIFY(!eeprom::registerSet(1, 0x00, 0x100));
        QVERIFY(eeprom::baudRateSequence(1, 3).empty());
        QVERIFY(eeprom::baudRateSequence(1, -1).empty());
    }

    void readReply_data()
    {
        QTest::addColumn<QByteArray>("reply");
        QTest::addColumn<int>("header");
        QTest::addColumn<bool>("valid");
        QTest::newRow("camera 1") << hex("90500000060BFF") << 0x90 << true;
        QTest::newRow("camera 2") << hex("A0500000060BFF") << 0xA0 << true;
        QTest::newRow("another camera") << hex("A0500000060BFF") << 0x90 << false;
        QTest::newRow("not an inquiry reply") << hex("90510000060BFF") << 0x90 << false;
        QTest::newRow("error reply") << hex("906041FF") << 0x90 << false;
        QTest::newRow("short") << hex("9050000006") << 0x90 << false;
        QTest::newRow("terminator late") << hex("90500000060B00FF") << 0x90 << false;
    }
    void readReply()
    {
        QFETCH(QByteArray, reply);
        QFETCH(int, header);
        QFETCH(bool, valid);
        QCOMPARE(eeprom::parseReadReply(reply, std::uint8_t(header)).has_value(), valid);
    }
};

ZAM_TEST_GUILESS_MAIN(TestEeprom)
#include "test_eeprom.moc"
