#include "DBGridEh.h"

#include <QAbstractTableModel>
#include <QHBoxLayout>
#include <QHeaderView>
#include <QLabel>
#include <QTableView>
#include <QVBoxLayout>
#include <algorithm>
#include <numeric>

QString FormatFieldText(const db::Field &field, const QString &format)
{
    if (field.isNull())
        return {};
    if (format.isEmpty())
        return field.asString();
    if (format == QLatin1String("0.00"))
        return QString::number(field.asFloat(), 'f', 2);
    if (format == QLatin1String("0"))
        return QString::number(field.asFloat(), 'f', 0);
    if (format.startsWith(QLatin1String("yyyy"))) {
        const QDateTime dt = field.asDateTime();
        return dt.isValid() ? dt.toString(format) : field.asString();
    }
    return field.asString();
}

// Read-only model over an in-memory result, sorted through a row index.
class GridModel : public QAbstractTableModel {
public:
    using QAbstractTableModel::QAbstractTableModel;

    db::Result result;
    QList<GridColumn> columns;
    QVector<int> order;   // view row -> result row
    std::function<QColor(const db::Result &, int)> rowColour;

    void reset(db::Result r, QList<GridColumn> cols)
    {
        beginResetModel();
        result = std::move(r);
        columns = std::move(cols);
        if (columns.isEmpty())
            for (const QString &c : result.columns())
                columns.append(GridColumn{c, c});
        fieldIndex.clear();
        for (const GridColumn &c : std::as_const(columns))
            fieldIndex.append(result.columnIndex(c.field));
        order.resize(result.rowCount());
        std::iota(order.begin(), order.end(), 0);
        endResetModel();
    }

    db::Field field(int viewRow, int column) const
    {
        const int c = fieldIndex.value(column, -1);
        if (c < 0 || viewRow < 0 || viewRow >= order.size())
            return {};
        return result.value(order[viewRow], c);
    }

    int rowCount(const QModelIndex &parent = {}) const override { return parent.isValid() ? 0 : int(order.size()); }
    int columnCount(const QModelIndex &parent = {}) const override { return parent.isValid() ? 0 : int(columns.size()); }

    QVariant data(const QModelIndex &index, int role) const override
    {
        if (!index.isValid())
            return {};
        const GridColumn &col = columns[index.column()];
        switch (role) {
        case Qt::DisplayRole:
            return FormatFieldText(field(index.row(), index.column()), col.format);
        case Qt::TextAlignmentRole:
            return int(col.align);
        case Qt::BackgroundRole:
            if (rowColour) {
                const QColor c = rowColour(result, order[index.row()]);
                if (c.isValid())
                    return c;
            }
            return {};
        default:
            return {};
        }
    }

    QVariant headerData(int section, Qt::Orientation o, int role) const override
    {
        if (o == Qt::Horizontal && role == Qt::DisplayRole && section < columns.size())
            return columns[section].title;
        return {};
    }

    void sort(int column, Qt::SortOrder so) override
    {
        const int c = fieldIndex.value(column, -1);
        if (c < 0)
            return;
        emit layoutAboutToBeChanged();
        std::stable_sort(order.begin(), order.end(), [&](int a, int b) {
            const QVariant &va = result.m_rows[a][c];
            const QVariant &vb = result.m_rows[b][c];
            bool less;
            if (va.isNull() || vb.isNull())
                less = va.isNull() && !vb.isNull();
            else if (va.typeId() == QMetaType::QString || vb.typeId() == QMetaType::QString)
                less = va.toString().localeAwareCompare(vb.toString()) < 0;
            else
                less = va.toDouble() < vb.toDouble();
            return so == Qt::AscendingOrder ? less : (!less && va != vb && !(va.isNull() && vb.isNull()));
        });
        emit layoutChanged();
    }

private:
    QVector<int> fieldIndex;
};

DBGridEh::DBGridEh(QWidget *parent) : QWidget(parent)
{
    auto *layout = new QVBoxLayout(this);
    layout->setContentsMargins(0, 0, 0, 0);
    layout->setSpacing(0);
    m_view = new QTableView(this);
    m_view->setObjectName(QStringLiteral("GridView"));
    m_model = new GridModel(this);
    m_view->setModel(m_model);
    m_view->setSelectionBehavior(QAbstractItemView::SelectRows);
    m_view->setSelectionMode(QAbstractItemView::SingleSelection);
    m_view->setEditTriggers(QAbstractItemView::NoEditTriggers);
    // Rows keep the statement's order until a title is clicked.
    m_view->horizontalHeader()->setSortIndicator(-1, Qt::AscendingOrder);
    m_view->setSortingEnabled(true);
    m_view->horizontalHeader()->setSortIndicatorShown(true);
    connect(m_view->horizontalHeader(), &QHeaderView::sortIndicatorChanged, this, [this] { m_sorted = true; });
    m_view->horizontalHeader()->setHighlightSections(false);
    m_view->verticalHeader()->setDefaultSectionSize(20);
    m_view->verticalHeader()->setFixedWidth(14);
    m_view->setAlternatingRowColors(false);
    layout->addWidget(m_view, 1);

    m_footer = new QWidget(this);
    m_footer->setObjectName(QStringLiteral("GridFooter"));
    m_footer->setStyleSheet(QStringLiteral("background: rgb(255,255,225);"));
    m_footerLayout = new QHBoxLayout(m_footer);
    m_footerLayout->setContentsMargins(14, 1, 0, 1);
    m_footerLayout->setSpacing(0);
    m_footer->hide();
    layout->addWidget(m_footer);

    connect(m_view->selectionModel(), &QItemSelectionModel::currentRowChanged, this,
            [this](const QModelIndex &cur) { emit currentRowChanged(cur.isValid() ? cur.row() : -1); });
    connect(m_view, &QTableView::doubleClicked, this, [this](const QModelIndex &i) { emit rowDoubleClicked(i.row()); });
    connect(m_view->horizontalHeader(), &QHeaderView::sectionResized, this, [this] { UpdateFooter(); });
}

void DBGridEh::SetColumns(const QList<GridColumn> &columns)
{
    m_model->reset(m_model->result, columns);
    for (int i = 0; i < columns.size(); ++i)
        m_view->setColumnWidth(i, columns[i].width);
    UpdateFooter();
}

void DBGridEh::SetResult(db::Result result)
{
    const int keep = CurrentRow();
    const QList<GridColumn> cols = m_model->columns;
    const bool hadColumns = !cols.isEmpty() && m_model->result.columnCount() > 0;
    m_model->reset(std::move(result), hadColumns || !cols.isEmpty() ? cols : QList<GridColumn>{});
    if (cols.isEmpty())
        for (int i = 0; i < m_model->columns.size(); ++i)
            m_view->setColumnWidth(i, m_model->columns[i].width);
    const int sortColumn = m_view->horizontalHeader()->sortIndicatorSection();
    if (m_sorted && sortColumn >= 0 && sortColumn < m_model->columns.size())
        m_model->sort(sortColumn, m_view->horizontalHeader()->sortIndicatorOrder());
    if (RowCount() > 0)
        SetCurrentRow(std::clamp(keep, 0, RowCount() - 1));
    else
        emit currentRowChanged(-1);
    UpdateFooter();
}

const db::Result &DBGridEh::Result() const
{
    return m_model->result;
}

int DBGridEh::RowCount() const
{
    return m_model->rowCount();
}

int DBGridEh::CurrentRow() const
{
    const QModelIndex i = m_view->currentIndex();
    return i.isValid() ? i.row() : (RowCount() > 0 ? 0 : -1);
}

void DBGridEh::SetCurrentRow(int row)
{
    if (row < 0 || row >= RowCount())
        return;
    m_view->setCurrentIndex(m_model->index(row, 0));
    m_view->selectRow(row);
}

db::Field DBGridEh::Value(const QString &field) const
{
    return Value(CurrentRow(), field);
}

db::Field DBGridEh::Value(int row, const QString &field) const
{
    if (row < 0 || row >= RowCount())
        return {};
    const int c = m_model->result.columnIndex(field);
    if (c < 0)
        return {};
    return m_model->result.value(m_model->order[row], c);
}

void DBGridEh::SetRowColour(std::function<QColor(const db::Result &, int)> fn)
{
    m_model->rowColour = std::move(fn);
}

void DBGridEh::SetFooterCaption(const QString &caption)
{
    m_footerCaption = caption;
    UpdateFooter();
}

QString DBGridEh::FooterText(int column) const
{
    if (column < 0 || column >= m_model->columns.size())
        return {};
    const GridColumn &col = m_model->columns[column];
    switch (col.footer) {
    case GridColumn::Count:
        return QStringLiteral("共 %1 条").arg(RowCount());
    case GridColumn::Sum: {
        double sum = 0;
        for (int r = 0; r < RowCount(); ++r)
            sum += m_model->field(r, column).asFloat();
        return col.format == QLatin1String("0") ? QString::number(sum, 'f', 0) : QString::number(sum, 'f', 2);
    }
    case GridColumn::NoFooter:
        break;
    }
    return column == 0 ? m_footerCaption : QString();
}

void DBGridEh::UpdateFooter()
{
    const bool any = std::any_of(m_model->columns.cbegin(), m_model->columns.cend(),
                                 [](const GridColumn &c) { return c.footer != GridColumn::NoFooter; });
    m_footer->setVisible(any);
    if (!any)
        return;
    while (m_footerLabels.size() < m_model->columns.size()) {
        auto *l = new QLabel(m_footer);
        m_footerLayout->addWidget(l);
        m_footerLabels.append(l);
    }
    for (int i = 0; i < m_footerLabels.size(); ++i) {
        QLabel *l = m_footerLabels[i];
        if (i >= m_model->columns.size()) {
            l->hide();
            continue;
        }
        l->show();
        l->setFixedWidth(m_view->columnWidth(i));
        l->setAlignment(m_model->columns[i].align);
        l->setText(FooterText(i));
    }
}
