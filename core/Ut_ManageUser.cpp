#include "Ut_ManageUser.h"
#include "DBGridEh.h"
#include "DM.h"
#include "Messages.h"
#include "Pictures.h"
#include "Routines.h"
#include "ScreenRegistry.h"

#include <QGridLayout>
#include <QHBoxLayout>
#include <QLabel>
#include <QLineEdit>
#include <QListWidget>
#include <QMouseEvent>
#include <QPushButton>
#include <QVBoxLayout>

QStringList RightItems()
{
    static const QStringList items{
        QStringLiteral("01.[增加]会员"),     QStringLiteral("02.[修改]会员"),   QStringLiteral("03.[删除]会员"),
        QStringLiteral("04.会员卡[挂失]"),   QStringLiteral("05.会员卡[换卡]"), QStringLiteral("06.会员卡[转卡]"),
        QStringLiteral("07.会员卡[充值]"),   QStringLiteral("08.添加消费"),     QStringLiteral("09.删除消费"),
        QStringLiteral("10.会员退货"),       QStringLiteral("11.会员[兑换商品]"), QStringLiteral("12.打印报表"),
        QStringLiteral("13.添加提醒"),       QStringLiteral("14.修改提醒"),     QStringLiteral("15.删除提醒"),
        QStringLiteral("16.会员卡类型设置"), QStringLiteral("17.商品设置"),     QStringLiteral("18.系统参数设置"),
        QStringLiteral("19.备份数据"),       QStringLiteral("20.恢复数据"),     QStringLiteral("21.清除数据"),
        QStringLiteral("22.日志查看"),       QStringLiteral("23.充值管理"),     QStringLiteral("30.用户管理"),
    };
    return items;
}

QString BuildPowerString(const QStringList &grantedCodes)
{
    QString power;
    for (const QString &code : grantedCodes)
        power += QLatin1Char('$') + code + QLatin1Char(';');
    return power;
}

TFrm_ManageUser::TFrm_ManageUser(QWidget *parent) : TfrmDialog(parent)
{
    setObjectName(QStringLiteral("TFrm_ManageUser"));
    SetChildScreen(true);
    SetTitle(QStringLiteral("操作员的管理，可以进行权限的增加、删除、修改及权限分配的操作"));
    Image1->setPixmap(Pictures::Glyph(QStringLiteral("user"), 36, QColor(10, 36, 106)));
    Panel2->hide();

    auto *outer = new QVBoxLayout(Body());
    outer->setContentsMargins(12, 10, 12, 10);
    RzLabel1 = new QLabel(QStringLiteral("注：用户Admin为系统管理员，不能删除，且Admin具有全部权限，建议立即修改密码！"), Body());
    RzLabel1->setObjectName(QStringLiteral("RzLabel1"));
    RzLabel1->setStyleSheet(QStringLiteral("color: rgb(200,0,0); font-weight: bold;"));
    outer->addWidget(RzLabel1);

    auto *row = new QHBoxLayout;
    outer->addLayout(row, 1);
    DBGridEh1 = new DBGridEh(Body());
    DBGridEh1->setObjectName(QStringLiteral("DBGridEh1"));
    DBGridEh1->SetColumns({GridColumn{QStringLiteral("UserCode"), QStringLiteral("操作员编号"), 110},
                           GridColumn{QStringLiteral("UserName"), QStringLiteral("操作员姓名"), 160}});
    DBGridEh1->setFixedWidth(300);
    row->addWidget(DBGridEh1);

    auto *right = new QVBoxLayout;
    row->addLayout(right, 1);
    auto *form = new QGridLayout;
    right->addLayout(form);
    auto edit = [this](const char *name, int maxLength, bool password) {
        QLineEdit *e = NewLineEdit(Body(), QString::fromLatin1(name), maxLength);
        e->setFixedWidth(200);
        if (password)
            e->setEchoMode(QLineEdit::Password);
        return e;
    };
    DBEdit1 = edit("DBEdit1", 6, false);
    DBEdit2 = edit("DBEdit2", 20, false);
    Ed_First = edit("Ed_First", 20, true);
    Ed_Pass = edit("Ed_Pass", 20, true);
    int r = 0;
    for (auto [caption, field] : {std::pair<const char *, QLineEdit *>{"操作员编号：", DBEdit1},
                                  {"操作员姓名：", DBEdit2},
                                  {"密码：", Ed_First},
                                  {"确认密码：", Ed_Pass}}) {
        form->addWidget(new QLabel(QString::fromUtf8(caption), Body()), r, 0, Qt::AlignRight);
        form->addWidget(field, r, 1, Qt::AlignLeft);
        ++r;
    }
    form->setColumnStretch(2, 1);

    Label4 = new QLabel(QStringLiteral("会员权限分配(点击此标签全部选择)"), Body());
    Label4->setObjectName(QStringLiteral("Label4"));
    Label4->setCursor(Qt::PointingHandCursor);
    Label4->setStyleSheet(QStringLiteral("color: rgb(10,36,106); font-weight: bold; text-decoration: underline;"));
    Label4->installEventFilter(this);
    right->addSpacing(8);
    right->addWidget(Label4);

    Check_box = new QListWidget(Body());
    Check_box->setObjectName(QStringLiteral("Check_box"));
    Check_box->setFlow(QListView::TopToBottom);
    Check_box->setWrapping(true);
    Check_box->setResizeMode(QListView::Adjust);
    Check_box->setGridSize(QSize(170, 22));
    Check_box->setFixedSize(3 * 170 + 8, 8 * 22 + 8);   // three columns of eight
    Check_box->setHorizontalScrollBarPolicy(Qt::ScrollBarAlwaysOff);
    for (const QString &text : RightItems()) {
        auto *item = new QListWidgetItem(text, Check_box);
        item->setFlags(Qt::ItemIsEnabled | Qt::ItemIsUserCheckable);
        item->setCheckState(Qt::Unchecked);
    }
    right->addWidget(Check_box);

    auto *buttons = new QHBoxLayout;
    right->addSpacing(8);
    right->addLayout(buttons);
    auto button = [&](const char *name, const QString &caption, const QString &hint) {
        auto *b = new QPushButton(caption, Body());
        b->setObjectName(QString::fromLatin1(name));
        b->setToolTip(hint);
        b->setMinimumSize(80, 28);
        buttons->addWidget(b);
        return b;
    };
    RzBit_Add = button("RzBit_Add", QStringLiteral("增加"), QStringLiteral("增加操作员"));
    RzBit_Modi = button("RzBit_Modi", QStringLiteral("修改"), QStringLiteral("修改操作员信息"));
    RzBit_Save = button("RzBit_Save", QStringLiteral("保存"), QStringLiteral("保存信息"));
    RzBit_Cancel = button("RzBit_Cancel", QStringLiteral("取消"), QStringLiteral("取消保存"));
    RzBtn_Delete = button("RzBtn_Delete", QStringLiteral("删除"), QStringLiteral("删除当前操作员"));
    buttons->addStretch();
    right->addStretch();

    connect(RzBit_Add, &QPushButton::clicked, this, &TFrm_ManageUser::RzBit_AddClick);
    connect(RzBit_Modi, &QPushButton::clicked, this, &TFrm_ManageUser::RzBit_ModiClick);
    connect(RzBit_Save, &QPushButton::clicked, this, &TFrm_ManageUser::RzBit_SaveClick);
    connect(RzBit_Cancel, &QPushButton::clicked, this, &TFrm_ManageUser::RzBit_CancelClick);
    connect(RzBtn_Delete, &QPushButton::clicked, this, &TFrm_ManageUser::RzBtn_DeleteClick);
    connect(DBGridEh1, &DBGridEh::currentRowChanged, this, [this] {
        if (!m_loading)
            ShowRow();
    });
    // Typing into the edits or ticking a right starts editing the row.
    for (QLineEdit *e : {DBEdit1, DBEdit2, Ed_First, Ed_Pass})
        connect(e, &QLineEdit::textEdited, this, &TFrm_ManageUser::BeginEdit);
    connect(Check_box, &QListWidget::itemChanged, this, [this] {
        if (!m_loading && !IsAdminRow())
            BeginEdit();
    });

    LoadRows();
}

void TFrm_ManageUser::LoadRows(const QString &selectCode)
{
    m_loading = true;
    try {
        DBGridEh1->SetResult(Db().query(QStringLiteral("select * from D_UserManage order by IFSys desc, UserCode ")));
    } catch (const db::DbError &e) {
        Messages::Error(e.text());
    }
    if (!selectCode.isEmpty())
        for (int i = 0; i < DBGridEh1->RowCount(); ++i)
            if (DBGridEh1->Value(i, QStringLiteral("UserCode")).asString() == selectCode)
                DBGridEh1->SetCurrentRow(i);
    m_loading = false;
    ShowRow();
}

bool TFrm_ManageUser::IsAdminRow() const
{
    return m_state != State::Insert
           && DBGridEh1->Value(QStringLiteral("UserCode")).asString().trimmed() == QLatin1String("admin");
}

void TFrm_ManageUser::ShowRow()
{
    m_loading = true;
    const bool hasRow = DBGridEh1->CurrentRow() >= 0;
    RowPower = DBGridEh1->Value(QStringLiteral("Power")).asString();
    DBEdit1->setText(DBGridEh1->Value(QStringLiteral("UserCode")).asString());
    DBEdit2->setText(DBGridEh1->Value(QStringLiteral("UserName")).asString());
    // The administrator's code and rights cannot be changed; his name and password can.
    const bool admin = IsAdminRow();
    Check_box->setEnabled(hasRow && !admin);
    DBEdit1->setEnabled(hasRow && !admin);
    DBEdit2->setEnabled(hasRow);
    ShowPowerString();
    m_loading = false;
    SetState(State::Browse);
}

void TFrm_ManageUser::ShowPowerString()
{
    const bool wasLoading = m_loading;
    m_loading = true;
    for (int i = 0; i < Check_box->count(); ++i) {
        QListWidgetItem *item = Check_box->item(i);
        const QString entry = QLatin1Char('$') + item->text().left(2) + QLatin1Char(';');
        item->setCheckState(RowPower.contains(entry) ? Qt::Checked : Qt::Unchecked);
    }
    m_loading = wasLoading;
}

QStringList TFrm_ManageUser::CheckedCodes() const
{
    QStringList codes;
    for (int i = 0; i < Check_box->count(); ++i)
        if (Check_box->item(i)->checkState() == Qt::Checked)
            codes << Check_box->item(i)->text().left(2);
    return codes;
}

void TFrm_ManageUser::SetState(State state)
{
    m_state = state;
    const bool browsing = state == State::Browse;
    const bool hasRow = DBGridEh1->CurrentRow() >= 0;
    // While a row is edited the list stays on it; "保存" or "取消" ends the edit.
    DBGridEh1->setEnabled(browsing);
    RzBit_Add->setEnabled(browsing);
    RzBit_Modi->setEnabled(browsing && hasRow);
    RzBit_Save->setEnabled(!browsing);
    RzBit_Cancel->setEnabled(!browsing);
    RzBtn_Delete->setEnabled(browsing && hasRow && !IsAdminRow());
}

void TFrm_ManageUser::BeginEdit()
{
    if (m_state != State::Browse || DBGridEh1->CurrentRow() < 0)
        return;
    // The row's code as it was before the keystroke that started the edit.
    OldUserCode = DBGridEh1->Value(QStringLiteral("UserCode")).asString().trimmed();
    SetState(State::Edit);
}

void TFrm_ManageUser::RzBit_ModiClick()
{
    BeginEdit();
}

void TFrm_ManageUser::RzBit_AddClick()
{
    if (m_state != State::Browse)
        return;
    m_state = State::Insert;
    m_loading = true;
    RowPower.clear();
    DBEdit1->clear();
    DBEdit2->clear();
    Ed_First->clear();
    Ed_Pass->clear();
    DBEdit1->setEnabled(true);
    DBEdit2->setEnabled(true);
    Check_box->setEnabled(true);
    ShowPowerString();
    m_loading = false;
    SetState(State::Insert);
    DBEdit1->setFocus();
}

void TFrm_ManageUser::Label4Click()
{
    m_loading = true;
    for (int i = 0; i < Check_box->count(); ++i)
        Check_box->item(i)->setCheckState(Qt::Checked);
    m_loading = false;
    if (!IsAdminRow())
        BeginEdit();
}

bool TFrm_ManageUser::eventFilter(QObject *watched, QEvent *event)
{
    if (watched == Label4 && event->type() == QEvent::MouseButtonRelease
        && static_cast<QMouseEvent *>(event)->button() == Qt::LeftButton) {
        Label4Click();
        return true;
    }
    return TfrmDialog::eventFilter(watched, event);
}

void TFrm_ManageUser::RzBit_SaveClick()
{
    if (m_state == State::Browse)
        return;
    auto refuse = [](const QString &text, QLineEdit *focus) {
        focus->setFocus();
        Messages::Warn(text);
    };
    const QString code = DBEdit1->text().trimmed();
    if (code.isEmpty())
        return refuse(QStringLiteral("操作员编号不能为空！"), DBEdit1);
    if (DBEdit2->text().trimmed().isEmpty())
        return refuse(QStringLiteral("操作员名称不能为空！"), DBEdit2);
    if (Ed_First->text() != Ed_Pass->text())
        return refuse(QStringLiteral("两次输入的密码不一致，请在输入一次！"), Ed_First);
    if (m_state == State::Insert || code != OldUserCode) {
        if (QueryExists(ConnectionString, QStringLiteral("select UserCode from D_UserManage where UserCode=?"), {code}))
            return refuse(QStringLiteral("你输入的编号已经存在，请再输入一个编号！"), DBEdit1);
    }

    const QString storedCode = m_state == State::Insert ? QString() : DBGridEh1->Value(QStringLiteral("UserCode")).asString();
    const QString name = DBEdit2->text();
    const bool newPassword = !Ed_First->text().isEmpty();
    const QString password =
        newPassword ? Ed_First->text().trimmed()
                    : (m_state == State::Insert ? QString() : DBGridEh1->Value(QStringLiteral("PassWord")).asString());
    const QString power = BuildPowerString(CheckedCodes());
    try {
        if (m_state == State::Insert)
            Db().exec(QStringLiteral("insert into D_UserManage(UserCode,UserName,PassWord,Power) values(?,?,?,?)"),
                      {code, name, password, power});
        else
            Db().exec(QStringLiteral("update D_UserManage set UserCode=?, UserName=?, PassWord=?, Power=? where UserCode=?"),
                      {code, name, password, power, storedCode});
    } catch (const db::DbError &e) {
        Messages::Error(e.text());   // the row stays in editing
        return;
    }
    // Only the logged-in operator's own row changes what he may do now.
    if (m_state == State::Edit && storedCode == CurUserCode) {
        CurUserCode = code;
        CurUserName = name.trimmed();
        CurUserPower = power.trimmed();
        if (newPassword)
            CurUserPassword = password;
    }
    m_state = State::Browse;
    LoadRows(code);
    Screens::ApplyRights();
}

void TFrm_ManageUser::RzBit_CancelClick()
{
    if (m_state == State::Browse)
        return;
    m_state = State::Browse;
    ShowRow();
}

void TFrm_ManageUser::RzBtn_DeleteClick()
{
    if (DBGridEh1->CurrentRow() < 0)
        return;
    if (DBGridEh1->Value(QStringLiteral("IFSys")).asString().trimmed() == QLatin1String("1")) {
        Messages::Info(QStringLiteral("不能删除系统管理员！"));
        return;
    }
    if (!Messages::Ask(QStringLiteral("你确定要删除此用户吗？")))
        return;
    try {
        Db().exec(QStringLiteral("delete from D_UserManage where UserCode=?"),
                  {DBGridEh1->Value(QStringLiteral("UserCode")).asString()});
    } catch (const db::DbError &e) {
        Messages::Error(e.text());
        return;
    }
    LoadRows();
}
