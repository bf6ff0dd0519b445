#pragma once
// A fresh database with a few articles, a supplier, an employee and cash, and helpers to
// read back what the voucher operations wrote.
#include "support/InitializedDb.h"

#include "db/Database.h"
#include "db/ResultSet.h"
#include "db/SqlText.h"
#include "vouchers/VoucherKind.h"

#include <sqlite3.h>

class VoucherDbTest : public InitializedDbTest {
protected:
    Database& db() { return Database::shared(); }

    void run(const QString& sql) { db().exec(sql); }

    // The first column of the first row; 0 for none or null.
    double num(const QString& sql)
    {
        ResultSet rs(db());
        rs.open(sql);
        return rs.isEmpty() || rs.value(0).isNull() ? 0.0 : rs.value(0).toDouble();
    }
    QString text(const QString& sql)
    {
        ResultSet rs(db());
        rs.open(sql);
        return rs.isEmpty() ? QString() : rs.value(0).toString();
    }

    void addArticle(const QString& code, const QString& name, double price, double stock,
                    const QString& unit = QStringLiteral("个"))
    {
        run(QStringLiteral("insert into J_spb(spdm,spmc,lb,zzs,pp,gg,dw,zxdj,xykc) values(%1,%2,'五金','华丰厂','华丰','M6',%3,%4,%5)")
                .arg(quoted(code), quoted(name), quoted(unit), numText(price), numText(stock)));
    }
    void addHeader(const QString& pzh, const QString& table = QStringLiteral("J_cgb"))
    {
        run(QStringLiteral("insert into %1(pzh) values(%2)").arg(table, quoted(pzh)));
    }
    void setCash(double je) { run(QStringLiteral("update J_zjb set je=") + numText(je)); }
    double cash() { return num(QStringLiteral("select je from J_zjb")); }
    double stock(const QString& code) { return num(QStringLiteral("select xykc from J_spb where spdm=") + quoted(code)); }
    double cost(const QString& code) { return num(QStringLiteral("select zxdj from J_spb where spdm=") + quoted(code)); }
    double due(const QString& pzh) { return num(QStringLiteral("select yfk from J_cgb where pzh=") + quoted(pzh)); }
    double paid(const QString& pzh) { return num(QStringLiteral("select sfk from J_cgb where pzh=") + quoted(pzh)); }
    double count(const QString& table) { return num(QStringLiteral("select count(*) from ") + table); }
    // A voucher's due and settled totals, of any kind.
    double due(const VoucherKind& k, const QString& pzh)
    {
        return num(QStringLiteral("select %1 from %2 where pzh=").arg(k.dueColumn(), k.tables.header) + quoted(pzh));
    }
    double settled(const VoucherKind& k, const QString& pzh)
    {
        return num(QStringLiteral("select %1 from %2 where pzh=").arg(k.settledColumn(), k.tables.header) + quoted(pzh));
    }

    // Makes the database refuse every delete from a table, to fail a removal at its last statement.
    void refuseDeletes(const QString& table)
    {
        const QByteArray sql = QStringLiteral("create trigger no_delete_%1 before delete on %1 begin select raise(abort,'refused'); end")
                                   .arg(table)
                                   .toUtf8();
        ASSERT_EQ(sqlite3_exec(db().handle(), sql.constData(), nullptr, nullptr, nullptr), SQLITE_OK);
    }
    void allowDeletes(const QString& table)
    {
        const QByteArray sql = QStringLiteral("drop trigger no_delete_%1").arg(table).toUtf8();
        ASSERT_EQ(sqlite3_exec(db().handle(), sql.constData(), nullptr, nullptr, nullptr), SQLITE_OK);
    }
    // The same for updates, to fail a booking at the header totals, its last statement.
    void refuseUpdates(const QString& table)
    {
        const QByteArray sql = QStringLiteral("create trigger no_update_%1 before update on %1 begin select raise(abort,'refused'); end")
                                   .arg(table)
                                   .toUtf8();
        ASSERT_EQ(sqlite3_exec(db().handle(), sql.constData(), nullptr, nullptr, nullptr), SQLITE_OK);
    }
    void allowUpdates(const QString& table)
    {
        const QByteArray sql = QStringLiteral("drop trigger no_update_%1").arg(table).toUtf8();
        ASSERT_EQ(sqlite3_exec(db().handle(), sql.constData(), nullptr, nullptr, nullptr), SQLITE_OK);
    }
};
