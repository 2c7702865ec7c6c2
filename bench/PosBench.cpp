// The consumption desk on the large shop: the member search by a name fragment, loading
// a card with its history and goods lines, and a 20-line checkout. Each through the Jet
// layer with the desk's own statements, and hand-written for SQLite.

#include "BenchSupport.h"

#include "members/CardRules.h"
#include "pos/Ut_BackCodeName.h"
#include "pos/Ut_HYCost.h"

#include <QVariantList>

namespace {

// A member from the middle of the list, and the consumption whose goods lines the desk shows first.
struct BusyCard {
    QString code;
    QString firstCostId;
};

BusyCard FindBusyCard(db::Database &shop)
{
    static BusyCard card;
    if (card.code.isEmpty()) {
        card.code = shop.query(QStringLiteral("select CodeID from T_MemberInfo where ID=5000")).value(0, 0).asString();
        card.firstCostId =
            shop.query(QStringLiteral("select top 1 CostID from T_MemberCostInfo where CardID=? order by CostDate desc"),
                       {card.code})
                .value(0, 0)
                .asString();
    }
    return card;
}

// ---- desk search ------------------------------------------------------------------------

void Jet_PosSearch(benchmark::State &state, const char *text)
{
    REQUIRE_LARGE_SHOP(state);
    QVariantList params;
    const QString sql = QStringLiteral("select a.CodeID from T_MemberInfo a where 1=1")
                      + MemberMatchCondition(QString::fromUtf8(text), true, params) + QStringLiteral(" order by a.ID");
    int rows = 0;
    for (auto _ : state) {
        rows = shop->query(sql, params).rowCount();
        benchmark::DoNotOptimize(rows);
    }
    state.counters["rows"] = rows;
}

void Raw_PosSearch(benchmark::State &state, const char *text)
{
    REQUIRE_LARGE_SHOP(state);
    const QByteArray sql = QStringLiteral(
                               "SELECT CodeID FROM T_MemberInfo WHERE CodeID LIKE '%%1%' OR Mobile LIKE '%%1%' "
                               "OR memberName LIKE '%%1%' OR IDCard LIKE '%%1%' OR Spell LIKE '%%1%' ORDER BY ID")
                               .arg(QString::fromUtf8(text))
                               .toUtf8();
    int rows = 0;
    for (auto _ : state) {
        rows = RunRawSqlite(sql.constData());
        benchmark::DoNotOptimize(rows);
    }
    state.counters["rows"] = rows;
}

// ---- loading a card ---------------------------------------------------------------------

void Jet_PosLoadCard(benchmark::State &state)
{
    REQUIRE_LARGE_SHOP(state);
    const BusyCard card = FindBusyCard(*shop);
    const QString rate = QStringLiteral("select IIF(rate=1,'不打',format(rate,'0.00')) from  D_MemberLevel where ID=?");
    int rows = 0;
    for (auto _ : state) {
        const db::Result c = shop->query(TFrm_HYCost::CardSql(), {card.code});
        shop->query(rate, {c.value(0, QStringLiteral("cardLevel")).asString()});
        const db::Result h = shop->query(TFrm_HYCost::HistorySql(), {card.code});
        const db::Result g = shop->query(TFrm_HYCost::GoodsLinesSql(), {h.value(0, QStringLiteral("CostID")).asString()});
        rows = h.rowCount() + g.rowCount();
        benchmark::DoNotOptimize(rows);
    }
    state.counters["rows"] = rows;
}

void Raw_PosLoadCard(benchmark::State &state)
{
    REQUIRE_LARGE_SHOP(state);
    const BusyCard card = FindBusyCard(*shop);
    const QByteArray cardSql =
        QStringLiteral(
            "SELECT CodeID,memberName,AddDate,sex,birthday,PassWord,memberKind,MemberPhoto,CardIfUpGrade,RemarkInfo,"
            "CurState,Tel,Mobile,IDCard,Addr,CardVailFlag,substr(CardVailDate,1,10) AS cardVaildDate,"
            "CAST(IFNULL(memberScore,0) AS REAL) AS memberScore,ID,CurState,CheapMode,CardLevel,"
            "CAST(IFNULL(SumScore,0) AS REAL) AS SumScore,"
            "(SELECT StateName FROM D_MemberCardState c WHERE a.CurState=c.StateID) AS stateName,"
            "(SELECT CardKind FROM D_MemberCardKind b WHERE a.memberKind=b.CardId) AS cardKind,"
            "(SELECT UserName FROM D_MemberLevel d WHERE d.ID=a.CardLevel) AS CardLevel1,"
            "IFNULL(HisSumMoney,0),IFNULL(CurMoney,0) FROM T_MemberInfo a WHERE CodeID='%1'")
            .arg(card.code)
            .toUtf8();
    const QByteArray rateSql = QByteArrayLiteral(
        "SELECT CASE WHEN rate=1 THEN '不打' ELSE printf('%.2f',rate) END FROM D_MemberLevel "
        "WHERE ID=(SELECT CardLevel FROM T_MemberInfo WHERE CodeID='") + card.code.toUtf8() + "')";
    const QByteArray historySql = QStringLiteral("SELECT CostID,CardID,CostMoney,IFNULL(CostScore,0),CostDate,CostMemo,"
                                                 "IfMoney,SumMoney,IfExitGoods,XJJN FROM T_MemberCostInfo "
                                                 "WHERE CardID='%1' ORDER BY CostDate DESC")
                                      .arg(card.code)
                                      .toUtf8();
    const QByteArray linesSql =
        QStringLiteral("SELECT CardID,(SELECT GoodsName FROM D_GoodsStore b WHERE a.GoodsId=b.GoodsID),GoodsPrice,"
                       "GoodsDisc,GoodsCount,GoodsDiscPrice,SumPrice FROM T_GoodsCostDetailInfo a WHERE a.CostID='%1'")
            .arg(card.firstCostId)
            .toUtf8();
    int rows = 0;
    for (auto _ : state) {
        RunRawSqlite(cardSql.constData());
        RunRawSqlite(rateSql.constData());
        rows = RunRawSqlite(historySql.constData()) + RunRawSqlite(linesSql.constData());
        benchmark::DoNotOptimize(rows);
    }
    state.counters["rows"] = rows;
}

// ---- a 20-line checkout -----------------------------------------------------------------
// The statements of the sale screen's checkout (plain sale of a discount card), rolled
// back after each round so the file stays as generated.

QStringList TwentyGoods(db::Database &shop)
{
    static QStringList goods;
    if (goods.isEmpty()) {
        const db::Result r = shop.query(QStringLiteral("select top 20 GoodsID from D_GoodsStore order by GoodsID"));
        for (int i = 0; i < r.rowCount(); ++i)
            goods << r.value(i, 0).asString();
    }
    return goods;
}

void Jet_PosCheckout20(benchmark::State &state)
{
    REQUIRE_LARGE_SHOP(state);
    const BusyCard card = FindBusyCard(*shop);
    const QStringList goods = TwentyGoods(*shop);
    for (auto _ : state) {
        shop->begin();
        for (const QString &g : goods) {
            shop->exec(QStringLiteral("Update D_GoodsStore set GoodsCount=GoodsCount-? where GoodsID=?"), {1.0, g});
            shop->exec(QStringLiteral("Insert into T_GoodsCostDetailInfo(CostID,CardID,GoodsId,GoodsPrice,GoodsDisc,"
                                      "GoodsCount,GoodsDiscPrice,SumPrice,CostDate,UserMan) values(?,?,?,?,?,?,?,?,Now(),?)"),
                       {QStringLiteral("29991231235959"), card.code, g, 10.0, 0.9, 1.0, 9.0, 9.0,
                        QStringLiteral("admin")});
        }
        shop->exec(QStringLiteral("Insert into T_MemberCostInfo(CostID,CardID,CostMoney,CostScore,CostDate,IfMoney,"
                                  "CostMemo,UserMan) values(?,?,?,?,Now(),0,?,?)"),
                   {QStringLiteral("29991231235959"), card.code, 180.0, 18, QString(), QStringLiteral("admin")});
        shop->exec(QStringLiteral("update T_MemberInfo set memberScore=memberScore+?,SumScore=SumScore+?,"
                                  "HisSumMoney=HisSumMoney+?  where CodeID=?"),
                   {18, 18, 180.0, card.code});
        cards::ApplyLevelUpgrade(*shop, card.code, true, QStringLiteral("01"), 1018);
        shop->exec(QStringLiteral("Insert into T_SysLog(OperDate,UserMan,OperInfo) values(now(),?,?)"),
                   {QStringLiteral("admin"), QStringLiteral("会员卡：[%1] 消费180.00元").arg(card.code)});
        shop->rollback();
    }
}

void Raw_PosCheckout20(benchmark::State &state)
{
    REQUIRE_LARGE_SHOP(state);
    const BusyCard card = FindBusyCard(*shop);
    QString script = QStringLiteral("BEGIN IMMEDIATE;");
    for (const QString &g : TwentyGoods(*shop))
        script += QStringLiteral("UPDATE D_GoodsStore SET GoodsCount=GoodsCount-1 WHERE GoodsID='%1';"
                                 "INSERT INTO T_GoodsCostDetailInfo(CostID,CardID,GoodsId,GoodsPrice,GoodsDisc,GoodsCount,"
                                 "GoodsDiscPrice,SumPrice,CostDate,UserMan) VALUES('29991231235959','%2','%1',10,0.9,1,9,9,"
                                 "datetime('now','localtime'),'admin');")
                      .arg(g, card.code);
    script += QStringLiteral("INSERT INTO T_MemberCostInfo(CostID,CardID,CostMoney,CostScore,CostDate,IfMoney,CostMemo,"
                             "UserMan) VALUES('29991231235959','%1',180,18,datetime('now','localtime'),0,'','admin');"
                             "UPDATE T_MemberInfo SET memberScore=memberScore+18,SumScore=SumScore+18,"
                             "HisSumMoney=HisSumMoney+180 WHERE CodeID='%1';"
                             "SELECT ID FROM D_MemberLevel WHERE ScoreUp<=1018 AND ScoreDown>=1018;"
                             "UPDATE T_MemberInfo SET CardLevel='02' WHERE CodeID='%1';"
                             "INSERT INTO T_SysLog(OperDate,UserMan,OperInfo) VALUES(datetime('now','localtime'),'admin',"
                             "'x');ROLLBACK;")
                  .arg(card.code);
    const QByteArray sql = script.toUtf8();
    for (auto _ : state)
        ExecRawSqlite(sql.constData());
}

} // namespace

BENCHMARK_CAPTURE(Jet_PosSearch, name, "王")->Unit(benchmark::kMillisecond);
BENCHMARK_CAPTURE(Raw_PosSearch, name, "王")->Unit(benchmark::kMillisecond);
BENCHMARK_CAPTURE(Jet_PosSearch, mobile, "1388")->Unit(benchmark::kMillisecond);
BENCHMARK_CAPTURE(Raw_PosSearch, mobile, "1388")->Unit(benchmark::kMillisecond);
BENCHMARK(Jet_PosLoadCard)->Unit(benchmark::kMillisecond);
BENCHMARK(Raw_PosLoadCard)->Unit(benchmark::kMillisecond);
BENCHMARK(Jet_PosCheckout20)->Unit(benchmark::kMillisecond);
BENCHMARK(Raw_PosCheckout20)->Unit(benchmark::kMillisecond);
