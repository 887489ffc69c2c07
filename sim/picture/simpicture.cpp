#include "simpicture.h"

#include "picturescene.h"
#include "simcamera.h"
#include "titleglyphs.h"

#include <QPainter>
#include <algorithm>
#include <cmath>
#include <cstring>
#include <vector>

namespace zam::sim {

namespace {

constexpr int kTitleColumns = 24;
constexpr int kTitleRows = 12; // lines 0..10 and the clock's row
constexpr int kMaskColumns = 32;
constexpr int kMaskRows = 24;
constexpr int kDetectColumns = 13;
constexpr int kDetectRows = 9;
constexpr double kWideFieldDeg = 55.0; // horizontal field of view at the wide end
constexpr std::uint8_t kPlaceholder = 0xFF;

// Title colours 0..6: white, yellow, violet, red, cyan, green, blue.
constexpr QRgb kTitleColours[] = {0xFFFFFF, 0xFFFF00, 0xC040FF, 0xFF0000,
                                  0x00FFFF, 0x00FF00, 0x0000FF};

// Mask colour codes 00..0D (+10 half-tone, 7F mosaic).
QColor maskColour(int code)
{
    static constexpr QRgb kColours[] = {0x000000, 0x242424, 0x494949, 0x6D6D6D, 0x929292,
                                        0xB6B6B6, 0xDBDBDB, 0xFFFFFF, 0xFF0000, 0x00FF00,
                                        0x0000FF, 0x00FFFF, 0xFFFF00, 0xFF00FF};
    return QColor(kColours[std::clamp(code & 0x0F, 0, 0x0D)]);
}

QRectF cells(QSize frame, int columns, int rows, double x, double y, double w, double h)
{
    const double cw = double(frame.width()) / columns;
    const double ch = double(frame.height()) / rows;
    return QRectF(x * cw, y * ch, w * cw, h * ch);
}

// Optical times digital magnification at a zoom position (combined range).
double zoomMagnification(const PictureModel &model, double zoom, double digitalFraction)
{
    const double optical = std::clamp(zoom / kZoomOpticalTele, 0.0, 1.0);
    double digital = digitalFraction;
    if (zoom > kZoomOpticalTele)
        digital = std::max(digital, (zoom - kZoomOpticalTele) /
                                        double(kZoomCombinedTele - kZoomOpticalTele));
    digital = std::clamp(digital, 0.0, 1.0);
    return std::pow(double(model.opticalZoom), optical) * (1 + (kDigitalZoomTimes - 1) * digital);
}

double exposureGain(const ExposureState &e)
{
    double ev = 0; // stops from the exposure the auto modes settle at
    switch (e.aeMode) {
    case 0x03: // manual: shutter, iris and gain as set
        if (e.iris == 0)
            return 0;
        ev = -(e.shutter - 6) * 0.5 + (e.iris - 8) * 0.5 + (e.gain - 1) * 0.5;
        break;
    case 0x0D: // bright: one level for iris and gain
        if (e.bright == 0)
            return 0;
        ev = (e.bright - 13) * 0.5;
        break;
    default: // the camera balances the rest itself
        break;
    }
    if (e.aeMode != 0x03 && e.expComp)
        ev += (e.expCompLevel - 7) * 0.25;
    if (e.backLight)
        ev += 1.0;
    return std::pow(2.0, ev);
}

// Red and blue against green: the scene is lit by daylight, so the indoor
// preset turns it blue and the outdoor preset leaves it slightly warm.
std::pair<double, double> whiteGains(const WhiteBalanceState &wb)
{
    switch (wb.mode) {
    case 1:
        return {0.8, 1.25};
    case 2:
        return {1.1, 0.9};
    case 5:
        return {wb.rGain / 128.0, wb.bGain / 128.0};
    default:
        return {1.0, 1.0};
    }
}

std::array<std::uint8_t, 256> gainTable(double gain, bool negative)
{
    std::array<std::uint8_t, 256> t{};
    for (int v = 0; v < 256; ++v) {
        const int g = std::clamp(int(std::lround(v * gain)), 0, 255);
        t[std::size_t(v)] = std::uint8_t(negative ? 255 - g : g);
    }
    return t;
}

// Sharpens one line byte by byte against its unsharpened neighbours four
// bytes (one pixel) away, by k/256 of the difference (k below 2048); the
// alpha bytes, all 255, stay 255. The ends use themselves as their missing
// neighbour. It works in 16 bits: (d << 4) * (k << 4) >> 16 is d * k >> 8
// exactly, and the middle loop vectorizes as a high-half multiply.
void sharpenLine(std::uint8_t *__restrict out, const std::uint8_t *__restrict in, int n, int k)
{
    const auto k16 = std::int16_t(k << 4);
    auto one = [&](int i, int l, int r) {
        const auto v = std::int16_t(in[i]);
        const auto d = std::int16_t((2 * v - l - r) * 16);
        const auto s = std::int16_t(v + std::int16_t(int(d) * int(k16) >> 16));
        out[i] = std::uint8_t(s < 0 ? 0 : s > 255 ? 255 : s);
    };
    for (int i = 0; i < std::min(4, n); ++i)
        one(i, in[i], in[std::min(i + 4, n - 4 + i % 4)]);
    for (int i = 4; i < n - 4; ++i)
        one(i, in[i - 4], in[i + 4]);
    for (int i = std::max(4, n - 4); i < n; ++i)
        one(i, in[i - 4], in[i]);
}

bool anyBlinking(const TitleState &t)
{
    return t.display &&
           std::any_of(t.lines.begin(), t.lines.end(), [](const TitleLine &l) { return l.blink; });
}

// The pan or tilt difference of two 12-bit angle codes, in degrees, -180..180.
double angleDeg(int to, int from)
{
    int d = (to - from) & 0xFFF;
    if (d >= 0x800)
        d -= 0x1000;
    return d * 360.0 / 4096.0;
}

} // namespace

LensView lensView(const PictureModel &model, const LensState &lens, std::int64_t nowMs)
{
    const double zoom = lens.zoom.position(nowMs);
    const double digital = lens.digitalZoomOn && lens.digitalZoomSeparate
                               ? double(lens.digitalZoom.position(nowMs)) / kDigitalZoomMax
                               : 0.0;
    LensView v;
    v.magnification = zoomMagnification(
        model, lens.digitalZoomOn ? zoom : std::min<double>(zoom, kZoomOpticalTele), digital);
    if (!lens.focusAuto) {
        // Depth of field narrows towards the tele end.
        const double optical = std::clamp(zoom / kZoomOpticalTele, 0.0, 1.0);
        const double err = std::abs(lens.focus.position(nowMs) - kSceneFocus);
        v.blurPx = err / 0x800 * (0.4 + 0.6 * optical);
    }
    return v;
}

std::uint64_t pictureKey(const SimCamera &cam, std::int64_t nowMs)
{
    std::uint64_t key = cam.packetsHandled() * 4;
    const LensState &l = cam.state().lens;
    if (l.zoom.moving(nowMs) || l.digitalZoom.moving(nowMs) || l.focus.moving(nowMs))
        key ^= std::uint64_t(nowMs / 100 + 1) << 32;
    if (anyBlinking(cam.titles()))
        key ^= std::uint64_t((nowMs / 500) % 2 + 1);
    return key;
}

const QImage &PictureRenderer::scene(QSize size)
{
    if (m_scene.size() != size)
        m_scene = drawScene(size);
    return m_scene;
}

QImage PictureRenderer::render(const SimCamera &cam, std::int64_t nowMs)
{
    return render(PictureSource{cam.state(), cam.titles(), cam.masks()}, nowMs);
}

QImage PictureRenderer::render(const PictureSource &src, std::int64_t nowMs)
{
    const PictureModel model = pictureModel(src.state.modelCode);
    const QSize size = frameSize(model);
    if (!src.state.power) {
        m_held = QImage();
        QImage black(size, QImage::Format_RGB32);
        black.fill(Qt::black);
        return black;
    }
    // Freeze holds the last live picture; the overlays stay live.
    if (!src.state.picture.freeze || m_held.size() != size)
        m_held = liveScene(src, model, nowMs);
    QImage out = m_held;
    drawOverlays(out, src, model, nowMs);
    return out;
}

QImage PictureRenderer::liveScene(const PictureSource &src, const PictureModel &model,
                                  std::int64_t nowMs)
{
    const CameraState &s = src.state;
    const QImage &wide = scene(frameSize(model));
    const QSize size = wide.size();
    const LensView lens = lensView(model, s.lens, nowMs);

    QImage img(size, QImage::Format_RGB32);
    {
        QPainter p(&img);
        p.setRenderHint(QPainter::SmoothPixmapTransform, lens.magnification > 1.001);
        // Flip turns the picture upside down, left-right reverse mirrors it.
        const bool flip = s.picture.flip;
        const bool mirror = s.picture.lrReverse;
        p.translate(mirror ? size.width() : 0, flip ? size.height() : 0);
        p.scale(mirror ? -1 : 1, flip ? -1 : 1);
        const double m = std::max(1.0, lens.magnification);
        const QSizeF crop(size.width() / m, size.height() / m);
        const QPointF c(size.width() / 2.0, size.height() / 2.0);
        p.drawImage(QRectF(QPointF(0, 0), QSizeF(size)), wide,
                    QRectF(c - QPointF(crop.width() / 2, crop.height() / 2), crop));
    }
    if (lens.blurPx >= 0.75) {
        const double f = 1 + lens.blurPx;
        const QImage small =
            img.scaled(std::max(1, int(size.width() / f)), std::max(1, int(size.height() / f)),
                       Qt::IgnoreAspectRatio, Qt::SmoothTransformation);
        QPainter p(&img);
        p.setRenderHint(QPainter::SmoothPixmapTransform);
        p.drawImage(QRect(QPoint(0, 0), size), small);
    }
    applyTables(img, s);
    return img;
}

// Exposure, white balance, aperture and the effects: aperture sharpens each
// line first, then per-channel tables map the pixels, and black and white
// keeps their luminance alone. A camera at its defaults maps nothing.
void PictureRenderer::applyTables(QImage &img, const CameraState &s) const
{
    const double ev = exposureGain(s.exposure);
    const auto [rg, bg] = whiteGains(s.whiteBalance);
    const bool mono = s.picture.effect == 4 || s.picture.icr;
    const bool negative = s.picture.effect == 1 && !mono;
    const auto tr = gainTable(ev * rg, negative);
    const auto tg = gainTable(ev, negative);
    const auto tb = gainTable(ev * bg, negative);
    // Aperture above its default sharpens along the line.
    const int sharpen = std::clamp(s.exposure.aperture - 5, 0, 10) * 26; // /256 per level
    static const std::array<std::uint8_t, 256> kSame = gainTable(1.0, false);
    static const std::array<std::uint8_t, 256> kInverse = gainTable(1.0, true);
    // How the pixels are mapped: not at all, inverted (negative art at unit
    // gains), through the tables, or to their luminance.
    enum class Map { None, Invert, Tables, Mono };
    const bool same = tr == kSame && tg == kSame && tb == kSame;
    const Map map = mono                                                 ? Map::Mono
                    : same                                               ? Map::None
                    : tr == kInverse && tg == kInverse && tb == kInverse ? Map::Invert
                                                                         : Map::Tables;
    if (!sharpen && map == Map::None)
        return;

    // The tables as the channels' places in a pixel, or as their shares of
    // the luminance.
    std::array<std::uint32_t, 256> r32{}, g32{}, b32{};
    for (std::size_t v = 0; v < 256; ++v) {
        r32[v] = mono ? 77u * tr[v] : std::uint32_t(tr[v]) << 16;
        g32[v] = mono ? 150u * tg[v] : std::uint32_t(tg[v]) << 8;
        b32[v] = mono ? 29u * tb[v] : std::uint32_t(tb[v]);
    }
    const int w = img.width();
    std::vector<std::uint8_t> before(sharpen ? std::size_t(w) * 4 : 0);
    for (int y = 0; y < img.height(); ++y) {
        auto *line = reinterpret_cast<QRgb *>(img.scanLine(y));
        if (sharpen) {
            auto *bytes = reinterpret_cast<std::uint8_t *>(line);
            std::memcpy(before.data(), bytes, before.size());
            sharpenLine(bytes, before.data(), int(before.size()), sharpen);
        }
        switch (map) {
        case Map::None:
            break;
        case Map::Invert:
            for (int x = 0; x < w; ++x)
                line[x] ^= 0x00FFFFFFu;
            break;
        case Map::Tables:
            for (int x = 0; x < w; ++x) {
                const QRgb px = line[x];
                line[x] = 0xFF000000u | r32[px >> 16 & 0xFF] | g32[px >> 8 & 0xFF] | b32[px & 0xFF];
            }
            break;
        case Map::Mono:
            for (int x = 0; x < w; ++x) {
                const QRgb px = line[x];
                const std::uint32_t sum =
                    r32[px >> 16 & 0xFF] + g32[px >> 8 & 0xFF] + b32[px & 0xFF];
                line[x] = 0xFF000000u | (sum >> 8) * 0x010101u;
            }
            break;
        }
    }
}

const QImage &PictureRenderer::glyph(std::uint8_t code, int colour, QSize cell)
{
    if (cell != m_glyphCell) {
        m_glyphs.clear();
        m_glyphCell = cell;
    }
    const std::optional<QChar> ch = titleGlyph(code);
    const std::uint32_t key = std::uint32_t(ch ? code : kPlaceholder) << 8 | std::uint32_t(colour);
    auto it = m_glyphs.find(key);
    if (it != m_glyphs.end())
        return it->second;
    QImage g(cell, QImage::Format_ARGB32_Premultiplied);
    g.fill(Qt::transparent);
    QPainter p(&g);
    p.setRenderHint(QPainter::Antialiasing);
    const QColor c(kTitleColours[colour]);
    if (ch) {
        QFont f(QStringLiteral("DejaVu Sans Mono"));
        f.setStyleHint(QFont::Monospace);
        f.setBold(true);
        f.setPixelSize(std::max(6, cell.height() * 7 / 10));
        p.setFont(f);
        const QRect r(QPoint(0, 0), cell);
        p.setPen(Qt::black); // an edge, so a light title reads on a light scene
        for (const QPoint d : {QPoint(-1, 0), QPoint(1, 0), QPoint(0, -1), QPoint(0, 1)})
            p.drawText(r.translated(d), Qt::AlignCenter, QString(*ch));
        p.setPen(c);
        p.drawText(r, Qt::AlignCenter, QString(*ch));
    } else {
        // A code outside the character set: a crossed box.
        const QRectF r = QRectF(QPointF(0, 0), QSizeF(cell)).adjusted(3, 3, -3, -3);
        p.setPen(QPen(c, 2));
        p.setBrush(Qt::NoBrush);
        p.drawRect(r);
        p.drawLine(r.topLeft(), r.bottomRight());
        p.drawLine(r.topRight(), r.bottomLeft());
    }
    p.end();
    return m_glyphs.emplace(key, std::move(g)).first->second;
}

void PictureRenderer::drawTitleCell(QPainter &p, const QRect &cell, std::uint8_t code, int colour)
{
    if (code == kTitleBlank)
        return;
    p.drawImage(cell.topLeft(), glyph(code, colour, cell.size()));
}

void PictureRenderer::drawOverlays(QImage &img, const PictureSource &src, const PictureModel &model,
                                   std::int64_t nowMs)
{
    const QSize size = img.size();
    const MaskState &m = src.masks;
    const CameraState &s = src.state;
    QPainter p(&img);

    auto fillMask = [&](const QRectF &area, int code) {
        const QRect r = area.toAlignedRect().intersected(img.rect());
        if (r.isEmpty())
            return;
        if (code == 0x7F) { // mosaic: blocks of 16 pixels
            const QImage tiles =
                img.copy(r).scaled(std::max(1, r.width() / 16), std::max(1, r.height() / 16),
                                   Qt::IgnoreAspectRatio, Qt::SmoothTransformation);
            p.drawImage(r, tiles);
            return;
        }
        p.setOpacity(code & 0x10 ? 0.5 : 1.0); // half-tone lets the scene through
        p.fillRect(r, maskColour(code));
        p.setOpacity(1.0);
    };

    // Privacy zones A..X: shown zones, in colour 1 when the last colour
    // packet named them, else colour 2.
    const double mag = lensView(model, s.lens, nowMs).magnification;
    for (int i = 0; i < kMaskZones; ++i) {
        if (!(m.shownZones >> i & 1))
            continue;
        const int colour = m.colourZones >> i & 1 ? m.colour1 : m.colour2;
        const MaskZone &z = m.zones[std::size_t(i)];
        const PtzMask &ptz = m.ptz[std::size_t(i)];
        if (z.defined && model.spherical && ptz.defined) {
            // Placed where the mask was set, as seen from the head's angle
            // and zoom now.
            const double field = kWideFieldDeg / mag;
            const double scale = mag / zoomMagnification(model, ptz.zoom, 0);
            const QSizeF sz =
                cells(size, kMaskColumns, kMaskRows, 0, 0, z.width, z.height).size() * scale;
            const QPointF c(size.width() * (0.5 + angleDeg(ptz.pan, m.panAngle) / field),
                            size.height() * (0.5 - angleDeg(ptz.tilt, m.tiltAngle) / field *
                                                       size.width() / size.height()));
            fillMask(QRectF(c - QPointF(sz.width() / 2, sz.height() / 2), sz), colour);
        } else if (z.defined && z.spherical) {
            // Not yet placed at a pan, tilt and zoom: where the camera puts
            // a new mask, in the middle of the view.
            fillMask(cells(size, kMaskColumns, kMaskRows, (kMaskColumns - z.width) / 2.0,
                           (kMaskRows - z.height) / 2.0, z.width, z.height),
                     colour);
        } else if (z.defined) {
            fillMask(cells(size, kMaskColumns, kMaskRows, z.x, z.y, z.width, z.height), colour);
        }
        const MaskRect &n = m.nonInterlock[std::size_t(i)];
        if (n.width > 0 && n.height > 0)
            fillMask(cells(size, kMaskColumns, kMaskRows, n.x, n.y, n.width, n.height), colour);
    }
    if (m.maskingA)
        for (const MaskRect &r : m.zonesA)
            if (r.width > 0 && r.height > 0)
                fillMask(cells(size, 16, 12, r.x, r.y, r.width, r.height), 0x00);
    if (m.grid) {
        p.setPen(QPen(QColor(255, 255, 255, 110), 1));
        for (int i = 1; i < kMaskColumns; ++i)
            p.drawLine(QPointF(size.width() * i / double(kMaskColumns), 0),
                       QPointF(size.width() * i / double(kMaskColumns), size.height()));
        for (int i = 1; i < kMaskRows; ++i)
            p.drawLine(QPointF(0, size.height() * i / double(kMaskRows)),
                       QPointF(size.width(), size.height() * i / double(kMaskRows)));
    }
    if (m.centreMark) {
        // White on a dark edge, so that it shows on a light scene too.
        const QPoint c(size.width() / 2, size.height() / 2);
        for (const QPen &pen : {QPen(Qt::black, 4), QPen(Qt::white, 2)}) {
            p.setPen(pen);
            p.drawLine(c - QPoint(12, 0), c + QPoint(12, 0));
            p.drawLine(c - QPoint(0, 12), c + QPoint(0, 12));
        }
    }

    // Detection frames; the alarm output fills them.
    if (m.detecting) {
        for (int k = 0; k < 4; ++k) {
            if (!(m.detectFrames >> k & 1))
                continue;
            const DetectFrameWindow &wnd = m.detectWindows[std::size_t(k)];
            const QRectF r = cells(size, kDetectColumns, kDetectRows, wnd.hStart, wnd.vStart,
                                   wnd.hStop - wnd.hStart + 1, wnd.vStop - wnd.vStart + 1);
            if (m.alarmSwitch)
                p.fillRect(r, QColor(255, 0, 0, 90));
            if (m.detectDisplay & 2) {
                p.setPen(QPen(QColor(0, 255, 0, 120), 1));
                for (int c = wnd.hStart + 1; c <= wnd.hStop; ++c)
                    p.drawLine(QPointF(c * size.width() / double(kDetectColumns), r.top()),
                               QPointF(c * size.width() / double(kDetectColumns), r.bottom()));
                for (int v = wnd.vStart + 1; v <= wnd.vStop; ++v)
                    p.drawLine(QPointF(r.left(), v * size.height() / double(kDetectRows)),
                               QPointF(r.right(), v * size.height() / double(kDetectRows)));
            }
            if (m.detectDisplay & 1 || m.detectDisplay == 0) {
                p.setPen(QPen(m.alarmSwitch ? Qt::red : Qt::green, 2));
                p.setBrush(Qt::NoBrush);
                p.drawRect(r.adjusted(1, 1, -1, -1));
            }
        }
    }
    if (m.aeSpot) {
        p.setPen(QPen(Qt::white, 2));
        p.setBrush(Qt::NoBrush);
        p.drawRect(cells(size, 16, 16, std::clamp(m.spotQ, 0, 15), std::clamp(m.spotS, 0, 15), 1, 1)
                       .adjusted(1, 1, -1, -1));
    }

    // Titles: lines 0..10 of 20 cells from their horizontal position; a
    // blinking line is dark in the second half of every second.
    const TitleState &t = src.titles;
    const QRectF one = cells(size, kTitleColumns, kTitleRows, 0, 0, 1, 1);
    const QSize cell(int(one.width()), int(one.height()));
    auto cellAt = [&](int column, int row) {
        return QRect(QPoint(int(column * one.width()), int(row * one.height())), cell);
    };
    const bool blinkDark = (nowMs / 500) % 2 == 1;
    if (t.display) {
        for (int row = 0; row < int(t.lines.size()); ++row) {
            const TitleLine &line = t.lines[std::size_t(row)];
            if (line.blink && blinkDark)
                continue;
            const int colour = std::clamp(line.colour, 0, int(std::size(kTitleColours)) - 1);
            for (int i = 0; i < int(line.codes.size()); ++i) {
                const int column = line.horizontal + i;
                if (column >= kTitleColumns)
                    break;
                drawTitleCell(p, cellAt(column, row), line.codes[std::size_t(i)], colour);
            }
        }
    }
    // The clock on the bottom row: the date from the left, the time at the right.
    const CameraClock &ck = t.clock;
    auto write = [&](const QString &text, int column) {
        for (int i = 0; i < text.size(); ++i)
            drawTitleCell(p, cellAt(column + i, kTitleRows - 1), titleCode(text[i]), 0);
    };
    auto two = [](int v) { return QStringLiteral("%1").arg(v, 2, 10, QLatin1Char('0')); };
    if (t.dateDisplay)
        write(QStringLiteral("20") + two(ck.year) + QLatin1Char('/') + two(ck.month) +
                  QLatin1Char('/') + two(ck.day),
              1);
    if (t.timeDisplay)
        write(two(ck.hour) + QLatin1Char(':') + two(ck.minute), kTitleColumns - 6);
}

} // namespace zam::sim
