#include "MembersFixture.h"

#include "core/Routines.h"
#include "members/Ut_BackMemberCode.h"
#include "members/Ut_MemberAdd.h"

#include <QComboBox>
#include <QDir>
#include <QFile>
#include <QFileDialog>
#include <QImage>
#include <QLabel>
#include <QLineEdit>
#include <QPushButton>
#include <memory>

namespace {

struct NewCard {
    QString card;
    QString name;
    QString kind;    // "1", "2", "3"
    QString style;
    QString amount;
};

} // namespace

class MemberAddTest : public MembersTest {
protected:
    std::unique_ptr<TFrm_MemberAdd> Editor(const NewCard &c)
    {
        auto f = std::make_unique<TFrm_MemberAdd>();
        f->EditMode = 1;
        f->show();
        f->RzDBEdit1->setText(c.card);
        f->RzDBEdit2->setText(c.name);
        EXPECT_TRUE(SelectComboValue(f->RzDBLookupComboBox1, c.kind));
        if (!c.style.isEmpty())
            EXPECT_TRUE(SelectComboValue(f->RzDBComb_YH, c.style));
        f->RzDBEd_Money->setText(c.amount);
        return f;
    }

    // The editor opened on an existing member.
    std::unique_ptr<TFrm_MemberAdd> Modifier(const QString &card)
    {
        auto f = std::make_unique<TFrm_MemberAdd>();
        f->EditMode = 2;
        f->EditCodeID = card;
        f->show();
        return f;
    }

    // The referrer lookup picks this card.
    void ReferrerWillBe(const QString &card)
    {
        messages.dialogs["TFrm_BackMemberCode"] = [card](QDialog *d) {
            auto *lookup = static_cast<TFrm_BackMemberCode *>(d);
            lookup->Lab_Query->setText(card);
            lookup->RzBit_Ok->click();
            return QDialog::Accepted;
        };
    }

    // Nothing of a registration reached the database.
    void ExpectNothingWritten(const QString &card)
    {
        EXPECT_EQ(Number(QStringLiteral("select count(*) from T_MemberInfo where CodeID=?"), {card}), 0);
        EXPECT_EQ(Count(QStringLiteral("T_CardPutMoney"), card), 0);
        EXPECT_EQ(Number(QStringLiteral("select count(*) from T_SysLog where OperInfo like ?"), {"%" + card + "%"}), 0);
    }
};

TEST_F(MemberAddTest, NewStoredValueCardCreditsTheStyleAndScores)
{
    SysSet.CostStand = 10;
    auto f = Editor({QStringLiteral("1001"), QStringLiteral("张三"), QStringLiteral("2"), QStringLiteral("02"),
                     QStringLiteral("150")});
    EXPECT_EQ(f->RzLab_YH->text(), QStringLiteral("交费100元相当于存入卡中120元"));
    f->RzDBEdit9->setText(QStringLiteral("O'Brien's 路 1号"));
    f->RzBit_Save->click();
    ASSERT_TRUE(f->Saved) << messages.lastText().toStdString();

    const db::Result m = db().query(QStringLiteral("select * from T_MemberInfo where CodeID='1001'"));
    ASSERT_EQ(m.rowCount(), 1);
    EXPECT_EQ(m.value(0, "CurMoney").asFloat(), 180);
    EXPECT_EQ(m.value(0, "HisSumMoney").asFloat(), 0);
    EXPECT_EQ(m.value(0, "memberScore").asFloat(), 15);
    EXPECT_EQ(m.value(0, "SumScore").asInt(), 15);
    EXPECT_EQ(m.value(0, "Spell").asString(), QStringLiteral("ZS"));
    EXPECT_EQ(m.value(0, "CheapMode").asString(), QStringLiteral("02"));
    EXPECT_EQ(m.value(0, "Addr").asString(), QStringLiteral("O'Brien's 路 1号"));
    EXPECT_EQ(m.value(0, "CurState").asInt(), 1);

    const db::Result p = db().query(QStringLiteral("select * from T_CardPutMoney where CardID='1001'"));
    ASSERT_EQ(p.rowCount(), 1);
    EXPECT_EQ(p.value(0, "PayMoney").asFloat(), 150);
    EXPECT_EQ(p.value(0, "PutMoney").asFloat(), 180);
    EXPECT_EQ(p.value(0, "CheapMoney").asFloat(), 30);
    EXPECT_TRUE(p.value(0, "CurScore").isNull());
    EXPECT_TRUE(Logged(QStringLiteral("增加会员：[1001]")));
}

TEST_F(MemberAddTest, OpeningAmountByCardKind)
{
    // Style 04: 50 yuan for 6 uses.
    const struct {
        NewCard card;
        double curMoney;
        int payRows;
        double putMoney;
    } cases[] = {
        {{"2001", "计次", "3", "04", "100"}, 12, 1, 12},
        {{"2002", "零元", "2", "02", ""}, 0, 1, 0},
        {{"2003", "折扣", "1", "", "0"}, 0, 0, 0},
    };
    for (const auto &c : cases) {
        auto f = Editor(c.card);
        f->RzBit_Save->click();
        ASSERT_TRUE(f->Saved) << c.card.card.toStdString() << messages.lastText().toStdString();
        EXPECT_EQ(Number("select CurMoney from T_MemberInfo where CodeID=?", {c.card.card}), c.curMoney);
        EXPECT_EQ(Count("T_CardPutMoney", c.card.card), c.payRows);
        if (c.payRows)
            EXPECT_EQ(Number("select PutMoney from T_CardPutMoney where CardID=?", {c.card.card}), c.putMoney);
    }
    EXPECT_EQ(Number("select CheapMoney from T_CardPutMoney where CardID='2001'"), 0);
}

TEST_F(MemberAddTest, CountCardTakesOnlyMultiplesOfTheStylePrice)
{
    auto f = Editor({"3001", "计次", "3", "04", "120"});
    f->RzBit_Save->click();
    EXPECT_FALSE(f->Saved);
    EXPECT_EQ(messages.lastText(), QStringLiteral("你输入的金额必须是：50 倍数或者0！"));
    ExpectNothingWritten("3001");
}

TEST_F(MemberAddTest, StyleWithoutPriceIsRefused)
{
    db().exec("insert into D_CardCheapStyle(CheapID,CheapKind,CheapName,CostMoney,CheapMoney,ReMark,sysSet) "
              "values('09','02','坏的',0,5,'',0)");
    auto f = Editor({"3002", "计次", "3", "09", "100"});
    f->RzBit_Save->click();
    EXPECT_FALSE(f->Saved);
    EXPECT_TRUE(messages.lastText().contains(QStringLiteral("交费金额为0"))) << messages.lastText().toStdString();
    ExpectNothingWritten("3002");
}

TEST_F(MemberAddTest, ReferrerGetsTheBonusAndALogLine)
{
    AddMember({.card = "0900", .name = "介绍人", .score = 7, .sumScore = 7});
    SysSet.GetScore = 5;
    ReferrerWillBe("0900");
    auto f = Editor({"1001", "张三", "2", "02", "150"});
    f->RzBit_Query->click();
    EXPECT_EQ(f->RzEd_IntroName->text(), QStringLiteral("0900--介绍人"));
    f->RzBit_Save->click();
    ASSERT_TRUE(f->Saved);
    EXPECT_EQ(Number("select memberScore from T_MemberInfo where CodeID='0900'"), 12);
    EXPECT_EQ(Number("select SumScore from T_MemberInfo where CodeID='0900'"), 12);
    EXPECT_EQ(Scalar("select IntroCodeID from T_MemberInfo where CodeID='1001'"), QStringLiteral("0900"));
    EXPECT_TRUE(Logged(QStringLiteral("会员卡号：[0900] 介绍 [1001]  获得5积分")));
}

TEST_F(MemberAddTest, DuplicateCardNumberIsRefusedBeforeAnyWrite)
{
    AddMember({.card = "0900", .name = "介绍人", .score = 7, .sumScore = 7});
    AddMember({.card = "1001", .name = "先来的"});
    SysSet.GetScore = 5;
    ReferrerWillBe("0900");
    auto f = Editor({"1001", "张三", "2", "02", "150"});
    f->RzBit_Query->click();
    f->RzBit_Save->click();
    EXPECT_FALSE(f->Saved);
    EXPECT_EQ(messages.lastText(), QStringLiteral("你输入的会员卡号已经存在，请再输入一个！"));
    EXPECT_EQ(Count("T_CardPutMoney", "1001"), 0);
    EXPECT_EQ(Number("select memberScore from T_MemberInfo where CodeID='0900'"), 7);
    EXPECT_EQ(Scalar("select memberName from T_MemberInfo where CodeID='1001'"), QStringLiteral("先来的"));
}

TEST_F(MemberAddTest, FailureMidRegistrationLeavesNothingWritten)
{
    AddMember({.card = "0900", .name = "介绍人", .score = 7, .sumScore = 7});
    SysSet.GetScore = 5;
    ReferrerWillBe("0900");
    // The member row is written after the payment row and the referrer's bonus.
    db().execScript("CREATE TEMP TRIGGER fail_member BEFORE INSERT ON T_MemberInfo "
                    "BEGIN SELECT RAISE(ABORT, 'injected failure'); END;");
    auto f = Editor({"1001", "张三", "2", "02", "150"});
    f->RzBit_Query->click();
    f->RzBit_Save->click();
    EXPECT_FALSE(f->Saved);
    ASSERT_FALSE(messages.shown.isEmpty());
    EXPECT_EQ(messages.shown.last().caption, QStringLiteral("错误"));
    EXPECT_TRUE(messages.lastText().contains(QStringLiteral("保存失败")));
    ExpectNothingWritten("1001");
    EXPECT_EQ(Number("select memberScore from T_MemberInfo where CodeID='0900'"), 7);
    db().execScript("DROP TRIGGER fail_member;");
    // The operator can simply save again.
    f->RzBit_Save->click();
    EXPECT_TRUE(f->Saved);
    EXPECT_EQ(Number("select memberScore from T_MemberInfo where CodeID='0900'"), 12);
}

TEST_F(MemberAddTest, ValidationsStopTheSave)
{
    AddMember({.card = "0900", .name = "已有", .kind = 1});
    db().exec("update T_MemberInfo set IDCard='11010519491231002X' where CodeID='0900'");
    const struct {
        const char *card, *name, *idCard, *pass1, *pass2;
        int answer;   // to the duplicate identity question
        const char *message;
    } cases[] = {
        {"", "张三", "", "", "", QMessageBox::Yes, "会员卡号不能为空!"},
        {"1001", " ", "", "", "", QMessageBox::Yes, "会员姓名不能为空!"},
        {"1001", "张三", "1234567890123456", "", "", QMessageBox::Yes, "身份证号不是15位或18位(1234567890123456, 实际位数:16)"},
        {"1001", "张三", "11010519491231002X", "", "", QMessageBox::No, "你输入的身份证号已经存在，是否继续添加?！"},
        {"1001", "张三", "", "1", "2", QMessageBox::Yes, "两次输入的密码不一样，请重新输入!"},
    };
    for (const auto &c : cases) {
        messages.clear();
        messages.answers.push_back(c.answer);
        auto f = Editor({c.card, c.name, "2", "02", "100"});
        f->RzDBEdit8->setText(c.idCard);
        f->RzEd_PassWord->setText(c.pass1);
        f->RzEd_OkPassWord->setText(c.pass2);
        f->RzBit_Save->click();
        EXPECT_FALSE(f->Saved) << c.message;
        EXPECT_EQ(messages.lastText(), QString::fromUtf8(c.message));
        ExpectNothingWritten("1001");
    }
}

TEST_F(MemberAddTest, ModifyKeepsCardFieldsAndWritesNoPayment)
{
    AddMember({.card = "1001", .name = "张三", .money = 80, .password = "123"});
    auto f = Modifier("1001");
    EXPECT_FALSE(f->RzDBEdit1->isEnabled());
    EXPECT_FALSE(f->RzDBEd_Money->isEnabled());
    EXPECT_FALSE(f->RzDBComb_YH->isEnabled());
    EXPECT_EQ(f->RzLabel_CostMoney->text(), QStringLiteral("卡内金额"));
    EXPECT_EQ(ComboValue(f->RzDBComb_YH), QStringLiteral("02"));
    f->RzDBEdit2->setText(QStringLiteral("李'四"));
    f->RzBit_Save->click();
    ASSERT_TRUE(f->Saved);
    EXPECT_EQ(Scalar("select memberName from T_MemberInfo where CodeID='1001'"), QStringLiteral("李'四"));
    EXPECT_EQ(Scalar("select PassWord from T_MemberInfo where CodeID='1001'"), QStringLiteral("123"));
    EXPECT_EQ(Number("select CurMoney from T_MemberInfo where CodeID='1001'"), 80);
    EXPECT_EQ(Count("T_CardPutMoney", "1001"), 0);
    EXPECT_TRUE(Logged(QStringLiteral("修改了会员卡：[1001] 的信息")));
}

TEST_F(MemberAddTest, LocalPhotoIsCopiedOnSaveAndAReplacedOneRemoved)
{
    const QString source = appPath() + "source.png";
    QImage img(20, 20, QImage::Format_RGB32);
    img.fill(Qt::red);
    ASSERT_TRUE(img.save(source));
    QFile old(appPath() + "Picture/1001.jpg");
    ASSERT_TRUE(old.open(QIODevice::WriteOnly));
    old.close();
    AddMember({.card = "1001", .name = "张三", .photo = "1001.jpg"});

    messages.dialogs["QFileDialog"] = [source](QDialog *d) {
        static_cast<QFileDialog *>(d)->selectFile(source);
        return QDialog::Accepted;
    };
    auto f = Modifier("1001");
    f->LocalPhotoClick();
    EXPECT_EQ(f->RzEd_Photo->text(), source);
    f->RzBit_Save->click();
    ASSERT_TRUE(f->Saved);
    EXPECT_EQ(Scalar("select MemberPhoto from T_MemberInfo where CodeID='1001'"), QStringLiteral("1001.png"));
    EXPECT_TRUE(QFile::exists(appPath() + "Picture/1001.png"));
    EXPECT_FALSE(QFile::exists(appPath() + "Picture/1001.jpg"));
}

TEST_F(MemberAddTest, ModifyKeepsABuiltInLevelTheListDoesNotOffer)
{
    AddMember({.card = "1001", .name = "张三", .kind = 1, .level = "00"});
    auto f = Modifier("1001");
    EXPECT_EQ(f->RzDBLookupComboBox2->currentIndex(), -1);
    f->RzDBEdit5->setText("13900001111");
    f->RzBit_Save->click();
    ASSERT_TRUE(f->Saved);
    EXPECT_EQ(Scalar("select CardLevel from T_MemberInfo where CodeID='1001'"), QStringLiteral("00"));
    EXPECT_EQ(Scalar("select Mobile from T_MemberInfo where CodeID='1001'"), QStringLiteral("13900001111"));
}
