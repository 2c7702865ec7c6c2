#include "FormHelpers.h"
#include "core/DM.h"
#include "core/DialogUnit.h"
#include "core/Messages.h"

#include <QLineEdit>
#include <QPushButton>

namespace members {

QPushButton *NamedButton(QWidget *parent, const char *name, const QString &text, const QString &hint, QSize minimum)
{
    auto *b = new QPushButton(text, parent);
    b->setObjectName(QString::fromLatin1(name));
    b->setToolTip(hint);
    b->setMinimumSize(minimum);
    return b;
}

QLineEdit *ReadOnlyEdit(QWidget *parent, const char *name)
{
    QLineEdit *e = NewLineEdit(parent, QString::fromLatin1(name));
    e->setReadOnly(true);
    return e;
}

void UpperCaseSearch(QLineEdit *edit, std::function<void()> reread)
{
    QObject::connect(edit, &QLineEdit::textChanged, edit, [edit, reread = std::move(reread)](const QString &text) {
        const QString upper = text.toUpper();
        if (upper != text) {
            // Setting the upper-case text comes back here once more and re-reads then.
            const int pos = edit->cursorPosition();
            edit->setText(upper);
            edit->setCursorPosition(pos);
            return;
        }
        reread();
    });
}

bool WriteAtomically(const QString &failure, const std::function<void()> &writes)
{
    try {
        db::Transaction tx(Db());
        writes();
        tx.commit();
        return true;
    } catch (const db::DbError &e) {
        Messages::Error(failure + e.text());
        return false;
    }
}

} // namespace members
