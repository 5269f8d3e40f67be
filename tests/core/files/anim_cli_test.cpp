#include "core/files/anim_file.h"
#include "core/files/anim_result.h"
#include "core/files/anim_test_util.h"
#include "support/test_files.h"

#include <gtest/gtest.h>

#include <QImage>
#include <QJsonDocument>
#include <QJsonObject>
#include <QProcess>
#include <QTemporaryDir>

#include <csignal>
#include <sys/resource.h>

namespace vantrel {
namespace {

struct CliRun
{
    int exitCode = -1;
    QByteArray out;
    QByteArray err;
};

CliRun runCli(const QStringList& arguments)
{
    QProcess process;
    process.start(QStringLiteral(VANTREL_CLI_PATH), arguments);
    CliRun run;
    if (!process.waitForFinished(60000) || process.exitStatus() != QProcess::NormalExit)
        return run;
    run.exitCode = process.exitCode();
    run.out = process.readAllStandardOutput();
    run.err = process.readAllStandardError();
    return run;
}

class AnimCliTest : public testing::Test
{
protected:
    void SetUp() override
    {
        TAnimFile file;
        file.SetFileName(good());
        file.setColorCode(0x3F);
        // Frame 0: level 3 at (0, 0), the rest 0; frame 1: all level 1.
        ASSERT_EQ(
            file.SaveFile({test::levelFrame(10, 4, 2, [](int x, int y) { return x == 0 && y == 0 ? 3 : 0; }),
                           test::levelFrame(10, 4, 2, [](int, int) { return 1; })}),
            AnimOk);
        QByteArray bytes = test::readBytes(good());
        bytes[bytes.size() - 2] = static_cast<char>(bytes[bytes.size() - 2] ^ 1);
        ASSERT_TRUE(test::writeBytes(bad(), bytes));
    }
    QString good() const { return dir_.filePath("good.nma"); }
    QString bad() const { return dir_.filePath("bad.nma"); }
    QTemporaryDir dir_;
};

TEST_F(AnimCliTest, InfoListsEveryFileAndFailsWhenOneCantBeRead)
{
    CliRun run = runCli({"info", good()});
    EXPECT_EQ(run.exitCode, 0);
    EXPECT_EQ(run.out,
              (good() + ": nma, 2 frames, 10x4, 2 bits, colour code 63 (red 3, green 3, blue 3), check ok\n")
                  .toUtf8());

    run = runCli({"info", good(), bad()});
    EXPECT_EQ(run.exitCode, 1);
    const QList<QByteArray> lines = run.out.trimmed().split('\n');
    ASSERT_EQ(lines.size(), 2);
    EXPECT_TRUE(lines[1].startsWith((bad() + ": error 3: ").toUtf8()));
}

TEST_F(AnimCliTest, InfoJsonIsOneObjectPerLine)
{
    const CliRun run = runCli({"info", "--json", good(), bad(), dir_.filePath("absent.nml")});
    EXPECT_EQ(run.exitCode, 1);
    const QList<QByteArray> lines = run.out.trimmed().split('\n');
    ASSERT_EQ(lines.size(), 3);
    const QStringList keys{"bits", "colorCode", "file",   "frames",        "height",
                           "kind", "message",   "result", "trailingBytes", "width"};
    for (const QByteArray& line : lines)
        EXPECT_EQ(QJsonDocument::fromJson(line).object().keys(), keys) << line.constData();
    const QJsonObject first = QJsonDocument::fromJson(lines[0]).object();
    EXPECT_EQ(first["frames"].toInt(), 2);
    EXPECT_EQ(first["width"].toInt(), 10);
    EXPECT_EQ(QJsonDocument::fromJson(lines[1]).object()["result"].toInt(), AnimCheckFailed);
    EXPECT_EQ(QJsonDocument::fromJson(lines[2]).object()["result"].toInt(), AnimCantOpen);
}

TEST_F(AnimCliTest, InfoTellsOfBytesAfterTheLastRecord)
{
    ASSERT_TRUE(test::writeBytes(good(), test::readBytes(good()) + "tail"));
    CliRun run = runCli({"info", good()});
    EXPECT_EQ(run.exitCode, 0);
    EXPECT_TRUE(run.out.endsWith(", check ok, 4 bytes after the last record (ignored)\n"))
        << run.out.constData();
    run = runCli({"info", "--json", good()});
    EXPECT_EQ(QJsonDocument::fromJson(run.out).object()["trailingBytes"].toInt(), 4);
}

TEST_F(AnimCliTest, RenderDrawsEveryFrameTinted)
{
    const QString png = dir_.filePath("strip.png");
    CliRun run = runCli({"render", good(), "-o", png, "--scale", "3", "--color", "0x30"});
    ASSERT_EQ(run.exitCode, 0) << run.err.constData();
    QImage strip(png);
    ASSERT_EQ(strip.size(), QSize(10 * 3 * 2 + 1, 4 * 3));
    EXPECT_EQ(strip.pixel(2, 2), qRgb(255, 0, 0));
    EXPECT_EQ(strip.pixel(3, 0), qRgb(0, 0, 0));
    EXPECT_EQ(strip.pixel(31 + 29, 11), qRgb(85, 0, 0));

    run = runCli({"render", good(), "--output=" + png});
    ASSERT_EQ(run.exitCode, 0);
    strip.load(png);
    EXPECT_EQ(strip.size(), QSize(21, 4));
    EXPECT_EQ(strip.pixel(0, 0), qRgb(255, 255, 255)); // the file's own code 63
    ASSERT_EQ(runCli({"render", good(), "-o", png, "--color", "0"}).exitCode, 0);
    EXPECT_EQ(QImage(png).pixel(0, 0), qRgb(0, 0, 0)); // code 0: every level unlit
}

TEST_F(AnimCliTest, RenderRefusesBrokenFilesAndWritesNothing)
{
    const QString png = dir_.filePath("none.png");
    const CliRun run = runCli({"render", bad(), "-o", png});
    EXPECT_EQ(run.exitCode, 1);
    EXPECT_EQ(run.err.count('\n'), 1);
    EXPECT_TRUE(run.err.startsWith("vantrel-cli: "));
    EXPECT_FALSE(QFileInfo::exists(png));
}

// A full disk (here: the file size limit) is reported once, with the system's reason.
TEST_F(AnimCliTest, RenderWriteFailureSaysWhy)
{
    const QString png = dir_.filePath("strip.png");
    ASSERT_TRUE(test::writeBytes(png, "old"));
    QProcess process;
    process.setChildProcessModifier([] {
        std::signal(SIGXFSZ, SIG_IGN);
        const rlimit limit{16, 16};
        setrlimit(RLIMIT_FSIZE, &limit);
    });
    process.start(QStringLiteral(VANTREL_CLI_PATH), {"render", good(), "-o", png, "--scale", "8"});
    ASSERT_TRUE(process.waitForFinished(60000));
    const QByteArray err = process.readAllStandardError();
    EXPECT_EQ(process.exitCode(), 1);
    EXPECT_EQ(err, (QStringLiteral("vantrel-cli: %1: File too large\n").arg(png)).toUtf8());
    EXPECT_EQ(test::readBytes(png), "old");

    const CliRun run = runCli({"render", good(), "-o", good()});
    EXPECT_EQ(run.exitCode, 2);
    EXPECT_EQ(test::readBytes(good()).left(2), "na");
}

TEST_F(AnimCliTest, ExportWritesTheAnimationOrNothing)
{
    const QString gif = dir_.filePath("clip.gif");
    CliRun run = runCli({"export", good(), "-o", gif, "--dots", "--delay", "10"});
    ASSERT_EQ(run.exitCode, 0) << run.err.constData();
    const QByteArray bytes = test::readBytes(gif);
    ASSERT_TRUE(bytes.startsWith("GIF89a"));
    EXPECT_EQ(uchar(bytes[6]) | uchar(bytes[7]) << 8, 10 * 4) << "four pixels a dot by default";

    ASSERT_TRUE(test::writeBytes(gif, "old"));
    run = runCli({"export", bad(), "-o", gif});
    EXPECT_EQ(run.exitCode, 1);
    EXPECT_EQ(test::readBytes(gif), "old");
    const QList<std::pair<QStringList, QByteArray>> usageErrors{
        {{"export", good(), "-o", "x.gif", "--scale", "17"}, "--scale takes a whole number from 1 to 16"},
        {{"export", good(), "-o", "x.gif", "--delay", "5"}, "--delay takes a whole number from 10 to 10000"},
        {{"export", good(), "-o", "x.jpg"}, "OUT.gif, OUT.apng, OUT.mp4, OUT.webm or OUT.png"}};
    for (const auto& [arguments, message] : usageErrors) {
        run = runCli(arguments);
        EXPECT_EQ(run.exitCode, 2);
        EXPECT_TRUE(run.err.contains(message)) << run.err.constData();
    }
}

TEST_F(AnimCliTest, HelpVersionAndUsageErrors)
{
    CliRun run = runCli({"--help"});
    EXPECT_EQ(run.exitCode, 0);
    EXPECT_TRUE(run.out.contains("render FILE -o OUT.png"));
    EXPECT_TRUE(run.out.contains("make INPUT..."));
    run = runCli({"--version"});
    EXPECT_EQ(run.exitCode, 0);
    EXPECT_TRUE(run.out.startsWith("vantrel-cli "));

    const QList<QStringList> usageErrors{{},
                                         {"--frobnicate"},
                                         {"play", good()},
                                         {"info"},
                                         {"info", "--xml", good()},
                                         {"render", good()},
                                         {"render", good(), "-o"},
                                         {"render", good(), "-o", "x.png", "--scale", "65"},
                                         {"render", good(), "-o", "x.png", "--scale", "two"},
                                         {"render", good(), "-o", "x.png", "--color", "64"},
                                         {"render", good(), good(), "-o", "x.png"}};
    for (const QStringList& arguments : usageErrors) {
        run = runCli(arguments);
        EXPECT_EQ(run.exitCode, 2) << arguments.join(' ').toStdString();
        EXPECT_EQ(run.err.count('\n'), 1) << run.err.constData();
        EXPECT_TRUE(run.out.isEmpty());
    }
}

TEST_F(AnimCliTest, MakeNamesBadOptionsAndNeverTouchesTheOutputOnFailure)
{
    const QString picture = dir_.filePath("picture.png");
    QImage ramp(320, 240, QImage::Format_RGB888);
    for (int y = 0; y < 240; ++y)
        for (int x = 0; x < 320; ++x)
            ramp.setPixel(x, y, qRgb(x % 256, y, 128));
    ASSERT_TRUE(ramp.save(picture));
    const QString out = dir_.filePath("out.nma");
    ASSERT_TRUE(test::writeBytes(out, "keep"));

    const QList<QStringList> usageErrors{{"--frames", "91"},
                                         {"--method", "8"},
                                         {"--dither", "5"},
                                         {"--color", "64"},
                                         {"--effect", "glow"},
                                         {"--effect", "contrast:2000"},
                                         {"--start", "2:0,0,10,10"},
                                         {"--end", "1:300,0,330,10"},
                                         {"--start", "1:10,10,5,20"},
                                         {"--size", "20"},
                                         {"--decoration", "5", "--text", "x"}};
    for (const QStringList& options : usageErrors) {
        const CliRun run = runCli(QStringList{"make", picture, "-o", out} + options);
        EXPECT_EQ(run.exitCode, 2) << options.join(' ').toStdString();
        EXPECT_TRUE(run.err.contains(options[0].toUtf8()) || run.err.contains("--text"))
            << run.err.constData();
    }
    EXPECT_EQ(runCli({"make", picture, "-o", dir_.filePath("one.nml")}).exitCode, 2); // 30 frames
    EXPECT_EQ(runCli({"make", good(), "-o", out}).exitCode, 1);                       // not a picture
    EXPECT_EQ(test::readBytes(out), "keep");

    const CliRun run =
        runCli({"make", picture, picture, "-o", out, "--frames", "5", "--method", "3", "--color", "0x0A",
                "--effect", "levels", "--text", "Hi\\nyou", "--at", "3,2", "--json"});
    ASSERT_EQ(run.exitCode, 0) << run.err.constData();
    const QJsonObject info = QJsonDocument::fromJson(run.out).object();
    EXPECT_EQ(info.value("frames").toInt(), 5);
    EXPECT_EQ(info.value("colorCode").toInt(), 10);
    EXPECT_EQ(info.value("width").toInt(), 160);
    EXPECT_TRUE(run.err.isEmpty()); // no progress bar off a terminal

    const CliRun most = runCli({"make", picture, "-o", out, "--frames", "90", "--color", "0X3F", "--json"});
    ASSERT_EQ(most.exitCode, 0) << most.err.constData();
    EXPECT_EQ(QJsonDocument::fromJson(most.out).object().value("frames").toInt(), 90);
    EXPECT_EQ(QJsonDocument::fromJson(most.out).object().value("colorCode").toInt(), 63);
}

} // namespace
} // namespace vantrel
