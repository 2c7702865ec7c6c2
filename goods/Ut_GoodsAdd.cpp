#include "Ut_GoodsAdd.h"
#include "GoodsRules.h"

#include "core/DM.h"
#include "core/Messages.h"
#include "core/Routines.h"

#include <QComboBox>
#include <QGridLayout>
#include <QLabel>
#include <QLineEdit>
#include <QPlainTextEdit>
#include <QPushButton>
#include <QVBoxLayout>

namespace {
const char *kMemoLines[] = {
    " 注“最低折扣”：比如面包这个商品我们设置 “最低折扣”为8折，",
    "那么不同人消费这个面包折扣会有所不同，比如普通会员消费打9折，",
    "那么普通会员消费面包就打9折。高级会员打折属性是7折，那么当他",
    "消费这面包时，7折小于最低折扣8折，那么会按照8折执行。 如果最",
    "低折扣是1，那么所有会员消费这个商品都不再打折，这样设置适合",
    "特价商品的情况。如果最低折扣是0，那么此商品的实际折扣按照会",
    "员折扣来确定。(0.8及为打八折)",
};

const QString kAllKinds = QStringLiteral("9999");
} // namespace

TFrm_GoodsAdd::TFrm_GoodsAdd(QWidget *parent) : TfrmDialog(parent)
{
    setObjectName(QStringLiteral("TFrm_GoodsAdd"));
    SetTitle(QStringLiteral("商品库存管理"));
    setWindowTitle(QStringLiteral("商品管理"));
    setWindowFlags(Qt::Dialog | Qt::MSWindowsFixedSizeDialogHint | Qt::WindowCloseButtonHint);

    QWidget *body = Body();
    auto *layout = new QVBoxLayout(body);
    layout->setContentsMargins(16, 12, 16, 8);
    auto *grid = new QGridLayout;
    layout->addLayout(grid);

    RzCmb_Kind = new QComboBox(body);
    RzCmb_Kind->setObjectName(QStringLiteral("RzCmb_Kind"));
    RzEd_GoodsID = NewLineEdit(body, QStringLiteral("RzEd_GoodsID"), 20);
    RzEd_GoodsName = NewLineEdit(body, QStringLiteral("RzEd_GoodsName"), 40);
    RzEd_GoodsUnit = NewLineEdit(body, QStringLiteral("RzEd_GoodsUnit"), 20);
    RzEd_GoodsBuy = NewLineEdit(body, QStringLiteral("RzEd_GoodsBuy"), 7);
    RzEd_GoodsSale = NewLineEdit(body, QStringLiteral("RzEd_GoodsSale"), 7);
    RzEd_GoodsCount = NewLineEdit(body, QStringLiteral("RzEd_GoodsCount"), 7);
    RzEd_GoodsDisc = NewLineEdit(body, QStringLiteral("RzEd_GoodsDisc"), 7);

    const struct {
        const char *label;
        QWidget *control;
    } rows[] = {
        {"商品种类：", RzCmb_Kind},       {"商品编号：", RzEd_GoodsID},   {"商品名称：", RzEd_GoodsName},
        {"单位：", RzEd_GoodsUnit},       {"进货价格：", RzEd_GoodsBuy},  {"出售价格：", RzEd_GoodsSale},
        {"商品数量：", RzEd_GoodsCount},  {"最低折扣：", RzEd_GoodsDisc},
    };
    int r = 0;
    for (const auto &row : rows) {
        auto *label = new QLabel(QString::fromUtf8(row.label), body);
        label->setAlignment(Qt::AlignRight | Qt::AlignVCenter);
        grid->addWidget(label, r / 2, (r % 2) * 2);
        grid->addWidget(row.control, r / 2, (r % 2) * 2 + 1);
        ++r;
    }

    for (QLineEdit *e : {RzEd_GoodsBuy, RzEd_GoodsSale, RzEd_GoodsCount, RzEd_GoodsDisc})
        AttachNumeric(e, 3, 2);
    for (QLineEdit *e : {RzEd_GoodsBuy, RzEd_GoodsSale, RzEd_GoodsCount})
        FillWhenLeftEmpty(e, QStringLiteral("0"));
    connect(RzEd_GoodsDisc, &QLineEdit::editingFinished, this, &TFrm_GoodsAdd::RzEd_GoodsDiscExit);

    RzMemo1 = new QPlainTextEdit(body);
    RzMemo1->setObjectName(QStringLiteral("RzMemo1"));
    QStringList memo;
    for (const char *line : kMemoLines)
        memo << QString::fromUtf8(line);
    RzMemo1->setPlainText(memo.join(QLatin1Char('\n')));
    RzMemo1->setReadOnly(true);
    RzMemo1->setEnabled(false);
    RzMemo1->setLineWrapMode(QPlainTextEdit::NoWrap);
    RzMemo1->setVerticalScrollBarPolicy(Qt::ScrollBarAlwaysOff);
    RzMemo1->setHorizontalScrollBarPolicy(Qt::ScrollBarAlwaysOff);
    RzMemo1->setFixedHeight(136);
    layout->addWidget(RzMemo1);

    // The save button sits beside the inherited exit button.
    RzBit_Save = AddBottomButton(QStringLiteral("RzBit_Save"), QStringLiteral("保存"), QStringLiteral("保存当前商品信息"));
    connect(RzBit_Save, &QPushButton::clicked, this, &TFrm_GoodsAdd::RzBit_SaveClick);
    resize(540, 350);
}

void TFrm_GoodsAdd::showEvent(QShowEvent *event)
{
    Saved = false;
    TfrmDialog::showEvent(event);
    FillCombo(ConnectionString, QStringLiteral("select KindID,KindName from D_GoodsKind"), RzCmb_Kind);
    RzCmb_Kind->insertItem(0, QStringLiteral("--所有类别--"), kAllKinds);
    RzCmb_Kind->setCurrentIndex(0);
    if (GoodsMode == 0) {
        for (QLineEdit *e : {RzEd_GoodsBuy, RzEd_GoodsSale, RzEd_GoodsCount, RzEd_GoodsDisc})
            e->setText(QStringLiteral("0"));
        RzCmb_Kind->setFocus();
    } else {
        RzEd_GoodsCount->setEnabled(false);
        SelectComboValue(RzCmb_Kind, OldKindID);
    }
}

void TFrm_GoodsAdd::RzEd_GoodsDiscExit()
{
    RzEd_GoodsDisc->setText(NormaliseLowestDiscount(RzEd_GoodsDisc->text()));
}

void TFrm_GoodsAdd::RzBit_SaveClick()
{
    const QString kind = ComboValue(RzCmb_Kind);
    const QString code = RzEd_GoodsID->text().trimmed();
    const QString name = RzEd_GoodsName->text().trimmed();
    const QString unit = RzEd_GoodsUnit->text().trimmed();
    if (kind.isEmpty() || kind == kAllKinds || code.isEmpty() || name.isEmpty()) {
        Messages::Info(QStringLiteral("\"商品种类、商品编号、商品名称都不能为空，请输入！\""));
        return;
    }
    if (!LowestDiscountInRange(RzEd_GoodsDisc->text())) {
        Messages::Show(QStringLiteral("最低折扣率只能在0到1之间!请检查..."), QStringLiteral("警告"), Messages::Icon::Error);
        RzEd_GoodsDisc->setFocus();
        return;
    }
    const bool codeChanged = GoodsMode == 0 || code.compare(OldGoodsID, Qt::CaseInsensitive) != 0;
    if (codeChanged && QueryExists(ConnectionString, QStringLiteral("select GoodsID from D_GoodsStore where GoodsID=?"), {code})) {
        Messages::Show(QStringLiteral("此编号已经存在!"), QStringLiteral("警告"), Messages::Icon::Error);
        return;
    }
    if (!(GoodsMode == 0 ? SaveNew(code, name, kind, unit) : SaveChanges(code, name, kind, unit)))
        return;
    Saved = true;
    accept();
}

bool TFrm_GoodsAdd::SaveNew(const QString &code, const QString &name, const QString &kind, const QString &unit)
{
    const double quantity = EditNumber(RzEd_GoodsCount->text());
    db::Database &d = Db();
    try {
        // The goods and its opening stock movement are stored together or not at all.
        db::Transaction tx(d);
        d.exec(QStringLiteral("Insert into T_GoodsBuySale(GoodsID,GoodsCount,Kind,CreateDate,OperMan)  values(?,?,1,now(),?)"),
               {code, quantity, CurUserCode});
        d.exec(QStringLiteral("Insert into D_GoodsStore(GoodsID,GoodsName,goodsKind,GoodsSimple,GoodsUnit,BuyPrice,"
                              "SalePrice,GoodsCount,GoodsDisc) values(?,?,?,?,?,?,?,?,?)"),
               {code, name, kind, SpellCode(name), unit, EditNumber(RzEd_GoodsBuy->text()),
                EditNumber(RzEd_GoodsSale->text()), quantity, EditNumber(RzEd_GoodsDisc->text())});
        tx.commit();
    } catch (const db::DbError &e) {
        Messages::Show(QStringLiteral("保存商品失败！"), QStringLiteral("提示"), Messages::Icon::Information);
        qWarning("goods insert failed: %s", e.what());
        return false;
    }
    return true;
}

bool TFrm_GoodsAdd::SaveChanges(const QString &code, const QString &name, const QString &kind, const QString &unit)
{
    try {
        Db().exec(QStringLiteral("update  D_GoodsStore set GoodsID=?,GoodsName=?,goodsKind=?,GoodsSimple=?,GoodsUnit=?,"
                                 "BuyPrice=?,SalePrice=?,GoodsCount=?,GoodsDisc=? where GoodsID=?"),
                  {code, name, kind, SpellCode(name), unit, EditNumber(RzEd_GoodsBuy->text()),
                   EditNumber(RzEd_GoodsSale->text()), EditNumber(RzEd_GoodsCount->text()),
                   EditNumber(RzEd_GoodsDisc->text()), OldGoodsID});
    } catch (const db::DbError &e) {
        Messages::Show(QStringLiteral("库存更新失败！"), QStringLiteral("提示"), Messages::Icon::Information);
        qWarning("goods update failed: %s", e.what());
        return false;
    }
    return true;
}
