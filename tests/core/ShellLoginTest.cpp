// The login dialog: globals, shift records, wrong passwords, cancel rules.

#include "support/TestEnv.h"
#include "core/Clock.h"
#include "core/Login.h"
#include "core/Routines.h"

#include <QApplication>
#include <QComboBox>
#include <QKeyEvent>
#include <QLineEdit>
#include <QMainWindow>
#include <QPushButton>

namespace {

QDateTime at(const char *text)
{
    return QDateTime::fromString(QString::fromLatin1(text), QStringLiteral("yyyy-MM-dd HH:mm:ss"));
}

} // namespace

class ShellLoginTest : public KelvoTest {
protected:
    void AddOperator(const QString &code, const QString &name, const QString &password, const QString &power = {})
    {
        db().exec("insert into D_UserManage(UserCode,UserName,PassWord,Power,IFSys) values(?,?,?,?,0)",
                  {code, name, password, power});
    }

    // Shows a fresh dialog, picks the operator, types the password and presses "登录".
    QDialog::DialogCode Login(const QString &code, const QString &password, bool startUp = true)
    {
        TFrm_Login login;
        login.IsStartLogin = startUp;
        login.show();
        auto *combo = Find<QComboBox>(&login, "RzCmb_WorkID");
        EXPECT_TRUE(SelectComboValue(combo, code)) << code.toStdString();
        Find<QLineEdit>(&login, "ed_Password")->setText(password);
        Find<QPushButton>(&login, "RzBit_Login")->click();
        return QDialog::DialogCode(login.result());
    }

    QString Shift(const QString &code, const char *column)
    {
        const db::Result r = db().query(QStringLiteral("select %1 from T_LoginDate where UserMan=?").arg(QLatin1String(column)),
                                        {code});
        return r.isEmpty() ? QStringLiteral("<none>") : r.value(0, 0).asString();
    }
};

TEST_F(ShellLoginTest, SuccessfulLoginFillsGlobalsAndWritesLog)
{
    AddOperator("op1", "  小王 ", "secret  ", "$01;$08;");
    Clock::setNow([] { return at("2024-03-05 08:30:00"); });
    ASSERT_EQ(Login("op1", "secret"), QDialog::Accepted);

    EXPECT_EQ(CurUserCode, "op1");
    EXPECT_EQ(CurUserName, "小王");
    EXPECT_EQ(CurUserPassword, "secret");
    EXPECT_EQ(CurUserPower, "$01;$08;");
    EXPECT_EQ(CurUserIsSys, "0");
    EXPECT_TRUE(LoggedIn);
    EXPECT_EQ(Scalar("select count(*) from T_SysLog where UserMan='op1' and OperInfo='操作员：op1 登录系统'"), "1");
    EXPECT_TRUE(messages.shown.isEmpty());
}

TEST_F(ShellLoginTest, ShiftRecordFollowsStartUpsAndShiftChanges)
{
    AddOperator("op1", "小王", "pw");
    struct Step {
        const char *now;
        bool startUp;
        const char *loginDate, *lastDate, *ifChange;
    } steps[] = {
        // first start-up opens the shift
        {"2024-03-05 08:00:00", true, "2024-03-05 08:00:00", "2024-03-05 08:00:00", "0"},
        // a restart keeps the shift, moves LastDate
        {"2024-03-05 12:00:00", true, "2024-03-05 08:00:00", "2024-03-05 12:00:00", "0"},
        // a shift change starts a new shift
        {"2024-03-05 14:00:00", false, "2024-03-05 14:00:00", "2024-03-05 14:00:00", "1"},
        // the next start-up after a shift change starts another one
        {"2024-03-06 09:00:00", true, "2024-03-06 09:00:00", "2024-03-06 09:00:00", "0"},
    };
    for (const Step &s : steps) {
        const char *now = s.now;
        Clock::setNow([now] { return at(now); });
        ASSERT_EQ(Login("op1", "pw", s.startUp), QDialog::Accepted) << s.now;
        EXPECT_EQ(Shift("op1", "LoginDate"), s.loginDate) << s.now;
        EXPECT_EQ(Shift("op1", "LastDate"), s.lastDate) << s.now;
        EXPECT_EQ(Shift("op1", "IfChange"), s.ifChange) << s.now;
    }
    EXPECT_EQ(Scalar("select count(*) from T_LoginDate where UserMan='op1'"), "1");
}

TEST_F(ShellLoginTest, ShiftChangeOpensAShiftForAnOperatorWithoutRecord)
{
    AddOperator("op2", "小李", "pw");
    Clock::setNow([] { return at("2024-03-05 14:00:00"); });
    ASSERT_EQ(Login("op2", "pw", false), QDialog::Accepted);
    EXPECT_EQ(Shift("op2", "LoginDate"), "2024-03-05 14:00:00");
    EXPECT_EQ(Shift("op2", "IfChange"), "1");
}

TEST_F(ShellLoginTest, CodesWithQuotesLogIn)
{
    AddOperator("o'k", "欧克", "p'w");
    ASSERT_EQ(Login("o'k", "p'w"), QDialog::Accepted);
    EXPECT_EQ(CurUserCode, "o'k");
    EXPECT_EQ(Shift("o'k", "IfChange"), "0");
    EXPECT_EQ(Scalar("select count(*) from T_SysLog where OperInfo='操作员：o''k 登录系统'"), "1");
}

TEST_F(ShellLoginTest, AdministratorsAreListedFirst)
{
    AddOperator("0001", "甲", "pw");
    AddOperator("aaa", "乙", "pw");
    TFrm_Login login;
    login.show();
    auto *combo = Find<QComboBox>(&login, "RzCmb_WorkID");
    ASSERT_EQ(combo->count(), 3);
    EXPECT_EQ(combo->itemData(0).toString(), "admin");
    EXPECT_EQ(combo->itemData(1).toString(), "0001");
    EXPECT_EQ(combo->currentIndex(), 0);
}

TEST_F(ShellLoginTest, PasswordComparisonRules)
{
    struct Case {
        const char *stored, *typed;
        bool ok;
    } cases[] = {
        {"pw  ", "pw", true},    // stored trailing blanks are trimmed
        {"pw", "pw ", false},    // a pasted trailing blank is not
        {"pw", "PW", false},     // case counts
        {"pw", "pw", true},
    };
    for (const Case &c : cases) {
        db().exec("delete from D_UserManage where UserCode='op1'");
        AddOperator("op1", "小王", c.stored);
        LoggedIn = false;
        messages.clear();
        EXPECT_EQ(Login("op1", c.typed) == QDialog::Accepted, c.ok) << c.stored << "|" << c.typed;
        EXPECT_EQ(messages.wasShown("输入口令错误"), !c.ok) << c.stored << "|" << c.typed;
    }
}

TEST_F(ShellLoginTest, BlanksCannotBeTypedAndEnterOnlyMovesFocus)
{
    TFrm_Login login;
    login.show();
    auto *edit = Find<QLineEdit>(&login, "ed_Password");
    for (const QString &ch : {QStringLiteral("a"), QStringLiteral(" "), QStringLiteral("b")}) {
        QKeyEvent press(QEvent::KeyPress, ch == QLatin1String(" ") ? Qt::Key_Space : Qt::Key_A, Qt::NoModifier, ch);
        QApplication::sendEvent(edit, &press);
    }
    EXPECT_EQ(edit->text(), "ab");
    edit->setText("admin");
    QKeyEvent enter(QEvent::KeyPress, Qt::Key_Return, Qt::NoModifier);
    QApplication::sendEvent(edit, &enter);
    EXPECT_FALSE(LoggedIn);
    EXPECT_TRUE(login.isVisible());
    EXPECT_EQ(login.focusWidget(), Find<QPushButton>(&login, "RzBit_Login"));
}

TEST_F(ShellLoginTest, ThirdWrongPasswordEndsTheProgram)
{
    for (bool startUp : {true, false}) {
        messages.clear();
        TFrm_Login login;
        login.IsStartLogin = startUp;
        login.show();
        Find<QLineEdit>(&login, "ed_Password")->setText("wrong");
        for (int i = 0; i < 2; ++i)
            Find<QPushButton>(&login, "RzBit_Login")->click();
        EXPECT_FALSE(messages.terminated);
        EXPECT_EQ(login.FailedLogins, 2);
        Find<QPushButton>(&login, "RzBit_Login")->click();
        EXPECT_TRUE(messages.terminated) << startUp;
        ASSERT_EQ(messages.shown.size(), 4);
        EXPECT_EQ(messages.shown[0].text, "输入口令错误");
        EXPECT_EQ(messages.shown[0].caption, "警告");
        EXPECT_EQ(messages.shown[3].text, "你已经多次输错口令，系统将自动关闭");
        EXPECT_EQ(messages.shown[3].icon, Messages::Icon::Error);
        EXPECT_FALSE(LoggedIn);
    }
}

TEST_F(ShellLoginTest, CancelEndsStartUpButNotShiftChange)
{
    LoginAs("admin");
    const QString before = CurUserCode;
    {
        TFrm_Login login;
        login.IsStartLogin = false;
        login.show();
        Find<QPushButton>(&login, "RzBit_Cancel")->click();
        EXPECT_FALSE(messages.terminated);
        EXPECT_EQ(login.result(), QDialog::Rejected);
        EXPECT_EQ(CurUserCode, before);
    }
    LoggedIn = false;
    {
        TFrm_Login login;
        login.IsStartLogin = true;
        login.show();
        Find<QPushButton>(&login, "RzBit_Cancel")->click();
        EXPECT_TRUE(messages.terminated);
    }
    messages.clear();
    {
        // Escape / Alt+F4 at start-up without a login ends the program too.
        TFrm_Login login;
        login.IsStartLogin = true;
        login.show();
        login.close();
        EXPECT_TRUE(messages.terminated);
    }
}

TEST_F(ShellLoginTest, ShowingTheDialogRenamesTheMainWindow)
{
    QMainWindow main;
    main.setWindowTitle("x");
    TFrm_Login login;
    login.show();
    EXPECT_EQ(main.windowTitle(), "Kelvo会员管理系统V1.5");
}
