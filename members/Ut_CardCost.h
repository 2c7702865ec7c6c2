#pragma once
// Recharge of a stored-value card (yuan) or a count card (uses): credits the payment by
// the card's style, awards score points, records the payment, applies the level
// upgrade and, on request, prints a receipt.

#include "core/DialogUnit.h"

class QCheckBox;
class QLabel;
class QLineEdit;
class QPushButton;

class TFrm_CardCost : public TfrmDialog {
    Q_OBJECT
public:
    explicit TFrm_CardCost(QWidget *parent = nullptr);

    // Inputs, from the caller's current member.
    QString MemberKind;         // "2" stored-value card, "3" count card
    QString StyleCode;          // CheapMode
    double Balance = 0;         // balance before the recharge (yuan or uses)
    double SumScoreBefore = 0;  // cumulative score before the recharge
    bool CanUpgrade = false;    // CardIfUpGrade
    QString LevelID;            // CardLevel
    // Read-only display edits the caller fills.
    QLineEdit *RzEd_cardID = nullptr;
    QLineEdit *RzEd_Name = nullptr;
    QLineEdit *RzEd_Money = nullptr;
    QLineEdit *RzEd_Style = nullptr;

    // Result: a recharge was recorded.
    bool Saved = false;

    QLabel *RzLab_1 = nullptr;
    QLabel *RzLab_2 = nullptr;
    QLabel *RzLab_3 = nullptr;
    QLabel *RzLab_CountInfo = nullptr;
    QLineEdit *RzEd_Costpay = nullptr;
    QLineEdit *RzEd_CostPayReal = nullptr;
    QCheckBox *RzChk_PrintTicket = nullptr;
    QPushButton *RzBit_Save = nullptr;

public slots:
    void RzBit_SaveClick();

protected:
    void showEvent(QShowEvent *event) override;
    bool eventFilter(QObject *watched, QEvent *event) override;

private:
    void FormShow();
    void RecomputeCredit();
    void ReformatPayment();
    bool IsCountCard() const { return MemberKind.trimmed() == QLatin1String("3"); }

    int m_costMoney = 0;
    int m_cheapMoney = 0;
    bool m_shown = false;
};
