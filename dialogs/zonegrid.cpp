#include "zonegrid.h"

#include <QPainter>

#include <algorithm>

namespace zam {

namespace {
constexpr int kMargin = 34; // room for the axis name and the cell numbers
const QColor kAreaColours[] = {QColor(220, 60, 60, 110),  QColor(60, 140, 220, 110),
                               QColor(60, 180, 80, 110),  QColor(220, 160, 40, 110),
                               QColor(150, 80, 200, 110), QColor(40, 180, 180, 110)};
} // namespace

ZoneGrid::ZoneGrid(QWidget *parent) : QWidget(parent)
{
    setAttribute(Qt::WA_OpaquePaintEvent, false);
    setFocusPolicy(Qt::NoFocus);
    setSizePolicy(QSizePolicy::Expanding, QSizePolicy::Expanding);
}

void ZoneGrid::setGridSize(int columns, int rows)
{
    m_columns = std::clamp(columns, 1, 16);
    m_rows = std::clamp(rows, 1, 16);
    updateGeometry();
    update();
}

void ZoneGrid::setAxisNames(const QString &across, const QString &down)
{
    m_across = across;
    m_down = down;
    update();
}

void ZoneGrid::setAreas(QList<Area> areas)
{
    m_areas = std::move(areas);
    QStringList described;
    for (const Area &a : m_areas)
        described << QStringLiteral("%1 at %2, %3, %4 by %5 cells")
                         .arg(a.label)
                         .arg(a.x, 0, 16)
                         .arg(a.y, 0, 16)
                         .arg(a.width)
                         .arg(a.height)
                         .toUpper();
    setAccessibleDescription(described.isEmpty() ? QStringLiteral("Nothing marked")
                                                 : described.join(QStringLiteral("; ")));
    update();
}

QStringList ZoneGrid::labelsAt(int column, int row) const
{
    QStringList out;
    for (const Area &a : m_areas)
        if (column >= a.x && column < a.x + a.width && row >= a.y && row < a.y + a.height)
            out << a.label;
    return out;
}

QSize ZoneGrid::sizeHint() const
{
    return {kMargin + 20 * m_columns + 2, kMargin + 20 * m_rows + 2};
}

QSize ZoneGrid::minimumSizeHint() const
{
    return {kMargin + 16 * m_columns + 2, kMargin + 16 * m_rows + 2};
}

int ZoneGrid::cellSize() const
{
    return std::max(
        4, std::min((width() - kMargin - 2) / m_columns, (height() - kMargin - 2) / m_rows));
}

QRect ZoneGrid::cellRect(int column, int row) const
{
    const int c = cellSize();
    return {kMargin + column * c, kMargin + row * c, c, c};
}

void ZoneGrid::paintEvent(QPaintEvent *)
{
    QPainter p(this);
    const int c = cellSize();
    const QRect grid(kMargin, kMargin, c * m_columns, c * m_rows);
    p.fillRect(grid, palette().base());

    // Areas first, clipped to the grid, so that the lines stay visible.
    p.save();
    p.setClipRect(grid);
    for (int i = 0; i < m_areas.size(); ++i) {
        const Area &a = m_areas[i];
        if (a.width <= 0 || a.height <= 0)
            continue;
        const QRect r = cellRect(a.x, a.y).united(cellRect(a.x + a.width - 1, a.y + a.height - 1));
        p.fillRect(r, kAreaColours[i % int(std::size(kAreaColours))]);
        const QRect shown = r.intersected(grid);
        if (fontMetrics().horizontalAdvance(a.label) < shown.width()) {
            p.setPen(palette().text().color());
            p.drawText(shown, Qt::AlignCenter, a.label);
        }
    }
    p.restore();

    p.setPen(palette().mid().color());
    for (int i = 0; i <= m_columns; ++i)
        p.drawLine(grid.left() + i * c, grid.top(), grid.left() + i * c, grid.top() + m_rows * c);
    for (int j = 0; j <= m_rows; ++j)
        p.drawLine(grid.left(), grid.top() + j * c, grid.left() + m_columns * c,
                   grid.top() + j * c);

    p.setPen(palette().windowText().color());
    QFont small = font();
    small.setPointSizeF(std::max(6.0, small.pointSizeF() * 0.8));
    p.setFont(small);
    for (int i = 0; i < m_columns; ++i)
        p.drawText(QRect(grid.left() + i * c, kMargin - 16, c, 14), Qt::AlignCenter,
                   QString::number(i, 16).toUpper());
    for (int j = 0; j < m_rows; ++j)
        p.drawText(QRect(kMargin - 16, grid.top() + j * c, 14, c), Qt::AlignCenter,
                   QString::number(j, 16).toUpper());
    p.setFont(font());
    p.drawText(QRect(grid.left(), 0, grid.width(), kMargin - 16), Qt::AlignCenter, m_across);
    p.drawText(QRect(0, grid.top(), kMargin - 16, grid.height()), Qt::AlignCenter, m_down);
}

} // namespace zam
