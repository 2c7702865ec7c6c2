#pragma once
// Member lookup pop-up: lists the cards that match a search text and hands back the
// one the operator picks.

#include "core/DialogUnit.h"

#include <QString>
#include <QVariantList>

class DBGridEh;
class QLineEdit;
class QPushButton;

// The desk's match of a search text on card number, mobile, name, identity number
// and pinyin initials, as " and a.ID in (...)" over T_MemberInfo a. Each term is a
// scan of that column's own index, so the search never reads whole member rows.
// `params` receives one bound pattern per term.
QString MemberMatchCondition(const QString &text, bool withIdCard, QVariantList &params);

class TFrm_BackCodeName : public TfrmDialog {
    Q_OBJECT
public:
    explicit TFrm_BackCodeName(QWidget *parent = nullptr);

    // Handed over.
    QString SearchText;
    int Top = -1;
    int Left = -1;
    // Handed back.
    bool Selected = false;
    QString SelCodeID;
    QString SelName;

    DBGridEh *DBGridEh1 = nullptr;
    QLineEdit *Lab_Query = nullptr;
    QPushButton *RzBit_Ok = nullptr;

    void RzBit_OkClick();
    void Lab_QueryChange();

protected:
    void showEvent(QShowEvent *event) override;
    void changeEvent(QEvent *event) override;
    bool eventFilter(QObject *watched, QEvent *event) override;

private:
    void OpenList(const QString &condition, const QVariantList &params);
    void ChooseSingleRow();
};
