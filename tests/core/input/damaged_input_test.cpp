#include "core/input/media_file.h"

#include "support/avi_writer.h"
#include "support/frame_pattern.h"
#include "support/test_files.h"

#include <gtest/gtest.h>

#include <QDir>
#include <QImageWriter>
#include <QTemporaryDir>
#include <QtEndian>

#include <random>

namespace vantrel {
namespace {

int openResult(const QString& path)
{
    std::unique_ptr<MediaFile> file;
    return MediaFile::open(path, file);
}

int loadResult(const QString& path)
{
    QList<QImage> frames;
    return LoadPages(path, 1, 1, frames);
}

// Noise, so that the coded pixels and not the tables make up most of the file.
QImage noise(QSize size)
{
    QImage picture(size, QImage::Format_RGB888);
    std::mt19937 random(7);
    for (int y = 0; y < size.height(); ++y) {
        uchar* line = picture.scanLine(y);
        for (int x = 0; x < 3 * size.width(); ++x)
            line[x] = uchar(random());
    }
    return picture;
}

TEST(DamagedPictures, CutOffFilesAreCorruptThoughTheirHeadersRead)
{
    QTemporaryDir dir;
    const QImage source = noise(QSize(160, 128));
    for (const char* name : {"cut.jpg", "cut.png", "cut.bmp"}) {
        const QString path = test::writePicture(dir, name, source);
        const QByteArray whole = test::readBytes(path);
        ASSERT_TRUE(test::writeBytes(path, whole.left(whole.size() / 2)));
        EXPECT_EQ(openResult(path), MediaOk) << name;
        EXPECT_EQ(loadResult(path), MediaCorrupt) << name;
    }
}

TEST(DamagedPictures, WholeJpegsWithSeveralScansOrTrailingDataAreNotMistakenForCutOnes)
{
    QTemporaryDir dir;
    const QString progressive = dir.filePath("progressive.jpg");
    QImageWriter writer(progressive, "jpeg");
    writer.setProgressiveScanWrite(true);
    ASSERT_TRUE(writer.write(test::makeNumberedPicture(6, QSize(64, 64))));
    const QString trailing = dir.filePath("trailing.jpg");
    ASSERT_TRUE(
        test::writeBytes(trailing, test::readBytes(progressive) + QByteArray(1000, '\xFF') + "trailer"));

    for (const QString& path : {progressive, trailing}) {
        QList<QImage> frames;
        ASSERT_EQ(LoadPages(path, 1, 1, frames), MediaOk) << path.toStdString();
        EXPECT_EQ(test::pictureNumber(frames[0]), 6);
    }
}

TEST(DamagedFiles, EmptyAndMisnamedFilesAreNotReadable)
{
    QTemporaryDir dir;
    for (const char* name : {"empty.jpg", "empty.png", "empty.bmp", "empty.avi"}) {
        ASSERT_TRUE(test::writeBytes(dir.filePath(name), {}));
        EXPECT_EQ(openResult(dir.filePath(name)), MediaUnsupported) << name;
    }
    const QString text = dir.filePath("notes.avi");
    ASSERT_TRUE(test::writeBytes(text, "RIFF is how an AVI starts, but this is only text.\n"));
    EXPECT_EQ(openResult(text), MediaUnsupported);
    int totalPages = -7;
    EXPECT_EQ(GetFileInfo(text, totalPages), MediaUnsupported);
    EXPECT_EQ(totalPages, -7);
}

TEST(DamagedFiles, MissingFilesDirectoriesAndUnknownExtensions)
{
    QTemporaryDir dir;
    EXPECT_EQ(openResult(dir.filePath("missing.avi")), MediaCannotOpen);
    EXPECT_EQ(openResult(dir.filePath("missing.PNG")), MediaCannotOpen);
    ASSERT_TRUE(QDir(dir.path()).mkdir("folder.avi"));
    EXPECT_EQ(openResult(dir.filePath("folder.avi")), MediaCannotOpen);

    const QImage source = test::makeNumberedPicture(1, QSize(16, 16));
    for (const char* name : {"picture.gif", "picture.png.txt", "picture"}) {
        ASSERT_FALSE(test::writePicture(dir, name, source, "png").isEmpty());
        EXPECT_EQ(openResult(dir.filePath(name)), MediaUnsupported) << name;
    }
}

class DamagedVideo : public testing::Test
{
protected:
    static constexpr int Frames = 24;

    void SetUp() override
    {
        ASSERT_TRUE(test::writeAvi(dir_.filePath("whole.avi"), {.size = QSize(32, 32),
                                                                .frames = Frames,
                                                                .codec = test::AviCodec::Mjpeg,
                                                                .fps = 10,
                                                                .keyFrameInterval = 4}));
        whole_ = test::readBytes(dir_.filePath("whole.avi"));
        indexAt_ = whole_.lastIndexOf("idx1");
        ASSERT_GT(indexAt_, 0);
    }

    QString write(const QByteArray& bytes)
    {
        const QString path = dir_.filePath("damaged.avi");
        return test::writeBytes(path, bytes) ? path : QString();
    }

    // Every load must either fail cleanly or give 24-bit frames of the stream's size, never more
    // than asked for.
    static void expectCleanLoads(MediaFile& video)
    {
        for (const int first : {1, 11, 21, 5, 1, 17, 3}) {
            QList<QImage> frames;
            const int rc = video.load(first, 4, frames);
            if (rc != MediaOk) {
                EXPECT_LT(rc, 0) << "page " << first;
                continue;
            }
            EXPECT_GE(frames.size(), 1);
            EXPECT_LE(frames.size(), 4);
            for (const QImage& frame : frames) {
                EXPECT_EQ(frame.format(), QImage::Format_RGB888);
                EXPECT_EQ(frame.size(), QSize(32, 32));
            }
        }
    }

    QTemporaryDir dir_;
    QByteArray whole_;
    qsizetype indexAt_ = -1;
};

TEST_F(DamagedVideo, ScrambledIndexEntriesNeitherCrashNorHang)
{
    std::mt19937 random(20240601);
    const qsizetype entries = (whole_.size() - indexAt_ - 8) / 16;
    for (int round = 0; round < 8; ++round) {
        QByteArray bytes = whole_;
        for (qsizetype entry = 0; entry < entries; ++entry) {
            char* fields = bytes.data() + indexAt_ + 8 + 16 * entry;
            // Keep the chunk id so the entries still count; scramble flags, offset and size.
            for (int field = 1; field < 4; ++field)
                qToLittleEndian<quint32>(quint32(random()), fields + 4 * field);
        }
        std::unique_ptr<MediaFile> video;
        const int rc = MediaFile::open(write(bytes), video);
        ASSERT_TRUE(rc == MediaOk || rc < 0) << rc;
        if (video)
            expectCleanLoads(*video);
    }
}

TEST_F(DamagedVideo, AnUnusableIndexFallsBackToDecodingFromTheStart)
{
    QByteArray bytes = whole_;
    bytes.replace(indexAt_ + 8, bytes.size() - indexAt_ - 8, QByteArray(bytes.size() - indexAt_ - 8, '\xFF'));
    std::unique_ptr<MediaFile> video;
    ASSERT_EQ(MediaFile::open(write(bytes), video), MediaOk);
    ASSERT_EQ(video->frameCount(), Frames);
    for (const int first : {9, 2, 20}) {
        QList<QImage> frames;
        ASSERT_EQ(video->load(first, 3, frames), MediaOk);
        EXPECT_EQ(test::pictureNumbers(frames), (QList<int>{first, first + 1, first + 2}));
    }
}

TEST_F(DamagedVideo, AnIndexChunkClaimingMoreThanTheFileHolds)
{
    QByteArray bytes = whole_;
    qToLittleEndian<quint32>(0x7FFFFFF0u, bytes.data() + indexAt_ + 4);
    std::unique_ptr<MediaFile> video;
    const int rc = MediaFile::open(write(bytes), video);
    ASSERT_TRUE(rc == MediaOk || rc < 0) << rc;
    if (video)
        expectCleanLoads(*video);
}

TEST_F(DamagedVideo, AVideoCutInHalfGivesTheFramesItHoldsAndBlackAfterThem)
{
    std::unique_ptr<MediaFile> video;
    ASSERT_EQ(MediaFile::open(write(whole_.left(whole_.size() / 2)), video), MediaOk);
    EXPECT_EQ(video->frameCount(), Frames);
    // The index went with the second half, so going back relies on what reading found.
    QList<QImage> frames;
    ASSERT_EQ(video->load(1, 3, frames), MediaOk);
    EXPECT_EQ(test::pictureNumbers(frames), (QList<int>{1, 2, 3}));
    ASSERT_EQ(video->load(2, 2, frames), MediaOk);
    EXPECT_EQ(test::pictureNumbers(frames), (QList<int>{2, 3}));
    QImage black(32, 32, QImage::Format_RGB888);
    black.fill(Qt::black);
    ASSERT_EQ(video->load(Frames - 1, 2, frames), MediaOk);
    EXPECT_EQ(frames, (QList<QImage>{black, black}));
}

// Both headers' counts: the main header's and the stream header's.
QByteArray withClaimedFrameCount(QByteArray avi, quint32 frames)
{
    const qsizetype main = avi.indexOf("avih");
    const qsizetype stream = avi.indexOf("strh");
    if (main < 0 || stream < 0 || stream + 44 > avi.size())
        return {};
    qToLittleEndian(frames, avi.data() + main + 8 + 16);
    qToLittleEndian(frames, avi.data() + stream + 8 + 32);
    return avi;
}

TEST_F(DamagedVideo, ACountTheFileCannotHoldIsNotBelieved)
{
    const QByteArray claiming = withClaimedFrameCount(whole_, 2147483632u);
    std::unique_ptr<MediaFile> video;
    ASSERT_EQ(MediaFile::open(write(claiming), video), MediaOk);
    EXPECT_EQ(video->frameCount(), Frames);

    // Without the index every frame still takes a chunk header of 8 bytes at least.
    const QByteArray cut = claiming.left(claiming.size() / 2);
    ASSERT_EQ(MediaFile::open(write(cut), video), MediaOk);
    EXPECT_LE(video->frameCount(), cut.size() / 8);
    QList<QImage> frames;
    ASSERT_EQ(video->load(video->frameCount(), 1, frames), MediaOk);
    EXPECT_EQ(frames[0].size(), QSize(32, 32));
    EXPECT_EQ(frames[0].pixel(16, 16), qRgb(0, 0, 0));
}

} // namespace
} // namespace vantrel
