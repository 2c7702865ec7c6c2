// Sale and count-card receipts, byte for byte, and through the CUPS capture queue from
// the screens that print them.

#include "PosFixture.h"

#include "core/Clock.h"
#include "core/Routines.h"
#include "platform/print/RawPrinter.h"
#include "platform/text/Gbk.h"
#include "pos/Receipts.h"
#include "pos/Ut_CostCardCount.h"
#include "pos/Ut_ShowChangeMoney.h"

#include <QCheckBox>
#include <QElapsedTimer>
#include <QFile>
#include <QRadioButton>
#include <QThread>
#include <gtest/gtest.h>

namespace {

QByteArray G(const char *utf8)
{
    return text::toGbk(QString::fromUtf8(utf8));
}

const QDateTime kPrinted(QDate(2008, 11, 23), QTime(16, 20, 34));

receipt::Frame ShopFrame(bool withOperator)
{
    receipt::Frame f;
    f.unitName = QStringLiteral("凯沃店");
    f.footNote1 = QStringLiteral("谢谢惠顾");
    f.footNote2 = QString();
    f.footNote3 = QStringLiteral("欢迎再来");
    if (withOperator)
        f.operatorText = QStringLiteral("操作员：管理员");
    return f;
}

QByteArray Head()
{
    return QByteArray("\x1b\x40\x0a\x1b\x21\x14", 6) + QByteArray(6, ' ') + G("凯沃店") + QByteArray(7, ' ')
         + QByteArray("\x1b\x21\x00\x0a", 4);
}

QByteArray Foot(bool withOperator)
{
    return G("谢谢惠顾") + "\r\n" + "\r\n" + G("欢迎再来") + "\r\n" + (withOperator ? G("操作员：管理员") : QByteArray())
         + "\n\n\n\n\n";
}

const QByteArray kSep(32, '=');

const QString kQueue = QStringLiteral("receipt");
const QString kCapture = QStringLiteral("/tmp/kelvo-receipt.bin");

// Runs `print` and returns what the capture queue wrote, once it holds `size` bytes.
QByteArray ThroughQueue(const std::function<void()> &print, qsizetype size)
{
    QFile::remove(kCapture);
    print();
    QByteArray got;
    QElapsedTimer timer;
    timer.start();
    while (timer.elapsed() < 10000 && got.size() < size) {
        QFile f(kCapture);
        if (f.open(QIODevice::ReadOnly))
            got = f.readAll();
        QThread::msleep(50);
    }
    return got;
}

Receipts::Sale TwoLineSale(const QString &card, SaleRules::PayPath path)
{
    Receipts::Sale s;
    s.costId = QStringLiteral("20081123162034");
    s.cardCode = card;
    s.memberName = QStringLiteral("张三");
    // 20 bytes print as their first 16; in the second name the 16th byte would split 茶
    // and becomes a blank.
    s.lines.append({QStringLiteral("G01"), QStringLiteral("特级龙井绿茶一斤礼盒"), 8.5, 2, 17});
    s.lines.append({QStringLiteral("G02"), QStringLiteral("ABCDEFGHIJKLMNO茶叶"), 8.49, 7, 59.44});
    s.lines.append({QStringLiteral("G03"), QStringLiteral("  毛巾十件  "), 12345.678, 1, 12345.68});
    s.amount = QStringLiteral("76.44");
    s.path = path;
    s.cashReceived = QStringLiteral("100.00");
    s.change = QStringLiteral("23.56");
    s.cardPart = QStringLiteral("30.00");
    return s;
}

QByteArray SaleBody(const QString &card)
{
    QByteArray b;
    b += G("流水号：") + "20081123162034\n";
    b += G("  卡号：") + card.toLatin1() + G("     姓名：张三") + "\n";
    b += kSep + "\n";
    b += G("编号  名称  单价  数量    金额") + "\n";
    b += "G01  " + G("特级龙井绿茶一斤") + "\r\n";
    const QByteArray six(6, ' ');
    b += six + "   8.50" + " " + "  2.000" + "  " + "  17.00" + "\n";
    b += "G02  ABCDEFGHIJKLMNO \r\n";
    b += six + "   8.49" + " " + "  7.000" + "  " + "  59.44" + "\n";
    b += "G03  " + G("毛巾十件") + QByteArray(8, ' ') + "\r\n";
    b += six + "12345.6" + " " + "  1.000" + "  " + "12345.6" + "\n";   // wider than 7 bytes: cut
    b += "======2008/11/23 16:20:34=======\n";
    b += G("应收金额：") + QByteArray(14, ' ') + "76.44\r\n";
    return b;
}

} // namespace

TEST(Receipts, SaleReceiptForEveryPaymentPath)
{
    using SaleRules::PayPath;
    const QByteArray cashLine = G("现金:") + "100.00" + QByteArray(8, ' ') + G("找零:") + "23.56\r\n";
    struct Case {
        const char *name;
        QString card;
        PayPath path;
        QByteArray payment;
    } cases[] = {
        {"cash only", QStringLiteral("1001"), PayPath::CashOnly, cashLine + G("<现金方式> ") + "\r\n"},
        {"balance plus cash", QStringLiteral("1001"), PayPath::BalancePlusCash,
         G("储值卡：") + "30.00\r\n" + cashLine + G("<储值卡+现金方式> ") + "\r\n"},
        {"no-card customer", QStringLiteral("0000"), PayPath::PlainSale, cashLine + G("<无卡用户>") + "\r\n"},
        {"card payment", QStringLiteral("1001"), PayPath::CardPayment, G("<会员卡付帐>") + "\r\n"},
        {"discount card", QStringLiteral("1001"), PayPath::PlainSale, G("<会员卡付帐>") + "\r\n"},
    };
    for (const Case &c : cases) {
        const QByteArray expected = Head() + SaleBody(c.card) + c.payment + kSep + "\r\n" + Foot(true);
        EXPECT_EQ(Receipts::SaleReceipt(ShopFrame(true), TwoLineSale(c.card, c.path), kPrinted), expected) << c.name;
    }
}

TEST(Receipts, CountReceiptWithoutOperatorEndsWithTheFootNotes)
{
    const Receipts::Count c{QStringLiteral("20081123162034"), QStringLiteral("1001"), QStringLiteral("李四"),
                            QStringLiteral("3"), QStringLiteral("精洗")};
    QByteArray expected = Head();
    expected += G("流水号：") + "20081123162034\n";
    expected += G("  卡号：") + "1001" + G("     姓名：李四") + "\n";
    expected += kSep + "\n";
    expected += G("会员卡类型：计次卡") + "\r\n";
    expected += G("消费次数：3次") + "\r\n";
    expected += G("备注：精洗") + "\n";
    expected += "======2008/11/23 16:20:34=======\n";
    expected += Foot(false);
    const QByteArray got = Receipts::CountReceipt(ShopFrame(false), c, kPrinted);
    EXPECT_EQ(got, expected);
    EXPECT_TRUE(got.endsWith(G("欢迎再来") + "\r\n\n\n\n\n\n"));
}

TEST(Receipts, SaleReceiptReachesTheCaptureQueueUnchanged)
{
    if (!print::printerNames().contains(kQueue))
        GTEST_SKIP() << "no CUPS queue \"receipt\"; run scripts/cups-test-setup.sh as root to create it";
    const QByteArray bytes =
        Receipts::SaleReceipt(ShopFrame(true), TwoLineSale(QStringLiteral("0000"), SaleRules::PayPath::PlainSale), kPrinted);
    EXPECT_EQ(ThroughQueue([&] { PrintRaw(kQueue, bytes); }, bytes.size()), bytes);
}

// The screens hand the receipt what the operator saw: the serial number, the cart, the
// tender of the change dialog; printed on the queue the settings name.
TEST_F(PosTest, CheckoutAndCountConsumptionPrintTheirReceipts)
{
    if (!print::printerNames().contains(kQueue))
        GTEST_SKIP() << "no CUPS queue \"receipt\"";
    SysSet.PrintName = kQueue;
    SysSet.IfUse_PrintPicket = QStringLiteral("1");
    SysSet.IfUse_Show = QStringLiteral("1");
    SysSet.IfUse_Oper = QStringLiteral("0");
    SysSet.UnitName = QStringLiteral("凯沃店");
    SysSet.FootNote1 = QStringLiteral("谢谢惠顾");
    SysSet.footNote2 = QString();
    SysSet.FootNote3 = QStringLiteral("欢迎再来");
    const QDateTime t(QDate(2026, 3, 1), QTime(10, 0, 0));
    Clock::setNow([t] { return t; });
    const QByteArray tail = G("谢谢惠顾") + "\r\n\r\n" + G("欢迎再来") + "\r\n\n\n\n\n\n";

    AddMember({QStringLiteral("S30"), 2, QStringLiteral("01"), 30});
    AddGoods(QStringLiteral("G50"), QStringLiteral("礼盒"), 50, 10, 1);
    messages.dialogs[QStringLiteral("TFrm_ShowChangeMoney")] = [](QDialog *d) {
        auto *c = static_cast<TFrm_ShowChangeMoney *>(d);
        c->RzEd_XJMoney->setText(QStringLiteral("50.00"));
        c->RzBit_OK->click();
        return c->result();
    };
    TFrm_CostCardMoney *s = SaleScreen(QStringLiteral("S30"), QStringLiteral("2"), 30, QStringLiteral("1"));
    AddToCart(s, QStringLiteral("G50"), QStringLiteral("1"));
    s->RzChk_XJJZ->click();
    s->RzRadioButton1->setChecked(true);
    QByteArray sale = Head() + G("流水号：") + "20260301100000\n" + G("  卡号：") + "S30" + G("     姓名：测试会员") + "\n";
    sale += kSep + "\n" + G("编号  名称  单价  数量    金额") + "\n";
    sale += "G50  " + G("礼盒") + QByteArray(12, ' ') + "\r\n";
    sale += QByteArray(6, ' ') + "  50.00" + " " + "  1.000" + "  " + "  50.00" + "\n";
    sale += "======2026/03/01 10:00:00=======\n";
    sale += G("应收金额：") + QByteArray(14, ' ') + "50.00\r\n";
    sale += G("储值卡：") + "30.00\r\n";
    sale += G("现金:") + "50.00" + QByteArray(8, ' ') + G("找零:") + "30.00\r\n";
    sale += G("<储值卡+现金方式> ") + "\r\n" + kSep + "\r\n" + tail;
    EXPECT_EQ(ThroughQueue([&] { s->RzBit_CheckOutClick(); }, sale.size()), sale);
    EXPECT_TRUE(s->Saved);
    delete s;

    AddMember({QStringLiteral("1001"), 3, QStringLiteral("01"), 5, 0, 0, 0, QStringLiteral("李四")});
    TFrm_CostCardCount c;
    c.CardCode = QStringLiteral("1001");
    c.Balance = 5;
    c.RzEd_CardName->setText(QStringLiteral("李四"));
    c.show();
    c.RzEd_Count->setText(QStringLiteral("3"));
    c.RzEd_ReMark->setText(QStringLiteral("精洗"));
    QByteArray count = Head() + G("流水号：") + "20260301100001\n" + G("  卡号：") + "1001" + G("     姓名：李四") + "\n";
    count += kSep + "\n" + G("会员卡类型：计次卡") + "\r\n" + G("消费次数：3次") + "\r\n" + G("备注：精洗") + "\n";
    count += "======2026/03/01 10:00:00=======\n" + tail;
    EXPECT_EQ(ThroughQueue([&] { c.RzBit_Ok->click(); }, count.size()), count)
        << "the serial number moves on past the sale of the same second";
}
