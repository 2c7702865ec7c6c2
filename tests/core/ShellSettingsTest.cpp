// Operators, the password dialog and the system parameters screen.

#include "support/TestEnv.h"
#include "core/Routines.h"
#include "core/ScreenRegistry.h"
#include "core/Ut_ManageUser.h"
#include "core/Ut_ModiPassWord.h"
#include "core/Ut_SysParaSet.h"

#include <QApplication>
#include <QCheckBox>
#include <QComboBox>
#include <QLabel>
#include <QLineEdit>
#include <QListWidget>
#include <QMouseEvent>
#include <QPushButton>
#include <QSpinBox>

class ShellOperatorsTest : public KelvoTest {
protected:
    void SetUp() override
    {
        KelvoTest::SetUp();
        LoginAs("admin");
        Screens::SetApplyRights([this] { ++rightsApplied; });
        screen = std::make_unique<TFrm_ManageUser>();
        screen->show();
    }
    void TearDown() override
    {
        screen.reset();
        Screens::SetApplyRights({});
        KelvoTest::TearDown();
    }

    QLineEdit *Edit(const char *name) { return Find<QLineEdit>(screen.get(), name); }
    QPushButton *Button(const char *name) { return Find<QPushButton>(screen.get(), name); }
    QListWidget *Rights() { return Find<QListWidget>(screen.get(), "Check_box"); }
    void Type(const char *edit, const QString &text)
    {
        Edit(edit)->setText(text);
        emit Edit(edit)->textEdited(text);
    }
    void Tick(const QString &code)
    {
        for (int i = 0; i < Rights()->count(); ++i)
            if (Rights()->item(i)->text().startsWith(code))
                Rights()->item(i)->setCheckState(Qt::Checked);
    }
    QString Stored(const QString &code, const char *column)
    {
        const db::Result r =
            db().query(QStringLiteral("select %1 from D_UserManage where UserCode=?").arg(QLatin1String(column)), {code});
        return r.isEmpty() ? QStringLiteral("<none>") : r.value(0, 0).asString();
    }
    // Adds an operator through the screen.
    void Add(const QString &code, const QString &name, const QString &password, const QStringList &rights = {})
    {
        Button("RzBit_Add")->click();
        Type("DBEdit1", code);
        Type("DBEdit2", name);
        Type("Ed_First", password);
        Type("Ed_Pass", password);
        for (const QString &r : rights)
            Tick(r);
        Button("RzBit_Save")->click();
    }

    std::unique_ptr<TFrm_ManageUser> screen;
    int rightsApplied = 0;
};

TEST_F(ShellOperatorsTest, RightsListAndPowerStringOrder)
{
    ASSERT_EQ(Rights()->count(), 24);
    EXPECT_EQ(Rights()->item(0)->text(), "01.[增加]会员");
    EXPECT_EQ(Rights()->item(23)->text(), "30.用户管理");

    Add("op1", "小王", "pw", {"30", "01", "08"});   // ticked out of order
    EXPECT_TRUE(messages.shown.isEmpty()) << messages.lastText().toStdString();
    EXPECT_EQ(Stored("op1", "Power"), "$01;$08;$30;");
    EXPECT_EQ(Stored("op1", "PassWord"), "pw");
    EXPECT_EQ(Stored("op1", "IFSys"), "0");
    EXPECT_EQ(screen->CurrentState(), TFrm_ManageUser::State::Browse);
    EXPECT_EQ(rightsApplied, 1);
    EXPECT_EQ(CurUserPower, Stored("admin", "Power"));   // another operator's rights are not taken over
}

TEST_F(ShellOperatorsTest, SaveValidations)
{
    struct Case {
        const char *code, *name, *first, *confirm, *message, *focus;
    } cases[] = {
        {"  ", "小王", "", "", "操作员编号不能为空！", "DBEdit1"},
        {"op1", "  ", "", "", "操作员名称不能为空！", "DBEdit2"},
        {"op1", "小王", "a", "b", "两次输入的密码不一致，请在输入一次！", "Ed_First"},
        {"admin", "小王", "", "", "你输入的编号已经存在，请再输入一个编号！", "DBEdit1"},
        {"ADMIN", "小王", "", "", "你输入的编号已经存在，请再输入一个编号！", "DBEdit1"},
    };
    for (const Case &c : cases) {
        messages.clear();
        Button("RzBit_Add")->click();
        Type("DBEdit1", c.code);
        Type("DBEdit2", c.name);
        Type("Ed_First", c.first);
        Type("Ed_Pass", c.confirm);
        Button("RzBit_Save")->click();
        ASSERT_EQ(messages.shown.size(), 1) << c.message;
        EXPECT_EQ(messages.shown[0].text, c.message);
        EXPECT_EQ(messages.shown[0].caption, "警告");
        EXPECT_EQ(messages.shown[0].icon, Messages::Icon::Warning);
        EXPECT_EQ(screen->focusWidget(), Edit(c.focus)) << c.message;
        EXPECT_EQ(screen->CurrentState(), TFrm_ManageUser::State::Insert) << c.message;   // still editing
        Button("RzBit_Cancel")->click();
    }
    EXPECT_EQ(Scalar("select count(*) from D_UserManage"), "1");
}

TEST_F(ShellOperatorsTest, DuplicateCodeRefusedAlsoAfterEditingThatCode)
{
    Add("op1", "小王", "pw");
    Add("op2", "小李", "pw");
    // edit op2 (OldUserCode becomes op2), then try to add another op2
    Type("DBEdit2", "小李2");
    Button("RzBit_Save")->click();
    ASSERT_TRUE(messages.shown.isEmpty());
    Add("op2", "重复", "pw");
    EXPECT_TRUE(messages.wasShown("你输入的编号已经存在，请再输入一个编号！"));
    Button("RzBit_Cancel")->click();
    // renaming op1's code to op2 is refused as well
    messages.clear();
    Add("op3", "小张", "pw");
    Type("DBEdit1", "op1");
    Button("RzBit_Save")->click();
    EXPECT_TRUE(messages.wasShown("你输入的编号已经存在，请再输入一个编号！"));
    EXPECT_EQ(Scalar("select count(*) from D_UserManage where UserCode='op2'"), "1");
}

TEST_F(ShellOperatorsTest, EditingKeepsPasswordUnlessTyped)
{
    Add("op1", "小王", "first");
    Type("DBEdit2", "王五");
    Button("RzBit_Save")->click();
    EXPECT_EQ(Stored("op1", "UserName"), "王五");
    EXPECT_EQ(Stored("op1", "PassWord"), "first");
    Type("Ed_First", "second");
    Type("Ed_Pass", "second");
    Button("RzBit_Save")->click();
    EXPECT_EQ(Stored("op1", "PassWord"), "second");
}

TEST_F(ShellOperatorsTest, QuotesAreStoredAsTyped)
{
    Add("o'k", "O'Neil 小'王", "p'w", {"12"});
    ASSERT_TRUE(messages.shown.isEmpty()) << messages.lastText().toStdString();
    EXPECT_EQ(Stored("o'k", "UserName"), "O'Neil 小'王");
    EXPECT_EQ(Stored("o'k", "PassWord"), "p'w");
    EXPECT_EQ(Stored("o'k", "Power"), "$12;");
}

TEST_F(ShellOperatorsTest, AdministratorIsProtected)
{
    // The first row is the administrator: code and rights locked, name editable.
    EXPECT_EQ(Edit("DBEdit1")->text(), "admin");
    EXPECT_FALSE(Edit("DBEdit1")->isEnabled());
    EXPECT_FALSE(Rights()->isEnabled());
    EXPECT_FALSE(Button("RzBtn_Delete")->isEnabled());
    EXPECT_TRUE(Edit("DBEdit2")->isEnabled());

    // A click on Label4 ticks everything but does not start editing.
    Rights()->item(0)->setCheckState(Qt::Unchecked);
    auto *label = Find<QLabel>(screen.get(), "Label4");
    QMouseEvent release(QEvent::MouseButtonRelease, QPointF(2, 2), QPointF(2, 2), Qt::LeftButton, Qt::NoButton,
                        Qt::NoModifier);
    QApplication::sendEvent(label, &release);
    EXPECT_EQ(Rights()->item(0)->checkState(), Qt::Checked);
    EXPECT_EQ(screen->CurrentState(), TFrm_ManageUser::State::Browse);

    screen->RzBtn_DeleteClick();
    EXPECT_EQ(messages.lastText(), "不能删除系统管理员！");
    EXPECT_EQ(messages.shown.last().caption, "提示");
    EXPECT_EQ(Stored("admin", "IFSys"), "1");

    // Saving his own row changes his name and password, and his rights follow the row.
    Type("DBEdit2", "老板");
    Type("Ed_First", "new");
    Type("Ed_Pass", "new");
    Button("RzBit_Save")->click();
    EXPECT_EQ(Stored("admin", "UserName"), "老板");
    EXPECT_EQ(CurUserName, "老板");
    EXPECT_EQ(CurUserPassword, "new");
}

TEST_F(ShellOperatorsTest, DeleteAsksFirst)
{
    Add("op1", "小王", "pw");
    ASSERT_EQ(Edit("DBEdit1")->text(), "op1");
    messages.answers = {QMessageBox::No};
    Button("RzBtn_Delete")->click();
    EXPECT_EQ(messages.lastText(), "你确定要删除此用户吗？");
    EXPECT_EQ(Stored("op1", "UserName"), "小王");
    messages.answers = {QMessageBox::Yes};
    Button("RzBtn_Delete")->click();
    EXPECT_EQ(Stored("op1", "UserName"), "<none>");
}

class ShellPasswordTest : public KelvoTest {};

TEST_F(ShellPasswordTest, ChangeRules)
{
    LoginAs("admin");
    CurUserPassword = "admin";
    struct Case {
        const char *old, *fresh, *confirm;
        int answer;
        const char *message;
        const char *stored;
    } cases[] = {
        {"admin ", "n1", "n1", QMessageBox::Yes, "你输入的原密码不正确，请重新输入...", "admin"},
        {"admin", "n1", "n2", QMessageBox::Yes, "你输入的两次新密码不一样，请重新输入...", "admin"},
        {"admin", "n1", "n1 ", QMessageBox::No, "你确定要修改密码?", "admin"},
        {"admin", "n'1", " n'1", QMessageBox::Yes, "密码修改成功！", "n'1"},
        // the next change expects the new password
        {"admin", "n3", "n3", QMessageBox::Yes, "你输入的原密码不正确，请重新输入...", "n'1"},
        {"n'1", "", "", QMessageBox::Yes, "密码修改成功！", ""},
    };
    for (const Case &c : cases) {
        messages.clear();
        messages.answers = {c.answer};
        TFrm_ModiPassWord dialog;
        dialog.show();
        EXPECT_EQ(Find<QLabel>(&dialog, "RzLab_UserName")->text(), CurUserName);
        Find<QLineEdit>(&dialog, "RzEd_Pass")->setText(c.old);
        Find<QLineEdit>(&dialog, "RzEd_NewPass")->setText(c.fresh);
        Find<QLineEdit>(&dialog, "RzEd_NewPassOk")->setText(c.confirm);
        Find<QPushButton>(&dialog, "RzBit_OK")->click();
        EXPECT_EQ(messages.lastText(), c.message) << c.old << "/" << c.fresh;
        EXPECT_EQ(Scalar("select PassWord from D_UserManage where UserCode='admin'"), c.stored) << c.message;
        EXPECT_EQ(dialog.result() == QDialog::Accepted, QString(c.message) == "密码修改成功！");
    }
}

class ShellParametersTest : public KelvoTest {
protected:
    void SetUp() override
    {
        KelvoTest::SetUp();
        screen = std::make_unique<TFrm_SysParaSet>();
        screen->show();
    }
    void TearDown() override
    {
        screen.reset();
        KelvoTest::TearDown();
    }
    template <class T>
    T *Control(const char *name) { return Find<T>(screen.get(), name); }
    void Save() { Control<QPushButton>("RzBitBtn1")->click(); }

    std::unique_ptr<TFrm_SysParaSet> screen;
};

TEST_F(ShellParametersTest, OpensWithStoredValuesAndEnabling)
{
    EXPECT_FALSE(Control<QPushButton>("RzBtn_Exit")->isVisible());
    EXPECT_EQ(Control<QLineEdit>("RzDBEdit1")->text(), QString::number(SysSet.CostStand));
    EXPECT_EQ(Control<QLineEdit>("RzDBEdit5")->text(), SysSet.UnitName);
    EXPECT_EQ(Control<QSpinBox>("RzDBSpinEdit1")->value(), SysSet.KeepDay);
    EXPECT_FALSE(Control<QCheckBox>("RzChk_InputPW")->isChecked());

    struct Pair {
        const char *check;
        const char *field;
    } pairs[] = {{"RzDBCheckBox1", "RzDBEdit1"}, {"RzDBCheckBox2", "RzDBSpinEdit1"}, {"RzDBCheckBox3", "RzDBEdit2"}};
    for (const Pair &p : pairs) {
        auto *check = Control<QCheckBox>(p.check);
        auto *field = Control<QWidget>(p.field);
        for (bool on : {false, true}) {
            check->setChecked(on);
            EXPECT_EQ(field->isEnabled(), on) << p.check;
        }
    }
}

TEST_F(ShellParametersTest, SaveWritesRowAndIniAndReloadsOnClose)
{
    const int before = SysSet.CostStand;
    Control<QLineEdit>("RzDBEdit1")->setText("20");
    Control<QCheckBox>("RzDBCheckBox2")->setChecked(false);
    Control<QSpinBox>("RzDBSpinEdit1")->setValue(9);
    Control<QLineEdit>("RzDBEdit5")->setText("老王's 小店");
    Control<QCheckBox>("RzChk_InputPW")->setChecked(true);
    Save();
    EXPECT_EQ(messages.lastText(), "系统参数设置成功！");
    EXPECT_EQ(Scalar("select CostStand from T_SysSet"), "20");
    EXPECT_EQ(Scalar("select IfUse_Birthday from T_SysSet"), "False");
    EXPECT_EQ(Scalar("select KeepDay from T_SysSet"), "9");
    EXPECT_EQ(Scalar("select UnitName from T_SysSet"), "老王's 小店");
    EXPECT_EQ(IniRead("ParaSet", "IfInputPW", "0", appPath() + "config.ini"), "1");
    EXPECT_EQ(SysSet.CostStand, before);   // the others see it only after closing

    screen->close();
    EXPECT_EQ(SysSet.CostStand, 20);
    EXPECT_EQ(SysSet.IfUse_Birthday, "0");
    EXPECT_EQ(SysSet.UnitName, "老王's 小店");
    EXPECT_EQ(SysSet.IfInputPW, "1");
}

TEST_F(ShellParametersTest, SecondSaveWritesOnlyTheIniKey)
{
    Save();
    db().exec("update T_SysSet set CostStand=99");
    Control<QCheckBox>("RzChk_InputPW")->setChecked(true);
    Save();
    ASSERT_EQ(messages.shown.size(), 2);
    EXPECT_EQ(messages.shown[1].text, "系统参数设置成功！");
    EXPECT_EQ(Scalar("select CostStand from T_SysSet"), "99");
    EXPECT_EQ(IniRead("ParaSet", "IfInputPW", "0", appPath() + "config.ini"), "1");
    // any change puts the row back into editing
    Control<QLineEdit>("RzDBEdit4")->setText("3");
    Save();
    EXPECT_EQ(Scalar("select GetScore from T_SysSet"), "3");
}

TEST_F(ShellParametersTest, EmptiedNumbersBecomeOne)
{
    for (const char *name : {"RzDBEdit1", "RzDBEdit4", "RzDBEdit2"}) {
        auto *edit = Control<QLineEdit>(name);
        edit->setText("");
        emit edit->editingFinished();
        EXPECT_EQ(edit->text(), "1") << name;
    }
    // digits only
    auto *edit = Control<QLineEdit>("RzDBEdit1");
    edit->setText("");
    for (const QString &ch : {QStringLiteral("-"), QStringLiteral("5"), QStringLiteral(".")}) {
        QKeyEvent press(QEvent::KeyPress, Qt::Key_unknown, Qt::NoModifier, ch);
        QApplication::sendEvent(edit, &press);
    }
    EXPECT_EQ(edit->text(), "5");
}

TEST_F(ShellParametersTest, MissingPrinterShowsNoSelectionAndSavesEmpty)
{
    screen.reset();
    db().exec("update T_SysSet set PrintName='不存在的打印机'");
    m_dm->LoadSysSet();
    screen = std::make_unique<TFrm_SysParaSet>();
    screen->show();
    EXPECT_EQ(Control<QComboBox>("RzComb_Print")->currentIndex(), -1);
    Save();
    EXPECT_EQ(Scalar("select PrintName from T_SysSet"), "");
}
