#include "MembersFixture.h"

#include "core/Routines.h"
#include "members/Ut_ChangeCard.h"
#include "members/Ut_HYManage.h"
#include "members/Ut_MemberAdd.h"
#include "members/Ut_PutOutPassWord.h"

#include <QComboBox>
#include <QFile>
#include <QLabel>
#include <QLineEdit>
#include <QPushButton>
#include <QTableView>
#include <memory>

class HYManageTest : public MembersTest {
protected:
    std::unique_ptr<TFrm_HYManage> Screen()
    {
        auto s = std::make_unique<TFrm_HYManage>();
        s->show();
        return s;
    }

    void Select(TFrm_HYManage *s, const QString &card)
    {
        const int row = RowOf(s->DBGridEh1, "CodeID", card);
        ASSERT_GE(row, 0) << card.toStdString();
        s->DBGridEh1->SetCurrentRow(row);
    }

    // The password prompt answers with this entry (and cancels when it is refused).
    void AnswerPassword(const QString &entry)
    {
        messages.dialogs["TFrm_PutOutPassWord"] = [entry](QDialog *d) {
            auto *p = static_cast<TFrm_PutOutPassWord *>(d);
            p->RzEd_PassWord->setText(entry);
            p->RzBit_ok->click();
            if (!p->Accepted)
                p->RzBit_Cancel->click();
            return p->result();
        };
    }

    QStringList Cards(TFrm_HYManage *s)
    {
        QStringList cards;
        for (int row = 0; row < s->DBGridEh1->RowCount(); ++row)
            cards << s->DBGridEh1->Value(row, "CodeID").asString();
        cards.sort();
        return cards;
    }

    // One row of every kind of history for the card.
    void AddHistory(const QString &card)
    {
        db().exec("insert into T_CardPutMoney(CardID,PayMoney,PutMoney,PayDate,UserMan) values(?,100,100,'2026-01-03 10:00:00','admin')", {card});
        db().exec("insert into T_MemberCostInfo(CostID,CardID,CostMoney,CostDate) values('20260103100000',?,10,'2026-01-03 10:00:00')", {card});
        db().exec("insert into T_GoodsCostDetailInfo(CostID,CardID,GoodsId,SumPrice) values('20260103100000',?,'G1',10)", {card});
        db().exec("insert into T_ScoreExGoods(CardID,GoodsID,ExCount,Score) values(?,'L1',1,5)", {card});
        db().exec("insert into T_TipOffSet(AddDate,CardID,TipOFFMode,TipOffContent,TipOffState) values('2026-01-03 10:00:00',?,1,'回访',1)", {card});
    }
};

TEST_F(HYManageTest, SearchAndStateFilter)
{
    AddMember({.card = "1301", .name = "王小明"});
    AddMember({.card = "2001", .name = "李四", .state = 3});
    db().exec("update T_MemberInfo set Mobile='13900001111', Spell='LS' where CodeID='2001'");
    AddMember({.card = "2002", .name = "O'Neil"});
    AddMember({.card = "2003", .name = "50%VIP"});
    AddMember({.card = "2004", .name = "A_B"});
    auto s = Screen();
    EXPECT_EQ(s->RzComb_State->itemText(0), QStringLiteral("--所有状态--"));
    EXPECT_EQ(s->DBGridEh1->RowCount(), 6);   // with the no-card customer

    s->RzEd_Query->setText("13");
    EXPECT_EQ(Cards(s.get()), QStringList({"1301", "2001"}));
    SelectComboValue(s->RzComb_State, "3");
    EXPECT_EQ(Cards(s.get()), QStringList({"2001"}));
    SelectComboValue(s->RzComb_State, "9999");
    s->RzEd_Query->setText("ls");
    EXPECT_EQ(s->RzEd_Query->text(), QStringLiteral("LS"));
    EXPECT_EQ(Cards(s.get()), QStringList({"2001"}));
    // Quotes and wildcards match what they literally say.
    s->RzEd_Query->setText("'");
    EXPECT_EQ(Cards(s.get()), QStringList({"2002"}));
    s->RzEd_Query->setText("%");
    EXPECT_EQ(Cards(s.get()), QStringList({"2003"}));
    s->RzEd_Query->setText("_");
    EXPECT_EQ(Cards(s.get()), QStringList({"2004"}));
}

TEST_F(HYManageTest, RowStateDrivesTheButtons)
{
    AddMember({.card = "1001", .kind = 2});
    AddMember({.card = "1002", .kind = 1, .state = 3});
    AddMember({.card = "1003", .kind = 3, .state = 2});
    auto s = Screen();
    const struct { const char *card; bool loss, undo, transfer; } cases[] = {
        {"1001", true, false, true}, {"1002", false, true, false}, {"1003", false, false, false}};
    for (const auto &c : cases) {
        Select(s.get(), c.card);
        EXPECT_EQ(s->RzBit_RepLoss->isEnabled(), c.loss) << c.card;
        EXPECT_EQ(s->RzBit_UndoRepLoss->isEnabled(), c.undo) << c.card;
        EXPECT_EQ(s->RzBit_ChangeMoney->isEnabled(), c.transfer) << c.card;
    }
}

TEST_F(HYManageTest, ReportLossAndUndoNeedTheCardPassword)
{
    AddMember({.card = "1001", .name = "张三", .password = "123"});
    auto s = Screen();
    Select(s.get(), "1001");

    AnswerPassword("999");
    s->RzBit_RepLoss->click();
    EXPECT_TRUE(messages.wasShown(QStringLiteral("你输入的密码不正确！")));
    EXPECT_EQ(Number("select CurState from T_MemberInfo where CodeID='1001'"), 1);
    EXPECT_FALSE(Logged(QStringLiteral("会员卡：[1001] 挂失")));

    AnswerPassword("123");
    s->RzBit_RepLoss->click();
    EXPECT_TRUE(messages.wasShown(QStringLiteral("你确定要挂失<卡号：1001   姓名：张三> 的会员卡吗?")));
    EXPECT_EQ(Number("select CurState from T_MemberInfo where CodeID='1001'"), 3);
    EXPECT_TRUE(Logged(QStringLiteral("会员卡：[1001] 挂失")));
    EXPECT_FALSE(s->RzBit_RepLoss->isEnabled());
    EXPECT_TRUE(s->RzBit_UndoRepLoss->isEnabled());

    // The administrator's login password opens any card.
    AnswerPassword("admin");
    s->RzBit_UndoRepLoss->click();
    EXPECT_EQ(Number("select CurState from T_MemberInfo where CodeID='1001'"), 1);
    EXPECT_TRUE(Logged(QStringLiteral("会员卡：[1001] 取消挂失")));
}

TEST_F(HYManageTest, NoCardCustomerIsRefused)
{
    auto s = Screen();
    Select(s.get(), "0000");
    const struct { QPushButton *button; const char *message; } cases[] = {
        {s->RZBit_Modi, "0000为无卡会员,不能修改！"},   {s->RzBit_Delete, "0000为无卡会员,不能删除！"},
        {s->RzBit_RepLoss, "0000为无卡会员,不能挂失！"}, {s->RzBit_ChangeCard, "0000为无卡会员,不能换卡！"},
        {s->RzBit_InputMoney, "0000为无卡会员,不能充值！"}};
    for (const auto &c : cases) {
        messages.clear();
        c.button->click();
        EXPECT_EQ(messages.lastText(), QString::fromUtf8(c.message));
    }
    EXPECT_EQ(Number("select count(*) from T_MemberInfo where CodeID='0000'"), 1);
}

TEST_F(HYManageTest, ChangeCardMovesTheHistoryButNotTheReminders)
{
    AddMember({.card = "1001", .name = "张三", .password = "123"});
    AddMember({.card = "1002", .name = "李四"});
    AddHistory("1001");
    auto s = Screen();
    Select(s.get(), "1001");

    messages.dialogs["Tfrm_ChangeCard"] = [](QDialog *d) {
        auto *c = static_cast<Tfrm_ChangeCard *>(d);
        EXPECT_EQ(c->RzLab_Money->text(), QStringLiteral("卡内余额："));
        c->RzEd_InputCardID->setText("1002");
        c->RzEd_OldPass->setText("123");
        c->RzBitBtn1->click();
        EXPECT_FALSE(c->Saved);
        c->RzEd_InputCardID->setText("2001");
        c->RzEd_OldPass->setText("12");
        c->RzBitBtn1->click();
        EXPECT_FALSE(c->Saved);
        c->RzEd_OldPass->setText("123");
        c->RzEd_NewPass->setText("456");
        c->RzEd_PassOk->setText("456");
        c->RzBitBtn1->click();
        return c->result();
    };
    s->RzBit_ChangeCard->click();
    EXPECT_TRUE(messages.wasShown(QStringLiteral("此会员卡已经存在，请重新输入！")));
    EXPECT_TRUE(messages.wasShown(QStringLiteral("原会员卡密码不正确，请重新输入！")));

    EXPECT_EQ(Number("select count(*) from T_MemberInfo where CodeID='1001'"), 0);
    EXPECT_EQ(Scalar("select PassWord from T_MemberInfo where CodeID='2001'"), QStringLiteral("456"));
    for (const char *table : {"T_CardPutMoney", "T_MemberCostInfo", "T_GoodsCostDetailInfo", "T_ScoreExGoods"}) {
        EXPECT_EQ(Count(table, "2001"), 1) << table;
        EXPECT_EQ(Count(table, "1001"), 0) << table;
    }
    EXPECT_EQ(Count("T_TipOffSet", "1001"), 1);
    EXPECT_TRUE(Logged(QStringLiteral("会员:张三换卡,卡号由：[1001] 换成 [2001]")));
    EXPECT_EQ(s->DBGridEh1->Value("CodeID").asString(), QStringLiteral("2001"));
}

TEST_F(HYManageTest, ChangeCardFailureChangesNothing)
{
    AddMember({.card = "1001", .name = "张三", .kind = 1});
    AddHistory("1001");
    db().execScript("CREATE TEMP TRIGGER fail_move BEFORE UPDATE ON T_ScoreExGoods "
                    "BEGIN SELECT RAISE(ABORT, 'injected failure'); END;");
    auto s = Screen();
    Select(s.get(), "1001");
    messages.dialogs["Tfrm_ChangeCard"] = [](QDialog *d) {
        auto *c = static_cast<Tfrm_ChangeCard *>(d);
        c->RzEd_NewCard->setText("2001");
        c->RzBitBtn1->click();
        return c->result();
    };
    s->RzBit_ChangeCard->click();
    EXPECT_EQ(messages.shown.last().caption, QStringLiteral("错误"));
    EXPECT_EQ(Number("select count(*) from T_MemberInfo where CodeID='1001'"), 1);
    EXPECT_EQ(Count("T_CardPutMoney", "1001"), 1);
    EXPECT_EQ(Count("T_MemberCostInfo", "1001"), 1);
}

TEST_F(HYManageTest, DeleteRemovesAllHistoryAndThePhoto)
{
    QFile photo(appPath() + "Picture/1001.jpg");
    ASSERT_TRUE(photo.open(QIODevice::WriteOnly));
    photo.close();
    AddMember({.card = "1001", .name = "张三", .password = "123", .photo = "1001.jpg"});
    AddMember({.card = "1002", .name = "李四"});
    AddHistory("1001");
    AddHistory("1002");
    auto s = Screen();
    Select(s.get(), "1001");
    AnswerPassword("123");
    s->RzBit_Delete->click();

    EXPECT_EQ(Number("select count(*) from T_MemberInfo where CodeID='1001'"), 0);
    for (const char *table : {"T_MemberCostInfo", "T_ScoreExGoods", "T_TipOffSet", "T_GoodsCostDetailInfo", "T_CardPutMoney"}) {
        EXPECT_EQ(Count(table, "1001"), 0) << table;
        EXPECT_EQ(Count(table, "1002"), 1) << table;
    }
    EXPECT_FALSE(QFile::exists(appPath() + "Picture/1001.jpg"));
    EXPECT_TRUE(Logged(QStringLiteral("删除会员：[1001]")));
    EXPECT_EQ(RowOf(s->DBGridEh1, "CodeID", "1001"), -1);
}

TEST_F(HYManageTest, ClearPasswordAndDiscountCardRecharge)
{
    AddMember({.card = "1001", .name = "张三", .password = "123"});
    AddMember({.card = "1002", .name = "李四", .kind = 1});
    auto s = Screen();
    Select(s.get(), "1001");
    s->RzBit_ClearPass->click();
    EXPECT_EQ(messages.shown.last().icon, Messages::Icon::Warning);
    EXPECT_EQ(Scalar("select PassWord from T_MemberInfo where CodeID='1001'"), QString());
    EXPECT_TRUE(Logged(QStringLiteral("会员卡号：[1001] 密码被清空！")));

    Select(s.get(), "1002");
    s->RzBit_InputMoney->click();
    EXPECT_TRUE(messages.wasShown(QStringLiteral("你要把折扣卡转成储值卡或者计次卡吗？")));
    EXPECT_EQ(messages.lastText(), QStringLiteral("该功能尚未开放"));
}

TEST_F(HYManageTest, AddOpensTheEditorAndReopensTheList)
{
    AddMember({.card = "1001", .name = "张三"});
    messages.dialogs["TFrm_MemberAdd"] = [](QDialog *d) {
        auto *f = static_cast<TFrm_MemberAdd *>(d);
        EXPECT_EQ(f->EditMode, 1);
        f->RzDBEdit1->setText("5001");
        f->RzDBEdit2->setText("新人");
        f->RzBit_Save->click();
        return f->result();
    };
    auto s = Screen();
    Select(s.get(), "1001");
    s->RzBit_Add->click();
    EXPECT_GE(RowOf(s->DBGridEh1, "CodeID", "5001"), 0);
    EXPECT_EQ(s->DBGridEh1->CurrentRow(), 0);
}

TEST_F(HYManageTest, MoneyShowsTwoDecimalsAndUsesWhole)
{
    AddMember({.card = "1001", .name = "张三", .money = 4142.09});
    AddMember({.card = "1002", .name = "李四", .kind = 1});
    AddMember({.card = "1003", .name = "王五", .kind = 3, .style = "04", .money = 20});
    db().exec("update T_MemberInfo set HisSumMoney=131384.9 where CodeID='1001'");
    db().exec("update T_MemberInfo set HisSumMoney=4142.09 where CodeID='1002'");
    db().exec("update T_MemberInfo set HisSumMoney=7 where CodeID='1003'");
    auto s = Screen();
    const struct { const char *card, *sum, *balance; } cases[] = {
        {"1001", "131384.90", "4142.09"}, {"1002", "4142.09", "0.00"}, {"1003", "7", "20"}};
    for (const auto &c : cases) {
        const int row = RowOf(s->DBGridEh1, "CodeID", c.card);
        EXPECT_EQ(s->MoneyText(row, "hisSumMoney1"), QString::fromLatin1(c.sum)) << c.card;
        EXPECT_EQ(s->MoneyText(row, "curMoney1"), QString::fromLatin1(c.balance)) << c.card;
    }
    // The grid draws those texts, and the card change shows them too.
    EXPECT_NE(s->DBGridEh1->View()->itemDelegateForColumn(9), s->DBGridEh1->View()->itemDelegate());
    EXPECT_NE(s->DBGridEh1->View()->itemDelegateForColumn(10), s->DBGridEh1->View()->itemDelegate());
    Select(s.get(), "1001");
    AnswerPassword("");
    messages.dialogs["Tfrm_ChangeCard"] = [](QDialog *d) {
        auto *c = static_cast<Tfrm_ChangeCard *>(d);
        EXPECT_EQ(c->RzEd_CardSum->text(), QStringLiteral("131384.90"));
        EXPECT_EQ(c->RzEd_CardMoney->text(), QStringLiteral("4142.09"));
        return int(QDialog::Rejected);
    };
    s->RzBit_ChangeCard->click();
    EXPECT_TRUE(messages.executedDialogs.contains("Tfrm_ChangeCard"));
}
