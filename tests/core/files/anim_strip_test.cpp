#include "core/files/anim_file.h"
#include "core/files/anim_info.h"
#include "core/files/anim_result.h"
#include "core/files/anim_strip.h"
#include "core/files/anim_test_util.h"
#include "support/test_files.h"

#include <gtest/gtest.h>

#include <QDir>
#include <QJsonDocument>
#include <QJsonObject>
#include <QTemporaryDir>

#include <sys/stat.h>

namespace vantrel {
namespace {

using test::levelFrame;

TEST(AnimStrip, SizeIsFramesSideBySideWithGaps)
{
    EXPECT_EQ(stripSize({QSize(160, 54), QSize(160, 54), QSize(160, 54)}, 1), QSize(482, 54));
    EXPECT_EQ(stripSize({QSize(4, 2), QSize(6, 5)}, 3), QSize(4 * 3 + 1 + 6 * 3, 15));
    EXPECT_FALSE(stripSize({}, 1).isValid());
    EXPECT_FALSE(stripSize({QSize(4, 4)}, 0).isValid());
    EXPECT_FALSE(stripSize({QSize(4, 4)}, MaxStripScale + 1).isValid());
    EXPECT_EQ(stripSize({QSize(160, 54)}, MaxStripScale), QSize(160 * 64, 54 * 64));
    EXPECT_FALSE(stripSize({QSize(256, 256)}, MaxStripScale).isValid()); // a gigabyte of pixels
    EXPECT_FALSE(stripSize(QList<QSize>(65535, QSize(256, 256)), 1).isValid());
    EXPECT_FALSE(stripSize(QList<QSize>(90, QSize(256, 256)), 64).isValid());
}

TEST(AnimStrip, DotsAreTintedLevelsScaledUp)
{
    const QImage a = levelFrame(2, 1, 2, [](int x, int) { return x == 0 ? 3 : 1; });
    const QImage b = levelFrame(1, 2, 2, [](int, int y) { return y == 0 ? 2 : 0; });
    const QImage strip = renderStrip({a, b}, 2, 0x30, BacklightLevels{}); // red 3, green 0, blue 0
    ASSERT_EQ(strip.size(), QSize(2 * 2 + 1 + 1 * 2, 4));
    for (int y = 0; y < 2; ++y) {
        for (int x = 0; x < 2; ++x) {
            EXPECT_EQ(strip.pixel(x, y), qRgb(255, 0, 0));
            EXPECT_EQ(strip.pixel(2 + x, y), qRgb(85, 0, 0));
            EXPECT_EQ(strip.pixel(5 + x, y), qRgb(170, 0, 0));
            EXPECT_EQ(strip.pixel(5 + x, 2 + y), qRgb(0, 0, 0));
            EXPECT_EQ(strip.pixel(x, 2 + y), StripGapColour); // under the shorter frame
        }
        EXPECT_EQ(strip.pixel(4, y), StripGapColour);
    }
}

TEST(AnimStrip, CustomBacklightLevelsTint)
{
    BacklightLevels levels;
    levels.green.levels = {0, 30, 60, 90};
    const QImage strip = renderStrip({levelFrame(1, 1, 2, [](int, int) { return 3; })}, 1, 0x2A, levels);
    EXPECT_EQ(strip.pixel(0, 0), qRgb(170, 60, 170));
}

class AnimInfoTest : public testing::Test
{
protected:
    QString saved(const QString& name, int frames, int code)
    {
        TAnimFile file;
        file.SetFileName(dir_.filePath(name));
        file.setColorCode(code);
        QList<QImage> list;
        for (int i = 0; i < frames; ++i)
            list.append(test::patternFrame(160, 54, 2, i));
        EXPECT_EQ(file.SaveFile(list), AnimOk);
        return dir_.filePath(name);
    }
    QTemporaryDir dir_;
};

TEST_F(AnimInfoTest, DescribesAGoodAnimation)
{
    const AnimFileInfo info = inspectAnimFile(saved("clip.NMA", 3, 0x25));
    EXPECT_EQ(info.result, AnimOk);
    EXPECT_EQ(info.kind, AnimKind::Animation);
    EXPECT_EQ(info.frames, 3);
    EXPECT_EQ(info.width, 160);
    EXPECT_EQ(info.height, 54);
    EXPECT_EQ(info.bits, 2);
    EXPECT_EQ(info.colorCode, 0x25);
    EXPECT_EQ(infoLine(info), info.file + ": nma, 3 frames, 160x54, 2 bits, colour code 37 (red 2, green 1, "
                                          "blue 1), check ok");

    const QJsonObject json = QJsonDocument::fromJson(infoJson(info)).object();
    EXPECT_EQ(json.keys(), (QStringList{"bits", "colorCode", "file", "frames", "height", "kind", "message",
                                        "result", "trailingBytes", "width"}));
    EXPECT_EQ(json["kind"].toString(), "nma");
    EXPECT_EQ(json["frames"].toInt(), 3);
    EXPECT_EQ(json["colorCode"].toInt(), 37);
    EXPECT_EQ(json["result"].toInt(), 0);
    EXPECT_FALSE(infoJson(info).contains('\n'));
}

TEST_F(AnimInfoTest, ReportsWhyAFileCantBeRead)
{
    const QString path = saved("one.nml", 1, 63);
    QByteArray bytes = test::readBytes(path);
    bytes[20] = static_cast<char>(bytes[20] ^ 4);
    ASSERT_TRUE(test::writeBytes(path, bytes));
    const AnimFileInfo info = inspectAnimFile(path);
    EXPECT_EQ(info.result, AnimCheckFailed);
    EXPECT_EQ(infoLine(info), path + ": error 3: " + animResultMessage(AnimCheckFailed));
    const QJsonObject json = QJsonDocument::fromJson(infoJson(info)).object();
    EXPECT_EQ(json["result"].toInt(), 3);
    EXPECT_TRUE(json["frames"].isNull());
    EXPECT_EQ(json["kind"].toString(), "nml");

    EXPECT_EQ(inspectAnimFile(dir_.filePath("absent.nma")).result, AnimCantOpen);
    const AnimFileInfo other = inspectAnimFile(dir_.filePath("x.txt"));
    EXPECT_TRUE(QJsonDocument::fromJson(infoJson(other)).object()["kind"].isNull());
}

TEST_F(AnimInfoTest, EmptyAnimationHasNoGeometry)
{
    ASSERT_TRUE(test::writeBytes(dir_.filePath("empty.nma"), test::bytesOf({'n', 'a', 0, 0})));
    const AnimFileInfo info = inspectAnimFile(dir_.filePath("empty.nma"));
    EXPECT_EQ(info.result, AnimOk);
    EXPECT_EQ(info.frames, 0);
    EXPECT_EQ(infoLine(info), info.file + ": nma, 0 frames, check ok");
    const QJsonObject json = QJsonDocument::fromJson(infoJson(info)).object();
    EXPECT_EQ(json["frames"].toInt(-1), 0);
    EXPECT_TRUE(json["width"].isNull());
    EXPECT_TRUE(json["colorCode"].isNull());
}

TEST_F(AnimInfoTest, PipesAndFoldersAreNotOpened)
{
    const QString pipe = dir_.filePath("pipe.nma");
    ASSERT_EQ(mkfifo(QFile::encodeName(pipe).constData(), 0600), 0);
    EXPECT_EQ(inspectAnimFile(pipe).result, AnimSizeUnknown); // opening it would wait for a writer
    ASSERT_TRUE(QDir(dir_.path()).mkdir("folder.nml"));
    EXPECT_EQ(inspectAnimFile(dir_.filePath("folder.nml")).result, AnimCantOpen);
}

} // namespace
} // namespace vantrel
