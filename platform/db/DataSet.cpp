#include "DataSet.h"
#include "JetSql.h"

namespace db {

namespace {
const QString kRowid = QStringLiteral("kelvo_rowid");

QString bracket(const QString &name)
{
    return QLatin1Char('[') + name + QLatin1Char(']');
}
} // namespace

DataSet::DataSet(Database &db, const QString &table, const QStringList &keyColumns, const QString &jetSelect,
                 const QVariantList &params)
    : m_db(db), m_table(table), m_keys(keyColumns), m_select(jetSelect), m_params(params)
{
    load();
    m_cur = m_rows.isEmpty() ? -1 : 0;
}

void DataSet::load()
{
    const QString sql = m_keys.isEmpty()
                            ? jet::withLeadingColumn(m_select, QStringLiteral("rowid AS ") + kRowid)
                            : m_select;
    Result r = m_db.query(sql, m_params);
    const int skip = m_keys.isEmpty() ? 1 : 0;
    m_columns = r.m_columns.mid(skip);
    m_yesNo = r.m_yesNo.mid(skip);
    for (const QString &k : std::as_const(m_keys))
        if (columnIndex(k) < 0)
            throw DbError(QStringLiteral("数据集的查询中没有关键字段 %1").arg(k));
    m_rows.clear();
    m_rows.reserve(r.m_rows.size());
    for (QVector<QVariant> &values : r.m_rows) {
        Row row;
        if (skip) {
            row.rowid = values.takeFirst();
        }
        row.values = std::move(values);
        m_rows.append(std::move(row));
    }
}

int DataSet::columnIndex(const QString &name) const
{
    for (int i = 0; i < m_columns.size(); ++i)
        if (m_columns[i].compare(name, Qt::CaseInsensitive) == 0)
            return i;
    return -1;
}

Field DataSet::value(int row, int column) const
{
    if (row < 0 || row >= rowCount() || column < 0 || column >= m_columns.size())
        throw DbError(QStringLiteral("读取的行或列不存在(行 %1, 列 %2)").arg(row).arg(column));
    return Field(m_rows[row].values[column], m_yesNo[column]);
}

Field DataSet::fieldValue(const QString &name) const
{
    const int c = columnIndex(name);
    if (c < 0)
        throw DbError(QStringLiteral("数据集中没有字段 %1").arg(name));
    if (m_cur < 0)
        return Field({}, m_yesNo[c]);
    return value(m_cur, c);
}

void DataSet::setFieldValue(const QString &name, const QVariant &value)
{
    const int c = columnIndex(name);
    if (c < 0)
        throw DbError(QStringLiteral("数据集中没有字段 %1").arg(name));
    if (m_state == State::Browse && !edit())
        return;
    m_rows[m_cur].values[c] = value;
    m_changed.insert(c);
    notify(Change::RowChanged, m_cur, false);
}

bool DataSet::isModified(const QString &name) const
{
    return m_changed.contains(columnIndex(name));
}

bool DataSet::locate(int row)
{
    if (m_rows.isEmpty())
        return false;
    row = std::clamp(row, 0, rowCount() - 1);
    if (row == m_cur)
        return true;
    if (isEditing() && !post())
        return false;
    m_cur = row;
    notify(Change::Scrolled, m_cur, false);
    fire(afterScroll);
    return true;
}

bool DataSet::locate(const QString &column, const QVariant &value)
{
    const int c = columnIndex(column);
    if (c < 0)
        throw DbError(QStringLiteral("数据集中没有字段 %1").arg(column));
    const QString wanted = value.toString();
    for (int i = 0; i < rowCount(); ++i) {
        const QVariant &v = m_rows[i].values[c];
        if (v.isValid() && !v.isNull() && Field(v, false).asString().compare(wanted, Qt::CaseInsensitive) == 0)
            return locate(i);
    }
    return false;
}

bool DataSet::fire(const Handler &h)
{
    if (!h)
        return true;
    try {
        h(*this);
    } catch (const Abort &) {
        return false;
    }
    return true;
}

bool DataSet::append()
{
    if (isEditing() && !post())
        return false;
    if (!fire(beforeInsert))
        return false;
    Row row;
    row.values.resize(m_columns.size());
    m_beforeInsert = m_cur;
    const int at = rowCount();
    notify(Change::RowInserted, at, true);
    m_rows.append(row);
    m_cur = at;
    m_state = State::Insert;
    m_changed.clear();
    notify(Change::RowInserted, at, false);
    fire(afterInsert);
    return true;
}

bool DataSet::edit()
{
    if (isEditing())
        return true;
    if (m_cur < 0)
        throw DbError(QStringLiteral("没有可编辑的记录"));
    if (!fire(beforeEdit))
        return false;
    m_original = m_rows[m_cur];
    m_changed.clear();
    m_state = State::Edit;
    fire(afterEdit);
    return true;
}

QVariantList DataSet::keyValues(const Row &row) const
{
    QVariantList out;
    if (m_keys.isEmpty())
        return {row.rowid};
    for (const QString &k : m_keys)
        out << row.values[columnIndex(k)];
    return out;
}

QString DataSet::keyCondition() const
{
    if (m_keys.isEmpty())
        return QStringLiteral("rowid=?");
    QStringList parts;
    for (const QString &k : m_keys)
        parts << bracket(k) + QStringLiteral("=?");
    return parts.join(QStringLiteral(" and "));
}

// Reads the stored row back (defaults, autonumbers, conversions); columns the select
// computes itself keep their values.
void DataSet::reread(Row &row, const QVariantList &keys)
{
    const QString sql = QStringLiteral("select %1* from %2 where %3")
                            .arg(m_keys.isEmpty() ? QStringLiteral("rowid AS ") + kRowid + QStringLiteral(", ") : QString(),
                                 bracket(m_table), keyCondition());
    const Result r = m_db.query(sql, keys);
    if (r.isEmpty())
        return;
    for (int c = 0; c < r.columnCount(); ++c) {
        if (r.m_columns[c] == kRowid) {
            row.rowid = r.m_rows[0][c];
            continue;
        }
        const int mine = columnIndex(r.m_columns[c]);
        if (mine >= 0)
            row.values[mine] = r.m_rows[0][c];
    }
}

bool DataSet::post()
{
    if (!isEditing())
        return true;
    if (!fire(beforePost))
        return false;
    Row &row = m_rows[m_cur];
    QList<int> changed = m_changed.values();
    std::sort(changed.begin(), changed.end());
    QStringList names;
    QVariantList values;
    for (int c : changed) {
        names << bracket(m_columns[c]);
        values << row.values[c];
    }
    Row stored = row;
    if (m_state == State::Insert) {
        if (names.isEmpty()) {
            m_db.execScript(QStringLiteral("INSERT INTO %1 DEFAULT VALUES").arg(bracket(m_table)));
        } else {
            QStringList marks;
            for (int i = 0; i < names.size(); ++i)
                marks << QStringLiteral("?");
            m_db.exec(QStringLiteral("insert into %1(%2) values(%3)")
                          .arg(bracket(m_table), names.join(QLatin1Char(',')), marks.join(QLatin1Char(','))),
                      values);
        }
        stored.rowid = m_db.lastInsertId();
    } else if (!names.isEmpty()) {
        QVariantList params = values;
        params << keyValues(m_original);
        QStringList sets;
        for (const QString &n : std::as_const(names))
            sets << n + QStringLiteral("=?");
        const int n = m_db.exec(QStringLiteral("update %1 set %2 where %3")
                                    .arg(bracket(m_table), sets.join(QLatin1Char(',')), keyCondition()),
                                params);
        if (n == 0)
            throw DbError(QStringLiteral("要保存的记录已不存在，可能已被删除"));
    }
    reread(stored, m_keys.isEmpty() ? QVariantList{stored.rowid} : keyValues(stored));
    row = stored;
    m_state = State::Browse;
    m_changed.clear();
    notify(Change::RowChanged, m_cur, false);
    fire(afterPost);
    return true;
}

void DataSet::cancel()
{
    if (m_state == State::Insert) {
        const int at = m_cur;
        notify(Change::RowRemoved, at, true);
        m_rows.removeAt(at);
        m_cur = m_rows.isEmpty() ? -1 : std::clamp(m_beforeInsert, 0, rowCount() - 1);
        m_state = State::Browse;
        m_changed.clear();
        notify(Change::RowRemoved, at, false);
    } else if (m_state == State::Edit) {
        m_rows[m_cur] = m_original;
        m_state = State::Browse;
        m_changed.clear();
        notify(Change::RowChanged, m_cur, false);
    } else {
        return;
    }
    fire(afterCancel);
}

bool DataSet::remove()
{
    if (m_state == State::Insert) {
        cancel();
        return true;
    }
    if (m_cur < 0)
        return false;
    if (!fire(beforeDelete))
        return false;
    if (m_state == State::Edit)
        cancel();
    QVariantList params = keyValues(m_rows[m_cur]);
    m_db.exec(QStringLiteral("delete from %1 where %2").arg(bracket(m_table), keyCondition()), params);
    const int at = m_cur;
    notify(Change::RowRemoved, at, true);
    m_rows.removeAt(at);
    m_cur = m_rows.isEmpty() ? -1 : std::min(at, rowCount() - 1);
    notify(Change::RowRemoved, at, false);
    fire(afterDelete);
    if (m_cur >= 0) {
        notify(Change::Scrolled, m_cur, false);
        fire(afterScroll);
    }
    return true;
}

void DataSet::refresh()
{
    if (isEditing())
        throw DbError(QStringLiteral("数据正在编辑，请先保存或取消"));
    notify(Change::Reset, -1, true);
    try {
        load();
    } catch (...) {
        m_rows.clear();
        m_cur = -1;
        notify(Change::Reset, -1, false);
        throw;
    }
    m_cur = m_rows.isEmpty() ? -1 : std::clamp(m_cur, 0, rowCount() - 1);
    notify(Change::Reset, -1, false);
    if (m_cur >= 0) {
        notify(Change::Scrolled, m_cur, false);
        fire(afterScroll);
    }
}

void DataSet::setSelect(const QString &jetSelect, const QVariantList &params)
{
    if (isEditing())
        throw DbError(QStringLiteral("数据正在编辑，请先保存或取消"));
    m_select = jetSelect;
    m_params = params;
    m_cur = 0;
    refresh();
}

int DataSet::addListener(std::function<void(const Change &)> listener)
{
    const int id = m_nextListener++;
    m_listeners.emplace(id, std::move(listener));
    return id;
}

void DataSet::removeListener(int id)
{
    m_listeners.erase(id);
}

void DataSet::notify(Change::Kind kind, int row, bool about)
{
    const Change c{kind, row, about};
    for (auto &[id, fn] : m_listeners)
        fn(c);
}

} // namespace db
