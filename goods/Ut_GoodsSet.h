#pragma once
// The goods screen: goods categories and score-exchange gifts edited in place, and
// the goods list with its filter, editor, stock movements and deletion.

#include "core/DialogUnit.h"

class DBGridEh;
class QComboBox;
class QGroupBox;
class QLineEdit;
class QPushButton;

class TFrm_GoodsSet : public TfrmDialog {
    Q_OBJECT
public:
    explicit TFrm_GoodsSet(QWidget *parent = nullptr);

    enum EditState { Browse, Edit, Insert };

    // Categories.
    QGroupBox *RzGroupBox1 = nullptr;
    DBGridEh *DBGridEh1 = nullptr;
    QLineEdit *RzDBEdit1 = nullptr;
    QLineEdit *RzDBEdit2 = nullptr;
    QPushButton *RzBit_add = nullptr;
    QPushButton *RzBit_Save1 = nullptr;
    QPushButton *RzBit_Cancel1 = nullptr;
    QPushButton *RzBit_Delete = nullptr;
    // Gifts.
    QGroupBox *RzGroupBox2 = nullptr;
    DBGridEh *DBGridEh2 = nullptr;
    QLineEdit *RzDBEdit3 = nullptr;
    QLineEdit *RzDBEdit4 = nullptr;
    QLineEdit *RzDBEdit5 = nullptr;
    QLineEdit *RzDBEdit6 = nullptr;
    QPushButton *RzBitBtn1 = nullptr;
    QPushButton *RzBitBtn2 = nullptr;
    QPushButton *RzBitBtn4 = nullptr;
    QPushButton *RzBitBtn3 = nullptr;
    // Goods.
    QGroupBox *RzGroupBox3 = nullptr;
    DBGridEh *DBGridEh3 = nullptr;
    QComboBox *RzComb_QueryKind = nullptr;
    QLineEdit *RzEd_QueryBH = nullptr;
    QPushButton *RzGoods_Add = nullptr;
    QPushButton *RzBit_GoodsModi = nullptr;
    QPushButton *RzBitBtn5 = nullptr;
    QPushButton *RzBitBtn7 = nullptr;

    EditState KindState() const { return m_kinds.state; }
    EditState GiftState() const { return m_gifts.state; }

    void FormShow();
    // Categories.
    void RzBit_addClick();
    bool PostKind();   // false when the save was refused or failed
    void CancelKind();
    void RzBit_DeleteClick();
    // Gifts.
    void RzBitBtn1Click();
    bool PostGift();
    void CancelGift();
    void RzBitBtn3Click();
    // Goods.
    void QueryGoods();
    void RzGoods_AddClick();
    void RzBit_GoodsModiClick();
    void RzBitBtn5Click();
    void RzBitBtn7Click();

protected:
    void showEvent(QShowEvent *event) override;

private:
    // A list edited in place through the edits under its grid.
    struct InPlaceList {
        DBGridEh *grid = nullptr;
        QString keyField;
        EditState state = Browse;
        QString editCode;   // code of the row whose editing began last
        void SetState(EditState s);
        // Typing into an edit: a row of the list goes into editing, an empty list into adding.
        void BeginEditing();
        // Loads the rows and selects the row with this code, or the first.
        void Open(const QString &sql, const QString &selectCode);
    };

    void OpenKinds(const QString &selectCode = {});
    void KindRowChanged();
    void FillKindFilter();
    void OpenGifts(const QString &selectCode = {});
    void GiftRowChanged();
    void ReloadGoods();

    InPlaceList m_kinds;
    InPlaceList m_gifts;
    bool m_shown = false;
};
