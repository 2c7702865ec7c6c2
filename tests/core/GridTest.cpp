// The shared data grid: display texts, footers, title-click sorting, row colours and
// what a refresh keeps.

#include "support/TestEnv.h"
#include "core/DBGridEh.h"

#include <QApplication>
#include <QHeaderView>
#include <QMouseEvent>
#include <QTableView>

namespace {

db::Result MakeResult(const QStringList &columns, const QVector<QVector<QVariant>> &rows,
                      const QVector<bool> &yesNo = {})
{
    db::Result r;
    r.m_columns = columns;
    r.m_yesNo = yesNo.isEmpty() ? QVector<bool>(columns.size(), false) : yesNo;
    r.m_rows = rows;
    return r;
}

const QVariant Null;

// Cost records as the history screens load them, in the statement's order.
db::Result Costs()
{
    return MakeResult({"CostID", "CostMoney", "CostDate", "ifExitGoods"},
                      {{"C1", 120.5, "2026-03-02 09:05:00", 0},
                       {"C2", 9.0, "2026-03-01 18:30:10", 0},
                       {"C3", -30.25, "2026-03-03 12:00:00", 1},
                       {"C4", Null, Null, 0},
                       {"C5", 10.0, "2026-02-28 08:00:00", 0}});
}

class Grid : public ::testing::Test {
protected:
    void SetUp() override
    {
        EnsureApplication();
        grid = std::make_unique<DBGridEh>();
        grid->resize(640, 300);
        grid->SetColumns({{"CostID", "消费号", 80, {}, GridColumn::Count},
                          {"CostMoney", "消费金额", 80, "0.00", GridColumn::Sum, Qt::AlignRight | Qt::AlignVCenter},
                          {"CostDate", "消费日期", 140, "yyyy-MM-dd HH:mm:ss"}});
        grid->SetFooterCaption(QStringLiteral("合计"));
        grid->SetResult(Costs());
        grid->show();
    }

    QString Text(int row, int column) const
    {
        const QAbstractItemModel *m = grid->View()->model();
        return m->index(row, column).data().toString();
    }

    QStringList Ids() const
    {
        QStringList ids;
        for (int r = 0; r < grid->RowCount(); ++r)
            ids << grid->Value(r, "CostID").asString();
        return ids;
    }

    // A click on a column title, as the operator makes it.
    void ClickTitle(int column)
    {
        QHeaderView *h = grid->View()->horizontalHeader();
        const QPointF at(h->sectionViewportPosition(column) + h->sectionSize(column) / 2, h->height() / 2);
        QMouseEvent press(QEvent::MouseButtonPress, at, h->viewport()->mapToGlobal(at), Qt::LeftButton,
                          Qt::LeftButton, Qt::NoModifier);
        QApplication::sendEvent(h->viewport(), &press);
        QMouseEvent release(QEvent::MouseButtonRelease, at, h->viewport()->mapToGlobal(at), Qt::LeftButton,
                            Qt::NoButton, Qt::NoModifier);
        QApplication::sendEvent(h->viewport(), &release);
    }

    std::unique_ptr<DBGridEh> grid;
};

TEST_F(Grid, ShowsTitlesWidthsAndFormattedTexts)
{
    const QAbstractItemModel *m = grid->View()->model();
    ASSERT_EQ(m->columnCount(), 3);
    EXPECT_EQ(m->headerData(1, Qt::Horizontal).toString(), QStringLiteral("消费金额"));
    EXPECT_FALSE(m->headerData(0, Qt::Vertical).isValid());   // the row indicator has no numbers
    EXPECT_EQ(grid->View()->columnWidth(2), 140);
    EXPECT_EQ(Qt::Alignment(m->index(0, 1).data(Qt::TextAlignmentRole).toInt()), Qt::AlignRight | Qt::AlignVCenter);
    EXPECT_EQ(Qt::Alignment(m->index(0, 0).data(Qt::TextAlignmentRole).toInt()), Qt::AlignLeft | Qt::AlignVCenter);
    EXPECT_EQ(Text(0, 0), QStringLiteral("C1"));
    EXPECT_EQ(Text(0, 1), QStringLiteral("120.50"));
    EXPECT_EQ(Text(2, 1), QStringLiteral("-30.25"));
    EXPECT_EQ(Text(0, 2), QStringLiteral("2026-03-02 09:05:00"));
    EXPECT_EQ(Text(3, 1), QString());   // Null shows nothing
    EXPECT_EQ(Text(3, 2), QString());

    // A refresh keeps the widths the columns were given.
    grid->SetResult(Costs());
    EXPECT_EQ(grid->View()->columnWidth(2), 140);
}

TEST(GridText, FormatsAsTheGridsShowThem)
{
    const struct {
        QVariant value;
        bool yesNo;
        const char *format;
        const char *text;
    } cases[] = {
        {12.5, false, "0.00", "12.50"},
        {qlonglong(7), false, "0.00", "7.00"},
        {QStringLiteral("3.1"), false, "0.00", "3.10"},   // numbers stored as text
        {2.675, false, "0.00", "2.68"},                   // half away from zero, as format() in SQL
        {-0.001, false, "0.00", "0.00"},                  // no "-0.00"
        {1234567.891, false, "0.00", "1234567.89"},       // no grouping
        {12.5, false, "0", "13"},
        {qlonglong(42), false, "0", "42"},
        {12.5, false, "", "12.5"},
        {qlonglong(-3), false, "", "-3"},
        {QStringLiteral("2026-03-02 09:05:07"), false, "yyyy-MM-dd", "2026-03-02"},
        {QStringLiteral("2026-03-02 09:05:07"), false, "yyyy-MM-dd HH:mm:ss", "2026-03-02 09:05:07"},
        {QStringLiteral("2026-03-02 09:05:07"), false, "yyyy-MM-dd HH:MM:SS", "2026-03-02 09:05:07"},
        {QStringLiteral("2026-03-02"), false, "yyyy-MM-dd HH:mm:ss", "2026-03-02 00:00:00"},
        {QStringLiteral("不是日期"), false, "yyyy-MM-dd", "不是日期"},
        {qlonglong(1), true, "", "True"},
        {qlonglong(0), true, "", "False"},
        {qlonglong(-1), true, "0", "True"},   // Yes/No stays text whatever the format
        {Null, false, "0.00", ""},
        {Null, true, "", ""},
    };
    for (const auto &c : cases)
        EXPECT_EQ(FormatFieldText(db::Field(c.value, c.yesNo), QString::fromUtf8(c.format)), QString::fromUtf8(c.text))
            << c.value.toString().toStdString() << " / " << c.format;
}

TEST_F(Grid, FootersCountSumAndCaption)
{
    EXPECT_EQ(grid->FooterText(0), QStringLiteral("共 5 条"));
    EXPECT_EQ(grid->FooterText(1), QStringLiteral("109.25"));   // the Null counts as nothing
    EXPECT_EQ(grid->FooterText(2), QString());
    EXPECT_EQ(grid->FooterText(9), QString());
    EXPECT_EQ(grid->findChild<QWidget *>("GridFooter")->isVisible(), true);

    // A whole-number column sums whole; without a count the first column shows the caption.
    grid->SetColumns({{"ifExitGoods", "退货"}, {"CostMoney", "次数", 60, "0", GridColumn::Sum}});
    EXPECT_EQ(grid->FooterText(0), QStringLiteral("合计"));
    EXPECT_EQ(grid->FooterText(1), QStringLiteral("109"));

    grid->SetResult(MakeResult({"ifExitGoods", "CostMoney"}, {}));
    EXPECT_EQ(grid->FooterText(1), QStringLiteral("0"));

    grid->SetColumns({{"CostID", "消费号"}});
    EXPECT_FALSE(grid->findChild<QWidget *>("GridFooter")->isVisible());
}

TEST_F(Grid, RowsKeepTheStatementOrderUntilATitleIsClicked)
{
    EXPECT_EQ(Ids(), (QStringList{"C1", "C2", "C3", "C4", "C5"}));
    grid->SetResult(Costs());
    EXPECT_EQ(Ids(), (QStringList{"C1", "C2", "C3", "C4", "C5"}));

    // Numbers sort as numbers, Null first; a second click reverses.
    ClickTitle(1);
    EXPECT_EQ(Ids(), (QStringList{"C4", "C3", "C2", "C5", "C1"}));
    EXPECT_EQ(Text(1, 1), QStringLiteral("-30.25"));
    EXPECT_EQ(grid->Value(4, "CostMoney").asFloat(), 120.5);
    ClickTitle(1);
    EXPECT_EQ(Ids(), (QStringList{"C1", "C5", "C2", "C3", "C4"}));

    // Dates sort by time; the current row's values follow the row shown.
    ClickTitle(2);
    EXPECT_EQ(Ids(), (QStringList{"C4", "C5", "C2", "C1", "C3"}));
    grid->SetCurrentRow(1);
    EXPECT_EQ(grid->Value("CostID").asString(), QStringLiteral("C5"));
    EXPECT_EQ(grid->Value("ifExitGoods").asInt(), 0);   // a field that is not shown
    EXPECT_TRUE(grid->Value("NoSuchField").isNull());
    EXPECT_TRUE(grid->Value(5, "CostID").isNull());
}

TEST_F(Grid, RowColourFollowsTheRowThroughSorting)
{
    grid->SetRowColour([](const db::Result &r, int row) {
        return r.value(row, QStringLiteral("ifExitGoods")).asInt() == 1 ? QColor(192, 220, 192) : QColor();
    });
    const QAbstractItemModel *m = grid->View()->model();
    EXPECT_EQ(m->index(2, 1).data(Qt::BackgroundRole).value<QColor>(), QColor(192, 220, 192));
    EXPECT_FALSE(m->index(0, 1).data(Qt::BackgroundRole).isValid());

    ClickTitle(1);   // C3 moves to the second row
    EXPECT_EQ(m->index(1, 0).data(Qt::BackgroundRole).value<QColor>(), QColor(192, 220, 192));
    EXPECT_FALSE(m->index(2, 0).data(Qt::BackgroundRole).isValid());
}

TEST_F(Grid, RefreshKeepsTheOperatorsSortAndTheCurrentRowIndex)
{
    ClickTitle(0);
    ClickTitle(0);   // descending by id
    grid->SetCurrentRow(3);
    QList<int> moved;
    QObject::connect(grid.get(), &DBGridEh::currentRowChanged, [&](int row) { moved << row; });

    db::Result more = Costs();
    more.m_rows.append({"C6", 1.0, "2026-03-04 10:00:00", 0});
    grid->SetResult(more);
    EXPECT_EQ(Ids(), (QStringList{"C6", "C5", "C4", "C3", "C2", "C1"}));
    EXPECT_EQ(grid->CurrentRow(), 3);
    EXPECT_EQ(grid->Value("CostID").asString(), QStringLiteral("C3"));
    EXPECT_EQ(grid->View()->selectionModel()->selectedRows().value(0).row(), 3);
    ASSERT_FALSE(moved.isEmpty());
    EXPECT_EQ(moved.last(), 3);

    // Fewer rows: the last one; none: no current row.
    grid->SetResult(MakeResult(Costs().columns(), {{"A", 1.0, Null, 0}, {"B", 2.0, Null, 0}}));
    EXPECT_EQ(Ids(), (QStringList{"B", "A"}));
    EXPECT_EQ(grid->CurrentRow(), 1);
    grid->SetResult(MakeResult(Costs().columns(), {}));
    EXPECT_EQ(grid->CurrentRow(), -1);
    EXPECT_EQ(moved.last(), -1);
    EXPECT_TRUE(grid->Value("CostID").isNull());
}

TEST(GridColumns, WithoutColumnsEveryResultColumnIsShownUnderItsName)
{
    EnsureApplication();
    DBGridEh grid;
    grid.SetResult(MakeResult({"KindID", "KindName"}, {{"01", "食品"}, {"02", "日用"}}));
    const QAbstractItemModel *m = grid.View()->model();
    ASSERT_EQ(m->columnCount(), 2);
    EXPECT_EQ(m->headerData(1, Qt::Horizontal).toString(), QStringLiteral("KindName"));
    EXPECT_EQ(m->index(1, 1).data().toString(), QStringLiteral("日用"));
    EXPECT_EQ(grid.CurrentRow(), 0);
    EXPECT_EQ(grid.Result().rowCount(), 2);

    // A double click reports the row shown.
    QList<int> clicked;
    QObject::connect(&grid, &DBGridEh::rowDoubleClicked, [&](int row) { clicked << row; });
    emit grid.View()->doubleClicked(m->index(1, 0));
    EXPECT_EQ(clicked, QList<int>{1});
}

} // namespace
