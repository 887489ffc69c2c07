#pragma once
// The test rig's port: a camera that answers from a script, at once (tests,
// the benchmarks and the fuzz targets; the simulated cameras' own port is
// sim/simport.h). Each complete packet
// written (bytes up to an 0xFF, in any number of writes) is handed to
// `answer`, and the bytes it returns are waiting on the line immediately.
// Receive events are announced later, between events, as a real port does.
//
// CannedCamera is the usual script: one camera (address 1) that echoes the
// interface clear, answers the address set and the version inquiry, answers
// the four status blocks from byte arrays a test edits, and acknowledges and
// completes every other packet. setBytes edits such a block in place.

#include <QByteArray>
#include <QCoreApplication>
#include <QList>
#include <QMetaObject>
#include <functional>
#include <port.h>

class ScriptedPort final : public zam::Port {
public:
    using Answer = std::function<QByteArray(const QByteArray &packet)>;

    zam::OpenResult open(const zam::PortSettings &) override
    {
        m_open = true;
        return {};
    }
    void close() override { m_open = false; }
    bool isOpen() const override { return m_open; }
    QString deviceName() const override { return QStringLiteral("scripted"); }

    void write(const QByteArray &bytes) override
    {
        if (record)
            m_written.append(bytes);
        m_pending.append(bytes);
        qsizetype end;
        bool any = false;
        while ((end = m_pending.indexOf(char(0xFF))) >= 0) {
            const QByteArray packet = m_pending.left(end + 1);
            m_pending.remove(0, end + 1);
            if (record)
                m_packets.append(packet);
            if (answer) {
                const QByteArray reply = answer(packet);
                m_buffer.append(reply);
                any = any || !reply.isEmpty();
            }
        }
        if (any)
            QMetaObject::invokeMethod(
                this, [this] { Q_EMIT readyRead(); }, Qt::QueuedConnection);
    }
    QByteArray readAll() override
    {
        QByteArray out;
        out.swap(m_buffer);
        return out;
    }
    qint64 bytesAvailable() override { return m_buffer.size(); }
    bool waitForReadyRead(int) override { return false; }

    // Every write call, in order (the console writes one byte per call).
    const QList<QByteArray> &written() const { return m_written; }
    // Every complete packet the camera saw, in order.
    const QList<QByteArray> &packets() const { return m_packets; }
    void clearWritten()
    {
        m_written.clear();
        m_packets.clear();
    }

    // Bytes that turn up on the line whatever was sent (late replies).
    void inject(const QByteArray &bytes) { m_buffer.append(bytes); }

    Answer answer;
    // Off: nothing is kept of what was written (benchmarks, fuzzing).
    bool record = true;

private:
    QByteArray m_pending;
    QByteArray m_buffer;
    QList<QByteArray> m_written;
    QList<QByteArray> m_packets;
    bool m_open = false;
};

// Replaces bytes of a reply: "index:hex index:hex ...".
inline void setBytes(QByteArray &b, const char *sets)
{
    for (const QByteArray &set : QByteArray(sets).split(' '))
        if (const int colon = set.indexOf(':'); colon > 0)
            b[set.left(colon).toInt()] = char(set.mid(colon + 1).toInt(nullptr, 16));
}

struct CannedCamera {
    int address = 1;
    int cameras = 1;
    int modelCode = 0x30;

    // Well-framed 16-byte blocks y0 50 00 .. 00 FF.
    QByteArray lens = block();
    QByteArray camera = block();
    QByteArray other = block();
    QByteArray extended = block();

    QByteArray block() const
    {
        QByteArray b(16, '\0');
        b[0] = char(0x80 + 16 * address);
        b[1] = char(0x50);
        b[15] = char(0xFF);
        return b;
    }

    QByteArray version() const
    {
        QByteArray v(10, '\0');
        v[0] = char(0x80 + 16 * address);
        v[1] = char(0x50);
        v[3] = char(0x20);
        v[4] = char(0x04);
        v[5] = char(modelCode);
        v[9] = char(0xFF);
        return v;
    }

    // The status block an inquiry 8x 09 7E 7E 0n FF asks for, or null.
    QByteArray *blockFor(const QByteArray &packet)
    {
        if (packet.size() != 6 || packet[1] != 0x09 || packet[2] != 0x7E || packet[3] != 0x7E)
            return nullptr;
        switch (packet[4]) {
        case 0:
            return &lens;
        case 1:
            return &camera;
        case 2:
            return &other;
        case 3:
            return &extended;
        }
        return nullptr;
    }

    QByteArray reply(const QByteArray &packet)
    {
        const auto y0 = char(0x80 + 16 * address);
        if (packet == QByteArray::fromHex("88010001FF"))
            return packet;
        if (packet == QByteArray::fromHex("883001FF"))
            return QByteArray::fromHex("8830") + char(cameras + 1) + char(0xFF);
        if (packet.isEmpty() || std::uint8_t(packet[0]) != 0x80 + address)
            return {};
        if (packet.mid(1) == QByteArray::fromHex("090002FF"))
            return version();
        if (QByteArray *b = blockFor(packet))
            return *b;
        return QByteArray() + y0 + char(0x41) + char(0xFF) + y0 + char(0x51) + char(0xFF);
    }
};
