#include "replypattern.h"

#include <algorithm>
#include <array>
#include <iterator>
#include <vector>

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

namespace {

// Number of automaton positions a pattern needs: one per element plus its end.
int elementCount(QStringView pattern)
{
    int n = 0;
    for (qsizetype pi = 0; pi < pattern.size(); ++n) {
        if (pattern[pi] == QLatin1Char('[')) {
            const qsizetype close = pattern.indexOf(QLatin1Char(']'), pi + 1);
            pi = close > pi ? close + 1 : pi + 1;
        } else {
            ++pi;
        }
    }
    return n + 1;
}

} // namespace

PatternSet::PatternSet(const std::vector<QString> &patterns)
{
    int used = 64;
    for (unsigned index = 0; index < patterns.size(); ++index) {
        const QStringView pattern = patterns[index];
        const int need = elementCount(pattern);
        Q_ASSERT(need <= 64);
        if (used + need > 64) {
            m_groups.emplace_back();
            used = 0;
        }
        Group &g = m_groups.back();
        g.start |= std::uint64_t(1) << used;
        int j = used;
        int run = 0;
        for (qsizetype pi = 0; pi < pattern.size(); ++j) {
            const std::uint64_t bit = std::uint64_t(1) << j;
            if (pattern[pi] == QLatin1Char('*')) {
                g.star |= bit;
                g.starRun = std::max(g.starRun, ++run);
                ++pi;
                continue;
            }
            run = 0;
            qsizetype len = 1;
            for (int ch = 0; ch < 128; ++ch) {
                qsizetype l = 0;
                if (elementMatches(pattern, pi, QChar(ch), l))
                    g.accept[std::size_t(ch)] |= bit;
                len = l;
            }
            pi += len;
        }
        g.finals.emplace_back(std::uint64_t(1) << j, index);
        used = j + 1;
    }
}

unsigned PatternSet::matchAll(QStringView subject) const
{
    unsigned result = 0;
    for (const Group &g : m_groups) {
        // A star may match nothing: its position also stands for the next one.
        const auto closure = [&g](std::uint64_t s) {
            for (int i = 0; i < g.starRun; ++i)
                s |= (s & g.star) << 1;
            return s;
        };
        // An end position takes no character, so nothing shifts from one
        // pattern into the next one sharing the word.
        std::uint64_t s = closure(g.start);
        for (QChar c : subject) {
            const ushort u = c.unicode();
            const std::uint64_t accept = u < 128 ? g.accept[u] : 0;
            s = closure(((s & accept) << 1) | (s & g.star));
            if (!s)
                break;
        }
        for (const auto &[bit, index] : g.finals)
            if (s & bit)
                result |= 1u << index;
    }
    return result;
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
    const QStringView tail =
        logText.size() > kClassifyTail ? logText.right(kClassifyTail) : logText;
    static const PatternSet patterns = [] {
        std::vector<QString> p;
        for (const auto &row : kReplyPatterns)
            p.push_back(QString::fromLatin1(row.pattern));
        return PatternSet(p);
    }();
    const unsigned hits = patterns.matchAll(tail);
    TailClass result;
    for (std::size_t i = 0; i < std::size(kReplyPatterns); ++i)
        if (hits & (1u << i))
            result.matched |= 1u << int(kReplyPatterns[i].kind);
    return result;
}

} // namespace zam
