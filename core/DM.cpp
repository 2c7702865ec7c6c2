#include "DM.h"
#include "Routines.h"

#include "BuildConfig.h"

#include <QDir>

QString ConnectionString;
QString AppPath;
QString CurUserCode;
QString CurUserName;
QString CurUserPower;
QString CurUserIsSys;
QString CurUserPassword;
bool LoggedIn = false;
TSysSet SysSet;
Tfrm_DM *frm_DM = nullptr;

QString DatabasePassword()
{
    return QStringLiteral(KELVO_DB_PASSWORD);
}

db::Database &Db()
{
    return frm_DM->Db();
}

Tfrm_DM::Tfrm_DM(const QString &appPath)
{
    CurUserCode = QStringLiteral("admin");
    CurUserName = QStringLiteral("管理员");
    CurUserPower.clear();
    CurUserIsSys.clear();
    CurUserPassword.clear();
    LoggedIn = false;
    SysSet = TSysSet();
    AppPath = QDir::cleanPath(appPath) + QLatin1Char('/');
    // The string names the connection; it never carries the password.
    ConnectionString = QStringLiteral("Data Source=%1;Persist Security Info=False").arg(DatabaseFile());
    OpenConnection();
    frm_DM = this;
    LoadSysSet();
}

Tfrm_DM::~Tfrm_DM()
{
    CloseConnection();
    if (frm_DM == this)
        frm_DM = nullptr;
}

QString Tfrm_DM::DatabaseFile() const
{
    return AppPath + QStringLiteral("Data/JQ_CardMgr.dat");
}

void Tfrm_DM::OpenConnection()
{
    m_db.open(DatabaseFile(), DatabasePassword());
    db::registerConnection(ConnectionString, &m_db);
}

void Tfrm_DM::CloseConnection()
{
    db::unregisterConnection(ConnectionString);
    m_db.close();
}

void Tfrm_DM::WriteLog(const QString &text)
{
    // Bound, so a quote in the text cannot lose the line.
    try {
        m_db.exec(QStringLiteral("Insert into T_SysLog(OperDate,UserMan,OperInfo) values(now(),?,?)"),
                  {CurUserCode, text});
    } catch (const db::DbError &) {
    }
}

bool Tfrm_DM::HasRight(const QString &code) const
{
    if (CurUserIsSys == QLatin1String("1"))
        return true;
    return CurUserPower.contains(QLatin1Char('$') + code + QLatin1Char(';'));
}

double Tfrm_DM::Proportion(int x, int y, int z)
{
    return double(y) / double(z) * x;
}

void Tfrm_DM::LoadSysSet()
{
    const db::Result r = m_db.query(QStringLiteral("select * from T_SysSet"));
    auto flag = [&](const char *column) {
        return r.value(0, QString::fromLatin1(column)).asString() == QLatin1String("True") ? QStringLiteral("1")
                                                                                             : QStringLiteral("0");
    };
    if (r.isEmpty()) {
        SysSet = TSysSet();
        for (QString *f : {&SysSet.IfUse_Birthday, &SysSet.IfUse_Balance, &SysSet.IfUse_RemindWin,
                           &SysSet.IfUse_CostSocre, &SysSet.IfUse_AutoMoveUp, &SysSet.IfUse_LessZero,
                           &SysSet.IfUse_ModiMoney, &SysSet.IfUse_Show, &SysSet.IfUse_PrintPicket,
                           &SysSet.IfUse_Oper})
            *f = QStringLiteral("0");
    } else {
        SysSet.IfUse_Birthday = flag("IfUse_Birthday");
        SysSet.KeepDay = int(r.value(0, QStringLiteral("KeepDay")).asInt());
        SysSet.IfUse_Balance = flag("IfUse_Balance");
        SysSet.LessMoney = r.value(0, QStringLiteral("LessMoney")).asFloat();
        SysSet.IfUse_RemindWin = flag("IfUse_RemindWin");
        SysSet.IfUse_CostSocre = flag("IfUse_CostSocre");
        SysSet.CostStand = int(r.value(0, QStringLiteral("CostStand")).asInt());
        SysSet.GetScore = int(r.value(0, QStringLiteral("GetScore")).asInt());
        SysSet.IfUse_AutoMoveUp = flag("IfUse_AutoMoveUp");
        SysSet.IfUse_LessZero = flag("IfUse_LessZero");
        SysSet.IfUse_ModiMoney = flag("IfUse_ModiMoney");
        SysSet.IfUse_Show = flag("IfUse_Show");
        SysSet.UnitName = r.value(0, QStringLiteral("UnitName")).asString();
        SysSet.IfUse_PrintPicket = flag("IfUse_PrintPicket");
        SysSet.IfUse_Oper = flag("IfUse_Oper");
        SysSet.FootNote1 = r.value(0, QStringLiteral("FootNote1")).asString();
        SysSet.footNote2 = r.value(0, QStringLiteral("FootNote2")).asString();
        SysSet.FootNote3 = r.value(0, QStringLiteral("FootNote3")).asString();
        SysSet.PrintName = r.value(0, QStringLiteral("PrintName")).asString();
    }
    SysSet.IfInputPW = IniRead(QStringLiteral("ParaSet"), QStringLiteral("IfInputPW"), QStringLiteral("0"), ConfigFile());
    LoadAutoBackupSettings();
}

void Tfrm_DM::LoadAutoBackupSettings()
{
    SysSet.IfAutoBack = IniRead(QStringLiteral("ParaSet"), QStringLiteral("IfAutoBack"), QStringLiteral("0"), ConfigFile());
    SysSet.IfAutoback_Clock =
        IniRead(QStringLiteral("ParaSet"), QStringLiteral("IfAutoback_Clock"), QStringLiteral("12"), ConfigFile());
}
