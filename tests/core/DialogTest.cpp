// The base dialog every screen derives from: F1, Escape, Enter and the numeric cap.

#include "support/TestEnv.h"
#include "core/DialogUnit.h"

#include <QApplication>
#include <QKeyEvent>
#include <QLineEdit>
#include <QMessageBox>
#include <QPushButton>
#include <QTimer>
#include <QVBoxLayout>

namespace {

void press(QWidget *target, int key, const QString &text = {})
{
    QKeyEvent event(QEvent::KeyPress, key, Qt::NoModifier, text);
    QApplication::sendEvent(target, &event);
}

// A screen with two edits, the second one numeric.
class SampleDialog : public TfrmDialog {
public:
    SampleDialog()
    {
        auto *layout = new QVBoxLayout(Body());
        first = NewLineEdit(Body(), QStringLiteral("RzEd_First"), 20);
        amount = NewLineEdit(Body(), QStringLiteral("RzEd_Amount"), 9);
        layout->addWidget(first);
        layout->addWidget(amount);
        AttachNumeric(amount, 3, 2);
    }
    QLineEdit *first;
    QLineEdit *amount;
};

} // namespace

class DialogTest : public KelvoTest {};

TEST_F(DialogTest, KeysOpenTheManualMoveOnAndClose)
{
    SampleDialog d;
    d.show();
    d.first->setFocus();

    press(d.first, Qt::Key_F1);
    EXPECT_EQ(messages.openedDocuments, QStringList{appPath() + "会员管理系统使用手册.htm"});

    press(d.first, Qt::Key_Return);
    EXPECT_EQ(d.focusWidget(), d.amount);

    press(d.amount, Qt::Key_Escape);
    EXPECT_FALSE(d.isVisible());
    EXPECT_EQ(d.result(), QDialog::Rejected);
}

TEST_F(DialogTest, NumericEditsAreCappedAt100000)
{
    SampleDialog d;
    const struct {
        const char *typed, *shown;
    } cases[] = {
        {"99999.99", "99999.99"},
        {"100000", "100000"},
        {"123456", "100000"},
        {"100000.5", "100000"},
        {"", ""},
        {"12ab", "12ab"},   // not a number: left alone
    };
    for (const auto &c : cases) {
        d.amount->setText(QString::fromUtf8(c.typed));
        EXPECT_EQ(d.amount->text(), QString::fromUtf8(c.shown)) << c.typed;
    }
    // Typed key by key, the cap holds as well.
    d.amount->clear();
    for (QChar ch : QStringLiteral("2000000"))
        press(d.amount, 0, QString(ch));
    EXPECT_EQ(d.amount->text(), "100000");
}

TEST_F(DialogTest, BottomButtonsStandLeftOfExitInTheOrderAdded)
{
    SampleDialog d;
    QPushButton *save = d.AddBottomButton(QStringLiteral("RzBit_Save"), QStringLiteral("保存"), QStringLiteral("保存"));
    QPushButton *print = d.AddBottomButton(QStringLiteral("RzBit_Print"), QStringLiteral("打印"), QStringLiteral("打印"));
    d.show();
    auto *exit = Find<QPushButton>(&d, "RzBtn_Exit");
    EXPECT_LT(save->x(), print->x());
    EXPECT_LT(print->x(), exit->x());
    EXPECT_EQ(print->toolTip(), "打印");
}

TEST_F(DialogTest, AQuestionCanDefaultToNo)
{
    // The real box: pressing Enter takes its default button.
    Messages::SetHandler(nullptr);
    QList<QMessageBox::StandardButton> defaults;   // as set by the caller
    QTimer answer;
    answer.setInterval(5);
    QObject::connect(&answer, &QTimer::timeout, [&] {
        if (auto *box = qobject_cast<QMessageBox *>(QApplication::activeModalWidget())) {
            defaults << box->standardButton(box->defaultButton());
            press(box, Qt::Key_Return);
        }
    });
    answer.start();
    const bool plain = Messages::Ask(QStringLiteral("继续吗？"));
    const bool deletion = Messages::Ask(QStringLiteral("你确定要删除吗？"), Messages::Icon::Question, QMessageBox::No);
    Messages::SetHandler(&messages);
    EXPECT_TRUE(plain);       // Enter says Yes
    EXPECT_FALSE(deletion);   // Enter keeps the row
    EXPECT_EQ(defaults, (QList<QMessageBox::StandardButton>{QMessageBox::NoButton, QMessageBox::No}));
}
