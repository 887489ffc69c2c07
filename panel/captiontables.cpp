#include "captiontables.h"

namespace zam {

namespace {

// Rows of the lens profile as they are written over the window's tables.
QStringList profileIrisRows(const LensCaptions &lens)
{
    QStringList rows;
    for (const char *c : lens.iris)
        rows.append(QString::fromLatin1(c));
    return rows;
}

QStringList profileBrightRows(const LensCaptions &lens)
{
    QStringList rows;
    for (int row = 0; row < kLensIrisRows; ++row) {
        QString fNumber = row == 0 ? QStringLiteral("CLOSE") : QString::fromLatin1(lens.iris[row]);
        for (const BrightRespelling &r : kBrightRespellings) {
            if (r.profile == lens.profile && r.row == row)
                fNumber = QString::fromLatin1(r.fNumber);
        }
        rows.append(fNumber + QStringLiteral("/0dB"));
    }
    const QString widest = QString::fromLatin1(lens.iris[kLensIrisRows - 1]);
    int db = 0;
    for (int row = kLensIrisRows; row <= lens.lastBrightRow; ++row) {
        db += lens.gainStepDb;
        rows.append(widest + QLatin1Char('/') + QString::number(db) + QStringLiteral("dB"));
    }
    return rows;
}

void overwrite(QStringList &table, const QStringList &rows)
{
    for (int i = 0; i < rows.size() && i < table.size(); ++i)
        table[i] = rows[i];
}

template <std::size_t N>
std::optional<QString> fixedCaption(const std::array<const char *, N> &table, int index)
{
    if (index < 0 || std::size_t(index) >= N)
        return std::nullopt;
    return QString::fromLatin1(table[std::size_t(index)]);
}

} // namespace

const LensCaptions &lensCaptions(LensProfile profile)
{
    for (const LensCaptions &lens : kLensCaptions) {
        if (lens.profile == profile)
            return lens;
    }
    return kLensCaptions[0];
}

QStringList irisTable(LensProfile profile)
{
    QStringList table(kIrisRows);
    overwrite(table, profileIrisRows(lensCaptions(profile)));
    return table;
}

QStringList brightTable(LensProfile profile)
{
    QStringList table(kBrightRows);
    overwrite(table, profileBrightRows(lensCaptions(profile)));
    return table;
}

std::optional<QString> captionAt(const QStringList &table, int index)
{
    if (index < 0 || index >= table.size())
        return std::nullopt;
    return table[index];
}

CaptionTables::CaptionTables() : m_iris(kIrisRows), m_bright(kBrightRows) {}

void CaptionTables::applyLensProfile(LensProfile profile)
{
    const LensCaptions &lens = lensCaptions(profile);
    overwrite(m_iris, profileIrisRows(lens));
    overwrite(m_bright, profileBrightRows(lens));
}

std::optional<QString> CaptionTables::shutter(int column, int index) const
{
    if (column < 0 || column >= kShutterColumns)
        return std::nullopt;
    return fixedCaption(ShutterTable[std::size_t(column)], index);
}

std::optional<QString> CaptionTables::gain(int index) const
{
    return fixedCaption(GainTable, index);
}

std::optional<QString> CaptionTables::expComp(int index) const
{
    return fixedCaption(ExpCompTable, index);
}

} // namespace zam
