#pragma once
// A scratch SQLCipher database whose columns follow the storage conventions: dates as
// TEXT 'yyyy-MM-dd HH:mm:ss', Yes/No as YESNO integers, texts COLLATE NOCASE.

#include "platform/db/Database.h"
#include "platform/db/JetSql.h"

#include <QTemporaryDir>
#include <gtest/gtest.h>

class JetDb : public ::testing::Test {
protected:
    void SetUp() override
    {
        ASSERT_TRUE(dir.isValid());
        path = dir.filePath(QStringLiteral("test.dat"));
        db.open(path, QStringLiteral("secret-pw"), true);
        db.execScript(QStringLiteral(R"(
BEGIN;
CREATE TABLE One (ID INTEGER PRIMARY KEY);
INSERT INTO One VALUES (1);
CREATE TABLE T_Member (
    ID INTEGER PRIMARY KEY AUTOINCREMENT,
    CodeID TEXT COLLATE NOCASE, memberName TEXT COLLATE NOCASE, memberKind INTEGER,
    CurMoney REAL, memberScore REAL, birthday TEXT, AddDate TEXT,
    CardIfUpGrade YESNO DEFAULT 0, PassWord TEXT COLLATE NOCASE);
INSERT INTO T_Member (CodeID, memberName, memberKind, CurMoney, memberScore, birthday, AddDate, CardIfUpGrade, PassWord)
VALUES ('0001', '张三', 2, 100.5, NULL, '1992-02-29 00:00:00', '2025-12-31 23:59:59', 1, 'pw1'),
       ('0002', 'Alice', 3, NULL, 20, '1985-01-02 00:00:00', '2026-01-01 00:00:00', 0, 'pw2'),
       ('0003', 'bob', 1, 0, 7, NULL, '2026-01-15 10:00:00', -1, 'pw3');
CREATE TABLE T_Cost (
    ID INTEGER PRIMARY KEY AUTOINCREMENT, CostID TEXT COLLATE NOCASE, CardID TEXT COLLATE NOCASE,
    CostMoney REAL, CostDate TEXT);
CREATE INDEX IX_Cost_CostDate ON T_Cost (CostDate);
INSERT INTO T_Cost (CostID, CardID, CostMoney, CostDate) VALUES
    ('c1', '0001', 10, '2026-01-04 23:59:59'), ('c2', '0001', 20, '2026-01-05 00:00:00'),
    ('c3', '0002', 30, '2026-01-05 23:59:59'), ('c4', '0002', 40, '2026-01-06 00:00:00'),
    ('c5', '0001', 50, '2026-01-31 12:00:00'), ('c6', '0003', 60, '2026-02-01 00:00:00'),
    ('c7', '0003', 70, NULL), ('c8', '0001', 80, '2026-01-10'), ('c9', '0002', 90, '2025-12-31 23:59:59');
CREATE TABLE T_Log (ID INTEGER PRIMARY KEY AUTOINCREMENT, OperDate TEXT, OperInfo TEXT COLLATE NOCASE);
INSERT INTO T_Log (OperDate, OperInfo) VALUES
    ('2026-01-01 08:00:00', '会员卡：[123] 充值'), ('2026-01-01 09:00:00', '会员卡：[12] 充值'),
    ('2026-01-01 10:00:00', '会员卡：[1234] 充值'), ('2026-01-01 11:00:00', '会员卡：123 充值');
CREATE TABLE T_Tip (ID INTEGER PRIMARY KEY AUTOINCREMENT, TipOffMode INTEGER, TipOffDate TEXT COLLATE NOCASE);
INSERT INTO T_Tip (TipOffMode, TipOffDate) VALUES
    (1, '2026-12-28'), (1, '2026-12-29'), (2, '$0;$1;'), (2, '$3;'), (3, '28'), (3, '27'), (4, '12-28'), (4, '1-28');
COMMIT;
)"));
        setNow(QDateTime(QDate(2026, 12, 28), QTime(10, 30, 0)));   // a Monday
    }

    void TearDown() override { db::jet::setClock({}); }

    static void setNow(const QDateTime &t)
    {
        db::jet::setClock([t] { return t; });
    }

    // First value of the first row as text; "<null>" for Null, "<none>" for no row.
    QString scalar(const QString &jetSql, const QVariantList &params = {})
    {
        const db::Result r = db.query(jetSql, params);
        if (r.isEmpty())
            return QStringLiteral("<none>");
        const db::Field f = r.value(0, 0);
        return f.isNull() ? QStringLiteral("<null>") : f.asString();
    }

    QStringList column(const QString &jetSql, const QVariantList &params = {})
    {
        const db::Result r = db.query(jetSql, params);
        QStringList out;
        for (int i = 0; i < r.rowCount(); ++i)
            out << (r.value(i, 0).isNull() ? QStringLiteral("<null>") : r.value(i, 0).asString());
        return out;
    }

    QTemporaryDir dir;
    QString path;
    db::Database db;
};
