#include "core/help/local_pages.h"

#include <QDir>
#include <QFileInfo>
#include <QRegularExpression>
#include <QUrl>

namespace vantrel {

QString pageInLanguage(const QString& pagePath, const QString& language)
{
    // A language code is a word; anything else could reach outside the page's folder.
    static const QRegularExpression word(QStringLiteral("^[A-Za-z_-]+$"));
    if (!word.match(language).hasMatch())
        return pagePath;
    const QFileInfo page(pagePath);
    const QString translated = page.dir().filePath(page.completeBaseName() + QLatin1Char('.') + language +
                                                   QLatin1Char('.') + page.suffix());
    return QFileInfo::exists(translated) ? translated : pagePath;
}

QString localPageUrl(const QString& programFolder, const char* pageName)
{
    return QUrl::fromLocalFile(QDir(programFolder).absoluteFilePath(QLatin1String(pageName))).toString();
}

} // namespace vantrel
