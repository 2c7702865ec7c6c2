#include "Ut_SysParaSet.h"
#include "DM.h"
#include "Messages.h"
#include "Pictures.h"
#include "Routines.h"
#include "platform/print/RawPrinter.h"

#include <QCheckBox>
#include <QCloseEvent>
#include <QComboBox>
#include <QGridLayout>
#include <QGroupBox>
#include <QHBoxLayout>
#include <QLabel>
#include <QLineEdit>
#include <QPushButton>
#include <QSpinBox>
#include <QVBoxLayout>

TFrm_SysParaSet::TFrm_SysParaSet(QWidget *parent) : TfrmDialog(parent)
{
    setObjectName(QStringLiteral("TFrm_SysParaSet"));
    SetChildScreen(true);
    SetTitle(QStringLiteral("系统参数设置管理"));
    Image1->setPixmap(Pictures::Glyph(QStringLiteral("gear"), 36, QColor(10, 36, 106)));
    RzBtn_Exit->hide();

    RzBitBtn1 = AddBottomButton(QStringLiteral("RzBitBtn1"), QStringLiteral("保存"), QStringLiteral("保存系统设置"));
    connect(RzBitBtn1, &QPushButton::clicked, this, &TFrm_SysParaSet::RzBitBtn1Click);

    auto *bodyLayout = new QVBoxLayout(Body());
    bodyLayout->setContentsMargins(16, 16, 16, 16);
    auto *panel = new QFrame(Body());
    panel->setObjectName(QStringLiteral("RzPanel1"));
    panel->setFrameShape(QFrame::StyledPanel);
    panel->setFrameShadow(QFrame::Sunken);
    bodyLayout->addWidget(panel, 0, Qt::AlignLeft | Qt::AlignTop);
    auto *panelLayout = new QVBoxLayout(panel);
    panelLayout->setContentsMargins(16, 12, 16, 12);
    panelLayout->setSpacing(12);

    auto check = [this](const char *name, const QString &text) {
        auto *c = new QCheckBox(text, this);
        c->setObjectName(QString::fromLatin1(name));
        return c;
    };
    auto numberEdit = [this](const char *name) {
        QLineEdit *e = NewLineEdit(this, QString::fromLatin1(name), 7);
        e->setFixedWidth(80);
        InstallKeyFilter(e, 2, 0);
        // An emptied number becomes "1" when the operator leaves it.
        FillWhenLeftEmpty(e, QStringLiteral("1"));
        return e;
    };
    auto textEdit = [this](const char *name) {
        QLineEdit *e = NewLineEdit(this, QString::fromLatin1(name));
        e->setMinimumWidth(360);
        return e;
    };
    auto inline_ = [](QWidget *parent, const QString &before, QWidget *field, const QString &after) {
        auto *row = new QWidget(parent);
        auto *h = new QHBoxLayout(row);
        h->setContentsMargins(0, 0, 0, 0);
        h->addWidget(new QLabel(before, row));
        field->setParent(row);
        h->addWidget(field);
        h->addWidget(new QLabel(after, row));
        h->addStretch();
        return row;
    };

    // 消费积分设置
    auto *g1 = new QGroupBox(QStringLiteral("消费积分设置"), panel);
    g1->setObjectName(QStringLiteral("RzGroupBox1"));
    auto *l1 = new QGridLayout(g1);
    RzDBEdit1 = numberEdit("RzDBEdit1");
    RzDBCheckBox1 = check("RzDBCheckBox1", QStringLiteral("是否启用消费商品积分"));
    RzDBEdit4 = numberEdit("RzDBEdit4");
    RzDBCheckBox5 = check("RzDBCheckBox5", QStringLiteral("当库存商品小于零时是否允许销售"));
    RzDBCheckBox6 = check("RzDBCheckBox6", QStringLiteral("会员消费时是否允许修改消费金额"));
    RzDBCheckBox7 = check("RzDBCheckBox7", QStringLiteral("当结帐时是否显示找零窗口"));
    RzChk_InputPW = check("RzChk_InputPW", QStringLiteral("会员消费时是否需要输入密码"));
    l1->addWidget(inline_(g1, QStringLiteral("每消费"), RzDBEdit1, QStringLiteral("元 积一分")), 0, 0);
    l1->addWidget(RzDBCheckBox1, 0, 1);
    l1->addWidget(inline_(g1, QStringLiteral("每推荐一名会员一次奖励"), RzDBEdit4, QStringLiteral("积分")), 1, 0);
    l1->addWidget(RzDBCheckBox5, 1, 1);
    l1->addWidget(RzDBCheckBox6, 2, 0);
    l1->addWidget(RzDBCheckBox7, 2, 1);
    l1->addWidget(RzChk_InputPW, 3, 0);
    panelLayout->addWidget(g1);

    // 提醒设置
    auto *g2 = new QGroupBox(QStringLiteral("提醒设置"), panel);
    g2->setObjectName(QStringLiteral("RzGroupBox2"));
    auto *l2 = new QGridLayout(g2);
    RzDBCheckBox2 = check("RzDBCheckBox2", QStringLiteral("是否启用生日提醒"));
    RzDBSpinEdit1 = new QSpinBox(this);
    RzDBSpinEdit1->setObjectName(QStringLiteral("RzDBSpinEdit1"));
    RzDBSpinEdit1->setRange(0, 365);
    RzDBSpinEdit1->setFixedWidth(80);
    RzDBCheckBox3 = check("RzDBCheckBox3", QStringLiteral("余额不足是否提醒"));
    RzDBEdit2 = numberEdit("RzDBEdit2");
    RzDBCheckBox4 = check("RzDBCheckBox4", QStringLiteral("是否显示提醒窗口"));
    l2->addWidget(RzDBCheckBox2, 0, 0);
    l2->addWidget(inline_(g2, QStringLiteral("生日前"), RzDBSpinEdit1, QStringLiteral("天提醒")), 0, 1);
    l2->addWidget(RzDBCheckBox3, 1, 0);
    l2->addWidget(inline_(g2, QStringLiteral("余额少于"), RzDBEdit2, QStringLiteral("元时提醒")), 1, 1);
    l2->addWidget(RzDBCheckBox4, 2, 0);
    panelLayout->addWidget(g2);

    // 打印小票设置
    auto *g3 = new QGroupBox(QStringLiteral("打印小票设置"), panel);
    g3->setObjectName(QStringLiteral("RzGroupBox3"));
    auto *l3 = new QGridLayout(g3);
    RzDBEdit5 = textEdit("RzDBEdit5");
    RzDBEdit6 = textEdit("RzDBEdit6");
    RzDBEdit7 = textEdit("RzDBEdit7");
    RzDBEdit8 = textEdit("RzDBEdit8");
    RzDBCheckBox8 = check("RzDBCheckBox8", QStringLiteral("是否打印小票"));
    RzDBCheckBox9 = check("RzDBCheckBox9", QStringLiteral("是否打印操作员"));
    RzComb_Print = new QComboBox(this);
    RzComb_Print->setObjectName(QStringLiteral("RzComb_Print"));
    RzComb_Print->setMinimumWidth(360);
    int row = 0;
    for (auto [caption, field] : {std::pair<const char *, QWidget *>{"单位名称", RzDBEdit5},
                                  {"打印脚注1", RzDBEdit6},
                                  {"打印脚注2", RzDBEdit7},
                                  {"打印脚注3", RzDBEdit8},
                                  {"选择打印机", RzComb_Print}}) {
        l3->addWidget(new QLabel(QString::fromUtf8(caption), g3), row, 0, Qt::AlignRight);
        l3->addWidget(field, row, 1);
        ++row;
    }
    auto *checks = new QWidget(g3);
    auto *ch = new QHBoxLayout(checks);
    ch->setContentsMargins(0, 0, 0, 0);
    ch->addWidget(RzDBCheckBox8);
    ch->addWidget(RzDBCheckBox9);
    ch->addStretch();
    l3->addWidget(checks, row, 1);
    panelLayout->addWidget(g3);
    bodyLayout->addStretch();

    // Opening: printers, the row, the printer setting, the INI key.
    for (const QString &name : print::printerNames())
        RzComb_Print->addItem(name, name);
    LoadRow();

    for (QLineEdit *e : {RzDBEdit1, RzDBEdit4, RzDBEdit2, RzDBEdit5, RzDBEdit6, RzDBEdit7, RzDBEdit8})
        connect(e, &QLineEdit::textChanged, this, &TFrm_SysParaSet::MarkEdited);
    for (QCheckBox *c : {RzDBCheckBox1, RzDBCheckBox2, RzDBCheckBox3, RzDBCheckBox4, RzDBCheckBox5, RzDBCheckBox6,
                         RzDBCheckBox7, RzDBCheckBox8, RzDBCheckBox9})
        connect(c, &QCheckBox::toggled, this, &TFrm_SysParaSet::MarkEdited);
    connect(RzDBSpinEdit1, &QSpinBox::valueChanged, this, &TFrm_SysParaSet::MarkEdited);
    connect(RzComb_Print, &QComboBox::currentIndexChanged, this, &TFrm_SysParaSet::MarkEdited);
    for (QCheckBox *c : {RzDBCheckBox1, RzDBCheckBox2, RzDBCheckBox3})
        connect(c, &QCheckBox::toggled, this, &TFrm_SysParaSet::UpdateEnabling);
}

void TFrm_SysParaSet::LoadRow()
{
    m_loading = true;
    db::Result r;
    try {
        r = Db().query(QStringLiteral("select * from T_SysSet"));
    } catch (const db::DbError &e) {
        Messages::Error(e.text());
    }
    auto text = [&](const char *column) {
        return r.isEmpty() ? QString() : r.value(0, QString::fromLatin1(column)).asString();
    };
    auto flag = [&](const char *column) { return text(column) == QLatin1String("True"); };
    RzDBEdit1->setText(text("CostStand"));
    RzDBCheckBox1->setChecked(flag("IfUse_CostSocre"));
    RzDBEdit4->setText(text("GetScore"));
    RzDBCheckBox5->setChecked(flag("IfUse_LessZero"));
    RzDBCheckBox6->setChecked(flag("IfUse_ModiMoney"));
    RzDBCheckBox7->setChecked(flag("IfUse_Show"));
    RzDBCheckBox2->setChecked(flag("IfUse_Birthday"));
    RzDBSpinEdit1->setValue(text("KeepDay").toInt());
    RzDBCheckBox3->setChecked(flag("IfUse_Balance"));
    RzDBEdit2->setText(text("LessMoney"));
    RzDBCheckBox4->setChecked(flag("IfUse_RemindWin"));
    RzDBEdit5->setText(text("UnitName"));
    RzDBEdit6->setText(text("FootNote1"));
    RzDBEdit7->setText(text("FootNote2"));
    RzDBEdit8->setText(text("FootNote3"));
    RzDBCheckBox8->setChecked(flag("IfUse_PrintPicket"));
    RzDBCheckBox9->setChecked(flag("IfUse_Oper"));
    m_autoMoveUp = flag("IfUse_AutoMoveUp");
    if (!SelectComboValue(RzComb_Print, SysSet.PrintName))
        RzComb_Print->setCurrentIndex(-1);
    RzChk_InputPW->setChecked(
        IniRead(QStringLiteral("ParaSet"), QStringLiteral("IfInputPW"), QStringLiteral("0"), Tfrm_DM::ConfigFile())
        == QLatin1String("1"));
    UpdateEnabling();
    // The row is in editing from the opening on, as the data-bound screen was.
    m_editing = !r.isEmpty();
    m_loading = false;
}

void TFrm_SysParaSet::UpdateEnabling()
{
    RzDBEdit1->setEnabled(RzDBCheckBox1->isChecked());
    RzDBSpinEdit1->setEnabled(RzDBCheckBox2->isChecked());
    RzDBEdit2->setEnabled(RzDBCheckBox3->isChecked());
}

void TFrm_SysParaSet::MarkEdited()
{
    if (!m_loading)
        m_editing = true;
}

void TFrm_SysParaSet::RzBitBtn1Click()
{
    auto refuse = [](const QString &text, QWidget *focus) {
        Messages::Info(text);
        focus->setFocus();
    };
    if (m_editing) {
        const int costStand = RzDBEdit1->text().toInt();
        const int getScore = RzDBEdit4->text().toInt();
        const double lessMoney = RzDBEdit2->text().toDouble();
        if (costStand < 0)
            return refuse(QStringLiteral("商品消费积分，消费金额不能为负数！"), RzDBEdit1);
        if (getScore < 0)
            return refuse(QStringLiteral("奖励积分不能为负数！"), RzDBEdit4);
        if (lessMoney < 0)
            return refuse(QStringLiteral("余额提醒设置中，余额少于数不能为负数！"), RzDBEdit2);
        auto yesNo = [](const QCheckBox *c) { return QVariant(c->isChecked() ? 1 : 0); };
        // One statement, so the screen holds no transaction on the shared connection.
        try {
            Db().exec(QStringLiteral("update T_SysSet set IfUse_Birthday=?, KeepDay=?, IfUse_Balance=?, LessMoney=?, "
                                     "IfUse_RemindWin=?, IfUse_CostSocre=?, CostStand=?, GetScore=?, "
                                     "IfUse_AutoMoveUp=?, IfUse_LessZero=?, IfUse_ModiMoney=?, IfUse_Show=?, "
                                     "UnitName=?, IfUse_PrintPicket=?, IfUse_Oper=?, FootNote1=?, FootNote2=?, "
                                     "FootNote3=?, PrintName=?"),
                      {yesNo(RzDBCheckBox2), RzDBSpinEdit1->value(), yesNo(RzDBCheckBox3), lessMoney,
                       yesNo(RzDBCheckBox4), yesNo(RzDBCheckBox1), costStand, getScore, QVariant(m_autoMoveUp ? 1 : 0),
                       yesNo(RzDBCheckBox5), yesNo(RzDBCheckBox6), yesNo(RzDBCheckBox7), RzDBEdit5->text(),
                       yesNo(RzDBCheckBox8), yesNo(RzDBCheckBox9), RzDBEdit6->text(), RzDBEdit7->text(),
                       RzDBEdit8->text(), ComboValue(RzComb_Print)});
        } catch (const db::DbError &e) {
            Messages::Error(QStringLiteral("系统参数保存失败：") + e.text());
            return;
        }
        m_editing = false;
    }
    if (!IniWrite(QStringLiteral("ParaSet"), QStringLiteral("IfInputPW"),
                  RzChk_InputPW->isChecked() ? QStringLiteral("1") : QStringLiteral("0"), Tfrm_DM::ConfigFile())) {
        Messages::Error(QStringLiteral("系统参数保存失败：无法写入配置文件config.ini！"));
        return;
    }
    Messages::Info(QStringLiteral("系统参数设置成功！"));
}

void TFrm_SysParaSet::closeEvent(QCloseEvent *event)
{
    TfrmDialog::closeEvent(event);
    if (!event->isAccepted() || !frm_DM || !Db().isOpen())
        return;
    try {
        frm_DM->LoadSysSet();
    } catch (const db::DbError &e) {
        Messages::Error(e.text());
    }
}
