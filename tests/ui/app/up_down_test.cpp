#include "ui/app/up_down.h"

#include <gtest/gtest.h>

#include <QLineEdit>
#include <QToolButton>

namespace {

QToolButton* arrow(UpDown& upDown, Qt::ArrowType type)
{
    for (QToolButton* button : upDown.findChildren<QToolButton*>()) {
        if (button->arrowType() == type)
            return button;
    }
    return nullptr;
}

} // namespace

TEST(UpDown, ArrowsStepWithinTheRangeAndWriteTheBuddy)
{
    QLineEdit buddy;
    UpDown upDown;
    upDown.setRange(1, 3);
    upDown.setBuddy(&buddy);
    upDown.setPosition(2);
    EXPECT_EQ(buddy.text(), QStringLiteral("2"));

    QList<int> stepped;
    QObject::connect(&upDown, &UpDown::stepped, [&](int position) { stepped << position; });
    QToolButton* up = arrow(upDown, Qt::UpArrow);
    QToolButton* down = arrow(upDown, Qt::DownArrow);
    ASSERT_NE(up, nullptr);
    ASSERT_NE(down, nullptr);

    up->click();
    up->click(); // already at the maximum
    EXPECT_EQ(upDown.position(), 3);
    EXPECT_EQ(buddy.text(), QStringLiteral("3"));
    down->click();
    down->click();
    down->click(); // already at the minimum
    EXPECT_EQ(upDown.position(), 1);
    EXPECT_EQ(stepped, (QList<int>{3, 2, 1}));
}
