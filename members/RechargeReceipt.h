#pragma once
// The receipt of a recharge: the shared frame around the card kind, the style, the
// payment and what it put into the card.

#include "core/ReceiptFrame.h"

#include <QByteArray>
#include <QDateTime>
#include <QString>

struct RechargeReceiptData {
    QString cardId;
    QString memberName;
    int memberKind = 2;     // 2 stored-value card, 3 count card
    QString styleRemark;
    QString paymentText;    // as shown in the payment edit ("150.00")
    QString creditText;     // as shown in the credit edit ("180.00" or "20")
};

QByteArray RechargeReceipt(const RechargeReceiptData &data, const receipt::Frame &frame, const QDateTime &printed);
