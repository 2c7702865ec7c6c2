#include "Ut_HYCost.h"
#include "PosUi.h"
#include "SaleRules.h"
#include "Ut_BackCodeName.h"
#include "Ut_CostCardCount.h"
#include "Ut_CostCardMoney.h"
#include "Ut_CostCardMoney_Exit.h"
#include "Ut_SocreExGoods.h"

#include "core/Clock.h"
#include "core/DBGridEh.h"
#include "core/DM.h"
#include "core/Messages.h"
#include "core/Routines.h"
#include "members/Ut_PutOutPassWord.h"

#include <QAction>
#include <QApplication>
#include <QFile>
#include <QGridLayout>
#include <QGroupBox>
#include <QHBoxLayout>
#include <QKeyEvent>
#include <QMenu>
#include <QPixmap>
#include <QPlainTextEdit>
#include <QPointer>
#include <QSplitter>
#include <QTableView>
#include <QVBoxLayout>

namespace {
const QString kNoCard = QStringLiteral("0000");
const QString kNoCardId = QStringLiteral("空ID");
} // namespace

TFrm_HYCost::TFrm_HYCost(QWidget *parent) : TfrmDialog(parent)
{
    setObjectName(QStringLiteral("TFrm_HYCost"));
    SetChildScreen(true);
    SetTitle(QStringLiteral("会员消费(按F2可以直接调出无卡用户消费)"));
    Panel2->hide();
    BuildLayout();
    qApp->installEventFilter(this);
}

TFrm_HYCost::~TFrm_HYCost()
{
    qApp->removeEventFilter(this);
}

void TFrm_HYCost::BuildLayout()
{
    auto *root = new QVBoxLayout(Body());
    root->setContentsMargins(6, 6, 6, 6);

    // Search bar.
    auto *bar = new QHBoxLayout;
    bar->addWidget(PosUi::Label(Body(), QStringLiteral("输入会员卡号或者姓名：")));
    RzEd_Query = PosUi::Edit(Body(), "RzEd_Query");
    RzEd_Query->setToolTip(
        QStringLiteral("输入内容按回车(包括姓名、手机、卡号、身份证号、姓名简拼等)，即可弹出会员相应信息"));
    RzEd_Query->setMinimumWidth(220);
    PosUi::UpperCaseInput(RzEd_Query);
    bar->addWidget(RzEd_Query);
    RzBit_Query = PosUi::Button(Body(), "RzBit_Query", QStringLiteral("查询"), QStringLiteral("查询会员信息"));
    RzBit_Add = PosUi::Button(Body(), "RzBit_Add", QStringLiteral("会员消费(F3)"), QStringLiteral("增加会员消费"));
    RzBit_ExChangeGoods = PosUi::Button(Body(), "RzBit_ExChangeGoods", QStringLiteral("积分兑换(F5)"),
                                        QStringLiteral("积分兑换商品"));
    RzBit_ExitGoods = PosUi::Button(Body(), "RzBit_ExitGoods", QStringLiteral("会员退货(F4)"),
                                    QStringLiteral("选择某一天的消费记录，再退货"));
    RzBit_Clear = PosUi::Button(Body(), "RzBit_Clear", QStringLiteral("清空信息(F6)"), QStringLiteral("清空当前会员信息"));
    for (QPushButton *b : {RzBit_Query, RzBit_Add, RzBit_ExChangeGoods, RzBit_ExitGoods, RzBit_Clear})
        bar->addWidget(b);
    bar->addStretch();
    root->addLayout(bar);

    // Card panel.
    auto *card = new QGroupBox(Body());
    card->setObjectName(QStringLiteral("RzGroupBox1"));
    auto *grid = new QGridLayout(card);
    auto ro = [&](const char *name) { return PosUi::Edit(card, name, true); };
    RzEd_CardName = ro("RzEd_CardName");
    RzEd_CardID = ro("RzEd_CardID");
    RzEd_CardKind = ro("RzEd_CardKind");
    RzEd_CardLevel = ro("RzEd_CardLevel");
    RzEd_CardMoney = ro("RzEd_CardMoney");
    RzEd_CardSum = ro("RzEd_CardSum");
    RzEd_State = ro("RzEd_State");
    RzEd_Address = ro("RzEd_Address");
    RzEd_Card = ro("RzEd_Card");
    RzEd_Tel = ro("RzEd_Tel");
    RzEd_Mobile = ro("RzEd_Mobile");
    RzEd_Score = ro("RzEd_Score");
    RzEd_Memo = ro("RzEd_Memo");
    RzMemo_Less = new QPlainTextEdit(card);
    RzMemo_Less->setObjectName(QStringLiteral("RzMemo_Less"));
    RzMemo_Less->setReadOnly(true);
    RzMemo_Less->setFixedHeight(40);
    RzMemo_Less->setStyleSheet(QStringLiteral("color: red;"));
    RzLab_Money = PosUi::Label(card, QStringLiteral("当前余额："), "RzLab_Money");
    RzLabel6 = PosUi::Label(card, QStringLiteral("累计消费："), "RzLabel6");

    auto put = [&](int row, int col, QWidget *label, QWidget *field, int span = 1) {
        grid->addWidget(label, row, col * 2, Qt::AlignRight);
        grid->addWidget(field, row, col * 2 + 1, 1, span);
    };
    put(0, 0, PosUi::Label(card, QStringLiteral("姓名：")), RzEd_CardName);
    put(0, 1, PosUi::Label(card, QStringLiteral("卡号：")), RzEd_CardID);
    put(0, 2, PosUi::Label(card, QStringLiteral("卡的类型：")), RzEd_CardKind);
    put(1, 0, PosUi::Label(card, QStringLiteral("卡的级别：")), RzEd_CardLevel);
    put(1, 1, RzLab_Money, RzEd_CardMoney);
    put(1, 2, RzLabel6, RzEd_CardSum);
    put(2, 0, PosUi::Label(card, QStringLiteral("卡的状态：")), RzEd_State);
    put(2, 1, PosUi::Label(card, QStringLiteral("可用积分：")), RzEd_Score);
    put(2, 2, PosUi::Label(card, QStringLiteral("手机：")), RzEd_Mobile);
    put(3, 0, PosUi::Label(card, QStringLiteral("固定电话：")), RzEd_Tel);
    put(3, 1, PosUi::Label(card, QStringLiteral("身份证号：")), RzEd_Card, 3);
    put(4, 0, PosUi::Label(card, QStringLiteral("地址：")), RzEd_Address, 5);
    put(5, 0, PosUi::Label(card, QStringLiteral("备注：")), RzEd_Memo, 5);
    put(6, 0, PosUi::Label(card, QStringLiteral("提醒：")), RzMemo_Less, 5);

    auto *photoBox = new QVBoxLayout;
    photoBox->addWidget(PosUi::Label(card, QStringLiteral("==会员照片==")), 0, Qt::AlignHCenter);
    Image3 = PosUi::Label(card, QString(), "Image3");
    Image3->setFixedSize(110, 130);
    Image3->setFrameShape(QFrame::Box);
    Image3->setAlignment(Qt::AlignCenter);
    photoBox->addWidget(Image3);
    RzLab_NoUse = PosUi::Label(card, QStringLiteral("会员卡挂失或者到期"), "RzLab_NoUse");
    RzLab_NoUse->setStyleSheet(QStringLiteral("color: red; font-weight: bold;"));
    RzLab_NoUse->hide();
    photoBox->addWidget(RzLab_NoUse);
    photoBox->addStretch();
    grid->addLayout(photoBox, 0, 6, 7, 1);
    root->addWidget(card);

    // Lists.
    auto *split = new QSplitter(Qt::Horizontal, Body());
    split->setObjectName(QStringLiteral("RzSplitter1"));
    auto *left = new QWidget(split);
    auto *ll = new QVBoxLayout(left);
    ll->setContentsMargins(0, 0, 0, 0);
    ll->addWidget(PosUi::Label(left, QStringLiteral("会员消费列表")));
    DBGridEh1 = new DBGridEh(left);
    DBGridEh1->setObjectName(QStringLiteral("DBGridEh1"));
    DBGridEh1->setToolTip(QStringLiteral("双击列表，可以弹出备注！"));
    DBGridEh1->SetColumns({
        {QStringLiteral("CostDate"), QStringLiteral("消费日期"), 140, QStringLiteral("yyyy-MM-dd HH:mm:ss")},
        {QStringLiteral("CostMoney"), QStringLiteral("消费金额"), 80, QString(), GridColumn::Sum,
         Qt::AlignRight | Qt::AlignVCenter},
        {QStringLiteral("CostScore"), QStringLiteral("此次积分"), 70, QString(), GridColumn::Sum,
         Qt::AlignRight | Qt::AlignVCenter},
        {QStringLiteral("CostMemo"), QStringLiteral("备注"), 200},
    });
    DBGridEh1->SetFooterCaption(QStringLiteral("合计"));
    DBGridEh1->SetRowColour([](const db::Result &r, int row) {
        const int c = r.columnIndex(QStringLiteral("ifExitGoods"));
        return c >= 0 && r.value(row, c).asInt() == 1 ? QColor(192, 220, 192) : QColor();
    });
    ll->addWidget(DBGridEh1);
    auto *right = new QWidget(split);
    auto *rl = new QVBoxLayout(right);
    rl->setContentsMargins(0, 0, 0, 0);
    rl->addWidget(PosUi::Label(right, QStringLiteral("消费商品详细列表")));
    DBGridEh2 = new DBGridEh(right);
    DBGridEh2->setObjectName(QStringLiteral("DBGridEh2"));
    DBGridEh2->SetColumns({
        {QStringLiteral("GoodsName"), QStringLiteral("商品名称"), 140},
        {QStringLiteral("GoodsPrice"), QStringLiteral("商品单价"), 80, QStringLiteral("0.00"), GridColumn::NoFooter,
         Qt::AlignRight | Qt::AlignVCenter},
        {QStringLiteral("GoodsCount"), QStringLiteral("商品数量"), 70, QString(), GridColumn::NoFooter,
         Qt::AlignRight | Qt::AlignVCenter},
        {QStringLiteral("SumPrice"), QStringLiteral("合计金额"), 90, QStringLiteral("0.00"), GridColumn::Sum,
         Qt::AlignRight | Qt::AlignVCenter},
    });
    DBGridEh2->SetFooterCaption(QStringLiteral("合计"));
    rl->addWidget(DBGridEh2);
    split->setStretchFactor(0, 3);
    split->setStretchFactor(1, 2);
    root->addWidget(split, 1);

    PopupMenu1 = new QMenu(this);
    PopupMenu1->setObjectName(QStringLiteral("PopupMenu1"));
    NP_DeleteCost = PopupMenu1->addAction(QStringLiteral("删除当前消费"));
    NP_DeleteCost->setObjectName(QStringLiteral("NP_DeleteCost"));
    DBGridEh1->View()->setContextMenuPolicy(Qt::CustomContextMenu);
    connect(DBGridEh1->View(), &QWidget::customContextMenuRequested, this,
            [this](const QPoint &p) { PopupMenu1->popup(DBGridEh1->View()->viewport()->mapToGlobal(p)); });
    connect(NP_DeleteCost, &QAction::triggered, this, &TFrm_HYCost::NP_DeleteCostClick);

    connect(RzBit_Query, &QPushButton::clicked, this, &TFrm_HYCost::RzBit_QueryClick);
    PosUi::OnEnter(RzEd_Query, [this] { RzBit_QueryClick(); });
    connect(RzBit_Add, &QPushButton::clicked, this, &TFrm_HYCost::RzBit_AddClick);
    connect(RzBit_ExitGoods, &QPushButton::clicked, this, &TFrm_HYCost::RzBit_ExitGoodsClick);
    connect(RzBit_ExChangeGoods, &QPushButton::clicked, this, &TFrm_HYCost::RzBit_ExChangeGoodsClick);
    connect(RzBit_Clear, &QPushButton::clicked, this, &TFrm_HYCost::RzBit_ClearClick);
    connect(DBGridEh1, &DBGridEh::currentRowChanged, this, &TFrm_HYCost::HistoryRowChanged);
    connect(DBGridEh1, &DBGridEh::rowDoubleClicked, this, &TFrm_HYCost::HistoryDoubleClicked);
}

void TFrm_HYCost::showEvent(QShowEvent *event)
{
    TfrmDialog::showEvent(event);
    if (m_rightsApplied)
        return;
    m_rightsApplied = true;
    ApplyRightsToButtons();
    LoadHistory(kNoCardId);
    ShowPhoto(QString());
    RzEd_Query->setFocus();
}

void TFrm_HYCost::ApplyRightsToButtons()
{
    RzBit_Add->setEnabled(frm_DM->HasRight(QStringLiteral("08")));
    NP_DeleteCost->setEnabled(frm_DM->HasRight(QStringLiteral("09")));
    RzBit_ExitGoods->setEnabled(frm_DM->HasRight(QStringLiteral("10")));
    RzBit_ExChangeGoods->setEnabled(frm_DM->HasRight(QStringLiteral("11")));
}

bool TFrm_HYCost::eventFilter(QObject *watched, QEvent *event)
{
    // The desk sees its keys before its controls do.
    if (event->type() != QEvent::KeyPress || !watched->isWidgetType())
        return false;
    auto *w = static_cast<QWidget *>(watched);
    if (w != this && !isAncestorOf(w))
        return false;
    if (QApplication::activeModalWidget() && QApplication::activeModalWidget() != window())
        return false;
    const int key = static_cast<QKeyEvent *>(event)->key();
    switch (key) {
    case Qt::Key_F2:
        LoadNoCardCustomer();
        return true;
    case Qt::Key_F3:
        if (RzBit_Add->isEnabled())
            RzBit_AddClick();
        return true;
    case Qt::Key_F4:
        if (RzBit_ExitGoods->isEnabled())
            RzBit_ExitGoodsClick();
        return true;
    case Qt::Key_F5:
        if (RzBit_ExChangeGoods->isEnabled())
            RzBit_ExChangeGoodsClick();
        return true;
    case Qt::Key_F6:
        RzBit_ClearClick();
        return true;
    default:
        return false;
    }
}

void TFrm_HYCost::LoadNoCardCustomer()
{
    LoadCard(kNoCard);
    LoadHistory(kNoCard);
}

void TFrm_HYCost::RzBit_QueryClick()
{
    QVariantList params;
    const QString sql = QStringLiteral("select a.CodeID from T_MemberInfo a where 1=1")
                      + MemberMatchCondition(RzEd_Query->text(), true, params) + QStringLiteral(" order by a.ID");
    db::Result r;
    try {
        r = Db().query(sql, params);
    } catch (const db::DbError &e) {
        Messages::Error(e.text());
        return;
    }
    QString code;
    if (r.rowCount() > 1) {
        QPointer<TFrm_BackCodeName> dlg = new TFrm_BackCodeName(this);
        dlg->SearchText = RzEd_Query->text();
        const QPoint below = RzEd_Memo->mapToGlobal(QPoint(0, RzEd_Memo->height() + 40));
        dlg->Left = below.x();
        dlg->Top = below.y();
        Messages::Exec(dlg);
        if (dlg && dlg->Selected)
            code = dlg->SelCodeID;
        delete dlg;
    } else if (r.rowCount() == 1) {
        code = r.value(0, 0).asString();
    }
    if (code.isEmpty())
        return;
    LoadCard(code);
    LoadHistory(code);
}

QString TFrm_HYCost::CardSql()
{
    return QStringLiteral(
        "select CodeID,memberName,AddDate,sex,birthday,Password,memberKind,MemberPhoto,CardIfUpGrade,Remarkinfo,"
        "CurState,Tel,Mobile,IDCard,Addr,CardVailFlag,format(CardVailDate,'yyyy-MM-dd') as cardVaildDate,"
        "CDBL(IIf(isnull(memberScore),0,memberScore)) as memberScore,ID,CurState,CheapMode,cardLevel, "
        "CDBL(IIf(isnull(SumScore),0,SumScore)) as SumScore,"
        "(select stateName from D_MemberCardstate c where  a.CurState=c.stateId) as stateName,"
        "(select CardKind from D_MemberCardKind b where  a.memberKind=b.CardId) as cardKind,"
        "(select UserName from D_MemberLevel d where d.ID=a.CardLevel) as CardLevel1,"
        "iif(isnull(HisSumMoney),0,hisSumMoney) as hisSumMoney,IIF(isnull(CurMoney),0,curMoney) as curMoney  "
        "from T_MemberInfo a where 1=1  and CodeID=?");
}

QString TFrm_HYCost::HistorySql()
{
    return QStringLiteral(
        "select CostID,CardID,CostMoney,iif(isnull(CostScore),0,CostScore) as CostScore,"
        "CostDate,CostMemo,IfMoney,SumMoney,ifExitGoods,XJJN   from T_MemberCostInfo "
        "where CardID=? order by CostDate desc");
}

QString TFrm_HYCost::GoodsLinesSql()
{
    return QStringLiteral(
        "select CardID,(select GoodsName from D_GoodsStore b where a.GoodsId=b.GoodsID) "
        "as GoodsName, GoodsPrice,GoodsDisc,GoodsCount,GoodsDiscPrice,SumPrice  "
        "from T_GoodsCostDetailInfo a  where a.CostID=?");
}

void TFrm_HYCost::LoadCard(const QString &code)
{
    RzEd_CardID->setText(code);
    db::Result r;
    try {
        r = Db().query(CardSql(), {code});
    } catch (const db::DbError &e) {
        Messages::Error(e.text());
        return;
    }
    if (r.isEmpty())
        return;
    auto f = [&](const char *c) { return r.value(0, QString::fromLatin1(c)); };
    m_code = code;
    m_loaded = true;
    m_level = f("cardLevel").asString().trimmed();
    m_rateText = QueryLines(ConnectionString,
                            QStringLiteral("select IIF(rate=1,'不打',format(rate,'0.00')) from  D_MemberLevel where ID=?"),
                            {m_level});
    RzEd_CardName->setText(f("memberName").asString());
    RzEd_CardKind->setText(f("cardKind").asString());
    RzEd_CardLevel->setText(f("CardLevel1").asString());
    RzEd_Tel->setText(f("Tel").asString());
    RzEd_Mobile->setText(f("Mobile").asString());
    RzEd_Card->setText(f("IDCard").asString());
    RzEd_Address->setText(f("Addr").asString());
    RzEd_Memo->setText(f("Remarkinfo").asString());
    m_password = f("Password").asString().trimmed();
    m_balance = f("curMoney").asFloat();
    m_score = qint64(f("memberScore").asFloat());
    m_sumScore = qint64(f("SumScore").asFloat());
    m_canUpgrade = f("CardIfUpGrade").asBool();
    m_kind = f("memberKind").asString().trimmed();

    const double his = f("hisSumMoney").asFloat();
    RzMemo_Less->clear();
    if (m_kind != QLatin1String("3")) {
        RzEd_CardMoney->setText(SaleRules::FormatMoney(m_balance));
        RzEd_CardSum->setText(SaleRules::FormatMoney(his));
        RzLab_Money->setText(QStringLiteral("当前余额："));
        RzLabel6->setText(QStringLiteral("累计消费："));
        if (m_kind == QLatin1String("2") && SysSet.IfUse_Balance == QLatin1String("1") && m_balance < SysSet.LessMoney)
            RzMemo_Less->setPlainText(QStringLiteral("你的卡内余额已经少于") + SaleRules::PlainNumber(SysSet.LessMoney)
                                      + QStringLiteral("元,请充值!"));
    } else {
        RzEd_CardMoney->setText(QString::number(m_balance, 'f', 0));
        RzEd_CardSum->setText(QString::number(his, 'f', 0));
        RzLab_Money->setText(QStringLiteral("剩余次数："));
        RzLabel6->setText(QStringLiteral("累计次数："));
        RzBit_ExitGoods->setEnabled(false);
    }

    const QString today = Clock::now().toString(QStringLiteral("yyyy-MM-dd"));
    m_blocked = f("CurState").asString().trimmed() != QLatin1String("1")
             || (f("CardVailFlag").asBool() && f("cardVaildDate").asString() < today);
    if (m_blocked) {
        RzBit_Add->setEnabled(false);
        RzBit_ExitGoods->setEnabled(false);
        RzBit_ExChangeGoods->setEnabled(false);
        RzLab_NoUse->show();
    } else {
        RzLab_NoUse->hide();
        RzBit_Add->setEnabled(frm_DM->HasRight(QStringLiteral("08")));
        if (!RzBit_ExitGoods->isEnabled() && frm_DM->HasRight(QStringLiteral("10")) && m_kind != QLatin1String("3"))
            RzBit_ExitGoods->setEnabled(true);
        if (code == kNoCard)
            RzBit_ExChangeGoods->setEnabled(false);
        else if (!RzBit_ExChangeGoods->isEnabled() && frm_DM->HasRight(QStringLiteral("11")))
            RzBit_ExChangeGoods->setEnabled(true);
    }
    RzEd_Score->setText(QString::number(m_score));
    RzEd_State->setText(f("stateName").asString());
    ShowPhoto(f("MemberPhoto").asString().trimmed());
}

void TFrm_HYCost::ShowPhoto(const QString &file)
{
    const QString path = file.isEmpty() ? AppPath + QStringLiteral("default.jpg")
                                        : AppPath + QStringLiteral("Picture/") + file;
    QPixmap pix;
    if (QFile::exists(path) && pix.load(path))
        Image3->setPixmap(pix.scaled(Image3->size(), Qt::KeepAspectRatio, Qt::SmoothTransformation));
    else
        Image3->clear();
}

void TFrm_HYCost::LoadHistory(const QString &code)
{
    m_historyCode = code;
    db::Result r;
    try {
        r = Db().query(HistorySql(), {code});
    } catch (const db::DbError &) {
    }
    {
        const QSignalBlocker block(DBGridEh1);
        DBGridEh1->SetResult(r);
        DBGridEh1->SetCurrentRow(0);
    }
    HistoryRowChanged();
}

void TFrm_HYCost::HistoryRowChanged()
{
    db::Result lines;
    if (DBGridEh1->RowCount() > 0) {
        try {
            lines = Db().query(GoodsLinesSql(), {DBGridEh1->Value(QStringLiteral("CostID")).asString()});
        } catch (const db::DbError &) {
        }
    }
    DBGridEh2->SetResult(lines);
    UpdateExitGoodsState();
}

bool TFrm_HYCost::IsReturnRecord() const
{
    // Only stored-value returns carry the mark; a discount-card return shows by its
    // negative amount. Returning a return would book a sale.
    return DBGridEh1->Value(QStringLiteral("ifExitGoods")).asInt() == 1
           || DBGridEh1->Value(QStringLiteral("CostMoney")).asFloat() < 0;
}

void TFrm_HYCost::UpdateExitGoodsState()
{
    if (DBGridEh1->RowCount() > 0 && IsReturnRecord()) {
        RzBit_ExitGoods->setEnabled(false);
        return;
    }
    const bool cardAllows = !m_loaded || (!m_blocked && m_kind != QLatin1String("3"));
    RzBit_ExitGoods->setEnabled(frm_DM->HasRight(QStringLiteral("10")) && cardAllows);
}

void TFrm_HYCost::HistoryDoubleClicked(int row)
{
    const QString memo = DBGridEh1->Value(row, QStringLiteral("CostMemo")).asString();
    if (!memo.isEmpty())
        Messages::Show(memo, QApplication::applicationDisplayName(), Messages::Icon::None);
}

bool TFrm_HYCost::CheckCardChosen()
{
    if (!RzEd_CardID->text().isEmpty())
        return true;
    Messages::Info(QStringLiteral("请选择会员！"));
    RzEd_Query->setFocus();
    return false;
}

void TFrm_HYCost::RzBit_AddClick()
{
    if (!CheckCardChosen())
        return;
    if (SysSet.IfInputPW == QLatin1String("1") && !m_password.isEmpty()
        && !TFrm_PutOutPassWord::Ask(m_password, this))
        return;
    bool saved = false;
    if (m_kind != QLatin1String("3")) {
        QPointer<TFrm_CostCardMoney> dlg = new TFrm_CostCardMoney(this);
        dlg->CardCode = m_code;
        dlg->MemberRate = m_rateText == QStringLiteral("不打") ? QStringLiteral("1") : m_rateText;
        dlg->Balance = m_balance;
        dlg->MemberKind = m_kind;
        dlg->SumScoreBefore = double(m_sumScore);
        dlg->CanUpgrade = m_canUpgrade;
        dlg->LevelID = m_level;
        dlg->ReloadDeskHistory = [this] { LoadHistory(m_historyCode); };
        dlg->RzEd_CardID->setText(RzEd_CardID->text());
        dlg->RzEd_CardName->setText(RzEd_CardName->text());
        dlg->RzEd_CardMoney->setText(RzEd_CardMoney->text());
        dlg->RzEd_CardLevel->setText(RzEd_CardLevel->text());
        dlg->RzEd_CardSum->setText(RzEd_CardSum->text());
        Messages::Exec(dlg);
        saved = dlg && dlg->Saved;
        delete dlg;
    } else {
        QPointer<TFrm_CostCardCount> dlg = new TFrm_CostCardCount(this);
        dlg->CardCode = m_code;
        dlg->Balance = m_balance;
        dlg->ReloadDeskHistory = [this] { LoadHistory(m_historyCode); };
        dlg->RzEd_CardID->setText(RzEd_CardID->text());
        dlg->RzEd_CardName->setText(RzEd_CardName->text());
        dlg->RzEd_CardMoney->setText(RzEd_CardMoney->text());
        dlg->RzEd_CardSum->setText(RzEd_CardSum->text());
        Messages::Exec(dlg);
        saved = dlg && dlg->Saved;
        delete dlg;
    }
    if (saved)
        LoadCard(m_code);
}

void TFrm_HYCost::RzBit_ExitGoodsClick()
{
    if (!CheckCardChosen())
        return;
    if (DBGridEh1->RowCount() == 0) {
        Messages::Info(QStringLiteral("此会员没有消费，不能退货！"));
        return;
    }
    if (IsReturnRecord())
        return;
    QPointer<TFrm_CostCardMoney_Exit> dlg = new TFrm_CostCardMoney_Exit(this);
    dlg->CardCode = m_code;
    dlg->MemberKind = m_kind;
    dlg->RzEd_CardID->setText(RzEd_CardID->text());
    dlg->RzEd_CardName->setText(RzEd_CardName->text());
    dlg->RzEd_CardMoney->setText(RzEd_CardMoney->text());
    dlg->RzEd_CardLevel->setText(RzEd_CardLevel->text());
    dlg->RzEd_CardSum->setText(RzEd_CardSum->text());
    dlg->RzEd_CostDate->setText(
        FormatFieldText(DBGridEh1->Value(QStringLiteral("CostDate")), QStringLiteral("yyyy-MM-dd HH:mm:ss")));
    dlg->SaleCostID = DBGridEh1->Value(QStringLiteral("CostID")).asString();
    Messages::Exec(dlg);
    const bool saved = dlg && dlg->Saved;
    delete dlg;
    if (saved) {
        LoadCard(m_code);
        LoadHistory(m_historyCode);
    }
}

void TFrm_HYCost::RzBit_ExChangeGoodsClick()
{
    if (!CheckCardChosen())
        return;
    QPointer<TFrm_SocreExGoods> dlg = new TFrm_SocreExGoods(this);
    dlg->CardCode = m_code;
    dlg->MemberScore = m_score;
    dlg->RzEd_CardID->setText(RzEd_CardID->text());
    dlg->RzEd_CardName->setText(RzEd_CardName->text());
    dlg->RzEd_CardMoney->setText(QString::number(m_score));
    Messages::Exec(dlg);
    delete dlg;
    LoadCard(m_code);
}

void TFrm_HYCost::RzBit_ClearClick()
{
    LoadHistory(kNoCardId);
    for (QLineEdit *e : Body()->findChildren<QLineEdit *>())
        e->clear();
    ShowPhoto(QString());
    RzMemo_Less->clear();
    RzLab_NoUse->hide();
}

void TFrm_HYCost::NP_DeleteCostClick()
{
    if (DBGridEh1->RowCount() == 0 || DBGridEh1->CurrentRow() < 0)
        return;
    if (Messages::Show(QStringLiteral("你确定要删除当前消费吗？"), QStringLiteral("提示"), Messages::Icon::Question,
                       QMessageBox::Yes | QMessageBox::No)
        != QMessageBox::Yes)
        return;
    const QString costId = DBGridEh1->Value(QStringLiteral("CostID")).asString();
    const QString card = m_historyCode;
    const double money = DBGridEh1->Value(QStringLiteral("CostMoney")).asFloat();
    const double score = double(qint64(DBGridEh1->Value(QStringLiteral("CostScore")).asFloat()));
    const int ifMoney = int(DBGridEh1->Value(QStringLiteral("IfMoney")).asInt());
    const double cash = DBGridEh1->Value(QStringLiteral("XJJN")).asFloat();
    const bool returnRecord = DBGridEh1->Value(QStringLiteral("ifExitGoods")).asInt() == 1;
    try {
        db::Database &d = Db();
        db::Transaction tx(d);
        const db::Result lines =
            d.query(QStringLiteral("select * from T_GoodsCostDetailInfo   where CostID=?"), {costId});
        for (int i = 0; i < lines.rowCount(); ++i)
            d.exec(QStringLiteral("Update D_GoodsStore set GoodsCount=GoodsCount+? where GoodsID=?"),
                   {lines.value(i, QStringLiteral("GoodsCount")).asFloat(),
                    lines.value(i, QStringLiteral("GoodsId")).asString()});
        d.exec(QStringLiteral(" Delete from  T_GoodsCostDetailInfo   where CostID=?"), {costId});
        d.exec(QStringLiteral("Delete from  T_MemberCostInfo  where CostID=?"), {costId});
        QString logText;
        if (m_kind == QLatin1String("3")) {
            d.exec(QStringLiteral("Update T_MemberInfo set hisSumMoney=hisSumMoney-?,curMoney=curMoney+? where CodeID=?"),
                   {money, money, card});
            logText = QStringLiteral("删除消费信息 会员卡号：[%1],消费次数为：%2次").arg(card, SaleRules::PlainNumber(money));
        } else {
            if (m_kind == QLatin1String("1")) {
                d.exec(QStringLiteral("Update T_MemberInfo set hisSumMoney=hisSumMoney-?,memberScore=memberScore-? "
                                      "where CodeID=?"),
                       {money, score, card});
            } else if (ifMoney == 1 && !returnRecord) {
                // Paid in cash: the balance was never touched, the points were awarded.
                d.exec(QStringLiteral("Update T_MemberInfo set hisSumMoney=hisSumMoney-?,memberScore=memberScore-? "
                                      "where CodeID=?"),
                       {money, score, card});
            } else if (ifMoney == 2 && !returnRecord) {
                // Balance plus cash: only the card part goes back; the totals grew by the cash part.
                d.exec(QStringLiteral("Update T_MemberInfo set hisSumMoney=hisSumMoney-?,curMoney=curMoney+?,"
                                      "memberScore=memberScore-? where CodeID=?"),
                       {cash, SaleRules::RoundMoney(money - cash), score, card});
            } else {
                d.exec(QStringLiteral("Update T_MemberInfo set hisSumMoney=hisSumMoney-?,curMoney=curMoney+? where CodeID=?"),
                       {money, money, card});
            }
            logText = QStringLiteral("删除消费信息 会员卡号：[%1],消费金额为：%2元").arg(card, SaleRules::PlainNumber(money));
        }
        frm_DM->WriteLog(logText);
        tx.commit();
    } catch (const db::DbError &) {
        Messages::Error(QStringLiteral("删除消费失败！"));
        return;
    }
    LoadCard(m_code);
    LoadHistory(m_historyCode);
}
