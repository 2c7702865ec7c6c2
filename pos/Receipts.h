#pragma once
// The sale and count-card receipts of the point of sale, on the shared receipt frame.

#include "SaleRules.h"
#include "core/ReceiptFrame.h"

#include <QByteArray>
#include <QDateTime>
#include <QList>
#include <QString>

namespace Receipts {

struct SaleLine {
    QString goodsId;
    QString goodsName;
    double discPrice = 0;
    double count = 0;
    double sumPrice = 0;
};

struct Sale {
    QString costId;
    QString cardCode;
    QString memberName;
    QList<SaleLine> lines;
    QString amount;         // amount due as the amount edit shows it
    SaleRules::PayPath path = SaleRules::PayPath::PlainSale;
    QString cashReceived;
    QString change;
    QString cardPart;
};

struct Count {
    QString costId;
    QString cardCode;
    QString name;
    QString uses;           // as typed
    QString remark;
};

QByteArray SaleReceipt(const receipt::Frame &frame, const Sale &sale, const QDateTime &printedAt);
QByteArray CountReceipt(const receipt::Frame &frame, const Count &count, const QDateTime &printedAt);

} // namespace Receipts
