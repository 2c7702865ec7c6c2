#include "Register.h"
#include "SaleRules.h"
#include "Ut_BackCodeName.h"
#include "Ut_CostCardCount.h"
#include "Ut_CostCardMoney.h"
#include "Ut_CostCardMoney_Exit.h"
#include "Ut_HYCost.h"
#include "Ut_ShowChangeMoney.h"
#include "Ut_SocreExGoods.h"

#include "core/DM.h"
#include "core/Routines.h"
#include "core/ScreenRegistry.h"

#include <QLineEdit>
#include <QStackedWidget>

namespace {

// A demo member of the given kind (any member when none has it).
QString DemoCard(int kind)
{
    QString code = QueryLines(ConnectionString,
                              QStringLiteral("select top 1 CodeID from T_MemberInfo where memberKind=? and CodeID<>'0000' "
                                             "order by ID"),
                              {kind});
    if (code.isEmpty())
        code = QueryLines(ConnectionString, QStringLiteral("select top 1 CodeID from T_MemberInfo order by ID desc"));
    return code;
}

struct DemoMember {
    QString code, name, balance, sum, level;
    double curMoney = 0;
    qint64 score = 0;
};

DemoMember LoadDemo(int kind)
{
    DemoMember m;
    m.code = DemoCard(kind);
    const db::Result r = Db().query(
        QStringLiteral("select memberName,CurMoney,HisSumMoney,memberScore,"
                       "(select UserName from D_MemberLevel d where d.ID=a.CardLevel) as LevelName "
                       "from T_MemberInfo a where CodeID=?"),
        {m.code});
    if (r.isEmpty())
        return m;
    m.name = r.value(0, QStringLiteral("memberName")).asString();
    m.curMoney = r.value(0, QStringLiteral("CurMoney")).asFloat();
    m.balance = kind == 3 ? QString::number(m.curMoney, 'f', 0) : SaleRules::FormatMoney(m.curMoney);
    m.sum = SaleRules::FormatMoney(r.value(0, QStringLiteral("HisSumMoney")).asFloat());
    m.level = r.value(0, QStringLiteral("LevelName")).asString();
    m.score = qint64(r.value(0, QStringLiteral("memberScore")).asFloat());
    return m;
}

// A few goods in the cart, as a sale in progress shows them.
void DemoCart(const QString &card, double rate)
{
    ExecSql(ConnectionString, QStringLiteral("Delete from T_SaleGoodsTemp"));
    const db::Result goods =
        Db().query(QStringLiteral("select top 3 GoodsID,GoodsName,SalePrice,GoodsDisc from D_GoodsStore order by GoodsID"));
    for (int i = 0; i < goods.rowCount(); ++i) {
        const double price = goods.value(i, QStringLiteral("SalePrice")).asFloat();
        const double r = SaleRules::LineRate(rate, goods.value(i, QStringLiteral("GoodsDisc")).asFloat());
        const auto a = SaleRules::ComputeLine(price, r, i + 1);
        ExecSql(ConnectionString,
                QStringLiteral("Insert into T_SaleGoodsTemp(GoodsID,CardID,GoodsName,GoodsPrice,GoodsCount,GoodsDisc,"
                               "GoodsDiscPrice,SumPrice) values(?,?,?,?,?,?,?,?)"),
                {goods.value(i, QStringLiteral("GoodsID")).asString(), card,
                 goods.value(i, QStringLiteral("GoodsName")).asString(), price, i + 1, r, a.discPrice, a.sumPrice});
    }
}

template <class T>
void Add(const char *name, Screens::ScreenshotSetup setup)
{
    Screens::Register(QString::fromLatin1(name), [](QWidget *parent) -> TfrmDialog * { return new T(parent); },
                      std::move(setup));
}

} // namespace

void RegisterPosScreens()
{
    Add<TFrm_HYCost>("TFrm_HYCost", [](TfrmDialog *d) {
        auto *desk = static_cast<TFrm_HYCost *>(d);
        const QString code = DemoCard(2);
        desk->show();
        desk->LoadCard(code);
        desk->LoadHistory(code);
    });
    Add<TFrm_BackCodeName>("TFrm_BackCodeName", [](TfrmDialog *d) {
        auto *dlg = static_cast<TFrm_BackCodeName *>(d);
        const QString code = DemoCard(2);
        dlg->SearchText = code.left(2);
    });
    Add<TFrm_CostCardMoney>("TFrm_CostCardMoney", [](TfrmDialog *d) {
        auto *dlg = static_cast<TFrm_CostCardMoney *>(d);
        const DemoMember m = LoadDemo(2);
        dlg->CardCode = m.code;
        dlg->MemberKind = QStringLiteral("2");
        dlg->Balance = m.curMoney;
        dlg->MemberRate = QStringLiteral("0.9");
        dlg->RzEd_CardID->setText(m.code);
        dlg->RzEd_CardName->setText(m.name);
        dlg->RzEd_CardMoney->setText(m.balance);
        dlg->RzEd_CardSum->setText(m.sum);
        dlg->RzEd_CardLevel->setText(m.level);
        DemoCart(m.code, 0.9);
        dlg->RzEd_PayMoney->setText(SaleRules::FormatMoney(SaleRules::TextValue(
            QueryLines(ConnectionString, QStringLiteral("Select Sum(SumPrice) from T_SaleGoodsTemp")))));
    });
    Add<TFrm_ShowChangeMoney>("TFrm_ShowChangeMoney", [](TfrmDialog *d) {
        auto *dlg = static_cast<TFrm_ShowChangeMoney *>(d);
        dlg->SetPage(0);
        dlg->RzEd_YS->setText(QStringLiteral("86.40"));
        dlg->RzEd_SS->setText(QStringLiteral("100.00"));
    });
    Add<TFrm_CostCardCount>("TFrm_CostCardCount", [](TfrmDialog *d) {
        auto *dlg = static_cast<TFrm_CostCardCount *>(d);
        const DemoMember m = LoadDemo(3);
        dlg->CardCode = m.code;
        dlg->Balance = m.curMoney;
        dlg->RzEd_CardID->setText(m.code);
        dlg->RzEd_CardName->setText(m.name);
        dlg->RzEd_CardMoney->setText(m.balance);
        dlg->RzEd_CardSum->setText(QString::number(SaleRules::TextValue(m.sum), 'f', 0));
    });
    Add<TFrm_CostCardMoney_Exit>("TFrm_CostCardMoney_Exit", [](TfrmDialog *d) {
        auto *dlg = static_cast<TFrm_CostCardMoney_Exit *>(d);
        const DemoMember m = LoadDemo(1);
        dlg->CardCode = m.code;
        dlg->MemberKind = QStringLiteral("1");
        dlg->RzEd_CardID->setText(m.code);
        dlg->RzEd_CardName->setText(m.name);
        dlg->RzEd_CardMoney->setText(m.balance);
        dlg->RzEd_CardSum->setText(m.sum);
        dlg->RzEd_CardLevel->setText(m.level);
        dlg->SaleCostID = QueryLines(ConnectionString,
                                     QStringLiteral("select top 1 CostID from T_GoodsCostDetailInfo order by CostID desc"));
        dlg->RzEd_CostDate->setText(QueryLines(
            ConnectionString, QStringLiteral("select top 1 CostDate from T_MemberCostInfo where CostID=?"), {dlg->SaleCostID}));
    });
    Add<TFrm_SocreExGoods>("TFrm_SocreExGoods", [](TfrmDialog *d) {
        auto *dlg = static_cast<TFrm_SocreExGoods *>(d);
        const DemoMember m = LoadDemo(1);
        dlg->CardCode = m.code;
        dlg->MemberScore = m.score;
        dlg->RzEd_CardID->setText(m.code);
        dlg->RzEd_CardName->setText(m.name);
        dlg->RzEd_CardMoney->setText(QString::number(m.score));
    });
}
