#include "core/app/catalogue.h"
#include "core/app/qt_translation.h"

#include <gtest/gtest.h>

#include <QFile>
#include <QLibraryInfo>
#include <QStringDecoder>
#include <QTranslator>

namespace vantrel {
namespace {

class ShippedCatalogue : public testing::TestWithParam<const char*>
{
protected:
    QString path() const { return QStringLiteral(VANTREL_SOURCE_DIR "/") + GetParam(); }
};

TEST_P(ShippedCatalogue, IsUtf8WithCrlfLines)
{
    QFile file(path());
    ASSERT_TRUE(file.open(QIODevice::ReadOnly)) << path().toStdString();
    const QByteArray bytes = file.readAll();
    QStringDecoder utf8(QStringConverter::Utf8, QStringConverter::Flag::Stateless);
    const QString text = utf8(bytes);
    EXPECT_FALSE(utf8.hasError());
    EXPECT_FALSE(text.contains(QChar::ReplacementCharacter));
    EXPECT_TRUE(bytes.endsWith("\r\n"));
    EXPECT_EQ(bytes.count('\n'), bytes.count("\r\n"));
}

TEST_P(ShippedCatalogue, FillsEveryTextTheWindowReads)
{
    const IniProfile ini = IniProfile::fromFile(path());
    const Catalogue c = loadCatalogue(ini);
    EXPECT_FALSE(c.defaultFont.isEmpty());
    EXPECT_NE(c.defaultFont, "FixedSys");
    QTranslator qtTexts; // Qt's own dialogs follow the catalogue's language
    EXPECT_TRUE(loadQtTranslation(qtTexts, c.language, QLibraryInfo::path(QLibraryInfo::TranslationsPath)));

    const std::pair<const char*, int> lists[] = {
        {"Errors", 10},   {"Messages", 4},  {"File", 5},       {"Effect", 7},      {"Dithering", 5},
        {"Animation", 8}, {"FontColor", 4}, {"FontEffect", 5}, {"FontBGColor", 4}, {"Scale", 5},
    };
    for (const auto& [section, count] : lists) {
        EXPECT_EQ(ini.readInt(section, "Items", 0), count) << section;
        for (int i = 0; i < count; ++i)
            EXPECT_FALSE(ini.readString(section, QString::number(i), "").isEmpty()) << section << " " << i;
    }
    EXPECT_EQ(c.scale, (QStringList{"25", "50", "100", "200", "400"}));
    EXPECT_EQ(c.dithering[0], "Burkes");
    EXPECT_EQ(c.dithering[1], "Jarvis-Judice-Ninke");

    for (const auto& [name, text] : c.captions + c.hints)
        EXPECT_FALSE(text.isEmpty()) << name.toStdString();
    for (const QString* text :
         {&c.dialogTitle, &c.fileDir, &c.fileName, &c.fileKind, &c.filePreview, &c.fileOpen, &c.fileCancel,
          &c.endConfirmCaption, &c.endConfirmText, &c.frameSizeDiffers, &c.framesLeftOut, &c.overwriteConfirm,
          &c.singleFrameFile, &c.endConfirmUnsaved, &c.generating, &c.exportAnimation})
        EXPECT_FALSE(text->isEmpty());
    // Texts that name a file or a count must have the place for it.
    for (const QString* text : {&c.insertFrameCount, &c.deleteInputFile, &c.noApplication})
        EXPECT_TRUE(text->contains("%1")) << text->toStdString();
}

INSTANTIATE_TEST_SUITE_P(Languages, ShippedCatalogue,
                         testing::Values("resources/catalogue/vantrel.MSG", "lang/en/vantrel.MSG"));

} // namespace
} // namespace vantrel
