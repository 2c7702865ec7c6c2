#pragma once
// Rules of the goods and stock screens as plain functions, so tests need no window.

#include <QString>
#include <QVariantList>

// A statement with its bound values.
struct BoundSql {
    QString sql;
    QVariantList params;
};

// Number typed into a numeric edit; an empty (or unreadable) text counts as 0.
double EditNumber(const QString &text);

// The lowest-discount edit when it is left: a value above 1 becomes "1".
QString NormaliseLowestDiscount(const QString &text);
// Whether a lowest discount (empty = 0) lies within 0..1.
bool LowestDiscountInRange(const QString &text);

// Kinds of T_GoodsBuySale rows.
enum StockKind { StockIn = 1, StockReturn = 2 };

// Why a stock movement of `quantity` against the shown stock may not be saved, or
// an empty text when it may. A stock text that is not a number skips the return checks.
QString StockMovementRefusal(StockKind kind, const QString &stockText, const QString &quantity);
// The operation-log line of a stock movement.
QString StockMovementLogText(const QString &goodsName, StockKind kind, const QString &quantity);


// The goods list of the goods screen; kindValue "9999" or empty means every category,
// an empty search text no search.
QString GoodsListStatement();
BoundSql GoodsListSql(const QString &kindValue, const QString &searchText);
