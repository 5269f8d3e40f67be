#include "core/files/anim_file.h"
#include "core/files/anim_result.h"
#include "core/files/anim_test_util.h"
#include "core/imaging/mono_conversion.h"
#include "support/test_files.h"

#include <gtest/gtest.h>

#include <QDir>
#include <QFile>
#include <QTemporaryDir>

#include <csignal>
#include <sys/resource.h>
#include <sys/wait.h>
#include <unistd.h>

namespace vantrel {
namespace {

using test::patternFrame;

QStringList entriesOf(const QTemporaryDir& dir)
{
    return QDir(dir.path()).entryList(QDir::AllEntries | QDir::Hidden | QDir::NoDotAndDotDot);
}

TEST(AnimFileName, ExtensionDecidesTheKindIgnoringCase)
{
    TAnimFile file;
    EXPECT_EQ(file.SetFileName("/tmp/a.nml"), AnimKind::Frame);
    EXPECT_EQ(file.SetFileName("/tmp/a.NMA"), AnimKind::Animation);
    EXPECT_EQ(file.fileName(), "/tmp/a.NMA");
    EXPECT_EQ(file.SetFileName("/tmp/a.Nml"), AnimKind::Frame);
    EXPECT_EQ(file.SetFileName("/tmp/x.nma/a"), AnimKind::Other);
    EXPECT_EQ(file.SetFileName("/tmp/a.bmp"), AnimKind::Other);
    EXPECT_EQ(file.fileName(), "/tmp/a.bmp");
}

TEST(AnimFileName, LongBaseNameIsCutTo122Characters)
{
    TAnimFile file;
    const QString folder = QStringLiteral("/some.dir/");
    file.SetFileName(folder + QString(130, QLatin1Char('b')) + ".nma");
    EXPECT_EQ(file.fileName(), folder + QString(122, QLatin1Char('b')) + ".nma");

    // Japanese characters count one each; a character outside the BMP is never halved.
    const QString kana = QString(130, QChar(0x30A2));
    file.SetFileName(folder + kana + ".nml");
    EXPECT_EQ(file.fileName(), folder + kana.left(122) + ".nml");

    const QString clef = QString::fromUcs4(U"\U0001D11E");
    const QString name = QString(121, QLatin1Char('c')) + clef + "tail";
    file.SetFileName(folder + name + ".nml");
    EXPECT_EQ(file.fileName(), folder + QString(121, QLatin1Char('c')) + ".nml");
    EXPECT_TRUE(file.fileName().isValidUtf16());

    const QString other = folder + QString(130, QLatin1Char('d')) + ".png";
    file.SetFileName(other);
    EXPECT_EQ(file.fileName(), other);
}

TEST(AnimFileName, DefaultExtensionOnlyWhenNoneTyped)
{
    EXPECT_EQ(withDefaultExtension("/d/clip", "nma"), "/d/clip.nma");
    EXPECT_EQ(withDefaultExtension("/d/clip", ".nml"), "/d/clip.nml");
    EXPECT_EQ(withDefaultExtension("/d/clip.NMA", "nml"), "/d/clip.NMA");
    EXPECT_EQ(withDefaultExtension("/d.x/clip", "nma"), "/d.x/clip.nma");
    EXPECT_EQ(defaultAnimExtension(1), "nml");
    EXPECT_EQ(defaultAnimExtension(2), "nma");
}

class AnimFileTest : public testing::Test
{
protected:
    QString path(const QString& name) const { return dir_.filePath(name); }
    QTemporaryDir dir_;
};

TEST_F(AnimFileTest, OtherExtensionFailsBothWaysAndTouchesNoFile)
{
    TAnimFile file;
    ASSERT_EQ(file.SetFileName(path("frame.bmp")), AnimKind::Other);
    EXPECT_EQ(file.SaveFile({patternFrame(4, 4, 2)}), AnimCantOpen);
    EXPECT_TRUE(entriesOf(dir_).isEmpty());

    ASSERT_TRUE(test::writeBytes(path("frame.bmp"), "BM"));
    QList<QImage> frames{patternFrame(2, 2, 2)};
    EXPECT_EQ(file.LoadFile(frames), AnimCantOpen);
    EXPECT_EQ(frames.size(), 1);
    EXPECT_EQ(file.ReadFrameCount(), 0);
    EXPECT_EQ(test::readBytes(path("frame.bmp")), "BM");
}

TEST_F(AnimFileTest, SaveAndLoadKeepFramesAndColourCode)
{
    const QList<QImage> frames{patternFrame(160, 54, 2, 0), patternFrame(160, 54, 2, 1),
                               patternFrame(160, 54, 2, 2)};
    TAnimFile writer;
    writer.SetFileName(path("clip.nma"));
    writer.setColorCode(0x25);
    ASSERT_EQ(writer.SaveFile(frames), AnimOk);
    EXPECT_EQ(QFileInfo(path("clip.nma")).size(), 4 + 3 * (9 + 40 * 54));
    EXPECT_EQ(entriesOf(dir_), QStringList{"clip.nma"});

    TAnimFile reader;
    reader.SetFileName(path("clip.nma"));
    EXPECT_EQ(reader.ReadFrameCount(), 3);
    QList<QImage> loaded;
    ASSERT_EQ(reader.LoadFile(loaded), AnimOk);
    ASSERT_EQ(loaded.size(), 3);
    for (int i = 0; i < 3; ++i)
        EXPECT_TRUE(test::sameLevels(loaded[i], frames[i]));
    EXPECT_EQ(reader.colorCode(), 0x25);
    EXPECT_EQ(reader.recordWidth(), 160);
    EXPECT_EQ(reader.recordHeight(), 54);
    EXPECT_EQ(reader.recordBits(), 2);
}

TEST_F(AnimFileTest, OneFrameFileHoldsTheFirstFrameOnly)
{
    TAnimFile file;
    file.SetFileName(path("one.nml"));
    ASSERT_EQ(file.SaveFile({patternFrame(64, 16, 2, 0), patternFrame(64, 16, 2, 1)}), AnimOk);
    EXPECT_EQ(QFileInfo(path("one.nml")).size(), 265);
    EXPECT_EQ(file.ReadFrameCount(), 1);
    QList<QImage> loaded;
    ASSERT_EQ(file.LoadFile(loaded), AnimOk);
    ASSERT_EQ(loaded.size(), 1);
    EXPECT_TRUE(test::sameLevels(loaded[0], patternFrame(64, 16, 2, 0)));
}

TEST_F(AnimFileTest, TintedPalettesSaveTheirLevels)
{
    // A dim blue backlight level and a red-only tint: the palette's blue says nothing of the level.
    BacklightLevels levels;
    levels.blue.levels = {0, 30, 60, 90};
    QImage dimBlue = patternFrame(8, 4, 2);
    SetPanelPalette(dimBlue, levels, 63);
    QImage redOnly = patternFrame(8, 4, 2, 1);
    SetPanelPalette(redOnly, BacklightLevels{}, 0x30);

    TAnimFile file;
    file.SetFileName(path("tinted.nma"));
    ASSERT_EQ(file.SaveFile({dimBlue, redOnly}), AnimOk);
    QList<QImage> loaded;
    ASSERT_EQ(file.LoadFile(loaded), AnimOk);
    EXPECT_TRUE(test::sameLevels(loaded[0], dimBlue));
    EXPECT_TRUE(test::sameLevels(loaded[1], redOnly));
}

TEST_F(AnimFileTest, OverwritingALongerFileLeavesExactlyTheNewBytes)
{
    ASSERT_TRUE(test::writeBytes(path("old.nml"), QByteArray(5000, 'x')));
    TAnimFile file;
    file.SetFileName(path("old.nml"));
    ASSERT_EQ(file.SaveFile({test::levelFrame(4, 1, 2, [](int x, int) { return x; })}), AnimOk);
    EXPECT_EQ(test::readBytes(path("old.nml")),
              test::bytesOf({0x6E, 0x6D, 0x09, 0x11, 0x3F, 0x03, 0x00, 0x03, 0x3F, 0xE4}));
    EXPECT_EQ(entriesOf(dir_), QStringList{"old.nml"});
}

TEST_F(AnimFileTest, FramesTheFormatCantHoldWriteNothing)
{
    const QByteArray old = "previous contents";
    ASSERT_TRUE(test::writeBytes(path("keep.nma"), old));
    TAnimFile file;
    file.SetFileName(path("keep.nma"));
    const QImage ok = patternFrame(16, 8, 2);
    EXPECT_EQ(file.SaveFile({patternFrame(257, 8, 2)}), AnimFrameGeometry);
    EXPECT_EQ(file.SaveFile({patternFrame(8, 257, 2)}), AnimFrameGeometry);
    EXPECT_EQ(file.SaveFile({ok, patternFrame(17, 8, 2)}), AnimFrameGeometry);
    EXPECT_EQ(file.SaveFile({ok, patternFrame(16, 8, 4)}), AnimFrameGeometry);
    EXPECT_EQ(file.SaveFile({ok, QImage()}), AnimFrameGeometry);
    EXPECT_EQ(file.SaveFile({QImage(16, 8, QImage::Format_RGB888)}), AnimBadDepth);
    EXPECT_EQ(file.SaveFile({}), AnimOk); // an animation of no frame is its header
    EXPECT_EQ(test::readBytes(path("keep.nma")), test::bytesOf({'n', 'a', 0, 0}));

    ASSERT_TRUE(test::writeBytes(path("keep.nma"), old));
    EXPECT_EQ(file.SaveFile({patternFrame(256, 256, 2), patternFrame(256, 300, 2)}), AnimFrameGeometry);
    EXPECT_EQ(test::readBytes(path("keep.nma")), old);
    EXPECT_EQ(entriesOf(dir_), QStringList{"keep.nma"});
    EXPECT_EQ(file.SaveFile({patternFrame(256, 256, 2)}), AnimOk);
}

TEST_F(AnimFileTest, FailedWriteLeavesTheOldFileAndNoTemporary)
{
    const QByteArray old = "the previous animation, byte for byte";
    const QString target = path("clip.nma");
    // Larger and smaller than a write buffer: a short write must fail either way.
    for (const int frameCount : {20, 1}) {
        ASSERT_TRUE(test::writeBytes(target, old));
        QList<QImage> frames;
        for (int i = 0; i < frameCount; ++i)
            frames.append(patternFrame(160, 54, 2, i)); // about 2 KiB each, over the limit below

        // The size limit stops writes for root too; in a child so that this process keeps its limits.
        const pid_t child = fork();
        ASSERT_GE(child, 0);
        if (child == 0) {
            std::signal(SIGXFSZ, SIG_IGN);
            const rlimit limit{1024, 1024};
            setrlimit(RLIMIT_FSIZE, &limit);
            TAnimFile file;
            file.SetFileName(target);
            const int result = file.SaveFile(frames);
            _exit(result == AnimWriteFailed && file.systemReason() == "File too large" ? 100 : result);
        }
        int status = 0;
        ASSERT_EQ(waitpid(child, &status, 0), child);
        ASSERT_TRUE(WIFEXITED(status));
        EXPECT_EQ(WEXITSTATUS(status), 100) << frameCount;
        EXPECT_EQ(test::readBytes(target), old);
        EXPECT_EQ(entriesOf(dir_), QStringList{"clip.nma"});
    }
}

TEST_F(AnimFileTest, ReadOnlyFolderLeavesTheOldFile)
{
    const QString target = path("clip.nml");
    ASSERT_TRUE(test::writeBytes(target, "old"));
    ASSERT_TRUE(QFile::setPermissions(dir_.path(), QFile::ReadOwner | QFile::ExeOwner));
    const bool folderWritable = test::writeBytes(path("probe"), "x");
    QFile::remove(path("probe"));
    TAnimFile file;
    file.SetFileName(target);
    const int result = file.SaveFile({patternFrame(4, 4, 2)});
    QFile::setPermissions(dir_.path(), QFile::ReadOwner | QFile::WriteOwner | QFile::ExeOwner);
    if (folderWritable)
        GTEST_SKIP() << "permissions don't stop this user; the size-limit test covers failed writes";
    EXPECT_EQ(result, AnimCantOpen);
    EXPECT_EQ(test::readBytes(target), "old");
}

TEST_F(AnimFileTest, MissingOrBrokenFilesLoadNothing)
{
    TAnimFile file;
    file.setColorCode(0x11);
    QList<QImage> frames{patternFrame(2, 2, 2)};
    file.SetFileName(path("missing.nma"));
    EXPECT_EQ(file.ReadFrameCount(), 0);
    EXPECT_EQ(file.LoadFile(frames), AnimCantOpen);

    ASSERT_TRUE(test::writeBytes(path("short.nma"), "na\x01"));
    file.SetFileName(path("short.nma"));
    EXPECT_EQ(file.ReadFrameCount(), 0);
    EXPECT_EQ(file.LoadFile(frames), AnimDamaged);

    ASSERT_TRUE(test::writeBytes(path("wrong.nma"), test::bytesOf({'n', 'x', 0, 5})));
    file.SetFileName(path("wrong.nma"));
    EXPECT_EQ(file.ReadFrameCount(), 0);

    ASSERT_TRUE(test::writeBytes(path("counted.nma"), test::bytesOf({'n', 'a', 1, 2})));
    file.SetFileName(path("counted.nma"));
    EXPECT_EQ(file.ReadFrameCount(), 258);
    EXPECT_EQ(file.LoadFile(frames), AnimDamaged);

    file.SetFileName(path("missing.nml"));
    EXPECT_EQ(file.ReadFrameCount(), 1); // not opened
    EXPECT_EQ(frames.size(), 1);
    EXPECT_EQ(file.colorCode(), 0x11);
}

} // namespace
} // namespace vantrel
