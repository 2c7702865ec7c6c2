// The main window: rights gating, one child at a time, modal entries, reminders after
// the login, the automatic backup and the exit.

#include "support/TestEnv.h"
#include "core/Clock.h"
#include "core/DialogUnit.h"
#include "core/Login.h"
#include "core/Register.h"
#include "core/Routines.h"
#include "core/ScreenRegistry.h"
#include "core/Ut_Frame.h"
#include "core/Ut_Main.h"

#include <QApplication>
#include <QDir>
#include <QFile>
#include <QLineEdit>
#include <QMdiArea>
#include <QMdiSubWindow>
#include <QPointer>
#include <QPushButton>
#include <QTimer>
#include <QToolButton>

namespace {

QDateTime at(const char *text)
{
    return QDateTime::fromString(QString::fromLatin1(text), QStringLiteral("yyyy-MM-dd HH:mm:ss"));
}

TfrmDialog *fakeScreen(QWidget *parent, bool child)
{
    auto *d = new TfrmDialog(parent);
    d->SetChildScreen(child);
    return d;
}

} // namespace

class ShellMainTest : public KelvoTest {
protected:
    void SetUp() override
    {
        KelvoTest::SetUp();
        RegisterCoreScreens();
        // Screens of other subsystems, as stand-ins.
        for (const char *name : {"TFrm_HYCost", "TFrm_HYManage"})
            Screens::Register(QString::fromLatin1(name), [](QWidget *p) { return fakeScreen(p, true); });
        for (const char *name : {"TFrm_TipOffDay", "TFrm_TourStatistic"})
            Screens::Register(QString::fromLatin1(name), [](QWidget *p) { return fakeScreen(p, false); });
    }

    QStringList OpenScreens(TFrm_Main &main)
    {
        QStringList names;
        for (QMdiSubWindow *sub : main.MdiArea()->subWindowList())
            names << sub->widget()->objectName();
        return names;
    }

    QStringList BackupFiles() { return QDir(appPath() + "backupData").entryList(QDir::Files, QDir::Name); }
};

TEST_F(ShellMainTest, StartupLoginThroughTheDialog)
{
    TFrm_Main main;
    messages.dialogs["TFrm_Login"] = [](QDialog *d) {
        EXPECT_TRUE(static_cast<TFrm_Login *>(d)->IsStartLogin);
        d->findChild<QLineEdit *>("ed_Password")->setText("admin");
        d->findChild<QPushButton *>("RzBit_Login")->click();
        return d->result();
    };
    ASSERT_TRUE(main.StartupLogin());
    EXPECT_TRUE(LoggedIn);
    EXPECT_EQ(main.windowTitle(), "Kelvo会员管理系统V1.5");

    main.show();
    EXPECT_EQ(OpenScreens(main), QStringList{"TFrm_HYCost"});   // the desk opens first
    EXPECT_EQ(main.StatusText(1), "当前操作员：管理员");
    EXPECT_TRUE(main.MdiArea()->subWindowList().first()->isMaximized());
}

TEST_F(ShellMainTest, RightsGateNavigationAndBanner)
{
    db().exec("insert into D_UserManage(UserCode,UserName,PassWord,Power,IFSys) values('op1','小王','pw','$01;$12;',0)");
    LoginAs("op1");
    TFrm_Main main;
    main.ApplyRights();

    const QStringList gated{"mx_UserManage", "mx_HYCardSet", "mx_GoodsSet", "mx_SysSet", "mx_CostManage", "mx_LogManage"};
    for (const QString &name : gated)
        EXPECT_TRUE(Find<QToolButton>(&main, name)->isHidden()) << name.toStdString();
    for (const char *name : {"mxButton1", "mxButton2", "mxButton3", "mx_TipOff", "mx_TipOffShow",
                             "mx_BackUpRecoverData", "mx_ModiPassWord"})
        EXPECT_FALSE(Find<QToolButton>(&main, name)->isHidden()) << name;
    EXPECT_EQ(main.StatusText(1), "当前操作员：小王");

    // The banner button stays but does nothing.
    auto *paraButton = Find<QAbstractButton>(&main, "RzBmpButton5");
    EXPECT_FALSE(paraButton->isHidden());
    paraButton->click();
    EXPECT_TRUE(OpenScreens(main).isEmpty());
    EXPECT_TRUE(messages.shown.isEmpty());

    LoginAs("admin");
    db().exec("update D_UserManage set Power='' where UserCode='admin'");
    CurUserPower.clear();   // the administrator holds every right whatever Power says
    main.ApplyRights();
    for (const QString &name : gated)
        EXPECT_FALSE(Find<QToolButton>(&main, name)->isHidden()) << name.toStdString();
    paraButton->click();
    EXPECT_EQ(OpenScreens(main), QStringList{"TFrm_SysParaSet"});
    EXPECT_TRUE(main.Frame()->Group("M_SysManage")->IsOpen());
}

TEST_F(ShellMainTest, OneChildAtATimeAndModalEntriesKeepIt)
{
    LoginAs("admin");
    TFrm_Main main;
    main.show();
    ASSERT_EQ(OpenScreens(main), QStringList{"TFrm_HYCost"});
    QPointer<QWidget> desk = main.MdiArea()->subWindowList().first()->widget();

    Find<QToolButton>(&main, "mxButton2")->click();
    EXPECT_EQ(OpenScreens(main), QStringList{"TFrm_HYManage"});
    QApplication::processEvents();
    QCoreApplication::sendPostedEvents(nullptr, QEvent::DeferredDelete);
    EXPECT_TRUE(desk.isNull());

    // A modal entry opens over the child without closing it.
    messages.dialogs["TFrm_ModiPassWord"] = [](QDialog *) { return int(QDialog::Rejected); };
    Find<QToolButton>(&main, "mx_ModiPassWord")->click();
    EXPECT_EQ(messages.executedDialogs, QStringList{"TFrm_ModiPassWord"});
    EXPECT_EQ(OpenScreens(main), QStringList{"TFrm_HYManage"});

    // A screen closing itself leaves the area empty.
    auto *screen = qobject_cast<QDialog *>(main.MdiArea()->subWindowList().first()->widget());
    screen->findChild<QPushButton *>("RzBtn_Exit")->click();
    QApplication::processEvents();
    QCoreApplication::sendPostedEvents(nullptr, QEvent::DeferredDelete);
    EXPECT_TRUE(OpenScreens(main).isEmpty());
}

TEST_F(ShellMainTest, ScreenNotYetAvailableIsAPoliteNotice)
{
    LoginAs("admin");
    TFrm_Main main;
    main.show();
    Find<QToolButton>(&main, "mx_LogManage")->click();
    ASSERT_EQ(messages.shown.size(), 1);
    EXPECT_EQ(messages.shown[0].text, "该功能尚未开放");
    EXPECT_EQ(messages.shown[0].caption, "提示");
    EXPECT_EQ(OpenScreens(main), QStringList{"TFrm_HYCost"});   // nothing else happened
}

TEST_F(ShellMainTest, TodaysRemindersOpenOnlyWhenSomethingIsDue)
{
    LoginAs("admin");
    TFrm_Main main;
    Clock::setNow([] { return at("2024-05-06 10:00:00"); });
    messages.dialogs["TFrm_TipOffDay"] = [](QDialog *) { return int(QDialog::Rejected); };
    SysSet.KeepDay = 7;
    SysSet.IfUse_RemindWin = "1";

    main.CheckTodayReminders();
    EXPECT_TRUE(messages.executedDialogs.isEmpty());

    db().exec("insert into T_MemberInfo(CodeID,memberName,memberKind,CurState,birthday) values('M1','张三',2,1,?)",
              {QStringLiteral("1990-05-09 00:00:00")});
    main.CheckTodayReminders();   // birthday in three days
    EXPECT_EQ(messages.executedDialogs.size(), 1);

    SysSet.IfUse_RemindWin = "0";
    main.CheckTodayReminders();
    EXPECT_EQ(messages.executedDialogs.size(), 1);

    SysSet.IfUse_RemindWin = "1";
    SysSet.KeepDay = 1;   // the birthday is now too far away, but a reminder is due today
    db().exec("insert into T_TipOffSet(AddDate,CardID,TipOFFMode,TipOffDate,TipOffContent,TipOffState) "
              "values(now(),'M1',1,'2024-05-06','回访',1)");
    main.CheckTodayReminders();
    EXPECT_EQ(messages.executedDialogs.size(), 2);
}

TEST_F(ShellMainTest, AutomaticBackupRunsOnceAtTheConfiguredHour)
{
    struct Case {
        const char *hour;
        QList<const char *> ticks;
        QStringList files;
    } cases[] = {
        {"15", {"2024-05-06 14:59:59", "2024-05-06 15:00:00", "2024-05-06 15:00:01"}, {"2024-05-06_150000.dat"}},
        {"9", {"2024-05-06 09:00:00", "2024-05-06 09:00:01"}, {"2024-05-06_090000.dat"}},
        {"0", {"2024-05-05 23:59:59", "2024-05-06 00:00:00"}, {"2024-05-06_000000.dat"}},
        // a tick that missed the exact second still makes the day's backup
        {"15", {"2024-05-06 14:59:59", "2024-05-06 15:00:01"}, {"2024-05-06_150001.dat"}},
        // started after the hour: nothing until the next day
        {"15", {"2024-05-06 15:00:05", "2024-05-06 15:00:06"}, {}},
    };
    for (const Case &c : cases) {
        QDir(appPath() + "backupData").removeRecursively();   // the backup makes the folder again
        IniWrite("ParaSet", "IfAutoBack", "1", appPath() + "config.ini");
        IniWrite("ParaSet", "IfAutoback_Clock", c.hour, appPath() + "config.ini");
        m_dm->LoadAutoBackupSettings();
        TFrm_Frame frame;
        for (const char *tick : c.ticks) {
            Clock::setNow([tick] { return at(tick); });
            frame.Timer1Timer();
            EXPECT_TRUE(frame.BackupTimer()->isActive());
        }
        EXPECT_EQ(BackupFiles(), c.files) << c.hour << " " << c.ticks.first();
    }
}

TEST_F(ShellMainTest, BackupIsAnEncryptedCopyOfTheOpenDatabase)
{
    db().exec("insert into D_UserManage(UserCode,UserName,PassWord,Power,IFSys) values('bk1','备份员','pw','',0)");
    SysSet.IfAutoBack = "0";
    SysSet.IfAutoback_Clock = "15";
    TFrm_Frame frame;
    Clock::setNow([] { return at("2024-05-06 15:00:00"); });
    frame.Timer1Timer();
    EXPECT_TRUE(BackupFiles().isEmpty());   // automatic backup switched off

    SysSet.IfAutoBack = "1";
    Clock::setNow([] { return at("2024-05-07 15:00:00"); });
    frame.Timer1Timer();
    ASSERT_EQ(BackupFiles(), QStringList{"2024-05-07_150000.dat"});
    const QString file = appPath() + "backupData/2024-05-07_150000.dat";
    {
        db::Database copy;
        copy.open(file, DatabasePassword());
        const db::Result r = copy.query("select UserName from D_UserManage where UserCode='bk1'");
        ASSERT_EQ(r.rowCount(), 1);
        EXPECT_EQ(r.value(0, 0).asString(), "备份员");
    }
    db::Database wrong;
    EXPECT_THROW(wrong.open(file, "not the password"), db::DbError);
    // the program goes on using its connection
    EXPECT_EQ(Scalar("select count(*) from D_UserManage where UserCode='bk1'"), "1");
}

TEST_F(ShellMainTest, FailedBackupLeavesNoFile)
{
    EXPECT_FALSE(BackupDatabase(appPath() + "backupData/missing/x.dat"));
    {
        db::Transaction busy(db());   // the database cannot be attached inside a transaction
        EXPECT_FALSE(BackupDatabase(appPath() + "backupData/y.dat"));
    }
    EXPECT_TRUE(BackupFiles().isEmpty());
    EXPECT_FALSE(QFile::exists(appPath() + "backupData/missing"));
}

TEST_F(ShellMainTest, ExitAsksLogsAndCompacts)
{
    LoginAs("admin");
    TFrm_Main main;
    main.show();
    messages.answers = {QMessageBox::No};
    EXPECT_FALSE(main.close());
    EXPECT_TRUE(messages.wasShown("你确定要离开系统吗?"));
    EXPECT_EQ(OpenScreens(main), QStringList{"TFrm_HYCost"});
    EXPECT_TRUE(db().isOpen());

    messages.answers = {QMessageBox::Yes};
    EXPECT_TRUE(main.close());
    EXPECT_FALSE(db().isOpen());
    Restart();   // the compacted file opens with its password and kept the log line
    EXPECT_EQ(Scalar("select count(*) from T_SysLog where UserMan='admin' and OperInfo='操作员：admin 退出系统'"), "1");
}
