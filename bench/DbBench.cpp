// The Jet layer against the same queries hand-written for SQLite, on the large shop.

#include "BenchSupport.h"

#include <QDate>

namespace {

const char *kDeskSearchJet =
    "select CodeID  from T_MemberInfo   where  (codeID like '%%1%' or mobile like '%%1%' or memberName like "
    "'%%1%' or IDCard like '%%1%' or Spell like '%%1%' )";
const char *kDeskSearchRaw =
    "SELECT CodeID FROM T_MemberInfo WHERE CodeID LIKE '%%1%' OR Mobile LIKE '%%1%' OR memberName LIKE '%%1%' "
    "OR IDCard LIKE '%%1%' OR Spell LIKE '%%1%'";

// The last whole calendar month; the demo data spread over the two years before now.
QPair<QString, QString> LastMonth()
{
    const QDate first = QDate::currentDate().addMonths(-1);
    const QDate start(first.year(), first.month(), 1);
    return {start.toString(Qt::ISODate), start.addMonths(1).addDays(-1).toString(Qt::ISODate)};
}

void Jet_DeskSearch(benchmark::State &state)
{
    REQUIRE_LARGE_SHOP(state);
    const QString sql = QString::fromUtf8(kDeskSearchJet).arg(QStringLiteral("王小"));
    for (auto _ : state)
        benchmark::DoNotOptimize(shop->query(sql).rowCount());
}

void Raw_DeskSearch(benchmark::State &state)
{
    REQUIRE_LARGE_SHOP(state);
    const QByteArray sql = QString::fromUtf8(kDeskSearchRaw).arg(QStringLiteral("王小")).toUtf8();
    for (auto _ : state)
        benchmark::DoNotOptimize(RunRawSqlite(sql.constData()));
}

void Jet_MonthOfConsumptions(benchmark::State &state)
{
    REQUIRE_LARGE_SHOP(state);
    const auto [from, to] = LastMonth();
    const QString sql =
        QStringLiteral("select CostID,CardID,CostMoney,CostScore,CostDate,CostMemo from T_MemberCostInfo where "
                       "format(CostDate,'yyyy-MM-dd')>='%1' and format(CostDate,'yyyy-MM-dd')<='%2' order by CostDate")
            .arg(from, to);
    for (auto _ : state)
        benchmark::DoNotOptimize(shop->query(sql).rowCount());
}

void Raw_MonthOfConsumptions(benchmark::State &state)
{
    REQUIRE_LARGE_SHOP(state);
    const auto [from, to] = LastMonth();
    const QByteArray sql = QStringLiteral("SELECT CostID,CardID,CostMoney,CostScore,CostDate,CostMemo FROM "
                                          "T_MemberCostInfo WHERE CostDate >= '%1' AND CostDate < '%2' ORDER BY CostDate")
                               .arg(from, QDate::fromString(to, Qt::ISODate).addDays(1).toString(Qt::ISODate))
                               .toUtf8();
    for (auto _ : state)
        benchmark::DoNotOptimize(RunRawSqlite(sql.constData()));
}

// A checkout of three goods lines: stock, lines, header, member, log in one transaction.
void Jet_CheckoutWrite(benchmark::State &state)
{
    REQUIRE_LARGE_SHOP(state);
    int n = 0;
    for (auto _ : state) {
        const QString id = QStringLiteral("B%1").arg(++n, 13, 10, QLatin1Char('0'));
        db::Transaction tx(*shop);
        for (int line = 1; line <= 3; ++line) {
            const QString goods = QStringLiteral("G%1").arg(line, 5, 10, QLatin1Char('0'));
            shop->exec(QStringLiteral("Update D_GoodsStore set GoodsCount=GoodsCount-1 where GoodsID='%1'").arg(goods));
            shop->exec(QStringLiteral("Insert into T_GoodsCostDetailInfo(CostID,CardID,GoodsId,GoodsPrice,GoodsDisc,"
                                      "GoodsCount,GoodsDiscPrice,SumPrice,CostDate,UserMan) values('%1','1001','%2',"
                                      "10,0.9,1,9,9,now(),'admin')")
                           .arg(id, goods));
        }
        shop->exec(QStringLiteral("Insert into T_MemberCostInfo(CostID,CardID,CostMoney,CostScore,CostDate,CostMemo,"
                                  "IfMoney,UserMan) values('%1','1001',27,2,now(),'',0,'admin')")
                       .arg(id));
        shop->exec(QStringLiteral("Update T_MemberInfo set CurMoney=CurMoney-27,HisSumMoney=HisSumMoney+27,"
                                  "memberScore=memberScore+2,SumScore=SumScore+2 where CodeID='1001'"));
        shop->exec(QStringLiteral("Insert into T_SysLog(OperDate,UserMan,OperInfo) values(now(),'admin','会员卡：[1001]消费27元')"));
        tx.commit();
    }
}

void Raw_CheckoutWrite(benchmark::State &state)
{
    REQUIRE_LARGE_SHOP(state);
    int n = 0;
    for (auto _ : state) {
        const QByteArray id = QStringLiteral("R%1").arg(++n, 13, 10, QLatin1Char('0')).toUtf8();
        QByteArray sql = "BEGIN IMMEDIATE;";
        for (int line = 1; line <= 3; ++line) {
            const QByteArray goods = QStringLiteral("G%1").arg(line, 5, 10, QLatin1Char('0')).toUtf8();
            sql += "UPDATE D_GoodsStore SET GoodsCount=GoodsCount-1 WHERE GoodsID='" + goods + "';";
            sql += "INSERT INTO T_GoodsCostDetailInfo(CostID,CardID,GoodsId,GoodsPrice,GoodsDisc,GoodsCount,"
                   "GoodsDiscPrice,SumPrice,CostDate,UserMan) VALUES('" + id + "','1001','" + goods +
                   "',10,0.9,1,9,9,datetime('now','localtime'),'admin');";
        }
        sql += "INSERT INTO T_MemberCostInfo(CostID,CardID,CostMoney,CostScore,CostDate,CostMemo,IfMoney,UserMan) "
               "VALUES('" + id + "','1001',27,2,datetime('now','localtime'),'',0,'admin');";
        sql += "UPDATE T_MemberInfo SET CurMoney=CurMoney-27,HisSumMoney=HisSumMoney+27,memberScore=memberScore+2,"
               "SumScore=SumScore+2 WHERE CodeID='1001';";
        sql += "INSERT INTO T_SysLog(OperDate,UserMan,OperInfo) VALUES(datetime('now','localtime'),'admin','x');";
        sql += "COMMIT;";
        ExecRawSqlite(sql.constData());
    }
}

} // namespace

BENCHMARK(Jet_DeskSearch)->Unit(benchmark::kMillisecond);
BENCHMARK(Raw_DeskSearch)->Unit(benchmark::kMillisecond);
BENCHMARK(Jet_MonthOfConsumptions)->Unit(benchmark::kMillisecond);
BENCHMARK(Raw_MonthOfConsumptions)->Unit(benchmark::kMillisecond);
BENCHMARK(Jet_CheckoutWrite)->Unit(benchmark::kMillisecond);
BENCHMARK(Raw_CheckoutWrite)->Unit(benchmark::kMillisecond);
