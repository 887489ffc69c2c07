#pragma once
// A picture of the camera's coarse position grid (cells numbered in
// hexadecimal across and down) with rectangles drawn over it: the privacy
// zones of the earlier camera family, or the AE spot. It takes no clicks;
// the dialog redraws it from its boxes as the operator types.

#include <QList>
#include <QWidget>

namespace zam {

class ZoneGrid : public QWidget {
    Q_OBJECT
public:
    // A rectangle of cells: columns x .. x+width-1, rows y .. y+height-1.
    struct Area {
        int x = 0;
        int y = 0;
        int width = 1;
        int height = 1;
        QString label;
    };

    explicit ZoneGrid(QWidget *parent = nullptr);

    void setGridSize(int columns, int rows);
    int columns() const { return m_columns; }
    int rows() const { return m_rows; }
    // Axis names written beside the cell numbers ("X"/"Y", "q"/"s").
    void setAxisNames(const QString &across, const QString &down);

    void setAreas(QList<Area> areas);
    const QList<Area> &areas() const { return m_areas; }
    // Labels of the areas that cover the cell, in drawing order.
    QStringList labelsAt(int column, int row) const;

    QSize sizeHint() const override;
    QSize minimumSizeHint() const override;

protected:
    void paintEvent(QPaintEvent *event) override;

private:
    QRect cellRect(int column, int row) const;
    int cellSize() const;

    int m_columns = 16;
    int m_rows = 16;
    QString m_across = QStringLiteral("X");
    QString m_down = QStringLiteral("Y");
    QList<Area> m_areas;
};

} // namespace zam
