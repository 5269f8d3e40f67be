#include "ui/files/anim_dialog_filter.h"

#include <QStringList>

#include <algorithm>

namespace {

// "Pictures (*.bmp;*.jpg)" -> "Pictures": the entry gets its patterns once, from the pattern part.
// A parenthesis without a wildcard, as in "Video (AVI)", is part of the description.
QString withoutPatternText(const QString& description)
{
    const QString trimmed = description.trimmed();
    if (!trimmed.endsWith(u')') && !trimmed.endsWith(u'）'))
        return trimmed;
    const qsizetype open = std::max(trimmed.lastIndexOf(u'('), trimmed.lastIndexOf(u'（'));
    if (open < 0)
        return trimmed;
    const QStringView inner = QStringView(trimmed).sliced(open + 1, trimmed.size() - open - 2);
    if (!inner.contains(u'*') && !inner.contains(u'?'))
        return trimmed;
    return trimmed.left(open).trimmed();
}

} // namespace

QString qtFileFilter(const QString& pipeFilter)
{
    const QStringList parts = pipeFilter.split(QLatin1Char('|'));
    QStringList entries;
    for (qsizetype i = 0; i + 1 < parts.size(); i += 2) {
        const QString patterns =
            parts[i + 1].split(QLatin1Char(';'), Qt::SkipEmptyParts).join(QLatin1Char(' '));
        entries.append(withoutPatternText(parts[i]) + QStringLiteral(" (") + patterns + QLatin1Char(')'));
    }
    return entries.join(QStringLiteral(";;"));
}

QString singleSuffixOf(const QString& filterEntry)
{
    const qsizetype open = filterEntry.lastIndexOf(QLatin1Char('('));
    const qsizetype close = filterEntry.lastIndexOf(QLatin1Char(')'));
    if (open < 0 || close < open)
        return {};
    const QString pattern = filterEntry.mid(open + 1, close - open - 1).trimmed();
    if (!pattern.startsWith(QLatin1String("*.")) || pattern.contains(QLatin1Char(' ')) ||
        pattern.indexOf(QLatin1Char('*'), 1) >= 0)
        return {};
    return pattern.mid(2);
}

QString animOpenFilter(const std::array<QString, 5>& fileTexts)
{
    return qtFileFilter(fileTexts[0] + QStringLiteral("|*.nml;*.nma|") + fileTexts[1] +
                        QStringLiteral("|*.nml|") + fileTexts[2] + QStringLiteral("|*.nma"));
}

QString animSaveFilter(const std::array<QString, 5>& fileTexts, int frameCount)
{
    return qtFileFilter(frameCount == 1 ? fileTexts[1] + QStringLiteral("|*.nml")
                                        : fileTexts[2] + QStringLiteral("|*.nma"));
}
