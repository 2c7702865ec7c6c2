#include "Ut_HYManage.h"
#include "CardRules.h"
#include "FormHelpers.h"
#include "Ut_CardCost.h"
#include "Ut_ChangeCard.h"
#include "Ut_MemberAdd.h"
#include "Ut_PutOutPassWord.h"
#include "core/DBGridEh.h"
#include "core/DM.h"
#include "core/Messages.h"
#include "core/Routines.h"

#include <QComboBox>
#include <QFile>
#include <QHBoxLayout>
#include <QKeyEvent>
#include <QLabel>
#include <QLineEdit>
#include <QPushButton>
#include <QStyledItemDelegate>
#include <QTableView>
#include <QVBoxLayout>
#include <memory>

namespace {

const char *kListSql =
    "select CodeID,memberName,AddDate,sex,format(birthday,'yyyy-MM-dd') as birthday1,Password,memberKind,"
    "CardIfUpGrade,CardLevel,hisSumMoney,memberPhoto,mobile,"
    "(select stateName from D_MemberCardstate c where  a.CurState=c.stateId) as stateName,"
    "(select CardKind from D_MemberCardKind b where  a.memberKind=b.CardId) as cardKind,"
    "(select UserName from D_MemberLevel d where d.ID=a.CardLevel) as CardLevel1,"
    "CDBL(iif(isnull(memberScore),0,memberScore)) as memberScore1,ID,CurState,CheapMode, "
    "IIF(isnull(SumScore),0,SumScore) as SumScore1,"
    "CDBL(iif(memberKind=3,HisSumMoney,format(HisSumMoney,'0.00'))) as hisSumMoney1,"
    "CDBL(IIF(memberKind=3,IIF(isnull(CurMoney),0,curMoney),format(IIF(isnull(CurMoney),0,curMoney),'0.00'))) as curMoney1  "
    "from T_MemberInfo a where 1=1 ";

const QString kNoCard = QStringLiteral("0000");

using members::NamedButton;

// The balance and cumulative-consumption columns hold money or, on a count card, uses.
class MoneyOrUsesDelegate : public QStyledItemDelegate {
public:
    MoneyOrUsesDelegate(const TFrm_HYManage *screen, QString field, QObject *parent)
        : QStyledItemDelegate(parent), m_screen(screen), m_field(std::move(field))
    {
    }

protected:
    void initStyleOption(QStyleOptionViewItem *option, const QModelIndex &index) const override
    {
        QStyledItemDelegate::initStyleOption(option, index);
        option->text = m_screen->MoneyText(index.row(), m_field);
    }

private:
    const TFrm_HYManage *m_screen;
    QString m_field;
};

} // namespace

TFrm_HYManage::ListQuery TFrm_HYManage::BuildListQuery(const QString &searchText, const QString &stateValue)
{
    ListQuery q{QString::fromUtf8(kListSql), {}};
    if (!searchText.isEmpty()) {
        q.sql += QStringLiteral(" and (codeID like ? or mobile like ? or memberName like ? or Spell like ?)");
        const QString pattern = LikeContains(searchText);
        q.params << pattern << pattern << pattern << pattern;
    }
    if (!stateValue.isEmpty() && stateValue != QLatin1String("9999")) {
        q.sql += QStringLiteral(" and CurState=?");
        q.params << stateValue.toInt();
    }
    return q;
}

TFrm_HYManage::TFrm_HYManage(QWidget *parent) : TfrmDialog(parent)
{
    setObjectName(QStringLiteral("TFrm_HYManage"));
    SetTitle(QStringLiteral("会员管理"));
    SetChildScreen(true);
    Panel2->hide();

    auto *lay = new QVBoxLayout(Body());
    lay->setContentsMargins(6, 6, 6, 6);
    auto *top = new QHBoxLayout;
    top->addWidget(new QLabel(QStringLiteral("输入会员卡号或者姓名："), Body()));
    RzEd_Query = new QLineEdit(Body());
    RzEd_Query->setObjectName(QStringLiteral("RzEd_Query"));
    top->addWidget(RzEd_Query);
    top->addWidget(new QLabel(QStringLiteral("会员卡状态："), Body()));
    RzComb_State = new QComboBox(Body());
    RzComb_State->setObjectName(QStringLiteral("RzComb_State"));
    RzComb_State->setMinimumWidth(110);
    top->addWidget(RzComb_State);
    RzBit_InputMoney = NamedButton(Body(), "RzBit_InputMoney", QStringLiteral("会员充值"), QStringLiteral("会员充值"));
    top->addWidget(RzBit_InputMoney);
    top->addStretch();
    lay->addLayout(top);

    DBGridEh1 = new DBGridEh(Body());
    DBGridEh1->setObjectName(QStringLiteral("DBGridEh1"));
    DBGridEh1->setToolTip(QStringLiteral("双击可以弹出相应会员的信息"));
    const Qt::Alignment right = Qt::AlignRight | Qt::AlignVCenter;
    DBGridEh1->SetColumns({
        {QStringLiteral("stateName"), QStringLiteral("状态"), 50},
        {QStringLiteral("CodeID"), QStringLiteral("会员卡号"), 110},
        {QStringLiteral("memberName"), QStringLiteral("会员姓名"), 90, {}, GridColumn::Count},
        {QStringLiteral("AddDate"), QStringLiteral("加入时间"), 90, QStringLiteral("yyyy-MM-dd")},
        {QStringLiteral("sex"), QStringLiteral("性别"), 40, {}, GridColumn::NoFooter, Qt::AlignCenter},
        {QStringLiteral("mobile"), QStringLiteral("手机号"), 100},
        {QStringLiteral("cardKind"), QStringLiteral("会员卡类型"), 80},
        {QStringLiteral("CardLevel1"), QStringLiteral("会员卡级别"), 80},
        {QStringLiteral("memberScore1"), QStringLiteral("会员积分"), 70},
        {QStringLiteral("hisSumMoney1"), QStringLiteral("累计消费"), 80, {}, GridColumn::NoFooter, right},
        {QStringLiteral("curMoney1"), QStringLiteral("卡内余额/次"), 80, {}, GridColumn::NoFooter, right},
    });
    DBGridEh1->SetFooterCaption(QStringLiteral("合计"));
    DBGridEh1->View()->setItemDelegateForColumn(9, new MoneyOrUsesDelegate(this, QStringLiteral("hisSumMoney1"), this));
    DBGridEh1->View()->setItemDelegateForColumn(10, new MoneyOrUsesDelegate(this, QStringLiteral("curMoney1"), this));
    DBGridEh1->SetRowColour([](const db::Result &r, int row) {
        switch (r.value(row, QStringLiteral("CurState")).asInt()) {
        case 3: return QColor(192, 220, 192);
        case 2: return QColor(255, 0, 255);
        default: return QColor();
        }
    });
    lay->addWidget(DBGridEh1, 1);

    auto *bottom = new QHBoxLayout;
    RzBit_Add = NamedButton(Body(), "RzBit_Add", QStringLiteral("添加会员"), QStringLiteral("增加新的会员"));
    RzBit_Add->setStyleSheet(QStringLiteral("color: red; font-weight: bold;"));
    RZBit_Modi = NamedButton(Body(), "RZBit_Modi", QStringLiteral("修改信息"), QStringLiteral("修改会员卡的信息"));
    RzBit_Delete = NamedButton(Body(), "RzBit_Delete", QStringLiteral("删除会员"),
                          QStringLiteral("删除当前会员,将删除与会员卡相关的信息"));
    RzBit_RepLoss = NamedButton(Body(), "RzBit_RepLoss", QStringLiteral("挂失"), QStringLiteral("会员卡挂失"));
    RzBit_UndoRepLoss = NamedButton(Body(), "RzBit_UndoRepLoss", QStringLiteral("取消挂失"), QStringLiteral("取消会员卡挂失"));
    RzBit_ChangeCard = NamedButton(Body(), "RzBit_ChangeCard", QStringLiteral("会员换卡"), QStringLiteral("会员换卡操作"));
    RzBit_ChangeMoney = NamedButton(Body(), "RzBit_ChangeMoney", QStringLiteral("卡间转帐"), QStringLiteral("会员卡之间的转帐"));
    RzBit_ClearPass = NamedButton(Body(), "RzBit_ClearPass", QStringLiteral("清空密码"),
                             QStringLiteral("清空当前会员卡的消费密码！请慎用！"));
    for (QPushButton *b : {RzBit_Add, RZBit_Modi, RzBit_Delete, RzBit_RepLoss, RzBit_UndoRepLoss, RzBit_ChangeCard,
                           RzBit_ChangeMoney, RzBit_ClearPass})
        bottom->addWidget(b);
    bottom->addStretch();
    lay->addLayout(bottom);

    members::UpperCaseSearch(RzEd_Query, [this] {
        if (m_shown)
            ReadList();
    });
    connect(RzComb_State, &QComboBox::currentIndexChanged, this, [this] {
        if (m_shown)
            ReadList();
    });
    connect(DBGridEh1, &DBGridEh::currentRowChanged, this, &TFrm_HYManage::RowChanged);
    connect(DBGridEh1, &DBGridEh::rowDoubleClicked, this, &TFrm_HYManage::RZBit_ModiClick);
    connect(RzBit_Add, &QPushButton::clicked, this, &TFrm_HYManage::RzBit_AddClick);
    connect(RZBit_Modi, &QPushButton::clicked, this, &TFrm_HYManage::RZBit_ModiClick);
    connect(RzBit_Delete, &QPushButton::clicked, this, &TFrm_HYManage::RzBit_DeleteClick);
    connect(RzBit_RepLoss, &QPushButton::clicked, this, &TFrm_HYManage::RzBit_RepLossClick);
    connect(RzBit_UndoRepLoss, &QPushButton::clicked, this, &TFrm_HYManage::RzBit_UndoRepLossClick);
    connect(RzBit_ChangeCard, &QPushButton::clicked, this, &TFrm_HYManage::RzBit_ChangeCardClick);
    connect(RzBit_ChangeMoney, &QPushButton::clicked, this, &TFrm_HYManage::RzBit_ChangeMoneyClick);
    connect(RzBit_InputMoney, &QPushButton::clicked, this, &TFrm_HYManage::RzBit_InputMoneyClick);
    connect(RzBit_ClearPass, &QPushButton::clicked, this, &TFrm_HYManage::RzBit_ClearPassClick);
    resize(1000, 640);
}

void TFrm_HYManage::showEvent(QShowEvent *event)
{
    if (!m_shown) {
        FormShow();
        m_shown = true;
    }
    TfrmDialog::showEvent(event);
}

void TFrm_HYManage::FormShow()
{
    {
        const QSignalBlocker block(RzComb_State);
        FillCombo(ConnectionString, QStringLiteral("select StateID,StateName from D_MemberCardState"), RzComb_State);
        RzComb_State->insertItem(0, QStringLiteral("--所有状态--"), QStringLiteral("9999"));
        RzComb_State->setCurrentIndex(0);
    }
    const std::pair<QPushButton *, const char *> rights[] = {
        {RzBit_Add, "01"}, {RZBit_Modi, "02"}, {RzBit_Delete, "03"}, {RzBit_RepLoss, "04"},
        {RzBit_UndoRepLoss, "04"}, {RzBit_ChangeCard, "05"}, {RzBit_ChangeMoney, "06"}, {RzBit_InputMoney, "07"}};
    for (const auto &[b, code] : rights)
        b->setEnabled(frm_DM->HasRight(QString::fromLatin1(code)));
    ReadList();
}

void TFrm_HYManage::ReadList(const QString &card)
{
    const ListQuery q = BuildListQuery(RzEd_Query->text(), ComboValue(RzComb_State));
    try {
        DBGridEh1->SetResult(Db().query(q.sql, q.params));
    } catch (const db::DbError &) {
        DBGridEh1->SetResult(db::Result());
    }
    if (!card.isEmpty()) {
        for (int row = 0; row < DBGridEh1->RowCount(); ++row) {
            if (DBGridEh1->Value(row, QStringLiteral("CodeID")).asString().trimmed().startsWith(card)) {
                DBGridEh1->SetCurrentRow(row);
                break;
            }
        }
    }
    RowChanged();
}

void TFrm_HYManage::RowChanged()
{
    if (!HasCard())
        return;
    const bool lossRight = frm_DM->HasRight(QStringLiteral("04"));
    switch (Text("CurState").toInt()) {
    case 1:
        RzBit_RepLoss->setEnabled(lossRight);
        RzBit_UndoRepLoss->setEnabled(false);
        break;
    case 2:
        RzBit_RepLoss->setEnabled(false);
        RzBit_UndoRepLoss->setEnabled(false);
        break;
    case 3:
        RzBit_RepLoss->setEnabled(false);
        RzBit_UndoRepLoss->setEnabled(lossRight);
        break;
    default:
        break;
    }
    RzBit_ChangeMoney->setEnabled(Text("memberKind").toInt() == cards::StoredValueCard
                                  && frm_DM->HasRight(QStringLiteral("06")));
}

bool TFrm_HYManage::HasCard() const
{
    return DBGridEh1->CurrentRow() >= 0;
}

QString TFrm_HYManage::Text(const char *field) const
{
    return DBGridEh1->Value(QString::fromLatin1(field)).asString().trimmed();
}

QString TFrm_HYManage::MoneyText(int row, const QString &field) const
{
    const db::Field value = DBGridEh1->Value(row, field);
    if (value.isNull())
        return {};
    return cards::MoneyOrUsesText(value.asFloat(), int(DBGridEh1->Value(row, QStringLiteral("memberKind")).asInt()));
}

QString TFrm_HYManage::Card() const
{
    return Text("CodeID");
}

bool TFrm_HYManage::IsNoCardMember(const QString &refusal)
{
    if (Card() != kNoCard)
        return false;
    Messages::Info(refusal);
    DBGridEh1->View()->setFocus();
    return true;
}

// Stored-value and count cards need their password; discount cards are never asked.
bool TFrm_HYManage::AskPassword()
{
    if (Text("memberKind").toInt() == cards::DiscountCard)
        return true;
    return TFrm_PutOutPassWord::Ask(DBGridEh1->Value(QStringLiteral("Password")).asString(), this);
}

void TFrm_HYManage::keyPressEvent(QKeyEvent *event)
{
    if ((event->key() == Qt::Key_Return || event->key() == Qt::Key_Enter) && focusWidget() == DBGridEh1->View()) {
        RZBit_ModiClick();
        return;
    }
    TfrmDialog::keyPressEvent(event);
}

void TFrm_HYManage::RzBit_AddClick()
{
    auto editor = std::make_unique<TFrm_MemberAdd>(this);
    editor->EditMode = 1;
    Messages::Exec(editor.get());
    if (!editor->Saved)
        return;
    // The list is opened afresh and stands on its first row.
    ReadList();
    DBGridEh1->SetCurrentRow(0);
}

void TFrm_HYManage::RZBit_ModiClick()
{
    if (!frm_DM->HasRight(QStringLiteral("02")) || !HasCard())
        return;
    if (IsNoCardMember(QStringLiteral("0000为无卡会员,不能修改！")))
        return;
    const QString card = Card();
    if (Text("memberKind").toInt() != cards::DiscountCard && !Text("Password").isEmpty() && !AskPassword())
        return;
    auto editor = std::make_unique<TFrm_MemberAdd>(this);
    editor->EditMode = 2;
    editor->EditCodeID = card;
    Messages::Exec(editor.get());
    if (editor->Saved)
        ReadList(card);
}

void TFrm_HYManage::RzBit_DeleteClick()
{
    if (!HasCard() || IsNoCardMember(QStringLiteral("0000为无卡会员,不能删除！")))
        return;
    if (!AskPassword())
        return;
    if (!Messages::Ask(QStringLiteral("你确定想删除当前用户吗?如果删除将删除与此用户相关的所有信息!")))
        return;
    const QString card = Card();
    const QString photo = Text("memberPhoto");
    const bool deleted = members::WriteAtomically(QStringLiteral("删除会员失败，数据没有改动："), [&] {
        frm_DM->WriteLog(QStringLiteral("删除会员：[") + card + QStringLiteral("]"));
        for (const char *table : {"T_MemberCostInfo", "T_ScoreExGoods", "T_TipOffSet", "T_GoodsCostDetailInfo",
                                  "T_CardPutMoney"})
            Db().exec(QStringLiteral("Delete From %1 where CardID=?").arg(QLatin1String(table)), {card});
        Db().exec(QStringLiteral("Delete From T_MemberInfo where CodeID=?"), {card});
    });
    if (!deleted)
        return;
    if (!photo.isEmpty())
        QFile::remove(AppPath + QStringLiteral("Picture/") + photo);
    ReadList();
}

void TFrm_HYManage::SetLossState(int state, const QString &question, const QString &log)
{
    if (Messages::Show(question, QStringLiteral("警告"), Messages::Icon::Warning, QMessageBox::Yes | QMessageBox::No,
                       QMessageBox::No)
        != QMessageBox::Yes)
        return;
    if (!AskPassword())
        return;
    const QString card = Card();
    if (members::WriteAtomically(QStringLiteral("会员卡状态保存失败："), [&] {
            frm_DM->WriteLog(log);
            Db().exec(QStringLiteral("Update T_MemberInfo set CurState=? where CodeID=?"), {state, card});
        }))
        ReadList(card);
}

void TFrm_HYManage::RzBit_RepLossClick()
{
    if (!HasCard() || IsNoCardMember(QStringLiteral("0000为无卡会员,不能挂失！")))
        return;
    const QString card = Card();
    SetLossState(3,
                 QStringLiteral("你确定要挂失<卡号：") + card + QStringLiteral("   姓名：") + Text("memberName")
                     + QStringLiteral("> 的会员卡吗?"),
                 QStringLiteral("会员卡：[") + card + QStringLiteral("] 挂失"));
}

void TFrm_HYManage::RzBit_UndoRepLossClick()
{
    if (!HasCard())
        return;
    const QString card = Card();
    SetLossState(1,
                 QStringLiteral("你确定要取消挂失<卡号：") + card + QStringLiteral(" 姓名：") + Text("memberName")
                     + QStringLiteral("> 的会员卡吗?"),
                 QStringLiteral("会员卡：[") + card + QStringLiteral("] 取消挂失"));
}

void TFrm_HYManage::RzBit_ChangeCardClick()
{
    if (!HasCard() || IsNoCardMember(QStringLiteral("0000为无卡会员,不能换卡！")))
        return;
    const QString oldCard = Card();
    const QString kind = Text("memberKind");
    auto dlg = std::make_unique<Tfrm_ChangeCard>(this);
    dlg->OldPassword = DBGridEh1->Value(QStringLiteral("Password")).asString();
    dlg->MemberKind = kind;
    dlg->RzEd_CardID->setText(oldCard);
    dlg->RzEd_CardKind->setText(Text("cardKind"));
    dlg->RzEd_CardName->setText(Text("memberName"));
    dlg->RzEd_CardLevel->setText(Text("CardLevel1"));
    const int row = DBGridEh1->CurrentRow();
    dlg->RzEd_CardSum->setText(MoneyText(row, QStringLiteral("hisSumMoney1")));
    // A discount card has no balance; its field is labelled as the score and shows it.
    dlg->RzEd_CardMoney->setText(kind.toInt() == cards::DiscountCard ? Text("memberScore1")
                                                                     : MoneyText(row, QStringLiteral("curMoney1")));
    Messages::Exec(dlg.get());
    if (!dlg->Saved)
        return;
    const QString newCard = dlg->NewCodeID;
    const bool changed = members::WriteAtomically(QStringLiteral("换卡失败，数据没有改动："), [&] {
        if (kind.toInt() == cards::DiscountCard)
            Db().exec(QStringLiteral("Update T_MemberInfo set CodeID=? where CodeID=?"), {newCard, oldCard});
        else
            Db().exec(QStringLiteral("Update T_MemberInfo set CodeID=?,PassWord=? where CodeID=?"),
                      {newCard, dlg->NewCardPassword, oldCard});
        frm_DM->WriteLog(QStringLiteral("会员:") + Text("memberName") + QStringLiteral("换卡,卡号由：[") + oldCard
                         + QStringLiteral("] 换成 [") + newCard + QStringLiteral("]"));
        for (const char *table : {"T_CardPutMoney", "T_MemberCostInfo", "T_GoodsCostDetailInfo", "T_ScoreExGoods"})
            Db().exec(QStringLiteral("update %1 set cardID=? where CardID=?").arg(QLatin1String(table)),
                      {newCard, oldCard});
    });
    if (changed)
        ReadList(newCard);
}

void TFrm_HYManage::RzBit_ChangeMoneyClick()
{
    if (!HasCard() || IsNoCardMember(QStringLiteral("0000为无卡会员,不能转帐！")))
        return;
    Messages::Info(QStringLiteral("该功能尚未开放"));
}

void TFrm_HYManage::RzBit_InputMoneyClick()
{
    if (!HasCard())
        return;
    if (Text("CurState") != QLatin1String("1")) {
        Messages::Info(QStringLiteral("会员卡为\"挂失\"与\"不可用\"状态,不能充值！"));
        return;
    }
    if (IsNoCardMember(QStringLiteral("0000为无卡会员,不能充值！")))
        return;
    const QString card = Card();
    const QString kind = Text("memberKind");
    if (kind.toInt() == cards::DiscountCard) {
        if (Messages::Show(QStringLiteral("你要把折扣卡转成储值卡或者计次卡吗？"), QStringLiteral("提示"),
                           Messages::Icon::Information, QMessageBox::Yes | QMessageBox::No)
            == QMessageBox::Yes)
            Messages::Info(QStringLiteral("该功能尚未开放"));
        ReadList(card);
        return;
    }
    auto dlg = std::make_unique<TFrm_CardCost>(this);
    dlg->MemberKind = kind;
    dlg->StyleCode = Text("CheapMode");
    dlg->Balance = DBGridEh1->Value(QStringLiteral("curMoney1")).asFloat();
    dlg->SumScoreBefore = DBGridEh1->Value(QStringLiteral("SumScore1")).asFloat();
    dlg->CanUpgrade = DBGridEh1->Value(QStringLiteral("CardIfUpGrade")).asBool();
    dlg->LevelID = Text("CardLevel");
    dlg->RzEd_cardID->setText(card);
    dlg->RzEd_Name->setText(Text("memberName"));
    dlg->RzEd_Money->setText(QString::number(DBGridEh1->Value(QStringLiteral("curMoney1")).asFloat(), 'f', 2));
    dlg->RzEd_Style->setText(QueryLines(ConnectionString,
                                        QStringLiteral("select ReMark from D_CardCheapStyle where CheapID=?"),
                                        {Text("CheapMode")}));
    Messages::Exec(dlg.get());
    ReadList(card);
}

void TFrm_HYManage::RzBit_ClearPassClick()
{
    if (!HasCard())
        return;
    if (!Messages::Ask(QStringLiteral("你确定要清空当前会员的会员卡密码？"), Messages::Icon::Warning))
        return;
    const QString card = Card();
    // Re-read so that the row's remembered password is the empty one.
    if (members::WriteAtomically(QStringLiteral("清空密码失败："), [&] {
            Db().exec(QStringLiteral("Update T_MemberInfo set PassWord='' where CodeID=?"), {card});
            frm_DM->WriteLog(QStringLiteral("会员卡号：[") + card + QStringLiteral("] 密码被清空！"));
        }))
        ReadList(card);
}
