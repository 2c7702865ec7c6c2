#include "Ut_GoodsSet.h"
#include "GoodsRules.h"
#include "Ut_GoodsAdd.h"
#include "Ut_GoodsBuySale.h"

#include "core/DBGridEh.h"
#include "core/DM.h"
#include "core/Messages.h"
#include "core/Routines.h"

#include <QComboBox>
#include <QGridLayout>
#include <QGroupBox>
#include <QHBoxLayout>
#include <QLabel>
#include <QLineEdit>
#include <QPushButton>
#include <QVBoxLayout>

namespace {

const QString kAllKinds = QStringLiteral("9999");

QPushButton *makeButton(QWidget *parent, const char *name, const char *text, const char *hint)
{
    auto *b = new QPushButton(QString::fromUtf8(text), parent);
    b->setObjectName(QLatin1String(name));
    b->setToolTip(QString::fromUtf8(hint));
    b->setMinimumSize(64, 26);
    return b;
}

// Edits in a two-column label/edit grid, then a row of buttons.
QVBoxLayout *editPanel(QWidget *box, DBGridEh *grid, const QList<std::pair<const char *, QLineEdit *>> &edits,
                       const QList<QPushButton *> &buttons)
{
    auto *v = new QVBoxLayout(box);
    v->addWidget(grid, 1);
    auto *g = new QGridLayout;
    int i = 0;
    for (const auto &[label, edit] : edits) {
        g->addWidget(new QLabel(QString::fromUtf8(label), box), i / 2, (i % 2) * 2);
        g->addWidget(edit, i / 2, (i % 2) * 2 + 1);
        ++i;
    }
    v->addLayout(g);
    auto *h = new QHBoxLayout;
    h->addStretch();
    for (QPushButton *b : buttons)
        h->addWidget(b);
    v->addLayout(h);
    return v;
}

db::Result openOrEmpty(const QString &sql, const QVariantList &params = {})
{
    try {
        return Db().query(sql, params);
    } catch (const db::DbError &) {
        return {};
    }
}


} // namespace

TFrm_GoodsSet::TFrm_GoodsSet(QWidget *parent) : TfrmDialog(parent)
{
    setObjectName(QStringLiteral("TFrm_GoodsSet"));
    SetTitle(QStringLiteral("商品设置"));
    SetChildScreen(true);
    Panel2->hide();

    QWidget *body = Body();
    auto *layout = new QVBoxLayout(body);
    layout->setContentsMargins(8, 8, 8, 8);
    auto *top = new QHBoxLayout;
    layout->addLayout(top, 2);

    // Categories.
    RzGroupBox1 = new QGroupBox(QStringLiteral("商品类别设置"), body);
    RzGroupBox1->setObjectName(QStringLiteral("RzGroupBox1"));
    DBGridEh1 = new DBGridEh(RzGroupBox1);
    DBGridEh1->setObjectName(QStringLiteral("DBGridEh1"));
    DBGridEh1->SetColumns({{QStringLiteral("KindID"), QStringLiteral("商品类别编号"), 110},
                           {QStringLiteral("KindName"), QStringLiteral("商品类别名称"), 160}});
    RzDBEdit1 = NewLineEdit(RzGroupBox1, QStringLiteral("RzDBEdit1"));
    RzDBEdit2 = NewLineEdit(RzGroupBox1, QStringLiteral("RzDBEdit2"));
    RzBit_add = makeButton(RzGroupBox1, "RzBit_add", "增加", "增加商品类别");
    RzBit_Save1 = makeButton(RzGroupBox1, "RzBit_Save1", "保存", "保存商品类别");
    RzBit_Cancel1 = makeButton(RzGroupBox1, "RzBit_Cancel1", "取消", "取消编辑商品类别");
    RzBit_Delete = makeButton(RzGroupBox1, "RzBit_Delete", "删除", "删除商品类别");
    editPanel(RzGroupBox1, DBGridEh1, {{"商品类别编号", RzDBEdit1}, {"商品类别名称", RzDBEdit2}},
              {RzBit_add, RzBit_Save1, RzBit_Cancel1, RzBit_Delete});
    top->addWidget(RzGroupBox1, 1);

    // Gifts.
    RzGroupBox2 = new QGroupBox(QStringLiteral("兑换商品设置"), body);
    RzGroupBox2->setObjectName(QStringLiteral("RzGroupBox2"));
    DBGridEh2 = new DBGridEh(RzGroupBox2);
    DBGridEh2->setObjectName(QStringLiteral("DBGridEh2"));
    DBGridEh2->SetColumns({{QStringLiteral("Code"), QStringLiteral("兑换编号"), 90},
                           {QStringLiteral("GoodsName"), QStringLiteral("兑换商品名称"), 150},
                           {QStringLiteral("GoodsCount"), QStringLiteral("现有数量"), 80},
                           {QStringLiteral("ExScore"), QStringLiteral("所需兑换积分"), 90}});
    RzDBEdit3 = NewLineEdit(RzGroupBox2, QStringLiteral("RzDBEdit3"));
    RzDBEdit4 = NewLineEdit(RzGroupBox2, QStringLiteral("RzDBEdit4"));
    RzDBEdit5 = NewLineEdit(RzGroupBox2, QStringLiteral("RzDBEdit5"));
    RzDBEdit6 = NewLineEdit(RzGroupBox2, QStringLiteral("RzDBEdit6"));
    for (QLineEdit *e : {RzDBEdit5, RzDBEdit6}) {
        e->setMaxLength(7);
        InstallKeyFilter(e, 2, 0);
    }
    RzBitBtn1 = makeButton(RzGroupBox2, "RzBitBtn1", "增加", "增加兑换商品");
    RzBitBtn2 = makeButton(RzGroupBox2, "RzBitBtn2", "保存", "保存兑换商品");
    RzBitBtn4 = makeButton(RzGroupBox2, "RzBitBtn4", "取消", "取消编辑兑换商品");
    RzBitBtn3 = makeButton(RzGroupBox2, "RzBitBtn3", "删除", "删除兑换商品");
    editPanel(RzGroupBox2, DBGridEh2,
              {{"兑换编号", RzDBEdit3}, {"商品名称", RzDBEdit4}, {"现有数量", RzDBEdit5}, {"所需积分", RzDBEdit6}},
              {RzBitBtn1, RzBitBtn2, RzBitBtn4, RzBitBtn3});
    top->addWidget(RzGroupBox2, 1);

    // Goods.
    RzGroupBox3 = new QGroupBox(QStringLiteral("商品管理"), body);
    RzGroupBox3->setObjectName(QStringLiteral("RzGroupBox3"));
    auto *goods = new QVBoxLayout(RzGroupBox3);
    DBGridEh3 = new DBGridEh(RzGroupBox3);
    DBGridEh3->setObjectName(QStringLiteral("DBGridEh3"));
    DBGridEh3->setToolTip(QStringLiteral("双击可以修改当前商品"));
    const auto right = Qt::AlignRight | Qt::AlignVCenter;
    DBGridEh3->SetColumns({{QStringLiteral("GoodsID"), QStringLiteral("商品编号"), 110},
                           {QStringLiteral("GoodsKind1"), QStringLiteral("商品种类"), 100},
                           {QStringLiteral("GoodsName"), QStringLiteral("商品名称"), 180},
                           {QStringLiteral("GoodsUnit"), QStringLiteral("商品单位"), 70},
                           {QStringLiteral("BuyPrice"), QStringLiteral("进货价格"), 80, QStringLiteral("0.00"),
                            GridColumn::NoFooter, right},
                           {QStringLiteral("SalePrice"), QStringLiteral("出售价格"), 80, QStringLiteral("0.00"),
                            GridColumn::NoFooter, right},
                           {QStringLiteral("GoodsCount"), QStringLiteral("库存数量"), 80, {}, GridColumn::NoFooter, right},
                           {QStringLiteral("GoodsDisc"), QStringLiteral("打折率"), 70, {}, GridColumn::NoFooter, right}});
    goods->addWidget(DBGridEh3, 1);
    auto *bar = new QHBoxLayout;
    bar->addWidget(new QLabel(QStringLiteral("商品类别"), RzGroupBox3));
    RzComb_QueryKind = new QComboBox(RzGroupBox3);
    RzComb_QueryKind->setObjectName(QStringLiteral("RzComb_QueryKind"));
    RzComb_QueryKind->setMinimumWidth(140);
    bar->addWidget(RzComb_QueryKind);
    bar->addWidget(new QLabel(QStringLiteral("商品编号或者编号"), RzGroupBox3));
    RzEd_QueryBH = NewLineEdit(RzGroupBox3, QStringLiteral("RzEd_QueryBH"));
    RzEd_QueryBH->setMinimumWidth(160);
    bar->addWidget(RzEd_QueryBH);
    bar->addStretch();
    RzGoods_Add = makeButton(RzGroupBox3, "RzGoods_Add", "增加", "增加商品");
    RzBit_GoodsModi = makeButton(RzGroupBox3, "RzBit_GoodsModi", "修改", "修改当前商品");
    RzBitBtn5 = makeButton(RzGroupBox3, "RzBitBtn5", "进退货", "进退货添加");
    RzBitBtn7 = makeButton(RzGroupBox3, "RzBitBtn7", "删除", "删除当前商品");
    for (QPushButton *b : {RzGoods_Add, RzBit_GoodsModi, RzBitBtn5, RzBitBtn7})
        bar->addWidget(b);
    goods->addLayout(bar);
    layout->addWidget(RzGroupBox3, 3);

    // Categories: begin of editing, buttons, row moves.
    m_kinds.grid = DBGridEh1;
    m_kinds.keyField = QStringLiteral("KindID");
    for (QLineEdit *e : {RzDBEdit1, RzDBEdit2})
        connect(e, &QLineEdit::textEdited, this, [this] { m_kinds.BeginEditing(); });
    connect(DBGridEh1, &DBGridEh::currentRowChanged, this, [this] { KindRowChanged(); });
    connect(RzBit_add, &QPushButton::clicked, this, &TFrm_GoodsSet::RzBit_addClick);
    connect(RzBit_Save1, &QPushButton::clicked, this, [this] { PostKind(); });
    connect(RzBit_Cancel1, &QPushButton::clicked, this, &TFrm_GoodsSet::CancelKind);
    connect(RzBit_Delete, &QPushButton::clicked, this, &TFrm_GoodsSet::RzBit_DeleteClick);

    // Gifts.
    m_gifts.grid = DBGridEh2;
    m_gifts.keyField = QStringLiteral("Code");
    for (QLineEdit *e : {RzDBEdit3, RzDBEdit4, RzDBEdit5, RzDBEdit6})
        connect(e, &QLineEdit::textEdited, this, [this] { m_gifts.BeginEditing(); });
    connect(DBGridEh2, &DBGridEh::currentRowChanged, this, [this] { GiftRowChanged(); });
    connect(RzBitBtn1, &QPushButton::clicked, this, &TFrm_GoodsSet::RzBitBtn1Click);
    connect(RzBitBtn2, &QPushButton::clicked, this, [this] { PostGift(); });
    connect(RzBitBtn4, &QPushButton::clicked, this, &TFrm_GoodsSet::CancelGift);
    connect(RzBitBtn3, &QPushButton::clicked, this, &TFrm_GoodsSet::RzBitBtn3Click);

    // Goods.
    connect(RzEd_QueryBH, &QLineEdit::textChanged, this, [this](const QString &text) {
        const QString upper = text.toUpper();
        if (upper != text) {
            const int pos = RzEd_QueryBH->cursorPosition();
            RzEd_QueryBH->setText(upper);   // comes back here once more and searches
            RzEd_QueryBH->setCursorPosition(pos);
            return;
        }
        QueryGoods();
    });
    connect(RzComb_QueryKind, &QComboBox::currentIndexChanged, this, [this] { QueryGoods(); });
    connect(RzGoods_Add, &QPushButton::clicked, this, &TFrm_GoodsSet::RzGoods_AddClick);
    connect(RzBit_GoodsModi, &QPushButton::clicked, this, &TFrm_GoodsSet::RzBit_GoodsModiClick);
    connect(DBGridEh3, &DBGridEh::rowDoubleClicked, this, [this] { RzBit_GoodsModiClick(); });
    connect(RzBitBtn5, &QPushButton::clicked, this, &TFrm_GoodsSet::RzBitBtn5Click);
    connect(RzBitBtn7, &QPushButton::clicked, this, &TFrm_GoodsSet::RzBitBtn7Click);
}

void TFrm_GoodsSet::showEvent(QShowEvent *event)
{
    TfrmDialog::showEvent(event);
    if (!m_shown)
        FormShow();
}

void TFrm_GoodsSet::FormShow()
{
    m_shown = true;
    OpenKinds();
    ReloadGoods();
    OpenGifts();
    FillKindFilter();
}

// ---- lists edited in place ----------------------------------------------------------

void TFrm_GoodsSet::InPlaceList::SetState(EditState s)
{
    state = s;
    // The grid holds its row while a row is being edited.
    grid->setEnabled(s == Browse);
}

void TFrm_GoodsSet::InPlaceList::BeginEditing()
{
    if (state != Browse)
        return;
    if (grid->CurrentRow() < 0) {
        SetState(Insert);
        return;
    }
    editCode = grid->Value(keyField).asString().trimmed();
    SetState(Edit);
}

void TFrm_GoodsSet::InPlaceList::Open(const QString &sql, const QString &selectCode)
{
    grid->SetResult(openOrEmpty(sql));
    SetState(Browse);
    int row = grid->RowCount() > 0 ? 0 : -1;
    for (int r = 0; !selectCode.isEmpty() && r < grid->RowCount(); ++r)
        if (grid->Value(r, keyField).asString().trimmed().compare(selectCode, Qt::CaseInsensitive) == 0) {
            row = r;
            break;
        }
    grid->SetCurrentRow(row);
}

// ---- categories -----------------------------------------------------------------

void TFrm_GoodsSet::OpenKinds(const QString &selectCode)
{
    m_kinds.Open(QStringLiteral("select * from D_GoodsKind "), selectCode);
    KindRowChanged();
}

void TFrm_GoodsSet::KindRowChanged()
{
    if (m_kinds.state != Browse)
        return;
    const bool hasRow = DBGridEh1->CurrentRow() >= 0;
    RzDBEdit1->setText(hasRow ? DBGridEh1->Value(QStringLiteral("KindID")).asString() : QString());
    RzDBEdit2->setText(hasRow ? DBGridEh1->Value(QStringLiteral("KindName")).asString() : QString());
    const bool builtIn = hasRow && DBGridEh1->Value(QStringLiteral("SysSet")).asInt() == 1;
    for (QWidget *w : {static_cast<QWidget *>(RzBit_Delete), static_cast<QWidget *>(RzDBEdit1),
                       static_cast<QWidget *>(RzDBEdit2)})
        w->setEnabled(!builtIn);
}

void TFrm_GoodsSet::FillKindFilter()
{
    // Refilling selects "all" again without running the goods filter.
    const QSignalBlocker block(RzComb_QueryKind);
    FillCombo(ConnectionString, QStringLiteral("select KindID,KindName from D_GoodsKind"), RzComb_QueryKind);
    RzComb_QueryKind->insertItem(0, QStringLiteral("--所有类别--"), kAllKinds);
    RzComb_QueryKind->setCurrentIndex(0);
}

void TFrm_GoodsSet::RzBit_addClick()
{
    if (m_kinds.state != Browse)
        CancelKind();
    m_kinds.SetState(Insert);
    RzDBEdit1->clear();
    RzDBEdit2->clear();
    // A fresh row is never built in.
    for (QWidget *w : {static_cast<QWidget *>(RzBit_Delete), static_cast<QWidget *>(RzDBEdit1),
                       static_cast<QWidget *>(RzDBEdit2)})
        w->setEnabled(true);
    RzDBEdit1->setFocus();
}

bool TFrm_GoodsSet::PostKind()
{
    if (m_kinds.state == Browse)
        return true;
    const QString code = RzDBEdit1->text().trimmed();
    const QString name = RzDBEdit2->text().trimmed();
    if (code.isEmpty()) {
        Messages::Warn(QStringLiteral("\"种类编号\"不能为空！"));
        RzDBEdit1->setFocus();
        return false;
    }
    if (name.isEmpty()) {
        Messages::Warn(QStringLiteral("\"商品类别\"不能为空！"));
        RzDBEdit2->setFocus();
        return false;
    }
    const bool codeChanged = m_kinds.state == Insert || code.compare(m_kinds.editCode, Qt::CaseInsensitive) != 0;
    if (codeChanged && QueryExists(ConnectionString, QStringLiteral("Select KindID from D_GoodsKind where KindID=?"), {code})) {
        Messages::Warn(QStringLiteral("你输入的商品种类编号已经存在，请再输入一个！"));
        RzDBEdit1->setFocus();
        return false;
    }
    db::Database &d = Db();
    try {
        db::Transaction tx(d);
        if (m_kinds.state == Insert) {
            d.exec(QStringLiteral("Insert into D_GoodsKind(KindID,KindName,SysSet) values(?,?,0)"), {code, name});
        } else {
            d.exec(QStringLiteral("update D_GoodsKind set KindID=?,KindName=? where KindID=?"), {code, name, m_kinds.editCode});
            // Goods keep their category when its code changes.
            if (codeChanged)
                d.exec(QStringLiteral("update D_GoodsStore set goodsKind=? where goodsKind=?"), {code, m_kinds.editCode});
        }
        tx.commit();
    } catch (const db::DbError &e) {
        Messages::Error(e.text());
        return false;
    }
    OpenKinds(code);
    FillKindFilter();
    if (codeChanged)
        QueryGoods();
    return true;
}

void TFrm_GoodsSet::CancelKind()
{
    m_kinds.SetState(Browse);
    KindRowChanged();
}

void TFrm_GoodsSet::RzBit_DeleteClick()
{
    if (m_kinds.state == Insert) {
        CancelKind();
        return;
    }
    if (DBGridEh1->CurrentRow() < 0)
        return;
    const QString code = DBGridEh1->Value(QStringLiteral("KindID")).asString().trimmed();
    if (QueryExists(ConnectionString, QStringLiteral("Select goodsKind from D_GoodsStore where goodsKind=?"), {code})) {
        Messages::Info(QStringLiteral("商品类别不能删除！商品库存中有此类别的商品！"));
        return;
    }
    if (!Messages::Ask(QStringLiteral("你确定要删除此商品种类吗？"), Messages::Icon::Information, QMessageBox::No))
        return;
    try {
        Db().exec(QStringLiteral("delete from D_GoodsKind where KindID=?"), {code});
    } catch (const db::DbError &e) {
        Messages::Error(e.text());
        return;
    }
    OpenKinds();
    FillKindFilter();
}

// ---- gifts ----------------------------------------------------------------------

void TFrm_GoodsSet::OpenGifts(const QString &selectCode)
{
    m_gifts.Open(QStringLiteral("select * from D_ExchangeGoods "), selectCode);
    GiftRowChanged();
}

void TFrm_GoodsSet::GiftRowChanged()
{
    if (m_gifts.state != Browse)
        return;
    const bool hasRow = DBGridEh2->CurrentRow() >= 0;
    auto value = [&](const char *field) {
        return hasRow ? DBGridEh2->Value(QLatin1String(field)).asString() : QString();
    };
    RzDBEdit3->setText(value("Code"));
    RzDBEdit4->setText(value("GoodsName"));
    RzDBEdit5->setText(value("GoodsCount"));
    RzDBEdit6->setText(value("ExScore"));
}

void TFrm_GoodsSet::RzBitBtn1Click()
{
    if (m_gifts.state != Browse)
        CancelGift();
    m_gifts.SetState(Insert);
    for (QLineEdit *e : {RzDBEdit3, RzDBEdit4, RzDBEdit5, RzDBEdit6})
        e->clear();
    RzDBEdit3->setFocus();
}

bool TFrm_GoodsSet::PostGift()
{
    if (m_gifts.state == Browse)
        return true;
    const QString code = RzDBEdit3->text().trimmed();
    const QString name = RzDBEdit4->text().trimmed();
    for (QLineEdit *e : {RzDBEdit3, RzDBEdit4, RzDBEdit5, RzDBEdit6})
        if (e->text().trimmed().isEmpty()) {
            Messages::Warn(QStringLiteral("兑换编号、商品名称、现有数量、所需积分 都不能为空！"));
            RzDBEdit3->setFocus();
            return false;
        }
    const bool codeChanged = m_gifts.state == Insert || code.compare(m_gifts.editCode, Qt::CaseInsensitive) != 0;
    if (codeChanged && QueryExists(ConnectionString, QStringLiteral("Select Code from D_ExchangeGoods where code=?"), {code})) {
        Messages::Warn(QStringLiteral("你输入的兑换编号已经存在，请再输入一个！"));
        RzDBEdit3->setFocus();
        return false;
    }
    const QVariantList values{code, name, SpellCode(name), EditNumber(RzDBEdit5->text()), EditNumber(RzDBEdit6->text())};
    try {
        if (m_gifts.state == Insert)
            Db().exec(QStringLiteral("Insert into D_ExchangeGoods(Code,GoodsName,GoodsSimple,GoodsCount,ExScore) values(?,?,?,?,?)"),
                      values);
        else
            Db().exec(QStringLiteral("update D_ExchangeGoods set Code=?,GoodsName=?,GoodsSimple=?,GoodsCount=?,ExScore=? where Code=?"),
                      values + QVariantList{m_gifts.editCode});
    } catch (const db::DbError &e) {
        Messages::Error(e.text());
        return false;
    }
    OpenGifts(code);
    return true;
}

void TFrm_GoodsSet::CancelGift()
{
    m_gifts.SetState(Browse);
    GiftRowChanged();
}

void TFrm_GoodsSet::RzBitBtn3Click()
{
    if (m_gifts.state == Insert) {
        CancelGift();
        return;
    }
    if (DBGridEh2->CurrentRow() < 0)
        return;
    if (!Messages::Ask(QStringLiteral("你确定要删除此兑换商品种类吗？"), Messages::Icon::Information, QMessageBox::No))
        return;
    try {
        Db().exec(QStringLiteral("delete from D_ExchangeGoods where Code=?"),
                  {DBGridEh2->Value(QStringLiteral("Code")).asString()});
    } catch (const db::DbError &e) {
        Messages::Error(e.text());
        return;
    }
    OpenGifts();
}

// ---- goods ----------------------------------------------------------------------

void TFrm_GoodsSet::QueryGoods()
{
    const BoundSql s = GoodsListSql(ComboValue(RzComb_QueryKind), RzEd_QueryBH->text());
    DBGridEh3->SetResult(openOrEmpty(s.sql, s.params));
}

void TFrm_GoodsSet::ReloadGoods()
{
    DBGridEh3->SetResult(openOrEmpty(GoodsListStatement()));
}

void TFrm_GoodsSet::RzGoods_AddClick()
{
    TFrm_GoodsAdd editor(this);
    editor.GoodsMode = 0;
    Messages::Exec(&editor);
    if (editor.Saved)
        ReloadGoods();
}

void TFrm_GoodsSet::RzBit_GoodsModiClick()
{
    if (DBGridEh3->CurrentRow() < 0) {
        Messages::Info(QStringLiteral("没有可以修改的商品！"));
        return;
    }
    auto text = [&](const char *field) { return DBGridEh3->Value(QLatin1String(field)).asString(); };
    TFrm_GoodsAdd editor(this);
    editor.GoodsMode = 1;
    editor.OldGoodsID = text("GoodsID").trimmed();
    editor.OldKindID = text("GoodsKind").trimmed();
    editor.RzEd_GoodsID->setText(text("GoodsID").trimmed());
    editor.RzEd_GoodsName->setText(text("GoodsName"));
    editor.RzEd_GoodsUnit->setText(text("GoodsUnit"));
    editor.RzEd_GoodsBuy->setText(text("BuyPrice"));
    editor.RzEd_GoodsSale->setText(text("SalePrice"));
    editor.RzEd_GoodsCount->setText(text("GoodsCount"));
    editor.RzEd_GoodsDisc->setText(text("GoodsDisc"));
    Messages::Exec(&editor);
    if (editor.Saved)
        ReloadGoods();
}

void TFrm_GoodsSet::RzBitBtn5Click()
{
    if (DBGridEh3->CurrentRow() < 0) {
        Messages::Info(QStringLiteral("没有可以进退/货的商品！"));
        return;
    }
    auto text = [&](const char *field) { return DBGridEh3->Value(QLatin1String(field)).asString(); };
    TFrm_GoodsBuySale dialog(this);
    dialog.RzEdit1->setText(text("GoodsID"));
    dialog.RzEdit2->setText(text("GoodsName"));
    dialog.RzEdit3->setText(text("GoodsCount"));
    dialog.RzEdit4->setText(text("BuyPrice"));
    dialog.RzEd_Count->setText(QStringLiteral("0"));
    Messages::Exec(&dialog);
    if (dialog.Saved)
        ReloadGoods();
}

void TFrm_GoodsSet::RzBitBtn7Click()
{
    if (DBGridEh3->CurrentRow() < 0)
        return;
    const QString code = DBGridEh3->Value(QStringLiteral("GoodsID")).asString().trimmed();
    if (QueryExists(ConnectionString, QStringLiteral(" select GoodsID from T_GoodsCostDetailInfo where GoodsId=?"), {code})
        && Messages::Show(QStringLiteral("此商品已售出过,如果删除,则原售出商品记录名称将为空！"), QStringLiteral("警告"),
                          Messages::Icon::Warning, QMessageBox::Yes | QMessageBox::No) != QMessageBox::Yes)
        return;
    if (!Messages::Ask(QStringLiteral("你确定要删除当前商品列吗？"), Messages::Icon::Question, QMessageBox::No))
        return;
    try {
        Db().exec(QStringLiteral("delete from D_GoodsStore where GoodsID=?"), {code});
    } catch (const db::DbError &e) {
        Messages::Error(e.text());
        return;
    }
    QueryGoods();
}
