#include "Ut_Frame.h"
#include "Clock.h"
#include "DM.h"
#include "Pictures.h"

#include <QDir>
#include <QFile>
#include <QScrollArea>
#include <QTimer>
#include <QToolButton>
#include <QVBoxLayout>
#include <sqlcipher/sqlite3.h>

NavGroup::NavGroup(const QString &name, const QString &caption, QWidget *parent) : QFrame(parent)
{
    setObjectName(name);
    auto *layout = new QVBoxLayout(this);
    layout->setContentsMargins(0, 0, 0, 0);
    layout->setSpacing(0);
    m_header = new QToolButton(this);
    m_header->setObjectName(name + QStringLiteral("_Header"));
    m_caption = caption;
    m_header->setToolButtonStyle(Qt::ToolButtonTextOnly);
    m_header->setSizePolicy(QSizePolicy::Expanding, QSizePolicy::Fixed);
    m_header->setFixedHeight(26);
    m_header->setCursor(Qt::PointingHandCursor);
    layout->addWidget(m_header);
    m_content = new QWidget(this);
    m_content->setObjectName(name + QStringLiteral("_Items"));
    m_buttons = new QVBoxLayout(m_content);
    m_buttons->setContentsMargins(4, 6, 4, 6);
    m_buttons->setSpacing(2);
    layout->addWidget(m_content);
    connect(m_header, &QToolButton::clicked, this, [this] { emit headerClicked(this); });
    SetActive(false);
    SetOpen(true);
}

QToolButton *NavGroup::AddButton(const QString &name, const QString &caption, const QString &hint, const QString &glyph)
{
    auto *b = new QToolButton(m_content);
    b->setObjectName(name);
    b->setText(caption);
    b->setToolTip(hint);
    b->setStatusTip(hint);
    b->setIcon(Pictures::BarIcon(glyph));
    b->setIconSize(QSize(24, 24));
    b->setToolButtonStyle(Qt::ToolButtonTextUnderIcon);
    b->setAutoRaise(true);
    b->setSizePolicy(QSizePolicy::Expanding, QSizePolicy::Fixed);
    b->setFixedHeight(50);
    b->setCursor(Qt::PointingHandCursor);
    m_buttons->addWidget(b);
    return b;
}

bool NavGroup::IsOpen() const
{
    return !m_content->isHidden();
}

void NavGroup::SetOpen(bool open)
{
    m_content->setVisible(open);
    m_header->setText((open ? QStringLiteral("▼ ") : QStringLiteral("▶ ")) + m_caption);
}

void NavGroup::SetActive(bool active)
{
    m_active = active;
    m_header->setStyleSheet(QStringLiteral(
        "QToolButton { border: 1px solid rgb(138,164,191); color: %1; font-weight: %2; text-align: left; padding-left: 6px;"
        " background: qlineargradient(x1:0,y1:0,x2:0,y2:1, stop:0 rgb(234,245,247), stop:1 rgb(84,149,191)); }")
                                .arg(active ? QStringLiteral("rgb(10,36,106)") : QStringLiteral("rgb(30,30,30)"),
                                     active ? QStringLiteral("bold") : QStringLiteral("normal")));
}

TFrm_Frame::TFrm_Frame(QWidget *parent) : QFrame(parent)
{
    setObjectName(QStringLiteral("Frm_Frame1"));
    setFixedWidth(168);
    auto *layout = new QVBoxLayout(this);
    layout->setContentsMargins(0, 0, 0, 0);

    auto *scroll = new QScrollArea(this);
    scroll->setFrameShape(QFrame::NoFrame);
    scroll->setWidgetResizable(true);
    scroll->setHorizontalScrollBarPolicy(Qt::ScrollBarAlwaysOff);
    mxOutlookBarPro1 = new QWidget;
    mxOutlookBarPro1->setObjectName(QStringLiteral("mxOutlookBarPro1"));
    mxOutlookBarPro1->setStyleSheet(QStringLiteral(
        "#mxOutlookBarPro1 { background: white; }"
        "#mxOutlookBarPro1 QToolButton[autoRaise=\"true\"] { color: rgb(10,36,106); border: none; }"
        "#mxOutlookBarPro1 QToolButton[autoRaise=\"true\"]:hover { background: rgb(234,245,247);"
        " border: 1px solid rgb(138,164,191); }"));
    auto *bar = new QVBoxLayout(mxOutlookBarPro1);
    bar->setContentsMargins(0, 0, 0, 0);
    bar->setSpacing(1);
    scroll->setWidget(mxOutlookBarPro1);
    layout->addWidget(scroll);

    struct Item {
        const char *name, *caption, *hint, *glyph;
    };
    struct GroupDef {
        const char *name, *caption;
        QList<Item> items;
    };
    const QList<GroupDef> groups{
        {"M_Manage",
         "日常管理",
         {{"mxButton1", "会员消费", "会员日常消费管理", "cart"},
          {"mxButton2", "会员管理", "会员基本信息管理", "members"},
          {"mxButton3", "统计报表", "日常报表统计", "report"},
          {"mx_TipOff", "提醒设置", "各种提醒设置管理", "bell"},
          {"mx_TipOffShow", "提醒窗口", "当日提醒信息显示", "bellList"}}},
        {"M_SysManage",
         "系统管理",
         {{"mx_UserManage", "用户管理", "操作员管理", "user"},
          {"mx_HYCardSet", "会员卡设置", "会员卡类型管理", "card"},
          {"mx_GoodsSet", "商品设置", "商品信息管理", "goods"},
          {"mx_SysSet", "参数设置", "参数设置", "gear"},
          {"mx_BackUpRecoverData", "数据管理", "数据备份、清除管理", "data"}}},
        {"M_Other",
         "其它功能",
         {{"mx_CostManage", "充值管理", "充值管理", "money"},
          {"mx_LogManage", "日志管理", "日志管理", "log"},
          {"mx_ModiPassWord", "修改密码", "", "key"}}},
    };
    for (const GroupDef &g : groups) {
        auto *group = new NavGroup(QString::fromLatin1(g.name), QString::fromUtf8(g.caption),
                                   mxOutlookBarPro1);
        for (const Item &i : g.items)
            group->AddButton(QString::fromLatin1(i.name), QString::fromUtf8(i.caption), QString::fromUtf8(i.hint),
                             QString::fromLatin1(i.glyph));
        bar->addWidget(group);
        m_groups << group;
        connect(group, &NavGroup::headerClicked, this, [this](NavGroup *clicked) {
            for (NavGroup *other : m_groups)
                other->SetActive(other == clicked);
            clicked->SetOpen(!clicked->IsOpen());
        });
    }
    bar->addStretch();

    // At start the first group is active, the first two are closed and the third open.
    m_groups[0]->SetActive(true);
    m_groups[0]->SetOpen(false);
    m_groups[1]->SetOpen(false);
    m_groups[2]->SetOpen(true);

    Timer1 = new QTimer(this);
    Timer1->setObjectName(QStringLiteral("Timer1"));
    Timer1->setInterval(1000);
    connect(Timer1, &QTimer::timeout, this, &TFrm_Frame::Timer1Timer);
    Timer1->start();
}

NavGroup *TFrm_Frame::Group(const QString &name) const
{
    for (NavGroup *g : m_groups)
        if (g->objectName() == name)
            return g;
    return nullptr;
}

QToolButton *TFrm_Frame::Button(const QString &name) const
{
    return mxOutlookBarPro1->findChild<QToolButton *>(name);
}

QList<QToolButton *> TFrm_Frame::Buttons() const
{
    QList<QToolButton *> list;
    for (QToolButton *b : mxOutlookBarPro1->findChildren<QToolButton *>())
        if (!qobject_cast<NavGroup *>(b->parentWidget()))
            list << b;
    return list;
}

void TFrm_Frame::SetActiveGroup(const QString &name)
{
    for (NavGroup *g : m_groups) {
        g->SetActive(g->objectName() == name);
        if (g->objectName() == name)
            g->SetOpen(true);
    }
}

void TFrm_Frame::Timer1Timer()
{
    CheckAutoBackup(Clock::now());
}

void TFrm_Frame::CheckAutoBackup(const QDateTime &now)
{
    const QDateTime last = m_lastCheck;
    m_lastCheck = now;
    if (SysSet.IfAutoBack != QLatin1String("1"))
        return;
    bool ok = false;
    const int hour = SysSet.IfAutoback_Clock.trimmed().toInt(&ok);
    if (!ok || hour < 0 || hour > 23)
        return;
    const QDateTime due(now.date(), QTime(hour, 0, 0));
    // The first second of the hour; or, when the timer skipped that second (a busy
    // moment), the tick right after it.
    const bool exactSecond = due <= now && now < due.addSecs(1);
    const bool skipped = last.isValid() && last < due && due <= now && last.secsTo(now) <= 60;
    if (!exactSecond && !skipped)
        return;
    if (exactSecond && last.isValid() && last >= due)
        return;   // a second tick within the same second

    Timer1->stop();
    const QString dir = AppPath + QStringLiteral("backupData");
    QDir().mkpath(dir);
    BackupDatabase(dir + QLatin1Char('/') + now.toString(QStringLiteral("yyyy-MM-dd_HHmmss")) + QStringLiteral(".dat"));
    Timer1->start();
}

namespace {

bool runBound(sqlite3 *handle, const char *sql, const QList<QByteArray> &params)
{
    sqlite3_stmt *stmt = nullptr;
    if (sqlite3_prepare_v2(handle, sql, -1, &stmt, nullptr) != SQLITE_OK)
        return false;
    for (int i = 0; i < params.size(); ++i)
        sqlite3_bind_text(stmt, i + 1, params[i].constData(), int(params[i].size()), SQLITE_TRANSIENT);
    int rc;
    while ((rc = sqlite3_step(stmt)) == SQLITE_ROW) {
    }
    sqlite3_finalize(stmt);
    return rc == SQLITE_DONE;
}

} // namespace

bool BackupDatabase(const QString &target)
{
    if (!frm_DM || !Db().isOpen() || Db().inTransaction())
        return false;
    sqlite3 *handle = Db().handle();
    const QString temp = target + QStringLiteral(".tmp");
    QFile::remove(temp);
    // The connection was opened without the right to create files, and an attached
    // database inherits that: start from an empty file, which SQLite takes as new.
    {
        QFile empty(temp);
        if (!empty.open(QIODevice::WriteOnly))
            return false;
    }

    bool ok = runBound(handle, "ATTACH DATABASE ? AS bak KEY ?", {temp.toUtf8(), DatabasePassword().toUtf8()});
    if (ok) {
        ok = runBound(handle, "SELECT sqlcipher_export('bak')", {});
        ok = runBound(handle, "DETACH DATABASE bak", {}) && ok;
    }
    if (ok) {
        QFile::remove(target);
        ok = QFile::rename(temp, target);
    }
    if (!ok)
        QFile::remove(temp);
    return ok;
}
