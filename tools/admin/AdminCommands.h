#pragma once
// The maintenance commands of kelvo-admin. Each returns the process exit code and
// writes its output to stdout and its errors to stderr; no text ever holds the
// database password.

#include <QString>

namespace db {
class Database;
}

namespace admin {

// Creates a delivered database (schema and seed rows, one transaction). Refuses an
// existing file.
int initDb(const QString &path, const QString &password);
// Creates the file as initDb does and leaves it open in db; throws db::DbError.
void createDatabase(db::Database &db, const QString &path, const QString &password);

// Runs one Jet statement: a select prints a tab-separated table, anything else the
// number of rows changed.
int runSql(const QString &path, const QString &password, const QString &statement);

// PRAGMA integrity_check on the opened file.
int checkDb(const QString &path, const QString &password);

// Console output in UTF-8.
void printOut(const QString &text);
void printErr(const QString &text);

} // namespace admin
