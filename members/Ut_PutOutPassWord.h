#pragma once
// Card password prompt: asked before operations on stored-value and count cards, here
// and at the consumption desk. An administrator may use the login password instead.

#include "core/DialogUnit.h"

class QLabel;
class QLineEdit;
class QPushButton;

class TFrm_PutOutPassWord : public TfrmDialog {
    Q_OBJECT
public:
    explicit TFrm_PutOutPassWord(QWidget *parent = nullptr);

    // Input: the member's stored password. Result: the entry matched.
    QString CardPassword;
    bool Accepted = false;

    // Shows the prompt modally for a card password; true when it was accepted.
    static bool Ask(const QString &cardPassword, QWidget *parent = nullptr);

    QLineEdit *RzEd_PassWord = nullptr;
    QPushButton *RzBit_ok = nullptr;
    QPushButton *RzBit_Cancel = nullptr;

public slots:
    void RzBit_okClick();

protected:
    void keyPressEvent(QKeyEvent *event) override;
};
