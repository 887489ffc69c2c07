#pragma once
// Reply recognition over the text of the reply log.
//
// Replies are recognised by wildcard patterns over the last 24 characters of
// the reply log ("90 51 FF " etc.), not over bytes: '*' matches any run,
// '?' one character (between two digits it stands for the blank), and
// "[9A-F]" one of 9, A..F. Because the subject is the log tail, an earlier
// reply still inside it can satisfy a pattern; the cameras' panel has always
// behaved so and operators rely on acknowledges of quick commands resuming
// the refresh, so the rule is kept as it is.

#include <QString>
#include <QStringView>
#include <array>
#include <cstdint>
#include <utility>
#include <vector>

namespace zam {

bool wildcardMatch(QStringView pattern, QStringView subject);

// Patterns compiled once and matched together as bit-parallel automata: one
// table look-up and a few bit operations per subject character for up to 64
// pattern elements at a time, however many patterns share the word.
class PatternSet {
public:
    explicit PatternSet(const std::vector<QString> &patterns);
    // Bit i set when pattern i matches the whole subject.
    unsigned matchAll(QStringView subject) const;

private:
    struct Group {
        std::array<std::uint64_t, 128> accept{}; // bit j: element j takes the character
        std::uint64_t star = 0;                  // bit j: element j is '*'
        std::uint64_t start = 0;                 // first element of every pattern
        int starRun = 0;                         // longest run of consecutive stars
        std::vector<std::pair<std::uint64_t, unsigned>> finals; // end bit, pattern index
    };
    std::vector<Group> m_groups;
};

enum class ReplyPattern {
    Completion,
    Error,
    Acknowledge,
    InquiryReply,
    NetworkChange,
    InterfaceClearEcho,
    AddressSetReply,
};

struct ReplyPatternRow {
    ReplyPattern kind;
    const char *pattern;
    bool finishesCommand;
};

inline constexpr ReplyPatternRow kReplyPatterns[] = {
    {ReplyPattern::Completion, "*[9A-F]0?5??FF*", true},
    {ReplyPattern::Error, "*[9A-F]0?6?????FF*", true},
    {ReplyPattern::Acknowledge, "*[9A-F]0?4??FF*", false},
    {ReplyPattern::InquiryReply, "*[9A-F]0?50*FF*", true},
    {ReplyPattern::NetworkChange, "*[9A-F]0?38?FF*", false},
    {ReplyPattern::InterfaceClearEcho, "*88?01?00?01?FF*", true},
    {ReplyPattern::AddressSetReply, "*88?30?0??FF*", true},
};

inline constexpr int kClassifyTail = 24;

struct TailClass {
    unsigned matched = 0; // bit (1 << int(ReplyPattern)) per matching pattern
    bool has(ReplyPattern p) const { return matched & (1u << int(p)); }
    bool finishes() const;
    bool networkChange() const { return has(ReplyPattern::NetworkChange); }
};

// Evaluates all seven patterns against the last 24 characters of the log text.
TailClass classifyLogTail(QStringView logText);

} // namespace zam
