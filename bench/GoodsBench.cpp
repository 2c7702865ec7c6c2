// The goods search of the sale screen on the large shop (10,000 goods): through the Jet
// layer and hand-written for SQLite.

#include "BenchSupport.h"

#include "core/Routines.h"


namespace {

// The statement of the sale screen, search text as typed.
QString JetGoodsSearch(const QString &text)
{
    const QString t = QuotedSql(text);
    return QStringLiteral("select * from D_GoodsStore where (GoodsID like '%%1%' or GoodsName like '%%1%' or "
                          "GoodsSimple like '%%1%') order by GoodsID")
        .arg(t);
}

QByteArray RawGoodsSearch(const QString &text)
{
    const QString t = QuotedSql(text);
    return QStringLiteral("SELECT * FROM D_GoodsStore WHERE GoodsID LIKE '%%1%' OR GoodsName LIKE '%%1%' OR "
                          "GoodsSimple LIKE '%%1%' ORDER BY GoodsID")
        .arg(t)
        .toUtf8();
}

void Jet_GoodsSearch(benchmark::State &state, const char *text)
{
    REQUIRE_LARGE_SHOP(state);
    const QString sql = JetGoodsSearch(QString::fromUtf8(text));
    int rows = 0;
    for (auto _ : state) {
        rows = shop->query(sql).rowCount();
        benchmark::DoNotOptimize(rows);
    }
    state.counters["rows"] = rows;
}

void Raw_GoodsSearch(benchmark::State &state, const char *text)
{
    REQUIRE_LARGE_SHOP(state);
    const QByteArray sql = RawGoodsSearch(QString::fromUtf8(text));
    int rows = 0;
    for (auto _ : state) {
        rows = RunRawSqlite(sql.constData());
        benchmark::DoNotOptimize(rows);
    }
    state.counters["rows"] = rows;
}

} // namespace

// Pinyin initials, a name fragment, a code fragment, and the empty text listing everything.
BENCHMARK_CAPTURE(Jet_GoodsSearch, initials, "MB")->Unit(benchmark::kMillisecond);
BENCHMARK_CAPTURE(Raw_GoodsSearch, initials, "MB")->Unit(benchmark::kMillisecond);
BENCHMARK_CAPTURE(Jet_GoodsSearch, name, "面")->Unit(benchmark::kMillisecond);
BENCHMARK_CAPTURE(Raw_GoodsSearch, name, "面")->Unit(benchmark::kMillisecond);
BENCHMARK_CAPTURE(Jet_GoodsSearch, code, "01")->Unit(benchmark::kMillisecond);
BENCHMARK_CAPTURE(Raw_GoodsSearch, code, "01")->Unit(benchmark::kMillisecond);
BENCHMARK_CAPTURE(Jet_GoodsSearch, all, "")->Unit(benchmark::kMillisecond);
BENCHMARK_CAPTURE(Raw_GoodsSearch, all, "")->Unit(benchmark::kMillisecond);
