#pragma once
// Every packet on the line, one row each, for the traffic monitor.
//
// Capture never stops: packets go into a ring of the newest kTrafficRows
// rows as they pass. The view's rows (filtered, and frozen while paused)
// are an index into the ring, brought up to date at most kTrafficSyncMs
// after a packet, so a burst of packets costs the view one insertion. Pausing freezes the
// view only; resuming shows everything captured meanwhile that the ring
// still holds.
//
// Columns: time (ms since the port opened), direction, camera, bytes,
// meaning, round trip (ms from the latest unanswered command to that camera
// to the reply that finishes it).

#include "porttap.h"
#include "trafficpackets.h"

#include <QAbstractTableModel>

#include <array>
#include <deque>
#include <functional>
#include <vector>

class QIODevice;

namespace zam {

inline constexpr int kTrafficRows = 100'000;
// New rows reach the view at most this late; a burst (a status read's ten
// packets) is then one insertion and one repaint, not ten.
inline constexpr int kTrafficSyncMs = 100;

// The meaning of one packet, in words. For a finishing reply `answers` is
// the command it finishes (an inquiry reply is named from its inquiry),
// else empty.
using PacketDescriber =
    std::function<QString(QByteArrayView packet, bool fromCamera, QByteArrayView answers)>;

struct TrafficRow {
    QByteArray bytes;
    qint64 ms = 0;
    qint32 roundTripMs = -1; // -1: not a finishing reply, or nothing to pair
    TrafficDirection direction = TrafficDirection::ToCamera;
    std::uint8_t address = 0; // 1..7, kBroadcastAddress, 0 unknown
    bool statusRead = false;  // a status read's inquiry, or the reply that finishes one
    bool terminated = true;
    QByteArray answers; // the command a finishing reply finishes (shared, not copied)
    // The meaning, worked out the first time the row is shown or saved.
    mutable QString meaning;
    mutable bool described = false;

    bool fromCamera() const { return direction == TrafficDirection::FromCamera; }
};

struct TrafficFilter {
    enum class Direction { Both, ToCamera, FromCamera };
    int camera = 0; // 0: all; 1..7: that camera and the broadcasts
    Direction direction = Direction::Both;
    bool hideStatusReads = false;

    bool shows(const TrafficRow &row) const;
};

class TrafficModel : public QAbstractTableModel {
    Q_OBJECT
public:
    enum Column { Time, Direction, Camera, Bytes, Meaning, RoundTrip, ColumnCount };

    explicit TrafficModel(QObject *parent = nullptr, int capacity = kTrafficRows);

    // Captures everything that passes the tap from now on; the view is
    // brought up to date on the tap's clock.
    void attach(PortTap &tap);
    // The clock the view's updates wait on (tests feed the model directly).
    void setClock(Clock &clock) { m_syncTimer.setClock(clock); }
    void setDescriber(PacketDescriber describer);

    // The tap's events, also for feeding the model directly.
    void capture(TrafficDirection direction, QByteArrayView bytes, qint64 ms);
    void lineClosed(qint64 ms);

    void setFilter(const TrafficFilter &filter);
    const TrafficFilter &filter() const { return m_filter; }
    void setPaused(bool paused);
    bool paused() const { return m_paused; }
    // Forgets every captured row (bytes still waiting for their FF stay).
    void clear();
    // Brings the view's rows up to date now instead of at the next turn.
    void sync();

    int capacity() const { return m_capacity; }
    // Rows the ring holds, shown or not.
    qsizetype capturedCount() const { return qsizetype(m_end - m_first); }
    // The row the view shows at `row`.
    const TrafficRow &shownRow(int row) const;
    QString meaning(const TrafficRow &row) const;

    int rowCount(const QModelIndex &parent = {}) const override;
    int columnCount(const QModelIndex &parent = {}) const override;
    QVariant data(const QModelIndex &index, int role = Qt::DisplayRole) const override;
    QVariant headerData(int section, Qt::Orientation orientation,
                        int role = Qt::DisplayRole) const override;

    static QString columnTitle(int column);
    // A cell as the view shows it.
    QString text(const TrafficRow &row, int column) const;

private:
    void append(TrafficRow row);
    const TrafficRow &at(quint64 seq) const
    {
        return m_ring[std::size_t(seq % quint64(m_capacity))];
    }
    void rebuildShown();
    void scheduleSync();

    int m_capacity;
    std::vector<TrafficRow> m_ring;
    quint64 m_first = 0;    // oldest row the ring holds
    quint64 m_end = 0;      // one past the newest
    quint64 m_shownEnd = 0; // rows up to here have been offered to the view
    std::deque<quint64> m_shown;
    TrafficFilter m_filter;
    bool m_paused = false;
    PacketDescriber m_describe;
    std::array<PacketSplitter, 2> m_splitters;
    // Per address 1..8, when its latest unanswered command was sent (-1: none).
    std::array<qint64, 9> m_unanswered;
    std::array<QByteArray, 9> m_unansweredBytes;
    SteadyClock m_steadyClock; // until attached to a tap
    ClockTimer m_syncTimer{m_steadyClock};
};

// The shown rows with a header row, one line per packet, as comma-separated
// values (RFC 4180: CR LF line ends, fields with commas, quotes or line
// breaks quoted, quotes doubled). Answers whether every byte was written.
bool writeTrafficCsv(const TrafficModel &model, QIODevice &out);
// The shown rows as aligned plain text, a header line first.
bool writeTrafficText(const TrafficModel &model, QIODevice &out);

} // namespace zam
