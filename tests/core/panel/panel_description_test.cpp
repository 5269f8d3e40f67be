#include "core/panel/faceplate.h"
#include "core/panel/panel_description.h"

#include <gtest/gtest.h>

#include <QTemporaryDir>

#include <sys/stat.h>

namespace vantrel {
namespace {

using Levels = std::array<int, 4>;

TEST(PanelDescription, RegistrationCases)
{
    const QByteArray typeLines = "[FileType]\r\nType=vantrel_PanelImage\r\n";
    struct Case
    {
        const char* name;
        QByteArray text;
        int result;
        int width = 160; // when accepted
    };
    const Case cases[] = {
        {"empty panel section", typeLines + "[Panel]\r\n", PanelOk},
        {"other type", "[FileType]\r\nType=SomethingElse\r\n[Panel]\r\nWidth=90\r\n", PanelNotDescription},
        {"no second line", "[FileType]", PanelNotDescription},
        {"type line after a blank line", "[FileType]\n\nType=vantrel_PanelImage\n", PanelNotDescription},
        {"type test behind a byte order mark", "\xEF\xBB\xBF[FileType]\nType=x\n", PanelNotDescription},
        {"lower-case first line skips the test", "[filetype]\nType=x\n[Panel]\nWidth=90\n", PanelOk, 90},
        {"comment first", "; model\n[Panel]\nWidth=90\n", PanelOk, 90},
        {"another section first", "[Panel]\r\nWidth=90\r\n", PanelOk, 90},
        {"type lines ended by CR alone", "[FileType]\rType=x\r", PanelNotDescription},
        {"width 0", typeLines + "[Panel]\nWidth=0\n", PanelNotDescription},
        {"width 257", typeLines + "[Panel]\nWidth=257\n", PanelNotDescription},
        {"width 256", typeLines + "[Panel]\nWidth=256\n", PanelOk, 256},
        {"height 0", typeLines + "[Panel]\nHeight=0\n", PanelNotDescription},
        {"view right of left", typeLines + "[Panel]\nViewLeft=50\nViewRight=49\n", PanelNotDescription},
        {"view one column", typeLines + "[Panel]\nViewLeft=50\nViewRight=50\n", PanelOk},
        {"info bottom above top", typeLines + "[Panel]\nInfoTop=97\nInfoBottm=96\n", PanelNotDescription},
        {"view wider than any picture", typeLines + "[Panel]\nViewLeft=-2147483648\n", PanelNotDescription},
    };
    for (const Case& c : cases) {
        PanelDescription out;
        out.panelFile = QStringLiteral("unchanged");
        EXPECT_EQ(readPanelDescription(c.text, out), c.result) << c.name;
        if (c.result == PanelOk)
            EXPECT_EQ(out.panelWidth, c.width) << c.name;
        else
            EXPECT_EQ(out.panelFile, "unchanged") << c.name;
    }
}

TEST(PanelDescription, EmptyPanelSectionIsTheDefaultModel)
{
    PanelDescription out;
    out.panelWidth = 1;
    ASSERT_EQ(readPanelDescription("[FileType]\nType=vantrel_PanelImage\n[Panel]\n", out), PanelOk);
    EXPECT_EQ(out.panelFile, "Panel.bmp");
    EXPECT_EQ(out.panelWidth, 160);
    EXPECT_EQ(out.panelHeight, 54);
    EXPECT_EQ(out.viewRect, (PanelRect{45, 97, 247, 151}));
    EXPECT_EQ(out.infoRect, (PanelRect{45, 60, 247, 96}));
}

TEST(PanelDescription, ColourCountsReadThatManyLevelsAndKeepTheRest)
{
    PanelDescription description;
    ASSERT_EQ(readPanelDescription("[Red]\nColors=9\n0=1\n1=2\n2=3\n3=4\n"
                                   "[Green]\nColors=2\n0=10\n2=30\n"
                                   "[Blue]\nColors=-3\n0=7\n",
                                   description),
              PanelOk);
    AppSettings settings;
    settings.levels.green.levels = {50, 60, 70, 80};
    settings.levels.blue.levels = {90, 91, 92, 93};
    applyPanelDescription(description, settings);
    EXPECT_EQ(settings.levels.red.count, 4);
    EXPECT_EQ(settings.levels.red.levels, (Levels{1, 2, 3, 4}));
    EXPECT_EQ(settings.levels.green.count, 2);
    // Level 1 is missing: its default; levels 2 and 3 are not read.
    EXPECT_EQ(settings.levels.green.levels, (Levels{10, 85, 70, 80}));
    EXPECT_EQ(settings.levels.blue.count, 0);
    EXPECT_EQ(settings.levels.blue.levels, (Levels{90, 91, 92, 93}));
}

TEST(PanelDescription, FilesThatCannotBeRead)
{
    QTemporaryDir dir;
    const QString fifo = dir.filePath(QStringLiteral("pipe.pnl"));
    ASSERT_EQ(::mkfifo(fifo.toLocal8Bit().constData(), 0600), 0);
    PanelDescription out;
    EXPECT_EQ(readPanelDescriptionFile(dir.filePath(QStringLiteral("missing.pnl")), out), PanelCantOpen);
    EXPECT_EQ(readPanelDescriptionFile(dir.path(), out), PanelCantOpen);
    EXPECT_EQ(readPanelDescriptionFile(fifo, out), PanelSizeUnknown);
}

TEST(PanelDescription, ShippedFaceplateIsTheDefaultModel)
{
    const QString folder = QStringLiteral(VANTREL_SOURCE_DIR "/resources/panel/");
    PanelDescription description;
    description.panelWidth = 1;
    ASSERT_EQ(readPanelDescriptionFile(folder + QStringLiteral("Panel.pnl"), description), PanelOk);
    EXPECT_EQ(description.panelWidth, 160);
    EXPECT_EQ(description.viewRect, AppSettings().viewRect);
    EXPECT_EQ(description.infoRect, AppSettings().infoRect);
    Faceplate face;
    ASSERT_TRUE(buildFaceplate(folder + description.panelFile, description.infoRect, description.viewRect,
                               {426, 238}, face));
    EXPECT_TRUE(QRect(QPoint(0, 0), QSize(426, 238)).contains(QRect(face.origin, face.picture.size())));
    EXPECT_TRUE(QRect(face.origin, face.picture.size()).contains(face.viewGeometry));
    EXPECT_TRUE(QRect(face.origin, face.picture.size()).contains(face.infoGeometry));
}

} // namespace
} // namespace vantrel
