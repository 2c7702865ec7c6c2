// The goods sale and its checkout, driven through the real form.

#include "PosFixture.h"

#include "core/Clock.h"
#include "pos/Ut_ShowChangeMoney.h"

#include <QApplication>
#include <QCheckBox>
#include <QKeyEvent>
#include <QRadioButton>

namespace {
void At(const char *moment)
{
    const QDateTime t = QDateTime::fromString(QString::fromLatin1(moment), QStringLiteral("yyyy-MM-dd HH:mm:ss"));
    Clock::setNow([t] { return t; });
}
} // namespace

TEST_F(PosTest, CartLinesTakeTheMemberRateFlooredByTheGoods)
{
    AddGoods(QStringLiteral("G80"), QStringLiteral("茶具"), 100, 10, 0.8);
    AddGoods(QStringLiteral("G999"), QStringLiteral("绿茶"), 9.99, 10, 0);

    TFrm_CostCardMoney *s = SaleScreen(QStringLiteral("0000"), QStringLiteral("1"), 0, QStringLiteral("0.9"));
    AddToCart(s, QStringLiteral("G80"), QStringLiteral("1"));
    ASSERT_EQ(s->DBGridEh3->RowCount(), 1);
    EXPECT_DOUBLE_EQ(s->DBGridEh3->Value(0, QStringLiteral("GoodsDisc")).asFloat(), 0.9);
    EXPECT_EQ(s->RzEd_PayMoney->text(), QStringLiteral("90.00"));
    s->close();
    delete s;
    EXPECT_EQ(Num(QStringLiteral("select count(*) from T_SaleGoodsTemp")), 0) << "closing empties the cart";

    s = SaleScreen(QStringLiteral("0000"), QStringLiteral("1"), 0, QStringLiteral("0.7"));
    AddToCart(s, QStringLiteral("G80"), QStringLiteral("1"));
    EXPECT_DOUBLE_EQ(s->DBGridEh3->Value(0, QStringLiteral("GoodsDisc")).asFloat(), 0.8);
    s->RzBit_DeleteClick();
    EXPECT_EQ(s->RzEd_PayMoney->text(), QStringLiteral("0.00"));

    s->MemberRate = QStringLiteral("0.85");
    AddToCart(s, QStringLiteral("G999"), QStringLiteral("7"));
    ASSERT_EQ(s->DBGridEh3->RowCount(), 1);
    EXPECT_DOUBLE_EQ(s->DBGridEh3->Value(0, QStringLiteral("GoodsDiscPrice")).asFloat(), 8.49);
    EXPECT_DOUBLE_EQ(s->DBGridEh3->Value(0, QStringLiteral("SumPrice")).asFloat(), 59.44);
    EXPECT_EQ(s->RzEd_PayMoney->text(), QStringLiteral("59.44"));
    // A quantity change recomputes from the rounded unit price.
    s->RzEd_GoodsCount->setText(QStringLiteral("7"));
    s->RzBit_modiClick();
    EXPECT_DOUBLE_EQ(s->DBGridEh3->Value(0, QStringLiteral("SumPrice")).asFloat(), 59.43);
    EXPECT_EQ(s->RzEd_PayMoney->text(), QStringLiteral("59.43"));
    // After a quantity change the amount shows the total as the database gives it.
    s->RzEd_GoodsCount->setText(QStringLiteral("10"));
    s->RzBit_modiClick();
    EXPECT_EQ(s->RzEd_PayMoney->text(), QStringLiteral("84.9"));
    delete s;
}

TEST_F(PosTest, StockRulesWhenSellingBelowZeroIsForbidden)
{
    SysSet.IfUse_LessZero = QStringLiteral("0");
    AddGoods(QStringLiteral("S2"), QStringLiteral("两件"), 10, 2, 0);
    AddGoods(QStringLiteral("SNEG"), QStringLiteral("负库存"), 10, -1, 0);
    TFrm_CostCardMoney *s = SaleScreen(QStringLiteral("0000"), QStringLiteral("1"), 0, QStringLiteral("1"));
    AddToCart(s, QStringLiteral("S2"), QStringLiteral("3"));
    EXPECT_EQ(messages.lastText(), QStringLiteral("库存已经不足，不能销售！"));
    AddToCart(s, QStringLiteral("SNEG"), QStringLiteral("1"));
    EXPECT_EQ(messages.lastText(), QStringLiteral("此商品库存已经小于0不能销售！"));
    EXPECT_EQ(s->DBGridEh3->RowCount(), 0);
    AddToCart(s, QStringLiteral("S2"), QStringLiteral("2"));
    EXPECT_EQ(s->DBGridEh3->RowCount(), 1);
    delete s;
}

TEST_F(PosTest, PlainSaleAwardsPointsRoundedHalfToEven)
{
    struct Case {
        const char *price;
        double points;
    } cases[] = {{"25.50", 2}, {"24.50", 2}, {"9.99", 1}};
    int n = 0;
    for (const Case &c : cases) {
        const QString card = QStringLiteral("P%1").arg(++n);
        const QString goods = QStringLiteral("GP%1").arg(n);
        AddMember({card, 1, QStringLiteral("01"), 0, 5, 5});
        AddGoods(goods, QStringLiteral("商品"), QString::fromLatin1(c.price).toDouble(), 10, 1);
        At(QStringLiteral("2026-03-01 10:00:0%1").arg(n).toLatin1().constData());
        TFrm_CostCardMoney *s = SaleScreen(card, QStringLiteral("1"), 0, QStringLiteral("0.95"), 5);
        AddToCart(s, goods, QStringLiteral("1"));
        s->RzBit_CheckOutClick();
        EXPECT_TRUE(s->Saved);
        EXPECT_DOUBLE_EQ(Num(QStringLiteral("select CostScore from T_MemberCostInfo where CardID=?"), {card}), c.points)
            << c.price;
        EXPECT_DOUBLE_EQ(MemberValue(QStringLiteral("memberScore"), card), 5 + c.points);
        EXPECT_DOUBLE_EQ(MemberValue(QStringLiteral("SumScore"), card), 5 + c.points);
        EXPECT_DOUBLE_EQ(MemberValue(QStringLiteral("HisSumMoney"), card), QString::fromLatin1(c.price).toDouble());
        EXPECT_DOUBLE_EQ(Stock(goods), 9);
        EXPECT_EQ(Text(QStringLiteral("select OperInfo from T_SysLog where OperInfo like ?"), {QStringLiteral("%") + card + QStringLiteral("]%")}),
                  QStringLiteral("会员卡：[%1] 消费%2元").arg(card, QString::fromLatin1(c.price)));
        delete s;
    }
    EXPECT_EQ(Num(QStringLiteral("select count(*) from T_SaleGoodsTemp")), 0);
}

TEST_F(PosTest, CostStandZeroAwardsNothingButStillRecordsTheSale)
{
    SysSet.CostStand = 0;
    AddMember({QStringLiteral("Z1"), 1});
    AddGoods(QStringLiteral("GZ"), QStringLiteral("商品"), 50, 10, 1);
    TFrm_CostCardMoney *s = SaleScreen(QStringLiteral("Z1"), QStringLiteral("1"), 0, QStringLiteral("1"));
    AddToCart(s, QStringLiteral("GZ"), QStringLiteral("1"));
    s->RzBit_CheckOutClick();
    EXPECT_TRUE(s->Saved);
    EXPECT_DOUBLE_EQ(Num(QStringLiteral("select CostScore from T_MemberCostInfo where CardID='Z1'")), 0);
    EXPECT_DOUBLE_EQ(MemberValue(QStringLiteral("HisSumMoney"), QStringLiteral("Z1")), 50);
    delete s;
}

TEST_F(PosTest, LevelRisesWithTheCumulativeScore)
{
    AddMember({QStringLiteral("U1"), 1, QStringLiteral("01"), 0, 995, 995, 0, QStringLiteral("升级"), true});
    AddGoods(QStringLiteral("GU"), QStringLiteral("商品"), 100, 10, 1);
    TFrm_CostCardMoney *s =
        SaleScreen(QStringLiteral("U1"), QStringLiteral("1"), 0, QStringLiteral("0.95"), 995, true, QStringLiteral("01"));
    AddToCart(s, QStringLiteral("GU"), QStringLiteral("1"));
    s->RzBit_CheckOutClick();
    EXPECT_EQ(Text(QStringLiteral("select CardLevel from T_MemberInfo where CodeID='U1'")), QStringLiteral("02"));
    delete s;
}

TEST_F(PosTest, BalancePlusCashUsesUpTheBalanceAndScoresTheCash)
{
    AddMember({QStringLiteral("S30"), 2, QStringLiteral("01"), 30, 0, 0, 100});
    AddGoods(QStringLiteral("G50"), QStringLiteral("礼盒"), 50, 10, 1);
    TFrm_CostCardMoney *s = SaleScreen(QStringLiteral("S30"), QStringLiteral("2"), 30, QStringLiteral("0.95"));
    AddToCart(s, QStringLiteral("G50"), QStringLiteral("1"));
    s->RzChk_XJJZ->click();
    ASSERT_TRUE(s->RzPanel_JZ->isVisible());
    s->RzRadioButton1->setChecked(true);
    s->RzBit_CheckOutClick();
    ASSERT_TRUE(s->Saved);

    EXPECT_DOUBLE_EQ(MemberValue(QStringLiteral("CurMoney"), QStringLiteral("S30")), 0);
    EXPECT_DOUBLE_EQ(MemberValue(QStringLiteral("HisSumMoney"), QStringLiteral("S30")), 120);
    EXPECT_DOUBLE_EQ(MemberValue(QStringLiteral("memberScore"), QStringLiteral("S30")), 2);
    const db::Result h = db().query(QStringLiteral("select * from T_MemberCostInfo where CardID='S30'"));
    ASSERT_EQ(h.rowCount(), 1);
    EXPECT_DOUBLE_EQ(h.value(0, QStringLiteral("CostMoney")).asFloat(), 50);
    EXPECT_DOUBLE_EQ(h.value(0, QStringLiteral("XJJN")).asFloat(), 20);
    EXPECT_EQ(h.value(0, QStringLiteral("IfMoney")).asInt(), 2);
    EXPECT_EQ(h.value(0, QStringLiteral("CostMemo")).asString(), QStringLiteral("(储值卡+现金:20.00)"));
    EXPECT_EQ(Text(QStringLiteral("select OperInfo from T_SysLog where OperInfo like '%S30%'")),
              QStringLiteral("会员卡：[S30] 消费50.00元(储值卡+现金结帐)其中现金：20.00元"));
    delete s;
}

TEST_F(PosTest, BalancePlusCashIsRecheckedWhenTheAmountFellBelowTheBalance)
{
    AddMember({QStringLiteral("S40"), 2, QStringLiteral("01"), 40});
    AddGoods(QStringLiteral("G50"), QStringLiteral("礼盒"), 50, 10, 1);
    AddGoods(QStringLiteral("G10"), QStringLiteral("小件"), 10, 10, 1);
    TFrm_CostCardMoney *s = SaleScreen(QStringLiteral("S40"), QStringLiteral("2"), 40, QStringLiteral("1"));
    AddToCart(s, QStringLiteral("G50"), QStringLiteral("1"));
    s->RzChk_XJJZ->click();
    s->RzRadioButton1->setChecked(true);
    // The 50 goes and a 10 comes: the balance of 40 now covers the amount.
    s->RzBit_DeleteClick();
    AddToCart(s, QStringLiteral("G10"), QStringLiteral("1"));
    s->RzBit_CheckOutClick();
    EXPECT_FALSE(s->Saved);
    EXPECT_EQ(messages.lastText(), QStringLiteral("你不用付现金，卡内金额可以直接支付！"));
    EXPECT_FALSE(s->RzChk_XJJZ->isChecked());
    EXPECT_DOUBLE_EQ(MemberValue(QStringLiteral("CurMoney"), QStringLiteral("S40")), 40);
    // Paid from the card instead.
    s->RzBit_CheckOutClick();
    EXPECT_TRUE(s->Saved);
    EXPECT_DOUBLE_EQ(MemberValue(QStringLiteral("CurMoney"), QStringLiteral("S40")), 30);
    delete s;
}

TEST_F(PosTest, CardPaymentRefusals)
{
    AddMember({QStringLiteral("S100"), 2, QStringLiteral("01"), 100});
    AddGoods(QStringLiteral("G50"), QStringLiteral("礼盒"), 50, 10, 1);
    AddGoods(QStringLiteral("G120"), QStringLiteral("大件"), 120, 10, 1);
    TFrm_CostCardMoney *s = SaleScreen(QStringLiteral("S100"), QStringLiteral("2"), 100, QStringLiteral("1"));
    s->RzBit_CheckOutClick();
    EXPECT_EQ(messages.lastText(), QStringLiteral("你没有选择任何商品或者服务！不能结帐!"));
    AddToCart(s, QStringLiteral("G50"), QStringLiteral("1"));
    s->RzChk_XJJZ->click();
    EXPECT_EQ(messages.lastText(), QStringLiteral("你不用付现金，卡内金额可以直接支付！"));
    EXPECT_FALSE(s->RzChk_XJJZ->isChecked());
    s->RzBit_DeleteClick();
    AddToCart(s, QStringLiteral("G120"), QStringLiteral("1"));
    s->RzBit_CheckOutClick();
    EXPECT_EQ(messages.lastText(), QStringLiteral("卡内余额不足，请你充值或者选择现金付款！"));
    EXPECT_FALSE(s->Saved);
    EXPECT_EQ(Num(QStringLiteral("select count(*) from T_MemberCostInfo")), 0);
    delete s;
}

TEST_F(PosTest, EscInTheChangeDialogWritesNothing)
{
    SysSet.IfUse_Show = QStringLiteral("1");
    AddMember({QStringLiteral("E1"), 1});
    AddGoods(QStringLiteral("GE"), QStringLiteral("商品"), 20, 5, 1);
    messages.dialogs[QStringLiteral("TFrm_ShowChangeMoney")] = [](QDialog *d) {
        QKeyEvent esc(QEvent::KeyPress, Qt::Key_Escape, Qt::NoModifier);
        QApplication::sendEvent(d, &esc);
        EXPECT_FALSE(d->isVisible());
        return d->result();
    };
    TFrm_CostCardMoney *s = SaleScreen(QStringLiteral("E1"), QStringLiteral("1"), 0, QStringLiteral("1"));
    AddToCart(s, QStringLiteral("GE"), QStringLiteral("1"));
    s->RzBit_CheckOutClick();
    EXPECT_FALSE(s->Saved);
    EXPECT_EQ(Num(QStringLiteral("select count(*) from T_MemberCostInfo")), 0);
    EXPECT_EQ(Num(QStringLiteral("select count(*) from T_GoodsCostDetailInfo")), 0);
    EXPECT_DOUBLE_EQ(Stock(QStringLiteral("GE")), 5);
    EXPECT_EQ(Num(QStringLiteral("select count(*) from T_SaleGoodsTemp")), 1) << "the cart stays";

    // Confirmed, the received and change texts come back.
    messages.dialogs[QStringLiteral("TFrm_ShowChangeMoney")] = [](QDialog *d) {
        auto *c = static_cast<TFrm_ShowChangeMoney *>(d);
        EXPECT_EQ(c->RzEd_YS->text(), QStringLiteral("20.00"));
        c->RzEd_SS->setText(QStringLiteral("10"));
        c->RzBit_OK->click();
        EXPECT_EQ(c->Confirmed, false);
        c->RzEd_SS->setText(QStringLiteral("50"));
        EXPECT_EQ(c->RzEd_ZL->text(), QStringLiteral("30.00"));
        c->RzBit_OK->click();
        return c->result();
    };
    s->RzBit_CheckOutClick();
    EXPECT_TRUE(messages.wasShown(QStringLiteral("\"实收\"不能小于\"应收\",请重新输入...")));
    EXPECT_TRUE(s->Saved);
    delete s;
}

TEST_F(PosTest, AFailureMidCheckoutLeavesEverythingAsItWas)
{
    AddMember({QStringLiteral("F1"), 2, QStringLiteral("01"), 100, 7, 7, 10});
    AddGoods(QStringLiteral("GF1"), QStringLiteral("一"), 10, 5, 1);
    AddGoods(QStringLiteral("GF2"), QStringLiteral("二"), 20, 5, 1);
    db().execScript(QStringLiteral("CREATE TEMP TRIGGER fail_cost BEFORE INSERT ON T_MemberCostInfo "
                                   "BEGIN SELECT RAISE(ABORT,'x'); END;"));
    TFrm_CostCardMoney *s = SaleScreen(QStringLiteral("F1"), QStringLiteral("2"), 100, QStringLiteral("1"));
    AddToCart(s, QStringLiteral("GF1"), QStringLiteral("1"));
    AddToCart(s, QStringLiteral("GF2"), QStringLiteral("2"));
    s->RzBit_CheckOutClick();

    EXPECT_FALSE(s->Saved);
    ASSERT_FALSE(messages.shown.isEmpty());
    EXPECT_EQ(messages.shown.last().text, QStringLiteral("消费保存失败！"));
    EXPECT_EQ(messages.shown.last().caption, QStringLiteral("错误"));
    EXPECT_TRUE(s->isVisible());
    EXPECT_DOUBLE_EQ(Stock(QStringLiteral("GF1")), 5);
    EXPECT_DOUBLE_EQ(Stock(QStringLiteral("GF2")), 5);
    EXPECT_EQ(Num(QStringLiteral("select count(*) from T_GoodsCostDetailInfo")), 0);
    EXPECT_DOUBLE_EQ(MemberValue(QStringLiteral("CurMoney"), QStringLiteral("F1")), 100);
    EXPECT_DOUBLE_EQ(MemberValue(QStringLiteral("HisSumMoney"), QStringLiteral("F1")), 10);
    EXPECT_EQ(Num(QStringLiteral("select count(*) from T_SysLog where OperInfo like '%F1%'")), 0);
    EXPECT_EQ(s->DBGridEh3->RowCount(), 2);
    EXPECT_EQ(Num(QStringLiteral("select count(*) from T_SaleGoodsTemp")), 2);

    // With the fault gone the same cart checks out.
    db().execScript(QStringLiteral("DROP TRIGGER fail_cost;"));
    s->RzBit_CheckOutClick();
    EXPECT_TRUE(s->Saved);
    EXPECT_DOUBLE_EQ(MemberValue(QStringLiteral("CurMoney"), QStringLiteral("F1")), 50);
    delete s;
}

TEST_F(PosTest, QuotesAndWildcardsInGoodsSearchAndRemarkBehaveAsTyped)
{
    AddMember({QStringLiteral("Q1"), 1});
    AddGoods(QStringLiteral("W1"), QStringLiteral("100%纯棉"), 30, 5, 1);
    AddGoods(QStringLiteral("W2"), QStringLiteral("1000支"), 30, 5, 1);
    AddGoods(QStringLiteral("W3"), QStringLiteral("O'Neil帽"), 30, 5, 1);
    TFrm_CostCardMoney *s = SaleScreen(QStringLiteral("Q1"), QStringLiteral("1"), 0, QStringLiteral("1"));
    s->RzEd_QueryBH->setText(QStringLiteral("0%"));
    ASSERT_EQ(s->DBGridEh1->RowCount(), 1);
    EXPECT_EQ(s->DBGridEh1->Value(0, QStringLiteral("GoodsID")).asString(), QStringLiteral("W1"));
    s->RzEd_QueryBH->setText(QStringLiteral("O'N"));
    ASSERT_EQ(s->DBGridEh1->RowCount(), 1);
    s->RzBit_Ok->click();
    s->RzEd_PayRemark->setText(QStringLiteral("客户说'好'"));
    s->RzBit_CheckOutClick();
    EXPECT_TRUE(s->Saved);
    EXPECT_EQ(Text(QStringLiteral("select CostMemo from T_MemberCostInfo where CardID='Q1'")), QStringLiteral("客户说'好'"));
    delete s;
}
