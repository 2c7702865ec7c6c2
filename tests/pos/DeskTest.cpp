// The consumption desk and what it opens: search and lookup, count cards, returns,
// score exchange and deleting a consumption.

#include "PosFixture.h"

#include "core/Clock.h"
#include "pos/Ut_BackCodeName.h"
#include "pos/Ut_CostCardCount.h"
#include "pos/Ut_CostCardMoney_Exit.h"
#include "pos/Ut_HYCost.h"
#include "pos/Ut_SocreExGoods.h"
#include "core/ScreenRegistry.h"
#include "pos/Register.h"

#include <QApplication>
#include <QCheckBox>
#include <QRadioButton>
#include <QTableView>
#include <QKeyEvent>
#include <QLabel>
#include <QPlainTextEdit>

namespace {

void At(const QString &moment)
{
    const QDateTime t = QDateTime::fromString(moment, QStringLiteral("yyyy-MM-dd HH:mm:ss"));
    Clock::setNow([t] { return t; });
}

void Key(QWidget *w, int key)
{
    QKeyEvent e(QEvent::KeyPress, key, Qt::NoModifier);
    QApplication::sendEvent(w, &e);
}

} // namespace

class DeskTest : public PosTest {
protected:
    TFrm_HYCost *Desk()
    {
        auto *d = new TFrm_HYCost;
        d->show();
        return d;
    }
    void Search(TFrm_HYCost *d, const QString &text)
    {
        d->RzEd_Query->setText(text);
        d->RzBit_Query->click();
    }
    // A discount-card or stored-value sale of `count` pieces through the sale screen.
    void Sell(TFrm_HYCost *desk, const QString &goods, const QString &count)
    {
        messages.dialogs[QStringLiteral("TFrm_CostCardMoney")] = [goods, count](QDialog *d) {
            auto *s = static_cast<TFrm_CostCardMoney *>(d);
            AddToCart(s, goods, count);
            s->RzBit_CheckOut->click();
            return QDialog::Accepted;
        };
        Key(desk->RzEd_Query, Qt::Key_F3);
    }
};

TEST_F(DeskTest, SearchFindsOneCardOrOpensTheLookup)
{
    AddMember({QStringLiteral("5001"), 1, QStringLiteral("01"), 0, 0, 0, 0, QStringLiteral("张三")});
    AddMember({QStringLiteral("5002"), 2, QStringLiteral("02"), 80, 0, 0, 0, QStringLiteral("O'Brien")});
    AddMember({QStringLiteral("6003"), 1, QStringLiteral("01"), 0, 0, 0, 0, QStringLiteral("50%折")});
    TFrm_HYCost *desk = Desk();

    // A percent sign is a percent sign: only the third member has "0%".
    Search(desk, QStringLiteral("0%"));
    EXPECT_EQ(desk->RzEd_CardID->text(), QStringLiteral("6003"));
    Search(desk, QStringLiteral("O'BRIEN"));
    EXPECT_EQ(desk->RzEd_CardID->text(), QStringLiteral("5002"));
    EXPECT_EQ(desk->RzEd_CardLevel->text(), QStringLiteral("银卡会员"));
    EXPECT_EQ(desk->RzEd_CardMoney->text(), QStringLiteral("80.00"));
    EXPECT_TRUE(messages.executedDialogs.isEmpty());

    // Several matches: the lookup lists them and hands back the choice.
    messages.dialogs[QStringLiteral("TFrm_BackCodeName")] = [](QDialog *d) {
        auto *l = static_cast<TFrm_BackCodeName *>(d);
        EXPECT_EQ(l->DBGridEh1->RowCount(), 2);
        l->DBGridEh1->SetCurrentRow(0);
        l->RzBit_Ok->click();
        return QDialog::Accepted;
    };
    Search(desk, QStringLiteral("500"));
    EXPECT_EQ(messages.executedDialogs, QStringList{QStringLiteral("TFrm_BackCodeName")});
    EXPECT_EQ(desk->RzEd_CardID->text(), QStringLiteral("5001"));

    // Esc in the lookup keeps the card.
    messages.dialogs[QStringLiteral("TFrm_BackCodeName")] = [](QDialog *d) {
        Key(d, Qt::Key_Escape);
        return d->result();
    };
    Search(desk, QStringLiteral("500"));
    EXPECT_EQ(desk->RzEd_CardID->text(), QStringLiteral("5001"));

    // No match: nothing changes, nothing is said.
    messages.clear();
    Search(desk, QStringLiteral("nobody"));
    EXPECT_EQ(desk->RzEd_CardID->text(), QStringLiteral("5001"));
    EXPECT_TRUE(messages.shown.isEmpty());
    delete desk;
}

TEST_F(DeskTest, LookupNarrowsWithoutTheIdentityNumber)
{
    AddMember({QStringLiteral("7001"), 1});
    AddMember({QStringLiteral("7002"), 1});
    db().exec(QStringLiteral("update T_MemberInfo set IDCard='110101199003077777' where CodeID='7001'"));
    TFrm_BackCodeName l;
    l.SearchText = QStringLiteral("700");
    l.show();
    EXPECT_EQ(l.DBGridEh1->RowCount(), 2);
    l.Lab_Query->setText(QStringLiteral("7777"));
    EXPECT_EQ(l.DBGridEh1->RowCount(), 0);
    l.RzBit_Ok->click();
    EXPECT_TRUE(l.Selected);
    EXPECT_TRUE(l.SelCodeID.isEmpty());
}

TEST_F(DeskTest, CardStateWarningsAndTheNoCardCustomer)
{
    SysSet.IfUse_Balance = QStringLiteral("1");
    SysSet.LessMoney = 50;
    At(QStringLiteral("2026-03-10 09:00:00"));
    AddMember({QStringLiteral("L30"), 2, QStringLiteral("01"), 30});
    AddMember({QStringLiteral("EXP"), 1});
    db().exec(QStringLiteral("update T_MemberInfo set CardVailFlag=1,CardVailDate='2026-03-09 00:00:00' where CodeID='EXP'"));
    AddMember({QStringLiteral("CNT"), 3, QStringLiteral("01"), 5, 0, 0, 7});
    AddMember({QStringLiteral("L50"), 2, QStringLiteral("01"), 50});
    AddMember({QStringLiteral("LOST"), 2, QStringLiteral("01"), 80});
    db().exec(QStringLiteral("update T_MemberInfo set CurState=2 where CodeID='LOST'"));
    TFrm_HYCost *desk = Desk();

    Search(desk, QStringLiteral("L30"));
    EXPECT_EQ(desk->RzMemo_Less->toPlainText(), QStringLiteral("你的卡内余额已经少于50元,请充值!"));
    EXPECT_TRUE(desk->RzBit_Add->isEnabled());
    Search(desk, QStringLiteral("L50"));
    EXPECT_TRUE(desk->RzMemo_Less->toPlainText().isEmpty()) << "a balance of exactly LessMoney is enough";

    Search(desk, QStringLiteral("LOST"));
    EXPECT_FALSE(desk->RzLab_NoUse->isHidden());
    EXPECT_EQ(desk->RzLab_NoUse->text(), QStringLiteral("会员卡挂失或者到期"));
    EXPECT_FALSE(desk->RzBit_Add->isEnabled());
    EXPECT_FALSE(desk->RzBit_ExitGoods->isEnabled());
    EXPECT_FALSE(desk->RzBit_ExChangeGoods->isEnabled());

    Search(desk, QStringLiteral("EXP"));
    EXPECT_TRUE(desk->RzMemo_Less->toPlainText().isEmpty());
    EXPECT_FALSE(desk->RzLab_NoUse->isHidden());
    EXPECT_FALSE(desk->RzBit_Add->isEnabled());
    EXPECT_FALSE(desk->RzBit_ExChangeGoods->isEnabled());
    db().exec(QStringLiteral("update T_MemberInfo set CardVailDate='2026-03-10 00:00:00' where CodeID='EXP'"));
    Search(desk, QStringLiteral("EXP"));
    EXPECT_TRUE(desk->RzLab_NoUse->isHidden()) << "the validity date itself is still valid";

    Search(desk, QStringLiteral("CNT"));
    EXPECT_EQ(desk->RzEd_CardMoney->text(), QStringLiteral("5"));
    EXPECT_EQ(desk->RzEd_CardSum->text(), QStringLiteral("7"));
    EXPECT_EQ(desk->RzLab_Money->text(), QStringLiteral("剩余次数："));
    EXPECT_EQ(desk->RzLabel6->text(), QStringLiteral("累计次数："));
    EXPECT_FALSE(desk->RzBit_ExitGoods->isEnabled());

    Key(desk->RzEd_Query, Qt::Key_F2);
    EXPECT_EQ(desk->RzEd_CardID->text(), QStringLiteral("0000"));
    EXPECT_FALSE(desk->RzBit_ExChangeGoods->isEnabled());

    Key(desk->RzEd_Query, Qt::Key_F6);
    EXPECT_TRUE(desk->RzEd_CardID->text().isEmpty());
    desk->RzBit_AddClick();
    EXPECT_EQ(messages.lastText(), QStringLiteral("请选择会员！"));
    delete desk;
}

TEST_F(DeskTest, F3SellsAndTheHistoryShowsTheConsumption)
{
    At(QStringLiteral("2026-03-01 10:00:00"));
    AddMember({QStringLiteral("D1"), 1, QStringLiteral("02")});
    AddGoods(QStringLiteral("GD"), QStringLiteral("商品"), 100, 10, 0);
    TFrm_HYCost *desk = Desk();
    Search(desk, QStringLiteral("D1"));
    Sell(desk, QStringLiteral("GD"), QStringLiteral("2"));
    ASSERT_EQ(desk->DBGridEh1->RowCount(), 1);
    EXPECT_DOUBLE_EQ(desk->DBGridEh1->Value(0, QStringLiteral("CostMoney")).asFloat(), 180);   // level rate 0.9
    EXPECT_EQ(desk->DBGridEh2->RowCount(), 1);
    EXPECT_EQ(desk->RzEd_Score->text(), QStringLiteral("18"));
    EXPECT_EQ(desk->RzEd_CardSum->text(), QStringLiteral("180.00"));
    delete desk;
}

TEST_F(DeskTest, DeletingADiscountCardConsumptionReversesMoneyPointsAndStock)
{
    AddMember({QStringLiteral("K1"), 1, QStringLiteral("00"), 0, 20, 20, 300});
    AddGoods(QStringLiteral("GK1"), QStringLiteral("一号"), 40, 10, 0);
    AddGoods(QStringLiteral("GK2"), QStringLiteral("二号"), 20, 10, 0);
    TFrm_HYCost *desk = Desk();
    Search(desk, QStringLiteral("K1"));
    messages.dialogs[QStringLiteral("TFrm_CostCardMoney")] = [](QDialog *d) {
        auto *s = static_cast<TFrm_CostCardMoney *>(d);
        AddToCart(s, QStringLiteral("GK1"), QStringLiteral("2"));
        AddToCart(s, QStringLiteral("GK2"), QStringLiteral("2"));
        s->RzBit_CheckOut->click();
        return QDialog::Accepted;
    };
    desk->RzBit_Add->click();
    ASSERT_EQ(desk->DBGridEh1->RowCount(), 1);
    ASSERT_DOUBLE_EQ(desk->DBGridEh1->Value(QStringLiteral("CostMoney")).asFloat(), 120);
    ASSERT_DOUBLE_EQ(desk->DBGridEh1->Value(QStringLiteral("CostScore")).asFloat(), 12);
    ASSERT_DOUBLE_EQ(MemberValue(QStringLiteral("HisSumMoney"), QStringLiteral("K1")), 420);

    // No keeps everything.
    messages.answers = {QMessageBox::No};
    desk->NP_DeleteCostClick();
    EXPECT_EQ(messages.lastText(), QStringLiteral("你确定要删除当前消费吗？"));
    EXPECT_EQ(desk->DBGridEh1->RowCount(), 1);

    desk->NP_DeleteCostClick();
    EXPECT_DOUBLE_EQ(MemberValue(QStringLiteral("HisSumMoney"), QStringLiteral("K1")), 300);
    EXPECT_DOUBLE_EQ(MemberValue(QStringLiteral("memberScore"), QStringLiteral("K1")), 20);
    EXPECT_DOUBLE_EQ(MemberValue(QStringLiteral("SumScore"), QStringLiteral("K1")), 32) << "never reduced";
    EXPECT_EQ(Stock(QStringLiteral("GK1")), 10);
    EXPECT_EQ(Stock(QStringLiteral("GK2")), 10);
    EXPECT_EQ(Num(QStringLiteral("select count(*) from T_GoodsCostDetailInfo")), 0);
    EXPECT_EQ(Num(QStringLiteral("select count(*) from T_MemberCostInfo")), 0);
    EXPECT_EQ(Text(QStringLiteral("select OperInfo from T_SysLog where OperInfo like '删除%'")),
              QStringLiteral("删除消费信息 会员卡号：[K1],消费金额为：120元"));
    EXPECT_EQ(desk->DBGridEh1->RowCount(), 0);
    EXPECT_EQ(desk->RzEd_Score->text(), QStringLiteral("20"));
    delete desk;
}

TEST_F(DeskTest, ConsumptionsInOneSecondKeepApartSerialNumbers)
{
    At(QStringLiteral("2026-03-05 12:00:00"));
    AddMember({QStringLiteral("T1"), 1, QStringLiteral("00")});
    AddGoods(QStringLiteral("GT1"), QStringLiteral("一"), 10, 10, 0);
    AddGoods(QStringLiteral("GT2"), QStringLiteral("二"), 30, 10, 0);
    TFrm_HYCost *desk = Desk();
    Search(desk, QStringLiteral("T1"));
    Sell(desk, QStringLiteral("GT1"), QStringLiteral("1"));
    Sell(desk, QStringLiteral("GT2"), QStringLiteral("1"));
    const db::Result ids = db().query(QStringLiteral("select CostID from T_MemberCostInfo order by CostID"));
    ASSERT_EQ(ids.rowCount(), 2);
    EXPECT_EQ(ids.value(0, 0).asString(), QStringLiteral("20260305120000"));
    EXPECT_EQ(ids.value(1, 0).asString(), QStringLiteral("20260305120001"));
    EXPECT_EQ(Num(QStringLiteral("select count(*) from T_GoodsCostDetailInfo where CostID=?"), {ids.value(0, 0).asString()}), 1);

    // Deleting one leaves the other whole.
    ASSERT_EQ(desk->DBGridEh1->RowCount(), 2);
    desk->DBGridEh1->SetCurrentRow(0);
    const QString deleted = desk->DBGridEh1->Value(QStringLiteral("CostID")).asString();
    desk->NP_DeleteCostClick();
    EXPECT_EQ(Num(QStringLiteral("select count(*) from T_MemberCostInfo")), 1);
    EXPECT_EQ(Num(QStringLiteral("select count(*) from T_GoodsCostDetailInfo")), 1);
    EXPECT_EQ(Num(QStringLiteral("select count(*) from T_GoodsCostDetailInfo where CostID=?"), {deleted}), 0);
    delete desk;
}

TEST_F(DeskTest, CountCardConsumption)
{
    AddMember({QStringLiteral("1001"), 3, QStringLiteral("01"), 5});
    TFrm_CostCardCount c;
    c.CardCode = QStringLiteral("1001");
    c.Balance = 5;
    c.show();
    c.RzEd_Count->setText(QStringLiteral("6"));
    c.RzBit_Ok->click();
    EXPECT_EQ(messages.lastText(), QStringLiteral("输入的消费次数，不能大于剩余的次数！"));
    c.RzEd_Count->clear();
    c.RzBit_Ok->click();
    EXPECT_EQ(messages.lastText(), QStringLiteral("消费次数不能为0次或者空！"));
    EXPECT_EQ(Num(QStringLiteral("select count(*) from T_MemberCostInfo")), 0);

    c.RzEd_Count->setText(QStringLiteral("3"));
    c.RzEd_ReMark->setText(QStringLiteral("洗车'精洗'"));
    c.RzBit_Ok->click();
    EXPECT_TRUE(c.Saved);
    EXPECT_DOUBLE_EQ(MemberValue(QStringLiteral("CurMoney"), QStringLiteral("1001")), 2);
    EXPECT_DOUBLE_EQ(MemberValue(QStringLiteral("HisSumMoney"), QStringLiteral("1001")), 3);
    EXPECT_EQ(Text(QStringLiteral("select CostMemo from T_MemberCostInfo where CardID='1001'")), QStringLiteral("洗车'精洗'"));
    EXPECT_EQ(Text(QStringLiteral("select OperInfo from T_SysLog where OperInfo like '%1001%'")),
              QStringLiteral("会员卡：[1001] 消费3次"));
}

TEST_F(DeskTest, CountCardUsesUpExactlyTheRemainingUses)
{
    AddMember({QStringLiteral("1002"), 3, QStringLiteral("01"), 5});
    TFrm_CostCardCount c;
    c.CardCode = QStringLiteral("1002");
    c.Balance = 5;
    c.show();
    c.RzEd_Count->setText(QStringLiteral("5"));
    c.RzBit_Ok->click();
    EXPECT_TRUE(c.Saved);
    EXPECT_DOUBLE_EQ(MemberValue(QStringLiteral("CurMoney"), QStringLiteral("1002")), 0);
}

TEST_F(DeskTest, ReturnOfADiscountCardSaleAndDeletingTheReturnRecord)
{
    SysSet.CostStand = 10;
    AddMember({QStringLiteral("R1"), 1, QStringLiteral("00")});
    AddGoods(QStringLiteral("GR"), QStringLiteral("退货品"), 50, 10, 0);
    TFrm_HYCost *desk = Desk();
    At(QStringLiteral("2026-03-01 10:00:00"));
    Search(desk, QStringLiteral("R1"));
    Sell(desk, QStringLiteral("GR"), QStringLiteral("2"));
    const QString saleId = Text(QStringLiteral("select CostID from T_MemberCostInfo where CardID='R1'"));
    ASSERT_EQ(Stock(QStringLiteral("GR")), 8);
    ASSERT_DOUBLE_EQ(MemberValue(QStringLiteral("memberScore"), QStringLiteral("R1")), 10);

    At(QStringLiteral("2026-03-02 11:00:00"));
    messages.dialogs[QStringLiteral("TFrm_CostCardMoney_Exit")] = [this](QDialog *d) {
        auto *x = static_cast<TFrm_CostCardMoney_Exit *>(d);
        EXPECT_EQ(x->DBGridEh1->RowCount(), 1);
        EXPECT_EQ(x->Lab_Count->text(), QStringLiteral("2.000"));
        x->Lab_Count->setText(QStringLiteral("3"));
        x->RzBit_Right->click();
        EXPECT_EQ(messages.lastText(), QStringLiteral("退货数量超出了购买数量，不能退货！"));
        EXPECT_EQ(x->DBGridEh3->RowCount(), 0);
        x->Lab_Count->setText(QStringLiteral("2"));
        x->RzBit_Right->click();
        x->RzBit_Right->click();
        EXPECT_EQ(messages.lastText(), QStringLiteral("已存在退货列表中，不能再选择！"));
        EXPECT_EQ(x->RzEd_PayMoney->text(), QStringLiteral("100.00"));
        x->RzBit_CheckOut->click();
        return QDialog::Accepted;
    };
    Key(desk->RzEd_Query, Qt::Key_F4);
    ASSERT_TRUE(messages.executedDialogs.contains(QStringLiteral("TFrm_CostCardMoney_Exit")));
    EXPECT_EQ(Stock(QStringLiteral("GR")), 10);
    EXPECT_DOUBLE_EQ(MemberValue(QStringLiteral("memberScore"), QStringLiteral("R1")), 0);
    EXPECT_DOUBLE_EQ(MemberValue(QStringLiteral("HisSumMoney"), QStringLiteral("R1")), 0);
    const db::Result ret = db().query(QStringLiteral("select * from T_MemberCostInfo where CardID='R1' and CostID<>?"), {saleId});
    ASSERT_EQ(ret.rowCount(), 1);
    EXPECT_DOUBLE_EQ(ret.value(0, QStringLiteral("CostMoney")).asFloat(), -100);
    EXPECT_DOUBLE_EQ(ret.value(0, QStringLiteral("CostScore")).asFloat(), -10);
    EXPECT_TRUE(ret.value(0, QStringLiteral("IfExitGoods")).isNull());
    EXPECT_DOUBLE_EQ(Num(QStringLiteral("select SumPrice from T_GoodsCostDetailInfo where CostID=?"),
                         {ret.value(0, QStringLiteral("CostID")).asString()}),
                     -100);
    // The sale itself is untouched.
    EXPECT_DOUBLE_EQ(Num(QStringLiteral("select GoodsCount from T_GoodsCostDetailInfo where CostID=?"), {saleId}), 2);
    EXPECT_EQ(Num(QStringLiteral("select count(*) from T_SaleGoodsTemp")), 0);

    // The history lists the return first; deleting it takes the goods out again.
    ASSERT_EQ(desk->DBGridEh1->RowCount(), 2);
    desk->DBGridEh1->SetCurrentRow(0);
    ASSERT_DOUBLE_EQ(desk->DBGridEh1->Value(QStringLiteral("CostMoney")).asFloat(), -100);
    // A discount-card return record is not marked, yet cannot be returned again.
    EXPECT_FALSE(desk->RzBit_ExitGoods->isEnabled());
    messages.executedDialogs.clear();
    desk->RzBit_ExitGoodsClick();
    EXPECT_TRUE(messages.executedDialogs.isEmpty());
    desk->NP_DeleteCostClick();
    EXPECT_EQ(Stock(QStringLiteral("GR")), 8);
    EXPECT_DOUBLE_EQ(MemberValue(QStringLiteral("memberScore"), QStringLiteral("R1")), 10);
    EXPECT_DOUBLE_EQ(MemberValue(QStringLiteral("HisSumMoney"), QStringLiteral("R1")), 100);
    EXPECT_EQ(desk->DBGridEh1->RowCount(), 1);
    EXPECT_EQ(Text(QStringLiteral("select OperInfo from T_SysLog where OperInfo like '删除%'")),
              QStringLiteral("删除消费信息 会员卡号：[R1],消费金额为：-100元"));

    // Deleting the sale puts everything back.
    desk->NP_DeleteCostClick();
    EXPECT_EQ(Stock(QStringLiteral("GR")), 10);
    EXPECT_DOUBLE_EQ(MemberValue(QStringLiteral("memberScore"), QStringLiteral("R1")), 0);
    EXPECT_EQ(Num(QStringLiteral("select count(*) from T_GoodsCostDetailInfo")), 0);
    delete desk;
}

TEST_F(DeskTest, StoredValueReturnCreditsTheBalanceAndIsMarked)
{
    AddMember({QStringLiteral("R2"), 2, QStringLiteral("00"), 100});
    AddGoods(QStringLiteral("GS"), QStringLiteral("储值品"), 15, 10, 0);
    TFrm_HYCost *desk = Desk();
    At(QStringLiteral("2026-03-01 10:00:00"));
    Search(desk, QStringLiteral("R2"));
    Sell(desk, QStringLiteral("GS"), QStringLiteral("2"));
    ASSERT_DOUBLE_EQ(MemberValue(QStringLiteral("CurMoney"), QStringLiteral("R2")), 70);

    At(QStringLiteral("2026-03-01 10:05:00"));
    messages.dialogs[QStringLiteral("TFrm_CostCardMoney_Exit")] = [](QDialog *d) {
        auto *x = static_cast<TFrm_CostCardMoney_Exit *>(d);
        x->RzBit_Right->click();
        x->RzBit_CheckOut->click();
        return QDialog::Accepted;
    };
    desk->RzBit_ExitGoods->click();
    EXPECT_DOUBLE_EQ(MemberValue(QStringLiteral("CurMoney"), QStringLiteral("R2")), 100);
    EXPECT_DOUBLE_EQ(MemberValue(QStringLiteral("HisSumMoney"), QStringLiteral("R2")), 0);
    EXPECT_EQ(Num(QStringLiteral("select IfExitGoods from T_MemberCostInfo where CostMoney<0")), 1);
    EXPECT_EQ(Text(QStringLiteral("select OperInfo from T_SysLog where OperInfo like '%退货%'")),
              QStringLiteral("会员卡：[R2] 退货金额为30.00元"));
    // The return record is painted light green and cannot itself be returned.
    desk->DBGridEh1->SetCurrentRow(0);
    EXPECT_EQ(desk->DBGridEh1->View()->model()->index(0, 0).data(Qt::BackgroundRole).value<QColor>(),
              QColor(192, 220, 192));
    EXPECT_FALSE(desk->RzBit_ExitGoods->isEnabled());
    desk->DBGridEh1->SetCurrentRow(1);
    EXPECT_TRUE(desk->RzBit_ExitGoods->isEnabled());
    delete desk;
}

TEST_F(DeskTest, DeletingACashSaleOfAStoredValueCardCreditsNoMoney)
{
    AddMember({QStringLiteral("C2"), 2, QStringLiteral("00"), 30});
    AddGoods(QStringLiteral("GC"), QStringLiteral("现金品"), 50, 10, 0);
    TFrm_HYCost *desk = Desk();
    Search(desk, QStringLiteral("C2"));
    messages.dialogs[QStringLiteral("TFrm_CostCardMoney")] = [](QDialog *d) {
        auto *s = static_cast<TFrm_CostCardMoney *>(d);
        AddToCart(s, QStringLiteral("GC"), QStringLiteral("1"));
        s->RzChk_XJJZ->click();
        s->RzChk_Money->setChecked(true);
        s->RzBit_CheckOut->click();
        return QDialog::Accepted;
    };
    desk->RzBit_Add->click();
    ASSERT_DOUBLE_EQ(MemberValue(QStringLiteral("memberScore"), QStringLiteral("C2")), 5);
    ASSERT_DOUBLE_EQ(MemberValue(QStringLiteral("CurMoney"), QStringLiteral("C2")), 30);
    desk->NP_DeleteCostClick();
    EXPECT_DOUBLE_EQ(MemberValue(QStringLiteral("CurMoney"), QStringLiteral("C2")), 30);
    EXPECT_DOUBLE_EQ(MemberValue(QStringLiteral("HisSumMoney"), QStringLiteral("C2")), 0);
    EXPECT_DOUBLE_EQ(MemberValue(QStringLiteral("memberScore"), QStringLiteral("C2")), 0);
    EXPECT_EQ(Stock(QStringLiteral("GC")), 10);
    delete desk;
}

TEST_F(DeskTest, ScoreExchange)
{
    AddMember({QStringLiteral("X1"), 1, QStringLiteral("01"), 0, 100, 100});
    db().exec(QStringLiteral("insert into D_ExchangeGoods(Code,GoodsName,GoodsSimple,GoodsCount,ExScore) "
                             "values('A','毛巾','MJ',2,30)"));
    TFrm_HYCost *desk = Desk();
    Search(desk, QStringLiteral("X1"));
    messages.dialogs[QStringLiteral("TFrm_SocreExGoods")] = [this](QDialog *d) {
        auto *x = static_cast<TFrm_SocreExGoods *>(d);
        EXPECT_EQ(x->RzEd_CardMoney->text(), QStringLiteral("100"));
        for (int i = 0; i < 3; ++i)
            x->RzBit_Right->click();
        EXPECT_EQ(x->RzEd_CardMoney->text(), QStringLiteral("10"));
        x->RzBit_Right->click();
        EXPECT_EQ(messages.lastText(), QStringLiteral("您的会员积分不够，无法兑换！"));
        // From 3 pieces to 1 and back gives the points back and takes them again.
        x->Lab_ExCount->setText(QStringLiteral("1"));
        x->RzBit_Modi->click();
        EXPECT_EQ(x->RzEd_CardMoney->text(), QStringLiteral("70"));
        x->Lab_ExCount->setText(QStringLiteral("3"));
        x->RzBit_Modi->click();
        EXPECT_EQ(x->RzEd_CardMoney->text(), QStringLiteral("10"));
        x->RzBit_OK->click();
        EXPECT_EQ(x->DBGridEh2->RowCount(), 1);
        EXPECT_EQ(x->DBGridEh3->RowCount(), 0);
        return QDialog::Accepted;
    };
    desk->RzBit_ExChangeGoods->click();
    EXPECT_DOUBLE_EQ(MemberValue(QStringLiteral("memberScore"), QStringLiteral("X1")), 10);
    EXPECT_DOUBLE_EQ(MemberValue(QStringLiteral("SumScore"), QStringLiteral("X1")), 100);
    EXPECT_EQ(desk->RzEd_Score->text(), QStringLiteral("10"));
    const db::Result r = db().query(QStringLiteral("select * from T_ScoreExGoods where CardID='X1'"));
    ASSERT_EQ(r.rowCount(), 1);
    EXPECT_DOUBLE_EQ(r.value(0, QStringLiteral("ExCount")).asFloat(), 3);
    EXPECT_DOUBLE_EQ(r.value(0, QStringLiteral("Score")).asFloat(), 90);
    EXPECT_DOUBLE_EQ(Num(QStringLiteral("select GoodsCount from D_ExchangeGoods where Code='A'")), -1);
    EXPECT_EQ(Num(QStringLiteral("select count(*) from T_ScoreExGoodsTemp")), 0);
    delete desk;
}

TEST_F(DeskTest, ClosingTheExchangeWithoutExchangingChangesNothing)
{
    AddMember({QStringLiteral("X2"), 1, QStringLiteral("01"), 0, 100, 100});
    db().exec(QStringLiteral("insert into D_ExchangeGoods(Code,GoodsName,GoodsSimple,GoodsCount,ExScore) "
                             "values('B','水杯','SB',5,10)"));
    {
        TFrm_SocreExGoods x;
        x.CardCode = QStringLiteral("X2");
        x.MemberScore = 100;
        x.show();
        x.RzBit_Right->click();
        x.close();
    }
    EXPECT_EQ(Num(QStringLiteral("select count(*) from T_ScoreExGoodsTemp")), 0);
    EXPECT_DOUBLE_EQ(MemberValue(QStringLiteral("memberScore"), QStringLiteral("X2")), 100);
    EXPECT_DOUBLE_EQ(Num(QStringLiteral("select GoodsCount from D_ExchangeGoods where Code='B'")), 5);
}

TEST_F(DeskTest, SaleAsksForTheCardPasswordWhenTheSettingSaysSo)
{
    SysSet.IfInputPW = QStringLiteral("1");
    AddMember({QStringLiteral("PW1"), 2, QStringLiteral("01"), 100});
    db().exec(QStringLiteral("update T_MemberInfo set PassWord='8888' where CodeID='PW1'"));
    TFrm_HYCost *desk = Desk();
    Search(desk, QStringLiteral("PW1"));
    messages.dialogs[QStringLiteral("TFrm_PutOutPassWord")] = [](QDialog *d) { return d->result(); };
    messages.dialogs[QStringLiteral("TFrm_CostCardMoney")] = [](QDialog *) { return int(QDialog::Rejected); };
    desk->RzBit_Add->click();
    EXPECT_EQ(messages.executedDialogs, QStringList{QStringLiteral("TFrm_PutOutPassWord")});
    SysSet.IfInputPW = QStringLiteral("0");
    desk->RzBit_Add->click();
    EXPECT_TRUE(messages.executedDialogs.contains(QStringLiteral("TFrm_CostCardMoney")));
    delete desk;
}

TEST_F(DeskTest, EveryScreenIsRegisteredAndItsScreenshotSetupRuns)
{
    RegisterPosScreens();
    AddMember({QStringLiteral("SS1"), 2, QStringLiteral("01"), 100});
    AddGoods(QStringLiteral("SG1"), QStringLiteral("商品"), 10, 5, 0);
    for (const char *name : {"TFrm_HYCost", "TFrm_BackCodeName", "TFrm_CostCardMoney", "TFrm_ShowChangeMoney",
                             "TFrm_CostCardCount", "TFrm_CostCardMoney_Exit", "TFrm_SocreExGoods"}) {
        const QString cls = QString::fromLatin1(name);
        ASSERT_TRUE(Screens::Has(cls)) << name;
        TfrmDialog *screen = Screens::Create(cls);
        ASSERT_NE(screen, nullptr);
        EXPECT_EQ(screen->objectName(), cls);
        Screens::SetupFor(cls)(screen);
        screen->show();
        screen->close();
        delete screen;
    }
    EXPECT_EQ(Num(QStringLiteral("select count(*) from T_SaleGoodsTemp")), 0);
}
