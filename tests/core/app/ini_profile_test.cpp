#include "core/app/ini_profile.h"

#include <gtest/gtest.h>

#include <QDir>
#include <QFile>
#include <QTemporaryDir>

#include <sys/resource.h>

#include <cerrno>
#include <climits>
#include <csignal>
#include <cstring>
#include <random>

namespace vantrel {
namespace {

IniProfile parse(QByteArrayView bytes)
{
    return IniProfile::fromBytes(bytes.toByteArray());
}

// "背景色" in Shift-JIS.
const QByteArray BackgroundColourSjis("\x94\x77\x8C\x69\x90\x46");
const QString BackgroundColour = QStringLiteral("背景色");

TEST(IniProfileRead, IgnoresBlanksAroundNamesAndValues)
{
    const IniProfile ini = parse(" \t[ Main Form ] \t\n \t Caption \t=\t two  words \t\n");
    EXPECT_EQ(ini.readString("Main Form", "Caption", "-"), "two  words");
}

TEST(IniProfileRead, FirstOfDuplicateKeysWinsAcrossRepeatedSections)
{
    const IniProfile ini = parse("[A]\nk=1\nK=2\n[B]\nk=3\n[a]\nk=4\nonly=5\n");
    EXPECT_EQ(ini.readInt("A", "k", 0), 1);
    EXPECT_EQ(ini.readInt("B", "k", 0), 3);
    EXPECT_EQ(ini.readInt("A", "only", 0), 5);
}

TEST(IniProfileRead, TakesValuesAsTheyStand)
{
    const IniProfile ini = parse("[A]\nq=\"a;b\"\nempty=\nslash=c:\\x\\y\neq=a=b\n");
    EXPECT_EQ(ini.readString("A", "q", "-"), "\"a;b\"");
    EXPECT_EQ(ini.readString("A", "empty", "-"), "");
    EXPECT_EQ(ini.readString("A", "slash", "-"), "c:\\x\\y");
    EXPECT_EQ(ini.readString("A", "eq", "-"), "a=b");
    EXPECT_EQ(ini.readString("A", "missing", "-"), "-");
}

TEST(IniProfileRead, IntegersAreStrictDecimal)
{
    const std::pair<const char*, int> cases[] = {
        {"12", 12},
        {"-7", -7},
        {"+5", 5},
        {" 3 ", 3},
        {"0", 0},
        {"2147483647", INT_MAX},
        {"-2147483648", INT_MIN},
        {"2147483648", -1},
        {"-2147483649", -1},
        {"99999999999999999999", -1},
        {"12abc", -1},
        {"0x10", -1},
        {"1.5", -1},
        {"", -1},
        {"-", -1},
        {"+-1", -1},
    };
    for (const auto& [text, expected] : cases) {
        const IniProfile ini = parse(QByteArray("[A]\nv=") + text + "\n");
        EXPECT_EQ(ini.readInt("A", "v", -1), expected) << text;
    }
}

TEST(IniProfileRead, BooleansAreNonZeroIntegers)
{
    const IniProfile ini = parse("[A]\ntwo=2\nzero=0\nminus=-1\nword=yes\n");
    EXPECT_TRUE(ini.readBool("A", "two", false));
    EXPECT_FALSE(ini.readBool("A", "zero", true));
    EXPECT_TRUE(ini.readBool("A", "minus", false));
    EXPECT_TRUE(ini.readBool("A", "word", true));
    EXPECT_FALSE(ini.readBool("A", "word", false));
}

TEST(IniProfileRead, IgnoresCommentsLinesWithoutEqualsAndKeysBeforeAnySection)
{
    const IniProfile ini = parse("top=1\n[A]\njust text\n;k=2\n[\n]\n[B\nk=3\n");
    EXPECT_FALSE(ini.contains("", "top"));
    EXPECT_FALSE(ini.contains("A", ";k"));
    EXPECT_FALSE(ini.contains("A", "just text"));
    // "[B" has no closing bracket, so k still belongs to A.
    EXPECT_EQ(ini.readInt("A", "k", 0), 3);
}

TEST(IniProfileWrite, ReplacesInPlaceAndKeepsEveryOtherLine)
{
    IniProfile ini = parse("; settings\n[MainForm]\nTop = 100\nUnknown=x\n\n[Other]\nTop=7\n");
    ini.writeInt("mainform", "TOP", 120);
    EXPECT_EQ(ini.toBytes(), "; settings\n[MainForm]\nTop = 120\nUnknown=x\n\n[Other]\nTop=7\n");
}

TEST(IniProfileWrite, AddsKeyAfterLastKeyOfTheFirstOccurrence)
{
    IniProfile ini = parse("[A]\nx=1\n\n; note\n[B]\ny=2\n[a]\nz=3\n[C]\n; empty\n");
    ini.writeString("A", "w", "4");
    ini.writeString("A", "v", "5");
    ini.writeString("A", "z", "6"); // lives in the second [a]
    ini.writeString("C", "k", "7");
    EXPECT_EQ(ini.toBytes(), "[A]\nx=1\nw=4\nv=5\n\n; note\n[B]\ny=2\n[a]\nz=6\n[C]\nk=7\n; empty\n");
    EXPECT_EQ(ini.readString("A", "v", "-"), "5");
}

TEST(IniProfileWrite, AddsSectionAtTheEnd)
{
    IniProfile fresh;
    fresh.writeString("S", "k", "v");
    fresh.writeString("T", "k", "w");
    fresh.writeString("S", "m", "u");
    EXPECT_EQ(fresh.toBytes(), "[S]\nk=v\nm=u\n[T]\nk=w\n");

    IniProfile noFinalBreak = parse("[A]\nx=1");
    noFinalBreak.writeString("B", "k", "v");
    EXPECT_EQ(noFinalBreak.toBytes(), "[A]\nx=1\n[B]\nk=v");
}

TEST(IniProfileWrite, KeepsCrlfLineEndings)
{
    IniProfile ini = parse("[A]\r\nx=1\r\n; c\r\n");
    ini.writeInt("A", "x", 2);
    ini.writeInt("A", "y", 3);
    ini.writeInt("B", "z", 4);
    EXPECT_EQ(ini.toBytes(), "[A]\r\nx=2\r\ny=3\r\n; c\r\n[B]\r\nz=4\r\n");
}

TEST(IniProfileWrite, RefusesNamesThatWouldNotReadBackAndFlattensValues)
{
    IniProfile ini = parse("[A]\n");
    ini.writeString("A", "a=b", "1");
    ini.writeString("A", ";c", "1");
    ini.writeString("A", "[d", "1");
    ini.writeString("x]y", "k", "1");
    ini.writeString("", "k", "1");
    EXPECT_EQ(ini.toBytes(), "[A]\n");
    ini.writeString("A", "text", "two\r\nlines");
    EXPECT_EQ(ini.readString("A", "text", "-"), "two  lines");
    EXPECT_EQ(IniProfile::fromBytes(ini.toBytes()).readString("A", "text", "-"), "two  lines");
}

TEST(IniProfileEncoding, ReadsShiftJisAndWritesItBackInShiftJis)
{
    // ED 40 and 87 90 come back as other codes when text is re-encoded; untouched lines must not.
    const QByteArray bytes = "[Caption]\r\nPanel21=" + BackgroundColourSjis + "\r\nOld=\xED\x40\x87\x90\r\n";
    IniProfile ini = IniProfile::fromBytes(bytes);
    EXPECT_EQ(ini.readString("caption", "panel21", "-"), BackgroundColour);
    ini.writeString("Caption", "Panel30", BackgroundColour);
    EXPECT_EQ(ini.toBytes(), bytes + "Panel30=" + BackgroundColourSjis + "\r\n");
}

TEST(IniProfileEncoding, KeepsUtf8ByteOrderMark)
{
    IniProfile ini = parse("\xEF\xBB\xBF[A]\nx=\xE8\x83\x8C\n");
    EXPECT_EQ(ini.readString("A", "x", "-"), QStringLiteral("背"));
    ini.writeInt("A", "y", 1);
    EXPECT_EQ(ini.toBytes(), "\xEF\xBB\xBF[A]\nx=\xE8\x83\x8C\ny=1\n");
}

TEST(IniProfileEncoding, FallsBackToLatin1ThenToUtf8ForTextLatin1CannotHold)
{
    // 0x81 before a line break is neither UTF-8 nor Shift-JIS.
    IniProfile ini = parse("[A]\nx=\x81\n");
    EXPECT_EQ(ini.readString("A", "x", "-"), QString(QChar(0x81)));
    ini.writeString("A", "y", QString(QChar(0xE9)));
    EXPECT_EQ(ini.toBytes(), "[A]\nx=\x81\ny=\xE9\n");

    ini.writeString("A", "z", BackgroundColour);
    const IniProfile reread = IniProfile::fromBytes(ini.toBytes());
    EXPECT_EQ(reread.readString("A", "x", "-"), QString(QChar(0x81)));
    EXPECT_EQ(reread.readString("A", "z", "-"), BackgroundColour);
}

TEST(IniProfileEncoding, SwitchesToUtf8WhenTheWrittenBytesWouldReadAsUtf8)
{
    // As Shift-JIS, "[B\xC2\x81]" ends in a double-byte character, not "]", so k belongs to A.
    // Once the only non-UTF-8 bytes are overwritten the file would read as UTF-8 and k would move.
    IniProfile ini = parse("[A]\nx=\x82\xA0\n[B\xC2\x81]\nk=1\n");
    ASSERT_EQ(ini.readString("A", "x", "-"), QStringLiteral("あ"));
    ASSERT_EQ(ini.readInt("A", "k", 0), 1);
    ini.writeString("A", "x", "plain");
    const IniProfile reread = IniProfile::fromBytes(ini.toBytes());
    EXPECT_EQ(reread.readString("A", "x", "-"), "plain");
    EXPECT_EQ(reread.readInt("A", "k", 0), 1);
}

TEST(IniProfileRobustness, UnmodifiedProfileGivesBackItsBytes)
{
    const QByteArray samples[] = {
        "",
        "\n\n",
        "[A]\r\nx=1\nmixed=2\r\n\r",
        "no sections at all",
        QByteArray("[\0]\n\0=\0\n", 9),
        "\xEF\xBB\xBF\xEF\xBB\xBF[A]\nk=1",
        "[A]\nx=" + BackgroundColourSjis + "\xED\x40",
        "\xFF\xFE[\x80]\n=\n[",
    };
    for (const QByteArray& bytes : samples)
        EXPECT_EQ(IniProfile::fromBytes(bytes).toBytes(), bytes) << bytes.toHex().constData();
}

TEST(IniProfileRobustness, RandomBytesParseAndStillTakeWrites)
{
    std::mt19937 random(1234);
    const char alphabet[] = "[]=;\r\n\t ab\0\x81\xE3\xFF";
    for (int round = 0; round < 300; ++round) {
        QByteArray bytes;
        const int length = static_cast<int>(random() % 200);
        for (int i = 0; i < length; ++i)
            bytes += round % 2 ? static_cast<char>(random()) : alphabet[random() % (sizeof alphabet - 1)];
        IniProfile ini = IniProfile::fromBytes(bytes);
        ASSERT_EQ(ini.toBytes(), bytes);
        ini.writeString("a", "b", BackgroundColour);
        ini.writeInt("New", "n", -3);
        const IniProfile reread = IniProfile::fromBytes(ini.toBytes());
        ASSERT_EQ(reread.readString("A", "B", "-"), BackgroundColour) << bytes.toHex().constData();
        ASSERT_EQ(reread.readInt("new", "N", 0), -3) << bytes.toHex().constData();
    }
}

TEST(IniProfileRobustness, TenMebibytesStayFastToReadAndWrite)
{
    QByteArray bytes;
    bytes.reserve(10 * 1024 * 1024 + 64);
    for (int section = 0; bytes.size() < 10 * 1024 * 1024; ++section) {
        bytes += "[S" + QByteArray::number(section) + "]\n";
        for (int key = 0; key < 100; ++key)
            bytes += "key" + QByteArray::number(key) + " = " + QByteArray::number(section * key) + "\n";
    }
    IniProfile ini = IniProfile::fromBytes(bytes);
    // A scan per lookup or per write would take hours here.
    for (int i = 0; i < 20000; ++i)
        ASSERT_EQ(ini.readInt("s" + QString::number(i % 1000), "KEY" + QString::number(i % 100), -1),
                  (i % 1000) * (i % 100));
    qsizetype addedBytes = 0;
    for (int i = 0; i < 5000; ++i) {
        ini.writeInt("S7", "added" + QString::number(i), i);
        addedBytes += ("added" + QString::number(i) + "=" + QString::number(i) + "\n").size();
    }
    EXPECT_EQ(ini.readInt("S7", "added4999", -1), 4999);
    const QByteArray written = ini.toBytes();
    EXPECT_EQ(written.size(), bytes.size() + addedBytes);
    EXPECT_TRUE(written.contains("key99 = 693\nadded0=0\nadded1=1\n"));
}

class IniProfileFile : public testing::Test
{
protected:
    QString path(const QString& name) const { return dir_.filePath(name); }
    void writeFile(const QString& name, const QByteArray& bytes) const
    {
        QFile file(path(name));
        ASSERT_TRUE(file.open(QIODevice::WriteOnly));
        file.write(bytes);
    }

    QTemporaryDir dir_;
};

TEST_F(IniProfileFile, MissingAndOverLargeFilesReadAsEmpty)
{
    EXPECT_FALSE(IniProfile::fromFile(path("missing.INI")).contains("A", "k"));

    QByteArray bytes = "[A]\nk=1\n";
    bytes += QByteArray(IniProfile::MaxFileBytes - bytes.size(), ';');
    writeFile("limit.INI", bytes);
    EXPECT_TRUE(IniProfile::fromFile(path("limit.INI")).contains("A", "k"));
    writeFile("over.INI", bytes + ";");
    EXPECT_FALSE(IniProfile::fromFile(path("over.INI")).contains("A", "k"));
}

TEST_F(IniProfileFile, SaveCreatesFolderAndFile)
{
    IniProfile ini;
    ini.writeString("A", "k", BackgroundColour);
    const QString target = path("sub/dir/x.INI");
    ASSERT_EQ(ini.save(target), 0);
    EXPECT_EQ(IniProfile::fromFile(target).readString("A", "k", "-"), BackgroundColour);
}

TEST_F(IniProfileFile, SaveFailureNamesPathAndReason)
{
    // Below a regular file no folder can exist, whoever runs the test.
    writeFile("plain", "x");
    const QString target = path("plain/x.INI");
    QString reason;
    EXPECT_NE(IniProfile().save(target, &reason), 0);
    EXPECT_TRUE(reason.startsWith(QDir::toNativeSeparators(target) + ": ")) << reason.toStdString();
    EXPECT_GT(reason.size(), target.size() + 2);
}

// A disk that fills up mid-write, played by the file size limit, which refuses the rest alike.
TEST_F(IniProfileFile, WriteFailureGivesTheSystemReasonAndKeepsTheOldFile)
{
    writeFile("x.INI", "[A]\nk=old\n");
    IniProfile ini = IniProfile::fromFile(path("x.INI"));
    ini.writeString("A", "k", QString(8192, QLatin1Char('n')));
    rlimit saved{};
    ASSERT_EQ(getrlimit(RLIMIT_FSIZE, &saved), 0);
    const rlimit small{1024, saved.rlim_max};
    const auto previousHandler = std::signal(SIGXFSZ, SIG_IGN);
    ASSERT_EQ(setrlimit(RLIMIT_FSIZE, &small), 0);
    QString reason;
    const int result = ini.save(path("x.INI"), &reason);
    setrlimit(RLIMIT_FSIZE, &saved);
    std::signal(SIGXFSZ, previousHandler);
    EXPECT_NE(result, 0);
    EXPECT_EQ(reason,
              QDir::toNativeSeparators(path("x.INI")) + ": " + QString::fromLocal8Bit(std::strerror(EFBIG)));
    EXPECT_EQ(IniProfile::fromFile(path("x.INI")).readString("A", "k", "-"), "old");
}

} // namespace
} // namespace vantrel
