#include "camerachain.h"

#include "simrules.h"

#include <algorithm>

namespace zam::sim {

CameraChain::CameraChain(int cameraCount, QList<int> modelCodes)
    : m_rules(SimCamera::standardRules())
{
    cameraCount = std::clamp(cameraCount, 1, 7);
    for (int a = 1; a <= cameraCount; ++a) {
        int code = 0x30;
        if (!modelCodes.isEmpty())
            code = modelCodes.value(a - 1, modelCodes.last());
        m_cameras.push_back(std::make_unique<SimCamera>(a, std::uint8_t(code), m_rules));
    }
}

void CameraChain::addRules(std::vector<SimRule> more)
{
    for (auto &r : more)
        m_rules.push_back(std::move(r));
}

int CameraChain::powerCycle()
{
    for (auto &cam : m_cameras) {
        cam->service().powerCycle();
        if (lineBaud)
            lineBaud = cam->service().lineBaud;
    }
    return lineBaud;
}

std::vector<ReplyPiece> CameraChain::feed(const QByteArray &bytes, std::int64_t nowMs)
{
    std::vector<ReplyPiece> out;
    for (auto &cam : m_cameras)
        cam->setTime(nowMs);
    if (lineBaud && m_panelBaud && lineBaud != m_panelBaud) {
        m_pending.clear();
        return out;
    }
    for (char c : bytes) {
        m_pending.append(c);
        if (std::uint8_t(c) != 0xFF)
            continue;
        const QByteArray packet = m_pending;
        m_pending.clear();
        m_received.append(packet);
        auto pieces = answer(packet);
        out.insert(out.end(), pieces.begin(), pieces.end());
    }
    // A runaway packet without terminator is dropped, as a camera's buffer would.
    if (m_pending.size() > 64)
        m_pending.clear();
    return out;
}

void CameraChain::addGarbage(std::vector<ReplyPiece> &out)
{
    std::uniform_int_distribution<int> len(1, 6), val(0, 0xFE);
    QByteArray junk;
    for (int i = len(m_rng); i > 0; --i)
        junk.append(char(val(m_rng)));
    out.push_back({junk, 1});
}

std::vector<ReplyPiece> CameraChain::answer(const QByteArray &packet)
{
    std::vector<ReplyPiece> out;
    if (m_faults.silent)
        return out;
    if (m_faults.silentAfter >= 0 && m_answered >= m_faults.silentAfter)
        return out;
    if (m_faults.dropIf && m_faults.dropIf(packet))
        return out;
    ++m_answered;

    const auto head = std::uint8_t(packet.isEmpty() ? 0 : packet[0]);
    int extra = m_faults.slowMs;
    Faults::Late &late = m_faults.lateReply;
    if (!late.packet.isEmpty() && late.times > 0 && packet.startsWith(late.packet)) {
        --late.times;
        extra += late.ms;
    }
    if (m_faults.garbage)
        addGarbage(out);

    if (head == 0x88) {
        if (packet == QByteArray::fromHex("88010001FF")) {
            out.push_back({packet, ackMs + extra});
        } else if (packet.size() == 4 && std::uint8_t(packet[1]) == 0x30) {
            QByteArray r = QByteArray::fromHex("8830");
            r.append(char(cameraCount() + 1)).append(char(0xFF));
            out.push_back({r, ackMs + extra});
        }
        return out;
    }
    const int address = head - 0x80;
    if (address < 1 || address > cameraCount())
        return out;
    Faults::Burst &burst = m_faults.burstBefore;
    if (!burst.packet.isEmpty() && burst.times > 0 && packet.startsWith(burst.packet)) {
        --burst.times;
        std::uniform_int_distribution<int> val(0, 0xFE);
        QByteArray junk = burst.content;
        if (junk.isEmpty())
            for (int i = 0; i < burst.bytes; ++i)
                junk.append(char(val(m_rng)));
        out.push_back({junk, 1});
    }
    const int y0 = 0x80 + 16 * address;
    if (m_faults.networkChange) {
        m_faults.networkChange = false;
        out.push_back({bytes({y0, int(0x38), int(0xFF)}), ackMs});
    }

    SimCamera &cam = camera(address);
    SimReply reply = cam.handle(packet);
    if (m_faults.errorReplies && reply.kind == SimReply::Kind::Command)
        reply = SimReply::error(0x41);

    switch (reply.kind) {
    case SimReply::Kind::None:
        break;
    case SimReply::Kind::Error:
        out.push_back({bytes({y0, int(0x60), int(reply.errorCode), int(0xFF)}), ackMs + extra});
        break;
    case SimReply::Kind::Inquiry: {
        QByteArray r = bytes({y0, 0x50});
        r.append(reply.data).append(char(0xFF));
        out.push_back({r, ackMs + extra});
        break;
    }
    case SimReply::Kind::Command:
        out.push_back({bytes({y0, int(0x41), int(0xFF)}), ackMs + extra});
        out.push_back({bytes({y0, int(0x51), int(0xFF)}),
                       reply.completionMs >= 0 ? reply.completionMs : completeMs});
        break;
    }
    if (m_faults.splitReplies) {
        // Every reply in two pieces, the second a few byte times later.
        std::vector<ReplyPiece> split;
        for (const auto &p : out) {
            if (p.bytes.size() < 2) {
                split.push_back(p);
                continue;
            }
            const qsizetype half = p.bytes.size() / 2;
            split.push_back({p.bytes.left(half), p.delayMs});
            split.push_back({p.bytes.mid(half), 8});
        }
        out.swap(split);
    }
    return out;
}

void LineSchedule::schedule(const std::vector<ReplyPiece> &pieces, std::int64_t startMs)
{
    // Drop what has been taken so that the vector does not grow without end.
    if (m_head > 0 && m_head == m_bytes.size()) {
        m_bytes.clear();
        m_head = 0;
    }
    std::int64_t t = startMs * 1000;
    for (const auto &p : pieces) {
        t += std::int64_t(p.delayMs) * 1000;
        std::int64_t at = std::max(t, m_lineFreeUs);
        for (char c : p.bytes) {
            at += byteUs();
            m_bytes.push_back({at, c});
        }
        m_lineFreeUs = at;
        t = at;
    }
}

QByteArray LineSchedule::takeDue(std::int64_t nowMs)
{
    QByteArray out;
    const std::int64_t nowUs = nowMs * 1000;
    while (m_head < m_bytes.size() && m_bytes[m_head].atUs <= nowUs)
        out.append(m_bytes[m_head++].byte);
    return out;
}

std::int64_t LineSchedule::nextArrivalMs() const
{
    if (m_head >= m_bytes.size())
        return -1;
    return (m_bytes[m_head].atUs + 999) / 1000;
}

} // namespace zam::sim
