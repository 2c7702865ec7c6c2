#pragma once
// The login dialog: at start-up and at a shift change an operator logs in here.

#include <QDialog>
#include <QPoint>

class QComboBox;
class QLabel;
class QLineEdit;
class QPushButton;

class TFrm_Login : public QDialog {
    Q_OBJECT
public:
    explicit TFrm_Login(QWidget *parent = nullptr);

    // True for the login at start-up, false for a shift change; set before showing.
    bool IsStartLogin = true;
    // Wrong passwords entered in this showing of the dialog.
    int FailedLogins = 0;

    // Records the start of the operator's shift in T_LoginDate.
    void RecordLogin(const QString &code);

public slots:
    void RzBit_LoginClick();
    void RzBit_CancelClick();
    void reject() override;

protected:
    void showEvent(QShowEvent *event) override;
    bool eventFilter(QObject *watched, QEvent *event) override;

private:
    QLabel *Image2 = nullptr;
    QLabel *Label2 = nullptr;
    QComboBox *RzCmb_WorkID = nullptr;
    QLabel *Label3 = nullptr;
    QLineEdit *ed_Password = nullptr;
    QPushButton *RzBit_Login = nullptr;
    QPushButton *RzBit_Cancel = nullptr;
    QPoint m_dragOffset;
    bool m_dragging = false;
};
