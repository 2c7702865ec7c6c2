#include "Ut_CostCardMoney.h"
#include "PosUi.h"
#include "Receipts.h"
#include "SaleRules.h"
#include "Ut_ShowChangeMoney.h"

#include "core/Clock.h"
#include "core/DBGridEh.h"
#include "core/DM.h"
#include "core/Messages.h"
#include "core/Routines.h"
#include "members/CardRules.h"

#include <QCheckBox>
#include <QFrame>
#include <QGroupBox>
#include <QHBoxLayout>
#include <QKeyEvent>
#include <QPointer>
#include <QRadioButton>
#include <QTableView>
#include <QVBoxLayout>

using SaleRules::FormatMoney;
using SaleRules::PayPath;
using SaleRules::TextValue;

TFrm_CostCardMoney::TFrm_CostCardMoney(QWidget *parent) : TfrmDialog(parent)
{
    setObjectName(QStringLiteral("TFrm_CostCardMoney"));
    SetTitle(QStringLiteral("会员消费"));
    setWindowTitle(QString());
    resize(760, 560);
    BuildLayout();
}

void TFrm_CostCardMoney::BuildLayout()
{
    auto *root = new QVBoxLayout(Body());
    root->setContentsMargins(6, 6, 6, 6);

    QList<QLineEdit *> e;
    QGroupBox *card = PosUi::CardBox(Body(),
                                     {{QStringLiteral("卡号："), "RzEd_CardID"},
                                      {QStringLiteral("姓名："), "RzEd_CardName"},
                                      {QStringLiteral("会员级别："), "RzEd_CardLevel"},
                                      {QStringLiteral("剩余金额："), "RzEd_CardMoney", "RzLab_Money"},
                                      {QStringLiteral("累计消费："), "RzEd_CardSum"}},
                                     3, e);
    RzEd_CardID = e[0];
    RzEd_CardName = e[1];
    RzEd_CardLevel = e[2];
    RzEd_CardMoney = e[3];
    RzEd_CardSum = e[4];
    root->addWidget(card);

    auto *lines = new QGroupBox(QStringLiteral("消费明细"), Body());
    auto *lv = new QVBoxLayout(lines);
    auto *search = new QHBoxLayout;
    search->addWidget(PosUi::Label(lines, QStringLiteral("商品编号或者名称")));
    RzEd_QueryBH = PosUi::Edit(lines, "RzEd_QueryBH");
    PosUi::UpperCaseInput(RzEd_QueryBH);
    search->addWidget(RzEd_QueryBH);
    RzBit_Query = PosUi::Button(lines, "RzBit_Query", QStringLiteral("查询"), QStringLiteral("查询商品"));
    RzBit_Delete = PosUi::Button(lines, "RzBit_Delete", QStringLiteral("删除"), QStringLiteral("删除已选择商品"));
    search->addWidget(RzBit_Query);
    search->addWidget(RzBit_Delete);
    search->addSpacing(20);
    search->addWidget(PosUi::Label(lines, QStringLiteral("修改商品数量")));
    RzEd_GoodsCount = PosUi::Edit(lines, "RzEd_GoodsCount", false, 7);
    RzEd_GoodsCount->setText(QStringLiteral("1.00"));
    RzEd_GoodsCount->setMaximumWidth(80);
    AttachNumeric(RzEd_GoodsCount, 3, 3);
    search->addWidget(RzEd_GoodsCount);
    RzBit_modi = PosUi::Button(lines, "RzBit_modi", QStringLiteral("修改"), QStringLiteral("修改选择后的商品数量"));
    search->addWidget(RzBit_modi);
    search->addStretch();
    lv->addLayout(search);

    DBGridEh3 = new DBGridEh(lines);
    DBGridEh3->setObjectName(QStringLiteral("DBGridEh3"));
    const auto right = Qt::AlignRight | Qt::AlignVCenter;
    DBGridEh3->SetColumns({
        {QStringLiteral("GoodsID"), QStringLiteral("商品编号"), 90},
        {QStringLiteral("GoodsName"), QStringLiteral("商品名称"), 160},
        {QStringLiteral("GoodsPrice"), QStringLiteral("商品单价"), 80, QStringLiteral("0.00"), GridColumn::NoFooter, right},
        {QStringLiteral("GoodsCount"), QStringLiteral("商品数量"), 80, QString(), GridColumn::Sum, right},
        {QStringLiteral("GoodsDisc"), QStringLiteral("折扣率"), 60, QString(), GridColumn::NoFooter, right},
        {QStringLiteral("GoodsDiscPrice"), QStringLiteral("折后单价"), 80, QStringLiteral("0.00"), GridColumn::NoFooter,
         right},
        {QStringLiteral("SumPrice"), QStringLiteral("合计金额"), 90, QStringLiteral("0.00"), GridColumn::Sum, right},
    });
    lv->addWidget(DBGridEh3, 1);

    RzPanel_BackGoods = new QFrame(lines);
    RzPanel_BackGoods->setObjectName(QStringLiteral("RzPanel_BackGoods"));
    RzPanel_BackGoods->setFrameShape(QFrame::Box);
    auto *pv = new QVBoxLayout(RzPanel_BackGoods);
    DBGridEh1 = new DBGridEh(RzPanel_BackGoods);
    DBGridEh1->setObjectName(QStringLiteral("DBGridEh1"));
    DBGridEh1->setToolTip(QStringLiteral("双击可以选择商品"));
    DBGridEh1->SetColumns({
        {QStringLiteral("GoodsID"), QStringLiteral("商品编号"), 90},
        {QStringLiteral("GoodsName"), QStringLiteral("商品名称"), 160},
        {QStringLiteral("SalePrice"), QStringLiteral("商品单价"), 80, QStringLiteral("0.00"), GridColumn::NoFooter, right},
        {QStringLiteral("GoodsUnit"), QStringLiteral("单位"), 50},
        {QStringLiteral("GoodsCount"), QStringLiteral("库存数量"), 70, QString(), GridColumn::NoFooter, right},
        {QStringLiteral("GoodsDisc"), QStringLiteral("折扣率"), 60, QString(), GridColumn::NoFooter, right},
    });
    pv->addWidget(DBGridEh1);
    auto *pb = new QHBoxLayout;
    pb->addWidget(PosUi::Label(RzPanel_BackGoods, QStringLiteral("消费数量")));
    Lab_Count = PosUi::Edit(RzPanel_BackGoods, "Lab_Count");
    Lab_Count->setMaximumWidth(80);
    AttachNumeric(Lab_Count, 3, 3);
    pb->addWidget(Lab_Count);
    RzBit_Ok = PosUi::Button(RzPanel_BackGoods, "RzBit_Ok", QStringLiteral("确定"), QStringLiteral("选择确定的商品"));
    RzBitBtn2 = PosUi::Button(RzPanel_BackGoods, "RzBitBtn2", QStringLiteral("退出"));
    pb->addWidget(RzBit_Ok);
    pb->addWidget(RzBitBtn2);
    pb->addStretch();
    pv->addLayout(pb);
    RzPanel_BackGoods->setMinimumHeight(200);
    RzPanel_BackGoods->hide();
    lv->addWidget(RzPanel_BackGoods, 1);

    QHBoxLayout *pay =
        PosUi::AmountRow(this, lines, QStringLiteral("应付金额："), QStringLiteral("备注："), RzEd_PayMoney, RzEd_PayRemark);
    lv->addLayout(pay);
    root->addWidget(lines, 1);

    // Bottom bar.
    auto *bottom = qobject_cast<QHBoxLayout *>(Panel2->layout());
    RzBit_CheckOut = PosUi::Button(Panel2, "RzBit_CheckOut", QStringLiteral("结帐"), QStringLiteral("确定结账"));
    RzChk_XJJZ = new QCheckBox(QStringLiteral("现金结帐"), Panel2);
    RzChk_XJJZ->setObjectName(QStringLiteral("RzChk_XJJZ"));
    RzPanel_JZ = new QFrame(Panel2);
    RzPanel_JZ->setObjectName(QStringLiteral("RzPanel_JZ"));
    auto *jz = new QHBoxLayout(RzPanel_JZ);
    jz->setContentsMargins(0, 0, 0, 0);
    RzRadioButton1 = new QRadioButton(QStringLiteral("储值卡金额+现金结帐"), RzPanel_JZ);
    RzRadioButton1->setObjectName(QStringLiteral("RzRadioButton1"));
    RzChk_Money = new QRadioButton(QStringLiteral("只用现金结帐"), RzPanel_JZ);
    RzChk_Money->setObjectName(QStringLiteral("RzChk_Money"));
    RzChk_Money->setChecked(true);
    jz->addWidget(RzRadioButton1);
    jz->addWidget(RzChk_Money);
    RzPanel_JZ->hide();
    RzBit_PrintPort = PosUi::Button(Panel2, "RzBit_PrintPort", QStringLiteral("直接用Prints打印"));
    RzBit_PrintPort->hide();
    bottom->insertWidget(0, RzChk_XJJZ);
    bottom->insertWidget(1, RzPanel_JZ);
    bottom->insertWidget(3, RzBit_PrintPort);
    bottom->insertWidget(4, RzBit_CheckOut);

    connect(RzEd_QueryBH, &QLineEdit::textChanged, this, &TFrm_CostCardMoney::RzBit_QueryClick);
    connect(RzBit_Query, &QPushButton::clicked, this, &TFrm_CostCardMoney::RzBit_QueryClick);
    PosUi::OnEnter(RzEd_QueryBH, [this] {
        RzBit_QueryClick();
        DBGridEh1->View()->setFocus();
    });
    PosUi::OnEnter(DBGridEh1->View(), [this] {
        Lab_Count->setFocus();
        Lab_Count->selectAll();
    });
    PosUi::OnEnter(Lab_Count, [this] { AddLine(); });
    PosUi::OnEnter(RzEd_GoodsCount, [this] { RzBit_modiClick(); });
    connect(DBGridEh1, &DBGridEh::rowDoubleClicked, this, [this] { AddLine(); });
    connect(RzBit_Ok, &QPushButton::clicked, this, &TFrm_CostCardMoney::AddLine);
    connect(RzBitBtn2, &QPushButton::clicked, RzPanel_BackGoods, &QWidget::hide);
    connect(RzBit_Delete, &QPushButton::clicked, this, &TFrm_CostCardMoney::RzBit_DeleteClick);
    connect(RzBit_modi, &QPushButton::clicked, this, &TFrm_CostCardMoney::RzBit_modiClick);
    connect(RzChk_XJJZ, &QCheckBox::clicked, this, &TFrm_CostCardMoney::RzChk_XJJZClick);
    connect(RzBit_CheckOut, &QPushButton::clicked, this, &TFrm_CostCardMoney::RzBit_CheckOutClick);
}

void TFrm_CostCardMoney::showEvent(QShowEvent *event)
{
    TfrmDialog::showEvent(event);
    PosUi::AmountEditable(RzEd_PayMoney);
    RzChk_XJJZ->setVisible(MemberKind != QLatin1String("1"));
    SaleCart::Show(DBGridEh3, true);
    RzEd_QueryBH->setFocus();
}

void TFrm_CostCardMoney::keyPressEvent(QKeyEvent *event)
{
    if (event->key() == Qt::Key_Escape && RzPanel_BackGoods->isVisible()) {
        RzPanel_BackGoods->hide();
        RzEd_QueryBH->setFocus();
        return;
    }
    TfrmDialog::keyPressEvent(event);
}

void TFrm_CostCardMoney::ShowCartSum(const QString &sql)
{
    RzEd_PayMoney->setText(QueryLines(ConnectionString, sql));
}

void TFrm_CostCardMoney::RzBit_QueryClick()
{
    Lab_Count->setText(QStringLiteral("1"));
    db::Result r;
    const QString pattern = LikeContains(RzEd_QueryBH->text());
    try {
        r = Db().query(QStringLiteral("select * from D_GoodsStore where (GoodsID like ? or GoodsName like ? or "
                                      "GoodsSimple like ?) order by GoodsID"),
                       {pattern, pattern, pattern});
    } catch (const db::DbError &) {
    }
    DBGridEh1->SetResult(r);
    RzPanel_BackGoods->show();
}

void TFrm_CostCardMoney::AddLine()
{
    if (RzPanel_BackGoods->isVisible() && DBGridEh1->RowCount() > 0 && DBGridEh1->CurrentRow() >= 0) {
        const double q = TextValue(Lab_Count->text());
        const double stock = DBGridEh1->Value(QStringLiteral("GoodsCount")).asFloat();
        if (SysSet.IfUse_LessZero == QLatin1String("0")) {
            if (stock < 0) {
                Messages::Info(QStringLiteral("此商品库存已经小于0不能销售！"));
                return;
            }
            if (q > stock) {
                Messages::Info(QStringLiteral("库存已经不足，不能销售！"));
                return;
            }
        }
        const double salePrice = DBGridEh1->Value(QStringLiteral("SalePrice")).asFloat();
        const double rate = SaleRules::LineRate(SaleRules::MemberRate(MemberRate),
                                                DBGridEh1->Value(QStringLiteral("GoodsDisc")).asFloat());
        const SaleRules::LineAmounts a = SaleRules::ComputeLine(salePrice, rate, q);
        try {
            Db().exec(QStringLiteral("Insert into T_SaleGoodsTemp(GoodsID,CardID,GoodsName,GoodsPrice,GoodsCount,GoodsDisc,"
                                     "GoodsDiscPrice,SumPrice) values(?,?,?,?,?,?,?,?)"),
                      {DBGridEh1->Value(QStringLiteral("GoodsID")).asString(), CardCode,
                       DBGridEh1->Value(QStringLiteral("GoodsName")).asString(), salePrice, q, rate, a.discPrice,
                       a.sumPrice});
        } catch (const db::DbError &) {
        }
        SaleCart::Show(DBGridEh3, true);
        ShowCartSum(QStringLiteral("Select format(Sum(SumPrice),'0.00') from T_SaleGoodsTemp"));
    }
    RzEd_QueryBH->setFocus();
    {
        const QSignalBlocker block(RzEd_QueryBH);
        RzEd_QueryBH->clear();
    }
    RzPanel_BackGoods->hide();
}

void TFrm_CostCardMoney::RzBit_DeleteClick()
{
    SaleCart::RemoveCurrent(DBGridEh3, RzEd_PayMoney);
}

void TFrm_CostCardMoney::RzBit_modiClick()
{
    if (DBGridEh3->RowCount() == 0 || DBGridEh3->CurrentRow() < 0)
        return;
    const double q = TextValue(RzEd_GoodsCount->text(), 1);
    const double discPrice = DBGridEh3->Value(QStringLiteral("GoodsDiscPrice")).asFloat();
    try {
        // From the rounded unit price, so it may differ by a cent from the line as added;
        // kept in cents like every other amount (a fractional quantity would leave more).
        Db().exec(QStringLiteral("Update  T_SaleGoodsTemp set GoodsCount=?,SumPrice=? where ID=?"),
                  {q, SaleRules::RoundMoney(discPrice * q), DBGridEh3->Value(QStringLiteral("ID")).asInt()});
    } catch (const db::DbError &) {
    }
    SaleCart::Show(DBGridEh3, true);
    ShowCartSum(QStringLiteral("Select Sum(SumPrice) from T_SaleGoodsTemp"));
}

void TFrm_CostCardMoney::RzChk_XJJZClick()
{
    if (!RzChk_XJJZ->isChecked()) {
        RzPanel_JZ->hide();
        return;
    }
    if (TextValue(RzEd_PayMoney->text()) >= Balance) {
        RzPanel_JZ->show();
        return;
    }
    RzChk_XJJZ->setChecked(false);
    RzPanel_JZ->hide();
    Messages::Info(QStringLiteral("你不用付现金，卡内金额可以直接支付！"));
}

void TFrm_CostCardMoney::RzBit_CheckOutClick()
{
    const QString amountText = RzEd_PayMoney->text().trimmed().isEmpty() ? QStringLiteral("0") : RzEd_PayMoney->text();
    const double A = TextValue(amountText);
    const double B = Balance;
    const QString card = CardCode;

    if (DBGridEh3->RowCount() == 0) {
        Messages::Show(QStringLiteral("你没有选择任何商品或者服务！不能结帐!"), QStringLiteral("提示"), Messages::Icon::Warning);
        return;
    }
    const bool ticked = !RzChk_XJJZ->isHidden() && RzChk_XJJZ->isChecked();
    const PayPath path = SaleRules::ChoosePath(MemberKind, ticked, RzRadioButton1->isChecked());
    const SaleRules::BalanceCashSplit split = SaleRules::SplitBalanceCash(A, B);
    if (path == PayPath::CardPayment && SaleRules::RoundMoney(A) > SaleRules::RoundMoney(B)) {
        Messages::Info(QStringLiteral("卡内余额不足，请你充值或者选择现金付款！"));
        return;
    }
    if (path == PayPath::BalancePlusCash && !split.valid) {
        // The amount has fallen below the balance since the box was ticked.
        RzChk_XJJZ->setChecked(false);
        RzPanel_JZ->hide();
        Messages::Info(QStringLiteral("你不用付现金，卡内金额可以直接支付！"));
        return;
    }

    // Tender.
    QString cashReceived = amountText;
    QString change = QStringLiteral("0.00");
    QString cardPart = QStringLiteral("0.00");
    if (path == PayPath::BalancePlusCash) {
        cashReceived = FormatMoney(split.cashPart);
        cardPart = FormatMoney(split.cardPart);
    }
    if (SysSet.IfUse_Show == QLatin1String("1")) {
        QPointer<TFrm_ShowChangeMoney> dlg = new TFrm_ShowChangeMoney(this);
        dlg->RzEd_YS->setText(amountText);
        if (path == PayPath::BalancePlusCash) {
            dlg->SetPage(1);
            dlg->RzEd_CZKMoney->setText(FormatMoney(B));
            dlg->RzEd_CZKMoney->setEnabled(false);
            dlg->RzEd_XJMoney->setText(FormatMoney(split.cashPart));
        } else {
            dlg->SetPage(0);
            dlg->RzEd_SS->setText(amountText);
            dlg->RzEd_SS->setEnabled(!(path == PayPath::CardPayment && card != QLatin1String("0000")));
        }
        Messages::Exec(dlg);
        const bool confirmed = dlg && dlg->Confirmed;
        if (confirmed) {
            cashReceived = dlg->CashReceived();
            change = dlg->Change();
            cardPart = dlg->CardPart();
        }
        delete dlg;
        if (!confirmed)
            return;
    }

    const QString remark = RzEd_PayRemark->text();
    const int costStand = SysSet.CostStand;
    db::Database &d = Db();
    Receipts::Sale sale;
    QString costId;
    try {
        db::Transaction tx(d);
        costId = NewCostID(d);
        const db::Result cart = d.query(QStringLiteral("select * from T_SaleGoodsTemp order by ID"));
        if (cart.isEmpty())
            throw db::DbError(QStringLiteral("empty cart"));
        for (int i = 0; i < cart.rowCount(); ++i) {
            auto v = [&](const char *c) { return cart.value(i, QString::fromLatin1(c)); };
            d.exec(QStringLiteral("Update D_GoodsStore set GoodsCount=GoodsCount-? where GoodsID=?"),
                   {v("GoodsCount").asFloat(), v("GoodsID").asString()});
            d.exec(QStringLiteral("Insert into T_GoodsCostDetailInfo(CostID,CardID,GoodsId,GoodsPrice,GoodsDisc,GoodsCount,"
                                  "GoodsDiscPrice,SumPrice,CostDate,UserMan) values(?,?,?,?,?,?,?,?,Now(),?)"),
                   {costId, card, v("GoodsID").asString(), v("GoodsPrice").asFloat(), v("GoodsDisc").asFloat(),
                    v("GoodsCount").asFloat(), v("GoodsDiscPrice").asFloat(), v("SumPrice").asFloat(), CurUserCode});
            sale.lines.append({v("GoodsID").asString(), v("GoodsName").asString(), v("GoodsDiscPrice").asFloat(),
                               v("GoodsCount").asFloat(), v("SumPrice").asFloat()});
        }

        int points = 0;
        QString log = QStringLiteral("会员卡：[%1] 消费%2元").arg(card, amountText);
        switch (path) {
        case PayPath::CardPayment:
            d.exec(QStringLiteral("Insert into T_MemberCostInfo(CostID,CardID,CostMoney,CostDate,IfMoney,CostMemo,UserMan) "
                                  "values(?,?,?,Now(),0,?,?)"),
                   {costId, card, A, remark, CurUserCode});
            d.exec(QStringLiteral("update T_MemberInfo set CurMoney=CurMoney-?,HisSumMoney=HisSumMoney+?  where CodeID=?"),
                   {A, A, card});
            break;
        case PayPath::PlainSale:
            points = SaleRules::Points(A, costStand);
            d.exec(QStringLiteral("Insert into T_MemberCostInfo(CostID,CardID,CostMoney,CostScore,CostDate,IfMoney,CostMemo,"
                                  "UserMan) values(?,?,?,?,Now(),0,?,?)"),
                   {costId, card, A, points, remark, CurUserCode});
            d.exec(QStringLiteral("update T_MemberInfo set memberScore=memberScore+?,SumScore=SumScore+?,"
                                  "HisSumMoney=HisSumMoney+?  where CodeID=?"),
                   {points, points, A, card});
            break;
        case PayPath::CashOnly:
            points = SaleRules::Points(A, costStand);
            d.exec(QStringLiteral("Insert into T_MemberCostInfo(CostID,CardID,CostScore,CostMoney,CostDate,IfMoney,CostMemo,"
                                  "UserMan) values(?,?,?,?,Now(),1,?,?)"),
                   {costId, card, points, A, remark + QStringLiteral("(现金结帐)"), CurUserCode});
            d.exec(QStringLiteral("update T_MemberInfo set memberScore=memberScore+?,SumScore=SumScore+?, "
                                  "HisSumMoney=HisSumMoney+?  where CodeID=?"),
                   {points, points, A, card});
            log += QStringLiteral("(现金结帐)");
            break;
        case PayPath::BalancePlusCash: {
            const double C = split.cashPart;
            const QString cText = FormatMoney(C);
            points = SaleRules::Points(C, costStand);
            d.exec(QStringLiteral("Insert into T_MemberCostInfo(CostID,CardID,CostScore,CostMoney,XJJN,CostDate,IfMoney,"
                                  "CostMemo,UserMan) values(?,?,?,?,?,Now(),2,?,?)"),
                   {costId, card, points, A, C, remark + QStringLiteral("(储值卡+现金:%1)").arg(cText), CurUserCode});
            d.exec(QStringLiteral("update T_MemberInfo set memberScore=memberScore+?,SumScore=SumScore+?,CurMoney=0, "
                                  "HisSumMoney=HisSumMoney+?  where CodeID=?"),
                   {points, points, C, card});
            log = QStringLiteral("会员卡：[%1] 消费%2元(储值卡+现金结帐)其中现金：%3元").arg(card, amountText, cText);
            break;
        }
        }
        if (path != PayPath::CardPayment)
            cards::ApplyLevelUpgrade(d, card, CanUpgrade, LevelID, SumScoreBefore + points);
        frm_DM->WriteLog(log);
        tx.commit();
    } catch (const db::DbError &) {
        Messages::Error(QStringLiteral("消费保存失败！"));
        return;
    }

    Booked(costId);
    if (SysSet.IfUse_PrintPicket == QLatin1String("1")) {
        sale.costId = costId;
        sale.cardCode = card;
        sale.memberName = RzEd_CardName->text();
        sale.amount = amountText;
        sale.path = path;
        sale.cashReceived = cashReceived;
        sale.change = change;
        sale.cardPart = cardPart;
        receipt::Print(Receipts::SaleReceipt(receipt::Frame::FromSettings(), sale, Clock::now()));
    }
    close();
}

void TFrm_CostCardMoney::done(int r)
{
    m_cart.Empty();
    TfrmDialog::done(r);
}
