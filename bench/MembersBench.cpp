// The member list search on the large shop (100,000 members): the screen's own statement
// through the Jet layer, and the same query hand-written for SQLite.

#include "BenchSupport.h"

#include "members/Ut_HYManage.h"


namespace {

// The same list hand-written for SQLite; the text is a plain fragment without quotes
// or wildcards, so it goes into the pattern as it stands.
QByteArray RawMemberList(const char *text, int state)
{
    QString sql = QStringLiteral(
        "SELECT a.CodeID,a.memberName,a.AddDate,a.sex,substr(a.birthday,1,10) AS birthday1,a.PassWord,a.memberKind,"
        "a.CardIfUpGrade,a.CardLevel,a.HisSumMoney,a.MemberPhoto,a.Mobile,"
        "(SELECT StateName FROM D_MemberCardState c WHERE a.CurState=c.StateID) AS stateName,"
        "(SELECT CardKind FROM D_MemberCardKind b WHERE a.memberKind=b.CardId) AS cardKind,"
        "(SELECT UserName FROM D_MemberLevel d WHERE d.ID=a.CardLevel) AS CardLevel1,"
        "CAST(IFNULL(a.memberScore,0) AS REAL) AS memberScore1,a.ID,a.CurState,a.CheapMode,"
        "IFNULL(a.SumScore,0) AS SumScore1,"
        "CASE WHEN a.memberKind=3 THEN a.HisSumMoney ELSE round(a.HisSumMoney,2) END AS hisSumMoney1,"
        "CASE WHEN a.memberKind=3 THEN IFNULL(a.CurMoney,0) ELSE round(IFNULL(a.CurMoney,0),2) END AS curMoney1 "
        "FROM T_MemberInfo a WHERE 1=1");
    const QString t = QString::fromUtf8(text);
    if (!t.isEmpty())
        sql += QStringLiteral(" AND (a.CodeID LIKE '%%1%' OR a.Mobile LIKE '%%1%' OR a.memberName LIKE '%%1%' "
                              "OR a.Spell LIKE '%%1%')")
                   .arg(t);
    if (state)
        sql += QStringLiteral(" AND a.CurState=%1").arg(state);
    return sql.toUtf8();
}

void Jet_MemberList(benchmark::State &state, const char *text, int cardState)
{
    REQUIRE_LARGE_SHOP(state);
    const TFrm_HYManage::ListQuery q = TFrm_HYManage::BuildListQuery(
        QString::fromUtf8(text), cardState ? QString::number(cardState) : QStringLiteral("9999"));
    int rows = 0;
    for (auto _ : state) {
        rows = shop->query(q.sql, q.params).rowCount();
        benchmark::DoNotOptimize(rows);
    }
    state.counters["rows"] = rows;
}

void Raw_MemberList(benchmark::State &state, const char *text, int cardState)
{
    REQUIRE_LARGE_SHOP(state);
    const QByteArray sql = RawMemberList(text, cardState);
    int rows = 0;
    for (auto _ : state) {
        rows = RunRawSqlite(sql.constData());
        benchmark::DoNotOptimize(rows);
    }
    state.counters["rows"] = rows;
}

} // namespace

// A card or mobile fragment, a name fragment, pinyin initials, a state filter, and the
// unfiltered list the screen opens with.
BENCHMARK_CAPTURE(Jet_MemberList, digits, "13", 0)->Unit(benchmark::kMillisecond);
BENCHMARK_CAPTURE(Raw_MemberList, digits, "13", 0)->Unit(benchmark::kMillisecond);
BENCHMARK_CAPTURE(Jet_MemberList, name, "王", 0)->Unit(benchmark::kMillisecond);
BENCHMARK_CAPTURE(Raw_MemberList, name, "王", 0)->Unit(benchmark::kMillisecond);
BENCHMARK_CAPTURE(Jet_MemberList, initials, "WXM", 0)->Unit(benchmark::kMillisecond);
BENCHMARK_CAPTURE(Raw_MemberList, initials, "WXM", 0)->Unit(benchmark::kMillisecond);
BENCHMARK_CAPTURE(Jet_MemberList, lost, "", 3)->Unit(benchmark::kMillisecond);
BENCHMARK_CAPTURE(Raw_MemberList, lost, "", 3)->Unit(benchmark::kMillisecond);
BENCHMARK_CAPTURE(Jet_MemberList, all, "", 0)->Unit(benchmark::kMillisecond);
BENCHMARK_CAPTURE(Raw_MemberList, all, "", 0)->Unit(benchmark::kMillisecond);
