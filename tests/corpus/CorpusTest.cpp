// Every statement the program runs (statements.txt, plus the report builder's statements
// made from the delivered report definitions) must run on the delivered database, and a
// sample of them must give the results the screens rely on.

#include "support/TestEnv.h"
#include "core/Clock.h"

#include <QFile>
#include <QTextStream>
#include <algorithm>

namespace {

struct Statement {
    QString where;
    QString sql;
};

QList<Statement> LoadStatements()
{
    QList<Statement> list;
    QFile file(QStringLiteral(KELVO_SOURCE_DIR "/tests/corpus/statements.txt"));
    if (!file.open(QIODevice::ReadOnly | QIODevice::Text)) {
        ADD_FAILURE() << "cannot read " << file.fileName().toStdString();
        return list;
    }
    QTextStream in(&file);
    in.setEncoding(QStringConverter::Utf8);
    QString where;
    while (!in.atEnd()) {
        const QString line = in.readLine();
        if (line.trimmed().isEmpty() || line.startsWith(QLatin1Char('#')))
            continue;
        if (line.startsWith(QLatin1String("-- "))) {
            where = line.mid(3).trimmed();
            continue;
        }
        EXPECT_FALSE(where.isEmpty()) << "statement without a comment line: " << line.toStdString();
        list.append({where, line});
        where.clear();
    }
    return list;
}

const QList<Statement> &Corpus()
{
    static const QList<Statement> corpus = LoadStatements();
    return corpus;
}

QString CorpusSql(const QString &where)
{
    for (const Statement &s : Corpus())
        if (s.where == where)
            return s.sql;
    ADD_FAILURE() << "no statement for " << where.toStdString();
    return {};
}

bool IsSelect(const QString &sql)
{
    return sql.trimmed().startsWith(QLatin1String("select"), Qt::CaseInsensitive);
}

QDateTime At(const char *text)
{
    return QDateTime::fromString(QString::fromLatin1(text), QStringLiteral("yyyy-MM-dd HH:mm:ss"));
}

// Rows as "v1|v2;v1|v2", the chosen columns (all when none) read as text.
QString Render(const db::Result &r, const QStringList &columns, bool anyOrder)
{
    QStringList rows;
    for (int i = 0; i < r.rowCount(); ++i) {
        QStringList values;
        if (columns.isEmpty()) {
            for (int c = 0; c < r.columnCount(); ++c)
                values << r.value(i, c).asString();
        } else {
            for (const QString &c : columns)
                values << r.value(i, c).asString();
        }
        rows << values.join(QLatin1Char('|'));
    }
    if (anyOrder)
        std::sort(rows.begin(), rows.end());
    return rows.join(QLatin1Char(';'));
}

// The report definitions of the report screens: key, table list, alias and a condition
// of the kind each screen appends.
struct ReportDef {
    const char *key;
    const char *from;
    const char *alias;
    const char *tail;
};

const ReportDef kReports[] = {
    {"T_MemberInfo", "T_MemberInfo", "a",
     " where 1=1  and format(AddDate,'yyyy-MM-dd')>='2026-11-01'  and format(AddDate,'yyyy-MM-dd')<='2026-12-31'"
     " and memberKind=1 and CardLevel='03' and (codeID like '%张%' or memberName like '%张%' or Spell  like '%张%') "},
    {"T_CostInfo", "T_MemberCostInfo a ,T_MemberInfo b", " ",
     " where a.CardID=b.CodeID   and format(a.costdate,'yyyy-MM-dd')>='2026-12-01'  and format(a.costdate,'yyyy-MM-dd')<='2026-12-15'"
     " and memberKind=2 and CardLevel='01'"},
    {"T_Array", "T_MemberInfo a ", " ",
     " where a.codeid in (select cardID from T_memberCostInfo a1 where    a.codeid=a1.cardid"
     " and format(a1.costdate,'yyyy-MM-dd')>='2026-12-01'  and format(a1.costdate,'yyyy-MM-dd')<='2026-12-15') "},
    {"T_PayMoney", "T_CardPutMoney a ,T_MemberInfo b", " ",
     " where a.cardID=b.CodeID   and format(PayDate,'yyyy-MM-dd')>='2026-12-01'  and format(PayDate,'yyyy-MM-dd')<='2026-12-15'"
     " and a.UserMan='admin'"},
    {"T_ScoreExGoods", "T_ScoreExGoods a ,T_MemberInfo b ", " ",
     " where a.CardID=b.CodeID  and format(a.ExDate,'yyyy-MM-dd') >='2026-12-01'  and format(a.ExDate,'yyyy-MM-dd')<='2026-12-15'"
     " and (codeID like '%1001%' or memberName like '%1001%' or Spell  like '%1001%') "},
    {"T_ScoreGoods", "D_GoodsStore a ", " ",
     " where 1=1  and a.goodsKind='01'and  (GoodsName like '%可%' or GoodsSimple like '%可%' or  GoodsID like '%可%')"},
    {"T_BuyExitGoods", "T_GoodsBuySale a,D_GoodsStore b", " ",
     " where a.GoodsID=b.GoodsID  and format(a.CreateDate,'yyyy-MM-dd')>='2026-12-01'  and format(a.CreateDate,'yyyy-MM-dd')<='2026-12-15'"},
    {"T_SpendGoods", "T_GoodsCostDetailInfo a,D_GoodsStore b ", " ",
     " where a.goodsID=b.GoodsId  and format(a.CostDate,'yyyy-MM-dd')>='2026-12-01'  and format(a.CostDate,'yyyy-MM-dd')<='2026-12-15'"
     " group by  a.GoodsID,a.GoodsPrice, GoodsKind, b.GoodsName,b.GoodsUnit "},
    {"T_SpendDetailGoods", "T_GoodsCostDetailInfo a,D_GoodsStore b ", " ",
     " where a.goodsID=b.GoodsId  and format(a.CostDate,'yyyy-MM-dd')>='2026-12-01'  and format(a.CostDate,'yyyy-MM-dd')<='2026-12-15'"
     " and b.goodsKind='01'"},
};

} // namespace

class CorpusTest : public KelvoTest {
protected:
    void SetUp() override
    {
        KelvoTest::SetUp();
        if (HasFatalFailure())
            return;
        SetNow("2026-12-01 10:00:00");
        Seed();
    }

    void SetNow(const char *text)
    {
        const QDateTime t = At(text);
        Clock::setNow([t] { return t; });
    }

    void Seed();

    // Runs one statement inside a transaction that is rolled back, so that every statement
    // meets the same rows; returns the error text, empty on success.
    QString TryRun(const QString &sql)
    {
        db().begin();
        QString error;
        try {
            if (IsSelect(sql))
                db().query(sql);
            else
                db().exec(sql);
        } catch (const db::DbError &e) {
            error = e.text();
        }
        db().rollback();
        return error;
    }

    // The report builder's statements: every column of each definition, and the statement
    // used when no column is chosen.
    QList<Statement> ReportStatements()
    {
        QList<Statement> list;
        for (const ReportDef &def : kReports) {
            const QString key = QString::fromUtf8(def.key);
            const db::Result fields = db().query(
                QStringLiteral("select PrintField from T_PrintSet where BeLongReport=? order by SortNo"), {key});
            EXPECT_FALSE(fields.isEmpty()) << "no report columns for " << def.key;
            QStringList items;
            for (int i = 0; i < fields.rowCount(); ++i)
                items << fields.value(i, 0).asString();
            const QString from = QStringLiteral("  from  ") + QString::fromUtf8(def.from) + QLatin1Char(' ')
                                 + QString::fromUtf8(def.alias);
            const QString tail = QString::fromUtf8(def.tail);
            list.append({QStringLiteral("report builder: all columns of ") + key,
                         QStringLiteral("select ") + items.join(QLatin1Char(',')) + from + tail});
            list.append({QStringLiteral("report builder: no column chosen for ") + key,
                         QStringLiteral("select top 1 '' as 无打印项目") + from + tail});
        }
        return list;
    }

    QString Query(const QString &sql, const QStringList &columns = {}, bool anyOrder = false)
    {
        try {
            return Render(db().query(sql), columns, anyOrder);
        } catch (const db::DbError &e) {
            return QStringLiteral("ERROR: ") + e.text();
        }
    }
};

// A small shop: members of the three kinds (and the delivered no-card customer "0000"),
// goods, consumptions on both sides of the sample date range 2026-12-01 .. 2026-12-15,
// recharges, exchanges, reminders of every mode, log lines and shifts.
void CorpusTest::Seed()
{
    db::Database &d = db();
    const QVariant null;
    d.begin();
    d.exec("insert into D_UserManage (UserCode,UserName,PassWord,Power,IFSys) values (?,?,?,?,?)",
           {"0001", "收银员", "111", "$08;$09;$10;", 0});
    for (const QVariantList &row : QList<QVariantList>{{"2026-12-01 08:00:00", "2026-12-01 09:30:00", 0, "admin"},
                                                       {"2026-11-30 08:00:00", "2026-11-30 20:00:00", 1, "0001"}})
        d.exec("insert into T_LoginDate (LoginDate,LastDate,IfChange,UserMan) values (?,?,?,?)", row);
    for (const QVariantList &row : QList<QVariantList>{{"01", "饮料"}, {"02", "咖啡"}})
        d.exec("insert into D_GoodsKind (KindID,KindName,SysSet) values (?,?,0)", row);
    for (const QVariantList &row : QList<QVariantList>{{"G001", "可乐", "01", "KL", "瓶", 2, 3.5, 100, 0},
                                                       {"G002", "矿泉水", "01", "KQS", "瓶", 1, 2, 50, 1},
                                                       {"G003", "Coffee", "02", "CF", "杯", 10, 25, 30, 0.9}})
        d.exec("insert into D_GoodsStore (GoodsID,GoodsName,GoodsKind,GoodsSimple,GoodsUnit,BuyPrice,SalePrice,"
               "GoodsCount,GoodsDisc) values (?,?,?,?,?,?,?,?,?)", row);
    for (const QVariantList &row : QList<QVariantList>{{"E01", "雨伞", "YS", 10, 100}, {"E02", "水杯", "SB", 5, 50}})
        d.exec("insert into D_ExchangeGoods (Code,GoodsName,GoodsSimple,GoodsCount,ExScore) values (?,?,?,?,?)", row);

    // CodeID, name, Spell, kind, level, password, style, score, state, balance, cumulative,
    // valid flag, valid date, upgrade, sex, birthday, mobile, ID card, referrer, added, sum score
    const QList<QVariantList> members = {
        {"1001", "张三", "ZS", 1, "03", "", "0", 120, 1, 0, 300.5, true, "2027-12-31 00:00:00", true, "男",
         "1990-01-02 00:00:00", "13800001111", "110101199001021234", null, "2026-11-15 10:00:00", 120},
        {"1002", "李四", "LS", 2, "01", "123", "01", 20, 1, 500, 200, false, null, true, "女",
         "1985-12-30 00:00:00", "13900002222", "110101198512301235", "1001", "2026-12-01 09:00:00", 20},
        {"1003", "王五", "WW", 3, "02", "", "03", 0, 1, 8, 2, false, null, false, "男",
         "1992-02-29 00:00:00", "13700003333", null, null, "2026-10-05 15:00:00", 0},
        {"1004", "Alice Smith", "AS", 1, "01", "", "0", 5, 1, 0, 0, false, null, false, "女",
         "1988-12-01 00:00:00", "13600004444", null, null, "2026-12-15 23:59:59", 5},
        {"1005", "赵六", "ZL", 2, "01", "", "01", null, 3, null, null, false, null, false, "男",
         null, "13811112222", null, null, "2026-12-16 00:00:00", null},
        {"1006", "孙七", "SQ", 2, "01", "", "01", 0, 1, 120.5, 0, false, null, false, "女",
         "1990-06-15 00:00:00", "13500005555", null, null, "2026-09-01 10:00:00", 0},
    };
    for (const QVariantList &row : members)
        d.exec("insert into T_MemberInfo (CodeID,memberName,Spell,memberKind,CardLevel,PassWord,CheapMode,"
               "memberScore,CurState,CurMoney,HisSumMoney,CardVailFlag,CardVailDate,CardIfUpGrade,sex,birthday,"
               "Mobile,IDCard,IntroCodeID,AddDate,SumScore) values (?,?,?,?,?,?,?,?,?,?,?,?,?,?,?,?,?,?,?,?,?)",
               row);

    // CostID, card, money, score, date, memo, IfMoney, cash part, returned, operator
    const QList<QVariantList> costs = {
        {"X20261201001", "1001", 25, 2, "2026-12-01 00:00:00", "", 1, null, 0, "admin"},
        {"X20261215001", "1002", 40, null, "2026-12-15 23:59:59", "", 0, null, 0, "0001"},
        {"X20261205001", "1002", 100, 10, "2026-12-05 12:00:00", "(储值卡+现金:30.00)", 2, 30, 0, "admin"},
        {"X20261130001", "1001", 99, 9, "2026-11-30 23:59:59", "", 0, null, 0, "admin"},
        {"X20261216001", "1003", 1, null, "2026-12-16 00:00:00", "理发", 0, null, 0, "admin"},
        {"X20261210001", "1003", 2, null, "2026-12-10 10:00:00", "理发", 0, null, 0, "0001"},
        {"X20261201002", "0000", 15, 1, "2026-12-01 09:00:00", "(现金结帐)", 1, null, 0, "admin"},
        {"X20260801001", "1004", 60, 6, "2026-08-01 11:00:00", "", 1, null, 0, "admin"},
    };
    for (const QVariantList &row : costs)
        d.exec("insert into T_MemberCostInfo (CostID,CardID,CostMoney,CostScore,CostDate,CostMemo,IfMoney,XJJN,"
               "IfExitGoods,UserMan) values (?,?,?,?,?,?,?,?,?,?)", row);

    // CostID, card, goods, price, rate, count, unit price after discount, amount, date
    const QList<QVariantList> lines = {
        {"X20261201001", "1001", "G001", 3.5, 1, 2, 3.5, 7, "2026-12-01 00:00:00"},
        {"X20261201001", "1001", "G002", 2, 1, 9, 2, 18, "2026-12-01 00:00:00"},
        {"X20261215001", "1002", "G001", 4, 1, 10, 4, 40, "2026-12-15 23:59:59"},
        {"X20261205001", "1002", "G003", 25, 1, 4, 25, 100, "2026-12-05 12:00:00"},
        {"X20261130001", "1001", "G001", 3.5, 1, 1, 3.5, 3.5, "2026-11-30 23:59:59"},
    };
    for (const QVariantList &row : lines)
        d.exec("insert into T_GoodsCostDetailInfo (CostID,CardID,GoodsId,GoodsPrice,GoodsDisc,GoodsCount,"
               "GoodsDiscPrice,SumPrice,CostDate,UserMan) values (?,?,?,?,?,?,?,?,?,'admin')", row);

    // card, paid, credited, score, bonus, date, operator
    const QList<QVariantList> recharges = {
        {"1002", 100, 110, 10, 10, "2026-12-01 09:15:00", "admin"},
        {"1003", 100, 10, null, 0, "2026-12-10 12:00:00", "admin"},
        {"1002", 200, 220, 20, 20, "2026-11-20 09:00:00", "admin"},
        {"1006", 50, 50, 5, 0, "2026-12-15 23:59:59", "0001"},
    };
    for (const QVariantList &row : recharges)
        d.exec("insert into T_CardPutMoney (CardID,PayMoney,PutMoney,CurScore,CheapMoney,PayDate,UserMan)"
               " values (?,?,?,?,?,?,?)", row);

    for (const QVariantList &row : QList<QVariantList>{{"1001", "E01", 1, 100, "2026-12-05 10:00:00"},
                                                       {"1002", "E02", 2, 100, "2026-11-01 10:00:00"}})
        d.exec("insert into T_ScoreExGoods (CardID,GoodsID,ExCount,Score,ExDate,UserMan) values (?,?,?,?,?,'admin')",
               row);

    for (const QVariantList &row : QList<QVariantList>{{"G001", 100, 1, "", "2026-12-01 08:00:00"},
                                                       {"G002", 5, 2, "破损", "2026-12-03 14:00:00"},
                                                       {"G001", 20, 1, "", "2026-11-28 08:00:00"}})
        d.exec("insert into T_GoodsBuySale (GoodsID,GoodsCount,Kind,Remark,CreateDate,OperMan) values (?,?,?,?,?,'admin')",
               row);

    d.exec("insert into T_SaleGoodsTemp (GoodsID,CardID,GoodsName,GoodsPrice,GoodsCount,GoodsDisc,GoodsDiscPrice,SumPrice)"
           " values ('G001','1001','可乐',3.5,2,0.85,2.98,5.95)");
    d.exec("insert into T_SaleGoodsTemp (GoodsID,CardID,GoodsName,GoodsPrice,GoodsCount,GoodsDisc,GoodsDiscPrice,SumPrice)"
           " values ('G002','1001','矿泉水',2,1,1,2,2)");
    d.exec("insert into T_ScoreExGoodsTemp (GoodsID,ExCount,Score,OneScore) values ('E01',1,100,100)");

    // Reminders get IDs 1.. in this order and ascending AddDate. Mode, TipOffDate, card, state.
    const QList<QVariantList> reminders = {
        {1, "2026-12-01", "1001", 1}, // 1 once, due on 2026-12-01
        {1, "2026-12-02", "1002", 1}, // 2
        {2, "$2;$4;", "1002", 2},     // 3 Tuesdays and Thursdays, already contacted
        {2, "$0;$6;", "1003", 1},     // 4 weekends
        {3, "1", "1001", 1},          // 5 the 1st of each month
        {3, "11", "1002", 1},         // 6
        {3, "31", "1003", 1},         // 7
        {4, "12-1", "1003", 1},       // 8 every 1 December
        {4, "1-12", "1001", 1},       // 9 every 12 January
        {4, "2-29", "1003", 1},       // 10
        {1, "2026-12-01", "9999", 1}, // 11 the member no longer exists
    };
    for (int i = 0; i < reminders.size(); ++i) {
        QVariantList row = reminders[i];
        row.prepend(QStringLiteral("2026-11-%1 10:00:00").arg(i + 1, 2, 10, QLatin1Char('0')));
        d.exec("insert into T_TipOffSet (AddDate,TipOFFMode,TipOffDate,CardID,TipOffState,TipOffDate_Intro,"
               "TipOffContent) values (?,?,?,?,?,'','回访')", row);
    }

    for (const QVariantList &row : QList<QVariantList>{{"2026-12-01 09:00:00", "admin", "会员卡：[1001] 挂失"},
                                                       {"2026-12-02 10:00:00", "admin", "会员卡：[10011] 挂失"},
                                                       {"2026-12-03 11:00:00", "0001", "会员卡：[1001] 取消挂失"},
                                                       {"2026-11-30 23:59:59", "admin", "会员卡：[1001] 挂失"},
                                                       {"2026-12-15 23:59:59", "admin", "删除会员：[1001]"}})
        d.exec("insert into T_SysLog (OperDate,UserMan,OperInfo) values (?,?,?)", row);
    d.commit();
}

TEST_F(CorpusTest, EveryStatementRuns)
{
    QList<Statement> all = Corpus();
    ASSERT_GT(all.size(), 200);
    all += ReportStatements();
    QStringList failures;
    for (const Statement &s : all) {
        const QString error = TryRun(s.sql);
        if (!error.isEmpty())
            failures << QStringLiteral("[%1]\n  %2\n  -> %3").arg(s.where, s.sql, error);
    }
    EXPECT_TRUE(failures.isEmpty()) << failures.size() << " of " << all.size() << " statements failed:\n"
                                    << failures.join(QLatin1String("\n")).toStdString();
}

TEST_F(CorpusTest, StatementsGiveTheExpectedRows)
{
    struct Case {
        const char *where;
        QList<QPair<QString, QString>> replace;   // sample value -> value of this case
        QStringList columns;                      // empty: all
        bool anyOrder;
        const char *now;
        QString expected;
    };
    const char *dec1 = "2026-12-01 10:00:00";
    const QList<Case> cases = {
        // Level rates, text concatenation, searches (Chinese, Latin in any case, pinyin initials).
        {"consumption desk: member rate", {}, {}, false, dec1, "0.85"},
        {"consumption desk: member rate", {{"ID='03'", "ID='00'"}}, {}, false, dec1, "不打"},
        {"member editor: level rate", {{"ID='03'", "ID='02'"}}, {}, false, dec1, "0.90"},
        {"member editor: referrer name", {}, {}, false, dec1, "1001--张三"},
        {"consumption desk: find card", {}, {}, false, dec1, "1001"},
        {"consumption desk: find card", {{"%张%", "%alice%"}}, {}, false, dec1, "1004"},
        {"member pop-up: narrowing", {}, {"CodeID"}, false, dec1, "1002"},
        {"goods sale: goods pop-up", {}, {"GoodsID"}, false, dec1, "G001"},
        {"goods catalogue: goods filter", {}, {"GoodsID", "GoodsKind1"}, false, dec1, "G002|饮料"},
        {"member list: search and state", {}, {"CodeID"}, true, dec1, "1001"},
        // Yes/No columns read as text; dates formatted; Null read through IIf(isnull()).
        {"consumption desk: load card", {}, {"CardVailFlag", "cardVaildDate", "memberScore", "curMoney"}, false, dec1,
         "True|2027-12-31|120|0"},
        {"consumption desk: load card", {{"'1001'", "'1002'"}}, {"CardVailFlag", "cardVaildDate", "CardLevel1"}, false,
         dec1, "False||普通会员"},
        {"member list: all members", {}, {"CodeID", "hisSumMoney1", "curMoney1", "memberScore1", "SumScore1"}, true,
         dec1,
         "0000|0|0|0|0;1001|300.5|0|120|120;1002|200|500|20|20;1003|2|8|0|0;1004|0|0|5|5;1005||0|0|0;"
         "1006|0|120.5|0|0"},
        {"member report: query", {}, {"CodeID", "hisSumMoney1", "curMoney1", "cardKind", "CardLevel"}, false, dec1,
         "1001|300.50|0.00|折扣卡|金卡会员"},
        {"level upgrade: level of a score", {}, {}, false, dec1, "02"},
        {"level upgrade: level of a score", {{"1500.5", "999.5"}}, {}, false, dec1, ""},
        // Date ranges on format(...,'yyyy-MM-dd') include both whole days and nothing outside.
        {"summary: consumption list", {}, {"CostID"}, false, dec1,
         "X20261215001;X20261210001;X20261205001;X20261201002;X20261201001"},
        {"recharge report: query", {}, {"CardID", "PayMoney"}, true, dec1, "1002|100;1003|100"},
        {"member report: query", {{"'2026-11-30'", "'2026-11-14'"}}, {"CodeID"}, false, dec1, ""},
        {"operation log: search", {}, {"OperInfo"}, false, dec1, "会员卡：[1001] 挂失"},
        {"exchange report: query", {}, {"CardID", "GoodsName", "membername"}, false, dec1, "1001|雨伞|张三"},
        {"recharge records: query", {}, {"PayMoney", "curScore", "PutMoney1", "cardKind"}, false, dec1,
         "100|10|110|储值卡"},
        {"recharge records: query", {{"a.cardID='1002'", "a.cardID='1003'"}}, {"PayMoney", "curScore", "PutMoney1"},
         false, dec1, "100|0|10"},
        // Sums and groups of the reports.
        {"summary: total count-card uses", {}, {}, false, dec1, "2"},
        {"summary: total discount-card consumption", {}, {}, false, dec1, "25.00"},
        {"summary: total stored-value paid by card", {}, {}, false, dec1, "40"},
        {"summary: total stored-value part of mixed payments", {}, {}, false, dec1, "70"},
        {"summary: total cash payments", {}, {}, false, dec1, "40"},
        {"summary: total cash parts of mixed payments", {}, {}, false, dec1, "30"},
        {"summary: total recharges", {}, {}, false, dec1, "250.00"},
        {"summary: total recharges", {{"'2026-12-01'", "'2027-01-01'"}, {"'2026-12-15'", "'2027-01-31'"}}, {}, false,
         dec1, "0.00"},
        {"shift: consumption list", {}, {"CostID"}, false, dec1, "X20261201002"},
        {"shift: total cash payments", {}, {}, false, dec1, "15"},
        {"shift: total recharges", {}, {}, false, dec1, "100.00"},
        {"goods report: sales summary", {}, {"GoodsID", "GoodsPrice", "GoodsKind", "GoodsCount", "SumPrice"}, true,
         dec1, "G001|3.5|饮料|2|7;G001|4|饮料|10|40;G002|2|饮料|9|18;G003|25|咖啡|4|100"},
        {"goods report: sales summary filtered", {}, {"GoodsID", "GoodsCount"}, true, dec1, "G001|10;G001|2"},
        {"goods report: movements", {}, {"GoodsID", "Kind", "GoodsCount"}, false, dec1, "G001|进货|100"},
        {"member report: counts by birth year", {}, {"birth", "Count_"}, true, dec1,
         "1985|1;1988|1;1990|2;1992|1;|2"},
        {"member report: count of a kind", {}, {}, false, dec1, "3"},
        {"member report: monthly recharge and consumption", {}, {"CodeID", "Pay", "CostSum1"}, false, dec1,
         "1002|100|0"},
        {"consumption report: ranking", {}, {"CodeID", "CostCount", "HisSumMoney1"}, true, dec1,
         "0000|1|0;1001|2|300.5;1002|2|200;1003|2|2"},
        {"goods sale: amount due", {}, {}, false, dec1, "7.95"},
        {"score exchange: points in list", {}, {}, false, dec1, "100"},
        {"score exchange: list", {}, {"GoodsID", "GoodsName", "ExCount"}, false, dec1, "E01|雨伞|1"},
        // Members without consumption in the windows counted back from now.
        {"consumption report: members without consumption 1", {}, {"CodeID"}, true, "2026-12-20 10:00:00",
         "1004;1005;1006"},
        {"consumption report: members without consumption 2", {}, {"CodeID"}, true, "2026-12-20 10:00:00",
         "1005;1006"},
        {"consumption report: members without consumption 1", {}, {"CodeID"}, true, dec1,
         "0000;1002;1003;1004;1005;1006"},
    };
    for (const Case &c : cases) {
        QString sql = CorpusSql(QString::fromUtf8(c.where));
        for (const auto &[from, to] : c.replace) {
            EXPECT_TRUE(sql.contains(from)) << c.where << ": no " << from.toStdString();
            sql.replace(from, to);
        }
        SetNow(c.now);
        EXPECT_EQ(Query(sql, c.columns, c.anyOrder), c.expected) << c.where << "\n" << sql.toStdString();
    }
}

TEST_F(CorpusTest, RemindersDueToday)
{
    // Weekly by InStr of the weekday digit, monthly by day(now()), yearly by format(now(),'m-d').
    const struct {
        const char *now;
        QString ids;   // newest first
    } cases[] = {
        {"2026-12-01 10:00:00", "8;5;3;1"},   // Tuesday the 1st of December
        {"2026-12-10 10:00:00", "3"},         // Thursday
        {"2026-12-31 10:00:00", "7;3"},       // Thursday the 31st
        {"2027-01-12 10:00:00", "9;3"},       // Tuesday 12 January, not the reminder of 1 December
        {"2028-02-29 10:00:00", "10;3"},      // leap day, Tuesday
        {"2026-12-06 10:00:00", "4"},         // Sunday
    };
    const QString queries[] = {CorpusSql("today's reminders: reminders"), CorpusSql("reminder list: due today"),
                               CorpusSql("main window: reminders due today")};
    for (const auto &c : cases) {
        SetNow(c.now);
        for (const QString &sql : queries)
            EXPECT_EQ(Query(sql, {"ID"}), c.ids) << c.now << "\n" << sql.toStdString();
    }
}

TEST_F(CorpusTest, BirthdayWindowCrossesTheYearEnd)
{
    const QString list = CorpusSql("reminder list: birthdays");
    const QString window = CorpusSql("today's reminders: birthdays");
    const struct {
        const char *now;
        QString days;      // card|days until the birthday
        QString members;
    } cases[] = {
        {"2026-12-28 10:00:00", "1001|5;1002|2", "1001;1002"},   // 2 January of next year, 30 December
        {"2026-12-01 10:00:00", "1004|0", "1004"},               // a birthday today
        {"2028-02-25 10:00:00", "1003|4", "1003"},               // 29 February in a leap year
        {"2027-06-10 10:00:00", "1006|5", "1006"},
    };
    for (const auto &c : cases) {
        SetNow(c.now);
        EXPECT_EQ(Query(list, {"codeid", "birthCount"}, true), c.days) << c.now;
        EXPECT_EQ(Query(window, {"codeid"}, true), c.members) << c.now;
    }
    // In a year without 29 February the statement still runs, and the other birthdays are found.
    SetNow("2027-02-25 10:00:00");
    EXPECT_FALSE(Query(window, {"codeid"}).startsWith("ERROR")) << Query(window, {"codeid"}).toStdString();
    SetNow("2027-12-28 10:00:00");
    EXPECT_EQ(Query(window, {"codeid", "birthday"}, true), "1001|1990-01-02;1002|1985-12-30");
}

TEST_F(CorpusTest, EmptyResultsKeepTheirColumns)
{
    const db::Result log = db().query(CorpusSql("operation log: empty list"));
    EXPECT_EQ(log.rowCount(), 0);
    EXPECT_EQ(log.columns(), QStringList({"OperDate", "UserMan", "OperInfo"}));

    const db::Result members = db().query(CorpusSql("member report: empty list"));
    EXPECT_EQ(members.rowCount(), 0);
    EXPECT_EQ(members.columnCount(), 20);
    EXPECT_GE(members.columnIndex("curMoney1"), 0);

    const db::Result summary = db().query(CorpusSql("goods report: empty sales summary"));
    EXPECT_EQ(summary.rowCount(), 0);
    EXPECT_GE(summary.columnIndex("SumPrice"), 0);
}

TEST_F(CorpusTest, TopOneGivesOneRowAtMost)
{
    const db::Result r = db().query("select top 1 '' as 无打印项目  from  T_MemberInfo a  where 1=1 ");
    ASSERT_EQ(r.rowCount(), 1);
    EXPECT_EQ(r.columns(), QStringList({"无打印项目"}));
    EXPECT_EQ(r.value(0, 0).asString(), "");
    EXPECT_EQ(db().query("select top 1 '' as 无打印项目  from  T_CardPutMoney a ,T_MemberInfo b where 1=0").rowCount(), 0);
}

TEST_F(CorpusTest, WritesUseTheClockAndTheStoredForms)
{
    db().exec(CorpusSql("data module: operation log line"));
    EXPECT_EQ(Scalar("select OperDate from T_SysLog where OperInfo like '%介绍 [[]1009]%'"), "2026-12-01 10:00:00");

    db().exec(CorpusSql("today's reminders: start-up display on"));
    EXPECT_EQ(Scalar("select IfUse_RemindWin from T_SysSet"), "True");
    db().exec(CorpusSql("today's reminders: start-up display off"));
    EXPECT_EQ(Scalar("select IfUse_RemindWin from T_SysSet"), "False");

    db().exec(CorpusSql("operators: change own password"));
    EXPECT_EQ(Scalar("select PassWord from D_UserManage where UserCode='admin'"), "new1");

    // The consumption range of the data clearing takes both whole days and nothing else.
    db().exec(CorpusSql("data clearing: consumptions"));
    EXPECT_EQ(Query("select CostID from T_MemberCostInfo", {}, true), "X20260801001;X20261130001;X20261216001");
}
