#pragma once
// Card settings: the member levels (discount rate and score band) and the discount
// styles of stored-value and count cards.

#include "core/DialogUnit.h"

class DBGridEh;
class QComboBox;
class QGroupBox;
class QLineEdit;
class QPushButton;
class QStackedWidget;

class TFrm_HYCardSet : public TfrmDialog {
    Q_OBJECT
public:
    explicit TFrm_HYCardSet(QWidget *parent = nullptr);

    enum class EditState { Browse, Edit, Insert };

    // Levels.
    DBGridEh *DBGridEh1 = nullptr;
    QLineEdit *RzDBEdit1 = nullptr;   // ID
    QLineEdit *RzDBEdit2 = nullptr;   // UserName
    QLineEdit *RzDBEdit3 = nullptr;   // rate
    QLineEdit *RzDBEdit4 = nullptr;   // ScoreUp
    QLineEdit *RzDBEdit5 = nullptr;   // ScoreDown
    QPushButton *RzBit_add = nullptr;
    QPushButton *RzBit_Edit = nullptr;
    QPushButton *RzBit_Save = nullptr;
    QPushButton *RzBit_Cancel = nullptr;
    QPushButton *RzBit_Delete = nullptr;

    // Styles.
    DBGridEh *DBGridEh2 = nullptr;
    QLineEdit *RzDBEdit6 = nullptr;   // CheapID
    QLineEdit *RzDBEdit7 = nullptr;   // CheapName
    QComboBox *RzDBLookupComboBox1 = nullptr;   // CheapKind
    QStackedWidget *Notebook1 = nullptr;
    QLineEdit *RzDBEdit8 = nullptr;   // CheapMoney of kind "01"
    QLineEdit *RzDBEdit11 = nullptr;  // CostMoney of kind "02"
    QLineEdit *RzDBEdit12 = nullptr;  // CheapMoney of kind "02"
    QPushButton *RzBit_Add2 = nullptr;
    QPushButton *RzBit_Edit2 = nullptr;
    QPushButton *RzBit_save2 = nullptr;
    QPushButton *RzBit_Cancel2 = nullptr;
    QPushButton *RzBit_Delete2 = nullptr;

    EditState LevelState() const { return m_levelState; }
    EditState StyleState() const { return m_styleState; }

public slots:
    void RzBit_addClick();
    void RzBit_EditClick();
    void RzBit_SaveClick();
    void RzBit_CancelClick();
    void RzBit_DeleteClick();
    void RzBit_Add2Click();
    void RzBit_Edit2Click();
    void RzBit_save2Click();
    void RzBit_Cancel2Click();
    void RzBit_Delete2Click();

protected:
    void showEvent(QShowEvent *event) override;

private:
    QGroupBox *BuildLevels();
    QGroupBox *BuildStyles();
    void ReadLevels(const QString &select = QString());
    void ReadStyles(const QString &select = QString());
    void LevelRowChanged();
    void StyleRowChanged();
    void SetLevelState(EditState s);
    void SetStyleState(EditState s);
    void ProtectLevel(bool builtIn);
    void ProtectStyle(bool builtIn);
    void KindChanged();
    bool LevelBuiltIn() const;
    bool StyleBuiltIn() const;

    EditState m_levelState = EditState::Browse;
    EditState m_styleState = EditState::Browse;
    QString m_levelOrigId;
    QString m_styleOrigId;
    bool m_shown = false;
};
