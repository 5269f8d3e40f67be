#include "core/app/qt_translation.h"

#include <QDir>
#include <QFileInfo>
#include <QTranslator>

#include <algorithm>

namespace vantrel {
namespace {

// The code comes from an editable file and becomes part of a path.
bool isLanguageCode(const QString& language)
{
    return !language.isEmpty() && language.size() <= 16 &&
           std::all_of(language.begin(), language.end(), [](QChar c) {
               return (c.isLetterOrNumber() && c.unicode() < 128) || c == u'_' || c == u'-';
           });
}

} // namespace

bool loadQtTranslation(QTranslator& translator, const QString& language, const QString& folder)
{
    if (!isLanguageCode(language))
        return false;
    QString name = language;
    name.replace(u'-', u'_');
    const QString file = QDir(folder).filePath(QStringLiteral("qtbase_") + name + QStringLiteral(".qm"));
    // QTranslator::load would fall back to other files of the folder; only this one is wanted.
    return QFileInfo::exists(file) && translator.load(file);
}

} // namespace vantrel
