#include "Ut_PutOutPassWord.h"
#include "core/DM.h"
#include "core/Messages.h"

#include <QGridLayout>
#include <QHBoxLayout>
#include <QKeyEvent>
#include <QLabel>
#include <QLineEdit>
#include <QPushButton>
#include <QVBoxLayout>
#include <memory>

TFrm_PutOutPassWord::TFrm_PutOutPassWord(QWidget *parent) : TfrmDialog(parent)
{
    setObjectName(QStringLiteral("TFrm_PutOutPassWord"));
    SetTitle(QStringLiteral("输入会员卡密码"));
    Panel2->hide();

    auto *lay = new QVBoxLayout(Body());
    lay->setContentsMargins(20, 16, 20, 12);
    auto *row = new QHBoxLayout;
    row->addWidget(new QLabel(QStringLiteral("会员卡密码"), Body()));
    RzEd_PassWord = new QLineEdit(Body());
    RzEd_PassWord->setObjectName(QStringLiteral("RzEd_PassWord"));
    RzEd_PassWord->setEchoMode(QLineEdit::Password);
    row->addWidget(RzEd_PassWord, 1);
    lay->addLayout(row);
    auto *note = new QLabel(QStringLiteral("注：用管理员登录，输入管理员密码也可进入"), Body());
    note->setStyleSheet(QStringLiteral("color: red;"));
    lay->addWidget(note);
    auto *buttons = new QHBoxLayout;
    buttons->addStretch();
    RzBit_ok = new QPushButton(QStringLiteral("确定"), Body());
    RzBit_ok->setObjectName(QStringLiteral("RzBit_ok"));
    RzBit_Cancel = new QPushButton(QStringLiteral("取消"), Body());
    RzBit_Cancel->setObjectName(QStringLiteral("RzBit_Cancel"));
    buttons->addWidget(RzBit_ok);
    buttons->addWidget(RzBit_Cancel);
    lay->addLayout(buttons);
    setFixedSize(330, 170);

    connect(RzBit_ok, &QPushButton::clicked, this, &TFrm_PutOutPassWord::RzBit_okClick);
    connect(RzEd_PassWord, &QLineEdit::returnPressed, this, &TFrm_PutOutPassWord::RzBit_okClick);
    connect(RzBit_Cancel, &QPushButton::clicked, this, [this] {
        Accepted = false;
        reject();
    });
}

bool TFrm_PutOutPassWord::Ask(const QString &cardPassword, QWidget *parent)
{
    auto dlg = std::make_unique<TFrm_PutOutPassWord>(parent);
    dlg->CardPassword = cardPassword;
    Messages::Exec(dlg.get());
    return dlg->Accepted;
}

void TFrm_PutOutPassWord::RzBit_okClick()
{
    const QString entered = RzEd_PassWord->text().trimmed();
    const bool admin = CurUserCode == QLatin1String("admin") && entered == CurUserPassword;
    if (entered == CardPassword.trimmed() || admin) {
        Accepted = true;
        accept();
        return;
    }
    RzEd_PassWord->setFocus();
    Messages::Info(QStringLiteral("你输入的密码不正确！"));
}

void TFrm_PutOutPassWord::keyPressEvent(QKeyEvent *event)
{
    // Enter in the edit is the OK button (handled by returnPressed), not "next control".
    if ((event->key() == Qt::Key_Return || event->key() == Qt::Key_Enter) && focusWidget() == RzEd_PassWord)
        return;
    TfrmDialog::keyPressEvent(event);
}
