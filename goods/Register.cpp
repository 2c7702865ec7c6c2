#include "Register.h"
#include "Ut_GoodsAdd.h"
#include "Ut_GoodsBuySale.h"
#include "Ut_GoodsSet.h"

#include "core/DBGridEh.h"
#include "core/DM.h"
#include "core/ScreenRegistry.h"

#include <QLineEdit>

namespace {
// The first goods row of the database, for the dialogs' screenshots.
db::Result firstGoods()
{
    try {
        return Db().query(QStringLiteral("select top 1 * from D_GoodsStore order by GoodsID"));
    } catch (const db::DbError &) {
        return {};
    }
}
} // namespace

void RegisterGoodsScreens()
{
    Screens::Register(
        QStringLiteral("TFrm_GoodsSet"), [](QWidget *parent) { return new TFrm_GoodsSet(parent); },
        [](TfrmDialog *screen) {
            auto *s = static_cast<TFrm_GoodsSet *>(screen);
            s->FormShow();
            if (s->DBGridEh3->RowCount() > 2)
                s->DBGridEh3->SetCurrentRow(2);
        });
    Screens::Register(
        QStringLiteral("TFrm_GoodsAdd"), [](QWidget *parent) { return new TFrm_GoodsAdd(parent); },
        [](TfrmDialog *screen) {
            auto *d = static_cast<TFrm_GoodsAdd *>(screen);
            const db::Result r = firstGoods();
            if (r.isEmpty())
                return;
            auto text = [&](const char *field) { return r.value(0, QLatin1String(field)).asString(); };
            d->GoodsMode = 1;
            d->OldGoodsID = text("GoodsID").trimmed();
            d->OldKindID = text("GoodsKind").trimmed();
            d->RzEd_GoodsID->setText(d->OldGoodsID);
            d->RzEd_GoodsName->setText(text("GoodsName"));
            d->RzEd_GoodsUnit->setText(text("GoodsUnit"));
            d->RzEd_GoodsBuy->setText(text("BuyPrice"));
            d->RzEd_GoodsSale->setText(text("SalePrice"));
            d->RzEd_GoodsCount->setText(text("GoodsCount"));
            d->RzEd_GoodsDisc->setText(text("GoodsDisc"));
        });
    Screens::Register(
        QStringLiteral("TFrm_GoodsBuySale"), [](QWidget *parent) { return new TFrm_GoodsBuySale(parent); },
        [](TfrmDialog *screen) {
            auto *d = static_cast<TFrm_GoodsBuySale *>(screen);
            const db::Result r = firstGoods();
            if (r.isEmpty())
                return;
            d->RzEdit1->setText(r.value(0, QStringLiteral("GoodsID")).asString());
            d->RzEdit2->setText(r.value(0, QStringLiteral("GoodsName")).asString());
            d->RzEdit3->setText(r.value(0, QStringLiteral("GoodsCount")).asString());
            d->RzEdit4->setText(r.value(0, QStringLiteral("BuyPrice")).asString());
            d->RzEd_Count->setText(QStringLiteral("12"));
            d->RzEd_Remark->setText(QStringLiteral("供应商送货"));
        });
}
