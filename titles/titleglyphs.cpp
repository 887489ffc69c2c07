#include "titleglyphs.h"

#include "titlecode.h"

#include <QFontMetrics>
#include <QHelpEvent>
#include <QKeyEvent>
#include <QMouseEvent>
#include <QPainter>
#include <QToolTip>

namespace zam {

namespace {

// Two-letter glyphs (the mark sign, a missing franc sign) need a smaller face
// to fit the 23-unit box.
QFont glyphFont(int letters)
{
    QFont f;
    f.setStyleHint(QFont::SansSerif);
    f.setBold(true);
    f.setPixelSize(letters > 1 ? 11 : 17);
    return f;
}

QString drawableGlyph(std::uint8_t code)
{
    QString g = titles::glyphText(code);
    // Not every font has the franc sign; the camera's own list writes it F=.
    if (g.size() == 1 && !QFontMetrics(glyphFont(1)).inFontUcs4(g[0].unicode()))
        return titles::titleCharacters()[code].listed;
    return g;
}

QString describe(std::uint8_t code)
{
    const titles::TitleChar &c = titles::titleCharacters()[code];
    const QString glyph = c.glyph.isEmpty() ? QStringLiteral("blank") : c.glyph;
    const QString key = c.key == u' ' ? QStringLiteral("Space") : QString(c.key);
    return QStringLiteral("%1 (code %2, key %3)")
        .arg(glyph, QStringLiteral("%1").arg(code, 2, 16, QChar(u'0')).toUpper(), key);
}

} // namespace

void paintTitleGlyph(QPainter &p, const QRect &box, std::uint8_t code, bool inverted)
{
    p.fillRect(box, inverted ? Qt::black : Qt::white);
    const QString g = code < titles::kCodeCount ? drawableGlyph(code) : QString();
    if (g.isEmpty())
        return;
    p.save();
    p.setPen(inverted ? Qt::white : Qt::black);
    p.setFont(glyphFont(int(g.size())));
    p.drawText(box, Qt::AlignCenter, g);
    p.restore();
}

// ---- TitleChart

TitleChart::TitleChart(QWidget *parent) : QWidget(parent)
{
    setMouseTracking(true);
    setFocusPolicy(Qt::StrongFocus);
    setSizePolicy(QSizePolicy::Fixed, QSizePolicy::Fixed);
    setCursor(Qt::PointingHandCursor);
}

QSize TitleChart::sizeHint() const
{
    return {titles::kChartColumns * titles::kChartCell, titles::kChartRows * titles::kChartCell};
}

void TitleChart::paintEvent(QPaintEvent *)
{
    QPainter p(this);
    p.fillRect(rect(), Qt::white);
    for (int c = 0; c < titles::kCodeCount; ++c) {
        const auto code = std::uint8_t(c);
        paintTitleGlyph(p, titles::chartGlyphBox(code), code, m_highlight == code);
    }
    // Blank is a character too: mark its cell so that it can be found.
    if (m_highlight != titles::kBlank) {
        const QRect b = titles::chartGlyphBox(titles::kBlank).adjusted(4, 4, -5, -5);
        p.setPen(QPen(Qt::gray, 1, Qt::DotLine));
        p.drawRect(b);
    }
    if (hasFocus() && m_highlight) {
        p.setPen(QPen(palette().highlight().color(), 1));
        p.drawRect(titles::chartGlyphBox(*m_highlight).adjusted(-1, -1, 0, 0));
    }
}

void TitleChart::setHighlight(std::optional<std::uint8_t> code)
{
    if (code == m_highlight)
        return;
    m_highlight = code;
    update();
}

void TitleChart::mouseMoveEvent(QMouseEvent *event)
{
    setHighlight(titles::chartCodeAt(event->position().toPoint()));
}

void TitleChart::mousePressEvent(QMouseEvent *event)
{
    if (event->button() != Qt::LeftButton)
        return;
    if (const auto code = titles::chartCodeAt(event->position().toPoint()))
        Q_EMIT codePicked(*code);
}

void TitleChart::leaveEvent(QEvent *)
{
    if (!hasFocus())
        setHighlight(std::nullopt);
}

void TitleChart::keyPressEvent(QKeyEvent *event)
{
    const int at = m_highlight ? *m_highlight : 0;
    int next = at;
    switch (event->key()) {
    case Qt::Key_Left:
        next = at - 1;
        break;
    case Qt::Key_Right:
        next = at + 1;
        break;
    case Qt::Key_Up:
        next = at - titles::kChartColumns;
        break;
    case Qt::Key_Down:
        next = at + titles::kChartColumns;
        break;
    case Qt::Key_Home:
        next = 0;
        break;
    case Qt::Key_End:
        next = titles::kCodeCount - 1;
        break;
    case Qt::Key_Return:
    case Qt::Key_Enter:
    case Qt::Key_Space:
        if (m_highlight)
            Q_EMIT codePicked(*m_highlight);
        else
            setHighlight(0);
        return;
    default:
        QWidget::keyPressEvent(event);
        return;
    }
    if (next >= 0 && next < titles::kCodeCount)
        setHighlight(std::uint8_t(next));
    else if (!m_highlight)
        setHighlight(0);
}

bool TitleChart::event(QEvent *event)
{
    if (event->type() == QEvent::ToolTip) {
        auto *help = static_cast<QHelpEvent *>(event);
        if (const auto code = titles::chartCodeAt(help->pos()))
            QToolTip::showText(help->globalPos(), describe(*code), this);
        else
            QToolTip::hideText();
        return true;
    }
    if (event->type() == QEvent::FocusIn || event->type() == QEvent::FocusOut)
        update();
    return QWidget::event(event);
}

// ---- TitleCell

TitleCell::TitleCell(QWidget *parent) : QWidget(parent)
{
    setFocusPolicy(Qt::StrongFocus);
    setSizePolicy(QSizePolicy::Fixed, QSizePolicy::Fixed);
}

QSize TitleCell::sizeHint() const
{
    return {titles::kChartCell, titles::kChartCell};
}

void TitleCell::setGlyph(std::uint8_t code, bool atCursor)
{
    if (code == m_code && atCursor == m_atCursor)
        return;
    m_code = code;
    m_atCursor = atCursor;
    update();
}

void TitleCell::paintEvent(QPaintEvent *)
{
    QPainter p(this);
    p.fillRect(rect(), m_atCursor ? Qt::black : Qt::white);
    paintTitleGlyph(p, QRect(1, 1, titles::kChartGlyph, titles::kChartGlyph), m_code, m_atCursor);
    p.setPen(QPen(hasFocus() ? palette().highlight().color() : QColor(Qt::gray), 1));
    p.drawRect(rect().adjusted(0, 0, -1, -1));
}

void TitleCell::mousePressEvent(QMouseEvent *event)
{
    if (event->button() == Qt::LeftButton) {
        setFocus(Qt::MouseFocusReason);
        Q_EMIT clicked();
    }
}

void TitleCell::keyPressEvent(QKeyEvent *event)
{
    switch (event->key()) {
    case Qt::Key_Left:
    case Qt::Key_Right:
    case Qt::Key_Backspace:
    case Qt::Key_Delete:
        Q_EMIT keyPressed(event->key(), QString());
        return;
    default:
        break;
    }
    const QString text = event->text();
    // Control combinations give no printable text; AltGr characters do.
    if (text.size() == 1 && text[0].isPrint()) {
        Q_EMIT keyPressed(event->key(), text);
        return;
    }
    QWidget::keyPressEvent(event);
}

} // namespace zam
