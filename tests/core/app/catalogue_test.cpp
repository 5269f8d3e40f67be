#include "core/app/catalogue.h"
#include "core/app/qt_translation.h"

#include <gtest/gtest.h>

#include <QLibraryInfo>
#include <QTemporaryDir>
#include <QTranslator>

#include <tuple>

namespace vantrel {
namespace {

Catalogue load(const char* text)
{
    return loadCatalogue(IniProfile::fromBytes(QByteArray(text)));
}

// Every text of a catalogue in one list, for comparing two of them.
QStringList allTexts(const Catalogue& c)
{
    QStringList texts{c.defaultFont};
    texts += QStringList(c.errorTexts.begin(), c.errorTexts.end());
    texts += QStringList(c.messageTexts.begin(), c.messageTexts.end());
    texts += QStringList(c.fileTexts.begin(), c.fileTexts.end());
    for (const QStringList* list :
         {&c.effect, &c.dithering, &c.animation, &c.fontColor, &c.fontEffect, &c.fontBGColor, &c.scale})
        texts += *list + QStringList{"|"};
    for (const auto& [name, text] : c.captions + c.hints)
        texts += name + "=" + text;
    texts += {c.dialogTitle, c.fileDir,    c.fileName,          c.fileKind,      c.filePreview,
              c.fileOpen,    c.fileCancel, c.endConfirmCaption, c.endConfirmText};
    return texts;
}

TEST(Catalogue, MissingFileGivesEmptyTextsAndTheDefaultFont)
{
    const Catalogue c = loadCatalogue(IniProfile());
    EXPECT_EQ(c.defaultFont, "FixedSys");
    EXPECT_TRUE(c.errorTexts[0].isEmpty());
    EXPECT_TRUE(c.scale.isEmpty());
    ASSERT_EQ(c.captions.size(), Catalogue::captionKeys().size());
    ASSERT_EQ(c.hints.size(), Catalogue::hintKeys().size());
    EXPECT_TRUE(c.captions[0].second.isEmpty());
    EXPECT_TRUE(c.endConfirmText.isEmpty());
}

TEST(Catalogue, TablesIgnoreItemsBeyondTheirCapacity)
{
    const Catalogue c = load("[Errors]\nItems=12\n0=e0\n7=e7\n9=e9\n10=e10\n11=e11\n"
                             "[Messages]\nItems=6\n0=m0\n3=m3\n4=m4\n[File]\nItems=2\n0=f0\n1=f1\n2=f2\n");
    EXPECT_EQ(c.errorTexts[0], "e0");
    EXPECT_EQ(c.errorTexts[1], "");
    EXPECT_EQ(c.errorTexts[7], "e7");
    EXPECT_EQ(c.errorTexts[9], "e9");
    EXPECT_EQ(c.messageTexts[3], "m3");
    EXPECT_EQ(c.fileTexts[1], "f1");
    EXPECT_EQ(c.fileTexts[2], ""); // beyond Items
}

TEST(Catalogue, ListsHoldItemsCountEntriesBlankWhereKeysAreMissing)
{
    const Catalogue c =
        load("[Scale]\nItems=3\n0=25\n2=100\n[Effect]\nItems=4\n0=none\n"
             "[Dithering]\nItems=0\n0=x\n[Animation]\nItems=-2\n0=x\n[FontColor]\nItems=two\n0=x\n"
             "[FontEffect]\nItems=2000000000\n1=raised\n[FontBGColor]\nItems=2\n00=x\n1=white\n");
    EXPECT_EQ(c.scale, (QStringList{"25", "", "100"}));
    EXPECT_EQ(c.effect, (QStringList{"none", "", "", ""}));
    EXPECT_TRUE(c.dithering.isEmpty());
    EXPECT_TRUE(c.animation.isEmpty());
    EXPECT_TRUE(c.fontColor.isEmpty());
    EXPECT_EQ(c.fontEffect.size(), 1000);
    EXPECT_EQ(c.fontEffect[1], "raised");
    EXPECT_EQ(c.fontBGColor, (QStringList{"", "white"})); // "00" is not item 0
}

TEST(Catalogue, NamedTextsFollowTheKeyListsAndTheirSections)
{
    const Catalogue c =
        load("[Application]\nDefaultFont=IPAPGothic\n"
             "[Caption]\nTabSheet1=Input\nLabel2=\nPanel32=Panel picture\nLEADDlg1=Open\n"
             "FileDir=Folder\nFileName=Name\nFileKind=Kind\nFilePreview=Preview\nFileOpen=OK\n"
             "FileCancel=Cancel\nEndConfirm=Quit\nabbInPic=wrong section\n"
             "[DialogMessage]\nEndConfirm=Really quit?\n[Hint]\nabbInPic=Add\nabbPRep=Repeat\n");
    EXPECT_EQ(c.defaultFont, "IPAPGothic");
    ASSERT_EQ(c.captions.size(), 40);
    EXPECT_EQ(c.captions.front(), (QPair<QString, QString>{"TabSheet1", "Input"}));
    EXPECT_EQ(c.captions[4], (QPair<QString, QString>{"Label2", ""}));
    EXPECT_EQ(c.captions.back(), (QPair<QString, QString>{"Panel32", "Panel picture"}));
    ASSERT_EQ(c.hints.size(), 47);
    EXPECT_EQ(c.hints.front(), (QPair<QString, QString>{"abbInPic", "Add"}));
    EXPECT_EQ(c.hints.back(), (QPair<QString, QString>{"abbPRep", "Repeat"}));
    EXPECT_EQ(c.dialogTitle, "Open");
    EXPECT_EQ((QStringList{c.fileDir, c.fileName, c.fileKind, c.filePreview, c.fileOpen, c.fileCancel}),
              (QStringList{"Folder", "Name", "Kind", "Preview", "OK", "Cancel"}));
    EXPECT_EQ(c.endConfirmCaption, "Quit");
    EXPECT_EQ(c.endConfirmText, "Really quit?");
}

TEST(Catalogue, SectionNameCaseMakesNoDifference)
{
    const char* mixed = "[Errors]\nItems=2\n0=a\n1=b\n[Scale]\nItems=1\n0=50\n[Caption]\nTabSheet2=Effects\n"
                        "[Hint]\ncbScale=Zoom\n[DialogMessage]\nEndConfirm=Bye\n";
    const char* lower = "[errors]\nitems=2\n0=a\n1=b\n[SCALE]\nITEMS=1\n0=50\n[caption]\ntabsheet2=Effects\n"
                        "[HINT]\nCBSCALE=Zoom\n[dialogmessage]\nendconfirm=Bye\n";
    const QStringList expected = allTexts(load(mixed));
    EXPECT_EQ(allTexts(load(lower)), expected);
    EXPECT_TRUE(expected.contains("TabSheet2=Effects"));
    EXPECT_TRUE(expected.contains("cbScale=Zoom"));
}

TEST(ScalePercent, PositiveIntegersOnly)
{
    EXPECT_EQ(scalePercent("25"), 25);
    EXPECT_EQ(scalePercent("400"), 400);
    EXPECT_EQ(scalePercent("+50"), 50);
    for (const char* other : {"0", "-50", "", "fifty", "50%", "1.5", "99999999999"})
        EXPECT_EQ(scalePercent(other), 100) << other;
}

TEST(QtTranslation, LoadsOnlyAnExistingFileForAWellFormedCode)
{
    const QString qt = QLibraryInfo::path(QLibraryInfo::TranslationsPath);
    QTemporaryDir empty;
    const std::tuple<const char*, QString, const char*> cases[] = {
        {"ja", qt, "キャンセル"}, {"", qt, ""}, {"ja.qm", qt, ""}, {"ja", empty.path(), ""}};
    for (const auto& [language, folder, cancel] : cases) {
        QTranslator translator;
        EXPECT_EQ(loadQtTranslation(translator, language, folder), *cancel != '\0') << language;
        EXPECT_EQ(translator.translate("QPlatformTheme", "Cancel"), QString::fromUtf8(cancel)) << language;
    }
}

} // namespace
} // namespace vantrel
