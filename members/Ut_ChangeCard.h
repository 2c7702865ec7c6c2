#pragma once
// Card-number change: a member whose card was lost or damaged gets a new number (and,
// for stored-value and count cards, a new password). The caller moves the history.

#include "core/DialogUnit.h"

class QLabel;
class QLineEdit;
class QPushButton;
class QStackedWidget;

class Tfrm_ChangeCard : public TfrmDialog {
    Q_OBJECT
public:
    explicit Tfrm_ChangeCard(QWidget *parent = nullptr);

    // Inputs.
    QString OldPassword;
    QString MemberKind;   // "1", "2" or "3"
    QLineEdit *RzEd_CardName = nullptr;
    QLineEdit *RzEd_CardID = nullptr;
    QLineEdit *RzEd_CardKind = nullptr;
    QLineEdit *RzEd_CardLevel = nullptr;
    QLineEdit *RzEd_CardMoney = nullptr;
    QLineEdit *RzEd_CardSum = nullptr;
    QLabel *RzLab_Money = nullptr;

    // Results.
    bool Saved = false;
    QString NewCodeID;
    QString NewCardPassword;

    // Pages of "新的卡号".
    QStackedWidget *Notebook1 = nullptr;
    QLineEdit *RzEd_NewCard = nullptr;       // discount card
    QLineEdit *RzEd_InputCardID = nullptr;   // stored-value and count cards
    QLineEdit *RzEd_OldPass = nullptr;
    QLineEdit *RzEd_NewPass = nullptr;
    QLineEdit *RzEd_PassOk = nullptr;
    QPushButton *RzBitBtn1 = nullptr;

public slots:
    void RzBitBtn1Click();

protected:
    void showEvent(QShowEvent *event) override;

private:
    bool IsDiscountCard() const { return MemberKind.trimmed() == QLatin1String("1"); }
};
