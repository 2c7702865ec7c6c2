#include "Ut_MemberAdd.h"
#include "CardRules.h"
#include "FormHelpers.h"
#include "Ut_BackMemberCode.h"
#include "Ut_TakePhoto.h"
#include "core/Clock.h"
#include "core/DM.h"
#include "core/Messages.h"
#include "core/Routines.h"

#include <QCheckBox>
#include <QComboBox>
#include <QDateEdit>
#include <QFile>
#include <QFileDialog>
#include <QFileInfo>
#include <QDir>
#include <QFrame>
#include <QGridLayout>
#include <QGroupBox>
#include <QHBoxLayout>
#include <QLabel>
#include <QLineEdit>
#include <QMenu>
#include <QPushButton>
#include <QToolButton>
#include <QVBoxLayout>
#include <memory>

namespace {

template <class W>
W *named(W *w, const char *name)
{
    w->setObjectName(QString::fromLatin1(name));
    return w;
}

QLineEdit *edit(QWidget *parent, const char *name, int maxLength = 0)
{
    return NewLineEdit(parent, QString::fromLatin1(name), maxLength);
}

QDateEdit *dateEdit(QWidget *parent, const char *name)
{
    auto *d = named(new QDateEdit(parent), name);
    d->setDisplayFormat(QStringLiteral("yyyy-MM-dd"));
    d->setCalendarPopup(true);
    return d;
}

// The two card panels show the same fields; what is typed in one shows in the other.
void mirror(QComboBox *a, QComboBox *b)
{
    // Qt signals a change to "no item" even when there was none: compare first.
    QObject::connect(a, &QComboBox::currentIndexChanged, b, [b](int i) { if (b->currentIndex() != i) b->setCurrentIndex(i); });
    QObject::connect(b, &QComboBox::currentIndexChanged, a, [a](int i) { if (a->currentIndex() != i) a->setCurrentIndex(i); });
}
void mirror(QLineEdit *a, QLineEdit *b)
{
    QObject::connect(a, &QLineEdit::textChanged, b, [b](const QString &t) { if (b->text() != t) b->setText(t); });
    QObject::connect(b, &QLineEdit::textChanged, a, [a](const QString &t) { if (a->text() != t) a->setText(t); });
}
void mirror(QCheckBox *a, QCheckBox *b)
{
    QObject::connect(a, &QCheckBox::toggled, b, &QCheckBox::setChecked);
    QObject::connect(b, &QCheckBox::toggled, a, &QCheckBox::setChecked);
}
void mirror(QDateEdit *a, QDateEdit *b)
{
    QObject::connect(a, &QDateEdit::dateChanged, b, &QDateEdit::setDate);
    QObject::connect(b, &QDateEdit::dateChanged, a, &QDateEdit::setDate);
}

QVariant dateValue(const QDate &d)
{
    return QDateTime(d, QTime(0, 0));
}

} // namespace

TFrm_MemberAdd::TFrm_MemberAdd(QWidget *parent) : TfrmDialog(parent)
{
    setObjectName(QStringLiteral("TFrm_MemberAdd"));
    SetTitle(QStringLiteral("会员信息管理"));
    BuildUi();
}

void TFrm_MemberAdd::BuildUi()
{
    auto *lay = new QHBoxLayout(Body());
    lay->setContentsMargins(10, 8, 10, 4);

    // ---- card basics and the two card panels
    auto *cardBox = new QGroupBox(QStringLiteral("会员卡基础信息(必填)"), Body());
    auto *cardLay = new QVBoxLayout(cardBox);
    auto *basics = new QGridLayout;
    RzDBEdit1 = edit(cardBox, "RzDBEdit1", 20);
    RzDBEdit2 = edit(cardBox, "RzDBEdit2", 20);
    RzDBLookupComboBox1 = named(new QComboBox(cardBox), "RzDBLookupComboBox1");
    basics->addWidget(new QLabel(QStringLiteral("会员卡号"), cardBox), 0, 0);
    basics->addWidget(RzDBEdit1, 0, 1);
    basics->addWidget(new QLabel(QStringLiteral("会员姓名"), cardBox), 1, 0);
    basics->addWidget(RzDBEdit2, 1, 1);
    basics->addWidget(new QLabel(QStringLiteral("会员卡类型"), cardBox), 2, 0);
    basics->addWidget(RzDBLookupComboBox1, 2, 1);
    cardLay->addLayout(basics);

    RzPanel_Count = named(new QFrame(cardBox), "RzPanel_Count");
    {
        auto *g = new QGridLayout(RzPanel_Count);
        g->setContentsMargins(0, 0, 0, 0);
        RzDBLookupComboBox2 = named(new QComboBox(RzPanel_Count), "RzDBLookupComboBox2");
        RzLab_DZ1 = named(new QLabel(RzPanel_Count), "RzLab_DZ1");
        RzDBEdit3 = edit(RzPanel_Count, "RzDBEdit3");
        AttachNumeric(RzDBEdit3, 2, 0);
        RzDBLookupComboBox3 = named(new QComboBox(RzPanel_Count), "RzDBLookupComboBox3");
        RzDBCheckBox1 = named(new QCheckBox(QStringLiteral("有效期限"), RzPanel_Count), "RzDBCheckBox1");
        RzDBDateTimePicker1 = dateEdit(RzPanel_Count, "RzDBDateTimePicker1");
        RzDBCheckBox2 = named(new QCheckBox(QStringLiteral("此卡是否根据积分自动升级"), RzPanel_Count), "RzDBCheckBox2");
        RzDBEdit4 = edit(RzPanel_Count, "RzDBEdit4", 100);
        g->addWidget(new QLabel(QStringLiteral("卡的级别"), RzPanel_Count), 0, 0);
        g->addWidget(RzDBLookupComboBox2, 0, 1);
        g->addWidget(RzLab_DZ1, 0, 2);
        g->addWidget(new QLabel(QStringLiteral("会员积分"), RzPanel_Count), 1, 0);
        g->addWidget(RzDBEdit3, 1, 1);
        g->addWidget(new QLabel(QStringLiteral("卡的当前状态"), RzPanel_Count), 2, 0);
        g->addWidget(RzDBLookupComboBox3, 2, 1);
        g->addWidget(RzDBCheckBox1, 3, 0);
        g->addWidget(RzDBDateTimePicker1, 3, 1);
        g->addWidget(RzDBCheckBox2, 4, 0, 1, 3);
        g->addWidget(new QLabel(QStringLiteral("备   注"), RzPanel_Count), 5, 0);
        g->addWidget(RzDBEdit4, 5, 1, 1, 2);
        g->setRowStretch(6, 1);
    }
    cardLay->addWidget(RzPanel_Count);

    RzPanel_Money = named(new QFrame(cardBox), "RzPanel_Money");
    {
        auto *g = new QGridLayout(RzPanel_Money);
        g->setContentsMargins(0, 0, 0, 0);
        RzDBLookupComboBox4 = named(new QComboBox(RzPanel_Money), "RzDBLookupComboBox4");
        RzLab_DZ2 = named(new QLabel(RzPanel_Money), "RzLab_DZ2");
        RzDBEdit12 = edit(RzPanel_Money, "RzDBEdit12", 8);
        AttachNumeric(RzDBEdit12, 2, 0);
        RzDBLookupComboBox5 = named(new QComboBox(RzPanel_Money), "RzDBLookupComboBox5");
        RzDBComb_YH = named(new QComboBox(RzPanel_Money), "RzDBComb_YH");
        RzLab_YH = named(new QLabel(RzPanel_Money), "RzLab_YH");
        RzEd_PassWord = edit(RzPanel_Money, "RzEd_PassWord", 20);
        RzEd_PassWord->setEchoMode(QLineEdit::Password);
        RzEd_OkPassWord = edit(RzPanel_Money, "RzEd_OkPassWord", 20);
        RzEd_OkPassWord->setEchoMode(QLineEdit::Password);
        RzDBEd_Money = edit(RzPanel_Money, "RzDBEd_Money", 8);
        AttachNumeric(RzDBEd_Money, 2, 0);
        RzLabel_CostMoney = named(new QLabel(QStringLiteral("储值金额"), RzPanel_Money), "RzLabel_CostMoney");
        RzDBCheckBox3 = named(new QCheckBox(QStringLiteral("有效期限"), RzPanel_Money), "RzDBCheckBox3");
        RzDBDateTimePicker4 = dateEdit(RzPanel_Money, "RzDBDateTimePicker4");
        RzDBCheckBox4 = named(new QCheckBox(QStringLiteral("此卡是否根据积分自动升级"), RzPanel_Money), "RzDBCheckBox4");
        RzDBEdit13 = edit(RzPanel_Money, "RzDBEdit13", 100);
        int row = 0;
        g->addWidget(new QLabel(QStringLiteral("卡的级别"), RzPanel_Money), row, 0);
        g->addWidget(RzDBLookupComboBox4, row, 1);
        g->addWidget(RzLab_DZ2, row++, 2);
        g->addWidget(new QLabel(QStringLiteral("会员积分"), RzPanel_Money), row, 0);
        g->addWidget(RzDBEdit12, row++, 1);
        g->addWidget(new QLabel(QStringLiteral("卡的当前状态"), RzPanel_Money), row, 0);
        g->addWidget(RzDBLookupComboBox5, row++, 1);
        g->addWidget(new QLabel(QStringLiteral("优惠方式"), RzPanel_Money), row, 0);
        g->addWidget(RzDBComb_YH, row++, 1);
        g->addWidget(RzLab_YH, row++, 0, 1, 3);
        g->addWidget(new QLabel(QStringLiteral("会员密码"), RzPanel_Money), row, 0);
        g->addWidget(RzEd_PassWord, row++, 1);
        g->addWidget(new QLabel(QStringLiteral("确定密码"), RzPanel_Money), row, 0);
        g->addWidget(RzEd_OkPassWord, row++, 1);
        g->addWidget(RzLabel_CostMoney, row, 0);
        g->addWidget(RzDBEd_Money, row++, 1);
        g->addWidget(RzDBCheckBox3, row, 0);
        g->addWidget(RzDBDateTimePicker4, row++, 1);
        g->addWidget(RzDBCheckBox4, row++, 0, 1, 3);
        g->addWidget(new QLabel(QStringLiteral("备注"), RzPanel_Money), row, 0);
        g->addWidget(RzDBEdit13, row++, 1, 1, 2);
        g->setRowStretch(row, 1);
    }
    cardLay->addWidget(RzPanel_Money);
    cardLay->addStretch(1);
    RzLab_DZ1->setMinimumWidth(60);
    RzLab_DZ2->setMinimumWidth(60);
    lay->addWidget(cardBox, 1);

    mirror(RzDBLookupComboBox2, RzDBLookupComboBox4);
    mirror(RzDBEdit3, RzDBEdit12);
    mirror(RzDBLookupComboBox3, RzDBLookupComboBox5);
    mirror(RzDBCheckBox1, RzDBCheckBox3);
    mirror(RzDBDateTimePicker1, RzDBDateTimePicker4);
    mirror(RzDBCheckBox2, RzDBCheckBox4);
    mirror(RzDBEdit4, RzDBEdit13);

    // ---- the person
    auto *personBox = new QGroupBox(QStringLiteral("会员基础信息"), Body());
    auto *g = new QGridLayout(personBox);
    RzDBComboBox1 = named(new QComboBox(personBox), "RzDBComboBox1");
    RzDBComboBox1->addItems({QStringLiteral("男"), QStringLiteral("女")});
    RzChk_Birthday = named(new QCheckBox(personBox), "RzChk_Birthday");
    RzDBDateTimePicker2 = dateEdit(personBox, "RzDBDateTimePicker2");
    RzDBDateTimePicker2->setEnabled(false);
    connect(RzChk_Birthday, &QCheckBox::toggled, RzDBDateTimePicker2, &QWidget::setEnabled);
    RzDBEdit5 = edit(personBox, "RzDBEdit5", 12);
    RzDBEdit6 = edit(personBox, "RzDBEdit6", 20);
    RzDBEdit7 = edit(personBox, "RzDBEdit7", 40);
    RzDBEdit8 = edit(personBox, "RzDBEdit8", 18);
    RzDBEdit9 = edit(personBox, "RzDBEdit9", 50);
    RzDBEdit10 = edit(personBox, "RzDBEdit10", 100);
    RzDBEdit11 = edit(personBox, "RzDBEdit11");
    RzDBEdit11->setReadOnly(true);
    RzEd_Photo = edit(personBox, "RzEd_Photo");
    RzEd_Photo->setReadOnly(true);
    RzEd_Photo->hide();
    RzMenuButton1 = named(new QToolButton(personBox), "RzMenuButton1");
    RzMenuButton1->setText(QStringLiteral("操作"));
    RzMenuButton1->setPopupMode(QToolButton::InstantPopup);
    auto *menu = new QMenu(RzMenuButton1);
    menu->addAction(QStringLiteral("本地照片"), this, &TFrm_MemberAdd::LocalPhotoClick);
    menu->addAction(QStringLiteral("采集照片"), this, &TFrm_MemberAdd::TakePhotoClick);
    menu->addSeparator();
    menu->addAction(QStringLiteral("清除照片"), this, &TFrm_MemberAdd::ClearPhotoClick);
    RzMenuButton1->setMenu(menu);
    Image2 = named(new QLabel(personBox), "Image2");
    Image2->setFixedSize(120, 150);
    Image2->setFrameShape(QFrame::Box);
    Image2->setScaledContents(true);
    RzDBDateTimePicker3 = dateEdit(personBox, "RzDBDateTimePicker3");
    RzEd_IntroName = edit(personBox, "RzEd_IntroName");
    RzEd_IntroName->setReadOnly(true);
    RzBit_Query = named(new QPushButton(QStringLiteral("查找"), personBox), "RzBit_Query");
    RzBit_Query->setToolTip(QStringLiteral("查询介绍人"));
    RzBit_Clear = named(new QPushButton(QStringLiteral("清除"), personBox), "RzBit_Clear");
    RzBit_Clear->setToolTip(QStringLiteral("清除介绍人"));

    int row = 0;
    g->addWidget(new QLabel(QStringLiteral("性别"), personBox), row, 0);
    g->addWidget(RzDBComboBox1, row++, 1);
    auto *birth = new QHBoxLayout;
    birth->addWidget(RzChk_Birthday);
    birth->addWidget(RzDBDateTimePicker2, 1);
    g->addWidget(new QLabel(QStringLiteral("出生年月"), personBox), row, 0);
    g->addLayout(birth, row++, 1);
    const std::pair<const char *, QLineEdit *> rows[] = {
        {"手机", RzDBEdit5}, {"固定电话", RzDBEdit6}, {"电子邮件", RzDBEdit7},
        {"身份证号码", RzDBEdit8}, {"联系地址", RzDBEdit9}, {"备注", RzDBEdit10}};
    for (const auto &[label, e] : rows) {
        g->addWidget(new QLabel(QString::fromUtf8(label), personBox), row, 0);
        g->addWidget(e, row++, 1);
    }
    auto *photo = new QHBoxLayout;
    photo->addWidget(RzDBEdit11, 1);
    photo->addWidget(RzEd_Photo, 1);
    photo->addWidget(RzMenuButton1);
    g->addWidget(new QLabel(QStringLiteral("会员照片"), personBox), row, 0);
    g->addLayout(photo, row++, 1);
    g->addWidget(new QLabel(QStringLiteral("加入时间"), personBox), row, 0);
    g->addWidget(RzDBDateTimePicker3, row++, 1);
    auto *intro = new QHBoxLayout;
    intro->addWidget(RzEd_IntroName, 1);
    intro->addWidget(RzBit_Query);
    intro->addWidget(RzBit_Clear);
    g->addWidget(new QLabel(QStringLiteral("介绍人"), personBox), row, 0);
    g->addLayout(intro, row++, 1);
    g->addWidget(Image2, 0, 2, 6, 1, Qt::AlignTop);
    g->setRowStretch(row, 1);
    lay->addWidget(personBox, 1);

    RzBit_Save = named(new QPushButton(QStringLiteral("保存"), Panel2), "RzBit_Save");
    RzBit_Save->setToolTip(QStringLiteral("保存会员信息"));
    RzBit_Save->setMinimumSize(80, 28);
    static_cast<QHBoxLayout *>(Panel2->layout())->insertWidget(1, RzBit_Save);

    connect(RzDBLookupComboBox1, &QComboBox::currentIndexChanged, this, &TFrm_MemberAdd::KindChanged);
    connect(RzDBComb_YH, &QComboBox::currentIndexChanged, this, &TFrm_MemberAdd::StyleChanged);
    connect(RzDBLookupComboBox4, &QComboBox::currentIndexChanged, this, &TFrm_MemberAdd::LevelChanged);
    connect(RzBit_Save, &QPushButton::clicked, this, &TFrm_MemberAdd::RzBit_SaveClick);
    connect(RzBit_Query, &QPushButton::clicked, this, &TFrm_MemberAdd::RzBit_QueryClick);
    connect(RzBit_Clear, &QPushButton::clicked, this, &TFrm_MemberAdd::RzBit_ClearClick);
    resize(760, 520);
}

void TFrm_MemberAdd::showEvent(QShowEvent *event)
{
    if (!m_shown) {
        m_shown = true;
        FormShow();
    }
    TfrmDialog::showEvent(event);
    if (EditMode == 1)
        RzDBEdit1->setFocus();
}

int TFrm_MemberAdd::Kind() const
{
    return ComboValue(RzDBLookupComboBox1).toInt();
}

void TFrm_MemberAdd::FormShow()
{
    {
        const QSignalBlocker kinds(RzDBLookupComboBox1);
        FillCombo(ConnectionString, QStringLiteral("select CardID,CardKind from D_MemberCardKind order by CardID"),
                  RzDBLookupComboBox1);
    }
    FillCombo(ConnectionString, QStringLiteral("select ID,UserName from D_MemberLevel where SysSet=0 order by ID"),
              RzDBLookupComboBox4);
    FillCombo(ConnectionString, QStringLiteral("select ID,UserName from D_MemberLevel where SysSet=0 order by ID"),
              RzDBLookupComboBox2);
    FillCombo(ConnectionString, QStringLiteral("select StateID,StateName from D_MemberCardState order by StateID"),
              RzDBLookupComboBox5);
    FillCombo(ConnectionString, QStringLiteral("select StateID,StateName from D_MemberCardState order by StateID"),
              RzDBLookupComboBox3);
    m_referrer.clear();

    if (EditMode == 2) {
        LoadMember();
    } else {
        const QDate today = Clock::now().date();
        SelectComboValue(RzDBLookupComboBox1, QStringLiteral("2"));
        SelectComboValue(RzDBLookupComboBox5, QStringLiteral("1"));
        RzDBDateTimePicker4->setDate(today);
        RzDBDateTimePicker3->setDate(today);
        RzDBDateTimePicker2->setDate(QDate(1980, 1, 1));
        RzDBComboBox1->setCurrentIndex(0);
        RzChk_Birthday->setChecked(false);
        ShowPicture(AppPath + QStringLiteral("default.jpg"));
        RzDBLookupComboBox4->setCurrentIndex(RzDBLookupComboBox4->count() > 0 ? 0 : -1);
        FillStyles(QStringLiteral("01"), QString());
    }
    KindChanged();
    LevelChanged();
    Saved = false;
}

void TFrm_MemberAdd::LoadMember()
{
    db::Result r;
    try {
        r = Db().query(QStringLiteral("select * from T_MemberInfo where CodeID=?"), {EditCodeID});
    } catch (const db::DbError &) {
    }
    if (r.isEmpty())
        return;
    auto text = [&](const char *column) { return r.value(0, QString::fromLatin1(column)).asString(); };
    auto date = [&](const char *column) { return r.value(0, QString::fromLatin1(column)).asDateTime().date(); };
    m_rowId = int(r.value(0, QStringLiteral("ID")).asInt());
    m_origCodeID = text("CodeID").trimmed();
    m_origIDCard = text("IDCard").trimmed();
    m_origPhoto = text("MemberPhoto").trimmed();

    RzDBEdit1->setText(text("CodeID"));
    RzDBEdit2->setText(text("memberName"));
    {
        const QSignalBlocker block(RzDBLookupComboBox1);
        SelectComboValue(RzDBLookupComboBox1, text("memberKind"));
    }
    // A built-in level is not in the list; the list then shows none and the member keeps it.
    m_origLevel = text("CardLevel");
    if (!SelectComboValue(RzDBLookupComboBox4, m_origLevel.trimmed()))
        RzDBLookupComboBox4->setCurrentIndex(-1);
    RzDBEdit12->setText(text("memberScore"));
    SelectComboValue(RzDBLookupComboBox5, text("CurState"));
    RzDBCheckBox3->setChecked(r.value(0, QStringLiteral("CardVailFlag")).asBool());
    RzDBDateTimePicker4->setDate(date("CardVailDate"));
    RzDBCheckBox4->setChecked(r.value(0, QStringLiteral("CardIfUpGrade")).asBool());
    RzDBEdit13->setText(text("Remark"));
    RzDBEd_Money->setText(text("CurMoney"));
    RzDBComboBox1->setCurrentIndex(text("sex").trimmed() == QStringLiteral("女") ? 1 : 0);
    const QDate birthday = date("birthday");
    RzChk_Birthday->setChecked(birthday.isValid());
    RzDBDateTimePicker2->setDate(birthday.isValid() ? birthday : QDate(1980, 1, 1));
    RzDBEdit5->setText(text("Mobile"));
    RzDBEdit6->setText(text("Tel"));
    RzDBEdit7->setText(text("EMail"));
    RzDBEdit8->setText(text("IDCard"));
    RzDBEdit9->setText(text("Addr"));
    RzDBEdit10->setText(text("RemarkInfo"));
    RzDBEdit11->setText(m_origPhoto);
    RzDBDateTimePicker3->setDate(date("AddDate"));
    ShowPicture(m_origPhoto.isEmpty() ? AppPath + QStringLiteral("default.jpg")
                                      : AppPath + QStringLiteral("Picture/") + m_origPhoto);
    const QString intro = text("IntroCodeID").trimmed();
    if (!intro.isEmpty())
        RzEd_IntroName->setText(QueryLines(
            ConnectionString, QStringLiteral("select codeID+'--'+MemberName from T_MemberInfo where CodeID=?"), {intro}));
    RzEd_IntroName->setProperty("introCode", intro);

    const int kind = text("memberKind").toInt();
    if (kind == cards::StoredValueCard)
        RzLabel_CostMoney->setText(QStringLiteral("卡内金额"));
    else if (kind == cards::CountCard)
        RzLabel_CostMoney->setText(QStringLiteral("卡内次数"));
    for (QWidget *w : {static_cast<QWidget *>(RzDBEdit1), static_cast<QWidget *>(RzDBLookupComboBox1),
                       static_cast<QWidget *>(RzDBEd_Money), static_cast<QWidget *>(RzDBComb_YH)})
        w->setEnabled(false);

    const QString style = text("CheapMode").trimmed();
    if (kind == cards::DiscountCard)
        FillStyles(QString(), style);
    else
        RzDBComb_YH->setProperty("keep", style);
}

void TFrm_MemberAdd::FillStyles(const QString &cheapKind, const QString &keep)
{
    const QSignalBlocker block(RzDBComb_YH);
    if (cheapKind.isEmpty())
        FillCombo(ConnectionString, QStringLiteral("select CheapID,CheapName from D_CardCheapStyle order by ID"), RzDBComb_YH);
    else
        FillCombo(ConnectionString,
                  QStringLiteral("select CheapID,CheapName from D_CardCheapStyle where CheapKind=? order by ID"),
                  RzDBComb_YH, {cheapKind});
    if (keep.isEmpty() || !SelectComboValue(RzDBComb_YH, keep))
        RzDBComb_YH->setCurrentIndex(RzDBComb_YH->count() > 0 ? 0 : -1);
    StyleChanged();
}

void TFrm_MemberAdd::KindChanged()
{
    const int kind = Kind();
    RzPanel_Count->setVisible(kind == cards::DiscountCard);
    RzPanel_Money->setVisible(kind != cards::DiscountCard);
    // Keep the member's style when the list is re-read for its kind.
    QString keep = ComboValue(RzDBComb_YH);
    if (keep.isEmpty())
        keep = RzDBComb_YH->property("keep").toString();
    if (kind == cards::StoredValueCard)
        FillStyles(QStringLiteral("01"), keep);
    else if (kind == cards::CountCard)
        FillStyles(QStringLiteral("02"), keep);
}

void TFrm_MemberAdd::StyleChanged()
{
    const QString style = ComboValue(RzDBComb_YH);
    m_costMoney = m_cheapMoney = 0;
    RzLab_YH->clear();
    if (style.isEmpty())
        return;
    try {
        const db::Result r = Db().query(
            QStringLiteral("select ReMark,CostMoney,CheapMoney from  D_CardCheapStyle where CheapID=?"), {style});
        if (!r.isEmpty()) {
            RzLab_YH->setText(r.value(0, 0).asString().trimmed());
            m_costMoney = int(r.value(0, 1).asInt());
            m_cheapMoney = int(r.value(0, 2).asInt());
        }
    } catch (const db::DbError &) {
    }
}

void TFrm_MemberAdd::LevelChanged()
{
    const QString level = ComboValue(RzDBLookupComboBox4);
    const QString rate = level.isEmpty()
        ? QString()
        : QueryLines(ConnectionString,
                     QStringLiteral("select IIf(rate=1,'不打',format(rate,'0.00')) from  D_MemberLevel where ID=?"),
                     {level}) + QStringLiteral("折");
    RzLab_DZ1->setText(rate);
    RzLab_DZ2->setText(rate);
}

void TFrm_MemberAdd::ShowPicture(const QString &file)
{
    QPixmap pix;
    if (pix.load(file))
        Image2->setPixmap(pix);
}

void TFrm_MemberAdd::LocalPhotoClick()
{
    QFileDialog dlg(this, QStringLiteral("本地照片"));
    dlg.setObjectName(QStringLiteral("QFileDialog"));
    dlg.setOption(QFileDialog::DontUseNativeDialog);
    dlg.setFileMode(QFileDialog::ExistingFile);
    dlg.setNameFilters({QStringLiteral("JPG图片(*.JPG *.jpg *.jpeg)"), QStringLiteral("BMP图片(*.BMP *.bmp)")});
    dlg.setDefaultSuffix(QStringLiteral("JPG"));
    if (Messages::Exec(&dlg) != QDialog::Accepted || dlg.selectedFiles().isEmpty())
        return;
    const QString file = dlg.selectedFiles().first();
    RzEd_Photo->setText(file);
    ShowPicture(file);
    RzDBEdit11->hide();
    RzEd_Photo->show();
}

void TFrm_MemberAdd::TakePhotoClick()
{
    const QString card = RzDBEdit1->text().trimmed();
    if (card.isEmpty()) {
        RzDBEdit1->setFocus();
        Messages::Info(QStringLiteral("请先输入会员卡号，照片以卡号命名！"));
        return;
    }
    auto dlg = std::make_unique<TFrm_TakePhoto>(this);
    dlg->PhotoCode = card;
    Messages::Exec(dlg.get());
    if (!dlg->Saved)
        return;
    RzEd_Photo->clear();
    RzEd_Photo->hide();
    RzDBEdit11->show();
    RzDBEdit11->setText(card + QStringLiteral(".jpg"));
    ShowPicture(AppPath + QStringLiteral("Picture/") + RzDBEdit11->text());
}

void TFrm_MemberAdd::ClearPhotoClick()
{
    // The old file goes when the member is saved, so leaving without saving loses nothing.
    RzEd_Photo->clear();
    RzEd_Photo->hide();
    RzDBEdit11->show();
    RzDBEdit11->clear();
    ShowPicture(AppPath + QStringLiteral("default.jpg"));
}

void TFrm_MemberAdd::RzBit_QueryClick()
{
    auto dlg = std::make_unique<TFrm_BackMemberCode>(this);
    Messages::Exec(dlg.get());
    if (!dlg->Selected || dlg->SelCodeID.isEmpty())
        return;
    RzEd_IntroName->setText(dlg->SelCodeID + QStringLiteral("--") + dlg->SelName);
    RzEd_IntroName->setProperty("introCode", dlg->SelCodeID);
    m_referrer = dlg->SelCodeID;
}

void TFrm_MemberAdd::RzBit_ClearClick()
{
    RzEd_IntroName->clear();
    RzEd_IntroName->setProperty("introCode", QString());
    m_referrer.clear();
}

void TFrm_MemberAdd::RzBit_SaveClick()
{
    const QString card = RzDBEdit1->text().trimmed();
    if (card.isEmpty()) {
        RzDBEdit1->setFocus();
        Messages::Show(QStringLiteral("会员卡号不能为空!"), QStringLiteral("警告"), Messages::Icon::Information);
        return;
    }
    if (RzDBEdit2->text().trimmed().isEmpty()) {
        RzDBEdit2->setFocus();
        Messages::Warn(QStringLiteral("会员姓名不能为空!"));
        return;
    }
    if (RzDBComb_YH->currentIndex() < 0) {
        RzDBComb_YH->setFocus();
        Messages::Warn(QStringLiteral("请选择优惠方式!"));
        return;
    }
    const QString idCard = RzDBEdit8->text().trimmed();
    if (!idCard.isEmpty()) {
        const QString check = CheckIdCard(idCard);
        if (check != QLatin1String("OK")) {
            RzDBEdit8->setFocus();
            Messages::Info(check);
            return;
        }
        if (idCard != m_origIDCard
            && QueryExists(ConnectionString, QStringLiteral("Select CodeID from T_MemberInfo where IDCard=?"), {idCard})
            && Messages::Show(QStringLiteral("你输入的身份证号已经存在，是否继续添加?！"), QStringLiteral("警告"),
                              Messages::Icon::Warning, QMessageBox::Yes | QMessageBox::No)
                   != QMessageBox::Yes)
            return;
    }
    if (ComboValue(RzDBComb_YH).trimmed().isEmpty()) {
        RzDBComb_YH->setFocus();
        Messages::Warn(QStringLiteral("请选择\"优惠方式\"!"));
        return;
    }
    if (card != m_origCodeID
        && QueryExists(ConnectionString, QStringLiteral("Select CodeID from T_MemberInfo where CodeID=?"), {card})) {
        Messages::Warn(QStringLiteral("你输入的会员卡号已经存在，请再输入一个！"));
        RzDBEdit1->setFocus();
        return;
    }
    if (!RzEd_PassWord->text().isEmpty() && RzEd_PassWord->text() != RzEd_OkPassWord->text()) {
        Messages::Warn(QStringLiteral("两次输入的密码不一样，请重新输入!"));
        RzEd_PassWord->setFocus();
        return;
    }
    if (EditMode != 2) {
        if (RzDBEd_Money->text().trimmed().isEmpty())
            RzDBEd_Money->setText(QStringLiteral("0"));
        const int kind = Kind();
        if (kind != cards::DiscountCard && !cards::StyleUsable(m_costMoney)) {
            RzDBComb_YH->setFocus();
            Messages::Warn(QStringLiteral("所选优惠方式的交费金额为0，无法计算卡内金额！请先在“会员卡类型设置”中修改该优惠方式。"));
            return;
        }
        if (kind == cards::CountCard
            && !cards::IsCountPayment(RzDBEd_Money->text().trimmed().toInt(), m_costMoney)) {
            Messages::Show(QStringLiteral("你输入的金额必须是：") + QString::number(m_costMoney)
                               + QStringLiteral(" 倍数或者0！"),
                           QStringLiteral("Kelvo会员管理"), Messages::Icon::None);
            return;
        }
    }
    if (!Store(card))
        return;
    Saved = true;
    accept();
}

// Writes the member, and for a new card its opening payment and the referrer's bonus,
// as one transaction. The photograph is copied before the commit and removed again if
// the commit fails.
bool TFrm_MemberAdd::Store(const QString &card)
{
    const bool adding = EditMode != 2;
    const int kind = Kind();
    QString photo = RzDBEdit11->text().trimmed();
    QString copiedPhoto;
    const QString picture = AppPath + QStringLiteral("Picture/");

    double memberScore = RzDBEdit12->text().trimmed().toDouble();
    double curMoney = 0;
    int sumScore = 0;
    QString password;
    const bool newPassword = !RzEd_PassWord->text().isEmpty();
    if (newPassword)
        password = RzEd_PassWord->text();

    const bool stored = members::WriteAtomically(QStringLiteral("会员信息保存失败，没有写入任何数据："), [&] {
        if (adding) {
            const int pay = RzDBEd_Money->text().trimmed().toInt();
            curMoney = kind == cards::DiscountCard ? 0.0 : cards::OpeningCredit(m_costMoney, m_cheapMoney, pay);
            if (kind != cards::DiscountCard) {
                const double bonus = kind == cards::StoredValueCard ? curMoney - pay : 0.0;
                Db().exec(QStringLiteral("Insert into T_CardPutMoney(CardID,PayMoney,PutMoney,CheapMoney,PayDate,UserMan) "
                                         "values(?,?,?,?,now(),?)"),
                          {card, pay, curMoney, bonus, CurUserCode});
            }
            sumScore = cards::PaymentScore(pay, SysSet.CostStand);
            memberScore = sumScore;
            if (!m_referrer.isEmpty())
                cards::AwardReferrer(Db(), m_referrer, card, SysSet.GetScore);
        }
        if (!RzEd_Photo->text().isEmpty()) {
            const QFileInfo source(RzEd_Photo->text());
            photo = card + (source.suffix().isEmpty() ? QString() : QLatin1Char('.') + source.suffix());
            const QString target = picture + photo;
            QDir().mkpath(picture);
            if (QFileInfo(target).absoluteFilePath() != source.absoluteFilePath()) {
                QFile::remove(target);
                if (!QFile::copy(source.absoluteFilePath(), target))
                    throw db::DbError(QStringLiteral("照片文件复制失败：") + source.absoluteFilePath());
                copiedPhoto = target;
            }
        }

        const QVariant birthday = RzChk_Birthday->isChecked() ? dateValue(RzDBDateTimePicker2->date()) : QVariant();
        const QVariantList common{
            RzDBEdit2->text(), SpellCode(RzDBEdit2->text()),
            RzDBLookupComboBox4->currentIndex() < 0 ? m_origLevel : ComboValue(RzDBLookupComboBox4), memberScore,
            ComboValue(RzDBLookupComboBox5).toInt(), RzDBCheckBox3->isChecked() ? 1 : 0,
            dateValue(RzDBDateTimePicker4->date()), RzDBCheckBox4->isChecked() ? 1 : 0,
            RzDBComboBox1->currentText(), birthday, RzDBEdit5->text(), RzDBEdit6->text(), RzDBEdit7->text(),
            RzDBEdit8->text().trimmed(), RzDBEdit9->text(), RzDBEdit10->text(), photo,
            RzEd_IntroName->property("introCode").toString(), dateValue(RzDBDateTimePicker3->date()),
            RzDBEdit13->text()};
        const QString columns = QStringLiteral(
            "memberName,Spell,CardLevel,memberScore,CurState,CardVailFlag,CardVailDate,CardIfUpGrade,sex,birthday,"
            "Mobile,Tel,EMail,IDCard,Addr,RemarkInfo,MemberPhoto,IntroCodeID,AddDate,Remark");
        if (adding) {
            QVariantList params = common;
            params << card << kind << ComboValue(RzDBComb_YH) << password << curMoney << 0 << sumScore;
            QStringList marks;
            for (qsizetype i = 0; i < params.size(); ++i)
                marks << QStringLiteral("?");
            Db().exec(QStringLiteral("Insert into T_MemberInfo(") + columns
                          + QStringLiteral(",CodeID,memberKind,CheapMode,PassWord,CurMoney,HisSumMoney,SumScore) values(")
                          + marks.join(QLatin1Char(',')) + QLatin1Char(')'),
                      params);
            frm_DM->WriteLog(QStringLiteral("增加会员：[") + card + QStringLiteral("]"));
        } else {
            QString sets;
            for (const QString &c : columns.split(QLatin1Char(',')))
                sets += c + QStringLiteral("=?,");
            QVariantList params = common;
            if (newPassword) {
                sets += QStringLiteral("PassWord=?,");
                params << password;
            }
            sets.chop(1);
            params << m_rowId;
            Db().exec(QStringLiteral("Update T_MemberInfo set ") + sets + QStringLiteral(" where ID=?"), params);
            frm_DM->WriteLog(QStringLiteral("修改了会员卡：[") + card + QStringLiteral("] 的信息"));
        }
    });
    if (!stored) {
        if (!copiedPhoto.isEmpty())
            QFile::remove(copiedPhoto);
        return false;
    }
    // A replaced or cleared photograph is no longer referenced.
    if (!m_origPhoto.isEmpty() && photo.compare(m_origPhoto, Qt::CaseInsensitive) != 0)
        QFile::remove(picture + m_origPhoto);
    return true;
}
