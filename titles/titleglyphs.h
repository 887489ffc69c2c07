#pragma once
// Drawing the camera's title characters: the glyph chart the operator picks
// characters from, and the character cells of the line being edited.
//
// Both draw in chart units of one logical pixel, so at high DPI Qt scales the
// cells and the glyphs are rendered from fonts at the screen's resolution.

#include <QWidget>
#include <cstdint>
#include <optional>

namespace zam {

// Paints the glyph of a title code into its 23 x 23 box: black on white, or
// white on black when inverted.
void paintTitleGlyph(QPainter &p, const QRect &box, std::uint8_t code, bool inverted);

// The chart of the whole character set: 16 columns of 25 x 25 cells. The cell
// under the pointer (or the one chosen with the arrow keys) is shown
// inverted; a click, Enter or Space picks its code.
class TitleChart : public QWidget {
    Q_OBJECT
public:
    explicit TitleChart(QWidget *parent = nullptr);

    QSize sizeHint() const override;
    QSize minimumSizeHint() const override { return sizeHint(); }
    std::optional<std::uint8_t> highlighted() const { return m_highlight; }

Q_SIGNALS:
    void codePicked(std::uint8_t code);

protected:
    void paintEvent(QPaintEvent *event) override;
    void mouseMoveEvent(QMouseEvent *event) override;
    void mousePressEvent(QMouseEvent *event) override;
    void leaveEvent(QEvent *event) override;
    void keyPressEvent(QKeyEvent *event) override;
    bool event(QEvent *event) override;

private:
    void setHighlight(std::optional<std::uint8_t> code);

    std::optional<std::uint8_t> m_highlight;
};

// One character cell of the edited line. The cell at the cursor is drawn
// inverted (black background). Clicks and keys are passed to the editor.
class TitleCell : public QWidget {
    Q_OBJECT
public:
    explicit TitleCell(QWidget *parent = nullptr);

    QSize sizeHint() const override;
    QSize minimumSizeHint() const override { return sizeHint(); }
    void setGlyph(std::uint8_t code, bool atCursor);
    std::uint8_t code() const { return m_code; }
    bool atCursor() const { return m_atCursor; }

Q_SIGNALS:
    void clicked();
    // Left, Right, Backspace, Delete, or a character key (text not empty).
    void keyPressed(int key, const QString &text);

protected:
    void paintEvent(QPaintEvent *event) override;
    void mousePressEvent(QMouseEvent *event) override;
    void keyPressEvent(QKeyEvent *event) override;

private:
    std::uint8_t m_code = 0x1B;
    bool m_atCursor = false;
};

} // namespace zam
