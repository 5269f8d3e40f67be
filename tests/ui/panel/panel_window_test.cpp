#include "ui/support/frame_window_test.h"

#include "core/app/view_sizing.h"
#include "core/panel/faceplate.h"
#include "ui/frames/bitmap_view.h"
#include "ui/frames/frame_track_bar.h"

#include <QAction>
#include <QDir>
#include <QLabel>
#include <QSlider>
#include <QTabWidget>
#include <QToolButton>

namespace {

class PanelWindow : public FrameWindowTest
{
protected:
    void useShippedFaceplate()
    {
        ASSERT_TRUE(QFile::copy(QStringLiteral(VANTREL_SOURCE_DIR "/resources/panel/Panel.bmp"),
                                QDir(folderPath()).filePath(QStringLiteral("Panel.bmp"))));
    }
    void showPage(int index) { control<QTabWidget>("PageControl1")->setCurrentIndex(index); }
    void tick() { QMetaObject::invokeMethod(control<QTimer>("TimerP"), "timeout"); }
    int panelPosition() { return control<FrameTrackBar>("tbPanel")->value(); }
    bool playing()
    {
        return control<QToolButton>("abbPPlay")->isChecked() && control<QTimer>("TimerP")->isActive();
    }
};

TEST_F(PanelWindow, RegistrationLaysOutTheFaceplateAndReshapesTheViews)
{
    open();
    const QString models = QDir(folderPath()).filePath(QStringLiteral("models"));
    ASSERT_TRUE(QDir().mkpath(models));
    QImage picture(500, 300, QImage::Format_RGB888);
    picture.fill(Qt::white);
    ASSERT_TRUE(picture.save(QDir(models).filePath(QStringLiteral("face.bmp"))));
    const QString pnl = QDir(models).filePath(QStringLiteral("model.pnl"));
    writeFile(pnl, "[FileType]\nType=vantrel_PanelImage\n[Panel]\nPanelFile=face.bmp\nWidth=100\nHeight=40\n"
                   "InfoLeft=10\nInfoTop=20\nInfoRight=109\nInfoBottm=49\n"
                   "ViewLeft=10\nViewTop=50\nViewRight=109\nViewBottom=89\n");
    dialogs().fileAnswers.push_back(pnl);
    control<QToolButton>("abbSelPanel")->click();

    ASSERT_EQ(dialogs().openRequests.size(), 1u);
    EXPECT_EQ(dialogs().openRequests[0].folder, folderPath());
    EXPECT_TRUE(dialogs().openRequests[0].filter.endsWith("(*.pnl)"));
    EXPECT_TRUE(dialogs().messages.empty());
    EXPECT_EQ(window().settings().dirPanelIn, models);
    EXPECT_EQ(window().settings().panelWidth, 100);
    EXPECT_EQ(window().viewSize(), QSize(100, 40));
    EXPECT_TRUE(control<QLabel>("Panel9")->text().isEmpty());
    const QPoint origin((426 - 500) / 2, (238 - 300) / 2); // the faceplate box is 426 x 238
    EXPECT_EQ(control<QLabel>("imgPanel")->geometry(), QRect(origin, QSize(500, 300)));
    EXPECT_EQ(control<BitmapView>("LeadInfo")->geometry(), QRect(origin + QPoint(10, 20), QSize(100, 30)));
    EXPECT_EQ(control<BitmapView>("LeadImage")->geometry(), QRect(origin + QPoint(10, 50), QSize(100, 40)));
    EXPECT_FALSE(control<BitmapView>("LeadImage")->isHidden());
    EXPECT_EQ(control<BitmapView>("LeadMono")->size(),
              vantrel::frameViewRect(control<QWidget>("Panel12")->size(), 100, 40).size());
}

TEST_F(PanelWindow, RefusedDescriptionAndMissingPicture)
{
    open(); // no faceplate in the program's folder
    EXPECT_EQ(control<QLabel>("Panel9")->text(), window().catalogue().errorTexts[8]);
    EXPECT_TRUE(control<QLabel>("imgPanel")->isHidden());
    EXPECT_TRUE(control<BitmapView>("LeadImage")->isHidden());

    const QString models = QDir(folderPath()).filePath(QStringLiteral("models"));
    ASSERT_TRUE(QDir().mkpath(models));
    const QString pnl = QDir(models).filePath(QStringLiteral("bad.pnl"));
    for (const QByteArray& text : {QByteArray("[FileType]\nType=Other\n[Panel]\nWidth=90\n"),
                                   QByteArray("[Panel]\nWidth=90\nViewRight=0\n")}) {
        writeFile(pnl, text);
        dialogs().fileAnswers.push_back(pnl);
        control<QToolButton>("abbSelPanel")->click();
        ASSERT_FALSE(dialogs().messages.empty());
        EXPECT_EQ(dialogs().messages.back().text, window().catalogue().errorTexts[4]);
        EXPECT_EQ(window().settings().panelWidth, 160);
        EXPECT_EQ(window().viewSize(), QSize(203, 55));
        EXPECT_EQ(window().settings().dirPanelIn, models);
    }
}

TEST_F(PanelWindow, PreviewTintsTheFrameAndTheInfoStrip)
{
    useShippedFaceplate();
    open();
    addFrames(3);
    control<QSlider>("tbRed")->setValue(0); // colour code 15: level 3 is cyan
    showPage(3);
    control<FrameTrackBar>("tbPanel")->setValue(3);
    const QImage shown = control<BitmapView>("LeadImage")->image();
    ASSERT_EQ(shown.size(), QSize(203, 55));
    // Frame 3's lit dot at x = 2 covers view column 3 alone (203 / 160 per dot).
    EXPECT_EQ(shown.pixelColor(3, 0), QColor(0, 255, 255));
    EXPECT_EQ(shown.pixelColor(2, 0), QColor(0, 0, 0));
    EXPECT_EQ(shown.pixelColor(4, 0), QColor(0, 0, 0));
    EXPECT_EQ(control<BitmapView>("LeadInfo")->image().color(3), qRgb(0, 255, 255));
}

TEST_F(PanelWindow, ViewFollowsEveryChangeOfTheFramesAndTheColour)
{
    useShippedFaceplate();
    open();
    addFrames(3); // marks 0, 1, 2: one lit dot at x = 0, 1, 2
    showPage(3);
    control<FrameTrackBar>("tbPanel")->setValue(1);
    ASSERT_EQ(shownMark("LeadImage"), 0);
    setPosition(1);
    control<QToolButton>("abbOutPreDel")->click();
    EXPECT_EQ(shownMark("LeadImage"), 1) << "the deleted frame's successor";
    window().ExeUndo();
    EXPECT_EQ(shownMark("LeadImage"), 0);
    control<QToolButton>("abbOutPreClr")->click();
    EXPECT_FALSE(control<BitmapView>("LeadImage")->hasImage());
    window().ExeUndo();
    EXPECT_EQ(shownMark("LeadImage"), 0);
    control<QSlider>("tbRed")->setValue(0); // colour code 15: level 3 is cyan
    const QImage shown = control<BitmapView>("LeadImage")->image();
    EXPECT_EQ(shown.pixelColor(0, 0), QColor(0, 255, 255));
    EXPECT_EQ(control<BitmapView>("LeadInfo")->image().color(3), qRgb(0, 255, 255));
}

TEST_F(PanelWindow, PlayerTicksAndKeysLeaveTheInsertionPointAlone)
{
    useShippedFaceplate();
    open();
    addFrames(3);
    showPage(0);
    control<QAction>("ActNext")->trigger();
    control<QAction>("ActStart")->trigger();
    EXPECT_EQ(panelPosition(), 1);
    EXPECT_FALSE(playing());

    showPage(3);
    control<QAction>("ActNext")->trigger();
    EXPECT_EQ(panelPosition(), 2);
    control<QAction>("ActStart")->trigger();
    EXPECT_TRUE(playing());
    EXPECT_FALSE(control<QToolButton>("abbFLoad")->isEnabled());
    QList<int> shown;
    for (int i = 0; i < 4; ++i) {
        tick();
        shown.append(panelPosition());
    }
    EXPECT_EQ(shown, (QList<int>{1, 2, 3, 3}));
    EXPECT_FALSE(playing());
    EXPECT_TRUE(control<QToolButton>("abbFLoad")->isEnabled());
    control<QAction>("ActBack")->trigger();
    EXPECT_EQ(window().frameStore().monoSelection(), 1);
    EXPECT_EQ(position(), 3); // later loads still insert at the output bar's frame

    // Stop works from any page.
    showPage(0);
    control<QToolButton>("abbPPlay")->click();
    ASSERT_TRUE(playing());
    control<QAction>("ActStop")->trigger();
    EXPECT_FALSE(playing());
    EXPECT_FALSE(control<QToolButton>("abbPPlay")->isChecked());
}

} // namespace
