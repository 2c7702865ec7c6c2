#pragma once
// Member list: finds members and starts every card operation (add, modify, delete,
// loss report and its undo, card number change, password clearing, recharge).

#include "core/DialogUnit.h"

#include <QVariantList>

class DBGridEh;
class QComboBox;
class QLineEdit;
class QPushButton;

class TFrm_HYManage : public TfrmDialog {
    Q_OBJECT
public:
    explicit TFrm_HYManage(QWidget *parent = nullptr);

    // The list statement with the conditions of a search text and a state value
    // ("9999" for all states); the texts are bound, so they match literally.
    struct ListQuery {
        QString sql;
        QVariantList params;
    };
    static ListQuery BuildListQuery(const QString &searchText, const QString &stateValue);

    QLineEdit *RzEd_Query = nullptr;
    QComboBox *RzComb_State = nullptr;
    QPushButton *RzBit_InputMoney = nullptr;
    DBGridEh *DBGridEh1 = nullptr;
    QPushButton *RzBit_Add = nullptr;
    QPushButton *RZBit_Modi = nullptr;
    QPushButton *RzBit_Delete = nullptr;
    QPushButton *RzBit_RepLoss = nullptr;
    QPushButton *RzBit_UndoRepLoss = nullptr;
    QPushButton *RzBit_ChangeCard = nullptr;
    QPushButton *RzBit_ChangeMoney = nullptr;
    QPushButton *RzBit_ClearPass = nullptr;

    // Re-reads the list with the current filter and moves to the first card whose
    // number begins with `card` (when given).
    void ReadList(const QString &card = QString());
    // The text shown for a money-or-uses column of a list row: "0.00" for money, a whole
    // number of uses on a count card, empty for Null.
    QString MoneyText(int row, const QString &field) const;

public slots:
    void RzBit_AddClick();
    void RZBit_ModiClick();
    void RzBit_DeleteClick();
    void RzBit_RepLossClick();
    void RzBit_UndoRepLossClick();
    void RzBit_ChangeCardClick();
    void RzBit_ChangeMoneyClick();
    void RzBit_InputMoneyClick();
    void RzBit_ClearPassClick();

protected:
    void showEvent(QShowEvent *event) override;
    void keyPressEvent(QKeyEvent *event) override;

private:
    void FormShow();
    void RowChanged();
    bool HasCard() const;
    QString Card() const;
    QString Text(const char *field) const;
    bool IsNoCardMember(const QString &refusal);
    bool AskPassword();
    void SetLossState(int state, const QString &question, const QString &log);
    bool m_shown = false;
};
