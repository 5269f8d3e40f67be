#include "ui/input/tdlg_ins.h"

#include <gtest/gtest.h>

#include <QGroupBox>
#include <QLabel>
#include <QPushButton>
#include <QRadioButton>

namespace {

template <typename T> T* part(const TdlgIns& dialog, const char* name)
{
    T* found = dialog.findChild<T*>(QLatin1String(name));
    EXPECT_NE(found, nullptr) << name;
    return found;
}

TEST(TdlgIns, ShowsTheCountAndPreselectsAfter)
{
    TdlgIns dialog(12);
    EXPECT_EQ(part<QLabel>(dialog, "Label2")->text(), "12Frames");
    EXPECT_TRUE(part<QRadioButton>(dialog, "rbPos2")->isChecked());
    EXPECT_FALSE(part<QRadioButton>(dialog, "rbPos1")->isChecked());
    EXPECT_EQ(part<QPushButton>(dialog, "Button1")->text(), "OK");
    EXPECT_EQ(part<QPushButton>(dialog, "Button2")->text(), "Cansel");
    dialog.show();
    EXPECT_FALSE(part<QPushButton>(dialog, "Button2")->isVisible());
    EXPECT_TRUE(part<QPushButton>(dialog, "Button1")->isVisible());
    EXPECT_EQ(dialog.size(), QSize(234, 128));
    // Title only: without CustomizeWindowHint Qt adds the system menu, and a close button with it.
    EXPECT_EQ(dialog.windowFlags(), Qt::Dialog | Qt::WindowTitleHint | Qt::CustomizeWindowHint);
}

TEST(TdlgIns, SetTextNamesItsFourPlacesAndIgnoresOthers)
{
    TdlgIns dialog(1);
    const QString before = dialog.windowTitle();
    dialog.SetText(-1, "minus");
    dialog.SetText(4, "four");
    EXPECT_EQ(dialog.windowTitle(), before);
    dialog.SetText(0, "title");
    dialog.SetText(1, "group");
    dialog.SetText(2, "before");
    dialog.SetText(3, "after");
    EXPECT_EQ(dialog.windowTitle(), "title");
    EXPECT_EQ(part<QGroupBox>(dialog, "RadioGroup1")->title(), "group");
    EXPECT_EQ(part<QRadioButton>(dialog, "rbPos1")->text(), "before");
    EXPECT_EQ(part<QRadioButton>(dialog, "rbPos2")->text(), "after");
    EXPECT_EQ(part<QLabel>(dialog, "Label2")->text(), "1Frames");
}

TEST(TdlgIns, AnswersFollowTheChoiceAndCancelIsZero)
{
    TdlgIns after(3);
    after.show();
    part<QPushButton>(after, "Button1")->click();
    EXPECT_EQ(after.InsertPos(), 2);
    EXPECT_EQ(after.result(), 2);
    EXPECT_FALSE(after.isVisible());

    TdlgIns before(3);
    before.show();
    part<QRadioButton>(before, "rbPos1")->setChecked(true);
    part<QPushButton>(before, "Button1")->click();
    EXPECT_EQ(before.InsertPos(), 1);
    EXPECT_EQ(before.result(), 1);

    TdlgIns cancelled(3);
    cancelled.show();
    part<QRadioButton>(cancelled, "rbPos1")->setChecked(true);
    part<QPushButton>(cancelled, "Button2")->click();
    EXPECT_EQ(cancelled.InsertPos(), 0);

    TdlgIns closed(3);
    closed.show();
    part<QPushButton>(closed, "Button1")->setFocus();
    closed.close();
    EXPECT_EQ(closed.InsertPos(), 0);
    EXPECT_EQ(closed.result(), 0);
    EXPECT_FALSE(closed.isVisible());
}

} // namespace
