#pragma once
// Small pieces the member screens build their controls from.

#include <QSize>
#include <QString>
#include <functional>

class QLineEdit;
class QPushButton;
class QWidget;

namespace members {

// A button with the control's name, caption and hint.
QPushButton *NamedButton(QWidget *parent, const char *name, const QString &text, const QString &hint,
                         QSize minimum = QSize(80, 28));

// A read-only edit with the control's name (display fields the caller fills).
QLineEdit *ReadOnlyEdit(QWidget *parent, const char *name);

// A search edit whose input turns to upper case; `reread` runs once per change of the
// (upper-case) text.
void UpperCaseSearch(QLineEdit *edit, std::function<void()> reread);

// Runs the writes of one operator action as one transaction. A database error rolls
// all of them back and is shown as "<failure><error text>"; returns whether they were stored.
bool WriteAtomically(const QString &failure, const std::function<void()> &writes);

} // namespace members
