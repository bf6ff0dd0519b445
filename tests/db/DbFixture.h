#pragma once
// A private database in a temporary folder, with a few tables in the program's own dialect.
#include "db/Database.h"
#include "db/ResultSet.h"
#include "db/SqlText.h"

#include <QTemporaryDir>
#include <gtest/gtest.h>

class DbFixture : public ::testing::Test {
protected:
    void SetUp() override
    {
        ASSERT_TRUE(dir.isValid());
        db.open(dir.filePath(QStringLiteral("sjk.mdb")));
        for (const char* ddl : {
                 "create table J_spb(spdm char(6) PRIMARY KEY,spmc char(30),lb char(30),zxdj numeric(10,2) default 0,"
                 "xykc numeric(10,2) default 0,kcxx numeric(10,2) default 0)",
                 "create table J_cgb(pzh char(14) PRIMARY KEY,rklb char(10),ghs char(30),yfk numeric(10,2) default 0,"
                 "sfk numeric(10,2) default 0,fqf bit default 0,cgrq smalldatetime,jzrq smalldatetime,czy char(30))",
                 "create table J_cgmxb(pzh char(14),spdm char(6),dj numeric(10,2) default 0,sl numeric(10,2) default 0,"
                 "cgrq smalldatetime)",
                 "create table J_rzb(rzrq smalldatetime,czy char(20))",
                 "create table J_czyb(czydm char(4),czymc char(10),czymm char(6))",
                 "create table J_zjb(je numeric(10,2) default 0)",
                 "create table J_jsfsb(bh char(2) PRIMARY KEY,jsfs char(10))",
             })
            db.exec(QString::fromUtf8(ddl));
    }

    // Rows as "a|b;c|d", values as the screens show them.
    QString rows(const QString& sql)
    {
        ResultSet rs(db);
        rs.open(sql);
        QStringList out;
        for (int r = 0; r < rs.recordCount(); ++r) {
            QStringList cells;
            for (int c = 0; c < rs.fieldCount(); ++c)
                cells << displayText(rs.valueAt(r, c));
            out << cells.join(QLatin1Char('|'));
        }
        return out.join(QLatin1Char(';'));
    }

    QString rows(const char* sql) { return rows(QString::fromUtf8(sql)); }
    void exec(const char* sql) { db.exec(QString::fromUtf8(sql)); }

    QTemporaryDir dir;
    Database db;
};
