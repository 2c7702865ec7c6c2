#pragma once
// Member editor: registers a member with a card (kind, level, style, opening payment,
// referrer bonus, photograph) or changes the data of an existing member.

#include "core/DialogUnit.h"

class QCheckBox;
class QComboBox;
class QDateEdit;
class QFrame;
class QLabel;
class QLineEdit;
class QPushButton;
class QToolButton;

class TFrm_MemberAdd : public TfrmDialog {
    Q_OBJECT
public:
    explicit TFrm_MemberAdd(QWidget *parent = nullptr);

    // Inputs: 1 add, 2 modify (EditCodeID names the member). Result: a save went through.
    int EditMode = 1;
    QString EditCodeID;
    bool Saved = false;

    // Card basics.
    QLineEdit *RzDBEdit1 = nullptr;               // CodeID
    QLineEdit *RzDBEdit2 = nullptr;               // memberName
    QComboBox *RzDBLookupComboBox1 = nullptr;     // memberKind
    // Discount card panel.
    QFrame *RzPanel_Count = nullptr;
    QComboBox *RzDBLookupComboBox2 = nullptr;     // CardLevel
    QLabel *RzLab_DZ1 = nullptr;
    QLineEdit *RzDBEdit3 = nullptr;               // memberScore
    QComboBox *RzDBLookupComboBox3 = nullptr;     // CurState
    QCheckBox *RzDBCheckBox1 = nullptr;           // CardVailFlag
    QDateEdit *RzDBDateTimePicker1 = nullptr;     // CardVailDate
    QCheckBox *RzDBCheckBox2 = nullptr;           // CardIfUpGrade
    QLineEdit *RzDBEdit4 = nullptr;               // Remark
    // Stored-value and count card panel.
    QFrame *RzPanel_Money = nullptr;
    QComboBox *RzDBLookupComboBox4 = nullptr;
    QLabel *RzLab_DZ2 = nullptr;
    QLineEdit *RzDBEdit12 = nullptr;
    QComboBox *RzDBLookupComboBox5 = nullptr;
    QComboBox *RzDBComb_YH = nullptr;             // CheapMode
    QLabel *RzLab_YH = nullptr;
    QLineEdit *RzEd_PassWord = nullptr;
    QLineEdit *RzEd_OkPassWord = nullptr;
    QLineEdit *RzDBEd_Money = nullptr;            // CurMoney / opening amount
    QLabel *RzLabel_CostMoney = nullptr;
    QCheckBox *RzDBCheckBox3 = nullptr;
    QDateEdit *RzDBDateTimePicker4 = nullptr;
    QCheckBox *RzDBCheckBox4 = nullptr;
    QLineEdit *RzDBEdit13 = nullptr;
    // The person.
    QComboBox *RzDBComboBox1 = nullptr;           // sex
    QCheckBox *RzChk_Birthday = nullptr;          // the birthday picker's check box
    QDateEdit *RzDBDateTimePicker2 = nullptr;     // birthday
    QLineEdit *RzDBEdit5 = nullptr;               // Mobile
    QLineEdit *RzDBEdit6 = nullptr;               // Tel
    QLineEdit *RzDBEdit7 = nullptr;               // EMail
    QLineEdit *RzDBEdit8 = nullptr;               // IDCard
    QLineEdit *RzDBEdit9 = nullptr;               // Addr
    QLineEdit *RzDBEdit10 = nullptr;              // RemarkInfo
    QLineEdit *RzDBEdit11 = nullptr;              // MemberPhoto
    QLineEdit *RzEd_Photo = nullptr;              // a local picture chosen, not yet copied
    QToolButton *RzMenuButton1 = nullptr;
    QLabel *Image2 = nullptr;
    QDateEdit *RzDBDateTimePicker3 = nullptr;     // AddDate
    QLineEdit *RzEd_IntroName = nullptr;
    QPushButton *RzBit_Query = nullptr;
    QPushButton *RzBit_Clear = nullptr;
    QPushButton *RzBit_Save = nullptr;

public slots:
    void RzBit_SaveClick();
    void LocalPhotoClick();
    void TakePhotoClick();
    void ClearPhotoClick();
    void RzBit_QueryClick();
    void RzBit_ClearClick();

protected:
    void showEvent(QShowEvent *event) override;

private:
    void BuildUi();
    void FormShow();
    void LoadMember();
    void KindChanged();
    void StyleChanged();
    void LevelChanged();
    void FillStyles(const QString &cheapKind, const QString &keep);
    void ShowPicture(const QString &file);
    int Kind() const;
    bool Store(const QString &card);

    int m_rowId = -1;
    QString m_origCodeID;
    QString m_origIDCard;
    QString m_origPhoto;
    QString m_origLevel;
    QString m_referrer;
    int m_costMoney = 0;
    int m_cheapMoney = 0;
    bool m_shown = false;
};
