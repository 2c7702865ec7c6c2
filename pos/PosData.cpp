#include "PosData.h"
#include "SaleRules.h"

#include "core/Clock.h"
#include "core/DBGridEh.h"
#include "core/DM.h"
#include "core/Routines.h"

#include <QLineEdit>

QString NewCostID(db::Database &d)
{
    QString id = NewSerialNo();
    QDateTime at = QDateTime::fromString(id, QStringLiteral("yyyyMMddHHmmss"));
    while (!d.query(QStringLiteral("select top 1 CostID from T_MemberCostInfo where CostID=?"), {id}).isEmpty()
           || !d.query(QStringLiteral("select top 1 CostID from T_GoodsCostDetailInfo where CostID=?"), {id}).isEmpty()) {
        at = at.addSecs(1);
        id = at.toString(QStringLiteral("yyyyMMddHHmmss"));
    }
    return id;
}

void DeskBooking::Booked(const QString &costId)
{
    if (ReloadDeskHistory)
        ReloadDeskHistory();
    Saved = true;
    LastCostID = costId;
}

void ScratchTable::Empty()
{
    if (m_emptied || !frm_DM)
        return;
    m_emptied = true;
    ExecSql(ConnectionString, QStringLiteral("Delete from %1").arg(m_table));
}

namespace SaleCart {

void Show(DBGridEh *grid, bool toLast)
{
    db::Result r;
    try {
        r = Db().query(QStringLiteral("select * from T_SaleGoodsTemp order by ID"));
    } catch (const db::DbError &) {
    }
    grid->SetResult(r);
    if (toLast && grid->RowCount() > 0)
        grid->SetCurrentRow(grid->RowCount() - 1);
}

void RemoveCurrent(DBGridEh *grid, QLineEdit *amount)
{
    if (grid->RowCount() == 0 || grid->CurrentRow() < 0)
        return;
    const double sum = grid->Value(QStringLiteral("SumPrice")).asFloat();
    try {
        Db().exec(QStringLiteral("Delete from T_SaleGoodsTemp where ID=?"), {grid->Value(QStringLiteral("ID")).asInt()});
    } catch (const db::DbError &) {
        return;
    }
    amount->setText(SaleRules::FormatMoney(SaleRules::TextValue(amount->text()) - sum));
    Show(grid, false);
}

} // namespace SaleCart
