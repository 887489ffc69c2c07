#include "trafficmodel.h"

#include <utility>

#include "packet.h"

#include <QIODevice>

namespace zam {

bool TrafficFilter::shows(const TrafficRow &row) const
{
    if (camera != 0 && row.address != camera && row.address != kBroadcastAddress)
        return false;
    if (direction == Direction::ToCamera && row.fromCamera())
        return false;
    if (direction == Direction::FromCamera && !row.fromCamera())
        return false;
    return !(hideStatusReads && row.statusRead);
}

TrafficModel::TrafficModel(QObject *parent, int capacity)
    : QAbstractTableModel(parent), m_capacity(std::max(1, capacity))
{
    m_unanswered.fill(-1);
    m_unansweredBytes.fill({});
    m_syncTimer.setSingleShot(true);
    m_syncTimer.setInterval(kTrafficSyncMs);
    connect(&m_syncTimer, &ClockTimer::timeout, this, &TrafficModel::sync);
}

void TrafficModel::attach(PortTap &tap)
{
    setClock(tap.clock());
    connect(&tap, &PortTap::bytesPassed, this, &TrafficModel::capture);
    connect(&tap, &PortTap::lineClosed, this, &TrafficModel::lineClosed);
}

void TrafficModel::setDescriber(PacketDescriber describer)
{
    m_describe = std::move(describer);
    for (const TrafficRow &row : m_ring)
        row.described = false;
    if (!m_shown.empty())
        Q_EMIT dataChanged(index(0, Meaning), index(rowCount() - 1, Meaning));
}

void TrafficModel::capture(TrafficDirection direction, QByteArrayView bytes, qint64 ms)
{
    QList<SplitPacket> packets;
    m_splitters[std::size_t(direction)].feed(bytes, packets);
    for (SplitPacket &p : packets) {
        TrafficRow row;
        row.ms = ms;
        row.direction = direction;
        row.terminated = p.terminated;
        row.bytes = std::move(p.bytes);
        append(std::move(row));
    }
}

void TrafficModel::lineClosed(qint64 ms)
{
    for (auto direction : {TrafficDirection::ToCamera, TrafficDirection::FromCamera}) {
        QList<SplitPacket> rest;
        m_splitters[std::size_t(direction)].flush(rest);
        for (SplitPacket &p : rest)
            append({std::move(p.bytes), ms, -1, direction, 0, false, false, {}, {}, false});
    }
    // Nothing sent before the close is answered after it.
    m_unanswered.fill(-1);
    m_unansweredBytes.fill({});
}

void TrafficModel::append(TrafficRow row)
{
    if (row.terminated) {
        const bool fromCamera = row.fromCamera();
        const int address = packetAddress(row.bytes, fromCamera);
        row.address = std::uint8_t(address);
        if (address != 0) {
            qint64 &sent = m_unanswered[std::size_t(address)];
            QByteArray &command = m_unansweredBytes[std::size_t(address)];
            if (!fromCamera) {
                sent = row.ms;
                command = row.bytes;
                row.statusRead = isStatusReadInquiry(row.bytes);
            } else if (sent >= 0 && finishesCommand(row.bytes)) {
                row.roundTripMs = qint32(std::min<qint64>(row.ms - sent, INT32_MAX));
                row.answers = std::exchange(command, {});
                row.statusRead = isStatusReadInquiry(row.answers);
                sent = -1;
            }
        }
    }
    if (m_end - m_first == quint64(m_capacity))
        ++m_first;
    const std::size_t slot = std::size_t(m_end % quint64(m_capacity));
    if (slot < m_ring.size())
        m_ring[slot] = std::move(row);
    else
        m_ring.push_back(std::move(row));
    ++m_end;
    scheduleSync();
}

void TrafficModel::scheduleSync()
{
    if (!m_syncTimer.isActive())
        m_syncTimer.start();
}

void TrafficModel::sync()
{
    m_syncTimer.stop();
    // Rows the ring has dropped leave the view first; they are the oldest
    // and so at its top.
    int gone = 0;
    while (std::size_t(gone) < m_shown.size() && m_shown[std::size_t(gone)] < m_first)
        ++gone;
    if (gone > 0) {
        beginRemoveRows({}, 0, gone - 1);
        m_shown.erase(m_shown.begin(), m_shown.begin() + gone);
        endRemoveRows();
    }
    m_shownEnd = std::max(m_shownEnd, m_first);
    if (m_paused || m_shownEnd == m_end)
        return;
    std::vector<quint64> added;
    for (quint64 seq = m_shownEnd; seq < m_end; ++seq)
        if (m_filter.shows(at(seq)))
            added.push_back(seq);
    m_shownEnd = m_end;
    if (added.empty())
        return;
    const int first = rowCount();
    beginInsertRows({}, first, first + int(added.size()) - 1);
    m_shown.insert(m_shown.end(), added.begin(), added.end());
    endInsertRows();
}

void TrafficModel::rebuildShown()
{
    m_shownEnd = std::max(m_shownEnd, m_first);
    beginResetModel();
    m_shown.clear();
    for (quint64 seq = m_first; seq < m_shownEnd; ++seq)
        if (m_filter.shows(at(seq)))
            m_shown.push_back(seq);
    endResetModel();
}

void TrafficModel::setFilter(const TrafficFilter &filter)
{
    m_filter = filter;
    rebuildShown();
}

void TrafficModel::setPaused(bool paused)
{
    if (m_paused == paused)
        return;
    m_paused = paused;
    if (!paused)
        sync();
}

void TrafficModel::clear()
{
    beginResetModel();
    m_ring.clear();
    m_ring.shrink_to_fit();
    m_shown.clear();
    m_first = m_end = m_shownEnd = 0;
    endResetModel();
}

const TrafficRow &TrafficModel::shownRow(int row) const
{
    return at(m_shown[std::size_t(row)]);
}

QString TrafficModel::meaning(const TrafficRow &row) const
{
    if (!row.terminated)
        return QStringLiteral("unknown");
    if (!row.described && m_describe) {
        row.meaning = m_describe(row.bytes, row.fromCamera(), row.answers);
        row.described = true;
    }
    return row.meaning;
}

int TrafficModel::rowCount(const QModelIndex &parent) const
{
    return parent.isValid() ? 0 : int(m_shown.size());
}

int TrafficModel::columnCount(const QModelIndex &parent) const
{
    return parent.isValid() ? 0 : ColumnCount;
}

QString TrafficModel::columnTitle(int column)
{
    switch (column) {
    case Time:
        return QStringLiteral("Time (ms)");
    case Direction:
        return QStringLiteral("Direction");
    case Camera:
        return QStringLiteral("Camera");
    case Bytes:
        return QStringLiteral("Bytes");
    case Meaning:
        return QStringLiteral("Meaning");
    case RoundTrip:
        return QStringLiteral("Round trip (ms)");
    }
    return {};
}

QString TrafficModel::text(const TrafficRow &row, int column) const
{
    switch (column) {
    case Time:
        return QString::number(row.ms);
    case Direction:
        return row.fromCamera() ? QStringLiteral("From camera") : QStringLiteral("To camera");
    case Camera:
        if (row.address == kBroadcastAddress)
            return QStringLiteral("Broadcast");
        return row.address == 0 ? QString() : QString::number(row.address);
    case Bytes:
        return hexSpaced(row.bytes).chopped(row.bytes.isEmpty() ? 0 : 1);
    case Meaning:
        return meaning(row);
    case RoundTrip:
        return row.roundTripMs < 0 ? QString() : QString::number(row.roundTripMs);
    }
    return {};
}

QVariant TrafficModel::data(const QModelIndex &index, int role) const
{
    if (!index.isValid() || index.row() >= rowCount() || index.column() >= ColumnCount)
        return {};
    const quint64 seq = m_shown[std::size_t(index.row())];
    if (seq < m_first) // dropped by the ring; the view learns at the next sync
        return {};
    // The meaning is also the cell's tool tip: the column elides long ones.
    if (role == Qt::DisplayRole || (role == Qt::ToolTipRole && index.column() == Meaning))
        return text(at(seq), index.column());
    if (role == Qt::TextAlignmentRole && (index.column() == Time || index.column() == RoundTrip))
        return QVariant::fromValue(Qt::AlignRight | Qt::AlignVCenter);
    return {};
}

QVariant TrafficModel::headerData(int section, Qt::Orientation orientation, int role) const
{
    if (orientation == Qt::Horizontal && role == Qt::DisplayRole)
        return columnTitle(section);
    return {};
}

namespace {

QString csvField(const QString &s)
{
    static const QString kSpecial = QStringLiteral(",\"\r\n");
    bool quote = false;
    for (QChar c : s)
        quote = quote || kSpecial.contains(c);
    if (!quote)
        return s;
    QString q = s;
    q.replace(u'"', QStringLiteral("\"\""));
    return u'"' + q + u'"';
}

// Writes in chunks so that a large export does not build one huge buffer.
class ChunkWriter {
public:
    explicit ChunkWriter(QIODevice &out) : m_out(out) {}
    void add(const QString &line)
    {
        m_buffer += line.toUtf8();
        if (m_buffer.size() > 1 << 16)
            flush();
    }
    bool finish()
    {
        flush();
        return m_ok;
    }

private:
    void flush()
    {
        if (m_ok && !m_buffer.isEmpty())
            m_ok = m_out.write(m_buffer) == m_buffer.size();
        m_buffer.clear();
    }
    QIODevice &m_out;
    QByteArray m_buffer;
    bool m_ok = true;
};

} // namespace

bool writeTrafficCsv(const TrafficModel &model, QIODevice &out)
{
    ChunkWriter w(out);
    auto line = [](auto cell) {
        QString s;
        for (int c = 0; c < TrafficModel::ColumnCount; ++c) {
            if (c > 0)
                s += u',';
            s += csvField(cell(c));
        }
        return s + QStringLiteral("\r\n");
    };
    w.add(line([](int c) { return TrafficModel::columnTitle(c); }));
    for (int r = 0; r < model.rowCount(); ++r) {
        const TrafficRow &row = model.shownRow(r);
        w.add(line([&](int c) { return model.text(row, c); }));
    }
    return w.finish();
}

bool writeTrafficText(const TrafficModel &model, QIODevice &out)
{
    // Every column as wide as its widest cell, the meaning last and unpadded.
    std::array<qsizetype, TrafficModel::ColumnCount> width{};
    for (int c = 0; c < TrafficModel::ColumnCount; ++c)
        width[std::size_t(c)] = TrafficModel::columnTitle(c).size();
    for (int r = 0; r < model.rowCount(); ++r) {
        const TrafficRow &row = model.shownRow(r);
        for (int c : {TrafficModel::Time, TrafficModel::Direction, TrafficModel::Camera,
                      TrafficModel::Bytes, TrafficModel::RoundTrip})
            width[std::size_t(c)] = std::max(width[std::size_t(c)], model.text(row, c).size());
    }
    static constexpr int kOrder[] = {TrafficModel::Time,      TrafficModel::Direction,
                                     TrafficModel::Camera,    TrafficModel::Bytes,
                                     TrafficModel::RoundTrip, TrafficModel::Meaning};
    auto line = [&](auto cell) {
        QString s;
        for (int c : kOrder) {
            const QString t = cell(c);
            const auto w = int(width[std::size_t(c)]);
            if (c == TrafficModel::Meaning)
                s += t;
            else if (c == TrafficModel::Time || c == TrafficModel::RoundTrip)
                s += t.rightJustified(w) + QStringLiteral("  ");
            else
                s += t.leftJustified(w) + QStringLiteral("  ");
        }
        while (s.endsWith(u' '))
            s.chop(1);
        return s + u'\n';
    };
    ChunkWriter w(out);
    w.add(line([](int c) { return TrafficModel::columnTitle(c); }));
    for (int r = 0; r < model.rowCount(); ++r) {
        const TrafficRow &row = model.shownRow(r);
        w.add(line([&](int c) { return model.text(row, c); }));
    }
    return w.finish();
}

} // namespace zam
