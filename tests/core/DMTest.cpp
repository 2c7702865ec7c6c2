// The data module: start-up, settings record, rights, log lines.

#include "support/TestEnv.h"
#include "core/Routines.h"

#include <QFile>

class DMTest : public KelvoTest {};

TEST_F(DMTest, MissingConfigGivesDefaults)
{
    ASSERT_FALSE(QFile::exists(appPath() + "config.ini"));
    EXPECT_EQ(SysSet.IfInputPW, "0");
    EXPECT_EQ(SysSet.IfAutoBack, "0");
    EXPECT_EQ(SysSet.IfAutoback_Clock, "12");
}

TEST_F(DMTest, ConfigKeysAreRead)
{
    IniWrite("ParaSet", "IfInputPW", "1", appPath() + "config.ini");
    IniWrite("ParaSet", "IfAutoBack", "1", appPath() + "config.ini");
    IniWrite("ParaSet", "IfAutoback_Clock", "9", appPath() + "config.ini");
    m_dm->LoadSysSet();
    EXPECT_EQ(SysSet.IfInputPW, "1");
    EXPECT_EQ(SysSet.IfAutoBack, "1");
    EXPECT_EQ(SysSet.IfAutoback_Clock, "9");
}

TEST_F(DMTest, YesNoColumnsBecomeFlags)
{
    db().exec("update T_SysSet set IfUse_Birthday=1, IfUse_Balance=0, IfUse_Show=NULL, CostStand=7, LessMoney=12.5,"
              " UnitName='小店''s'");
    m_dm->LoadSysSet();
    EXPECT_EQ(SysSet.IfUse_Birthday, "1");
    EXPECT_EQ(SysSet.IfUse_Balance, "0");
    EXPECT_EQ(SysSet.IfUse_Show, "0");   // Null reads as not set
    EXPECT_EQ(SysSet.CostStand, 7);
    EXPECT_DOUBLE_EQ(SysSet.LessMoney, 12.5);
    EXPECT_EQ(SysSet.UnitName, "小店's");
}

TEST_F(DMTest, EmptySettingsTableGivesZeros)
{
    db().exec("delete from T_SysSet");
    m_dm->LoadSysSet();
    EXPECT_EQ(SysSet.IfUse_Birthday, "0");
    EXPECT_EQ(SysSet.CostStand, 0);
    EXPECT_TRUE(SysSet.UnitName.isEmpty());
}

TEST_F(DMTest, HasRightMatchesWholeEntries)
{
    struct Case {
        const char *isSys, *power, *code;
        bool expected;
    } cases[] = {
        {"1", "", "18", true},            {"1", "$01;", "30", true},
        {"0", "$01;$12;", "12", true},    {"0", "$01;$12;", "2", false},
        {"0", "$01;$12;", "01", true},    {"0", "$01;$12;", "18", false},
        {"", "", "01", false},
    };
    for (const Case &c : cases) {
        CurUserIsSys = c.isSys;
        CurUserPower = c.power;
        EXPECT_EQ(m_dm->HasRight(c.code), c.expected) << c.isSys << " " << c.power << " " << c.code;
    }
}

TEST_F(DMTest, ProportionDividesFirst)
{
    EXPECT_DOUBLE_EQ(Tfrm_DM::Proportion(10, 1, 4), 2.5);
    EXPECT_DOUBLE_EQ(Tfrm_DM::Proportion(3, 2, 3), 2.0);
}

TEST_F(DMTest, LogLinesBeforeLoginCarryAdminAndKeepQuotes)
{
    EXPECT_EQ(CurUserCode, "admin");
    EXPECT_EQ(CurUserName, "管理员");
    m_dm->WriteLog("会员卡：[O'Neil] 充值");
    const db::Result r = db().query("select UserMan, OperInfo, OperDate from T_SysLog order by OperDate desc");
    ASSERT_FALSE(r.isEmpty());
    EXPECT_EQ(r.value(0, "UserMan").asString(), "admin");
    EXPECT_EQ(r.value(0, "OperInfo").asString(), "会员卡：[O'Neil] 充值");
    EXPECT_TRUE(r.value(0, "OperDate").asDateTime().isValid());
}

TEST(DMStartTest, UnopenableDatabaseFails)
{
    EnsureApplication();
    QTemporaryDir dir;
    // missing file
    EXPECT_THROW(Tfrm_DM dm(dir.path()), db::DbError);
    // a damaged file
    QDir(dir.path()).mkpath("Data");
    QFile f(dir.path() + "/Data/JQ_CardMgr.dat");
    ASSERT_TRUE(f.open(QIODevice::WriteOnly));
    f.write(QByteArray(8192, 'x'));
    f.close();
    try {
        Tfrm_DM dm(dir.path());
        FAIL() << "opened a damaged file";
    } catch (const db::DbError &e) {
        EXPECT_FALSE(e.text().contains(DatabasePassword()));
    }
    EXPECT_EQ(frm_DM, nullptr);
}
