#pragma once
// Member lookup: pick a member by card number, name or name initials. Used for the
// referrer, the target of a balance transfer, the recharge records, reminders and the
// log viewer.

#include "core/DialogUnit.h"

#include <QVariantList>

class DBGridEh;
class QLineEdit;
class QPushButton;

class TFrm_BackMemberCode : public TfrmDialog {
    Q_OBJECT
public:
    explicit TFrm_BackMemberCode(QWidget *parent = nullptr);

    // Input: looking for the target card of a balance transfer (stored-value cards only).
    bool TransferMode = false;
    // Results; an empty SelCodeID means no member.
    bool Selected = false;
    QString SelCodeID;
    QString SelName;

    DBGridEh *DBGridEh1 = nullptr;
    QLineEdit *Lab_Query = nullptr;
    QPushButton *RzBit_Ok = nullptr;

public slots:
    void RzBit_OkClick();

protected:
    void showEvent(QShowEvent *event) override;
    void keyPressEvent(QKeyEvent *event) override;

private:
    void ReadList();
    bool m_shown = false;
};
