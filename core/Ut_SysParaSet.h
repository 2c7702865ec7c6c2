#pragma once
// System parameters: the row of T_SysSet and the IfInputPW key of config.ini.

#include "DialogUnit.h"

class QCheckBox;
class QComboBox;
class QLineEdit;
class QPushButton;
class QSpinBox;

class TFrm_SysParaSet : public TfrmDialog {
    Q_OBJECT
public:
    explicit TFrm_SysParaSet(QWidget *parent = nullptr);

    // True while the row holds changes not yet written.
    bool IsEditing() const { return m_editing; }

public slots:
    void RzBitBtn1Click();

protected:
    void closeEvent(QCloseEvent *event) override;

private:
    void LoadRow();
    void UpdateEnabling();
    void MarkEdited();

    QLineEdit *RzDBEdit1 = nullptr;       // CostStand
    QCheckBox *RzDBCheckBox1 = nullptr;   // IfUse_CostSocre
    QLineEdit *RzDBEdit4 = nullptr;       // GetScore
    QCheckBox *RzDBCheckBox5 = nullptr;   // IfUse_LessZero
    QCheckBox *RzDBCheckBox6 = nullptr;   // IfUse_ModiMoney
    QCheckBox *RzDBCheckBox7 = nullptr;   // IfUse_Show
    QCheckBox *RzChk_InputPW = nullptr;   // config.ini IfInputPW
    QCheckBox *RzDBCheckBox2 = nullptr;   // IfUse_Birthday
    QSpinBox *RzDBSpinEdit1 = nullptr;    // KeepDay
    QCheckBox *RzDBCheckBox3 = nullptr;   // IfUse_Balance
    QLineEdit *RzDBEdit2 = nullptr;       // LessMoney
    QCheckBox *RzDBCheckBox4 = nullptr;   // IfUse_RemindWin
    QLineEdit *RzDBEdit5 = nullptr;       // UnitName
    QLineEdit *RzDBEdit6 = nullptr;       // FootNote1
    QLineEdit *RzDBEdit7 = nullptr;       // FootNote2
    QLineEdit *RzDBEdit8 = nullptr;       // FootNote3
    QCheckBox *RzDBCheckBox8 = nullptr;   // IfUse_PrintPicket
    QCheckBox *RzDBCheckBox9 = nullptr;   // IfUse_Oper
    QComboBox *RzComb_Print = nullptr;    // PrintName
    QPushButton *RzBitBtn1 = nullptr;

    bool m_loading = false;
    bool m_editing = false;
    bool m_autoMoveUp = false;   // no control; written back as read
};
