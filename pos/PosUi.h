#pragma once
// Small builders shared by the point-of-sale screens: every control gets its given
// objectName, texts and hint in one call.

#include <QLabel>
#include <QLineEdit>
#include <QList>
#include <QPushButton>
#include <QString>
#include <functional>

class QGroupBox;
class QHBoxLayout;
class TfrmDialog;

namespace PosUi {

QPushButton *Button(QWidget *parent, const char *name, const QString &text, const QString &hint = {});
QLineEdit *Edit(QWidget *parent, const char *name, bool readOnly = false, int maxLength = 0);
QLabel *Label(QWidget *parent, const QString &text, const char *name = nullptr);
// Turns typed letters into capitals as they are typed (the caret stays in place).
void UpperCaseInput(QLineEdit *edit);
// Rewrites the edit's number as "0.00" when the focus leaves it (empty counts as 0).
void MoneyOnLeave(QLineEdit *edit);

// One field of the card box: its label, the read-only edit's name and, where the
// screen renames the label, the label's name.
struct CardField {
    QString label;
    const char *name;
    const char *labelName = nullptr;
};
// The "会员卡信息" group box, `perRow` fields to a row; `edits` receives the edits in
// the order of `fields`.
QGroupBox *CardBox(QWidget *parent, const QList<CardField> &fields, int perRow, QList<QLineEdit *> &edits);

// The amount row under a cart: the amount label, the right-aligned amount edit ("0.00",
// two decimals, read-only until AmountEditable) with "元", then the remark label and edit.
QHBoxLayout *AmountRow(TfrmDialog *dialog, QWidget *parent, const QString &amountLabel, const QString &remarkLabel,
                       QLineEdit *&amount, QLineEdit *&remark);
// The amount may be typed over only when the IfUse_ModiMoney setting is "1".
void AmountEditable(QLineEdit *amount);

// Runs `action` on Enter in the widget and keeps the key from moving the focus on.
void OnEnter(QWidget *widget, std::function<void()> action);

} // namespace PosUi
