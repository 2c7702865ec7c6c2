#include "DBGridEh.h"

#include "platform/db/ResultModel.h"

#include <QHBoxLayout>
#include <QHeaderView>
#include <QLabel>
#include <QSortFilterProxyModel>
#include <QTableView>
#include <QVBoxLayout>
#include <algorithm>

QString FormatFieldText(const db::Field &field, const QString &format)
{
    return db::formatField(field, format);
}

// The rows as shown: the statement's order until a title is clicked, then sorted on
// the stored values (not the display texts), and painted by the owner's colours.
class GridRows : public QSortFilterProxyModel {
public:
    GridRows(db::ResultModel *source, QObject *parent) : QSortFilterProxyModel(parent), m_source(source)
    {
        setSourceModel(source);
    }

    std::function<QColor(const db::Result &, int)> rowColour;

    QVariant data(const QModelIndex &index, int role) const override
    {
        if (role == Qt::BackgroundRole && rowColour && index.isValid()) {
            const QColor c = rowColour(m_source->result(), mapToSource(index).row());
            return c.isValid() ? QVariant(c) : QVariant();
        }
        return QSortFilterProxyModel::data(index, role);
    }

    QVariant headerData(int section, Qt::Orientation o, int role) const override
    {
        if (o == Qt::Vertical)
            return {};   // the narrow row indicator column carries no numbers
        return QSortFilterProxyModel::headerData(section, o, role);
    }

protected:
    bool lessThan(const QModelIndex &a, const QModelIndex &b) const override
    {
        const QVariant va = m_source->field(a.row(), a.column()).raw();
        const QVariant vb = m_source->field(b.row(), b.column()).raw();
        if (va.isNull() || vb.isNull())
            return va.isNull() && !vb.isNull();
        if (va.typeId() == QMetaType::QString || vb.typeId() == QMetaType::QString)
            return va.toString().localeAwareCompare(vb.toString()) < 0;
        return va.toDouble() < vb.toDouble();
    }

private:
    db::ResultModel *m_source;
};

DBGridEh::DBGridEh(QWidget *parent) : QWidget(parent)
{
    auto *layout = new QVBoxLayout(this);
    layout->setContentsMargins(0, 0, 0, 0);
    layout->setSpacing(0);
    m_view = new QTableView(this);
    m_view->setObjectName(QStringLiteral("GridView"));
    m_model = new db::ResultModel(this);
    m_rows = new GridRows(m_model, this);
    m_view->setModel(m_rows);
    m_view->setSelectionBehavior(QAbstractItemView::SelectRows);
    m_view->setSelectionMode(QAbstractItemView::SingleSelection);
    m_view->setEditTriggers(QAbstractItemView::NoEditTriggers);
    // Rows keep the statement's order until a title is clicked.
    m_view->horizontalHeader()->setSortIndicator(-1, Qt::AscendingOrder);
    m_view->setSortingEnabled(true);
    m_view->horizontalHeader()->setSortIndicatorShown(true);
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
    m_setColumns = columns;
    if (columns.isEmpty()) {
        QList<GridColumn> all;
        for (const QString &c : m_model->result().columns())
            all.append(GridColumn{c, c});
        ShowColumns(all);
    } else {
        ShowColumns(columns);
    }
}

void DBGridEh::ShowColumns(const QList<GridColumn> &columns)
{
    QStringList names;
    for (const GridColumn &c : columns) {
        names << c.field;
        m_model->setCaption(c.field, c.title);
        m_model->setDisplayFormat(c.field, c.format);
        m_model->setAlignment(c.field, c.align);
    }
    m_columns = columns;
    m_model->setColumns(names);
    for (int i = 0; i < columns.size(); ++i)
        m_view->setColumnWidth(i, columns[i].width);
    UpdateFooter();
}

void DBGridEh::SetResult(db::Result result)
{
    const int keep = CurrentRow();
    if (m_setColumns.isEmpty()) {
        // Every column under its own name; widths are reset only when the columns change.
        QStringList shown;
        for (const GridColumn &c : std::as_const(m_columns))
            shown << c.field;
        if (shown != result.columns()) {
            QList<GridColumn> all;
            for (const QString &c : result.columns())
                all.append(GridColumn{c, c});
            ShowColumns(all);
        }
    }
    // The proxy keeps the operator's sort across the reset.
    m_model->setResult(std::move(result));
    if (RowCount() > 0)
        SetCurrentRow(std::clamp(keep, 0, RowCount() - 1));
    else
        emit currentRowChanged(-1);
    UpdateFooter();
}

const db::Result &DBGridEh::Result() const
{
    return m_model->result();
}

int DBGridEh::RowCount() const
{
    return m_rows->rowCount();
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
    m_view->setCurrentIndex(m_rows->index(row, 0));
    m_view->selectRow(row);
}

int DBGridEh::SourceRow(int row) const
{
    if (row < 0 || row >= RowCount())
        return -1;
    const QModelIndex i = m_rows->mapToSource(m_rows->index(row, 0));
    return i.isValid() ? i.row() : -1;
}

db::Field DBGridEh::Value(const QString &field) const
{
    return Value(CurrentRow(), field);
}

db::Field DBGridEh::Value(int row, const QString &field) const
{
    return m_model->value(SourceRow(row), field);
}

void DBGridEh::SetRowColour(std::function<QColor(const db::Result &, int)> fn)
{
    m_rows->rowColour = std::move(fn);
}

void DBGridEh::SetFooterCaption(const QString &caption)
{
    m_footerCaption = caption;
    UpdateFooter();
}

QString DBGridEh::FooterText(int column) const
{
    if (column < 0 || column >= m_columns.size())
        return {};
    const GridColumn &col = m_columns[column];
    switch (col.footer) {
    case GridColumn::Count:
        return QStringLiteral("共 %1 条").arg(RowCount());
    case GridColumn::Sum: {
        double sum = 0;
        for (int r = 0; r < m_model->rowCount(); ++r)
            sum += m_model->field(r, column).asFloat();
        const bool whole = col.format == QLatin1String("0");
        return db::formatField(db::Field(sum, false), whole ? QStringLiteral("0") : QStringLiteral("0.00"));
    }
    case GridColumn::NoFooter:
        break;
    }
    return column == 0 ? m_footerCaption : QString();
}

void DBGridEh::UpdateFooter()
{
    const bool any = std::any_of(m_columns.cbegin(), m_columns.cend(),
                                 [](const GridColumn &c) { return c.footer != GridColumn::NoFooter; });
    m_footer->setVisible(any);
    if (!any)
        return;
    while (m_footerLabels.size() < m_columns.size()) {
        auto *l = new QLabel(m_footer);
        m_footerLayout->addWidget(l);
        m_footerLabels.append(l);
    }
    for (int i = 0; i < m_footerLabels.size(); ++i) {
        QLabel *l = m_footerLabels[i];
        if (i >= m_columns.size()) {
            l->hide();
            continue;
        }
        l->show();
        l->setFixedWidth(m_view->columnWidth(i));
        l->setAlignment(m_columns[i].align);
        l->setText(FooterText(i));
    }
}
