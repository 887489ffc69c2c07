#include "replypattern.h"

#include <array>
#include <iterator>

namespace zam {

namespace {

// Matches one pattern element at pattern[pi] against character c; sets len to
// the element's length in the pattern.
bool elementMatches(QStringView pattern, qsizetype pi, QChar c, qsizetype &len)
{
    if (pattern[pi] == QLatin1Char('?')) {
        len = 1;
        return true;
    }
    if (pattern[pi] == QLatin1Char('[')) {
        const qsizetype close = pattern.indexOf(QLatin1Char(']'), pi + 1);
        if (close > pi) {
            len = close - pi + 1;
            bool any = false;
            for (qsizetype k = pi + 1; k < close; ++k) {
                if (k + 2 < close && pattern[k + 1] == QLatin1Char('-')) {
                    if (c >= pattern[k] && c <= pattern[k + 2])
                        any = true;
                    k += 2;
                } else if (pattern[k] == c) {
                    any = true;
                }
            }
            return any;
        }
    }
    len = 1;
    return pattern[pi] == c;
}

} // namespace

bool wildcardMatch(QStringView pattern, QStringView subject)
{
    // Iterative matcher with single-star backtracking: linear enough for
    // 24-character subjects and patterns with at most two stars.
    qsizetype pi = 0, si = 0;
    qsizetype starP = -1, starS = 0;
    while (si < subject.size()) {
        qsizetype len = 0;
        if (pi < pattern.size() && pattern[pi] == QLatin1Char('*')) {
            starP = ++pi;
            starS = si;
            continue;
        }
        if (pi < pattern.size() && elementMatches(pattern, pi, subject[si], len)) {
            pi += len;
            ++si;
            continue;
        }
        if (starP >= 0) {
            pi = starP;
            si = ++starS;
            continue;
        }
        return false;
    }
    while (pi < pattern.size() && pattern[pi] == QLatin1Char('*'))
        ++pi;
    return pi == pattern.size();
}

bool TailClass::finishes() const
{
    for (const auto &row : kReplyPatterns)
        if (row.finishesCommand && has(row.kind))
            return true;
    return false;
}

TailClass classifyLogTail(QStringView logText)
{
    const QStringView tail = logText.size() > kClassifyTail ? logText.right(kClassifyTail) : logText;
    static const auto patterns = [] {
        std::array<QString, std::size(kReplyPatterns)> p;
        for (std::size_t i = 0; i < p.size(); ++i)
            p[i] = QString::fromLatin1(kReplyPatterns[i].pattern);
        return p;
    }();
    TailClass result;
    for (std::size_t i = 0; i < patterns.size(); ++i)
        if (wildcardMatch(patterns[i], tail))
            result.matched |= 1u << int(kReplyPatterns[i].kind);
    return result;
}

} // namespace zam
