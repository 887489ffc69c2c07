// The service line-speed sequence and the read reply check.

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
    // The packets are the catalog's, built and refused at the ends of every
    // field in its own test; an unknown line speed has no sequence at all.
    void unknownLineSpeedBuildsNothing()
    {
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
