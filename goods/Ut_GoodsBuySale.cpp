#include "Ut_GoodsBuySale.h"
#include "GoodsRules.h"

#include "core/DM.h"
#include "core/Messages.h"

#include <QFormLayout>
#include <QGroupBox>
#include <QHBoxLayout>
#include <QLineEdit>
#include <QPushButton>
#include <QRadioButton>
#include <QVBoxLayout>

TFrm_GoodsBuySale::TFrm_GoodsBuySale(QWidget *parent) : TfrmDialog(parent)
{
    setObjectName(QStringLiteral("TFrm_GoodsBuySale"));
    SetTitle(QStringLiteral("商品的进退货管理"));
    setWindowTitle(QStringLiteral("商品进退管理"));
    setWindowFlags(Qt::Dialog | Qt::MSWindowsFixedSizeDialogHint | Qt::WindowSystemMenuHint | Qt::WindowCloseButtonHint);
    Panel2->hide();

    QWidget *body = Body();
    auto *layout = new QVBoxLayout(body);
    layout->setContentsMargins(16, 12, 16, 12);

    auto *goods = new QFormLayout;
    RzEdit1 = NewLineEdit(body, QStringLiteral("RzEdit1"), 20);
    RzEdit2 = NewLineEdit(body, QStringLiteral("RzEdit2"), 40);
    RzEdit3 = NewLineEdit(body, QStringLiteral("RzEdit3"), 20);
    RzEdit4 = NewLineEdit(body, QStringLiteral("RzEdit4"), 20);
    for (QLineEdit *e : {RzEdit1, RzEdit2, RzEdit3, RzEdit4})
        e->setReadOnly(true);
    goods->addRow(QStringLiteral("商品编号："), RzEdit1);
    goods->addRow(QStringLiteral("商品名称："), RzEdit2);
    goods->addRow(QStringLiteral("库存数量："), RzEdit3);
    goods->addRow(QStringLiteral("进货价格："), RzEdit4);
    layout->addLayout(goods);

    auto *kind = new QGroupBox(QStringLiteral("进退货类型"), body);
    kind->setObjectName(QStringLiteral("RzGroupBox1"));
    auto *kindLayout = new QHBoxLayout(kind);
    RzRad_Buy = new QRadioButton(QStringLiteral("进货"), kind);
    RzRad_Buy->setObjectName(QStringLiteral("RzRad_Buy"));
    RzRad_Buy->setChecked(true);
    RzRad_Sale = new QRadioButton(QStringLiteral("退货"), kind);
    RzRad_Sale->setObjectName(QStringLiteral("RzRad_Sale"));
    kindLayout->addWidget(RzRad_Buy);
    kindLayout->addWidget(RzRad_Sale);
    layout->addWidget(kind);

    auto *input = new QFormLayout;
    RzEd_Count = NewLineEdit(body, QStringLiteral("RzEd_Count"), 7);
    RzEd_Count->setText(QStringLiteral("0"));
    AttachNumeric(RzEd_Count, 3, 3);
    FillWhenLeftEmpty(RzEd_Count, QStringLiteral("0"));
    RzEd_Remark = NewLineEdit(body, QStringLiteral("RzEd_Remark"), 100);
    input->addRow(QStringLiteral("数量："), RzEd_Count);
    input->addRow(QStringLiteral("备注："), RzEd_Remark);
    layout->addLayout(input);

    auto *buttons = new QHBoxLayout;
    buttons->addStretch();
    btnAdd1 = new QPushButton(QStringLiteral("保存"), body);
    btnAdd1->setObjectName(QStringLiteral("btnAdd1"));
    btnAdd1->setToolTip(QStringLiteral("保存进退货数量"));
    RzBit_Cancel = new QPushButton(QStringLiteral("取消"), body);
    RzBit_Cancel->setObjectName(QStringLiteral("RzBit_Cancel"));
    RzBit_Cancel->setToolTip(QStringLiteral("取消"));
    buttons->addWidget(btnAdd1);
    buttons->addWidget(RzBit_Cancel);
    layout->addLayout(buttons);

    connect(btnAdd1, &QPushButton::clicked, this, &TFrm_GoodsBuySale::btnAdd1Click);
    connect(RzBit_Cancel, &QPushButton::clicked, this, &QDialog::reject);
    resize(360, 380);
}

void TFrm_GoodsBuySale::showEvent(QShowEvent *event)
{
    Saved = false;
    TfrmDialog::showEvent(event);
    RzEd_Count->setFocus();
}

void TFrm_GoodsBuySale::btnAdd1Click()
{
    const StockKind kind = RzRad_Buy->isChecked() ? StockIn : StockReturn;
    const QString q = RzEd_Count->text().trimmed();
    const QString refusal = StockMovementRefusal(kind, RzEdit3->text(), q);
    if (!refusal.isEmpty()) {
        Messages::Warn(refusal);
        return;
    }
    const QString code = RzEdit1->text();
    const double quantity = EditNumber(q);
    db::Database &d = Db();
    try {
        db::Transaction tx(d);
        d.exec(QStringLiteral("Insert into T_GoodsBuySale(GoodsID,GoodsCount,Kind,Remark,CreateDate,OperMan)"
                              "  values(?,?,?,?,now(),?)"),
               {code, quantity, int(kind), RzEd_Remark->text(), CurUserCode});
        const QString update = kind == StockIn
                                   ? QStringLiteral("Update D_GoodsStore set GoodsCount=GoodsCount+? where GoodsID=?")
                                   : QStringLiteral("Update D_GoodsStore set GoodsCount=GoodsCount-? where GoodsID=?");
        if (d.exec(update, {quantity, code}) != 1)
            throw db::DbError(QStringLiteral("商品[%1]不存在").arg(code));
        frm_DM->WriteLog(StockMovementLogText(RzEdit2->text(), kind, q));
        tx.commit();
    } catch (const db::DbError &e) {
        Messages::Error(QStringLiteral("进退货保存失败！\n") + e.text());
        return;
    }
    Saved = true;
    accept();
}
