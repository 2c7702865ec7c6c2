#include "Ut_HYCardSet.h"
#include "CardRules.h"
#include "FormHelpers.h"
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
#include <QStackedWidget>
#include <QVBoxLayout>

namespace {

QLineEdit *edit(QWidget *parent, const char *name, int maxLength = 0)
{
    return NewLineEdit(parent, QString::fromLatin1(name), maxLength);
}

QPushButton *button(QWidget *parent, const char *name, const QString &text, const QString &hint)
{
    return members::NamedButton(parent, name, text, hint, QSize(70, 26));
}

// A validation failure: the warning, the focus on the offending edit, nothing written.
bool refuse(QWidget *focus, const QString &text)
{
    Messages::Warn(text);
    focus->setFocus();
    return false;
}

// A list re-read in code order, standing on the row whose code is `select` when given.
void Reread(DBGridEh *grid, const QString &sql, const QString &codeField, const QString &select)
{
    try {
        grid->SetResult(Db().query(sql));
    } catch (const db::DbError &) {
        grid->SetResult(db::Result());
    }
    if (select.isEmpty())
        return;
    for (int row = 0; row < grid->RowCount(); ++row)
        if (grid->Value(row, codeField).asString().trimmed() == select)
            grid->SetCurrentRow(row);
}

// The uniqueness check of a new or changed code: refused with `taken` when a row has
// it, with `invalid` when the check itself fails.
bool CodeIsFree(QLineEdit *edit, const QString &sql, const QString &code, const QString &taken,
                const QString &invalid)
{
    try {
        return Db().query(sql, {code}).isEmpty() || refuse(edit, taken);
    } catch (const db::DbError &) {
        return refuse(edit, invalid);
    }
}

} // namespace

TFrm_HYCardSet::TFrm_HYCardSet(QWidget *parent) : TfrmDialog(parent)
{
    setObjectName(QStringLiteral("TFrm_HYCardSet"));
    SetTitle(QStringLiteral("会员卡类型设置"));
    SetChildScreen(true);
    Panel2->hide();
    auto *lay = new QVBoxLayout(Body());
    lay->setContentsMargins(8, 8, 8, 8);
    lay->addWidget(BuildLevels(), 1);
    lay->addWidget(BuildStyles(), 1);
    resize(900, 620);
}

QGroupBox *TFrm_HYCardSet::BuildLevels()
{
    auto *box = new QGroupBox(QStringLiteral("会员卡级别设置"), Body());
    auto *lay = new QHBoxLayout(box);
    DBGridEh1 = new DBGridEh(box);
    DBGridEh1->setObjectName(QStringLiteral("DBGridEh1"));
    const Qt::Alignment right = Qt::AlignRight | Qt::AlignVCenter;
    DBGridEh1->SetColumns({
        {QStringLiteral("ID"), QStringLiteral("级别ID"), 60},
        {QStringLiteral("UserName"), QStringLiteral("级别名称"), 110},
        {QStringLiteral("rate"), QStringLiteral("折扣率"), 60, {}, GridColumn::NoFooter, right},
        {QStringLiteral("ScoreUp"), QStringLiteral("积分下线"), 80},
        {QStringLiteral("ScoreDown"), QStringLiteral("积分上线"), 80},
    });
    lay->addWidget(DBGridEh1, 3);

    auto *side = new QVBoxLayout;
    auto *g = new QGridLayout;
    RzDBEdit1 = edit(box, "RzDBEdit1", 4);
    RzDBEdit2 = edit(box, "RzDBEdit2", 20);
    RzDBEdit3 = edit(box, "RzDBEdit3");
    AttachNumeric(RzDBEdit3, 3, 2);
    RzDBEdit4 = edit(box, "RzDBEdit4", 8);
    AttachNumeric(RzDBEdit4, 2, 0);
    RzDBEdit5 = edit(box, "RzDBEdit5", 8);
    AttachNumeric(RzDBEdit5, 2, 0);
    g->addWidget(new QLabel(QStringLiteral("级别ID"), box), 0, 0);
    g->addWidget(RzDBEdit1, 0, 1, 1, 3);
    g->addWidget(new QLabel(QStringLiteral("级别名称"), box), 1, 0);
    g->addWidget(RzDBEdit2, 1, 1, 1, 3);
    g->addWidget(new QLabel(QStringLiteral("折扣率"), box), 2, 0);
    g->addWidget(RzDBEdit3, 2, 1);
    g->addWidget(new QLabel(QStringLiteral("（注：0.7即为打七折）"), box), 2, 2, 1, 2);
    g->addWidget(new QLabel(QStringLiteral("积分区间 从"), box), 3, 0);
    g->addWidget(RzDBEdit4, 3, 1);
    g->addWidget(new QLabel(QStringLiteral("至"), box), 3, 2);
    g->addWidget(RzDBEdit5, 3, 3);
    side->addLayout(g);
    auto *buttons = new QHBoxLayout;
    RzBit_add = button(box, "RzBit_add", QStringLiteral("增加"), QStringLiteral("增加会员卡级别"));
    RzBit_Edit = button(box, "RzBit_Edit", QStringLiteral("编辑"), QStringLiteral("编辑会员卡信息"));
    RzBit_Save = button(box, "RzBit_Save", QStringLiteral("保存"), QStringLiteral("保存会员卡信息"));
    RzBit_Cancel = button(box, "RzBit_Cancel", QStringLiteral("取消"), QStringLiteral("取消编辑会员卡级别"));
    RzBit_Delete = button(box, "RzBit_Delete", QStringLiteral("删除"), QStringLiteral("删除会员卡级别"));
    for (QPushButton *b : {RzBit_add, RzBit_Edit, RzBit_Save, RzBit_Cancel, RzBit_Delete})
        buttons->addWidget(b);
    side->addLayout(buttons);
    side->addStretch();
    lay->addLayout(side, 2);

    connect(DBGridEh1, &DBGridEh::currentRowChanged, this, &TFrm_HYCardSet::LevelRowChanged);
    connect(RzBit_add, &QPushButton::clicked, this, &TFrm_HYCardSet::RzBit_addClick);
    connect(RzBit_Edit, &QPushButton::clicked, this, &TFrm_HYCardSet::RzBit_EditClick);
    connect(RzBit_Save, &QPushButton::clicked, this, &TFrm_HYCardSet::RzBit_SaveClick);
    connect(RzBit_Cancel, &QPushButton::clicked, this, &TFrm_HYCardSet::RzBit_CancelClick);
    connect(RzBit_Delete, &QPushButton::clicked, this, &TFrm_HYCardSet::RzBit_DeleteClick);
    // Typing into a browsed row starts editing it, as a data-bound edit does.
    for (QLineEdit *e : {RzDBEdit1, RzDBEdit2, RzDBEdit3, RzDBEdit4, RzDBEdit5})
        connect(e, &QLineEdit::textEdited, this, [this] {
            if (m_levelState == EditState::Browse)
                RzBit_EditClick();
        });
    connect(RzDBEdit3, &QLineEdit::editingFinished, this, [this] {
        bool ok = false;
        const double rate = RzDBEdit3->text().trimmed().toDouble(&ok);
        if (ok && rate > 1)
            RzDBEdit3->setText(QStringLiteral("1"));
        else if (ok && rate < 0)
            RzDBEdit3->setText(QStringLiteral("0"));
    });
    return box;
}

QGroupBox *TFrm_HYCardSet::BuildStyles()
{
    auto *box = new QGroupBox(QStringLiteral("会员卡优惠方式设置"), Body());
    auto *lay = new QHBoxLayout(box);
    DBGridEh2 = new DBGridEh(box);
    DBGridEh2->setObjectName(QStringLiteral("DBGridEh2"));
    DBGridEh2->SetColumns({
        {QStringLiteral("CheapID"), QStringLiteral("优惠编号"), 60},
        {QStringLiteral("CheapName"), QStringLiteral("优惠项目名称"), 110},
        {QStringLiteral("KindName"), QStringLiteral("优惠种类"), 70},
        {QStringLiteral("ReMark"), QStringLiteral("优惠说明"), 200},
    });
    lay->addWidget(DBGridEh2, 3);

    auto *side = new QVBoxLayout;
    auto *g = new QGridLayout;
    RzDBEdit6 = edit(box, "RzDBEdit6", 4);
    RzDBEdit7 = edit(box, "RzDBEdit7", 20);
    RzDBLookupComboBox1 = new QComboBox(box);
    RzDBLookupComboBox1->setObjectName(QStringLiteral("RzDBLookupComboBox1"));
    g->addWidget(new QLabel(QStringLiteral("优惠编号"), box), 0, 0);
    g->addWidget(RzDBEdit6, 0, 1);
    g->addWidget(new QLabel(QStringLiteral("优惠项目名称"), box), 1, 0);
    g->addWidget(RzDBEdit7, 1, 1);
    g->addWidget(new QLabel(QStringLiteral("优惠的种类"), box), 2, 0);
    g->addWidget(RzDBLookupComboBox1, 2, 1);
    side->addLayout(g);

    Notebook1 = new QStackedWidget(box);
    Notebook1->setObjectName(QStringLiteral("Notebook1"));
    auto *deposit = new QWidget(Notebook1);
    auto *dl = new QHBoxLayout(deposit);
    dl->setContentsMargins(0, 0, 0, 0);
    RzDBEdit8 = edit(deposit, "RzDBEdit8", 7);
    AttachNumeric(RzDBEdit8, 2, 0);
    auto *hundred = new QLabel(QStringLiteral("100"), deposit);
    hundred->setStyleSheet(QStringLiteral("color: red; font-weight: bold;"));
    dl->addWidget(new QLabel(QStringLiteral("交费"), deposit));
    dl->addWidget(hundred);
    dl->addWidget(new QLabel(QStringLiteral("元相当于存入卡中"), deposit));
    dl->addWidget(RzDBEdit8);
    dl->addWidget(new QLabel(QStringLiteral("元"), deposit));
    dl->addStretch();
    auto *count = new QWidget(Notebook1);
    auto *cl = new QHBoxLayout(count);
    cl->setContentsMargins(0, 0, 0, 0);
    RzDBEdit11 = edit(count, "RzDBEdit11", 8);
    AttachNumeric(RzDBEdit11, 2, 0);
    RzDBEdit12 = edit(count, "RzDBEdit12", 8);
    AttachNumeric(RzDBEdit12, 2, 0);
    cl->addWidget(new QLabel(QStringLiteral("交费用"), count));
    cl->addWidget(RzDBEdit11);
    cl->addWidget(new QLabel(QStringLiteral("元 可消费"), count));
    cl->addWidget(RzDBEdit12);
    cl->addWidget(new QLabel(QStringLiteral("次"), count));
    cl->addStretch();
    Notebook1->addWidget(deposit);
    Notebook1->addWidget(count);
    side->addWidget(Notebook1);

    auto *buttons = new QHBoxLayout;
    RzBit_Add2 = button(box, "RzBit_Add2", QStringLiteral("增加"), QStringLiteral("增加优惠方式"));
    RzBit_Edit2 = button(box, "RzBit_Edit2", QStringLiteral("编辑"), QStringLiteral("编辑优惠方式"));
    RzBit_save2 = button(box, "RzBit_save2", QStringLiteral("保存"), QStringLiteral("保存优惠方式"));
    RzBit_Cancel2 = button(box, "RzBit_Cancel2", QStringLiteral("取消"), QStringLiteral("取消编辑"));
    RzBit_Delete2 = button(box, "RzBit_Delete2", QStringLiteral("删除"), QStringLiteral("删除优惠方式"));
    for (QPushButton *b : {RzBit_Add2, RzBit_Edit2, RzBit_save2, RzBit_Cancel2, RzBit_Delete2})
        buttons->addWidget(b);
    side->addLayout(buttons);
    side->addStretch();
    lay->addLayout(side, 2);

    connect(DBGridEh2, &DBGridEh::currentRowChanged, this, &TFrm_HYCardSet::StyleRowChanged);
    connect(RzDBLookupComboBox1, &QComboBox::currentIndexChanged, this, &TFrm_HYCardSet::KindChanged);
    connect(RzDBLookupComboBox1, &QComboBox::activated, this, [this] {
        if (m_styleState == EditState::Browse)
            RzBit_Edit2Click();
    });
    connect(RzBit_Add2, &QPushButton::clicked, this, &TFrm_HYCardSet::RzBit_Add2Click);
    connect(RzBit_Edit2, &QPushButton::clicked, this, &TFrm_HYCardSet::RzBit_Edit2Click);
    connect(RzBit_save2, &QPushButton::clicked, this, &TFrm_HYCardSet::RzBit_save2Click);
    connect(RzBit_Cancel2, &QPushButton::clicked, this, &TFrm_HYCardSet::RzBit_Cancel2Click);
    connect(RzBit_Delete2, &QPushButton::clicked, this, &TFrm_HYCardSet::RzBit_Delete2Click);
    for (QLineEdit *e : {RzDBEdit6, RzDBEdit7, RzDBEdit8, RzDBEdit11, RzDBEdit12})
        connect(e, &QLineEdit::textEdited, this, [this] {
            if (m_styleState == EditState::Browse)
                RzBit_Edit2Click();
        });
    // Both credit edits show the one CheapMoney column.
    connect(RzDBEdit8, &QLineEdit::textChanged, RzDBEdit12, [this](const QString &t) {
        if (RzDBEdit12->text() != t)
            RzDBEdit12->setText(t);
    });
    connect(RzDBEdit12, &QLineEdit::textChanged, RzDBEdit8, [this](const QString &t) {
        if (RzDBEdit8->text() != t)
            RzDBEdit8->setText(t);
    });
    return box;
}

void TFrm_HYCardSet::showEvent(QShowEvent *event)
{
    if (!m_shown) {
        m_shown = true;
        const QSignalBlocker block(RzDBLookupComboBox1);
        FillCombo(ConnectionString, QStringLiteral("select KindId,KindName from D_CardCheapKind"), RzDBLookupComboBox1);
        ReadLevels();
        ReadStyles();
    }
    TfrmDialog::showEvent(event);
}

// ---- levels ------------------------------------------------------------------------

void TFrm_HYCardSet::ReadLevels(const QString &select)
{
    Reread(DBGridEh1, QStringLiteral("select ID,UserName,rate,ScoreUp,ScoreDown,SysSet from D_MemberLevel    order by ID "),
           QStringLiteral("ID"), select);
    SetLevelState(EditState::Browse);
}

bool TFrm_HYCardSet::LevelBuiltIn() const
{
    return DBGridEh1->CurrentRow() >= 0 && DBGridEh1->Value(QStringLiteral("SysSet")).asInt() == 1;
}

void TFrm_HYCardSet::LevelRowChanged()
{
    if (m_levelState != EditState::Browse)
        return;
    auto value = [this](const char *f) { return DBGridEh1->Value(QString::fromLatin1(f)).asString(); };
    RzDBEdit1->setText(value("ID"));
    RzDBEdit2->setText(value("UserName"));
    RzDBEdit3->setText(value("rate"));
    RzDBEdit4->setText(value("ScoreUp"));
    RzDBEdit5->setText(value("ScoreDown"));
    ProtectLevel(LevelBuiltIn());
}

void TFrm_HYCardSet::ProtectLevel(bool builtIn)
{
    for (QWidget *w : std::initializer_list<QWidget *>{RzBit_Delete, RzBit_Edit, RzDBEdit1, RzDBEdit2, RzDBEdit3,
                                                       RzDBEdit4, RzDBEdit5})
        w->setEnabled(!builtIn);
}

void TFrm_HYCardSet::SetLevelState(EditState s)
{
    m_levelState = s;
    DBGridEh1->setEnabled(s == EditState::Browse);
    if (s == EditState::Browse)
        LevelRowChanged();
}

void TFrm_HYCardSet::RzBit_addClick()
{
    if (m_levelState != EditState::Browse)
        RzBit_CancelClick();
    m_levelState = EditState::Insert;
    m_levelOrigId.clear();
    for (QLineEdit *e : {RzDBEdit1, RzDBEdit2, RzDBEdit3, RzDBEdit4, RzDBEdit5})
        e->clear();
    ProtectLevel(false);
    DBGridEh1->setEnabled(false);
    RzDBEdit1->setFocus();
}

void TFrm_HYCardSet::RzBit_EditClick()
{
    if (m_levelState != EditState::Browse || DBGridEh1->CurrentRow() < 0 || LevelBuiltIn())
        return;
    m_levelOrigId = DBGridEh1->Value(QStringLiteral("ID")).asString().trimmed();
    SetLevelState(EditState::Edit);
}

void TFrm_HYCardSet::RzBit_SaveClick()
{
    if (m_levelState == EditState::Browse)
        return;
    const QString id = RzDBEdit1->text().trimmed();
    if (id.isEmpty())
        return void(refuse(RzDBEdit1, QStringLiteral("会员卡ID不能为空！请输入...")));
    if (RzDBEdit2->text().trimmed().isEmpty())
        return void(refuse(RzDBEdit2, QStringLiteral("级别名称不能为空！请输入...")));
    if (RzDBEdit3->text().trimmed().isEmpty())
        return void(refuse(RzDBEdit3, QStringLiteral("折扣率不能为空！请输入...")));
    if (RzDBEdit4->text().trimmed().isEmpty() || RzDBEdit5->text().trimmed().isEmpty())
        return void(refuse(RzDBEdit4, QStringLiteral("积分区间不能为空！")));
    const double up = RzDBEdit4->text().trimmed().toDouble();
    const double down = RzDBEdit5->text().trimmed().toDouble();
    if (up > down)
        return void(refuse(RzDBEdit5, QStringLiteral("积分区间 \"上线积分\"不能比\"下线积分\"小！请修改...")));
    if ((m_levelState == EditState::Insert || id != m_levelOrigId)
        && !CodeIsFree(RzDBEdit1, QStringLiteral(" select ID from D_MemberLevel where ID=?"), id,
                       QStringLiteral("你输入的会员卡ID已经存在，请再输入一个ID号！"),
                       QStringLiteral("你输入的会员卡ID号不正确，请再输入一个ID号！")))
        return;
    const double rate = qBound(0.0, RzDBEdit3->text().trimmed().toDouble(), 1.0);
    if (members::WriteAtomically(QStringLiteral("会员卡级别保存失败："), [&] {
            if (m_levelState == EditState::Insert)
                Db().exec(QStringLiteral("insert into D_MemberLevel(ID,UserName,rate,ScoreUp,ScoreDown,SysSet) "
                                         "values(?,?,?,?,?,0)"),
                          {id, RzDBEdit2->text(), rate, up, down});
            else
                Db().exec(QStringLiteral("update D_MemberLevel set ID=?,UserName=?,rate=?,ScoreUp=?,ScoreDown=?,SysSet=0 "
                                         "where ID=?"),
                          {id, RzDBEdit2->text(), rate, up, down, m_levelOrigId});
        }))
        ReadLevels(id);
}

void TFrm_HYCardSet::RzBit_CancelClick()
{
    SetLevelState(EditState::Browse);
}

void TFrm_HYCardSet::RzBit_DeleteClick()
{
    if (m_levelState == EditState::Insert) {
        RzBit_CancelClick();
        return;
    }
    if (DBGridEh1->CurrentRow() < 0 || LevelBuiltIn())
        return;
    if (!Messages::Ask(QStringLiteral("你确定要删除此类型卡信息吗？")))
        return;
    const QString id = DBGridEh1->Value(QStringLiteral("ID")).asString();
    if (members::WriteAtomically(QStringLiteral("会员卡级别删除失败："), [&] {
            Db().exec(QStringLiteral("delete from D_MemberLevel where ID=?"), {id});
        }))
        ReadLevels();
}

// ---- styles ------------------------------------------------------------------------

void TFrm_HYCardSet::ReadStyles(const QString &select)
{
    Reread(DBGridEh2,
           QStringLiteral("select ID,CheapID,CheapKind,CheapName,CostMoney,CheapMoney,ReMark,sysSet,"
                          "(select KindName from D_CardCheapKind k where k.KindId=s.CheapKind) as KindName "
                          "from D_CardCheapStyle s   order by CheapID "),
           QStringLiteral("CheapID"), select);
    SetStyleState(EditState::Browse);
}

bool TFrm_HYCardSet::StyleBuiltIn() const
{
    return DBGridEh2->CurrentRow() >= 0 && DBGridEh2->Value(QStringLiteral("sysSet")).asInt() == 1;
}

void TFrm_HYCardSet::StyleRowChanged()
{
    if (m_styleState != EditState::Browse)
        return;
    auto value = [this](const char *f) { return DBGridEh2->Value(QString::fromLatin1(f)).asString(); };
    RzDBEdit6->setText(value("CheapID"));
    RzDBEdit7->setText(value("CheapName"));
    {
        const QSignalBlocker block(RzDBLookupComboBox1);
        if (!SelectComboValue(RzDBLookupComboBox1, value("CheapKind").trimmed()))
            RzDBLookupComboBox1->setCurrentIndex(-1);
    }
    KindChanged();
    RzDBEdit11->setText(value("CostMoney"));
    RzDBEdit8->setText(value("CheapMoney"));
    ProtectStyle(StyleBuiltIn());
}

void TFrm_HYCardSet::KindChanged()
{
    const QString kind = ComboValue(RzDBLookupComboBox1);
    if (kind == QLatin1String("01"))
        Notebook1->setCurrentIndex(0);
    else if (kind == QLatin1String("02"))
        Notebook1->setCurrentIndex(1);
}

void TFrm_HYCardSet::ProtectStyle(bool builtIn)
{
    for (QWidget *w : std::initializer_list<QWidget *>{RzBit_Delete2, RzBit_Edit2, RzDBEdit6, RzDBEdit7,
                                                       RzDBLookupComboBox1, Notebook1})
        w->setEnabled(!builtIn);
}

void TFrm_HYCardSet::SetStyleState(EditState s)
{
    m_styleState = s;
    DBGridEh2->setEnabled(s == EditState::Browse);
    if (s == EditState::Browse)
        StyleRowChanged();
}

void TFrm_HYCardSet::RzBit_Add2Click()
{
    if (m_styleState != EditState::Browse)
        RzBit_Cancel2Click();
    m_styleState = EditState::Insert;
    m_styleOrigId.clear();
    for (QLineEdit *e : {RzDBEdit6, RzDBEdit7, RzDBEdit8, RzDBEdit11, RzDBEdit12})
        e->clear();
    {
        const QSignalBlocker block(RzDBLookupComboBox1);
        RzDBLookupComboBox1->setCurrentIndex(-1);
    }
    ProtectStyle(false);
    DBGridEh2->setEnabled(false);
    RzDBEdit6->setFocus();
}

void TFrm_HYCardSet::RzBit_Edit2Click()
{
    if (m_styleState != EditState::Browse || DBGridEh2->CurrentRow() < 0 || StyleBuiltIn())
        return;
    m_styleOrigId = DBGridEh2->Value(QStringLiteral("CheapID")).asString().trimmed();
    SetStyleState(EditState::Edit);
}

void TFrm_HYCardSet::RzBit_save2Click()
{
    if (m_styleState == EditState::Browse)
        return;
    const QString id = RzDBEdit6->text().trimmed();
    if (id.isEmpty())
        return void(refuse(RzDBEdit6, QStringLiteral("优惠编号ID不能为空,且不能重复！")));
    if (RzDBEdit7->text().trimmed().isEmpty())
        return void(refuse(RzDBEdit7, QStringLiteral("优惠项目名称不能为空！")));
    const QString kind = ComboValue(RzDBLookupComboBox1);
    if (kind.isEmpty())
        return void(refuse(RzDBLookupComboBox1, QStringLiteral("请选择优惠种类！")));
    if ((m_styleState == EditState::Insert || id != m_styleOrigId)
        && !CodeIsFree(RzDBEdit6, QStringLiteral(" select CheapID from D_CardCheapStyle where CheapID=?"), id,
                       QStringLiteral("你输入的优惠编号ID已经存在，请再输入一个ID号！"),
                       QStringLiteral("你输入的优惠编号ID不正确，请再输入一个ID号！")))
        return;
    int costMoney = 100;
    if (kind == QLatin1String("02")) {
        costMoney = RzDBEdit11->text().trimmed().toInt();
        // Recharges divide by the price of a block of uses.
        if (!cards::StyleUsable(costMoney))
            return void(refuse(RzDBEdit11, QStringLiteral("计次消费的交费金额不能为空或者为0！请输入...")));
    }
    const int cheapMoney = RzDBEdit8->text().trimmed().toInt();
    const QString remark = cards::StyleRemark(kind, RzDBEdit8->text().trimmed(), RzDBEdit11->text().trimmed(),
                                              RzDBEdit12->text().trimmed());
    if (members::WriteAtomically(QStringLiteral("优惠方式保存失败："), [&] {
            if (m_styleState == EditState::Insert)
                Db().exec(QStringLiteral("insert into D_CardCheapStyle(CheapID,CheapKind,CheapName,CostMoney,CheapMoney,"
                                         "ReMark,sysSet) values(?,?,?,?,?,?,0)"),
                          {id, kind, RzDBEdit7->text(), costMoney, cheapMoney, remark});
            else
                Db().exec(QStringLiteral("update D_CardCheapStyle set CheapID=?,CheapKind=?,CheapName=?,CostMoney=?,"
                                         "CheapMoney=?,ReMark=?,sysSet=0 where CheapID=?"),
                          {id, kind, RzDBEdit7->text(), costMoney, cheapMoney, remark, m_styleOrigId});
        }))
        ReadStyles(id);
}

void TFrm_HYCardSet::RzBit_Cancel2Click()
{
    SetStyleState(EditState::Browse);
}

void TFrm_HYCardSet::RzBit_Delete2Click()
{
    if (m_styleState == EditState::Insert) {
        RzBit_Cancel2Click();
        return;
    }
    if (DBGridEh2->CurrentRow() < 0 || StyleBuiltIn())
        return;
    const QString id = DBGridEh2->Value(QStringLiteral("CheapID")).asString();
    if (QueryExists(ConnectionString, QStringLiteral("Select CheapMode from T_MemberInfo where CheapMode=?"), {id})) {
        Messages::Info(QStringLiteral("会员卡中现在有此优惠方式不能删除！"));
        return;
    }
    if (!Messages::Ask(QStringLiteral("你确定要删除此优惠信息吗？")))
        return;
    if (members::WriteAtomically(QStringLiteral("优惠方式删除失败："), [&] {
            Db().exec(QStringLiteral("delete from D_CardCheapStyle where CheapID=?"), {id});
        }))
        ReadStyles();
}
