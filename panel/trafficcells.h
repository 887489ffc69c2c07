#pragma once
// Paints the traffic monitor's cells. The standard delegate lays out and
// shapes every cell's text on every repaint, and the monitor repaints its
// whole table each time rows arrive while it follows the newest: that was
// most of the panel's work during auto refresh. This one keeps each text
// shaped once (QStaticText) and only draws it; the background, selection and
// focus frame still come from the style.

#include <QHash>
#include <QStaticText>
#include <QStyledItemDelegate>

namespace zam {

class TrafficCells : public QStyledItemDelegate {
public:
    using QStyledItemDelegate::QStyledItemDelegate;

    void paint(QPainter *painter, const QStyleOptionViewItem &option,
               const QModelIndex &index) const override;

    // Texts held shaped; never more than kMaxShaped.
    qsizetype shapedCount() const { return m_shaped.size(); }
    static constexpr qsizetype kMaxShaped = 4096;

private:
    // The shaped text for key, shaped from text if it is not held yet.
    const QStaticText &shaped(const QString &key, const QString &text, const QFont &font) const;

    // Keyed by the text, or for an elided text by the width and the text.
    mutable QHash<QString, QStaticText> m_shaped;
    mutable QFont m_font;
};

} // namespace zam
