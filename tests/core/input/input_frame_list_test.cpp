#include "core/input/input_frame_list.h"

#include "support/avi_writer.h"
#include "support/frame_pattern.h"
#include "support/test_files.h"

#include <gtest/gtest.h>

#include <QFile>
#include <QFileInfo>
#include <QTemporaryDir>
#include <QtEndian>

#include <functional>

namespace vantrel {
namespace {

using test::AviCodec;

QImage black(QSize size)
{
    QImage picture(size, QImage::Format_RGB888);
    picture.fill(Qt::black);
    return picture;
}

// Overwrites the data of video frame n (1-based) with zeros, which no decoder takes for a picture.
bool zeroFrameData(const QString& path, int n)
{
    QByteArray avi = test::readBytes(path);
    qsizetype at = avi.indexOf("movi") + 4;
    for (int frame = 0; at > 3 && at + 8 <= avi.size();) {
        const qsizetype size = qFromLittleEndian<quint32>(avi.constData() + at + 4);
        const QByteArray id = avi.mid(at, 4);
        if ((id.endsWith("dc") || id.endsWith("db")) && ++frame == n && at + 8 + size <= avi.size()) {
            avi.replace(at + 8, size, QByteArray(size, '\0'));
            return test::writeBytes(path, avi);
        }
        at += 8 + size + (size & 1);
    }
    return false;
}

struct Step
{
    int frameNo;     // 1-based, as the user counts
    QList<int> held; // 1-based frames held decoded afterwards
    qint64 decoded;  // frames decoded by the step
};

struct BlockCase
{
    const char* name;
    test::AviLayout video;
    QList<Step> steps; // the first is the add, which shows frame 1
};

class InputFrameBlocks : public testing::TestWithParam<BlockCase>
{
};

TEST_P(InputFrameBlocks, EachFrameOfABlockIsDecodedOnceAndOnlyItsBlockIsHeld)
{
    QTemporaryDir dir;
    const QString path = dir.filePath("video.avi");
    ASSERT_TRUE(test::writeAvi(path, GetParam().video));
    TInputFrameList list;
    ASSERT_EQ(list.AddAfter(path), MediaOk);
    qint64 decoded = 0;
    for (const Step& step : GetParam().steps) {
        QImage frame;
        ASSERT_EQ(list.SelectFrame(step.frameNo - 1, frame), MediaOk);
        EXPECT_EQ(test::pictureNumber(frame), step.frameNo);
        QList<int> held = list.Current()->heldFrames();
        for (int& number : held)
            ++number;
        EXPECT_EQ(held, step.held) << "frame " << step.frameNo;
        EXPECT_EQ(list.framesDecoded() - decoded, step.decoded) << "frame " << step.frameNo;
        decoded = list.framesDecoded();
    }
}

QList<int> frames(int first, int last)
{
    QList<int> numbers;
    for (int n = first; n <= last; ++n)
        numbers.append(n);
    return numbers;
}

const BlockCase BlockCases[] = {
    // Key frames 1, 6, 11, 16, 21: a block is decoded from the key frame before it, never from
    // the start, and the next block follows on.
    {"WholeBlocksOfInterFrames",
     {.size = QSize(64, 64), .frames = 25, .codec = AviCodec::Mpeg4, .keyFrameInterval = 5},
     {{1, frames(1, 10), 10},
      {23, frames(21, 25), 5},
      {25, frames(21, 25), 0},
      {21, frames(21, 25), 0},
      {20, frames(11, 20), 10},
      {21, frames(21, 25), 5}}},
    {"OnlyTheFramesAskedForWhenEachDecodesAlone",
     {.size = QSize(32, 32), .frames = 25, .codec = AviCodec::Mjpeg, .keyFrameInterval = 1},
     {{1, {1}, 1}, {23, {23}, 1}, {25, {23, 25}, 1}, {23, {23, 25}, 0}, {20, {20}, 1}, {21, {21}, 1}}},
};

INSTANTIATE_TEST_SUITE_P(Videos, InputFrameBlocks, testing::ValuesIn(BlockCases),
                         [](const auto& info) { return std::string(info.param.name); });

// The files in order as name@FirstFrame, the current one starred, then #CurrentFrame/TotalFrames.
QString layout(const TInputFrameList& list)
{
    QStringList parts;
    for (int i = 0; i < list.fileCount(); ++i) {
        const TInputFile& file = list.file(i);
        parts << QStringLiteral("%1%2@%3")
                     .arg(&file == list.Current() ? "*" : "")
                     .arg(QFileInfo(file.FileName()).baseName())
                     .arg(file.FirstFrame());
    }
    return parts.join(' ') + QStringLiteral(" #%1/%2").arg(list.CurrentFrame()).arg(list.TotalFrames());
}

TEST(InputFrameList, FilesGoBeforeOrAfterTheCurrentFileAndLaterFramesFollowEveryChange)
{
    QTemporaryDir dir;
    const QString a = dir.filePath("a.avi"), b = dir.filePath("b.avi"), c = dir.filePath("c.avi");
    ASSERT_TRUE(test::writeAvi(a, {.size = QSize(32, 32), .frames = 5}));
    ASSERT_TRUE(test::writeAvi(b, {.size = QSize(32, 32), .frames = 3}));
    ASSERT_TRUE(test::writeAvi(c, {.size = QSize(32, 32), .frames = 2}));
    const QString p = test::writePicture(dir, "p.png", test::makeNumberedPicture(100, QSize(24, 24)));
    TInputFrameList list;
    QImage frame;
    auto select = [&](int n) { return list.SelectFrame(n, frame); };

    struct Edit
    {
        std::function<int()> apply;
        const char* layout;
        const char* frames = ""; // every frame as file and number, walked when given
    };
    const Edit edits[] = {
        {[&] { return list.AddBefore(a); }, "*a@0 #0/5"},
        {[&] { return list.AddAfter(b); }, "a@0 *b@5 #5/8"},
        // After the file that holds the current frame, not after the frame.
        {[&] { return select(2) || list.AddAfter(p); }, "a@0 *p@5 b@6 #5/9"},
        {[&] { return list.AddBefore(c); }, "a@0 *c@5 p@7 b@8 #5/11", "a1 a2 a3 a4 a5 c1 c2 p100 b1 b2 b3"},
        {[&] { return select(5) || (list.DeleteCurrent(), 0); }, "a@0 *p@5 b@6 #5/9",
         "a1 a2 a3 a4 a5 p100 b1 b2 b3"},
        {[&] { return select(7) || (list.DeleteCurrent(), 0); }, "a@0 *p@5 #7/6"},
        {[&] { return list.Clear(), 0; }, " #0/0"},
    };
    for (const Edit& edit : edits) {
        ASSERT_EQ(edit.apply(), MediaOk) << edit.layout;
        EXPECT_EQ(layout(list), QString::fromLatin1(edit.layout));
        QStringList walked;
        for (int n = 0; *edit.frames && n < list.TotalFrames(); ++n) {
            ASSERT_EQ(select(n), MediaOk);
            walked << QFileInfo(list.Current()->FileName()).baseName() +
                          QString::number(test::pictureNumber(frame));
            for (int i = 0; i < list.fileCount(); ++i)
                EXPECT_TRUE(&list.file(i) == list.Current() || !list.file(i).holdsBlock()) << n;
        }
        EXPECT_EQ(walked.join(' '), QString::fromLatin1(edit.frames));
    }
    EXPECT_EQ(list.Current(), nullptr);
}

TEST(InputFrameList, AFrameThatDoesNotDecodeIsBlackAndBrowsingGoesOn)
{
    QTemporaryDir dir;
    const QString path = dir.filePath("damaged.avi");
    ASSERT_TRUE(test::writeAvi(path, {.size = QSize(32, 32), .frames = 12}));
    ASSERT_TRUE(zeroFrameData(path, 6));
    TInputFrameList list;
    ASSERT_EQ(list.AddAfter(path), MediaOk);
    for (const int n : {1, 5, 6, 7, 12, 6}) {
        QImage frame;
        ASSERT_EQ(list.SelectFrame(n - 1, frame), MediaOk) << n;
        if (n == 6)
            EXPECT_EQ(frame, black(QSize(32, 32)));
        else
            EXPECT_EQ(test::pictureNumber(frame), n);
    }
}

// Whether the file was still open (current) or is opened again when it becomes current.
TEST(InputFrameList, AFileChangedOrGoneOnDiskGivesAnErrorAndABlackFrameOfItsSize)
{
    struct Change
    {
        const char* name;
        std::function<bool(const QString&)> apply;
        int expected;
    };
    const Change changes[] = {
        {"deleted", [](const QString& path) { return QFile::remove(path); }, MediaCannotOpen},
        {"other size",
         [](const QString& path) { return test::writeAvi(path, {.size = QSize(48, 32), .frames = 12}); },
         MediaCorrupt},
        {"other length",
         [](const QString& path) { return test::writeAvi(path, {.size = QSize(32, 32), .frames = 8}); },
         MediaCorrupt},
    };
    for (const Change& change : changes) {
        QTemporaryDir dir;
        const QString video = dir.filePath("video.avi");
        ASSERT_TRUE(test::writeAvi(video, {.size = QSize(32, 32), .frames = 12}));
        const QString picture = test::writePicture(dir, "p.png", test::makeNumberedPicture(1, QSize(8, 8)));
        TInputFrameList list;
        ASSERT_EQ(list.AddAfter(video), MediaOk);
        ASSERT_EQ(list.AddAfter(picture), MediaOk);
        QImage frame;
        ASSERT_EQ(list.SelectFrame(0, frame), MediaOk);
        ASSERT_TRUE(change.apply(video)) << change.name;
        for (const int n : {9, 12, 2}) { // 0-based; 12 is the picture, then back to the video
            const bool picture = n == 12;
            EXPECT_EQ(list.SelectFrame(n, frame), picture ? MediaOk : change.expected)
                << change.name << " " << n;
            EXPECT_EQ(frame,
                      picture
                          ? test::makeNumberedPicture(1, QSize(8, 8)).convertToFormat(QImage::Format_RGB888)
                          : black(QSize(32, 32)))
                << change.name << " " << n;
        }
    }
}

// Inter-coded files decode whole blocks but convert only the frames shown; later blocks of any
// file reuse both the decoder's memory and the frames'.
TEST(InputFrameList, OnlyShownFramesTakeFrameMemoryAndLaterBlocksOfAnyFileReuseIt)
{
    QTemporaryDir dir;
    const test::AviLayout layout{
        .size = QSize(64, 64), .frames = 30, .codec = AviCodec::Mpeg4, .keyFrameInterval = 10};
    ASSERT_TRUE(test::writeAvi(dir.filePath("a.avi"), layout));
    ASSERT_TRUE(test::writeAvi(dir.filePath("b.avi"), layout));
    TInputFrameList list;
    ASSERT_EQ(list.AddAfter(dir.filePath("a.avi")), MediaOk);
    const qint64 firstBlock = list.frameBuffersAllocated(); // its planes and the frame shown
    ASSERT_EQ(list.AddAfter(dir.filePath("b.avi")), MediaOk);
    for (const int n : {15, 45, 25, 0, 2, 59}) { // 2: a second frame of the block
        QImage frame;
        ASSERT_EQ(list.SelectFrame(n, frame), MediaOk);
        EXPECT_EQ(test::pictureNumber(frame), n % 30 + 1);
    }
    EXPECT_EQ(list.framesDecoded(), 7 * TInputFile::FrameBlockSize);
    EXPECT_EQ(list.frameBuffersAllocated(), firstBlock + 1);
}

} // namespace
} // namespace vantrel
