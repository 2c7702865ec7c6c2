#include "AdminCommands.h"

#include "platform/db/Database.h"

#include <sqlcipher/sqlite3.h>

#include <QFile>
#include <QFileInfo>

#include <cstdio>

namespace admin {

namespace {

QString resourceText(const QString &name)
{
    QFile f(name);
    if (!f.open(QIODevice::ReadOnly))
        throw db::DbError(QStringLiteral("missing embedded script %1").arg(name));
    return QString::fromUtf8(f.readAll());
}

// Whether the statement yields a result set, decided by SQLite itself on the
// translated text. A statement that does not prepare counts as "no columns"; running
// it then reports the engine's own error.
bool returnsColumns(db::Database &database, const QString &jetSql)
{
    const QByteArray sql = database.translate(jetSql).toUtf8();
    sqlite3_stmt *stmt = nullptr;
    if (sqlite3_prepare_v2(database.handle(), sql.constData(), sql.size(), &stmt, nullptr) != SQLITE_OK
        || !stmt) {
        sqlite3_finalize(stmt);
        return false;
    }
    const bool hasColumns = sqlite3_column_count(stmt) > 0;
    sqlite3_finalize(stmt);
    return hasColumns;
}

} // namespace

void printOut(const QString &text)
{
    const QByteArray bytes = text.toUtf8();
    std::fwrite(bytes.constData(), 1, size_t(bytes.size()), stdout);
}

void printErr(const QString &text)
{
    const QByteArray bytes = QStringLiteral("kelvo-admin: %1\n").arg(text).toUtf8();
    std::fwrite(bytes.constData(), 1, size_t(bytes.size()), stderr);
}

void createDatabase(db::Database &database, const QString &path, const QString &password)
{
    const QString schema = resourceText(QStringLiteral(":/data/schema.sql"));
    const QString seed = resourceText(QStringLiteral(":/data/seed.sql"));
    try {
        database.open(path, password, true);
        db::Transaction tx(database);
        database.execScript(schema);
        database.execScript(seed);
        tx.commit();
    } catch (...) {
        database.close();
        QFile::remove(path);
        throw;
    }
}

int initDb(const QString &path, const QString &password)
{
    if (QFileInfo::exists(path)) {
        printErr(QStringLiteral("%1 already exists; it is not overwritten").arg(path));
        return 1;
    }
    try {
        db::Database database;
        createDatabase(database, path, password);
    } catch (const db::DbError &e) {
        printErr(QStringLiteral("cannot create %1: %2").arg(path, e.text()));
        return 1;
    }
    return 0;
}

int runSql(const QString &path, const QString &password, const QString &statement)
{
    try {
        db::Database database;
        database.open(path, password);
        if (!returnsColumns(database, statement)) {
            printOut(QString::number(database.exec(statement)) + QLatin1Char('\n'));
            return 0;
        }
        const db::Result r = database.query(statement);
        QString out = r.columns().join(QLatin1Char('\t')) + QLatin1Char('\n');
        for (int row = 0; row < r.rowCount(); ++row) {
            QStringList fields;
            for (int c = 0; c < r.columnCount(); ++c)
                fields << r.value(row, c).asString();
            out += fields.join(QLatin1Char('\t')) + QLatin1Char('\n');
        }
        printOut(out);
        return 0;
    } catch (const db::DbError &e) {
        printErr(e.text());
        return 1;
    }
}

int checkDb(const QString &path, const QString &password)
{
    try {
        db::Database database;
        database.open(path, password);
        sqlite3_stmt *stmt = nullptr;
        if (sqlite3_prepare_v2(database.handle(), "PRAGMA integrity_check", -1, &stmt, nullptr) != SQLITE_OK) {
            printErr(QString::fromUtf8(sqlite3_errmsg(database.handle())));
            return 1;
        }
        QStringList lines;
        int rc;
        while ((rc = sqlite3_step(stmt)) == SQLITE_ROW)
            lines << QString::fromUtf8(reinterpret_cast<const char *>(sqlite3_column_text(stmt, 0)));
        if (rc != SQLITE_DONE)
            lines << QString::fromUtf8(sqlite3_errmsg(database.handle()));
        sqlite3_finalize(stmt);
        printOut(lines.join(QLatin1Char('\n')) + QLatin1Char('\n'));
        return lines == QStringList{QStringLiteral("ok")} ? 0 : 1;
    } catch (const db::DbError &e) {
        printErr(e.text());
        return 1;
    }
}

} // namespace admin
