#include "trafficcells.h"

#include <QApplication>
#include <QPainter>

namespace zam {

const QStaticText &TrafficCells::shaped(const QString &key, const QString &text,
                                        const QFont &font) const
{
    if (font != m_font) {
        m_shaped.clear();
        m_font = font;
    }
    auto it = m_shaped.constFind(key);
    if (it != m_shaped.constEnd())
        return *it;
    // The time column alone brings a new text with every row: start afresh
    // rather than grow without end.
    if (m_shaped.size() >= kMaxShaped)
        m_shaped.clear();
    QStaticText glyphs(text);
    glyphs.setTextFormat(Qt::PlainText);
    glyphs.setPerformanceHint(QStaticText::AggressiveCaching);
    glyphs.prepare(QTransform(), font);
    return *m_shaped.insert(key, glyphs);
}

void TrafficCells::paint(QPainter *painter, const QStyleOptionViewItem &option,
                         const QModelIndex &index) const
{
    QStyleOptionViewItem opt = option;
    initStyleOption(&opt, index);
    const QWidget *widget = opt.widget;
    QStyle *style = widget ? widget->style() : QApplication::style();
    const QString text = opt.text;
    // The style draws everything but the text. Asked for the text's place it
    // would shape the text to measure it; these cells hold text alone (no
    // icon, no check box), so the text has the whole cell.
    opt.text.clear();
    opt.features &= ~QStyleOptionViewItem::HasDisplay;
    style->drawControl(QStyle::CE_ItemViewItem, &opt, painter, widget);
    if (text.isEmpty())
        return;

    const int margin = style->pixelMetric(QStyle::PM_FocusFrameHMargin, nullptr, widget) + 1;
    const QRect room = opt.rect.adjusted(margin, 0, -margin, 0);
    if (room.width() <= 0)
        return;
    const QStaticText *glyphs = &shaped(text, text, opt.font);
    if (glyphs->size().width() > room.width()) {
        // Elided to this width, once; a NUL keeps the key apart from any text.
        const QString key = QString::number(room.width()) + QChar(u'\0') + text;
        const auto held = m_shaped.constFind(key);
        glyphs =
            held != m_shaped.constEnd()
                ? &*held
                : &shaped(key,
                          QFontMetrics(opt.font).elidedText(text, opt.textElideMode, room.width()),
                          opt.font);
    }
    const QSizeF size = glyphs->size();
    const QRect placed =
        QStyle::alignedRect(opt.direction, opt.displayAlignment,
                            QSize(qCeil(size.width()), qCeil(size.height())), room);

    const QPalette::ColorGroup group = !(opt.state & QStyle::State_Enabled) ? QPalette::Disabled
                                       : (opt.state & QStyle::State_Active) ? QPalette::Normal
                                                                            : QPalette::Inactive;
    const QPalette::ColorRole role =
        (opt.state & QStyle::State_Selected) ? QPalette::HighlightedText : QPalette::Text;
    painter->save();
    painter->setPen(opt.palette.color(group, role));
    painter->setFont(opt.font);
    painter->setClipRect(room);
    painter->drawStaticText(placed.topLeft(), *glyphs);
    painter->restore();
}

} // namespace zam
