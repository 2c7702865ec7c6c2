#pragma once
// Stock in / stock return of one goods row: a movement in T_GoodsBuySale applied to
// the goods' stock.

#include "core/DialogUnit.h"

class QLineEdit;
class QPushButton;
class QRadioButton;

class TFrm_GoodsBuySale : public TfrmDialog {
    Q_OBJECT
public:
    explicit TFrm_GoodsBuySale(QWidget *parent = nullptr);

    // Filled by the opener: code, name, stock, buying price; the quantity starts at "0".
    QLineEdit *RzEdit1 = nullptr;
    QLineEdit *RzEdit2 = nullptr;
    QLineEdit *RzEdit3 = nullptr;
    QLineEdit *RzEdit4 = nullptr;
    QRadioButton *RzRad_Buy = nullptr;
    QRadioButton *RzRad_Sale = nullptr;
    QLineEdit *RzEd_Count = nullptr;
    QLineEdit *RzEd_Remark = nullptr;
    QPushButton *btnAdd1 = nullptr;
    QPushButton *RzBit_Cancel = nullptr;

    bool Saved = false;

public slots:
    void btnAdd1Click();

protected:
    void showEvent(QShowEvent *event) override;
};
