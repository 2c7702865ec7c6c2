#include "DialogUnit.h"
#include "DM.h"
#include "Messages.h"
#include "Routines.h"

#include <QAbstractButton>
#include <QComboBox>
#include <QDateTimeEdit>
#include <QFrame>
#include <QGroupBox>
#include <QHBoxLayout>
#include <QKeyEvent>
#include <QLabel>
#include <QLineEdit>
#include <QPlainTextEdit>
#include <QPushButton>
#include <QTabWidget>
#include <QTableView>
#include <QTextEdit>
#include <QVBoxLayout>

namespace {
const char *kFormColour = "rgb(195,218,232)";
}

QString CapNumericText(const QString &text)
{
    bool ok = false;
    const double v = (text.isEmpty() ? QStringLiteral("0") : text).toDouble(&ok);
    if (ok && v >= 100000)
        return QStringLiteral("100000");
    return text;
}

TfrmDialog::TfrmDialog(QWidget *parent) : QDialog(parent)
{
    setWindowTitle(QStringLiteral("对话框"));
    QFont f(QStringLiteral("宋体"));
    f.setPixelSize(12);
    setFont(f);

    m_outer = new QVBoxLayout(this);
    m_outer->setContentsMargins(0, 0, 0, 0);
    m_outer->setSpacing(0);

    Panel1 = new QFrame(this);
    Panel1->setObjectName(QStringLiteral("Panel1"));
    Panel1->setFixedHeight(47);
    Image_bG = new QLabel(Panel1);
    Image_bG->setObjectName(QStringLiteral("Image_bG"));
    Image_bG->setScaledContents(true);
    Image_bG->hide();   // the band paints its own gradient
    auto *top = new QHBoxLayout(Panel1);
    top->setContentsMargins(12, 0, 12, 0);
    Label1 = new QLabel(QStringLiteral("对话框模版"), Panel1);
    Label1->setObjectName(QStringLiteral("Label1"));
    QFont tf(QStringLiteral("宋体"));
    tf.setPixelSize(14);
    tf.setBold(true);
    Label1->setFont(tf);
    Image1 = new QLabel(Panel1);
    Image1->setObjectName(QStringLiteral("Image1"));
    top->addWidget(Label1);
    top->addStretch();
    top->addWidget(Image1);
    m_outer->addWidget(Panel1);

    m_body = new QWidget(this);
    m_body->setObjectName(QStringLiteral("Body"));
    m_outer->addWidget(m_body, 1);

    Panel2 = new QFrame(this);
    Panel2->setObjectName(QStringLiteral("Panel2"));
    Panel2->setFixedHeight(43);
    Panel2->setFrameShape(QFrame::NoFrame);
    auto *bottom = new QHBoxLayout(Panel2);
    bottom->setContentsMargins(8, 6, 12, 6);
    bottom->addStretch();
    RzBtn_Exit = new QPushButton(QStringLiteral("退出"), Panel2);
    RzBtn_Exit->setObjectName(QStringLiteral("RzBtn_Exit"));
    RzBtn_Exit->setToolTip(QStringLiteral("退出当前窗口"));
    RzBtn_Exit->setStatusTip(QStringLiteral("退出当前窗口"));
    RzBtn_Exit->setMinimumSize(80, 28);
    bottom->addWidget(RzBtn_Exit);
    m_outer->addWidget(Panel2);
    connect(RzBtn_Exit, &QPushButton::clicked, this, &QWidget::close);

    setStyleSheet(QStringLiteral(
        "TfrmDialog { background: %1; }"
        "#Panel1 { background: qlineargradient(x1:0,y1:0,x2:1,y2:0, stop:0 rgb(84,149,191), stop:1 rgb(234,245,247)); }"
        "#Panel2 { background: %1; border-top: 1px solid rgb(138,164,191); }"
        "#Label1 { color: rgb(10,36,106); background: transparent; }"
        "QGroupBox, QFrame#Body { background: %1; }"
        "QPushButton { background: rgb(166,202,240); border: 1px solid rgb(138,164,191); padding: 3px 10px; }"
        "QPushButton:hover { background: rgb(196,222,250); }"
        "QPushButton:disabled { color: gray; }"
        "QLineEdit, QComboBox, QDateEdit, QDateTimeEdit, QSpinBox, QDoubleSpinBox, QPlainTextEdit"
        " { border: 1px solid rgb(138,164,191); background: white; }"
        "QLineEdit:disabled, QLineEdit:read-only { background: white; color: rgb(60,60,60); }"
        "QHeaderView::section { background: %1; height: 15px; border: 1px solid rgb(138,164,191); }")
                      .arg(QLatin1String(kFormColour)));
}

void TfrmDialog::SetTitle(const QString &title)
{
    Label1->setText(title);
    setWindowTitle(title);
}

QString TfrmDialog::ManualFileName()
{
    return QStringLiteral("会员管理系统使用手册.htm");
}

void TfrmDialog::AttachNumeric(QLineEdit *edit, int mode, int decimals)
{
    InstallKeyFilter(edit, mode, decimals);
    connect(edit, &QLineEdit::textChanged, this, &TfrmDialog::TextInputChange);
}

void TfrmDialog::FillWhenLeftEmpty(QLineEdit *edit, const QString &text)
{
    connect(edit, &QLineEdit::editingFinished, this, [edit, text] {
        if (edit->text().trimmed().isEmpty())
            edit->setText(text);
    });
}

QPushButton *TfrmDialog::AddBottomButton(const QString &name, const QString &caption, const QString &hint)
{
    auto *b = new QPushButton(caption, Panel2);
    b->setObjectName(name);
    b->setToolTip(hint);
    b->setMinimumSize(80, 28);
    auto *layout = static_cast<QHBoxLayout *>(Panel2->layout());
    layout->insertWidget(layout->indexOf(RzBtn_Exit), b);
    return b;
}

QLineEdit *NewLineEdit(QWidget *parent, const QString &name, int maxLength)
{
    auto *e = new QLineEdit(parent);
    e->setObjectName(name);
    if (maxLength > 0)
        e->setMaxLength(maxLength);
    return e;
}

void TfrmDialog::TextInputChange()
{
    auto *edit = qobject_cast<QLineEdit *>(sender());
    if (!edit)
        return;
    const QString capped = CapNumericText(edit->text());
    if (capped != edit->text())
        edit->setText(capped);
}

void TfrmDialog::ApplyColourScheme()
{
    // Read-only edits are shown disabled, as the rest of the program expects.
    for (QLineEdit *e : findChildren<QLineEdit *>())
        if (e->isReadOnly() && !qobject_cast<QComboBox *>(e->parentWidget())
            && !qobject_cast<QAbstractSpinBox *>(e->parentWidget()))
            e->setEnabled(false);
    for (QAbstractButton *b : findChildren<QAbstractButton *>())
        if (auto *p = qobject_cast<QPushButton *>(b)) {
            p->setAutoDefault(false);
            p->setDefault(false);
        }
}

void TfrmDialog::showEvent(QShowEvent *event)
{
    if (!m_schemeApplied) {
        m_schemeApplied = true;
        ApplyColourScheme();
    }
    QDialog::showEvent(event);
}

void TfrmDialog::keyPressEvent(QKeyEvent *event)
{
    switch (event->key()) {
    case Qt::Key_F1:
        Messages::OpenDocument(AppPath + ManualFileName());
        return;
    case Qt::Key_Escape:
        close();
        return;
    case Qt::Key_Return:
    case Qt::Key_Enter: {
        QWidget *w = focusWidget();
        if (auto *b = qobject_cast<QAbstractButton *>(w)) {
            b->click();
            return;
        }
        if (qobject_cast<QPlainTextEdit *>(w) || qobject_cast<QTextEdit *>(w) || qobject_cast<QTableView *>(w))
            return;
        focusNextChild();
        return;
    }
    default:
        QDialog::keyPressEvent(event);
    }
}

void InstallFontSubstitutions()
{
    const QStringList cjk{QStringLiteral("Noto Sans CJK SC"), QStringLiteral("Noto Serif CJK SC"),
                          QStringLiteral("WenQuanYi Zen Hei")};
    for (const char *name : {"宋体", "SimSun", "黑体", "SimHei", "楷体", "MS Sans Serif", "Tahoma"})
        QFont::insertSubstitutions(QString::fromUtf8(name), cjk);
}
