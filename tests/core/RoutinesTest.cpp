// The shared routines: key filter, SQL helpers, delimited text, INI files, serial
// numbers, compaction, JPEG conversion and identity-card checks.

#include "core/Clock.h"
#include "core/Routines.h"
#include "platform/db/Database.h"
#include "support/TestEnv.h"

#include <QComboBox>
#include <QCoreApplication>
#include <QDir>
#include <QFile>
#include <QImage>
#include <QKeyEvent>
#include <QLineEdit>
#include <QTemporaryDir>
#include <climits>
#include <gtest/gtest.h>
#include <sqlcipher/sqlite3.h>
#include <stdexcept>

namespace {

QString u(const char *utf8)
{
    return QString::fromUtf8(utf8);
}

QByteArray readAll(const QString &path)
{
    QFile f(path);
    return f.open(QIODevice::ReadOnly) ? f.readAll() : QByteArray();
}

void writeAll(const QString &path, const QByteArray &data)
{
    QFile f(path);
    ASSERT_TRUE(f.open(QIODevice::WriteOnly | QIODevice::Truncate));
    f.write(data);
}

// ---- key filter -----------------------------------------------------------------

TEST(KeyFilter, AllowsOnlyWhatTheModePermits)
{
    const struct {
        const char *text;
        int selStart;
        int selLen;
        char16_t key;
        int mode;
        int decimals;
        bool allowed;
    } cases[] = {
        {"", 0, 0, u'x', 1, 0, true},
        {"12", 2, 0, u'-', 1, 0, true},
        {"12", 2, 0, 8, 2, 0, true},        // Backspace
        {"12", 2, 0, 13, 3, 2, true},       // Enter
        {"12", 2, 0, 27, 3, 2, true},       // Escape
        {"12", 2, 0, u'5', 2, 0, true},
        {"12", 2, 0, u'a', 2, 0, false},
        {"12", 2, 0, u'-', 2, 0, false},
        {"12", 2, 0, u'.', 2, 0, false},
        {"12", 0, 0, u'-', 3, 2, false},
        {"12", 2, 0, u'e', 3, 2, false},
        {"12", 2, 0, u'.', 3, 2, true},
        {"", 0, 0, u'.', 3, 2, false},      // a point at the start
        {"5", 0, 0, u'.', 3, 0, false},
        {"12.5", 4, 0, u'.', 3, 2, false},  // a second point
        {"12.5", 4, 0, u'3', 3, 2, true},
        {"12.50", 5, 0, u'3', 3, 2, false}, // decimals full
        {"12.50", 1, 0, u'3', 3, 2, true},  // before the point
        {"12.50", 2, 0, u'3', 3, 2, true},  // just before the point
        {"12.50", 3, 0, u'3', 3, 2, false}, // just after the point
        {"12.555", 6, 0, u'9', 3, 0, true}, // decimals 0: no limit
        {"0", 1, 0, u'7', 0, 0, true},      // no filtering mode
    };
    for (const auto &c : cases)
        EXPECT_EQ(KeyFilter(u(c.text), c.selStart, c.selLen, QChar(c.key), c.mode, c.decimals), c.allowed)
            << c.text << " at " << c.selStart << " key " << int(c.key) << " mode " << c.mode;
}

void type(QLineEdit *edit, const QString &keys)
{
    for (QChar c : keys) {
        QKeyEvent press(QEvent::KeyPress, 0, Qt::NoModifier, QString(c));
        QCoreApplication::sendEvent(edit, &press);
    }
}

TEST(KeyFilter, InstalledFilterEatsRefusedKeys)
{
    EnsureApplication();
    QLineEdit edit;
    InstallKeyFilter(&edit, 3, 2);
    type(&edit, QStringLiteral("-12a.3.45"));
    EXPECT_EQ(edit.text(), QStringLiteral("12.34"));

    // Installing again replaces the filter rather than stacking a second one.
    QLineEdit whole;
    InstallKeyFilter(&whole, 3, 2);
    InstallKeyFilter(&whole, 2, 0);
    type(&whole, QStringLiteral("1.5x0"));
    EXPECT_EQ(whole.text(), QStringLiteral("150"));
}

// ---- SQL routines ---------------------------------------------------------------

TEST(QuotedSql, DoublesEverySingleQuote)
{
    EXPECT_EQ(QuotedSql(u("O'Brien's")), u("O''Brien''s"));
    EXPECT_EQ(QuotedSql(u("''")), u("''''"));
    EXPECT_EQ(QuotedSql(u("王五")), u("王五"));
}

class SqlRoutines : public ::testing::Test {
protected:
    void SetUp() override
    {
        m_db.open(m_dir.filePath(QStringLiteral("t.dat")), QStringLiteral("pw"), true);
        m_db.execScript(QStringLiteral(
            "CREATE TABLE T_Item(Seq integer, Code text COLLATE NOCASE, Name text COLLATE NOCASE);"
            "INSERT INTO T_Item VALUES(1, 'a ', ' 甲 ');"
            "INSERT INTO T_Item VALUES(2, 'b', '乙');"
            "INSERT INTO T_Item VALUES(3, ' c', '丙');"));
        db::registerConnection(kConn, &m_db);
    }
    void TearDown() override { db::unregisterConnection(kConn); }

    const QString kConn = QStringLiteral("Data Source=routines-test");
    QTemporaryDir m_dir;
    db::Database m_db;
};

TEST_F(SqlRoutines, QueryLinesTrimsEachValueAndTheWhole)
{
    EXPECT_EQ(QueryLines(kConn, u("select Code from T_Item order by Seq")), u("a\r\nb\r\nc"));
    EXPECT_EQ(QueryLines(kConn, u("select Name from T_Item where Code='b'")), u("乙"));
    EXPECT_EQ(QueryLines(kConn, u("select Name from T_Item where Code=?"), {u("b")}), u("乙"));
    EXPECT_EQ(QueryLines(kConn, u("select Name from T_Item where 1=0")), QString());
    // Only blanks and control characters are trimmed; an ideographic space is content.
    ASSERT_TRUE(ExecSql(kConn, u("insert into T_Item(Seq,Code,Name) values(9,'\t\u3000x ','')")));
    EXPECT_EQ(QueryLines(kConn, u("select Code from T_Item where Seq=9")), u("\u3000x"));
    EXPECT_EQ(QueryLines(kConn, u("select Nope from T_Missing")), QString());
    EXPECT_EQ(QueryLines(u("unknown connection"), u("select Code from T_Item")), QString());
}

TEST_F(SqlRoutines, CountExistsAndExecReportFailureThroughTheirResults)
{
    EXPECT_EQ(QueryCount(kConn, u("select * from T_Item")), 3);
    EXPECT_EQ(QueryCount(kConn, u("select * from T_Item where 1=0")), 0);
    EXPECT_EQ(QueryCount(kConn, u("select * from T_Missing")), 0);
    EXPECT_TRUE(QueryExists(kConn, u("select * from T_Item where Code='B'")));
    EXPECT_FALSE(QueryExists(kConn, u("select * from T_Item where Code='z'")));
    EXPECT_FALSE(QueryExists(kConn, u("select * from T_Missing")));

    EXPECT_TRUE(ExecSql(kConn, u("insert into T_Item(Seq,Code,Name) values(4,'d','丁')")));
    EXPECT_FALSE(ExecSql(kConn, u("insert into T_Missing values(1)")));
    EXPECT_FALSE(ExecSql(u("unknown connection"), u("delete from T_Item")));
    EXPECT_EQ(QueryCount(kConn, u("select * from T_Item")), 4);

    RunSql(&m_db, u("delete from T_Item where Code='d'"));
    RunSql(&m_db, u("delete from T_Missing"));
    RunSql(nullptr, u("delete from T_Item"));
    EXPECT_EQ(QueryCount(kConn, u("select * from T_Item")), 3);
}

TEST_F(SqlRoutines, FillComboTakesValuesAndItemsTrimmed)
{
    EnsureApplication();
    QComboBox combo;
    FillCombo(kConn, u("select Code,Name from T_Item order by Seq desc"), &combo);
    ASSERT_EQ(combo.count(), 3);
    EXPECT_EQ(combo.currentIndex(), 0);
    EXPECT_EQ(combo.currentText(), u("丙"));
    EXPECT_EQ(ComboValue(&combo), u("c"));
    EXPECT_TRUE(SelectComboValue(&combo, u("a")));
    EXPECT_EQ(combo.currentText(), u("甲"));   // both columns come back trimmed
    EXPECT_EQ(ComboValue(&combo), u("a"));
    EXPECT_FALSE(SelectComboValue(&combo, u("zz")));
    EXPECT_EQ(ComboValue(&combo), u("a"));

    FillCombo(kConn, u("select Code,Name from T_Missing"), &combo);
    EXPECT_EQ(combo.count(), 0);
    EXPECT_EQ(ComboValue(&combo), QString());
}

// ---- delimited text -------------------------------------------------------------

TEST(SplitText, FollowsDelimitedTextRules)
{
    const struct {
        char delimiter;
        const char *text;
        bool keep;
        QStringList expected;
    } cases[] = {
        {',', "a,b,c", true, {"a", "b", "c"}},
        {',', "  a , b ,c  ", true, {"a", "b", "c"}},
        {',', "a b,c", true, {"a", "b", "c"}},
        {',', "\"x,y\",z", true, {"x,y", "z"}},
        {',', "\"a b\" c", true, {"a b", "c"}},
        {',', "\"say \"\"hi\"\"\",k", true, {"say \"hi\"", "k"}},
        {',', "a,,b", true, {"a", "", "b"}},
        {',', "a,b,", true, {"a", "b", ""}},
        {',', "", true, {}},
        {',', "   ", true, {}},
        {';', "a;b,c", true, {"a", "b,c"}},
        {',', "100,80,,80", true, {"100", "80", "", "80"}},
        {',', "A,b,a,B,c", true, {"A", "b", "a", "B", "c"}},
        {',', "A,b,a,B,c", false, {"A", "b", "c"}},
        {',', "会员,积分,会员", false, {"会员", "积分"}},
    };
    for (const auto &c : cases) {
        QStringList expected;
        for (const QString &s : c.expected)
            expected << s;
        EXPECT_EQ(SplitText(QLatin1Char(c.delimiter), u(c.text), c.keep), expected) << c.text;
    }
}

// ---- INI files ------------------------------------------------------------------

TEST(Ini, ReadsDefaultsWhenFileSectionOrKeyIsMissing)
{
    QTemporaryDir dir;
    const QString file = dir.filePath(QStringLiteral("config.ini"));
    EXPECT_EQ(IniRead(u("ParaSet"), u("IfInputPW"), u("0"), file), u("0"));
    writeAll(file, "[Other]\nIfInputPW=1\n[ParaSet]\nIfAutoBack = 1 \nEmpty=\n");
    EXPECT_EQ(IniRead(u("ParaSet"), u("IfInputPW"), u("0"), file), u("0"));
    EXPECT_EQ(IniRead(u("Missing"), u("IfAutoBack"), u("x"), file), u("x"));
    EXPECT_EQ(IniRead(u("paraset"), u("ifautoback"), u("0"), file), u("1"));
    EXPECT_EQ(IniRead(u("ParaSet"), u("Empty"), u("d"), file), QString());
}

TEST(Ini, WriteKeepsEverythingElse)
{
    QTemporaryDir dir;
    const QString file = dir.filePath(QStringLiteral("config.ini"));
    writeAll(file, "; shop settings\r\n[ParaSet]\r\nIfInputPW=0\r\nIfAutoBack=1\r\n\r\n[Printer]\r\nName=receipt\r\n");

    EXPECT_TRUE(IniWrite(u("PARASET"), u("ifinputpw"), u("1"), file));
    EXPECT_TRUE(IniWrite(u("ParaSet"), u("IfAutoback_Clock"), u("12"), file));
    EXPECT_TRUE(IniWrite(u("门店"), u("名称"), u("一号店"), file));
    EXPECT_EQ(readAll(file),
              u("; shop settings\r\n[ParaSet]\r\nifinputpw=1\r\nIfAutoBack=1\r\nIfAutoback_Clock=12\r\n\r\n"
                "[Printer]\r\nName=receipt\r\n\r\n[门店]\r\n名称=一号店\r\n")
                  .toUtf8());
    EXPECT_EQ(IniRead(u("门店"), u("名称"), QString(), file), u("一号店"));
    EXPECT_EQ(IniRead(u("Printer"), u("Name"), QString(), file), u("receipt"));
}

TEST(Ini, WriteCreatesTheFileAndRoundTrips)
{
    QTemporaryDir dir;
    const QString file = dir.filePath(QStringLiteral("config.ini"));
    EXPECT_TRUE(IniWrite(u("ParaSet"), u("IfAutoBack"), u("1"), file));
    EXPECT_TRUE(IniWrite(u("ParaSet"), u("Note"), u("第一行\n[Evil]"), file));
    EXPECT_EQ(readAll(file), u("[ParaSet]\nIfAutoBack=1\nNote=第一行 [Evil]\n").toUtf8());
    EXPECT_EQ(IniRead(u("ParaSet"), u("IfAutoBack"), u("0"), file), u("1"));

    EXPECT_FALSE(IniWrite(u("ParaSet"), u("IfAutoBack"), u("1"), dir.filePath(QStringLiteral("no/such/dir.ini"))));
}

// ---- small helpers --------------------------------------------------------------

TEST(IsMultiple, IsRemainderZeroAndFalseForZeroDivisor)
{
    const struct {
        int a, b;
        bool expected;
    } cases[] = {{10, 5, true}, {10, 3, false}, {0, 7, true}, {-9, 3, true}, {9, -3, true},
                 {5, 0, false}, {0, 0, false}, {INT_MIN, -1, true}};
    for (const auto &c : cases)
        EXPECT_EQ(IsMultiple(c.a, c.b), c.expected) << c.a << " mod " << c.b;
}

TEST(TempFileName, IsAFreshNameInTheTemporaryFolder)
{
    const QString a = TempFileName();
    const QString b = TempFileName();
    EXPECT_TRUE(a.startsWith(QDir::tempPath() + QStringLiteral("/~SM"))) << a.toStdString();
    EXPECT_NE(a, b);
    EXPECT_FALSE(QFile::exists(a));
}

TEST(NewSerialNo, IsTheClockAsFourteenDigits)
{
    Clock::setNow([] { return QDateTime(QDate(2008, 11, 3), QTime(6, 20, 34)); });
    const QString serial = NewSerialNo();
    Clock::setNow({});
    EXPECT_EQ(serial, u("20081103062034"));
}

// ---- compaction -----------------------------------------------------------------

class Compaction : public ::testing::Test {
protected:
    void SetUp() override
    {
        m_file = m_dir.filePath(QStringLiteral("JQ_CardMgr.dat"));
        db::Database d;
        d.open(m_file, kPassword, true);
        d.execScript(QStringLiteral(
            "CREATE TABLE T_Log(ID integer PRIMARY KEY AUTOINCREMENT, Info text COLLATE NOCASE);"
            "CREATE INDEX IX_Log ON T_Log(Info);"
            "PRAGMA user_version = 7;"));
        d.begin();
        for (int i = 0; i < 3000; ++i)
            d.exec(QStringLiteral("insert into T_Log(Info) values(?)"), {QStringLiteral("会员卡：[%1] 充值").arg(i)});
        d.commit();
        d.execScript(QStringLiteral("DELETE FROM T_Log WHERE ID > 100"));
        d.close();
    }

    // PRAGMA is not Jet SQL; ask the engine's handle directly.
    static int userVersion(db::Database &d)
    {
        sqlite3_stmt *stmt = nullptr;
        int version = -1;
        if (sqlite3_prepare_v2(d.handle(), "PRAGMA user_version", -1, &stmt, nullptr) == SQLITE_OK
            && sqlite3_step(stmt) == SQLITE_ROW)
            version = sqlite3_column_int(stmt, 0);
        sqlite3_finalize(stmt);
        return version;
    }

    QStringList entries() const { return QDir(m_dir.path()).entryList(QDir::Files | QDir::Hidden); }

    // A quote and a backslash must survive the trip into the ATTACH statement.
    const QString kPassword = u("it's\\密码");
    QTemporaryDir m_dir;
    QString m_file;
};

TEST_F(Compaction, ShrinksTheFileAndKeepsPasswordAndContent)
{
    const qint64 before = QFileInfo(m_file).size();
    ASSERT_TRUE(CompactDatabase(m_file, kPassword));
    EXPECT_LT(QFileInfo(m_file).size(), before);
    EXPECT_EQ(entries(), QStringList{u("JQ_CardMgr.dat")});

    db::Database d;
    d.open(m_file, kPassword);
    EXPECT_EQ(d.query(u("select count(*) from T_Log")).value(0, 0).asInt(), 100);
    EXPECT_EQ(d.query(u("select Info from T_Log where ID=42")).value(0, 0).asString(), u("会员卡：[41] 充值"));
    EXPECT_EQ(d.query(u("select count(*) from sqlite_master where name='IX_Log'")).value(0, 0).asInt(), 1);
    d.execScript(QStringLiteral("INSERT INTO T_Log(Info) VALUES('next')"));
    EXPECT_EQ(d.lastInsertId(), 3001);   // the AUTOINCREMENT counter survived
    EXPECT_EQ(userVersion(d), 7);
    d.close();

    db::Database wrong;
    EXPECT_THROW(wrong.open(m_file, u("other")), db::DbError);
}

TEST_F(Compaction, FailureLeavesTheOriginalUntouched)
{
    const QByteArray original = readAll(m_file);
    EXPECT_FALSE(CompactDatabase(m_file, u("wrong password")));
    EXPECT_EQ(readAll(m_file), original);
    EXPECT_EQ(entries(), QStringList{u("JQ_CardMgr.dat")});

    const QString garbage = m_dir.filePath(QStringLiteral("garbage.dat"));
    writeAll(garbage, QByteArray(8192, 'x'));
    EXPECT_FALSE(CompactDatabase(garbage, kPassword));
    EXPECT_EQ(readAll(garbage), QByteArray(8192, 'x'));

    EXPECT_FALSE(CompactDatabase(m_dir.filePath(QStringLiteral("missing.dat")), kPassword));
    EXPECT_FALSE(QFile::exists(m_dir.filePath(QStringLiteral("missing.dat"))));
}

// ---- JPEG -----------------------------------------------------------------------

TEST(BmpToJpeg, WritesAJpegOfTheBitmap)
{
    QTemporaryDir dir;
    const QString bmp = dir.filePath(QStringLiteral("Temp.bmp"));
    const QString jpg = dir.filePath(QStringLiteral("0001.jpg"));
    QImage image(64, 48, QImage::Format_RGB32);
    image.fill(QColor(200, 40, 30));
    ASSERT_TRUE(image.save(bmp, "BMP"));

    BmpToJpeg(bmp, jpg);
    const QByteArray data = readAll(jpg);
    ASSERT_GT(data.size(), 4);
    EXPECT_TRUE(data.startsWith("\xFF\xD8\xFF"));
    EXPECT_TRUE(data.endsWith("\xFF\xD9"));
    const QImage back(jpg, "JPEG");
    ASSERT_FALSE(back.isNull());
    EXPECT_EQ(back.size(), image.size());
    const QColor centre = back.pixelColor(32, 24);
    EXPECT_NEAR(centre.red(), 200, 6);
    EXPECT_NEAR(centre.green(), 40, 6);
    EXPECT_NEAR(centre.blue(), 30, 6);
}

TEST(BmpToJpeg, UnreadableBitmapThrowsAndWritesNothing)
{
    QTemporaryDir dir;
    const QString bad = dir.filePath(QStringLiteral("bad.bmp"));
    writeAll(bad, "not a bitmap");
    const QString jpg = dir.filePath(QStringLiteral("out.jpg"));
    EXPECT_THROW(BmpToJpeg(bad, jpg), std::runtime_error);
    EXPECT_THROW(BmpToJpeg(dir.filePath(QStringLiteral("missing.bmp")), jpg), std::runtime_error);
    EXPECT_FALSE(QFile::exists(jpg));
}

// ---- identity cards -------------------------------------------------------------

TEST(IdCard, CheckCharIsMod11_2)
{
    EXPECT_EQ(IdCardCheckChar(u("11010519491231002")), QLatin1Char('X'));
    EXPECT_EQ(IdCardCheckChar(u("320102198001010016")), QLatin1Char('6'));   // only 17 digits count
    EXPECT_EQ(IdCardCheckChar(u("44030420000229123")), QLatin1Char('6'));
    EXPECT_THROW(IdCardCheckChar(u("1101051949123100A")), std::invalid_argument);
    EXPECT_THROW(IdCardCheckChar(u("1101")), std::invalid_argument);
}

TEST(IdCard, CheckGivesOkOrTheReason)
{
    const struct {
        const char *id;
        const char *expected;
    } cases[] = {
        {"11010519491231002X", "OK"},
        {"320102198001010016", "OK"},
        {"440304200002291236", "OK"},          // 2000 is a leap year
        {"110105480229123", "OK"},             // 15 digits, 1948 is a leap year
        {"11010519491231002", "身份证号不是15位或18位(11010519491231002, 实际位数:17)"},
        {"", "身份证号不是15位或18位(, 实际位数:0)"},
        {"11010519491231002王", "身份证号不是15位或18位(11010519491231002王, 实际位数:19)"},
        {"110105174912310021", "身份证号码无效:18位证号的年份前两位必须在18-20之间(17)"},
        {"110105214912310021", "身份证号码无效:18位证号的年份前两位必须在18-20之间(21)"},
        {"110105194913310021", "身份证号码无效:月份必须在01-12之间(13)"},
        {"110105194900310021", "身份证号码无效:月份必须在01-12之间(00)"},
        {"110105490229123", "身份证号码无效:日期无效,不能为零或超出当月最大值(29)"},
        {"110105190002291239", "身份证号码无效:日期无效,不能为零或超出当月最大值(29)"},   // 1900 not leap
        {"110105194904310021", "身份证号码无效:日期无效,不能为零或超出当月最大值(31)"},
        {"110105194901000021", "身份证号码无效:日期无效,不能为零或超出当月最大值(00)"},
        {"110105194912310021", "身份证号码无效:校验位(第18位)错:(110105194912310021)"},
        {"11010519491231002x", "身份证号码无效:校验位(第18位)错:(11010519491231002x)"},
        {"1101051949123100AX", "身份证无效"},
        {"11010519ab1231002X", "身份证无效"},
        {"1101051949123100王", "身份证无效"},     // 18 bytes, but not digits
        {"11010548022912A", "身份证无效"},        // 15 characters must all be digits
    };
    for (const auto &c : cases)
        EXPECT_EQ(CheckIdCard(u(c.id)), u(c.expected)) << c.id;
}

} // namespace

TEST(Routines, LikeContainsTakesWildcardsLiterally)
{
    struct Case {
        const char *text, *pattern;
    } cases[] = {
        {"MB", "%MB%"},
        {"50%_[x]", "%50[%][_][[]x]%"},
        {"O'Neil", "%O'Neil%"},   // bound, so the quote stays as typed
        {"", "%%"},
    };
    for (const Case &c : cases)
        EXPECT_EQ(LikeContains(QString::fromUtf8(c.text)), QString::fromUtf8(c.pattern)) << c.text;
}
