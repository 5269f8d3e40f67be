#include "ui/support/window_test.h"

#include <QDir>
#include <QTemporaryDir>
#include <QToolButton>

namespace {

class HelpWindow : public WindowTest
{
protected:
    void touch(const char* name) const
    {
        writeFile(QDir(folderPath()).filePath(QLatin1String(name)), "<html>");
    }
    QUrl fileUrl(const char* name) const
    {
        return QUrl::fromLocalFile(QDir(folderPath()).filePath(QLatin1String(name)));
    }
    void click(const char* button) { control<QToolButton>(button)->click(); }
};

TEST_F(HelpWindow, OpensTheHelpBesideTheProgramInTheCataloguesLanguage)
{
    touch("Vantrel.html");
    touch("Vantrel.en.html");
    // Started from elsewhere: the help is still the one beside the program.
    QTemporaryDir elsewhere;
    const QString started = QDir::currentPath();
    ASSERT_TRUE(QDir::setCurrent(elsewhere.path()));
    for (const auto& [catalogue, page] :
         {std::pair{japaneseCatalogue(), "Vantrel.html"}, std::pair{englishCatalogue(), "Vantrel.en.html"}}) {
        useCatalogue(catalogue);
        open();
        click("abbHelp");
        EXPECT_EQ(dialogs().openedUrls, std::vector<QUrl>{fileUrl(page)}) << page;
        EXPECT_TRUE(dialogs().messages.empty());
    }
    QDir::setCurrent(started);
}

TEST_F(HelpWindow, HelpThatCannotBeOpenedShowsTheShellsNumberAndWhatNothingOpens)
{
    useCatalogue(englishCatalogue());
    open();
    click("abbHelp");
    touch("Vantrel.html");
    dialogs().openUrlResult = false;
    click("abbHelp");

    ASSERT_EQ(dialogs().messages.size(), 2u);
    const QString noApplication =
        "Error:31\nNo application opens " + QDir(folderPath()).filePath("Vantrel.html") + ".";
    for (const auto& [message, text] : {std::pair{dialogs().messages[0], QString("Error:2")},
                                        std::pair{dialogs().messages[1], noApplication}}) {
        EXPECT_EQ(message.caption, "Error");
        EXPECT_EQ(message.text, text);
        EXPECT_EQ(message.icon, MessageIcon::None);
    }
    EXPECT_EQ(dialogs().openedUrls, std::vector<QUrl>{fileUrl("Vantrel.html")});
}

TEST_F(HelpWindow, WebButtonsOpenTheirPagesAndSayWhenNothingDoes)
{
    useCatalogue(englishCatalogue());
    touch("anime.en.html"); // the panel page has no English copy here
    const struct
    {
        QByteArray settings;
        std::vector<QUrl> opened;
    } cases[] = {
        {"", {fileUrl("anime.en.html"), fileUrl("panels.html")}},
        {"[URL]\nAnimeURL=https://example.org/a\nPanelURL=https://example.org/p\n",
         {QUrl("https://example.org/a"), QUrl("https://example.org/p")}},
    };
    for (const auto& c : cases) {
        writeSettings(c.settings);
        open();
        click("abbHPAccess");
        click("abbGetPImage");
        EXPECT_EQ(dialogs().openedUrls, c.opened);
        EXPECT_TRUE(dialogs().messages.empty());
    }
    dialogs().openUrlResult = false;
    click("abbHPAccess");
    click("abbGetPImage");
    ASSERT_EQ(dialogs().messages.size(), 2u);
    EXPECT_EQ(dialogs().messages[0].text, "Error:31\nNo application opens https://example.org/a.");
    EXPECT_EQ(dialogs().messages[1].text, "Error:31\nNo application opens https://example.org/p.");
}

} // namespace
