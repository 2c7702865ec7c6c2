#pragma once
// Members, goods and gifts for the point-of-sale tests, and small drivers of the forms.

#include "support/TestEnv.h"

#include "core/DBGridEh.h"
#include "pos/Ut_CostCardMoney.h"

#include <QLineEdit>
#include <QPushButton>

class PosTest : public KelvoTest {
protected:
    void SetUp() override
    {
        KelvoTest::SetUp();
        LoginAs(QStringLiteral("admin"));
        SysSet.IfUse_Show = QStringLiteral("0");
        SysSet.IfUse_PrintPicket = QStringLiteral("0");
        SysSet.IfUse_LessZero = QStringLiteral("1");
        SysSet.IfInputPW = QStringLiteral("0");
        SysSet.CostStand = 10;
    }

    struct Member {
        QString code;
        int kind = 1;
        QString level = QStringLiteral("01");
        double money = 0;
        double score = 0;
        double sumScore = 0;
        double his = 0;
        QString name = QStringLiteral("测试会员");
        bool upgrade = false;
    };

    void AddMember(const Member &m)
    {
        db().exec(QStringLiteral("insert into T_MemberInfo(CodeID,memberName,Spell,memberKind,CardLevel,PassWord,CheapMode,"
                                 "memberScore,CurState,CurMoney,HisSumMoney,CardVailFlag,CardIfUpGrade,sex,AddDate,SumScore,"
                                 "Mobile,IDCard) values(?,?,'CSHY',?,?,'','0',?,1,?,?,0,?,'男','2026-01-01 00:00:00',?,?,?)"),
                  {m.code, m.name, m.kind, m.level, m.score, m.money, m.his, m.upgrade ? 1 : 0, m.sumScore,
                   QStringLiteral("139") + m.code, QString()});
    }

    void AddGoods(const QString &id, const QString &name, double price, double stock, double disc)
    {
        db().exec(QStringLiteral("insert into D_GoodsStore(GoodsID,GoodsName,GoodsKind,GoodsSimple,GoodsUnit,BuyPrice,"
                                 "SalePrice,GoodsCount,GoodsDisc) values(?,?,'00','',?,0,?,?,?)"),
                  {id, name, QStringLiteral("个"), price, stock, disc});
    }

    double Num(const QString &sql, const QVariantList &params = {})
    {
        const db::Result r = db().query(sql, params);
        return r.isEmpty() ? 0 : r.value(0, 0).asFloat();
    }
    QString Text(const QString &sql, const QVariantList &params = {})
    {
        const db::Result r = db().query(sql, params);
        return r.isEmpty() ? QString() : r.value(0, 0).asString();
    }
    double Stock(const QString &goods) { return Num(QStringLiteral("select GoodsCount from D_GoodsStore where GoodsID=?"), {goods}); }
    double MemberValue(const QString &column, const QString &card)
    {
        return Num(QStringLiteral("select %1 from T_MemberInfo where CodeID=?").arg(column), {card});
    }

    // A sale screen for the card, as the desk hands it over.
    TFrm_CostCardMoney *SaleScreen(const QString &card, const QString &kind, double balance, const QString &rate,
                                   double sumScore = 0, bool upgrade = false, const QString &level = QStringLiteral("01"))
    {
        auto *s = new TFrm_CostCardMoney;
        s->CardCode = card;
        s->MemberKind = kind;
        s->Balance = balance;
        s->MemberRate = rate;
        s->SumScoreBefore = sumScore;
        s->CanUpgrade = upgrade;
        s->LevelID = level;
        s->RzEd_CardID->setText(card);
        s->RzEd_CardName->setText(QStringLiteral("测试会员"));
        s->show();
        return s;
    }

    // Searches the goods, picks the row of `goods` and adds it with the quantity.
    static void AddToCart(TFrm_CostCardMoney *s, const QString &goods, const QString &quantity)
    {
        s->RzEd_QueryBH->setText(goods);
        for (int r = 0; r < s->DBGridEh1->RowCount(); ++r)
            if (s->DBGridEh1->Value(r, QStringLiteral("GoodsID")).asString() == goods)
                s->DBGridEh1->SetCurrentRow(r);
        s->Lab_Count->setText(quantity);
        s->RzBit_Ok->click();
    }
};
