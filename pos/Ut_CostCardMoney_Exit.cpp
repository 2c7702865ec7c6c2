#include "Ut_CostCardMoney_Exit.h"
#include "PosUi.h"
#include "SaleRules.h"

#include "core/DBGridEh.h"
#include "core/DM.h"
#include "core/Messages.h"
#include "core/Routines.h"

#include <QGroupBox>
#include <QHBoxLayout>
#include <QTableView>
#include <QVBoxLayout>

using SaleRules::TextValue;

TFrm_CostCardMoney_Exit::TFrm_CostCardMoney_Exit(QWidget *parent) : TfrmDialog(parent)
{
    setObjectName(QStringLiteral("TFrm_CostCardMoney_Exit"));
    SetTitle(QStringLiteral("会员消费退货"));
    setWindowTitle(QString());
    resize(860, 560);

    auto *root = new QVBoxLayout(Body());
    QList<QLineEdit *> e;
    QGroupBox *card = PosUi::CardBox(Body(),
                                     {{QStringLiteral("卡号："), "RzEd_CardID"},
                                      {QStringLiteral("姓名："), "RzEd_CardName"},
                                      {QStringLiteral("剩余金额："), "RzEd_CardMoney"},
                                      {QStringLiteral("累计消费："), "RzEd_CardSum"},
                                      {QStringLiteral("会员级别："), "RzEd_CardLevel"},
                                      {QStringLiteral("消费日期："), "RzEd_CostDate"}},
                                     3, e);
    RzEd_CardID = e[0];
    RzEd_CardName = e[1];
    RzEd_CardMoney = e[2];
    RzEd_CardSum = e[3];
    RzEd_CardLevel = e[4];
    RzEd_CostDate = e[5];
    root->addWidget(card);

    auto *box = new QGroupBox(QStringLiteral("退货明细"), Body());
    auto *bv = new QVBoxLayout(box);
    auto *top = new QHBoxLayout;
    top->addWidget(PosUi::Label(box, QStringLiteral("小票流水号：")));
    RzEd_CostID = PosUi::Edit(box, "RzEd_CostID");
    top->addWidget(RzEd_CostID);
    RzBit_Ok = PosUi::Button(box, "RzBit_Ok", QStringLiteral("查询"), QStringLiteral("输入小票流水号后可以查询当前消费明细"));
    top->addWidget(RzBit_Ok);
    top->addSpacing(20);
    top->addWidget(PosUi::Label(box, QStringLiteral("退货数量：")));
    Lab_Count = PosUi::Edit(box, "Lab_Count");
    Lab_Count->setText(QStringLiteral("1.00"));
    Lab_Count->setMaximumWidth(90);
    AttachNumeric(Lab_Count, 3, 3);
    top->addWidget(Lab_Count);
    top->addStretch();
    bv->addLayout(top);

    auto *captions = new QHBoxLayout;
    captions->addWidget(PosUi::Label(box, QStringLiteral("当次消费的商品列表 ↓ ")));
    captions->addStretch();
    captions->addWidget(PosUi::Label(box, QStringLiteral("已选退货的商品列表 ↓ ")));
    bv->addLayout(captions);

    auto *grids = new QHBoxLayout;
    const auto right = Qt::AlignRight | Qt::AlignVCenter;
    DBGridEh1 = new DBGridEh(box);
    DBGridEh1->setObjectName(QStringLiteral("DBGridEh1"));
    DBGridEh1->setToolTip(QStringLiteral("双击可以直接选择当前的商品退货"));
    DBGridEh1->SetColumns({
        {QStringLiteral("GoodsName"), QStringLiteral("商品名称"), 120},
        {QStringLiteral("GoodsPrice"), QStringLiteral("单价"), 60, QString(), GridColumn::NoFooter, right},
        {QStringLiteral("GoodsDisc"), QStringLiteral("折扣"), 50, QString(), GridColumn::NoFooter, right},
        {QStringLiteral("GoodsCount"), QStringLiteral("数量"), 50, QString(), GridColumn::NoFooter, right},
        {QStringLiteral("GoodsDiscPrice"), QStringLiteral("折后价"), 60, QString(), GridColumn::NoFooter, right},
        {QStringLiteral("SumPrice"), QStringLiteral("总价"), 60, QString(), GridColumn::NoFooter, right},
    });
    grids->addWidget(DBGridEh1, 1);
    auto *mid = new QVBoxLayout;
    RzBit_Right = PosUi::Button(box, "RzBit_Right", QStringLiteral(">>"), QStringLiteral("选择退货商品"));
    RzBit_Left = PosUi::Button(box, "RzBit_Left", QStringLiteral("<<"), QStringLiteral("删除退货商品"));
    mid->addStretch();
    mid->addWidget(RzBit_Right);
    mid->addWidget(RzBit_Left);
    mid->addStretch();
    grids->addLayout(mid);
    DBGridEh3 = new DBGridEh(box);
    DBGridEh3->setObjectName(QStringLiteral("DBGridEh3"));
    DBGridEh3->setToolTip(QStringLiteral("双击可以删除当前退货信息"));
    DBGridEh3->SetColumns({
        {QStringLiteral("GoodsName"), QStringLiteral("商品名称"), 120},
        {QStringLiteral("GoodsPrice"), QStringLiteral("单价"), 60, QStringLiteral("0.00"), GridColumn::NoFooter, right},
        {QStringLiteral("GoodsCount"), QStringLiteral("数量"), 50, QString(), GridColumn::NoFooter, right},
        {QStringLiteral("SumPrice"), QStringLiteral("合计金额"), 80, QStringLiteral("0.00"), GridColumn::Sum, right},
    });
    DBGridEh3->SetFooterCaption(QStringLiteral("合计"));
    grids->addWidget(DBGridEh3, 1);
    bv->addLayout(grids, 1);

    QHBoxLayout *pay = PosUi::AmountRow(this, box, QStringLiteral("退货金额："), QStringLiteral("退货说明："),
                                        RzEd_PayMoney, RzEd_PayRemark);
    bv->addLayout(pay);
    root->addWidget(box, 1);

    RzBit_CheckOut = PosUi::Button(Panel2, "RzBit_CheckOut", QStringLiteral("退货"), QStringLiteral("退货保存"));
    qobject_cast<QHBoxLayout *>(Panel2->layout())->insertWidget(1, RzBit_CheckOut);

    connect(RzBit_Ok, &QPushButton::clicked, this, &TFrm_CostCardMoney_Exit::RzBit_OkClick);
    connect(RzBit_Right, &QPushButton::clicked, this, &TFrm_CostCardMoney_Exit::RzBit_RightClick);
    connect(RzBit_Left, &QPushButton::clicked, this, &TFrm_CostCardMoney_Exit::RzBit_LeftClick);
    connect(RzBit_CheckOut, &QPushButton::clicked, this, &TFrm_CostCardMoney_Exit::RzBit_CheckOutClick);
    connect(DBGridEh1, &DBGridEh::rowDoubleClicked, this, [this] { RzBit_RightClick(); });
    connect(DBGridEh3, &DBGridEh::rowDoubleClicked, this, [this] { RzBit_LeftClick(); });
    PosUi::OnEnter(DBGridEh1->View(), [this] { RzBit_RightClick(); });
    PosUi::OnEnter(DBGridEh3->View(), [this] { RzBit_LeftClick(); });
    connect(DBGridEh1, &DBGridEh::currentRowChanged, this, [this](int row) {
        if (row >= 0)
            Lab_Count->setText(SaleRules::FormatQuantity(DBGridEh1->Value(row, QStringLiteral("GoodsCount")).asFloat()));
    });
}

void TFrm_CostCardMoney_Exit::showEvent(QShowEvent *event)
{
    TfrmDialog::showEvent(event);
    PosUi::AmountEditable(RzEd_PayMoney);
    LoadLines(SaleCostID);
    RzEd_CostID->setText(SaleCostID);
    SaleCart::Show(DBGridEh3, true);
}

void TFrm_CostCardMoney_Exit::LoadLines(const QString &costId)
{
    db::Result r;
    try {
        r = Db().query(QStringLiteral("select a.goodsiD,b.GoodsName,a.GoodsPrice,a.GoodsDisc,a.GoodsCount,a.GoodsDiscPrice,"
                                      "a.SumPrice from T_GoodsCostDetailInfo a,D_GoodsStore b where a.CostID=? and "
                                      "a.GoodsID=b.GOODSID "),
                       {costId});
    } catch (const db::DbError &) {
    }
    DBGridEh1->SetResult(r);
}

void TFrm_CostCardMoney_Exit::RzBit_OkClick()
{
    const QString costId = RzEd_CostID->text().trimmed();
    LoadLines(costId);
    RzEd_CostDate->setText(
        QueryLines(ConnectionString, QStringLiteral("select CostDate  from T_MemberCostInfo where CostID=?"), {costId}));
}

void TFrm_CostCardMoney_Exit::RzBit_RightClick()
{
    if (DBGridEh1->RowCount() == 0 || DBGridEh1->CurrentRow() < 0)
        return;
    const double q = TextValue(Lab_Count->text());
    const double bought = DBGridEh1->Value(QStringLiteral("GoodsCount")).asFloat();
    if (q > bought) {
        Messages::Info(QStringLiteral("退货数量超出了购买数量，不能退货！"));
        Lab_Count->setFocus();
        return;
    }
    const QString goodsId = DBGridEh1->Value(QStringLiteral("goodsiD")).asString();
    if (QueryExists(ConnectionString, QStringLiteral("select GoodsID from T_SaleGoodsTemp where GoodsID=?"), {goodsId})) {
        Messages::Info(QStringLiteral("已存在退货列表中，不能再选择！"));
        return;
    }
    const double discPrice = SaleRules::RoundMoney(DBGridEh1->Value(QStringLiteral("GoodsDiscPrice")).asFloat());
    try {
        Db().exec(QStringLiteral("Insert into T_SaleGoodsTemp(GoodsID,CardID,GoodsName,GoodsPrice,GoodsCount,GoodsDisc,"
                                 "GoodsDiscPrice,SumPrice) values(?,?,?,?,?,?,?,?)"),
                  {goodsId, CardCode, DBGridEh1->Value(QStringLiteral("GoodsName")).asString(),
                   DBGridEh1->Value(QStringLiteral("GoodsPrice")).asFloat(), q,
                   DBGridEh1->Value(QStringLiteral("GoodsDisc")).asFloat(), discPrice,
                   SaleRules::RoundMoney(discPrice * q)});
    } catch (const db::DbError &) {
    }
    SaleCart::Show(DBGridEh3, true);
    RzEd_PayMoney->setText(
        QueryLines(ConnectionString, QStringLiteral("Select format(Sum(SumPrice),'0.00') as a1 from T_SaleGoodsTemp")));
}

void TFrm_CostCardMoney_Exit::RzBit_LeftClick()
{
    SaleCart::RemoveCurrent(DBGridEh3, RzEd_PayMoney);
}

void TFrm_CostCardMoney_Exit::RzBit_CheckOutClick()
{
    if (DBGridEh3->RowCount() == 0) {
        Messages::Info(QStringLiteral("没有选择退货商品，请选择"));
        return;
    }
    if (!Messages::Ask(QStringLiteral("你确定要退货处理吗？"), Messages::Icon::Question))
        return;
    const QString rText = RzEd_PayMoney->text().trimmed().isEmpty() ? QStringLiteral("0") : RzEd_PayMoney->text();
    const double R = TextValue(rText);
    const QString card = CardCode;
    const QString remark = RzEd_PayRemark->text();
    try {
        db::Database &d = Db();
        db::Transaction tx(d);
        const QString costId = NewCostID(d);
        const db::Result lines = d.query(QStringLiteral("select * from T_SaleGoodsTemp order by ID"));
        for (int i = 0; i < lines.rowCount(); ++i) {
            auto v = [&](const char *c) { return lines.value(i, QString::fromLatin1(c)); };
            const double count = v("GoodsCount").asFloat();
            d.exec(QStringLiteral("Update D_GoodsStore set GoodsCount=GoodsCount+? where GoodsID=?"),
                   {count, v("GoodsID").asString()});
            d.exec(QStringLiteral("Insert into T_GoodsCostDetailInfo(CostID,CardID,GoodsId,GoodsPrice,GoodsDisc,GoodsCount,"
                                  "GoodsDiscPrice,SumPrice,CostDate,UserMan) values(?,?,?,?,?,?,?,?,Now(),?)"),
                   {costId, card, v("GoodsID").asString(), v("GoodsPrice").asFloat(), v("GoodsDisc").asFloat(), -count,
                    v("GoodsDiscPrice").asFloat(), -v("SumPrice").asFloat(), CurUserCode});
        }
        if (MemberKind == QLatin1String("2")) {
            d.exec(QStringLiteral("Insert into T_MemberCostInfo(CostID,CardID,CostMoney,CostDate,IfMoney,IfExitGoods,CostMemo,"
                                  "UserMan) values(?,?,?,Now(),0,1,?,?)"),
                   {costId, card, -R, remark, CurUserCode});
            d.exec(QStringLiteral("update T_MemberInfo set CurMoney=CurMoney+?,HisSumMoney=HisSumMoney-?  where CodeID=?"),
                   {R, R, card});
        } else {
            const int points = SaleRules::Points(R, SysSet.CostStand);
            d.exec(QStringLiteral("Insert into T_MemberCostInfo(CostID,CardID,CostMoney,CostScore,CostDate,IfMoney,CostMemo,"
                                  "UserMan) values(?,?,?,?,Now(),0,?,?)"),
                   {costId, card, -R, -points, remark, CurUserCode});
            d.exec(QStringLiteral("update T_MemberInfo set memberScore=memberScore-?,HisSumMoney=HisSumMoney-?  "
                                  "where CodeID=?"),
                   {points, R, card});
        }
        frm_DM->WriteLog(QStringLiteral("会员卡：[%1] 退货金额为%2元").arg(card, rText));
        tx.commit();
    } catch (const db::DbError &) {
        Messages::Error(QStringLiteral("退货不成功！"));
        return;
    }
    Saved = true;
    close();
}

void TFrm_CostCardMoney_Exit::done(int r)
{
    m_chosen.Empty();
    TfrmDialog::done(r);
}
