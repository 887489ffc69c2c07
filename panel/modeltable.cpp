#include "modeltable.h"

#include <QHash>

namespace zam {

namespace {

// Codes rise strictly (so each has one row) and each selects the slot its
// range gives, so the slots are exactly 0..54.
constexpr bool slotsFollowCodes()
{
    int previous = 0;
    for (const ModelRow &row : kModelTable) {
        const int expected = row.code <= 43 ? row.code - 17 : row.code - 19;
        if (row.code <= previous || row.nameSlot != expected || row.code == 44 || row.code == 45)
            return false;
        previous = row.code;
    }
    return kModelTable.front().nameSlot == 0 && kModelTable.back().nameSlot == kModelCount - 1;
}
static_assert(slotsFollowCodes(), "name slot is code-17 (17..43) or code-19 (46..73)");

QChar generationLetter(int code)
{
    if (code <= 31)
        return QLatin1Char('A');
    if (code <= 43)
        return QLatin1Char('B');
    if (code <= 63)
        return QLatin1Char('C');
    return QLatin1Char('D');
}

QString lensText(LensProfile lens)
{
    switch (lens) {
    case LensProfile::Opt10X:
        return QStringLiteral("10x");
    case LensProfile::Opt18X:
        return QStringLiteral("18x");
    case LensProfile::Opt25X:
        return QStringLiteral("25x");
    }
    return {};
}

QString baseName(const ModelRow &row)
{
    return QStringLiteral("ZAM-") + generationLetter(row.code) + QLatin1Char(' ') +
           lensText(row.lens) + QLatin1Char(' ') + QString::fromLatin1(row.ntscOrPal);
}

QStringList buildModelNames()
{
    QHash<QString, int> baseCount;
    QHash<QString, int> groupedCount;
    auto grouped = [](const ModelRow &row) {
        return baseName(row) + QStringLiteral(" (") + groupName(row.group);
    };
    for (const ModelRow &row : kModelTable) {
        ++baseCount[baseName(row)];
        ++groupedCount[grouped(row)];
    }

    QStringList names(kModelCount);
    QHash<QString, int> running;
    for (const ModelRow &row : kModelTable) {
        const QString base = baseName(row);
        QString name = base;
        if (baseCount.value(base) > 1) {
            const QString g = grouped(row);
            name = g;
            if (groupedCount.value(g) > 1)
                name += QLatin1Char('-') + QString::number(++running[g]);
            name += QLatin1Char(')');
        }
        names[row.nameSlot] = name;
    }
    return names;
}

} // namespace

std::optional<ModelRow> findModel(int code)
{
    for (const ModelRow &row : kModelTable) {
        if (row.code == code)
            return row;
    }
    return std::nullopt;
}

const QStringList &ModelNameTable()
{
    static const QStringList names = buildModelNames();
    return names;
}

QString modelName(int code)
{
    const auto row = findModel(code);
    return row ? ModelNameTable().value(row->nameSlot) : QString();
}

bool shutterSlowStepsDisplay(const QString &modelVersionText)
{
    for (int slot : kShutterSlowStepSlots) {
        if (ModelNameTable().value(slot) == modelVersionText)
            return true;
    }
    return false;
}

} // namespace zam
