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

namespace zam {

bool wildcardMatch(QStringView pattern, QStringView subject);

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
