#include "Ut_CostCardCount.h"
#include "PosUi.h"
#include "Receipts.h"

#include "core/Clock.h"
#include "core/DM.h"
#include "core/Messages.h"
#include "core/Routines.h"

#include <QGridLayout>
#include <QGroupBox>
#include <QHBoxLayout>
#include <QVBoxLayout>

TFrm_CostCardCount::TFrm_CostCardCount(QWidget *parent) : TfrmDialog(parent)
{
    setObjectName(QStringLiteral("TFrm_CostCardCount"));
    SetTitle(QStringLiteral("计次卡消费"));
    setWindowTitle(QString());
    setFixedSize(460, 330);

    auto *root = new QVBoxLayout(Body());
    QList<QLineEdit *> e;
    QGroupBox *card = PosUi::CardBox(Body(),
                                     {{QStringLiteral("卡号："), "RzEd_CardID"},
                                      {QStringLiteral("姓名："), "RzEd_CardName"},
                                      {QStringLiteral("剩余次数："), "RzEd_CardMoney", "RzLab_Money"},
                                      {QStringLiteral("累计消费："), "RzEd_CardSum", "RzLabel6"}},
                                     2, e);
    RzEd_CardID = e[0];
    RzEd_CardName = e[1];
    RzEd_CardMoney = e[2];
    RzEd_CardSum = e[3];
    RzLab_Money = card->findChild<QLabel *>(QStringLiteral("RzLab_Money"));
    RzLabel6 = card->findChild<QLabel *>(QStringLiteral("RzLabel6"));
    root->addWidget(card);

    auto *cost = new QGroupBox(QStringLiteral("消费信息"), Body());
    auto *g = new QGridLayout(cost);
    RzEd_Count = PosUi::Edit(cost, "RzEd_Count", false, 7);
    RzEd_Count->setText(QStringLiteral("1"));
    RzEd_Count->setAlignment(Qt::AlignRight);
    AttachNumeric(RzEd_Count, 2, 0);
    RzEd_ReMark = PosUi::Edit(cost, "RzEd_ReMark", false, 100);
    g->addWidget(PosUi::Label(cost, QStringLiteral("消费次数：")), 0, 0);
    g->addWidget(RzEd_Count, 0, 1);
    g->addWidget(PosUi::Label(cost, QStringLiteral("备注：")), 1, 0);
    g->addWidget(RzEd_ReMark, 1, 1);
    root->addWidget(cost);

    auto *bottom = qobject_cast<QHBoxLayout *>(Panel2->layout());
    RzBit_Ok = PosUi::Button(Panel2, "RzBit_Ok", QStringLiteral("确定"), QStringLiteral("保存消费信息"));
    RzBit_PrintPort = PosUi::Button(Panel2, "RzBit_PrintPort", QStringLiteral("直接打印"));
    RzBit_PrintPort->hide();
    bottom->insertWidget(1, RzBit_PrintPort);
    bottom->insertWidget(2, RzBit_Ok);

    PosUi::OnEnter(RzEd_Count, [this] { RzBit_Ok->setFocus(); });
    connect(RzBit_Ok, &QPushButton::clicked, this, &TFrm_CostCardCount::RzBit_OkClick);
    connect(RzBit_PrintPort, &QPushButton::clicked, this, &TFrm_CostCardCount::RzBit_PrintPortClick);
}

void TFrm_CostCardCount::showEvent(QShowEvent *event)
{
    TfrmDialog::showEvent(event);
    RzEd_Count->setFocus();
    RzEd_Count->selectAll();
}

void TFrm_CostCardCount::RzBit_OkClick()
{
    const QString typed = RzEd_Count->text().trimmed();
    const qint64 n = (typed.isEmpty() ? QStringLiteral("0") : typed).toLongLong();
    if (double(n) > Balance) {
        Messages::Info(QStringLiteral("输入的消费次数，不能大于剩余的次数！"));
        RzEd_Count->setFocus();
        return;
    }
    if (n == 0) {
        Messages::Info(QStringLiteral("消费次数不能为0次或者空！"));
        RzEd_Count->setFocus();
        return;
    }
    QString costId;
    try {
        db::Database &d = Db();
        db::Transaction tx(d);
        costId = NewCostID(d);
        d.exec(QStringLiteral("Insert into T_MemberCostInfo(CostID,CardID,CostMoney,CostDate,CostMemo,ifmoney,userMan) "
                              "values(?,?,?,Now(),?,0,?)"),
               {costId, CardCode, n, RzEd_ReMark->text(), CurUserCode});
        d.exec(QStringLiteral("update T_MemberInfo set CurMoney=CurMoney-?,HisSumMoney=HisSumMoney+?  where CodeID=?"),
               {n, n, CardCode});
        frm_DM->WriteLog(QStringLiteral("会员卡：[%1] 消费%2次").arg(CardCode).arg(n));
        tx.commit();
    } catch (const db::DbError &) {
        Messages::Error(QStringLiteral("消费保存失败！"));
        return;
    }
    Booked(costId);
    close();
    if (SysSet.IfUse_PrintPicket == QLatin1String("1"))
        RzBit_PrintPortClick();
}

void TFrm_CostCardCount::RzBit_PrintPortClick()
{
    const Receipts::Count c{LastCostID, CardCode, RzEd_CardName->text(), RzEd_Count->text(), RzEd_ReMark->text()};
    receipt::Print(Receipts::CountReceipt(receipt::Frame::FromSettings(), c, Clock::now()));
}
