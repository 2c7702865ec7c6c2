#pragma once
// An editable row set over one table, for the data-bound grids and editors: the rows
// of a Jet select held in memory, a current row, and browse / edit / insert states.
// Posting writes the changed columns with a bound INSERT or UPDATE.

#include "Database.h"

#include <QSet>
#include <exception>
#include <functional>
#include <map>

namespace db {

// Thrown by a before-event handler to abandon the operation silently: nothing is
// written and the row stays as it was (in editing, for a post).
class Abort : public std::exception {
public:
    const char *what() const noexcept override { return "operation abandoned"; }
};

class DataSet {
public:
    enum class State { Browse, Edit, Insert };

    // What changed, told to listeners twice: before the rows change (about == true)
    // and after. RowChanged and Scrolled are told after only.
    struct Change {
        enum Kind { Reset, RowInserted, RowRemoved, RowChanged, Scrolled } kind;
        int row;
        bool about;
    };

    // Opens at once. keyColumns name the columns that identify a row of `table`;
    // empty means SQLite's rowid, which the data set selects itself.
    DataSet(Database &db, const QString &table, const QStringList &keyColumns, const QString &jetSelect,
            const QVariantList &params = {});

    State state() const { return m_state; }
    bool isEditing() const { return m_state != State::Browse; }
    int rowCount() const { return int(m_rows.size()); }
    bool isEmpty() const { return m_rows.isEmpty(); }
    int currentRow() const { return m_cur; }   // -1 when empty
    QString table() const { return m_table; }

    const QStringList &columns() const { return m_columns; }
    int columnIndex(const QString &name) const;   // case-insensitive; -1 when absent
    bool isYesNoColumn(int column) const { return m_yesNo.value(column); }

    // The current row's value (a Null field when there is no current row).
    Field fieldValue(const QString &name) const;
    Field value(int row, int column) const;
    // Sets a value of the current row; a browsing row enters Edit first.
    void setFieldValue(const QString &name, const QVariant &value);
    bool isModified(const QString &name) const;

    // Moving posts a pending edit first; false when that post was abandoned.
    bool first() { return locate(0); }
    bool last() { return locate(rowCount() - 1); }
    bool next() { return locate(m_cur + 1); }
    bool prev() { return locate(m_cur - 1); }
    bool locate(int row);
    // The first row whose column equals the value (texts without case); false when none.
    bool locate(const QString &column, const QVariant &value);

    // Each returns false when a before-handler abandoned it with db::Abort; a database
    // failure raises DbError and keeps the row in editing.
    bool append();
    bool edit();
    bool post();
    void cancel();
    bool remove();

    // Runs the select again (optionally another one), keeping the position when it can.
    void refresh();
    void setSelect(const QString &jetSelect, const QVariantList &params = {});

    using Handler = std::function<void(DataSet &)>;
    Handler beforeInsert, afterInsert, beforeEdit, afterEdit, beforePost, afterPost, beforeDelete, afterDelete,
        afterCancel, afterScroll;

    int addListener(std::function<void(const Change &)> listener);
    void removeListener(int id);

private:
    struct Row {
        QVector<QVariant> values;
        QVariant rowid;
    };

    void load();
    bool fire(const Handler &h);   // false when the handler threw Abort
    void notify(Change::Kind kind, int row, bool about);
    void reread(Row &row, const QVariantList &keyValues);
    QString keyCondition() const;
    QVariantList keyValues(const Row &row) const;

    Database &m_db;
    QString m_table;
    QStringList m_keys;
    QString m_select;
    QVariantList m_params;
    QStringList m_columns;
    QVector<bool> m_yesNo;
    QVector<Row> m_rows;
    int m_cur = -1;
    State m_state = State::Browse;
    Row m_original;
    QSet<int> m_changed;
    int m_beforeInsert = -1;
    std::map<int, std::function<void(const Change &)>> m_listeners;
    int m_nextListener = 1;
};

} // namespace db
