#pragma once
// Goods sale and checkout for discount cards, stored-value cards and the no-card
// customer.

#include "PosData.h"
#include "core/DialogUnit.h"

#include <QString>

class DBGridEh;
class QCheckBox;
class QFrame;
class QLineEdit;
class QPushButton;
class QRadioButton;

class TFrm_CostCardMoney : public TfrmDialog, public DeskBooking {
    Q_OBJECT
public:
    explicit TFrm_CostCardMoney(QWidget *parent = nullptr);

    // Handed over by the desk besides the card and its balance.
    QString MemberRate = QStringLiteral("1");
    QString MemberKind;
    double SumScoreBefore = 0;
    bool CanUpgrade = false;
    QString LevelID;

    // Card panel, filled by the desk.
    QLineEdit *RzEd_CardID = nullptr;
    QLineEdit *RzEd_CardName = nullptr;
    QLineEdit *RzEd_CardMoney = nullptr;
    QLineEdit *RzEd_CardSum = nullptr;
    QLineEdit *RzEd_CardLevel = nullptr;
    // Lines.
    QLineEdit *RzEd_QueryBH = nullptr;
    QPushButton *RzBit_Query = nullptr;
    QPushButton *RzBit_Delete = nullptr;
    QLineEdit *RzEd_GoodsCount = nullptr;
    QPushButton *RzBit_modi = nullptr;
    DBGridEh *DBGridEh3 = nullptr;
    QFrame *RzPanel_BackGoods = nullptr;
    DBGridEh *DBGridEh1 = nullptr;
    QLineEdit *Lab_Count = nullptr;
    QPushButton *RzBit_Ok = nullptr;
    QPushButton *RzBitBtn2 = nullptr;
    QLineEdit *RzEd_PayMoney = nullptr;
    QLineEdit *RzEd_PayRemark = nullptr;
    // Bottom bar.
    QPushButton *RzBit_CheckOut = nullptr;
    QCheckBox *RzChk_XJJZ = nullptr;
    QFrame *RzPanel_JZ = nullptr;
    QRadioButton *RzRadioButton1 = nullptr;
    QRadioButton *RzChk_Money = nullptr;
    QPushButton *RzBit_PrintPort = nullptr;

    void RzBit_QueryClick();
    void AddLine();
    void RzBit_DeleteClick();
    void RzBit_modiClick();
    void RzChk_XJJZClick();
    void RzBit_CheckOutClick();

protected:
    void showEvent(QShowEvent *event) override;
    void keyPressEvent(QKeyEvent *event) override;
    void done(int r) override;

private:
    void BuildLayout();
    // The cart's total as the statement returns it.
    void ShowCartSum(const QString &sql);

    ScratchTable m_cart{QStringLiteral("T_SaleGoodsTemp")};
};
