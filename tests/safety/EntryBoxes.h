#pragma once
// What the entry-box tests share: pasting as the operator does, the values tried, the
// widths of the columns, and a database with the partners, people and lists the screens offer.
#include "NastyInput.h"

#include "vouchers/VoucherTestDb.h"

#include "db/Schema.h"
#include "ledger/BooksCheck.h"

#include <QComboBox>
#include <QLineEdit>

#include <cmath>
#include <stdexcept>

namespace entrybox {

inline const QString kHint = QStringLiteral("提示");

inline int widthOf(const QString& table, const QString& column)
{
    for (const schema::Table& t : schema::tables())
        if (table.compare(QLatin1String(t.name), Qt::CaseInsensitive) == 0)
            for (const schema::Column& c : t.columns)
                if (column == QLatin1String(c.name))
                    return c.type == schema::Type::Char ? c.width : 0;
    throw std::runtime_error("no column " + column.toStdString() + " in " + table.toStdString());
}

inline QLineEdit* lineOf(QWidget* box)
{
    if (auto* combo = qobject_cast<QComboBox*>(box))
        return combo->lineEdit();
    return qobject_cast<QLineEdit*>(box);
}

// As the operator pastes: the box's own limit decides what it takes.
inline QString paste(QWidget* box, const QString& text)
{
    QLineEdit* edit = lineOf(box);
    if (!edit)
        throw std::runtime_error("cannot paste into " + box->objectName().toStdString());
    EXPECT_TRUE(box->isEnabled()) << box->objectName().toStdString();
    edit->selectAll();
    edit->insert(text);
    return edit->text();
}

// The values tried in a text box: the nasty ones, one as wide as its column, one wider,
// and a thousand characters.
inline QStringList textValues(int width)
{
    QStringList values = nasty::texts();
    values << QString(width, QChar(0x5b57)) << QString(width + 1, QLatin1Char('x')) << QString(1000, QLatin1Char('y'));
    return values;
}

// What a number box's text must become: its two-decimal value, or no number at all
// (notNumber), or a number the column cannot hold (tooBig).
struct NumberOutcome {
    bool notNumber = false;
    bool tooBig = false;
    double stored = 0;
};
inline NumberOutcome numberOutcome(const QString& typed)
{
    if (!isNumber(typed))
        return {true, false, 0};
    const double x = round2(toNumber(typed));
    if (!std::isfinite(x) || std::fabs(x) >= 1e8)
        return {false, true, 0};
    return {false, false, x};
}

class EntryBoxTest : public VoucherDbTest {
protected:
    void SetUp() override
    {
        VoucherDbTest::SetUp();
        run("insert into J_khb(khdm,khmc,lb1) values('K1','华丰公司','供货商')");
        run("insert into J_khb(khdm,khmc,lb1) values('K2','大众商场','购货商')");
        run("insert into J_zgb(gh,xm,bmmc) values('01','张三','综合部门')");
        run("insert into J_rklbb(bh,rklb) values('01','进货')");
        run("insert into J_cklbb(bh,cklb) values('01','出货')");
        run("insert into J_fklbb(bh,fklb) values('01','货款')");
        run("insert into J_sklbb(bh,sklb) values('01','货款')");
        run("insert into J_jsfsb(bh,jsfs) values('01','现金')");
    }

    // Texts stored for the boxes of a screen that adds one row to an emptied table.
    void expectText(const QString& table, const QString& column, const QString& typed, bool refused)
    {
        if (refused) {
            EXPECT_EQ(count(table), 0);
        } else {
            EXPECT_EQ(count(table), 1);
            EXPECT_EQ(text(QStringLiteral("select %1 from %2").arg(column, table)), typed);
        }
    }

    void expectBooksAgree()
    {
        const auto found = checkBooks(db());
        for (const BooksDisagreement& d : found)
            ADD_FAILURE() << (d.what + QLatin1Char(' ') + d.where).toStdString() << " " << d.booked << " / " << d.reckoned;
    }
};

} // namespace entrybox
