#include "ui/files/anim_dialog_filter.h"

#include <QStringList>

QString qtFileFilter(const QString& pipeFilter)
{
    const QStringList parts = pipeFilter.split(QLatin1Char('|'));
    QStringList entries;
    for (qsizetype i = 0; i + 1 < parts.size(); i += 2) {
        const QString patterns =
            parts[i + 1].split(QLatin1Char(';'), Qt::SkipEmptyParts).join(QLatin1Char(' '));
        entries.append(parts[i] + QStringLiteral(" (") + patterns + QLatin1Char(')'));
    }
    return entries.join(QStringLiteral(";;"));
}

QString animOpenFilter(const std::array<QString, 4>& fileTexts)
{
    return qtFileFilter(fileTexts[0] + QStringLiteral("(*.nml,*.nma)|*.nml;*.nma|") + fileTexts[1] +
                        QStringLiteral("(*.nml)|*.nml|") + fileTexts[2] + QStringLiteral("(*.nma)|*.nma"));
}

QString animSaveFilter(const std::array<QString, 4>& fileTexts, int frameCount)
{
    if (frameCount == 1)
        return qtFileFilter(fileTexts[1] + QStringLiteral("(*.nml)|*.nml"));
    return qtFileFilter(fileTexts[2] + QStringLiteral("(*.nma)|*.nma"));
}
