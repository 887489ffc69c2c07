// The synthetic scene: colour bars, a Siemens star and a zone plate for fine
// detail, a grey scale and a ruler, and at the centre a target whose two
// thin bars sit 22 pixels apart at the wide end, so that zoom can be
// measured on the frame.

#include "picturescene.h"

#include <QPainter>
#include <QPolygonF>
#include <cmath>
#include <numbers>

namespace zam::sim {

namespace {

void drawBars(QPainter &p, const QRect &band)
{
    static constexpr QRgb kBars[] = {0xBFBFBF, 0xBFBF00, 0x00BFBF, 0x00BF00,
                                     0xBF00BF, 0xBF0000, 0x0000BF};
    const int n = int(std::size(kBars));
    for (int i = 0; i < n; ++i) {
        const int x0 = band.left() + band.width() * i / n;
        const int x1 = band.left() + band.width() * (i + 1) / n;
        p.fillRect(QRect(x0, band.top(), x1 - x0, band.height()), QColor(kBars[i]));
    }
}

void drawStar(QPainter &p, QPointF c, double r)
{
    constexpr int kSpokes = 36;
    p.setPen(Qt::NoPen);
    p.setBrush(Qt::white);
    p.drawEllipse(c, r, r);
    p.setBrush(Qt::black);
    for (int i = 0; i < kSpokes; ++i) {
        const double a0 = 2 * std::numbers::pi * i / kSpokes;
        const double a1 = a0 + std::numbers::pi / kSpokes;
        QPolygonF wedge;
        wedge << c << c + QPointF(r * std::cos(a0), r * std::sin(a0))
              << c + QPointF(r * std::cos(a1), r * std::sin(a1));
        p.drawPolygon(wedge);
    }
}

// cos(k r^2): the local frequency rises with the radius to half the
// sampling rate at the plate's edge.
void drawZonePlate(QImage &img, QPoint c, int half)
{
    const double k = std::numbers::pi / (2.0 * half);
    for (int y = -half; y < half; ++y) {
        const int row = c.y() + y;
        if (row < 0 || row >= img.height())
            continue;
        auto *line = reinterpret_cast<QRgb *>(img.scanLine(row));
        for (int x = -half; x < half; ++x) {
            const int col = c.x() + x;
            if (col < 0 || col >= img.width())
                continue;
            const int v = int(127.5 + 127.5 * std::cos(k * (x * x + y * y)));
            line[col] = qRgb(v, v, v);
        }
    }
}

void drawScale(QPainter &p, const QRect &band)
{
    p.fillRect(band, QColor(235, 235, 235));
    p.setPen(QPen(Qt::black, 1));
    for (int x = band.left(); x <= band.right(); x += 10) {
        const int len = (x - band.left()) % 50 == 0 ? band.height() * 2 / 3 : band.height() / 3;
        p.drawLine(x, band.top(), x, band.top() + len);
    }
}

} // namespace

QImage drawScene(QSize size)
{
    QImage img(size, QImage::Format_RGB32);
    img.fill(QColor(90, 100, 110));
    const int w = size.width();
    const int h = size.height();
    {
        QPainter p(&img);
        p.setRenderHint(QPainter::Antialiasing);
        drawBars(p, QRect(0, 0, w, h * 22 / 100));
        drawStar(p, QPointF(w * 0.17, h * 0.5), h * 0.17);
        // Colour patches around the target.
        p.fillRect(QRectF(w * 0.34, h * 0.30, w * 0.08, h * 0.12), QColor(220, 150, 110));
        p.fillRect(QRectF(w * 0.58, h * 0.30, w * 0.08, h * 0.12), QColor(120, 60, 160));
        p.fillRect(QRectF(w * 0.34, h * 0.58, w * 0.08, h * 0.12), QColor(240, 200, 40));
        p.fillRect(QRectF(w * 0.58, h * 0.58, w * 0.08, h * 0.12), QColor(40, 150, 80));
        // Grey scale, 11 steps.
        const QRect steps(0, h * 80 / 100, w, h * 10 / 100);
        for (int i = 0; i < 11; ++i) {
            const int x0 = steps.left() + w * i / 11;
            const int x1 = steps.left() + w * (i + 1) / 11;
            p.fillRect(QRect(x0, steps.top(), x1 - x0, steps.height()),
                       QColor(i * 255 / 10, i * 255 / 10, i * 255 / 10));
        }
        drawScale(p, QRect(0, h * 90 / 100, w, h - h * 90 / 100));
        // The zoom target: a white square with two dark bars at +-11 px.
        p.setRenderHint(QPainter::Antialiasing, false);
        const int cx = w / 2;
        const int cy = h / 2;
        p.fillRect(QRect(cx - 48, cy - 48, 96, 96), Qt::white);
        p.fillRect(QRect(cx - kTargetBarOffset - 1, cy - 40, 2, 80), Qt::black);
        p.fillRect(QRect(cx + kTargetBarOffset - 1, cy - 40, 2, 80), Qt::black);
    }
    drawZonePlate(img, QPoint(int(w * 0.83), h / 2), int(h * 0.17));
    return img;
}

} // namespace zam::sim
