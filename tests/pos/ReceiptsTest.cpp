// Sale and count-card receipts, byte for byte, and once through the CUPS capture queue.

#include "pos/Receipts.h"

#include "core/Routines.h"
#include "platform/print/RawPrinter.h"
#include "platform/text/Gbk.h"

#include <QElapsedTimer>
#include <QFile>
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
    const QString queue = QStringLiteral("receipt");
    const QString capture = QStringLiteral("/tmp/kelvo-receipt.bin");
    if (!print::printerNames().contains(queue))
        GTEST_SKIP() << "no CUPS queue \"receipt\"; run scripts/cups-test-setup.sh as root to create it";
    QFile::remove(capture);
    const QByteArray bytes =
        Receipts::SaleReceipt(ShopFrame(true), TwoLineSale(QStringLiteral("0000"), SaleRules::PayPath::PlainSale), kPrinted);
    PrintRaw(queue, bytes);
    QByteArray got;
    QElapsedTimer timer;
    timer.start();
    while (timer.elapsed() < 10000 && got.size() < bytes.size()) {
        QFile f(capture);
        if (f.open(QIODevice::ReadOnly))
            got = f.readAll();
        QThread::msleep(50);
    }
    EXPECT_EQ(got, bytes);
}
