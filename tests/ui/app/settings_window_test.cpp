#include "ui/support/window_test.h"

#include "core/app/ini_profile.h"

#include <QAbstractButton>
#include <QDir>
#include <QRegularExpression>

namespace {

class SettingsWindow : public WindowTest
{
protected:
    void SetUp() override { useCatalogue(japaneseCatalogue()); }

    // Confirms the exit and returns what was written.
    vantrel::IniProfile exitWithOk()
    {
        dialogs().confirmAnswers.push_back(true);
        EXPECT_TRUE(window().close());
        return vantrel::IniProfile::fromFile(settingsPath());
    }
};

struct Key
{
    const char* section;
    const char* key;
};

const Key WrittenKeys[] = {
    {"MainForm", "Top"},
    {"MainForm", "Left"},
    {"MainForm", "Caption"},
    {"MainForm", "InitMax"},
    {"Panel", "PanelFile"},
    {"Panel", "InfoLeft"},
    {"Panel", "InfoTop"},
    {"Panel", "InfoRight"},
    {"Panel", "InfoBottm"},
    {"Panel", "ViewLeft"},
    {"Panel", "ViewTop"},
    {"Panel", "ViewRight"},
    {"Panel", "ViewBottom"},
    {"Panel", "Width"},
    {"Panel", "Height"},
    {"Panel", "PixelWidth"},
    {"Panel", "PixelHeight"},
    {"Panel", "PixelSpace"},
    {"Directory", "DirPicIn"},
    {"Directory", "DirImg"},
    {"Directory", "DirPanelIn"},
    {"Red", "Colors"},
    {"Red", "3"},
    {"Green", "Colors"},
    {"Green", "3"},
    {"Blue", "Colors"},
    {"Blue", "3"},
};

} // namespace

TEST_F(SettingsWindow, NoFileGivesTheDefaults)
{
    TForm1& form = open();
    EXPECT_EQ(form.pos(), QPoint(100, 100));
    EXPECT_EQ(form.windowTitle(), QStringLiteral("Default Caption"));
    EXPECT_FALSE(form.isMaximized());
    EXPECT_EQ(form.settings().panelWidth, 160);
    EXPECT_EQ(form.settings().panelHeight, 54);
    EXPECT_EQ(form.viewSize(), QSize(203, 55));
    EXPECT_EQ(form.settings().dirPicIn, folderPath());
    EXPECT_EQ(form.settings().dirImg, folderPath());
    EXPECT_EQ(form.settings().dirPanelIn, folderPath());
    for (const auto* channel :
         {&form.settings().levels.red, &form.settings().levels.green, &form.settings().levels.blue})
        EXPECT_EQ(channel->levels, (std::array<int, 4>{0, 85, 170, 255}));
    EXPECT_TRUE(dialogs().messages.empty());
}

// Without a file of their own the user starts from the shipped one, and the exit writes a copy.
TEST_F(SettingsWindow, FirstStartTakesTheShippedSettings)
{
    writeFile(defaultSettingsPath(), "; shipped\n[MainForm]\nCaption=Vantrel\n");
    EXPECT_EQ(open().windowTitle(), QStringLiteral("Vantrel"));
    exitWithOk();
    EXPECT_TRUE(settingsText().startsWith("; shipped\n[MainForm]\nCaption=Vantrel\n"));
    writeSettings("[MainForm]\nCaption=My panel\n");
    EXPECT_EQ(open().windowTitle(), QStringLiteral("My panel"));
}

TEST_F(SettingsWindow, ExitWritesEveryKeyButTheWebAddresses)
{
    open();
    const vantrel::IniProfile written = exitWithOk();
    for (const Key& key : WrittenKeys)
        EXPECT_TRUE(written.contains(QLatin1String(key.section), QLatin1String(key.key)))
            << key.section << key.key;
    EXPECT_FALSE(written.contains(QStringLiteral("URL"), QStringLiteral("PanelURL")));
    EXPECT_FALSE(written.contains(QStringLiteral("URL"), QStringLiteral("AnimeURL")));
    EXPECT_EQ(written.readInt(QStringLiteral("MainForm"), QStringLiteral("Top"), -1), 100);
    EXPECT_EQ(written.readString(QStringLiteral("MainForm"), QStringLiteral("Caption"), QString()),
              QStringLiteral("Default Caption"));
    EXPECT_EQ(written.readInt(QStringLiteral("Panel"), QStringLiteral("ViewRight"), -1), 247);
    EXPECT_TRUE(dialogs().messages.empty());
}

TEST_F(SettingsWindow, ExitWritesTheCurrentPlacement)
{
    writeSettings("[MainForm]\nTop=40\nLeft=30\nCaption=My panel\n");
    TForm1& form = open();
    EXPECT_EQ(form.pos(), QPoint(30, 40));
    EXPECT_EQ(form.windowTitle(), QStringLiteral("My panel"));
    form.move(12, 34);
    const vantrel::IniProfile written = exitWithOk();
    EXPECT_EQ(written.readInt(QStringLiteral("MainForm"), QStringLiteral("Left"), -1), 12);
    EXPECT_EQ(written.readInt(QStringLiteral("MainForm"), QStringLiteral("Top"), -1), 34);
    EXPECT_EQ(written.readString(QStringLiteral("MainForm"), QStringLiteral("Caption"), QString()),
              QStringLiteral("My panel"));
}

TEST_F(SettingsWindow, TwoRedLevelsStayTwo)
{
    writeSettings("[Red]\nColors=2\n0=10\n1=20\n");
    const auto& red = open().settings().levels.red;
    EXPECT_EQ(red.levels, (std::array<int, 4>{10, 20, 0, 0}));

    const vantrel::IniProfile written = exitWithOk();
    const QString section = QStringLiteral("Red");
    EXPECT_EQ(written.readInt(section, QStringLiteral("Colors"), -1), 2);
    EXPECT_EQ(written.readInt(section, QStringLiteral("0"), -1), 10);
    EXPECT_EQ(written.readInt(section, QStringLiteral("1"), -1), 20);
    EXPECT_FALSE(written.contains(section, QStringLiteral("2")));
    EXPECT_FALSE(written.contains(section, QStringLiteral("3")));
}

TEST_F(SettingsWindow, NineLevelsAreReadAndWrittenAsFour)
{
    writeSettings("[Blue]\nColors=9\n0=1\n1=2\n2=3\n3=4\n4=5\n");
    EXPECT_EQ(open().settings().levels.blue.levels, (std::array<int, 4>{1, 2, 3, 4}));
    const vantrel::IniProfile written = exitWithOk();
    EXPECT_EQ(written.readInt(QStringLiteral("Blue"), QStringLiteral("Colors"), -1), 4);
    // Level 4 was never read; the file keeps the line as it was.
    EXPECT_EQ(written.readInt(QStringLiteral("Blue"), QStringLiteral("4"), -1), 5);
}

TEST_F(SettingsWindow, MaximisedAtExitOpensMaximised)
{
    open().setWindowState(Qt::WindowMaximized);
    const vantrel::IniProfile written = exitWithOk();
    EXPECT_EQ(written.readInt(QStringLiteral("MainForm"), QStringLiteral("InitMax"), -1), 1);
    EXPECT_TRUE(open().isMaximized());

    writeSettings("[MainForm]\nInitMax=7\n");
    EXPECT_TRUE(open().isMaximized());
    writeSettings("[MainForm]\nInitMax=0\n");
    EXPECT_FALSE(open().isMaximized());
}

TEST_F(SettingsWindow, CommentsUnknownKeysAndWebAddressesSurviveTheExit)
{
    writeSettings(
        "; written by hand\n[MainForm]\nTop=5\nFavourite=blue\n\n[URL]\nPanelURL=https://example.org/p\n"
        "[Custom]\n; keep me\nx=1\n");
    TForm1& form = open();
    EXPECT_EQ(form.settings().panelUrl, QStringLiteral("https://example.org/p"));
    exitWithOk();
    const QByteArray text = settingsText();
    for (const char* kept : {"; written by hand", "Favourite=blue", "PanelURL=https://example.org/p",
                             "[Custom]", "; keep me", "x=1"})
        EXPECT_TRUE(text.contains(kept)) << kept;
    EXPECT_FALSE(text.contains("AnimeURL"));
}

TEST_F(SettingsWindow, CancelledExitKeepsTheWindowAndWritesNothing)
{
    open();
    dialogs().confirmAnswers.push_back(false);
    EXPECT_FALSE(window().close());
    EXPECT_FALSE(QFile::exists(settingsPath()));
    ASSERT_EQ(dialogs().confirmations.size(), 1u);
    const auto& shown = dialogs().confirmations.front();
    EXPECT_EQ(shown.caption, window().catalogue().endConfirmCaption);
    EXPECT_EQ(shown.text, window().catalogue().endConfirmText);
    EXPECT_FALSE(shown.caption.isEmpty());
    EXPECT_FALSE(shown.text.isEmpty());
}

TEST_F(SettingsWindow, EndButtonAsksBeforeClosing)
{
    open();
    dialogs().confirmAnswers = {false, true};
    auto* end = control<QAbstractButton>("abbEnd");
    end->click();
    EXPECT_FALSE(QFile::exists(settingsPath()));
    end->click();
    EXPECT_EQ(dialogs().confirmations.size(), 2u);
    EXPECT_TRUE(QFile::exists(settingsPath()));
}

TEST_F(SettingsWindow, FailedWriteIsReportedWithPathAndReason)
{
    writeFile(folderPath() + QStringLiteral("/blocker"), "a file, not a folder");
    const QString unwritable = folderPath() + QStringLiteral("/blocker/vantrel.INI");
    open(unwritable);
    dialogs().confirmAnswers.push_back(true);
    EXPECT_TRUE(window().close());
    ASSERT_EQ(dialogs().messages.size(), 1u);
    const auto& shown = dialogs().messages.front();
    EXPECT_EQ(shown.caption, QStringLiteral("Error"));
    EXPECT_EQ(shown.icon, MessageIcon::Warning);
    const QString nativePath = QDir::toNativeSeparators(unwritable);
    EXPECT_TRUE(shown.text.contains(nativePath)) << shown.text.toStdString();
    QString reason = shown.text;
    reason.remove(nativePath);
    EXPECT_TRUE(reason.contains(QRegularExpression(QStringLiteral("[A-Za-z]{3}"))))
        << shown.text.toStdString();
}
