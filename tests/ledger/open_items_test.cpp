// Payables and receivables: open vouchers of one partner, their totals and their export.
#include "LedgerBooks.h"

#include "ledger/OpenItemsScreen.h"
#include "widgets/DBGrid.h"

#include <QComboBox>
#include <QLabel>
#include <QRadioButton>

namespace {

const QDate kDay(2026, 3, 5);

class OpenItemsTest : public LedgerTest {
protected:
    void SetUp() override
    {
        LedgerTest::SetUp();
        addArticle(QStringLiteral("A1"), QStringLiteral("螺丝"), 100);
        setCash(10000);
    }
    QString totals(OpenItemsScreen& s)
    {
        return s.Label2->text() + QLatin1Char('|') + s.Label8->text() + QLatin1Char('|') + s.Label9->text();
    }
    QStringList items(QComboBox* combo)
    {
        QStringList out;
        for (int i = 0; i < combo->count(); ++i)
            out << combo->itemText(i);
        return out;
    }
};

TEST_F(OpenItemsTest, PayablesListOpenPurchaseVouchersOfTheSupplierWithTheirTotals)
{
    book("CG1001263_002", "华丰", kDay, {{"A1", 5, 10}}, {});                    // 50, nothing paid
    book("CG1001263_001", "华丰", kDay, {{"A1", 10, 10}}, {{"F1", 30}});         // 100, paid 30
    book("CG1001263_003", "华丰", kDay, {{"A1", 10, 10}}, {{"F2", 100}});        // paid in full
    book("CG1001263_004", "华丰", kDay, {{"A1", 10, 10}});                       // deemed settled below
    book("CG1001263_005", "远大", kDay, {{"A1", 1, 10}}, {{"F3", 10}});          // paid in full
    run(QStringLiteral("update J_cgb set fqf=1 where pzh='CG1001263_004'"));

    TForm23 s;
    s.show();
    EXPECT_EQ(s.windowTitle(), QStringLiteral("应付款查询、打印"));
    EXPECT_EQ(totals(s), QStringLiteral("0|0|0"));
    EXPECT_EQ(items(s.ComboBox1), QStringList{QStringLiteral("华丰")}) << "the list is filled as the screen opens";
    EXPECT_TRUE(s.ComboBox1->currentText().isEmpty());
    EXPECT_EQ(s.ComboBox2->count(), 0);

    choose(s.ComboBox1, QStringLiteral("华丰"));
    EXPECT_EQ(totals(s), QStringLiteral("150|30|120"));
    EXPECT_EQ(gridRows(s.DBGrid1),
              (QStringList{"凭证号|发票号|入库类别|采购员|审核人|应付款|实付款|欠款|日期",
                           "CG1001263_001||进货||王五|100|30|70|2026/3/5",
                           "CG1001263_002||进货||王五|50|0|50|2026/3/5"}));

    // Typing a name shows it character by character; a partial name matches nothing.
    type(s.ComboBox1, QStringLiteral("远大"));
    EXPECT_EQ(totals(s), QStringLiteral("0|0|0"));
    EXPECT_EQ(s.DBGrid1->model()->rowCount(), 0);

    // Paid up, the supplier leaves the list the next time the kind gets the focus.
    settle(QStringLiteral("CG1001263_001"), QStringLiteral("华丰"), QStringLiteral("F4"), 70, kDay);
    enter(s.RadioButton2);
    enter(s.RadioButton1);
    EXPECT_EQ(items(s.ComboBox1), QStringList{QStringLiteral("华丰")});
    choose(s.ComboBox1, QStringLiteral("华丰"));
    EXPECT_EQ(totals(s), QStringLiteral("50|0|50"));
    settle(QStringLiteral("CG1001263_002"), QStringLiteral("华丰"), QStringLiteral("F5"), 50, kDay);
    enter(s.RadioButton2);
    enter(s.RadioButton1);
    EXPECT_EQ(items(s.ComboBox1), QStringList{});
    EXPECT_EQ(s.ComboBox1->currentText(), QStringLiteral("华丰")) << "the box keeps its text";
}

TEST_F(OpenItemsTest, ReturnPartnersComeFromTheirOwnVouchersWhateverTheFirstBoxHolds)
{
    book("XS1001263_001", "甲商店", kDay, {{"A1", 8, 10}}, {{"S1", 20}}, QStringLiteral("批发"));
    book("CT1001263_001", "华丰", kDay, {{"A1", 10, 3}}, {{"R1", 10}}, QStringLiteral("退货"));
    book("CT1001263_002", "华丰", kDay, {{"A1", 10, 1}}, {}, QStringLiteral("退货"));
    book("XT1001263_001", "乙商店", kDay, {{"A1", 8, 2}}, {}, QStringLiteral("退回"));

    TForm24 s;
    s.show();
    EXPECT_EQ(s.windowTitle(), QStringLiteral("应收款查询、打印"));
    EXPECT_EQ(s.RadioButton1->text(), QStringLiteral("购货商"));
    EXPECT_EQ(items(s.ComboBox1), QStringList{QStringLiteral("甲商店")});
    choose(s.ComboBox1, QStringLiteral("甲商店"));
    EXPECT_EQ(totals(s), QStringLiteral("80|20|60"));

    enter(s.RadioButton2);
    EXPECT_EQ(items(s.ComboBox2), QStringList{QStringLiteral("华丰")});
    EXPECT_EQ(s.ComboBox1->currentText(), QStringLiteral("甲商店")) << "refilling a list keeps the texts";
    choose(s.ComboBox2, QStringLiteral("华丰"));
    EXPECT_EQ(totals(s), QStringLiteral("40|10|30"));
    EXPECT_EQ(gridRows(s.DBGrid1),
              (QStringList{"凭证号|退货原因|经手人|审核人|应收款|实收款|欠款|日期",
                           "CT1001263_001|质量|李四|王五|30|10|20|2026/3/5",
                           "CT1001263_002|质量|李四|王五|10|0|10|2026/3/5"}));

    // The payables side lists the sales return under "退货客户".
    TForm23 payables;
    payables.show();
    enter(payables.RadioButton2);
    EXPECT_EQ(items(payables.ComboBox2), QStringList{QStringLiteral("乙商店")});
    choose(payables.ComboBox2, QStringLiteral("乙商店"));
    EXPECT_EQ(totals(payables), QStringLiteral("16|0|16"));
}

TEST_F(OpenItemsTest, VouchersSavedWithoutAPartnerAreListedUnderTheEmptyItem)
{
    book("CG1001263_001", QString(), kDay, {{"A1", 10, 2}});
    book("CG1001263_002", QStringLiteral(""), kDay, {{"A1", 10, 1}});
    book("CG1001263_003", "华丰", kDay, {{"A1", 10, 5}});

    TForm23 s;
    s.show();
    EXPECT_EQ(items(s.ComboBox1).first(), QString());
    EXPECT_EQ(items(s.ComboBox1).last(), QStringLiteral("华丰"));
    choose(s.ComboBox1, QStringLiteral("华丰"));
    choose(s.ComboBox1, QString());
    EXPECT_EQ(totals(s), QStringLiteral("30|0|30"));
    EXPECT_EQ(s.DBGrid1->model()->rowCount(), 2);
}

TEST_F(OpenItemsTest, TheExportFollowsTheCheckedPartnerKind)
{
    ExportCatcher exports(m_dir.filePath(QStringLiteral("exports")));
    book("CG1001263_001", "华丰", kDay, {{"A1", 10, 10}}, {{"F1", 30}});
    book("XT1001263_001", "乙商店", kDay, {{"A1", 8, 2}}, {}, QStringLiteral("退回"));
    run(QStringLiteral("update J_cgb set fph='FP-9', cgy='赵六'"));

    TForm23 s;
    s.show();
    choose(s.ComboBox1, QStringLiteral("华丰"));
    // Dates arrive as date cells: 46086 is 2026/3/5.
    click(&s, QStringLiteral("BitBtn2")); // neither kind checked: columns 3 and 4 stay empty
    EXPECT_EQ(exports.row(2, 9), QStringLiteral("凭证号|发票号|||审核人|应付款|实付款|欠款|日期"));
    EXPECT_EQ(exports.row(3, 9), QStringLiteral("CG1001263_001|FP-9|||王五|100|30|70|46086"));

    click(s.RadioButton1);
    click(&s, QStringLiteral("BitBtn2"));
    EXPECT_EQ(exports.row(2, 9), QStringLiteral("凭证号|发票号|入库类别|采购员|审核人|应付款|实付款|欠款|日期"));
    EXPECT_EQ(exports.row(3, 9), QStringLiteral("CG1001263_001|FP-9|进货|赵六|王五|100|30|70|46086"));

    // Return vouchers have no invoice number: column 2 keeps its heading and stays empty.
    click(s.RadioButton2);
    enter(s.RadioButton2);
    choose(s.ComboBox2, QStringLiteral("乙商店"));
    click(&s, QStringLiteral("BitBtn2"));
    EXPECT_EQ(exports.row(1, 1), QStringLiteral("应付款表"));
    EXPECT_EQ(exports.row(2, 9), QStringLiteral("凭证号|发票号|退货原因|经手人|审核人|应付款|实付款|欠款|日期"));
    EXPECT_EQ(exports.row(3, 9), QStringLiteral("XT1001263_001||质量|李四|王五|16|0|16|46086"));
    EXPECT_EQ(exports.lastRow(), 3);
    EXPECT_EQ(exports.opened.size(), 3);
}

} // namespace
