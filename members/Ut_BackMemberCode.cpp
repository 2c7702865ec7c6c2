#include "Ut_BackMemberCode.h"
#include "FormHelpers.h"
#include "core/DBGridEh.h"
#include "core/DM.h"
#include "core/Routines.h"

#include <QHBoxLayout>
#include <QKeyEvent>
#include <QLabel>
#include <QLineEdit>
#include <QPushButton>
#include <QTableView>
#include <QVBoxLayout>

TFrm_BackMemberCode::TFrm_BackMemberCode(QWidget *parent) : TfrmDialog(parent)
{
    setObjectName(QStringLiteral("TFrm_BackMemberCode"));
    SetTitle(QStringLiteral("选择相应的会员"));

    auto *lay = new QVBoxLayout(Body());
    lay->setContentsMargins(8, 8, 8, 4);
    auto *top = new QHBoxLayout;
    top->addWidget(new QLabel(QStringLiteral("会员卡号或姓名"), Body()));
    Lab_Query = new QLineEdit(Body());
    Lab_Query->setObjectName(QStringLiteral("Lab_Query"));
    top->addWidget(Lab_Query, 1);
    lay->addLayout(top);
    DBGridEh1 = new DBGridEh(Body());
    DBGridEh1->setObjectName(QStringLiteral("DBGridEh1"));
    DBGridEh1->SetColumns({
        {QStringLiteral("stateName"), QStringLiteral("状态"), 50},
        {QStringLiteral("CodeID"), QStringLiteral("会员卡号"), 110},
        {QStringLiteral("memberName"), QStringLiteral("会员姓名"), 90},
        {QStringLiteral("AddDate"), QStringLiteral("加入时间"), 90, QStringLiteral("yyyy-MM-dd")},
        {QStringLiteral("sex"), QStringLiteral("性别"), 40, {}, GridColumn::NoFooter, Qt::AlignCenter},
    });
    lay->addWidget(DBGridEh1, 1);

    RzBit_Ok = new QPushButton(QStringLiteral("确定"), Panel2);
    RzBit_Ok->setObjectName(QStringLiteral("RzBit_Ok"));
    RzBit_Ok->setToolTip(QStringLiteral("选择相应会员"));
    RzBit_Ok->setMinimumSize(80, 28);
    static_cast<QHBoxLayout *>(Panel2->layout())->insertWidget(1, RzBit_Ok);

    members::UpperCaseSearch(Lab_Query, [this] { ReadList(); });
    connect(RzBit_Ok, &QPushButton::clicked, this, &TFrm_BackMemberCode::RzBit_OkClick);
    connect(DBGridEh1, &DBGridEh::rowDoubleClicked, this, &TFrm_BackMemberCode::RzBit_OkClick);
    resize(480, 420);
}

void TFrm_BackMemberCode::showEvent(QShowEvent *event)
{
    if (!m_shown) {
        m_shown = true;
        Selected = false;
        ReadList();
    }
    TfrmDialog::showEvent(event);
    DBGridEh1->View()->setFocus();
}

void TFrm_BackMemberCode::ReadList()
{
    QString sql = QStringLiteral("select (select stateName from D_MemberCardstate c where  a.CurState=c.stateId) as stateName,"
                                 "CodeID,memberName,AddDate,sex from T_MemberInfo a  where 1=1");
    QVariantList params;
    const QString text = Lab_Query->text();
    if (text.isEmpty()) {
        if (TransferMode)
            sql += QStringLiteral(" and memberKind=2 and CurState=1");
    } else {
        sql += QStringLiteral(" and (codeID like ? or memberName like ? or Spell like ? )");
        const QString pattern = LikeContains(text);
        params << pattern << pattern << pattern;
        if (TransferMode)
            sql += QStringLiteral(" and memberKind=2");
    }
    try {
        DBGridEh1->SetResult(Db().query(sql, params));
    } catch (const db::DbError &) {
        DBGridEh1->SetResult(db::Result());
    }
}

void TFrm_BackMemberCode::RzBit_OkClick()
{
    if (DBGridEh1->RowCount() > 0) {
        SelCodeID = DBGridEh1->Value(QStringLiteral("CodeID")).asString().trimmed();
        SelName = DBGridEh1->Value(QStringLiteral("memberName")).asString().trimmed();
    }
    Selected = true;
    accept();
}

void TFrm_BackMemberCode::keyPressEvent(QKeyEvent *event)
{
    const bool enter = event->key() == Qt::Key_Return || event->key() == Qt::Key_Enter;
    if (enter && (focusWidget() == Lab_Query || focusWidget() == DBGridEh1->View())) {
        RzBit_OkClick();
        return;
    }
    TfrmDialog::keyPressEvent(event);
}
