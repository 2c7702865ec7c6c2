#pragma once
// The data module: the one database connection, the process-wide globals, the
// settings record and the small operations every screen shares.

#include "platform/db/Database.h"
#include <QString>

// Settings record: the row of T_SysSet plus three keys of config.ini.
struct TSysSet {
    QString IfUse_Birthday;
    int KeepDay = 0;
    QString IfUse_Balance;
    double LessMoney = 0;
    QString IfUse_RemindWin;
    QString IfUse_CostSocre;
    int CostStand = 0;
    int GetScore = 0;
    QString IfUse_AutoMoveUp;
    QString IfUse_LessZero;
    QString IfUse_ModiMoney;
    QString IfUse_Show;
    QString UnitName;
    QString IfUse_PrintPicket;
    QString IfUse_Oper;
    QString IfInputPW;
    QString FootNote1;
    QString footNote2;
    QString FootNote3;
    QString PrintName;
    QString IfAutoBack;
    QString IfAutoback_Clock;
};

extern QString ConnectionString;
extern QString AppPath;   // program folder, ends with '/'
extern QString CurUserCode;
extern QString CurUserName;
extern QString CurUserPower;
extern QString CurUserIsSys;
extern QString CurUserPassword;
extern bool LoggedIn;
extern TSysSet SysSet;

// The compiled-in database password of this build.
QString DatabasePassword();

class Tfrm_DM {
public:
    // Builds the connection and opens Data/JQ_CardMgr.dat under appPath; throws
    // db::DbError when it cannot. Loads SysSet.
    explicit Tfrm_DM(const QString &appPath);
    ~Tfrm_DM();

    db::Database &Db() { return m_db; }
    void OpenConnection();    // (re)opens the database file
    void CloseConnection();   // backup/restore and exit need the file closed
    QString DatabaseFile() const;

    void WriteLog(const QString &text);
    bool HasRight(const QString &code) const;
    static double Proportion(int x, int y, int z);
    void LoadSysSet();
    void LoadAutoBackupSettings();
    static QString ConfigFile() { return AppPath + QStringLiteral("config.ini"); }

private:
    db::Database m_db;
};

// The data module of the run; null before start-up has created it.
extern Tfrm_DM *frm_DM;

// Shorthand for the shared connection.
db::Database &Db();
