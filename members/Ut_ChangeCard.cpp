#include "Ut_ChangeCard.h"
#include "FormHelpers.h"
#include "core/DM.h"
#include "core/Messages.h"
#include "core/Routines.h"

#include <QFormLayout>
#include <QGroupBox>
#include <QHBoxLayout>
#include <QLabel>
#include <QLineEdit>
#include <QPushButton>
#include <QStackedWidget>
#include <QVBoxLayout>

namespace {
QLineEdit *passwordEdit(QWidget *parent, const char *name)
{
    QLineEdit *e = NewLineEdit(parent, QString::fromLatin1(name), 20);
    e->setEchoMode(QLineEdit::Password);
    return e;
}
} // namespace

using members::ReadOnlyEdit;

Tfrm_ChangeCard::Tfrm_ChangeCard(QWidget *parent) : TfrmDialog(parent)
{
    setObjectName(QStringLiteral("Tfrm_ChangeCard"));
    SetTitle(QStringLiteral("主要是对会员在换卡时的操作，如会员卡丢失、损坏等情况"));
    setWindowTitle(QStringLiteral("会员换卡"));

    auto *lay = new QVBoxLayout(Body());
    lay->setContentsMargins(12, 10, 12, 6);

    auto *info = new QGroupBox(QStringLiteral("会员卡信息"), Body());
    auto *grid = new QFormLayout(info);
    RzEd_CardName = ReadOnlyEdit(info, "RzEd_CardName");
    RzEd_CardID = ReadOnlyEdit(info, "RzEd_CardID");
    RzEd_CardKind = ReadOnlyEdit(info, "RzEd_CardKind");
    RzEd_CardLevel = ReadOnlyEdit(info, "RzEd_CardLevel");
    RzEd_CardMoney = ReadOnlyEdit(info, "RzEd_CardMoney");
    RzEd_CardSum = ReadOnlyEdit(info, "RzEd_CardSum");
    RzLab_Money = new QLabel(QStringLiteral("卡内余额："), info);
    RzLab_Money->setObjectName(QStringLiteral("RzLab_Money"));
    grid->addRow(QStringLiteral("姓名："), RzEd_CardName);
    grid->addRow(QStringLiteral("卡号："), RzEd_CardID);
    grid->addRow(QStringLiteral("卡的类型："), RzEd_CardKind);
    grid->addRow(QStringLiteral("卡的级别："), RzEd_CardLevel);
    grid->addRow(RzLab_Money, RzEd_CardMoney);
    grid->addRow(QStringLiteral("累计消费："), RzEd_CardSum);
    lay->addWidget(info);

    auto *fresh = new QGroupBox(QStringLiteral("新的卡号"), Body());
    auto *freshLay = new QVBoxLayout(fresh);
    Notebook1 = new QStackedWidget(fresh);
    Notebook1->setObjectName(QStringLiteral("Notebook1"));
    auto *discountPage = new QWidget(Notebook1);
    auto *dl = new QFormLayout(discountPage);
    RzEd_NewCard = NewLineEdit(discountPage, QStringLiteral("RzEd_NewCard"), 20);
    dl->addRow(QStringLiteral("新的卡号："), RzEd_NewCard);
    auto *moneyPage = new QWidget(Notebook1);
    auto *ml = new QFormLayout(moneyPage);
    RzEd_InputCardID = NewLineEdit(moneyPage, QStringLiteral("RzEd_InputCardID"), 20);
    RzEd_OldPass = passwordEdit(moneyPage, "RzEd_OldPass");
    RzEd_NewPass = passwordEdit(moneyPage, "RzEd_NewPass");
    RzEd_PassOk = passwordEdit(moneyPage, "RzEd_PassOk");
    ml->addRow(QStringLiteral("新的卡号："), RzEd_InputCardID);
    ml->addRow(QStringLiteral("旧的密码："), RzEd_OldPass);
    ml->addRow(QStringLiteral("新卡密码："), RzEd_NewPass);
    ml->addRow(QStringLiteral("确认密码："), RzEd_PassOk);
    Notebook1->addWidget(discountPage);
    Notebook1->addWidget(moneyPage);
    freshLay->addWidget(Notebook1);
    lay->addWidget(fresh);

    RzBitBtn1 = new QPushButton(QStringLiteral("确定"), Panel2);
    RzBitBtn1->setObjectName(QStringLiteral("RzBitBtn1"));
    RzBitBtn1->setToolTip(QStringLiteral("确定换卡"));
    RzBitBtn1->setMinimumSize(80, 28);
    static_cast<QHBoxLayout *>(Panel2->layout())->insertWidget(1, RzBitBtn1);
    connect(RzBitBtn1, &QPushButton::clicked, this, &Tfrm_ChangeCard::RzBitBtn1Click);
    resize(420, 470);
}

void Tfrm_ChangeCard::showEvent(QShowEvent *event)
{
    const QString kind = MemberKind.trimmed();
    Notebook1->setCurrentIndex(IsDiscountCard() ? 0 : 1);
    if (kind == QLatin1String("1"))
        RzLab_Money->setText(QStringLiteral("会员积分："));
    else if (kind == QLatin1String("3"))
        RzLab_Money->setText(QStringLiteral("剩余次数："));
    else
        RzLab_Money->setText(QStringLiteral("卡内余额："));
    TfrmDialog::showEvent(event);
    (IsDiscountCard() ? RzEd_NewCard : RzEd_InputCardID)->setFocus();
}

void Tfrm_ChangeCard::RzBitBtn1Click()
{
    if (!Messages::Ask(QStringLiteral("你确定要进行换卡操作吗？")))
        return;
    QLineEdit *numberEdit = IsDiscountCard() ? RzEd_NewCard : RzEd_InputCardID;
    const QString number = numberEdit->text().trimmed();
    if (number.isEmpty()) {
        numberEdit->setFocus();
        Messages::Info(QStringLiteral("新的会员卡号不能为空，请重新输入！"));
        return;
    }
    if (QueryExists(ConnectionString, QStringLiteral("select CodeID from T_MemberInfo  where CodeID=?"), {number})) {
        numberEdit->setFocus();
        Messages::Info(QStringLiteral("此会员卡已经存在，请重新输入！"));
        return;
    }
    if (!IsDiscountCard()) {
        if (RzEd_OldPass->text() != OldPassword) {
            RzEd_OldPass->setFocus();
            Messages::Info(QStringLiteral("原会员卡密码不正确，请重新输入！"));
            return;
        }
        if (RzEd_NewPass->text() != RzEd_PassOk->text()) {
            RzEd_NewPass->setFocus();
            Messages::Info(QStringLiteral("两次输入的密码不一样，请重新输入！"));
            return;
        }
        NewCardPassword = RzEd_NewPass->text().trimmed();
    }
    NewCodeID = number;
    Saved = true;
    accept();
}
