#pragma once
// The logged-in operator changes his own password.

#include "DialogUnit.h"

class QLabel;
class QLineEdit;
class QPushButton;

class TFrm_ModiPassWord : public TfrmDialog {
    Q_OBJECT
public:
    explicit TFrm_ModiPassWord(QWidget *parent = nullptr);

public slots:
    void RzBit_OKClick();

private:
    QLabel *RzLab_UserName = nullptr;
    QLineEdit *RzEd_Pass = nullptr;
    QLineEdit *RzEd_NewPass = nullptr;
    QLineEdit *RzEd_NewPassOk = nullptr;
    QPushButton *RzBit_OK = nullptr;
};
