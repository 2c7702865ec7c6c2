#pragma once
// The consumption desk: find a card, see the member, open sale, count consumption,
// return and score exchange, list the card's consumptions and delete one.

#include "core/DialogUnit.h"

#include <QString>

class DBGridEh;
class QAction;
class QLabel;
class QLineEdit;
class QPlainTextEdit;
class QPushButton;
class QMenu;

class TFrm_HYCost : public TfrmDialog {
    Q_OBJECT
public:
    explicit TFrm_HYCost(QWidget *parent = nullptr);
    ~TFrm_HYCost() override;

    // Search bar.
    QLineEdit *RzEd_Query = nullptr;
    QPushButton *RzBit_Query = nullptr;
    QPushButton *RzBit_Add = nullptr;
    QPushButton *RzBit_ExChangeGoods = nullptr;
    QPushButton *RzBit_ExitGoods = nullptr;
    QPushButton *RzBit_Clear = nullptr;
    // Card panel.
    QLineEdit *RzEd_CardName = nullptr;
    QLineEdit *RzEd_CardID = nullptr;
    QLineEdit *RzEd_CardKind = nullptr;
    QLineEdit *RzEd_CardLevel = nullptr;
    QLabel *RzLab_Money = nullptr;
    QLineEdit *RzEd_CardMoney = nullptr;
    QLabel *RzLabel6 = nullptr;
    QLineEdit *RzEd_CardSum = nullptr;
    QLineEdit *RzEd_State = nullptr;
    QLineEdit *RzEd_Address = nullptr;
    QLineEdit *RzEd_Card = nullptr;
    QLineEdit *RzEd_Tel = nullptr;
    QLineEdit *RzEd_Mobile = nullptr;
    QLineEdit *RzEd_Score = nullptr;
    QPlainTextEdit *RzMemo_Less = nullptr;
    QLineEdit *RzEd_Memo = nullptr;
    QLabel *Image3 = nullptr;
    QLabel *RzLab_NoUse = nullptr;
    // Lists.
    DBGridEh *DBGridEh1 = nullptr;
    DBGridEh *DBGridEh2 = nullptr;
    QMenu *PopupMenu1 = nullptr;
    QAction *NP_DeleteCost = nullptr;

    // The current card as loaded.
    QString CardCode() const { return m_code; }
    QString MemberKind() const { return m_kind; }

    void RzBit_QueryClick();
    void RzBit_AddClick();
    void RzBit_ExitGoodsClick();
    void RzBit_ExChangeGoodsClick();
    void RzBit_ClearClick();
    void NP_DeleteCostClick();
    // F2: the no-card customer.
    void LoadNoCardCustomer();
    // Loads the card's data (not its history).
    void LoadCard(const QString &code);
    // Loads the card's consumptions and the goods lines of the first.
    void LoadHistory(const QString &code);

    // The desk's statements, each with one bound value: the card code, the card code,
    // the CostID.
    static QString CardSql();
    static QString HistorySql();
    static QString GoodsLinesSql();

protected:
    bool eventFilter(QObject *watched, QEvent *event) override;
    void showEvent(QShowEvent *event) override;

private:
    void BuildLayout();
    void ApplyRightsToButtons();
    void HistoryRowChanged();
    void HistoryDoubleClicked(int row);
    void ShowPhoto(const QString &file);
    bool CheckCardChosen();
    void UpdateExitGoodsState();
    bool IsReturnRecord() const;

    QString m_code;
    QString m_kind;
    QString m_password;
    double m_balance = 0;
    qint64 m_score = 0;
    qint64 m_sumScore = 0;
    bool m_canUpgrade = false;
    QString m_level;
    QString m_rateText;
    bool m_blocked = false;
    bool m_loaded = false;   // a card has been loaded since the last clear
    QString m_historyCode;   // card whose history is listed
    bool m_rightsApplied = false;
};
