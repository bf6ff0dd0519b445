#pragma once
// Vouchers for the query screens, booked the way the voucher screens book them: a header
// row as "保存" posts it, then each goods line and money row through the booking functions.
#include "support/InitializedDb.h"

#include "db/Database.h"
#include "db/ResultSet.h"
#include "db/SqlText.h"
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

    // A loss voucher line and an expense line, written by hand the way their screens store
    // them (stock or cash after the line as its snapshot) until those vouchers can be booked.
    void loss(const QString& pzh, const QString& code, double price, double quantity, const QDate& date,
              const QString& category = QStringLiteral("损坏"), const QString& description = QStringLiteral("碰坏"))
    {
        const double stock = round2(num(QStringLiteral("select xykc from J_spb where spdm=") + quoted(code)) - quantity);
        const double cost = num(QStringLiteral("select zxdj from J_spb where spdm=") + quoted(code));
        Transaction tx(db());
        run(QStringLiteral("update J_spb set xykc=") + numText(stock) + QStringLiteral(" where spdm=") + quoted(code));
        run(QStringLiteral("insert into J_bsmxb(pzh,bslb,spdm,dw,dj,sl,bsrq,jcdj,jcsl,bssm) values(%1,%2,%3,'个',%4,%5,%6,%7,%8,%9)")
                .arg(quoted(pzh), quoted(category), quoted(code), numText(price), numText(quantity),
                     quoted(shortDate(date)), numText(cost), numText(stock), quoted(description)));
        tx.commit();
    }
    void expense(const QString& pzh, const QString& document, double amount, const QDate& date,
                 const QString& description = QStringLiteral("房租"), const QString& category = QStringLiteral("杂费"))
    {
        const double cash = round2(num(QStringLiteral("select je from J_zjb")) - amount);
        Transaction tx(db());
        run(QStringLiteral("update J_zjb set je=") + numText(cash));
        run(QStringLiteral("insert into J_zcmxb(pzh,dh,zclb,zcje,zcrq,zcsm,jcje) values(%1,%2,%3,%4,%5,%6,%7)")
                .arg(quoted(pzh), quoted(document), quoted(category), numText(amount), quoted(shortDate(date)),
                     quoted(description), numText(cash)));
        tx.commit();
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
