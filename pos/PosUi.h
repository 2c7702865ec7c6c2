#pragma once
// Small builders shared by the point-of-sale screens: every control gets its given
// objectName, texts and hint in one call.

#include <QLabel>
#include <QLineEdit>
#include <QPushButton>
#include <QString>
#include <functional>

namespace PosUi {

QPushButton *Button(QWidget *parent, const char *name, const QString &text, const QString &hint = {});
QLineEdit *Edit(QWidget *parent, const char *name, bool readOnly = false, int maxLength = 0);
QLabel *Label(QWidget *parent, const QString &text, const char *name = nullptr);
// Turns typed letters into capitals as they are typed (the caret stays in place).
void UpperCaseInput(QLineEdit *edit);
// Rewrites the edit's number as "0.00" when the focus leaves it (empty counts as 0).
void MoneyOnLeave(QLineEdit *edit);

// Runs `action` on Enter in the widget and keeps the key from moving the focus on.
void OnEnter(QWidget *widget, std::function<void()> action);

} // namespace PosUi
