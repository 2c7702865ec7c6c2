#include "RechargeReceipt.h"
#include "CardRules.h"

QByteArray RechargeReceipt(const RechargeReceiptData &data, const receipt::Frame &frame, const QDateTime &printed)
{
    const bool count = data.memberKind == cards::CountCard;
    receipt::Builder b(frame);
    b.Head();
    b.Text(QStringLiteral("卡号:") + data.cardId).Blanks(8).Text(QStringLiteral("姓名:") + data.memberName).Lf();
    b.Separator().Lf();
    b.Text(QStringLiteral("会员卡类型：") + (count ? QStringLiteral("计次卡") : QStringLiteral("储值卡"))).CrLf();
    b.Text(QStringLiteral("优惠方式：") + data.styleRemark).CrLf();
    b.Text(QStringLiteral("交费金额：") + data.paymentText + QStringLiteral("元")).CrLf();
    if (count)
        b.Text(QStringLiteral("充入次数:") + data.creditText + QStringLiteral("次"));
    else
        b.Text(QStringLiteral("实际存入：") + data.creditText + QStringLiteral("元"));
    b.Lf();
    b.DateLine(printed);
    b.Foot();
    return b.Bytes();
}
