#pragma once
// The goods editor: creates one goods row (with its opening stock movement) or
// changes one.

#include "core/DialogUnit.h"

class QComboBox;
class QLineEdit;
class QPlainTextEdit;
class QPushButton;

class TFrm_GoodsAdd : public TfrmDialog {
    Q_OBJECT
public:
    explicit TFrm_GoodsAdd(QWidget *parent = nullptr);

    // Handed over by the opener: 0 add, 1 modify; in modify mode also the row's code
    // and category and the texts of the edits.
    int GoodsMode = 0;
    QString OldGoodsID;
    QString OldKindID;
    // Set when a save ends the dialog.
    bool Saved = false;

    QComboBox *RzCmb_Kind = nullptr;
    QLineEdit *RzEd_GoodsID = nullptr;
    QLineEdit *RzEd_GoodsName = nullptr;
    QLineEdit *RzEd_GoodsUnit = nullptr;
    QLineEdit *RzEd_GoodsBuy = nullptr;
    QLineEdit *RzEd_GoodsSale = nullptr;
    QLineEdit *RzEd_GoodsCount = nullptr;
    QLineEdit *RzEd_GoodsDisc = nullptr;
    QPlainTextEdit *RzMemo1 = nullptr;
    QPushButton *RzBit_Save = nullptr;

public slots:
    void RzBit_SaveClick();
    void RzEd_GoodsDiscExit();

protected:
    void showEvent(QShowEvent *event) override;

private:
    bool SaveNew(const QString &code, const QString &name, const QString &kind, const QString &unit);
    bool SaveChanges(const QString &code, const QString &name, const QString &kind, const QString &unit);
};
