#include "ui/support/frame_window_test.h"

#include "support/test_files.h"

#include <QApplication>
#include <QContextMenuEvent>
#include <QDir>
#include <QFile>
#include <QImageReader>
#include <QMenu>
#include <QSlider>

namespace {

class AnimExportWindow : public FrameWindowTest
{
protected:
    // The context menu the view pops up; null when it shows none.
    QMenu* openMenu(const char* view)
    {
        QContextMenuEvent event(QContextMenuEvent::Mouse, QPoint(3, 3), QPoint(3, 3));
        QApplication::sendEvent(control<QWidget>(view), &event);
        for (QMenu* menu : window().findChildren<QMenu*>())
            if (menu->isVisible())
                return menu;
        return nullptr;
    }
};

TEST_F(AnimExportWindow, ContextMenuExportsTheStoreTintedOrSaysWhyNot)
{
    open();
    EXPECT_EQ(openMenu("LeadMono"), nullptr);
    addFrames(3);
    control<QSlider>("tbGreen")->setValue(1); // code 0x37: red 3, green 1, blue 3

    const QString gif = QDir(folderPath()).filePath("clip.gif");
    const QString cancelled = QDir(folderPath()).filePath("clip.webm");
    dialogs().fileAnswers = {QDir(folderPath()).filePath("clip"), QDir(folderPath()).filePath("none/x.gif"),
                             cancelled};
    const vantrel::ExportChoices plain{2, false, false};
    dialogs().exportAnswers = {vantrel::ExportChoices{}, plain, std::nullopt};
    for (const char* view : {"LeadColor", "LeadMono", "LeadMono"}) {
        QMenu* menu = openMenu(view);
        ASSERT_NE(menu, nullptr) << view;
        ASSERT_EQ(menu->actions().size(), 1);
        EXPECT_EQ(menu->actions()[0]->text(), window().catalogue().exportAnimation);
        menu->actions()[0]->trigger();
        menu->close();
    }
    ASSERT_EQ(dialogs().saveRequests.size(), 3u);
    EXPECT_EQ(dialogs().saveRequests[0].texts.title, "Export…");
    EXPECT_TRUE(dialogs().saveRequests[0].filter.contains("(*.webm)"));
    // The dialog starts from the last choices made.
    ASSERT_EQ(dialogs().exportDialogsShown.size(), 3u);
    EXPECT_EQ(dialogs().exportDialogsShown[1], vantrel::ExportChoices{});
    EXPECT_EQ(dialogs().exportDialogsShown[2], plain);
    EXPECT_FALSE(QFile::exists(cancelled));

    // Dots 3 x 2 pixels on a pitch of 4 across and 171 / 54 down (the settings' 46 x 34, 12 apart).
    QImageReader reader(gif);
    EXPECT_EQ(reader.imageCount(), 3);
    const QImage first = reader.read();
    ASSERT_EQ(first.size(), QSize(640, 171));
    EXPECT_EQ(first.pixel(1, 1), qRgb(255, 85, 255)); // frame 0's mark, a lit dot
    EXPECT_EQ(first.pixel(3, 0), qRgb(16, 16, 16));   // the gap beside it
    EXPECT_EQ(first.pixel(1, 2), qRgb(16, 16, 16));   // and below
    ASSERT_EQ(dialogs().messages.size(), 1u);
    EXPECT_TRUE(dialogs().messages[0].text.startsWith(window().catalogue().errorTexts[5]));
}

} // namespace
