#include "Ut_ModiPassWord.h"
#include "DM.h"
#include "Messages.h"
#include "Pictures.h"
#include "Routines.h"

#include <QGridLayout>
#include <QLabel>
#include <QLineEdit>
#include <QPushButton>

TFrm_ModiPassWord::TFrm_ModiPassWord(QWidget *parent) : TfrmDialog(parent)
{
    setObjectName(QStringLiteral("TFrm_ModiPassWord"));
    SetTitle(QStringLiteral("修改密码"));
    Image1->setPixmap(Pictures::Glyph(QStringLiteral("key"), 36, QColor(10, 36, 106)));

    auto *grid = new QGridLayout(Body());
    grid->setContentsMargins(40, 20, 40, 16);
    grid->setVerticalSpacing(12);
    auto addRow = [&](int row, const QString &caption, QWidget *field) {
        auto *label = new QLabel(caption, Body());
        label->setAlignment(Qt::AlignRight | Qt::AlignVCenter);
        grid->addWidget(label, row, 0);
        grid->addWidget(field, row, 1);
    };
    RzLab_UserName = new QLabel(CurUserName, Body());
    RzLab_UserName->setObjectName(QStringLiteral("RzLab_UserName"));
    addRow(0, QStringLiteral("用户名："), RzLab_UserName);
    auto passwordEdit = [this](const char *name, int maxLength) {
        QLineEdit *e = NewLineEdit(Body(), QString::fromLatin1(name), maxLength);
        e->setEchoMode(QLineEdit::Password);
        e->setMinimumWidth(180);
        return e;
    };
    RzEd_Pass = passwordEdit("RzEd_Pass", 20);
    RzEd_NewPass = passwordEdit("RzEd_NewPass", 20);
    RzEd_NewPassOk = passwordEdit("RzEd_NewPassOk", 0);
    addRow(1, QStringLiteral("原密码："), RzEd_Pass);
    addRow(2, QStringLiteral("新密码："), RzEd_NewPass);
    addRow(3, QStringLiteral("再确认一次："), RzEd_NewPassOk);

    RzBit_OK = AddBottomButton(QStringLiteral("RzBit_OK"), QStringLiteral("修改"), QStringLiteral("确定修改密码"));
    connect(RzBit_OK, &QPushButton::clicked, this, &TFrm_ModiPassWord::RzBit_OKClick);

    setFixedSize(380, 260);
    RzEd_Pass->setFocus();
}

void TFrm_ModiPassWord::RzBit_OKClick()
{
    auto ask = [](const QString &text) {
        Messages::Show(text, QStringLiteral("提示"), Messages::Icon::Question);
    };
    if (RzEd_Pass->text() != CurUserPassword) {
        ask(QStringLiteral("你输入的原密码不正确，请重新输入..."));
        RzEd_Pass->setFocus();
        return;
    }
    const QString newPassword = RzEd_NewPass->text().trimmed();
    if (newPassword != RzEd_NewPassOk->text().trimmed()) {
        ask(QStringLiteral("你输入的两次新密码不一样，请重新输入..."));
        RzEd_NewPass->setFocus();
        return;
    }
    if (!Messages::Ask(QStringLiteral("你确定要修改密码?"), Messages::Icon::Question))
        return;
    if (ExecSql(ConnectionString, QStringLiteral("update D_UserManage set [passWord]=? where UserCode=?"),
                {newPassword, CurUserCode})) {
        CurUserPassword = newPassword;
        ask(QStringLiteral("密码修改成功！"));
        accept();
    } else {
        Messages::Error(QStringLiteral("密码修改不成功！"));
    }
}
