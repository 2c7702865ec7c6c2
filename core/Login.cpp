#include "Login.h"
#include "DM.h"
#include "Messages.h"
#include "Pictures.h"
#include "Routines.h"

#include <QApplication>
#include <QComboBox>
#include <QKeyEvent>
#include <QLabel>
#include <QLineEdit>
#include <QMainWindow>
#include <QMouseEvent>
#include <QPushButton>
#include <QScreen>

TFrm_Login::TFrm_Login(QWidget *parent) : QDialog(parent, Qt::Dialog | Qt::FramelessWindowHint)
{
    setObjectName(QStringLiteral("TFrm_Login"));
    setWindowTitle(QStringLiteral("系统登录"));
    setFixedSize(468, 297);
    QFont f(QStringLiteral("宋体"));
    f.setPixelSize(12);
    setFont(f);

    Image2 = new QLabel(this);
    Image2->setObjectName(QStringLiteral("Image2"));
    Image2->setGeometry(0, 0, 468, 297);
    Image2->setScaledContents(true);
    Image2->setPixmap(Pictures::LoginBackground(468, 297));
    Image2->installEventFilter(this);

    auto label = [this](const char *name, const QString &text, int y) {
        auto *l = new QLabel(text, this);
        l->setObjectName(QString::fromLatin1(name));
        l->setGeometry(110, y, 70, 24);
        l->setStyleSheet(QStringLiteral("color: white; font-weight: bold;"));
        return l;
    };
    Label2 = label("Label2", QStringLiteral("姓  名："), 130);
    Label3 = label("Label3", QStringLiteral("口  令："), 170);

    RzCmb_WorkID = new QComboBox(this);
    RzCmb_WorkID->setObjectName(QStringLiteral("RzCmb_WorkID"));
    RzCmb_WorkID->setEditable(false);
    RzCmb_WorkID->setGeometry(180, 130, 170, 24);

    ed_Password = new QLineEdit(this);
    ed_Password->setObjectName(QStringLiteral("ed_Password"));
    ed_Password->setEchoMode(QLineEdit::Password);
    ed_Password->setGeometry(180, 170, 170, 24);
    ed_Password->installEventFilter(this);

    RzBit_Login = new QPushButton(QStringLiteral("登录"), this);
    RzBit_Login->setObjectName(QStringLiteral("RzBit_Login"));
    RzBit_Login->setGeometry(180, 222, 75, 28);
    RzBit_Cancel = new QPushButton(QStringLiteral("取消"), this);
    RzBit_Cancel->setObjectName(QStringLiteral("RzBit_Cancel"));
    RzBit_Cancel->setGeometry(275, 222, 75, 28);
    // No default button: Enter in the password only moves the focus to "登录".
    for (QPushButton *b : {RzBit_Login, RzBit_Cancel}) {
        b->setAutoDefault(true);
        b->setDefault(false);
    }

    connect(RzCmb_WorkID, &QComboBox::activated, this, [this] { ed_Password->setFocus(); });
    connect(RzBit_Login, &QPushButton::clicked, this, &TFrm_Login::RzBit_LoginClick);
    connect(RzBit_Cancel, &QPushButton::clicked, this, &TFrm_Login::RzBit_CancelClick);
}

void TFrm_Login::showEvent(QShowEvent *event)
{
    FailedLogins = 0;
    const QString button = QStringLiteral(
        "QPushButton { background: rgb(250,210,89); border: 1px solid rgb(250,210,89); padding: 3px; }"
        "QPushButton:hover { background: rgb(255,225,130); }"
        "QPushButton:focus { outline: none; }");
    RzBit_Login->setStyleSheet(button);
    RzBit_Cancel->setStyleSheet(button);
    const QString field = QStringLiteral("background: rgb(163,189,202); border: 1px solid rgb(120,150,170);");
    RzCmb_WorkID->setStyleSheet(QStringLiteral("QComboBox { %1 }").arg(field));
    ed_Password->setStyleSheet(QStringLiteral("QLineEdit { %1 }").arg(field));

    FillCombo(ConnectionString, QStringLiteral("select UserCode,username from D_UserManage order by IFSys Desc,UserCode"),
              RzCmb_WorkID);
    for (QWidget *w : QApplication::topLevelWidgets())
        if (auto *main = qobject_cast<QMainWindow *>(w))
            main->setWindowTitle(QStringLiteral("Kelvo会员管理系统V1.5"));
    if (QScreen *screen = this->screen())
        move(screen->availableGeometry().center() - rect().center());
    QDialog::showEvent(event);
    ed_Password->setFocus();
}

bool TFrm_Login::eventFilter(QObject *watched, QEvent *event)
{
    if (watched == ed_Password && event->type() == QEvent::KeyPress) {
        auto *key = static_cast<QKeyEvent *>(event);
        if (key->key() == Qt::Key_Return || key->key() == Qt::Key_Enter) {
            RzBit_Login->setFocus();
            return true;
        }
        if (key->text() == QLatin1String(" "))
            return true;   // blanks cannot be typed into a password
    }
    if (watched == Image2) {
        // Dragging the background moves the borderless window.
        if (event->type() == QEvent::MouseButtonPress) {
            auto *m = static_cast<QMouseEvent *>(event);
            if (m->button() == Qt::LeftButton) {
                m_dragging = true;
                m_dragOffset = m->globalPosition().toPoint() - frameGeometry().topLeft();
            }
        } else if (event->type() == QEvent::MouseMove && m_dragging) {
            move(static_cast<QMouseEvent *>(event)->globalPosition().toPoint() - m_dragOffset);
        } else if (event->type() == QEvent::MouseButtonRelease) {
            m_dragging = false;
        }
    }
    return QDialog::eventFilter(watched, event);
}

void TFrm_Login::RzBit_LoginClick()
{
    try {
        const QString code = ComboValue(RzCmb_WorkID);
        const db::Result r = Db().query(QStringLiteral("select * from D_UserManage  where UserCode=?"), {code});
        for (int row = 0; row < r.rowCount(); ++row) {
            if (r.value(row, QStringLiteral("PassWord")).asString().trimmed() != ed_Password->text()) {
                Messages::Show(QStringLiteral("输入口令错误"), QStringLiteral("警告"), Messages::Icon::Information);
                ed_Password->setFocus();
                if (++FailedLogins >= 3) {
                    Messages::Show(QStringLiteral("你已经多次输错口令，系统将自动关闭"), QStringLiteral("警告"),
                                   Messages::Icon::Error);
                    Messages::Terminate();
                }
                return;
            }
            CurUserCode = code.trimmed();
            CurUserName = r.value(row, QStringLiteral("username")).asString().trimmed();
            CurUserPassword = ed_Password->text().trimmed();
            CurUserPower = r.value(row, QStringLiteral("Power")).asString().trimmed();
            CurUserIsSys = r.value(row, QStringLiteral("ifsys")).asString().trimmed();
            LoggedIn = true;
            RecordLogin(CurUserCode);
            frm_DM->WriteLog(QStringLiteral("操作员：") + CurUserCode + QStringLiteral(" 登录系统"));
            accept();
            return;
        }
    } catch (const db::DbError &) {
        // the dialog stays open
    }
}

void TFrm_Login::RecordLogin(const QString &code)
{
    const QVariantList c{code};
    const QString exists = QStringLiteral("select UserMan from  T_LoginDate  where UserMan=?");
    if (IsStartLogin) {
        if (!QueryExists(ConnectionString, exists, c))
            ExecSql(ConnectionString,
                    QStringLiteral("Insert into T_LoginDate(UserMan,LoginDate,LastDate,IfChange) values(?,Now(),now(),0)"), c);
        else if (QueryExists(ConnectionString, exists + QStringLiteral(" and IfChange=0"), c))
            ExecSql(ConnectionString, QStringLiteral("Update T_LoginDate set LastDate=Now() where UserMan=?"), c);
        else
            ExecSql(ConnectionString,
                    QStringLiteral("Update T_LoginDate set LoginDate=Now(), LastDate=Now(),ifChange=0 where UserMan=?"), c);
        return;
    }
    // A shift change also opens a shift for an operator who has never logged in at start-up.
    if (!QueryExists(ConnectionString, exists, c))
        ExecSql(ConnectionString,
                QStringLiteral("Insert into T_LoginDate(UserMan,LoginDate,LastDate,IfChange) values(?,Now(),now(),1)"), c);
    else
        ExecSql(ConnectionString,
                QStringLiteral("Update T_LoginDate set LoginDate=Now(), LastDate=Now(),ifChange=1 where UserMan=?"), c);
}

void TFrm_Login::RzBit_CancelClick()
{
    if (IsStartLogin) {
        Messages::Terminate();
        QDialog::reject();
        return;
    }
    reject();
}

void TFrm_Login::reject()
{
    // Escape, Alt+F4 or "取消": at start-up without a login the program ends.
    if (IsStartLogin && !LoggedIn)
        Messages::Terminate();
    QDialog::reject();
}
