#include "CardRules.h"
#include "core/DM.h"

#include <cmath>

namespace cards {

double RoundHalfEven(double v)
{
    const double r = std::round(v);
    // std::round takes halves away from zero; step back to the even neighbour.
    if (std::fabs(v - std::trunc(v)) == 0.5 && std::fmod(r, 2.0) != 0.0)
        return r - std::copysign(1.0, v);
    return r;
}

int LeadingWholeNumber(const QString &text)
{
    qint64 n = 0;
    for (const QChar c : text) {
        if (c < QLatin1Char('0') || c > QLatin1Char('9'))
            break;
        n = n * 10 + (c.unicode() - '0');
        if (n > 1000000000)
            break;
    }
    return int(n);
}

double RechargeCredit(int costMoney, int cheapMoney, int wholeYuan)
{
    return RoundHalfEven(double(cheapMoney) / double(costMoney) * wholeYuan);
}

double OpeningCredit(int costMoney, int cheapMoney, double pay)
{
    return double(cheapMoney) / double(costMoney) * pay;
}

bool IsCountPayment(int pay, int costMoney)
{
    return costMoney > 0 && pay % costMoney == 0;
}

int PaymentScore(double pay, int costStand)
{
    if (costStand <= 0)
        return 0;
    return int(RoundHalfEven(pay / costStand));
}

QString MoneyOrUsesText(double value, int memberKind)
{
    return QString::number(value, 'f', memberKind == CountCard ? 0 : 2);
}

QString StyleRemark(const QString &kind, const QString &credit, const QString &costMoney, const QString &uses)
{
    auto orZero = [](const QString &s) { return s.isEmpty() ? QStringLiteral("0") : s; };
    if (kind == QLatin1String("01"))
        return QStringLiteral("交费100元相当于存入卡中") + orZero(credit) + QStringLiteral("元");
    if (kind == QLatin1String("02"))
        return QStringLiteral("交费") + orZero(costMoney) + QStringLiteral("元 可以消费") + orZero(uses)
             + QStringLiteral("次");
    return {};
}

std::optional<QString> LevelForScore(const QList<LevelBand> &bands, double score)
{
    std::optional<QString> best;
    for (const LevelBand &b : bands) {
        if (b.scoreUp <= score && score <= b.scoreDown) {
            const QString id = b.id.trimmed();
            if (!best || id.compare(*best, Qt::CaseInsensitive) < 0)
                best = id;
        }
    }
    return best;
}

std::optional<QString> ApplyLevelUpgrade(db::Database &db, const QString &cardId, bool canUpgrade,
                                         const QString &currentLevel, double score)
{
    if (!canUpgrade)
        return std::nullopt;
    const db::Result r = db.query(QStringLiteral("select ID,ScoreUp,ScoreDown from D_MemberLevel "
                                                 "where ScoreUp<=? and ScoreDown>=?"),
                                  {score, score});
    QList<LevelBand> bands;
    for (int i = 0; i < r.rowCount(); ++i)
        bands.append({r.value(i, 0).asString(), r.value(i, 1).asFloat(), r.value(i, 2).asFloat()});
    const std::optional<QString> level = LevelForScore(bands, score);
    if (!level || *level == currentLevel.trimmed())
        return std::nullopt;
    db.exec(QStringLiteral("Update T_MemberInfo set CardLevel=? where CodeID=?"), {*level, cardId});
    return level;
}

void AwardReferrer(db::Database &db, const QString &referrer, const QString &newCard, int points)
{
    db.exec(QStringLiteral("Update T_MemberInfo set memberScore=iif(isnull(memberScore),0,memberScore)+?,"
                           "SumScore=iif(isnull(SumScore),0,SumScore)+? where CodeID=?"),
            {points, points, referrer});
    frm_DM->WriteLog(QStringLiteral("会员卡号：[") + referrer + QStringLiteral("] 介绍 [") + newCard
                     + QStringLiteral("]  获得") + QString::number(points) + QStringLiteral("积分"));
}

} // namespace cards
