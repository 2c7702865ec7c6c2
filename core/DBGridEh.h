#pragma once
// The program's data grid: a read-only table over a query result with titled columns,
// display formats, footers (count or sum), title-click sorting and owner-coloured rows.

#include "platform/db/Database.h"

#include <QColor>
#include <QWidget>
#include <functional>

class QTableView;
class QLabel;
class QHBoxLayout;
class GridRows;

namespace db {
class ResultModel;
}

struct GridColumn {
    enum Footer { NoFooter, Count, Sum };
    QString field;          // column of the result
    QString title;          // caption in the title row
    int width = 90;         // pixels
    QString format;         // "0.00", "0", "yyyy-MM-dd", "yyyy-MM-dd HH:mm:ss" or empty (as stored)
    Footer footer = NoFooter;
    Qt::Alignment align = Qt::AlignLeft | Qt::AlignVCenter;
};

class DBGridEh : public QWidget {
    Q_OBJECT
public:
    explicit DBGridEh(QWidget *parent = nullptr);

    // Columns to show; without them every result column is shown under its own name.
    void SetColumns(const QList<GridColumn> &columns);
    void SetResult(db::Result result);   // keeps the current row index where it can
    const db::Result &Result() const;

    int RowCount() const;
    int CurrentRow() const;              // -1 when empty
    void SetCurrentRow(int row);
    db::Field Value(const QString &field) const;   // of the current row; Null when none
    db::Field Value(int row, const QString &field) const;

    // Background colour of a row (invalid colour = default).
    void SetRowColour(std::function<QColor(const db::Result &, int row)> fn);
    // Footer text of a column, as shown ("共 N 条" / the sum in the column's format).
    QString FooterText(int column) const;
    // Footer prefix shown in the first column when it has no footer of its own.
    void SetFooterCaption(const QString &caption);

    QTableView *View() const { return m_view; }

signals:
    void currentRowChanged(int row);
    void rowDoubleClicked(int row);

private:
    void ShowColumns(const QList<GridColumn> &columns);
    int SourceRow(int row) const;
    void UpdateFooter();

    QTableView *m_view = nullptr;
    db::ResultModel *m_model = nullptr;
    GridRows *m_rows = nullptr;              // the rows as shown: sorted, coloured
    QList<GridColumn> m_setColumns;          // as given to SetColumns
    QList<GridColumn> m_columns;             // as shown
    QWidget *m_footer = nullptr;
    QHBoxLayout *m_footerLayout = nullptr;
    QList<QLabel *> m_footerLabels;
    QString m_footerCaption;
};

// Formats a value for display the way the grids do (db::formatField).
QString FormatFieldText(const db::Field &field, const QString &format);
