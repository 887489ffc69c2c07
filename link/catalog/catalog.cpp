#include "catalog.h"

#include "catalogtable.h"
#include "packet.h"

#include <algorithm>
#include <bit>
#include <vector>

namespace zam::catalog {

namespace {

constexpr std::uint8_t kBroadcastHeader = 0x88;
constexpr std::uint8_t kTerminator = 0xFF;

const std::uint8_t *bytesOf(QByteArrayView v)
{
    return reinterpret_cast<const std::uint8_t *>(v.data());
}

// Entries by their byte 3 (the command byte of every 8x 01 04 cc packet),
// the most specific first, so that a packet is tried against a handful.
class Index {
public:
    Index()
    {
        const auto rows = table();
        for (std::size_t i = 0; i < rows.size(); ++i)
            m_buckets[rows[i].fixed[3]].push_back(std::uint16_t(i));
        for (auto &bucket : m_buckets)
            std::stable_sort(bucket.begin(), bucket.end(), [&rows](auto a, auto b) {
                return fixedBits(rows[a]) > fixedBits(rows[b]);
            });
    }
    const std::vector<std::uint16_t> &candidates(std::uint8_t byte3) const
    {
        return m_buckets[byte3];
    }

private:
    static int fixedBits(const Entry &e)
    {
        int n = 0;
        for (std::uint8_t m : e.fixedMask)
            n += std::popcount(m);
        return n;
    }
    std::array<std::vector<std::uint16_t>, 256> m_buckets;
};

const Index &index()
{
    static const Index i;
    return i;
}

bool inRange(const Field &f, int v)
{
    return v >= f.min && v <= f.max;
}

// The values of the entry's fields in bytes that match its fixed bytes;
// false when one of them lies outside its range.
bool readValues(const Entry &e, const std::uint8_t *b, Command &c)
{
    bool ok = true;
    int k = 0;
    for (const Field &f : e.fieldList()) {
        const std::uint8_t *at = b + f.at;
        int v = 0;
        switch (f.packing) {
        case Packing::Run:
            for (int j = 0; j < f.count; ++j) {
                c.values[std::size_t(k++)] = at[j];
                ok = ok && inRange(f, at[j]);
            }
            continue;
        case Packing::Byte:
            v = at[0];
            break;
        case Packing::Nibbles:
            for (int j = 0; j < f.count; ++j)
                v = (v << 4) | (at[j] & 0x0F);
            break;
        case Packing::LowNibble:
            v = at[0] & 0x0F;
            break;
        case Packing::HighNibble:
            v = at[0] >> 4;
            break;
        case Packing::Digits: {
            const int tens = at[0] & 0x0F;
            const int units = at[1] & 0x0F;
            ok = ok && tens <= 9 && units <= 9;
            v = tens * 10 + units;
            break;
        }
        }
        c.values[std::size_t(k++)] = v;
        ok = ok && inRange(f, v);
    }
    c.valueCount = k;
    return ok;
}

QString spacedHex(QByteArrayView bytes)
{
    QString s;
    s.reserve(bytes.size() * 3);
    for (qsizetype i = 0; i < bytes.size(); ++i) {
        if (i)
            s.append(u' ');
        s.append(hexPair(std::uint8_t(bytes[i])));
    }
    return s;
}

QString fieldText(const Field &f, std::span<const int> values)
{
    QString s = QLatin1String(f.name) + u' ';
    if (f.packing == Packing::Run) {
        for (std::size_t j = 0; j < values.size(); ++j) {
            if (j)
                s.append(u' ');
            s.append(hexPair(std::uint8_t(values[j])));
        }
        return s;
    }
    const int v = values.empty() ? 0 : values[0];
    if (f.show == Show::Decimal)
        return s + QString::number(v);
    const int digits = f.packing == Packing::Nibbles ? f.count : f.packing == Packing::Byte ? 2 : 1;
    return s + hexValue(unsigned(v), digits);
}

} // namespace

std::span<const Entry> entries()
{
    return table();
}

const Entry &entry(Id id)
{
    return table()[std::size_t(id)];
}

const Entry *findEntry(QStringView key)
{
    for (const Entry &e : table())
        if (key == QLatin1StringView(e.key))
            return &e;
    return nullptr;
}

const char *groupName(Group group)
{
    switch (group) {
    case Group::Lens:
        return "Lens";
    case Group::Focus:
        return "Focus";
    case Group::Exposure:
        return "Exposure";
    case Group::WhiteBalance:
        return "White balance";
    case Group::Picture:
        return "Picture";
    case Group::System:
        return "System";
    case Group::Display:
        return "Display";
    case Group::Sync:
        return "Sync and V-phase";
    case Group::Title:
        return "Title";
    case Group::Clock:
        return "Clock";
    case Group::PrivacyMask:
        return "Privacy mask";
    case Group::MotionDetection:
        return "Motion detection";
    case Group::AeSpot:
        return "AE spot";
    case Group::Service:
        return "Service";
    case Group::Inquiry:
        return "Inquiry";
    case Group::Broadcast:
        return "Broadcast";
    }
    return "";
}

std::optional<QByteArray> build(Id id, int cameraAddress, std::span<const int> values)
{
    if (int(id) >= kEntryCount || cameraAddress < 1 || cameraAddress > kBroadcast)
        return std::nullopt;
    const Entry &e = entry(id);
    if ((e.broadcastOnly && cameraAddress != kBroadcast) ||
        values.size() != std::size_t(e.valueCount()))
        return std::nullopt;

    std::array<std::uint8_t, kMaxPacket> out = e.fixed;
    out[0] = std::uint8_t(0x80 + cameraAddress);
    std::size_t k = 0;
    for (const Field &f : e.fieldList()) {
        std::uint8_t *at = out.data() + f.at;
        if (f.packing == Packing::Run) {
            for (int j = 0; j < f.count; ++j) {
                const int v = values[k++];
                if (!inRange(f, v))
                    return std::nullopt;
                at[j] = std::uint8_t(v);
            }
            continue;
        }
        const int v = values[k++];
        if (!inRange(f, v))
            return std::nullopt;
        switch (f.packing) {
        case Packing::Byte:
            at[0] = std::uint8_t(v);
            break;
        case Packing::Nibbles:
            for (int j = 0; j < f.count; ++j)
                at[j] |= std::uint8_t((v >> (4 * (f.count - 1 - j))) & 0x0F);
            break;
        case Packing::LowNibble:
            at[0] |= std::uint8_t(v);
            break;
        case Packing::HighNibble:
            at[0] |= std::uint8_t(v << 4);
            break;
        case Packing::Digits:
            at[0] |= std::uint8_t(v / 10);
            at[1] |= std::uint8_t(v % 10);
            break;
        case Packing::Run:
            break;
        }
    }
    return QByteArray(reinterpret_cast<const char *>(out.data()), e.length);
}

std::optional<QByteArray> build(Id id, int cameraAddress, std::initializer_list<int> values)
{
    return build(id, cameraAddress, std::span<const int>(values.begin(), values.size()));
}

std::span<const int> Command::fieldValues(int field) const
{
    if (!entry || field < 0 || field >= entry->fieldCount)
        return {};
    const int at = entry->valueOffset(field);
    return std::span<const int>(values).subspan(
        std::size_t(at), std::size_t(entry->fields[std::size_t(field)].valueCount()));
}

Command decodeCommand(QByteArrayView packet)
{
    const qsizetype n = packet.size();
    if (n < 4 || n > kMaxPacket)
        return {};
    const std::uint8_t *b = bytesOf(packet);
    if (b[0] < 0x81 || b[0] > kBroadcastHeader)
        return {};

    const auto rows = table();
    Command outOfRange;
    for (std::uint16_t i : index().candidates(b[3])) {
        const Entry &e = rows[i];
        if (e.length != n || (e.broadcastOnly && b[0] != kBroadcastHeader))
            continue;
        bool shape = true;
        for (qsizetype p = 1; p < n && shape; ++p)
            shape = (b[p] & e.fixedMask[std::size_t(p)]) == e.fixed[std::size_t(p)];
        if (!shape)
            continue;
        Command c;
        c.entry = &e;
        c.address = b[0] - 0x80;
        c.inRange = readValues(e, b, c);
        if (c.inRange)
            return c;
        if (!outOfRange.entry)
            outOfRange = c;
    }
    return outOfRange;
}

Reply decodeReply(QByteArrayView reply)
{
    Reply r;
    const qsizetype n = reply.size();
    if (n < 3 || n > 64)
        return r;
    const std::uint8_t *b = bytesOf(reply);
    if (b[n - 1] != kTerminator || std::find(b, b + n - 1, kTerminator) != b + n - 1)
        return r;

    if (b[0] == kBroadcastHeader) {
        if (n == 5 && b[1] == 0x01 && b[2] == 0x00 && b[3] == 0x01) {
            r.kind = ReplyKind::InterfaceClear;
            r.address = kBroadcast;
        } else if (n == 4 && b[1] == 0x30 && (b[2] & 0xF0) == 0) {
            r.kind = ReplyKind::AddressSet;
            r.address = kBroadcast;
            r.nextAddress = b[2];
        }
        return r;
    }
    // y0: 90, A0 .. F0.
    if ((b[0] & 0x0F) != 0 || b[0] < 0x90)
        return r;
    const int address = (b[0] >> 4) - 8;
    const int type = b[1] >> 4;
    const int socket = b[1] & 0x0F;
    if (n == 3 && type == 0x4) {
        r.kind = ReplyKind::Acknowledge;
    } else if (n == 3 && type == 0x5) {
        r.kind = ReplyKind::Completion;
    } else if (n == 4 && type == 0x6) {
        r.kind = ReplyKind::Error;
        r.errorCode = b[2];
    } else if (n > 3 && b[1] == 0x50) {
        r.kind = ReplyKind::InquiryReply;
        r.payload = reply.sliced(2, n - 3);
    } else if (n == 3 && b[1] == 0x38) {
        r.kind = ReplyKind::NetworkChange;
        r.address = address;
        return r;
    } else {
        return r;
    }
    r.address = address;
    if (r.kind != ReplyKind::InquiryReply)
        r.socket = socket;
    return r;
}

QString errorName(int code)
{
    switch (ErrorCode(code)) {
    case ErrorCode::SyntaxError:
        return QStringLiteral("syntax error");
    case ErrorCode::CommandBufferFull:
        return QStringLiteral("command buffer full");
    case ErrorCode::CommandCancelled:
        return QStringLiteral("command cancelled");
    case ErrorCode::NoSocket:
        return QStringLiteral("no socket");
    case ErrorCode::CommandNotExecutable:
        return QStringLiteral("command not executable");
    }
    return {};
}

QString describeCommand(const Command &c)
{
    if (!c.entry)
        return QStringLiteral("Unknown");
    QString s = QLatin1String(c.entry->name);
    for (int i = 0; i < c.entry->fieldCount; ++i) {
        s.append(i == 0 ? QLatin1String(": ") : QLatin1String(", "));
        s.append(fieldText(c.entry->fields[std::size_t(i)], c.fieldValues(i)));
    }
    if (!c.inRange)
        s.append(QLatin1String(" (out of range)"));
    return s;
}

QString describeReply(const Reply &r, const InquiryReplyNamer &namer)
{
    const QString socket = QStringLiteral(" (socket %1)").arg(r.socket);
    switch (r.kind) {
    case ReplyKind::Acknowledge:
        return QLatin1String("Acknowledge") + socket;
    case ReplyKind::Completion:
        return QLatin1String("Completion") + socket;
    case ReplyKind::Error: {
        QString name = errorName(r.errorCode);
        if (name.isEmpty())
            name = QLatin1String("code ") + hexPair(std::uint8_t(r.errorCode));
        return QLatin1String("Error: ") + name + socket;
    }
    case ReplyKind::InquiryReply: {
        QString data = namer ? namer(r.payload) : QString();
        if (data.isEmpty())
            data = spacedHex(r.payload);
        return QLatin1String("Inquiry reply: ") + data;
    }
    case ReplyKind::NetworkChange:
        return QStringLiteral("Network change");
    case ReplyKind::InterfaceClear:
        return QStringLiteral("Interface clear (all cameras)");
    case ReplyKind::AddressSet: {
        const int count = r.cameraCount();
        if (count < 1 || count > 7)
            return QStringLiteral("Address set: next address %1").arg(r.nextAddress);
        return count == 1 ? QStringLiteral("Address set: 1 camera")
                          : QStringLiteral("Address set: %1 cameras").arg(count);
    }
    case ReplyKind::Unknown:
        break;
    }
    return QStringLiteral("Unknown");
}

QString describe(QByteArrayView packet, bool fromCamera, const InquiryReplyNamer &namer)
{
    if (fromCamera) {
        const Reply r = decodeReply(packet);
        if (r.kind != ReplyKind::Unknown)
            return describeReply(r, namer);
    } else {
        const Command c = decodeCommand(packet);
        if (c.known())
            return describeCommand(c);
    }
    if (packet.isEmpty())
        return QStringLiteral("Unknown");
    return QLatin1String("Unknown: ") + spacedHex(packet);
}

} // namespace zam::catalog
