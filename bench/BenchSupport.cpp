#include "BenchSupport.h"

#include "BuildConfig.h"

#include <QDir>
#include <QFile>
#include <QProcess>
#include <cstdio>

#define SQLITE_HAS_CODEC 1
#include <sqlcipher/sqlite3.h>

QString LargeShopDatabase()
{
    static QString path;
    if (!path.isEmpty())
        return path;
    const QString file = QDir::tempPath() + QStringLiteral("/kelvo-bench-large.dat");
    if (!QFile::exists(file)) {
        std::fprintf(stderr, "generating the large demo database (once) ...\n");
        QProcess p;
        p.setProcessChannelMode(QProcess::ForwardedErrorChannel);
        p.start(QStringLiteral(KELVO_APP_DIR "/kelvo-admin"),
                {QStringLiteral("demo"), file + QStringLiteral(".part"), QStringLiteral("--members"),
                 QStringLiteral("100000"), QStringLiteral("--sales"), QStringLiteral("1000000")});
        if (!p.waitForFinished(60 * 60 * 1000) || p.exitCode() != 0) {
            QFile::remove(file + QStringLiteral(".part"));
            return {};
        }
        QFile::rename(file + QStringLiteral(".part"), file);
    }
    path = file;
    return path;
}

db::Database *LargeShop()
{
    static db::Database *shop = [] () -> db::Database * {
        const QString file = LargeShopDatabase();
        if (file.isEmpty())
            return nullptr;
        auto *d = new db::Database;
        try {
            d->open(file, QStringLiteral(KELVO_DB_PASSWORD));
        } catch (const db::DbError &) {
            delete d;
            return nullptr;
        }
        return d;
    }();
    return shop;
}

namespace {
sqlite3 *RawHandle()
{
    static sqlite3 *handle = []() -> sqlite3 * {
        const QString file = LargeShopDatabase();
        sqlite3 *h = nullptr;
        if (file.isEmpty() || sqlite3_open_v2(file.toUtf8().constData(), &h, SQLITE_OPEN_READWRITE, nullptr) != SQLITE_OK)
            return nullptr;
        const QByteArray key = QByteArrayLiteral(KELVO_DB_PASSWORD);
        sqlite3_key(h, key.constData(), key.size());
        // The same page cache as the program's own connection.
        sqlite3_exec(h, "PRAGMA cache_size=-131072", nullptr, nullptr, nullptr);
        sqlite3_busy_timeout(h, 2000);
        return h;
    }();
    return handle;
}
} // namespace

int RunRawSqlite(const char *sql)
{
    sqlite3_stmt *stmt = nullptr;
    if (sqlite3_prepare_v2(RawHandle(), sql, -1, &stmt, nullptr) != SQLITE_OK)
        return -1;
    int rows = 0;
    while (sqlite3_step(stmt) == SQLITE_ROW) {
        for (int c = 0, n = sqlite3_column_count(stmt); c < n; ++c)
            sqlite3_column_text(stmt, c);
        ++rows;
    }
    sqlite3_finalize(stmt);
    return rows;
}

void ExecRawSqlite(const char *sql)
{
    sqlite3_exec(RawHandle(), sql, nullptr, nullptr, nullptr);
}
