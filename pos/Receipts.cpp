#include "Receipts.h"

namespace Receipts {

namespace {

void Identity(receipt::Builder &b, const QString &costId, const QString &card, const QString &name)
{
    b.Text(QStringLiteral("流水号：") + costId).Lf();
    b.Text(QStringLiteral("  卡号：") + card + QStringLiteral("     姓名：") + name).Lf();
    b.Separator().Lf();
}

} // namespace

QByteArray SaleReceipt(const receipt::Frame &frame, const Sale &sale, const QDateTime &printedAt)
{
    using SaleRules::PayPath;
    receipt::Builder b(frame);
    b.Head();
    Identity(b, sale.costId, sale.cardCode, sale.memberName);
    b.Text(QStringLiteral("编号  名称  单价  数量    金额")).Lf();
    for (const SaleLine &l : sale.lines) {
        b.Text(l.goodsId).Blanks(2).Cell(l.goodsName.trimmed(), 16).CrLf();
        b.Blanks(6).Cell(SaleRules::FormatMoney(l.discPrice), 7, true).Blanks(1);
        b.Cell(SaleRules::FormatQuantity(l.count), 7, true).Blanks(2);
        b.Cell(SaleRules::FormatMoney(l.sumPrice), 7, true).Lf();
    }
    b.DateLine(printedAt);

    b.Text(QStringLiteral("应收金额：")).Blanks(14).Text(sale.amount).CrLf();
    const auto cashLine = [&] {
        b.Text(QStringLiteral("现金:") + sale.cashReceived).Blanks(8).Text(QStringLiteral("找零:") + sale.change).CrLf();
    };
    switch (sale.path) {
    case PayPath::CashOnly:
        cashLine();
        b.Text(QStringLiteral("<现金方式> ")).CrLf();
        break;
    case PayPath::BalancePlusCash:
        b.Text(QStringLiteral("储值卡：") + sale.cardPart).CrLf();
        cashLine();
        b.Text(QStringLiteral("<储值卡+现金方式> ")).CrLf();
        break;
    case PayPath::CardPayment:
    case PayPath::PlainSale:
        if (sale.cardCode == QLatin1String("0000")) {
            cashLine();
            b.Text(QStringLiteral("<无卡用户>")).CrLf();
        } else {
            b.Text(QStringLiteral("<会员卡付帐>")).CrLf();
        }
        break;
    }
    b.Separator().CrLf();
    b.Foot();
    return b.Bytes();
}

QByteArray CountReceipt(const receipt::Frame &frame, const Count &count, const QDateTime &printedAt)
{
    receipt::Builder b(frame);
    b.Head();
    Identity(b, count.costId, count.cardCode, count.name);
    b.Text(QStringLiteral("会员卡类型：计次卡")).CrLf();
    b.Text(QStringLiteral("消费次数：") + count.uses + QStringLiteral("次")).CrLf();
    b.Text(QStringLiteral("备注：") + count.remark).Lf();
    b.DateLine(printedAt);
    b.Foot();
    return b.Bytes();
}

} // namespace Receipts
