#include "Ut_Main.h"
#include "Clock.h"
#include "DM.h"
#include "DialogUnit.h"
#include "Login.h"
#include "Messages.h"
#include "Pictures.h"
#include "Routines.h"
#include "ScreenRegistry.h"
#include "Ut_Frame.h"

#include <QApplication>
#include <QCloseEvent>
#include <QHBoxLayout>
#include <QLabel>
#include <QMdiArea>
#include <QMdiSubWindow>
#include <QPointer>
#include <QStatusBar>
#include <QTimer>
#include <QToolButton>
#include <QVBoxLayout>

namespace {

struct Entry {
    const char *button;
    const char *screen;
    bool modal;
    const char *right;   // empty: always shown
};

const Entry kEntries[] = {
    {"mxButton1", "TFrm_HYCost", false, ""},
    {"mxButton2", "TFrm_HYManage", false, ""},
    {"mxButton3", "TFrm_ReportManage", false, "12"},
    {"mx_TipOff", "TFrm_TipOffSet", false, ""},
    {"mx_TipOffShow", "TFrm_TipOffDay", true, ""},
    {"mx_UserManage", "TFrm_ManageUser", false, "30"},
    {"mx_HYCardSet", "TFrm_HYCardSet", false, "16"},
    {"mx_GoodsSet", "TFrm_GoodsSet", false, "17"},
    {"mx_SysSet", "TFrm_SysParaSet", false, "18"},
    {"mx_BackUpRecoverData", "TFrm_BackUpRecover", false, ""},
    {"mx_CostManage", "TFrm_CZManage", false, "23"},
    {"mx_LogManage", "TFrm_LogManage", false, "22"},
    {"mx_ModiPassWord", "TFrm_ModiPassWord", true, ""},
};

const Entry *entryFor(const QString &button)
{
    for (const Entry &e : kEntries)
        if (button == QLatin1String(e.button))
            return &e;
    return nullptr;
}

const char *kStatusPanel0 = "Kelvo会员管理系统V1.5  会员卡 · 消费 · 积分";

} // namespace

TFrm_Main::TFrm_Main(QWidget *parent) : QMainWindow(parent)
{
    setObjectName(QStringLiteral("TFrm_Main"));
    setWindowTitle(QStringLiteral("Kelvo会员管理"));
    QFont f(QStringLiteral("宋体"));
    f.setPixelSize(12);
    setFont(f);
    resize(1280, 800);

    auto *central = new QWidget(this);
    auto *outer = new QVBoxLayout(central);
    outer->setContentsMargins(0, 0, 0, 0);
    outer->setSpacing(0);
    BuildBanner();
    outer->addWidget(RzPanel1);

    auto *row = new QHBoxLayout;
    row->setContentsMargins(0, 0, 0, 0);
    row->setSpacing(0);
    Frm_Frame1 = new TFrm_Frame(central);
    row->addWidget(Frm_Frame1);
    RzPanel_Left = new QFrame(central);
    RzPanel_Left->setObjectName(QStringLiteral("RzPanel_Left"));
    RzPanel_Left->setFixedWidth(10);
    RzPanel_Left->setStyleSheet(QStringLiteral("background: rgb(195,218,232);"));
    row->addWidget(RzPanel_Left);
    m_mdi = new QMdiArea(central);
    m_mdi->setObjectName(QStringLiteral("MDIArea"));
    m_mdi->setBackground(QColor(195, 218, 232));
    row->addWidget(m_mdi, 1);
    outer->addLayout(row, 1);
    setCentralWidget(central);

    StatusBar1 = new QStatusBar(this);
    StatusBar1->setObjectName(QStringLiteral("StatusBar1"));
    StatusBar1->setSizeGripEnabled(false);
    for (int i = 0; i < 3; ++i) {
        m_panels[i] = new QLabel(StatusBar1);
        m_panels[i]->setObjectName(QStringLiteral("StatusBar1_Panel%1").arg(i));
        m_panels[i]->setContentsMargins(4, 0, 4, 0);
    }
    m_panels[0]->setFixedWidth(350);
    m_panels[1]->setFixedWidth(200);
    m_panels[0]->setText(QString::fromUtf8(kStatusPanel0));
    StatusBar1->addWidget(m_panels[0]);
    StatusBar1->addWidget(m_panels[1]);
    StatusBar1->addWidget(m_panels[2], 1);
    setStatusBar(StatusBar1);
    ShowStatusHint(QString());

    for (QToolButton *b : Frm_Frame1->Buttons()) {
        const QString name = b->objectName();
        connect(b, &QToolButton::clicked, this, [this, name] { NavigationClick(name); });
    }

    Timer_date = new QTimer(this);
    Timer_date->setObjectName(QStringLiteral("Timer_date"));
    Timer_date->setInterval(1000);
    connect(Timer_date, &QTimer::timeout, this, [this] { UpdateClock(Clock::now()); });
    Timer_date->start();
    UpdateClock(Clock::now());

    // Today's reminders: once, on the first tick after the login.
    Timer1 = new QTimer(this);
    Timer1->setObjectName(QStringLiteral("Timer1"));
    Timer1->setInterval(1000);
    connect(Timer1, &QTimer::timeout, this, [this] {
        Timer1->stop();
        CheckTodayReminders();
    });

    qApp->installEventFilter(this);
    Screens::SetApplyRights([this] { ApplyRights(); });
}

TFrm_Main::~TFrm_Main()
{
    Screens::SetApplyRights({});
}

void TFrm_Main::BuildBanner()
{
    RzPanel1 = new QFrame(this);
    RzPanel1->setObjectName(QStringLiteral("RzPanel1"));
    RzPanel1->setFixedHeight(136);
    Image1 = new QLabel(RzPanel1);
    Image1->setObjectName(QStringLiteral("Image1"));
    Image1->setPixmap(Pictures::Banner(1001, 136));
    Image3 = new QLabel(RzPanel1);
    Image3->setObjectName(QStringLiteral("Image3"));
    Image3->setScaledContents(true);
    Image3->setPixmap(Pictures::BannerFill(16, 136));

    RzLabel_Time = new QLabel(RzPanel1);
    RzLabel_Time->setObjectName(QStringLiteral("RzLabel_Time"));
    RzLabel_Time->setAlignment(Qt::AlignRight | Qt::AlignVCenter);
    RzLabel_Time->setStyleSheet(QStringLiteral("color: white; font-size: 30px; font-weight: bold; background: transparent;"));
    RzLabel_Date = new QLabel(RzPanel1);
    RzLabel_Date->setObjectName(QStringLiteral("RzLabel_Date"));
    RzLabel_Date->setAlignment(Qt::AlignRight | Qt::AlignVCenter);
    RzLabel_Date->setStyleSheet(QStringLiteral("color: white; font-size: 14px; background: transparent;"));

    struct Pic {
        const char *name, *hint, *glyph, *caption;
    };
    const Pic pics[] = {
        {"RzBmpBut_MemberCost", "会员消费管理", "cart", "会员消费"},
        {"RzBmpButton2", "会员信息管理", "members", "会员管理"},
        {"RzBmpButton3", "事件提醒管理", "bell", "事件提醒"},
        {"RzBmpButton4", "分类报表统计", "report", "报表统计"},
        {"RzBmpButton5", "系统参数设置", "gear", "参数设置"},
        {"RzBmpButton6", "交、接班管理", "swap", "交接班"},
        {"RzBmpButton7", "退出系统", "power", "退出系统"},
    };
    for (const Pic &p : pics) {
        auto *b = new PictureButton(QString::fromLatin1(p.glyph), QString::fromUtf8(p.caption), RzPanel1);
        b->setObjectName(QString::fromLatin1(p.name));
        b->setToolTip(QString::fromUtf8(p.hint));
        m_pictureButtons << b;
    }
    connect(m_pictureButtons[0], &QAbstractButton::clicked, this,
            [this] { BannerClick(QStringLiteral("M_Manage"), QStringLiteral("mxButton1"), QString()); });
    connect(m_pictureButtons[1], &QAbstractButton::clicked, this,
            [this] { BannerClick(QStringLiteral("M_Manage"), QStringLiteral("mxButton2"), QString()); });
    connect(m_pictureButtons[2], &QAbstractButton::clicked, this,
            [this] { BannerClick(QStringLiteral("M_Manage"), QStringLiteral("mx_TipOff"), QString()); });
    connect(m_pictureButtons[3], &QAbstractButton::clicked, this,
            [this] { BannerClick(QStringLiteral("M_Manage"), QStringLiteral("mxButton3"), QStringLiteral("12")); });
    connect(m_pictureButtons[4], &QAbstractButton::clicked, this,
            [this] { BannerClick(QStringLiteral("M_SysManage"), QStringLiteral("mx_SysSet"), QStringLiteral("18")); });
    connect(m_pictureButtons[5], &QAbstractButton::clicked, this,
            [this] { OpenModal(QStringLiteral("TFrm_TourStatistic")); });
    connect(m_pictureButtons[6], &QAbstractButton::clicked, this, [this] { close(); });

    RzPanel1->installEventFilter(this);
    LayoutBanner();
}

void TFrm_Main::LayoutBanner()
{
    const int w = RzPanel1->width();
    Image1->setGeometry(0, 0, 1001, 136);
    Image3->setGeometry(1001, 0, qMax(0, w - 1001), 136);
    RzLabel_Time->setGeometry(w - 190, 6, 176, 40);
    RzLabel_Date->setGeometry(w - 190, 44, 176, 20);
    int x = w - 10 - int(m_pictureButtons.size()) * 87;
    for (PictureButton *b : m_pictureButtons) {
        b->move(x, 136 - 64 - 4);
        x += 87;
    }
}

bool TFrm_Main::eventFilter(QObject *watched, QEvent *event)
{
    if (watched == RzPanel1 && event->type() == QEvent::Resize)
        LayoutBanner();
    // The application's hint line: the hint of the control under the mouse.
    if (event->type() == QEvent::Enter || event->type() == QEvent::Leave) {
        if (auto *w = qobject_cast<QWidget *>(watched); w && w->isVisible() && !w->toolTip().isEmpty())
            ShowStatusHint(event->type() == QEvent::Enter ? w->toolTip() : QString());
    }
    return QMainWindow::eventFilter(watched, event);
}

void TFrm_Main::ShowStatusHint(const QString &hint)
{
    m_panels[2]->setText(QStringLiteral("友情提示：")
                         + (hint.trimmed().isEmpty() ? QStringLiteral("Kelvo会员管理系统") : hint));
}

QString TFrm_Main::StatusText(int panel) const
{
    return m_panels[panel]->text();
}

void TFrm_Main::UpdateClock(const QDateTime &now)
{
    RzLabel_Time->setText(now.toString(QStringLiteral("HH:mm")));
    RzLabel_Date->setText(now.toString(QStringLiteral("yyyy-MM-dd")));
}

bool TFrm_Main::StartupLogin()
{
    {
        QPointer<TFrm_Login> login = new TFrm_Login(this);
        login->IsStartLogin = true;
        Messages::Exec(login);
        delete login;
    }
    if (!LoggedIn)
        return false;
    Timer1->start();
    return true;
}

void TFrm_Main::showEvent(QShowEvent *event)
{
    QMainWindow::showEvent(event);
    if (m_shownOnce)
        return;
    m_shownOnce = true;
    if (Screens::Has(QStringLiteral("TFrm_HYCost")))
        NavigationClick(QStringLiteral("mxButton1"));
    ApplyRights();
}

void TFrm_Main::ApplyRights()
{
    for (const Entry &e : kEntries)
        if (*e.right)
            Frm_Frame1->Button(QString::fromLatin1(e.button))->setVisible(frm_DM->HasRight(QString::fromLatin1(e.right)));
    m_panels[1]->setText(QStringLiteral("当前操作员：") + CurUserName);
}

void TFrm_Main::NavigationClick(const QString &buttonName)
{
    const Entry *e = entryFor(buttonName);
    if (!e)
        return;
    if (e->modal)
        OpenModal(QString::fromLatin1(e->screen));
    else
        OpenChild(QString::fromLatin1(e->screen));
}

void TFrm_Main::BannerClick(const QString &group, const QString &buttonName, const QString &right)
{
    // A banner button without its right stays visible but does nothing.
    if (!right.isEmpty() && !frm_DM->HasRight(right))
        return;
    Frm_Frame1->SetActiveGroup(group);
    NavigationClick(buttonName);
}

namespace {
// A screen whose subsystem is not part of this build gets a polite notice.
bool Available(const QString &className)
{
    if (Screens::Has(className))
        return true;
    Messages::Info(QStringLiteral("该功能尚未开放"));
    return false;
}
} // namespace

void TFrm_Main::OpenChild(const QString &className)
{
    if (!Available(className))
        return;
    CloseAllChildren();
    if (!m_mdi->subWindowList().isEmpty())
        return;   // a screen refused to close
    setUpdatesEnabled(false);
    TfrmDialog *screen = Screens::Create(className, nullptr);
    if (screen) {
        QMdiSubWindow *sub = m_mdi->addSubWindow(screen);
        sub->setAttribute(Qt::WA_DeleteOnClose);
        sub->setWindowIcon(QIcon(Pictures::Glyph(QStringLiteral("card"), 16, QColor(30, 80, 140))));
        connect(screen, &QDialog::finished, sub, &QWidget::close);
        if (screen->IsChildScreen())
            sub->showMaximized();
        else
            sub->show();
    }
    setUpdatesEnabled(true);
}

void TFrm_Main::OpenModal(const QString &className)
{
    if (!Available(className))
        return;
    QPointer<TfrmDialog> screen = Screens::Create(className, this);
    if (!screen)
        return;
    Messages::Exec(screen);
    delete screen;
}

void TFrm_Main::CloseAllChildren()
{
    const QList<QMdiSubWindow *> children = m_mdi->subWindowList();
    for (auto it = children.crbegin(); it != children.crend(); ++it) {
        QMdiSubWindow *sub = *it;
        if (sub->close())
            m_mdi->removeSubWindow(sub);
        update();
    }
}

void TFrm_Main::CheckTodayReminders()
{
    const QString tips = QStringLiteral(
        "select a.ID, a.CardID,a.TipOFFMode,(select TipStyle  from D_TipOffStyle c where c.ID=a.TipOFFMode) as TipStyle "
        ",a.TipOffDate,a.TipOffContent,a.TipOffState,IIf(a.TipOffState=1,'未联系','已联系') as TipOffState1,"
        "a.TipOffResult,a.TipOffDate_Intro, memberName,Mobile,Tel  from T_TipOffSet a,T_MemberInfo b where "
        "a.CardID=b.CodeID  and ((TipOffMode=1 and TipOffdate=format(now(),'yyyy-mm-dd')) or (TipOffMode=2 and "
        "InStr(TipOffdate,(weekday(now())-1))) or (TipOffMode=3 and day(now())=TipOffdate) or (TipOffMode=4 and "
        "format(now(),'m-d')=TipOffdate))   order by a.AddDate desc");
    const QString k = QString::number(SysSet.KeepDay);
    const QString birthdays =
        QStringLiteral("select codeid,memberName,format(birthday,'yyyy-mm-dd') as birthday ,mobile,tel,Addr,IDCard from "
                       "T_MemberInfo where (datediff('d',now(),format(now(),'yyyy')+format(birthday,'-mm-dd'))<=")
        + k
        + QStringLiteral(" and datediff('d',now(),format(now(),'yyyy')+format(birthday,'-mm-dd'))>=0) or "
                         "(datediff('d',now(),format(dateadd('yyyy',1,now()),'yyyy')+format(birthday,'-mm-dd'))<=")
        + k
        + QStringLiteral(" and datediff('d',now(),format(dateadd('yyyy',1,now()),'yyyy')+format(birthday,'-mm-dd'))>=0)");
    const bool due = QueryCount(ConnectionString, tips) > 0 || QueryCount(ConnectionString, birthdays) > 0;
    if (due && SysSet.IfUse_RemindWin == QLatin1String("1") && Screens::Has(QStringLiteral("TFrm_TipOffDay")))
        OpenModal(QStringLiteral("TFrm_TipOffDay"));
}

void TFrm_Main::closeEvent(QCloseEvent *event)
{
    if (Messages::Terminating()) {
        event->accept();
        return;
    }
    if (!Messages::Ask(QStringLiteral("你确定要离开系统吗?"))) {
        event->ignore();
        return;
    }
    CloseAllChildren();
    Timer1->stop();
    Frm_Frame1->BackupTimer()->stop();
    frm_DM->WriteLog(QStringLiteral("操作员：") + CurUserCode + QStringLiteral(" 退出系统"));
    frm_DM->CloseConnection();
    QApplication::setOverrideCursor(Qt::WaitCursor);
    CompactDatabase(frm_DM->DatabaseFile(), DatabasePassword());
    QApplication::restoreOverrideCursor();
    event->accept();
}
