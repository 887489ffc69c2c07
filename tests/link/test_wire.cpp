// Wire rules: the reply patterns the receive handling classifies by. (The
// nibble packing is pinned by the catalog's known packets, the hexadecimal
// text by every log a test reads.)

#include "support/testmain.h"
#include <QTest>
#include <packet.h>
#include <replypattern.h>

#include <random>

using namespace zam;

class TestWire : public QObject {
    Q_OBJECT
private Q_SLOTS:
    void wildcard_data()
    {
        QTest::addColumn<QString>("pattern");
        QTest::addColumn<QString>("subject");
        QTest::addColumn<bool>("match");
        const auto row = [](const char *tag, const char *pattern, const char *subject, bool m) {
            QTest::newRow(tag) << QString(pattern) << QString(subject) << m;
        };
        row("star empty", "*", "", true);
        row("question needs one", "?", "", false);
        row("class hit", "[9A-F]0", "B0", true);
        row("class miss", "[9A-F]0", "80", false);
        row("class digit 9", "[9A-F]", "9", true);
        row("literal", "88?30", "88 30", true);
        row("two stars", "*A*B*", "xxAyyBzz", true);
        row("backtrack", "*50*FF*", "90 50 FE 00 FF ", true);
        row("no end", "*50*FF*", "90 50 FE ", false);
    }
    void wildcard()
    {
        QFETCH(QString, pattern);
        QFETCH(QString, subject);
        QFETCH(bool, match);
        QCOMPARE(wildcardMatch(pattern, subject), match);
    }

    // Each reply as the reply log shows it, and the patterns it satisfies.
    void classification_data()
    {
        QTest::addColumn<QString>("log");
        QTest::addColumn<unsigned>("expected");
        const auto bit = [](ReplyPattern p) { return 1u << int(p); };
        QTest::newRow("acknowledge") << "90 41 FF " << bit(ReplyPattern::Acknowledge);
        QTest::newRow("completion") << "90 51 FF " << bit(ReplyPattern::Completion);
        QTest::newRow("error") << "90 60 02 FF " << bit(ReplyPattern::Error);
        QTest::newRow("inquiry") << "90 50 02 FF " << bit(ReplyPattern::InquiryReply);
        QTest::newRow("inquiry without data")
            << "90 50 FF " << (bit(ReplyPattern::Completion) | bit(ReplyPattern::InquiryReply));
        // The header of a reply longer than eight bytes has left the 24-character
        // tail by the time its 0xFF arrives: nothing matches.
        QTest::newRow("long inquiry") << "90 50 00 20 04 30 01 10 02 FF " << 0u;
        QTest::newRow("network change") << "90 38 FF " << bit(ReplyPattern::NetworkChange);
        QTest::newRow("camera 7") << "F0 51 FF " << bit(ReplyPattern::Completion);
        QTest::newRow("camera 2") << "A0 41 FF " << bit(ReplyPattern::Acknowledge);
        QTest::newRow("interface clear")
            << "88 01 00 01 FF " << bit(ReplyPattern::InterfaceClearEcho);
        QTest::newRow("address set") << "88 30 03 FF " << bit(ReplyPattern::AddressSetReply);
        QTest::newRow("header 80 is no camera") << "80 51 FF " << 0u;
        // An earlier completion still within the 24-character tail finishes
        // the next command's acknowledge.
        QTest::newRow("ack after completion")
            << "90 51 FF \r\n90 41 FF "
            << (bit(ReplyPattern::Completion) | bit(ReplyPattern::Acknowledge));
        // ... but not once it has left the tail.
        QTest::newRow("old completion out of tail")
            << "90 51 FF \r\n90 41 FF \r\n90 41 FF \r\n90 41 FF " << bit(ReplyPattern::Acknowledge);
    }
    void classification()
    {
        QFETCH(QString, log);
        QFETCH(unsigned, expected);
        QCOMPARE(classifyLogTail(log).matched, expected);
    }

    // The compiled automaton used for every received 0xFF agrees with the
    // plain backtracking matcher on random log tails.
    void compiledAgreesWithPlainMatcher()
    {
        std::mt19937 rng(7);
        const QString alphabet = QStringLiteral("0123456789ABCDEF   \r\n");
        const std::vector<std::uint8_t> likely = {0x90, 0xA0, 0x88, 0x41, 0x51, 0x50, 0x60,
                                                  0x38, 0x01, 0x00, 0x30, 0x03, 0xFF, 0xFF};
        for (int round = 0; round < 20000; ++round) {
            QString log;
            if (round % 2) {
                for (int n = std::uniform_int_distribution<int>(0, 30)(rng); n > 0; --n)
                    log += alphabet[std::uniform_int_distribution<int>(0, int(alphabet.size()) -
                                                                              1)(rng)];
            } else {
                for (int n = std::uniform_int_distribution<int>(0, 10)(rng); n > 0; --n) {
                    log += hexPair(likely[std::uniform_int_distribution<std::size_t>(
                        0, likely.size() - 1)(rng)]);
                    log += QLatin1Char(' ');
                }
            }
            const QStringView tail = QStringView(log).right(std::min<qsizetype>(24, log.size()));
            unsigned expected = 0;
            for (const auto &row : kReplyPatterns)
                if (wildcardMatch(QString::fromLatin1(row.pattern), tail))
                    expected |= 1u << int(row.kind);
            QCOMPARE(classifyLogTail(log).matched, expected);
        }
    }

    void finishingPatterns()
    {
        QVERIFY(classifyLogTail(u"90 51 FF ").finishes());
        QVERIFY(classifyLogTail(u"90 60 02 FF ").finishes());
        QVERIFY(classifyLogTail(u"88 30 02 FF ").finishes());
        QVERIFY(!classifyLogTail(u"90 41 FF ").finishes());
        QVERIFY(!classifyLogTail(u"90 38 FF ").finishes());
        QVERIFY(classifyLogTail(u"90 38 FF ").networkChange());
    }
};

ZAM_TEST_GUILESS_MAIN(TestWire)
#include "test_wire.moc"
