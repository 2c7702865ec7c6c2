#include "Register.h"
#include "Ut_BackMemberCode.h"
#include "Ut_CardCost.h"
#include "Ut_ChangeCard.h"
#include "Ut_HYCardSet.h"
#include "Ut_HYManage.h"
#include "Ut_MemberAdd.h"
#include "Ut_PutOutPassWord.h"
#include "Ut_TakePhoto.h"
#include "core/DM.h"
#include "core/Routines.h"
#include "core/ScreenRegistry.h"

#include <QLineEdit>

namespace {

// A member of the given kind from the demo data, for the dialogs' screenshots.
db::Result DemoMember(int kind)
{
    try {
        return Db().query(QStringLiteral("select top 1 * from T_MemberInfo where memberKind=? and CodeID<>'0000' "
                                         "order by CodeID"),
                          {kind});
    } catch (const db::DbError &) {
        return {};
    }
}

template <class T>
Screens::Factory factory()
{
    return [](QWidget *parent) -> TfrmDialog * { return new T(parent); };
}

} // namespace

void RegisterMemberScreens()
{
    Screens::Register(QStringLiteral("TFrm_HYCardSet"), factory<TFrm_HYCardSet>());
    Screens::Register(QStringLiteral("TFrm_HYManage"), factory<TFrm_HYManage>());
    Screens::Register(QStringLiteral("TFrm_BackMemberCode"), factory<TFrm_BackMemberCode>());
    Screens::Register(QStringLiteral("TFrm_TakePhoto"), factory<TFrm_TakePhoto>(), [](TfrmDialog *d) {
        static_cast<TFrm_TakePhoto *>(d)->PhotoCode = QStringLiteral("1001");
    });
    Screens::Register(QStringLiteral("TFrm_MemberAdd"), factory<TFrm_MemberAdd>(), [](TfrmDialog *d) {
        const db::Result m = DemoMember(2);
        if (m.isEmpty())
            return;
        auto *editor = static_cast<TFrm_MemberAdd *>(d);
        editor->EditMode = 2;
        editor->EditCodeID = m.value(0, QStringLiteral("CodeID")).asString();
    });
    Screens::Register(QStringLiteral("TFrm_PutOutPassWord"), factory<TFrm_PutOutPassWord>(), [](TfrmDialog *d) {
        auto *prompt = static_cast<TFrm_PutOutPassWord *>(d);
        prompt->CardPassword = QStringLiteral("8888");
        prompt->RzEd_PassWord->setText(QStringLiteral("8888"));
    });
    Screens::Register(QStringLiteral("Tfrm_ChangeCard"), factory<Tfrm_ChangeCard>(), [](TfrmDialog *d) {
        auto *dlg = static_cast<Tfrm_ChangeCard *>(d);
        const db::Result m = DemoMember(2);
        dlg->MemberKind = QStringLiteral("2");
        if (m.isEmpty())
            return;
        auto text = [&](const char *c) { return m.value(0, QString::fromLatin1(c)).asString().trimmed(); };
        dlg->RzEd_CardID->setText(text("CodeID"));
        dlg->RzEd_CardName->setText(text("memberName"));
        dlg->RzEd_CardKind->setText(QStringLiteral("储值卡"));
        dlg->RzEd_CardLevel->setText(QueryLines(ConnectionString,
                                                QStringLiteral("select UserName from D_MemberLevel where ID=?"),
                                                {text("CardLevel")}));
        dlg->RzEd_CardMoney->setText(QString::number(m.value(0, QStringLiteral("CurMoney")).asFloat(), 'f', 2));
        dlg->RzEd_CardSum->setText(QString::number(m.value(0, QStringLiteral("HisSumMoney")).asFloat(), 'f', 2));
    });
    Screens::Register(QStringLiteral("TFrm_CardCost"), factory<TFrm_CardCost>(), [](TfrmDialog *d) {
        auto *dlg = static_cast<TFrm_CardCost *>(d);
        const db::Result m = DemoMember(2);
        dlg->MemberKind = QStringLiteral("2");
        if (m.isEmpty())
            return;
        auto text = [&](const char *c) { return m.value(0, QString::fromLatin1(c)).asString().trimmed(); };
        dlg->StyleCode = text("CheapMode");
        dlg->Balance = m.value(0, QStringLiteral("CurMoney")).asFloat();
        dlg->RzEd_cardID->setText(text("CodeID"));
        dlg->RzEd_Name->setText(text("memberName"));
        dlg->RzEd_Money->setText(QString::number(dlg->Balance, 'f', 2));
        dlg->RzEd_Style->setText(QueryLines(ConnectionString,
                                            QStringLiteral("select ReMark from D_CardCheapStyle where CheapID=?"),
                                            {dlg->StyleCode}));
        dlg->RzEd_Costpay->setText(QStringLiteral("200"));
    });
}
