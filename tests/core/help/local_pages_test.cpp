#include "core/help/local_pages.h"

#include <gtest/gtest.h>

#include <QDir>
#include <QFile>
#include <QRegularExpression>
#include <QTemporaryDir>

namespace vantrel {
namespace {

TEST(LocalPages, TheCatalogueLanguagesPageWhenItExists)
{
    QTemporaryDir folder;
    ASSERT_TRUE(folder.isValid());
    // en.html is where a language that climbs out of the name would lead.
    for (const char* name : {"Vantrel.html", "Vantrel.en.html", "en.html"}) {
        QFile file(folder.filePath(QLatin1String(name)));
        ASSERT_TRUE(file.open(QIODevice::WriteOnly));
    }
    const QString page = folder.filePath(QStringLiteral("Vantrel.html"));
    const struct
    {
        const char* language;
        const char* chosen;
    } cases[] = {
        {"en", "Vantrel.en.html"}, {"ja", "Vantrel.html"},     {"fr", "Vantrel.html"},
        {"", "Vantrel.html"},      {"/../en", "Vantrel.html"},
    };
    for (const auto& c : cases)
        EXPECT_EQ(pageInLanguage(page, QLatin1String(c.language)), folder.filePath(QLatin1String(c.chosen)))
            << c.language;
}

// Every page the program opens, in every language of a shipped catalogue, reads as HTML in
// that language, and each picture or style sheet it names is shipped with it.
TEST(LocalPages, ShippedPagesAreCompleteInBothLanguages)
{
    const QDir help(QStringLiteral(VANTREL_SOURCE_DIR "/resources/help"));
    const QRegularExpression reference(QStringLiteral("(?:src|href)=\"([^\"#:]+)(?:#[^\"]*)?\""));
    for (const char* name : {HelpPageName, AnimationsPageName, PanelsPageName}) {
        for (const char* language : {"ja", "en"}) {
            const QString path = pageInLanguage(help.filePath(QLatin1String(name)), QLatin1String(language));
            QFile file(path);
            ASSERT_TRUE(file.open(QIODevice::ReadOnly)) << path.toStdString();
            const QString text = QString::fromUtf8(file.readAll());
            SCOPED_TRACE(path.toStdString());
            EXPECT_TRUE(text.startsWith(QStringLiteral("<!DOCTYPE html>")));
            EXPECT_TRUE(text.contains(QStringLiteral("<html lang=\"%1\">").arg(QLatin1String(language))));
            EXPECT_TRUE(text.contains(QStringLiteral("<meta charset=\"utf-8\">")));
            EXPECT_TRUE(text.trimmed().endsWith(QStringLiteral("</html>")));
            for (const char* tag :
                 {"head", "body", "h1", "h2", "p", "ol", "ul", "li", "figure", "a", "code"}) {
                const QRegularExpression opening(QStringLiteral("<%1[ >]").arg(QLatin1String(tag)));
                EXPECT_EQ(text.count(opening), text.count(QStringLiteral("</%1>").arg(QLatin1String(tag))))
                    << tag;
            }
            for (auto match = reference.globalMatch(text); match.hasNext();) {
                const QString target = match.next().captured(1);
                EXPECT_TRUE(help.exists(target)) << target.toStdString();
            }
        }
    }
}

} // namespace
} // namespace vantrel
