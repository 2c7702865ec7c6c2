#include "Ut_SocreExGoods.h"
#include "PosUi.h"
#include "SaleRules.h"

#include "core/DBGridEh.h"
#include "core/DM.h"
#include "core/Messages.h"
#include "core/Routines.h"
#include "members/CardRules.h"

#include <QGridLayout>
#include <QGroupBox>
#include <QHBoxLayout>
#include <QSplitter>
#include <QVBoxLayout>

namespace {
const QString kNotEnough = QStringLiteral("您的会员积分不够，无法兑换！");
}

TFrm_SocreExGoods::TFrm_SocreExGoods(QWidget *parent) : TfrmDialog(parent)
{
    setObjectName(QStringLiteral("TFrm_SocreExGoods"));
    SetTitle(QStringLiteral("积分兑换商品"));
    setWindowTitle(QString());
    resize(820, 600);

    auto *root = new QVBoxLayout(Body());
    auto *card = new QGroupBox(QStringLiteral("会员卡信息"), Body());
    auto *ch = new QHBoxLayout(card);
    RzEd_CardID = PosUi::Edit(card, "RzEd_CardID", true);
    RzEd_CardName = PosUi::Edit(card, "RzEd_CardName", true);
    RzEd_CardMoney = PosUi::Edit(card, "RzEd_CardMoney", true);
    RzLab_Money = PosUi::Label(card, QStringLiteral("可用积分："), "RzLab_Money");
    ch->addWidget(PosUi::Label(card, QStringLiteral("卡号：")));
    ch->addWidget(RzEd_CardID);
    ch->addWidget(PosUi::Label(card, QStringLiteral("姓名：")));
    ch->addWidget(RzEd_CardName);
    ch->addWidget(RzLab_Money);
    ch->addWidget(RzEd_CardMoney);
    root->addWidget(card);

    auto *past = new QGroupBox(QStringLiteral("已兑换的商品"), Body());
    auto *pv = new QVBoxLayout(past);
    const auto right = Qt::AlignRight | Qt::AlignVCenter;
    DBGridEh2 = new DBGridEh(past);
    DBGridEh2->setObjectName(QStringLiteral("DBGridEh2"));
    DBGridEh2->SetColumns({
        {QStringLiteral("GoodsName"), QStringLiteral("兑换商品名称"), 160},
        {QStringLiteral("ExCount"), QStringLiteral("兑换数量"), 70, QString(), GridColumn::NoFooter, right},
        {QStringLiteral("Score"), QStringLiteral("所需兑换积分"), 90, QString(), GridColumn::NoFooter, right},
        {QStringLiteral("ExDate"), QStringLiteral("兑换日期"), 140, QStringLiteral("yyyy-MM-dd HH:mm:ss")},
    });
    pv->addWidget(DBGridEh2);
    root->addWidget(past, 2);

    auto *lower = new QGroupBox(Body());
    auto *lv = new QVBoxLayout(lower);
    auto *captions = new QHBoxLayout;
    captions->addWidget(PosUi::Label(lower, QStringLiteral("兑换清单")));
    captions->addStretch();
    captions->addWidget(PosUi::Label(lower, QStringLiteral("已选择的兑换商品")));
    lv->addLayout(captions);
    auto *filter = new QHBoxLayout;
    filter->addWidget(PosUi::Label(lower, QStringLiteral("商品编号或者名称")));
    Lab_Query = PosUi::Edit(lower, "Lab_Query");
    PosUi::UpperCaseInput(Lab_Query);
    filter->addWidget(Lab_Query);
    filter->addStretch();
    filter->addWidget(PosUi::Label(lower, QStringLiteral("兑换数量")));
    Lab_ExCount = PosUi::Edit(lower, "Lab_ExCount", false, 7);
    Lab_ExCount->setText(QStringLiteral("1"));
    Lab_ExCount->setMaximumWidth(70);
    AttachNumeric(Lab_ExCount, 2, 0);
    filter->addWidget(Lab_ExCount);
    RzBit_Modi = PosUi::Button(lower, "RzBit_Modi", QStringLiteral("修改"), QStringLiteral("修改兑换商品数量"));
    filter->addWidget(RzBit_Modi);
    lv->addLayout(filter);

    auto *split = new QSplitter(Qt::Horizontal, lower);
    DBGridEh1 = new DBGridEh(split);
    DBGridEh1->setObjectName(QStringLiteral("DBGridEh1"));
    DBGridEh1->SetColumns({
        {QStringLiteral("Code"), QStringLiteral("编号"), 70},
        {QStringLiteral("GoodsName"), QStringLiteral("兑换商品"), 140},
        {QStringLiteral("GoodsCount"), QStringLiteral("库存量"), 60, QString(), GridColumn::NoFooter, right},
        {QStringLiteral("ExScore"), QStringLiteral("所需积分"), 70, QString(), GridColumn::NoFooter, right},
    });
    // The move buttons sit in their own column that travels with the splitter.
    auto *mid = new QWidget(split);
    auto *mv = new QVBoxLayout(mid);
    RzBit_Right = PosUi::Button(mid, "RzBit_Right", QStringLiteral(">>"), QStringLiteral("增加兑换商品"));
    RzBit_Left = PosUi::Button(mid, "RzBit_Left", QStringLiteral("<<"), QStringLiteral("删除选择的兑换商品"));
    mv->addStretch();
    mv->addWidget(RzBit_Right);
    mv->addWidget(RzBit_Left);
    mv->addStretch();
    mid->setFixedWidth(60);
    DBGridEh3 = new DBGridEh(split);
    DBGridEh3->setObjectName(QStringLiteral("DBGridEh3"));
    DBGridEh3->SetColumns({
        {QStringLiteral("GoodsName"), QStringLiteral("兑换商品名称"), 140},
        {QStringLiteral("ExCount"), QStringLiteral("兑换数量"), 70, QString(), GridColumn::NoFooter, right},
        {QStringLiteral("Score"), QStringLiteral("所需积分"), 70, QString(), GridColumn::NoFooter, right},
    });
    lv->addWidget(split, 1);
    root->addWidget(lower, 3);

    RzBit_OK = PosUi::Button(Panel2, "RzBit_OK", QStringLiteral("确定兑换"), QStringLiteral("确定兑换商品"));
    qobject_cast<QHBoxLayout *>(Panel2->layout())->insertWidget(1, RzBit_OK);

    connect(Lab_Query, &QLineEdit::textChanged, this, &TFrm_SocreExGoods::Lab_QueryChange);
    connect(DBGridEh1, &DBGridEh::rowDoubleClicked, this, [this] { RzBit_RightClick(); });
    connect(DBGridEh3, &DBGridEh::rowDoubleClicked, this, [this] { RzBit_LeftClick(); });
    connect(RzBit_Right, &QPushButton::clicked, this, &TFrm_SocreExGoods::RzBit_RightClick);
    connect(RzBit_Left, &QPushButton::clicked, this, &TFrm_SocreExGoods::RzBit_LeftClick);
    connect(RzBit_Modi, &QPushButton::clicked, this, &TFrm_SocreExGoods::RzBit_ModiClick);
    connect(RzBit_OK, &QPushButton::clicked, this, &TFrm_SocreExGoods::RzBit_OKClick);
}

void TFrm_SocreExGoods::showEvent(QShowEvent *event)
{
    TfrmDialog::showEvent(event);
    if (m_started)
        return;
    m_started = true;
    m_score = MemberScore;
    LoadPastExchanges();
    Lab_QueryChange();
    ReloadList();
    SetAvailable(m_score - qint64(ListScore()));
}

double TFrm_SocreExGoods::ListScore() const
{
    return SaleRules::TextValue(QueryLines(
        ConnectionString, QStringLiteral("select IIf(isnull(sum(Score)),0,sum(Score)) from T_ScoreExGoodsTemp")));
}

void TFrm_SocreExGoods::SetAvailable(qint64 v)
{
    m_available = v;
    RzEd_CardMoney->setText(QString::number(v));
}

void TFrm_SocreExGoods::LoadPastExchanges()
{
    db::Result r;
    try {
        r = Db().query(QStringLiteral("select (select GoodsName from D_ExchangeGoods b where a.GoodsID=b.Code) as GoodsName,  "
                                      "ExCount,Score,ExDate from T_ScoreExGoods a where CardID=?"),
                       {CardCode});
    } catch (const db::DbError &) {
    }
    DBGridEh2->SetResult(r);
}

void TFrm_SocreExGoods::Lab_QueryChange()
{
    QString sql = QStringLiteral("select Code,GoodsName,GoodsSimple,GoodsCount,IIf(isnull(ExScore),0,ExScore) as ExScore  "
                                 "from D_ExchangeGoods where 1=1 ");
    QVariantList params;
    if (!Lab_Query->text().isEmpty()) {
        sql += QStringLiteral(" and (Code like ? or GoodsName like ? or GoodsSimple like ?)");
        const QString p = LikeContains(Lab_Query->text());
        params = {p, p, p};
    }
    db::Result r;
    try {
        r = Db().query(sql + QStringLiteral(" order by Code"), params);
    } catch (const db::DbError &) {
    }
    DBGridEh1->SetResult(r);
}

void TFrm_SocreExGoods::ReloadList()
{
    db::Result r;
    try {
        r = Db().query(QStringLiteral("select GoodsID,(select GoodsName from D_ExchangeGoods b where a.GoodsID=b.Code) as "
                                      "GoodsName, ExCount,Score,OneScore from T_ScoreExGoodsTemp a "));
    } catch (const db::DbError &) {
    }
    DBGridEh3->SetResult(r);
}

void TFrm_SocreExGoods::RzBit_RightClick()
{
    if (DBGridEh1->RowCount() == 0 || DBGridEh1->CurrentRow() < 0)
        return;
    const qint64 e = qint64(DBGridEh1->Value(QStringLiteral("ExScore")).asFloat());
    if (m_available < e) {
        Messages::Info(kNotEnough);
        return;
    }
    const QString code = DBGridEh1->Value(QStringLiteral("Code")).asString();
    SetAvailable(m_score - e - qint64(ListScore()));
    try {
        if (QueryExists(ConnectionString, QStringLiteral("select GoodsID from T_ScoreExGoodsTemp where GoodsID=?"), {code}))
            Db().exec(QStringLiteral("update  T_ScoreExGoodsTemp set ExCount=ExCount+1,Score=Score+? where GoodsID=?"),
                      {e, code});
        else
            Db().exec(QStringLiteral("Insert into T_ScoreExGoodsTemp(GoodsID,ExCount,Score,OneScore) values(?,1,?,?)"),
                      {code, e, e});
    } catch (const db::DbError &) {
    }
    ReloadList();
}

void TFrm_SocreExGoods::RzBit_ModiClick()
{
    if (DBGridEh3->RowCount() == 0 || DBGridEh3->CurrentRow() < 0)
        return;
    const qint64 n = SaleRules::TextValue(Lab_ExCount->text(), 1);
    const qint64 one = qint64(DBGridEh3->Value(QStringLiteral("OneScore")).asFloat());
    const qint64 d = one * (n - qint64(DBGridEh3->Value(QStringLiteral("ExCount")).asFloat()));
    if (m_available < d) {
        Messages::Info(kNotEnough);
        return;
    }
    SetAvailable(m_available - d);
    try {
        Db().exec(QStringLiteral("Update  T_ScoreExGoodsTemp  set ExCount=?,Score=? where GoodsID=?"),
                  {n, n * one, DBGridEh3->Value(QStringLiteral("GoodsID")).asString()});
    } catch (const db::DbError &) {
    }
    ReloadList();
}

void TFrm_SocreExGoods::RzBit_LeftClick()
{
    if (DBGridEh3->RowCount() == 0 || DBGridEh3->CurrentRow() < 0)
        return;
    SetAvailable(m_available + qint64(DBGridEh3->Value(QStringLiteral("Score")).asFloat()));
    try {
        Db().exec(QStringLiteral("Delete from  T_ScoreExGoodsTemp  where GoodsID=?"),
                  {DBGridEh3->Value(QStringLiteral("GoodsID")).asString()});
    } catch (const db::DbError &) {
    }
    ReloadList();
}

void TFrm_SocreExGoods::RzBit_OKClick()
{
    if (DBGridEh3->RowCount() == 0)
        return;
    if (!Messages::Ask(QStringLiteral("你确定要兑换当前商品吗?")))
        return;
    const qint64 total = qint64(ListScore());
    if (m_score < total) {
        Messages::Info(kNotEnough);
        return;
    }
    try {
        db::Database &d = Db();
        db::Transaction tx(d);
        const db::Result list = d.query(QStringLiteral("select * from T_ScoreExGoodsTemp"));
        for (int i = 0; i < list.rowCount(); ++i) {
            const QString goods = list.value(i, QStringLiteral("GoodsID")).asString();
            const double count = list.value(i, QStringLiteral("ExCount")).asFloat();
            d.exec(QStringLiteral("Insert into T_ScoreExGoods(cardID,GoodsID,ExCount,Score,ExDate,UserMan) "
                                  "values(?,?,?,?,Now(),?)"),
                   {CardCode, goods, count, list.value(i, QStringLiteral("Score")).asFloat(), CurUserCode});
            d.exec(QStringLiteral("Update D_ExchangeGoods set GoodsCount=GoodsCount-? where Code=?"), {count, goods});
        }
        d.exec(QStringLiteral("Update T_MemberInfo set memberScore=? where CodeID=?"), {m_score - total, CardCode});
        d.exec(QStringLiteral("Delete from T_ScoreExGoodsTemp"));
        tx.commit();
    } catch (const db::DbError &) {
        Messages::Error(QStringLiteral("积分兑换失败！"));
        return;
    }
    m_score -= total;
    SetAvailable(m_score);
    Lab_QueryChange();
    LoadPastExchanges();
    ReloadList();
}

void TFrm_SocreExGoods::done(int r)
{
    m_list.Empty();
    TfrmDialog::done(r);
}
