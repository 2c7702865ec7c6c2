// The goods search of the sale screen on a shop with 10,000 goods: through the Jet
// layer and hand-written for SQLite.

#include "BenchSupport.h"

#include "BuildConfig.h"
#include "core/Routines.h"

#include <QFile>
#include <QProcess>
#include <QTemporaryDir>
#include <cstdio>

namespace {

// A demo shop with 1,000 members, 1,000 sales and 10,000 goods, made once per run.
db::Database *GoodsShop()
{
    static db::Database *shop = []() -> db::Database * {
        const QString tool = QStringLiteral(KELVO_APP_DIR "/kelvo-admin");
        if (!QFile::exists(tool)) {
            std::fprintf(stderr, "GoodsBench: %s not found, skipping\n", qPrintable(tool));
            return nullptr;
        }
        static QTemporaryDir dir;   // removed at exit
        const QString file = dir.filePath(QStringLiteral("goods.dat"));
        QProcess p;
        p.setProcessChannelMode(QProcess::ForwardedErrorChannel);
        p.start(tool, {QStringLiteral("demo"), file, QStringLiteral("--members"), QStringLiteral("1000"),
                       QStringLiteral("--sales"), QStringLiteral("1000"), QStringLiteral("--goods"), QStringLiteral("10000")});
        if (!p.waitForFinished(30 * 60 * 1000) || p.exitStatus() != QProcess::NormalExit || p.exitCode() != 0) {
            std::fprintf(stderr, "GoodsBench: kelvo-admin demo failed, skipping\n");
            return nullptr;
        }
        auto *d = new db::Database;
        try {
            d->open(file, QStringLiteral(KELVO_DB_PASSWORD));
        } catch (const db::DbError &e) {
            std::fprintf(stderr, "GoodsBench: %s\n", e.what());
            delete d;
            return nullptr;
        }
        return d;
    }();
    return shop;
}

#define REQUIRE_GOODS_SHOP(state)                                              \
    db::Database *shop = GoodsShop();                                          \
    if (!shop) {                                                               \
        state.SkipWithError("goods demo database unavailable (kelvo-admin)"); \
        return;                                                                \
    }

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
    REQUIRE_GOODS_SHOP(state);
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
    REQUIRE_GOODS_SHOP(state);
    const QByteArray sql = RawGoodsSearch(QString::fromUtf8(text));
    int rows = 0;
    for (auto _ : state) {
        rows = RunRawSqlite(*shop, sql.constData());
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
