// The expense and loss summaries: vouchers of a range, or those with a line of one
// category, listed once with their whole amount, and the total; and their export.
#include "ledger/LedgerBooks.h"

#include "reports/VoucherSummaryScreen.h"
#include "widgets/DBGrid.h"

#include <QComboBox>
#include <QDateEdit>
#include <QGroupBox>
#include <QLabel>
#include <QPushButton>

#include <algorithm>
#include <memory>

namespace {

// The header and line tables of one voucher kind, as their screens store them.
struct Tables {
    bool expense;
    const char* header;
    const char* lines;
    const char* amount;
    const char* date;
    const char* text;
    const char* category;
};
const Tables kExpense = {true, "J_zcb", "J_zcmxb", "zcje", "zcrq", "zcsm", "zclb"};
const Tables kLoss = {false, "J_bsb", "J_bsmxb", "bsje", "bsrq", "bssm", "bslb"};

struct Line {
    const char* category;
    double amount;
};

class VoucherSummaryTest : public LedgerTest {
protected:
    void voucher(const Tables& t, const QString& pzh, const QDate& date, const std::vector<Line>& lines)
    {
        double total = 0;
        for (const Line& l : lines)
            total += l.amount;
        run(QStringLiteral("insert into %1(pzh,%2,jsr,shr,%3,%4,bz) values(%5,'说明','李四','王五',%6,%7,'备')")
                .arg(QLatin1String(t.header), QLatin1String(t.text), QLatin1String(t.amount), QLatin1String(t.date),
                     quoted(pzh), numText(total), quoted(shortDate(date))));
        int n = 0;
        for (const Line& l : lines) {
            if (t.expense)
                run(QStringLiteral("insert into J_zcmxb(pzh,dh,zclb,zcje,zcrq,zcsm,jcje) values(%1,%2,%3,%4,%5,'说明',0)")
                        .arg(quoted(pzh), quoted(QString::number(++n)), quoted(QString::fromUtf8(l.category)),
                             numText(l.amount), quoted(shortDate(date))));
            else
                run(QStringLiteral("insert into J_bsmxb(pzh,bslb,spdm,dw,dj,sl,bsrq,jcdj,jcsl,bssm) values(%1,%2,%3,'个',%4,1,%5,0,0,'说明')")
                        .arg(quoted(pzh), quoted(QString::fromUtf8(l.category)), quoted(QStringLiteral("A%1").arg(++n)),
                             numText(l.amount), quoted(shortDate(date))));
        }
    }

    void fill(const Tables& t, const QString& prefix)
    {
        voucher(t, prefix + QStringLiteral("1"), QDate(2026, 3, 1), {{"甲类", 100}, {"乙类", 50}});
        voucher(t, prefix + QStringLiteral("2"), QDate(2026, 3, 31), {{"甲类", 10}, {"甲类", 20.05}});
        voucher(t, prefix + QStringLiteral("3"), QDate(2026, 4, 1), {{"甲类", 99}});
    }
};

std::unique_ptr<VoucherSummaryScreen> open(const Tables& t)
{
    std::unique_ptr<VoucherSummaryScreen> s;
    if (t.expense)
        s = std::make_unique<TForm22>();
    else
        s = std::make_unique<TForm31>();
    s->show();
    return s;
}

void query(VoucherSummaryScreen& s, const QString& category, const QDate& from, const QDate& to)
{
    s.DateTimePicker1->setDate(from);
    s.DateTimePicker2->setDate(to);
    type(s.ComboBox1, category);
    click(s.BitBtn1);
}

TEST_F(VoucherSummaryTest, ListsVouchersOfTheRangeOrOfACategoryOnceWithTheirWholeAmount)
{
    fill(kExpense, QStringLiteral("ZC"));
    fill(kLoss, QStringLiteral("BS"));
    const QDate first(2026, 3, 1);
    const QDate last(2026, 3, 31);
    const struct {
        const char* category;
        QDate from;
        QDate to;
        QStringList vouchers;
        const char* total;
    } cases[] = {
        {"", first, last, {"1|150|2026/3/1", "2|30.05|2026/3/31"}, "180.05"},
        {"甲类", first, last, {"1|150|2026/3/1", "2|30.05|2026/3/31"}, "180.05"},
        {"乙类", first, last, {"1|150|2026/3/1"}, "150"},
        {"乙类", last, last, {}, "0"},
        {"无此类", first, last, {}, "0"},
        {"", QDate(2026, 5, 1), QDate(2026, 5, 31), {}, "0"},
    };
    for (const Tables* t : {&kExpense, &kLoss}) {
        const QString prefix = t->expense ? QStringLiteral("ZC") : QStringLiteral("BS");
        const QString heading = t->expense ? QStringLiteral("凭证号|支出说明|经手人|审核人|支出金额|支出日期|备注")
                                           : QStringLiteral("凭证号|报损说明|经手人|审核人|报损金额|报损日期|备注");
        for (const auto& c : cases) {
            auto s = open(*t);
            query(*s, QString::fromUtf8(c.category), c.from, c.to);
            QStringList expected{heading};
            for (const QString& v : c.vouchers) {
                const QStringList f = v.split(QLatin1Char('|'));
                expected << prefix + f[0] + QStringLiteral("|说明|李四|王五|") + f[1] + QLatin1Char('|') + f[2]
                                + QStringLiteral("|备");
            }
            QStringList rows = gridRows(s->DBGrid1);
            std::sort(rows.begin() + 1, rows.end());
            EXPECT_EQ(rows, expected) << prefix.toStdString() << " " << c.category;
            EXPECT_EQ(s->Label3->text(), QString::fromUtf8(c.total)) << prefix.toStdString() << " " << c.category;
        }
    }
}

TEST_F(VoucherSummaryTest, ScreensShowTheirCategoriesAndTexts)
{
    run(QStringLiteral("insert into J_zclbb(bh,zclb) values('01','房租')"));
    run(QStringLiteral("insert into J_bslbb(bh,bslb) values('01','过期')"));
    for (const Tables* t : {&kExpense, &kLoss}) {
        auto s = open(*t);
        EXPECT_EQ(s->windowTitle(), t->expense ? QStringLiteral("费用支出汇总") : QStringLiteral("报损商品汇总"));
        EXPECT_EQ(s->GroupBox1->title(), t->expense ? QStringLiteral("支出汇总结果") : QStringLiteral("报损汇总结果"));
        QStringList items;
        for (int i = 0; i < s->ComboBox1->count(); ++i)
            items << s->ComboBox1->itemText(i);
        EXPECT_TRUE(items.contains(t->expense ? QStringLiteral("房租") : QStringLiteral("过期")));
        EXPECT_EQ(s->ComboBox1->currentText(), QString());
        EXPECT_EQ(s->Label3->text(), QStringLiteral("0"));
        EXPECT_EQ(s->Label10->text(), QStringLiteral("先汇总,后打印,否则打印结果出错"));
        EXPECT_EQ(s->DateTimePicker2->date(), QDate::currentDate());
    }
}

TEST_F(VoucherSummaryTest, ExportWritesOnlyHeadingsBeforeTheFirstQueryAndTheListAfterIt)
{
    fill(kLoss, QStringLiteral("BS"));
    ExportCatcher exports(m_dir.filePath(QStringLiteral("exports")));
    auto s = open(kLoss);
    click(s->BitBtn4);
    ASSERT_EQ(exports.opened.size(), 1);
    EXPECT_EQ(exports.row(1, 1), QStringLiteral("报损汇总表"));
    EXPECT_EQ(exports.row(2, 7), QStringLiteral("凭证号|报损说明|经手人|审核人|报损金额|报损日期|备注"));
    EXPECT_EQ(exports.lastRow(), 2);

    query(*s, QStringLiteral("乙类"), QDate(2026, 3, 1), QDate(2026, 3, 31));
    click(s->BitBtn4);
    ASSERT_EQ(exports.opened.size(), 2);
    EXPECT_EQ(exports.row(3, 7), QStringLiteral("BS1|说明|李四|王五|150|46082|备"));
    EXPECT_EQ(exports.lastRow(), 3);
}

} // namespace
