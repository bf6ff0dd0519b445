#include "BenchData.h"

#include "db/Database.h"
#include "db/Schema.h"
#include "db/SqlText.h"

#include <QDir>
#include <QElapsedTimer>
#include <QFile>
#include <QFileInfo>
#include <QLockFile>
#include <QProcessEnvironment>
#include <sqlite3.h>

#include <algorithm>
#include <cmath>
#include <cstdio>
#include <stdexcept>
#include <vector>

namespace benchdata {
namespace {

// Raise when the generator or the program's file layout changes: a new cache file follows.
const char* const kDataVersion = "v8";

constexpr int kEmployees = 30;
constexpr double kOpeningCash = 5000000;
constexpr double kOpeningStock = 200;

int dayCount()
{
    return static_cast<int>(firstDay().daysTo(lastDay())) + 1;
}

struct KindInfo {
    const char* prefix;
    int count;
};

KindInfo info(Kind kind)
{
    switch (kind) {
    case Kind::Purchase:
        return {"CG", kPurchaseVouchers};
    case Kind::Sales:
        return {"XS", kSalesVouchers};
    case Kind::PurchaseReturn:
        return {"CT", kPurchaseReturns};
    case Kind::SalesReturn:
        return {"XT", kSalesReturns};
    case Kind::Loss:
        return {"BS", kLossVouchers};
    case Kind::Expense:
        return {"ZC", kExpenseVouchers};
    }
    return {"", 0};
}

// Vouchers of a kind are spread evenly over the days, in index order.
int dayIndex(Kind kind, int i)
{
    return static_cast<int>(static_cast<long long>(i) * dayCount() / info(kind).count);
}

// First voucher index of a kind on or after a day.
int firstIndexFrom(Kind kind, int day)
{
    const long long n = info(kind).count;
    return static_cast<int>((static_cast<long long>(day) * n + dayCount() - 1) / dayCount());
}

QString employeeName(int i)
{
    static const char* const family[] = {"张", "王", "李", "赵", "刘", "陈"};
    static const char* const given[] = {"伟", "芳", "娜", "敏", "静"};
    return QString::fromUtf8(family[i % 6]) + QString::fromUtf8(given[i / 6 % 5]) + QString::number(i / 30 + 1);
}

double baseCost(int article)
{
    return 2 + (static_cast<long long>(article) * 7919 % 19800) / 100.0;
}

class Statement {
public:
    Statement(sqlite3* db, const char* sql)
    {
        if (sqlite3_prepare_v2(db, sql, -1, &m_stmt, nullptr) != SQLITE_OK)
            throw std::runtime_error(std::string(sqlite3_errmsg(db)) + " in " + sql);
    }
    ~Statement() { sqlite3_finalize(m_stmt); }
    Statement(const Statement&) = delete;
    Statement& operator=(const Statement&) = delete;

    Statement& text(const QString& s)
    {
        const QByteArray utf8 = s.toUtf8();
        sqlite3_bind_text(m_stmt, ++m_arg, utf8.constData(), utf8.size(), SQLITE_TRANSIENT);
        return *this;
    }
    Statement& date(const QDate& d) { return text(d.toString(QStringLiteral("yyyy-MM-dd"))); }
    // As a numeric(10,2) column keeps it: two decimals, a whole value as an integer.
    Statement& number(double x)
    {
        double r = round2(x);
        if (r == 0)
            r = 0;
        if (r == std::floor(r))
            sqlite3_bind_int64(m_stmt, ++m_arg, static_cast<sqlite3_int64>(r));
        else
            sqlite3_bind_double(m_stmt, ++m_arg, r);
        return *this;
    }
    Statement& integer(int x)
    {
        sqlite3_bind_int(m_stmt, ++m_arg, x);
        return *this;
    }
    Statement& null()
    {
        sqlite3_bind_null(m_stmt, ++m_arg);
        return *this;
    }
    void step()
    {
        if (sqlite3_step(m_stmt) != SQLITE_DONE)
            throw std::runtime_error(sqlite3_errmsg(sqlite3_db_handle(m_stmt)));
        sqlite3_reset(m_stmt);
        sqlite3_clear_bindings(m_stmt);
        m_arg = 0;
    }

private:
    sqlite3_stmt* m_stmt = nullptr;
    int m_arg = 0;
};

void execRaw(sqlite3* db, const char* sql)
{
    char* err = nullptr;
    if (sqlite3_exec(db, sql, nullptr, nullptr, &err) != SQLITE_OK) {
        const std::string text = err ? err : "error";
        sqlite3_free(err);
        throw std::runtime_error(text + " in " + sql);
    }
}

struct Article {
    double cost = 0;  // J_spb.zxdj as stored
    double stock = 0; // J_spb.xykc as stored
};

// The booking rules of the voucher screens, on the stored (rounded) values.
class Ledger {
public:
    Ledger() : articles(kArticles)
    {
        for (int a = 0; a < kArticles; ++a)
            articles[a] = {round2(baseCost(a)), kOpeningStock};
    }
    // Goods in: moving-average cost. Returns the snapshot (cost, stock).
    Article in(int a, double price, double qty)
    {
        Article& x = articles[a];
        const double s1 = qty + x.stock;
        const double p1 = (qty * price + x.cost * x.stock) / s1;
        x = {round2(p1), round2(s1)};
        return x;
    }
    Article out(int a, double qty)
    {
        Article& x = articles[a];
        x.stock = round2(x.stock - qty);
        return x;
    }
    // An outgoing line never takes more than is in stock, so the moving average stays a
    // mean of prices: from the wanted article on, the first one with stock not yet on the voucher.
    int pickOut(int a, double* qty, std::vector<int>& taken) const
    {
        for (;; a = (a + 1) % kArticles) {
            if (articles[a].stock < 1 || std::find(taken.begin(), taken.end(), a) != taken.end())
                continue;
            *qty = std::min(*qty, std::floor(articles[a].stock));
            taken.push_back(a);
            return a;
        }
    }
    double moneyIn(double amount) { return cash = round2(cash + amount); }
    double moneyOut(double amount) { return cash = round2(cash - amount); }

    std::vector<Article> articles;
    double cash = kOpeningCash;
};

class Generator {
public:
    explicit Generator(sqlite3* db)
        : m_db(db),
          cgb(db, "insert into J_cgb(pzh,fph,rklb,ghs,cgy,shr,yfk,sfk,fqf,cgrq,jzrq,bz,czy) values(?,?,?,?,?,?,?,?,?,?,?,?,?)"),
          cgmxb(db, "insert into J_cgmxb(pzh,spdm,rklb,ghs,dw,dj,sl,cgrq,jcdj,jcsl,bz) values(?,?,?,?,?,?,?,?,?,?,?)"),
          cgfkb(db, "insert into J_cgfkb(pzh,dh,ghs,fklb,jsfs,fkje,fkr,fkrq,jcje,bz) values(?,?,?,?,?,?,?,?,?,?)"),
          xsb(db, "insert into J_xsb(pzh,fph,cklb,ghs,xsy,shr,ysk,ssk,fqf,xsrq,jzrq,bz,czy) values(?,?,?,?,?,?,?,?,?,?,?,?,?)"),
          xsmxb(db, "insert into J_xsmxb(pzh,spdm,cklb,ghs,dw,dj,sl,xsrq,jcdj,jcsl,bz) values(?,?,?,?,?,?,?,?,?,?,?)"),
          xsskb(db, "insert into J_xsskb(pzh,dh,ghs,sklb,jsfs,skje,skr,skrq,jcje,bz) values(?,?,?,?,?,?,?,?,?,?)"),
          cgthb(db, "insert into J_cgthb(pzh,cklb,thyy,ths,jsr,shr,ysk,ssk,fqf,thrq,jzrq,bz,czy) values(?,?,?,?,?,?,?,?,?,?,?,?,?)"),
          cgthmxb(db, "insert into J_cgthmxb(pzh,spdm,cklb,ths,dw,dj,sl,thrq,jcdj,jcsl,bz) values(?,?,?,?,?,?,?,?,?,?,?)"),
          cgskb(db, "insert into J_cgskb(pzh,dh,ths,sklb,jsfs,skje,skr,skrq,jcje,bz) values(?,?,?,?,?,?,?,?,?,?)"),
          xsthb(db, "insert into J_xsthb(pzh,rklb,thyy,ths,jsr,shr,yfk,sfk,fqf,thrq,jzrq,bz,czy) values(?,?,?,?,?,?,?,?,?,?,?,?,?)"),
          xsthmxb(db, "insert into J_xsthmxb(pzh,spdm,rklb,ths,dw,dj,sl,thrq,jcdj,jcsl,bz) values(?,?,?,?,?,?,?,?,?,?,?)"),
          xsfkb(db, "insert into J_xsfkb(pzh,dh,ths,fklb,jsfs,fkje,fkr,fkrq,jcje,bz) values(?,?,?,?,?,?,?,?,?,?)"),
          zcb(db, "insert into J_zcb(pzh,zcsm,jsr,shr,zcje,zcrq,bz,czy) values(?,?,?,?,?,?,?,?)"),
          zcmxb(db, "insert into J_zcmxb(pzh,dh,zclb,zcje,zcrq,zcsm,jcje,bz) values(?,?,?,?,?,?,?,?)"),
          bsb(db, "insert into J_bsb(pzh,bssm,jsr,shr,bsje,bsrq,bz,czy) values(?,?,?,?,?,?,?,?)"),
          bsmxb(db, "insert into J_bsmxb(pzh,bslb,spdm,dw,dj,sl,bsrq,jcdj,jcsl,bssm,bz) values(?,?,?,?,?,?,?,?,?,?,?)"),
          rzb(db, "insert into J_rzb(rzrq,czy) values(?,?)")
    {
    }

    void run()
    {
        const int days = dayCount();
        int next[6] = {};
        for (int d = 0; d < days; ++d) {
            const QDate day = firstDay().addDays(d);
            rzb.text(day.toString(QStringLiteral("yyyy-MM-dd")) + QStringLiteral(" 08:30:00")).text(operatorNames()[d % 5]).step();
            for (int k = 0; k < 6; ++k) {
                const Kind kind = static_cast<Kind>(k);
                while (next[k] < info(kind).count && dayIndex(kind, next[k]) == d)
                {
                    try {
                        book(kind, next[k], day);
                    } catch (const std::exception& e) {
                        throw std::runtime_error(std::string(e.what()) + " at " + info(kind).prefix + " "
                                                 + std::to_string(next[k]));
                    }
                    ++next[k];
                }
            }
        }
    }

    Ledger ledger;

private:
    QString op(int i) const { return operatorNames()[i % 5]; }
    QString person(int i) const { return employeeName(i % kEmployees); }

    // Money against a voucher: the whole amount, or half when the cash would leave the
    // range a small business keeps (the balance column holds less than 100,000,000).
    double payAmount(double due, bool out) const
    {
        if (out && ledger.cash - due < 1000000)
            return round2(due / 2);
        if (!out && ledger.cash + due > 50000000)
            return round2(due / 2);
        return due;
    }

    void book(Kind kind, int i, const QDate& day)
    {
        const QString pzh = voucherNumber(kind, i);
        const QDate due = day.addDays(30);
        std::vector<int> taken; // articles already on this voucher
        switch (kind) {
        case Kind::Purchase: {
            const QString partner = supplierName(i % kSuppliers);
            const QString category = i % 10 == 0 ? QStringLiteral("调入") : QStringLiteral("进货");
            double total = 0;
            for (int j = 0; j < kTradeLines; ++j) {
                const int a = static_cast<int>((static_cast<long long>(i) * 7919 + j * 4001) % kArticles);
                const double price = round2(baseCost(a) * (0.9 + ((i + j) % 21) / 100.0));
                const double qty = 1 + (i * 3 + j) % 20;
                const Article after = ledger.in(a, price, qty);
                total = round2(total + price * qty);
                cgmxb.text(pzh).text(articleCode(a)).text(category).text(partner).text(QStringLiteral("个"))
                    .number(price).number(qty).date(day).number(after.cost).number(after.stock).null().step();
            }
            double paid = 0;
            if (i % 20 < 13) {
                paid = payAmount(total, true);
                const double balance = ledger.moneyOut(paid);
                cgfkb.text(pzh).text(QStringLiteral("FK%1").arg(i)).text(partner).text(QStringLiteral("货款"))
                    .text(i % 3 ? QStringLiteral("现金") : QStringLiteral("转账")).number(paid).text(person(i + 1))
                    .date(day).number(balance).text(QString()).step();
            }
            cgb.text(pzh).text(QStringLiteral("FP%1").arg(i, 8, 10, QLatin1Char('0'))).text(category).text(partner)
                .text(person(i)).text(person(i + 7)).number(total).number(paid).integer(0).date(day).date(due).null()
                .text(op(i)).step();
            break;
        }
        case Kind::Sales: {
            const QString partner = customerName(i % kCustomers);
            const QString category = QStringLiteral("销售");
            double total = 0;
            for (int j = 0; j < kTradeLines; ++j) {
                double qty = 1 + (i * 5 + j) % 16;
                const int a = ledger.pickOut(
                    static_cast<int>((static_cast<long long>(i) * 6007 + j * 4001 + 13) % kArticles), &qty, taken);
                const double price = round2(baseCost(a) * 1.25);
                const Article after = ledger.out(a, qty);
                total = round2(total + price * qty);
                xsmxb.text(pzh).text(articleCode(a)).text(category).text(partner).text(QStringLiteral("个"))
                    .number(price).number(qty).date(day).number(after.cost).number(after.stock).null().step();
            }
            double got = 0;
            if (i % 20 < 14) {
                got = payAmount(total, false);
                const double balance = ledger.moneyIn(got);
                xsskb.text(pzh).text(QStringLiteral("SK%1").arg(i)).text(partner).text(QStringLiteral("货款"))
                    .text(i % 3 ? QStringLiteral("现金") : QStringLiteral("支票")).number(got).text(person(i + 2))
                    .date(day).number(balance).text(QString()).step();
            }
            xsb.text(pzh).text(QStringLiteral("FP%1").arg(i, 8, 10, QLatin1Char('0'))).text(category).text(partner)
                .text(person(i)).text(person(i + 7)).number(total).number(got).integer(0).date(day).date(due).null()
                .text(op(i)).step();
            break;
        }
        case Kind::PurchaseReturn: {
            const QString partner = supplierName(i * 7 % kSuppliers);
            const QString category = QStringLiteral("退货");
            double total = 0;
            for (int j = 0; j < kOtherLines; ++j) {
                double qty = 1 + (i + j) % 5;
                const int a = ledger.pickOut(
                    static_cast<int>((static_cast<long long>(i) * 3001 + j * 4001 + 7) % kArticles), &qty, taken);
                const double price = ledger.articles[a].cost;
                const Article after = ledger.out(a, qty);
                total = round2(total + price * qty);
                cgthmxb.text(pzh).text(articleCode(a)).text(category).text(partner).text(QStringLiteral("个"))
                    .number(price).number(qty).date(day).number(after.cost).number(after.stock).null().step();
            }
            double got = 0;
            if (i % 5 < 3) {
                got = payAmount(total, false);
                const double balance = ledger.moneyIn(got);
                cgskb.text(pzh).text(QStringLiteral("TS%1").arg(i)).text(partner).text(QStringLiteral("货款"))
                    .text(QStringLiteral("现金")).number(got).text(person(i + 3)).date(day).number(balance)
                    .text(QString()).step();
            }
            cgthb.text(pzh).text(category).text(QStringLiteral("质量问题")).text(partner).text(person(i))
                .text(person(i + 7)).number(total).number(got).integer(0).date(day).date(due).null().text(op(i)).step();
            break;
        }
        case Kind::SalesReturn: {
            const QString partner = customerName(i * 11 % kCustomers);
            const QString category = QStringLiteral("退货入库");
            double total = 0;
            for (int j = 0; j < kOtherLines; ++j) {
                const int a = static_cast<int>((static_cast<long long>(i) * 5003 + j * 4001 + 11) % kArticles);
                const double price = round2(baseCost(a) * 1.25);
                const double qty = 1 + (i + 2 * j) % 5;
                const Article after = ledger.in(a, price, qty);
                total = round2(total + price * qty);
                xsthmxb.text(pzh).text(articleCode(a)).text(category).text(partner).text(QStringLiteral("个"))
                    .number(price).number(qty).date(day).number(after.cost).number(after.stock).null().step();
            }
            double paid = 0;
            if (i % 5 < 3) {
                paid = payAmount(total, true);
                const double balance = ledger.moneyOut(paid);
                xsfkb.text(pzh).text(QStringLiteral("TF%1").arg(i)).text(partner).text(QStringLiteral("退款"))
                    .text(QStringLiteral("现金")).number(paid).text(person(i + 4)).date(day).number(balance)
                    .text(QString()).step();
            }
            xsthb.text(pzh).text(category).text(QStringLiteral("客户退货")).text(partner).text(person(i))
                .text(person(i + 7)).number(total).number(paid).integer(0).date(day).date(due).null().text(op(i)).step();
            break;
        }
        case Kind::Loss: {
            static const char* const reasons[] = {"破损", "过期", "丢失"};
            const QString category = QString::fromUtf8(reasons[i % 3]);
            double total = 0;
            for (int j = 0; j < kOtherLines; ++j) {
                double qty = 1 + (i + j) % 3;
                const int a = ledger.pickOut(
                    static_cast<int>((static_cast<long long>(i) * 9001 + j * 4001 + 3) % kArticles), &qty, taken);
                const double price = ledger.articles[a].cost;
                const Article after = ledger.out(a, qty);
                // The loss total grows by the rounded line amount.
                total = round2(total + round2(price * qty));
                bsmxb.text(pzh).text(category).text(articleCode(a)).text(QStringLiteral("个")).number(price)
                    .number(qty).date(day).number(price).number(after.stock).null().null().step();
            }
            bsb.text(pzh).text(QStringLiteral("商品") + category).text(person(i)).text(person(i + 7)).number(total)
                .date(day).null().text(op(i)).step();
            break;
        }
        case Kind::Expense: {
            static const char* const kinds[] = {"房租", "水电", "工资", "运费"};
            double total = 0;
            for (int j = 0; j < kOtherLines; ++j) {
                const QString category = QString::fromUtf8(kinds[(i + j) % 4]);
                const double amount = 100 + (i * 37 + j * 11) % 4900;
                const double balance = ledger.moneyOut(amount);
                total = round2(total + amount);
                zcmxb.text(pzh).text(QStringLiteral("ZD%1-%2").arg(i).arg(j)).text(category).number(amount).date(day)
                    .text(category + QStringLiteral("支出")).number(balance).text(QString()).step();
            }
            zcb.text(pzh).text(QStringLiteral("日常费用")).text(person(i)).text(person(i + 7)).number(total).date(day)
                .null().text(op(i)).step();
            break;
        }
        }
    }

    sqlite3* m_db;
    Statement cgb, cgmxb, cgfkb, xsb, xsmxb, xsskb, cgthb, cgthmxb, cgskb, xsthb, xsthmxb, xsfkb, zcb, zcmxb, bsb,
        bsmxb, rzb;
};

void generate(Database& db)
{
    schema::createAllTables(db);
    sqlite3* h = db.handle();
    // One transaction, held in memory: the content is what counts, not how it got there.
    execRaw(h, "PRAGMA cache_size=-600000");
    execRaw(h, "PRAGMA synchronous=OFF");
    execRaw(h, "PRAGMA journal_mode=MEMORY"); // not every page twice through a log
    execRaw(h, "BEGIN");

    execRaw(h, "update J_yhb set yhmc='岚桥商贸有限公司',dz='岚桥市建设路18号',dh1='0631-5201234',lxr='张伟1'");
    {
        Statement st(h, "insert into J_zgb(gh,bmmc,xm,xb,nl,zw) values(?,?,?,?,?,?)");
        for (int e = 0; e < kEmployees; ++e)
            st.text(QStringLiteral("%1").arg(e + 1, 4, 10, QLatin1Char('0'))).text(QStringLiteral("综合部门"))
                .text(employeeName(e)).text(e % 2 ? QStringLiteral("女") : QStringLiteral("男"))
                .text(QString::number(25 + e)).text(QStringLiteral("职员")).step();
    }
    struct Category {
        const char* table;
        const char* column;
        std::vector<const char*> names;
    };
    const std::vector<Category> categories = {
        {"J_rklbb", "rklb", {"进货", "调入", "退货入库"}}, {"J_jsfsb", "jsfs", {"现金", "支票", "转账"}},
        {"J_sklbb", "sklb", {"货款", "预收款"}},           {"J_fklbb", "fklb", {"货款", "预付款", "退款"}},
        {"J_cklbb", "cklb", {"销售", "退货"}},             {"J_zclbb", "zclb", {"房租", "水电", "工资", "运费"}},
        {"J_bslbb", "bslb", {"破损", "过期", "丢失"}},
    };
    for (const Category& c : categories) {
        const QByteArray sql = QStringLiteral("insert into %1(bh,%2) values(?,?)").arg(QLatin1String(c.table), QLatin1String(c.column)).toUtf8();
        Statement st(h, sql.constData());
        for (size_t k = 0; k < c.names.size(); ++k)
            st.text(QStringLiteral("%1").arg(k + 1, 2, 10, QLatin1Char('0'))).text(QString::fromUtf8(c.names[k])).step();
    }
    {
        Statement st(h, "insert into J_khb(khdm,khmc,lb1,lb2,lxr,dz,dh) values(?,?,?,?,?,?,?)");
        for (int s = 0; s < kSuppliers; ++s)
            st.text(QStringLiteral("G%1").arg(s, 5, 10, QLatin1Char('0'))).text(supplierName(s)).text(QStringLiteral("供货商"))
                .text(QStringLiteral("本地")).text(employeeName(s)).text(QStringLiteral("岚桥市")).text(QStringLiteral("0631-1000%1").arg(s)).step();
        for (int c = 0; c < kCustomers; ++c)
            st.text(QStringLiteral("K%1").arg(c, 5, 10, QLatin1Char('0'))).text(customerName(c)).text(QStringLiteral("购货商"))
                .text(c % 2 ? QStringLiteral("批发") : QStringLiteral("零售")).text(employeeName(c)).text(QStringLiteral("岚桥市"))
                .text(QStringLiteral("0631-2000%1").arg(c)).step();
    }
    execRaw(h, "delete from J_czyb");
    {
        Statement st(h, "insert into J_czyb(czydm,czymc,czymm) values(?,?,?)");
        for (int o = 0; o < operatorCodes().size(); ++o)
            st.text(operatorCodes()[o]).text(operatorNames()[o]).text(o == 0 ? QStringLiteral("530162") : QStringLiteral("1234")).step();
    }

    Generator gen(h);
    gen.run();

    {
        Statement st(h, "insert into J_spb(spdm,spmc,lb,zzs,pp,gg,dw,zxdj,lrl,xykc,kcsx,kcxx,hw,bz) values(?,?,?,?,?,?,?,?,?,?,?,?,?,?)");
        for (int a = 0; a < kArticles; ++a) {
            const Article& x = gen.ledger.articles[a];
            st.text(articleCode(a)).text(articleName(a)).text(goodsCategories()[a % goodsCategories().size()])
                .text(QStringLiteral("华丰制造厂%1").arg(a % 40)).text(QStringLiteral("华丰%1").arg(a % 25))
                .text(QStringLiteral("M%1").arg(a % 12 + 3)).text(QStringLiteral("个")).number(x.cost).number(25)
                .number(x.stock).number(2000).number(a % 50 == 0 ? 1000 : 10).text(QStringLiteral("A-%1").arg(a % 99))
                .null().step();
        }
    }
    Statement cash(h, "update J_zjb set je=?");
    cash.number(gen.ledger.cash).step();
    execRaw(h, "COMMIT");
    execRaw(h, "PRAGMA journal_mode=WAL");
    execRaw(h, "PRAGMA synchronous=FULL");
}

QString cacheRoot()
{
    const QString env = QProcessEnvironment::systemEnvironment().value(QStringLiteral("JXC_BENCH_CACHE"));
    return env.isEmpty() ? QDir::tempPath() + QStringLiteral("/jxc_bench_cache") : env;
}

} // namespace

QDate firstDay()
{
    return QDate(2016, 1, 1);
}

QDate lastDay()
{
    return QDate(2025, 12, 31);
}

QString articleCode(int i)
{
    return QStringLiteral("S%1").arg(i, 5, 10, QLatin1Char('0'));
}

QString articleName(int i)
{
    return QStringLiteral("商品%1").arg(i, 5, 10, QLatin1Char('0'));
}

QString supplierName(int i)
{
    return QStringLiteral("供货商%1").arg(i + 1, 3, 10, QLatin1Char('0'));
}

QString customerName(int i)
{
    return QStringLiteral("客户%1").arg(i + 1, 4, 10, QLatin1Char('0'));
}

const QStringList& operatorCodes()
{
    static const QStringList codes{QStringLiteral("1001"), QStringLiteral("3001"), QStringLiteral("3002"),
                                   QStringLiteral("3003"), QStringLiteral("3004")};
    return codes;
}

const QStringList& operatorNames()
{
    static const QStringList names{QStringLiteral("管理员"), QStringLiteral("王明"), QStringLiteral("李华"),
                                   QStringLiteral("赵强"), QStringLiteral("陈静")};
    return names;
}

const QStringList& goodsCategories()
{
    static const QStringList names{QStringLiteral("五金"), QStringLiteral("电器"), QStringLiteral("日用品"),
                                   QStringLiteral("文具"), QStringLiteral("食品"), QStringLiteral("建材"),
                                   QStringLiteral("服装"), QStringLiteral("工具")};
    return names;
}

int voucherCount(Kind kind)
{
    return info(kind).count;
}

QDate voucherDate(Kind kind, int i)
{
    return firstDay().addDays(dayIndex(kind, i));
}

QString voucherNumber(Kind kind, int i)
{
    const QDate date = voucherDate(kind, i);
    const int monthStart = static_cast<int>(firstDay().daysTo(QDate(date.year(), date.month(), 1)));
    const int first = firstIndexFrom(kind, monthStart);
    // Sequence within the operator's month, as the screens number them.
    const int sequence = (i - first) / 5 + 1;
    return QLatin1String(info(kind).prefix) + operatorCodes()[i % 5] + QString::number(date.year()).mid(2, 2)
        + QString::number(date.month()) + QLatin1Char('_') + QString::number(1000 + sequence).mid(1, 3);
}

QString cachedDatabase()
{
    const QString root = cacheRoot();
    QDir().mkpath(root);
    const QString name = QStringLiteral("tenyear-") + QLatin1String(kDataVersion);
    const QString dir = root + QLatin1Char('/') + name;
    const QString file = dir + QStringLiteral("/sjk.mdb");
    if (QFileInfo::exists(file))
        return file;

    QLockFile lock(root + QLatin1Char('/') + name + QStringLiteral(".lock"));
    lock.setStaleLockTime(0); // a generator that died leaves a lock its process no longer holds
    if (!lock.lock())
        throw std::runtime_error("cannot lock the benchmark data cache");
    if (QFileInfo::exists(file))
        return file; // made by another program while this one waited

    const QString work = dir + QStringLiteral(".part");
    QDir(work).removeRecursively();
    QDir().mkpath(work);
    std::fprintf(stderr, "generating the ten-year database in %s ...\n", qPrintable(work));
    QElapsedTimer timer;
    timer.start();
    {
        Database db;
        db.open(work + QStringLiteral("/sjk.mdb"));
        generate(db);
        db.close();
    }
    std::fprintf(stderr, "generated in %.0f s\n", timer.elapsed() / 1000.0);
    QDir(dir).removeRecursively();
    if (!QDir().rename(work, dir))
        throw std::runtime_error("cannot move the generated database into the cache");
    return file;
}

QString workingCopy(const QString& dir)
{
    const QString source = cachedDatabase();
    QDir().mkpath(dir);
    const QString target = dir + QStringLiteral("/sjk.mdb");
    for (const char* suffix : {"", "-wal", "-shm", "-journal"})
        QFile::remove(target + QLatin1String(suffix));
    if (!QFile::copy(source, target))
        throw std::runtime_error("cannot copy the benchmark database");
    QFile(target).setPermissions(QFileDevice::ReadOwner | QFileDevice::WriteOwner);
    return target;
}

sqlite3* openRaw(const QString& file)
{
    sqlite3* db = nullptr;
    // Opened as the program opens its own: one thread, no locking around each call.
    if (sqlite3_open_v2(file.toUtf8().constData(), &db, SQLITE_OPEN_READWRITE | SQLITE_OPEN_NOMUTEX, nullptr)
        != SQLITE_OK) {
        sqlite3_close(db);
        throw std::runtime_error("cannot open " + file.toStdString());
    }
    const QByteArray key = QStringLiteral("PRAGMA key = %1;").arg(quoted(Database::fileKey())).toUtf8();
    try {
        execRaw(db, key.constData());
        execRaw(db, "PRAGMA cipher_page_size = 4096;");
        execRaw(db, "SELECT count(*) FROM sqlite_master;");
        execRaw(db, "PRAGMA journal_mode = WAL;");
        execRaw(db, "PRAGMA synchronous = FULL;");
        execRaw(db, "PRAGMA cache_size = -65536;");
        Database::registerFunctions(db);
    } catch (...) {
        sqlite3_close(db);
        throw;
    }
    return db;
}

} // namespace benchdata
