#include "MembersFixture.h"

#include "core/Clock.h"
#include "core/ReceiptFrame.h"
#include "members/RechargeReceipt.h"
#include "members/Ut_CardCost.h"
#include "members/Ut_HYManage.h"
#include "platform/print/RawPrinter.h"
#include "platform/text/Gbk.h"

#include <QCheckBox>
#include <QCoreApplication>
#include <QElapsedTimer>
#include <QFile>
#include <QLabel>
#include <QLineEdit>
#include <QPushButton>
#include <QKeyEvent>
#include <QThread>
#include <memory>

class RechargeTest : public MembersTest {
protected:
    // Recharges the card through the member list; returns the dialog's Saved.
    bool Recharge(const QString &card, const QString &payment, bool print = false)
    {
        bool saved = false;
        messages.dialogs["TFrm_CardCost"] = [&](QDialog *d) {
            auto *c = static_cast<TFrm_CardCost *>(d);
            c->RzEd_Costpay->setText(payment);
            c->RzChk_PrintTicket->setChecked(print);
            c->RzBit_Save->click();
            saved = c->Saved;
            return c->result();
        };
        TFrm_HYManage s;
        s.show();
        const int row = RowOf(s.DBGridEh1, "CodeID", card);
        EXPECT_GE(row, 0);
        s.DBGridEh1->SetCurrentRow(row);
        s.RzBit_InputMoney->click();
        EXPECT_EQ(s.DBGridEh1->Value("CodeID").asString(), card);
        return saved;
    }
};

TEST_F(RechargeTest, StoredValueRechargeCreditsScoresAndUpgrades)
{
    AddMember({.card = "1001", .name = "张三", .style = "02", .level = "01", .money = 20, .score = 995,
               .sumScore = 995, .upgrade = true});
    ASSERT_TRUE(Recharge("1001", "150"));

    const db::Result p = db().query("select * from T_CardPutMoney where CardID='1001'");
    ASSERT_EQ(p.rowCount(), 1);
    EXPECT_EQ(p.value(0, "PayMoney").asFloat(), 150);
    EXPECT_EQ(p.value(0, "PutMoney").asFloat(), 180);
    EXPECT_EQ(p.value(0, "CurScore").asFloat(), 15);
    EXPECT_EQ(p.value(0, "CheapMoney").asFloat(), 30);
    EXPECT_EQ(p.value(0, "UserMan").asString(), QStringLiteral("admin"));
    const db::Result m = db().query("select * from T_MemberInfo where CodeID='1001'");
    EXPECT_EQ(m.value(0, "CurMoney").asFloat(), 200);
    EXPECT_EQ(m.value(0, "memberScore").asFloat(), 1010);
    EXPECT_EQ(m.value(0, "SumScore").asInt(), 1010);
    EXPECT_EQ(m.value(0, "CardLevel").asString(), QStringLiteral("02"));
    EXPECT_TRUE(Logged(QStringLiteral("会员卡：[1001] 充值金额：150.00元 实际存入卡内：180.00")));
    EXPECT_TRUE(messages.wasShown(QStringLiteral("你确定要给会员卡：[1001] 充值:150.00元 吗？")));
}

TEST_F(RechargeTest, CreditAndScoreCases)
{
    const struct {
        MemberRow member;
        const char *payment;
        double credit, bonus, score;
        const char *level;
    } cases[] = {
        // fraction of a yuan earns no credit; no upgrade without CardIfUpGrade
        {{.card = "1001", .style = "02", .sumScore = 995}, "150.50", 180, 29.5, 15, "01"},
        {{.card = "1002", .style = "0"}, "33", 33, 0, 3, "01"},
        {{.card = "1003", .kind = 3, .style = "04", .money = 2}, "100", 12, 0, 10, "01"},
        // a score above every band leaves the level alone
        {{.card = "1004", .style = "02", .sumScore = 200000, .upgrade = true}, "100", 120, 20, 10, "01"},
    };
    for (const auto &c : cases) {
        AddMember(c.member);
        const QString card = c.member.card;
        ASSERT_TRUE(Recharge(card, c.payment)) << card.toStdString() << messages.lastText().toStdString();
        EXPECT_EQ(Number("select PutMoney from T_CardPutMoney where CardID=?", {card}), c.credit);
        EXPECT_EQ(Number("select CheapMoney from T_CardPutMoney where CardID=?", {card}), c.bonus);
        EXPECT_EQ(Number("select CurScore from T_CardPutMoney where CardID=?", {card}), c.score);
        EXPECT_EQ(Number("select CurMoney from T_MemberInfo where CodeID=?", {card}), c.member.money + c.credit);
        EXPECT_EQ(Scalar("select CardLevel from T_MemberInfo where CodeID='" + card + "'"), QString::fromUtf8(c.level));
    }
}

TEST_F(RechargeTest, RefusalsWriteNothing)
{
    db().exec("insert into D_CardCheapStyle(CheapID,CheapKind,CheapName,CostMoney,CheapMoney,ReMark,sysSet) "
              "values('09','02','坏的',0,5,'',0)");
    AddMember({.card = "1001", .kind = 3, .style = "04"});
    AddMember({.card = "1002", .kind = 3, .style = "09"});
    AddMember({.card = "1003", .style = "02", .state = 3});
    const struct { const char *card, *payment; int answer; const char *message; } cases[] = {
        {"1001", "120", QMessageBox::Yes, "输入的钱数必需是50整数倍"},
        {"1001", "0", QMessageBox::Yes, "充值金额不能为空或者为0！请输入..."},
        {"1001", "", QMessageBox::Yes, "充值金额不能为空或者为0！请输入..."},
        {"1001", "100", QMessageBox::No, "你确定要给会员卡：[1001] 充值:100.00元 吗？"},
        {"1002", "100", QMessageBox::Yes, "此会员卡的优惠方式交费金额为0，无法计算充值数额！请先在“会员卡类型设置”中修改该优惠方式。"},
        {"1003", "100", QMessageBox::Yes, "会员卡为\"挂失\"与\"不可用\"状态,不能充值！"},
    };
    for (const auto &c : cases) {
        messages.clear();
        messages.answers.push_back(c.answer);
        const bool needsDialog = QString::fromUtf8(c.card) != QLatin1String("1003");
        EXPECT_FALSE(Recharge(c.card, c.payment)) << c.message;
        EXPECT_EQ(messages.lastText(), QString::fromUtf8(c.message));
        EXPECT_EQ(messages.executedDialogs.contains("TFrm_CardCost"), needsDialog);
    }
    EXPECT_EQ(Number("select count(*) from T_CardPutMoney"), 0);
    EXPECT_EQ(Number("select sum(CurMoney) from T_MemberInfo"), 0);
}

TEST_F(RechargeTest, FailedRechargeIsReportedAndLeavesNothing)
{
    AddMember({.card = "1001", .style = "02", .money = 20});
    db().execScript("CREATE TEMP TRIGGER fail_member BEFORE UPDATE ON T_MemberInfo "
                    "BEGIN SELECT RAISE(ABORT, 'injected failure'); END;");
    EXPECT_FALSE(Recharge("1001", "100"));
    EXPECT_EQ(messages.shown.last().caption, QStringLiteral("错误"));
    EXPECT_EQ(Count("T_CardPutMoney", "1001"), 0);
    EXPECT_FALSE(Logged(QStringLiteral("会员卡：[1001] 充值金额：100.00元 实际存入卡内：120.00")));
}

TEST_F(RechargeTest, LargePaymentKeepsItsTwoDecimals)
{
    AddMember({.card = "1001", .style = "0"});
    ASSERT_TRUE(Recharge("1001", "10000"));
    EXPECT_TRUE(Logged(QStringLiteral("会员卡：[1001] 充值金额：10000.00元 实际存入卡内：10000.00")));

    // Typing stops at seven characters.
    TFrm_CardCost c;
    c.MemberKind = "2";
    c.StyleCode = "0";
    c.show();
    c.RzEd_Costpay->clear();
    for (const QChar ch : QStringLiteral("12345.678")) {
        QKeyEvent press(QEvent::KeyPress, 0, Qt::NoModifier, QString(ch));
        QCoreApplication::sendEvent(c.RzEd_Costpay, &press);
    }
    EXPECT_EQ(c.RzEd_Costpay->text(), QStringLiteral("12345.6"));
}

TEST_F(RechargeTest, CountCardLabels)
{
    AddMember({.card = "1001", .kind = 3, .style = "04"});
    TFrm_CardCost c;
    c.MemberKind = "3";
    c.StyleCode = "04";
    c.show();
    EXPECT_EQ(c.RzLab_1->text(), QStringLiteral("剩余次数："));
    EXPECT_EQ(c.RzLab_3->text(), QStringLiteral("充入次数："));
    EXPECT_EQ(c.RzLab_CountInfo->text(), QStringLiteral("充值金额必须是50的倍数"));
    c.RzEd_Costpay->setText("100");
    EXPECT_EQ(c.RzEd_CostPayReal->text(), QStringLiteral("12"));
}

// ---- receipt ---------------------------------------------------------------------

namespace {

receipt::Frame DemoFrame(bool withOperator)
{
    receipt::Frame f;
    f.unitName = QStringLiteral("Kelvo会员店");
    f.footNote1 = QStringLiteral("谢谢惠顾");
    f.footNote2 = QString();
    f.footNote3 = QStringLiteral("欢迎再来");
    if (withOperator)
        f.operatorText = QStringLiteral("操作员：管理员");
    return f;
}

QByteArray Gbk(const char *utf8)
{
    return text::toGbk(QString::fromUtf8(utf8));
}

} // namespace

TEST(RechargeReceipt, BytesOfAStoredValueAndACountCardReceipt)
{
    // GBK itself, pinned: 卡号 is BF A8 BA C5.
    EXPECT_EQ(Gbk("卡号"), QByteArray("\xBF\xA8\xBA\xC5"));
    const QDateTime when(QDate(2009, 1, 18), QTime(10, 5, 9));
    const QByteArray head = QByteArray("\x1b\x40\x0a\x1b\x21\x14", 6) + "      " + Gbk("Kelvo会员店") + "       "
                          + QByteArray("\x1b\x21\x00\x0a", 4);
    const QByteArray date = "======2009/01/18 10:05:09=======\n";

    RechargeReceiptData d{"1001", QStringLiteral("张三"), 2, QStringLiteral("交费100元相当于存入卡中120元"), "150.00", "180.00"};
    QByteArray expected = head + Gbk("卡号:1001        姓名:张三") + "\n" + QByteArray(32, '=') + "\n"
                        + Gbk("会员卡类型：储值卡") + "\r\n" + Gbk("优惠方式：交费100元相当于存入卡中120元") + "\r\n"
                        + Gbk("交费金额：150.00元") + "\r\n" + Gbk("实际存入：180.00元") + "\n" + date
                        + Gbk("谢谢惠顾") + "\r\n" + "\r\n" + Gbk("欢迎再来") + "\r\n" + Gbk("操作员：管理员")
                        + "\n\n\n\n\n";
    EXPECT_EQ(RechargeReceipt(d, DemoFrame(true), when), expected);

    d.memberKind = 3;
    d.styleRemark = QStringLiteral("交费50元 可以消费10次");
    d.paymentText = "100.00";
    d.creditText = "20";
    expected = head + Gbk("卡号:1001        姓名:张三") + "\n" + QByteArray(32, '=') + "\n"
             + Gbk("会员卡类型：计次卡") + "\r\n" + Gbk("优惠方式：交费50元 可以消费10次") + "\r\n"
             + Gbk("交费金额：100.00元") + "\r\n" + Gbk("充入次数:20次") + "\n" + date
             + Gbk("谢谢惠顾") + "\r\n\r\n" + Gbk("欢迎再来") + "\r\n" + "\n\n\n\n\n";
    EXPECT_EQ(RechargeReceipt(d, DemoFrame(false), when), expected);
}

TEST(ReceiptFrame, CellsNeverSplitADoubleByteCharacter)
{
    receipt::Builder b{receipt::Frame{}};
    b.Cell(QStringLiteral("ab会员卡"), 5).Text("|").Cell(QStringLiteral("ab"), 5, true);
    EXPECT_EQ(b.Bytes(), Gbk("ab会 |   ab"));
}

TEST_F(RechargeTest, ReceiptReachesTheCaptureQueue)
{
    const QString queue = QStringLiteral("receipt");
    if (!print::printerNames().contains(queue))
        GTEST_SKIP() << "CUPS queue 'receipt' is not set up";
    const QString out = QStringLiteral("/tmp/kelvo-receipt.bin");
    QFile::remove(out);
    Clock::setNow([] { return QDateTime(QDate(2009, 1, 18), QTime(10, 5, 9)); });
    SysSet.PrintName = queue;
    SysSet.IfUse_Oper = "1";
    AddMember({.card = "1001", .name = "张三", .style = "02"});
    ASSERT_TRUE(Recharge("1001", "150", true));

    RechargeReceiptData d{"1001", QStringLiteral("张三"), 2, QStringLiteral("交费100元相当于存入卡中120元"), "150.00", "180.00"};
    const QByteArray expected = RechargeReceipt(d, receipt::Frame::FromSettings(), Clock::now());
    QByteArray got;
    QElapsedTimer timer;
    timer.start();
    while (timer.elapsed() < 15000) {
        QFile f(out);
        if (f.open(QIODevice::ReadOnly) && (got = f.readAll()).size() >= expected.size())
            break;
        QThread::msleep(100);
    }
    EXPECT_EQ(got, expected);
}
