#pragma once
// Change dialog of the checkout: amount due, amount received, change.

#include "core/DialogUnit.h"

class QLineEdit;
class QPushButton;
class QStackedWidget;

class TFrm_ShowChangeMoney : public TfrmDialog {
    Q_OBJECT
public:
    explicit TFrm_ShowChangeMoney(QWidget *parent = nullptr);

    QLineEdit *RzEd_YS = nullptr;
    QLineEdit *RzEd_ZL = nullptr;
    QStackedWidget *Notebook1 = nullptr;
    QLineEdit *RzEd_SS = nullptr;
    QLineEdit *RzEd_CZKMoney = nullptr;
    QLineEdit *RzEd_XJMoney = nullptr;
    QPushButton *RzBit_OK = nullptr;

    // Page 0: one amount received; page 1: stored-value part plus cash.
    void SetPage(int page);
    bool Confirmed = false;
    // Handed back when confirmed.
    QString CashReceived() const;
    QString Change() const;
    QString CardPart() const;

    void RzBit_OKClick();

protected:
    void showEvent(QShowEvent *event) override;

private:
    void Recalculate();
};
