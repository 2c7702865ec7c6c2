#include "MembersFixture.h"

#include "core/Routines.h"
#include "members/CardRules.h"
#include "members/Ut_HYCardSet.h"

#include <QComboBox>
#include <QLineEdit>
#include <QPushButton>
#include <QStackedWidget>
#include <memory>

class HYCardSetTest : public MembersTest {
protected:
    std::unique_ptr<TFrm_HYCardSet> Screen()
    {
        auto s = std::make_unique<TFrm_HYCardSet>();
        s->show();
        return s;
    }
    using State = TFrm_HYCardSet::EditState;
};

TEST_F(HYCardSetTest, LevelValidations)
{
    auto s = Screen();
    const int levels = int(Number("select count(*) from D_MemberLevel"));
    const struct { const char *id, *name, *rate, *up, *down, *message; } cases[] = {
        {" ", "钻石", "0.8", "1", "2", "会员卡ID不能为空！请输入..."},
        {"05", "", "0.8", "1", "2", "级别名称不能为空！请输入..."},
        {"05", "钻石", "", "1", "2", "折扣率不能为空！请输入..."},
        {"05", "钻石", "0.8", "", "2", "积分区间不能为空！"},
        {"05", "钻石", "0.8", "500", "100", "积分区间 \"上线积分\"不能比\"下线积分\"小！请修改..."},
        {"01", "钻石", "0.8", "1", "2", "你输入的会员卡ID已经存在，请再输入一个ID号！"},
    };
    for (const auto &c : cases) {
        s->RzBit_add->click();
        s->RzDBEdit1->setText(c.id);
        s->RzDBEdit2->setText(c.name);
        s->RzDBEdit3->setText(c.rate);
        s->RzDBEdit4->setText(c.up);
        s->RzDBEdit5->setText(c.down);
        s->RzBit_Save->click();
        EXPECT_EQ(messages.lastText(), QString::fromUtf8(c.message));
        EXPECT_EQ(messages.shown.last().caption, QStringLiteral("警告"));
        EXPECT_EQ(s->LevelState(), State::Insert);
        EXPECT_EQ(Number("select count(*) from D_MemberLevel"), levels);
        s->RzBit_Cancel->click();
    }

    // Equal bounds are a band of one score.
    s->RzBit_add->click();
    s->RzDBEdit1->setText("05");
    s->RzDBEdit2->setText("钻石");
    s->RzDBEdit3->setText("1.5");
    emit s->RzDBEdit3->editingFinished();
    EXPECT_EQ(s->RzDBEdit3->text(), QStringLiteral("1"));
    s->RzDBEdit4->setText("100000");
    s->RzDBEdit5->setText("100000");
    s->RzBit_Save->click();
    EXPECT_EQ(s->LevelState(), State::Browse);
    EXPECT_EQ(Number("select ScoreUp from D_MemberLevel where ID='05' and SysSet=0 and rate=1"), 100000);
}

TEST_F(HYCardSetTest, EditingALevelChecksOnlyAChangedCode)
{
    auto s = Screen();
    s->DBGridEh1->SetCurrentRow(RowOf(s->DBGridEh1, "ID", "02"));
    s->RzBit_Edit->click();
    s->RzDBEdit2->setText("白银会员");
    s->RzBit_Save->click();
    EXPECT_EQ(Scalar("select UserName from D_MemberLevel where ID='02'"), QStringLiteral("白银会员"));

    s->RzBit_Edit->click();
    s->RzDBEdit1->setText("03");
    s->RzBit_Save->click();
    EXPECT_EQ(messages.lastText(), QStringLiteral("你输入的会员卡ID已经存在，请再输入一个ID号！"));
    s->RzBit_Cancel->click();
    EXPECT_EQ(s->RzDBEdit1->text(), QStringLiteral("02"));
}

TEST_F(HYCardSetTest, BuiltInRowsAreProtected)
{
    auto s = Screen();
    s->DBGridEh1->SetCurrentRow(RowOf(s->DBGridEh1, "ID", "00"));
    for (QWidget *w : std::initializer_list<QWidget *>{s->RzBit_Edit, s->RzBit_Delete, s->RzDBEdit1, s->RzDBEdit5})
        EXPECT_FALSE(w->isEnabled()) << w->objectName().toStdString();
    s->RzBit_DeleteClick();
    EXPECT_EQ(Number("select count(*) from D_MemberLevel where ID='00'"), 1);
    s->RzBit_add->click();
    EXPECT_TRUE(s->RzDBEdit1->isEnabled());

    s->DBGridEh2->SetCurrentRow(RowOf(s->DBGridEh2, "CheapID", "0"));
    for (QWidget *w : std::initializer_list<QWidget *>{s->RzBit_Edit2, s->RzBit_Delete2, s->RzDBEdit6, s->RzDBEdit7,
                                                       s->RzDBLookupComboBox1, s->Notebook1})
        EXPECT_FALSE(w->isEnabled()) << w->objectName().toStdString();
    EXPECT_TRUE(s->RzBit_Add2->isEnabled());
    s->RzBit_Add2->click();
    EXPECT_TRUE(s->RzDBEdit6->isEnabled());
}

TEST_F(HYCardSetTest, StylesSaveTheirDescription)
{
    auto s = Screen();
    const int styles = int(Number("select count(*) from D_CardCheapStyle"));
    const struct { const char *id, *name, *kind, *credit, *cost, *uses, *message; } refused[] = {
        {"", "x", "01", "1", "", "", "优惠编号ID不能为空,且不能重复！"},
        {"05", "", "01", "1", "", "", "优惠项目名称不能为空！"},
        {"05", "x", "", "1", "", "", "请选择优惠种类！"},
        {"02", "x", "01", "1", "", "", "你输入的优惠编号ID已经存在，请再输入一个ID号！"},
        {"05", "x", "02", "", "0", "10", "计次消费的交费金额不能为空或者为0！请输入..."},
        {"05", "x", "02", "", "", "10", "计次消费的交费金额不能为空或者为0！请输入..."},
    };
    auto fill = [&](const char *id, const char *name, const char *kind) {
        s->RzBit_Add2->click();
        s->RzDBEdit6->setText(id);
        s->RzDBEdit7->setText(name);
        if (*kind)
            SelectComboValue(s->RzDBLookupComboBox1, kind);
    };
    for (const auto &c : refused) {
        fill(c.id, c.name, c.kind);
        if (*c.credit)
            s->RzDBEdit8->setText(c.credit);
        s->RzDBEdit11->setText(c.cost);
        if (*c.uses)
            s->RzDBEdit12->setText(c.uses);
        s->RzBit_save2->click();
        EXPECT_EQ(messages.lastText(), QString::fromUtf8(c.message));
        EXPECT_EQ(s->StyleState(), State::Insert);
        EXPECT_EQ(Number("select count(*) from D_CardCheapStyle"), styles);
        s->RzBit_Cancel2->click();
    }

    fill("05", "存款", "01");
    EXPECT_EQ(s->Notebook1->currentIndex(), 0);
    s->RzBit_save2->click();
    EXPECT_EQ(Scalar("select ReMark from D_CardCheapStyle where CheapID='05'"), QStringLiteral("交费100元相当于存入卡中0元"));
    EXPECT_EQ(Number("select CostMoney from D_CardCheapStyle where CheapID='05'"), 100);

    fill("06", "计次", "02");
    EXPECT_EQ(s->Notebook1->currentIndex(), 1);
    s->RzDBEdit11->setText("50");
    s->RzDBEdit12->setText("10");
    s->RzBit_save2->click();
    EXPECT_EQ(Scalar("select ReMark from D_CardCheapStyle where CheapID='06'"), QStringLiteral("交费50元 可以消费10次"));
    EXPECT_EQ(Number("select CheapMoney from D_CardCheapStyle where CheapID='06' and CostMoney=50 and sysSet=0"), 10);
}

TEST_F(HYCardSetTest, DeletingAStyleInUseIsRefused)
{
    AddMember({.card = "1001", .style = "02", .level = "02"});
    auto s = Screen();
    s->DBGridEh2->SetCurrentRow(RowOf(s->DBGridEh2, "CheapID", "02"));
    s->RzBit_Delete2->click();
    EXPECT_EQ(messages.lastText(), QStringLiteral("会员卡中现在有此优惠方式不能删除！"));
    EXPECT_EQ(Number("select count(*) from D_CardCheapStyle where CheapID='02'"), 1);

    s->DBGridEh2->SetCurrentRow(RowOf(s->DBGridEh2, "CheapID", "01"));
    s->RzBit_Delete2->click();
    EXPECT_EQ(messages.lastText(), QStringLiteral("你确定要删除此优惠信息吗？"));
    EXPECT_EQ(Number("select count(*) from D_CardCheapStyle where CheapID='01'"), 0);

    // A level that members hold may go.
    s->DBGridEh1->SetCurrentRow(RowOf(s->DBGridEh1, "ID", "02"));
    s->RzBit_Delete->click();
    EXPECT_EQ(Number("select count(*) from D_MemberLevel where ID='02'"), 0);
}

TEST_F(HYCardSetTest, UpgradeRuleFollowsTheBand)
{
    AddMember({.card = "1001", .level = "01", .upgrade = true});
    EXPECT_FALSE(cards::ApplyLevelUpgrade(db(), "1001", false, "01", 1000).has_value());
    EXPECT_EQ(Scalar("select CardLevel from T_MemberInfo where CodeID='1001'"), QStringLiteral("01"));
    EXPECT_FALSE(cards::ApplyLevelUpgrade(db(), "1001", true, "01", 500).has_value());
    EXPECT_EQ(cards::ApplyLevelUpgrade(db(), "1001", true, "01", 1000), QStringLiteral("02"));
    EXPECT_EQ(Scalar("select CardLevel from T_MemberInfo where CodeID='1001'"), QStringLiteral("02"));
    EXPECT_FALSE(cards::ApplyLevelUpgrade(db(), "1001", true, "02", 150000).has_value());
}
