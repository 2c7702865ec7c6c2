#include "SaleRules.h"
#include "members/CardRules.h"

#include <cmath>

namespace SaleRules {

double RoundMoney(double value)
{
    // Fifteen significant digits undo the binary noise of the products (8.4915 stays
    // 8.4915, 2.675 stays 2.675) before the half is judged.
    const double cents = QString::number(value * 100.0, 'g', 15).toDouble();
    return std::round(cents) / 100.0;   // std::round: halves away from zero
}

QString FormatMoney(double value)
{
    const double r = RoundMoney(value);
    return QString::number(r == 0 ? 0.0 : r, 'f', 2);
}

QString FormatQuantity(double value)
{
    const double m = QString::number(value * 1000.0, 'g', 15).toDouble();
    const double r = std::round(m) / 1000.0;
    return QString::number(r == 0 ? 0.0 : r, 'f', 3);
}

QString PlainNumber(double value)
{
    if (!std::isfinite(value))
        return QStringLiteral("0");
    // Shortest form of the value as 15 significant digits see it.
    QString s = QString::number(QString::number(value, 'g', 15).toDouble(), 'f', 10);
    if (s.contains(QLatin1Char('.'))) {
        while (s.endsWith(QLatin1Char('0')))
            s.chop(1);
        if (s.endsWith(QLatin1Char('.')))
            s.chop(1);
    }
    if (s == QLatin1String("-0"))
        s = QStringLiteral("0");
    return s;
}

double TextValue(const QString &text, double empty)
{
    const QString t = text.trimmed();
    if (t.isEmpty())
        return empty;
    bool ok = false;
    const double v = t.toDouble(&ok);
    return ok ? v : empty;
}

double MemberRate(const QString &rateText)
{
    const QString t = rateText.trimmed();
    if (t == QStringLiteral("不打"))
        return 1;
    bool ok = false;
    const double r = t.toDouble(&ok);
    if (!ok || r <= 0 || r > 1)
        return 1;
    return r;
}

double LineRate(double memberRate, double goodsDisc)
{
    if (goodsDisc == 0 || memberRate > goodsDisc)
        return memberRate;
    return goodsDisc;
}

LineAmounts ComputeLine(double salePrice, double rate, double quantity)
{
    LineAmounts a;
    a.unitPrice = salePrice * rate;
    a.discPrice = RoundMoney(a.unitPrice);
    a.sumPrice = RoundMoney(quantity * a.unitPrice);
    return a;
}

int Points(double paid, int costStand)
{
    if (costStand <= 0)
        return 0;
    const auto whole = qint64(cards::RoundHalfEven(paid));
    return int(whole / costStand);   // whole-number division, towards zero
}

PayPath ChoosePath(const QString &memberKind, bool cashTicked, bool balancePlusCash)
{
    if (memberKind.trimmed() != QLatin1String("2"))
        return PayPath::PlainSale;
    if (!cashTicked)
        return PayPath::CardPayment;
    return balancePlusCash ? PayPath::BalancePlusCash : PayPath::CashOnly;
}

int IfMoneyCode(PayPath path)
{
    switch (path) {
    case PayPath::CashOnly: return 1;
    case PayPath::BalancePlusCash: return 2;
    case PayPath::CardPayment:
    case PayPath::PlainSale: break;
    }
    return 0;
}

BalanceCashSplit SplitBalanceCash(double amount, double balance)
{
    BalanceCashSplit s;
    if (balance < 0 || RoundMoney(amount) < RoundMoney(balance))
        return s;
    s.valid = true;
    s.cardPart = RoundMoney(balance);
    s.cashPart = RoundMoney(amount - balance);
    return s;
}

} // namespace SaleRules
