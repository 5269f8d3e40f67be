#include "ui/support/window_test.h"

#include <QComboBox>
#include <QLabel>

#include <random>

namespace {

class BadInput : public WindowTest
{
};

QByteArray garbage(std::size_t size, unsigned seed)
{
    std::mt19937 random(seed);
    // Plenty of line breaks, brackets and '=' so that the parser sees every kind of line.
    const char specials[] = {'\n', '\r', '[', ']', '=', ';', '\0', ' '};
    QByteArray bytes(static_cast<qsizetype>(size), '\0');
    for (char& byte : bytes) {
        const unsigned r = random();
        byte = (r % 4 == 0) ? specials[(r >> 8) % sizeof specials] : static_cast<char>(r >> 16);
    }
    return bytes;
}

} // namespace

TEST_F(BadInput, BinaryGarbageStartsWithoutAnErrorBox)
{
    for (unsigned seed : {1u, 2u, 3u}) {
        writeSettings(garbage(64 * 1024, seed));
        writeCatalogue(garbage(64 * 1024, seed + 100));
        TForm1& form = open();
        EXPECT_EQ(form.width(), 672);
        EXPECT_TRUE(dialogs().messages.empty());
    }
}

TEST_F(BadInput, TenMebibyteFilesGiveTheDefaults)
{
    QByteArray huge = "[MainForm]\nCaption=Big\n";
    huge += QByteArray(10 * 1024 * 1024, 'x');
    writeSettings(huge);
    writeCatalogue(huge);
    TForm1& form = open();
    EXPECT_EQ(form.windowTitle(), QStringLiteral("Default Caption"));
    EXPECT_EQ(control<QComboBox>("cbEffect")->count(), 0);
    EXPECT_TRUE(dialogs().messages.empty());
}

TEST_F(BadInput, ReadableValuesAreUsedAndTheRestDefaults)
{
    writeSettings("[MainForm]\nno equals sign here\nTop = 7\nLeft=abc\n[MainForm]\nTop=9\n"
                  "[Panel]\nWidth=12px\nHeight= 60 \n[Red]\nColors=many\n");
    writeCatalogue("[Scale]\nItems=lots\n[Effect]\nItems=2\n0 = None\n1=Bright\n[Effect]\nItems=5\n");
    TForm1& form = open();
    EXPECT_EQ(form.pos(), QPoint(100, 7));
    EXPECT_EQ(form.settings().panelWidth, 160);
    EXPECT_EQ(form.settings().panelHeight, 60);
    EXPECT_EQ(form.settings().levels.red.count, 4);
    auto* effects = control<QComboBox>("cbEffect");
    ASSERT_EQ(effects->count(), 2);
    EXPECT_EQ(effects->itemText(0), QStringLiteral("None"));
    EXPECT_EQ(control<QComboBox>("cbScale")->count(), 0);
    EXPECT_TRUE(dialogs().messages.empty());
}

TEST_F(BadInput, AbsurdPanelGeometryStillStarts)
{
    writeSettings(
        "[Panel]\nViewLeft=2147483647\nViewRight=-2147483648\nViewTop=-2147483648\nViewBottom=2147483647\n"
        "Width=2147483647\nHeight=-2147483648\n");
    TForm1& form = open();
    EXPECT_LT(form.viewSize().width(), 0);
    EXPECT_GT(form.viewSize().height(), 0);
    // No view fits a negative width: the frame views are empty.
    EXPECT_TRUE(control<QWidget>("LeadColor")->size().isEmpty());
    EXPECT_TRUE(control<QLabel>("StatusPanel2")->text().startsWith(QStringLiteral("Font :(")));
    EXPECT_TRUE(dialogs().messages.empty());
}
