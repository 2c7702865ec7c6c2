#include "Ut_CardCost.h"
#include "CardRules.h"
#include "FormHelpers.h"
#include "RechargeReceipt.h"
#include "core/Clock.h"
#include "core/DM.h"
#include "core/Messages.h"
#include "core/ReceiptFrame.h"

#include <QCheckBox>
#include <QGridLayout>
#include <QGroupBox>
#include <QHBoxLayout>
#include <QKeyEvent>
#include <QLabel>
#include <QLineEdit>
#include <QPushButton>
#include <QVBoxLayout>

namespace {
using members::ReadOnlyEdit;
const int kPaymentLength = 7;

QLabel *namedLabel(const QString &text, QWidget *parent, const char *name)
{
    auto *l = new QLabel(text, parent);
    l->setObjectName(QString::fromLatin1(name));
    return l;
}
} // namespace

TFrm_CardCost::TFrm_CardCost(QWidget *parent) : TfrmDialog(parent)
{
    setObjectName(QStringLiteral("TFrm_CardCost"));
    SetTitle(QStringLiteral("会员卡充值情况"));

    auto *lay = new QVBoxLayout(Body());
    lay->setContentsMargins(12, 10, 12, 6);
    auto *box = new QGroupBox(QStringLiteral("会员卡信息"), Body());
    auto *grid = new QGridLayout(box);
    RzEd_cardID = ReadOnlyEdit(box, "RzEd_cardID");
    RzEd_Name = ReadOnlyEdit(box, "RzEd_Name");
    RzEd_Style = ReadOnlyEdit(box, "RzEd_Style");
    RzEd_Money = ReadOnlyEdit(box, "RzEd_Money");
    RzLab_1 = namedLabel(QStringLiteral("卡内余额："), box, "RzLab_1");
    grid->addWidget(new QLabel(QStringLiteral("会员卡号："), box), 0, 0);
    grid->addWidget(RzEd_cardID, 0, 1);
    grid->addWidget(new QLabel(QStringLiteral("会员姓名："), box), 1, 0);
    grid->addWidget(RzEd_Name, 1, 1);
    grid->addWidget(new QLabel(QStringLiteral("优惠方式："), box), 2, 0);
    grid->addWidget(RzEd_Style, 2, 1);
    grid->addWidget(RzLab_1, 3, 0);
    grid->addWidget(RzEd_Money, 3, 1);
    lay->addWidget(box);

    auto *pay = new QGridLayout;
    RzLab_2 = namedLabel(QStringLiteral("充值金额："), Body(), "RzLab_2");
    RzEd_Costpay = NewLineEdit(Body(), QStringLiteral("RzEd_Costpay"));
    RzEd_Costpay->setText(QStringLiteral("0"));
    RzEd_Costpay->setAlignment(Qt::AlignRight | Qt::AlignVCenter);
    AttachNumeric(RzEd_Costpay, 3, 2);
    // At most 7 typed characters. Not a maximum length: that would also cut the text
    // reformatted on leaving the edit ("10000.00" into "10000.0").
    RzEd_Costpay->installEventFilter(this);
    RzLab_3 = namedLabel(QStringLiteral("实际充值："), Body(), "RzLab_3");
    RzEd_CostPayReal = ReadOnlyEdit(Body(), "RzEd_CostPayReal");
    RzEd_CostPayReal->setAlignment(Qt::AlignRight | Qt::AlignVCenter);
    RzLab_CountInfo = namedLabel(QString(), Body(), "RzLab_CountInfo");
    RzLab_CountInfo->setStyleSheet(QStringLiteral("color: red;"));
    RzLab_CountInfo->hide();
    pay->addWidget(RzLab_2, 0, 0);
    pay->addWidget(RzEd_Costpay, 0, 1);
    pay->addWidget(RzLab_3, 1, 0);
    pay->addWidget(RzEd_CostPayReal, 1, 1);
    pay->addWidget(RzLab_CountInfo, 2, 0, 1, 2);
    lay->addLayout(pay);
    lay->addStretch();

    auto *bottom = static_cast<QHBoxLayout *>(Panel2->layout());
    RzChk_PrintTicket = new QCheckBox(QStringLiteral("打印充值小票"), Panel2);
    RzChk_PrintTicket->setObjectName(QStringLiteral("RzChk_PrintTicket"));
    RzChk_PrintTicket->setToolTip(QStringLiteral("选择后可以打印充值小票"));
    RzBit_Save = new QPushButton(QStringLiteral("保存"), Panel2);
    RzBit_Save->setObjectName(QStringLiteral("RzBit_Save"));
    RzBit_Save->setToolTip(QStringLiteral("保存充值情况，如果选择“打印小票”则保存时进行小票打印"));
    RzBit_Save->setMinimumSize(80, 28);
    bottom->insertWidget(0, RzChk_PrintTicket);
    bottom->insertWidget(2, RzBit_Save);

    connect(RzEd_Costpay, &QLineEdit::textChanged, this, &TFrm_CardCost::RecomputeCredit);
    connect(RzEd_Costpay, &QLineEdit::editingFinished, this, &TFrm_CardCost::ReformatPayment);
    connect(RzBit_Save, &QPushButton::clicked, this, &TFrm_CardCost::RzBit_SaveClick);
    setFixedSize(380, 330);
}

bool TFrm_CardCost::eventFilter(QObject *watched, QEvent *event)
{
    if (watched == RzEd_Costpay && event->type() == QEvent::KeyPress) {
        const QString typed = static_cast<QKeyEvent *>(event)->text();
        const qsizetype kept = RzEd_Costpay->text().size() - RzEd_Costpay->selectedText().size();
        if (!typed.isEmpty() && typed.at(0).isPrint() && kept + typed.size() > kPaymentLength)
            return true;
    }
    return TfrmDialog::eventFilter(watched, event);
}

void TFrm_CardCost::showEvent(QShowEvent *event)
{
    if (!m_shown) {
        m_shown = true;
        FormShow();
    }
    TfrmDialog::showEvent(event);
    RzEd_Costpay->setFocus();
}

void TFrm_CardCost::FormShow()
{
    m_costMoney = m_cheapMoney = 0;
    try {
        const db::Result r = Db().query(
            QStringLiteral("select CostMoney,CheapMoney from D_CardCheapStyle where CheapID=?"), {StyleCode});
        if (!r.isEmpty()) {
            m_costMoney = int(r.value(0, 0).asInt());
            m_cheapMoney = int(r.value(0, 1).asInt());
        }
    } catch (const db::DbError &) {
    }
    Saved = false;
    if (IsCountCard()) {
        RzLab_1->setText(QStringLiteral("剩余次数："));
        RzLab_3->setText(QStringLiteral("充入次数："));
        RzLab_CountInfo->setText(QStringLiteral("充值金额必须是") + QString::number(m_costMoney) + QStringLiteral("的倍数"));
        RzLab_CountInfo->show();
    } else {
        RzLab_1->setText(QStringLiteral("卡内余额："));
        RzLab_3->setText(QStringLiteral("实际充值："));
        RzLab_CountInfo->hide();
    }
    RecomputeCredit();
}

void TFrm_CardCost::RecomputeCredit()
{
    if (!cards::StyleUsable(m_costMoney)) {
        RzEd_CostPayReal->clear();
        return;
    }
    const double credit =
        cards::RechargeCredit(m_costMoney, m_cheapMoney, cards::LeadingWholeNumber(RzEd_Costpay->text()));
    RzEd_CostPayReal->setText(QString::number(credit, 'f', IsCountCard() ? 0 : 2));
}

void TFrm_CardCost::ReformatPayment()
{
    const QString text = RzEd_Costpay->text().trimmed();
    RzEd_Costpay->setText(QString::number(text.isEmpty() ? 0.0 : text.toDouble(), 'f', 2));
}

void TFrm_CardCost::RzBit_SaveClick()
{
    // Clicking the button takes the focus from the payment edit first.
    ReformatPayment();
    const QString payText = RzEd_Costpay->text().trimmed();
    const double pay = payText.isEmpty() ? 0.0 : payText.toDouble();
    if (pay == 0) {
        RzEd_Costpay->setFocus();
        Messages::Info(QStringLiteral("充值金额不能为空或者为0！请输入..."));
        return;
    }
    if (!cards::StyleUsable(m_costMoney)) {
        Messages::Warn(QStringLiteral("此会员卡的优惠方式交费金额为0，无法计算充值数额！请先在“会员卡类型设置”中修改该优惠方式。"));
        return;
    }
    if (IsCountCard() && !cards::IsCountPayment(int(cards::RoundHalfEven(pay)), m_costMoney)) {
        RzEd_Costpay->setFocus();
        Messages::Info(QStringLiteral("输入的钱数必需是") + QString::number(m_costMoney) + QStringLiteral("整数倍"));
        return;
    }
    const QString card = RzEd_cardID->text().trimmed();
    if (!Messages::Ask(QStringLiteral("你确定要给会员卡：[") + card + QStringLiteral("] 充值:") + payText
                       + QStringLiteral("元 吗？")))
        return;

    const QString creditText = RzEd_CostPayReal->text();
    const double credit = creditText.toDouble();
    const double bonus = IsCountCard() ? 0.0 : credit - pay;
    const int score = cards::PaymentScore(pay, SysSet.CostStand);
    const bool stored = members::WriteAtomically(QStringLiteral("充值保存失败，本次充值没有记入："), [&] {
        Db().exec(QStringLiteral("Insert into T_CardPutMoney(CardID,PayMoney,PutMoney,CurScore,CheapMoney,PayDate,UserMan) "
                                 "values(?,?,?,?,?,Now(),?)"),
                  {card, pay, credit, score, bonus, CurUserCode});
        cards::ApplyLevelUpgrade(Db(), card, CanUpgrade, LevelID, SumScoreBefore + score);
        Db().exec(QStringLiteral("Update T_MemberInfo set CurMoney=?, "
                                 "memberScore=iif(isnull(memberScore),0,memberScore)+?, "
                                 "SumScore=iif(isnull(SumScore),0,SumScore)+? where CodeID=?"),
                  {credit + Balance, score, score, card});
        frm_DM->WriteLog(QStringLiteral("会员卡：[") + card + QStringLiteral("] 充值金额：") + payText
                         + QStringLiteral("元 实际存入卡内：") + creditText);
    });
    if (!stored)
        return;
    Saved = true;

    if (RzChk_PrintTicket->isChecked()) {
        RechargeReceiptData data;
        data.cardId = card;
        data.memberName = RzEd_Name->text();
        data.memberKind = IsCountCard() ? cards::CountCard : cards::StoredValueCard;
        data.styleRemark = RzEd_Style->text();
        data.paymentText = payText;
        data.creditText = creditText;
        receipt::Print(RechargeReceipt(data, receipt::Frame::FromSettings(), Clock::now()));
    }
    accept();
}
