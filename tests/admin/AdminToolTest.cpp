// kelvo-admin run as a separate process, as the build and a shop's technician run it,
// plus the rows of the database it delivers.

#include "support/TestEnv.h"

#include "BuildConfig.h"
#include "platform/db/Database.h"

#include <QCryptographicHash>
#include <QFile>
#include <QProcess>
#include <QStandardPaths>
#include <QTemporaryDir>

namespace {

struct ToolRun {
    int code = -1;
    QString out;
    QString err;
};

QString adminPath()
{
    const QString fromEnv = qEnvironmentVariable("KELVO_ADMIN");
    return fromEnv.isEmpty() ? QStringLiteral(KELVO_APP_DIR "/kelvo-admin") : fromEnv;
}

ToolRun runProgram(const QString &program, const QStringList &args)
{
    QProcess p;
    p.start(program, args);
    ToolRun r;
    if (!p.waitForStarted() || !p.waitForFinished(600000))
        return r;
    r.code = p.exitStatus() == QProcess::NormalExit ? p.exitCode() : -1;
    r.out = QString::fromUtf8(p.readAllStandardOutput());
    r.err = QString::fromUtf8(p.readAllStandardError());
    return r;
}

ToolRun admin(const QStringList &args)
{
    return runProgram(adminPath(), args);
}

QByteArray digest(const QString &path)
{
    QFile f(path);
    if (!f.open(QIODevice::ReadOnly))
        return {};
    return QCryptographicHash::hash(f.readAll(), QCryptographicHash::Sha256);
}

class AdminTool : public ::testing::Test {
protected:
    void SetUp() override
    {
        EnsureApplication();
        ASSERT_TRUE(dir.isValid());
        file = dir.filePath(QStringLiteral("JQ_CardMgr.dat"));
        const ToolRun r = admin({QStringLiteral("initdb"), file});
        ASSERT_EQ(r.code, 0) << r.err.toStdString();
    }

    ToolRun sql(const QString &statement) { return admin({QStringLiteral("sql"), file, statement}); }
    // The single value of a one-column, one-row select.
    QString scalar(const QString &statement)
    {
        const ToolRun r = sql(statement);
        EXPECT_EQ(r.code, 0) << r.err.toStdString();
        return r.out.split(QLatin1Char('\n')).value(1);
    }

    QTemporaryDir dir;
    QString file;
};

TEST_F(AdminTool, InitDbRefusesToOverwriteAnExistingFile)
{
    const QByteArray before = digest(file);
    const ToolRun r = admin({QStringLiteral("initdb"), file});
    EXPECT_EQ(r.code, 1);
    EXPECT_FALSE(r.err.isEmpty());
    EXPECT_EQ(digest(file), before);
}

TEST_F(AdminTool, InitDbIntoAMissingFolderFailsAndLeavesNothing)
{
    const QString target = dir.filePath(QStringLiteral("no/such/folder/x.dat"));
    const ToolRun r = admin({QStringLiteral("initdb"), target});
    EXPECT_EQ(r.code, 1);
    EXPECT_FALSE(r.err.isEmpty());
    EXPECT_FALSE(QFile::exists(target));
}

TEST_F(AdminTool, SqlPrintsHeaderAndRowsSeparatedByTabs)
{
    const ToolRun r = sql(QStringLiteral("select CodeID,memberName from T_MemberInfo where CodeID='0000'"));
    EXPECT_EQ(r.code, 0) << r.err.toStdString();
    EXPECT_EQ(r.out, QStringLiteral("CodeID\tmemberName\n0000\t无卡客户\n"));
}

TEST_F(AdminTool, SqlPrintsValuesAsTheProgramReadsThem)
{
    // Yes/No as True/False, numbers in shortest form, Null as an empty field, dates as stored.
    EXPECT_EQ(sql(QStringLiteral("select IfUse_Birthday,IfUse_ModiMoney,KeepDay,LessMoney from T_SysSet")).out,
              QStringLiteral("IfUse_Birthday\tIfUse_ModiMoney\tKeepDay\tLessMoney\nTrue\tFalse\t7\t50\n"));
    EXPECT_EQ(sql(QStringLiteral("select birthday,rate from T_MemberInfo a, D_MemberLevel b "
                                 "where a.CardLevel=b.ID and CodeID='0000'"))
                  .out,
              QStringLiteral("birthday\trate\n\t1\n"));
    sql(QStringLiteral("update T_MemberInfo set AddDate='2025-03-04 05:06:07' where CodeID='0000'"));
    EXPECT_EQ(scalar(QStringLiteral("select AddDate from T_MemberInfo where CodeID='0000'")),
              QStringLiteral("2025-03-04 05:06:07"));
}

TEST_F(AdminTool, SqlPrintsTheNumberOfRowsChanged)
{
    const struct {
        const char *statement;
        const char *printed;
    } cases[] = {
        {"update D_MemberLevel set rate=0.8 where SysSet=0", "3\n"},
        {"update D_MemberLevel set rate=0.8 where ID='none'", "0\n"},
        {"insert into D_GoodsKind(KindID,KindName,SysSet) values('77','测试',0)", "1\n"},
        {"delete from D_GoodsKind where KindID='77'", "1\n"},
    };
    for (const auto &c : cases) {
        const ToolRun r = sql(QString::fromUtf8(c.statement));
        EXPECT_EQ(r.code, 0) << c.statement << ": " << r.err.toStdString();
        EXPECT_EQ(r.out, QString::fromUtf8(c.printed)) << c.statement;
    }
    EXPECT_EQ(scalar(QStringLiteral("select count(*) from D_MemberLevel where rate=0.8")), QStringLiteral("3"));
}

TEST_F(AdminTool, BadStatementsExitWithTheErrorOnStderr)
{
    for (const char *statement : {"selec CodeID from T_MemberInfo", "select nothing from T_NoSuchTable",
                                  "insert into T_MemberInfo(CodeID) values('0000')"}) {
        const ToolRun r = sql(QString::fromUtf8(statement));
        EXPECT_EQ(r.code, 1) << statement;
        EXPECT_TRUE(r.out.isEmpty()) << statement;
        EXPECT_FALSE(r.err.trimmed().isEmpty()) << statement;
    }
}

TEST_F(AdminTool, CheckReportsOk)
{
    const ToolRun r = admin({QStringLiteral("check"), file});
    EXPECT_EQ(r.code, 0) << r.err.toStdString();
    EXPECT_EQ(r.out, QStringLiteral("ok\n"));
}

TEST_F(AdminTool, CheckFailsOnADamagedOrMissingFile)
{
    QFile f(file);
    ASSERT_TRUE(f.open(QIODevice::ReadWrite));
    f.seek(3000);
    f.write(QByteArray(2000, 'x'));
    f.close();
    ToolRun r = admin({QStringLiteral("check"), file});
    EXPECT_EQ(r.code, 1);
    EXPECT_NE(r.out, QStringLiteral("ok\n"));

    r = admin({QStringLiteral("check"), dir.filePath(QStringLiteral("missing.dat"))});
    EXPECT_EQ(r.code, 1);
    EXPECT_FALSE(r.err.isEmpty());
}

TEST_F(AdminTool, ThePasswordIsRequiredAndNeverPrinted)
{
    const QString own = QStringLiteral("Sh0p-Own-Pw");
    const QString wrong = QStringLiteral("Wr0ng-Pw-42");
    const QString other = dir.filePath(QStringLiteral("own.dat"));
    ASSERT_EQ(admin({QStringLiteral("--password"), own, QStringLiteral("initdb"), other}).code, 0);

    const QList<ToolRun> runs = {
        admin({QStringLiteral("check"), other}),   // the compiled-in password does not open it
        admin({QStringLiteral("--password"), wrong, QStringLiteral("check"), other}),
        admin({QStringLiteral("--password"), wrong, QStringLiteral("sql"), other, QStringLiteral("select 1")}),
        admin({QStringLiteral("--password"), wrong, QStringLiteral("check"), file}),
        admin({QStringLiteral("--password"), own, QStringLiteral("sql"), other, QStringLiteral("select x from y")}),
        admin({QStringLiteral("--password"), own, QStringLiteral("initdb"), other}),
    };
    for (const ToolRun &r : runs) {
        EXPECT_EQ(r.code, 1);
        for (const QString &secret : {own, wrong, QStringLiteral(KELVO_DB_PASSWORD)}) {
            EXPECT_FALSE(r.out.contains(secret) || r.err.contains(secret)) << r.err.toStdString();
        }
    }
    const ToolRun ok = admin({QStringLiteral("--password"), own, QStringLiteral("check"), other});
    EXPECT_EQ(ok.code, 0);
    EXPECT_EQ(ok.out, QStringLiteral("ok\n"));
}

TEST_F(AdminTool, TheFileCannotBeReadWithoutThePassword)
{
    QFile f(file);
    ASSERT_TRUE(f.open(QIODevice::ReadOnly));
    EXPECT_FALSE(f.read(16).startsWith("SQLite format 3"));
    const QByteArray whole = f.readAll();
    EXPECT_FALSE(whole.contains("T_MemberInfo"));
    EXPECT_FALSE(whole.contains("admin"));

    const QString cli = QStandardPaths::findExecutable(QStringLiteral("sqlite3"));
    ASSERT_FALSE(cli.isEmpty()) << "the sqlite3 command-line program (package sqlite3) is needed";
    const ToolRun r = runProgram(cli, {file, QStringLiteral("select count(*) from sqlite_master")});
    EXPECT_NE(r.code, 0) << r.out.toStdString();
}

// ---- the delivered rows, read through the engine -------------------------------------

class DeliveredRows : public AdminTool {
protected:
    void SetUp() override
    {
        AdminTool::SetUp();
        database.open(file, QStringLiteral(KELVO_DB_PASSWORD));
    }
    QStringList column(const QString &statement)
    {
        QStringList values;
        const db::Result r = database.query(statement);
        for (int i = 0; i < r.rowCount(); ++i) {
            QStringList fields;
            for (int c = 0; c < r.columnCount(); ++c)
                fields << r.value(i, c).asString();
            values << fields.join(QLatin1Char('|'));
        }
        return values;
    }
    db::Database database;
};

TEST_F(DeliveredRows, DictionariesHoldTheCodesTheScreensShow)
{
    EXPECT_EQ(column(QStringLiteral("select CardId,CardKind from D_MemberCardKind order by CardId")),
              QStringList({"1|折扣卡", "2|储值卡", "3|计次卡"}));
    EXPECT_EQ(column(QStringLiteral("select StateID from D_MemberCardState order by StateID")),
              QStringList({"1", "2", "3"}));
    EXPECT_EQ(column(QStringLiteral("select KindId,KindName from D_CardCheapKind order by KindId")),
              QStringList({"01|存款优惠", "02|计次消费"}));
    EXPECT_EQ(column(QStringLiteral("select ID,TipStyle,Flag from D_TipOffStyle order by ID")),
              QStringList({"1|1.一次性提醒|1", "2|2.每周提醒|1", "3|3.每月提醒|1", "4|4.每年提醒|1"}));
}

TEST_F(DeliveredRows, AdministratorAndNoCardCustomer)
{
    EXPECT_EQ(column(QStringLiteral("select UserCode,UserName,PassWord,IFSys from D_UserManage")),
              QStringList({"admin|管理员|admin|1"}));
    EXPECT_EQ(column(QStringLiteral("select CodeID,memberKind,CurState,CardLevel,CheapMode from T_MemberInfo")),
              QStringList({"0000|1|1|00|0"}));
    EXPECT_EQ(column(QStringLiteral("select SysSet from D_MemberLevel where ID='00'")), QStringList({"1"}));
    EXPECT_EQ(column(QStringLiteral("select count(*) from T_SysSet")), QStringList({"1"}));
}

TEST_F(DeliveredRows, ANewMemberFindsLevelsAndStylesOfBothKinds)
{
    // The registration offers the ordinary levels and, per card kind, its styles.
    EXPECT_EQ(column(QStringLiteral("select ID from D_MemberLevel where SysSet=0")).value(0), QStringLiteral("01"));
    EXPECT_FALSE(column(QStringLiteral("select CheapID from D_CardCheapStyle where CheapKind='01'")).isEmpty());
    EXPECT_FALSE(column(QStringLiteral("select CheapID from D_CardCheapStyle where CheapKind='02'")).isEmpty());
    // The built-in level's band holds no score, so the upgrade rule never picks it.
    EXPECT_EQ(column(QStringLiteral("select ID from D_MemberLevel where scoreup<=0 and scoredown>=0")),
              QStringList({"01"}));
    for (const double s : {0.0, 999.0, 999.5, 1000.0, 4999.0, 5000.0, 99999.0}) {
        EXPECT_EQ(column(QStringLiteral("select ID from D_MemberLevel where scoreup<=%1 and scoredown>=%1").arg(s))
                      .size(),
                  s == 999.5 ? 0 : 1)
            << s;
    }
}

TEST_F(DeliveredRows, StyleRemarksAreGeneratedFromTheAmounts)
{
    const db::Result r = database.query(
        QStringLiteral("select CheapKind,CostMoney,CheapMoney,ReMark from D_CardCheapStyle"));
    ASSERT_GT(r.rowCount(), 0);
    for (int i = 0; i < r.rowCount(); ++i) {
        const QString cost = r.value(i, 1).asString(), cheap = r.value(i, 2).asString();
        const QString expected = r.value(i, 0).asString() == QLatin1String("01")
                                     ? QStringLiteral("交费100元相当于存入卡中%1元").arg(cheap)
                                     : QStringLiteral("交费%1元 可以消费%2次").arg(cost, cheap);
        EXPECT_EQ(r.value(i, 3).asString(), expected);
        if (r.value(i, 0).asString() == QLatin1String("01"))
            EXPECT_EQ(cost, QStringLiteral("100"));
    }
}

TEST_F(DeliveredRows, EveryReportDefinitionBuildsARunnableStatement)
{
    // The table lists the report screens hand to the report builder.
    const struct {
        const char *key;
        const char *from;
    } reports[] = {
        {"T_MemberInfo", "T_MemberInfo a where 1=1"},
        {"T_CostInfo", "T_MemberCostInfo a ,T_MemberInfo b   where a.CardID=b.CodeID  "},
        {"T_Array", "T_MemberInfo a    where 1=1"},
        {"T_PayMoney", "T_CardPutMoney a ,T_MemberInfo b   where a.cardID=b.CodeID  "},
        {"T_ScoreExGoods", "T_ScoreExGoods a ,T_MemberInfo b    where a.CardID=b.CodeID "},
        {"T_ScoreGoods", "D_GoodsStore a    where 1=1 "},
        {"T_BuyExitGoods", "T_GoodsBuySale a,D_GoodsStore b  where a.GoodsID=b.GoodsID "},
        {"T_SpendGoods", "T_GoodsCostDetailInfo a,D_GoodsStore b    where a.goodsID=b.GoodsId "
                         " group by  a.GoodsID,a.GoodsPrice, GoodsKind, b.GoodsName,b.GoodsUnit "},
        {"T_SpendDetailGoods", "T_GoodsCostDetailInfo a,D_GoodsStore b    where a.goodsID=b.GoodsId "},
    };
    database.exec(QStringLiteral("insert into D_GoodsStore(GoodsID,GoodsName,GoodsKind,GoodsUnit,SalePrice) "
                                 "values('G1','面包','00','个',5)"));
    database.exec(QStringLiteral("insert into T_GoodsCostDetailInfo(CostID,CardID,GoodsId,GoodsPrice,GoodsCount,"
                                 "SumPrice,CostDate) values('20250101100000','0000','G1',5,2,10,'2025-01-01 10:00:00')"));
    for (const auto &rep : reports) {
        const QString key = QString::fromLatin1(rep.key);
        const db::Result rows = database.query(
            QStringLiteral("select PrintName,PrintField,ifPrint from T_PrintSet where BelongReport=? order by SortNo"),
            {key});
        ASSERT_GT(rows.rowCount(), 0) << rep.key;
        QStringList fields, captions;
        int printed = 0;
        for (int i = 0; i < rows.rowCount(); ++i) {
            captions << rows.value(i, 0).asString();
            fields << rows.value(i, 1).asString();
            printed += int(rows.value(i, 2).asInt());
        }
        EXPECT_GT(printed, 0) << rep.key;
        db::Result r;
        try {
            r = database.query(QStringLiteral("select %1  from  %2").arg(fields.join(QLatin1Char(',')),
                                                                        QString::fromLatin1(rep.from)));
        } catch (const db::DbError &e) {
            ADD_FAILURE() << rep.key << ": " << e.text().toStdString();
            continue;
        }
        EXPECT_EQ(r.columns(), captions) << rep.key;
    }
}

TEST_F(DeliveredRows, StorageFollowsJetConventions)
{
    // Text compares without regard to case; widths and unique keys are enforced; numbers default to 0.
    EXPECT_EQ(column(QStringLiteral("select UserCode from D_UserManage where UserCode='ADMIN'")),
              QStringList({"admin"}));
    database.exec(QStringLiteral("insert into D_UserManage(UserCode,UserName) values('u1','收银')"));
    EXPECT_EQ(column(QStringLiteral("select IFSys from D_UserManage where UserCode='u1'")), QStringList({"0"}));
    database.exec(QStringLiteral("insert into T_MemberInfo(CodeID,memberName) values('A1','测试')"));
    EXPECT_EQ(column(QStringLiteral("select CurMoney,memberScore,HisSumMoney,SumScore,CardVailFlag "
                                    "from T_MemberInfo where CodeID='A1'")),
              QStringList({"0|0|0|0|False"}));
    for (const char *bad : {"insert into T_MemberInfo(CodeID) values('a1')",
                            "insert into T_MemberInfo(CodeID,CardLevel) values('A2','12345')",
                            "insert into D_UserManage(UserCode) values('ADMIN')",
                            "insert into D_MemberLevel(ID,UserName) values('01','重复')",
                            "insert into D_GoodsKind(KindID,KindName) values('00','重复')"}) {
        EXPECT_THROW(database.exec(QString::fromUtf8(bad)), db::DbError) << bad;
    }
}

// ---- demo data ---------------------------------------------------------------------

TEST(AdminDemo, FillsAFreshDatabaseWithConsistentRows)
{
    EnsureApplication();
    QTemporaryDir dir;
    const QString file = dir.filePath(QStringLiteral("demo.dat"));
    const QStringList demo = {QStringLiteral("demo"), file, QStringLiteral("--members"), QStringLiteral("200"),
                              QStringLiteral("--sales"), QStringLiteral("500"), QStringLiteral("--goods"),
                              QStringLiteral("300")};
    const ToolRun r = admin(demo);
    ASSERT_EQ(r.code, 0) << r.err.toStdString();

    auto value = [&](const QString &f, const char *statement) {
        const ToolRun q = admin({QStringLiteral("sql"), f, QString::fromUtf8(statement)});
        EXPECT_EQ(q.code, 0) << statement << ": " << q.err.toStdString();
        return q.out.section(QLatin1Char('\n'), 1, 1);
    };
    const struct {
        const char *statement;
        const char *expected;
    } checks[] = {
        {"select count(*) from T_MemberInfo", "201"},
        {"select count(*) from T_MemberCostInfo", "500"},
        {"select count(distinct CostID) from T_MemberCostInfo", "500"},
        {"select count(*) from D_GoodsStore", "300"},
        {"select count(*) from T_MemberCostInfo where len(CostID)<>14", "0"},
        // Every goods sale has 1 to 5 lines whose amounts add up to the consumption.
        {"select count(*) from (select CostID from T_GoodsCostDetailInfo group by CostID having count(*)>5)", "0"},
        {"select count(*) from T_MemberCostInfo m where CostMoney>0 and abs(CostMoney-(select sum(SumPrice) "
         "from T_GoodsCostDetailInfo d where d.CostID=m.CostID))>0.005",
         "0"},
        {"select count(*) from T_GoodsCostDetailInfo d where not exists "
         "(select 1 from T_MemberCostInfo m where m.CostID=d.CostID and m.CardID=d.CardID)",
         "0"},
        {"select count(*) from T_GoodsCostDetailInfo d where d.GoodsId not in (select GoodsID from D_GoodsStore)", "0"},
        {"select count(*) from T_MemberCostInfo where CardID not in (select CodeID from T_MemberInfo)", "0"},
        {"select count(*) from T_CardPutMoney where CardID not in (select CodeID from T_MemberInfo)", "0"},
        {"select count(*) from T_MemberInfo where memberScore<0 or CurMoney<0", "0"},
        {"select count(*) from T_MemberInfo where CodeID<>'0000' and (Spell is null or Spell='')", "0"},
        {"select count(distinct TipOFFMode) from T_TipOffSet", "4"},
        {"select count(*) from T_MemberInfo where Mobile<>'' and Mobile not like '1[358]_________'", "0"},
        {"select count(distinct Mobile) from T_MemberInfo where CodeID<>'0000'", "200"},
    };
    for (const auto &c : checks)
        EXPECT_EQ(value(file, c.statement), QString::fromUtf8(c.expected)) << c.statement;

    const int lines = value(file, "select count(*) from T_GoodsCostDetailInfo").toInt();
    EXPECT_GE(lines, 500);
    EXPECT_LE(lines, 5 * 500);
    for (const char *table : {"T_CardPutMoney", "T_ScoreExGoods", "T_SysLog", "T_GoodsBuySale", "D_ExchangeGoods"})
        EXPECT_GT(value(file, (QByteArray("select count(*) from ") + table).constData()).toInt(), 0) << table;
    EXPECT_EQ(admin({QStringLiteral("check"), file}).out, QStringLiteral("ok\n"));

    // The same size gives the same data; a filled database is not filled twice.
    const QString again = dir.filePath(QStringLiteral("again.dat"));
    QStringList secondRun = demo;
    secondRun[1] = again;
    ASSERT_EQ(admin(secondRun).code, 0);
    for (const char *listing : {"select memberName,Mobile,CurMoney,CardLevel from T_MemberInfo order by CodeID",
                                "select CostID,CardID,CostMoney from T_MemberCostInfo order by CostID",
                                "select CostID,GoodsId,GoodsCount,SumPrice from T_GoodsCostDetailInfo order by CostID,GoodsId"}) {
        const ToolRun first = admin({QStringLiteral("sql"), file, QString::fromUtf8(listing)});
        const ToolRun second = admin({QStringLiteral("sql"), again, QString::fromUtf8(listing)});
        EXPECT_EQ(first.code, 0) << first.err.toStdString();
        EXPECT_EQ(first.out, second.out) << listing;
    }
    const ToolRun refused = admin(secondRun);
    EXPECT_EQ(refused.code, 1);
    EXPECT_FALSE(refused.err.isEmpty());
}

} // namespace
