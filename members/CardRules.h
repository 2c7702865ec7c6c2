#pragma once
// Rules of member cards as plain functions: what a payment credits and earns, the
// description of a discount style, the automatic level change and the referrer bonus.

#include <QList>
#include <QString>
#include <optional>

namespace db {
class Database;
}

namespace cards {

enum CardKind { DiscountCard = 1, StoredValueCard = 2, CountCard = 3 };

// Nearest whole number, halves to the even neighbour (2.5 -> 2, 3.5 -> 4).
double RoundHalfEven(double v);

// The whole number at the start of a payment text: its digits before the first other
// character ("150.50" -> 150, "" -> 0).
int LeadingWholeNumber(const QString &text);

// A style whose price (CostMoney) is 0 cannot credit anything; callers refuse it.
inline bool StyleUsable(int costMoney) { return costMoney > 0; }

// Recharge: CheapMoney / CostMoney x whole yuan paid, rounded. costMoney > 0.
double RechargeCredit(int costMoney, int cheapMoney, int wholeYuan);
// Opening amount of a new card: the same proportion, not rounded. costMoney > 0.
double OpeningCredit(int costMoney, int cheapMoney, double pay);
// A count card takes only whole multiples of its style's price (0 is one).
bool IsCountPayment(int pay, int costMoney);
// Score points for money paid: pay / costStand rounded; none when costStand is not set.
int PaymentScore(double pay, int costStand);

// A balance or cumulative amount as shown: money with two decimals ("131384.90"), the
// uses of a count card as a whole number ("20").
QString MoneyOrUsesText(double value, int memberKind);

// Description stored with a style. Kind "01": what 100 yuan puts into the card; kind
// "02": price and uses. Empty amounts count as "0"; any other kind gives "".
QString StyleRemark(const QString &kind, const QString &credit, const QString &costMoney, const QString &uses);

struct LevelBand {
    QString id;
    double scoreUp = 0;     // lower bound, inclusive
    double scoreDown = 0;   // upper bound, inclusive
};

// The level whose band holds the score. Bands may overlap: the lowest ID (text order,
// as the level list sorts) among those holding the score wins, so the result does not
// depend on the order the rows come in.
std::optional<QString> LevelForScore(const QList<LevelBand> &bands, double score);

// After score points were added: moves the member to the level of the band holding
// `score` when the card takes part in upgrades and that level differs from
// `currentLevel`. Returns the new level when it changed. Throws db::DbError.
std::optional<QString> ApplyLevelUpgrade(db::Database &db, const QString &cardId, bool canUpgrade,
                                         const QString &currentLevel, double score);

// Gives the referrer of a new member `points` score points and logs it. Throws db::DbError.
void AwardReferrer(db::Database &db, const QString &referrer, const QString &newCard, int points);

} // namespace cards
