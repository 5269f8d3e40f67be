#include "ui/support/window_test.h"

#include <QComboBox>
#include <QCoreApplication>
#include <QFocusEvent>
#include <QLineEdit>
#include <QSignalBlocker>
#include <QSlider>
#include <QTabWidget>
#include <QTimer>
#include <QToolButton>

#include "ui/app/up_down.h"

namespace {

const char* const GroupedButtons[] = {
    "abbInPic",       "abbDelPic",      "abbInClr",        "abbFLoad",      "abbFSave",
    "abbInFrameStop", "abbInFramePlay", "abbInFramePause", "abbInFrameTop", "abbInFrameBack",
    "abbInFrameNext", "abbInFrameEnd",  "abbCutS",         "abbCutE",       "abbExecute",
    "sbDesideEf",     "abbDesideEfA",   "abbInsFont",      "abbInsFontA",   "abbOutPreStop",
    "abbOutPrePlay",  "abbOutPrePause", "abbOutPreBack",   "abbOutPreNext", "abbOutPreDel",
    "abbOutPreClr",   "abbPStop",       "abbPPlay",        "abbPPause",
};

const char* const NeverDisabled[] = {"abbOutPreRep", "abbPRep",    "abbHelp",  "abbHPAccess",
                                     "abbEnd",       "abbUndo",    "abbUndo2", "abbAreaResize",
                                     "abbGetPImage", "abbSelPanel"};

class ControlStateWindow : public WindowTest
{
protected:
    void SetUp() override
    {
        useCatalogue(japaneseCatalogue());
        open();
    }

    bool enabled(const char* name) { return control<QWidget>(name)->isEnabled(); }
};

} // namespace

TEST_F(ControlStateWindow, AtStartOnlyAddingAndLoadingAreEnabled)
{
    for (const char* name : GroupedButtons) {
        const bool expected = QLatin1String(name) == QLatin1String("abbInPic") ||
                              QLatin1String(name) == QLatin1String("abbFLoad");
        EXPECT_EQ(enabled(name), expected) << name;
    }
    for (const char* name : NeverDisabled)
        EXPECT_TRUE(enabled(name)) << name;
}

TEST_F(ControlStateWindow, OneFrameToCreateSetsTheEndAreaBit)
{
    // With an input picture, only the frame count tells the two area buttons apart.
    QImage picture(40, 30, QImage::Format_RGB888);
    picture.fill(Qt::gray);
    const QString path = folderPath() + QStringLiteral("/input.png");
    ASSERT_TRUE(picture.save(path));
    dialogs().fileAnswers.push_back(path);
    control<QToolButton>("abbInPic")->click();
    auto* frames = control<UpDown>("udGetFrm");
    frames->setPosition(1);
    window().UpdateControlState(vantrel::ControlReason::FramesToCreate);
    EXPECT_EQ(window().disableMask()[6] & 0x04, 0x04);
    EXPECT_TRUE(enabled("abbCutS"));
    EXPECT_FALSE(enabled("abbCutE"));

    frames->setPosition(2);
    window().UpdateControlState(vantrel::ControlReason::FramesToCreate);
    EXPECT_EQ(window().disableMask()[6] & 0x04, 0);
    EXPECT_TRUE(enabled("abbCutE"));
}

TEST_F(ControlStateWindow, DisablingTheEndAreaReleasesItsButtonAsAClickWould)
{
    auto* endArea = control<QToolButton>("abbCutE");
    int clicks = 0;
    bool checkedWhenClicked = true;
    QObject::connect(endArea, &QToolButton::clicked, [&](bool checked) {
        ++clicks;
        checkedWhenClicked = checked;
    });
    endArea->setChecked(true);
    control<UpDown>("udGetFrm")->setPosition(1);
    window().UpdateControlState(vantrel::ControlReason::FramesToCreate);

    EXPECT_FALSE(endArea->isChecked());
    EXPECT_EQ(clicks, 1);
    EXPECT_FALSE(checkedWhenClicked);

    // Already up: a second disabling clicks nothing.
    window().UpdateControlState(vantrel::ControlReason::FramesToCreate);
    EXPECT_EQ(clicks, 1);
}

TEST_F(ControlStateWindow, LeavingTheInputTabDisablesInputEditing)
{
    auto* pages = control<QTabWidget>("PageControl1");
    for (int page : {1, 2, 3}) {
        pages->setCurrentIndex(page);
        EXPECT_FALSE(enabled("abbInPic")) << page;
        EXPECT_FALSE(enabled("abbDelPic")) << page;
        EXPECT_FALSE(enabled("abbInClr")) << page;
        EXPECT_TRUE(enabled("abbFLoad")) << page;
    }
    pages->setCurrentIndex(0);
    EXPECT_TRUE(enabled("abbInPic"));
    // Still no input to delete.
    EXPECT_FALSE(enabled("abbDelPic"));
}

TEST_F(ControlStateWindow, ChangingTabStopsThePanelPlayer)
{
    auto* play = control<QToolButton>("abbPPlay");
    auto* pause = control<QToolButton>("abbPPause");
    auto* timer = control<QTimer>("TimerP");
    auto* pages = control<QTabWidget>("PageControl1");
    pages->setCurrentIndex(3);
    play->setChecked(true);
    pause->setChecked(true);
    timer->start();
    window().UpdateControlState(vantrel::ControlReason::PanelPlayback);
    ASSERT_FALSE(enabled("abbFLoad"));

    pages->setCurrentIndex(1);
    EXPECT_FALSE(play->isChecked());
    EXPECT_FALSE(pause->isChecked());
    EXPECT_FALSE(timer->isActive());
    EXPECT_TRUE(enabled("abbFLoad"));
    EXPECT_EQ(window().disableMask()[2], 0);
}

TEST_F(ControlStateWindow, StrengthBarShowsForEffectsWithAStrength)
{
    auto* effect = control<QComboBox>("cbEffect");
    auto* strength = control<QSlider>("tbEffect");
    ASSERT_EQ(effect->count(), 7);
    EXPECT_TRUE(strength->isHidden());
    for (int index = 0; index < effect->count(); ++index) {
        {
            // The rule alone: with no frames the list's own handler would snap back to 0.
            const QSignalBlocker quiet(effect);
            effect->setCurrentIndex(index);
        }
        window().UpdateControlState(vantrel::ControlReason::EffectChanged);
        EXPECT_EQ(!strength->isHidden(), index >= 1 && index <= 3) << index;
    }
    // Reason 255 touches no group.
    EXPECT_TRUE(enabled("abbInPic"));
    EXPECT_FALSE(enabled("abbFSave"));
}

TEST_F(ControlStateWindow, FrameNumberEditRestoresBadTextOnLeaving)
{
    auto* edit = control<QLineEdit>("FrmNo");
    auto leave = [&](const QString& text) {
        edit->setText(text);
        QFocusEvent focusOut(QEvent::FocusOut);
        QCoreApplication::sendEvent(edit, &focusOut);
        return edit->text();
    };
    for (const char* bad : {"", "abc", "0", "2", "-1", "1 ", "99999999999"})
        EXPECT_EQ(leave(QLatin1String(bad)), QStringLiteral("1")) << bad;
    EXPECT_EQ(leave(QStringLiteral("01")), QStringLiteral("01"));
}
