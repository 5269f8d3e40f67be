#include "core/app/app_paths.h"
#include "core/app/app_settings.h"

#include <gtest/gtest.h>

#include <QDir>
#include <QFile>
#include <QTemporaryDir>

namespace vantrel {
namespace {

using Levels = std::array<int, 4>;

IniProfile parse(const char* text)
{
    return IniProfile::fromBytes(QByteArray(text));
}

TEST(AppSettingsRead, NoFileGivesTheDefaults)
{
    const AppSettings s = readSettings(IniProfile(), "/opt/vantrel");
    EXPECT_EQ(s.top, 100);
    EXPECT_EQ(s.left, 100);
    EXPECT_EQ(s.caption, "Default Caption");
    EXPECT_FALSE(s.initMax);
    EXPECT_EQ(s.panelFile, "Panel.bmp");
    EXPECT_EQ(s.infoRect, (PanelRect{45, 60, 247, 96}));
    EXPECT_EQ(s.viewRect, (PanelRect{45, 97, 247, 151}));
    EXPECT_EQ(s.panelWidth, 160);
    EXPECT_EQ(s.panelHeight, 54);
    EXPECT_EQ(s.pixelWidth, 46);
    EXPECT_EQ(s.pixelHeight, 34);
    EXPECT_EQ(s.pixelSpace, 12);
    EXPECT_EQ(s.dirPicIn, "/opt/vantrel");
    EXPECT_EQ(s.dirImg, "/opt/vantrel");
    EXPECT_EQ(s.dirPanelIn, "/opt/vantrel");
    EXPECT_EQ(s.panelUrl, "file:///opt/vantrel/panels.html");
    EXPECT_EQ(s.animeUrl, "file:///opt/vantrel/anime.html");
    for (const ChannelLevels* channel : {&s.levels.red, &s.levels.green, &s.levels.blue}) {
        EXPECT_EQ(channel->count, 4);
        EXPECT_EQ(channel->levels, (Levels{0, 85, 170, 255}));
    }
}

TEST(AppSettingsRead, ReadsEveryKeyAndAnyNonZeroInitMax)
{
    const AppSettings s =
        readSettings(parse("[MainForm]\nTop=5\nLeft=-6\nCaption=My panel\nInitMax=7\n"
                           "[Panel]\nPanelFile=Face.bmp\nInfoLeft=1\nInfoTop=2\nInfoRight=3\n"
                           "InfoBottm=4\nViewLeft=5\nViewTop=6\nViewRight=7\nViewBottom=8\n"
                           "Width=96\nHeight=32\nPixelWidth=9\nPixelHeight=10\nPixelSpace=11\n"
                           "[Directory]\nDirPicIn=/p\nDirImg=/i\nDirPanelIn=/n\n"
                           "[URL]\nPanelURL=http://p\nAnimeURL=http://a\n"),
                     "/opt/vantrel");
    EXPECT_EQ(s.top, 5);
    EXPECT_EQ(s.left, -6);
    EXPECT_EQ(s.caption, "My panel");
    EXPECT_TRUE(s.initMax);
    EXPECT_EQ(s.panelFile, "Face.bmp");
    EXPECT_EQ(s.infoRect, (PanelRect{1, 2, 3, 4}));
    EXPECT_EQ(s.viewRect, (PanelRect{5, 6, 7, 8}));
    EXPECT_EQ(s.panelWidth, 96);
    EXPECT_EQ(s.panelHeight, 32);
    EXPECT_EQ(s.pixelWidth, 9);
    EXPECT_EQ(s.pixelHeight, 10);
    EXPECT_EQ(s.pixelSpace, 11);
    EXPECT_EQ(s.dirPicIn, "/p");
    EXPECT_EQ(s.dirImg, "/i");
    EXPECT_EQ(s.dirPanelIn, "/n");
    EXPECT_EQ(s.panelUrl, "http://p");
    EXPECT_EQ(s.animeUrl, "http://a");
}

TEST(AppSettingsRead, LevelTablesFollowTheCount)
{
    const AppSettings s = readSettings(parse("[Red]\nColors=2\n0=10\n1=20\n2=30\n"
                                             "[Green]\nColors=9\n1=99\n"
                                             "[Blue]\nColors=0\n0=50\n"),
                                       "");
    EXPECT_EQ(s.levels.red.count, 2);
    EXPECT_EQ(s.levels.red.levels, (Levels{10, 20, 0, 0}));
    EXPECT_EQ(s.levels.green.count, 4);
    EXPECT_EQ(s.levels.green.levels, (Levels{0, 99, 170, 255}));
    EXPECT_EQ(s.levels.blue.count, 0);
    EXPECT_EQ(s.levels.blue.levels, (Levels{0, 0, 0, 0}));
    EXPECT_EQ(readSettings(parse("[Red]\nColors=-3\n0=5\n"), "").levels.red.levels, (Levels{0, 0, 0, 0}));
}

TEST(AppSettingsWrite, WritesEveryKeyButTheAddressesInOrder)
{
    IniProfile ini;
    writeSettings(ini, readSettings(IniProfile(), "/opt/vantrel"));
    EXPECT_EQ(ini.toBytes(),
              "[MainForm]\nTop=100\nLeft=100\nCaption=Default Caption\nInitMax=0\nSmoothCut=0\n"
              "[Panel]\nPanelFile=Panel.bmp\nInfoLeft=45\nInfoTop=60\nInfoRight=247\nInfoBottm=96\n"
              "ViewLeft=45\nViewTop=97\nViewRight=247\nViewBottom=151\nWidth=160\nHeight=54\n"
              "PixelWidth=46\nPixelHeight=34\nPixelSpace=12\n"
              "[Directory]\nDirPicIn=/opt/vantrel\nDirImg=/opt/vantrel\nDirPanelIn=/opt/vantrel\n"
              "[Red]\nColors=4\n0=0\n1=85\n2=170\n3=255\n"
              "[Green]\nColors=4\n0=0\n1=85\n2=170\n3=255\n"
              "[Blue]\nColors=4\n0=0\n1=85\n2=170\n3=255\n"
              "[Export]\nScale=4\nDots=1\nFaceplate=0\n");
    EXPECT_EQ(readSettings(parse("[Export]\nScale=7\nDots=0\nFaceplate=1\n"), "").exportChoices,
              (ExportChoices{7, false, true}));
}

TEST(AppSettingsWrite, KeepsCountedLevelsAddressesCommentsAndUnknownKeys)
{
    IniProfile ini = parse("; hand-made\n[URL]\nPanelURL = http://by-hand\n[Red]\nColors=2\n0=10\n1=20\n"
                           "[Green]\nColors=9\n[Blue]\nColors=-1\n0=5\n[Extra]\nmine=1\n");
    AppSettings s = readSettings(ini, "");
    s.panelUrl = "http://changed";
    s.animeUrl = "http://changed";
    writeSettings(ini, s);
    const QByteArray bytes = ini.toBytes();
    EXPECT_TRUE(bytes.startsWith("; hand-made\n[URL]\nPanelURL = http://by-hand\n"
                                 "[Red]\nColors=2\n0=10\n1=20\n"
                                 "[Green]\nColors=4\n0=0\n1=85\n2=170\n3=255\n"
                                 "[Blue]\nColors=-1\n0=5\n[Extra]\nmine=1\n"))
        << bytes.constData();
    EXPECT_FALSE(bytes.contains("AnimeURL"));
    EXPECT_FALSE(bytes.contains("changed"));
}

// The shipped file differs from the built-in defaults in the caption only; folders and pages
// are left to where the program is.
TEST(AppSettingsRead, ShippedSettingsAreTheDefaultsWithTheProgramsName)
{
    AppSettings s = readSettings(
        IniProfile::fromFile(QStringLiteral(VANTREL_SOURCE_DIR "/resources/settings/vantrel.default.INI")),
        "/o");
    EXPECT_EQ(s.caption, "Vantrel");
    s.caption = "Default Caption";
    IniProfile fromShipped;
    IniProfile builtIn;
    writeSettings(fromShipped, s);
    writeSettings(builtIn, readSettings(IniProfile(), "/o"));
    EXPECT_EQ(fromShipped.toBytes(), builtIn.toBytes());
}

TEST(SettingsFilePath, ProgramFolderWhileWritableEvenWithACopyInTheConfigFolder)
{
    QTemporaryDir config;
    EXPECT_EQ(settingsFilePath("/opt/vantrel/vantrel", config.path(), true), "/opt/vantrel/vantrel.INI");
    EXPECT_EQ(settingsFilePath("/opt/vantrel/vantrel.exe", config.path(), true), "/opt/vantrel/vantrel.INI");
    EXPECT_EQ(settingsFilePath("/opt/vantrel/vantrel", config.path(), false), config.filePath("vantrel.INI"));

    QFile existing(config.filePath("vantrel.INI"));
    ASSERT_TRUE(existing.open(QIODevice::WriteOnly));
    existing.close();
    EXPECT_EQ(settingsFilePath("/opt/vantrel/vantrel", config.path(), true), "/opt/vantrel/vantrel.INI");
    EXPECT_EQ(settingsFilePath("/opt/vantrel/vantrel", config.path(), false), config.filePath("vantrel.INI"));
}

} // namespace
// A build keeps its files beside the program; an installed program finds them in share/vantrel
// and keeps its settings in the user's configuration folder even when bin/ is writable.
TEST(AppPaths, BesideTheProgramOrInstalledUnderShare)
{
    QTemporaryDir prefix;
    const QDir root(prefix.path());
    ASSERT_TRUE(root.mkpath("bin") && root.mkpath("share/vantrel"));
    const QString program = root.filePath("bin/vantrel");
    const QString config = root.filePath("config");
    auto touch = [](const QString& path) {
        QFile file(path);
        return file.open(QIODevice::WriteOnly);
    };

    AppPaths paths = appPathsForExecutable(program, config);
    EXPECT_EQ(paths.catalogueFile, root.filePath("bin/vantrel.MSG")); // nothing installed: the old place
    ASSERT_TRUE(touch(root.filePath("share/vantrel/vantrel.MSG")));
    ASSERT_TRUE(root.mkpath("share/vantrel/lang/en") &&
                touch(root.filePath("share/vantrel/lang/en/vantrel.MSG")));
    EXPECT_EQ(appPathsForExecutable(program, config, "en_GB").catalogueFile,
              root.filePath("share/vantrel/lang/en/vantrel.MSG"));
    paths = appPathsForExecutable(program, config, "ja_JP");
    EXPECT_EQ(paths.catalogueFile, root.filePath("share/vantrel/vantrel.MSG"));
    EXPECT_EQ(paths.programFolder, root.filePath("share/vantrel"));
    EXPECT_EQ(paths.settingsFile, QDir(config).filePath("vantrel.INI"));
    EXPECT_EQ(paths.defaultSettingsFile, root.filePath("share/vantrel/vantrel.default.INI"));
    ASSERT_TRUE(root.mkpath("share/vantrel/samples"));
    paths = appPathsForExecutable(program, config, "ja_JP");
    const AppSettings s = readSettings(IniProfile(), paths.programFolder, paths.pictureFolder);
    EXPECT_EQ(s.dirPicIn, root.filePath("share/vantrel/samples"));
    EXPECT_EQ(s.dirImg, root.filePath("share/vantrel"));

    ASSERT_TRUE(touch(root.filePath("bin/vantrel.MSG")));
    paths = appPathsForExecutable(program, config, "en_GB"); // a build keeps the catalogue beside it
    EXPECT_EQ(paths.catalogueFile, root.filePath("bin/vantrel.MSG"));
    EXPECT_EQ(paths.settingsFile, root.filePath("bin/vantrel.INI"));
    EXPECT_EQ(paths.defaultSettingsFile, root.filePath("bin/vantrel.default.INI"));
}

} // namespace vantrel
