#include "Database.h"
#include "JetSql.h"

#include <QFileInfo>
#include <charconv>
#include <cmath>

#define SQLITE_HAS_CODEC 1
#include <sqlcipher/sqlite3.h>

namespace db {

namespace {

const char *kDateFormat = "yyyy-MM-dd HH:mm:ss";

QString plainNumber(double d)
{
    if (std::isfinite(d) && std::fabs(d) < 1e15 && d == std::trunc(d))
        return QString::number(qint64(d));
    char buf[400];
    auto res = std::to_chars(buf, buf + sizeof buf, d, std::chars_format::fixed);
    return QString::fromLatin1(buf, int(res.ptr - buf));
}

bool isYesNoDecl(const char *decl)
{
    return decl && qstricmp(decl, "YESNO") == 0;
}

} // namespace

// ---- Field ------------------------------------------------------------------

QString Field::asString() const
{
    if (isNull())
        return {};
    if (m_yesNo)
        return asBool() ? QStringLiteral("True") : QStringLiteral("False");
    switch (m_value.typeId()) {
    case QMetaType::Double:
        return plainNumber(m_value.toDouble());
    case QMetaType::LongLong:
        return QString::number(m_value.toLongLong());
    default:
        return m_value.toString();
    }
}

qint64 Field::asInt() const
{
    if (isNull())
        return 0;
    switch (m_value.typeId()) {
    case QMetaType::LongLong:
        return m_value.toLongLong();
    case QMetaType::Double:
        return qint64(std::nearbyint(m_value.toDouble()));
    default: {
        const QString s = m_value.toString().trimmed();
        if (s.compare(QLatin1String("True"), Qt::CaseInsensitive) == 0)
            return -1;
        bool ok = false;
        const double d = s.toDouble(&ok);
        return ok ? qint64(std::nearbyint(d)) : 0;
    }
    }
}

double Field::asFloat() const
{
    if (isNull())
        return 0;
    if (m_value.typeId() == QMetaType::QString) {
        bool ok = false;
        const double d = m_value.toString().trimmed().toDouble(&ok);
        return ok ? d : 0;
    }
    return m_value.toDouble();
}

bool Field::asBool() const
{
    if (isNull())
        return false;
    if (m_value.typeId() == QMetaType::QString) {
        const QString s = m_value.toString().trimmed();
        return s.compare(QLatin1String("True"), Qt::CaseInsensitive) == 0 || (s.toDouble() != 0);
    }
    return m_value.toDouble() != 0;
}

QDateTime Field::asDateTime() const
{
    if (isNull())
        return {};
    const QString s = m_value.toString().trimmed();
    QDateTime dt = QDateTime::fromString(s, QString::fromLatin1(kDateFormat));
    if (!dt.isValid())
        dt = QDateTime(QDate::fromString(s.left(10), Qt::ISODate), QTime(0, 0));
    return dt;
}

// ---- Result -----------------------------------------------------------------

int Result::columnIndex(const QString &name) const
{
    for (int i = 0; i < m_columns.size(); ++i)
        if (m_columns[i].compare(name, Qt::CaseInsensitive) == 0)
            return i;
    return -1;
}

Field Result::value(int row, int column) const
{
    if (row < 0 || row >= rowCount() || column < 0 || column >= columnCount())
        throw DbError(QStringLiteral("读取的行或列不存在(行 %1, 列 %2)").arg(row).arg(column));
    return Field(m_rows[row][column], m_yesNo[column]);
}

Field Result::value(int row, const QString &column) const
{
    const int c = columnIndex(column);
    if (c < 0)
        throw DbError(QStringLiteral("结果中没有字段 %1").arg(column));
    return value(row, c);
}

// ---- Database ---------------------------------------------------------------

struct Database::Stmt {
    sqlite3_stmt *stmt = nullptr;
};

Database::Database() = default;

Database::~Database()
{
    close();
}

void Database::open(const QString &path, const QString &password, bool create)
{
    close();
    if (!create && !QFileInfo::exists(path))
        throw DbError(QStringLiteral("数据库文件不存在: %1").arg(path));
    sqlite3 *handle = nullptr;
    // The file's existence is checked above; CREATE is still passed so that ATTACH
    // (backups, compaction) can make new files.
    const int flags = SQLITE_OPEN_READWRITE | SQLITE_OPEN_CREATE;
    int rc = sqlite3_open_v2(path.toUtf8().constData(), &handle, flags, nullptr);
    if (rc == SQLITE_OK) {
        const QByteArray key = password.toUtf8();
        rc = sqlite3_key(handle, key.constData(), key.size());
    }
    // A wrong key opens "successfully"; the first read tells.
    if (rc == SQLITE_OK)
        rc = sqlite3_exec(handle, "SELECT count(*) FROM sqlite_master", nullptr, nullptr, nullptr);
    if (rc != SQLITE_OK) {
        const QString why = rc == SQLITE_NOTADB ? QStringLiteral("密码错误或文件已损坏")
                                                : QString::fromUtf8(sqlite3_errstr(rc));
        sqlite3_close(handle);
        throw DbError(QStringLiteral("无法打开数据库 %1: %2").arg(path, why));
    }
    sqlite3_exec(handle, "PRAGMA cache_size=-131072", nullptr, nullptr, nullptr);
    sqlite3_busy_timeout(handle, 2000);
    jet::registerFunctions(handle);
    m_db = handle;
    m_path = path;
}

void Database::close()
{
    if (!m_db)
        return;
    for (Stmt *s : std::as_const(m_statements)) {
        sqlite3_finalize(s->stmt);
        delete s;
    }
    m_statements.clear();
    sqlite3_close(m_db);
    m_db = nullptr;
    m_txDepth = 0;
    m_txFailed = false;
}

QString Database::translate(const QString &jetSql)
{
    auto it = m_translations.constFind(jetSql);
    if (it != m_translations.constEnd())
        return *it;
    const QString sql = jet::translate(jetSql);
    if (m_translations.size() > 4000)
        m_translations.clear();
    m_translations.insert(jetSql, sql);
    return sql;
}

void Database::fail(const QString &what, const QString &jetSql)
{
    throw DbError(QStringLiteral("%1\n语句: %2").arg(what, jetSql.simplified()));
}

Database::Stmt *Database::prepare(const QString &sqliteSql)
{
    auto it = m_statements.constFind(sqliteSql);
    if (it != m_statements.constEnd()) {
        sqlite3_reset((*it)->stmt);
        sqlite3_clear_bindings((*it)->stmt);
        return *it;
    }
    sqlite3_stmt *stmt = nullptr;
    const QByteArray utf8 = sqliteSql.toUtf8();
    const char *tail = nullptr;
    if (sqlite3_prepare_v2(m_db, utf8.constData(), utf8.size(), &stmt, &tail) != SQLITE_OK)
        return nullptr;
    if (!stmt)   // an empty statement
        return nullptr;
    if (m_statements.size() > 500) {
        for (Stmt *s : std::as_const(m_statements)) {
            sqlite3_finalize(s->stmt);
            delete s;
        }
        m_statements.clear();
    }
    auto *s = new Stmt{stmt};
    m_statements.insert(sqliteSql, s);
    return s;
}

namespace {

bool bindAll(sqlite3_stmt *stmt, const QVariantList &params)
{
    for (int i = 0; i < params.size(); ++i) {
        const QVariant &v = params[i];
        int rc;
        if (!v.isValid() || v.isNull()) {
            rc = sqlite3_bind_null(stmt, i + 1);
        } else {
            switch (v.typeId()) {
            case QMetaType::Bool:
                rc = sqlite3_bind_int(stmt, i + 1, v.toBool() ? 1 : 0);
                break;
            case QMetaType::Int:
            case QMetaType::UInt:
            case QMetaType::LongLong:
            case QMetaType::ULongLong:
            case QMetaType::Long:
                rc = sqlite3_bind_int64(stmt, i + 1, v.toLongLong());
                break;
            case QMetaType::Double:
            case QMetaType::Float:
                rc = sqlite3_bind_double(stmt, i + 1, v.toDouble());
                break;
            case QMetaType::QDateTime: {
                const QByteArray t = v.toDateTime().toString(QString::fromLatin1(kDateFormat)).toUtf8();
                rc = sqlite3_bind_text(stmt, i + 1, t.constData(), t.size(), SQLITE_TRANSIENT);
                break;
            }
            case QMetaType::QDate: {
                const QByteArray t = QDateTime(v.toDate(), QTime(0, 0)).toString(QString::fromLatin1(kDateFormat)).toUtf8();
                rc = sqlite3_bind_text(stmt, i + 1, t.constData(), t.size(), SQLITE_TRANSIENT);
                break;
            }
            default: {
                const QByteArray t = v.toString().toUtf8();
                rc = sqlite3_bind_text(stmt, i + 1, t.constData(), t.size(), SQLITE_TRANSIENT);
            }
            }
        }
        if (rc != SQLITE_OK)
            return false;
    }
    return true;
}

QVariant columnValue(sqlite3_stmt *stmt, int c)
{
    switch (sqlite3_column_type(stmt, c)) {
    case SQLITE_INTEGER:
        return QVariant(qint64(sqlite3_column_int64(stmt, c)));
    case SQLITE_FLOAT:
        return QVariant(sqlite3_column_double(stmt, c));
    case SQLITE_NULL:
        return QVariant();
    default:
        return QVariant(QString::fromUtf8(reinterpret_cast<const char *>(sqlite3_column_text(stmt, c)),
                                          sqlite3_column_bytes(stmt, c)));
    }
}

} // namespace

Result Database::query(const QString &jetSql, const QVariantList &params)
{
    if (!m_db)
        throw DbError(QStringLiteral("数据库未打开"));
    const QString sql = translate(jetSql);
    Stmt *s = prepare(sql);
    if (!s)
        fail(QString::fromUtf8(sqlite3_errmsg(m_db)), jetSql);
    if (!bindAll(s->stmt, params))
        fail(QString::fromUtf8(sqlite3_errmsg(m_db)), jetSql);
    Result r;
    const int n = sqlite3_column_count(s->stmt);
    for (int c = 0; c < n; ++c) {
        r.m_columns << QString::fromUtf8(sqlite3_column_name(s->stmt, c));
        r.m_yesNo << isYesNoDecl(sqlite3_column_decltype(s->stmt, c));
    }
    int rc;
    while ((rc = sqlite3_step(s->stmt)) == SQLITE_ROW) {
        QVector<QVariant> row(n);
        for (int c = 0; c < n; ++c)
            row[c] = columnValue(s->stmt, c);
        r.m_rows.append(std::move(row));
    }
    if (rc != SQLITE_DONE) {
        const QString err = QString::fromUtf8(sqlite3_errmsg(m_db));
        sqlite3_reset(s->stmt);
        fail(err, jetSql);
    }
    sqlite3_reset(s->stmt);
    return r;
}

int Database::exec(const QString &jetSql, const QVariantList &params)
{
    if (!m_db)
        throw DbError(QStringLiteral("数据库未打开"));
    const QString sql = translate(jetSql);
    Stmt *s = prepare(sql);
    if (!s)
        fail(QString::fromUtf8(sqlite3_errmsg(m_db)), jetSql);
    if (!bindAll(s->stmt, params))
        fail(QString::fromUtf8(sqlite3_errmsg(m_db)), jetSql);
    int rc;
    while ((rc = sqlite3_step(s->stmt)) == SQLITE_ROW) {
    }
    if (rc != SQLITE_DONE) {
        const QString err = QString::fromUtf8(sqlite3_errmsg(m_db));
        sqlite3_reset(s->stmt);
        fail(err, jetSql);
    }
    sqlite3_reset(s->stmt);
    return sqlite3_changes(m_db);
}

void Database::execScript(const QString &sqliteScript)
{
    if (!m_db)
        throw DbError(QStringLiteral("数据库未打开"));
    char *err = nullptr;
    if (sqlite3_exec(m_db, sqliteScript.toUtf8().constData(), nullptr, nullptr, &err) != SQLITE_OK) {
        const QString text = QString::fromUtf8(err ? err : "unknown error");
        sqlite3_free(err);
        throw DbError(text);
    }
}

qint64 Database::lastInsertId() const
{
    return m_db ? sqlite3_last_insert_rowid(m_db) : 0;
}

void Database::begin()
{
    if (m_txDepth == 0) {
        execScript(QStringLiteral("BEGIN IMMEDIATE"));
        m_txFailed = false;
    }
    ++m_txDepth;
}

void Database::commit()
{
    if (m_txDepth == 0)
        return;
    if (--m_txDepth > 0)
        return;
    if (m_txFailed) {
        execScript(QStringLiteral("ROLLBACK"));
        m_txFailed = false;
        throw DbError(QStringLiteral("操作未完成，数据已回滚"));
    }
    execScript(QStringLiteral("COMMIT"));
}

void Database::rollback()
{
    if (m_txDepth == 0)
        return;
    m_txFailed = true;
    if (--m_txDepth > 0)
        return;
    m_txFailed = false;
    if (m_db && !sqlite3_get_autocommit(m_db))
        sqlite3_exec(m_db, "ROLLBACK", nullptr, nullptr, nullptr);
}

Transaction::~Transaction()
{
    if (!m_done)
        m_db.rollback();
}

void Transaction::commit()
{
    m_done = true;
    m_db.commit();
}

// ---- connection strings -------------------------------------------------------

namespace {
QHash<QString, Database *> &connections()
{
    static QHash<QString, Database *> map;
    return map;
}
} // namespace

void registerConnection(const QString &connectionString, Database *db)
{
    connections().insert(connectionString, db);
}

void unregisterConnection(const QString &connectionString)
{
    connections().remove(connectionString);
}

Database *connectionFor(const QString &connectionString)
{
    return connections().value(connectionString, nullptr);
}

} // namespace db
