#include "core/input/animation_generator.h"

#include "core/frames/frame_store.h"
#include "core/input/cut_geometry.h"
#include "core/input/generation_run.h"

#include <gtest/gtest.h>

#include <QStringList>

#include <cmath>
#include <cstring>
#include <utility>

using namespace vantrel;

namespace {

QString sequenceText(const QList<SequenceItem>& items)
{
    QStringList words;
    for (const SequenceItem& item : items)
        words << (item.kind == SequenceItem::Start ? QStringLiteral("S")
                  : item.kind == SequenceItem::End ? QStringLiteral("E")
                                                   : QStringLiteral("I%1").arg(item.between));
    return words.join(' ');
}

TCutArea area(int left, int top, int right, int bottom, int frameNo)
{
    return {left, top, right, bottom, frameNo};
}

QImage solid(QSize size, QRgb colour)
{
    QImage image(size, QImage::Format_RGB888);
    image.fill(colour);
    return image;
}

// Whole-panel areas over two solid input frames: S is all `startColour`, E all `endColour`.
struct TwoColourRun
{
    GenerationRequest request;
    QRgb startColour = qRgb(10, 20, 30);
    QRgb endColour = qRgb(200, 100, 50);

    TwoColourRun(QSize panel, int frames, int method)
    {
        request.start = area(0, 0, panel.width(), panel.height(), 1);
        request.end = area(0, 0, panel.width(), panel.height(), 2);
        request.panelSize = panel;
        request.frameCount = frames;
        request.method = method;
    }

    QList<AnimationGenerator::Frame> frames() const
    {
        const QSize size = request.panelSize;
        AnimationGenerator generator(request, [=, this](int frameNo, InputPicture& picture) {
            picture = InputPicture(solid(size, frameNo == 1 ? startColour : endColour));
            return 0;
        });
        QList<AnimationGenerator::Frame> made;
        AnimationGenerator::Frame frame;
        while (!generator.done() && generator.next(frame) == 0)
            made.append(frame);
        return made;
    }
};

} // namespace

TEST(AnimationGenerator, SequencesByFrameCountAndDirection)
{
    struct Case
    {
        int frames;
        const char* oneWay;
        const char* thereAndBack;
    } cases[] = {
        {0, "", ""},
        {1, "S", "S"},
        {2, "S E", "S E"},
        {3, "S I1 E", "S E S"},
        {4, "S I1 I2 E", "S E E S"},
        {5, "S I1 I2 I3 E", "S I1 E I1 S"},
        {6, "S I1 I2 I3 I4 E", "S I1 E E I1 S"},
        {7, "S I1 I2 I3 I4 I5 E", "S I1 I2 E I2 I1 S"},
        {8, "S I1 I2 I3 I4 I5 I6 E", "S I1 I2 E E I2 I1 S"},
        {91, "", ""},
    };
    for (const Case& c : cases)
        for (int method = 0; method < 8; ++method)
            EXPECT_EQ(sequenceText(generationSequence(c.frames, method)),
                      QString::fromLatin1(method % 2 ? c.thereAndBack : c.oneWay))
                << "N " << c.frames << " method " << method;

    // Past the known methods nothing is made in between.
    EXPECT_EQ(sequenceText(generationSequence(6, 8)), QStringLiteral("S E"));
    EXPECT_EQ(sequenceText(generationSequence(6, 9)), QStringLiteral("S E E S"));
    EXPECT_EQ(sequenceText(generationSequence(7, 9)), QStringLiteral("S E S"));
}

TEST(AnimationGenerator, WayBackCopiesFramesByPosition)
{
    const QList<AnimationGenerator::Frame> frames = TwoColourRun({16, 12}, 8, 3).frames();
    QList<int> copies;
    for (const auto& frame : frames) {
        copies << frame.copyOf;
        EXPECT_EQ(frame.picture.isNull(), frame.copyOf >= 0);
    }
    EXPECT_EQ(copies, QList<int>({-1, -1, -1, -1, 3, 2, 1, 0}));
}

TEST(AnimationGenerator, MovingCutStepsThroughInputFramesAndAreas)
{
    // Cut 1 -> 11 over N = 6: D = 5, frame numbers 1 + 2i.
    GenerationRequest request;
    request.start = area(0, 0, 40, 20, 1);
    request.end = area(0, 0, 40, 20, 11);
    request.frameCount = 6;
    QList<int> asked;
    AnimationGenerator generator(request, [&](int frameNo, InputPicture& picture) {
        asked << frameNo;
        picture = InputPicture(solid({64, 64}, qRgb(frameNo, 0, 0)));
        return 0;
    });
    AnimationGenerator::Frame frame;
    QList<int> shown;
    while (!generator.done()) {
        ASSERT_EQ(generator.next(frame), 0);
        shown << qRed(frame.picture.pixel(0, 0));
    }
    EXPECT_EQ(shown, QList<int>({1, 3, 5, 7, 9, 11}));
    EXPECT_EQ(asked, shown) << "each frame read once, in order";

    // There and back with N = 5: I1 lies halfway (D = 2); 40.5 and 1 + 1.5 + 0.5 show the
    // truncation of the rectangle and the rounding of the frame number.
    request.start = area(0, 0, 40, 20, 1);
    request.end = area(81, 40, 160, 100, 4);
    request.frameCount = 5;
    request.method = 1;
    QImage picture(400, 300, QImage::Format_RGB888);
    for (int y = 0; y < picture.height(); ++y)
        for (int x = 0; x < picture.width(); ++x)
            picture.setPixel(x, y, qRgb(x & 255, y, x >> 8));
    asked.clear();
    AnimationGenerator there(request, [&](int frameNo, InputPicture& out) {
        asked << frameNo;
        out = InputPicture(picture);
        return 0;
    });
    ASSERT_EQ(there.next(frame), 0);
    ASSERT_EQ(there.next(frame), 0);
    EXPECT_EQ(frame.picture, CutArea(picture, area(40, 20, 100, 60, 3), 100, request.panelSize));
    EXPECT_EQ(asked, QList<int>({1, 3}));

    // Thirds: (0, 0)-(40, 20) to (10, 20)-(100, 50) over D = 3 passes 3.3, 6.7 and 13.3, all
    // truncated.
    request.end = area(10, 20, 100, 50, 1);
    request.frameCount = 4;
    request.method = 0;
    AnimationGenerator thirds(request, [&](int, InputPicture& out) {
        out = InputPicture(picture);
        return 0;
    });
    QList<QImage> made;
    while (!thirds.done() && thirds.next(frame) == 0)
        made << frame.picture;
    ASSERT_EQ(made.size(), 4);
    EXPECT_EQ(made[1], CutArea(picture, area(3, 6, 60, 30, 1), 100, request.panelSize));
    EXPECT_EQ(made[2], CutArea(picture, area(6, 13, 80, 40, 1), 100, request.panelSize));
}

// Into a store that holds frames, the way back copies the run's own frames, not the store's first.
TEST(AnimationGenerator, RunIntoAStoreCopiesItsOwnFrames)
{
    FrameStore store;
    for (const QRgb colour : {qRgb(1, 1, 1), qRgb(2, 2, 2)})
        ASSERT_TRUE(store.InsertFrame(solid({16, 12}, colour), QImage(), {16, 12}, 0, store.count()));
    TwoColourRun run({16, 12}, 5, 1); // S I1 E I1 S
    AnimationGenerator generator(run.request, [&](int frameNo, InputPicture& picture) {
        picture = InputPicture(solid({16, 12}, frameNo == 1 ? run.startColour : run.endColour));
        return 0;
    });
    ASSERT_EQ(generateIntoStore(store, generator, {16, 12}, 0, 1), 0);
    ASSERT_EQ(store.count(), 7);
    QList<QRgb> corners;
    for (int i = 0; i < store.count(); ++i)
        corners << store.colourFrame(i).pixel(0, 0);
    const QRgb s = run.startColour, e = run.endColour, between = store.colourFrame(2).pixel(0, 0);
    EXPECT_EQ(corners, (QList<QRgb>{qRgb(1, 1, 1), s, between, e, between, s, qRgb(2, 2, 2)}));
}

TEST(AnimationGenerator, SourceFailureStopsTheRun)
{
    GenerationRequest request;
    request.start.FrameNo = 1;
    request.end.FrameNo = 11;
    request.frameCount = 6;
    int calls = 0;
    AnimationGenerator generator(request, [&](int frameNo, InputPicture& picture) {
        ++calls;
        picture = InputPicture(solid({8, 8}, qRgb(1, 2, 3)));
        return frameNo == 7 ? 5 : 0;
    });
    AnimationGenerator::Frame frame;
    for (int made = 0; made < 3; ++made)
        ASSERT_EQ(generator.next(frame), 0);
    EXPECT_EQ(generator.next(frame), 5);
    EXPECT_TRUE(frame.picture.isNull());
    EXPECT_TRUE(generator.done());
    EXPECT_EQ(generator.next(frame), 5);
    EXPECT_EQ(calls, 4); // frames 1, 3, 5 and the failing 7
    EXPECT_EQ(generator.framesMade(), 3);
}

TEST(AnimationGenerator, WipesCoverWholeRowsGrowingEvenly)
{
    // In-between frame i of c shows the end picture over the first round(i × L / (c + 1)) rows
    // (down) or columns (right) and the start picture over the rest, for every frame count.
    const QSize panel(160, 54);
    for (int method = 4; method <= 7; ++method) {
        const bool down = method < 6;
        const int length = down ? panel.height() : panel.width();
        for (int frameCount = 1; frameCount <= 90; ++frameCount) {
            TwoColourRun run(panel, frameCount, method);
            const QList<AnimationGenerator::Frame> frames = run.frames();
            ASSERT_EQ(frames.size(), frameCount);
            const int between = method % 2 == 0 ? frameCount - 2 : (frameCount - 1) / 2 - 1;
            const QImage end = solid(panel, run.endColour);
            const QImage start = solid(panel, run.startColour);
            for (int i = 1; i <= between; ++i) {
                const int covered = static_cast<int>(std::lround(i * double(length) / (between + 1)));
                const QImage& shown = frames[i].picture;
                int wrongRows = 0;
                for (int y = 0; y < panel.height(); ++y) {
                    const int endBytes = down ? (y < covered ? panel.width() * 3 : 0) : covered * 3;
                    const uchar* row = shown.constScanLine(y);
                    wrongRows += std::memcmp(row, end.constScanLine(y), endBytes) != 0 ||
                                 std::memcmp(row + endBytes, start.constScanLine(y) + endBytes,
                                             panel.width() * 3 - endBytes) != 0;
                }
                ASSERT_EQ(wrongRows, 0) << "method " << method << " N " << frameCount << " frame " << i;
            }
        }
    }
}

TEST(AnimationGenerator, DissolveSwitchesItsShareOfPixelsAndEnds)
{
    // N = 3 on 160 x 54: one frame in between switching ceil(8640 / 2) pixels, no pixel black.
    TwoColourRun run({160, 54}, 3, 2);
    const QList<AnimationGenerator::Frame> frames = run.frames();
    ASSERT_EQ(frames.size(), 3);
    EXPECT_TRUE(frames[0].overlay.isNull());
    EXPECT_TRUE(frames[2].overlay.isNull());
    const auto& between = frames[1];
    int switched = 0, wrong = 0;
    for (int y = 0; y < 54; ++y)
        for (int x = 0; x < 160; ++x) {
            const bool isSwitched = between.picture.pixel(x, y) == qRgb(0, 0, 0);
            switched += isSwitched;
            wrong += between.overlay.pixel(x, y) != (isSwitched ? run.endColour : qRgb(0, 0, 0));
            wrong += !isSwitched && between.picture.pixel(x, y) != run.startColour;
        }
    EXPECT_EQ(switched, 4320);
    EXPECT_EQ(wrong, 0);
    EXPECT_EQ(run.frames()[1].picture, between.picture) << "the same inputs dissolve alike";

    // There and back over N = 7: c = 2 frames in between, each switching ceil(8640 / 3) more.
    const QList<AnimationGenerator::Frame> back = TwoColourRun({160, 54}, 7, 3).frames();
    ASSERT_EQ(back.size(), 7);
    for (const int i : {1, 2}) {
        const QImage& picture = back[i].picture;
        int black = 0;
        for (int y = 0; y < 54; ++y)
            for (int x = 0; x < 160; ++x)
                black += picture.pixel(x, y) == qRgb(0, 0, 0);
        EXPECT_EQ(black, 2880 * i) << i;
    }
    EXPECT_EQ(back[4].copyOf, 2);
    EXPECT_EQ(back[5].copyOf, 1);

    // Panels too small for the quotas: every pixel has switched before the last frame, at the
    // end of a frame (3 x 2, N = 6: 4 frames of 2) or within one (3 x 3, N = 8: 6 frames of 2).
    for (const auto& [size, frameCount] : {std::pair(QSize(3, 2), 6), std::pair(QSize(3, 3), 8)}) {
        TwoColourRun tiny(size, frameCount, 2);
        const QList<AnimationGenerator::Frame> made = tiny.frames();
        ASSERT_EQ(made.size(), frameCount);
        const auto& last = made[frameCount - 2];
        EXPECT_EQ(last.picture, solid(size, qRgb(0, 0, 0))) << "N " << frameCount;
        EXPECT_EQ(last.overlay, solid(size, tiny.endColour)) << "N " << frameCount;
    }
}
