#pragma once
// Operators and their rights.

#include "DialogUnit.h"

class DBGridEh;
class QLabel;
class QLineEdit;
class QListWidget;
class QPushButton;

// The rights an operator can be given, in the order of the permission string.
QStringList RightItems();
// "$<code>;" for every granted code, in list order.
QString BuildPowerString(const QStringList &grantedCodes);

class TFrm_ManageUser : public TfrmDialog {
    Q_OBJECT
public:
    explicit TFrm_ManageUser(QWidget *parent = nullptr);

    enum class State { Browse, Edit, Insert };
    State CurrentState() const { return m_state; }

    QString OldUserCode;   // code of the row whose editing began last
    QString RowPower;      // permission string of the current row, as stored

public slots:
    void RzBit_AddClick();
    void RzBit_ModiClick();
    void RzBit_SaveClick();
    void RzBit_CancelClick();
    void RzBtn_DeleteClick();
    void Label4Click();

protected:
    bool eventFilter(QObject *watched, QEvent *event) override;

private:
    void LoadRows(const QString &selectCode = {});
    void ShowRow();
    void ShowPowerString();
    QStringList CheckedCodes() const;
    void BeginEdit();
    void SetState(State state);
    bool IsAdminRow() const;

    QLabel *RzLabel1 = nullptr;
    DBGridEh *DBGridEh1 = nullptr;
    QLineEdit *DBEdit1 = nullptr;
    QLineEdit *DBEdit2 = nullptr;
    QLineEdit *Ed_First = nullptr;
    QLineEdit *Ed_Pass = nullptr;
    QLabel *Label4 = nullptr;
    QListWidget *Check_box = nullptr;
    QPushButton *RzBit_Add = nullptr;
    QPushButton *RzBit_Modi = nullptr;
    QPushButton *RzBit_Save = nullptr;
    QPushButton *RzBit_Cancel = nullptr;
    QPushButton *RzBtn_Delete = nullptr;

    State m_state = State::Browse;
    bool m_loading = false;
};
