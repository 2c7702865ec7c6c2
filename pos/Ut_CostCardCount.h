#pragma once
// Count-card consumption: takes uses off a count card.

#include "PosData.h"
#include "core/DialogUnit.h"

#include <QString>

class QLabel;
class QLineEdit;
class QPushButton;

class TFrm_CostCardCount : public TfrmDialog, public DeskBooking {
    Q_OBJECT
public:
    explicit TFrm_CostCardCount(QWidget *parent = nullptr);

    QLineEdit *RzEd_CardID = nullptr;
    QLineEdit *RzEd_CardName = nullptr;
    QLabel *RzLab_Money = nullptr;
    QLineEdit *RzEd_CardMoney = nullptr;
    QLabel *RzLabel6 = nullptr;
    QLineEdit *RzEd_CardSum = nullptr;
    QLineEdit *RzEd_Count = nullptr;
    QLineEdit *RzEd_ReMark = nullptr;
    QPushButton *RzBit_Ok = nullptr;
    QPushButton *RzBit_PrintPort = nullptr;

    void RzBit_OkClick();
    void RzBit_PrintPortClick();

protected:
    void showEvent(QShowEvent *event) override;
};
