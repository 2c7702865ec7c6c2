#include "pos/SaleRules.h"

#include <gtest/gtest.h>

using namespace SaleRules;

TEST(SaleRules, LineRateIsTheMemberRateFlooredByTheGoodsLowestRate)
{
    struct Case {
        double member, goods, expected;
    } cases[] = {
        {0.9, 0.8, 0.9},   // member rate above the floor
        {0.7, 0.8, 0.8},   // floor wins
        {0.9, 1.0, 1.0},   // never discounted
        {0.7, 0.0, 0.7},   // no floor
        {1.0, 0.0, 1.0},
    };
    for (const Case &c : cases)
        EXPECT_DOUBLE_EQ(LineRate(c.member, c.goods), c.expected) << c.member << " / " << c.goods;
}

TEST(SaleRules, MemberRateWithoutAValidLevelIsFullPrice)
{
    EXPECT_DOUBLE_EQ(MemberRate(QStringLiteral("不打")), 1);
    EXPECT_DOUBLE_EQ(MemberRate(QString()), 1);
    EXPECT_DOUBLE_EQ(MemberRate(QStringLiteral("abc")), 1);
    EXPECT_DOUBLE_EQ(MemberRate(QStringLiteral("0")), 1);
    EXPECT_DOUBLE_EQ(MemberRate(QStringLiteral("0.85")), 0.85);
}

TEST(SaleRules, LineAmountsRoundFromTheUnroundedUnitPrice)
{
    const LineAmounts a = ComputeLine(9.99, 0.85, 7);
    EXPECT_EQ(FormatMoney(a.discPrice), QStringLiteral("8.49"));
    EXPECT_EQ(FormatMoney(a.sumPrice), QStringLiteral("59.44"));
    // Halves go away from zero on the decimal value, not its binary neighbour.
    EXPECT_EQ(FormatMoney(2.675), QStringLiteral("2.68"));
    EXPECT_EQ(FormatMoney(1.005), QStringLiteral("1.01"));
    EXPECT_EQ(FormatQuantity(2), QStringLiteral("2.000"));
}

TEST(SaleRules, PointsRoundHalfToEvenThenDivideWhole)
{
    struct Case {
        double paid;
        int stand, expected;
    } cases[] = {
        {25.50, 10, 2}, {24.50, 10, 2}, {9.99, 10, 1}, {100, 10, 10}, {9.4, 10, 0},
        {50, 0, 0},     // a CostStand of 0 awards nothing instead of dividing by zero
        {50, -5, 0},
    };
    for (const Case &c : cases)
        EXPECT_EQ(Points(c.paid, c.stand), c.expected) << c.paid << " at " << c.stand;
}

TEST(SaleRules, PathsAndBalancePlusCashSplit)
{
    EXPECT_EQ(ChoosePath(QStringLiteral("1"), true, true), PayPath::PlainSale);
    EXPECT_EQ(ChoosePath(QStringLiteral("2"), false, true), PayPath::CardPayment);
    EXPECT_EQ(ChoosePath(QStringLiteral("2"), true, false), PayPath::CashOnly);
    EXPECT_EQ(ChoosePath(QStringLiteral("2"), true, true), PayPath::BalancePlusCash);
    EXPECT_EQ(IfMoneyCode(PayPath::BalancePlusCash), 2);

    const BalanceCashSplit s = SplitBalanceCash(50, 30);
    ASSERT_TRUE(s.valid);
    EXPECT_DOUBLE_EQ(s.cardPart, 30);
    EXPECT_DOUBLE_EQ(s.cashPart, 20);
    // A balance larger than the amount is never cleared by this path.
    EXPECT_FALSE(SplitBalanceCash(50, 100).valid);
}

TEST(SaleRules, PlainNumberIsTheShortestDecimalForm)
{
    EXPECT_EQ(PlainNumber(50), QStringLiteral("50"));
    EXPECT_EQ(PlainNumber(12.5), QStringLiteral("12.5"));
    EXPECT_EQ(PlainNumber(0.1 + 0.2), QStringLiteral("0.3"));
    EXPECT_EQ(PlainNumber(-120), QStringLiteral("-120"));
}
