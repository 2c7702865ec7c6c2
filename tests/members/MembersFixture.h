#pragma once
// Shared set-up of the member tests: an administrator logged in and members put
// straight into the database.

#include "support/TestEnv.h"

#include "core/DBGridEh.h"

#include <QString>

struct MemberRow {
    QString card;
    QString name = QStringLiteral("测试");
    int kind = 2;
    QString style = QStringLiteral("02");
    QString level = QStringLiteral("01");
    double money = 0;
    double score = 0;
    int sumScore = 0;
    QString password;
    bool upgrade = false;
    int state = 1;
    QString photo;
};

class MembersTest : public KelvoTest {
protected:
    void SetUp() override
    {
        KelvoTest::SetUp();
        LoginAs(QStringLiteral("admin"));
    }

    void AddMember(const MemberRow &m)
    {
        db().exec(QStringLiteral("insert into T_MemberInfo(CodeID,memberName,Spell,memberKind,CheapMode,CardLevel,CurMoney,"
                                 "memberScore,SumScore,PassWord,CardIfUpGrade,CurState,MemberPhoto,HisSumMoney,sex,AddDate) "
                                 "values(?,?,'',?,?,?,?,?,?,?,?,?,?,0,'男','2026-01-02 00:00:00')"),
                  {m.card, m.name, m.kind, m.style, m.level, m.money, m.score, m.sumScore, m.password,
                   m.upgrade ? 1 : 0, m.state, m.photo});
    }

    double Number(const QString &sql, const QVariantList &params = {})
    {
        const db::Result r = db().query(sql, params);
        return r.isEmpty() ? -1 : r.value(0, 0).asFloat();
    }

    int Count(const QString &table, const QString &card)
    {
        return int(Number(QStringLiteral("select count(*) from %1 where CardID=?").arg(table), {card}));
    }

    bool Logged(const QString &text)
    {
        return Number(QStringLiteral("select count(*) from T_SysLog where OperInfo=?"), {text}) > 0;
    }

    static int RowOf(DBGridEh *grid, const QString &field, const QString &value)
    {
        for (int row = 0; row < grid->RowCount(); ++row)
            if (grid->Value(row, field).asString().trimmed() == value)
                return row;
        return -1;
    }
};
