// Rules of the goods screens that need no window.

#include "goods/GoodsRules.h"

#include <gtest/gtest.h>

TEST(GoodsRules, LowestDiscountIsCappedAtOneWhenLeft)
{
    const struct {
        const char *typed, *left;
        bool inRange;
    } cases[] = {
        {"1.5", "1", true},  {"1", "1", true},    {"0.85", "0.85", true}, {"", "", true},
        {"0", "0", true},    {"2", "1", true},    {"1.01", "1", true},
    };
    for (const auto &c : cases) {
        const QString left = NormaliseLowestDiscount(QString::fromUtf8(c.typed));
        EXPECT_EQ(left, QString::fromUtf8(c.left)) << c.typed;
        EXPECT_EQ(LowestDiscountInRange(left), c.inRange) << c.typed;
    }
    EXPECT_FALSE(LowestDiscountInRange("1.5"));
}

TEST(GoodsRules, StockMovementRefusals)
{
    const QString none;
    const QString noStock = QStringLiteral("库存已经小于等于零，不能退货！");
    const QString tooMany = QStringLiteral("退货不能大于库存！");
    const struct {
        StockKind kind;
        const char *stock, *quantity;
        QString expected;
    } cases[] = {
        {StockReturn, "10", "10", none},
        {StockReturn, "10", "11", tooMany},
        {StockReturn, "10", "10.001", tooMany},
        {StockReturn, "0", "1", noStock},
        {StockReturn, "-2.5", "1", noStock},
        {StockReturn, "0", "0", noStock},
        {StockReturn, "10", "0", QStringLiteral("退货为0没有意义，不能保存！")},
        {StockReturn, "10", "", QStringLiteral("退货为0没有意义，不能保存！")},
        {StockReturn, "n/a", "50", none},   // a stock that is not a number is not checked
        {StockIn, "0", "0", QStringLiteral("进货为0没有意义，不能保存！")},
        {StockIn, "-5", "99999", none},     // stock in is never refused for the stock
        {StockIn, "3", "2.5", none},
    };
    for (const auto &c : cases)
        EXPECT_EQ(StockMovementRefusal(c.kind, QString::fromUtf8(c.stock), QString::fromUtf8(c.quantity)), c.expected)
            << c.kind << " " << c.stock << " " << c.quantity;
}

