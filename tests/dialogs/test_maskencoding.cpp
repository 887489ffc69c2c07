// The encodings of the masking and detection packets and the reading of the
// alarm inquiry replies. (The pan-tilt directions are pinned by the dialogs'
// packets.)

#include "support/testmain.h"
#include <QTest>
#include <maskencoding.h>

using namespace zam::masks;

namespace {
const auto hex = [](const char *s) { return QByteArray::fromHex(s); };
} // namespace

class TestMaskEncoding : public QObject {
    Q_OBJECT
private Q_SLOTS:
    void zoneBitmap_data()
    {
        QTest::addColumn<QList<int>>("zones");
        QTest::addColumn<QByteArray>("bytes");
        QTest::newRow("group edges L M R S") << QList<int>{11, 12, 17, 18} << hex("01212000");
        QList<int> all;
        for (int i = 0; i < 24; ++i)
            all << i;
        QTest::newRow("all") << all << hex("3F3F3F3F");
    }
    void zoneBitmap()
    {
        QFETCH(QList<int>, zones);
        QFETCH(QByteArray, bytes);
        std::array<bool, kZoneCount> ticked{};
        for (int z : zones)
            ticked[std::size_t(z)] = true;
        const auto got = zam::masks::zoneBitmap(ticked);
        QCOMPARE(QByteArray(reinterpret_cast<const char *>(got.data()), 4), bytes);
    }

    // The replies the detection window takes itself (a mode past the list, a
    // status of neither 2 nor 3, a level reply cut short) are checked there.
    void alarmReplies()
    {
        QCOMPARE(alarmModeReply(hex("90500CFF")), std::optional<std::uint8_t>(0x0C));
        QVERIFY(!alarmModeReply(hex("00010203")));   // the reply wait's placeholder
        QVERIFY(!alarmModeReply(hex("906002FF")));   // error reply
        QVERIFY(!alarmModeReply(hex("90500CFF00"))); // not one whole reply

        QCOMPARE(alarmStatusReply(hex("905003FF")), std::optional<bool>(false));
        // Only the low nibble of each byte counts.
        QCOMPARE(alarmLevelReply(hex("9050F1F2F3000000000000FF"))->day, 0x123);
        QVERIFY(!alarmLevelReply(hex("000102030405060708090A0B")));
    }
};

ZAM_TEST_GUILESS_MAIN(TestMaskEncoding)
#include "test_maskencoding.moc"
