#include "members/CardRules.h"

#include <gtest/gtest.h>

using namespace cards;

TEST(CardRules, RoundingTakesHalvesToEven)
{
    const struct { double in, out; } cases[] = {{2.5, 2}, {3.5, 4}, {-2.5, -2}, {15.05, 15}, {14.6, 15}, {0.5, 0}, {1.5, 2}};
    for (const auto &c : cases)
        EXPECT_EQ(RoundHalfEven(c.in), c.out) << c.in;
}

TEST(CardRules, CreditOfAPayment)
{
    EXPECT_EQ(LeadingWholeNumber(QStringLiteral("150.50")), 150);
    EXPECT_EQ(LeadingWholeNumber(QString()), 0);
    EXPECT_EQ(LeadingWholeNumber(QStringLiteral(".5")), 0);
    // 120 per 100: 150 credits 180; count style 50 yuan for 10 uses: 100 credits 20.
    EXPECT_EQ(RechargeCredit(100, 120, 150), 180);
    EXPECT_EQ(RechargeCredit(50, 10, 100), 20);
    EXPECT_EQ(RechargeCredit(100, 100, 33), 33);
    // 3 yuan at 100 for 150: 4.5 rounds to the even 4.
    EXPECT_EQ(RechargeCredit(100, 150, 3), 4);
    EXPECT_DOUBLE_EQ(OpeningCredit(100, 120, 33), 39.6);
    EXPECT_TRUE(IsCountPayment(100, 50));
    EXPECT_TRUE(IsCountPayment(0, 50));
    EXPECT_FALSE(IsCountPayment(120, 50));
    EXPECT_FALSE(IsCountPayment(100, 0));
    EXPECT_EQ(PaymentScore(150.5, 10), 15);
    EXPECT_EQ(PaymentScore(25, 10), 2);
    EXPECT_EQ(PaymentScore(150, 0), 0);
}

TEST(CardRules, StyleRemark)
{
    EXPECT_EQ(StyleRemark(QStringLiteral("01"), QStringLiteral("120"), {}, {}), QStringLiteral("交费100元相当于存入卡中120元"));
    EXPECT_EQ(StyleRemark(QStringLiteral("01"), {}, {}, {}), QStringLiteral("交费100元相当于存入卡中0元"));
    EXPECT_EQ(StyleRemark(QStringLiteral("02"), {}, QStringLiteral("50"), QStringLiteral("10")),
              QStringLiteral("交费50元 可以消费10次"));
    EXPECT_EQ(StyleRemark(QStringLiteral("03"), QStringLiteral("1"), QStringLiteral("2"), QStringLiteral("3")), QString());
}

TEST(CardRules, LevelForScorePicksTheLowestIdAmongOverlappingBands)
{
    const QList<LevelBand> bands{{QStringLiteral("02"), 1000, 4999}, {QStringLiteral("01"), 0, 999},
                                 {QStringLiteral("09"), 900, 1200}, {QStringLiteral("00"), 0, -1}};
    EXPECT_EQ(LevelForScore(bands, 1000), QStringLiteral("02"));
    EXPECT_EQ(LevelForScore(bands, 999), QStringLiteral("01"));
    EXPECT_EQ(LevelForScore(bands, 950), QStringLiteral("01"));   // 01 and 09 both hold it
    EXPECT_EQ(LevelForScore(bands, 1100), QStringLiteral("02"));  // 02 and 09 both hold it
    EXPECT_FALSE(LevelForScore(bands, 5000).has_value());
}

