// The goods screen, the goods editor and the stock dialog, driven by their controls.

#include "support/TestEnv.h"

#include "core/DBGridEh.h"
#include "core/Routines.h"
#include "core/ScreenRegistry.h"
#include "goods/Register.h"
#include "goods/Ut_GoodsAdd.h"
#include "goods/Ut_GoodsBuySale.h"
#include "goods/Ut_GoodsSet.h"

#include <QApplication>
#include <QComboBox>
#include <QKeyEvent>
#include <QLineEdit>
#include <QMessageBox>
#include <QPushButton>
#include <QRadioButton>
#include <QTimer>
#include <memory>

namespace {

class GoodsTest : public KelvoTest {
protected:
    void SetUp() override
    {
        KelvoTest::SetUp();
        LoginAs("admin");
        db().execScript(QStringLiteral(
            "INSERT INTO D_GoodsKind (KindID, KindName, SysSet) VALUES ('01','食品',0), ('02','饮料',0), ('03','空类别',0);"
            "INSERT INTO D_GoodsStore (GoodsID, GoodsName, GoodsKind, GoodsSimple, GoodsUnit, BuyPrice, SalePrice, GoodsCount, GoodsDisc) VALUES"
            " ('G001','面包','01','MB','个',2,3.5,10,0.8),"
            " ('G002','牛奶','02','NN','盒',1.5,2.5,0,0),"
            " ('XMB9','可乐','02','KL','瓶',1,2,5,0),"
            " ('G004','MB 笔记本','01',' ','本',3,6,7,1),"
            " ('G005','折扣50%_装','01','ZKZ','袋',1,2,3,0);"
            "INSERT INTO D_ExchangeGoods (Code, GoodsName, GoodsSimple, GoodsCount, ExScore) VALUES ('E01','雨伞','YS',5,100);"));
    }

    std::unique_ptr<TFrm_GoodsSet> OpenScreen()
    {
        auto screen = std::make_unique<TFrm_GoodsSet>();
        screen->show();
        return screen;
    }

    static QStringList Codes(const DBGridEh *grid, const QString &field)
    {
        QStringList codes;
        for (int r = 0; r < grid->RowCount(); ++r)
            codes << grid->Value(r, field).asString();
        codes.sort();
        return codes;
    }

    static int RowOf(const DBGridEh *grid, const QString &field, const QString &value)
    {
        for (int r = 0; r < grid->RowCount(); ++r)
            if (grid->Value(r, field).asString() == value)
                return r;
        return -1;
    }

    // Fills the editor's inputs the way an operator would.
    static void FillEditor(TFrm_GoodsAdd *d, const QString &kind, const QString &code, const QString &name,
                           const QString &count = "0", const QString &disc = "0")
    {
        EXPECT_TRUE(SelectComboValue(d->RzCmb_Kind, kind) || kind == "9999");
        d->RzEd_GoodsID->setText(code);
        d->RzEd_GoodsName->setText(name);
        d->RzEd_GoodsUnit->setText("个");
        d->RzEd_GoodsBuy->setText("2");
        d->RzEd_GoodsSale->setText("3.5");
        d->RzEd_GoodsCount->setText(count);
        d->RzEd_GoodsDisc->setText(disc);
    }

    int Count(const QString &sql) { return Scalar(sql).toInt(); }
};

// ---- goods editor --------------------------------------------------------------------

TEST_F(GoodsTest, NewGoodsWithQuantityZeroWritesAZeroMovement)
{
    auto screen = OpenScreen();
    messages.dialogs["TFrm_GoodsAdd"] = [](QDialog *dlg) {
        auto *d = static_cast<TFrm_GoodsAdd *>(dlg);
        EXPECT_EQ(d->RzCmb_Kind->currentText(), "--所有类别--");
        EXPECT_EQ(d->RzEd_GoodsCount->text(), "0");
        FillEditor(d, "01", " G100 ", "王小明's \"特价\"饼干");
        d->RzEd_GoodsDisc->clear();   // an empty discount is saved as 0
        d->RzBit_Save->click();
        return d->result();
    };
    screen->RzGoods_Add->click();
    EXPECT_TRUE(messages.shown.isEmpty()) << messages.lastText().toStdString();

    const db::Result g = db().query("select * from D_GoodsStore where GoodsID='G100'");
    ASSERT_EQ(g.rowCount(), 1);
    EXPECT_EQ(g.value(0, "GoodsName").asString(), "王小明's \"特价\"饼干");
    EXPECT_EQ(g.value(0, "GoodsSimple").asString(), "WXMTJBG");
    EXPECT_EQ(g.value(0, "GoodsKind").asString(), "01");
    EXPECT_EQ(g.value(0, "GoodsCount").asFloat(), 0.0);
    EXPECT_EQ(g.value(0, "GoodsDisc").asFloat(), 0.0);
    EXPECT_EQ(g.value(0, "SalePrice").asFloat(), 3.5);

    const db::Result m = db().query("select * from T_GoodsBuySale where GoodsID='G100'");
    ASSERT_EQ(m.rowCount(), 1);
    EXPECT_EQ(m.value(0, "GoodsCount").asFloat(), 0.0);
    EXPECT_EQ(m.value(0, "Kind").asInt(), 1);
    EXPECT_EQ(m.value(0, "OperMan").asString(), "admin");
    EXPECT_TRUE(m.value(0, "CreateDate").asDateTime().isValid());
    // The list shows the new goods.
    EXPECT_GE(RowOf(screen->DBGridEh3, "GoodsID", "G100"), 0);
}

TEST_F(GoodsTest, EditorRefusals)
{
    const QString empty = QStringLiteral("\"商品种类、商品编号、商品名称都不能为空，请输入！\"");
    const struct {
        const char *kind, *code, *name, *disc;
        QString message;
    } cases[] = {
        {"9999", "G200", "饼干", "0", empty},
        {"01", "  ", "饼干", "0", empty},
        {"01", "G200", " ", "0", empty},
        {"01", "G200", "饼干", "1.5", QStringLiteral("最低折扣率只能在0到1之间!请检查...")},
        {"01", "g001", "饼干", "0", QStringLiteral("此编号已经存在!")},
    };
    for (const auto &c : cases) {
        messages.clear();
        TFrm_GoodsAdd d;
        d.show();
        FillEditor(&d, c.kind, c.code, c.name, "3", c.disc);
        d.RzBit_Save->click();
        EXPECT_EQ(messages.lastText(), c.message) << c.kind << " " << c.code;
        EXPECT_FALSE(d.Saved);
        EXPECT_TRUE(d.isVisible());   // stays open with the inputs
        EXPECT_EQ(Count("select count(*) from D_GoodsStore where GoodsID='G200'"), 0);
    }
    EXPECT_EQ(Count("select count(*) from T_GoodsBuySale"), 0);
}

TEST_F(GoodsTest, LowestDiscountAboveOneBecomesOneWhenLeft)
{
    TFrm_GoodsAdd d;
    d.show();
    FillEditor(&d, "01", "G300", "饼干", "0", "1.5");
    emit d.RzEd_GoodsDisc->editingFinished();
    EXPECT_EQ(d.RzEd_GoodsDisc->text(), "1");
    d.RzBit_Save->click();
    EXPECT_TRUE(d.Saved);
    EXPECT_EQ(Scalar("select GoodsDisc from D_GoodsStore where GoodsID='G300'"), "1");
}

TEST_F(GoodsTest, ModifyKeepsStockAndChecksOnlyAChangedCode)
{
    auto screen = OpenScreen();
    screen->DBGridEh3->SetCurrentRow(RowOf(screen->DBGridEh3, "GoodsID", "G001"));
    QString newCode = "G001";
    messages.dialogs["TFrm_GoodsAdd"] = [&](QDialog *dlg) {
        auto *d = static_cast<TFrm_GoodsAdd *>(dlg);
        EXPECT_EQ(d->OldGoodsID, "G001");
        EXPECT_EQ(ComboValue(d->RzCmb_Kind), "01");
        EXPECT_FALSE(d->RzEd_GoodsCount->isEnabled());
        EXPECT_EQ(d->RzEd_GoodsCount->text(), "10");
        d->RzEd_GoodsID->setText(newCode);
        d->RzEd_GoodsName->setText("全麦面包");
        d->RzBit_Save->click();
        return d->result();
    };

    screen->RzBit_GoodsModi->click();   // unchanged code
    EXPECT_FALSE(messages.wasShown("此编号已经存在!"));
    db::Result g = db().query("select * from D_GoodsStore where GoodsID='G001'");
    ASSERT_EQ(g.rowCount(), 1);
    EXPECT_EQ(g.value(0, "GoodsName").asString(), "全麦面包");
    EXPECT_EQ(g.value(0, "GoodsSimple").asString(), "QMMB");
    EXPECT_EQ(g.value(0, "GoodsCount").asFloat(), 10.0);
    EXPECT_EQ(Count("select count(*) from T_GoodsBuySale"), 0);   // no movement on a change

    screen->DBGridEh3->SetCurrentRow(RowOf(screen->DBGridEh3, "GoodsID", "G001"));
    newCode = "G002";   // someone else's code
    screen->RzBit_GoodsModi->click();
    EXPECT_EQ(messages.lastText(), "此编号已经存在!");
    EXPECT_EQ(Scalar("select GoodsName from D_GoodsStore where GoodsID='G002'"), "牛奶");
}

TEST_F(GoodsTest, FailureInTheMiddleLeavesNothingBehind)
{
    // The goods row fails after its opening movement was written.
    db().execScript("CREATE TEMP TRIGGER fail_goods BEFORE INSERT ON D_GoodsStore "
                    "BEGIN SELECT RAISE(ABORT, 'disk I/O error'); END;");
    TFrm_GoodsAdd d;
    d.show();
    FillEditor(&d, "01", "G400", "饼干", "12");
    d.RzBit_Save->click();
    EXPECT_EQ(messages.lastText(), "保存商品失败！");
    EXPECT_FALSE(d.Saved);
    EXPECT_EQ(Count("select count(*) from D_GoodsStore where GoodsID='G400'"), 0);
    EXPECT_EQ(Count("select count(*) from T_GoodsBuySale where GoodsID='G400'"), 0);

    // Once the fault is gone the same inputs save.
    db().execScript("DROP TRIGGER fail_goods;");
    d.RzBit_Save->click();
    EXPECT_TRUE(d.Saved);
    EXPECT_EQ(Scalar("select GoodsCount from T_GoodsBuySale where GoodsID='G400'"), "12");
}

// ---- stock in / stock return -------------------------------------------------------------

class StockTest : public GoodsTest {
protected:
    // Books one movement through the goods screen on goods code; returns the dialog's Saved.
    bool Book(const QString &code, bool stockIn, const QString &quantity, const QString &remark = {})
    {
        auto screen = OpenScreen();
        screen->DBGridEh3->SetCurrentRow(RowOf(screen->DBGridEh3, "GoodsID", code));
        bool saved = false;
        messages.dialogs["TFrm_GoodsBuySale"] = [&](QDialog *dlg) {
            auto *d = static_cast<TFrm_GoodsBuySale *>(dlg);
            EXPECT_EQ(d->RzEdit1->text(), code);
            EXPECT_EQ(d->RzEd_Count->text(), "0");
            (stockIn ? d->RzRad_Buy : d->RzRad_Sale)->setChecked(true);
            d->RzEd_Count->setText(quantity);
            d->RzEd_Remark->setText(remark);
            d->btnAdd1->click();
            saved = d->Saved;
            return d->result();
        };
        screen->RzBitBtn5->click();
        return saved;
    }
    double Stock(const QString &code) { return db().query("select GoodsCount from D_GoodsStore where GoodsID=?", {code}).value(0, 0).asFloat(); }
};

TEST_F(StockTest, ReturnIsBoundedByTheStock)
{
    EXPECT_FALSE(Book("G001", false, "11"));
    EXPECT_EQ(messages.lastText(), "退货不能大于库存！");
    EXPECT_EQ(Stock("G001"), 10.0);

    EXPECT_TRUE(Book("G001", false, "10", "质量问题 'A'"));
    EXPECT_EQ(Stock("G001"), 0.0);
    const db::Result m = db().query("select * from T_GoodsBuySale where GoodsID='G001'");
    ASSERT_EQ(m.rowCount(), 1);
    EXPECT_EQ(m.value(0, "Kind").asInt(), 2);
    EXPECT_EQ(m.value(0, "GoodsCount").asFloat(), 10.0);
    EXPECT_EQ(m.value(0, "Remark").asString(), "质量问题 'A'");
    EXPECT_EQ(Scalar("select OperInfo from T_SysLog order by OperDate desc"), "商品:面包  <退货> 数量：10");

    EXPECT_FALSE(Book("G001", false, "1"));   // stock now 0
    EXPECT_EQ(messages.lastText(), "库存已经小于等于零，不能退货！");
    EXPECT_EQ(Count("select count(*) from T_GoodsBuySale"), 1);
}

TEST_F(StockTest, FractionalStockIn)
{
    EXPECT_TRUE(Book("G002", true, "2.5"));
    EXPECT_DOUBLE_EQ(Stock("G002"), 2.5);
    EXPECT_EQ(Scalar("select Kind from T_GoodsBuySale where GoodsID='G002'"), "1");
    EXPECT_EQ(Scalar("select OperInfo from T_SysLog order by OperDate desc"), "商品:牛奶  <进货> 数量：2.5");
}

TEST_F(StockTest, ZeroQuantityIsRefusedForBothKinds)
{
    EXPECT_FALSE(Book("G001", true, "0"));
    EXPECT_EQ(messages.lastText(), "进货为0没有意义，不能保存！");
    EXPECT_FALSE(Book("G001", false, ""));
    EXPECT_EQ(messages.lastText(), "退货为0没有意义，不能保存！");
    EXPECT_EQ(Count("select count(*) from T_GoodsBuySale"), 0);
}

TEST_F(StockTest, FailedStockUpdateKeepsNoMovement)
{
    db().execScript("CREATE TEMP TRIGGER fail_stock BEFORE UPDATE ON D_GoodsStore "
                    "BEGIN SELECT RAISE(ABORT, 'disk I/O error'); END;");
    EXPECT_FALSE(Book("G001", true, "5"));
    EXPECT_EQ(messages.shown.last().caption, "错误");
    EXPECT_TRUE(messages.lastText().startsWith("进退货保存失败！"));
    EXPECT_EQ(Stock("G001"), 10.0);
    EXPECT_EQ(Count("select count(*) from T_GoodsBuySale"), 0);
    EXPECT_EQ(Count("select count(*) from T_SysLog where OperInfo like '商品:%'"), 0);
}

TEST_F(StockTest, NoGoodsNoDialog)
{
    db().exec("delete from D_GoodsStore");
    auto screen = OpenScreen();
    screen->RzBitBtn5->click();
    EXPECT_EQ(messages.lastText(), "没有可以进退/货的商品！");
    screen->RzBit_GoodsModi->click();
    EXPECT_EQ(messages.lastText(), "没有可以修改的商品！");
    EXPECT_TRUE(messages.executedDialogs.isEmpty());
}

// ---- goods list, filter, deletion ------------------------------------------------------

TEST_F(GoodsTest, SearchAndCategoryFilter)
{
    auto screen = OpenScreen();
    EXPECT_EQ(screen->RzComb_QueryKind->currentText(), "--所有类别--");
    EXPECT_EQ(screen->DBGridEh3->RowCount(), 5);
    const struct {
        const char *kind, *text;
        QStringList codes;
    } cases[] = {
        // initials, a code fragment and a name fragment alike
        {"9999", "MB", {"G001", "G004", "XMB9"}},
        {"9999", "mb", {"G001", "G004", "XMB9"}},   // typed lower case, searched upper case
        {"02", "MB", {"XMB9"}},
        {"02", "", {"G002", "XMB9"}},
        {"9999", "50%_", {"G005"}},
        {"9999", "%", {"G005"}},
        {"9999", "_", {"G005"}},
        {"9999", "[", {}},
        {"9999", "'", {}},
        {"9999", "", {"G001", "G002", "G004", "G005", "XMB9"}},
    };
    for (const auto &c : cases) {
        SelectComboValue(screen->RzComb_QueryKind, c.kind);
        screen->RzEd_QueryBH->setText(QString::fromUtf8(c.text));
        EXPECT_EQ(screen->RzEd_QueryBH->text(), QString::fromUtf8(c.text).toUpper());
        EXPECT_EQ(Codes(screen->DBGridEh3, "GoodsID"), c.codes) << c.kind << " " << c.text;
    }
    // The category name is shown beside the code.
    screen->RzEd_QueryBH->setText("G001");
    EXPECT_EQ(screen->DBGridEh3->Value(0, "GoodsKind1").asString(), "食品");
}

TEST_F(GoodsTest, DeletingSoldGoodsAsksTwice)
{
    db().exec("insert into T_GoodsCostDetailInfo(CostID,CardID,GoodsId,GoodsCount) values('20240101120000','0000','G001',1)");
    auto screen = OpenScreen();
    auto select = [&](const char *code) {
        screen->DBGridEh3->SetCurrentRow(RowOf(screen->DBGridEh3, "GoodsID", code));
    };
    const QString sold = QStringLiteral("此商品已售出过,如果删除,则原售出商品记录名称将为空！");
    const QString sure = QStringLiteral("你确定要删除当前商品列吗？");

    select("G001");
    messages.answers = {QMessageBox::No};
    screen->RzBitBtn7->click();
    ASSERT_EQ(messages.shown.size(), 1);
    EXPECT_EQ(messages.shown[0].text, sold);
    EXPECT_EQ(messages.shown[0].icon, Messages::Icon::Warning);
    EXPECT_EQ(Count("select count(*) from D_GoodsStore where GoodsID='G001'"), 1);

    messages.clear();
    messages.answers = {QMessageBox::Yes, QMessageBox::No};
    screen->RzBitBtn7->click();
    EXPECT_EQ(messages.shown.size(), 2);
    EXPECT_EQ(Count("select count(*) from D_GoodsStore where GoodsID='G001'"), 1);

    messages.clear();
    screen->RzBitBtn7->click();   // Yes, Yes
    EXPECT_EQ(messages.lastText(), sure);
    EXPECT_EQ(messages.shown.last().icon, Messages::Icon::Question);
    EXPECT_EQ(Count("select count(*) from D_GoodsStore where GoodsID='G001'"), 0);
    EXPECT_EQ(Count("select count(*) from T_GoodsCostDetailInfo where GoodsId='G001'"), 1);
    EXPECT_EQ(RowOf(screen->DBGridEh3, "GoodsID", "G001"), -1);

    // Goods never sold: one question only.
    messages.clear();
    select("G002");
    screen->RzBitBtn7->click();
    ASSERT_EQ(messages.shown.size(), 1);
    EXPECT_EQ(messages.lastText(), sure);
    EXPECT_EQ(Count("select count(*) from D_GoodsStore where GoodsID='G002'"), 0);
}

// ---- categories and gifts ------------------------------------------------------------

TEST_F(GoodsTest, CategoryValidations)
{
    auto screen = OpenScreen();
    const struct {
        const char *code, *name;
        QString message;
        QLineEdit *TFrm_GoodsSet::*focus;
    } cases[] = {
        {" ", "零食", QStringLiteral("\"种类编号\"不能为空！"), &TFrm_GoodsSet::RzDBEdit1},
        {"09", " ", QStringLiteral("\"商品类别\"不能为空！"), &TFrm_GoodsSet::RzDBEdit2},
        {"02", "零食", QStringLiteral("你输入的商品种类编号已经存在，请再输入一个！"), &TFrm_GoodsSet::RzDBEdit1},
    };
    for (const auto &c : cases) {
        messages.clear();
        screen->RzBit_add->click();
        screen->RzDBEdit1->setText(c.code);
        screen->RzDBEdit2->setText(c.name);
        screen->RzBit_Save1->click();
        EXPECT_EQ(messages.lastText(), c.message) << c.code;
        EXPECT_EQ(messages.shown.last().caption, "警告");
        EXPECT_EQ(screen->KindState(), TFrm_GoodsSet::Insert);   // the row stays in editing
        EXPECT_EQ(screen->focusWidget(), screen.get()->*c.focus);
        screen->RzBit_Cancel1->click();
    }
    EXPECT_EQ(Count("select count(*) from D_GoodsKind"), 4);

    // A new category with a free code; then renaming an existing one keeps its code.
    messages.clear();
    screen->RzBit_add->click();
    screen->RzDBEdit1->setText("09");
    screen->RzDBEdit2->setText("零食's");
    screen->RzBit_Save1->click();
    EXPECT_TRUE(messages.shown.isEmpty()) << messages.lastText().toStdString();
    EXPECT_EQ(Scalar("select KindName from D_GoodsKind where KindID='09'"), "零食's");
    EXPECT_EQ(Scalar("select SysSet from D_GoodsKind where KindID='09'"), "0");
    EXPECT_GE(screen->RzComb_QueryKind->findData("09"), 0);

    screen->DBGridEh1->SetCurrentRow(RowOf(screen->DBGridEh1, "KindID", "01"));
    screen->RzDBEdit2->setText("食品类");
    emit screen->RzDBEdit2->textEdited("食品类");
    screen->RzBit_Save1->click();
    EXPECT_TRUE(messages.shown.isEmpty()) << messages.lastText().toStdString();
    EXPECT_EQ(Scalar("select KindName from D_GoodsKind where KindID='01'"), "食品类");

    // Changing a code to one that is taken is refused.
    screen->DBGridEh1->SetCurrentRow(RowOf(screen->DBGridEh1, "KindID", "01"));
    screen->RzDBEdit1->setText("02");
    emit screen->RzDBEdit1->textEdited("02");
    screen->RzBit_Save1->click();
    EXPECT_EQ(messages.lastText(), "你输入的商品种类编号已经存在，请再输入一个！");
}

TEST_F(GoodsTest, CategoryCodeChangeCarriesItsGoods)
{
    auto screen = OpenScreen();
    screen->DBGridEh1->SetCurrentRow(RowOf(screen->DBGridEh1, "KindID", "02"));
    screen->RzDBEdit1->setText("20");
    emit screen->RzDBEdit1->textEdited("20");
    screen->RzBit_Save1->click();
    EXPECT_TRUE(messages.shown.isEmpty()) << messages.lastText().toStdString();
    EXPECT_EQ(Count("select count(*) from D_GoodsStore where GoodsKind='20'"), 2);
    EXPECT_EQ(Count("select count(*) from D_GoodsKind where KindID='02'"), 0);
}

TEST_F(GoodsTest, BuiltInAndUsedCategoriesAreProtected)
{
    auto screen = OpenScreen();
    screen->DBGridEh1->SetCurrentRow(RowOf(screen->DBGridEh1, "KindID", "00"));   // built in
    EXPECT_FALSE(screen->RzBit_Delete->isEnabled());
    EXPECT_FALSE(screen->RzDBEdit1->isEnabled());
    EXPECT_FALSE(screen->RzDBEdit2->isEnabled());
    EXPECT_TRUE(screen->RzBit_add->isEnabled());
    screen->RzBit_add->click();   // a fresh row is editable
    EXPECT_TRUE(screen->RzDBEdit1->isEnabled());
    EXPECT_TRUE(screen->RzBit_Delete->isEnabled());
    screen->RzBit_Cancel1->click();
    EXPECT_FALSE(screen->RzDBEdit1->isEnabled());

    screen->DBGridEh1->SetCurrentRow(RowOf(screen->DBGridEh1, "KindID", "01"));   // used by goods
    EXPECT_TRUE(screen->RzBit_Delete->isEnabled());
    screen->RzBit_Delete->click();
    EXPECT_EQ(messages.lastText(), "商品类别不能删除！商品库存中有此类别的商品！");
    EXPECT_EQ(Count("select count(*) from D_GoodsKind where KindID='01'"), 1);

    screen->DBGridEh1->SetCurrentRow(RowOf(screen->DBGridEh1, "KindID", "03"));   // unused
    messages.answers = {QMessageBox::No};
    screen->RzBit_Delete->click();
    EXPECT_EQ(messages.lastText(), "你确定要删除此商品种类吗？");
    EXPECT_EQ(Count("select count(*) from D_GoodsKind where KindID='03'"), 1);
    screen->RzBit_Delete->click();
    EXPECT_EQ(Count("select count(*) from D_GoodsKind where KindID='03'"), 0);
    EXPECT_EQ(screen->RzComb_QueryKind->findData("03"), -1);
    EXPECT_EQ(screen->RzComb_QueryKind->currentText(), "--所有类别--");
}

TEST_F(GoodsTest, GiftValidationsAndSave)
{
    auto screen = OpenScreen();
    const QString empty = QStringLiteral("兑换编号、商品名称、现有数量、所需积分 都不能为空！");
    const struct {
        const char *code, *name, *count, *score;
        QString message;
    } cases[] = {
        {"", "水杯", "3", "50", empty},
        {"E02", "水杯", "", "50", empty},
        {"E02", "水杯", "3", " ", empty},
        {"e01", "水杯", "3", "50", QStringLiteral("你输入的兑换编号已经存在，请再输入一个！")},
    };
    for (const auto &c : cases) {
        messages.clear();
        screen->RzBitBtn1->click();
        screen->RzDBEdit3->setText(c.code);
        screen->RzDBEdit4->setText(c.name);
        screen->RzDBEdit5->setText(c.count);
        screen->RzDBEdit6->setText(c.score);
        screen->RzBitBtn2->click();
        EXPECT_EQ(messages.lastText(), c.message) << c.code;
        EXPECT_EQ(screen->GiftState(), TFrm_GoodsSet::Insert);
        screen->RzBitBtn4->click();
    }
    EXPECT_EQ(Count("select count(*) from D_ExchangeGoods"), 1);

    messages.clear();
    screen->RzBitBtn1->click();
    screen->RzDBEdit3->setText("E02");
    screen->RzDBEdit4->setText(" 保温水杯 ");
    screen->RzDBEdit5->setText("3");
    screen->RzDBEdit6->setText("50");
    screen->RzBitBtn2->click();
    EXPECT_TRUE(messages.shown.isEmpty()) << messages.lastText().toStdString();
    const db::Result g = db().query("select * from D_ExchangeGoods where Code='E02'");
    ASSERT_EQ(g.rowCount(), 1);
    EXPECT_EQ(g.value(0, "GoodsSimple").asString(), "BWSB");
    EXPECT_EQ(g.value(0, "ExScore").asFloat(), 50.0);

    // Saving an existing gift under its own code is not "taken".
    screen->DBGridEh2->SetCurrentRow(RowOf(screen->DBGridEh2, "Code", "E01"));
    screen->RzDBEdit5->setText("9");
    emit screen->RzDBEdit5->textEdited("9");
    screen->RzBitBtn2->click();
    EXPECT_TRUE(messages.shown.isEmpty()) << messages.lastText().toStdString();
    EXPECT_EQ(Scalar("select GoodsCount from D_ExchangeGoods where Code='E01'"), "9");

    // Deletion only after Yes.
    screen->DBGridEh2->SetCurrentRow(RowOf(screen->DBGridEh2, "Code", "E01"));
    messages.answers = {QMessageBox::No};
    screen->RzBitBtn3->click();
    EXPECT_EQ(messages.lastText(), "你确定要删除此兑换商品种类吗？");
    EXPECT_EQ(Count("select count(*) from D_ExchangeGoods where Code='E01'"), 1);
    screen->RzBitBtn3->click();
    EXPECT_EQ(Count("select count(*) from D_ExchangeGoods where Code='E01'"), 0);
}

TEST_F(GoodsTest, EnterOnADeletionQuestionKeepsTheRow)
{
    auto screen = OpenScreen();
    screen->DBGridEh1->SetCurrentRow(RowOf(screen->DBGridEh1, "KindID", "03"));
    screen->DBGridEh2->SetCurrentRow(RowOf(screen->DBGridEh2, "Code", "E01"));
    screen->DBGridEh3->SetCurrentRow(RowOf(screen->DBGridEh3, "GoodsID", "G002"));

    // The real boxes, answered by Enter: their default button must be No.
    Messages::SetHandler(nullptr);
    QStringList asked;
    QTimer enter;
    enter.setInterval(5);
    QObject::connect(&enter, &QTimer::timeout, [&] {
        if (auto *box = qobject_cast<QMessageBox *>(QApplication::activeModalWidget())) {
            asked << box->text();
            QKeyEvent key(QEvent::KeyPress, Qt::Key_Return, Qt::NoModifier);
            QApplication::sendEvent(box, &key);
        }
    });
    enter.start();
    for (QPushButton *b : {screen->RzBit_Delete, screen->RzBitBtn3, screen->RzBitBtn7})
        b->click();
    Messages::SetHandler(&messages);

    EXPECT_EQ(asked, (QStringList{"你确定要删除此商品种类吗？", "你确定要删除此兑换商品种类吗？", "你确定要删除当前商品列吗？"}));
    EXPECT_EQ(Count("select count(*) from D_GoodsKind where KindID='03'"), 1);
    EXPECT_EQ(Count("select count(*) from D_ExchangeGoods where Code='E01'"), 1);
    EXPECT_EQ(Count("select count(*) from D_GoodsStore where GoodsID='G002'"), 1);
}

// ---- registration ------------------------------------------------------------------

TEST_F(GoodsTest, ScreensAreRegisteredWithDemoState)
{
    RegisterGoodsScreens();
    for (const char *name : {"TFrm_GoodsSet", "TFrm_GoodsAdd", "TFrm_GoodsBuySale"}) {
        std::unique_ptr<TfrmDialog> screen(Screens::Create(name));
        ASSERT_NE(screen, nullptr) << name;
        Screens::SetupFor(name)(screen.get());
        screen->show();
    }
    std::unique_ptr<TfrmDialog> set(Screens::Create("TFrm_GoodsSet"));
    EXPECT_TRUE(set->IsChildScreen());
    Screens::SetupFor("TFrm_GoodsSet")(set.get());
    EXPECT_EQ(Find<DBGridEh>(set.get(), "DBGridEh3")->RowCount(), 5);

    std::unique_ptr<TfrmDialog> editor(Screens::Create("TFrm_GoodsAdd"));
    Screens::SetupFor("TFrm_GoodsAdd")(editor.get());
    editor->show();
    EXPECT_EQ(Find<QLineEdit>(editor.get(), "RzEd_GoodsID")->text(), "G001");
    EXPECT_EQ(ComboValue(Find<QComboBox>(editor.get(), "RzCmb_Kind")), "01");
    EXPECT_TRUE(messages.shown.isEmpty());
}

} // namespace
