#include "GoodsRules.h"

#include "core/Routines.h"

double EditNumber(const QString &text)
{
    bool ok = false;
    const double v = text.trimmed().toDouble(&ok);
    return ok ? v : 0;
}

QString NormaliseLowestDiscount(const QString &text)
{
    bool ok = false;
    const double v = text.trimmed().toDouble(&ok);
    return ok && v > 1 ? QStringLiteral("1") : text;
}

bool LowestDiscountInRange(const QString &text)
{
    const double v = EditNumber(text);
    return v >= 0 && v <= 1;
}

QString StockMovementRefusal(StockKind kind, const QString &stockText, const QString &quantity)
{
    const double q = EditNumber(quantity);
    if (kind == StockReturn) {
        bool ok = false;
        const double stock = stockText.trimmed().toDouble(&ok);
        if (ok && stock <= 0)
            return QStringLiteral("库存已经小于等于零，不能退货！");
        if (ok && q > stock)
            return QStringLiteral("退货不能大于库存！");
    }
    if (q == 0)
        return (kind == StockIn ? QStringLiteral("进") : QStringLiteral("退")) + QStringLiteral("货为0没有意义，不能保存！");
    return {};
}

QString StockMovementLogText(const QString &goodsName, StockKind kind, const QString &quantity)
{
    const QString w = kind == StockIn ? QStringLiteral("进") : QStringLiteral("退");
    return QStringLiteral("商品:") + goodsName + QStringLiteral("  <") + w + QStringLiteral("货> 数量：") + quantity;
}

QString GoodsListStatement()
{
    return QStringLiteral(
        "select GoodsID,GoodsKind,(select KindName from D_GoodsKind b where a.goodsKind=b.KindID) as GoodsKind1,"
        "GoodsName,GoodsSimple,GoodsUnit,SalePrice,BuyPrice,GoodsCount,GoodsDisc from D_GoodsStore a where 1=1 ");
}

BoundSql GoodsListSql(const QString &kindValue, const QString &searchText)
{
    BoundSql s{GoodsListStatement(), {}};
    const QString kind = kindValue.trimmed();
    if (!kind.isEmpty() && kind != QLatin1String("9999")) {
        s.sql += QStringLiteral(" and  GoodsKind=?");
        s.params << kind;
    }
    const QString text = searchText.trimmed();
    if (!text.isEmpty()) {
        s.sql += QStringLiteral(" and ( GoodsID like ? or  GoodsName like ? or GoodsSimple like ?)");
        const QString p = LikeContains(text);
        s.params << p << p << p;
    }
    return s;
}
