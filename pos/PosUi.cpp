#include "PosUi.h"
#include "SaleRules.h"

#include "core/DM.h"
#include "core/DialogUnit.h"

#include <QEvent>
#include <QGridLayout>
#include <QGroupBox>
#include <QHBoxLayout>
#include <QKeyEvent>

namespace PosUi {

QPushButton *Button(QWidget *parent, const char *name, const QString &text, const QString &hint)
{
    auto *b = new QPushButton(text, parent);
    b->setObjectName(QString::fromLatin1(name));
    if (!hint.isEmpty()) {
        b->setToolTip(hint);
        b->setStatusTip(hint);
    }
    b->setMinimumHeight(26);
    return b;
}

QLineEdit *Edit(QWidget *parent, const char *name, bool readOnly, int maxLength)
{
    auto *e = new QLineEdit(parent);
    e->setObjectName(QString::fromLatin1(name));
    e->setReadOnly(readOnly);
    if (maxLength > 0)
        e->setMaxLength(maxLength);
    return e;
}

QLabel *Label(QWidget *parent, const QString &text, const char *name)
{
    auto *l = new QLabel(text, parent);
    if (name)
        l->setObjectName(QString::fromLatin1(name));
    return l;
}

QGroupBox *CardBox(QWidget *parent, const QList<CardField> &fields, int perRow, QList<QLineEdit *> &edits)
{
    auto *box = new QGroupBox(QStringLiteral("会员卡信息"), parent);
    auto *grid = new QGridLayout(box);
    edits.clear();
    for (int i = 0; i < fields.size(); ++i) {
        const CardField &f = fields[i];
        auto *edit = Edit(box, f.name, true);
        grid->addWidget(Label(box, f.label, f.labelName), i / perRow, (i % perRow) * 2, Qt::AlignRight);
        grid->addWidget(edit, i / perRow, (i % perRow) * 2 + 1);
        edits << edit;
    }
    return box;
}

QHBoxLayout *AmountRow(TfrmDialog *dialog, QWidget *parent, const QString &amountLabel, const QString &remarkLabel,
                       QLineEdit *&amount, QLineEdit *&remark)
{
    auto *row = new QHBoxLayout;
    row->addWidget(Label(parent, amountLabel));
    amount = Edit(parent, "RzEd_PayMoney", true);
    amount->setText(QStringLiteral("0.00"));
    amount->setAlignment(Qt::AlignRight);
    amount->setMaximumWidth(110);
    dialog->AttachNumeric(amount, 3, 2);
    row->addWidget(amount);
    row->addWidget(Label(parent, QStringLiteral("元")));
    row->addSpacing(20);
    row->addWidget(Label(parent, remarkLabel));
    remark = Edit(parent, "RzEd_PayRemark");
    row->addWidget(remark, 1);
    return row;
}

void AmountEditable(QLineEdit *amount)
{
    const bool modi = SysSet.IfUse_ModiMoney == QLatin1String("1");
    amount->setReadOnly(!modi);
    amount->setEnabled(modi);
}

void UpperCaseInput(QLineEdit *edit)
{
    QObject::connect(edit, &QLineEdit::textEdited, edit, [edit](const QString &text) {
        const QString upper = text.toUpper();
        if (upper == text)
            return;
        const int pos = edit->cursorPosition();
        edit->setText(upper);
        edit->setCursorPosition(pos);
    });
}

namespace {
class EnterFilter : public QObject {
public:
    EnterFilter(QObject *parent, std::function<void()> action) : QObject(parent), m_action(std::move(action)) {}
    bool eventFilter(QObject *, QEvent *event) override
    {
        if (event->type() != QEvent::KeyPress)
            return false;
        const int key = static_cast<QKeyEvent *>(event)->key();
        if (key != Qt::Key_Return && key != Qt::Key_Enter)
            return false;
        m_action();
        return true;
    }

private:
    std::function<void()> m_action;
};

class MoneyLeaveFilter : public QObject {
public:
    using QObject::QObject;
    bool eventFilter(QObject *watched, QEvent *event) override
    {
        if (event->type() == QEvent::FocusOut)
            if (auto *e = qobject_cast<QLineEdit *>(watched))
                e->setText(SaleRules::FormatMoney(SaleRules::TextValue(e->text())));
        return false;
    }
};
} // namespace

void MoneyOnLeave(QLineEdit *edit)
{
    edit->installEventFilter(new MoneyLeaveFilter(edit));
}

void OnEnter(QWidget *widget, std::function<void()> action)
{
    widget->installEventFilter(new EnterFilter(widget, std::move(action)));
}

} // namespace PosUi
