#include "Ut_ShowChangeMoney.h"
#include "PosUi.h"
#include "SaleRules.h"

#include "core/Messages.h"

#include <QGridLayout>
#include <QHBoxLayout>
#include <QStackedWidget>
#include <QVBoxLayout>

TFrm_ShowChangeMoney::TFrm_ShowChangeMoney(QWidget *parent) : TfrmDialog(parent)
{
    setObjectName(QStringLiteral("TFrm_ShowChangeMoney"));
    SetTitle(QStringLiteral("找零窗口(当会员卡金额足够时，实收金额将不能修改)"));
    setWindowTitle(QString());
    setFixedSize(420, 260);

    auto *grid = new QGridLayout(Body());
    grid->setContentsMargins(20, 12, 20, 8);
    RzEd_YS = PosUi::Edit(Body(), "RzEd_YS", true);
    RzEd_ZL = PosUi::Edit(Body(), "RzEd_ZL", true);
    for (QLineEdit *e : {RzEd_YS, RzEd_ZL})
        e->setAlignment(Qt::AlignRight);
    grid->addWidget(PosUi::Label(Body(), QStringLiteral("应收：")), 0, 0, Qt::AlignRight);
    grid->addWidget(RzEd_YS, 0, 1);
    grid->addWidget(PosUi::Label(Body(), QStringLiteral("元")), 0, 2);

    Notebook1 = new QStackedWidget(Body());
    Notebook1->setObjectName(QStringLiteral("Notebook1"));
    auto *page0 = new QWidget(Notebook1);
    auto *p0 = new QHBoxLayout(page0);
    p0->setContentsMargins(0, 0, 0, 0);
    RzEd_SS = PosUi::Edit(page0, "RzEd_SS");
    p0->addWidget(PosUi::Label(page0, QStringLiteral("实收：")));
    p0->addWidget(RzEd_SS);
    p0->addWidget(PosUi::Label(page0, QStringLiteral("元")));
    auto *page1 = new QWidget(Notebook1);
    auto *p1 = new QGridLayout(page1);
    p1->setContentsMargins(0, 0, 0, 0);
    RzEd_CZKMoney = PosUi::Edit(page1, "RzEd_CZKMoney");
    RzEd_XJMoney = PosUi::Edit(page1, "RzEd_XJMoney");
    p1->addWidget(PosUi::Label(page1, QStringLiteral("实收：")), 0, 0, 2, 1);
    p1->addWidget(PosUi::Label(page1, QStringLiteral("储值卡")), 0, 1);
    p1->addWidget(RzEd_CZKMoney, 0, 2);
    p1->addWidget(PosUi::Label(page1, QStringLiteral("现金")), 1, 1);
    p1->addWidget(RzEd_XJMoney, 1, 2);
    Notebook1->addWidget(page0);
    Notebook1->addWidget(page1);
    grid->addWidget(Notebook1, 1, 0, 1, 3);
    for (QLineEdit *e : {RzEd_SS, RzEd_CZKMoney, RzEd_XJMoney})
        e->setAlignment(Qt::AlignRight);

    grid->addWidget(PosUi::Label(Body(), QStringLiteral("找零：")), 2, 0, Qt::AlignRight);
    grid->addWidget(RzEd_ZL, 2, 1);
    grid->addWidget(PosUi::Label(Body(), QStringLiteral("元")), 2, 2);

    RzBit_OK = PosUi::Button(Panel2, "RzBit_OK", QStringLiteral("确定"), QStringLiteral("确定金额"));
    qobject_cast<QHBoxLayout *>(Panel2->layout())->insertWidget(1, RzBit_OK);

    for (QLineEdit *e : {RzEd_SS, RzEd_XJMoney}) {
        AttachNumeric(e, 3, 2);
        PosUi::MoneyOnLeave(e);
        PosUi::OnEnter(e, [this] { RzBit_OK->setFocus(); });
    }
    for (QLineEdit *e : {RzEd_SS, RzEd_CZKMoney, RzEd_XJMoney, RzEd_YS})
        connect(e, &QLineEdit::textChanged, this, &TFrm_ShowChangeMoney::Recalculate);
    connect(RzBit_OK, &QPushButton::clicked, this, &TFrm_ShowChangeMoney::RzBit_OKClick);
}

void TFrm_ShowChangeMoney::SetPage(int page)
{
    Notebook1->setCurrentIndex(page);
    Recalculate();
}

void TFrm_ShowChangeMoney::showEvent(QShowEvent *event)
{
    TfrmDialog::showEvent(event);
    Confirmed = false;
    QLineEdit *first = Notebook1->currentIndex() == 1 ? RzEd_XJMoney : RzEd_SS;
    if (first->isEnabled() && !first->isReadOnly())
        first->setFocus();
    else
        RzBit_OK->setFocus();
    Recalculate();
}

void TFrm_ShowChangeMoney::Recalculate()
{
    using SaleRules::TextValue;
    const double due = TextValue(RzEd_YS->text());
    const double change = Notebook1->currentIndex() == 0
                        ? TextValue(RzEd_SS->text()) - due
                        : TextValue(RzEd_XJMoney->text()) + TextValue(RzEd_CZKMoney->text()) - due;
    RzEd_ZL->setText(SaleRules::FormatMoney(change));
}

void TFrm_ShowChangeMoney::RzBit_OKClick()
{
    using SaleRules::RoundMoney;
    using SaleRules::TextValue;
    const double due = RoundMoney(TextValue(RzEd_YS->text()));
    if (Notebook1->currentIndex() == 0) {
        if (RoundMoney(TextValue(RzEd_SS->text())) < due) {
            Messages::Show(QStringLiteral("\"实收\"不能小于\"应收\",请重新输入..."), QStringLiteral("提示"),
                           Messages::Icon::Question);
            RzEd_SS->setFocus();
            return;
        }
    } else if (due > RoundMoney(TextValue(RzEd_XJMoney->text()) + TextValue(RzEd_CZKMoney->text()))) {
        Messages::Show(QStringLiteral("\"现金\"+\"储值卡\"不能小于\"应收\",请重新输入..."), QStringLiteral("提示"),
                       Messages::Icon::Question);
        RzEd_XJMoney->setFocus();
        return;
    }
    Confirmed = true;
    accept();
}

QString TFrm_ShowChangeMoney::CashReceived() const
{
    return Notebook1->currentIndex() == 0 ? RzEd_SS->text() : RzEd_XJMoney->text();
}

QString TFrm_ShowChangeMoney::Change() const
{
    return RzEd_ZL->text();
}

QString TFrm_ShowChangeMoney::CardPart() const
{
    return Notebook1->currentIndex() == 1 ? RzEd_CZKMoney->text() : RzEd_YS->text();
}
