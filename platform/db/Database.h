#pragma once
// The database engine: one SQLCipher file opened with its password, spoken to in
// the Jet SQL dialect. Every statement passes through the Jet translator (cached per
// statement text); results come back in memory.

#include <QDateTime>
#include <QHash>
#include <QString>
#include <QStringList>
#include <QVariant>
#include <QVector>
#include <memory>
#include <stdexcept>

struct sqlite3;

namespace db {

// Every failure of the engine: open, translate, prepare, step. The text never holds
// the database password.
class DbError : public std::runtime_error {
public:
    explicit DbError(const QString &text) : std::runtime_error(text.toStdString()), m_text(text) {}
    QString text() const { return m_text; }

private:
    QString m_text;
};

// One value of a result. Null is distinguishable; conversions follow Jet's habits:
// a Yes/No column reads as text "True"/"False", numbers read as text in plain
// shortest decimal form.
class Field {
public:
    Field() = default;
    Field(QVariant value, bool isYesNo) : m_value(std::move(value)), m_yesNo(isYesNo) {}

    bool isNull() const { return !m_value.isValid() || m_value.isNull(); }
    QString asString() const;        // Null gives ""
    qint64 asInt() const;            // Null or non-numeric text gives 0
    double asFloat() const;          // Null or non-numeric text gives 0
    bool asBool() const;             // non-zero / "True"
    QDateTime asDateTime() const;    // stored text yyyy-MM-dd HH:mm:ss; invalid when Null
    const QVariant &raw() const { return m_value; }
    bool isYesNo() const { return m_yesNo; }

private:
    QVariant m_value;
    bool m_yesNo = false;
};

// Rows of a select, held in memory, with a cursor for the handlers that walk them.
class Result {
public:
    int rowCount() const { return int(m_rows.size()); }
    int columnCount() const { return int(m_columns.size()); }
    bool isEmpty() const { return m_rows.isEmpty(); }
    const QStringList &columns() const { return m_columns; }
    int columnIndex(const QString &name) const;   // case-insensitive; -1 when absent
    bool isYesNoColumn(int column) const { return m_yesNo.value(column); }

    Field value(int row, int column) const;
    Field value(int row, const QString &column) const;   // throws DbError on an unknown name

    // Cursor over the rows.
    void first() { m_pos = 0; }
    void next() { ++m_pos; }
    bool eof() const { return m_pos >= rowCount(); }
    int position() const { return m_pos; }
    Field field(const QString &column) const { return value(m_pos, column); }
    Field field(int column) const { return value(m_pos, column); }

    // Filled by the engine.
    QStringList m_columns;
    QVector<bool> m_yesNo;
    QVector<QVector<QVariant>> m_rows;

private:
    int m_pos = 0;
};

// The one connection of a run. Statements are Jet SQL; parameters (?) bind QVariants
// (QString, integers, double, bool, QDateTime, or an invalid QVariant for Null).
class Database {
public:
    Database();
    ~Database();
    Database(const Database &) = delete;
    Database &operator=(const Database &) = delete;

    // Opens the file with its password and checks that it can be read. Throws DbError
    // ("数据库文件不存在", wrong password, damaged file) and leaves the object closed.
    void open(const QString &path, const QString &password, bool create = false);
    void close();
    bool isOpen() const { return m_db != nullptr; }
    QString path() const { return m_path; }

    Result query(const QString &jetSql, const QVariantList &params = {});
    int exec(const QString &jetSql, const QVariantList &params = {});   // rows changed
    // Runs a script of statements in the SQLite dialect itself (schema, seed).
    void execScript(const QString &sqliteScript);
    qint64 lastInsertId() const;

    // Nested begin/commit are counted; only the outermost really commits. A rollback
    // anywhere rolls back the whole outer transaction.
    void begin();
    void commit();
    void rollback();
    bool inTransaction() const { return m_txDepth > 0; }

    sqlite3 *handle() const { return m_db; }

    // The translated SQLite text of a Jet statement (cached); throws DbError.
    QString translate(const QString &jetSql);

private:
    struct Stmt;
    Stmt *prepare(const QString &sqliteSql);
    [[noreturn]] void fail(const QString &what, const QString &jetSql);

    sqlite3 *m_db = nullptr;
    QString m_path;
    int m_txDepth = 0;
    bool m_txFailed = false;
    QHash<QString, QString> m_translations;
    QHash<QString, Stmt *> m_statements;
};

// All-or-nothing block: commits in commit(), rolls back when left without it.
class Transaction {
public:
    explicit Transaction(Database &db) : m_db(db) { m_db.begin(); }
    ~Transaction();
    void commit();

private:
    Database &m_db;
    bool m_done = false;
};

// A connection string names an open Database. The program keeps one connection for
// the run; screens and routines reach it through the string, as the original did.
void registerConnection(const QString &connectionString, Database *db);
void unregisterConnection(const QString &connectionString);
Database *connectionFor(const QString &connectionString);   // nullptr when unknown

} // namespace db
