#pragma once
// Goods return: takes lines of an earlier consumption back as a consumption of its
// own with negative amounts.

#include "PosData.h"
#include "core/DialogUnit.h"

#include <QString>

class DBGridEh;
class QLineEdit;
class QPushButton;

class TFrm_CostCardMoney_Exit : public TfrmDialog {
    Q_OBJECT
public:
    explicit TFrm_CostCardMoney_Exit(QWidget *parent = nullptr);

    QString CardCode;
    QString MemberKind;
    QString SaleCostID;
    bool Saved = false;

    QLineEdit *RzEd_CardID = nullptr;
    QLineEdit *RzEd_CardName = nullptr;
    QLineEdit *RzEd_CardMoney = nullptr;
    QLineEdit *RzEd_CardSum = nullptr;
    QLineEdit *RzEd_CardLevel = nullptr;
    QLineEdit *RzEd_CostDate = nullptr;
    QLineEdit *RzEd_CostID = nullptr;
    QPushButton *RzBit_Ok = nullptr;
    QLineEdit *Lab_Count = nullptr;
    DBGridEh *DBGridEh1 = nullptr;
    QPushButton *RzBit_Right = nullptr;
    QPushButton *RzBit_Left = nullptr;
    DBGridEh *DBGridEh3 = nullptr;
    QLineEdit *RzEd_PayMoney = nullptr;
    QLineEdit *RzEd_PayRemark = nullptr;
    QPushButton *RzBit_CheckOut = nullptr;

    void LoadLines(const QString &costId);
    void RzBit_OkClick();
    void RzBit_RightClick();
    void RzBit_LeftClick();
    void RzBit_CheckOutClick();

protected:
    void showEvent(QShowEvent *event) override;
    void done(int r) override;

private:
    ScratchTable m_chosen{QStringLiteral("T_SaleGoodsTemp")};
};
