#pragma once
// Score exchange: members spend score points on gifts.

#include "PosData.h"
#include "core/DialogUnit.h"

#include <QString>

class DBGridEh;
class QLabel;
class QLineEdit;
class QPushButton;

class TFrm_SocreExGoods : public TfrmDialog {
    Q_OBJECT
public:
    explicit TFrm_SocreExGoods(QWidget *parent = nullptr);

    QString CardCode;
    qint64 MemberScore = 0;

    QLineEdit *RzEd_CardID = nullptr;
    QLineEdit *RzEd_CardName = nullptr;
    QLabel *RzLab_Money = nullptr;
    QLineEdit *RzEd_CardMoney = nullptr;
    DBGridEh *DBGridEh2 = nullptr;
    QLineEdit *Lab_Query = nullptr;
    DBGridEh *DBGridEh1 = nullptr;
    DBGridEh *DBGridEh3 = nullptr;
    QPushButton *RzBit_Right = nullptr;
    QPushButton *RzBit_Left = nullptr;
    QLineEdit *Lab_ExCount = nullptr;
    QPushButton *RzBit_Modi = nullptr;
    QPushButton *RzBit_OK = nullptr;

    void RzBit_RightClick();
    void RzBit_LeftClick();
    void RzBit_ModiClick();
    void RzBit_OKClick();
    void Lab_QueryChange();

    // Points still available after the exchange list.
    qint64 Available() const { return m_available; }

protected:
    void showEvent(QShowEvent *event) override;
    void done(int r) override;

private:
    void LoadPastExchanges();
    void ReloadList();
    void SetAvailable(qint64 v);
    double ListScore() const;   // points of the exchange list

    qint64 m_score = 0;       // S
    qint64 m_available = 0;   // S minus the list
    bool m_started = false;
    ScratchTable m_list{QStringLiteral("T_ScoreExGoodsTemp")};
};
