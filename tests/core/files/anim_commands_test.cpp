#include "core/files/anim_commands.h"
#include "core/files/anim_result.h"
#include "core/files/anim_test_util.h"
#include "core/files/panel_levels.h"
#include "core/frames/frame_store.h"
#include "core/imaging/bitmap.h"
#include "support/test_files.h"

#include <gtest/gtest.h>

#include <QTemporaryDir>

namespace vantrel {
namespace {

using test::patternFrame;

class AnimCommandTest : public testing::Test
{
protected:
    QString save(const QString& name, int frameCount, int code = 63, int bits = 2)
    {
        QList<QImage> frames;
        for (int i = 0; i < frameCount; ++i)
            frames.append(patternFrame(10, 4, bits, i));
        TAnimFile file;
        EXPECT_EQ(saveStoreFrames(file, dir_.filePath(name), frames, code), AnimOk);
        return dir_.filePath(name);
    }

    static void fill(FrameStore& store, int count)
    {
        for (int i = 0; i < count; ++i)
            store.insertFrame(createBitmap(10, 4), patternFrame(10, 4, 2, 100 + i), i);
    }

    QTemporaryDir dir_;
};

TEST_F(AnimCommandTest, LoadCutsToWhatFitsBesideTheStore)
{
    const QString path = save("five.nma", 5);
    TAnimFile file;
    for (const auto& [storeCount, converted] : {std::pair{88, 2}, {90, 0}, {0, 5}}) {
        LoadedFrames loaded;
        ASSERT_EQ(loadFramesForStore(file, path, storeCount, loaded), AnimOk);
        EXPECT_EQ(loaded.mono.size(), converted);
        EXPECT_EQ(loaded.colour.size(), converted);
        EXPECT_EQ(loaded.fileFrames, 5);
    }

    FrameStore store;
    fill(store, 88);
    LoadedFrames loaded;
    ASSERT_EQ(loadFramesForStore(file, path, store.count(), loaded), AnimOk);
    EXPECT_EQ(insertLoadedFrames(store, insertIndexAt(store.count(), 87, true), loaded), 2);
    EXPECT_EQ(store.count(), 90);
    EXPECT_TRUE(test::sameLevels(store.monoFrame(88), patternFrame(10, 4, 2, 0)));
    EXPECT_TRUE(test::sameLevels(store.monoFrame(89), patternFrame(10, 4, 2, 1)));
}

TEST_F(AnimCommandTest, LoadedFramesAreGreyColourAndPanelLevels)
{
    const QString path = save("clip.nma", 2, 0x25);
    TAnimFile file;
    LoadedFrames loaded;
    ASSERT_EQ(loadFramesForStore(file, path, 0, loaded), AnimOk);
    EXPECT_EQ(loaded.colorCode, 0x25);
    ASSERT_EQ(loaded.colour.size(), 2);
    const QImage& colour = loaded.colour[1];
    const QImage& mono = loaded.mono[1];
    EXPECT_EQ(colour.format(), QImage::Format_RGB888);
    EXPECT_EQ(mono.format(), QImage::Format_Indexed8);
    EXPECT_EQ(bitmapBits(mono), 2);
    for (int y = 0; y < 4; ++y)
        for (int x = 0; x < 10; ++x) {
            const int level = patternFrame(10, 4, 2, 1).pixelIndex(x, y);
            ASSERT_EQ(mono.pixelIndex(x, y), level);
            ASSERT_EQ(colour.pixel(x, y), qRgb(85 * level, 85 * level, 85 * level));
        }
}

TEST_F(AnimCommandTest, OtherDepthsBecomeTheirTopTwoBits)
{
    for (int bits : {1, 4, 8}) {
        const QString path = save(QStringLiteral("d%1.nml").arg(bits), 1, 63, bits);
        TAnimFile file;
        LoadedFrames loaded;
        ASSERT_EQ(loadFramesForStore(file, path, 0, loaded), AnimOk);
        const QImage source = patternFrame(10, 4, bits, 0);
        const QImage& mono = loaded.mono[0];
        EXPECT_EQ(mono.colorCount(), 4);
        for (int y = 0; y < 4; ++y)
            for (int x = 0; x < 10; ++x)
                ASSERT_EQ(mono.pixelIndex(x, y), QuantizeLevel(ExpandLevel(source.pixelIndex(x, y), bits), 2))
                    << bits << " bits at " << x << "," << y;
        EXPECT_EQ(loaded.colour[0].pixel(9, 3),
                  qRgb(ExpandLevel(source.pixelIndex(9, 3), bits), ExpandLevel(source.pixelIndex(9, 3), bits),
                       ExpandLevel(source.pixelIndex(9, 3), bits)));
    }
}

TEST_F(AnimCommandTest, PanelLevelsOfColourPicturesUseTheBrightestChannel)
{
    QImage picture(3, 1, QImage::Format_RGB888);
    picture.setPixel(0, 0, qRgb(0, 0, 255));
    picture.setPixel(1, 0, qRgb(10, 100, 20));
    picture.setPixel(2, 0, qRgb(63, 63, 63));
    const QImage levels = toPanelLevels(picture);
    EXPECT_EQ(levels.pixelIndex(0, 0), 3);
    EXPECT_EQ(levels.pixelIndex(1, 0), 1);
    EXPECT_EQ(levels.pixelIndex(2, 0), 0);
    EXPECT_TRUE(toPanelLevels(QImage()).isNull());
}

TEST_F(AnimCommandTest, MissingOrEmptyFilesAreCodeSevenAndChangeNothing)
{
    TAnimFile file;
    LoadedFrames loaded;
    loaded.colorCode = 7;
    EXPECT_EQ(loadFramesForStore(file, dir_.filePath("none.nma"), 0, loaded), AnimNoFrames);
    ASSERT_TRUE(test::writeBytes(dir_.filePath("empty.nma"), test::bytesOf({'n', 'a', 0, 0})));
    EXPECT_EQ(loadFramesForStore(file, dir_.filePath("empty.nma"), 0, loaded), AnimNoFrames);
    ASSERT_TRUE(test::writeBytes(dir_.filePath("garbage.nma"), "garbage"));
    EXPECT_EQ(loadFramesForStore(file, dir_.filePath("garbage.nma"), 0, loaded), AnimNoFrames);

    ASSERT_TRUE(test::writeBytes(dir_.filePath("picture.bmp"), "BM"));
    EXPECT_EQ(loadFramesForStore(file, dir_.filePath("picture.bmp"), 0, loaded), AnimCantOpen);
    EXPECT_EQ(loaded.colorCode, 7);
}

TEST_F(AnimCommandTest, DamagedFileLeavesTheStoreAlone)
{
    const QString path = save("clip.nma", 3);
    QByteArray bytes = test::readBytes(path);
    bytes[bytes.size() - 1] = static_cast<char>(bytes.back() ^ 0x10);
    ASSERT_TRUE(test::writeBytes(path, bytes));
    TAnimFile file;
    LoadedFrames loaded;
    EXPECT_EQ(loadFramesForStore(file, path, 0, loaded), AnimCheckFailed);
    EXPECT_TRUE(loaded.mono.isEmpty());
}

TEST_F(AnimCommandTest, InsertPositionFollowsTheShownFrame)
{
    EXPECT_EQ(insertIndexAt(0, 5, true), 0);
    EXPECT_EQ(insertIndexAt(10, 3, true), 4);
    EXPECT_EQ(insertIndexAt(10, 3, false), 3);
    EXPECT_EQ(insertIndexAt(10, 12, true), 10);

    FrameStore store;
    fill(store, 10);

    TAnimFile file;
    LoadedFrames loaded;
    ASSERT_EQ(loadFramesForStore(file, save("two.nma", 2), store.count(), loaded), AnimOk);
    EXPECT_EQ(insertLoadedFrames(store, 4, loaded), 2);
    EXPECT_EQ(store.count(), 12);
    EXPECT_TRUE(test::sameLevels(store.monoFrame(4), patternFrame(10, 4, 2, 0)));
    EXPECT_TRUE(test::sameLevels(store.monoFrame(5), patternFrame(10, 4, 2, 1)));
    EXPECT_TRUE(test::sameLevels(store.monoFrame(6), patternFrame(10, 4, 2, 104)));
    EXPECT_EQ(store.monoSelection(), 5);
}

// Saving cuts a long base name; loading takes the file under the name it has.
TEST_F(AnimCommandTest, LongNamesLoadUnderTheirOwnName)
{
    const QString longName = QString(130, QLatin1Char('x')) + QStringLiteral(".nma");
    TAnimFile file;
    ASSERT_EQ(
        saveStoreFrames(file, dir_.filePath(longName), {patternFrame(4, 4, 2), patternFrame(4, 4, 2, 1)}, 63),
        AnimOk);
    EXPECT_EQ(QFileInfo(file.fileName()).fileName().size(), 122 + 4);
    ASSERT_TRUE(QFile::rename(file.fileName(), dir_.filePath(longName)));
    LoadedFrames loaded;
    ASSERT_EQ(loadFramesForStore(file, dir_.filePath(longName), 0, loaded), AnimOk);
    EXPECT_EQ(loaded.mono.size(), 2);
}

TEST_F(AnimCommandTest, SaveKindFollowsTheNameAndOneFrameLoadsBackFromAnAnimation)
{
    EXPECT_EQ(test::readBytes(save("single.nma", 1)).left(4), test::bytesOf({'n', 'a', 0, 1}));
    TAnimFile file;
    LoadedFrames loaded;
    ASSERT_EQ(loadFramesForStore(file, dir_.filePath("single.nma"), 0, loaded), AnimOk);
    EXPECT_EQ(loaded.mono.size(), 1);

    EXPECT_EQ(test::readBytes(save("single.nml", 1)).left(3), test::bytesOf({'n', 'm', 9}));
    EXPECT_EQ(saveStoreFrames(file, dir_.filePath("frames.png"), {patternFrame(4, 4, 2)}, 63), AnimCantOpen);
    EXPECT_FALSE(QFileInfo::exists(dir_.filePath("frames.png")));
}

} // namespace
} // namespace vantrel
