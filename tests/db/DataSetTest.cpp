#include "JetDbFixture.h"
#include "platform/db/DataSet.h"
#include "platform/db/ResultModel.h"

#include <QFile>

namespace {

TEST_F(JetDb, DataSetPostsInsertAndEditAndKeepsTheRowid)
{
    db.execScript(QStringLiteral("CREATE TABLE D_User (UserCode TEXT COLLATE NOCASE, UserName TEXT COLLATE NOCASE,"
                                 " IFSys YESNO DEFAULT 0, Power TEXT COLLATE NOCASE DEFAULT '$01;');"
                                 "INSERT INTO D_User VALUES ('admin','管理员',1,'');"));
    db::DataSet ds(db, QStringLiteral("D_User"), {}, QStringLiteral("select * from D_User order by IFSys desc, UserCode"));
    EXPECT_EQ(ds.rowCount(), 1);
    EXPECT_EQ(ds.columns(), (QStringList{"UserCode", "UserName", "IFSys", "Power"}));
    EXPECT_EQ(ds.fieldValue(QStringLiteral("IFSys")).asString(), QStringLiteral("True"));

    ASSERT_TRUE(ds.append());
    EXPECT_EQ(ds.state(), db::DataSet::State::Insert);
    ds.setFieldValue(QStringLiteral("UserCode"), QStringLiteral("0001"));
    ds.setFieldValue(QStringLiteral("UserName"), QStringLiteral("O'Brien"));
    ASSERT_TRUE(ds.post());
    EXPECT_EQ(ds.state(), db::DataSet::State::Browse);
    // defaults of the table come back with the row
    EXPECT_EQ(ds.fieldValue(QStringLiteral("Power")).asString(), QStringLiteral("$01;"));
    EXPECT_EQ(ds.fieldValue(QStringLiteral("IFSys")).asString(), QStringLiteral("False"));

    // the same row is updated later, also after its code changed
    ds.setFieldValue(QStringLiteral("UserCode"), QStringLiteral("0002"));
    EXPECT_EQ(ds.state(), db::DataSet::State::Edit);
    ASSERT_TRUE(ds.post());
    ds.setFieldValue(QStringLiteral("UserName"), QStringLiteral("李四"));
    ASSERT_TRUE(ds.post());
    EXPECT_EQ(scalar(QStringLiteral("select count(*) from D_User")), QStringLiteral("2"));
    EXPECT_EQ(scalar(QStringLiteral("select UserName from D_User where UserCode='0002'")), QStringLiteral("李四"));
}

TEST_F(JetDb, DataSetCancelAbortErrorAndDelete)
{
    db.execScript(QStringLiteral("CREATE TABLE D_Level (ID TEXT COLLATE NOCASE PRIMARY KEY, UserName TEXT COLLATE NOCASE NOT NULL, rate REAL);"
                                 "INSERT INTO D_Level VALUES ('01','普通',1),('02','银卡',0.9),('03','金卡',0.8);"));
    db::DataSet ds(db, QStringLiteral("D_Level"), {QStringLiteral("ID")}, QStringLiteral("select * from D_Level order by ID"));
    int scrolls = 0;
    ds.afterScroll = [&](db::DataSet &) { ++scrolls; };

    // cancel restores the row and writes nothing
    ASSERT_TRUE(ds.locate(1));
    ds.setFieldValue(QStringLiteral("rate"), 0.5);
    ds.cancel();
    EXPECT_EQ(ds.fieldValue(QStringLiteral("rate")).asString(), QStringLiteral("0.9"));
    EXPECT_EQ(ds.state(), db::DataSet::State::Browse);

    // cancel of an insert drops the new row and goes back
    ASSERT_TRUE(ds.append());
    EXPECT_EQ(ds.rowCount(), 4);
    ds.cancel();
    EXPECT_EQ(ds.rowCount(), 3);
    EXPECT_EQ(ds.currentRow(), 1);

    // a before-post handler abandons silently: nothing written, the row stays in editing
    ds.beforePost = [](db::DataSet &d) {
        if (d.fieldValue(QStringLiteral("rate")).asFloat() > 1)
            throw db::Abort();
    };
    ds.setFieldValue(QStringLiteral("rate"), 1.5);
    EXPECT_FALSE(ds.post());
    EXPECT_EQ(ds.state(), db::DataSet::State::Edit);
    EXPECT_FALSE(ds.next());   // moving posts first; the abort keeps the row
    EXPECT_EQ(ds.currentRow(), 1);
    EXPECT_EQ(scalar(QStringLiteral("select rate from D_Level where ID='02'")), QStringLiteral("0.9"));
    ds.setFieldValue(QStringLiteral("rate"), 0.85);
    EXPECT_TRUE(ds.next());
    EXPECT_EQ(scalar(QStringLiteral("select rate from D_Level where ID='02'")), QStringLiteral("0.85"));

    // a database error raises and keeps the row in editing
    ASSERT_TRUE(ds.append());
    ds.setFieldValue(QStringLiteral("ID"), QStringLiteral("04"));
    EXPECT_THROW(ds.post(), db::DbError);   // UserName NOT NULL
    EXPECT_EQ(ds.state(), db::DataSet::State::Insert);
    ds.setFieldValue(QStringLiteral("UserName"), QStringLiteral("钻石"));
    EXPECT_TRUE(ds.post());
    EXPECT_EQ(scalar(QStringLiteral("select count(*) from D_Level")), QStringLiteral("4"));

    // delete: before-delete may abandon; otherwise the row goes
    ds.beforeDelete = [](db::DataSet &d) {
        if (d.fieldValue(QStringLiteral("ID")).asString() == QLatin1String("01"))
            throw db::Abort();
    };
    ASSERT_TRUE(ds.locate(QStringLiteral("ID"), QStringLiteral("01")));
    EXPECT_FALSE(ds.remove());
    ASSERT_TRUE(ds.locate(QStringLiteral("UserName"), QStringLiteral("金卡")));
    EXPECT_TRUE(ds.remove());
    EXPECT_EQ(ds.rowCount(), 3);
    EXPECT_EQ(column(QStringLiteral("select ID from D_Level order by ID")), (QStringList{"01", "02", "04"}));
    EXPECT_GT(scrolls, 0);

    // refresh sees rows written elsewhere
    db.exec(QStringLiteral("Insert into D_Level(ID,UserName,rate) values('05','黑卡',0.5)"));
    ds.refresh();
    EXPECT_EQ(ds.rowCount(), 4);
}

TEST_F(JetDb, ResultModelShowsCaptionsFormatsYesNoAndFollowsTheDataSet)
{
    db::ResultModel model(db.query(QStringLiteral("select CodeID, CurMoney, CardIfUpGrade from T_Member order by CodeID")));
    model.setCaption(QStringLiteral("CodeID"), QStringLiteral("会员卡号"));
    model.setDisplayFormat(QStringLiteral("CurMoney"), QStringLiteral("0.00"));
    EXPECT_EQ(model.rowCount(), 3);
    EXPECT_EQ(model.headerData(0, Qt::Horizontal).toString(), QStringLiteral("会员卡号"));
    EXPECT_EQ(model.headerData(1, Qt::Horizontal).toString(), QStringLiteral("CurMoney"));
    EXPECT_EQ(model.data(model.index(0, 1)).toString(), QStringLiteral("100.50"));
    EXPECT_EQ(model.data(model.index(1, 1)).toString(), QString());
    EXPECT_EQ(model.data(model.index(0, 2)).toString(), QStringLiteral("True"));
    EXPECT_EQ(model.data(model.index(1, 2)).toString(), QStringLiteral("False"));
    EXPECT_FALSE(model.flags(model.index(0, 0)) & Qt::ItemIsEditable);

    db::DataSet ds(db, QStringLiteral("T_Member"), {}, QStringLiteral("select CodeID, memberName from T_Member order by CodeID"));
    db::ResultModel editable(&ds);
    editable.setColumns({QStringLiteral("memberName")});
    int inserted = 0;
    QObject::connect(&editable, &QAbstractItemModel::rowsInserted, [&] { ++inserted; });
    EXPECT_EQ(editable.columnCount(), 1);
    // Any source column reads by name, shown or not.
    EXPECT_EQ(editable.value(2, QStringLiteral("codeid")).asString(), QStringLiteral("0003"));
    EXPECT_TRUE(editable.value(2, QStringLiteral("NoSuchColumn")).isNull());
    EXPECT_TRUE(editable.value(3, QStringLiteral("CodeID")).isNull());
    EXPECT_TRUE(editable.setData(editable.index(2, 0), QStringLiteral("Bobby")));
    EXPECT_EQ(ds.currentRow(), 2);
    EXPECT_TRUE(ds.post());
    EXPECT_EQ(scalar(QStringLiteral("select memberName from T_Member where CodeID='0003'")), QStringLiteral("Bobby"));
    ASSERT_TRUE(ds.append());
    EXPECT_EQ(inserted, 1);
    EXPECT_EQ(editable.rowCount(), 4);
    ds.cancel();
    EXPECT_EQ(editable.rowCount(), 3);
}

TEST(DatabaseOpen, WrongPasswordAndMissingFileFailAtOpen)
{
    QTemporaryDir dir;
    const QString path = dir.filePath(QStringLiteral("x.dat"));
    {
        db::Database db;
        db.open(path, QStringLiteral("right-pw"), true);
        db.execScript(QStringLiteral("CREATE TABLE A (x TEXT)"));
    }
    db::Database db;
    try {
        db.open(path, QStringLiteral("wrong-pw-123"), false);
        ADD_FAILURE() << "opened with a wrong password";
    } catch (const db::DbError &e) {
        EXPECT_FALSE(e.text().contains(QStringLiteral("wrong-pw-123")));
        EXPECT_FALSE(e.text().contains(QStringLiteral("right-pw")));
    }
    EXPECT_FALSE(db.isOpen());
    try {
        db.open(dir.filePath(QStringLiteral("missing.dat")), QStringLiteral("right-pw"), false);
        ADD_FAILURE() << "opened a missing file";
    } catch (const db::DbError &e) {
        EXPECT_FALSE(e.text().contains(QStringLiteral("right-pw")));
    }
    EXPECT_FALSE(db.isOpen());
    EXPECT_FALSE(QFile::exists(dir.filePath(QStringLiteral("missing.dat"))));
    db.open(path, QStringLiteral("right-pw"), false);
    EXPECT_TRUE(db.isOpen());
}

} // namespace
