#pragma once
// TfrmDialog: the base of every screen. Title band on top, the screen's own body in
// the middle, a bottom band with "退出"; the colours, F1 for the manual, Escape to close,
// Enter to move on.

#include <QDialog>

class QFrame;
class QLabel;
class QLineEdit;
class QPushButton;
class QVBoxLayout;

class TfrmDialog : public QDialog {
    Q_OBJECT
public:
    explicit TfrmDialog(QWidget *parent = nullptr);

    // Where a screen lays out its controls.
    QWidget *Body() const { return m_body; }
    void SetTitle(const QString &title);

    // Numeric edits: key filter (mode 2 whole, 3 decimal) and the 100000 cap.
    void AttachNumeric(QLineEdit *edit, int mode, int decimals = 2);
    // An edit left empty (or blank) takes `text` when the focus leaves it.
    void FillWhenLeftEmpty(QLineEdit *edit, const QString &text);
    // A button in the bottom band, left of "退出".
    QPushButton *AddBottomButton(const QString &name, const QString &caption, const QString &hint);

    // Full-screen screens open as maximised MDI children, dialogs modally.
    bool IsChildScreen() const { return m_childScreen; }
    void SetChildScreen(bool child) { m_childScreen = child; }

    static QString ManualFileName();

public slots:
    // Caps the sending edit's number at 100000.
    void TextInputChange();

protected:
    void keyPressEvent(QKeyEvent *event) override;
    void showEvent(QShowEvent *event) override;
    void ApplyColourScheme();

    QFrame *Panel1 = nullptr;
    QLabel *Image_bG = nullptr;
    QLabel *Label1 = nullptr;
    QLabel *Image1 = nullptr;
    QFrame *Panel2 = nullptr;
    QPushButton *RzBtn_Exit = nullptr;
    QVBoxLayout *m_outer = nullptr;

private:
    QWidget *m_body = nullptr;
    bool m_childScreen = false;
    bool m_schemeApplied = false;
};

// A line edit with the control's name, at most maxLength characters (0: no limit).
QLineEdit *NewLineEdit(QWidget *parent, const QString &name, int maxLength = 0);

// Caps a numeric text at 100000; returns the text unchanged otherwise.
QString CapNumericText(const QString &text);

// 宋体 and friends fall back to a Latin font here; map them onto the CJK fonts we ship with.
void InstallFontSubstitutions();
