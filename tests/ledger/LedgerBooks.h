#pragma once
// Vouchers for the query screens, booked the way the voucher screens book them: a header
// row as "保存" posts it, then each goods line and money row through the booking functions.
#include "support/InitializedDb.h"

#include "db/Database.h"
#include "db/ResultSet.h"
#include "db/SqlText.h"
#include "ledger/LossExpenseBook.h"
#include "vouchers/VoucherBook.h"
#include "vouchers/VoucherKind.h"

#include <QDate>
#include <gtest/gtest.h>

#include <vector>

struct GoodsLine {
    const char* code;
    double price;
    double quantity;
};

struct MoneyRow {
    const char* document;
    double amount;
    QDate date; // the voucher's date when invalid
    const char* category = "货款";
};

// The header columns a voucher's "保存" fills, by kind.
struct HeaderColumns {
    const char* prefix;
    const char* table;
    const char* category;
    const char* partner;
    const char* date;
};

inline const HeaderColumns& headerColumns(const QString& prefix)
{
    static const HeaderColumns all[] = {
        {"CG", "J_cgb", "rklb", "ghs", "cgrq"},
        {"XS", "J_xsb", "cklb", "ghs", "xsrq"},
        {"CT", "J_cgthb", "cklb", "ths", "thrq"},
        {"XT", "J_xsthb", "rklb", "ths", "thrq"},
    };
    for (const HeaderColumns& h : all)
        if (prefix == QLatin1String(h.prefix))
            return h;
    throw std::runtime_error("no voucher kind " + prefix.toStdString());
}

class LedgerTest : public InitializedDbTest {
protected:
    Database& db() { return Database::shared(); }
    void run(const QString& sql) { db().exec(sql); }
    double num(const QString& sql)
    {
        ResultSet rs(db());
        rs.open(sql);
        return rs.isEmpty() || rs.value(0).isNull() ? 0.0 : rs.value(0).toDouble();
    }

    void addArticle(const QString& code, const QString& name, double stock = 0, const QString& unit = QStringLiteral("个"))
    {
        run(QStringLiteral("insert into J_spb(spdm,spmc,lb,zzs,pp,gg,dw,zxdj,xykc) values(%1,%2,'五金','华丰厂','华丰','M6',%3,0,%4)")
                .arg(quoted(code), quoted(name), quoted(unit), numText(stock)));
    }
    void setCash(double je) { run(QStringLiteral("update J_zjb set je=") + numText(je)); }

    // A trade voucher "CG…", "XS…", "CT…", "XT…" of the partner, dated `date`, with its lines
    // and money rows.
    void book(const QString& pzh, const QString& partner, const QDate& date, const std::vector<GoodsLine>& lines,
              const std::vector<MoneyRow>& money = {}, const QString& category = QStringLiteral("进货"),
              const QDate& settleBy = {})
    {
        const HeaderColumns& h = headerColumns(pzh.left(2));
        const bool isReturn = pzh.startsWith(QLatin1String("CT")) || pzh.startsWith(QLatin1String("XT"));
        const QString extra = isReturn ? QStringLiteral("thyy,jsr,") : QString();
        const QString extraValues = isReturn ? QStringLiteral("'质量','李四',") : QString();
        run(QStringLiteral("insert into %1(pzh,%2,%3,%4,jzrq,%5shr,fqf) values(%6,%7,%8,%9,%10,%11'王五',0)")
                .arg(QLatin1String(h.table), QLatin1String(h.category), QLatin1String(h.partner), QLatin1String(h.date),
                     extra, quoted(pzh), quoted(category), partner.isNull() ? QStringLiteral("null") : quoted(partner),
                     quoted(shortDate(date)))
                .arg(settleBy.isValid() ? quoted(shortDate(settleBy)) : QStringLiteral("null"), extraValues));
        const VoucherKind* kind = voucherKindOfPrefix(pzh.left(2));
        ASSERT_NE(kind, nullptr) << pzh.toStdString();
        for (const GoodsLine& l : lines) {
            const LineEntry e{pzh, QLatin1String(l.code), QStringLiteral("个"), numText(l.price), numText(l.quantity),
                              category, partner, shortDate(date)};
            ASSERT_EQ(storeLine(*kind, e, db()), LineOutcome::Stored) << pzh.toStdString() << " " << l.code;
        }
        for (const MoneyRow& m : money) {
            const MoneyEntry e{pzh, partner, QLatin1String(m.document), QString::fromUtf8(m.category),
                               QStringLiteral("现金"), numText(m.amount), QStringLiteral("张三"),
                               m.date.isValid() ? m.date : date, QString()};
            ASSERT_EQ(storeMoney(*kind, e, db()), MoneyOutcome::Stored) << pzh.toStdString() << " " << m.document;
        }
    }

    // A further payment or receipt on a booked trade voucher, as its money dialog books it.
    void settle(const QString& pzh, const QString& partner, const QString& document, double amount, const QDate& date)
    {
        const VoucherKind* kind = voucherKindOfPrefix(pzh.left(2));
        ASSERT_NE(kind, nullptr) << pzh.toStdString();
        const MoneyEntry e{pzh, partner, document, QStringLiteral("货款"), QStringLiteral("现金"), numText(amount),
                           QStringLiteral("张三"), date, QString()};
        ASSERT_EQ(storeMoney(*kind, e, db()), MoneyOutcome::Stored) << pzh.toStdString() << " " << document.toStdString();
    }

    // A loss line and an expense line, booked the same way on a voucher whose header is
    // posted first, as "保存" posts it; the voucher's description goes on its lines.
    void loss(const QString& pzh, const QString& code, double price, double quantity, const QDate& date,
              const QString& category = QStringLiteral("损坏"), const QString& description = QStringLiteral("碰坏"))
    {
        postHeader(QStringLiteral("insert into J_bsb(pzh,bssm,jsr,shr,bsje,bsrq) values(%1,%2,'张三','王五',0,%3)"),
                   pzh, description, date);
        const LossLineEntry e{pzh, code, QStringLiteral("个"), numText(price), numText(quantity), category,
                              shortDate(date), description};
        ASSERT_EQ(storeLossLine(e, db()), BookOutcome::Stored) << pzh.toStdString() << " " << code.toStdString();
    }
    void expense(const QString& pzh, const QString& document, double amount, const QDate& date,
                 const QString& description = QStringLiteral("房租"), const QString& category = QStringLiteral("杂费"))
    {
        postHeader(QStringLiteral("insert into J_zcb(pzh,zcsm,jsr,shr,zcje,zcrq) values(%1,%2,'张三','王五',0,%3)"),
                   pzh, description, date);
        const ExpenseEntry e{pzh, document, category, numText(amount), date, description, QString()};
        ASSERT_EQ(storeExpense(e, db()), BookOutcome::Stored) << pzh.toStdString() << " " << document.toStdString();
    }

private:
    void postHeader(const QString& insert, const QString& pzh, const QString& description, const QDate& date)
    {
        const QString table = insert.section(QLatin1Char(' '), 2, 2).section(QLatin1Char('('), 0, 0);
        if (num(QStringLiteral("select count(*) from ") + table + QStringLiteral(" where pzh=") + quoted(pzh)) == 0)
            run(insert.arg(quoted(pzh), quoted(description), quoted(shortDate(date))));
    }
};

// The grid as "cell|cell|…" rows, the header first.
#include "support/UiHelpers.h"
#include <QTableView>

inline QStringList gridRows(QTableView* grid)
{
    QStringList rows;
    QStringList header;
    for (int c = 0; c < grid->model()->columnCount(); ++c)
        header << grid->model()->headerData(c, Qt::Horizontal).toString();
    rows << header.join(QLatin1Char('|'));
    for (int r = 0; r < grid->model()->rowCount(); ++r) {
        QStringList cells;
        for (int c = 0; c < grid->model()->columnCount(); ++c)
            cells << cellText(grid, r, c);
        rows << cells.join(QLatin1Char('|'));
    }
    return rows;
}

// Catches the workbooks the screens export, in the test's folder; reads them back.
#include "reports/SpreadsheetExport.h"
#include "reports/XlsxReader.h"

class ExportCatcher {
public:
    explicit ExportCatcher(const QString& folder)
    {
        setExportFolder(folder);
        m_previous = setWorkbookOpener([this](const QString& file) {
            opened << file;
            return true;
        });
    }
    ~ExportCatcher()
    {
        setWorkbookOpener(m_previous);
        setExportFolder(QString());
    }
    // Row `row` of the last workbook, columns A to the last column given, joined by "|".
    QString row(int row, int columns) const
    {
        if (opened.isEmpty())
            return QStringLiteral("<no workbook>");
        XlsxReader sheet(opened.last());
        QStringList cells;
        for (int c = 0; c < columns; ++c)
            cells << sheet.text(QString(QChar('A' + c)) + QString::number(row));
        return cells.join(QLatin1Char('|'));
    }
    int lastRow() const
    {
        if (opened.isEmpty())
            return 0;
        const QList<int> rows = XlsxReader(opened.last()).rows();
        return rows.isEmpty() ? 0 : rows.last();
    }
    QStringList opened;

private:
    WorkbookOpener m_previous;
};
