#pragma once
// Pure rules of the point of sale: line rate, money rounding, score points and the
// split of a stored-value balance plus cash. Screens call these; tests need no window.

#include <QString>

namespace SaleRules {

// Money as "0.00" shows it: two decimals, halves away from zero, judged on the value
// as a person reads it (2.675 gives 2.68, not the 2.67 of its binary neighbour).
double RoundMoney(double value);
QString FormatMoney(double value);             // "0.00"
QString FormatQuantity(double value);          // "0.000"
// Plain shortest decimal form for statements and messages: 50, 12.5, -0.3.
QString PlainNumber(double value);
// Text of a number edit; empty or not a number counts as `empty`.
double TextValue(const QString &text, double empty = 0);

// Member rate handed to the sale screen from the level's rate text: "不打" is no
// discount; an empty or unreadable rate (a member without a valid level) also sells at
// full price.
double MemberRate(const QString &rateText);
// Rate applied to a line: the member rate when the goods' lowest rate is 0 or below
// the member rate, else the goods' lowest rate (a floor under the discount).
double LineRate(double memberRate, double goodsDisc);

struct LineAmounts {
    double unitPrice = 0;   // sale price × rate, unrounded
    double discPrice = 0;   // unit price, two decimals
    double sumPrice = 0;    // quantity × unrounded unit price, two decimals
};
LineAmounts ComputeLine(double salePrice, double rate, double quantity);

// Points for a paid amount: the amount rounded to a whole number with halves to the
// even neighbour (24.5 gives 24, 25.5 gives 26), divided whole by CostStand. A
// CostStand of 0 or less awards nothing.
int Points(double paid, int costStand);

// How a sale is settled.
enum class PayPath {
    CardPayment,       // stored-value card, from the balance
    PlainSale,         // discount card or no-card customer
    CashOnly,          // stored-value card, cash box ticked, cash only
    BalancePlusCash,   // stored-value card, cash box ticked, balance used up plus cash
};
PayPath ChoosePath(const QString &memberKind, bool cashTicked, bool balancePlusCash);
// IfMoney code stored with the consumption.
int IfMoneyCode(PayPath path);

// Cash part of a balance-plus-cash sale; valid only when the amount is at least the
// balance, so the balance is never cleared for a smaller amount.
struct BalanceCashSplit {
    bool valid = false;
    double cardPart = 0;
    double cashPart = 0;
};
BalanceCashSplit SplitBalanceCash(double amount, double balance);

} // namespace SaleRules
