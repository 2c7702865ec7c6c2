#pragma once
// A table model over a query result (read-only) or an editable DataSet, for QTableView.
// The model shows the rows held in memory: a grid over a large result opens at once.

#include "DataSet.h"
#include "Database.h"

#include <QAbstractTableModel>
#include <QHash>

namespace db {

// How grids show a value: through a format() pattern (see jet::formatValue), except
// Yes/No values and values without a pattern, which show as stored ("True"/"False").
QString formatField(const Field &field, const QString &pattern);

class ResultModel : public QAbstractTableModel {
    Q_OBJECT
public:
    explicit ResultModel(QObject *parent = nullptr);
    explicit ResultModel(Result result, QObject *parent = nullptr);
    explicit ResultModel(DataSet *dataSet, QObject *parent = nullptr);   // the data set outlives the model
    ~ResultModel() override;

    void setResult(Result result);
    void setDataSet(DataSet *dataSet);
    const Result &result() const { return m_result; }
    DataSet *dataSet() const { return m_dataSet; }

    // The columns shown, by name and in order; empty shows every column of the source.
    void setColumns(const QStringList &names);
    void setCaption(const QString &column, const QString &caption);
    // A format() pattern for display, e.g. "0.00" for money or "yyyy-MM-dd" for dates.
    void setDisplayFormat(const QString &column, const QString &pattern);
    void setAlignment(const QString &column, Qt::Alignment alignment);

    QString columnName(int column) const;
    int columnOf(const QString &name) const;   // shown column of a source column; -1 when not shown
    Field field(int row, int column) const;
    // A source column by name, shown or not; Null when there is no such row or column.
    Field value(int row, const QString &column) const;
    QString displayText(int row, int column) const;

    int rowCount(const QModelIndex &parent = {}) const override;
    int columnCount(const QModelIndex &parent = {}) const override;
    QVariant data(const QModelIndex &index, int role = Qt::DisplayRole) const override;
    QVariant headerData(int section, Qt::Orientation orientation, int role = Qt::DisplayRole) const override;
    Qt::ItemFlags flags(const QModelIndex &index) const override;
    // Edits go to the data set's row (it enters Edit); false when refused or failed.
    bool setData(const QModelIndex &index, const QVariant &value, int role = Qt::EditRole) override;

signals:
    // The data set's current row moved.
    void currentRowChanged(int row);

private:
    void onChange(const DataSet::Change &change);
    QStringList sourceColumns() const;
    void remap();
    int sourceColumn(int column) const;
    QString key(const QString &column) const { return column.toLower(); }

    Result m_result;
    DataSet *m_dataSet = nullptr;
    int m_listener = 0;
    QStringList m_shown;
    QVector<int> m_map;   // shown column -> source column (-1 when absent)
    QHash<QString, QString> m_captions, m_formats;
    QHash<QString, Qt::Alignment> m_alignments;
};

} // namespace db
