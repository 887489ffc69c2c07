#include "picturetext.h"

#include "titleglyphs.h"

#include <QStringList>
#include <algorithm>
#include <iterator>

namespace zam::sim {

namespace {

constexpr const char *kTitleColourNames[] = {"white", "yellow", "violet", "red",
                                             "cyan",  "green",  "blue"};

// A title line as text: its codes through the character set, a code outside
// it as a box, the blanks after the last character dropped.
QString titleText(const TitleLine &line)
{
    QString text;
    for (std::uint8_t code : line.codes)
        text += titleGlyph(code).value_or(QChar(0x25A1));
    while (text.endsWith(QLatin1Char(' ')))
        text.chop(1);
    return text;
}

QString two(int v)
{
    return QStringLiteral("%1").arg(v, 2, 10, QLatin1Char('0'));
}

QString zones(std::uint32_t bits, int count, bool letters)
{
    QStringList names;
    for (int i = 0; i < count; ++i)
        if (bits >> i & 1)
            names << (letters ? QString(QChar(u'A' + i)) : QString::number(i));
    return names.join(QStringLiteral(", "));
}

} // namespace

QString pictureSummary(const PictureSource &src, std::int64_t nowMs)
{
    const PictureModel model = pictureModel(src.state.modelCode);
    const QSize size = frameSize(model);
    const QString frame = QStringLiteral("%1 × %2").arg(size.width()).arg(size.height());
    if (!src.state.power)
        return frame + QStringLiteral(", standby: black");
    const LensView lens = lensView(model, src.state.lens, nowMs);
    return frame +
           QStringLiteral(", zoom %1×, %2")
               .arg(lens.magnification, 0, 'f', 1)
               .arg(lens.blurPx >= 0.75 ? QStringLiteral("out of focus") : QStringLiteral("sharp"));
}

QString describePicture(const PictureSource &src, std::int64_t nowMs)
{
    QStringList items{pictureSummary(src, nowMs)};
    if (!src.state.power)
        return items.join(QLatin1Char('\n'));

    const PictureState &pic = src.state.picture;
    QStringList effects;
    if (pic.effect == 1 && !pic.icr)
        effects << QStringLiteral("negative art");
    if (pic.effect == 4 || pic.icr)
        effects << QStringLiteral("black and white");
    if (pic.flip)
        effects << QStringLiteral("flipped");
    if (pic.lrReverse)
        effects << QStringLiteral("left-right reversed");
    if (pic.freeze)
        effects << QStringLiteral("frozen");
    if (!effects.isEmpty())
        items << QStringLiteral("Picture: ") + effects.join(QStringLiteral(", "));

    const TitleState &t = src.titles;
    if (t.display)
        for (int i = 0; i < int(t.lines.size()); ++i) {
            const TitleLine &line = t.lines[std::size_t(i)];
            const QString text = titleText(line);
            if (text.isEmpty())
                continue;
            const int colour = std::clamp(line.colour, 0, int(std::size(kTitleColourNames)) - 1);
            items << QStringLiteral("Title line %1, column %2, %3%4: %5")
                         .arg(i)
                         .arg(line.horizontal)
                         .arg(QLatin1String(kTitleColourNames[colour]),
                              line.blink ? QStringLiteral(", blinking") : QString(), text);
        }
    const CameraClock &ck = t.clock;
    if (t.dateDisplay)
        items << QStringLiteral("Date: 20%1/%2/%3").arg(two(ck.year), two(ck.month), two(ck.day));
    if (t.timeDisplay)
        items << QStringLiteral("Time: %1:%2").arg(two(ck.hour), two(ck.minute));

    const MaskState &m = src.masks;
    std::uint32_t shown = 0;
    for (int i = 0; i < kMaskZones; ++i)
        if (m.shownZones >> i & 1 &&
            (m.zones[std::size_t(i)].defined || (m.nonInterlock[std::size_t(i)].width > 0 &&
                                                 m.nonInterlock[std::size_t(i)].height > 0)))
            shown |= 1u << i;
    if (shown)
        items << QStringLiteral("Privacy masks: ") + zones(shown, kMaskZones, true);
    if (m.maskingA) {
        int n = 0;
        for (const MaskRect &r : m.zonesA)
            n += r.width > 0 && r.height > 0;
        if (n)
            items << QStringLiteral("Privacy masks: %1 rectangles").arg(n);
    }
    if (m.grid)
        items << QStringLiteral("Mask grid shown");
    if (m.centreMark)
        items << QStringLiteral("Centre mark shown");
    if (m.detecting && m.detectFrames & 0x0F)
        items << QStringLiteral("Motion detection frames: ") + zones(m.detectFrames, 4, false) +
                     (m.alarmSwitch ? QStringLiteral(", alarm") : QString());
    if (m.aeSpot)
        items << QStringLiteral("AE spot at q %1, s %2")
                     .arg(QString::number(m.spotQ, 16).toUpper(),
                          QString::number(m.spotS, 16).toUpper());
    return items.join(QLatin1Char('\n'));
}

} // namespace zam::sim
