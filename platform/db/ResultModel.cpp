#include "ResultModel.h"
#include "JetSql.h"

namespace db {

QString formatField(const Field &field, const QString &pattern)
{
    if (pattern.isEmpty() || field.isYesNo())
        return field.asString();
    return jet::formatValue(field.raw(), pattern);
}

ResultModel::ResultModel(QObject *parent) : QAbstractTableModel(parent) {}

ResultModel::ResultModel(Result result, QObject *parent) : QAbstractTableModel(parent)
{
    setResult(std::move(result));
}

ResultModel::ResultModel(DataSet *dataSet, QObject *parent) : QAbstractTableModel(parent)
{
    setDataSet(dataSet);
}

ResultModel::~ResultModel()
{
    if (m_dataSet)
        m_dataSet->removeListener(m_listener);
}

void ResultModel::setResult(Result result)
{
    beginResetModel();
    if (m_dataSet)
        m_dataSet->removeListener(m_listener);
    m_dataSet = nullptr;
    m_result = std::move(result);
    remap();
    endResetModel();
}

void ResultModel::setDataSet(DataSet *dataSet)
{
    beginResetModel();
    if (m_dataSet)
        m_dataSet->removeListener(m_listener);
    m_dataSet = dataSet;
    m_result = Result();
    if (m_dataSet)
        m_listener = m_dataSet->addListener([this](const DataSet::Change &c) { onChange(c); });
    remap();
    endResetModel();
}

QStringList ResultModel::sourceColumns() const
{
    return m_dataSet ? m_dataSet->columns() : m_result.columns();
}

void ResultModel::setColumns(const QStringList &names)
{
    beginResetModel();
    m_shown = names;
    remap();
    endResetModel();
}

void ResultModel::remap()
{
    const QStringList source = sourceColumns();
    m_map.clear();
    if (m_shown.isEmpty()) {
        for (int i = 0; i < source.size(); ++i)
            m_map << i;
        return;
    }
    for (const QString &n : std::as_const(m_shown)) {
        int found = -1;
        for (int i = 0; i < source.size() && found < 0; ++i)
            if (source[i].compare(n, Qt::CaseInsensitive) == 0)
                found = i;
        m_map << found;
    }
}

void ResultModel::setCaption(const QString &column, const QString &caption)
{
    m_captions.insert(key(column), caption);
    const int c = columnOf(column);
    if (c >= 0)
        emit headerDataChanged(Qt::Horizontal, c, c);
}

void ResultModel::setDisplayFormat(const QString &column, const QString &pattern)
{
    m_formats.insert(key(column), pattern);
    const int c = columnOf(column);
    if (c >= 0 && rowCount() > 0)
        emit dataChanged(index(0, c), index(rowCount() - 1, c), {Qt::DisplayRole});
}

void ResultModel::setAlignment(const QString &column, Qt::Alignment alignment)
{
    m_alignments.insert(key(column), alignment);
}

int ResultModel::sourceColumn(int column) const
{
    return column >= 0 && column < m_map.size() ? m_map[column] : -1;
}

QString ResultModel::columnName(int column) const
{
    if (!m_shown.isEmpty())
        return m_shown.value(column);
    return sourceColumns().value(sourceColumn(column));
}

int ResultModel::columnOf(const QString &name) const
{
    for (int c = 0; c < m_map.size(); ++c)
        if (columnName(c).compare(name, Qt::CaseInsensitive) == 0)
            return c;
    return -1;
}

Field ResultModel::field(int row, int column) const
{
    const int s = sourceColumn(column);
    if (s < 0 || row < 0 || row >= rowCount())
        return {};
    return m_dataSet ? m_dataSet->value(row, s) : m_result.value(row, s);
}

Field ResultModel::value(int row, const QString &column) const
{
    const int s = m_dataSet ? m_dataSet->columnIndex(column) : m_result.columnIndex(column);
    if (s < 0 || row < 0 || row >= rowCount())
        return {};
    return m_dataSet ? m_dataSet->value(row, s) : m_result.value(row, s);
}

QString ResultModel::displayText(int row, int column) const
{
    return formatField(field(row, column), m_formats.value(key(columnName(column))));
}

int ResultModel::rowCount(const QModelIndex &parent) const
{
    if (parent.isValid())
        return 0;
    return m_dataSet ? m_dataSet->rowCount() : m_result.rowCount();
}

int ResultModel::columnCount(const QModelIndex &parent) const
{
    return parent.isValid() ? 0 : int(m_map.size());
}

QVariant ResultModel::data(const QModelIndex &index, int role) const
{
    if (!index.isValid())
        return {};
    switch (role) {
    case Qt::DisplayRole:
        return displayText(index.row(), index.column());
    case Qt::EditRole:
        return field(index.row(), index.column()).raw();
    case Qt::TextAlignmentRole: {
        auto it = m_alignments.constFind(key(columnName(index.column())));
        if (it != m_alignments.constEnd())
            return QVariant::fromValue(*it);
        const QVariant &v = field(index.row(), index.column()).raw();
        const bool number = v.typeId() == QMetaType::LongLong || v.typeId() == QMetaType::Double;
        return QVariant::fromValue((number ? Qt::AlignRight : Qt::AlignLeft) | Qt::AlignVCenter);
    }
    default:
        return {};
    }
}

QVariant ResultModel::headerData(int section, Qt::Orientation orientation, int role) const
{
    if (role != Qt::DisplayRole)
        return {};
    if (orientation == Qt::Vertical)
        return section + 1;
    const QString name = columnName(section);
    return m_captions.value(key(name), name);
}

Qt::ItemFlags ResultModel::flags(const QModelIndex &index) const
{
    Qt::ItemFlags f = QAbstractTableModel::flags(index);
    if (m_dataSet && sourceColumn(index.column()) >= 0)
        f |= Qt::ItemIsEditable;
    return f;
}

bool ResultModel::setData(const QModelIndex &index, const QVariant &value, int role)
{
    const int s = sourceColumn(index.column());
    if (!m_dataSet || role != Qt::EditRole || s < 0)
        return false;
    try {
        if (!m_dataSet->locate(index.row()) || m_dataSet->currentRow() != index.row())
            return false;
        m_dataSet->setFieldValue(m_dataSet->columns()[s], value);
        return m_dataSet->isEditing();
    } catch (const DbError &) {
        return false;
    }
}

void ResultModel::onChange(const DataSet::Change &c)
{
    switch (c.kind) {
    case DataSet::Change::Reset:
        if (c.about) {
            beginResetModel();
        } else {
            remap();   // the select may bring other columns
            endResetModel();
        }
        break;
    case DataSet::Change::RowInserted:
        if (c.about)
            beginInsertRows({}, c.row, c.row);
        else
            endInsertRows();
        break;
    case DataSet::Change::RowRemoved:
        if (c.about)
            beginRemoveRows({}, c.row, c.row);
        else
            endRemoveRows();
        break;
    case DataSet::Change::RowChanged:
        if (columnCount() > 0)
            emit dataChanged(index(c.row, 0), index(c.row, columnCount() - 1));
        break;
    case DataSet::Change::Scrolled:
        emit currentRowChanged(c.row);
        break;
    }
}

} // namespace db
