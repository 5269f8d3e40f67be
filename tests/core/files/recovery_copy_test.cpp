#include "core/app/atomic_save.h"
#include "core/files/recovery_copy.h"
#include "core/fuzz_seeds.h"
#include "fuzz/recovery_fuzz_entry.h"

#include <gtest/gtest.h>

#include <QFile>
#include <QTemporaryDir>

#include <random>

#include <csignal>
#include <sys/wait.h>
#include <unistd.h>

namespace vantrel {
namespace {

// Frames whose every pixel and level follows from its place and `seed`.
RecoveryContents contents(QSize panel, int frames, int seed)
{
    RecoveryContents made;
    made.panelSize = panel;
    made.colorCode = std::uint8_t(seed & 0x3F);
    for (int i = 0; i < frames; ++i) {
        QImage colour(panel, QImage::Format_RGB888);
        QImage mono(panel, QImage::Format_Indexed8);
        mono.setColorTable({qRgb(0, 0, 0), qRgb(85, 85, 85), qRgb(170, 170, 170), qRgb(255, 255, 255)});
        for (int y = 0; y < panel.height(); ++y) {
            for (int x = 0; x < panel.width(); ++x) {
                colour.setPixel(x, y,
                                qRgb((x * 7 + i) & 255, (y * 13 + seed) & 255, (x * y + i * seed) & 255));
                mono.setPixel(x, y, uint((x + y + i + seed) % 4));
            }
        }
        made.colour.append(colour);
        made.mono.append(mono);
    }
    return made;
}

TEST(RecoveryCopy, FramesCodeAndSizeComeBack)
{
    const RecoveryContents written = contents({5, 3}, 2, 9);
    RecoveryContents read;
    ASSERT_EQ(readRecoveryCopy(writeRecoveryCopy(written), {160, 54}, read), RecoveryResult::Ok);
    EXPECT_EQ(read.panelSize, QSize(5, 3));
    EXPECT_EQ(read.colorCode, 9);
    ASSERT_EQ(read.colour.size(), 2);
    ASSERT_EQ(read.mono.size(), 2);
    for (int i = 0; i < 2; ++i) {
        EXPECT_EQ(read.colour[i], written.colour[i]) << i;
        for (int y = 0; y < 3; ++y)
            for (int x = 0; x < 5; ++x)
                EXPECT_EQ(read.mono[i].pixelIndex(x, y), (x + y + i + 9) % 4);
    }
    EXPECT_TRUE(writeRecoveryCopy(RecoveryContents{}).isEmpty()) << "an empty store has no copy";
}

TEST(RecoveryCopy, RefusalsLeaveTheContentsAlone)
{
    const QByteArray good = writeRecoveryCopy(contents({5, 3}, 2, 1));
    QByteArray flipped = good;
    flipped[good.size() - 8] = char(flipped[good.size() - 8] ^ 0x40); // inside the compressed frames
    QByteArray otherVersion = good;
    otherVersion[9] = 2;
    QByteArray bigClaim = good;
    bigClaim[20] = char(0x7F); // the compressed frames' own size, claimed far larger
    const struct
    {
        QByteArray bytes;
        QSize largest;
        RecoveryResult result;
    } cases[] = {
        {good.left(good.size() - 1), {160, 54}, RecoveryResult::Damaged},
        {flipped, {160, 54}, RecoveryResult::Damaged},
        {bigClaim, {160, 54}, RecoveryResult::Damaged},
        {"VTRECOVX" + good.mid(8), {160, 54}, RecoveryResult::NotACopy},
        {otherVersion, {160, 54}, RecoveryResult::NotACopy},
        {good, {4, 54}, RecoveryResult::LargerPanel},
        {QByteArray(), {160, 54}, RecoveryResult::NotACopy},
    };
    for (const auto& c : cases) {
        RecoveryContents kept;
        kept.colorCode = 0x2A;
        EXPECT_EQ(readRecoveryCopy(c.bytes, c.largest, kept), c.result);
        EXPECT_TRUE(kept.colour.isEmpty());
        EXPECT_EQ(kept.colorCode, 0x2A);
    }
}

TEST(RecoveryCopy, FolderFollowsTheStateHome)
{
    EXPECT_EQ(recoveryFolder("/x/state", "/home/u"), "/x/state/vantrel");
    EXPECT_EQ(recoveryFolder("", "/home/u"), "/home/u/.local/state/vantrel");
    EXPECT_EQ(recoveryFolder("relative", "/home/u"), "/home/u/.local/state/vantrel");
}

// A writer killed at any moment leaves the old copy or the new one, byte for byte.
TEST(RecoveryCopy, AKilledWriterLeavesTheOldCopyOrTheNew)
{
    QTemporaryDir dir;
    const QString path = dir.filePath("store.recovery");
    const QByteArray small = writeRecoveryCopy(contents({16, 6}, 3, 1));
    RecoveryContents noisy = contents({160, 54}, 90, 2);
    std::mt19937 random(5);
    for (QImage& frame : noisy.colour) // noise keeps the copy large: the writes take a while
        for (int y = 0; y < frame.height(); ++y)
            for (int x = 0; x < frame.width() * 3; ++x)
                frame.scanLine(y)[x] = uchar(random());
    const QByteArray large = writeRecoveryCopy(noisy);
    ASSERT_GT(large.size(), 1000000);
    ASSERT_EQ(saveBytesAtomically(path, small), Saved);
    std::uniform_int_distribution<int> pause(0, 30000);
    for (int round = 0; round < 12; ++round) {
        const pid_t writer = fork();
        ASSERT_GE(writer, 0);
        if (writer == 0) {
            for (int i = 0;; ++i)
                saveBytesAtomically(path, (i + round) % 2 ? small : large);
        }
        usleep(useconds_t(pause(random)));
        kill(writer, SIGKILL);
        waitpid(writer, nullptr, 0);
        QFile left(path);
        ASSERT_TRUE(left.open(QIODevice::ReadOnly)) << round;
        const QByteArray bytes = left.readAll();
        EXPECT_TRUE(bytes == small || bytes == large) << round << ": " << bytes.size() << " bytes";
    }
}

TEST(RecoveryFuzzCorpus, EverySeedHoldsTheFuzzRules)
{
    test::expectSeedsHoldTheFuzzRules(
        "fuzz_recovery", fuzz::runRecoveryInput, [](const test::FuzzSeed& seed) {
            RecoveryContents read;
            return readRecoveryCopy(seed.bytes, {256, 256}, read) == RecoveryResult::Ok;
        });
}

} // namespace
} // namespace vantrel
