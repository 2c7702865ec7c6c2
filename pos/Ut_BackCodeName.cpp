#include "core/Routines.h"
#include "Ut_BackCodeName.h"
#include "PosUi.h"

#include "core/DBGridEh.h"
#include "core/DM.h"
#include "members/CardRules.h"

#include <QHBoxLayout>
#include <QKeyEvent>
#include <QTableView>
#include <QVBoxLayout>

QString MemberMatchCondition(const QString &text, bool withIdCard, QVariantList &params)
{
    if (text.isEmpty())
        return {};
    QStringList columns{QStringLiteral("CodeID"), QStringLiteral("Mobile"), QStringLiteral("memberName")};
    if (withIdCard)
        columns << QStringLiteral("IDCard");
    columns << QStringLiteral("Spell");
    const QString pattern = LikeContains(text);
    QStringList terms;
    for (const QString &c : columns) {
        terms << QStringLiteral("select ID from T_MemberInfo where %1 like ?").arg(c);
        params << pattern;
    }
    return QStringLiteral(" and a.ID in (") + terms.join(QStringLiteral(" union ")) + QLatin1Char(')');
}

namespace {
const char *kBase = "select (select stateName from D_MemberCardstate c where  a.CurState=c.stateId) as stateName,"
                    "(select CardKind from D_MemberCardKind b where  a.memberKind=b.CardId) as cardKind,"
                    "CodeID,memberName,AddDate,sex from T_MemberInfo a  where 1=1";
}

TFrm_BackCodeName::TFrm_BackCodeName(QWidget *parent) : TfrmDialog(parent)
{
    setObjectName(QStringLiteral("TFrm_BackCodeName"));
    setWindowFlags(Qt::Dialog | Qt::FramelessWindowHint | Qt::WindowStaysOnTopHint);
    Panel1->hide();
    resize(560, 300);

    auto *root = new QVBoxLayout(Body());
    root->setContentsMargins(2, 2, 2, 2);
    DBGridEh1 = new DBGridEh(Body());
    DBGridEh1->setObjectName(QStringLiteral("DBGridEh1"));
    DBGridEh1->setToolTip(QStringLiteral("双击可以选择会员信息"));
    DBGridEh1->SetColumns({
        {QStringLiteral("stateName"), QStringLiteral("状态"), 50},
        {QStringLiteral("CodeID"), QStringLiteral("会员卡号"), 100},
        {QStringLiteral("memberName"), QStringLiteral("会员姓名"), 90},
        {QStringLiteral("cardKind"), QStringLiteral("卡的类型"), 70},
        {QStringLiteral("AddDate"), QStringLiteral("加入时间"), 90, QStringLiteral("yyyy-MM-dd")},
        {QStringLiteral("sex"), QStringLiteral("性别"), 40},
    });
    root->addWidget(DBGridEh1);

    auto *bottom = qobject_cast<QHBoxLayout *>(Panel2->layout());
    Lab_Query = PosUi::Edit(Panel2, "Lab_Query");
    PosUi::UpperCaseInput(Lab_Query);
    RzBit_Ok = PosUi::Button(Panel2, "RzBit_Ok", QStringLiteral("确定"), QStringLiteral("选择会员"));
    bottom->insertWidget(0, PosUi::Label(Panel2, QStringLiteral("会员卡号或姓名")));
    bottom->insertWidget(1, Lab_Query);
    bottom->insertWidget(3, RzBit_Ok);

    connect(RzBit_Ok, &QPushButton::clicked, this, &TFrm_BackCodeName::RzBit_OkClick);
    connect(DBGridEh1, &DBGridEh::rowDoubleClicked, this, [this] { RzBit_OkClick(); });
    connect(Lab_Query, &QLineEdit::textChanged, this, &TFrm_BackCodeName::Lab_QueryChange);
    DBGridEh1->View()->installEventFilter(this);
}

void TFrm_BackCodeName::OpenList(const QString &condition, const QVariantList &params)
{
    db::Result r;
    try {
        r = Db().query(QString::fromUtf8(kBase) + condition + QStringLiteral(" order by a.ID"), params);
    } catch (const db::DbError &) {
    }
    DBGridEh1->SetResult(r);
}

void TFrm_BackCodeName::showEvent(QShowEvent *event)
{
    TfrmDialog::showEvent(event);
    if (Left >= 0 && Top >= 0)
        move(Left, Top);
    DBGridEh1->View()->setFocus();
    QVariantList params;
    const QString condition = MemberMatchCondition(SearchText, true, params);
    OpenList(condition, params);
    // Chosen once the dialog runs, so that closing does not race its own showing.
    QMetaObject::invokeMethod(this, &TFrm_BackCodeName::ChooseSingleRow, Qt::QueuedConnection);
}

void TFrm_BackCodeName::changeEvent(QEvent *event)
{
    TfrmDialog::changeEvent(event);
    if (event->type() == QEvent::ActivationChange && isActiveWindow())
        QMetaObject::invokeMethod(this, &TFrm_BackCodeName::ChooseSingleRow, Qt::QueuedConnection);
}

void TFrm_BackCodeName::ChooseSingleRow()
{
    if (isVisible() && DBGridEh1->RowCount() == 1)
        RzBit_OkClick();
}

void TFrm_BackCodeName::Lab_QueryChange()
{
    QVariantList params;
    OpenList(MemberMatchCondition(Lab_Query->text(), false, params), params);
}

void TFrm_BackCodeName::RzBit_OkClick()
{
    if (DBGridEh1->RowCount() > 0) {
        SelCodeID = DBGridEh1->Value(QStringLiteral("CodeID")).asString();
        SelName = DBGridEh1->Value(QStringLiteral("memberName")).asString();
    }
    Selected = true;
    accept();
}

bool TFrm_BackCodeName::eventFilter(QObject *watched, QEvent *event)
{
    if (watched == DBGridEh1->View() && event->type() == QEvent::KeyPress) {
        const int key = static_cast<QKeyEvent *>(event)->key();
        if (key == Qt::Key_Return || key == Qt::Key_Enter) {
            RzBit_OkClick();
            return true;
        }
    }
    return TfrmDialog::eventFilter(watched, event);
}
