#include "core/app/error_text.h"
#include "core/app/number_text.h"

#include <gtest/gtest.h>

using namespace vantrel;

TEST(NumberText, DigitsOnly)
{
    EXPECT_TRUE(IsAllDigits(QString()));
    EXPECT_TRUE(IsAllDigits(QStringLiteral("0123456789")));
    EXPECT_FALSE(IsAllDigits(QStringLiteral("1a")));
    EXPECT_FALSE(IsAllDigits(QStringLiteral("-1")));
    EXPECT_FALSE(IsAllDigits(QStringLiteral(" 1")));
    // Full-width and other scripts' digits are not '0'..'9'.
    EXPECT_FALSE(IsAllDigits(QStringLiteral("１")));
    EXPECT_FALSE(IsAllDigits(QStringLiteral("٣")));
    EXPECT_TRUE(IsEmptyText(QString()));
    EXPECT_FALSE(IsEmptyText(QStringLiteral(" ")));
}

TEST(NumberText, InRangeNeedsDigitsAndBounds)
{
    int value = -1;
    EXPECT_TRUE(numberInRange(QStringLiteral("90"), 1, 90, &value));
    EXPECT_EQ(value, 90);
    EXPECT_TRUE(numberInRange(QStringLiteral("007"), 1, 90, &value));
    EXPECT_EQ(value, 7);
    EXPECT_FALSE(numberInRange(QStringLiteral("0"), 1, 90));
    EXPECT_FALSE(numberInRange(QStringLiteral("91"), 1, 90));
    EXPECT_FALSE(numberInRange(QString(), 1, 90));
    EXPECT_FALSE(numberInRange(QStringLiteral("1a"), 1, 90));
    // Too long for an int: no number at all rather than a wrapped one.
    EXPECT_FALSE(numberInRange(QStringLiteral("4294967297"), 0, 2147483647));
    EXPECT_FALSE(numberInRange(QStringLiteral("99999999999999999999"), 0, 2147483647));
}

TEST(ErrorText, CodesPickTheirText)
{
    std::array<QString, 10> texts;
    for (int i = 0; i < 10; ++i)
        texts[static_cast<std::size_t>(i)] = QStringLiteral("E%1").arg(i);
    EXPECT_EQ(errorMessageText(texts, 0), QStringLiteral("E0"));
    EXPECT_EQ(errorMessageText(texts, 7), QStringLiteral("E7"));
    EXPECT_EQ(errorMessageText(texts, -5), QStringLiteral("E0"));
    EXPECT_EQ(errorMessageText(texts, -2147483647 - 1), QStringLiteral("E0"));
    // Items 8 and 9 are shown elsewhere, never through the error box.
    EXPECT_EQ(errorMessageText(texts, 8), QStringLiteral("Error:8"));
    EXPECT_EQ(errorMessageText(texts, 12), QStringLiteral("Error:12"));
}
