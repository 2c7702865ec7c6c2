#pragma once
// The one way the program shows message boxes, runs modal dialogs and ends itself,
// so that a test can answer them and read what was shown.

#include <QMessageBox>
#include <QString>
#include <functional>

class QDialog;

namespace Messages {

enum class Icon { None, Information, Question, Warning, Error };

// Shows a standard message box; returns QMessageBox::Ok, Yes or No. Without a default
// button the box picks its own (Yes or Ok).
int Show(const QString &text, const QString &caption, Icon icon,
         QMessageBox::StandardButtons buttons = QMessageBox::Ok,
         QMessageBox::StandardButton defaultButton = QMessageBox::NoButton);

// Shorthands for the system's usual boxes.
void Info(const QString &text);                    // "提示", information
void Warn(const QString &text);                    // "警告", warning
void Error(const QString &text);                   // "错误", error
// "提示", Yes/No; true on Yes. Deletions pass QMessageBox::No so that Enter keeps the row.
bool Ask(const QString &text, Icon icon = Icon::Information,
         QMessageBox::StandardButton defaultButton = QMessageBox::NoButton);

// Runs a dialog modally; returns its result code.
int Exec(QDialog *dialog);

// Ends the program (an orderly termination of the application).
void Terminate(int exitCode = 0);
// True once Terminate has been called: windows closing now must not ask questions.
bool Terminating();

// Opens a local file with the desktop's default program (the manual).
void OpenDocument(const QString &path);

// What a test puts in place of the real boxes.
class Handler {
public:
    virtual ~Handler() = default;
    virtual int show(const QString &text, const QString &caption, Icon icon, QMessageBox::StandardButtons buttons) = 0;
    virtual int exec(QDialog *dialog) = 0;
    virtual void terminate(int exitCode) = 0;
    virtual void openDocument(const QString &path) = 0;
};

// Installs a handler (nullptr restores the real boxes). Not owned.
void SetHandler(Handler *handler);

} // namespace Messages
